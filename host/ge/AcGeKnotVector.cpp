#include <acge/AcGeKnotVector.h>

#include <algorithm>
#include <cmath>

AcGeKnotVector::AcGeKnotVector(int size, const double knots[], double tol)
{
    set(size, knots, tol);
}

AcGeKnotVector::AcGeKnotVector(const AcGeDoubleArray& knots, double tol) : m_knots(knots), m_tol(tol) {}

AcGeKnotVector::AcGeKnotVector(int degree, int numControlPoints, double tol) : m_tol(tol)
{
    const int interior = numControlPoints - degree - 1;
    for (int i = 0; i <= degree; ++i)
        m_knots.append(0.0);
    for (int i = 1; i <= interior; ++i)
        m_knots.append(static_cast<double>(i) / (interior + 1));
    for (int i = 0; i <= degree; ++i)
        m_knots.append(1.0);
}

bool AcGeKnotVector::isEqualTo(const AcGeKnotVector& other) const
{
    if (length() != other.length())
        return false;
    for (int i = 0; i < length(); ++i)
        if (std::fabs(m_knots[i] - other.m_knots[i]) > m_tol)
            return false;
    return true;
}

int AcGeKnotVector::multiplicityAt(int i) const
{
    return i >= 0 && i < length() ? multiplicityAt(m_knots[i]) : 0;
}

int AcGeKnotVector::multiplicityAt(double param) const
{
    int m = 0;
    for (double k : m_knots)
        if (std::fabs(k - param) <= m_tol)
            ++m;
    return m;
}

int AcGeKnotVector::numIntervals() const
{
    AcGeDoubleArray distinct;
    getDistinctKnots(distinct);
    return std::max(0, distinct.length() - 1);
}

void AcGeKnotVector::getDistinctKnots(AcGeDoubleArray& knots) const
{
    knots.removeAll();
    for (double k : m_knots)
        if (knots.isEmpty() || k - knots.last() > m_tol)
            knots.append(k);
}

bool AcGeKnotVector::contains(double param) const
{
    return !isEmpty() && param >= startParam() - m_tol && param <= endParam() + m_tol;
}

bool AcGeKnotVector::isOn(double knot) const
{
    return multiplicityAt(knot) > 0;
}

AcGeKnotVector& AcGeKnotVector::set(int size, const double knots[], double tol)
{
    m_knots.removeAll();
    for (int i = 0; i < size; ++i)
        m_knots.append(knots[i]);
    m_tol = tol;
    return *this;
}

AcGeKnotVector& AcGeKnotVector::setLogicalLength(int size)
{
    m_knots.setLogicalLength(size);
    return *this;
}

int AcGeKnotVector::append(double knot)
{
    return m_knots.append(knot);
}

AcGeKnotVector& AcGeKnotVector::insertAt(int index, double knot, int multiplicity)
{
    for (int i = 0; i < multiplicity; ++i)
        m_knots.insertAt(index, knot);
    return *this;
}

AcGeKnotVector& AcGeKnotVector::removeAt(int index)
{
    m_knots.removeAt(index);
    return *this;
}

AcGeKnotVector& AcGeKnotVector::reverse()
{
    const double sum = startParam() + endParam();
    m_knots.reverse();
    for (double& k : m_knots)
        k = sum - k;
    return *this;
}

AcGeKnotVector& AcGeKnotVector::setRange(double lower, double upper)
{
    const double a = startParam(), b = endParam();
    if (b == a)
        return *this;
    for (double& k : m_knots)
        k = lower + (k - a) * (upper - lower) / (b - a);
    return *this;
}
