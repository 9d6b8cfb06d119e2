// The registry of live selection sets. A set is an ordered list of entity names without
// repeats; its own name is (serial, kSetTag) so that it cannot be taken for an entity name.
// Sets live until acedSSFree. Sets handed to LISP as values are marked and are no leak; the
// leak check asks for the unmarked sets made since a checkpoint.
#pragma once

#include <acut/ResBuf.h>

#include <array>

#include <cstddef>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

namespace dh::ed {

struct EntityName {
    long first = 0;
    long second = 0;

    static EntityName of(const ads_name name) { return {name[0], name[1]}; }
    void copyTo(ads_name name) const
    {
        name[0] = first;
        name[1] = second;
    }
    bool isNull() const { return first == 0 && second == 0; }
    bool operator==(const EntityName&) const = default;
};

struct EntityNameHash {
    std::size_t operator()(const EntityName& n) const noexcept
    {
        return std::hash<long>()(n.first) * 31u + std::hash<long>()(n.second);
    }
};

// How a member was selected, for ssnamex: 0 not specifically (ALL, X, last, previous,
// handles), 1 a pick at points[0], 2 a window or window polygon, 3 a crossing or crossing
// polygon, 4 a fence; points are the polygon's or fence's corners (world coordinates).
struct SelectionDetail {
    int how = 0;
    std::vector<std::array<double, 3>> points;
};

class SelectionSet {
public:
    std::size_t size() const { return m_members.size() - m_removed; }
    // nullptr past the end.
    const EntityName* at(std::size_t index);
    bool contains(const EntityName& name) const { return m_position.count(name) != 0; }
    // False when already a member, unless repeats are allowed (":D" selections).
    bool add(const EntityName& name, bool allowRepeat = false);
    // False when no member.
    bool remove(const EntityName& name);
    std::vector<EntityName> members();
    // How name was selected; nullptr when it was added otherwise (ssadd).
    const SelectionDetail* detail(const EntityName& name) const;
    void setDetail(const EntityName& name, SelectionDetail detail) { m_details[name] = std::move(detail); }

private:
    void compact();

    std::vector<EntityName> m_members;  // removed members are null until compacted
    std::unordered_map<EntityName, std::size_t, EntityNameHash> m_position;
    std::size_t m_removed = 0;
    bool m_hasRepeats = false;
    std::unordered_map<EntityName, SelectionDetail, EntityNameHash> m_details;
};

class SelectionSets {
public:
    static constexpr long kSetTag = 0x53534554;  // "SSET"

    static SelectionSets& instance();

    // A new set of the members (repeats dropped unless allowed); its name goes to out.
    // details: how each member was selected, by position (may be empty).
    void create(const std::vector<EntityName>& members, ads_name out, bool allowRepeats = false,
                const std::vector<SelectionDetail>& details = {});
    // nullptr for a name that is no live set.
    SelectionSet* find(const ads_name name);
    bool free(const ads_name name);

    std::size_t liveCount() const { return m_sets.size(); }
    // The serial the next set gets: a checkpoint for leakedSince.
    long nextSerial() const { return m_nextSerial; }
    // Live sets made at or after the checkpoint and not handed to LISP.
    std::vector<long> leakedSince(long checkpoint) const;
    void markHandedToLisp(const ads_name name);

    // The members of the last selection made by acedSSGet (the "P" answer).
    const std::vector<EntityName>& previous() const { return m_previous; }
    void setPrevious(std::vector<EntityName> members) { m_previous = std::move(members); }

    // Frees every set (a new session starts clean).
    void clear();

private:
    struct Entry {
        SelectionSet set;
        bool handedToLisp = false;
    };

    std::map<long, Entry> m_sets;
    long m_nextSerial = 1;
    std::vector<EntityName> m_previous;
};

}  // namespace dh::ed
