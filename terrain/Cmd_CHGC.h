// The processing pass of CHGC_T: every selected entity onto one layer, duplicates sifted
// out, and every elevation point redrawn as a circle of the spot radius.
#pragma once

#include <acdb/AcDbObjectId.h>
#include <adesk/AcArray.h>

class AcDbEntity;

namespace dh::terrain {

class Cmd_CHGC {
public:
    explicit Cmd_CHGC(double spotRadius) : m_spotRadius(spotRadius) {}
    virtual ~Cmd_CHGC() = default;

    // 0 after a full pass, 180 when the coincidence check asked to stop.
    int sift(const AcArray<AcDbObjectId>& ids);
    // Redraws the elevation points met by sift.
    void rebuildSpots();

    AcDbObjectId layerId() const { return m_layerId; }
    const AcArray<AcDbObjectId>& spotIds() const { return m_spotIds; }

private:
    void findTargetLayer(const AcArray<AcDbObjectId>& ids);
    // The id of the circle that replaces spot (open for write), or null to keep it.
    AcDbObjectId redraw(AcDbEntity* spot);

    AcDbObjectId m_layerId;
    double m_spotRadius;
    AcArray<AcDbObjectId> m_spotIds;
};

} // namespace dh::terrain
