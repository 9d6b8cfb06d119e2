#include "terrain/TerrainCommands.h"

#include <aced/AcEdCommandStack.h>

namespace dh::terrain {

// The commands' work arrives with the terrain tools; until then each ends at once.
void chgcCommand() {}
void chgcdCommand() {}
void jllCommand() {}

} // namespace dh::terrain

constinit const std::array<CommandEntry, 3> commandTable = {{
    {"Terravue", "CHGC_T", "_CHGC_T", ACRX_CMD_TRANSPARENT, &dh::terrain::chgcCommand, nullptr, 0},
    {"Terravue", "CHGCD_T", "_CHGCD_T", ACRX_CMD_TRANSPARENT, &dh::terrain::chgcdCommand, nullptr, 0},
    {"Terravue", "JLL_T", "_JLL_T", ACRX_CMD_TRANSPARENT, &dh::terrain::jllCommand, nullptr, 0},
}};
