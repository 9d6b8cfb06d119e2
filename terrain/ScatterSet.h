// ScatterSet: points in the plan, with a 2D k-d tree over their positions that answers
// axis-parallel rectangle queries (edges included). Fill the set with add, build the tree
// once, then search; an add after the build makes the set dirty, and a dirty set answers no
// query until it is built again. The set owns its points and its tree; the pointers a
// search reports stay valid until the next add.
//
// The tree holds one point per node. A node splits its points at the median on its axis
// (x at even depths, y at odd ones), moved up past points of equal coordinate, so that the
// left subtree holds every other point at or below the node's coordinate and the right one
// every point above it. Build and search use explicit stacks: a set of many points at one
// place makes a tree as deep as the set is large.
#pragma once

#include "terrain/ArraySorter.h"
#include "terrain/I_ScatterPoint.h"
#include "terrain/KDNode.h"

#include <acge/AcGePoint2d.h>
#include <acge/AcGePoint3d.h>
#include <adesk/AcArray.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <type_traits>
#include <vector>

namespace dh::terrain {

template <class T>
class ScatterSet : private AcArray<T> {
    static_assert(std::is_base_of_v<I_ScatterPoint, T>);

public:
    // An axis-parallel rectangle, edges included.
    class SearchRange {
    public:
        SearchRange() = default;
        SearchRange(double x1, double y1, double x2, double y2)
            : minX(std::min(x1, x2)), minY(std::min(y1, y2)), maxX(std::max(x1, x2)),
              maxY(std::max(y1, y2))
        {
        }
        SearchRange(const AcGePoint2d& a, const AcGePoint2d& b) : SearchRange(a.x, a.y, b.x, b.y) {}
        SearchRange(const SearchRange&) = default;
        SearchRange& operator=(const SearchRange&) = default;
        virtual ~SearchRange() = default;

        static SearchRange wholePlane()
        {
            constexpr double kMax = std::numeric_limits<double>::max();
            return SearchRange(-kMax, -kMax, kMax, kMax);
        }

        bool contains(const AcGePoint2d& p) const
        {
            return minX <= p.x && p.x <= maxX && minY <= p.y && p.y <= maxY;
        }
        bool contains(const SearchRange& other) const
        {
            return other.minX >= minX && other.minY >= minY && other.maxX <= maxX &&
                   other.maxY <= maxY;
        }
        // Touching edges intersect.
        bool intersects(const SearchRange& other) const
        {
            return !(minX > other.maxX || other.minX > maxX || minY > other.maxY ||
                     other.minY > maxY);
        }

        double minX = 0.0;
        double minY = 0.0;
        double maxX = 0.0;
        double maxY = 0.0;
    };

    ScatterSet() = default;
    ScatterSet(const ScatterSet&) = delete;
    ScatterSet& operator=(const ScatterSet&) = delete;
    virtual ~ScatterSet() = default;

    void add(const T& point)
    {
        this->append(point);
        m_dirty = true;
    }

    using AcArray<T>::length;
    using AcArray<T>::isEmpty;
    const T& operator[](int i) const { return AcArray<T>::operator[](i); }

    // Builds the tree anew over every point; false, and the set stays dirty, when it is empty.
    bool buildTree();
    // Appends to results (not cleared first) each point inside the rectangle of the two
    // corners; false, with nothing searched, when there is no tree or the set is dirty.
    bool searchRange(const AcGePoint2d& corner1, const AcGePoint2d& corner2, AcArray<T*>& results);
    bool searchRange(const AcGePoint3d& corner1, const AcGePoint3d& corner2, AcArray<T*>& results)
    {
        return searchRange(AcGePoint2d(corner1.x, corner1.y), AcGePoint2d(corner2.x, corner2.y),
                           results);
    }

    bool isDirty() const { return m_dirty; }
    const KDNode<T>* root() const { return m_root; }

private:
    using Node = KDNode<T>;

