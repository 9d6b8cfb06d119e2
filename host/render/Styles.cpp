#include "host/render/Styles.h"

#include "host/render/ReadOpen.h"

#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbSymbolTables.h>

#include <algorithm>
#include <cmath>

namespace dh::render {

namespace {

// A pattern shorter than this many pixels shows as a continuous line, as on screen.
constexpr double kMinPatternPx = 4.0;
// Dots (zero-length dashes) and dashes drawn shorter than a pixel get a pixel.
constexpr double kMinDashPx = 1.0;

}  // namespace

std::string layerKey(const std::string& name)
{
    std::string key = name;
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return key;
}

Styles::Styles(AcDbDatabase& db, const RenderOptions& options, double pixelsPerUnit)
    : m_db(db), m_pixelsPerUnit(pixelsPerUnit), m_globalScale(db.ltscale() > 0 ? db.ltscale() : 1.0),
      m_foreground(options.background == Background::Black ? Rgb{255, 255, 255} : Rgb{0, 0, 0})
{
    if (options.layers.empty())
        return;
    m_filtered = true;
    AcDbLayerTable* table = nullptr;
    if (db.getLayerTable(table, AcDb::kForRead) != Acad::eOk)
        return;
    for (const std::string& name : options.layers) {
        m_chosen.insert(layerKey(name));
        if (!table->has(name.c_str()))
            m_unknownLayers.push_back(name);
    }
    table->close();
}

const Styles::LayerInfo& Styles::layer(AcDbObjectId id)
{
    auto found = m_layers.find(id);
    if (found != m_layers.end())
        return found->second;
    LayerInfo info;
    info.color = m_foreground;
    if (ReadOpen<AcDbLayerTableRecord> record(id); record) {
        info.frozen = record->isFrozen();
        info.hidden = record->isOff() || record->isFrozen();
        info.isZero = layerKey(record->getName()) == "0";
        info.chosen = !m_filtered || m_chosen.count(layerKey(record->getName())) > 0;
        info.linetypeId = record->linetypeObjectId();
        const AcCmColor c = record->color();
        info.color = c.isByColor() ? Rgb{c.red(), c.green(), c.blue()} : aciColor(c.colorIndex());
        if (c.isByACI() && c.colorIndex() == 7)
            info.color = m_foreground;
    }
    return m_layers.emplace(id, info).first->second;
}

const Styles::LinetypeInfo& Styles::linetype(AcDbObjectId id)
{
    auto found = m_linetypes.find(id);
    if (found != m_linetypes.end())
        return found->second;
    LinetypeInfo info;
    if (id.isNull()) {
        info.kind = LinetypeKind::ByLayer;
    } else if (ReadOpen<AcDbLinetypeTableRecord> record(id); record) {
        const std::string name = layerKey(record->getName());
        if (name == "BYLAYER") {
            info.kind = LinetypeKind::ByLayer;
        } else if (name == "BYBLOCK") {
            info.kind = LinetypeKind::ByBlock;
        } else if (record->numDashes() > 0) {
            for (int i = 0; i < record->numDashes(); ++i) {
                info.dashes.push_back(record->dashLengthAt(i));
                info.length += std::fabs(record->dashLengthAt(i));
            }
            info.kind = info.length > 0.0 ? LinetypeKind::Pattern : LinetypeKind::Solid;
        }
    }
    return m_linetypes.emplace(id, info).first->second;
}

Rgb Styles::colorOf(const AcCmColor& color, const LayerInfo& layer, const Inherited* inherited) const
{
    if (color.isByLayer())
        return layer.color;
    if (color.isByBlock())
        return inherited ? inherited->color : m_foreground;
    if (color.isByColor())
        return {color.red(), color.green(), color.blue()};
    const int index = color.colorIndex();
    if (index == 7 || index == 0 || index == 256)
        return m_foreground;
    return aciColor(index);
}

std::vector<double> Styles::dashesPx(const LinetypeInfo& type, double scale) const
{
    const double unit = scale * m_globalScale * m_pixelsPerUnit;
    if (type.kind != LinetypeKind::Pattern || !(type.length * unit >= kMinPatternPx))
        return {};
    return dashPattern(type.dashes, unit);
}

std::vector<double> dashPattern(const std::vector<double>& lengths, double pixelsPerUnit)
{
    std::vector<std::pair<bool, double>> runs;
    for (double d : lengths) {
        const bool on = d >= 0.0;
        const double px = on ? std::max(d * pixelsPerUnit, kMinDashPx) : -d * pixelsPerUnit;
        if (!runs.empty() && runs.back().first == on)
            runs.back().second += px;
        else
            runs.emplace_back(on, px);
    }
    if (runs.size() > 1 && runs.front().first == runs.back().first) {
        runs.front().second += runs.back().second;
        runs.pop_back();
    }
    if (runs.size() < 2)
        return {};
    if (!runs.front().first)
        std::rotate(runs.begin(), runs.begin() + 1, runs.end());
    std::vector<double> out;
    for (const auto& run : runs)
        out.push_back(run.second);
    return out;
}

bool Styles::framesPicture(const AcDbEntity& entity)
{
    const LayerInfo& info = layer(entity.layerId());
    return m_filtered ? info.chosen : !info.frozen;
}

EntityLook Styles::look(const AcDbEntity& entity, const Inherited* inherited)
{
    EntityLook result;
    const LayerInfo* own = &layer(entity.layerId());
    result.layerId = entity.layerId();
    if (inherited && own->isZero) {
        own = &layer(inherited->layerId);
        result.layerId = inherited->layerId;
    }
    // At the top level a --layers list decides alone: a named layer shows even when off.
    if (inherited ? own->hidden : (m_filtered ? !own->chosen : own->hidden))
        return result;
    if (entity.visibility() == AcDb::kInvisible)
        return result;
    result.visible = true;
    result.stroke.color = colorOf(entity.color(), *own, inherited);

    AcDbObjectId typeId = entity.linetypeId();
    double scale = entity.linetypeScale();
    const LinetypeInfo* type = &linetype(typeId);
    if (type->kind == LinetypeKind::ByLayer) {
        typeId = own->linetypeId;
        type = &linetype(typeId);
        if (type->kind == LinetypeKind::ByLayer || type->kind == LinetypeKind::ByBlock)
            type = nullptr;
    } else if (type->kind == LinetypeKind::ByBlock) {
        typeId = inherited ? inherited->linetypeId : AcDbObjectId();
        type = inherited ? &linetype(typeId) : nullptr;
        if (inherited)
            scale *= inherited->linetypeScale;
        if (type && type->kind != LinetypeKind::Pattern)
            type = nullptr;
    }
    result.linetypeId = typeId;
    if (type)
        result.stroke.dashes = dashesPx(*type, scale);
    return result;
}

}  // namespace dh::render
