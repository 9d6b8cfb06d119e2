// EntityPainter: draws one entity of any kind the database holds, block references with
// their blocks and attributes, dimensions with their geometry block. Curves keep their
// exact shape: arcs, circles and ellipses are drawn as arcs, splines and other curves are
// sampled until no chord strays half a pixel from the curve. Counts what it drew and, by
// kind, what it could not.
#pragma once

#include "host/render/Canvas.h"
#include "host/render/Pen.h"
#include "host/render/Styles.h"
#include "host/render/TextPainter.h"

#include <acdb/AcDbExtents.h>
#include <acdb/AcDbObjectId.h>

#include <map>
#include <string>
#include <unordered_map>

class AcDbBlockReference;
class AcDbCurve;
class AcDbEntity;
class AcDbLeader;
class AcDbMText;
class AcDbPolyline;
class AcDbText;

namespace dh::render {

class EntityPainter {
public:
    EntityPainter(Canvas& canvas, Styles& styles) : m_canvas(canvas), m_styles(styles), m_text(canvas) {}

    // inherited: null at the top level of a layout; depth: how deep in blocks.
    void draw(const AcDbEntity& entity, const Placement& placement, const Inherited* inherited, int depth = 0);

    long drawn() const { return m_drawn; }
    const std::map<std::string, long>& notDrawn() const { return m_notDrawn; }

private:
    bool drawShape(const AcDbEntity& entity, const Placement& placement, const EntityLook& look,
                   const Inherited* inherited, int depth);
    void drawPolyline(const AcDbPolyline& pline, Pen& pen, const EntityLook& look);
    void drawWideSegments(const AcDbPolyline& pline, Pen& pen, const EntityLook& look);
    void drawSampled(const AcDbCurve& curve, Pen& pen);
    void drawText(const AcDbText& text, const Placement& placement, const EntityLook& look);
    void drawMText(const AcDbMText& mtext, const Placement& placement, const EntityLook& look);
    void drawLeader(const AcDbLeader& leader, Pen& pen, const EntityLook& look);
    void drawReference(const AcDbBlockReference& ref, const Placement& placement, const EntityLook& look,
                       const Inherited* inherited, int depth);
    // Extents of a block's entities in its own coordinates, worked out once.
    const AcDbExtents& blockExtents(AcDbObjectId blockId);

    Canvas& m_canvas;
    Styles& m_styles;
    TextPainter m_text;
    long m_drawn = 0;
    std::map<std::string, long> m_notDrawn;
    std::unordered_map<AcDbObjectId, AcDbExtents> m_blockBoxes;
};

// Whether a box of the drawn coordinates can show in the picture.
bool boxInPicture(const AcDbExtents& box, const Placement& placement, int width, int height);

}  // namespace dh::render
