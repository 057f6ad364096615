#include "workbench/model/Polyline.h"

#include "workbench/model/FaultPlan.h"
#include "workbench/model/ObjectKinds.h"

#include <gtest/gtest.h>

#include <vector>

namespace pathwick::workbench {
namespace {

// One step of a vertex script: an operation with its argument and the status
// it must give.
struct TStep {
    enum Op { Set, Count } op;
    int32_t arg;
    TSheetPoint point;
    THostResult expect;
};

struct TVertexCase {
    const char* name;
    std::vector<TSheetPoint> start;
    std::vector<TStep> steps;
    std::vector<TSheetPoint> expect; // vertices 1..count afterwards
};

class VertexRules : public ::testing::TestWithParam<TVertexCase> {};

TEST_P(VertexRules, ScriptLeavesExpectedVertices) {
    const TVertexCase& c = GetParam();
    THostRef<TPolyline> wire = TPolyline::Create(kinds::Wire, c.start);
    for (const TStep& s : c.steps) {
        const THostResult got =
            s.op == TStep::Set ? wire->SetVertex(s.arg, s.point) : wire->SetVertexCount(s.arg);
        EXPECT_EQ(got, s.expect) << (s.op == TStep::Set ? "SetVertex " : "SetVertexCount ")
                                 << s.arg;
    }
    EXPECT_EQ(wire->Vertices(), c.expect);
    int32_t count = -1;
    ASSERT_EQ(wire->GetVertexCount(&count), HostOk);
    EXPECT_EQ(count, static_cast<int32_t>(c.expect.size()));
    for (int32_t i = 1; i <= count; ++i) {
        TSheetPoint p{-7, -7};
        ASSERT_EQ(wire->GetVertex(i, &p), HostOk);
        EXPECT_EQ(p, c.expect[static_cast<std::size_t>(i - 1)]) << "vertex " << i;
    }
}

constexpr TSheetPoint P(int32_t x, int32_t y) {
    return {x, y};
}

INSTANTIATE_TEST_SUITE_P(
    Table, VertexRules,
    ::testing::Values(TVertexCase{"RaiseTakesInStoredPoint",
                                  {P(1, 1)},
                                  {{TStep::Set, 2, P(5, 6), HostOk}, {TStep::Count, 2, {}, HostOk}},
                                  {P(1, 1), P(5, 6)}},
                      TVertexCase{"StoredAboveCountIsInvisibleUntilRaised",
                                  {P(1, 1)},
                                  {{TStep::Set, 3, P(9, 9), HostOk}},
                                  {P(1, 1)}},
                      TVertexCase{"RaiseOverGapReadsZero",
                                  {P(1, 1)},
                                  {{TStep::Set, 3, P(9, 9), HostOk}, {TStep::Count, 3, {}, HostOk}},
                                  {P(1, 1), P(0, 0), P(9, 9)}},
                      TVertexCase{"LoweringForgetsTrailing",
                                  {P(1, 1), P(2, 2), P(3, 3)},
                                  {{TStep::Count, 1, {}, HostOk}, {TStep::Count, 3, {}, HostOk}},
                                  {P(1, 1), P(0, 0), P(0, 0)}},
                      TVertexCase{"LoweringForgetsStoredAboveOldCount",
                                  {P(1, 1), P(2, 2)},
                                  {{TStep::Set, 4, P(4, 4), HostOk},
                                   {TStep::Count, 1, {}, HostOk},
                                   {TStep::Count, 4, {}, HostOk}},
                                  {P(1, 1), P(0, 0), P(0, 0), P(0, 0)}},
                      TVertexCase{"RaisingKeepsStoredAboveNewCount",
                                  {},
                                  {{TStep::Set, 1, P(1, 0), HostOk},
                                   {TStep::Set, 2, P(2, 0), HostOk},
                                   {TStep::Set, 3, P(3, 0), HostOk},
                                   {TStep::Count, 1, {}, HostOk},
                                   {TStep::Count, 3, {}, HostOk}},
                                  {P(1, 0), P(2, 0), P(3, 0)}},
                      // The temporary-wire pattern: count 0, pre-write 1..3, then write and
                      // raise one by one.
                      TVertexCase{"WriteThenRaiseAppends",
                                  {P(8, 8)},
                                  {{TStep::Count, 0, {}, HostOk},
                                   {TStep::Set, 1, P(0, 0), HostOk},
                                   {TStep::Set, 2, P(0, 0), HostOk},
                                   {TStep::Set, 3, P(0, 0), HostOk},
                                   {TStep::Set, 1, P(10, 0), HostOk},
                                   {TStep::Count, 1, {}, HostOk},
                                   {TStep::Set, 2, P(10, 5), HostOk},
                                   {TStep::Count, 2, {}, HostOk}},
                                  {P(10, 0), P(10, 5)}},
                      TVertexCase{"BadIndicesChangeNothing",
                                  {P(1, 1)},
                                  {{TStep::Set, 0, P(5, 5), HostInvalidArg},
                                   {TStep::Set, -3, P(5, 5), HostInvalidArg},
                                   {TStep::Set, MaxVertexIndex + 1, P(5, 5), HostInvalidArg},
                                   {TStep::Set, INT32_MAX, P(5, 5), HostInvalidArg},
                                   {TStep::Set, INT32_MIN, P(5, 5), HostInvalidArg}},
                                  {P(1, 1)}},
                      TVertexCase{"BadCountsChangeNothing",
                                  {P(1, 1), P(2, 2)},
                                  {{TStep::Count, -1, {}, HostInvalidArg},
                                   {TStep::Count, INT32_MIN, {}, HostInvalidArg},
                                   {TStep::Count, MaxVertexIndex + 1, {}, HostInvalidArg},
                                   {TStep::Count, INT32_MAX, {}, HostInvalidArg}},
                                  {P(1, 1), P(2, 2)}},
                      TVertexCase{"LargestIndexAccepted",
                                  {},
                                  {{TStep::Set, MaxVertexIndex, P(3, 4), HostOk},
                                   {TStep::Count, 0, {}, HostOk}},
                                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Polyline, GetVertexOutsideOneToCountFails) {
    THostRef<TPolyline> line = TPolyline::Create(kinds::Polyline, {P(1, 2), P(3, 4)});
    ASSERT_EQ(line->SetVertex(3, P(5, 6)), HostOk); // stored above the count
    for (int32_t index : {0, -1, 3, 4, INT32_MAX, INT32_MIN}) {
        TSheetPoint p{42, 42};
        EXPECT_EQ(line->GetVertex(index, &p), HostInvalidArg) << index;
        EXPECT_EQ(p, P(42, 42)) << index;
    }
    TSheetPoint p;
    EXPECT_EQ(line->GetVertex(1, nullptr), HostInvalidArg);
    EXPECT_EQ(line->GetVertex(2, &p), HostOk);
    EXPECT_EQ(p, P(3, 4));
}

TEST(Polyline, AnchorAndBoundsFollowVertices) {
    THostRef<TPolyline> line = TPolyline::Create(kinds::Bus, {P(5, -2), P(-3, 7), P(4, 1)});
    EXPECT_EQ(line->Anchor(), P(5, -2));
    EXPECT_EQ(line->Bounds(), (TSheetRect{-3, -2, 5, 7}));
    ASSERT_EQ(line->SetVertexCount(1), HostOk);
    EXPECT_EQ(line->Bounds(), (TSheetRect{5, -2, 5, -2}));
    ASSERT_EQ(line->SetVertexCount(0), HostOk);
    EXPECT_EQ(line->Anchor(), P(0, 0));
    EXPECT_EQ(line->Bounds(), (TSheetRect{}));
}

TEST(Polyline, FailedCallsHaveNoEffect) {
    HostFaults().Reset();
    THostRef<TPolyline> wire = TPolyline::Create(kinds::Wire, {P(1, 1)});
    HostFaults().FailOperation("SetVertex");
    HostFaults().FailOperation("SetVertexCount");
    EXPECT_EQ(wire->SetVertex(1, P(9, 9)), HostFail);
    EXPECT_EQ(wire->SetVertexCount(0), HostFail);
    EXPECT_EQ(wire->Vertices(), std::vector<TSheetPoint>{P(1, 1)});
    HostFaults().Reset();
}

} // namespace
} // namespace pathwick::workbench
