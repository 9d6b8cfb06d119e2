// UI_OptionMigrate: the user picks and orders options in the two-list dialog.
#include "frame/ModuleHandle.h"
#include "lisp/COptionMigrate_dlg.h"
#include "lisp/LispFunctions.h"
#include "lisp/ResBufPtr.h"

#include <acap/AcApDocManager.h>
#include <aced/AcEdLisp.h>

namespace dh::lisp {
namespace {

// This module's resources are the host's current ones while the object lives.
class ModuleResources {
public:
    ModuleResources() : m_manager(acDocManagerPtr())
    {
        if (m_manager)
            m_manager->pushResourceHandle(ownModuleHandle());
    }
    ~ModuleResources()
    {
        if (m_manager)
            m_manager->popResourceHandle();
    }
    ModuleResources(const ModuleResources&) = delete;
    ModuleResources& operator=(const ModuleResources&) = delete;

private:
    AcApDocManager* m_manager;
};

// Reads "( text … )" into texts; answers the item after the closing RTLE, or fails.
bool readTextList(const resbuf*& item, std::vector<std::string>& texts)
{
    if (!item || item->restype != RTLB)
        return false;
    for (item = item->rbnext; item && item->restype == RTSTR; item = item->rbnext)
        texts.emplace_back(item->resval.rstring);
    if (!item || item->restype != RTLE)
        return false;
    item = item->rbnext;
    return true;
}

bool readText(const resbuf*& item, std::string& text)
{
    if (!item || item->restype != RTSTR)
        return false;
    text = item->resval.rstring;
    item = item->rbnext;
    return true;
}

bool readArguments(const resbuf* item, OptionMigrateData& data)
{
    if (!readText(item, data.title) || !readText(item, data.hint) ||
        !readTextList(item, data.available))
        return false;
    if (item && item->restype == RTNIL)
        item = item->rbnext;
    else if (!readTextList(item, data.chosen))
        return false;
    return item == nullptr;
}

} // namespace

int UI_OptionMigrate(const resbuf* args)
{
    OptionMigrateData data;
    if (!readArguments(args, data))
        return RTERROR;
    try {
        ModuleResources resources;
        INT_PTR ended = -1;
        std::vector<std::string> chosen;
        {
            COptionMigrate_dlg dialog(&data);
            ended = dialog.DoModal();
            chosen = dialog.result();
        }
        if (ended != IDOK) {
            acedRetNil();
        } else if (chosen.empty()) {
            acedRetInt(0);
        } else {
            ResBufChain list;
            for (const std::string& text : chosen)
                list.appendText(text.c_str());
            acedRetList(list.head());
        }
        return RTNORM;
    } catch (...) {
        return acedRetNil();
    }
}

} // namespace dh::lisp
