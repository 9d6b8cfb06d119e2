#include "terrain/TerrainSettings.h"

namespace {

constexpr double kDefaultMapProportion = 1000.0;
constexpr double kDefaultSpotRadius = 0.15;

// Constant-initialised: the values hold from the moment the module is mapped.
constinit double g_mapProportion = kDefaultMapProportion;
constinit double g_spotRadius = kDefaultSpotRadius;

} // namespace

extern "C" double getST_MapProportion()
{
    return g_mapProportion;
}

extern "C" void setST_MapProportion(double value)
{
    g_mapProportion = value;
}

extern "C" double getST_SpotRadius()
{
    return g_spotRadius;
}

extern "C" void setST_SpotRadius(double value)
{
    g_spotRadius = value;
}
