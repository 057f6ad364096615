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
// Short names keep the tables below in columns.
constexpr TDirection DirL = TDirection::L;
constexpr TDirection DirB = TDirection::B;
constexpr TDirection DirR = TDirection::R;
constexpr TDirection DirT = TDirection::T;
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TBoundingRect R(int32_t l, int32_t b, int32_t r, int32_t t) {
    return TBoundingRect(l, b, r, t);
}

struct Leaf {
    int32_t kind;
    TBoundingRect box;
};

// Ray flags: widened wire runs (the search's probes), exact ones, guide lines skipped.
enum Flags { Grid = 0, Exact = 1, NoGuides = 2 };

struct RayCase {
    const char* name;
    std::vector<Leaf> leaves;         // inserted in this order
    std::vector<TSheetPoint> touches; // MarkTouching points
    TSheetPoint target;
    TDirection dir;
    TSheetPoint from;
    int flags;
    int32_t far; // expected far-end coordinate
    int32_t weight = NoStopWeight;
    bool crosses = false;
};

// On a 20 000 000 square sheet: the far end, weight and crossing mark, and
// that nothing but the far end moved.
void Check(const RayCase& c) {
    TObstacleTree tree;
    tree.Sheet = R(0, 0, 20 * M, 20 * M);
    for (const Leaf& l : c.leaves)
        tree.AddRect(l.box, l.kind);
    for (const TSheetPoint& p : c.touches)
        tree.MarkTouching(p);
    tree.Target = c.target;
    const TEdge e =
        tree.CastRay(c.dir, c.from, {true, (c.flags & NoGuides) != 0, (c.flags & Exact) != 0});
    const bool h = c.dir == DirL || c.dir == DirR;
    const bool farAtStart = c.dir == DirL || c.dir == DirT;
    const TSheetPoint& farEnd = farAtStart ? e.StartPoint : e.EndPoint;
    EXPECT_EQ(h ? farEnd.X : farEnd.Y, c.far) << c.name;
    EXPECT_EQ(h ? farEnd.Y : farEnd.X, h ? c.from.Y : c.from.X) << c.name;
    EXPECT_EQ(farAtStart ? e.EndPoint : e.StartPoint, c.from) << c.name << ": origin moved";
    EXPECT_EQ(e.StopWeight, c.weight) << c.name;
    EXPECT_EQ(e.CrossesWire, c.crosses) << c.name;
}

constexpr TSheetPoint None{-1, -1};
constexpr TSheetPoint FarAway{19 * M, 1 * M};
const Leaf Symbol{kinds::Symbol, R(5 * M, 5 * M, 8 * M, 9 * M)}; // widened: (4M, 4M)-(9M, 10M)
const Leaf Kind8{8, R(5 * M, 5 * M, 8 * M, 9 * M)};
const Leaf Frame{KindSheetFrame, R(0, 0, 20 * M, 20 * M)};
const Leaf VWire{kinds::Wire, R(3 * M, 0, 3 * M, 10 * M)};          // widened: (2M, 0)-(4M, 11M)
const Leaf HWire{kinds::Wire, R(2 * M, 10 * M, 12 * M, 10 * M)};    // widened: (1M, 9M)-(13M, 11M)
const Leaf OffGrid{kinds::Symbol, R(4500000, 5 * M, 8 * M, 9 * M)}; // widened Left: 4M
const Leaf HGuide{KindGuideLine, R(0, 7 * M, 20 * M, 7 * M)};
const Leaf VGuide{KindGuideLine, R(6 * M, 0, 6 * M, 20 * M)};
const Leaf Dot{kinds::Junction, R(4999999, 6999999, 5000001, 7000001)};
const Leaf Sliver{8, R(4200000, 6 * M, 4400000, 8 * M)};
const std::vector<TSheetPoint> Mark{{8 * M, 9 * M}}; // the symbol's upper right corner

