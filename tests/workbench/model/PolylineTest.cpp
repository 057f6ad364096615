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
    HResult expect;
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
    HostRef<TPolyline> wire = TPolyline::Create(kinds::Wire, c.start);
    for (const TStep& s : c.steps) {
        const HResult got =
            s.op == TStep::Set ? wire->SetVertex(s.arg, s.point) : wire->SetVertexCount(s.arg);
        EXPECT_EQ(got, s.expect) << (s.op == TStep::Set ? "SetVertex " : "SetVertexCount ")
                                 << s.arg;
    }
    EXPECT_EQ(wire->Vertices(), c.expect);
    int32_t count = -1;
    ASSERT_EQ(wire->GetVertexCount(&count), kHostOk);
    EXPECT_EQ(count, static_cast<int32_t>(c.expect.size()));
    for (int32_t i = 1; i <= count; ++i) {
        TSheetPoint p{-7, -7};
        ASSERT_EQ(wire->GetVertex(i, &p), kHostOk);
        EXPECT_EQ(p, c.expect[static_cast<std::size_t>(i - 1)]) << "vertex " << i;
    }
}

constexpr TSheetPoint P(int32_t x, int32_t y) {
    return {x, y};
}

INSTANTIATE_TEST_SUITE_P(
    Table, VertexRules,
    ::testing::Values(
        TVertexCase{"RaiseTakesInStoredPoint",
                    {P(1, 1)},
                    {{TStep::Set, 2, P(5, 6), kHostOk}, {TStep::Count, 2, {}, kHostOk}},
                    {P(1, 1), P(5, 6)}},
        TVertexCase{"StoredAboveCountIsInvisibleUntilRaised",
                    {P(1, 1)},
                    {{TStep::Set, 3, P(9, 9), kHostOk}},
                    {P(1, 1)}},
        TVertexCase{"RaiseOverGapReadsZero",
                    {P(1, 1)},
                    {{TStep::Set, 3, P(9, 9), kHostOk}, {TStep::Count, 3, {}, kHostOk}},
                    {P(1, 1), P(0, 0), P(9, 9)}},
        TVertexCase{"LoweringForgetsTrailing",
                    {P(1, 1), P(2, 2), P(3, 3)},
                    {{TStep::Count, 1, {}, kHostOk}, {TStep::Count, 3, {}, kHostOk}},
                    {P(1, 1), P(0, 0), P(0, 0)}},
        TVertexCase{"LoweringForgetsStoredAboveOldCount",
                    {P(1, 1), P(2, 2)},
                    {{TStep::Set, 4, P(4, 4), kHostOk},
                     {TStep::Count, 1, {}, kHostOk},
                     {TStep::Count, 4, {}, kHostOk}},
                    {P(1, 1), P(0, 0), P(0, 0), P(0, 0)}},
        TVertexCase{"RaisingKeepsStoredAboveNewCount",
                    {},
                    {{TStep::Set, 1, P(1, 0), kHostOk},
                     {TStep::Set, 2, P(2, 0), kHostOk},
                     {TStep::Set, 3, P(3, 0), kHostOk},
                     {TStep::Count, 1, {}, kHostOk},
                     {TStep::Count, 3, {}, kHostOk}},
                    {P(1, 0), P(2, 0), P(3, 0)}},
        // The temporary-wire pattern: count 0, pre-write 1..3, then write and
        // raise one by one.
        TVertexCase{"WriteThenRaiseAppends",
                    {P(8, 8)},
                    {{TStep::Count, 0, {}, kHostOk},
                     {TStep::Set, 1, P(0, 0), kHostOk},
                     {TStep::Set, 2, P(0, 0), kHostOk},
                     {TStep::Set, 3, P(0, 0), kHostOk},
                     {TStep::Set, 1, P(10, 0), kHostOk},
                     {TStep::Count, 1, {}, kHostOk},
                     {TStep::Set, 2, P(10, 5), kHostOk},
                     {TStep::Count, 2, {}, kHostOk}},
                    {P(10, 0), P(10, 5)}},
        TVertexCase{"BadIndicesChangeNothing",
                    {P(1, 1)},
                    {{TStep::Set, 0, P(5, 5), kHostInvalidArg},
                     {TStep::Set, -3, P(5, 5), kHostInvalidArg},
                     {TStep::Set, kMaxVertexIndex + 1, P(5, 5), kHostInvalidArg},
                     {TStep::Set, INT32_MAX, P(5, 5), kHostInvalidArg},
                     {TStep::Set, INT32_MIN, P(5, 5), kHostInvalidArg}},
                    {P(1, 1)}},
        TVertexCase{"BadCountsChangeNothing",
                    {P(1, 1), P(2, 2)},
                    {{TStep::Count, -1, {}, kHostInvalidArg},
                     {TStep::Count, INT32_MIN, {}, kHostInvalidArg},
                     {TStep::Count, kMaxVertexIndex + 1, {}, kHostInvalidArg},
                     {TStep::Count, INT32_MAX, {}, kHostInvalidArg}},
                    {P(1, 1), P(2, 2)}},
        TVertexCase{
            "LargestIndexAccepted",
            {},
            {{TStep::Set, kMaxVertexIndex, P(3, 4), kHostOk}, {TStep::Count, 0, {}, kHostOk}},
            {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Polyline, GetVertexOutsideOneToCountFails) {
    HostRef<TPolyline> line = TPolyline::Create(kinds::Polyline, {P(1, 2), P(3, 4)});
    ASSERT_EQ(line->SetVertex(3, P(5, 6)), kHostOk); // stored above the count
    for (int32_t index : {0, -1, 3, 4, INT32_MAX, INT32_MIN}) {
        TSheetPoint p{42, 42};
        EXPECT_EQ(line->GetVertex(index, &p), kHostInvalidArg) << index;
        EXPECT_EQ(p, P(42, 42)) << index;
    }
    TSheetPoint p;
    EXPECT_EQ(line->GetVertex(1, nullptr), kHostInvalidArg);
    EXPECT_EQ(line->GetVertex(2, &p), kHostOk);
    EXPECT_EQ(p, P(3, 4));
}

TEST(Polyline, AnchorAndBoundsFollowVertices) {
    HostRef<TPolyline> line = TPolyline::Create(kinds::Bus, {P(5, -2), P(-3, 7), P(4, 1)});
    EXPECT_EQ(line->Anchor(), P(5, -2));
    EXPECT_EQ(line->Bounds(), (TSheetRect{-3, -2, 5, 7}));
    ASSERT_EQ(line->SetVertexCount(1), kHostOk);
    EXPECT_EQ(line->Bounds(), (TSheetRect{5, -2, 5, -2}));
    ASSERT_EQ(line->SetVertexCount(0), kHostOk);
    EXPECT_EQ(line->Anchor(), P(0, 0));
    EXPECT_EQ(line->Bounds(), (TSheetRect{}));
}

TEST(Polyline, FailedCallsHaveNoEffect) {
    HostFaults().Reset();
    HostRef<TPolyline> wire = TPolyline::Create(kinds::Wire, {P(1, 1)});
    HostFaults().FailOperation("SetVertex");
    HostFaults().FailOperation("SetVertexCount");
    EXPECT_EQ(wire->SetVertex(1, P(9, 9)), kHostFail);
    EXPECT_EQ(wire->SetVertexCount(0), kHostFail);
    EXPECT_EQ(wire->Vertices(), std::vector<TSheetPoint>{P(1, 1)});
    HostFaults().Reset();
}

} // namespace
} // namespace pathwick::workbench
