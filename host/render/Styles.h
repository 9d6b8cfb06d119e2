// Styles: how an entity looks in a picture — whether its layer shows, its colour and its
// dash pattern — from the layers, linetypes and the enclosing block references. Layer and
// linetype records are read once and cached.
//
// Inside a block, an entity on layer "0" takes the reference's layer, colour "by block"
// takes the reference's colour and linetype "by block" the reference's linetype; at the top
// level "by block" is colour 7 and a continuous line.
#pragma once

#include "host/render/Canvas.h"
#include "host/render/RenderOptions.h"

#include <acdb/AcCmColor.h>
#include <acdb/AcDbObjectId.h>

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class AcDbDatabase;
class AcDbEntity;

namespace dh::render {

// What an enclosing block reference hands down to the entities of its block.
struct Inherited {
    AcDbObjectId layerId;    // the reference's effective layer
    Rgb color;               // the reference's colour
    AcDbObjectId linetypeId; // the reference's effective linetype
    double linetypeScale = 1.0;
};

struct EntityLook {
    bool visible = false;
    StrokeStyle stroke;
    AcDbObjectId layerId;     // the effective layer
    AcDbObjectId linetypeId;  // the effective linetype
};

class Styles {
public:
    // pixelsPerUnit: the picture's scale, for dash lengths.
    Styles(AcDbDatabase& db, const RenderOptions& options, double pixelsPerUnit);

    // Names of --layers that the drawing does not have.
    std::vector<std::string> unknownLayers() const { return m_unknownLayers; }

    void setPixelsPerUnit(double pixelsPerUnit) { m_pixelsPerUnit = pixelsPerUnit; }

    // inherited: null at the top level of a layout.
    EntityLook look(const AcDbEntity& entity, const Inherited* inherited);
    Rgb foreground() const { return m_foreground; }
    // Whether a top-level entity counts for the picture's default window: its layer is
    // not frozen (an off layer counts, as for the extents of the drawing) and is one of
    // the --layers list when there is one.
    bool framesPicture(const AcDbEntity& entity);

private:
    struct LayerInfo {
        bool hidden = false;   // off or frozen
        bool frozen = false;
        bool chosen = true;    // named by --layers (or no list given)
        bool isZero = false;
        Rgb color;
        AcDbObjectId linetypeId;
    };
    enum class LinetypeKind { ByLayer, ByBlock, Solid, Pattern };
    struct LinetypeInfo {
        LinetypeKind kind = LinetypeKind::Solid;
        std::vector<double> dashes;  // drawing units; + dash, - gap, 0 dot
        double length = 0.0;
    };

    const LayerInfo& layer(AcDbObjectId id);
    const LinetypeInfo& linetype(AcDbObjectId id);
    Rgb colorOf(const AcCmColor& color, const LayerInfo& layer, const Inherited* inherited) const;
    std::vector<double> dashesPx(const LinetypeInfo& type, double scale) const;

    AcDbDatabase& m_db;
    double m_pixelsPerUnit;
    double m_globalScale;
    Rgb m_foreground;
    bool m_filtered = false;
    std::unordered_set<std::string> m_chosen;  // upper-cased names
    std::vector<std::string> m_unknownLayers;
    std::unordered_map<AcDbObjectId, LayerInfo> m_layers;
    std::unordered_map<AcDbObjectId, LinetypeInfo> m_linetypes;
};

// Alternating on and off lengths in pixels, starting with a dash, of a pattern in drawing
// units (+ dash, - gap, 0 dot). The pattern repeats, so runs of one kind at both ends join
// and a leading gap moves last; dots and short dashes get a pixel. Empty: a pattern with
// nothing to alternate, drawn continuous.
std::vector<double> dashPattern(const std::vector<double>& lengths, double pixelsPerUnit);

// A layer name as compared: ASCII letters upper-cased.
std::string layerKey(const std::string& name);

}  // namespace dh::render