// clang-format off
TEST(RayClip, ObstaclesAndTheSnapGrid) {
    const RayCase cases[] = {
        {"from the left",         {Symbol}, {}, None, DirR, {M, 7 * M},       Grid,  4 * M},
        {"from the right",        {Symbol}, {}, None, DirL, {12 * M, 7 * M},  Grid,  9 * M},
        {"from below",            {Symbol}, {}, None, DirT, {6 * M, M},       Grid,  4 * M},
        {"from above",            {Symbol}, {}, None, DirB, {6 * M, 15 * M},  Grid,  10 * M},
        {"exact: passes below",   {Symbol}, {}, None, DirR, {M, 4 * M},       Exact, 20 * M},
        {"exact: passes above",   {Symbol}, {}, None, DirR, {M, 10 * M},      Exact, 20 * M},
        {"widened: stops below",  {Symbol}, {}, None, DirR, {M, 4 * M},       Grid,  4 * M},
        {"widened: stops above",  {Symbol}, {}, None, DirR, {M, 10 * M},      Grid,  4 * M},
        {"kind 8 stays exact",    {Kind8},  {}, None, DirR, {M, 7 * M},       Grid,  5 * M},
        {"frame never stops",     {Frame},  {}, None, DirR, {M, 7 * M},       Grid,  20 * M},
        {"frame never stops, L",  {Frame},  {}, None, DirL, {M, 7 * M},       Grid,  0},
        {"frame never stops, B",  {Frame},  {}, None, DirB, {M, 7 * M},       Grid,  0},
        {"the nearer of two", {{8, R(15 * M, 0, 16 * M, 20 * M)}, {8, R(11 * M, 0, 12 * M, 20 * M)}},
                                    {}, None, DirR, {M, 7 * M},       Grid,  11 * M},
        {"inside, L",             {Symbol}, {}, None, DirL, {6 * M, 7 * M},   Grid,  6 * M},
        {"inside, B",             {Symbol}, {}, None, DirB, {6 * M, 7 * M},   Grid,  7 * M},
        {"inside, R",             {Symbol}, {}, None, DirR, {6 * M, 7 * M},   Grid,  6 * M},
        {"inside, T",             {Symbol}, {}, None, DirT, {6 * M, 7 * M},   Grid,  7 * M},
        {"in the widened margin", {Symbol}, {}, None, DirR, {4500000, 7 * M}, Grid,  4500000},
        {"on the near grid line", {Symbol}, {}, None, DirR, {4 * M, 7 * M},   Grid,  4 * M},
        {"on the far grid line",  {Symbol}, {}, None, DirR, {9 * M, 7 * M},   Grid,  20 * M},
    };
    for (const RayCase& c : cases)
        Check(c);
}

TEST(RayClip, WireRuns) {
    const RayCase cases[] = {
        {"exact: at the wire",         {VWire}, {}, None, DirR, {M, 7 * M},        Exact, 3 * M},
        {"widened: at its grid line",  {VWire}, {}, None, DirR, {M, 7 * M},        Grid,  2 * M},
        {"beside it: jump",            {VWire}, {}, None, DirR, {2500000, 7 * M},  Grid,  4 * M, NoStopWeight, true},
        {"beside it leftward: jump",   {VWire}, {}, None, DirL, {3500000, 7 * M},  Grid,  2 * M, NoStopWeight, true},
        {"level with its end: closed", {VWire}, {}, None, DirR, {2500000, 10 * M}, Grid,  2500000},
        {"below a run: jump up",       {HWire}, {}, None, DirT, {5 * M, 9500000},  Grid,  11 * M, NoStopWeight, true},
        {"on a parallel run: closed",  {HWire}, {}, None, DirR, {5 * M, 10 * M},   Grid,  5 * M},
        // Off the run, inside its widened rectangle: closed like an obstacle's inside.
        {"alongside a run: closed",    {HWire}, {}, None, DirR, {5 * M, 10500000}, Grid,  5 * M},
        {"alongside, leftward: closed",{HWire}, {}, None, DirL, {5 * M, 9500000},  Grid,  5 * M},
        {"on its line past its end",   {HWire}, {}, None, DirR, {1500000, 10 * M}, Grid,  1500000},
        {"a one-unit wire is passable", {{kinds::Wire, R(5 * M, 7 * M, 5 * M + 1, 7 * M)}}, {}, None,
                                                     DirR, {5 * M, 7 * M},    Grid,  20 * M},
        {"along a wire, exact",        {HWire}, {}, FarAway, DirR, {5 * M, 10 * M}, Exact, 12 * M, 1},
        {"along a wire, widened",      {HWire}, {}, FarAway, DirR, {5 * M, 10 * M}, Grid,  5 * M},
    };
    for (const RayCase& c : cases)
        Check(c);
}

