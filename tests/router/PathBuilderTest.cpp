#include "router/PathBuilder.h"

#include "geometry/ObstacleKinds.h"
#include "router/RouterDetail.h"
#include "workbench/model/Polyline.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

namespace pathwick {
namespace {

using workbench::TPolyline;
using Points = std::vector<TSheetPoint>;

constexpr int32_t M = 1'000'000;
constexpr int32_t kSheet = 20 * M;

// The edge from p to far, ordered as the tree orders its edges.
TEdge EdgeBetween(TSheetPoint p, TSheetPoint far) {
    const bool pFirst = p.X == far.X ? p.Y >= far.Y : p.X <= far.X;
    return pFirst ? TEdge(p, far) : TEdge(far, p);
}

// Moves follow a script of run ends; test runs reach the sheet's border unless
// a stop is scripted for them.
class TScriptedRays final : public TRaySource {
public:
    using Key = std::tuple<int32_t, int32_t, TDirection>;

    // The path from start through the run ends, one move per letter.
    TScriptedRays(TSheetPoint start, std::string_view moves, const Points& ends) {
        TSheetPoint p = start;
        for (std::size_t i = 0; i < moves.size() && i < ends.size(); ++i) {
            moves_[{p.X, p.Y, router::DirectionOf(moves[i])}] = ends[i];
            p = ends[i];
        }
    }
    void StopTest(TSheetPoint from, TDirection d, TSheetPoint at) {
        tests_[{from.X, from.Y, d}] = at;
    }

    std::optional<TEdge> MoveEdge(const TSheetPoint& p, TDirection d) override {
        ++moveCalls;
        const auto it = moves_.find({p.X, p.Y, d});
        return it == moves_.end() ? std::nullopt : std::optional(EdgeBetween(p, it->second));
    }
    TEdge TestRun(const TSheetPoint& p, TDirection d) override {
        ++testCalls;
        const auto it = tests_.find({p.X, p.Y, d});
        const TSheetPoint border[] = {{0, p.Y}, {p.X, 0}, {kSheet, p.Y}, {p.X, kSheet}};
        return EdgeBetween(p, it == tests_.end() ? border[DirectionIndex(d)] : it->second);
    }

