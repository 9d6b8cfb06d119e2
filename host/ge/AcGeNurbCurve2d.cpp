#include <acge/AcGeNurbCurve2d.h>

#include <algorithm>

namespace {

AcGePoint3dArray lift(const AcGePoint2dArray& pts)
{
    AcGePoint3dArray out;
    for (const AcGePoint2d& p : pts)
        out.append(AcGePoint3d(p, 0.0));
    return out;
}

AcGeVector3d lift(const AcGeVector2d& v)
{
    return AcGeVector3d(v.x, v.y, 0.0);
}

} // namespace

AcGeNurbCurve2d::AcGeNurbCurve2d(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& controlPoints,
                                 bool isPeriodic)
    : m_curve(degree, knots, lift(controlPoints), isPeriodic)
{
}

AcGeNurbCurve2d::AcGeNurbCurve2d(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& controlPoints,
                                 const AcGeDoubleArray& weights, bool isPeriodic)
    : m_curve(degree, knots, lift(controlPoints), weights, isPeriodic)
{
}

AcGeNurbCurve2d::AcGeNurbCurve2d(const AcGePoint2dArray& fitPoints, const AcGeVector2d& startTangent,
                                 const AcGeVector2d& endTangent, bool startTangentDefined, bool endTangentDefined,
                                 const AcGeTol& fitTolerance)
    : m_curve(lift(fitPoints), lift(startTangent), lift(endTangent), startTangentDefined, endTangentDefined,
              fitTolerance)
{
}

AcGeNurbCurve2d::AcGeNurbCurve2d(const AcGePoint2dArray& fitPoints, const AcGeTol& fitTolerance)
    : m_curve(lift(fitPoints), fitTolerance)
{
}

AcGeNurbCurve2d::AcGeNurbCurve2d(const AcGeNurbCurve3d& curve)
{
    int degree = 0;
    bool rational = false, periodic = false;
    AcGeKnotVector knots;
    AcGePoint3dArray ctrl;
    AcGeDoubleArray weights;
    curve.getDefinitionData(degree, rational, periodic, knots, ctrl, weights);
    for (AcGePoint3d& p : ctrl)
        p.z = 0.0;
    m_curve = AcGeNurbCurve3d(degree, knots, ctrl, weights, periodic);
}

void AcGeNurbCurve2d::getDefinitionData(int& degree, bool& rational, bool& periodic, AcGeKnotVector& knots,
                                        AcGePoint2dArray& controlPoints, AcGeDoubleArray& weights) const
{
    AcGePoint3dArray ctrl;
    m_curve.getDefinitionData(degree, rational, periodic, knots, ctrl, weights);
    controlPoints.removeAll();
    for (const AcGePoint3d& p : ctrl)
        controlPoints.append(p.convert2d());
}

bool AcGeNurbCurve2d::getFitData(AcGePoint2dArray& fitPoints, AcGeTol& fitTolerance, bool& tangentsExist,
                                 AcGeVector2d& startTangent, AcGeVector2d& endTangent) const
{
    AcGePoint3dArray fit;
    AcGeVector3d s, e;
    if (!m_curve.getFitData(fit, fitTolerance, tangentsExist, s, e))
        return false;
    fitPoints.removeAll();
    for (const AcGePoint3d& p : fit)
        fitPoints.append(p.convert2d());
    startTangent = s.convert2d();
    endTangent = e.convert2d();
    return true;
}

AcGeNurbCurve2d& AcGeNurbCurve2d::makeOpen()
{
    m_curve.makeOpen();
    return *this;
}

AcGeNurbCurve2d& AcGeNurbCurve2d::makeClosed()
{
    m_curve.makeClosed();
    return *this;
}

AcGeNurbCurve2d& AcGeNurbCurve2d::transformBy(const AcGeMatrix2d& xform)
{
    AcGeMatrix3d m;
    m.entry[0][0] = xform.entry[0][0];
    m.entry[0][1] = xform.entry[0][1];
    m.entry[0][3] = xform.entry[0][2];
    m.entry[1][0] = xform.entry[1][0];
    m.entry[1][1] = xform.entry[1][1];
    m.entry[1][3] = xform.entry[1][2];
    m_curve.transformBy(m);
    return *this;
}

AcGePoint2d AcGeNurbCurve2d::evalPoint(double param, int numDeriv, AcGeVector2dArray& derivs) const
{
    AcGeVector3dArray d;
    const AcGePoint3d p = m_curve.evalPoint(param, numDeriv, d);
    derivs.removeAll();
    for (const AcGeVector3d& v : d)
        derivs.append(v.convert2d());
    return p.convert2d();
}

AcGeNurbCurve2d& AcGeNurbCurve2d::reverseParam()
{
    m_curve.reverseParam();
    return *this;
}

void AcGeNurbCurve2d::getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const
{
    AcGePoint3d lo, hi;
    m_curve.getExtents(lo, hi);
    minPoint = lo.convert2d();
    maxPoint = hi.convert2d();
}

std::vector<double> AcGeNurbCurve2d::paramGrid(double from, double to) const
{
    return static_cast<const AcGeCurve3d&>(m_curve).paramGrid(from, to);
}
