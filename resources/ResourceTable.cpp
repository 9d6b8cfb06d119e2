#include "resources/ResourceTable.h"

namespace dh::res {

const char* findString(const ResourceTable& table, unsigned id)
{
    for (const ResourceString& entry : table.strings) {
        if (entry.id == id)
            return entry.text;
    }
    return nullptr;
}

const DialogTemplate* findDialog(const ResourceTable& table, unsigned id)
{
    for (const DialogTemplate& dialog : table.dialogs) {
        if (dialog.id == id)
            return &dialog;
    }
    return nullptr;
}

} // namespace dh::res
