#include "workbench/gui/ViewTransform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pathwick::workbench {
namespace {

void ExpectNear(QPointF a, QPointF b, double tolerance) {
    EXPECT_NEAR(a.x(), b.x(), tolerance);
    EXPECT_NEAR(a.y(), b.y(), tolerance);
}

TEST(ViewTransform, FitCentresTheSheetWithYUpward) {
    TViewTransform t;
    t.Fit(100000000, 50000000, QSizeF(1000, 1000));
    const QPointF lowLeft = t.ToScreen({0, 0});
    const QPointF highRight = t.ToScreen({100000000, 50000000});
    // Up on the sheet is up on screen.
    EXPECT_LT(highRight.y(), lowLeft.y());
    // The wider side nearly fills the view; the picture is centred both ways.
    EXPECT_GT(highRight.x() - lowLeft.x(), 900);
    EXPECT_LE(highRight.x() - lowLeft.x(), 1000);
    EXPECT_NEAR((lowLeft.x() + highRight.x()) / 2, 500, 1e-6);
    EXPECT_NEAR((lowLeft.y() + highRight.y()) / 2, 500, 1e-6);
    ExpectNear(t.ToSheet(t.ToScreen({12000000, 34000000})), QPointF(12000000, 34000000), 1e-3);
}

TEST(ViewTransform, FitOfASheetWithoutAreaStaysFinite) {
    TViewTransform t;
    t.Fit(0, -5, QSizeF(0, 0));
    EXPECT_TRUE(std::isfinite(t.Scale()));
    EXPECT_GE(t.Scale(), TViewTransform::MinScale);
    EXPECT_LE(t.Scale(), TViewTransform::MaxScale);
}

TEST(ViewTransform, ZoomKeepsThePointUnderTheAnchor) {
    TViewTransform t;
    t.Fit(100000000, 80000000, QSizeF(800, 600));
    const QPointF anchor(123.0, 456.0);
    const QPointF before = t.ToSheet(anchor);
    const double scale = t.Scale();
    t.ZoomAbout(anchor, 1.25 * 1.25);
    EXPECT_NEAR(t.Scale(), scale * 1.5625, scale * 1e-9);
    ExpectNear(t.ToSheet(anchor), before, 1e-3);
    t.ZoomAbout(anchor, 0.5);
    ExpectNear(t.ToSheet(anchor), before, 1e-3);
}

TEST(ViewTransform, ZoomIsBoundedAndIgnoresNonsenseFactors) {
    TViewTransform t;
    t.Fit(100000000, 80000000, QSizeF(800, 600));
    const double scale = t.Scale();
    for (double bad : {0.0, -2.0, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()}) {
        t.ZoomAbout(QPointF(10, 10), bad);
        EXPECT_EQ(t.Scale(), scale) << bad;
    }
    t.ZoomAbout(QPointF(10, 10), 1e30);
    EXPECT_EQ(t.Scale(), TViewTransform::MaxScale);
    t.ZoomAbout(QPointF(10, 10), 1e-60);
    EXPECT_EQ(t.Scale(), TViewTransform::MinScale);
}

TEST(ViewTransform, PanMovesThePicture) {
    TViewTransform t;
    t.Fit(10000000, 10000000, QSizeF(500, 500));
    const QPointF before = t.ToScreen({3000000, 4000000});
    t.Pan(QPointF(17, -9));
    ExpectNear(t.ToScreen({3000000, 4000000}), before + QPointF(17, -9), 1e-9);
}

TEST(SnapToGrid, RoundsToTheNearestGridPointOnTheSheet) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct {
        QPointF In;
        TSheetPoint Out;
    } cases[] = {
        {{1400000, 2600000}, {1000000, 3000000}},
        {{1500000, 2499999}, {2000000, 2000000}}, // halves round up
        {{-400000, -1e15}, {0, 0}},               // below the sheet
        {{10400000, 10e6}, {10000000, 10000000}},
        {{10600000, 1e300}, {10000000, 20000000}}, // beyond it: the last grid line inside
        {{nan, nan}, {0, 0}},
        {{7000000, 19999999}, {7000000, 20000000}},
    };
    for (const auto& c : cases) {
        const TSheetPoint got = SnapToGrid(c.In, 10500000, 20000000);
        EXPECT_EQ(got, c.Out) << c.In.x() << "," << c.In.y() << " -> " << got.X << "," << got.Y;
    }
}

TEST(SnapToGrid, SheetsNearTheIntegerLimitStayInRange) {
    const int32_t big = std::numeric_limits<int32_t>::max();
    const TSheetPoint p = SnapToGrid(QPointF(3e9, 2147400000.0), big, big);
    EXPECT_EQ(p.X, 2147000000);
    EXPECT_EQ(p.Y, 2147000000);
    EXPECT_EQ(SnapToGrid(QPointF(5, 5), 100, 100, 0), (TSheetPoint{5, 5})); // grid of 1 at least
}

} // namespace
} // namespace pathwick::workbench
