// A readable listing of an obstacle tree's leaves.
#pragma once

#include "geometry/ObstacleTree.h"

#include <cstdint>
#include <string>

namespace pathwick {

// The name of a kind the tree gives meaning to ("symbol", "wire run", ...),
// or an empty string for any other kind.
const char* ObstacleKindName(int32_t kind);

// One line per leaf, in tree order: its position, kind (and name), rectangle as
// left, bottom, right, top, and "touched" when marked. An empty tree gives "".
std::string DescribeObstacles(const TObstacleTree& tree);

} // namespace pathwick
