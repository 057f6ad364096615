#include "geometry/ObstacleTree.h"
#include "geometry/ObstacleKinds.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace pathwick {
namespace {

TBoundingRect R(int32_t l, int32_t b, int32_t r, int32_t t) {
    return TBoundingRect(l, b, r, t);
}

int32_t Coord(const TBoundingRect& r, int a) {
    const int32_t c[] = {r.Left, r.Bottom, r.Right, r.Top};
    return c[a];
}

// Insertion written straight from its definition, recursively, with the boxes
// grown after the insertion below; trees built both ways must agree in shape.
struct RefNode {
    bool leaf = false;
    int32_t kind = 0;
    TBoundingRect box;
    std::unique_ptr<RefNode> low, high;
};

void RefInsert(std::unique_ptr<RefNode>& slot, std::unique_ptr<RefNode> n, int a) {
    if (!slot) {
        slot = std::move(n);
        return;
    }
    if (slot->leaf) {
        auto inner = std::make_unique<RefNode>();
        inner->box = slot->box.UnionWith(n->box);
        if (Coord(slot->box, a) < Coord(n->box, a)) {
            inner->low = std::move(slot);
            inner->high = std::move(n);
        } else {
            inner->low = std::move(n);
            inner->high = std::move(slot);
        }
        slot = std::move(inner);
        return;
    }
    const TBoundingRect nb = n->box;
    const int next = a == 3 ? 0 : a + 1;
    if (Coord(nb, a) < Coord(slot->high->box, a))
        RefInsert(slot->low, std::move(n), next);
    else
        RefInsert(slot->high, std::move(n), next);
    slot->box = slot->box.UnionWith(nb);
}

std::string Box(const TBoundingRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Bottom) + "," + std::to_string(r.Right) +
           "," + std::to_string(r.Top);
}

template <class N> std::string Shape(const N* n) {
    if constexpr (std::is_same_v<N, RefNode>) {
        if (n->leaf)
            return "L" + std::to_string(n->kind) + "[" + Box(n->box) + "]";
        return "I[" + Box(n->box) + "](" + Shape(n->low.get()) + " " + Shape(n->high.get()) + ")";
    } else {
        if (n->IsLeaf == 1)
            return "L" + std::to_string(n->Kind) + "[" + Box(n->Bounds) + "]";
        return "I[" + Box(n->Bounds) + "](" + Shape(n->LowChild) + " " + Shape(n->HighChild) + ")";
    }
}

// The union of the leaves below n, checking every node on the way: leaves
// have no children and are reached once, inner nodes carry exactly the union.
TBoundingRect CheckedUnion(const TObstacle* n, std::set<int32_t>& seen) {
    if (n->IsLeaf == 1) {
        EXPECT_TRUE(n->LowChild == nullptr && n->HighChild == nullptr);
        EXPECT_TRUE(seen.insert(n->Kind).second) << "leaf reached twice";
        return n->Bounds;
    }
    EXPECT_EQ(n->Kind, 0);
    const TBoundingRect u =
        CheckedUnion(n->LowChild, seen).UnionWith(CheckedUnion(n->HighChild, seen));
    EXPECT_EQ(n->Bounds, u);
    return u;
}

// The tree's own order of leaves, as kinds.
std::vector<int32_t> LeafKinds(const TObstacleTree& tree) {
    std::vector<int32_t> kinds;
    tree.ForEachLeaf([&](const TObstacle& o) { kinds.push_back(o.Kind); });
    return kinds;
}

TEST(ObstacleTree, NewTreeIsEmpty) {
    TObstacleTree tree;
    EXPECT_TRUE(tree.Empty());
    EXPECT_EQ(tree.Root(), nullptr);
    EXPECT_EQ(tree.LeafCount(), 0u);
    EXPECT_EQ(tree.Target, (TSheetPoint{-1, -1}));
    EXPECT_FALSE(tree.Sheet.IsSet()); // no host: the sheet stays unset
    EXPECT_FALSE(tree.PointBlocked({0, 0}, 0));
    tree.MarkTouching({0, 0}); // nothing to mark, nothing to break
}

TEST(ObstacleTree, FirstTwoInsertionsSplitOnLeftWithTiesGoingLow) {
    TObstacleTree tree;
    tree.AddRect(R(10, 0, 20, 5), 8);
    ASSERT_NE(tree.Root(), nullptr);
    EXPECT_EQ(tree.Root()->IsLeaf, 1);
    EXPECT_EQ(tree.Root()->Kind, 8);

    tree.AddRect(R(3, 7, 4, 9), 9);
    const TObstacle* root = tree.Root();
    EXPECT_EQ(root->IsLeaf, 0);
    EXPECT_EQ(root->Kind, 0);
    EXPECT_EQ(root->Bounds, R(3, 0, 20, 9));
    EXPECT_EQ(root->LowChild->Kind, 9);
    EXPECT_EQ(root->HighChild->Kind, 8);

    TObstacleTree tie;
    tie.AddRect(R(10, 0, 20, 5), 8);
    tie.AddRect(R(10, 50, 11, 60), 9); // equal Left: the new one goes low
    EXPECT_EQ(tie.Root()->LowChild->Kind, 9);
    EXPECT_EQ(tie.Root()->HighChild->Kind, 8);
}

