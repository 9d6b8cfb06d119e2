// A module built only for the editor tests: it goes through the real entry points like a
// plug-in does. Command ASKALL asks a point, a real with a default, a keyword and an
// entity and prints them; the LISP functions exercise the argument and result conversion,
// the failure paths and the leaks the host must report.
#include <acap/AcApDocManager.h>
#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbUtilities.h>
#include <aced/aced.h>
#include <acrx/AcRxApp.h>
#include <acrx/AcRxDictionary.h>
#include <acrx/AcRxDynamicLinker.h>

#include <cstring>
#include <string>

namespace {

int g_loadDwgCount = 0;
// The buffer tm-leak-buffer leaves unreleased for the host to report; released at unload
// so that the process itself ends clean.
resbuf* g_leaked = nullptr;

class CountingReactor : public AcApDocManagerReactor {
public:
    int created = 0;
    void documentCreated(AcApDocument*) override { ++created; }
};
CountingReactor g_reactor;

AcEdCommandStack* commandStack()
{
    return AcEdCommandStack::cast(acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS"));
}

void askAll()
{
    ads_point pt;
    if (acedGetPoint(nullptr, "\nBase point: ", pt) != RTNORM)
        return;
    acutPrintf("\nPoint: %.2f,%.2f,%.2f", pt[0], pt[1], pt[2]);

    ads_real scale = 2.5;
    acedInitGet(6, nullptr);
    int rc = acedGetReal("\nScale <2.50>: ", &scale);
    if (rc == RTNONE)
        scale = 2.5;
    else if (rc != RTNORM)
        return;
    acutPrintf("\nScale: %.3f", scale);

    char kword[512];
    acedInitGet(1, "Left Right Both");
    if (acedGetKword("\nSide [Left/Right/Both]: ", kword) != RTNORM)
        return;
    acutPrintf("\nSide: %s", kword);

    ads_name ent;
    ads_point picked;
    if (acedEntSel("\nSelect entity: ", ent, picked) != RTNORM) {
        resbuf rb;
        acedGetVar("ERRNO", &rb);
        acutPrintf("\nNo entity (errno %d)", rb.resval.rint);
        return;
    }
    AcDbObjectId id;
    acdbGetObjectId(id, ent);
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) == Acad::eOk) {
        acutPrintf("\nEntity: %s %s", entity->isA()->name(), id.handle().toString().c_str());
        entity->close();
    }
}

// LISP functions, by code.
enum Code { kList, kTypes, kSum, kFail, kVoid, kLeakBuffer, kLeakOpen, kLeakSet, kLoadCount,
            kCreated };
const char* kNames[] = {"tm-list",        "tm-types",     "tm-sum",      "tm-fail",
                        "tm-void",        "tm-leak-buffer", "tm-leak-open", "tm-leak-set",
                        "tm-load-count",  "tm-created"};
constexpr int kCount = sizeof kNames / sizeof kNames[0];

void defineAll()
{
    for (int i = 0; i < kCount; ++i)
        acedDefun(kNames[i], i);
}

void undefineAll()
{
    for (int i = 0; i < kCount; ++i)
        acedUndef(kNames[i], i);
}

// Adds numbers; a real anywhere makes the sum real.
int sum(const resbuf* args)
{
    double total = 0;
    bool real = false;
    for (const resbuf* rb = args; rb; rb = rb->rbnext) {
        if (rb->restype == RTSHORT)
            total += rb->resval.rint;
        else if (rb->restype == RTLONG)
            total += rb->resval.rlong;
        else if (rb->restype == RTREAL) {
            total += rb->resval.rreal;
            real = true;
        } else
            return acedRetNil();
    }
    return real ? acedRetReal(total) : acedRetInt(static_cast<int>(total));
}

// The type codes of the argument chain, as a list of integers.
int types(const resbuf* args)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (const resbuf* rb = args; rb; rb = rb->rbnext) {
        resbuf* code = acutNewRb(RTSHORT);
        code->resval.rint = rb->restype;
        if (!head)
            head = code;
        else
            tail->rbnext = code;
        tail = code;
    }
    int rc = acedRetList(head);
    acutRelRb(head);
    return rc;
}

int leakOpen()
{
    ads_name last;
    resbuf* args = acedGetArgs();
    if (!args || args->restype != RTENAME) {
        acutRelRb(args);
        return acedRetNil();
    }
    std::memcpy(last, args->resval.rlname, sizeof last);
    acutRelRb(args);
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    acdbGetObjectId(id, last);
    acdbOpenAcDbEntity(entity, id, AcDb::kForRead);
    return acedRetT();  // entity stays open
}

int invoke()
{
    int code = acedGetFunCode();
    resbuf* args = acedGetArgs();
    int rc = RTERROR;
    switch (code) {
    case kList:
        rc = acedRetList(args);
        break;
    case kTypes:
        rc = types(args);
        break;
    case kSum:
        rc = sum(args);
        break;
    case kFail:
        rc = RTERROR;  // no result
        break;
    case kVoid:
        rc = acedRetVoid();
        break;
    case kLeakBuffer:
        acutRelRb(g_leaked);
        g_leaked = acutNewRb(RTSHORT);
        rc = acedRetT();
        break;
    case kLeakOpen:
        acutRelRb(args);
        return leakOpen();
    case kLeakSet: {
        ads_name ss;
        acedSSAdd(nullptr, nullptr, ss);
        rc = acedRetT();
        break;
    }
    case kLoadCount:
        rc = acedRetInt(g_loadDwgCount);
        break;
    case kCreated:
        rc = acedRetInt(g_reactor.created);
        break;
    }
    acutRelRb(args);
    return rc;
}

}  // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt)
{
    switch (msg) {
    case AcRx::kInitAppMsg:
        acrxDynamicLinker->unlockApplication(pkt);
        acrxDynamicLinker->registerAppMDIAware(pkt);
        commandStack()->addCommand("EDTEST", "ASKALL", "_ASKALL", ACRX_CMD_TRANSPARENT, askAll);
        acDocManager->addReactor(&g_reactor);
        break;
    case AcRx::kUnloadAppMsg:
        acutRelRb(g_leaked);
        g_leaked = nullptr;
        undefineAll();
        commandStack()->removeGroup("EDTEST");
        acDocManager->removeReactor(&g_reactor);
        break;
    case AcRx::kLoadDwgMsg:
        ++g_loadDwgCount;
        defineAll();
        break;
    case AcRx::kInvkSubrMsg:
        invoke();
        break;
    default:
        break;
    }
    return AcRx::kRetOK;
}

extern "C" int acrxGetApiVersion() { return ACRX_API_VERSION; }
