#include "host/shell/ProgressBar.h"

#include <string>

namespace dh::shell {

void ProgressBar::update(const ed::ProgressEvent& event)
{
    using clock = std::chrono::steady_clock;
    auto now = clock::now();
    switch (event.kind) {
    case ed::ProgressEvent::Kind::Start:
        m_start = now;
        m_lastDraw = now;
        draw(event);
        break;
    case ed::ProgressEvent::Kind::Position:
        if (now - m_lastDraw >= std::chrono::milliseconds(100) || event.pos == event.maxPos) {
            m_lastDraw = now;
            draw(event);
        }
        break;
    case ed::ProgressEvent::Kind::End:
        draw(event);
        std::fputs("\n", m_out);
        std::fflush(m_out);
        break;
    }
}

void ProgressBar::draw(const ed::ProgressEvent& event)
{
    constexpr int kWidth = 30;
    double span = event.maxPos - event.minPos;
    int done = event.pos - event.minPos;
    double fraction = span > 0 ? done / span : 1.0;
    int filled = static_cast<int>(fraction * kWidth + 0.5);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    double rate = seconds > 0 ? done / seconds : 0.0;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kWidth - filled), '.');
    std::fprintf(m_out, "\r%s [%s] %d/%d %3.0f%% %.1f/s\x1b[K", event.label.c_str(), bar.c_str(),
                 done, static_cast<int>(span), fraction * 100.0, rate);
    std::fflush(m_out);
}

}  // namespace dh::shell
