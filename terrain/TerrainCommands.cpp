#include "terrain/TerrainCommands.h"

#include "terrain/Cmd_CHGC.h"
#include "terrain/TerrainQuestions.h"
#include "terrain/TerrainSettings.h"

#include <aced/AcEdCommandStack.h>

namespace dh::terrain {

void chgcCommand()
{
    AcArray<AcDbObjectId> ids;
    if (selectTerrainLayers(ids) != kDone || ids.isEmpty())
        return;
    Cmd_CHGC command(getST_SpotRadius());
    command.sift(ids);
    command.rebuildSpots();
}

// The work of these two arrives with the labelling and joining tools.
void chgcdCommand() {}
void jllCommand() {}

} // namespace dh::terrain

constinit const std::array<CommandEntry, 3> commandTable = {{
    {"Terravue", "CHGC_T", "_CHGC_T", ACRX_CMD_TRANSPARENT, &dh::terrain::chgcCommand, nullptr, 0},
    {"Terravue", "CHGCD_T", "_CHGCD_T", ACRX_CMD_TRANSPARENT, &dh::terrain::chgcdCommand, nullptr, 0},
    {"Terravue", "JLL_T", "_JLL_T", ACRX_CMD_TRANSPARENT, &dh::terrain::jllCommand, nullptr, 0},
}};
