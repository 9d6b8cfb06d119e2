// AcGeKnotVector: the non-decreasing knot sequence of a spline, with the tolerance under
// which two knots count as one (multiplicity).
#pragma once

#include <acge/AcGeArrays.h>
#include <acge/AcGeInterval.h>

class ADESK_EXPORT AcGeKnotVector {
public:
    AcGeKnotVector() = default;
    AcGeKnotVector(int size, const double knots[], double tol = 1e-9);
    explicit AcGeKnotVector(const AcGeDoubleArray& knots, double tol = 1e-9);
    // A clamped uniform vector for the given degree and number of control points, over [0, 1].
    AcGeKnotVector(int degree, int numControlPoints, double tol = 1e-9);

    double operator[](int i) const { return m_knots[i]; }
    double& operator[](int i) { return m_knots[i]; }
    bool isEqualTo(const AcGeKnotVector& other) const;

    int length() const { return m_knots.length(); }
    int logicalLength() const { return m_knots.length(); }
    bool isEmpty() const { return m_knots.isEmpty(); }
    double startParam() const { return m_knots.isEmpty() ? 0.0 : m_knots.first(); }
    double endParam() const { return m_knots.isEmpty() ? 0.0 : m_knots.last(); }
    double tolerance() const { return m_tol; }
    AcGeKnotVector& setTolerance(double tol)
    {
        m_tol = tol;
        return *this;
    }
    // Number of knots equal to knot i within the tolerance.
    int multiplicityAt(int i) const;
    int multiplicityAt(double param) const;
    int numIntervals() const;
    // Distinct knot values, in order.
    void getDistinctKnots(AcGeDoubleArray& knots) const;
    bool contains(double param) const;
    bool isOn(double knot) const;

    AcGeKnotVector& set(int size, const double knots[], double tol = 1e-9);
    AcGeKnotVector& setLogicalLength(int size);
    int append(double knot);
    AcGeKnotVector& insertAt(int index, double knot, int multiplicity = 1);
    AcGeKnotVector& removeAt(int index);
    // Mirror the knots within their range: u -> first + last - u, in reverse order.
    AcGeKnotVector& reverse();
    // Map the knots linearly onto [lower, upper].
    AcGeKnotVector& setRange(double lower, double upper);
    const double* asArrayPtr() const { return m_knots.asArrayPtr(); }
    double* asArrayPtr() { return m_knots.asArrayPtr(); }
    const AcGeDoubleArray& getArray() const { return m_knots; }

private:
    AcGeDoubleArray m_knots;
    double m_tol = 1e-9;
};