TEST(ObstacleTree, FourRectangleExample) {
    TObstacleTree tree;
    tree.AddRect(R(10, 10, 20, 20), 8);
    tree.AddRect(R(10, 30, 20, 40), 9);
    tree.AddRect(R(5, 0, 6, 1), 11);
    tree.AddRect(R(10, 50, 12, 60), 12);
    const TObstacle* root = tree.Root();
    EXPECT_EQ(root->Bounds, R(5, 0, 20, 60));
    const TObstacle* low = root->LowChild;
    const TObstacle* high = root->HighChild;
    ASSERT_EQ(low->IsLeaf, 0);
    ASSERT_EQ(high->IsLeaf, 0);
    EXPECT_EQ(low->Bounds, R(5, 0, 20, 40));
    EXPECT_EQ(low->LowChild->Kind, 11);
    EXPECT_EQ(low->HighChild->Kind, 9);
    EXPECT_EQ(high->Bounds, R(10, 10, 20, 60));
    EXPECT_EQ(high->LowChild->Kind, 8);
    EXPECT_EQ(high->HighChild->Kind, 12);
    EXPECT_EQ(LeafKinds(tree), (std::vector<int32_t>{11, 9, 8, 12}));
    EXPECT_EQ(tree.LeafCount(), 4u);
}

TEST(ObstacleTree, RandomInsertionsMatchTheDefinitionAndCoverTheirLeaves) {
    std::mt19937 rng(20240611u);
    std::uniform_int_distribution<int32_t> coord(-50, 50);
    std::uniform_int_distribution<int32_t> size(0, 20);
    for (int round = 0; round < 40; ++round) {
        TObstacleTree tree;
        std::unique_ptr<RefNode> ref;
        const int count = 1 + round * 7;
        for (int k = 0; k < count; ++k) {
            // Small ranges make ties common; some rectangles are inverted.
            const int32_t l = coord(rng), b = coord(rng);
            const int32_t r = l + size(rng) - 3, t = b + size(rng) - 3;
            tree.AddRect(R(l, b, r, t), k + 1000);
            auto n = std::make_unique<RefNode>();
            n->leaf = true;
            n->kind = k + 1000;
            n->box = R(l, b, r, t);
            RefInsert(ref, std::move(n), 0);
        }
        ASSERT_EQ(Shape(tree.Root()), Shape(ref.get())) << "round " << round;
        std::set<int32_t> seen;
        CheckedUnion(tree.Root(), seen);
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(tree.LeafCount(), static_cast<std::size_t>(count));
    }
}

TEST(ObstacleTree, PointBlocked) {
    struct Case {
        int32_t kind;
        TBoundingRect box;
        int32_t margin;
        TSheetPoint p;
        bool blocked;
    } cases[] = {
        // clang-format off
        {8, R(0, 0, 100, 100), 0, {0, 50}, false}, // on the border
        {8, R(0, 0, 100, 100), 0, {1, 50}, true},
        {8, R(0, 0, 100, 100), 0, {101, 50}, false},
        {18, R(0, 0, 100, 100), 0, {50, 50}, false}, // wires never block
        {19, R(0, 0, 100, 100), 0, {50, 50}, false},
        {30, R(0, 0, 100, 100), 0, {50, 50}, false}, // nor does the frame
        {5, R(0, 50, 100, 50), 0, {50, 50}, false},  // a flat guide line has no inside
        {37, R(0, 0, 100, 100), 0, {1, 50}, false},  // deflated by 1 whatever the margin
        {37, R(0, 0, 100, 100), 0, {2, 50}, true},
        {37, R(0, 0, 100, 100), 5, {2, 50}, true},
        {8, R(0, 0, 100, 100), 3, {3, 50}, false},
        {8, R(0, 0, 100, 100), 3, {4, 50}, true},
        {15, R(0, 0, 100, 100), 3, {1, 50}, true}, // exempt from the margin
        {22, R(0, 0, 100, 100), 3, {1, 50}, true},
        {8, R(0, 0, 100, 100), -1, {0, 50}, true}, // a negative margin grows it
        {8, R(0, 0, 10, 10), 6, {5, 5}, false},    // deflated past itself: inverted
        // clang-format on
    };
    for (const Case& c : cases) {
        TObstacleTree tree;
        tree.AddRect(c.box, c.kind);
        EXPECT_EQ(tree.PointBlocked(c.p, c.margin), c.blocked)
            << "kind " << c.kind << " margin " << c.margin << " at " << c.p.X << "," << c.p.Y;
    }
}

