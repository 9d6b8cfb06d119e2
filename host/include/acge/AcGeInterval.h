// AcGeInterval: a parameter range, possibly unbounded on either side. Comparisons at the
// bounds use the interval's own tolerance (1e-12 unless set).
#pragma once

#include <adesk/Adesk.h>

class ADESK_EXPORT AcGeInterval {
public:
    explicit AcGeInterval(double tol = 1e-12) : m_tol(tol) {}
    AcGeInterval(double lower, double upper, double tol = 1e-12);
    // Bounded on one side only: above when boundedAbove, else below.
    AcGeInterval(bool boundedAbove, double bound, double tol = 1e-12);

    double lowerBound() const { return m_lower; }
    double upperBound() const { return m_upper; }
    double element() const { return m_lower; }
    void getBounds(double& lower, double& upper) const { lower = m_lower; upper = m_upper; }
    double length() const { return isBounded() ? m_upper - m_lower : -1.0; }
    double tolerance() const { return m_tol; }

    AcGeInterval& set(double lower, double upper);
    AcGeInterval& set(bool boundedAbove, double bound);
    AcGeInterval& set();
    AcGeInterval& setUpper(double upper) { m_upper = upper; m_hasUpper = true; return *this; }
    AcGeInterval& setLower(double lower) { m_lower = lower; m_hasLower = true; return *this; }
    AcGeInterval& setTolerance(double tol) { m_tol = tol; return *this; }

    bool isBounded() const { return m_hasLower && m_hasUpper; }
    bool isBoundedAbove() const { return m_hasUpper; }
    bool isBoundedBelow() const { return m_hasLower; }
    bool isUnBounded() const { return !m_hasLower && !m_hasUpper; }
    bool isSingleton() const { return isBounded() && m_upper - m_lower <= m_tol; }
    bool contains(double value) const;
    bool contains(const AcGeInterval& other) const;
    bool isEqualAtUpper(double value) const;
    bool isEqualAtLower(double value) const;
    bool isDisjoint(const AcGeInterval& other) const;
    // The common part; false when the two do not meet.
    bool intersectWith(const AcGeInterval& other, AcGeInterval& result) const;
    bool operator==(const AcGeInterval& other) const;
    bool operator!=(const AcGeInterval& other) const { return !(*this == other); }

private:
    double m_tol;
    double m_lower = 0.0;
    double m_upper = 0.0;
    bool m_hasLower = false;
    bool m_hasUpper = false;
};
