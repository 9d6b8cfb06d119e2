#include "terrain/LabelQuestions.h"

#include "terrain/TerrainQuestions.h"
#include "terrain/TerrainSettings.h"
#include "toolkit/IntPicker.h"
#include "toolkit/SelectSetPacker.h"

#include <aced/AcEdCommandLine.h>
#include <acut/ResBuf.h>

namespace dh::terrain {

int selectSpotsAndLabels(double& mapProportion, double& spotRadius, int& searchRange,
                         AcArray<AcDbObjectId>& ids)
{
    if (askTerrainSettings() != kDone)
        return kCancelled;
    mapProportion = getST_MapProportion();
    spotRadius = getST_SpotRadius();

    acutPrintf("\n选择高程点、高程标签");
    resbuf* filter = acutBuildList(-4, "<OR", RTDXF0, "CIRCLE", RTDXF0, "POINT", RTDXF0, "ARC",
                                   RTDXF0, "INSERT", RTDXF0, "TEXT", -4, "OR>", 0);
    {
        toolkit::SelectSetPacker packer;
        const int status = packer.selectInteractive(filter);
        acutRelRb(filter);
        if (status != toolkit::kSelected || packer.length() == 0)
            return kCancelled;
        packer.objectIds(ids);
    }

    toolkit::IntPicker picker("搜索范围 ", nullptr, 1, toolkit::kBetweenLimits);
    picker.minimum = 1;
    picker.maximum = 10;
    const int result = picker.pick();
    if (result != toolkit::kPickValue && result != toolkit::kPickEmpty)
        return kCancelled;
    searchRange = picker.value;
    return kDone;
}

} // namespace dh::terrain
