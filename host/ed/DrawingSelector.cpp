#include "host/ed/DrawingSelector.h"

#include "host/ed/EntityFilterSubject.h"
#include "host/ed/EntityShapes.h"
#include "host/dxf/WriterContext.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbSymbolTables.h>
#include <acdb/AcDbUtilities.h>

#include <acrx/AcRxClass.h>

#include <cctype>
#include <memory>

namespace dh::ed {
namespace {

// Closes an entity opened for read when the scope ends.
struct ReadEntity {
    AcDbEntity* entity = nullptr;
    explicit ReadEntity(AcDbObjectId id)
    {
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            entity = nullptr;
    }
    ~ReadEntity()
    {
        if (entity != nullptr)
            entity->close();
    }
    ReadEntity(const ReadEntity&) = delete;
    ReadEntity& operator=(const ReadEntity&) = delete;
};

Box2 viewBox(const View& view)
{
    const ViewBox b = view.displayBox();
    return {b.minX, b.minY, b.maxX, b.maxY};
}

// The part of the query that the view shows: a window or crossing box is clipped to the
// view; fences and polygons keep their points and the candidates must touch the view.
SelectionQuery clippedToView(const SelectionQuery& query, const Box2& shown)
{
    SelectionQuery clipped = query;
    if (query.mode == SelectionMode::Crossing && query.points.size() == 2) {
        const Box2 box = Box2::of(query.points[0], query.points[1]);
        const Box2 common{std::max(box.minX, shown.minX), std::max(box.minY, shown.minY),
                          std::min(box.maxX, shown.maxX), std::min(box.maxY, shown.maxY)};
        clipped.points = {{common.minX, common.minY}, {common.maxX, common.maxY}};
    }
    return clipped;
}

}  // namespace

std::string entityTypeName(const AcDbEntity& entity)
{
    // The writer's name, so that filters and the files agree (kept entities included).
    std::string name = dh::dxf::dxfTypeOf(&entity);
    if (!name.empty())
        return name;
    name = entity.isA()->name();
    if (name.rfind("AcDb", 0) == 0)
        name.erase(0, 4);
    for (char& ch : name)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return name;
}

DrawingSelector::DrawingSelector(AcDbDatabase& database, const View& view, const SelectionFilter* filter)
    : m_database(database), m_view(view), m_filter(filter)
{
}

const DrawingSelector::LayerState& DrawingSelector::layerState(AcDbObjectId layerId)
{
    const auto found = m_layers.find(layerId);
    if (found != m_layers.end())
        return found->second;
    LayerState state;
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, layerId, AcDb::kForRead) == Acad::eOk) {
        state = {layer->isOff(), layer->isFrozen(), layer->isLocked(), layer->getName()};
        layer->close();
    }
    return m_layers.emplace(layerId, state).first->second;
}

bool DrawingSelector::layerAdmits(const AcDbEntity& entity, Reach reach)
{
    if (reach == Reach::Drawing)
        return true;
    const LayerState& layer = layerState(entity.layerId());
    if (layer.frozen)
        return false;
    return reach == Reach::Space || (!layer.off && entity.visibility() == AcDb::kVisible);
}

bool DrawingSelector::accepts(const AcDbEntity& entity)
{
    if (m_filter == nullptr || m_filter->isEmpty())
        return true;
    EntityFilterSubject subject(entity, layerState(entity.layerId()).name);
    return m_filter->accepts(subject);
}

bool DrawingSelector::isOnLockedLayer(AcDbObjectId entityId)
{
    ReadEntity read(entityId);
    return read.entity != nullptr && layerState(read.entity->layerId()).locked;
}

std::vector<AcDbObjectId> DrawingSelector::spaceEntities(AcDbObjectId blockId)
{
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk)
        return {};
    std::vector<AcDbObjectId> ids = block->entityIds();
    block->close();
    return ids;
}

