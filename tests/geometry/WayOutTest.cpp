// The mended rules at a request's end points, as the tree applies them:
// junctions round an end left out, a way-out step, a straight run between
// two ends; and the pin points they look at.
#include "geometry/WayOut.h"

#include "geometry/EndPointMends.h"
#include "geometry/ObstacleKinds.h"
#include "geometry/ObstacleTree.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace pathwick {
namespace {

constexpr int32_t M = 1000000;

struct Leaf {
    int32_t kind;
    TBoundingRect box;
};

// A 40 000 000 square sheet with the leaves and pins given, MarkTouching at
// `end`, and the target set as a search from `end` to `target` has it.
struct Scene {
    TObstacleTree tree{TBoundingRect(0, 0, 40 * M, 40 * M)};
    Scene(const std::vector<Leaf>& leaves, const std::vector<TSheetPoint>& pins, TSheetPoint end,
          TSheetPoint target) {
        for (const Leaf& l : leaves)
            tree.AddRect(l.box, l.kind);
        for (const TSheetPoint& p : pins)
            tree.Pins.Add(p);
        tree.MarkTouching(end);
        tree.Target = target;
    }
};

// A symbol's box (body and leads) with a pin at the middle of its left side.
const Leaf kBody{kinds::Symbol, TBoundingRect(10 * M, 10 * M, 20 * M, 20 * M)};
const TSheetPoint kPin{10 * M, 15 * M};
const TSheetPoint kFar{2 * M, 30 * M};

TEST(PinPoints, FindsPinsStrictlyBetweenTheEnds) {
    TPinPoints pins;
    pins.Add({5, 10});
    pins.Add({5, 20});
    pins.Add({8, 20});
    EXPECT_TRUE(pins.AnyBetween({5, 0}, {5, 15}));
    EXPECT_TRUE(pins.AnyBetween({5, 15}, {5, 0}));   // either order
    EXPECT_FALSE(pins.AnyBetween({5, 10}, {5, 20})); // the ends themselves do not count
    EXPECT_TRUE(pins.AnyBetween({0, 20}, {10, 20}));
    EXPECT_FALSE(pins.AnyBetween({6, 20}, {8, 20}));
    EXPECT_TRUE(pins.Contains({8, 20}));
    EXPECT_FALSE(pins.Contains({20, 8}));
}

TEST(EndPointMends, JunctionRoundAnEndNeitherBlocksNorCloses) {
    // A junction's 2 x 2 square round the end point, on a wire passing through.
    const TSheetPoint end{5 * M, 5 * M};
    TObstacleTree tree(TBoundingRect(0, 0, 20 * M, 20 * M));
    tree.AddRect(TBoundingRect(end.X - 1, end.Y - 1, end.X + 1, end.Y + 1), kinds::Junction);
    tree.AddRect(TBoundingRect(12 * M, 12 * M, 13 * M, 13 * M), kinds::Junction);
    tree.Target = {15 * M, 15 * M};
    const auto open = [&](TDirection d) {
        const TEdge e = tree.CastRay(d, end, SearchRay);
        return !SamePoint(e.StartPoint, e.EndPoint);
    };
    EXPECT_TRUE(tree.PointBlocked(end, 0));
    for (TDirection d : MoveDirections)
        EXPECT_FALSE(open(d)) << DirectionIndex(d);

    TEndPointMends mends;
    mends.Ends[0] = end;
    mends.Ends[1] = tree.Target;
    mends.OpenJunctions = true;
    tree.Mends = &mends;
    EXPECT_FALSE(tree.PointBlocked(end, 0));
    for (TDirection d : MoveDirections)
        EXPECT_TRUE(open(d)) << DirectionIndex(d);
    // A junction elsewhere still stands.
    EXPECT_TRUE(tree.PointBlocked({12 * M + 500000, 12 * M + 500000}, 0));
    EXPECT_TRUE(mends.ChangesAnything(tree));
    mends.OpenJunctions = false;
    EXPECT_TRUE(tree.PointBlocked(end, 0));
    EXPECT_FALSE(mends.ChangesAnything(tree));
}

struct StepCase {
    const char* name;
    std::vector<Leaf> leaves; // besides the body
    std::vector<TSheetPoint> pins;
    TDirection dir;
    std::optional<TSheetPoint> expected;
};

TEST(WayOutStep, LeavesAPinOneGridStepAsAPersonWould) {
    const Leaf wireOut{kinds::Wire, TBoundingRect(4 * M, 15 * M, 10 * M, 15 * M)};
    const std::vector<StepCase> cases = {
        {"outward", {}, {}, TDirection::L, TSheetPoint{9 * M, 15 * M}},
        {"along the side, down", {}, {}, TDirection::B, TSheetPoint{10 * M, 14 * M}},
        {"along the side, up", {}, {}, TDirection::T, TSheetPoint{10 * M, 16 * M}},
        {"never into the body", {}, {}, TDirection::R, std::nullopt},
        {"never along the wire already there", {wireOut}, {}, TDirection::L, std::nullopt},
        {"beside the wire already there",
         {wireOut},
         {},
         TDirection::B,
         TSheetPoint{10 * M, 14 * M}},
        {"never onto the next pin", {}, {{10 * M, 14 * M}}, TDirection::B, std::nullopt},
        {"never over a pin half a step away",
         {},
         {{10 * M, 14 * M + 500000}},
         TDirection::B,
         std::nullopt},
        {"a pin two steps away is no matter",
         {},
         {{10 * M, 13 * M}},
         TDirection::B,
         TSheetPoint{10 * M, 14 * M}},
        {"never where something else touches the step",
         {{kinds::Symbol, TBoundingRect(7 * M, 12 * M, 10 * M, 14 * M)}},
         {},
         TDirection::B,
         std::nullopt},
        {"never past a wire end",
         {{kinds::Wire, TBoundingRect(3 * M, 14 * M, 10 * M, 14 * M)}},
         {},
         TDirection::B,
         std::nullopt},
        {"into a neighbour that touches the pin: no",
         {{kinds::Symbol, TBoundingRect(8 * M, 13 * M, 10 * M, 17 * M)}},
         {},
         TDirection::L,
         std::nullopt},
        {"along a neighbour that touches the pin",
         {{kinds::Symbol, TBoundingRect(8 * M, 13 * M, 10 * M, 17 * M)}},
         {},
         TDirection::B,
         TSheetPoint{10 * M, 14 * M}},
        {"along a neighbour's widened side",
         {{kinds::Symbol, TBoundingRect(7 * M, 13 * M, 9 * M + 500000, 14 * M + 500000)}},
         {},
         TDirection::L,
         TSheetPoint{9 * M, 15 * M}},
        {"closed by a neighbour's widened box",
         {{kinds::Symbol, TBoundingRect(7 * M, 14 * M, 9 * M + 500000, 16 * M)}},
         {},
         TDirection::L,
         std::nullopt},
    };
    for (const StepCase& c : cases) {
        std::vector<Leaf> leaves{kBody};
        leaves.insert(leaves.end(), c.leaves.begin(), c.leaves.end());
        Scene s(leaves, c.pins, kPin, kFar);
        const std::optional<TSheetPoint> got = WayOutStep(s.tree, kPin, c.dir);
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.name;
        if (got) {
            EXPECT_EQ(*got, *c.expected) << c.name;
        }
    }
}

TEST(WayOutStep, FromAPointThatTouchesNothingThereIsNone) {
    Scene s({kBody}, {}, {5 * M, 5 * M}, kFar);
    for (TDirection d : MoveDirections)
        EXPECT_FALSE(WayOutStep(s.tree, {5 * M, 5 * M}, d)) << DirectionIndex(d);
}

TEST(StraightRunClear, OnlyWhenNothingButTheEndsTouchesIt) {
    const TSheetPoint left{4 * M, 15 * M};
    const struct {
        const char* name;
        std::vector<Leaf> leaves;
        std::vector<TSheetPoint> pins;
        TSheetPoint other;
        bool clear;
    } cases[] = {
        {"free run to a free point", {}, {}, left, true},
        {"to the pin of a symbol opposite",
         {{kinds::Symbol, TBoundingRect(1 * M, 12 * M, 4 * M, 18 * M)}},
         {left},
         left,
         true},
        {"not into the symbol opposite",
         {{kinds::Symbol, TBoundingRect(1 * M, 12 * M, 5 * M, 18 * M)}},
         {},
         left,
         false},
        {"not over a pin on the way", {}, {{7 * M, 15 * M}}, left, false},
        {"not along a wire",
         {{kinds::Wire, TBoundingRect(4 * M, 15 * M, 10 * M, 15 * M)}},
         {},
         left,
         false},
        {"not across a wire",
         {{kinds::Wire, TBoundingRect(7 * M, 10 * M, 7 * M, 20 * M)}},
         {},
         left,
         false},
        {"not through the pin's own body", {}, {}, TSheetPoint{25 * M, 15 * M}, false},
        {"not off the line", {}, {}, TSheetPoint{4 * M, 16 * M}, false},
    };
    for (const auto& c : cases) {
        std::vector<Leaf> leaves{kBody};
        leaves.insert(leaves.end(), c.leaves.begin(), c.leaves.end());
        Scene s(leaves, c.pins, kPin, c.other);
        s.tree.MarkTouching(c.other);
        EXPECT_EQ(StraightRunClear(s.tree, kPin, c.other), c.clear) << c.name;
        EXPECT_EQ(StraightRunClear(s.tree, c.other, kPin), c.clear) << c.name << " (reversed)";
    }
}

} // namespace
} // namespace pathwick
