#include "terrain/Cmd_CHGCD.h"

#include "terrain/ArraySorter.h"
#include "terrain/LabelBox.h"
#include "terrain/LabelValue.h"
#include "terrain/SpaceAppender.h"
#include "terrain/SpotBlockConverter.h"
#include "terrain/SpotEntity.h"
#include "toolkit/DrawingHelpers.h"

#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbExtents.h>
#include <acdb/AcDbText.h>
#include <acdb/AcDbUtilities.h>
#include <aced/AcEdCommandLine.h>
#include <acge/AcGeMatrix3d.h>

#include <string>
#include <vector>

namespace dh::terrain {
namespace {

constexpr int kDecimalKind = 2;
constexpr int kIntegerKind = 1;

// The status-bar meter of one step, restored however the step ends.
class StepMeter {
public:
    explicit StepMeter(int count) { acedSetStatusBarProgressMeter("处理中...", 0, count); }
    ~StepMeter() { acedRestoreStatusBar(); }
    StepMeter(const StepMeter&) = delete;
    StepMeter& operator=(const StepMeter&) = delete;
    void at(int i) const
    {
        if (i % 256 == 0)
            acedSetStatusBarProgressMeterPos(i);
    }
};

// An integer part as joinSplitLabels reads it once.
struct IntegerLabel {
    AcDbObjectId id;
    AcGePoint2d position;
    std::string text;
    LabelRectangle box;
    bool readable = false;
    bool removed = false;
};

IntegerLabel readIntegerLabel(AcDbObjectId id)
{
    IntegerLabel label;
    label.id = id;
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, id, AcDb::kForRead) != Acad::eOk)
        return label;
    label.position.set(text->position().x, text->position().y);
    label.text = text->textStringConst();
    label.box = labelBox(text);
    label.readable = true;
    text->close();
    return label;
}

// The position of an integer label in the sorted list: a point of the partner search.
struct LabelPoint : I_ScatterPoint {
    LabelPoint(const AcGePoint2d& at, int rank) : I_ScatterPoint(at), rank(rank) {}
    int rank;
};

// Integer labels in the order joinSplitLabels works in: by the y of their position,
// ascending, labels of equal y in list order. Labels that cannot be read go last.
std::vector<int> sortByHeight(const std::vector<IntegerLabel>& labels)
{
    std::vector<int> order;
    std::vector<int> unreadable;
    for (int i = 0; i < static_cast<int>(labels.size()); ++i)
        (labels[static_cast<size_t>(i)].readable ? order : unreadable).push_back(i);
    struct ByY {
        const std::vector<IntegerLabel>* labels;
        int operator()(int a, int b) const
        {
            const double ya = (*labels)[static_cast<size_t>(a)].position.y;
            const double yb = (*labels)[static_cast<size_t>(b)].position.y;
            return ya > yb ? 1 : ya < yb ? -1 : 0;
        }
    };
    ArraySorter<int, ByY>(ByY{&labels}).sort(order.data(), 0, static_cast<int>(order.size()) - 1);
    order.insert(order.end(), unreadable.begin(), unreadable.end());
    return order;
}

} // namespace

void Cmd_CHGCD::classifyLabel(AcDbObjectId id, const char* text)
{
    const int kind = numberTextKind(text);
    if (kind == kDecimalKind)
        m_decimalLabels.append(id);
    else if (kind == kIntegerKind)
        m_integerLabels.append(id);
}

AcDbObjectId Cmd_CHGCD::redraw(AcDbEntity* point, SpaceAppender& appender)
{
    if (const auto* reference = AcDbBlockReference::cast(point)) {
        appender.release(); // the converter adds through the toolkit
        AcArray<AcDbObjectId> texts;
        const AcDbObjectId circleId = SpotBlockConverter(m_layerId).convert(reference, &texts);
        for (int i = texts.length() - 1; i >= 0; --i) { // the second text first
            AcDbText* text = nullptr;
            if (acdbOpenObject(text, texts[i], AcDb::kForRead) != Acad::eOk)
                continue;
            classifyLabel(texts[i], text->textStringConst());
            text->close();
        }
        return circleId;
    }
    auto* circle = new AcDbCircle(spotPosition(point), AcGeVector3d::kZAxis, m_spotRadius);
    circle->setPropertiesFrom(point, true);
    circle->setLayer(m_layerId, true);
    AcDbObjectId circleId;
    if (appender.append(circle, &circleId) != toolkit::kDbOk)
        return AcDbObjectId::kNull;
    return circleId;
}

