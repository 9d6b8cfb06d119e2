#include "host/render/EntityPainter.h"

#include "host/render/KeptPainter.h"
#include "host/render/Ocs.h"
#include "host/render/ReadOpen.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDb3dPolyline.h>
#include <acdb/AcDb3dPolylineVertex.h>
#include <acdb/AcDbArc.h>
#include <acdb/AcDbAttribute.h>
#include <acdb/AcDbAttributeDefinition.h>
#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbDimension.h>
#include <acdb/AcDbEllipse.h>
#include <acdb/AcDbLeader.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbMText.h>
#include <acdb/AcDbObjectIterator.h>
#include <acdb/AcDbPoint.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbSpline.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbText.h>

#include <cmath>
#include <memory>

namespace dh::render {

namespace {

// Blocks nest at most this deep; deeper references (a block holding itself) are not drawn.
constexpr int kMaxDepth = 16;
constexpr double kTwoPi = 2.0 * M_PI;
// A chord may stray this far from the curve it stands for.
constexpr double kChordErrorPx = 0.25;
// Circles smaller than this radius show as a dot.
constexpr double kDotRadiusPx = 0.75;
// Wide polylines narrower than this are drawn as plain lines.
constexpr double kMinWidthPx = 1.5;

double distance(Point2 a, Point2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Points of the curve between two parameters, halving each piece until its chord runs
// close to the curve's midpoint (or the pieces grow too many).
void sampleSpan(const AcDbCurve& curve, Pen& pen, double a, Point2 pa, double b, Point2 pb, int depth)
{
    AcGePoint3d mid;
    const double m = (a + b) / 2.0;
    if (!curve.evaluate(m, mid))
        return;
    const Point2 pm = pen.placement().toDevice(mid);
    const Point2 chordMid{(pa.x + pb.x) / 2.0, (pa.y + pb.y) / 2.0};
    if (depth < 12 && (depth < 2 || distance(pm, chordMid) > kChordErrorPx)) {
        sampleSpan(curve, pen, a, pa, m, pm, depth + 1);
        sampleSpan(curve, pen, m, pm, b, pb, depth + 1);
        return;
    }
    pen.lineToDevice(pm);
    pen.lineToDevice(pb);
}

}  // namespace

bool boxInPicture(const AcDbExtents& box, const Placement& placement, int width, int height)
{
    if (box.isEmpty())
        return false;
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    const AcGePoint3d& lo = box.minPoint();
    const AcGePoint3d& hi = box.maxPoint();
    for (int i = 0; i < 8; ++i) {
        const Point2 d = placement.toDevice((i & 1) ? hi.x : lo.x, (i & 2) ? hi.y : lo.y, (i & 4) ? hi.z : lo.z);
        x0 = std::min(x0, d.x);
        y0 = std::min(y0, d.y);
        x1 = std::max(x1, d.x);
        y1 = std::max(y1, d.y);
    }
    return x1 >= -2.0 && y1 >= -2.0 && x0 <= width + 2.0 && y0 <= height + 2.0;
}

void EntityPainter::draw(const AcDbEntity& entity, const Placement& placement, const Inherited* inherited, int depth)
{
    const EntityLook look = m_styles.look(entity, inherited);
    if (!look.visible)
        return;
    if (drawShape(entity, placement, look, inherited, depth))
        ++m_drawn;
}

bool EntityPainter::drawShape(const AcDbEntity& e, const Placement& placement, const EntityLook& look,
                              const Inherited* inherited, int depth)
{
    Pen pen(m_canvas, placement);
    if (auto* ref = AcDbBlockReference::cast(&e)) {
        drawReference(*ref, placement, look, inherited, depth);
        return true;
    }
    if (auto* dim = AcDbDimension::cast(&e)) {
        AcDbVoidPtrArray parts;
        dim->explode(parts);
        const Inherited byDimension{look.layerId, look.stroke.color, look.linetypeId, e.linetypeScale()};
        for (void* p : parts) {
            std::unique_ptr<AcDbEntity> part(static_cast<AcDbEntity*>(p));
            if (depth < kMaxDepth)
                draw(*part, placement, &byDimension, depth + 1);
        }
        return true;
    }
    if (auto* attdef = AcDbAttributeDefinition::cast(&e)) {
        // In a block only constant attributes show; in a layout the definition shows its tag.
        if (inherited) {
            if (attdef->isConstant() && !attdef->isInvisible())
                drawText(*attdef, placement, look);
            return true;
        }
        AcDbText tag(*attdef);
        tag.setTextString(attdef->tagConst());
        tag.adjustAlignment(e.database());
        drawText(tag, placement, look);
        return true;
    }
    if (auto* text = AcDbText::cast(&e)) {
        auto* attribute = AcDbAttribute::cast(&e);
        if (!attribute || !attribute->isInvisible())
            drawText(*text, placement, look);
        return true;
    }
    if (auto* mtext = AcDbMText::cast(&e)) {
        drawMText(*mtext, placement, look);
        return true;
    }
    m_canvas.useStroke(look.stroke);
    if (auto* line = AcDbLine::cast(&e)) {
        pen.moveTo(line->startPoint());
        pen.lineTo(line->endPoint());
        pen.endRun();
    } else if (auto* pline = AcDbPolyline::cast(&e)) {
        drawPolyline(*pline, pen, look);
    } else if (auto* old = AcDb2dPolyline::cast(&e)) {
        drawPolyline(old->shape(), pen, look);
    } else if (auto* poly3d = AcDb3dPolyline::cast(&e)) {
        std::unique_ptr<AcDbObjectIterator> it(poly3d->vertexIterator());
        AcGePoint3d first;
        bool any = false;
        for (it->start(); !it->done(); it->step()) {
            ReadOpen<AcDb3dPolylineVertex> v(it->objectId());
            if (!v || v->vertexType() == AcDb::k3dControlVertex)
                continue;
            any ? pen.lineTo(v->position()) : pen.moveTo(v->position());
            first = any ? first : v->position();
            any = true;
        }
        if (any && poly3d->isClosed())
            pen.lineTo(first);
        pen.endRun();
    } else if (auto* circle = AcDbCircle::cast(&e)) {
        if (circle->radius() * placement.pixelsPerUnit() < kDotRadiusPx) {
            pen.dot(circle->center());
        } else {
            const Ocs ocs(circle->normal(), 0.0);
            pen.arc(circle->center(), ocs.x * circle->radius(), ocs.y * circle->radius(), 0.0, kTwoPi, true);
            pen.closePath();
        }
    } else if (auto* arc = AcDbArc::cast(&e)) {
        const Ocs ocs(arc->normal(), 0.0);
        double t1 = arc->endAngle();
        while (t1 <= arc->startAngle())
            t1 += kTwoPi;
        pen.arc(arc->center(), ocs.x * arc->radius(), ocs.y * arc->radius(), arc->startAngle(), t1, true);
        pen.endRun();
    } else if (auto* ellipse = AcDbEllipse::cast(&e)) {
        pen.arc(ellipse->center(), ellipse->majorAxis(), ellipse->minorAxis(), ellipse->startParam(),
                ellipse->endParam(), true);
        pen.endRun();
    } else if (auto* point = AcDbPoint::cast(&e)) {
        pen.dot(point->position());
    } else if (auto* leader = AcDbLeader::cast(&e)) {
        drawLeader(*leader, pen, look);
    } else if (auto* curve = AcDbCurve::cast(&e)) {
        drawSampled(*curve, pen);
    } else {
        std::string kind;
        if (drawKeptEntity(e, pen, look, kind))
            return true;
        ++m_notDrawn[kind];
        return false;
    }
    return true;
}

void EntityPainter::drawPolyline(const AcDbPolyline& pline, Pen& pen, const EntityLook& look)
{
    const unsigned int n = pline.numVerts();
    if (n == 0)
        return;
    const Ocs ocs(pline.normal(), pline.elevation());
    AcGePoint2d p;
    pline.getPointAt(0, p);
    if (n == 1) {
        pen.dot(ocs.at(p));
        return;
    }
    const unsigned int segments = pline.isClosed() ? n : n - 1;
    // Widths: one common width is stroked; widths that vary are filled segment by segment.
    double common = -1.0;
    bool varies = false;
    for (unsigned int i = 0; i < segments; ++i) {
        double s = 0.0, e = 0.0;
        pline.getWidthsAt(i, s, e);
        if (common < 0.0)
            common = s;
        varies = varies || s != common || e != common;
    }
    const double ppu = pen.placement().pixelsPerUnit();
    if (varies) {
        drawWideSegments(pline, pen, look);
        return;
    }
    if (common * ppu >= kMinWidthPx) {
        StrokeStyle wide = look.stroke;
        wide.widthPx = common * ppu;
        m_canvas.useStroke(wide);
    }
    pen.moveTo(ocs.at(p));
    for (unsigned int i = 0; i < segments; ++i) {
        AcGePoint2d next;
        pline.getPointAt((i + 1) % n, next);
        double bulge = 0.0;
        pline.getBulgeAt(i, bulge);
        if (bulge != 0.0 && !p.isEqualTo(next)) {
            const BulgeArcPiece a = bulgePiece(p, next, bulge);
            pen.arc(ocs.at(a.center), ocs.along(a.u), ocs.along(a.v), a.t0, a.t1, a.ccw);
        } else if (i + 1 == segments && pline.isClosed()) {
            pen.closePath();
        } else {
            pen.lineTo(ocs.at(next));
        }
        p = next;
    }
    pen.endRun();
}

void EntityPainter::drawWideSegments(const AcDbPolyline& pline, Pen& pen, const EntityLook& look)
{
    const unsigned int n = pline.numVerts();
    const unsigned int segments = pline.isClosed() ? n : n - 1;
    const Ocs ocs(pline.normal(), pline.elevation());
    for (unsigned int i = 0; i < segments; ++i) {
        AcGePoint2d a, b;
        pline.getPointAt(i, a);
        pline.getPointAt((i + 1) % n, b);
        double w0 = 0.0, w1 = 0.0, bulge = 0.0;
        pline.getWidthsAt(i, w0, w1);
        pline.getBulgeAt(i, bulge);
        if (a.isEqualTo(b))
            continue;
        // The outline: one side forward, the other back, offsets across the centre line.
        std::vector<AcGePoint2d> left, right;
        const int steps = bulge == 0.0 ? 1 : 32;
        const BulgeArcPiece arc = bulge == 0.0 ? BulgeArcPiece{} : bulgePiece(a, b, bulge);
        for (int k = 0; k <= steps; ++k) {
            const double f = double(k) / steps;
            const double half = (w0 + (w1 - w0) * f) / 2.0;
            AcGePoint2d c;
            AcGeVector2d across;
            if (bulge == 0.0) {
                c = a + (b - a) * f;
                across = AcGeVector2d(-(b - a).y, (b - a).x).normal();
            } else {
                const double t = arc.t0 + (arc.t1 - arc.t0) * f;
                across = AcGeVector2d(std::cos(t), std::sin(t));
                c = arc.center + across * arc.radius;
            }
            left.push_back(c + across * half);
            right.push_back(c - across * half);
        }
        if ((w0 + w1) / 2.0 * pen.placement().pixelsPerUnit() < kMinWidthPx) {
            m_canvas.useStroke(look.stroke);
            Pen line(m_canvas, pen.placement());
            if (bulge == 0.0) {
                line.moveTo(ocs.at(a));
                line.lineTo(ocs.at(b));
            } else {
                line.arc(ocs.at(arc.center), ocs.along(arc.u), ocs.along(arc.v), arc.t0, arc.t1, arc.ccw);
            }
            line.endRun();
            continue;
        }
        m_canvas.beginFill();
        Pen outline(m_canvas, pen.placement());
        outline.moveTo(ocs.at(left.front()));
        for (std::size_t k = 1; k < left.size(); ++k)
            outline.lineTo(ocs.at(left[k]));
        for (std::size_t k = right.size(); k-- > 0;)
            outline.lineTo(ocs.at(right[k]));
        outline.closePath();
        m_canvas.endFill(look.stroke.color);
    }
}

void EntityPainter::drawSampled(const AcDbCurve& curve, Pen& pen)
{
    std::vector<AcDbCurve::Span> spans;
    curve.getSpans(spans);
    bool first = true;
    for (const AcDbCurve::Span& span : spans) {
        AcGePoint3d a, b;
        if (!curve.evaluate(span.start, a) || !curve.evaluate(span.end, b))
            continue;
        const Point2 pa = pen.placement().toDevice(a), pb = pen.placement().toDevice(b);
        if (first)
            pen.moveToDevice(pa);
        first = false;
        sampleSpan(curve, pen, span.start, pa, span.end, pb, 0);
    }
    pen.endRun();
}

void EntityPainter::drawText(const AcDbText& text, const Placement& placement, const EntityLook& look)
{
    AcGePoint3dArray corners;
    if (text.getBoundingPoints(corners) != Acad::eOk || corners.length() < 4)
        return;
    const TextBox box{placement.toDevice(corners[0]), placement.toDevice(corners[1]),
                      placement.toDevice(corners[3])};
    m_text.draw(text.textStringConst(), box, text.oblique(), look.stroke.color);
}

void EntityPainter::drawMText(const AcDbMText& mtext, const Placement& placement, const EntityLook& look)
{
    AcDbVoidPtrArray lines;
    mtext.explode(lines);
    // Lines come left-aligned in the box; centred and right attachments move them over.
    const int column = (static_cast<int>(mtext.attachment()) - 1) % 3;
    const double boxWidth = mtext.actualWidth();
    for (void* p : lines) {
        std::unique_ptr<AcDbEntity> part(static_cast<AcDbEntity*>(p));
        auto* line = AcDbText::cast(part.get());
        if (!line)
            continue;
        AcGePoint3dArray corners;
        if (line->getBoundingPoints(corners) != Acad::eOk || corners.length() < 4)
            continue;
        AcGeVector3d along = corners[1] - corners[0];
        const double width = along.length();
        double shift = 0.0;
        if (column == 1)
            shift = (boxWidth - width) / 2.0;
        else if (column == 2)
            shift = boxWidth - width;
        if (width > 0.0)
            along = along / width * shift;
        else
            along = AcGeVector3d();
        const TextBox box{placement.toDevice(corners[0] + along), placement.toDevice(corners[1] + along),
                          placement.toDevice(corners[3] + along)};
        m_text.draw(line->textStringConst(), box, 0.0, look.stroke.color);
    }
}

void EntityPainter::drawLeader(const AcDbLeader& leader, Pen& pen, const EntityLook& look)
{
    const int n = leader.numVertices();
    for (int i = 0; i < n; ++i)
        i == 0 ? pen.moveTo(leader.vertexAt(i)) : pen.lineTo(leader.vertexAt(i));
    pen.endRun();
    if (!leader.hasArrowHead() || n < 2)
        return;
    double size = 0.18, scale = 1.0;
    AcDbObjectId styleId = leader.dimensionStyle();
    if (styleId.isNull() && leader.database())
        styleId = leader.database()->dimstyle();
    if (ReadOpen<AcDbDimStyleTableRecord> style(styleId); style) {
        size = style->dimasz();
        scale = style->dimscale() > 0.0 ? style->dimscale() : 1.0;
    }
    const AcGePoint3d tip = leader.vertexAt(0);
    AcGeVector3d back = leader.vertexAt(1) - tip;
    if (back.isZeroLength())
        return;
    back = back.normal() * size * scale;
    const AcGeVector3d side = leader.normal().crossProduct(back) / 6.0;
    m_canvas.beginFill();
    Pen arrow(m_canvas, pen.placement());
    arrow.moveTo(tip);
    arrow.lineTo(tip + back + side);
    arrow.lineTo(tip + back - side);
    arrow.closePath();
    m_canvas.endFill(look.stroke.color);
}

const AcDbExtents& EntityPainter::blockExtents(AcDbObjectId blockId)
{
    auto found = m_blockBoxes.find(blockId);
    if (found != m_blockBoxes.end())
        return found->second;
    AcDbExtents box;
    if (ReadOpen<AcDbBlockTableRecord> block(blockId); block) {
        for (AcDbObjectId id : block->entityIds()) {
            ReadOpen<AcDbEntity> entity(id);
            AcDbExtents part;
            if (entity && entity->getGeomExtents(part) == Acad::eOk)
                box.addExt(part);
        }
    }
    return m_blockBoxes.emplace(blockId, box).first->second;
}

void EntityPainter::drawReference(const AcDbBlockReference& ref, const Placement& placement, const EntityLook& look,
                                  const Inherited* inherited, int depth)
{
    const Inherited passed{look.layerId, look.stroke.color, look.linetypeId,
                           ref.linetypeScale() * (inherited ? inherited->linetypeScale : 1.0)};
    const AcDbObjectId blockId = ref.blockTableRecord();
    if (depth < kMaxDepth) {
        AcDbExtents box = blockExtents(blockId);
        box.transformBy(ref.blockTransform());
        if (boxInPicture(box, placement, m_canvas.width(), m_canvas.height())) {
            const Placement inner = placement.nested(ref.blockTransform());
            ReadOpen<AcDbBlockTableRecord> block(blockId);
            if (block && !block->isFromExternalReference())
                for (AcDbObjectId id : block->entityIds())
                    if (ReadOpen<AcDbEntity> entity(id); entity)
                        draw(*entity, inner, &passed, depth + 1);
        }
    }
    // Attributes are placed in the reference's own coordinates already.
    std::unique_ptr<AcDbObjectIterator> it(ref.attributeIterator());
    for (it->start(); !it->done(); it->step())
        if (ReadOpen<AcDbAttribute> attribute(it->objectId()); attribute)
            draw(*attribute, placement, &passed, depth + 1);
}

}  // namespace dh::render
