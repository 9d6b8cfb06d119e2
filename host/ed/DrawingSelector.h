// Selection over a drawing: which entities of a database a query, a pick or a whole-drawing
// mode takes, seen through a view and a filter. Entities that cannot be opened for read
// (erased, or held open for write by their editor) take no part.
//
// Visible: in the current space, layer on and thawed, entity visible, and some part inside
// the view. "_A": the current space, layer not frozen. "X": every layout of the drawing.
#pragma once

#include "host/ed/SelectionEngine.h"
#include "host/ed/SelectionFilter.h"
#include "host/ed/View.h"

#include <acdb/AcDbObjectId.h>

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class AcDbDatabase;
class AcDbEntity;

namespace dh::ed {

// The DXF type name of an entity ("LINE", "LWPOLYLINE", "INSERT", …).
std::string entityTypeName(const AcDbEntity& entity);

class DrawingSelector {
public:
    // filter may be null (no filter). The database, view and filter must outlive the selector.
    DrawingSelector(AcDbDatabase& database, const View& view, const SelectionFilter* filter);

    std::vector<AcDbObjectId> query(const SelectionQuery& query);
    // The entity nearest to a display point within aperture (drawing units); later drawn
    // entities win ties.
    std::optional<AcDbObjectId> pick(Point2 display, double aperture);
    // "_A": the current space, layers not frozen, in drawing order.
    std::vector<AcDbObjectId> allInSpace();
    // "X": every entity of every layout.
    std::vector<AcDbObjectId> everything();
    // "L": the last drawn visible entity of the current space.
    std::optional<AcDbObjectId> last();

    bool isOnLockedLayer(AcDbObjectId entityId);
    // Whether the filter takes the entity (true without a filter).
    bool accepts(const AcDbEntity& entity);

private:
    struct LayerState {
        bool off = false;
        bool frozen = false;
        bool locked = false;
        std::string name;
    };
    enum class Reach { Visible, Space, Drawing };

    const LayerState& layerState(AcDbObjectId layerId);
    bool layerAdmits(const AcDbEntity& entity, Reach reach);
    std::vector<AcDbObjectId> spaceEntities(AcDbObjectId blockId);
    // Visible candidates whose display extents overlap reach.
    void gatherVisible(const Box2& reach, std::vector<SelectionCandidate>& candidates,
                       std::vector<AcDbObjectId>& ids);

    AcDbDatabase& m_database;
    const View& m_view;
    const SelectionFilter* m_filter;
    std::unordered_map<AcDbObjectId, LayerState> m_layers;
};

}  // namespace dh::ed
