// The quality benchmark's own judgement of a sheet: its nets, its wire
// chains, and what it finds wrong with a path.
#include "bench/quality/PathCheck.h"
#include "bench/quality/WireChains.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetObjects.h"
#include "workbench/model/Symbol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pathwick::quality {
namespace {

namespace wb = workbench;
using Points = std::vector<TSheetPoint>;
constexpr int32_t M = 1000000;

TSheetPoint P(int32_t x, int32_t y) {
    return {x * M, y * M};
}

// U1 (body 10..20 x 10..20) with pins A (9, 15), B (9, 12) and C (9, 18) on
// its left side. Net N1: A, wires (9, 15)-(5, 15)-(5, 5) to a label N1, and a
// second label N1 at (30, 5) with a wire up from it. Net of B: a wire
// (9, 12)-(3, 12) with a junction at (6, 12) and a wire down from there.
class QualitySheet : public ::testing::Test {
protected:
    void SetUp() override {
        sheet_ = wb::TSheetDocument::Create(40 * M, 30 * M);
        THostRef<wb::TSymbol> u1 = wb::TSymbol::Create({10 * M, 10 * M, 20 * M, 20 * M});
        u1->AddChild(*wb::TGraphic::Create(wb::kinds::Rectangle, {10 * M, 10 * M, 20 * M, 20 * M}));
        for (int32_t y : {15, 12, 18})
            u1->AddChild(*wb::TPin::Create(P(9, y), 0, M));
        sheet_->AddObject(*u1);
        w1_ = Wire({P(9, 15), P(5, 15)});
        w2_ = Wire({P(5, 15), P(5, 5)});
        Label(P(5, 5), "N1");
        Label(P(30, 5), "N1");
        w3_ = Wire({P(30, 5), P(30, 10)});
        w4_ = Wire({P(9, 12), P(3, 12)});
        sheet_->AddObject(*wb::MakeJunction(P(6, 12)));
        w5_ = Wire({P(6, 12), P(6, 8)});
    }

    const wb::TPolyline* Wire(Points points) {
        THostRef<wb::TPolyline> wire = wb::TPolyline::Create(wb::kinds::Wire, std::move(points));
        sheet_->AddObject(*wire);
        return wire.Get();
    }
    void Label(TSheetPoint at, const std::string& text) {
        THostRef<wb::TGraphic> port =
            wb::TGraphic::Create(wb::kinds::Port, {at.X, at.Y, at.X + 2 * M, at.Y + M});
        port->SetAnchor(at);
        port->SetText(text);
        sheet_->AddObject(*port);
    }

