#include <acge/AcGeLine3d.h>
#include <acge/AcGeLineSeg3d.h>
#include <acge/AcGeLine2d.h>
#include <acge/AcGeLineSeg2d.h>

#include <algorithm>
#include <cmath>


void AcGeLinearEnt3d::getLine(AcGeLine3d& line) const
{
    line.set(m_point, m_vector);
}

bool AcGeLinearEnt3d::isParallelTo(const AcGeLinearEnt3d& other, const AcGeTol& tol) const
{
    return m_vector.isParallelTo(other.m_vector, tol);
}

bool AcGeLinearEnt3d::isPerpendicularTo(const AcGeLinearEnt3d& other, const AcGeTol& tol) const
{
    return m_vector.isPerpendicularTo(other.m_vector, tol);
}

bool AcGeLinearEnt3d::isColinearTo(const AcGeLinearEnt3d& other, const AcGeTol& tol) const
{
    if (!isParallelTo(other, tol))
        return false;
    const AcGeVector3d u = direction();
    return u.crossProduct(other.m_point - m_point).length() <= tol.equalPoint();
}

AcGePoint3d AcGeLinearEnt3d::evalPoint(double param, int numDeriv, AcGeVector3dArray& derivs) const
{
    derivs.removeAll();
    for (int i = 0; i < numDeriv; ++i)
        derivs.append(i == 0 ? m_vector : AcGeVector3d());
    return evalPoint(param);
}

AcGeLinearEnt3d& AcGeLinearEnt3d::transformBy(const AcGeMatrix3d& xform)
{
    m_point.transformBy(xform);
    m_vector.transformBy(xform);
    return *this;
}

double AcGeLinearEnt3d::projClosestParamTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection,
                                           bool extend) const
{
    const AcGeVector3d n = projectDirection.normal();
    const AcGeVector3d v = n.isZeroLength() ? m_vector : m_vector.orthoProject(n);
    const AcGeVector3d w = n.isZeroLength() ? pnt - m_point : (pnt - m_point).orthoProject(n);
    const double len2 = v.lengthSqrd();
    // A line seen end-on projects to a point: every parameter is equally near; take 0.
    const double t = len2 > 0.0 ? w.dotProduct(v) / len2 : 0.0;
    if (extend)
        return t;
    double lo, hi;
    getBounds(lo, hi, 1e300);
    return std::clamp(t, lo, hi);
}

AcGeCurve2d* AcGeLinearEnt3d::convertTo2d(const AcGePlanarEnt& plane) const
{
    const AcGePoint2d p = m_point.convert2d(plane);
    const AcGeVector2d v = m_vector.convert2d(plane);
    if (isKindOf(AcGe::kLineSeg3d))
        return new AcGeLineSeg2d(p, v);
    return new AcGeLine2d(p, v);
}

double AcGeLinearEnt3d::paramOf(const AcGePoint3d& pnt, const AcGeTol&) const
{
    const double len2 = m_vector.lengthSqrd();
    return len2 > 0.0 ? (pnt - m_point).dotProduct(m_vector) / len2 : 0.0;
}

double AcGeLinearEnt3d::closestParamTo(const AcGePoint3d& pnt, bool extend) const
{
    const double t = paramOf(pnt);
    if (extend)
        return t;
    double lo, hi;
    getBounds(lo, hi, 1e300);
    return std::clamp(t, lo, hi);
}

void AcGeLinearEnt3d::getSamplePoints(double fromParam, double toParam, double, AcGePoint3dArray& pointArray,
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

double AcGeLinearEnt3d::length(double fromParam, double toParam, double) const
{
    return std::fabs(toParam - fromParam) * m_vector.length();
}

double AcGeLinearEnt3d::paramAtLength(double datumParam, double length, bool posParamDir, double) const
{
    const double scale = m_vector.length();
    if (scale == 0.0)
        return datumParam;
    return datumParam + (posParamDir ? length : -length) / scale;
}

void AcGeLinearEnt3d::getExtents(AcGePoint3d& minPoint, AcGePoint3d& maxPoint) const
{
    double lo, hi;
    getBounds(lo, hi, 1e300);
    if (lo == -1e300 || hi == 1e300) {
        minPoint.set(-1e300, -1e300, -1e300);
        maxPoint.set(1e300, 1e300, 1e300);
        return;
    }
    const AcGePoint3d a = evalPoint(lo), b = evalPoint(hi);
    minPoint.set(std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z));
    maxPoint.set(std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z));
}

AcGeLine3d& AcGeLine3d::set(const AcGePoint3d& point, const AcGeVector3d& vector)
{
    m_point = point;
    m_vector = vector;
    return *this;
}

AcGeLine3d& AcGeLine3d::set(const AcGePoint3d& point1, const AcGePoint3d& point2)
{
    return set(point1, point2 - point1);
}

AcGeLine3d& AcGeLine3d::reverseParam()
{
    m_vector.negate();
    return *this;
}

AcGeLineSeg3d& AcGeLineSeg3d::set(const AcGePoint3d& start, const AcGePoint3d& end)
{
    m_point = start;
    m_vector = end - start;
    return *this;
}

AcGeLineSeg3d& AcGeLineSeg3d::set(const AcGePoint3d& start, const AcGeVector3d& vector)
{
    m_point = start;
    m_vector = vector;
    return *this;
}

AcGeLineSeg3d& AcGeLineSeg3d::reverseParam()
{
    m_point = endPoint();
    m_vector.negate();
    return *this;
}
