// Terravue's typed commands and the table the frame registers them from, in this order.
#pragma once

#include "frame/CommandEntry.h"

#include <array>

namespace dh::terrain {

void chgcCommand();
void chgcdCommand();
void jllCommand();

} // namespace dh::terrain

extern const std::array<CommandEntry, 3> commandTable;
