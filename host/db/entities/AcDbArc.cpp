#include <acdb/AcDbArc.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbSpline.h>

#include "host/db/entities/CurveMath.h"
#include "host/db/entities/DxfFields.h"
#include "host/db/entities/NurbsBuilder.h"

#include <cmath>
#include <numbers>

ACRX_DEFINE_MEMBERS(AcDbArc, AcDbCurve)

using dh::db::normalizeAngle;

AcDbArc::AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle)
    : AcDbArc(center, AcGeVector3d::kZAxis, radius, startAngle, endAngle)
{
}

AcDbArc::AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle,
                 double endAngle)
    : m_center(center), m_radius(radius), m_startAngle(normalizeAngle(startAngle)),
      m_endAngle(normalizeAngle(endAngle)), m_normal(normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal())
{
}

Acad::ErrorStatus AcDbArc::setCenter(const AcGePoint3d& center)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_center = center;
    return es;
}

Acad::ErrorStatus AcDbArc::setRadius(double radius)
{
    if (!(radius > 0.0))
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_radius = radius;
    return es;
}

Acad::ErrorStatus AcDbArc::setStartAngle(double angle)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_startAngle = normalizeAngle(angle);
    return es;
}

Acad::ErrorStatus AcDbArc::setEndAngle(double angle)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_endAngle = normalizeAngle(angle);
    return es;
}

Acad::ErrorStatus AcDbArc::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_normal = normal.normal();
    return es;
}

Acad::ErrorStatus AcDbArc::setThickness(double thickness)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_thickness = thickness;
    return es;
}

double AcDbArc::totalAngle() const
{
    double sweep = m_endAngle - m_startAngle;
    if (sweep < 0.0)
        sweep += 2.0 * std::numbers::pi;
    return sweep;
}

Acad::ErrorStatus AcDbArc::getStartParam(double& param) const
{
    param = m_startAngle;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getEndParam(double& param) const
{
    param = m_startAngle + totalAngle();
    return Acad::eOk;
}

void AcDbArc::getSpans(std::vector<Span>& spans) const
{
    spans.assign(1, Span{m_startAngle, m_startAngle + totalAngle(), true});
}

bool AcDbArc::evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1, AcGeVector3d* d2) const
{
    dh::db::evalCircle(m_center, m_normal, m_radius, param, point, d1, d2);
    return true;
}

Acad::ErrorStatus AcDbArc::getGeomExtents(AcDbExtents& extents) const
{
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    const double sweep = totalAngle();
    AcDbExtents box;
    AcGePoint3d end;
    dh::db::evalCircle(m_center, m_normal, m_radius, m_startAngle, end, nullptr, nullptr);
    box.addPoint(end);
    dh::db::evalCircle(m_center, m_normal, m_radius, m_startAngle + sweep, end, nullptr, nullptr);
    box.addPoint(end);
    dh::db::addArcExtremes(m_center, x, y, m_radius, m_startAngle, sweep, box);
    extents = box;
    return Acad::eOk;
}

AcDbCurve* AcDbArc::makePiece(double t0, double t1) const
{
    auto* arc = new AcDbArc(*this);
    arc->m_startAngle = normalizeAngle(t0);
    arc->m_endAngle = normalizeAngle(t1);
    return arc;
}

Acad::ErrorStatus AcDbArc::getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                             bool extend) const
{
    if (!extend)
        return AcDbCurve::getClosestPointTo(givenPoint, pointOnCurve, false);
    return AcDbCircle(m_center, m_normal, m_radius).getClosestPointTo(givenPoint, pointOnCurve, false);
}

Acad::ErrorStatus AcDbArc::getClosestPointTo(const AcGePoint3d& givenPoint, const AcGeVector3d& normal,
                                             AcGePoint3d& pointOnCurve, bool extend) const
{
    if (!extend)
        return AcDbCurve::getClosestPointTo(givenPoint, normal, pointOnCurve, false);
    return AcDbCircle(m_center, m_normal, m_radius).getClosestPointTo(givenPoint, normal, pointOnCurve, false);
}

Acad::ErrorStatus AcDbArc::getSpline(AcDbSpline*& spline) const
{
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    dh::db::NurbsBuilder builder;
    builder.addArc(m_center, x * m_radius, y * m_radius, m_startAngle, m_startAngle + totalAngle());
    spline = builder.makeSpline(false);
    spline->setPropertiesFrom(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    plane.set(m_center, m_normal);
    planarity = AcDb::kPlanar;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::extend(double newParam)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    double start, end;
    getStartParam(start);
    getEndParam(end);
    if (!std::isfinite(newParam) || newParam - start >= 2.0 * std::numbers::pi || end - newParam >= 2.0 * std::numbers::pi)
        return Acad::eInvalidInput;
    if (newParam < start)
        m_startAngle = normalizeAngle(newParam);
    else if (newParam > end)
        m_endAngle = normalizeAngle(newParam);
    else
        return Acad::eInvalidInput;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::extend(bool extendStart, const AcGePoint3d& toPoint)
{
    AcGePoint3d onCircle;
    AcDbCircle(m_center, m_normal, m_radius).getClosestPointTo(toPoint, onCircle, false);
    if (onCircle.distanceTo(toPoint) > onCurveTolerance())
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    const AcGeVector3d v = toPoint - m_center;
    const double angle = normalizeAngle(std::atan2(v.dotProduct(y), v.dotProduct(x)));
    (extendStart ? m_startAngle : m_endAngle) = angle;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::transformBy(const AcGeMatrix3d& xform)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    AcGePoint3d center = m_center;
    AcGeVector3d normal = m_normal;
    double radius = m_radius, offset = 0.0;
    if (!dh::db::transformCircle(xform, center, normal, radius, offset))
        return Acad::eNotApplicable;
    m_thickness *= m_radius > 0.0 ? radius / m_radius : 1.0;
    m_center = center;
    m_normal = normal;
    m_radius = radius;
    m_startAngle = normalizeAngle(m_startAngle + offset);
    m_endAngle = normalizeAngle(m_endAngle + offset);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbCircle");
    dh::db::writeThickness(filer, m_thickness);
    filer->writePoint3d(10, AcGePoint3d(m_center).transformBy(AcGeMatrix3d::worldToPlane(m_normal)));
    filer->writeDouble(40, m_radius);
    dh::db::writeNormal(filer, m_normal);
    filer->writeSubclass("AcDbArc");
    filer->writeDouble(50, m_startAngle * 180.0 / std::numbers::pi);
    filer->writeDouble(51, m_endAngle * 180.0 / std::numbers::pi);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    AcGePoint3d ocsCenter;
    es = dh::db::readSubclass(filer, "AcDbCircle", [&](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 10: ocsCenter = dh::db::tagPoint(tag); break;
        case 40: m_radius = tag.real(); break;
        case 39: m_thickness = tag.real(); break;
        case 210: m_normal = dh::db::tagNormal(tag); break;
        default: break;
        }
    });
    if (es != Acad::eOk)
        return es;
    m_center = ocsCenter.transformBy(AcGeMatrix3d::planeToWorld(m_normal));
    return dh::db::readSubclass(filer, "AcDbArc", [&](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 50: m_startAngle = normalizeAngle(tag.real() * std::numbers::pi / 180.0); break;
        case 51: m_endAngle = normalizeAngle(tag.real() * std::numbers::pi / 180.0); break;
        default: break;
        }
    });
}
