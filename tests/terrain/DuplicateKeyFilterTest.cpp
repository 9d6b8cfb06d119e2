// The sorted-key filter against a plain sorted array with the binary search it stands for:
// the same positions, the same order of equal keys, on random input with many ties.
#include "terrain/DuplicateKeyFilter.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

namespace dh::terrain {
namespace {

using Key = std::pair<int, int>;

int compareKeys(const Key& a, const Key& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// The array form: keys sorted, equal keys side by side, found by a midpoint binary search.
struct ArrayFilter {
    std::vector<Key> keys;
    std::vector<int> values;

    int findPosition(const Key& key) const
    {
        int lo = 0;
        int hi = static_cast<int>(keys.size()) - 1;
        while (hi >= lo) {
            const int mid = (lo + hi) / 2;
            const int order = compareKeys(key, keys[static_cast<size_t>(mid)]);
            if (order == 1)
                lo = mid + 1;
            else if (order == -1)
                hi = mid - 1;
            else
                return mid;
        }
        return lo;
    }
    void insertAt(int p, const Key& key, int value)
    {
        keys.insert(keys.begin() + p, key);
        values.insert(values.begin() + p, value);
    }
};

class Filter : public DuplicateKeyFilter<Key, int> {
public:
    explicit Filter(bool multi) : DuplicateKeyFilter(multi) {}
    using DuplicateKeyFilter::removeAt;

protected:
    int compare(const Key& a, const Key& b) const override { return compareKeys(a, b); }
};

void expectSame(const Filter& filter, const ArrayFilter& array)
{
    ASSERT_EQ(filter.count(), static_cast<int>(array.keys.size()));
    for (int i = 0; i < filter.count(); ++i) {
        EXPECT_EQ(filter.keyAt(i), array.keys[static_cast<size_t>(i)]) << i;
        EXPECT_EQ(filter.valueAt(i), array.values[static_cast<size_t>(i)]) << i;
    }
}

TEST(DuplicateKeyFilter, RunsGrowWhereTheBinarySearchLands)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(0, 6);
    Filter filter(true);
    ArrayFilter array;
    for (int value = 0; value < 600; ++value) {
        const Key key{coordinate(random), coordinate(random)};
        ASSERT_EQ(filter.findPosition(key), array.findPosition(key)) << value;
        const int p = array.findPosition(key);
        array.insertAt(p, key, value);
        ASSERT_TRUE(filter.insert(key, value));
        // Now and then drop an entry, as a "delete both" answer does.
        if (value % 7 == 3) {
            const int victim = static_cast<int>(random() % array.keys.size());
            filter.removeAt(victim);
            array.keys.erase(array.keys.begin() + victim);
            array.values.erase(array.values.begin() + victim);
        }
    }
    expectSame(filter, array);
}

TEST(DuplicateKeyFilter, UniqueKeysAreOverwritten)
{
    Filter filter(false);
    EXPECT_EQ(filter.findPosition({1, 1}), 0);
    filter.insert({2, 0}, 1);
    filter.insert({1, 5}, 2);
    filter.insert({2, 0}, 3);
    filter.insert({3, -1}, 4);
    ASSERT_EQ(filter.count(), 3);
    EXPECT_EQ(filter.valueAt(0), 2);
    EXPECT_EQ(filter.valueAt(1), 3);
    EXPECT_EQ(filter.findPosition({2, 1}), 2);
    EXPECT_EQ(filter.findPosition({9, 9}), 3);
}

} // namespace
} // namespace dh::terrain
