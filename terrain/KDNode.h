// A node of a ScatterSet's 2D k-d tree: one point of the set and the two subtrees. Points of
// the left subtree lie at or below the node's point on the node's splitting axis (x at even
// depths, y at odd ones), those of the right subtree above it. A node owns neither its
// point nor its children: the set owns both. It keeps a copy of its point's position, so
// that a search reads the nodes alone.
#pragma once

#include <acge/AcGePoint2d.h>

namespace dh::terrain {

template <class T>
class KDNode {
public:
    // at: the point's position.
    KDNode(T* point, const AcGePoint2d& at) : spot(point), position(at) {}
    virtual ~KDNode() = default;

    KDNode* left = nullptr;
    KDNode* right = nullptr;
    T* spot = nullptr;
    AcGePoint2d position;
};

} // namespace dh::terrain
