// A node of the obstacle tree: a leaf is one obstacle, an inner node joins two subtrees.
#pragma once

#include "geometry/BoundingRect.h"

#include <cstdint>

namespace pathwick {

struct TObstacle {
    TObstacle* LowChild = nullptr;  // owned by the tree, not by the node
    TObstacle* HighChild = nullptr; // owned by the tree, not by the node
    uint8_t IsLeaf = 0;             // exactly 1 for a leaf
    int32_t Kind = 0;               // the object's kind in a leaf; 0 in inner nodes
    TBoundingRect Bounds;           // leaf: the obstacle; inner node: union of its leaves
    bool Touched = false;           // sticky mark set by MarkTouching

    TObstacle() = default;
    TObstacle(uint8_t isLeaf, int32_t kind) : IsLeaf(isLeaf), Kind(kind) {}
};

} // namespace pathwick