void DrawingSelector::gatherVisible(const Box2& reach, std::vector<SelectionCandidate>& candidates,
                                    std::vector<AcDbObjectId>& ids)
{
    const Box2 shown = viewBox(m_view);
    std::size_t order = 0;
    for (const AcDbObjectId id : spaceEntities(m_database.currentSpaceId())) {
        ++order;
        if (id.isErased())
            continue;
        ReadEntity read(id);
        if (read.entity == nullptr || !layerAdmits(*read.entity, Reach::Visible))
            continue;
        const std::optional<Box2> box = displayExtents(*read.entity, m_view);
        if (!box || !box->overlaps(reach) || !box->overlaps(shown))
            continue;
        if (!accepts(*read.entity))
            continue;
        SelectionCandidate candidate{shapeOfEntity(*read.entity, m_view), *box, order};
        if (!shapeTouchesBox(candidate.shape, shown))
            continue;
        candidates.push_back(std::move(candidate));
        ids.push_back(id);
    }
}

std::vector<AcDbObjectId> DrawingSelector::query(const SelectionQuery& query)
{
    std::vector<AcDbObjectId> taken;
    if (!query.isUsable())
        return taken;
    const Box2 shown = viewBox(m_view);
    const SelectionQuery visible = clippedToView(query, shown);
    if (visible.mode == SelectionMode::Crossing && Box2::of(visible.points[0], visible.points[1]).isEmpty())
        return taken;
    std::vector<SelectionCandidate> candidates;
    std::vector<AcDbObjectId> ids;
    gatherVisible(visible.reach(), candidates, ids);
    const bool wholeInside = query.mode == SelectionMode::Window || query.mode == SelectionMode::WindowPolygon;
    for (const std::size_t index : runQuery(visible, candidates))
        if (!wholeInside || shapeInsideBox(candidates[index].shape, shown))
            taken.push_back(ids[index]);
    return taken;
}

std::optional<AcDbObjectId> DrawingSelector::pick(Point2 display, double aperture)
{
    std::vector<SelectionCandidate> candidates;
    std::vector<AcDbObjectId> ids;
    gatherVisible({display.x - aperture, display.y - aperture, display.x + aperture, display.y + aperture},
                  candidates, ids);
    const std::optional<std::size_t> nearest = pickNearest(candidates, display, aperture);
    if (!nearest)
        return std::nullopt;
    return ids[*nearest];
}

std::vector<AcDbObjectId> DrawingSelector::allInSpace()
{
    std::vector<AcDbObjectId> taken;
    for (const AcDbObjectId id : spaceEntities(m_database.currentSpaceId())) {
        if (id.isErased())
            continue;
        ReadEntity read(id);
        if (read.entity != nullptr && layerAdmits(*read.entity, Reach::Space) && accepts(*read.entity))
            taken.push_back(id);
    }
    return taken;
}

std::vector<AcDbObjectId> DrawingSelector::everything()
{
    std::vector<AcDbObjectId> taken;
    AcDbBlockTable* table = nullptr;
    if (m_database.getBlockTable(table, AcDb::kForRead) != Acad::eOk)
        return taken;
    std::vector<AcDbObjectId> layouts;
    AcDbBlockTableIterator* it = nullptr;
    if (table->newIterator(it) == Acad::eOk) {
        for (; !it->done(); it->step()) {
            AcDbBlockTableRecord* block = nullptr;
            if (it->getRecord(block, AcDb::kForRead) != Acad::eOk)
                continue;
            if (block->isLayout())
                layouts.push_back(block->objectId());
            block->close();
        }
        delete it;
    }
    table->close();
    for (const AcDbObjectId blockId : layouts)
        for (const AcDbObjectId id : spaceEntities(blockId)) {
            if (id.isErased())
                continue;
            ReadEntity read(id);
            if (read.entity != nullptr && accepts(*read.entity))
                taken.push_back(id);
        }
    return taken;
}

std::optional<AcDbObjectId> DrawingSelector::last()
{
    const Box2 shown = viewBox(m_view);
    const std::vector<AcDbObjectId> ids = spaceEntities(m_database.currentSpaceId());
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        if (it->isErased())
            continue;
        ReadEntity read(*it);
        if (read.entity == nullptr || !layerAdmits(*read.entity, Reach::Visible) || !accepts(*read.entity))
            continue;
        const std::optional<Box2> box = displayExtents(*read.entity, m_view);
        if (box && box->overlaps(shown))
            return *it;
    }
    return std::nullopt;
}

}  // namespace dh::ed
