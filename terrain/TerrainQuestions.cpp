#include "terrain/TerrainQuestions.h"

#include "terrain/TerrainSettings.h"
#include "toolkit/DoublePicker.h"
#include "toolkit/DrawingHelpers.h"
#include "toolkit/EntityPicker.h"
#include "toolkit/KeywordPicker.h"
#include "toolkit/LayerUtilities.h"
#include "toolkit/SelectSetPacker.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbArc.h>
#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbPoint.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbText.h>
#include <acdb/AcDbUtilities.h>
#include <aced/AcEdCommandLine.h>

#include <string>

namespace dh::terrain {
namespace {

constexpr double kDefaultMapProportion = 1000.0;
constexpr double kDefaultSpotRadius = 0.15;

constexpr const char* kFirstLayerPrompt = "选择等高线或高程点确定打开的层,关闭其他层<退出>";
constexpr const char* kNextLayerPrompt = "退回(U)/选择等高线或高程点确定打开的层,关闭其他层";
constexpr const char* kMissMessage =
    "\n只能选取LWPOLYLINE POLYLINE INSERT CIRCLE POINT TEXT ARC 实体";

std::string layerName(AcDbObjectId layerId)
{
    char name[512] = {};
    toolkit::getSymbolName(layerId, name, sizeof name);
    return name;
}

// " <A> <B>" after a pick, " A B" after taking one back.
std::string layerListText(const AcArray<AcDbObjectId>& layers, bool bracketed)
{
    std::string text;
    for (int i = 0; i < layers.length(); ++i)
        text += bracketed ? " <" + layerName(layers[i]) + ">" : " " + layerName(layers[i]);
    return text;
}

AcDbObjectId layerOf(AcDbObjectId entityId)
{
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, entityId, AcDb::kForRead) != Acad::eOk)
        return AcDbObjectId::kNull;
    const AcDbObjectId layer = entity->layerId();
    entity->close();
    return layer;
}

// Picks until Enter with layers chosen (true) or a cancel (false).
bool pickLayers(toolkit::EntityPicker& picker, AcArray<AcDbObjectId>& layers)
{
    layers.removeAll();
    picker.setPrompt(kFirstLayerPrompt);
    picker.setKeywords(nullptr);
    for (;;) {
        const int result = picker.pick();
        if (result == toolkit::kPickValue) {
            const AcDbObjectId layer = layerOf(picker.objectId);
            if (!layer.isNull() && !layers.contains(layer))
                layers.append(layer);
            acutPrintf("\n选择了%s ,共%d个图层作为地形图层", layerListText(layers, true).c_str(),
                       layers.length());
            picker.setPrompt(kNextLayerPrompt);
            picker.setKeywords("U");
        } else if (result == toolkit::kPickKeyword && picker.isInput("U")) {
            if (layers.isEmpty()) {
                picker.setPrompt(kFirstLayerPrompt);
                picker.setKeywords(nullptr);
                continue;
            }
            layers.removeLast();
            if (!layers.isEmpty())
                acutPrintf("\n选择了 %s ,共%d个图层作为地形图层",
                           layerListText(layers, false).c_str(), layers.length());
        } else if (result == toolkit::kPickEmpty && !layers.isEmpty()) {
            return true;
        } else if (result == toolkit::kPickEmpty || result == toolkit::kPickFailed) {
            return false;
        }
    }
}

bool confirmLayers()
{
    toolkit::KeywordPicker picker("\n关闭层是否正确?(Y or N)<Y>", "Y N");
    picker.allowEmpty = true;
    const int result = picker.pick();
    return result == toolkit::kPickEmpty || (result == toolkit::kPickValue && picker.isInput("Y"));
}

int selectTerrainEntities(AcArray<AcDbObjectId>& ids)
{
    acutPrintf("\n选择等高线、高程点");
    resbuf* filter = acutBuildList(-4, "<OR", RTDXF0, "LWPOLYLINE", RTDXF0, "POLYLINE", RTDXF0,
                                   "CIRCLE", RTDXF0, "POINT", RTDXF0, "ARC", RTDXF0, "INSERT",
                                   RTDXF0, "TEXT", -4, "OR>", 0);
    toolkit::SelectSetPacker packer;
    const int status = packer.selectInteractive(filter);
    acutRelRb(filter);
    if (status != toolkit::kSelected || packer.length() == 0)
        return kCancelled;
    packer.objectIds(ids);
    return kDone;
}

} // namespace

int askTerrainSettings()
{
    setST_MapProportion(getST_MapProportion() == 0.0 ? kDefaultMapProportion : getST_MapProportion());
    setST_SpotRadius(getST_SpotRadius() == 0.0 ? kDefaultSpotRadius : getST_SpotRadius());

    toolkit::DoublePicker picker("给定比例1:", nullptr, getST_MapProportion(), toolkit::kPositive);
    int result = picker.pick();
    if (result != toolkit::kPickValue && result != toolkit::kPickEmpty)
        return kCancelled;
    setST_MapProportion(picker.value);

    picker.setPrompt("给定高程点直径");
    picker.hasDefault = true;
    picker.defaultValue = 2.0 * getST_SpotRadius();
    result = picker.pick();
    if (result != toolkit::kPickValue && result != toolkit::kPickEmpty)
        return kCancelled;
    setST_SpotRadius(picker.value / 2.0);
    return kDone;
}

int selectTerrainLayers(AcArray<AcDbObjectId>& ids)
{
    toolkit::EntityPicker picker(kFirstLayerPrompt, nullptr);
    picker.allowEmpty = true;
    picker.missMessage = kMissMessage;
    picker.classFilter.append(AcDbPolyline::desc());
    picker.classFilter.append(AcDb2dPolyline::desc());
    picker.classFilter.append(AcDbBlockReference::desc());
    picker.classFilter.append(AcDbCircle::desc());
    picker.classFilter.append(AcDbPoint::desc());
    picker.classFilter.append(AcDbText::desc());
    picker.classFilter.append(AcDbArc::desc());

    AcArray<AcDbObjectId> layers;
    for (;;) {
        if (!pickLayers(picker, layers))
            return kCancelled;
        toolkit::isolateLayers(layers);
        if (confirmLayers())
            break;
        toolkit::restoreAllLayers();
    }
    acdbHostApplicationServices()->workingDatabase()->setClayer(layers.first());
    if (askTerrainSettings() != kDone)
        return kCancelled;
    return selectTerrainEntities(ids);
}

} // namespace dh::terrain
