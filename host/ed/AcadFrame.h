// The host's main window as acedGetAcadFrame answers it: set by the dialog layer when it
// runs with a display, nullptr otherwise.
#pragma once

class CWnd;

namespace dh::ed {

void setAcadFrame(CWnd* frame);

}  // namespace dh::ed
