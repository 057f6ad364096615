#include "geometry/RayClip.h"
#include "geometry/ObstacleKinds.h"
#include "geometry/ObstacleTree.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace pathwick {
namespace {

constexpr int32_t M = 1000000; // one snap step
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TBoundingRect R(int32_t l, int32_t b, int32_t r, int32_t t) {
    return TBoundingRect(l, b, r, t);
}

struct Leaf {
    int32_t kind;
    TBoundingRect box;
};

struct RayCase {
    const char* name;
    std::vector<Leaf> leaves;         // inserted in this order
    std::vector<TSheetPoint> touches; // MarkTouching points
    TSheetPoint target;
    TDirection dir;
    TSheetPoint from;
    bool wireExact;
    bool skipGuides;
    int32_t far; // expected far-end coordinate
    int32_t weight = NoStopWeight;
    bool crosses = false;
};

constexpr TSheetPoint NoTarget{-1, -1};

int32_t FarCoord(const TEdge& e, TDirection d) {
    switch (d) {
    case DirL:
        return e.StartPoint.X;
    case DirB:
        return e.EndPoint.Y;
    case DirR:
        return e.EndPoint.X;
    default:
        return e.StartPoint.Y;
    }
}

const TSheetPoint& NearEnd(const TEdge& e, TDirection d) {
    return d == DirL || d == DirT ? e.EndPoint : e.StartPoint;
}

void Check(const RayCase& c) {
    TObstacleTree tree;
    tree.Sheet = R(0, 0, 20 * M, 20 * M);
    for (const Leaf& l : c.leaves)
        tree.AddRect(l.box, l.kind);
    for (const TSheetPoint& p : c.touches)
        tree.MarkTouching(p);
    tree.Target = c.target;
    const TEdge e = tree.CastRay(c.dir, c.from, true, c.skipGuides, c.wireExact);
    EXPECT_EQ(FarCoord(e, c.dir), c.far) << c.name;
    EXPECT_EQ(NearEnd(e, c.dir), c.from) << c.name << ": the origin end moved";
    const bool horizontal = c.dir == DirL || c.dir == DirR;
    EXPECT_EQ(horizontal ? e.StartPoint.Y : e.StartPoint.X, horizontal ? c.from.Y : c.from.X)
        << c.name;
    EXPECT_EQ(horizontal ? e.EndPoint.Y : e.EndPoint.X, horizontal ? c.from.Y : c.from.X) << c.name;
    EXPECT_EQ(e.StopWeight, c.weight) << c.name;
    EXPECT_EQ(e.CrossesWire, c.crosses) << c.name;
}

const Leaf Symbol{KindSymbol, R(5 * M, 5 * M, 8 * M, 9 * M)}; // widened: (4M, 4M)-(9M, 10M)
const Leaf VerticalWire{KindWire, R(3 * M, 0, 3 * M, 10 * M)};
const Leaf HorizontalWire{KindWire, R(2 * M, 10 * M, 12 * M, 10 * M)};

TEST(RayClip, ObstaclesOnTheSnapGrid) {
    const RayCase cases[] = {
        {"symbol from the left", {Symbol}, {}, NoTarget, DirR, {M, 7 * M}, false, false, 4 * M},
        {"symbol from the right",
         {Symbol},
         {},
         NoTarget,
         DirL,
         {12 * M, 7 * M},
         false,
         false,
         9 * M},
        {"symbol from below", {Symbol}, {}, NoTarget, DirT, {6 * M, M}, false, false, 4 * M},
        {"symbol from above", {Symbol}, {}, NoTarget, DirB, {6 * M, 15 * M}, false, false, 10 * M},
        {"exact: passes below", {Symbol}, {}, NoTarget, DirR, {M, 4 * M}, true, false, 20 * M},
        {"exact: passes above", {Symbol}, {}, NoTarget, DirR, {M, 10 * M}, true, false, 20 * M},
        {"widened: stops below", {Symbol}, {}, NoTarget, DirR, {M, 4 * M}, false, false, 4 * M},
        {"widened: stops above", {Symbol}, {}, NoTarget, DirR, {M, 10 * M}, false, false, 4 * M},
        {"kind outside the snap kinds",
         {{8, Symbol.box}},
         {},
         NoTarget,
         DirR,
         {M, 7 * M},
         false,
         false,
         5 * M},
        {"nothing in the way",
         {{KindSheetFrame, R(0, 0, 20 * M, 20 * M)}},
         {},
         NoTarget,
         DirR,
         {M, 7 * M},
         false,
         false,
         20 * M},
        {"frame only, left",
         {{KindSheetFrame, R(0, 0, 20 * M, 20 * M)}},
         {},
         NoTarget,
         DirL,
         {M, 7 * M},
         false,
         false,
         0},
        {"frame only, down",
         {{KindSheetFrame, R(0, 0, 20 * M, 20 * M)}},
         {},
         NoTarget,
         DirB,
         {M, 7 * M},
         false,
         false,
         0},
        {"frame only, up",
         {{KindSheetFrame, R(0, 0, 20 * M, 20 * M)}},
         {},
         NoTarget,
         DirT,
         {M, 7 * M},
         false,
         false,
         20 * M},
        {"the nearer of two",
         {{8, R(15 * M, 0, 16 * M, 20 * M)}, {8, R(11 * M, 0, 12 * M, 20 * M)}},
         {},
         NoTarget,
         DirR,
         {M, 7 * M},
         false,
         false,
         11 * M},
    };
    for (const RayCase& c : cases)
        Check(c);
}

TEST(RayClip, OriginInsideAnObstacle) {
    const RayCase cases[] = {
        {"inside, left", {Symbol}, {}, NoTarget, DirL, {6 * M, 7 * M}, false, false, 6 * M},
        {"inside, down", {Symbol}, {}, NoTarget, DirB, {6 * M, 7 * M}, false, false, 7 * M},
        {"inside, right", {Symbol}, {}, NoTarget, DirR, {6 * M, 7 * M}, false, false, 6 * M},
        {"inside, up", {Symbol}, {}, NoTarget, DirT, {6 * M, 7 * M}, false, false, 7 * M},
        // Inside the widened rectangle only, between grid line and body.
        {"in the margin", {Symbol}, {}, NoTarget, DirR, {4500000, 7 * M}, false, false, 4500000},
        // On the far side of the widened rectangle the first step leaves it.
        {"on the far grid line",
         {Symbol},
         {},
         NoTarget,
         DirR,
         {9 * M, 7 * M},
         false,
         false,
         20 * M},
        {"on the near grid line",
         {Symbol},
         {},
         NoTarget,
         DirR,
         {4 * M, 7 * M},
         false,
         false,
         4 * M},
    };
    for (const RayCase& c : cases)
        Check(c);
}

TEST(RayClip, WireRuns) {
    const RayCase cases[] = {
        {"exact wire stops at the wire",
         {VerticalWire},
         {},
         NoTarget,
         DirR,
         {M, 7 * M},
         true,
         false,
         3 * M},
        {"widened wire stops at its grid line",
         {VerticalWire},
         {},
         NoTarget,
         DirR,
         {M, 7 * M},
         false,
         false,
         2 * M},
        {"beside the wire: jump it",
         {VerticalWire},
         {},
         NoTarget,
         DirR,
         {2500000, 7 * M},
         false,
         false,
         4 * M,
         NoStopWeight,
         true},
        {"level with the wire's end: closed",
         {VerticalWire},
         {},
         NoTarget,
         DirR,
         {2500000, 10 * M},
         false,
         false,
         2500000},
        {"beside the wire leftward: jump it",
         {VerticalWire},
         {},
         NoTarget,
         DirL,
         {3500000, 7 * M},
         false,
         false,
         2 * M,
         NoStopWeight,
         true},
        {"under a horizontal wire: jump up",
         {HorizontalWire},
         {},
         NoTarget,
         DirT,
         {5 * M, 9500000},
         false,
         false,
         11 * M,
         NoStopWeight,
         true},
        {"on a parallel run: closed",
         {HorizontalWire},
         {},
         NoTarget,
         DirR,
         {5 * M, 10 * M},
         false,
         false,
         5 * M},
        // Off the run, inside its widened rectangle: closed like an obstacle's inside.
        {"alongside a parallel run: closed",
         {HorizontalWire},
         {},
         NoTarget,
         DirR,
         {5 * M, 10500000},
         false,
         false,
         5 * M},
        {"alongside, leftward: closed",
         {HorizontalWire},
         {},
         NoTarget,
         DirL,
         {5 * M, 9500000},
         false,
         false,
         5 * M},
        {"on the run's line past its end: closed",
         {HorizontalWire},
         {},
         NoTarget,
         DirR,
         {1500000, 10 * M},
         false,
         false,
         1500000},
        {"a wire of one unit stays passable",
         {{KindWire, R(5 * M, 7 * M, 5 * M + 1, 7 * M)}},
         {},
         NoTarget,
         DirR,
         {5 * M, 7 * M},
         false,
         false,
         20 * M},
        {"along a wire, exact",
         {HorizontalWire},
         {},
         {19 * M, M},
         DirR,
         {5 * M, 10 * M},
         true,
         false,
         12 * M,
         1},
        {"along a wire, widened: on the run",
         {HorizontalWire},
         {},
         {19 * M, M},
         DirR,
         {5 * M, 10 * M},
         false,
         false,
         5 * M},
    };
    for (const RayCase& c : cases)
        Check(c);
}

TEST(RayClip, TouchedObstacles) {
    const std::vector<TSheetPoint> mark{{8 * M, 9 * M}}; // the symbol's upper right corner
    const RayCase cases[] = {
        {"left side, outward", {Symbol}, mark, NoTarget, DirL, {5 * M, 7 * M}, false, false, 4 * M},
        {"left side, down", {Symbol}, mark, NoTarget, DirB, {5 * M, 7 * M}, false, false, 7 * M},
        {"left side, up", {Symbol}, mark, NoTarget, DirT, {5 * M, 7 * M}, false, false, 7 * M},
        {"left side, inward", {Symbol}, mark, NoTarget, DirR, {5 * M, 7 * M}, false, false, 5 * M},
        {"corner, down", {Symbol}, mark, NoTarget, DirB, {5 * M, 5 * M}, false, false, 4 * M},
        {"corner, left", {Symbol}, mark, NoTarget, DirL, {5 * M, 5 * M}, false, false, 4 * M},
        {"top side, up", {Symbol}, mark, NoTarget, DirT, {6 * M, 9 * M}, false, false, 10 * M},
        // Not on the border: the marked obstacle acts as any other.
        {"marked, from afar", {Symbol}, mark, NoTarget, DirR, {M, 7 * M}, false, false, 4 * M},
        // The marked rule overrides a nearer cut made by an earlier leaf...
        {"mark after a cut",
         {{8, R(4200000, 6 * M, 4400000, 8 * M)}, Symbol},
         mark,
         NoTarget,
         DirL,
         {5 * M, 7 * M},
         false,
         false,
         4 * M},
        // ...and a later leaf cuts after the mark. The dummy frame piece far away
        // only steers the tree so that the symbol comes first.
        {"cut after a mark",
         {Symbol,
          {KindSheetFrame, R(15 * M, 15 * M, 16 * M, 16 * M)},
          {8, R(4200000, 6 * M, 4400000, 8 * M)}},
         mark,
         NoTarget,
         DirL,
         {5 * M, 7 * M},
         false,
         false,
         4400000},
        // An earlier leaf that closed the ray leaves nothing for the mark to open.
        {"closed before the mark",
         {{8, R(4900000, 6 * M, 5500000, 8 * M)}, Symbol},
         mark,
         NoTarget,
         DirL,
         {5 * M, 7 * M},
         false,
         false,
         5 * M},
    };
    for (const RayCase& c : cases)
        Check(c);
}

TEST(RayClip, TreeOrderDecidesBetweenCutAndMark) {
    // The two order cases above depend on the leaves' order in the tree.
    TObstacleTree a;
    a.AddRect(R(4200000, 6 * M, 4400000, 8 * M), 8);
    a.AddRect(Symbol.box, KindSymbol);
    std::vector<int32_t> kinds;
    a.ForEachLeaf([&](const TObstacle& o) { kinds.push_back(o.Kind); });
    EXPECT_EQ(kinds, (std::vector<int32_t>{8, KindSymbol}));

    TObstacleTree b;
    b.AddRect(Symbol.box, KindSymbol);
    b.AddRect(R(15 * M, 15 * M, 16 * M, 16 * M), KindSheetFrame);
    b.AddRect(R(4200000, 6 * M, 4400000, 8 * M), 8);
    kinds.clear();
    b.ForEachLeaf([&](const TObstacle& o) { kinds.push_back(o.Kind); });
    EXPECT_EQ(kinds, (std::vector<int32_t>{KindSymbol, 8, KindSheetFrame}));
}

TEST(RayClip, AlongSidesAndTargetShortcut) {
    const TSheetPoint far{15 * M, 15 * M};
    const Leaf offGrid{KindSymbol, R(4500000, 5 * M, 8 * M, 9 * M)}; // widened Left 4M
    const RayCase cases[] = {
        {"along the top side", {Symbol}, {}, far, DirR, {5 * M, 10 * M}, false, false, 9 * M, 20},
        {"along the top side, exact",
         {Symbol},
         {},
         far,
         DirR,
         {5 * M, 10 * M},
         true,
         false,
         20 * M},
        {"along the left side, up",
         {Symbol},
         {},
         far,
         DirT,
         {4 * M, 6 * M},
         false,
         false,
         10 * M,
         20},
        {"along a side from its far corner",
         {Symbol},
         {},
         far,
         DirR,
         {9 * M, 10 * M},
         false,
         false,
         20 * M},
        {"no target, no along", {Symbol}, {}, NoTarget, DirR, {5 * M, 10 * M}, false, false, 5 * M},
        {"target within reach",
         {offGrid},
         {},
         {4500000, 7 * M},
         DirR,
         {3800000, 7 * M},
         false,
         false,
         4500000},
        {"target out of reach",
         {offGrid},
         {},
         {4500000, 7 * M},
         DirR,
         {3 * M, 7 * M},
         false,
         false,
         4 * M},
        {"target not on the ray's line",
         {offGrid},
         {},
         {4500000, 7500000},
         DirR,
         {3800000, 7 * M},
         false,
         false,
         4 * M},
        // The shortcut overrides a nearer cut of an earlier leaf.
        {"target after a cut",
         {{8, R(4100000, 6 * M, 4200000, 8 * M)}, offGrid},
         {},
         {4500000, 7 * M},
         DirR,
         {3800000, 7 * M},
         false,
         false,
         4500000},
        {"target leftward",
         {{KindSymbol, R(5 * M, 5 * M, 8500000, 9 * M)}},
         {},
         {8500000, 7 * M},
         DirL,
         {9200000, 7 * M},
         false,
         false,
         8500000},
    };
    for (const RayCase& c : cases)
        Check(c);
}

TEST(RayClip, GuideLinesAndPointObjects) {
    const Leaf hGuide{KindGuideLine, R(0, 7 * M, 20 * M, 7 * M)};
    const Leaf vGuide{KindGuideLine, R(6 * M, 0, 6 * M, 20 * M)};
    const Leaf dot{KindPointObject, R(4999999, 6999999, 5000001, 7000001)};
    const RayCase cases[] = {
        {"parallel guide does not stop",
         {hGuide},
         {},
         NoTarget,
         DirR,
         {M, 7 * M},
         false,
         false,
         20 * M},
        {"parallel guide along, weight 2",
         {hGuide},
         {},
         {19 * M, 19 * M},
         DirR,
         {M, 7 * M},
         false,
         false,
         20 * M,
         2},
        {"crossing guide stops", {vGuide}, {}, NoTarget, DirR, {M, 7 * M}, false, false, 6 * M},
        {"crossing guide skipped", {vGuide}, {}, NoTarget, DirR, {M, 7 * M}, false, true, 20 * M},
        {"on a crossing guide", {vGuide}, {}, NoTarget, DirR, {6 * M, 7 * M}, false, false, 20 * M},
        {"point object, inclusive crossing",
         {dot},
         {},
         NoTarget,
         DirR,
         {M, 7000001},
         true,
         false,
         4999999},
        {"point object, missed", {dot}, {}, NoTarget, DirR, {M, 7000002}, true, false, 20 * M},
        // Weights combine as the larger one: the symbol's 20 is not lowered by
        // the guide line's 2 that comes after it (the tie on Left puts the
        // symbol first).
        {"weights keep the largest",
         {{KindGuideLine, R(5 * M, 10 * M, 20 * M, 10 * M)}, Symbol},
         {},
         {19 * M, M},
         DirR,
         {5 * M, 10 * M},
         false,
         false,
         9 * M,
         20},
        {"weights raise",
         {{KindGuideLine, R(0, 10 * M, 20 * M, 10 * M)}, Symbol},
         {},
         {19 * M, M},
         DirR,
         {5 * M, 10 * M},
         false,
         false,
         9 * M,
         20},
    };
    for (const RayCase& c : cases)
        Check(c);
}

TEST(RayClip, SnapToGrid) {
    struct Case {
        TBoundingRect n, r;
    } cases[] = {
        {R(5 * M, 5 * M, 8 * M, 9 * M), R(4 * M, 4 * M, 9 * M, 10 * M)},
        {R(4500000, 0, 8999999, 1), R(4 * M, 0, 9 * M, M)},
        {R(1, 1000001, 0, 0), R(0, M, M, M)},
        // Truncation toward zero: below zero the sides move inward.
        {R(-1, -2500000, -1, -2500000), R(0, -2 * M, M, -M)},
        // Near the int32 limits: left and bottom stay exact in 64 bits, right
        // and top past the last representable grid line stop at the maximum.
        {R(kMin, kMin, kMax, kMax), R(-2147 * M, -2147 * M, kMax, kMax)},
        {R(0, 0, 2147 * M - 1, 2147 * M), R(0, 0, 2147 * M, kMax)},
    };
    for (const Case& c : cases) {
        TBoundingRect r;
        SnapToGrid(c.n, r);
        EXPECT_EQ(r, c.r);
    }
}

TEST(RayClip, RaysNearTheInt32Limits) {
    TObstacleTree tree;
    tree.Sheet = R(0, 0, kMax, kMax);
    tree.AddRect(R(2147400000, 0, kMax, 100), KindSymbol); // widened: 2 147 000 000 to kMax
    EXPECT_EQ(tree.CastRay(DirR, {1000, 50}, true, false, false).EndPoint.X, 2147 * M);
    EXPECT_EQ(tree.CastRay(DirL, {kMax, 50}, true, false, false).StartPoint.X, kMax);
    tree.Target = {kMax, 50};
    EXPECT_EQ(tree.CastRay(DirR, {kMax - 10, 50}, true, false, false).EndPoint.X, kMax - 10);
    tree.Target = {2147400000, 50};
    EXPECT_EQ(tree.CastRay(DirR, {2147000000, 50}, true, false, false).EndPoint.X, 2147400000);
    // A target far behind the origin, whose distance would wrap into the reach
    // of the shortcut in 32 bits, is not taken for one just ahead.
    TObstacleTree wide;
    wide.Sheet = R(kMin, kMin, kMax, kMax);
    wide.AddRect(R(kMin, 0, kMin + 1, 10), 8);
    wide.Target = {kMin, 5};
    EXPECT_EQ(wide.CastRay(DirR, {kMax - 1, 5}, true, false, false).EndPoint.X, kMax);
}

TEST(RayClip, LeafRuleIgnoresUnknownDirectionsAndShrunkEdges) {
    TObstacle leaf(1, KindSymbol);
    leaf.Bounds = Symbol.box;
    TBoundingRect scratch;
    TEdge e({M, 7 * M}, {20 * M, 7 * M});
    ClipRayAtLeaf(leaf, TRayQuery{5, {M, 7 * M}, false, false, {-1, -1}}, e, scratch);
    EXPECT_EQ(e.EndPoint.X, 20 * M);
    ClipRayAtLeaf(leaf, TRayQuery{DirR, {M, 7 * M}, false, false, {-1, -1}}, e, scratch);
    EXPECT_EQ(e.EndPoint.X, 4 * M);
    EXPECT_EQ(AlongWeight(KindWire), 1);
    EXPECT_EQ(AlongWeight(KindBus), 1);
    EXPECT_EQ(AlongWeight(KindGuideLine), 2);
    EXPECT_EQ(AlongWeight(8), 20);
}

} // namespace
} // namespace pathwick
