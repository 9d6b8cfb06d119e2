// BoxTree: a static R-tree over axis-aligned boxes, packed by sort-tile-recursive, for
// "which items may touch this box" queries in O(log n + hits). Built once, read-only
// afterwards, so one tree can serve many queries (and threads).
#pragma once

#include <algorithm>
#include <vector>

namespace dh::ge {

struct Box2 {
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;

    bool overlaps(const Box2& o) const
    {
        return minX <= o.maxX && o.minX <= maxX && minY <= o.maxY && o.minY <= maxY;
    }
    void add(const Box2& o)
    {
        minX = std::min(minX, o.minX);
        minY = std::min(minY, o.minY);
        maxX = std::max(maxX, o.maxX);
        maxY = std::max(maxY, o.maxY);
    }
    Box2 grown(double d) const { return {minX - d, minY - d, maxX + d, maxY + d}; }
};

class BoxTree {
public:
    // Item i of the queries is boxes[i].
    explicit BoxTree(const std::vector<Box2>& boxes);

    size_t size() const { return m_itemCount; }

    // Calls visit(item) for every item whose box overlaps q (touching counts).
    template <class Visit>
    void query(const Box2& q, Visit&& visit) const
    {
        if (m_nodes.empty())
            return;
        int stack[256]; // 15 per level: enough for any tree that fits in memory
        int top = 0;
        stack[top++] = static_cast<int>(m_nodes.size()) - 1;
        while (top > 0) {
            const Node& n = m_nodes[static_cast<size_t>(stack[--top])];
            if (!n.box.overlaps(q))
                continue;
            for (int k = n.first; k < n.first + n.count; ++k) {
                if (n.leaf) {
                    const Entry& e = m_entries[static_cast<size_t>(k)];
                    if (e.box.overlaps(q))
                        visit(e.item);
                } else {
                    stack[top++] = k;
                }
            }
        }
    }

private:
    static constexpr int kFanout = 16;

    struct Entry {
        Box2 box;
        int item;
    };
    struct Node {
        Box2 box;
        int first; // entries (leaf) or child nodes
        int count;
        bool leaf;
    };

    std::vector<Entry> m_entries;
    std::vector<Node> m_nodes; // children before parents; the root is last
    size_t m_itemCount = 0;
};

} // namespace dh::ge
