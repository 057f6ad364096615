#include "geometry/ObstacleDump.h"

#include "geometry/ObstacleKinds.h"

#include <gtest/gtest.h>

namespace pathwick {
namespace {

TEST(ObstacleDump, ListsLeavesInTreeOrderWithNamesAndMarks) {
    TObstacleTree tree;
    tree.AddRect(TBoundingRect(10, 0, 20, 5), kinds::Symbol);
    tree.AddRect(TBoundingRect(-3, 7, 4, 9), 8);
    tree.AddGuideLine({5, 7}, {5, 2});
    tree.AddGuideLine({9, 4}, {3, 4});
    tree.MarkTouching({20, 5});
    // Guide lines come ordered and normalised: (5, 2)-(5, 7) and (3, 4)-(9, 4).
    EXPECT_EQ(DescribeObstacles(tree), "0 kind 5 guide line (5, 2)-(5, 7)\n"
                                       "1 kind 5 guide line (3, 4)-(9, 4)\n"
                                       "2 kind 8 (-3, 7)-(4, 9)\n"
                                       "3 kind 24 symbol (10, 0)-(20, 5) touched\n");
    EXPECT_EQ(DescribeObstacles(TObstacleTree()), "");
}

} // namespace
} // namespace pathwick
