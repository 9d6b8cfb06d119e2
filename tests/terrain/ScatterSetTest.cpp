// The spot set's k-d tree against brute force, its shape on equal coordinates, and the merge
// sort it is built with.
#include "terrain/ArraySorter.h"
#include "terrain/ScatterSet.h"
#include "terrain/Spot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

using dh::terrain::ArraySorter;
using dh::terrain::KDNode;
using dh::terrain::ScatterSet;
using dh::terrain::Spot;
using Range = ScatterSet<Spot>::SearchRange;

constexpr double kMax = std::numeric_limits<double>::max();

Spot spotAt(double x, double y)
{
    return Spot(AcGePoint2d(x, y), AcDbObjectId::kNull);
}

// Indices (into the set) of what a query reports, failing on a point reported twice.
std::vector<int> found(ScatterSet<Spot>& set, const AcArray<Spot*>& results)
{
    std::vector<int> indices;
    for (Spot* spot : results)
        indices.push_back(static_cast<int>(spot - &set[0]));
    std::vector<int> sorted = indices;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "reported twice";
    return sorted;
}

std::vector<int> query(ScatterSet<Spot>& set, AcGePoint2d a, AcGePoint2d b)
{
    AcArray<Spot*> results;
    EXPECT_TRUE(set.searchRange(a, b, results));
    return found(set, results);
}

std::vector<int> bruteForce(const ScatterSet<Spot>& set, AcGePoint2d a, AcGePoint2d b)
{
    std::vector<int> inside;
    const double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
    const double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
    for (int i = 0; i < set.length(); ++i) {
        const AcGePoint2d& p = set[i].position;
        if (x0 <= p.x && p.x <= x1 && y0 <= p.y && p.y <= y1)
            inside.push_back(i);
    }
    return inside;
}

// Checks the split rule below node (left: at or below the node on its axis, right: above)
// and counts the nodes.
int checkSubtree(const KDNode<Spot>* node, int depth, std::vector<const Spot*>& below)
{
    if (!node)
        return 0;
    std::vector<const Spot*> left, right;
    const int count = 1 + checkSubtree(node->left, depth + 1, left) +
                      checkSubtree(node->right, depth + 1, right);
    const double c = depth % 2 == 0 ? node->spot->position.x : node->spot->position.y;
    for (const Spot* s : left)
        EXPECT_LE(depth % 2 == 0 ? s->position.x : s->position.y, c);
    for (const Spot* s : right)
        EXPECT_GT(depth % 2 == 0 ? s->position.x : s->position.y, c);
    below.insert(below.end(), left.begin(), left.end());
    below.insert(below.end(), right.begin(), right.end());
    below.push_back(node->spot);
    return count;
}

TEST(ScatterSet, SearchesOnlyBetweenABuildAndTheNextAdd)
{
    ScatterSet<Spot> set;
    EXPECT_FALSE(set.buildTree()) << "an empty set has no tree";
    EXPECT_EQ(set.root(), nullptr);
    EXPECT_TRUE(set.isDirty());

    set.add(spotAt(1, 1));
    AcArray<Spot*> results;
    EXPECT_FALSE(set.searchRange(AcGePoint2d(0, 0), AcGePoint2d(2, 2), results));
    EXPECT_TRUE(results.isEmpty());

    ASSERT_TRUE(set.buildTree());
    ASSERT_NE(set.root(), nullptr);
    EXPECT_EQ(set.root()->left, nullptr);
    EXPECT_EQ(set.root()->right, nullptr);
    EXPECT_EQ(query(set, AcGePoint2d(2, 2), AcGePoint2d(0, 0)), std::vector<int>{0});
    EXPECT_EQ(query(set, AcGePoint2d(1, 1), AcGePoint2d(1, 1)), std::vector<int>{0})
        << "a point rectangle on the spot";

    set.add(spotAt(5, 5));
    EXPECT_FALSE(set.searchRange(AcGePoint2d(0, 0), AcGePoint2d(9, 9), results));
    ASSERT_TRUE(set.buildTree());
    EXPECT_EQ(query(set, AcGePoint2d(0, 0), AcGePoint2d(9, 9)), (std::vector<int>{0, 1}));

    // Results are appended to, not replaced.
    results.removeAll();
    results.append(nullptr);
    EXPECT_TRUE(set.searchRange(AcGePoint2d(4, 4), AcGePoint2d(6, 6), results));
    ASSERT_EQ(results.length(), 2);
    EXPECT_EQ(results[1], &set[1]);
}

