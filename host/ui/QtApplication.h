// The process's Qt application, made when the first dialog needs it and kept until the
// process ends. A batch run (or a run without a display) gets the offscreen platform, so
// that dialogs work without a window system; an interactive run on a display gets the
// display's platform, falling back to offscreen when it cannot be reached.
#pragma once

class QApplication;

namespace dh::ui {

// How DoModal waits for the end of a dialog.
enum class ModalMode {
    Automatic, // a window when the run is interactive on a display, else Script
    Window,    // a modal window and its event loop
    Script,    // the host's input lines drive the dialog, which is never shown
};

void setModalMode(ModalMode mode);
ModalMode modalMode();
// The mode Automatic stands for in the current session.
ModalMode effectiveModalMode();

// The application, made on first call (an existing one, e.g. a test's, is used as it is).
QApplication& ensureApplication();
// True when the application's platform shows windows to a person.
bool hasDisplay();

} // namespace dh::ui
