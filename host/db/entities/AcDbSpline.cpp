#include <acdb/AcDbSpline.h>
#include <acge/AcGeKnotVector.h>
#include <acge/AcGeNurbCurve3d.h>

#include "host/db/entities/DxfFields.h"
#include "host/db/entities/SplinePieces.h"

#include <algorithm>
#include <cmath>

ACRX_DEFINE_MEMBERS(AcDbSpline, AcDbCurve)

namespace {
// Spline flags of the drawing format (group 70).
constexpr int kClosedFlag = 1;
constexpr int kPeriodicFlag = 2;
constexpr int kRationalFlag = 4;
constexpr int kPlanarFlag = 8;
constexpr int kLinearFlag = 16;
} // namespace

AcDbSpline::AcDbSpline() = default;
AcDbSpline::~AcDbSpline() = default;

AcDbSpline::AcDbSpline(const AcDbSpline& other)
    : AcDbCurve(other), m_degree(other.m_degree), m_rational(other.m_rational), m_closed(other.m_closed),
      m_periodic(other.m_periodic), m_controlPoints(other.m_controlPoints), m_knots(other.m_knots),
      m_weights(other.m_weights), m_controlPtTol(other.m_controlPtTol), m_knotTol(other.m_knotTol),
      m_fitPoints(other.m_fitPoints), m_fitTolerance(other.m_fitTolerance), m_tangentsExist(other.m_tangentsExist),
      m_startTangent(other.m_startTangent), m_endTangent(other.m_endTangent), m_normal(other.m_normal)
{
    rebuildCurve();
}

AcDbSpline& AcDbSpline::operator=(const AcDbSpline& other)
{
    if (this == &other)
        return *this;
    AcDbCurve::operator=(other);
    m_degree = other.m_degree;
    m_rational = other.m_rational;
    m_closed = other.m_closed;
    m_periodic = other.m_periodic;
    m_controlPoints = other.m_controlPoints;
    m_knots = other.m_knots;
    m_weights = other.m_weights;
    m_controlPtTol = other.m_controlPtTol;
    m_knotTol = other.m_knotTol;
    m_fitPoints = other.m_fitPoints;
    m_fitTolerance = other.m_fitTolerance;
    m_tangentsExist = other.m_tangentsExist;
    m_startTangent = other.m_startTangent;
    m_endTangent = other.m_endTangent;
    m_normal = other.m_normal;
    rebuildCurve();
    return *this;
}

AcDbSpline::AcDbSpline(const AcGePoint3dArray& fitPoints, int order, double fitTolerance)
{
    setFitData(fitPoints, order - 1, fitTolerance, AcGeVector3d(), AcGeVector3d());
}

AcDbSpline::AcDbSpline(const AcGePoint3dArray& fitPoints, const AcGeVector3d& startTangent,
                       const AcGeVector3d& endTangent, int order, double fitTolerance)
{
    setFitData(fitPoints, order - 1, fitTolerance, startTangent, endTangent);
}

AcDbSpline::AcDbSpline(int degree, bool rational, bool closed, bool periodic, const AcGePoint3dArray& controlPoints,
                       const AcGeDoubleArray& knots, const AcGeDoubleArray& weights, double controlPtTol,
                       double knotTol)
{
    setNurbsData(degree, rational, closed, periodic, controlPoints, knots, weights, controlPtTol, knotTol);
}

void AcDbSpline::rebuildCurve()
{
    m_curve.reset();
    const int n = m_controlPoints.length();
    if (m_degree < 1 || n < m_degree + 1 || m_knots.length() != n + m_degree + 1)
        return;
    const AcGeKnotVector knots(m_knots, std::max(m_knotTol, 1e-12));
    if (m_rational && m_weights.length() == n)
        m_curve = std::make_unique<AcGeNurbCurve3d>(m_degree, knots, m_controlPoints, m_weights, false);
    else
        m_curve = std::make_unique<AcGeNurbCurve3d>(m_degree, knots, m_controlPoints, false);
}