    // A rectangle as the search handles it: low and high end on each axis.
    struct Box {
        double lo[2];
        double hi[2];
        bool contains(const AcGePoint2d& p) const
        {
            return lo[0] <= p.x && p.x <= hi[0] && lo[1] <= p.y && p.y <= hi[1];
        }
        bool contains(const Box& b) const
        {
            return b.lo[0] >= lo[0] && b.lo[1] >= lo[1] && b.hi[0] <= hi[0] && b.hi[1] <= hi[1];
        }
    };
    // A step of the search: look at a node (and its subtrees within region), report a whole
    // subtree, or report one node's point.
    enum class Mode : std::uint8_t { kSearch, kReport, kEmit };
    struct Step {
        const Node* node;
        Box region;
        int depth;
        Mode mode;
    };

    // A point of the tree: its position and its index in the set.
    struct Entry {
        AcGePoint2d at;
        int index;
    };
    template <int axis>
    struct ByAxis {
        int operator()(const Entry& a, const Entry& b) const
        {
            return a.at[axis] > b.at[axis] ? 1 : a.at[axis] < b.at[axis] ? -1 : 0;
        }
    };

    void split(std::vector<Entry>& byX, std::vector<Entry>& byY);
    Node* newNode(const Entry& entry)
    {
        return &m_nodes.emplace_back(this->asArrayPtr() + entry.index, entry.at);
    }
    // Points at one position split as a chain: the median moves up to the last point, which
    // becomes the node, and the others its left subtree. Equal points keep the set's order in
    // both arrays, so the chain is the primary order read backwards, built here in one pass
    // instead of one split per point.
    void chain(const Entry* primary, int count, Node** slot)
    {
        for (int k = count - 1; k >= 0; --k) {
            Node* node = newNode(primary[k]);
            *slot = node;
            slot = &node->left;
        }
    }
    void search(const Step& step, const Box& query, AcArray<T*>& results);

