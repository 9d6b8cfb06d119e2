#include "terrain/TerrainCommands.h"

#include "terrain/Cmd_CHGC.h"
#include "terrain/Cmd_CHGCD.h"
#include "terrain/JoinCommand.h"
#include "terrain/LabelQuestions.h"
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

// The local answers are the command's own defaults; a cancelled search range still runs the
// command, with range 2, over what was selected.
void chgcdCommand()
{
    double mapProportion = 1000.0;
    double spotRadius = 0.3;
    int searchRange = 2;
    AcArray<AcDbObjectId> ids;
    if (selectSpotsAndLabels(mapProportion, spotRadius, searchRange, ids) != kDone && ids.isEmpty())
        return;
    Cmd_CHGCD command(mapProportion, spotRadius, searchRange);
    command.collect(ids);
    command.joinSplitLabels();
    command.assignDecimalLabels();
}

void jllCommand()
{
    joinContoursCommand();
}

} // namespace dh::terrain

constinit const std::array<CommandEntry, 3> commandTable = {{
    {"Terravue", "CHGC_T", "_CHGC_T", ACRX_CMD_TRANSPARENT, &dh::terrain::chgcCommand, nullptr, 0},
    {"Terravue", "CHGCD_T", "_CHGCD_T", ACRX_CMD_TRANSPARENT, &dh::terrain::chgcdCommand, nullptr, 0},
    {"Terravue", "JLL_T", "_JLL_T", ACRX_CMD_TRANSPARENT, &dh::terrain::jllCommand, nullptr, 0},
}};
