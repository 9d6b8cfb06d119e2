// The work of CHGCD_T: every selected elevation point redrawn as a circle of the spot radius
// and put into a spot set; then each label's value written, as the z of its centre, to the
// nearest unused spot in the label's search box. Labels are read, never changed.
#pragma once

#include "terrain/ScatterSet.h"
#include "terrain/Spot.h"

#include <acdb/AcDbObjectId.h>
#include <adesk/AcArray.h>

class AcDbEntity;

namespace dh::terrain {

class SpaceAppender;

class Cmd_CHGCD {
public:
    Cmd_CHGCD(double mapProportion, double spotRadius, int searchRange)
        : m_mapProportion(mapProportion), m_spotRadius(spotRadius), m_searchRange(searchRange)
    {
    }
    Cmd_CHGCD(const Cmd_CHGCD&) = delete;
    Cmd_CHGCD& operator=(const Cmd_CHGCD&) = delete;
    virtual ~Cmd_CHGCD() = default;

    // Sorts the selection into labels (one text with a decimal point; integer parts) and
    // spots, redrawing each spot as a circle on the layer of the first selected non-text;
    // then builds the spot tree.
    void collect(const AcArray<AcDbObjectId>& ids);
    // Labels written as two texts: an integer part with its decimal part to the right of it
    // inside its box give one value. Pairs that found a spot leave the integer list.
    void joinSplitLabels();
    // Labels of one text: the spot nearest to the label in its extents widened by the search
    // range. A label with no spot there gets a new circle of its own (no value written).
    void assignDecimalLabels();

    AcDbObjectId layerId() const { return m_layerId; }
    double mapProportion() const { return m_mapProportion; }
    const ScatterSet<Spot>& spots() const { return m_spots; }
    const AcArray<AcDbObjectId>& decimalLabels() const { return m_decimalLabels; }
    const AcArray<AcDbObjectId>& integerLabels() const { return m_integerLabels; }

private:
    void classifyLabel(AcDbObjectId id, const char* text);
    // The circle that stands for the elevation point (open for write), or null to leave it.
    AcDbObjectId redraw(AcDbEntity* point, SpaceAppender& appender);

    AcDbObjectId m_layerId;
    double m_mapProportion = 1000.0; // kept with the answers; the steps do not use it
    double m_spotRadius = 0.3;
    int m_searchRange = 2;
    ScatterSet<Spot> m_spots;
    AcArray<AcDbObjectId> m_decimalLabels;
    AcArray<AcDbObjectId> m_integerLabels;
};

} // namespace dh::terrain