TEST(ScatterSet, EdgesBelongToTheRectangle)
{
    ScatterSet<Spot> set;
    for (double x : {0.0, 1.0, 2.0})
        for (double y : {0.0, 1.0, 2.0})
            set.add(spotAt(x, y));
    ASSERT_TRUE(set.buildTree());
    // x = 1 and x = 2 columns, y = 0 and y = 1 rows: the corner spots lie on the edges.
    EXPECT_EQ(query(set, AcGePoint2d(1, 0), AcGePoint2d(2, 1)), (std::vector<int>{3, 4, 6, 7}));
    // A zero-width rectangle along x = 1.
    EXPECT_EQ(query(set, AcGePoint2d(1, -5), AcGePoint2d(1, 5)), (std::vector<int>{3, 4, 5}));
    EXPECT_TRUE(query(set, AcGePoint2d(0.5, 0.5), AcGePoint2d(0.75, 5)).empty());
    EXPECT_EQ(query(set, AcGePoint2d(-kMax, -kMax), AcGePoint2d(kMax, kMax)).size(), 9u);
}

TEST(ScatterSet, EqualCoordinatesSplitToTheLeftOfTheRoot)
{
    // Five of seven spots at x = 3: the median moves past all of them, so none is right of
    // the root, and the root is the last of them in set order.
    ScatterSet<Spot> set;
    const double xs[] = {3, 1, 3, 3, 9, 3, 3};
    for (int i = 0; i < 7; ++i)
        set.add(spotAt(xs[i], i));
    ASSERT_TRUE(set.buildTree());
    EXPECT_EQ(set.root()->spot, &set[6]);
    std::vector<const Spot*> right, all;
    checkSubtree(set.root()->right, 1, right);
    ASSERT_EQ(right.size(), 1u);
    EXPECT_EQ(right[0], &set[4]);
    EXPECT_EQ(checkSubtree(set.root(), 0, all), 7);

    // Whole plane: the root first, then its left subtree, then its right one.
    AcArray<Spot*> results;
    ASSERT_TRUE(set.searchRange(AcGePoint2d(-kMax, -kMax), AcGePoint2d(kMax, kMax), results));
    ASSERT_EQ(results.length(), 7);
    EXPECT_EQ(results[0], &set[6]);
    EXPECT_EQ(results[6], &set[4]);
}

TEST(ScatterSet, ManySpotsAtOnePlaceMakeOneChain)
{
    // The tree of equal points is as deep as there are points; neither build nor search
    // may recurse that deep or take quadratic time.
    ScatterSet<Spot> set;
    for (int i = 0; i < 200000; ++i)
        set.add(spotAt(7, 7));
    set.add(spotAt(8, 7));
    ASSERT_TRUE(set.buildTree());
    std::vector<int> all(200000);
    for (int i = 0; i < 200000; ++i)
        all[static_cast<size_t>(i)] = i;
    EXPECT_EQ(query(set, AcGePoint2d(6, 6), AcGePoint2d(7, 8)), all);
    EXPECT_EQ(query(set, AcGePoint2d(7.5, 6), AcGePoint2d(9, 8)), std::vector<int>{200000});
    EXPECT_EQ(query(set, AcGePoint2d(-kMax, -kMax), AcGePoint2d(kMax, kMax)).size(), 200001u);
}

TEST(ScatterSet, FindsWhatBruteForceFinds)
{
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> grid(0, 60);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    ScatterSet<Spot> set;
    // Most coordinates on a coarse grid: long runs of equal x and of equal y, and repeated
    // positions; the rest anywhere.
    for (int i = 0; i < 10000; ++i) {
        const bool gridX = unit(random) < 0.8, gridY = unit(random) < 0.8;
        set.add(spotAt(gridX ? grid(random) : unit(random) * 60, gridY ? grid(random) : unit(random) * 60));
    }
    ASSERT_TRUE(set.buildTree());
    std::vector<const Spot*> all;
    ASSERT_EQ(checkSubtree(set.root(), 0, all), 10000);
    ASSERT_EQ(std::set<const Spot*>(all.begin(), all.end()).size(), 10000u);

    auto coordinate = [&]() {
        const double r = unit(random);
        return r < 0.5 ? grid(random) : r < 0.95 ? unit(random) * 70 - 5 : (r < 0.975 ? -kMax : kMax);
    };
    size_t total = 0;
    for (int q = 0; q < 10000; ++q) {
        AcGePoint2d a(coordinate(), coordinate());
        AcGePoint2d b(coordinate(), coordinate());
        const int kind = q % 10;
        if (kind == 0)
            b.x = a.x; // zero width
        else if (kind == 1)
            b.y = a.y; // zero height
        else if (kind == 2)
            b = a; // a single point, often a spot's position
        else if (kind == 3)
            a = set[q].position, b = a;
        else if (kind == 4 && q % 100 == 4)
            a.set(-kMax, -kMax), b.set(kMax, kMax);
        const std::vector<int> expected = bruteForce(set, a, b);
        ASSERT_EQ(query(set, a, b), expected) << "query " << q << ": (" << a.x << ", " << a.y
                                              << ") (" << b.x << ", " << b.y << ")";
        total += expected.size();
    }
    EXPECT_GT(total, 100000u) << "the rectangles should find something";
}

