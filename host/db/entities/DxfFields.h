// Small helpers for the entities' DXF fields: reading one subclass's groups, and the
// extrusion direction that is written only when it differs from the Z axis.
#pragma once

#include <acdb/AcDbDxfFiler.h>
#include <acdb/AcadErrorStatus.h>
#include <acge/AcGePoint3d.h>
#include <acge/AcGeVector3d.h>

#include <cmath>

namespace dh::db {

// Reads the groups of subclass `name`, handing each to onTag. A missing marker is a
// damaged entity (eBadDxfSequence) unless the subclass is optional.
template <class OnTag>
Acad::ErrorStatus readSubclass(AcDbDxfFiler* filer, const char* name, OnTag&& onTag, bool optional = false)
{
    if (!filer->atSubclassData(name))
        return optional ? Acad::eOk : Acad::eBadDxfSequence;
    AcDbDxfTag tag;
    while (filer->readTag(tag))
        onTag(tag);
    return Acad::eOk;
}

inline AcGePoint3d tagPoint(const AcDbDxfTag& tag)
{
    return AcGePoint3d(tag.xyz[0], tag.xyz[1], tag.xyz[2]);
}

inline AcGeVector3d tagVector(const AcDbDxfTag& tag)
{
    return AcGeVector3d(tag.xyz[0], tag.xyz[1], tag.xyz[2]);
}

// A unit normal from a file: a zero vector falls back to the Z axis.
// A unit vector as read stays as read: normalising it again changes its last bits, and a
// drawing written and read back would drift.
inline AcGeVector3d unitVector(const AcGeVector3d& v)
{
    return std::abs(v.length() - 1.0) <= 1e-12 ? v : v.normal();
}

inline AcGeVector3d tagNormal(const AcDbDxfTag& tag)
{
    AcGeVector3d n = tagVector(tag);
    return n.isZeroLength() ? AcGeVector3d(0.0, 0.0, 1.0) : unitVector(n);
}

inline void writeNormal(AcDbDxfFiler* filer, const AcGeVector3d& normal)
{
    if (!normal.isEqualTo(AcGeVector3d(0.0, 0.0, 1.0)))
        filer->writeVector3d(210, normal);
}

inline void writeThickness(AcDbDxfFiler* filer, double thickness)
{
    if (thickness != 0.0)
        filer->writeDouble(39, thickness);
}

} // namespace dh::db
