// Entities kept in the order of their plan position, so that a newcomer on the position of
// a kept one can be compared with it. Equal keys (compare() == 0) stand side by side as a
// run when multiKeys is set; otherwise a key is unique.
//
// Logically this is one sorted array of (key, value) pairs with indices 0 … count − 1, and
// findPosition answers exactly what a midpoint binary search over that array would. It is
// held as a hash table of runs, so that a newcomer costs O(1) however large the drawing is.
// The array indices are only needed where a run of two or more equal keys grows (the
// binary search then decides where in the run the newcomer goes) and by the index-based
// accessors; an order-statistics tree answers them, built on the first such need and kept
// up to date from then on (O(log n) a change).
#pragma once

#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace dh::terrain {

// Exact comparison of plan positions, x then y (no tolerance); z, when the points have one,
// is not compared. −1, 0 or 1.
template <class Point>
int comparePlanPositions(const Point& a, const Point& b)
{
    if (a.x != b.x)
        return a.x < b.x ? -1 : 1;
    if (a.y != b.y)
        return a.y < b.y ? -1 : 1;
    return 0;
}

// Hash of a plan position agreeing with comparePlanPositions: 0.0 and −0.0 hash alike; z is
// ignored.
struct PlanPositionHash {
    template <class Point>
    std::size_t operator()(const Point& p) const
    {
        std::uint64_t h = std::bit_cast<std::uint64_t>(p.x + 0.0) * 0x9E3779B97F4A7C15ull;
        h ^= std::bit_cast<std::uint64_t>(p.y + 0.0) + 0x632BE59BD9B4E019ull + (h << 6) + (h >> 2);
        h ^= h >> 31;
        h *= 0xBF58476D1CE4E5B9ull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

template <class Key, class Value, class Hash = PlanPositionHash>
class DuplicateKeyFilter {
public:
    // A kept pair.
    struct Entry {
        Key key;
        Value value;
        std::uint64_t tag; // order of arrival; ties the rank tree's entries of one key
    };

    explicit DuplicateKeyFilter(bool multiKeys) : m_multiKeys(multiKeys) {}
    DuplicateKeyFilter(const DuplicateKeyFilter&) = delete;
    DuplicateKeyFilter& operator=(const DuplicateKeyFilter&) = delete;
    virtual ~DuplicateKeyFilter() = default;

    // False asks the caller to stop.
    bool insert(const Key& key, const Value& value)
    {
        const std::size_t at = slotOf(key);
        if (at == kNone) {
            addRun(key, value);
            return true;
        }
        return onDuplicate(landingOffset(runAt(at)), key, value);
    }

    // The index a binary search of the sorted array meets first: inside the run of an equal
    // key, else the insertion position.
    int findPosition(const Key& key) const
    {
        return rankOf(key) + landingOffset(runOf(key));
    }

    int count() const { return m_count; }
    const Key& keyAt(int index) const { return entryAt(index).key; }
    const Value& valueAt(int index) const { return entryAt(index).value; }

protected:
    // The run of key holds a key equal to key; offset is where the binary search of the
    // sorted array lands in that run (the index is the run's first index plus offset). The
    // base inserts the pair there (multiKeys) or overwrites the pair at offset; it goes on.
    virtual bool onDuplicate(int offset, const Key& key, const Value& value)
    {
        if (m_multiKeys)
            insertInRun(offset, key, value);
        else
            setInRun(offset, key, value);
        return true;
    }
    // −1, 0 or 1.
    virtual int compare(const Key& a, const Key& b) const = 0;

    // The run of keys equal to key (empty when there is none), in array order.
    std::span<const Entry> runOf(const Key& key) const
    {
        const std::size_t at = slotOf(key);
        return at == kNone ? std::span<const Entry>() : runAt(at);
    }
    // The first index of the run of keys equal to key (the insertion position when there
    // is none).
    int rankOf(const Key& key) const
    {
        return static_cast<int>(ranks().order_of_key(Tagged{key, 0}));
    }

    // offset is a position in the run of key (0 … run length) where the pair is inserted.
    void insertInRun(int offset, const Key& key, const Value& value)
    {
        const std::size_t at = slotOf(key);
        if (at == kNone) {
            addRun(key, value);
            return;
        }
        Slot& slot = m_slots[at];
        if (slot.longRun < 0) {
            slot.longRun = static_cast<int>(m_longRuns.size());
            m_longRuns.push_back({slot.entry});
        }
        std::vector<Entry>& run = m_longRuns[static_cast<std::size_t>(slot.longRun)];
        const Entry entry{key, value, ++m_lastTag};
        run.insert(run.begin() + offset, entry);
        noteAdded(entry);
    }
    // The pair at offset in the run of key takes key (equal to the old) and value.
    void setInRun(int offset, const Key& key, const Value& value)
    {
        Entry& entry = mutableRunAt(slotOf(key))[static_cast<std::size_t>(offset)];
        entry.key = key;
        entry.value = value;
    }
    void removeFromRun(int offset, const Key& key)
    {
        const std::size_t at = slotOf(key);
        Slot& slot = m_slots[at];
        const std::span<Entry> run = mutableRunAt(at);
        const Entry& entry = run[static_cast<std::size_t>(offset)];
        if (m_ranks)
            m_ranks->erase(Tagged{entry.key, entry.tag});
        --m_count;
        if (run.size() == 1) {
            slot.state = kRemoved;
            if (slot.longRun >= 0)
                m_longRuns[static_cast<std::size_t>(slot.longRun)].clear();
            --m_used;
            ++m_removed;
            return;
        }
        std::vector<Entry>& entries = m_longRuns[static_cast<std::size_t>(slot.longRun)];
        entries.erase(entries.begin() + offset);
    }

    // Index-based forms of the same changes.
    void insertAt(int index, const Key& key, const Value& value)
    {
        insertInRun(std::clamp(index - rankOf(key), 0, static_cast<int>(runOf(key).size())), key, value);
    }
    void setAt(int index, const Key& key, const Value& value)
    {
        setInRun(index - rankOf(key), key, value);
    }
    void removeAt(int index)
    {
        const Key key = entryAt(index).key;
        removeFromRun(index - rankOf(key), key);
    }

private:
    // Open addressing with linear probing: a probe touches one or two cache lines where a
    // node-based map chases pointers, which keeps the cost per key flat on large drawings.
    enum SlotState : std::uint8_t { kEmpty, kUsed, kRemoved };
    struct Slot {
        Entry entry;         // the only entry of the run, or its key when longRun >= 0
        int longRun = -1;    // index into m_longRuns once the run has grown past one entry
        SlotState state = kEmpty;
    };
    struct Tagged {
        Key key;
        std::uint64_t tag; // 0 sorts before every stored pair of the same key
    };
    struct TagLess {
        const DuplicateKeyFilter* owner;
        bool operator()(const Tagged& a, const Tagged& b) const
        {
            const int order = owner->compare(a.key, b.key);
            return order != 0 ? order < 0 : a.tag < b.tag;
        }
    };
    using RankTree = __gnu_pbds::tree<Tagged, __gnu_pbds::null_type, TagLess, __gnu_pbds::rb_tree_tag,
                                      __gnu_pbds::tree_order_statistics_node_update>;

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    static constexpr std::size_t kMinCapacity = 16;

    std::size_t slotOf(const Key& key) const
    {
        if (m_slots.empty())
            return kNone;
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = Hash{}(key) & mask;; i = (i + 1) & mask) {
            const Slot& slot = m_slots[i];
            if (slot.state == kEmpty)
                return kNone;
            if (slot.state == kUsed && compare(slot.entry.key, key) == 0)
                return i;
        }
    }

    // A new run of one entry; the key has no run yet.
    void addRun(const Key& key, const Value& value)
    {
        if ((m_used + m_removed + 1) * 4 > m_slots.size() * 3) {
            // Grow when the runs fill half the table; otherwise only clear removed slots.
            std::size_t capacity = std::max(kMinCapacity, m_slots.size());
            if ((m_used + 1) * 2 > capacity)
                capacity *= 2;
            rehash(capacity);
        }
        Slot& slot = m_slots[freeSlotFor(key)];
        if (slot.state == kRemoved)
            --m_removed;
        slot = Slot{Entry{key, value, ++m_lastTag}, -1, kUsed};
        ++m_used;
        noteAdded(slot.entry);
    }

    // The first free slot on key's probe path.
    std::size_t freeSlotFor(const Key& key) const
    {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t i = Hash{}(key) & mask;
        while (m_slots[i].state == kUsed)
            i = (i + 1) & mask;
        return i;
    }

    void rehash(std::size_t capacity)
    {
        std::vector<Slot> old(capacity);
        old.swap(m_slots);
        m_removed = 0;
        for (Slot& slot : old)
            if (slot.state == kUsed)
                m_slots[freeSlotFor(slot.entry.key)] = std::move(slot);
    }

    void noteAdded(const Entry& entry)
    {
        if (m_ranks)
            m_ranks->insert(Tagged{entry.key, entry.tag});
        ++m_count;
    }

    std::span<const Entry> runAt(std::size_t at) const
    {
        const Slot& slot = m_slots[at];
        if (slot.longRun < 0)
            return {&slot.entry, 1};
        return m_longRuns[static_cast<std::size_t>(slot.longRun)];
    }
    std::span<Entry> mutableRunAt(std::size_t at)
    {
        Slot& slot = m_slots[at];
        if (slot.longRun < 0)
            return {&slot.entry, 1};
        return m_longRuns[static_cast<std::size_t>(slot.longRun)];
    }

    // Where the midpoint binary search over the whole array meets this run first, as an
    // offset into it. A single entry is met at once; a longer run needs its index.
    int landingOffset(std::span<const Entry> run) const
    {
        if (run.size() < 2)
            return 0;
        const int first = rankOf(run.front().key);
        const int last = first + static_cast<int>(run.size()) - 1;
        int lo = 0;
        int hi = m_count - 1;
        while (hi >= lo) {
            const int mid = (lo + hi) / 2;
            if (mid < first)
                lo = mid + 1;
            else if (mid > last)
                hi = mid - 1;
            else
                return mid - first;
        }
        return 0;
    }

    const RankTree& ranks() const
    {
        if (!m_ranks) {
            m_ranks = std::make_unique<RankTree>(TagLess{this});
            for (std::size_t at = 0; at < m_slots.size(); ++at)
                if (m_slots[at].state == kUsed)
                    for (const Entry& entry : runAt(at))
                        m_ranks->insert(Tagged{entry.key, entry.tag});
        }
        return *m_ranks;
    }

    const Entry& entryAt(int index) const
    {
        const Tagged& at = *ranks().find_by_order(static_cast<std::size_t>(index));
        return runOf(at.key)[static_cast<std::size_t>(index - rankOf(at.key))];
    }

    bool m_multiKeys;
    std::vector<Slot> m_slots; // power-of-two size
    std::vector<std::vector<Entry>> m_longRuns;
    std::size_t m_used = 0;    // slots holding a run
    std::size_t m_removed = 0; // slots left by a removed run, still on probe paths
    mutable std::unique_ptr<RankTree> m_ranks; // built on the first need of an index
    int m_count = 0;
    std::uint64_t m_lastTag = 0;
};

} // namespace dh::terrain
