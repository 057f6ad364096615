// Large and list-like trees: every walk must be iterative.
#include "geometry/ObstacleKinds.h"
#include "geometry/ObstacleTree.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace pathwick {
namespace {

// Runs f on a thread whose stack is far smaller than a recursive walk of the
// trees below would need, so a hidden recursion fails loudly instead of
// passing on a roomy main stack.
void RunOnSmallStack(const std::function<void()>& f, std::size_t bytes) {
    pthread_attr_t attr;
    ASSERT_EQ(pthread_attr_init(&attr), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attr, bytes), 0);
    pthread_t thread;
    auto body = [](void* arg) -> void* {
        (*static_cast<const std::function<void()>*>(arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, body, const_cast<std::function<void()>*>(&f)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

constexpr std::size_t kSmallStack = 128 * 1024;

std::size_t Depth(const TObstacle* root) {
    std::size_t best = 0;
    std::vector<std::pair<const TObstacle*, std::size_t>> stack{{root, 0}};
    while (!stack.empty()) {
        const auto [n, d] = stack.back();
        stack.pop_back();
        best = d > best ? d : best;
        if (n->IsLeaf != 1) {
            stack.push_back({n->LowChild, d + 1});
            stack.push_back({n->HighChild, d + 1});
        }
    }
    return best;
}

struct Results {
    std::size_t depth = 0, leaves = 0, visited = 0;
    bool blockedInside = false, blockedBetween = true;
    int32_t rayEnd = 0, rayBackEnd = 0;
    bool touched = false;
};

// Sorted input makes the split rule build a list: a row of equal obstacles in
// x order, or a diagonal in falling order, puts every newcomer at the bottom of
// the high side or of the low side. That is the rule's worst case: building n
// obstacles visits n^2 / 2 nodes, so the lists are kept to a size that builds
// in a fraction of a second, and the small stack stands in for a larger depth
// (a recursive walk down the low side of these lists overflows it).
TEST(DeepTree, ListLikeTreesFromSortedInput) {
    constexpr int32_t n = 12000;
    struct Case {
        const char* name;
        bool falling; // diagonal in falling order, else a row in rising order
    } cases[] = {{"row, high side", false}, {"diagonal, low side", true}};
    for (const Case& c : cases) {
        // Obstacle i, and its position in tree order.
        const auto box = [&](int32_t i) {
            const int32_t x = c.falling ? (n - i) * 100 : i * 100;
            const int32_t y = c.falling ? x : 100;
            return TBoundingRect(x, y, x + 50, y + 50);
        };
        Results res;
        std::vector<int32_t> order;
        RunOnSmallStack(
            [&] {
                TObstacleTree tree;
                tree.Sheet = TBoundingRect(0, 0, 100000000, 100000000);
                // Obstacle 0 is a symbol, to be touched; the rest keep their
                // exact rectangles in the clipping. The kind carries the index.
                for (int32_t i = 0; i < n; ++i)
                    tree.AddRect(box(i), i == 0 ? kinds::Symbol : 1000 + i);
                res.depth = Depth(tree.Root());
                res.leaves = tree.LeafCount();
                tree.ForEachLeaf([&](const TObstacle& o) {
                    ++res.visited;
                    res.touched = res.touched || o.Touched;
                });
                const TBoundingRect last = box(n - 1);
                res.blockedInside = tree.PointBlocked({last.Left + 25, last.Bottom + 25}, 0);
                res.blockedBetween = tree.PointBlocked({last.Left + 75, last.Bottom + 25}, 0);
                tree.MarkTouching({box(0).Left, box(0).Bottom});
                tree.ForEachLeaf([&](const TObstacle& o) {
                    if (o.Touched)
                        order.push_back(o.Kind);
                });
                // A ray along the last obstacle's line, from just past it
                // toward the others' side, stops at its far side.
                const TSheetPoint from{c.falling ? last.Left - 10 : last.Right + 10,
                                       last.Bottom + 25};
                const TEdge e =
                    tree.CastRay(c.falling ? TDirection::R : TDirection::L, from, SearchRay);
                res.rayEnd = c.falling ? e.EndPoint.X : e.StartPoint.X;
            },
            kSmallStack);
        EXPECT_EQ(res.depth, static_cast<std::size_t>(n - 1)) << c.name;
        EXPECT_EQ(res.leaves, static_cast<std::size_t>(n)) << c.name;
        EXPECT_EQ(res.visited, static_cast<std::size_t>(n)) << c.name;
        EXPECT_FALSE(res.touched) << c.name;
        EXPECT_TRUE(res.blockedInside) << c.name;
        EXPECT_FALSE(res.blockedBetween) << c.name;
        EXPECT_EQ(order, (std::vector<int32_t>{kinds::Symbol})) << c.name;
        EXPECT_EQ(res.rayEnd, c.falling ? box(n - 1).Left : box(n - 1).Right) << c.name;
    }
}

// 200 000 symbols enumerated row by row, as a sheet read in coordinate order
// gives them.
TEST(DeepTree, TwoHundredThousandObstaclesInSheetOrder) {
    constexpr int32_t cols = 500, rows = 400, pitch = 4000000;
    Results res;
    RunOnSmallStack(
        [&] {
            TObstacleTree tree;
            tree.Sheet = TBoundingRect(0, 0, cols * pitch, rows * pitch);
            for (int32_t r = 0; r < rows; ++r)
                for (int32_t c = 0; c < cols; ++c)
                    tree.AddRect(TBoundingRect(c * pitch + 1000000, r * pitch + 1000000,
                                               c * pitch + 2000000, r * pitch + 2000000),
                                 kinds::Symbol);
            res.depth = Depth(tree.Root());
            res.leaves = tree.LeafCount();
            tree.ForEachLeaf([&](const TObstacle&) { ++res.visited; });
            res.blockedInside = tree.PointBlocked({77 * pitch + 1500000, 311 * pitch + 1500000}, 0);
            res.blockedBetween =
                tree.PointBlocked({77 * pitch + 3000000, 311 * pitch + 1500000}, 0);
            tree.MarkTouching({(cols - 1) * pitch + 2000000, (rows - 1) * pitch + 2000000});
            tree.ForEachLeaf([&](const TObstacle& o) { res.touched = res.touched || o.Touched; });
            // Between two columns, the widened symbols stop the ray on the grid
            // line below the next one.
            res.rayEnd = tree.CastRay(TDirection::R, {77 * pitch + 3000000, 311 * pitch + 1500000},
                                      SearchRay)
                             .EndPoint.X;
            res.rayBackEnd = tree.CastRay(TDirection::B,
                                          {77 * pitch + 1500000, 311 * pitch + 3500000}, SearchRay)
                                 .EndPoint.Y;
        },
        kSmallStack);
    EXPECT_EQ(res.leaves, 200000u);
    EXPECT_EQ(res.visited, 200000u);
    EXPECT_GT(res.depth, 17u); // far from balanced, but not a list
    EXPECT_TRUE(res.blockedInside);
    EXPECT_FALSE(res.blockedBetween);
    EXPECT_TRUE(res.touched);
    EXPECT_EQ(res.rayEnd, 78 * pitch);
    EXPECT_EQ(res.rayBackEnd, 311 * pitch + 3000000);
}

} // namespace
} // namespace pathwick
