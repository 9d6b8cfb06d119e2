// acutPrintf and the status-bar progress meter.
#include "host/ed/AcadFrame.h"
#include "host/ed/Session.h"

#include <aced/AcEdCommandLine.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

struct Meter {
    bool running = false;
    int minPos = 0;
    int maxPos = 0;
    std::string label;
};

Meter g_meter;
CWnd* g_frame = nullptr;

}  // namespace

namespace dh::ed {

void setAcadFrame(CWnd* frame) { g_frame = frame; }

}  // namespace dh::ed

int acutPrintf(const char* format, ...)
{
    if (!format)
        return -1;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0) {
        va_end(args);
        return -1;
    }
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    text.resize(static_cast<std::size_t>(n));
    if (dh::ed::Session* s = dh::ed::Session::current())
        s->print(text);
    else
        std::fwrite(text.data(), 1, text.size(), stdout);
    return n;
}

int acedSetStatusBarProgressMeter(const char* label, int minPos, int maxPos)
{
    if (maxPos < minPos)
        return -1;
    g_meter = Meter{true, minPos, maxPos, label ? label : ""};
    if (dh::ed::Session* s = dh::ed::Session::current()) {
        s->reportProgress({dh::ed::ProgressEvent::Kind::Start, g_meter.label, minPos, maxPos, minPos});
    }
    return 0;
}

int acedSetStatusBarProgressMeterPos(int pos)
{
    if (!g_meter.running)
        return -1;
    pos = std::clamp(pos, g_meter.minPos, g_meter.maxPos);
    if (dh::ed::Session* s = dh::ed::Session::current()) {
        s->reportProgress({dh::ed::ProgressEvent::Kind::Position, g_meter.label, g_meter.minPos,
                           g_meter.maxPos, pos});
    }
    return 0;
}

void acedRestoreStatusBar()
{
    if (!g_meter.running)
        return;
    g_meter.running = false;
    if (dh::ed::Session* s = dh::ed::Session::current()) {
        s->reportProgress({dh::ed::ProgressEvent::Kind::End, g_meter.label, g_meter.minPos,
                           g_meter.maxPos, g_meter.maxPos});
    }
}

CWnd* acedGetAcadFrame() { return g_frame; }