void Cmd_CHGCD::collect(const AcArray<AcDbObjectId>& ids)
{
    const StepMeter meter(ids.length());
    SpaceAppender appender;
    for (int i = 0; i < ids.length(); ++i) {
        meter.at(i);
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, ids[i], AcDb::kForRead) != Acad::eOk)
            continue;
        if (const auto* text = AcDbText::cast(entity)) {
            classifyLabel(ids[i], text->textStringConst());
            entity->close();
            continue;
        }
        if (m_layerId.isNull())
            m_layerId = entity->layerId();
        // The old point must be erasable before its circle is made: a point on a locked
        // layer would otherwise stay beside its own copy.
        if (isSpotEntity(entity) && entity->upgradeOpen() == Acad::eOk) {
            const AcGePoint3d at = spotPosition(entity);
            const AcDbObjectId circleId = redraw(entity, appender);
            if (!circleId.isNull()) {
                entity->erase();
                m_spots.add(Spot(AcGePoint2d(at.x, at.y), circleId));
            }
        }
        entity->close();
    }
    appender.release();
    m_spots.buildTree();
}

void Cmd_CHGCD::joinSplitLabels()
{
    std::vector<IntegerLabel> labels;
    labels.reserve(static_cast<size_t>(m_integerLabels.length()));
    for (const AcDbObjectId& id : m_integerLabels)
        labels.push_back(readIntegerLabel(id));
    const std::vector<int> order = sortByHeight(labels);
    auto labelAt = [&](int rank) -> IntegerLabel& {
        return labels[static_cast<size_t>(order[static_cast<size_t>(rank)])];
    };

    // The partner is the first label in the sorted list that lies in the box: found among
    // those a search of their positions reports, by the lowest rank.
    ScatterSet<LabelPoint> positions;
    for (int rank = 0; rank < static_cast<int>(order.size()); ++rank)
        if (labelAt(rank).readable)
            positions.add(LabelPoint(labelAt(rank).position, rank));
    positions.buildTree();

    const StepMeter meter(static_cast<int>(order.size()));
    SpaceAppender appender;
    AcArray<LabelPoint*> near;
    AcArray<Spot*> candidates;
    for (int rank = 0; rank < static_cast<int>(order.size()); ++rank) {
        meter.at(rank);
        IntegerLabel& label = labelAt(rank);
        if (label.removed || !label.readable)
            continue;
        const LabelRectangle& box = label.box;
        drawBox(box, appender);
        const AcGePoint2d low(box.minX, box.minY);
        const AcGePoint2d high(box.maxX, box.maxY);
        near.removeAll();
        positions.searchRange(low, high, near);
        int partner = -1;
        for (const LabelPoint* p : near)
            if (p->rank != rank && !labelAt(p->rank).removed && (partner < 0 || p->rank < partner))
                partner = p->rank;
        if (partner < 0)
            continue;
        candidates.removeAll();
        if (!m_spots.searchRange(low, high, candidates) || candidates.isEmpty())
            continue;
        Spot* spot = chooseSpot(AcGePoint2d((box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2),
                                candidates);
        if (!spot)
            continue;
        IntegerLabel& decimals = labelAt(partner);
        spot->setElevation(labelValue((label.text + "." + decimals.text).c_str()));
        spot->used = true;
        label.removed = decimals.removed = true;
    }

    m_integerLabels.removeAll();
    for (int rank = 0; rank < static_cast<int>(order.size()); ++rank)
        if (!labelAt(rank).removed)
            m_integerLabels.append(labelAt(rank).id);
}

void Cmd_CHGCD::assignDecimalLabels()
{
    const StepMeter meter(m_decimalLabels.length());
    SpaceAppender appender;
    const double factor = m_searchRange + 1;
    AcArray<Spot*> candidates;
    for (int i = 0; i < m_decimalLabels.length(); ++i) {
        meter.at(i);
        AcDbText* label = nullptr;
        if (acdbOpenObject(label, m_decimalLabels[i], AcDb::kForRead) != Acad::eOk)
            continue;
        AcDbExtents extents;
        if (label->getGeomExtents(extents) != Acad::eOk) {
            label->close();
            continue;
        }
        const AcGePoint3d centre = extents.minPoint() + (extents.maxPoint() - extents.minPoint()) / 2;
        extents.transformBy(AcGeMatrix3d::scaling(factor, centre));
        candidates.removeAll();
        const AcGePoint3d at = label->position();
        if (!m_spots.searchRange(extents.minPoint(), extents.maxPoint(), candidates) ||
            candidates.isEmpty()) {
            auto* circle = new AcDbCircle(at, AcGeVector3d::kZAxis, m_spotRadius);
            circle->setPropertiesFrom(label, true);
            circle->setLayer(label->layerId(), true);
            appender.append(circle);
        } else if (Spot* spot = chooseSpot(AcGePoint2d(at.x, at.y), candidates)) {
            spot->setElevation(labelValue(label->textStringConst()));
            spot->used = true;
        }
        label->close();
    }
}

} // namespace dh::terrain
