#include "geometry/Direction.h"
#include "geometry/Edge.h"
#include "geometry/Obstacle.h"

#include <gtest/gtest.h>

namespace pathwick {
namespace {

TEST(Direction, OppositeDirection) {
    const uint8_t in[] = {0, 1, 2, 3, 4, 5, 200, 255};
    const uint8_t out[] = {2, 3, 0, 1, 5, 5, 5, 5};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(OppositeDirection(static_cast<TDirection>(in[i])),
                  static_cast<TDirection>(out[i]))
            << int(in[i]);
    EXPECT_STREQ(DirectionLetters, "LBRT");
}

TEST(Direction, SegmentAxisComparesXFirst) {
    struct Case {
        TSheetPoint a, b;
        TAxis axis;
    } cases[] = {
        {{3, 1}, {3, 9}, TAxis::Vertical},
        {{1, 4}, {8, 4}, TAxis::Horizontal},
        {{1, 1}, {2, 2}, TAxis::Neither},
        {{7, 7}, {7, 7}, TAxis::Vertical},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SegmentAxis(c.a, c.b), c.axis);
}

TEST(Direction, OrderEndPoints) {
    struct Case {
        TSheetPoint a, b, wantA, wantB;
    } cases[] = {
        {{5, 0}, {5, 10}, {5, 10}, {5, 0}},   {{10, 3}, {0, 3}, {0, 3}, {10, 3}},
        {{0, 0}, {10, 10}, {0, 0}, {10, 10}}, // exchanged twice
        {{5, 10}, {5, 0}, {5, 10}, {5, 0}},   {{0, 3}, {10, 3}, {0, 3}, {10, 3}},
    };
    for (const Case& c : cases) {
        TSheetPoint a = c.a, b = c.b;
        OrderEndPoints(a, b);
        EXPECT_EQ(a, c.wantA);
        EXPECT_EQ(b, c.wantB);
    }
}

TEST(Direction, MinMaxAndSamePoint) {
    EXPECT_EQ(MaxInt(-3, 2), 2);
    EXPECT_EQ(MinInt(-3, 2), -3);
    EXPECT_TRUE(SamePoint({1, 2}, {1, 2}));
    EXPECT_FALSE(SamePoint({1, 2}, {2, 1}));
}

TEST(Edge, ContainsInsideExcludesTheEnds) {
    struct Case {
        TEdge e;
        TSheetPoint p;
        bool inside;
    } cases[] = {
        {{{0, 5}, {10, 5}}, {5, 5}, true},   {{{0, 5}, {10, 5}}, {1, 5}, true},
        {{{0, 5}, {10, 5}}, {0, 5}, false},  {{{0, 5}, {10, 5}}, {10, 5}, false},
        {{{0, 5}, {10, 5}}, {11, 5}, false}, {{{0, 5}, {10, 5}}, {5, 6}, false},
        {{{10, 5}, {0, 5}}, {5, 5}, true}, // either order
        {{{3, 10}, {3, 0}}, {3, 4}, true},   {{{3, 10}, {3, 0}}, {3, 10}, false},
        {{{3, 10}, {3, 0}}, {3, 0}, false},  {{{3, 10}, {3, 0}}, {4, 4}, false},
        {{{3, 0}, {3, 10}}, {3, 4}, true},   {{{4, 4}, {4, 4}}, {4, 4}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.e.ContainsInside(c.p), c.inside) << c.p.X << "," << c.p.Y;
}

TEST(Edge, NewEdgeAndObstacleDefaults) {
    const TEdge e({1, 2}, {3, 4});
    EXPECT_EQ(e.StartPoint, (TSheetPoint{1, 2})); // stored unchanged, not reordered
    EXPECT_EQ(e.EndPoint, (TSheetPoint{3, 4}));
    EXPECT_EQ(e.StopWeight, 5);
    EXPECT_FALSE(e.CrossesWire);
    const TObstacle o(1, 24);
    EXPECT_FALSE(o.Bounds.IsSet());
    EXPECT_EQ(o.LowChild, nullptr);
    EXPECT_EQ(o.HighChild, nullptr);
    EXPECT_FALSE(o.Touched);
    EXPECT_EQ(o.Kind, 24);
}

} // namespace
} // namespace pathwick
