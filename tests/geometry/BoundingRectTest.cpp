#include "geometry/BoundingRect.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace pathwick {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TBoundingRect R(int32_t l, int32_t b, int32_t r, int32_t t) {
    return TBoundingRect(l, b, r, t);
}

TEST(BoundingRect, NewRectangleIsUnsetAndHoldsOnlyTheUnsetPoint) {
    TBoundingRect r;
    EXPECT_FALSE(r.IsSet());
    EXPECT_TRUE(r.ContainsPoint({100000, 100000}));
    EXPECT_FALSE(r.ContainsPoint({100000, 100001}));
}

TEST(BoundingRect, IsSetLooksAtAllFourCoordinates) {
    struct Case {
        TSheetRect in;
        bool set;
    } cases[] = {{{0, 0, 10, 20}, true},
                 {{100000, 100000, 100000, 100000}, false},
                 {{0, 1, 2, 100000}, true},
                 {{100000, 100000, 100000, 99999}, true},
                 {{99999, 100000, 100000, 100000}, true}};
    for (const Case& c : cases) {
        TBoundingRect r;
        r.SetRect(c.in);
        EXPECT_EQ(r.IsSet(), c.set)
            << c.in.Left << "," << c.in.Bottom << "," << c.in.Right << "," << c.in.Top;
    }
}

TEST(BoundingRect, CreateFromRectKeepsTheFieldsUnchanged) {
    const TBoundingRect r(TSheetRect{30, 40, 10, 20}); // inverted on purpose
    EXPECT_EQ(r, R(30, 40, 10, 20));
}

TEST(BoundingRect, ContainsPointAndOnBorderTreatAllSidesAsClosed) {
    const TBoundingRect r = R(0, 0, 10, 20);
    struct Case {
        TSheetPoint p;
        bool inside;
        bool border;
    } cases[] = {
        {{0, 0}, true, true},     {{10, 20}, true, true},  {{10, 0}, true, true},
        {{5, 20}, true, true},    {{0, 7}, true, true},    {{10, 7}, true, true},
        {{4, 0}, true, true},     {{4, 20}, true, true},   {{5, 5}, true, false},
        {{11, 5}, false, false},  {{5, -1}, false, false}, {{0, 21}, false, false},
        {{11, 20}, false, false}, {{-1, 0}, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(r.ContainsPoint(c.p), c.inside) << c.p.X << "," << c.p.Y;
        EXPECT_EQ(r.OnBorder(c.p), c.border) << c.p.X << "," << c.p.Y;
    }
}

TEST(BoundingRect, DegenerateRectangleIsAllBorder) {
    const TBoundingRect r = R(5, 0, 5, 10);
    for (int32_t y = 0; y <= 10; ++y) {
        EXPECT_TRUE(r.ContainsPoint({5, y}));
        EXPECT_TRUE(r.OnBorder({5, y}));
    }
    EXPECT_FALSE(r.OnBorder({5, 11}));
    EXPECT_FALSE(r.OnBorder({4, 5}));
}

TEST(BoundingRect, SetFromPointsDoesNotNormalizeButNormalizeDoes) {
    TBoundingRect r;
    r.SetFromPoints({10, 0}, {0, 20});
    EXPECT_EQ(r.Left, 10);
    EXPECT_EQ(r.Top, 0);
    EXPECT_EQ(r.Right, 0);
    EXPECT_EQ(r.Bottom, 20);
    r.Normalize();
    EXPECT_EQ(r, R(0, 0, 10, 20));
    // Only the inverted axis is exchanged.
    TBoundingRect half = R(3, 9, 7, 1);
    half.Normalize();
    EXPECT_EQ(half, R(3, 1, 7, 9));
}

TEST(BoundingRect, Deflated) {
    struct Case {
        TBoundingRect in;
        int32_t m;
        TBoundingRect out;
    } cases[] = {
        {R(0, 0, 10, 20), 1, R(1, 1, 9, 19)},
        {R(0, 0, 10, 20), 6, R(6, 6, 4, 14)}, // inverted and left so
        {R(0, 0, 10, 20), 0, R(0, 0, 10, 20)},
        {R(0, 0, 10, 20), -3, R(-3, -3, 13, 23)},
        // At the int32 limits every side stops at the limit instead of wrapping.
        {R(kMin, kMin, kMax, kMax), -1, R(kMin, kMin, kMax, kMax)},
        {R(kMax, kMax, kMin, kMin), 1, R(kMax, kMax, kMin, kMin)},
        {R(0, 0, 0, 0), kMin, R(kMin, kMin, kMax, kMax)},
        {R(-5, -5, 5, 5), kMax, R(kMax - 5, kMax - 5, 5 - kMax, 5 - kMax)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.in.Deflated(c.m), c.out) << "m=" << c.m;
    // The receiver is unchanged.
    const TBoundingRect self = R(0, 0, 10, 20);
    EXPECT_EQ(self.Deflated(2), R(2, 2, 8, 18));
    EXPECT_EQ(self, R(0, 0, 10, 20));
}

TEST(BoundingRect, UnionIncludeAndIncludeRect) {
    const TBoundingRect a = R(0, 5, 10, 20);
    const TBoundingRect b = R(-3, 7, 4, 30);
    EXPECT_EQ(a.UnionWith(b), R(-3, 5, 10, 30));
    // The unset state is not looked at by UnionWith.
    EXPECT_EQ(TBoundingRect().UnionWith(a), R(0, 5, 100000, 100000));

    TBoundingRect acc;
    acc.Include(a);
    EXPECT_EQ(acc, a); // copied exactly into an unset rectangle
    acc.Include(b);
    EXPECT_EQ(acc, R(-3, 5, 10, 30));

    TBoundingRect raw;
    raw.IncludeRect(TSheetRect{0, 0, 10, 20});
    EXPECT_EQ(raw, R(0, 0, 100000, 100000));
    TBoundingRect set = R(0, 0, 10, 20);
    set.IncludeRect(TSheetRect{5, -5, 30, 8});
    EXPECT_EQ(set, R(0, -5, 30, 20));
}

} // namespace
} // namespace pathwick
