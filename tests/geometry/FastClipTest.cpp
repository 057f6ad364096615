// The pruned ray clipping and marking against the plain walks over every
// leaf, on random sheets built to hit the rules' equalities: shared
// coordinates, grid lines, borders, marks, targets, flat and inverted
// rectangles, the int32 limits.
#include "geometry/ObstacleKinds.h"
#include "geometry/ObstacleTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace pathwick {
namespace {

constexpr int32_t M = 1000000;
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

// Kinds with a rule of their own, snapping kinds, and plain ones.
constexpr int32_t kKinds[] = {5,  15, 18, 19, 30, 2, 3,  7,  22, 24,
                              36, 37, 39, 46, 8,  9, 23, 35, -3, 64};

class TSheetDice {
public:
    TSheetDice(uint32_t seed, int steps, bool extremes)
        : rng_(seed), steps_(steps), extremes_(extremes) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // Mostly grid-near values within the given number of grid steps, so that sides, origins and
    // targets coincide often; sometimes negatives or values near the limits.
    int32_t Coord() {
        const int pick = Below(extremes_ ? 12 : 10);
        const int32_t step = Below(steps_ + 1) * M;
        switch (pick) {
        case 0:
        case 1:
        case 2:
            return step;
        case 3:
            return step + (Below(2) ? 1 : -1);
        case 4:
            return step + Below(M);
        case 5:
            return step + M / 2;
        case 6:
            return -Below(3) * M - Below(3);
        case 7:
        case 8:
        case 9:
            return pool_.empty() ? step : pool_[Below(static_cast<int>(pool_.size()))];
        case 10:
            return kMax - Below(3) * M - Below(2);
        default:
            return kMin + Below(3) * M + Below(2);
        }
    }

    TBoundingRect Rect() {
        int32_t l = Coord(), b = Coord();
        int32_t r = l, t = b;
        switch (Below(6)) {
        case 0: // horizontal run
            r = Coord();
            break;
        case 1: // vertical run
            t = Coord();
            break;
        case 2: // a point or a one-unit stub
            r = l + (l < kMax ? Below(2) : 0);
            break;
        default:
            r = Coord();
            t = Coord();
            break;
        }
        // Keep sides in order most of the time; inverted ones stay in play.
        if (Below(5) != 0) {
            if (l > r)
                std::swap(l, r);
            if (b > t)
                std::swap(b, t);
        }
        for (int32_t v : {l, b, r, t})
            pool_.push_back(v);
        return TBoundingRect(l, b, r, t);
    }