    // Every node, one per point; the nodes point into the set's own storage.
    std::vector<Node> m_nodes;
    Node* m_root = nullptr;
    bool m_dirty = true;
    std::vector<Step> m_steps;
};

template <class T>
bool ScatterSet<T>::buildTree()
{
    m_root = nullptr;
    m_nodes.clear();
    // The two orders are kept as entries holding the position, so that sorting and splitting
    // stream through them instead of reaching into the points (see
    // bench/terrain/ScatterSetBench.cpp). A point with a NaN coordinate lies in no rectangle
    // and has no place in either order: it stays in the set but out of the tree.
    const T* base = this->asArrayPtr();
    std::vector<Entry> byX;
    byX.reserve(static_cast<size_t>(length()));
    for (int i = 0; i < length(); ++i) {
        const AcGePoint2d& p = base[i].position;
        if (p.x == p.x && p.y == p.y)
            byX.push_back({p, i});
    }
    const int count = static_cast<int>(byX.size());
    if (count == 0)
        return false;
    std::vector<Entry> byY = byX;
    ArraySorter<Entry, ByAxis<0>>{ByAxis<0>()}.sort(byX.data(), 0, count - 1);
    ArraySorter<Entry, ByAxis<1>>{ByAxis<1>()}.sort(byY.data(), 0, count - 1);
    m_nodes.reserve(static_cast<size_t>(count));
    split(byX, byY);
    m_dirty = m_root == nullptr;
    return !m_dirty;
}

// Both arrays hold the same points over [lo, hi) at every step, each in its own order; a
// split leaves the left part at [lo, lo + m), the pivot at lo + m and the right part after,
// in both.
template <class T>
void ScatterSet<T>::split(std::vector<Entry>& byX, std::vector<Entry>& byY)
{
    struct Work {
        int lo;
        int hi;
        int depth;
        Node** slot;
    };
    std::vector<Entry> rightPart(byX.size() / 2 + 1);
    std::vector<Work> work{{0, static_cast<int>(byX.size()), 0, &m_root}};
    while (!work.empty()) {
        const Work w = work.back();
        work.pop_back();
        const int count = w.hi - w.lo;
        const int axis = w.depth % 2;
        Entry* primary = (axis == 0 ? byX : byY).data() + w.lo;
        Entry* secondary = (axis == 0 ? byY : byX).data() + w.lo;
        if (count == 1) {
            *w.slot = newNode(primary[0]);
            continue;
        }
        // Each array is sorted on its own axis: equal ends mean equal all along.
        if (primary[0].at[axis] == primary[count - 1].at[axis] &&
            secondary[0].at[1 - axis] == secondary[count - 1].at[1 - axis]) {
            chain(primary, count, w.slot);
            continue;
        }
        int m = (count - 1) / 2;
        while (m + 1 < count && primary[m + 1].at[axis] == primary[m].at[axis])
            ++m;
        const Entry pivot = primary[m];
        const double c = pivot.at[axis];
        // Branch-free: each entry is written to both parts and only its own part's end moves.
        int left = 0;
        int right = 0;
        for (int k = 0; k < count; ++k) {
            const Entry entry = secondary[k];
            const bool above = entry.at[axis] > c;
            secondary[left] = entry;
            rightPart[static_cast<size_t>(right)] = entry;
            right += above;
            left += !above && entry.index != pivot.index;
        }
        secondary[m] = pivot;
        std::copy(rightPart.begin(), rightPart.begin() + right, secondary + m + 1);

        Node* node = newNode(pivot);
        *w.slot = node;
        if (m + 1 < count)
            work.push_back({w.lo + m + 1, w.hi, w.depth + 1, &node->right});
        if (m > 0)
            work.push_back({w.lo, w.lo + m, w.depth + 1, &node->left});
    }
}

template <class T>
bool ScatterSet<T>::searchRange(const AcGePoint2d& corner1, const AcGePoint2d& corner2,
                                AcArray<T*>& results)
{
    if (!m_root || m_dirty)
        return false;
    const SearchRange range(corner1, corner2);
    const Box query{{range.minX, range.minY}, {range.maxX, range.maxY}};
    const SearchRange plane = SearchRange::wholePlane();
    m_steps.clear();
    m_steps.push_back({m_root, {{plane.minX, plane.minY}, {plane.maxX, plane.maxY}}, 0, Mode::kSearch});
    // Points are reported node, left side, right side while searching, and left subtree,
    // right subtree, node within a reported subtree: the right side waits on the stack
    // while the left one is worked off.
    while (!m_steps.empty()) {
        const Step step = m_steps.back();
        m_steps.pop_back();
        switch (step.mode) {
        case Mode::kEmit:
            results.append(step.node->spot);
            break;
        case Mode::kReport:
            m_steps.push_back({step.node, {}, 0, Mode::kEmit});
            if (step.node->right)
                m_steps.push_back({step.node->right, {}, 0, Mode::kReport});
            if (step.node->left)
                m_steps.push_back({step.node->left, {}, 0, Mode::kReport});
            break;
        case Mode::kSearch:
            search(step, query, results);
            break;
        }
    }
    return true;
}

// Searches down the left edge of step's subtree, leaving each right side on the stack. A
// searched region meets the query, and a child's region differs from it on the node's axis
// only: it meets the query when the query reaches the node's coordinate from its side.
template <class T>
void ScatterSet<T>::search(const Step& step, const Box& query, AcArray<T*>& results)
{
    const Node* node = step.node;
    Box region = step.region;
    int depth = step.depth;
    for (;;) {
        if (query.contains(node->position))
            results.append(node->spot);
        const int axis = depth % 2;
        const double c = axis == 0 ? node->position.x : node->position.y;
        ++depth;
        if (node->right && query.hi[axis] >= c) {
            Box right = region;
            right.lo[axis] = c;
            if (query.contains(right))
                m_steps.push_back({node->right, {}, 0, Mode::kReport});
            else
                m_steps.push_back({node->right, right, depth, Mode::kSearch});
        }
        if (!node->left || query.lo[axis] > c)
            return;
        region.hi[axis] = c;
        if (query.contains(region)) {
            m_steps.push_back({node->left, {}, 0, Mode::kReport});
            return;
        }
        node = node->left;
    }
}

} // namespace dh::terrain