TEST(RayClip, TouchedObstaclesOpenOnlyOutward) {
    const RayCase cases[] = {
        {"left side, L",     {Symbol}, Mark, None, DirL, {5 * M, 7 * M}, Grid, 4 * M},
        {"left side, B",     {Symbol}, Mark, None, DirB, {5 * M, 7 * M}, Grid, 7 * M},
        {"left side, T",     {Symbol}, Mark, None, DirT, {5 * M, 7 * M}, Grid, 7 * M},
        {"left side, R",     {Symbol}, Mark, None, DirR, {5 * M, 7 * M}, Grid, 5 * M},
        {"corner, B",        {Symbol}, Mark, None, DirB, {5 * M, 5 * M}, Grid, 4 * M},
        {"corner, L",        {Symbol}, Mark, None, DirL, {5 * M, 5 * M}, Grid, 4 * M},
        {"top side, T",      {Symbol}, Mark, None, DirT, {6 * M, 9 * M}, Grid, 10 * M},
        {"off its border",   {Symbol}, Mark, None, DirR, {M, 7 * M},     Grid, 4 * M},
        // Tree order matters: the mark replaces an earlier nearer cut; a later
        // cut replaces the mark (the far kind-30 piece puts the symbol first).
        {"cut, then mark",   {Sliver, Symbol}, Mark, None, DirL, {5 * M, 7 * M}, Grid, 4 * M},
        {"mark, then cut",   {Symbol, {KindSheetFrame, R(15 * M, 15 * M, 16 * M, 16 * M)}, Sliver},
                                       Mark, None, DirL, {5 * M, 7 * M}, Grid, 4400000},
        // A ray already closed to a point stays closed.
        {"closed, then mark", {{8, R(4900000, 6 * M, 5500000, 8 * M)}, Symbol}, Mark, None, DirL,
                                                      {5 * M, 7 * M}, Grid, 5 * M},
    };
    for (const RayCase& c : cases)
        Check(c);
}

TEST(RayClip, AlongSidesTargetsGuidesAndPointObjects) {
    const TSheetPoint far{15 * M, 15 * M};
    const RayCase cases[] = {
        {"along the top side",     {Symbol}, {}, far,  DirR, {5 * M, 10 * M}, Grid,  9 * M, 20},
        {"along it, exact",        {Symbol}, {}, far,  DirR, {5 * M, 10 * M}, Exact, 20 * M},
        {"along the left side",    {Symbol}, {}, far,  DirT, {4 * M, 6 * M},  Grid,  10 * M, 20},
        {"from the side's end",    {Symbol}, {}, far,  DirR, {9 * M, 10 * M}, Grid,  20 * M},
        {"no target: not along",   {Symbol}, {}, None, DirR, {5 * M, 10 * M}, Grid,  5 * M},
        {"target within a step",   {OffGrid}, {}, {4500000, 7 * M}, DirR, {3800000, 7 * M}, Grid, 4500000},
        {"target beyond a step",   {OffGrid}, {}, {4500000, 7 * M}, DirR, {3 * M, 7 * M},   Grid, 4 * M},
        {"target off the line",    {OffGrid}, {}, {4500000, 7500000}, DirR, {3800000, 7 * M}, Grid, 4 * M},
        {"target after a cut", {{8, R(4100000, 6 * M, 4200000, 8 * M)}, OffGrid}, {}, {4500000, 7 * M},
                                                 DirR, {3800000, 7 * M}, Grid, 4500000},
        {"target leftward", {{kinds::Symbol, R(5 * M, 5 * M, 8500000, 9 * M)}}, {}, {8500000, 7 * M},
                                                 DirL, {9200000, 7 * M}, Grid, 8500000},
        // Weights combine as the larger: the guide's 2 after the symbol's 20
        // (the tie on Left puts the symbol first), and the other way round.
        {"weights keep the largest", {{KindGuideLine, R(5 * M, 10 * M, 20 * M, 10 * M)}, Symbol},
                                 {}, FarAway, DirR, {5 * M, 10 * M}, Grid, 9 * M, 20},
        {"weights raise", {{KindGuideLine, R(0, 10 * M, 20 * M, 10 * M)}, Symbol},
                                 {}, FarAway, DirR, {5 * M, 10 * M}, Grid, 9 * M, 20},
        {"parallel guide passes",  {HGuide}, {}, None,    DirR, {M, 7 * M},     Grid,     20 * M},
        {"along a guide: weight 2",{HGuide}, {}, FarAway, DirR, {M, 7 * M},     Grid,     20 * M, 2},
        {"crossing guide stops",   {VGuide}, {}, None,    DirR, {M, 7 * M},     Grid,     6 * M},
        {"guides skipped",         {VGuide}, {}, None,    DirR, {M, 7 * M},     NoGuides, 20 * M},
        {"from a crossing guide",  {VGuide}, {}, None,    DirR, {6 * M, 7 * M}, Grid,     20 * M},
        {"point object, inclusive",{Dot},    {}, None,    DirR, {M, 7000001},   Exact,    4999999},
        {"point object, missed",   {Dot},    {}, None,    DirR, {M, 7000002},   Exact,    20 * M},
    };
    for (const RayCase& c : cases)
        Check(c);
}

