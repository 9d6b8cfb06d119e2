// The sorted-key filter against a plain sorted array with the binary search it stands for:
// the same positions, the same order of equal keys, on random input with many ties.
#include "terrain/DuplicateKeyFilter.h"

#include <acge/AcGePoint2d.h>
#include <acge/AcGePoint3d.h>

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

struct KeyHash {
    std::size_t operator()(const Key& key) const
    {
        return std::hash<long long>{}((static_cast<long long>(key.first) << 32) ^ key.second);
    }
};

class Filter : public DuplicateKeyFilter<Key, int, KeyHash> {
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

// probe asks for positions before every insertion, so the index structure exists from the
// start; without it the structure is built late, on the first run of two that grows.
void growRuns(bool probe, int firstDistinct)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(0, 6);
    Filter filter(true);
    ArrayFilter array;
    for (int value = 0; value < 600; ++value) {
        // The first keys are all distinct: no run forms before them.
        const Key key = value < firstDistinct ? Key{100 + value, -value}
                                              : Key{coordinate(random), coordinate(random)};
        if (probe) {
            ASSERT_EQ(filter.findPosition(key), array.findPosition(key)) << value;
        }
        const int p = array.findPosition(key);
        array.insertAt(p, key, value);
        ASSERT_TRUE(filter.insert(key, value));
        // Now and then drop an entry, as a "delete both" answer does.
        if (value % 7 == 3 && (probe || value > 400)) {
            const int victim = static_cast<int>(random() % array.keys.size());
            filter.removeAt(victim);
            array.keys.erase(array.keys.begin() + victim);
            array.values.erase(array.values.begin() + victim);
        }
    }
    expectSame(filter, array);
}

TEST(DuplicateKeyFilter, RunsGrowWhereTheBinarySearchLands)
{
    growRuns(true, 0);
    growRuns(false, 0);
    growRuns(false, 250);
}

TEST(DuplicateKeyFilter, PlanPositionHashAgreesWithExactComparison)
{
    const PlanPositionHash hash;
    EXPECT_EQ(hash(AcGePoint2d(0.0, 5.0)), hash(AcGePoint2d(-0.0, 5.0)));
    EXPECT_EQ(hash(AcGePoint3d(1.5, -0.0, 3.0)), hash(AcGePoint3d(1.5, 0.0, -7.0)));
    EXPECT_NE(hash(AcGePoint2d(1.0, 2.0)), hash(AcGePoint2d(2.0, 1.0)));
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
