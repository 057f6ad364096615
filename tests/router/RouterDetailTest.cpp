#include "router/RouterDetail.h"

#include <gtest/gtest.h>

#include <limits>

namespace pathwick::router {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t M = 1'000'000;

TEdge MakeRun(TSheetPoint a, TSheetPoint b, int32_t weight = NoStopWeight, bool crosses = false) {
    TEdge e(a, b);
    e.StopWeight = weight;
    e.CrossesWire = crosses;
    return e;
}

TEST(StepCost, PricesMovesAsTheCostModelSays) {
    struct {
        const char* name;
        TDirection d, previous;
        TSheetPoint p, n;
        TEdge edge;
        TSheetPoint target;
        int32_t avoidWires, expected;
    } const cases[] = {
        {"first move heading to target",
         TDirection::R,
         TDirection::None,
         {0, 0},
         {3 * M, 0},
         MakeRun({0, 0}, {3 * M, 0}),
         {5 * M, 2 * M},
         1,
         5'500'010},
        {"straight move past the target's x",
         TDirection::R,
         TDirection::R,
         {3 * M, 0},
         {6 * M, 0},
         MakeRun({3 * M, 0}, {6 * M, 0}),
         {5 * M, 2 * M},
         1,
         1'500'055},
        {"straight away: 5 x growth",
         TDirection::L,
         TDirection::L,
         {1000, 0},
         {900, 0},
         MakeRun({900, 0}, {1000, 0}),
         {2000, 0},
         1,
         15 + 500 + 50 + 40},
        {"vertical edge, weight 20",
         TDirection::B,
         TDirection::R,
         {0, 1000},
         {0, 500},
         MakeRun({0, 1000}, {0, 500}, 20),
         {0, 0},
         1,
         50 + 500 + 1000 - 40},
        {"wire crossing, 50 per step",
         TDirection::R,
         TDirection::None,
         {0, 0},
         {100, 0},
         MakeRun({0, 0}, {100, 0}, 1, true),
         {100, 0},
         7,
         50 + 10 + 350 - 40},
        {"negative becomes 1",
         TDirection::R,
         TDirection::R,
         {0, 0},
         {20, 0},
         MakeRun({0, 0}, {20, 0}, 1),
         {100, 0},
         1,
         1},
        {"zero stays zero",
         TDirection::R,
         TDirection::R,
         {0, 0},
         {50, 0},
         MakeRun({0, 0}, {50, 0}),
         {100, 0},
         1,
         0},
        {"B heads for a target below",
         TDirection::B,
         TDirection::L,
         {10, 10},
         {10, 5},
         MakeRun({10, 10}, {10, 5}, 1),
         {0, 0},
         1,
         50 + 15 - 40},
        {"growth beyond 32 bits saturates",
         TDirection::R,
         TDirection::R,
         {kMin, 0},
         {kMax, 0},
         MakeRun({kMin, 0}, {kMax, 0}, 1),
         {kMin, 0},
         1,
         kMax},
        {"distance beyond 32 bits saturates",
         TDirection::T,
         TDirection::R,
         {0, 0},
         {kMax, kMax},
         MakeRun({kMax, kMax}, {kMax, 0}, 1),
         {kMin, kMin},
         1,
         kMax},
        {"weight x length beyond 32 bits saturates",
         TDirection::R,
         TDirection::R,
         {0, 0},
         {2'000'000'000, 0},
         MakeRun({0, 0}, {2'000'000'000, 0}, kMax),
         {2'000'000'000, 0},
         10,
         kMax},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StepCost(c.d, c.previous, c.p, c.n, c.edge, c.target, c.avoidWires), c.expected)
            << c.name;
}

TEST(InitialBound, ClampsTwentyFiveTimesTheDistance) {
    struct {
        TSheetPoint from, to;
        int32_t expected;
    } const cases[] = {
        {{0, 0}, {4 * M, 3 * M}, 300'000'000}, // 175 000 000 raised
        {{0, 0}, {90 * M, 0}, 1'200'000'000},  // 2 250 000 000 does not fit 32 bits
        {{0, 0}, {20 * M, 10 * M}, 750'000'000},     {{12 * M, 30 * M}, {0, 0}, 1'050'000'000},
        {{kMin, kMin}, {kMax, kMax}, 1'200'000'000}, {{5, 5}, {5, 5}, 300'000'000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InitialBound(c.from, c.to), c.expected) << c.to.X << "," << c.to.Y;
    EXPECT_EQ(PathTotal(1000, 55, 3), 1355);
    EXPECT_EQ(PathTotal(kMax - 10, 5, 1), kMax);
}

TEST(RankDirections, CheapestGetsHighestRankAndClosedOnesNone) {
    struct {
        std::array<int64_t, 4> costs;
        std::array<int, 4> ranks;
    } const cases[] = {
        {{-1, 700, 500, 500}, {4, 0, 2, 2}}, {{10, 20, 30, 40}, {3, 2, 1, 0}},
        {{7, 7, 7, 7}, {3, 3, 3, 3}},        {{-1, -1, -1, -1}, {4, 4, 4, 4}},
        {{-1, 0, -1, 5}, {4, 1, 4, 0}},      {{0, kMax, kMax, 3}, {3, 1, 1, 2}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RankDirections(c.costs), c.ranks);
}

TEST(WithinBudget, ReadsTheWrappingDifferenceAsSigned) {
    struct {
        uint32_t now, start;
        int32_t budget;
        bool expected;
    } const cases[] = {
        {1000, 1000, 0, true}, // budget 0: only while the tick has not moved
        {1001, 1000, 0, false},         {2500, 1000, 1500, true},
        {2501, 1000, 1500, false},      {0x10, 0xFFFFFFF0u, 32, true}, // wrapped past 2^32
        {0x11, 0xFFFFFFF0u, 32, false}, {900, 1000, 0, true}, // a clock behind reads negative
        {0x80000000u, 0, 300000, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithinBudget(c.now, c.start, c.budget), c.expected) << c.now << " " << c.start;
}

TEST(BestPaths, TextFormAndChoice) {
    EXPECT_EQ((TBestPath{"RRRTTL", 4521}.Text()), "RRRTTL;4521");

    using P = std::optional<TBestPath>;
    struct {
        const char* name;
        P forward, reverse;
        bool expected;
    } const cases[] = {
        {"equal totals choose reverse", TBestPath{"RT", 500}, TBestPath{"LB", 500}, true},
        {"cheaper forward kept", TBestPath{"RT", 499}, TBestPath{"LB", 500}, false},
        {"no reverse result", TBestPath{"RT", 501}, std::nullopt, false},
        {"forward empty, reverse at bound", std::nullopt, TBestPath{"LB", 300000000}, true},
        {"forward empty, reverse above bound", std::nullopt, TBestPath{"LB", 300000001}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReverseChosen(c.forward, c.reverse, 300'000'000), c.expected) << c.name;
}

TEST(DirectionLetters, MapBothWaysAndCollapse) {
    for (TDirection d : MoveDirections)
        EXPECT_EQ(DirectionOf("LBRT"[DirectionIndex(d)]), d);
    for (char c : {'l', 'x', ';', '\0'})
        EXPECT_EQ(DirectionOf(c), TDirection::None) << c;
    EXPECT_EQ(CollapseRuns("RRRTTL"), "RTL");
    EXPECT_EQ(CollapseRuns("LBLB"), "LBLB");
}

} // namespace
} // namespace pathwick::router
