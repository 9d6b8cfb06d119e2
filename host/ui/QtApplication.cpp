#include "host/ui/QtApplication.h"

#include "host/ed/Session.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace dh::ui {
namespace {

ModalMode g_mode = ModalMode::Automatic;

bool interactiveSession()
{
    const ed::Session* session = ed::Session::current();
    return session && session->input() && session->input()->isTerminal();
}

bool displayNamed()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

// Qt's debug output and warnings (font fallbacks, runtime folders) are no business of the
// transcript; critical messages still reach the error stream.
void filterMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "Qt: %s\n", message.toLocal8Bit().constData());
}

} // namespace

void setModalMode(ModalMode mode) { g_mode = mode; }
ModalMode modalMode() { return g_mode; }

ModalMode effectiveModalMode()
{
    if (g_mode != ModalMode::Automatic)
        return g_mode;
    return interactiveSession() && hasDisplay() ? ModalMode::Window : ModalMode::Script;
}

QApplication& ensureApplication()
{
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;

    static std::string platform;
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    if (!interactiveSession() || !displayNamed())
        platform = "offscreen";
    else
        platform = chosen && *chosen ? std::string(chosen) + ";offscreen" : "xcb;offscreen";
    static char name[] = "drafthost";
    static char option[] = "-platform";
    static char* argv[] = {name, option, platform.data(), nullptr};
    static int argc = 3;

    qInstallMessageHandler(filterMessages);
    // Qt sets the C locale from the environment; the host formats numbers in the C locale.
    const std::string locale = std::setlocale(LC_ALL, nullptr);
    // Lives until the process ends: widgets may outlive any one session.
    auto* application = new QApplication(argc, argv);
    std::setlocale(LC_ALL, locale.c_str());
    return *application;
}

bool hasDisplay()
{
    const QString name = QGuiApplication::platformName();
    return !name.isEmpty() && name != QLatin1String("offscreen") && name != QLatin1String("minimal");
}

} // namespace dh::ui