    int moveCalls = 0;
    int testCalls = 0;

private:
    std::map<Key, TSheetPoint> moves_;
    std::map<Key, TSheetPoint> tests_;
};

THostRef<TPolyline> NewWire(const Points& vertices = {}) {
    return TPolyline::Create(kinds::Wire, vertices);
}

struct BuildCase {
    const char* name;
    TSheetPoint start;
    const char* moves; // the line's letters
    Points ends;       // run end of each move
    Points expected;   // the wire's vertices
};

void RunBuild(const BuildCase& c, TScriptedRays& rays) {
    THostRef<TPolyline> wire = NewWire();
    BuildPolyline(wire.Get(), router::CollapseRuns(c.moves), c.start,
                  std::string(c.moves) + ";1000", rays);
    EXPECT_EQ(wire->Vertices(), c.expected) << c.name;
}

TEST(BuildPolyline, ReplaysAndStraightensWhereTheShortcutsAreFree) {
    const BuildCase cases[] = {
        {"one straight segment", {0, 0}, "R", {{3 * M, 0}}, {{0, 0}, {3 * M, 0}}},
        {"several moves make one segment",
         {0, 0},
         "RRT",
         {{M, 0}, {3 * M, 0}, {3 * M, 2 * M}},
         {{0, 0}, {3 * M, 0}, {3 * M, 2 * M}}},
        {"staircase RTRT",
         {0, 0},
         "RTRT",
         {{2 * M, 0}, {2 * M, M}, {4 * M, M}, {4 * M, 3 * M}},
         {{0, 0}, {4 * M, 0}, {4 * M, M}, {4 * M, 3 * M}}},
        {"staircase RTRTRTR extended once",
         {0, 0},
         "RTRTRTR",
         {{M, 0},
          {M, M},
          {2 * M, M},
          {2 * M, 2 * M},
          {3 * M, 2 * M},
          {3 * M, 3 * M},
          {4 * M, 3 * M}},
         {{0, 0}, {3 * M, 0}, {3 * M, 2 * M}, {3 * M, 3 * M}, {4 * M, 3 * M}}},
        {"detour LTRBR below the bump's start",
         {10 * M, 5 * M},
         "LTRBR",
         {{8 * M, 5 * M}, {8 * M, 7 * M}, {12 * M, 7 * M}, {12 * M, 4 * M}, {15 * M, 4 * M}},
         {{10 * M, 5 * M}, {8 * M, 5 * M}, {12 * M, 5 * M}, {12 * M, 4 * M}, {15 * M, 4 * M}}},
        {"detour LTRBR above the bump's start",
         {10 * M, 5 * M},
         "LTRBR",
         {{8 * M, 5 * M}, {8 * M, 7 * M}, {12 * M, 7 * M}, {12 * M, 6 * M}, {15 * M, 6 * M}},
         {{10 * M, 5 * M}, {8 * M, 5 * M}, {8 * M, 6 * M}, {15 * M, 6 * M}}},
        {"detour LTRTL turning back",
         {10 * M, 5 * M},
         "LTRTL",
         {{8 * M, 5 * M}, {8 * M, 7 * M}, {12 * M, 7 * M}, {12 * M, 9 * M}, {6 * M, 9 * M}},
         {{10 * M, 5 * M}, {8 * M, 5 * M}, {8 * M, 9 * M}, {6 * M, 9 * M}}},
        // At segment 1 the same bump is never cut short.
        {"detour shape at segment 1 stays",
         {8 * M, 5 * M},
         "TRBR",
         {{8 * M, 7 * M}, {12 * M, 7 * M}, {12 * M, 4 * M}, {15 * M, 4 * M}},
         {{8 * M, 5 * M}, {8 * M, 7 * M}, {12 * M, 7 * M}, {12 * M, 4 * M}, {15 * M, 4 * M}}},
    };
    for (const auto& c : cases) {
        TScriptedRays rays(c.start, c.moves, c.ends);
        RunBuild(c, rays);
    }
}

TEST(BuildPolyline, KeepsTheWalkedCornersWhenAShortcutIsBlocked) {
    const Points ends = {{2 * M, 0}, {2 * M, M}, {4 * M, M}, {4 * M, 3 * M}};
    const Points walked = {{0, 0}, {2 * M, 0}, {2 * M, M}, {4 * M, M}, {4 * M, 3 * M}};
    {
        TScriptedRays rays({0, 0}, "RTRT", ends);
        rays.StopTest({2 * M, 0}, TDirection::R, {4 * M, 0}); // Q itself is not inside the run
        RunBuild({"first run blocked", {0, 0}, "RTRT", ends, walked}, rays);
    }
    {
        TScriptedRays rays({0, 0}, "RTRT", ends);
        rays.StopTest({4 * M, 0}, TDirection::T, {4 * M, M / 2});
        RunBuild({"second run blocked", {0, 0}, "RTRT", ends, walked}, rays);
        EXPECT_EQ(rays.testCalls, 2);
    }
    {
        const Points bump = {
            {8 * M, 5 * M}, {8 * M, 7 * M}, {12 * M, 7 * M}, {12 * M, 4 * M}, {15 * M, 4 * M}};
        TScriptedRays rays({10 * M, 5 * M}, "LTRBR", bump);
        rays.StopTest({8 * M, 5 * M}, TDirection::R, {11 * M, 5 * M});
        Points expected = {{10 * M, 5 * M}};
        expected.insert(expected.end(), bump.begin(), bump.end());
        RunBuild({"detour blocked", {10 * M, 5 * M}, "LTRBR", bump, expected}, rays);
    }
}

TEST(BuildPolyline, AMissingMoveKeepsItsPointAndTheWireStopsAt48) {
    // The second R move finds no edge: the replay stays at (M, 0).
    {
        TScriptedRays rays({0, 0}, "RT", {{M, 0}, {M, M}});
        THostRef<TPolyline> wire = NewWire();
        BuildPolyline(wire.Get(), "RT", {0, 0}, "RRT;1", rays);
        EXPECT_EQ(wire->Vertices(), (Points{{0, 0}, {M, 0}, {M, M}}));
        EXPECT_EQ(rays.moveCalls, 3);
    }
    // A zigzag of 60 segments whose shortcuts are all blocked.
    std::string moves;
    Points ends;
    TSheetPoint p{0, 0};
    for (int i = 0; i < 60; ++i) {
        const bool right = i % 2 == 0;
        moves.push_back(right ? 'R' : 'T');
        p = right ? TSheetPoint{p.X + 100, p.Y} : TSheetPoint{p.X, p.Y + 100};
        ends.push_back(p);
    }
    TScriptedRays rays({0, 0}, moves, ends);
    for (const TSheetPoint& e : ends) {
        rays.StopTest(e, TDirection::R, e);
        rays.StopTest(e, TDirection::T, e);
    }
    THostRef<TPolyline> wire = NewWire();
    BuildPolyline(wire.Get(), moves, {0, 0}, moves + ";9", rays);
    Points expected = {{0, 0}};
    expected.insert(expected.end(), ends.begin(), ends.begin() + (MaxPathVertices - 1));
    EXPECT_EQ(wire->Vertices(), expected);
}

TEST(IsStaircase, NeedsFourLettersOfTheShapeXYXY) {
    struct {
        const char* turns;
        std::size_t i;
        bool active;
        bool expected;
        bool activeAfter;
    } const cases[] = {
        {"RTRT", 1, false, true, false},  {"LBLB", 1, false, true, false},
        {"RTR", 1, true, false, true}, // too short: the memory is left alone
        {"RTRTR", 2, false, true, false}, {"RTLT", 1, false, false, false},
        {"TRTB", 1, true, true, true}, // extends the saved T, R staircase
        {"TLTB", 1, true, false, false},  {"RTLB", 1, true, false, false},
    };
    for (const auto& c : cases) {
        TStaircaseMemory memory;
        memory.Active = c.active;
        memory.SavedFirst = TDirection::T;
        memory.SavedSecond = TDirection::R;
        EXPECT_EQ(IsStaircase(c.turns, c.i, memory), c.expected) << c.turns << " at " << c.i;
        EXPECT_EQ(memory.Active, c.activeAfter) << c.turns << " at " << c.i;
    }
}

TEST(IsDetour, RecognisesBothShapesFromTheSecondSegmentOn) {
    constexpr auto OutAndBack = TDetourShape::OutAndBack;
    constexpr auto TurnBack = TDetourShape::TurnBack;
    constexpr TDirection None = TDirection::None;
    struct {
        const char* turns;
        std::size_t i;
        bool expected;
        TDirection z;
        TDetourShape shape;
    } const cases[] = {
        {"LTRBR", 2, true, TDirection::R, OutAndBack},
        {"LTRTL", 2, true, TDirection::T, TurnBack},
        {"RBLBR", 2, true, TDirection::B, TurnBack},
        {"TRBR", 1, false, None, OutAndBack}, // never at segment 1
        {"LTRB", 2, false, None, OutAndBack}, // too short
        {"LTRTR", 2, false, None, OutAndBack},
        {"RTRT", 1, false, None, OutAndBack},
    };
    for (const auto& c : cases) {
        const auto detour = IsDetour(c.turns, c.i);
        ASSERT_EQ(detour.has_value(), c.expected) << c.turns;
        if (detour) {
            EXPECT_EQ(detour->Z, c.z) << c.turns;
            EXPECT_EQ(detour->Shape, c.shape) << c.turns;
        }
    }
}

TEST(AddSegment, AppendsOnlyWhereTheWireGoesOn) {
    const TSheetPoint a{0, 0}, b{10, 0}, c{10, 10}, x{5, 5};
    struct {
        const char* name;
        Points before;
        TSheetPoint from, to;
        Points after;
    } const cases[] = {
        {"empty wire takes both ends", {}, a, b, {a, b}},
        {"goes on from the last vertex", {a, b}, b, c, {a, b, c}},
        {"last vertex is not From", {a, b, c}, b, x, {a, b, c}},
        {"zero-length segment", {a, b}, b, b, {a, b}},
        {"single vertex equal to From", {a}, a, b, {a, b}},
        {"two vertices turned round first", {a, b}, a, c, {b, a, c}},
        {"turned round, then nothing fits", {a, b}, x, c, {b, a}},
        {"vertex 2 equals To: not turned", {a, b}, x, b, {a, b}},
    };
    for (const auto& t : cases) {
        THostRef<TPolyline> wire = NewWire(t.before);
        AddSegment(wire.Get(), t.from, t.to);
        EXPECT_EQ(wire->Vertices(), t.after) << t.name;
    }
    AddSegment(nullptr, a, b); // no wire: nothing happens
}

TEST(VertexOperations, ReverseSwapAndReplace) {
    for (int n : {0, 1, 2, 3, 7, 48, 50}) {
        Points v;
        for (int i = 0; i < n; ++i)
            v.push_back({i, 2 * i});
        THostRef<TPolyline> wire = NewWire(v);
        ReverseVertices(wire.Get());
        EXPECT_EQ(wire->Vertices(), Points(v.rbegin(), v.rend())) << n << " vertices";
    }
    ReverseVertices(nullptr);

    const Points v = {{1, 1}, {2, 2}, {3, 3}};
    THostRef<TPolyline> wire = NewWire(v);
    SwapWithPrevious(wire.Get(), 1);
    SwapWithPrevious(wire.Get(), 51);
    EXPECT_EQ(wire->Vertices(), v);
    SwapWithPrevious(wire.Get(), 3);
    EXPECT_EQ(wire->Vertices(), (Points{{1, 1}, {3, 3}, {2, 2}}));

    ReplaceLastTwo(wire.Get(), {7, 7}, {8, 8});
    EXPECT_EQ(wire->Vertices(), (Points{{1, 1}, {7, 7}, {8, 8}}));
    THostRef<TPolyline> two = NewWire({{1, 1}, {2, 2}});
    ReplaceLastTwo(two.Get(), {7, 7}, {8, 8});
    EXPECT_EQ(two->Vertices(), (Points{{1, 1}, {2, 2}}));
}

} // namespace
} // namespace pathwick