TEST(ObstacleTree, PointBlockedSearchesBothSubtreesAndPrunesByBox) {
    TObstacleTree tree;
    tree.AddRect(R(0, 0, 10, 10), 18);   // a wire covering the point: low, no block
    tree.AddRect(R(20, 0, 30, 10), 8);   // elsewhere
    tree.AddRect(R(2, 2, 8, 8), 8);      // blocks (5, 5)
    tree.AddRect(R(0, 0, 100, 100), 30); // frame
    EXPECT_TRUE(tree.PointBlocked({5, 5}, 0));
    EXPECT_FALSE(tree.PointBlocked({15, 5}, 0));
    EXPECT_TRUE(tree.PointBlocked({25, 5}, 0));
    EXPECT_FALSE(tree.PointBlocked({200, 5}, 0));
    // A point on the union box's border is pruned there, even when a grown leaf
    // would contain it: inner boxes are never deflated or grown.
    TObstacleTree two;
    two.AddRect(R(0, 0, 10, 10), 8);
    two.AddRect(R(20, 0, 30, 10), 8);
    EXPECT_FALSE(two.PointBlocked({0, 5}, -1));
    EXPECT_TRUE(two.PointBlocked({1, 5}, -1));
}

TEST(ObstacleTree, MarkTouchingMarksSnapKindsOnTheirBorderAndNeverClears) {
    TObstacleTree tree;
    tree.AddRect(R(0, 0, 10, 10), kinds::Symbol);
    tree.AddRect(R(20, 0, 30, 10), 8);
    tree.AddRect(R(10, 0, 20, 10), kinds::Wire);
    const auto touched = [&] {
        std::vector<bool> t;
        tree.ForEachLeaf([&](const TObstacle& o) { t.push_back(o.Touched); });
        return t;
    };
    // Tree order: the wire ties with the symbol on Bottom and goes low.
    ASSERT_EQ(LeafKinds(tree), (std::vector<int32_t>{kinds::Wire, kinds::Symbol, 8}));
    tree.MarkTouching({5, 5}); // inside the symbol, on no border
    EXPECT_EQ(touched(), (std::vector<bool>{false, false, false}));
    tree.MarkTouching({20, 5}); // borders of the wire and of kind 8
    EXPECT_EQ(touched(), (std::vector<bool>{true, false, false}));
    tree.MarkTouching({0, 3}); // the symbol's left side
    EXPECT_EQ(touched(), (std::vector<bool>{true, true, false}));
    tree.MarkTouching({50, 50}); // far away: nothing is cleared
    EXPECT_EQ(touched(), (std::vector<bool>{true, true, false}));
}

TEST(ObstacleTree, CastRayUnclipped) {
    TObstacleTree tree;
    tree.Sheet = R(0, 0, 100, 50);
    tree.AddRect(R(0, 0, 10, 10), 8); // ignored: no clipping
    struct Case {
        TDirection dir;
        TSheetPoint start, end;
    } cases[] = {
        {TDirection::L, {0, 7}, {5, 7}},    {TDirection::B, {5, 7}, {5, 0}},
        {TDirection::R, {5, 7}, {100, 7}},  {TDirection::T, {5, 50}, {5, 7}},
        {TDirection::None, {5, 7}, {5, 7}}, {static_cast<TDirection>(9), {5, 7}, {5, 7}},
    };
    for (const Case& c : cases) {
        const TEdge e = tree.CastRay(c.dir, {5, 7}, UnclippedRay);
        EXPECT_EQ(e.StartPoint, c.start) << int(c.dir);
        EXPECT_EQ(e.EndPoint, c.end) << int(c.dir);
        EXPECT_EQ(e.StopWeight, NoStopWeight);
        EXPECT_FALSE(e.CrossesWire);
    }
    // Clipping on an empty tree returns the plain ray; a direction past 3
    // stays a point even with clipping.
    TObstacleTree empty;
    empty.Sheet = R(0, 0, 100, 50);
    EXPECT_EQ(empty.CastRay(TDirection::R, {5, 7}, SearchRay).EndPoint, (TSheetPoint{100, 7}));
    EXPECT_EQ(tree.CastRay(static_cast<TDirection>(7), {5, 7}, SearchRay).EndPoint,
              (TSheetPoint{5, 7}));
}

TEST(ObstacleTree, KindSetsHoldTheirMembersOnly) {
    const int snap[] = {2, 3, 7, 18, 19, 22, 24, 36, 37, 39, 46};
    int n = 0;
    for (int k = -5; k < 70; ++k)
        n += InKindSet(SnapKinds, k) ? 1 : 0;
    EXPECT_EQ(n, 11);
    for (int k : snap)
        EXPECT_TRUE(InKindSet(SnapKinds, k)) << k;
    EXPECT_FALSE(InKindSet(SnapKinds, 64 + 2));
}

} // namespace
} // namespace pathwick