bool AcDbSpline::isClosed() const
{
    if (m_closed || m_periodic)
        return true;
    AcGePoint3d a, b;
    return getStartPoint(a) == Acad::eOk && getEndPoint(b) == Acad::eOk && a.isEqualTo(b);
}

Acad::ErrorStatus AcDbSpline::getControlPointAt(int index, AcGePoint3d& point) const
{
    if (index < 0 || index >= m_controlPoints.length())
        return Acad::eInvalidIndex;
    point = m_controlPoints[index];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setControlPointAt(int index, const AcGePoint3d& point)
{
    if (index < 0 || index >= m_controlPoints.length())
        return Acad::eInvalidIndex;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    m_controlPoints[index] = point;
    m_fitPoints.removeAll();
    rebuildCurve();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getWeightAt(int index, double& weight) const
{
    if (index < 0 || index >= m_controlPoints.length())
        return Acad::eInvalidIndex;
    weight = m_rational && index < m_weights.length() ? m_weights[index] : 1.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getFitPointAt(int index, AcGePoint3d& point) const
{
    if (index < 0 || index >= m_fitPoints.length())
        return Acad::eInvalidIndex;
    point = m_fitPoints[index];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getNurbsData(int& degree, bool& rational, bool& closed, bool& periodic,
                                           AcGePoint3dArray& controlPoints, AcGeDoubleArray& knots,
                                           AcGeDoubleArray& weights, double& controlPtTol, double& knotTol) const
{
    if (!m_curve)
        return Acad::eDegenerateGeometry;
    degree = m_degree;
    rational = m_rational;
    closed = isClosed();
    periodic = m_periodic;
    controlPoints = m_controlPoints;
    knots = m_knots;
    weights = m_rational ? m_weights : AcGeDoubleArray();
    controlPtTol = m_controlPtTol;
    knotTol = m_knotTol;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setNurbsData(int degree, bool rational, bool closed, bool periodic,
                                           const AcGePoint3dArray& controlPoints, const AcGeDoubleArray& knots,
                                           const AcGeDoubleArray& weights, double controlPtTol, double knotTol)
{
    const int n = controlPoints.length();
    if (degree < 1 || n < degree + 1 || knots.length() != n + degree + 1)
        return Acad::eInvalidInput;
    for (int i = 1; i < knots.length(); ++i)
        if (knots[i] < knots[i - 1])
            return Acad::eInvalidInput;
    if (!(knots[n] > knots[degree]))
        return Acad::eInvalidInput;
    if (rational) {
        if (weights.length() != n)
            return Acad::eInvalidInput;
        for (double w : weights)
            if (!(w > 0.0))
                return Acad::eInvalidInput;
    }
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    m_degree = degree;
    m_rational = rational;
    m_closed = closed;
    m_periodic = periodic;
    m_controlPoints = controlPoints;
    m_knots = knots;
    m_weights = rational ? weights : AcGeDoubleArray();
    m_controlPtTol = controlPtTol;
    m_knotTol = knotTol;
    m_fitPoints.removeAll();
    m_tangentsExist = false;
    rebuildCurve();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getFitData(AcGePoint3dArray& fitPoints, int& degree, double& fitTolerance,
                                         bool& tangentsExist, AcGeVector3d& startTangent,
                                         AcGeVector3d& endTangent) const
{
    if (m_fitPoints.isEmpty())
        return Acad::eNotApplicable;
    fitPoints = m_fitPoints;
    degree = m_degree;
    fitTolerance = m_fitTolerance;
    tangentsExist = m_tangentsExist;
    startTangent = m_startTangent;
    endTangent = m_endTangent;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setFitData(const AcGePoint3dArray& fitPoints, int degree, double fitTolerance,
                                         const AcGeVector3d& startTangent, const AcGeVector3d& endTangent)
{
    if (fitPoints.length() < 2 || degree < 1)
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    const bool startDefined = !startTangent.isZeroLength();
    const bool endDefined = !endTangent.isZeroLength();
    AcGeTol tol;
    tol.setEqualPoint(std::max(fitTolerance, 1e-10));
    AcGeNurbCurve3d curve(fitPoints, startTangent, endTangent, startDefined, endDefined, tol);
    int d;
    bool rational, periodic;
    AcGeKnotVector knots;
    AcGePoint3dArray points;
    AcGeDoubleArray weights;
    curve.getDefinitionData(d, rational, periodic, knots, points, weights);
    if (points.length() < 2)
        return Acad::eInvalidInput;
    m_degree = d;
    m_rational = false;
    m_periodic = false;
    m_closed = false;
    m_controlPoints = points;
    m_knots.removeAll();
    for (int i = 0; i < knots.length(); ++i)
        m_knots.append(knots[i]);
    m_weights.removeAll();
    m_fitPoints = fitPoints;
    m_fitTolerance = fitTolerance;
    m_tangentsExist = startDefined || endDefined;
    m_startTangent = startTangent;
    m_endTangent = endTangent;
    rebuildCurve();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::purgeFitData()
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk) {
        m_fitPoints.removeAll();
        m_tangentsExist = false;
    }
    return es;
}

Acad::ErrorStatus AcDbSpline::getStartParam(double& param) const
{
    if (!m_curve)
        return Acad::eDegenerateGeometry;
    param = m_knots[m_degree];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getEndParam(double& param) const
{
    if (!m_curve)
        return Acad::eDegenerateGeometry;
    param = m_knots[m_controlPoints.length()];
    return Acad::eOk;
}

void AcDbSpline::getSpans(std::vector<Span>& spans) const
{
    spans.clear();
    if (!m_curve)
        return;
    const double start = m_knots[m_degree], end = m_knots[m_controlPoints.length()];
    double at = start;
    for (int i = m_degree + 1; i <= m_controlPoints.length(); ++i) {
        const double k = m_knots[i];
        if (k > at) {
            spans.push_back(Span{at, std::min(k, end), m_degree == 1 && !m_rational});
            at = k;
        }
    }
    if (spans.empty())
        spans.push_back(Span{start, end, false});
}

bool AcDbSpline::evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1, AcGeVector3d* d2) const
{
    if (!m_curve)
        return false;
    AcGeVector3dArray derivs;
    point = m_curve->evalPoint(param, 2, derivs);
    if (d1)
        *d1 = derivs.length() > 0 ? derivs[0] : AcGeVector3d();
    if (d2)
        *d2 = derivs.length() > 1 ? derivs[1] : AcGeVector3d();
    return true;
}

AcDbCurve* AcDbSpline::makePiece(double t0, double t1) const
{
    dh::db::NurbsData whole;
    whole.degree = m_degree;
    whole.points = m_controlPoints;
    whole.knots = m_knots;
    if (m_rational)
        whole.weights = m_weights;
    double start, end;
    getStartParam(start);
    getEndParam(end);
    dh::db::NurbsData piece;
    if (t1 <= end + 1e-12) {
        if (!dh::db::nurbsStretch(whole, t0, std::min(t1, end), piece))
            return nullptr;
    } else {
        // A piece of a closed spline running on over its start.
        dh::db::NurbsData a, b;
        const bool hasA = end - t0 > 1e-12 && dh::db::nurbsStretch(whole, t0, end, a);
        const bool hasB = dh::db::nurbsStretch(whole, start, start + (t1 - end), b);
        if (!hasB)
            return nullptr;
        piece = hasA ? dh::db::joinNurbs(a, b) : b;
    }
    auto* out = new AcDbSpline(piece.degree, !piece.weights.isEmpty(), false, false, piece.points, piece.knots,
                               piece.weights);
    out->m_normal = m_normal;
    return out;
}

Acad::ErrorStatus AcDbSpline::getSpline(AcDbSpline*& spline) const
{
    auto* copy = new AcDbSpline(*this);
    copy->setPropertiesFrom(this);
    spline = copy;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getGeomExtents(AcDbExtents& extents) const
{
    if (!m_curve)
        return Acad::eInvalidExtents;
    return AcDbCurve::getGeomExtents(extents);
}

Acad::ErrorStatus AcDbSpline::transformBy(const AcGeMatrix3d& xform)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    for (AcGePoint3d& p : m_controlPoints)
        p.transformBy(xform);
    for (AcGePoint3d& p : m_fitPoints)
        p.transformBy(xform);
    m_startTangent.transformBy(xform);
    m_endTangent.transformBy(xform);
    AcGeVector3d n = m_normal;
    n.transformBy(xform);
    if (!n.isZeroLength())
        m_normal = n.normal();
    rebuildCurve();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbSpline");
    filer->writeVector3d(210, m_normal);
    int flags = (m_closed ? kClosedFlag : 0) | (m_periodic ? kPeriodicFlag : 0) | (m_rational ? kRationalFlag : 0);
    if (isPlanar())
        flags |= kPlanarFlag;
    if (m_degree == 1 && m_controlPoints.length() == 2)
        flags |= kLinearFlag;
    filer->writeInt16(70, static_cast<std::int16_t>(flags));
    filer->writeInt16(71, static_cast<std::int16_t>(m_degree));
    filer->writeInt16(72, static_cast<std::int16_t>(m_knots.length()));
    filer->writeInt16(73, static_cast<std::int16_t>(m_controlPoints.length()));
    filer->writeInt16(74, static_cast<std::int16_t>(m_fitPoints.length()));
    filer->writeDouble(42, m_knotTol);
    filer->writeDouble(43, m_controlPtTol);
    filer->writeDouble(44, m_fitTolerance);
    if (m_tangentsExist) {
        filer->writeVector3d(12, m_startTangent);
        filer->writeVector3d(13, m_endTangent);
    }
    for (double k : m_knots)
        filer->writeDouble(40, k);
    if (m_rational)
        for (double w : m_weights)
            filer->writeDouble(41, w);
    for (const AcGePoint3d& p : m_controlPoints)
        filer->writePoint3d(10, p);
    for (const AcGePoint3d& p : m_fitPoints)
        filer->writePoint3d(11, p);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    int flags = 0, degree = 3;
    AcGePoint3dArray controlPoints, fitPoints;
    AcGeDoubleArray knots, weights;
    AcGeVector3d startTangent, endTangent;
    double knotTol = 1e-10, cpTol = 1e-10, fitTol = 0.0;
    es = dh::db::readSubclass(filer, "AcDbSpline", [&](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 210: m_normal = dh::db::tagNormal(tag); break;
        case 70: flags = static_cast<int>(tag.integer); break;
        case 71: degree = static_cast<int>(tag.integer); break;
        case 42: knotTol = tag.real(); break;
        case 43: cpTol = tag.real(); break;
        case 44: fitTol = tag.real(); break;
        case 12: startTangent = dh::db::tagVector(tag); break;
        case 13: endTangent = dh::db::tagVector(tag); break;
        case 40: knots.append(tag.real()); break;
        case 41: weights.append(tag.real()); break;
        case 10: controlPoints.append(dh::db::tagPoint(tag)); break;
        case 11: fitPoints.append(dh::db::tagPoint(tag)); break;
        default: break;
        }
    });
    if (es != Acad::eOk)
        return es;
    const bool rational = (flags & kRationalFlag) != 0 && weights.length() == controlPoints.length();
    if (setNurbsData(degree, rational, (flags & kClosedFlag) != 0, (flags & kPeriodicFlag) != 0, controlPoints,
                     knots, weights, cpTol, knotTol)
            != Acad::eOk
        && !(fitPoints.length() >= 2
             && setFitData(fitPoints, degree, fitTol, startTangent, endTangent) == Acad::eOk)) {
        filer->reportError("SPLINE without usable control points or fit points");
        return Acad::eInvalidInput;
    }
    // Fit data read with control points stays with them (setNurbsData dropped it).
    if (m_fitPoints.isEmpty() && fitPoints.length() >= 2) {
        m_fitPoints = fitPoints;
        m_fitTolerance = fitTol;
        m_startTangent = startTangent;
        m_endTangent = endTangent;
        m_tangentsExist = !startTangent.isZeroLength() || !endTangent.isZeroLength();
    }
    return Acad::eOk;
}
