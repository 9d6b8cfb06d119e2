// The status-bar progress meter drawn on a terminal: label, bar, count, percentage and
// rate on one line that is redrawn at most every 100 ms.
#pragma once

#include "host/ed/Session.h"

#include <chrono>
#include <cstdio>

namespace dh::shell {

class ProgressBar {
public:
    explicit ProgressBar(std::FILE* out) : m_out(out) {}
    void update(const ed::ProgressEvent& event);

private:
    void draw(const ed::ProgressEvent& event);

    std::FILE* m_out;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDraw;
};

}  // namespace dh::shell
