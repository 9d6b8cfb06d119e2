#include "host/db/entities/BlockContents.h"

#include <acdb/AcDbArc.h>
#include <acdb/AcDbAttributeDefinition.h>
#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbEllipse.h>

#include "host/db/ObjectStub.h"
#include "host/db/entities/CurveMath.h"

#include <memory>

namespace dh::db {

namespace {

// Nested blocks deeper than this are taken to be a reference cycle.
constexpr int kMaxDepth = 16;

AcDbEllipse* asEllipse(const AcDbEntity& entity)
{
    AcGeVector3d x, y;
    if (const auto* circle = AcDbCircle::cast(&entity)) {
        ecsAxes(circle->normal(), x, y);
        return new AcDbEllipse(circle->center(), circle->normal(), x * circle->radius(), 1.0);
    }
    if (const auto* arc = AcDbArc::cast(&entity)) {
        ecsAxes(arc->normal(), x, y);
        return new AcDbEllipse(arc->center(), arc->normal(), x * arc->radius(), 1.0, arc->startAngle(),
                               arc->startAngle() + arc->totalAngle());
    }
    return nullptr;
}

void place(const AcDbEntity& entity, const AcGeMatrix3d& xform, AcDbVoidPtrArray& out, int depth)
{
    std::unique_ptr<AcDbEntity> copy(AcDbEntity::cast(entity.clone()));
    if (!copy)
        return;
    if (copy->transformBy(xform) == Acad::eOk) {
        out.append(copy.release());
        return;
    }
    if (std::unique_ptr<AcDbEllipse> ellipse{asEllipse(entity)}) {
        ellipse->setPropertiesFrom(&entity);
        if (ellipse->transformBy(xform) == Acad::eOk)
            out.append(ellipse.release());
        return;
    }
    if (depth >= kMaxDepth)
        return;
    AcDbVoidPtrArray parts;
    entity.explode(parts);
    for (void* p : parts) {
        std::unique_ptr<AcDbEntity> part(static_cast<AcDbEntity*>(p));
        place(*part, xform, out, depth + 1);
    }
}

} // namespace

void appendPlacedCopy(const AcDbEntity& entity, const AcGeMatrix3d& xform, AcDbVoidPtrArray& out)
{
    place(entity, xform, out, 0);
}

Acad::ErrorStatus appendPlacedBlock(AcDbObjectId blockId, const AcGeMatrix3d& xform, AcDbVoidPtrArray& out)
{
    const auto* block = AcDbBlockTableRecord::cast(objectOf(blockId));
    if (!block)
        return Acad::eInvalidInput;
    for (AcDbObjectId id : block->entityIds()) {
        const auto* entity = AcDbEntity::cast(objectOf(id));
        if (!entity || entity->isErased())
            continue;
        if (const auto* def = AcDbAttributeDefinition::cast(entity); def && !def->isConstant())
            continue;
        place(*entity, xform, out, 0);
    }
    return Acad::eOk;
}

} // namespace dh::db
