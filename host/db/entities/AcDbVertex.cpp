#include <acdb/AcDb2dVertex.h>
#include <acdb/AcDb3dPolylineVertex.h>

#include "host/db/entities/DxfFields.h"

#include <cmath>
#include <numbers>

ACRX_DEFINE_MEMBERS(AcDbVertex, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDb2dVertex, AcDbVertex)
ACRX_DEFINE_MEMBERS(AcDb3dPolylineVertex, AcDbVertex)

namespace {

// Vertex flags of the drawing format (group 70).
constexpr int kCurveFitExtra = 1;
constexpr int kTangentDefined = 2;
constexpr int kSplineFit = 8;
constexpr int kSplineFrame = 16;
constexpr int k3dVertex = 32;

template <class Object, class Field, class Value>
Acad::ErrorStatus setField(Object& object, Field& field, const Value& value)
{
    Acad::ErrorStatus es = object.assertWriteEnabled();
    if (es == Acad::eOk)
        field = value;
    return es;
}

} // namespace

AcDb2dVertex::AcDb2dVertex(const AcGePoint3d& position, double bulge, double startWidth, double endWidth,
                           double tangent)
    : m_position(position), m_bulge(bulge), m_startWidth(startWidth), m_endWidth(endWidth), m_tangent(tangent)
{
}

Acad::ErrorStatus AcDb2dVertex::setVertexType(AcDb::Vertex2dType type) { return setField(*this, m_type, type); }
Acad::ErrorStatus AcDb2dVertex::setPosition(const AcGePoint3d& position) { return setField(*this, m_position, position); }
Acad::ErrorStatus AcDb2dVertex::setBulge(double bulge) { return setField(*this, m_bulge, bulge); }
Acad::ErrorStatus AcDb2dVertex::setStartWidth(double width) { return setField(*this, m_startWidth, width); }
Acad::ErrorStatus AcDb2dVertex::setEndWidth(double width) { return setField(*this, m_endWidth, width); }
Acad::ErrorStatus AcDb2dVertex::setTangent(double tangent) { return setField(*this, m_tangent, tangent); }
Acad::ErrorStatus AcDb2dVertex::useTangent() { return setField(*this, m_tangentUsed, true); }
Acad::ErrorStatus AcDb2dVertex::ignoreTangent() { return setField(*this, m_tangentUsed, false); }

Acad::ErrorStatus AcDb2dVertex::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbVertex");
    filer->writeSubclass("AcDb2dVertex");
    filer->writePoint3d(10, m_position);
    if (m_startWidth != 0.0)
        filer->writeDouble(40, m_startWidth);
    if (m_endWidth != 0.0)
        filer->writeDouble(41, m_endWidth);
    if (m_bulge != 0.0)
        filer->writeDouble(42, m_bulge);
    int flags = m_tangentUsed ? kTangentDefined : 0;
    flags |= m_type == AcDb::k2dSplineCtlVertex ? kSplineFrame
        : m_type == AcDb::k2dSplineFitVertex    ? kSplineFit
        : m_type == AcDb::k2dCurveFitVertex     ? kCurveFitExtra
                                                : 0;
    filer->writeInt16(70, static_cast<std::int16_t>(flags));
    if (m_tangentUsed)
        filer->writeDouble(50, m_tangent * 180.0 / std::numbers::pi);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    es = dh::db::readSubclass(filer, "AcDbVertex", [](const AcDbDxfTag&) {});
    if (es != Acad::eOk)
        return es;
    return dh::db::readSubclass(filer, "AcDb2dVertex", [this](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 10: m_position = dh::db::tagPoint(tag); break;
        case 40: m_startWidth = tag.real(); break;
        case 41: m_endWidth = tag.real(); break;
        case 42: m_bulge = tag.real(); break;
        case 50: m_tangent = tag.real() * std::numbers::pi / 180.0; break;
        case 70:
            m_tangentUsed = (tag.integer & kTangentDefined) != 0;
            m_type = (tag.integer & kSplineFrame) ? AcDb::k2dSplineCtlVertex
                : (tag.integer & kSplineFit)      ? AcDb::k2dSplineFitVertex
                : (tag.integer & kCurveFitExtra)  ? AcDb::k2dCurveFitVertex
                                                  : AcDb::k2dVertex;
            break;
        default: break;
        }
    });
}

Acad::ErrorStatus AcDb3dPolylineVertex::setVertexType(AcDb::Vertex3dType type) { return setField(*this, m_type, type); }
Acad::ErrorStatus AcDb3dPolylineVertex::setPosition(const AcGePoint3d& position)
{
    return setField(*this, m_position, position);
}

Acad::ErrorStatus AcDb3dPolylineVertex::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbVertex");
    filer->writeSubclass("AcDb3dPolylineVertex");
    filer->writePoint3d(10, m_position);
    const int flags = k3dVertex
        | (m_type == AcDb::k3dControlVertex ? kSplineFrame : m_type == AcDb::k3dFitVertex ? kSplineFit : 0);
    filer->writeInt16(70, static_cast<std::int16_t>(flags));
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolylineVertex::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    es = dh::db::readSubclass(filer, "AcDbVertex", [](const AcDbDxfTag&) {});
    if (es != Acad::eOk)
        return es;
    return dh::db::readSubclass(filer, "AcDb3dPolylineVertex", [this](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 10: m_position = dh::db::tagPoint(tag); break;
        case 70:
            m_type = (tag.integer & kSplineFrame) ? AcDb::k3dControlVertex
                : (tag.integer & kSplineFit)      ? AcDb::k3dFitVertex
                                                  : AcDb::k3dSimpleVertex;
            break;
        default: break;
        }
    });
}
