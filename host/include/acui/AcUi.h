// The dialog layer's module records. A module that carries resources (string tables,
// dialog templates) registers them at start-up: it initialises its extension-module record
// with its instance handle and a pointer to its resource table, then creates the resource
// record that lets the dialog layer find them; at shut-down it terminates the record.
#pragma once

#include <acrx/AcRxApp.h>

struct AcUiExtensionModule {
    HINSTANCE hModule = nullptr;
    // The module's resource table; its type is the dialog layer's (opaque here).
    const void* resources = nullptr;
    bool initialized = false;
};

// Fills the record; false when hInstance is null.
ADESK_EXPORT bool acuiInitExtensionModule(AcUiExtensionModule& module, HINSTANCE hInstance,
                                          const void* resources);
// Takes the module's resources out of the dialog layer and marks the record uninitialised.
ADESK_EXPORT void acuiTermExtensionModule(AcUiExtensionModule& module);
// Lists the module's resources with the dialog layer. false when the record is not
// initialised.
ADESK_EXPORT bool acuiAddResourceModule(const AcUiExtensionModule& module);
// The record of the module whose handle is hInstance, or nullptr.
ADESK_EXPORT const AcUiExtensionModule* acuiFindExtensionModule(HINSTANCE hInstance);

// Initialises the dialog layer for the calling module; safe to call more than once.
ADESK_EXPORT void InitAcUiDLL();