TEST(RayClip, SnappedToGrid) {
    struct Case {
        TBoundingRect n, r;
    } cases[] = {
        {R(5 * M, 5 * M, 8 * M, 9 * M),        R(4 * M, 4 * M, 9 * M, 10 * M)},
        {R(4500000, 0, 8999999, 1),            R(4 * M, 0, 9 * M, M)},
        {R(1, 1000001, 0, 0),                  R(0, M, M, M)},
        // Truncation toward zero: below zero the sides move inward.
        {R(-1, -2500000, -1, -2500000),        R(0, -2 * M, M, -M)},
        // At the int32 limits: left and bottom are exact in 64 bits; right and
        // top past the last representable grid line stop at the maximum.
        {R(kMin, kMin, kMax, kMax),            R(-2147 * M, -2147 * M, kMax, kMax)},
        {R(0, 0, 2147 * M - 1, 2147 * M),      R(0, 0, 2147 * M, kMax)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SnappedToGrid(c.n), c.r);
}
// clang-format on

TEST(RayClip, RaysNearTheInt32Limits) {
    TObstacleTree tree;
    tree.Sheet = R(0, 0, kMax, kMax);
    tree.AddRect(R(2147400000, 0, kMax, 100), kinds::Symbol); // widened: 2 147 000 000 to kMax
    EXPECT_EQ(tree.CastRay(DirR, {1000, 50}, SearchRay).EndPoint.X, 2147 * M);
    EXPECT_EQ(tree.CastRay(DirL, {kMax, 50}, SearchRay).StartPoint.X, kMax);
    tree.Target = {2147400000, 50};
    EXPECT_EQ(tree.CastRay(DirR, {2147000000, 50}, SearchRay).EndPoint.X, 2147400000);
    // A target far behind the origin, whose distance would wrap into the reach
    // of the shortcut in 32 bits, is not taken for one just ahead.
    TObstacleTree wide;
    wide.Sheet = R(kMin, kMin, kMax, kMax);
    wide.AddRect(R(kMin, 0, kMin + 1, 10), 8);
    wide.Target = {kMin, 5};
    EXPECT_EQ(wide.CastRay(DirR, {kMax - 1, 5}, SearchRay).EndPoint.X, kMax);
}

TEST(RayClip, LeafRuleIgnoresUnknownDirections) {
    TObstacle leaf(1, kinds::Symbol);
    leaf.Bounds = Symbol.box;
    TEdge e({M, 7 * M}, {20 * M, 7 * M});
    ClipRayAtLeaf(leaf, TRayQuery{static_cast<TDirection>(5), {M, 7 * M}, false, false, None}, e);
    EXPECT_EQ(e.EndPoint.X, 20 * M);
    ClipRayAtLeaf(leaf, TRayQuery{DirR, {M, 7 * M}, false, false, None}, e);
    EXPECT_EQ(e.EndPoint.X, 4 * M);
}

} // namespace
} // namespace pathwick
