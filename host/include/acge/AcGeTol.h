// AcGeTol: the pair of tolerances the kernel compares with. Two points are equal when their
// distance is at most equalPoint(); two vectors when their difference is at most
// equalVector(). Both default to 1e-10.
#pragma once

class AcGeTol {
public:
    AcGeTol() = default;
    AcGeTol(double equalPoint, double equalVector) : m_equalPoint(equalPoint), m_equalVector(equalVector) {}

    double equalPoint() const { return m_equalPoint; }
    double equalVector() const { return m_equalVector; }
    void setEqualPoint(double value) { m_equalPoint = value; }
    void setEqualVector(double value) { m_equalVector = value; }

private:
    double m_equalPoint = 1e-10;
    double m_equalVector = 1e-10;
};
