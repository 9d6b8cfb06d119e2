#include <acge/AcGeLine2d.h>
#include <acge/AcGeLineSeg2d.h>


#include <algorithm>
#include <cmath>

const AcGeLine2d AcGeLine2d::kXAxis(AcGePoint2d(0.0, 0.0), AcGeVector2d(1.0, 0.0));
const AcGeLine2d AcGeLine2d::kYAxis(AcGePoint2d(0.0, 0.0), AcGeVector2d(0.0, 1.0));


void AcGeLinearEnt2d::getLine(AcGeLine2d& line) const
{
    line.set(m_point, m_vector);
}

bool AcGeLinearEnt2d::isParallelTo(const AcGeLinearEnt2d& other, const AcGeTol& tol) const
{
    return m_vector.isParallelTo(other.m_vector, tol);
}

bool AcGeLinearEnt2d::isPerpendicularTo(const AcGeLinearEnt2d& other, const AcGeTol& tol) const
{
    return m_vector.isPerpendicularTo(other.m_vector, tol);
}

bool AcGeLinearEnt2d::isColinearTo(const AcGeLinearEnt2d& other, const AcGeTol& tol) const
{
    if (!isParallelTo(other, tol))
        return false;
    const AcGeVector2d u = direction();
    return std::fabs(u.crossProduct(other.m_point - m_point)) <= tol.equalPoint();
}

bool AcGeLinearEnt2d::intersectWith(const AcGeLinearEnt2d& other, AcGePoint2d& pnt, const AcGeTol& tol) const
{
    const double denom = m_vector.crossProduct(other.m_vector);
    if (isParallelTo(other, tol) || denom == 0.0)
        return false;
    const AcGeVector2d w = other.m_point - m_point;
    const double t = w.crossProduct(other.m_vector) / denom;
    const double s = w.crossProduct(m_vector) / denom;
    const AcGePoint2d p = evalPoint(t);
    // Within both intervals, measured in length so that the tolerance is a distance.
    if (!isOn(p, tol) || !other.isOn(other.evalPoint(s), tol) || !other.isOn(p, tol))
        return false;
    pnt = p;
    return true;
}

AcGePoint2d AcGeLinearEnt2d::evalPoint(double param, int numDeriv, AcGeVector2dArray& derivs) const
{
    derivs.removeAll();
    for (int i = 0; i < numDeriv; ++i)
        derivs.append(i == 0 ? m_vector : AcGeVector2d());
    return evalPoint(param);
}

AcGeLinearEnt2d& AcGeLinearEnt2d::transformBy(const AcGeMatrix2d& xform)
{
    m_point.transformBy(xform);
    m_vector.transformBy(xform);
    return *this;
}

double AcGeLinearEnt2d::paramOf(const AcGePoint2d& pnt, const AcGeTol&) const
{
    const double len2 = m_vector.lengthSqrd();
    return len2 > 0.0 ? (pnt - m_point).dotProduct(m_vector) / len2 : 0.0;
}

double AcGeLinearEnt2d::closestParamTo(const AcGePoint2d& pnt, bool extend) const
{
    const double t = paramOf(pnt);
    if (extend)
        return t;
    double lo, hi;
    getBounds(lo, hi, 1e300);
    return std::clamp(t, lo, hi);
}

void AcGeLinearEnt2d::getSamplePoints(double fromParam, double toParam, double, AcGePoint2dArray& pointArray,
                                      AcGeDoubleArray& paramArray) const
{
    pointArray.removeAll();
    paramArray.removeAll();
    pointArray.append(evalPoint(fromParam));
    paramArray.append(fromParam);
    if (toParam != fromParam) {
        pointArray.append(evalPoint(toParam));
        paramArray.append(toParam);
    }
}

double AcGeLinearEnt2d::length(double fromParam, double toParam, double) const
{
    return std::fabs(toParam - fromParam) * m_vector.length();
}

double AcGeLinearEnt2d::paramAtLength(double datumParam, double length, bool posParamDir, double) const
{
    const double scale = m_vector.length();
    if (scale == 0.0)
        return datumParam;
    return datumParam + (posParamDir ? length : -length) / scale;
}

void AcGeLinearEnt2d::getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const
{
    double lo, hi;
    getBounds(lo, hi, 1e300);
    if (lo == -1e300 || hi == 1e300) {
        minPoint.set(-1e300, -1e300);
        maxPoint.set(1e300, 1e300);
        return;
    }
    const AcGePoint2d a = evalPoint(lo), b = evalPoint(hi);
    minPoint.set(std::min(a.x, b.x), std::min(a.y, b.y));
    maxPoint.set(std::max(a.x, b.x), std::max(a.y, b.y));
}

AcGeLine2d& AcGeLine2d::set(const AcGePoint2d& point, const AcGeVector2d& vector)
{
    m_point = point;
    m_vector = vector;
    return *this;
}

AcGeLine2d& AcGeLine2d::set(const AcGePoint2d& point1, const AcGePoint2d& point2)
{
    return set(point1, point2 - point1);
}

AcGeLine2d& AcGeLine2d::reverseParam()
{
    m_vector.negate();
    return *this;
}

AcGeLineSeg2d& AcGeLineSeg2d::set(const AcGePoint2d& start, const AcGePoint2d& end)
{
    m_point = start;
    m_vector = end - start;
    return *this;
}

AcGeLineSeg2d& AcGeLineSeg2d::set(const AcGePoint2d& start, const AcGeVector2d& vector)
{
    m_point = start;
    m_vector = vector;
    return *this;
}

AcGeLineSeg2d& AcGeLineSeg2d::reverseParam()
{
    m_point = endPoint();
    m_vector.negate();
    return *this;
}
