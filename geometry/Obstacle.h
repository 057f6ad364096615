// A node of the obstacle tree: a leaf is one obstacle, an inner node joins two subtrees.
#pragma once

#include "geometry/BoundingRect.h"

#include <cstdint>

namespace pathwick {

// Touched sits next to IsLeaf so that the flags share one word: a node is
// 40 bytes on 64-bit targets.
struct TObstacle {
    TObstacle* LowChild = nullptr;  // owned by the tree, not by the node
    TObstacle* HighChild = nullptr; // owned by the tree, not by the node
    uint8_t IsLeaf = 0;             // exactly 1 for a leaf
    bool Touched = false;           // leaves only: sticky mark set by MarkTouching
    int32_t Kind = 0;               // the object's kind in a leaf; 0 in inner nodes
    TBoundingRect Bounds;           // leaf: the obstacle; inner node: union of its leaves

    TObstacle() = default;
    TObstacle(uint8_t isLeaf, int32_t kind) : IsLeaf(isLeaf), Kind(kind) {}
};

} // namespace pathwick
