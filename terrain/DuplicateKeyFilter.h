// Entities kept in the order of their plan position, so that a newcomer on the position of
// a kept one can be compared with it. Equal keys (compare() == 0) stand side by side as a
// run when multiKeys is set; otherwise a key is unique.
//
// Logically this is one sorted array of (key, value) pairs with indices 0 … count − 1, and
// findPosition answers exactly what a binary search over that array would. It is held as a
// map of runs plus an order-statistics tree, so that inserting, finding and removing cost
// O(log n) instead of the O(n) moves of an array.
#pragma once

#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>

#include <algorithm>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace dh::terrain {

template <class Key, class Value>
class DuplicateKeyFilter {
public:
    explicit DuplicateKeyFilter(bool multiKeys)
        : m_multiKeys(multiKeys), m_runs(KeyLess{this}), m_ranks(TagLess{this})
    {
    }
    DuplicateKeyFilter(const DuplicateKeyFilter&) = delete;
    DuplicateKeyFilter& operator=(const DuplicateKeyFilter&) = delete;
    virtual ~DuplicateKeyFilter() = default;

    // False asks the caller to stop.
    bool insert(const Key& key, const Value& value)
    {
        const int p = findPosition(key);
        if (p < count() && compare(keyAt(p), key) == 0)
            return onDuplicate(p, key, value);
        insertAt(p, key, value);
        return true;
    }

    // The index a binary search of the sorted array meets first: inside the run of an equal
    // key, else the insertion position.
    int findPosition(const Key& key) const
    {
        const int first = rankOf(key);
        const int last = first + runLength(key) - 1;
        int lo = 0;
        int hi = count() - 1;
        while (hi >= lo) {
            const int mid = (lo + hi) / 2;
            if (mid < first)
                lo = mid + 1;
            else if (mid > last)
                hi = mid - 1;
            else
                return mid;
        }
        return lo;
    }

    int count() const { return static_cast<int>(m_ranks.size()); }
    const Key& keyAt(int index) const { return entryAt(index).key; }
    const Value& valueAt(int index) const { return entryAt(index).value; }

protected:
    // index holds a key equal to key. The base inserts the pair there (multiKeys) or
    // overwrites the pair at index; it goes on.
    virtual bool onDuplicate(int index, const Key& key, const Value& value)
    {
        if (m_multiKeys)
            insertAt(index, key, value);
        else
            setAt(index, key, value);
        return true;
    }
    // −1, 0 or 1.
    virtual int compare(const Key& a, const Key& b) const = 0;

    // The first index of the run of keys equal to key, and the run's length.
    int rankOf(const Key& key) const
    {
        return static_cast<int>(m_ranks.order_of_key(Tagged{key, 0}));
    }
    int runLength(const Key& key) const
    {
        const auto run = m_runs.find(key);
        return run == m_runs.end() ? 0 : static_cast<int>(run->second.size());
    }

    // index must be a position where key keeps the order.
    void insertAt(int index, const Key& key, const Value& value)
    {
        const int first = rankOf(key);
        std::vector<Entry>& run = m_runs[key];
        const Entry entry{key, value, ++m_lastTag};
        const int offset = std::clamp(index - first, 0, static_cast<int>(run.size()));
        run.insert(run.begin() + offset, entry);
        m_ranks.insert(Tagged{key, entry.tag});
    }
    // The pair at index takes key (equal to the old) and value.
    void setAt(int index, const Key& key, const Value& value)
    {
        Entry& entry = entryAt(index);
        entry.key = key;
        entry.value = value;
    }
    void removeAt(int index)
    {
        Entry& entry = entryAt(index);
        const auto run = m_runs.find(entry.key);
        m_ranks.erase(Tagged{entry.key, entry.tag});
        run->second.erase(run->second.begin() + (index - rankOf(entry.key)));
        if (run->second.empty())
            m_runs.erase(run);
    }

private:
    struct Entry {
        Key key;
        Value value;
        std::uint64_t tag;
    };
    struct Tagged {
        Key key;
        std::uint64_t tag; // 0 sorts before every stored pair of the same key
    };
    struct KeyLess {
        const DuplicateKeyFilter* owner;
        bool operator()(const Key& a, const Key& b) const { return owner->compare(a, b) < 0; }
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

    Entry& entryAt(int index)
    {
        return const_cast<Entry&>(std::as_const(*this).entryAt(index));
    }
    const Entry& entryAt(int index) const
    {
        const Tagged& at = *m_ranks.find_by_order(static_cast<std::size_t>(index));
        const std::vector<Entry>& run = m_runs.find(at.key)->second;
        return run[static_cast<std::size_t>(index - rankOf(at.key))];
    }

    bool m_multiKeys;
    std::map<Key, std::vector<Entry>, KeyLess> m_runs;
    RankTree m_ranks;
    std::uint64_t m_lastTag = 0;
};

} // namespace dh::terrain
