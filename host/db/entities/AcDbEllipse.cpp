#include <acdb/AcDbEllipse.h>
#include <acdb/AcDbSpline.h>

#include "host/db/entities/CurveMath.h"
#include "host/db/entities/DxfFields.h"
#include "host/db/entities/NurbsBuilder.h"

#include <cmath>
#include <numbers>

ACRX_DEFINE_MEMBERS(AcDbEllipse, AcDbCurve)

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
}

AcDbEllipse::AcDbEllipse(const AcGePoint3d& center, const AcGeVector3d& unitNormal, const AcGeVector3d& majorAxis,
                         double radiusRatio, double startAngle, double endAngle)
{
    set(center, unitNormal, majorAxis, radiusRatio, startAngle, endAngle);
}

Acad::ErrorStatus AcDbEllipse::set(const AcGePoint3d& center, const AcGeVector3d& unitNormal,
                                   const AcGeVector3d& majorAxis, double radiusRatio, double startAngle,
                                   double endAngle)
{
    if (!(radiusRatio > 0.0 && radiusRatio <= 1.0 + 1e-12) || majorAxis.isZeroLength() || unitNormal.isZeroLength()
        || majorAxis.isParallelTo(unitNormal))
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    m_center = center;
    m_normal = unitNormal.normal();
    // The major axis is kept in the plane of the normal.
    m_major = majorAxis - m_normal * majorAxis.dotProduct(m_normal);
    m_ratio = std::min(radiusRatio, 1.0);
    const double full = std::fabs(endAngle - startAngle);
    if (full >= kTwoPi - 1e-12 || full == 0.0)
        setParams(paramAtAngle(startAngle), paramAtAngle(startAngle) + kTwoPi);
    else
        setParams(paramAtAngle(startAngle), paramAtAngle(endAngle));
    return Acad::eOk;
}

void AcDbEllipse::setParams(double start, double end)
{
    const bool full = end - start >= kTwoPi - 1e-12;
    m_startParam = dh::db::normalizeAngle(start);
    if (full) {
        m_endParam = m_startParam + kTwoPi;
        return;
    }
    double sweep = dh::db::normalizeAngle(end) - m_startParam;
    if (sweep <= 0.0)
        sweep += kTwoPi;
    m_endParam = m_startParam + sweep;
}

Acad::ErrorStatus AcDbEllipse::setCenter(const AcGePoint3d& center)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_center = center;
    return es;
}

AcGeVector3d AcDbEllipse::minorAxis() const
{
    return m_normal.crossProduct(m_major) * m_ratio;
}

Acad::ErrorStatus AcDbEllipse::setRadiusRatio(double ratio)
{
    if (!(ratio > 0.0 && ratio <= 1.0))
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_ratio = ratio;
    return es;
}

Acad::ErrorStatus AcDbEllipse::setStartParam(double param)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        setParams(param, isClosed() ? param + kTwoPi - 1e-9 : m_endParam);
    return es;
}

Acad::ErrorStatus AcDbEllipse::setEndParam(double param)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        setParams(m_startParam, param);
    return es;
}

double AcDbEllipse::paramAtAngle(double angle) const
{
    // Polar angle a of the point (cos t, ratio · sin t): tan t = tan a / ratio.
    const double t = std::atan2(std::sin(angle), m_ratio * std::cos(angle));
    return angle >= kTwoPi - 1e-12 ? t + kTwoPi * std::floor(angle / kTwoPi) : dh::db::normalizeAngle(t);
}

double AcDbEllipse::angleAtParam(double param) const
{
    return dh::db::normalizeAngle(std::atan2(m_ratio * std::sin(param), std::cos(param)));
}

bool AcDbEllipse::isClosed() const
{
    return m_endParam - m_startParam >= kTwoPi - 1e-10;
}