TEST(ScatterSet, NanPositionsAreKeptButNeverFound)
{
    ScatterSet<Spot> set;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int i = 0; i < 50; ++i)
        set.add(spotAt(i % 5 == 0 ? nan : i, i % 7 == 0 ? nan : 50 - i));
    ASSERT_TRUE(set.buildTree());
    std::vector<const Spot*> inTree;
    EXPECT_EQ(checkSubtree(set.root(), 0, inTree), 34) << "16 spots have a NaN coordinate";
    std::vector<int> expected = bruteForce(set, AcGePoint2d(-kMax, -kMax), AcGePoint2d(kMax, kMax));
    EXPECT_EQ(query(set, AcGePoint2d(-kMax, -kMax), AcGePoint2d(kMax, kMax)), expected);
    EXPECT_EQ(query(set, AcGePoint2d(10, 10), AcGePoint2d(30, 30)),
              bruteForce(set, AcGePoint2d(10, 10), AcGePoint2d(30, 30)));
}

TEST(ArraySorter, SortsARangeStablyAndLeavesTheRest)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> key(0, 20);
    using Item = std::pair<int, int>; // key, original index
    std::vector<Item> items;
    for (int i = 0; i < 5000; ++i)
        items.emplace_back(key(random), i);
    AcArray<Item> array;
    for (const Item& item : items)
        array.append(item);
    ArraySorter<Item> sorter([](const Item& a, const Item& b) {
        return a.first > b.first ? 1 : a.first < b.first ? -1 : 0;
    });
    sorter.sort(array, 100, 4899);
    std::stable_sort(items.begin() + 100, items.begin() + 4900,
                     [](const Item& a, const Item& b) { return a.first < b.first; });
    ASSERT_EQ(array.vector(), items);

    sorter.sort(array, 10, 10);
    sorter.sort(array, 20, 5);
    EXPECT_EQ(array.vector(), items);
    AcArray<Item> empty;
    sorter.sort(empty, 0, 3);
    EXPECT_TRUE(empty.isEmpty());

    ArraySorter<double> numbers([](const double& a, const double& b) { return a > b ? 1 : a < b ? -1 : 0; });
    AcArray<double> values{3.5, -1.0, 2.0, -1.0, 0.0};
    numbers.sort(values, 0, values.length() - 1);
    EXPECT_EQ(values, (AcArray<double>{-1.0, -1.0, 0.0, 2.0, 3.5}));
}

TEST(ChooseSpot, TakesTheNearestUnusedCandidateAndTheFirstOfEquals)
{
    Spot far = spotAt(10, 0), nearUsed = spotAt(1, 0), tieA = spotAt(0, 3), tieB = spotAt(3, 0);
    nearUsed.used = true;
    const AcGePoint2d origin(0, 0);
    EXPECT_EQ(dh::terrain::chooseSpot(origin, AcArray<Spot*>{&far, &nearUsed, &tieA, &tieB}), &tieA);
    EXPECT_EQ(dh::terrain::chooseSpot(origin, AcArray<Spot*>{&tieB, &tieA, &far}), &tieB);
    tieA.used = tieB.used = true;
    EXPECT_EQ(dh::terrain::chooseSpot(origin, AcArray<Spot*>{&tieA, &nearUsed, &far}), &far);
    far.used = true;
    EXPECT_EQ(dh::terrain::chooseSpot(origin, AcArray<Spot*>{&tieA, &nearUsed, &far}), nullptr);
    EXPECT_EQ(dh::terrain::chooseSpot(origin, AcArray<Spot*>{}), nullptr);
}

} // namespace
