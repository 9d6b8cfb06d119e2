// Helpers for block references: the ids of their attributes and of their definition's
// entities.
#pragma once

#include <acdb/AcDbObjectId.h>
#include <acdb/AcadErrorStatus.h>
#include <adesk/AcArray.h>

class AcDbBlockReference;

namespace dh::toolkit {

class MtDbBlockReference {
public:
    virtual ~MtDbBlockReference() = default;

    // Appends the attribute ids in iterator order; answers 0.
    static int getAttributeIds(const AcDbBlockReference* reference, AcArray<AcDbObjectId>& ids);
    // Appends the ids of the definition's entities while their index is not above limit
    // (so at most limit + 1); the last host status.
    static Acad::ErrorStatus getDefinitionEntityIds(const AcDbBlockReference* reference,
                                                    AcArray<AcDbObjectId>& ids, int limit);
};

} // namespace dh::toolkit
