#include "host/dxf/EntityFactory.h"

#include "host/dxf/KeptEntity.h"

#if __has_include(<acdb/AcDbLine.h>)
#include <acdb/AcDbLine.h>
#define DH_HAS_LINE 1
#endif
#if __has_include(<acdb/AcDbCircle.h>)
#include <acdb/AcDbCircle.h>
#define DH_HAS_CIRCLE 1
#endif
#if __has_include(<acdb/AcDbArc.h>)
#include <acdb/AcDbArc.h>
#define DH_HAS_ARC 1
#endif

namespace dh::dxf {

AcDbEntity* createEntity(const ObjectTags& tags)
{
    const std::string& type = tags.type;
#ifdef DH_HAS_LINE
    if (type == "LINE") return new AcDbLine;
#endif
#ifdef DH_HAS_CIRCLE
    if (type == "CIRCLE") return new AcDbCircle;
#endif
#ifdef DH_HAS_ARC
    if (type == "ARC") return new AcDbArc;
#endif
    (void)type;
    return nullptr;
}

bool takesFollowers(const AcDbEntity*) { return false; }

AcDbEntity* createFollower(const AcDbEntity*, const ObjectTags&) { return nullptr; }

Acad::ErrorStatus appendFollower(AcDbEntity*, AcDbEntity*) { return Acad::eNotImplementedYet; }

} // namespace dh::dxf
