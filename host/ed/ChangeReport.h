// ChangeReport: what one command or LISP line did to the active drawing, for --report.
// take() records every entity (kind, erased or not, layer, colour, linetype, the other
// common properties, a hash of its own groups, sub-objects and extended data included)
// and every layer; compare() answers one line against the last record and keeps the new
// state as the next line's "before". Nothing is recorded unless --report asks for it.
//
//   CHGC_T: erased 62 LWPOLYLINE, 41 CIRCLE; added 1 380 CIRCLE; modified 4 102
//   LWPOLYLINE (layer); layers changed 12 (off)
#pragma once

#include <acdb/AcCmColor.h>
#include <acdb/AcDbObjectId.h>

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

class AcDbDatabase;

namespace dh::ed {

class ChangeReport {
public:
    // The state before a line; a record of the same drawing from the last compare is kept.
    void take(AcDbDatabase* db);
    // "LABEL: …" of the changes since take(); records the new state.
    std::string compare(const std::string& label, AcDbDatabase* db);

    struct EntityState {
        int type = 0;  // index into m_typeNames
        bool erased = false;
        AcDbObjectId layer;
        AcDbObjectId linetype;
        AcCmColor color;
        std::uint64_t properties = 0;  // line weight, linetype scale, visibility
        std::uint64_t geometry = 0;    // the entity's own groups but texts, its sub-objects'
        std::uint64_t text = 0;        // text groups (1, 3)
        std::uint64_t xdata = 0;
    };
    struct LayerState {
        std::string name;
        bool erased = false, off = false, frozen = false, locked = false;
        AcCmColor color;
        AcDbObjectId linetype;
    };
    struct Snapshot {
        AcDbDatabase* db = nullptr;
        std::unordered_map<AcDbObjectId, EntityState> entities;
        std::map<AcDbObjectId, LayerState> layers;
    };

private:
    Snapshot record(AcDbDatabase* db);
    int typeIndex(const std::string& name);

    Snapshot m_before;
    bool m_valid = false;
    std::vector<std::string> m_typeNames;
    std::unordered_map<std::string, int> m_typeIndex;
};

// The parts of a report line, from two records of one drawing (type names by index).
std::string describeChanges(const ChangeReport::Snapshot& before, const ChangeReport::Snapshot& after,
                            const std::vector<std::string>& typeNames);

}  // namespace dh::ed
