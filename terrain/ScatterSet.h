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
#include <array>
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

    // A point of the tree in one of the two orders: its coordinate on that order's axis and
    // its index in the set.
    struct Entry {
        double key;
        int index;
    };
    struct ByKey {
        int operator()(const Entry& a, const Entry& b) const
        {
            return a.key > b.key ? 1 : a.key < b.key ? -1 : 0;
        }
    };

    // buffers: the order by x, the order by y, and room for one more order.
    void split(const std::array<Entry*, 3>& buffers, int total);
    // The node of the point of two entries, the first on axis's order, the other on the other.
    Node* newNode(int axis, const Entry& onAxis, const Entry& onOther)
    {
        const AcGePoint2d at = axis == 0 ? AcGePoint2d(onAxis.key, onOther.key)
                                         : AcGePoint2d(onOther.key, onAxis.key);
        return &m_nodes.emplace_back(this->asArrayPtr() + onAxis.index, at);
    }
    // Points at one position split as a chain: the median moves up to the last point, which
    // becomes the node, and the others its left subtree. Equal points keep the set's order in
    // both arrays, so the chain is the primary order read backwards, built here in one pass
    // instead of one split per point.
    void chain(int axis, const Entry* primary, const Entry& onOther, int count, Node** slot)
    {
        for (int k = count - 1; k >= 0; --k) {
            Node* node = newNode(axis, primary[k], onOther);
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
    // The two orders are kept as (coordinate, index) entries, so that sorting and splitting
    // stream through them instead of reaching into the points. A point with a NaN coordinate
    // lies in no rectangle and has no place in either order: it stays in the set but out of
    // the tree.
    const T* base = this->asArrayPtr();
    std::vector<Entry> byX;
    std::vector<Entry> byY;
    byX.reserve(static_cast<size_t>(length()));
    byY.reserve(static_cast<size_t>(length()));
    for (int i = 0; i < length(); ++i) {
        const AcGePoint2d& p = base[i].position;
        if (p.x == p.x && p.y == p.y) {
            byX.push_back({p.x, i});
            byY.push_back({p.y, i});
        }
    }
    const int count = static_cast<int>(byX.size());
    if (count == 0)
        return false;
    // Fresh memory is costly (page faults make up much of a build, see
    // bench/terrain/ScatterSetBench.cpp): one spare buffer serves both sorts and the split.
    const std::unique_ptr<Entry[]> spare(new Entry[static_cast<size_t>(count)]);
    ArraySorter<Entry, ByKey> sorter{ByKey()};
    sorter.sort(byX.data(), 0, count - 1, spare.get());
    sorter.sort(byY.data(), 0, count - 1, spare.get());
    m_nodes.reserve(static_cast<size_t>(count));
    split({byX.data(), byY.data(), spare.get()}, count);
    m_dirty = m_root == nullptr;
    return !m_dirty;
}

// Both orders hold the same points over [lo, hi) at every step, each in its own order; a
// split leaves the left part at [lo, lo + m), the pivot at lo + m and the right part after,
// in both. Over any range two of the three buffers hold its orders: the primary order is
// split where it stands, and the secondary one is written split into the third buffer.
template <class T>
void ScatterSet<T>::split(const std::array<Entry*, 3>& buffers, int total)
{
    struct Work {
        int lo;
        int hi;
        int depth;
        Node** slot;
        std::uint8_t buffer[2]; // the buffers that hold the orders by x and by y of [lo, hi)
    };
    enum : std::uint8_t { kLeft, kPivot, kRight };
    const std::unique_ptr<std::uint8_t[]> side(new std::uint8_t[static_cast<size_t>(length())]);
    std::vector<Work> work{{0, total, 0, &m_root, {0, 1}}};
    while (!work.empty()) {
        const Work w = work.back();
        work.pop_back();
        const int count = w.hi - w.lo;
        const int axis = w.depth % 2;
        const int other = 1 - axis;
        const Entry* primary = buffers[w.buffer[axis]] + w.lo;
        const Entry* secondary = buffers[w.buffer[other]] + w.lo;
        if (count == 1) {
            *w.slot = newNode(axis, primary[0], secondary[0]);
            continue;
        }
        // Each order is sorted on its own axis: equal ends mean equal all along.
        if (primary[0].key == primary[count - 1].key && secondary[0].key == secondary[count - 1].key) {
            chain(axis, primary, secondary[0], count, w.slot);
            continue;
        }
        int m = (count - 1) / 2;
        while (m + 1 < count && primary[m + 1].key == primary[m].key)
            ++m;
        // The secondary split reads each point's side from a byte table filled from the
        // primary split: the parts comparing with the pivot would give, pivot left out. One
        // store an entry, to a place chosen without a branch; the pivot's entry is kept aside
        // and put in its slot m, just past the left part, at the end.
        for (int k = 0; k < count; ++k)
            side[static_cast<size_t>(primary[k].index)] = k < m ? kLeft : k == m ? kPivot : kRight;
        const int free = 3 - w.buffer[0] - w.buffer[1];
        Entry* out = buffers[free] + w.lo;
        Entry pivot = secondary[0];
        int left = 0;
        int right = m + 1;
        for (int k = 0; k < count; ++k) {
            const Entry entry = secondary[k];
            const std::uint8_t s = side[static_cast<size_t>(entry.index)];
            out[s == kRight ? right : left] = entry;
            right += s == kRight;
            left += s == kLeft;
            pivot = s == kPivot ? entry : pivot;
        }
        out[m] = pivot;

        Node* node = newNode(axis, primary[m], pivot);
        *w.slot = node;
        Work child = w;
        child.buffer[other] = static_cast<std::uint8_t>(free);
        ++child.depth;
        if (m + 1 < count)
            work.push_back({w.lo + m + 1, w.hi, child.depth, &node->right, {child.buffer[0], child.buffer[1]}});
        if (m > 0)
            work.push_back({w.lo, w.lo + m, child.depth, &node->left, {child.buffer[0], child.buffer[1]}});
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
            // Its turn comes after the left side: start fetching it now.
            __builtin_prefetch(node->right);
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