Acad::ErrorStatus AcDbEllipse::getStartParam(double& param) const
{
    param = m_startParam;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getEndParam(double& param) const
{
    param = m_endParam;
    return Acad::eOk;
}

void AcDbEllipse::getSpans(std::vector<Span>& spans) const
{
    // Quarter turns keep the quadrature and the closest-point search on gently curved pieces.
    spans.clear();
    const double quarter = 0.5 * std::numbers::pi;
    double at = m_startParam;
    while (at < m_endParam) {
        const double next = std::min(m_endParam, (std::floor(at / quarter + 1e-9) + 1.0) * quarter);
        if (next - at > 1e-12)
            spans.push_back(Span{at, next, m_ratio == 1.0});
        at = next;
    }
    if (spans.empty())
        spans.push_back(Span{m_startParam, m_endParam, true});
}

bool AcDbEllipse::evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1, AcGeVector3d* d2) const
{
    const AcGeVector3d minor = minorAxis();
    const double c = std::cos(param), s = std::sin(param);
    point = m_center + m_major * c + minor * s;
    if (d1)
        *d1 = minor * c - m_major * s;
    if (d2)
        *d2 = -(m_major * c + minor * s);
    return true;
}

AcDbCurve* AcDbEllipse::makePiece(double t0, double t1) const
{
    auto* piece = new AcDbEllipse(*this);
    piece->m_startParam = dh::db::normalizeAngle(t0);
    piece->m_endParam = piece->m_startParam + (t1 - t0);
    return piece;
}

Acad::ErrorStatus AcDbEllipse::getSpline(AcDbSpline*& spline) const
{
    dh::db::NurbsBuilder builder;
    builder.addArc(m_center, m_major, minorAxis(), m_startParam, m_endParam);
    spline = builder.makeSpline(isClosed());
    spline->setPropertiesFrom(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getArea(double& area) const
{
    if (isClosed()) {
        area = std::numbers::pi * m_major.length() * minorAxis().length();
        return Acad::eOk;
    }
    return AcDbCurve::getArea(area);
}

Acad::ErrorStatus AcDbEllipse::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    plane.set(m_center, m_normal);
    planarity = AcDb::kPlanar;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::transformBy(const AcGeMatrix3d& xform)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    // The image is center' + cos t · A + sin t · B with conjugate half-diameters A, B; its
    // axes lie at the t0 where (A cos t + B sin t) ⟂ (B cos t − A sin t).
    AcGeVector3d a = m_major, b = minorAxis();
    a.transformBy(xform);
    b.transformBy(xform);
    const AcGeVector3d n = a.crossProduct(b);
    if (n.isZeroLength())
        return Acad::eNotApplicable;
    const double t0 = 0.5 * std::atan2(2.0 * a.dotProduct(b), a.lengthSqrd() - b.lengthSqrd());
    AcGeVector3d major = a * std::cos(t0) + b * std::sin(t0);
    AcGeVector3d minor = b * std::cos(t0) - a * std::sin(t0);
    double shift = t0;
    if (minor.length() > major.length()) {
        shift += 0.5 * std::numbers::pi;
        minor = b * std::cos(shift) - a * std::sin(shift);
        major = a * std::cos(shift) + b * std::sin(shift);
    }
    m_center.transformBy(xform);
    m_major = major;
    m_normal = major.crossProduct(minor).normal();
    m_ratio = std::min(1.0, minor.length() / major.length());
    const double sweep = m_endParam - m_startParam;
    m_startParam = dh::db::normalizeAngle(m_startParam - shift);
    m_endParam = m_startParam + sweep;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbEllipse");
    filer->writePoint3d(10, m_center);
    filer->writePoint3d(11, AcGePoint3d::kOrigin + m_major);
    dh::db::writeNormal(filer, m_normal);
    filer->writeDouble(40, m_ratio);
    filer->writeDouble(41, m_startParam);
    filer->writeDouble(42, m_endParam);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    double start = 0.0, end = kTwoPi;
    es = dh::db::readSubclass(filer, "AcDbEllipse", [&](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 10: m_center = dh::db::tagPoint(tag); break;
        case 11: m_major = dh::db::tagVector(tag); break;
        case 210: m_normal = dh::db::tagNormal(tag); break;
        case 40: m_ratio = tag.real(); break;
        case 41: start = tag.real(); break;
        case 42: end = tag.real(); break;
        default: break;
        }
    });
    if (!(m_ratio > 0.0) || m_ratio > 1.0 + 1e-9 || m_major.isZeroLength()) {
        filer->reportError("ELLIPSE with an invalid axis or ratio");
        return Acad::eInvalidInput;
    }
    m_ratio = std::min(m_ratio, 1.0);
    if (std::fabs(end - start) >= kTwoPi - 1e-9 || end == start)
        setParams(start, start + kTwoPi);
    else
        setParams(start, end);
    return es;
}
