// Redraws an elevation point drawn as a block reference: a circle at its insertion point
// plus copies of its one or two label texts, on the target layer.
#pragma once

#include <acdb/AcDbObjectId.h>
#include <adesk/AcArray.h>

class AcDbBlockReference;
class AcDbEntity;

namespace dh::terrain {

class SpotBlockConverter {
public:
    // targetLayer null: the reference's own layer.
    explicit SpotBlockConverter(AcDbObjectId targetLayer) : m_targetLayer(targetLayer) {}

    // The new circle's id; null when the block holds 4 or more entities and attributes
    // (nothing is made) or the circle could not be added. The ids of the label copies made
    // are appended to texts (when given), first text first.
    AcDbObjectId convert(const AcDbBlockReference* reference,
                         AcArray<AcDbObjectId>* texts = nullptr) const;

private:
    AcDbObjectId add(const AcDbBlockReference* reference, AcDbEntity* entity) const;

    AcDbObjectId m_targetLayer;
};

} // namespace dh::terrain
