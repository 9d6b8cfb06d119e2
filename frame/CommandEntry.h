// One typed command of a module, as the frame registers it with the host's command stack.
#pragma once

#include <cstdint>

class AcEdUIContext;

struct CommandEntry {
    const char* group;
    const char* globalName;
    const char* localName;
    std::int32_t flags;
    void (*function)();
    AcEdUIContext* uiContext;
    unsigned localNameId;
};
