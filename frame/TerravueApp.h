// Terravue's application object: registers its typed commands with the host on
// initialisation and removes them on unload.
#pragma once

#include "frame/AcRxArxApp.h"

class CTerravueApp : public AcRxArxApp {
public:
    constexpr explicit CTerravueApp(std::span<const CommandEntry> commands)
        : AcRxArxApp(commands)
    {
    }

    void RegisterServerComponents() override {}
};
