#include "host/dxf/EntityFactory.h"

// Classes are bound as their headers exist, so that the codec builds while the entity
// classes are being added; a type without its class is kept as groups.
#if __has_include(<acdb/AcDb2dPolyline.h>)
#include <acdb/AcDb2dPolyline.h>
#define DH_ACDB2DPOLYLINE 1
#endif
#if __has_include(<acdb/AcDb3dPolyline.h>)
#include <acdb/AcDb3dPolyline.h>
#define DH_ACDB3DPOLYLINE 1
#endif
#if __has_include(<acdb/AcDbArc.h>)
#include <acdb/AcDbArc.h>
#define DH_ACDBARC 1
#endif
#if __has_include(<acdb/AcDbAttribute.h>)
#include <acdb/AcDbAttribute.h>
#define DH_ACDBATTRIBUTE 1
#endif
#if __has_include(<acdb/AcDbAttributeDefinition.h>)
#include <acdb/AcDbAttributeDefinition.h>
#define DH_ACDBATTRIBUTEDEFINITION 1
#endif
#if __has_include(<acdb/AcDbBlockReference.h>)
#include <acdb/AcDbBlockReference.h>
#define DH_ACDBBLOCKREFERENCE 1
#endif
#if __has_include(<acdb/AcDbCircle.h>)
#include <acdb/AcDbCircle.h>
#define DH_ACDBCIRCLE 1
#endif
#if __has_include(<acdb/AcDbDimension.h>)
#include <acdb/AcDbDimension.h>
#define DH_ACDBDIMENSION 1
#endif
#if __has_include(<acdb/AcDbEllipse.h>)
#include <acdb/AcDbEllipse.h>
#define DH_ACDBELLIPSE 1
#endif
#if __has_include(<acdb/AcDbLeader.h>)
#include <acdb/AcDbLeader.h>
#define DH_ACDBLEADER 1
#endif
#if __has_include(<acdb/AcDbLine.h>)
#include <acdb/AcDbLine.h>
#define DH_ACDBLINE 1
#endif
#if __has_include(<acdb/AcDbMText.h>)
#include <acdb/AcDbMText.h>
#define DH_ACDBMTEXT 1
#endif
#if __has_include(<acdb/AcDbPoint.h>)
#include <acdb/AcDbPoint.h>
#define DH_ACDBPOINT 1
#endif
#if __has_include(<acdb/AcDbPolyline.h>)
#include <acdb/AcDbPolyline.h>
#define DH_ACDBPOLYLINE 1
#endif
#if __has_include(<acdb/AcDbSpline.h>)
#include <acdb/AcDbSpline.h>
#define DH_ACDBSPLINE 1
#endif
#if __has_include(<acdb/AcDbText.h>)
#include <acdb/AcDbText.h>
#define DH_ACDBTEXT 1
#endif

namespace dh::dxf {

namespace {

std::int64_t groupValue(const ObjectTags& tags, int code)
{
    const AcDbDxfTag* tag = tags.find(code);
    return tag ? tag->integer : 0;
}

#ifdef DH_ACDBDIMENSION
AcDbEntity* createDimension(const ObjectTags& tags)
{
    switch (groupValue(tags, 70) & 0x0F) {
    case 0: return new AcDbRotatedDimension;
    case 1: return new AcDbAlignedDimension;
    case 2: return new AcDb2LineAngularDimension;
    case 3: return new AcDbDiametricDimension;
    case 4: return new AcDbRadialDimension;
    case 5: return new AcDb3PointAngularDimension;
    case 6: return new AcDbOrdinateDimension;
    default: return nullptr;
    }
}
#endif

} // namespace

AcDbEntity* createEntity(const ObjectTags& tags)
{
    const std::string& type = tags.type;
#ifdef DH_ACDBLINE
    if (type == "LINE") return new AcDbLine;
#endif
#ifdef DH_ACDBCIRCLE
    if (type == "CIRCLE") return new AcDbCircle;
#endif
#ifdef DH_ACDBARC
    if (type == "ARC") return new AcDbArc;
#endif
#ifdef DH_ACDBELLIPSE
    if (type == "ELLIPSE") return new AcDbEllipse;
#endif
#ifdef DH_ACDBSPLINE
    if (type == "SPLINE") return new AcDbSpline;
#endif
#ifdef DH_ACDBPOINT
    if (type == "POINT") return new AcDbPoint;
#endif
#ifdef DH_ACDBTEXT
    if (type == "TEXT") return new AcDbText;
#endif
#ifdef DH_ACDBMTEXT
    if (type == "MTEXT") return new AcDbMText;
#endif
#ifdef DH_ACDBATTRIBUTEDEFINITION
    if (type == "ATTDEF") return new AcDbAttributeDefinition;
#endif
#ifdef DH_ACDBPOLYLINE
    if (type == "LWPOLYLINE") return new AcDbPolyline;
#endif
#ifdef DH_ACDBBLOCKREFERENCE
    if (type == "INSERT") return new AcDbBlockReference;
#endif
#ifdef DH_ACDBLEADER
    if (type == "LEADER") return new AcDbLeader;
#endif
#ifdef DH_ACDBDIMENSION
    if (type == "DIMENSION") return createDimension(tags);
#endif
    if (type == "POLYLINE") {
        std::int64_t flags = groupValue(tags, 70);
        if (flags & (16 | 64)) return nullptr; // meshes stay as groups
        if (flags & 8) return new AcDb3dPolyline;
        return new AcDb2dPolyline;
    }
    return nullptr;
}

bool takesFollowers(const AcDbEntity* owner)
{
#ifdef DH_ACDBBLOCKREFERENCE
    if (AcDbBlockReference::cast(owner)) return true;
#endif
    return AcDb2dPolyline::cast(owner) || AcDb3dPolyline::cast(owner);
}

AcDbEntity* createFollower(const AcDbEntity* owner, const ObjectTags& tags)
{
    if (tags.type == "VERTEX") {
        if (AcDb2dPolyline::cast(owner)) return new AcDb2dVertex;
        if (AcDb3dPolyline::cast(owner)) return new AcDb3dPolylineVertex;
    }
#if defined(DH_ACDBBLOCKREFERENCE) && defined(DH_ACDBATTRIBUTE)
    if (tags.type == "ATTRIB" && AcDbBlockReference::cast(owner)) return new AcDbAttribute;
#endif
    return nullptr;
}

Acad::ErrorStatus appendFollower(AcDbEntity* owner, AcDbEntity* follower)
{
    if (auto* polyline = AcDb2dPolyline::cast(owner))
        if (auto* vertex = AcDb2dVertex::cast(follower)) return polyline->appendVertex(vertex);
    if (auto* polyline = AcDb3dPolyline::cast(owner))
        if (auto* vertex = AcDb3dPolylineVertex::cast(follower)) return polyline->appendVertex(vertex);
#if defined(DH_ACDBBLOCKREFERENCE) && defined(DH_ACDBATTRIBUTE)
    if (auto* reference = AcDbBlockReference::cast(owner))
        if (auto* attribute = AcDbAttribute::cast(follower)) return reference->appendAttribute(attribute);
#endif
    delete follower;
    return Acad::eWrongObjectType;
}

} // namespace dh::dxf