    THostRef<wb::TSheetDocument> sheet_;
    const wb::TPolyline *w1_ = nullptr, *w2_ = nullptr, *w3_ = nullptr, *w4_ = nullptr,
                        *w5_ = nullptr;
};

TEST_F(QualitySheet, NetsJoinAtPointsOnWiresAndByLabelNames) {
    const TSheetNets nets(*sheet_);
    EXPECT_EQ(nets.NetOf(w1_), nets.NetOf(w2_));
    EXPECT_EQ(nets.NetOf(w1_), nets.NetOf(w3_)) << "labels of one name are one net";
    EXPECT_EQ(nets.NetOf(w4_), nets.NetOf(w5_)) << "a wire ending inside another joins it";
    EXPECT_NE(nets.NetOf(w1_), nets.NetOf(w4_));
    // Pin C is a net of its own.
    int pinC = -1;
    for (const TNetPoint& p : nets.Points())
        if (p.At == P(9, 18))
            pinC = p.Net;
    EXPECT_NE(pinC, nets.NetOf(w1_));
    EXPECT_NE(pinC, nets.NetOf(w4_));
}

TEST_F(QualitySheet, ChainsJoinOnlyWhereTwoWireEndsAndNothingElseMeet) {
    const TSheetNets nets(*sheet_);
    const TChainSet set = FindWireChains(*sheet_, nets);
    ASSERT_EQ(set.Chains.size(), 4u);
    // In the order of their first wire in the file, from the end nearer it.
    EXPECT_EQ(set.Chains[0].Points, (Points{P(9, 15), P(5, 15), P(5, 5)}));
    EXPECT_EQ(set.Chains[1].Points, (Points{P(30, 5), P(30, 10)}));
    EXPECT_EQ(set.Chains[2].Points, (Points{P(9, 12), P(3, 12)})) << "the junction is no joint";
    EXPECT_EQ(set.Chains[3].Points, (Points{P(6, 12), P(6, 8)}));
    EXPECT_EQ(set.Chains[0].Net, nets.NetOf(w1_));
}

TEST_F(QualitySheet, FindsWhatIsWrongWithAPath) {
    const TSheetNets nets(*sheet_);
    const TChainSet set = FindWireChains(*sheet_, nets);
    const TWireChain& chain = set.Chains[0];
    // The sheet without the chain, as a re-draw sees it.
    TCheckScene scene;
    scene.Bodies = &nets.Bodies();
    for (const TNetRun& run : nets.Runs())
        if (run.Owner != w1_ && run.Owner != w2_)
            scene.Runs.push_back(run);
    for (const TNetPoint& p : nets.Points())
        if (p.Owner != w1_ && p.Owner != w2_)
            scene.Points.push_back(p);

    struct TWant {
        bool AxisParallel, EndsExact;
        int BodyCrossings, Shorts, FalseConnections, Overlaps, WiresCrossed;
    };
    struct {
        const char* name;
        Points path;
        TWant expected;
    } const cases[] = {
        {"clean, across the other net's wire",
         {P(9, 15), P(8, 15), P(8, 5), P(5, 5)},
         {true, true, 0, 0, 0, 0, 1}},
        {"through the body", {P(9, 15), P(15, 15), P(15, 5), P(5, 5)}, {true, true, 1, 0, 0, 0, 0}},
        {"onto another pin",
         {P(9, 15), P(9, 18), P(7, 18), P(7, 5), P(5, 5)},
         {true, true, 0, 0, 1, 0, 1}},
        // Along the wire: a corner inside it, over its junction and the end
        // of the wire that leaves the junction.
        {"along the other net's wire",
         {P(9, 15), P(8, 15), P(8, 12), P(4, 12), P(4, 5), P(5, 5)},
         {true, true, 0, 2, 1, 1, 0}},
        {"diagonal, ending elsewhere", {P(9, 15), P(5, 6)}, {false, false, 0, 0, 0, 0, 2}},
    };
    for (const auto& c : cases) {
        const TPathFindings f = CheckPath(c.path, chain.From(), chain.To(), chain.Net, scene);
        EXPECT_EQ(f.AxisParallel, c.expected.AxisParallel) << c.name;
        EXPECT_EQ(f.EndsExact, c.expected.EndsExact) << c.name;
        EXPECT_EQ(f.BodyCrossings, c.expected.BodyCrossings) << c.name;
        EXPECT_EQ(f.Shorts, c.expected.Shorts) << c.name;
        EXPECT_EQ(f.FalseConnections, c.expected.FalseConnections) << c.name;
        EXPECT_EQ(f.Overlaps, c.expected.Overlaps) << c.name;
        EXPECT_EQ(f.WiresCrossed, c.expected.WiresCrossed) << c.name;
    }
}

TEST(Segments, ExactTestsBetweenPieces) {
    const TSegment h{{0, 0}, {10, 0}};
    EXPECT_TRUE(CrossProperly(h, {{5, -5}, {5, 5}}));
    EXPECT_FALSE(CrossProperly(h, {{10, -5}, {10, 5}})) << "through an end is no crossing";
    EXPECT_TRUE(OverlapCollinear(h, {{8, 0}, {20, 0}}));
    EXPECT_FALSE(OverlapCollinear(h, {{10, 0}, {20, 0}})) << "end to end shares no stretch";
    EXPECT_TRUE(InsideSegment({{0, 0}, {4, 4}}, {2, 2}));
    EXPECT_TRUE(RunsThroughOpenBox({{0, 5}, {20, 5}}, {4, 0, 8, 10}));
    EXPECT_FALSE(RunsThroughOpenBox({{0, 10}, {20, 10}}, {4, 0, 8, 10})) << "along a side";
    EXPECT_TRUE(RunsThroughOpenBox({{0, 0}, {10, 10}}, {4, 0, 8, 10})) << "diagonally";
    EXPECT_EQ(CountBends({{0, 0}, {5, 0}, {9, 0}, {9, 4}, {12, 7}, {12, 7}, {15, 10}}), 2);
}

} // namespace
} // namespace pathwick::quality
