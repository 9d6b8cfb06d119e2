#include "toolkit/EntityPicker.h"

#include "toolkit/DrawingHelpers.h"
#include "toolkit/SystemVariables.h"

#include <acdb/AcDbEntity.h>
#include <acdb/AcDbUtilities.h>
#include <aced/AcEdEntityPick.h>
#include <aced/AcEdInput.h>
#include <aced/AcEdCommandLine.h>
#include <acrx/AcRxClass.h>

namespace dh::toolkit {
namespace {

constexpr int kErrnoNothingFound = 7;
constexpr int kErrnoEmptyAnswer = 52;

} // namespace

EntityPicker::EntityPicker(const char* prompt, const char* keywords) : BasePicker(prompt, keywords)
{
}

bool EntityPicker::accepts(AcDbObjectId id) const
{
    if (classFilter.isEmpty())
        return true;
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
        return false;
    bool accepted = false;
    if (!rejectLocked || !isOnLockedLayer(entity, nullptr)) {
        const AcRxClass* own = entity->isA();
        accepted = own == nullptr;
        for (int i = 0; !accepted && i < classFilter.length(); ++i)
            accepted = own->isDerivedFrom(classFilter[i]);
    }
    entity->close();
    return accepted;
}

int EntityPicker::pick()
{
    const std::string line = promptLine();
    const char* keywordList = m_keywords.empty() ? nullptr : m_keywords.c_str();
    for (;;) {
        acedInitGet(0, keywordList);
        ads_name name = {0, 0};
        ads_point at = {0.0, 0.0, 0.0};
        int rt = RTERROR;
        if (nested) {
            ads_matrix xform;
            resbuf* containers = nullptr;
            rt = acedNEntSelP(line.c_str(), name, at, 0, xform, &containers);
            acutRelRb(containers);
        } else {
            rt = acedEntSel(line.c_str(), name, at);
        }
        if (rt == RTNORM) {
            AcDbObjectId id;
            if (acdbGetObjectId(id, name) == Acad::eOk && accepts(id)) {
                objectId = id;
                pickPoint.set(at[0], at[1], at[2]);
                return kPickValue;
            }
            continue;
        }
        if (rt == RTERROR) {
            int error = 0;
            getVarInt("errno", error);
            if (error == kErrnoEmptyAnswer)
                return allowEmpty ? kPickEmpty : kPickFailed;
            if (error == kErrnoNothingFound && missMessage)
                acutPrintf("\n%s", missMessage);
            continue;
        }
        if (rt == RTKWORD) {
            readInput();
            return kPickKeyword;
        }
        return kPickFailed;
    }
}

} // namespace dh::toolkit
