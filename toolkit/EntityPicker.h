// Asks for one entity, again and again until an outcome: picks of entities outside the
// class filter (or on a locked layer with rejectLocked) are refused silently, a pick that
// finds nothing prints missMessage (when set) and asks again.
#pragma once

#include "toolkit/BasePicker.h"

#include <acdb/AcDbObjectId.h>
#include <acge/AcGePoint3d.h>
#include <adesk/AcArray.h>

class AcRxClass;

namespace dh::toolkit {

class EntityPicker : public BasePicker {
public:
    EntityPicker(const char* prompt, const char* keywords);

    int pick() override;

    AcGePoint3d pickPoint;
    bool allowEmpty = false;
    bool nested = false;
    bool rejectLocked = false;
    AcDbObjectId objectId;
    const char* missMessage = nullptr; // not owned
    AcArray<AcRxClass*> classFilter;   // empty: every class

private:
    bool accepts(AcDbObjectId id) const;
};

} // namespace dh::toolkit
