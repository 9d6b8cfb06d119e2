#include "host/ge/BoxTree.h"

#include <cmath>

namespace dh::ge {

namespace {

double centerX(const Box2& b)
{
    return 0.5 * (b.minX + b.maxX);
}

double centerY(const Box2& b)
{
    return 0.5 * (b.minY + b.maxY);
}

// Sort-tile-recursive order: vertical slices by x, each sorted by y, so that runs of
// kFanout consecutive items are spatially compact.
template <class T, class GetBox>
void strOrder(std::vector<T>& items, int fanout, GetBox box)
{
    const size_t n = items.size();
    const size_t groups = (n + static_cast<size_t>(fanout) - 1) / static_cast<size_t>(fanout);
    const size_t slices = static_cast<size_t>(std::ceil(std::sqrt(static_cast<double>(groups))));
    const size_t perSlice = slices * static_cast<size_t>(fanout);
    std::sort(items.begin(), items.end(), [&](const T& a, const T& b) { return centerX(box(a)) < centerX(box(b)); });
    for (size_t s = 0; s < n; s += perSlice) {
        const auto first = items.begin() + static_cast<long>(s);
        const auto last = items.begin() + static_cast<long>(std::min(n, s + perSlice));
        std::sort(first, last, [&](const T& a, const T& b) { return centerY(box(a)) < centerY(box(b)); });
    }
}

} // namespace

BoxTree::BoxTree(const std::vector<Box2>& boxes) : m_itemCount(boxes.size())
{
    if (boxes.empty())
        return;
    m_entries.reserve(boxes.size());
    for (size_t i = 0; i < boxes.size(); ++i)
        m_entries.push_back({boxes[i], static_cast<int>(i)});
    strOrder(m_entries, kFanout, [](const Entry& e) { return e.box; });

    // Leaves over runs of entries, then levels of nodes over runs of the level below.
    for (size_t s = 0; s < m_entries.size(); s += kFanout) {
        Node leaf{m_entries[s].box, static_cast<int>(s), 0, true};
        for (size_t k = s; k < std::min(m_entries.size(), s + kFanout); ++k) {
            leaf.box.add(m_entries[k].box);
            ++leaf.count;
        }
        m_nodes.push_back(leaf);
    }
    size_t levelStart = 0;
    while (m_nodes.size() - levelStart > 1) {
        std::vector<Node> level(m_nodes.begin() + static_cast<long>(levelStart), m_nodes.end());
        m_nodes.resize(levelStart);
        strOrder(level, kFanout, [](const Node& n) { return n.box; });
        m_nodes.insert(m_nodes.end(), level.begin(), level.end());
        const size_t childStart = levelStart;
        const size_t childEnd = m_nodes.size();
        levelStart = childEnd;
        for (size_t s = childStart; s < childEnd; s += kFanout) {
            Node parent{m_nodes[s].box, static_cast<int>(s), 0, false};
            for (size_t k = s; k < std::min(childEnd, s + kFanout); ++k) {
                parent.box.add(m_nodes[k].box);
                ++parent.count;
            }
            m_nodes.push_back(parent);
        }
    }
}

} // namespace dh::ge
