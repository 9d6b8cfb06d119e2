// Owner of one host selection set. Every selecting call frees the held set first and
// answers a SelectStatus; the destructor frees the set.
#pragma once

#include <acdb/AcDbObjectId.h>
#include <acge/AcGePoint3d.h>
#include <acge/AcGeArrays.h>
#include <acut/ResBuf.h>
#include <adesk/AcArray.h>

#include <string>

namespace dh::toolkit {

enum SelectStatus : int {
    kSelected = 0,
    kNothingSelected = 1, // the packer holds a fresh empty set
    kSelectCancelled = 2, // or nothing selected yet
    kSelectRejected = 3,
};

class SelectSetPacker {
public:
    SelectSetPacker() = default;
    SelectSetPacker(const SelectSetPacker&) = delete;
    SelectSetPacker& operator=(const SelectSetPacker&) = delete;
    virtual ~SelectSetPacker();

    int selectAll(const resbuf* filter);
    int selectCrossingPolygon(const AcGePoint3dArray& points, const resbuf* filter);
    int selectFence(const AcGePoint3dArray& points, const resbuf* filter);
    int selectSingle(const AcGePoint3d& point, const resbuf* filter);
    // Asks the user with the mode string made of the option flags.
    int selectInteractive(const resbuf* filter);
    // Zooms first when the box is not wholly in view, then selects crossing.
    int selectCrossingBox(const AcGePoint3d& first, const AcGePoint3d& second,
                          const resbuf* filter);

    int length() const;
    // Appends the members' ids in set order; members without an id are reported and skipped.
    void objectIds(AcArray<AcDbObjectId>& ids) const;
    bool remove(AcDbObjectId id);
    int makeEmpty();
    // The set of the ids; name stays valid while the packer lives and holds it.
    int fromObjectIds(const AcArray<AcDbObjectId>& ids, ads_name name);

    int status() const { return m_status; }
    const long* name() const { return m_name; }
    // The mode string of the last interactive selection.
    const std::string& modeString() const { return m_mode; }

    bool allowDuplicates = false;
    bool singlePick = false;
    bool rejectLocked = false;

private:
    void release();
    int select(const char* mode, const void* first, const resbuf* filter);
    int selectThrough(const char* mode, const AcGePoint3dArray& points, const resbuf* filter);

    ads_name m_name = {0, 0};
    int m_status = kSelectCancelled;
    std::string m_mode;
};

// The entity under point, as a single pick: 3 and its id, or 1 when there is none.
int selectEntityAtPoint(const AcGePoint3d& point, AcDbObjectId& id);
// One RT3DPOINT buffer per point, in order; nullptr for no points or no memory.
resbuf* pointsToResbufList(const AcGePoint3dArray& points);

} // namespace dh::toolkit