    TSheetPoint Point() { return {Coord(), Coord()}; }
    std::mt19937& Rng() { return rng_; }

private:
    std::mt19937 rng_;
    int steps_;
    bool extremes_;
    std::vector<int32_t> pool_;
};

struct TClipped {
    TEdge edge;
    friend bool operator==(const TClipped& a, const TClipped& b) {
        return a.edge.StartPoint == b.edge.StartPoint && a.edge.EndPoint == b.edge.EndPoint &&
               a.edge.StopWeight == b.edge.StopWeight && a.edge.CrossesWire == b.edge.CrossesWire;
    }
};

TClipped Cast(TObstacleTree& tree, TClipMethod method, TDirection d, TSheetPoint p, int flags) {
    tree.Walks.Clip = method;
    return {tree.CastRay(d, p, {true, (flags & 1) != 0, (flags & 2) != 0})};
}

// One random sheet: obstacles, marks and rays; returns the rays that differed.
int DifferingRays(uint32_t seed, int steps, int leaves, int rays, bool extremes) {
    TSheetDice dice(seed, steps, extremes);
    TObstacleTree tree;
    tree.Sheet = TBoundingRect(0, 0, 40 * M, 40 * M);
    std::vector<TSheetPoint> corners;
    for (int i = 0; i < leaves; ++i) {
        const TBoundingRect r = dice.Rect();
        tree.AddRect(r, kKinds[dice.Below(std::size(kKinds))]);
        corners.push_back({r.Left, r.Bottom});
        corners.push_back({r.Right, r.Top});
        corners.push_back({r.Left, r.Top});
        if (dice.Below(6) == 0)
            tree.MarkTouching(corners[dice.Below(static_cast<int>(corners.size()))]);
    }
    // Origins and targets on corners, on sides and anywhere.
    auto point = [&] {
        const int pick = dice.Below(4);
        if (pick == 0)
            return dice.Point();
        TSheetPoint p = corners[dice.Below(static_cast<int>(corners.size()))];
        if (pick == 1)
            p.X = dice.Coord();
        else if (pick == 2)
            p.Y = dice.Coord();
        return p;
    };
    int differing = 0;
    for (int i = 0; i < rays; ++i) {
        TSheetPoint o = point();
        switch (dice.Below(4)) {
        case 0:
            tree.Target = {-1, -1};
            break;
        case 1: { // on an obstacle's side, up to a grid step ahead of the origin
            tree.Target = corners[dice.Below(static_cast<int>(corners.size()))];
            const int32_t back = dice.Below(5) * M / 4 * (dice.Below(2) ? 1 : -1);
            o = tree.Target;
            // Corners at the 32-bit limits: the step back saturates there.
            int32_t& c = dice.Below(2) ? o.X : o.Y;
            c = static_cast<int32_t>(std::clamp<int64_t>(int64_t{c} - back, INT32_MIN, INT32_MAX));
            break;
        }
        default:
            tree.Target = point();
            break;
        }
        // The four directions and one code past them.
        for (uint8_t code = 0; code <= 4; ++code) {
            const TDirection d = static_cast<TDirection>(code);
            for (int flags = 0; flags < 4; ++flags) {
                const TClipped ref = Cast(tree, TClipMethod::Reference, d, o, flags);
                const TClipped fast = Cast(tree, TClipMethod::Fast, d, o, flags);
                if (!(ref == fast)) {
                    if (++differing <= 3)
                        ADD_FAILURE()
                            << "seed " << seed << " ray " << i << " dir " << int{code} << " flags "
                            << flags << " from (" << o.X << ", " << o.Y << ") target ("
                            << tree.Target.X << ", " << tree.Target.Y << "): reference far end ("
                            << ref.edge.StartPoint.X << ", " << ref.edge.StartPoint.Y << ")-("
                            << ref.edge.EndPoint.X << ", " << ref.edge.EndPoint.Y << ") w "
                            << ref.edge.StopWeight << ", pruned (" << fast.edge.StartPoint.X << ", "
                            << fast.edge.StartPoint.Y << ")-(" << fast.edge.EndPoint.X << ", "
                            << fast.edge.EndPoint.Y << ") w " << fast.edge.StopWeight;
                }
            }
        }
        // The tree grows between rays as it does between requests.
        if (dice.Below(8) == 0) {
            tree.AddRect(dice.Rect(), kKinds[dice.Below(std::size(kKinds))]);
            tree.MarkTouching(o);
        }
    }
    return differing;
}

TEST(FastClip, SameEdgesAsTheReferenceOnRandomSheets) {
    // Crowded sheets of a few grid steps make leaves overlap, so that cuts,
    // shortcuts and marks meet on one ray; wide ones exercise the pruning.
    struct {
        int sheets, steps, leaves, rays;
        bool extremes;
    } const runs[] = {{60, 40, 3, 80, false},  {40, 40, 40, 120, false}, {12, 40, 400, 150, false},
                      {60, 4, 25, 100, false}, {20, 6, 120, 100, false}, {40, 40, 30, 100, true}};
    uint32_t seed = 1;
    for (const auto& run : runs) {
        for (int s = 0; s < run.sheets; ++s, ++seed)
            EXPECT_EQ(DifferingRays(seed, run.steps, run.leaves, run.rays, run.extremes), 0)
                << "seed " << seed;
    }
}

// Two trees of the same leaves, one marking with the pruned walk and one with
// the plain walk, marked at the same points (corners, points on sides, any
// point) while they grow: every leaf's mark must agree after every step.
TEST(FastMark, SameMarksAsTheWalkOverEveryLeaf) {
    int marked = 0; // leaves marked at the end of each sheet
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        TSheetDice dice(seed, seed % 3 == 0 ? 4 : 40, seed % 4 == 0);
        TObstacleTree pruned;
        TObstacleTree plain;
        plain.Walks.PrunedMarking = false;
        std::vector<TSheetPoint> corners{{0, 0}};
        std::vector<bool> marks;
        for (int step = 0; step < 300; ++step) {
            if (step % 3 == 0) {
                const TBoundingRect r = dice.Rect();
                const int32_t kind = kKinds[dice.Below(std::size(kKinds))];
                pruned.AddRect(r, kind);
                plain.AddRect(r, kind);
                corners.push_back({r.Left, r.Bottom});
                corners.push_back({r.Right, r.Top});
            }
            TSheetPoint p = corners[dice.Below(static_cast<int>(corners.size()))];
            if (dice.Below(3) == 0)
                (dice.Below(2) ? p.X : p.Y) = dice.Coord();
            else if (dice.Below(4) == 0)
                p = dice.Point();
            pruned.MarkTouching(p);
            plain.MarkTouching(p);
            std::vector<bool> a, b;
            pruned.ForEachLeaf([&](const TObstacle& n) { a.push_back(n.Touched); });
            plain.ForEachLeaf([&](const TObstacle& n) { b.push_back(n.Touched); });
            ASSERT_EQ(a, b) << "seed " << seed << " step " << step << " at (" << p.X << ", " << p.Y
                            << ")";
            marks = b;
        }
        marked += static_cast<int>(std::count(marks.begin(), marks.end(), true));
    }
    EXPECT_GT(marked, 500) << "too few marks to compare";
}

} // namespace
} // namespace pathwick
