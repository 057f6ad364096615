#include "workbench/model/FaultPlan.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetDocument.h"
#include "workbench/model/SheetObjects.h"

#include "host/HostCall.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace pathwick::workbench {
namespace {

class FaultPlan : public ::testing::Test {
protected:
    void SetUp() override { HostFaults().Reset(); }
    void TearDown() override { HostFaults().Reset(); }
};

TEST_F(FaultPlan, CountsEveryOperationButAddRefAndRelease) {
    HostFaults().SetPerObjectCounts(true);
    THostRef<TPolyline> wire = TPolyline::Create(kinds::Wire, {{1, 1}});
    wire->AddRef();
    wire->Release();
    EXPECT_EQ(HostFaults().CallCount(), 0u);
    THostRef<ISch_Wire> asWire = QueryAs<ISch_Wire>(wire.Get());
    int32_t count = 0;
    HostCall(asWire->GetVertexCount(&count));
    HostCall(asWire->SetVertex(2, {2, 2}));
    HostCall(asWire->SetVertex(3, {3, 3}));
    EXPECT_EQ(HostFaults().CallCount(), 4u);
    EXPECT_EQ(HostFaults().CallCount("QueryInterface"), 1u);
    EXPECT_EQ(HostFaults().CallCount("SetVertex"), 2u);
    EXPECT_EQ(HostFaults().CallCount("SetVertex", wire->Id()), 2u);
    EXPECT_EQ(HostFaults().CallCount("SetVertex", wire->Id() + 1000), 0u);
    EXPECT_EQ(HostFaults().CallCount("GetVertex"), 0u);
}

// Names reach the plan from several places at different addresses; per-object
// counts are kept only when asked for, and asking without them is an error.
TEST_F(FaultPlan, CountsByNameWhateverTheAddressAndPerObjectOnlyWhenAsked) {
    THostRef<TPolyline> wire = TPolyline::Create(kinds::Wire, {{1, 1}});
    static const char sameName[] = "SetVertex"; // an array of its own: another address
    HostFaults().FailOperationCall("SetVertex", 3);
    EXPECT_EQ(HostFaults().Enter("SetVertex", wire->Id()), HostOk);
    EXPECT_EQ(HostFaults().Enter(sameName, wire->Id()), HostOk);
    EXPECT_EQ(wire->SetVertex(2, {2, 2}), HostFail); // the third call of the name
    EXPECT_EQ(HostFaults().CallCount("SetVertex"), 3u);
    EXPECT_THROW(HostFaults().CallCount("SetVertex", wire->Id()), std::logic_error);
    HostFaults().SetPerObjectCounts(true);
    EXPECT_EQ(wire->SetVertex(2, {2, 2}), HostOk);
    EXPECT_EQ(HostFaults().CallCount("SetVertex", wire->Id()), 1u);
    HostFaults().Reset();
    EXPECT_THROW(HostFaults().CallCount("SetVertex", wire->Id()), std::logic_error);
}

TEST_F(FaultPlan, NthCallFailsWithoutEffectAndOthersSucceed) {
    THostRef<TPolyline> wire = TPolyline::Create(kinds::Wire);
    HostFaults().FailCall(3);
    std::vector<THostResult> got;
    for (int32_t i = 1; i <= 4; ++i)
        got.push_back(wire->SetVertex(i, {i, i}));
    EXPECT_EQ(got, (std::vector<THostResult>{HostOk, HostOk, HostFail, HostOk}));
    ASSERT_EQ(wire->SetVertexCount(4), HostOk);
    EXPECT_EQ(wire->Vertices(),
              (std::vector<TSheetPoint>{{1, 1}, {2, 2}, {0, 0}, {4, 4}})); // 3 never written
    EXPECT_EQ(HostFaults().FailureCount(), 1u);
}

TEST_F(FaultPlan, NamedOperationFailsEveryTimeAndOutputsStayUntouched) {
    THostRef<TSheetDocument> doc = TSheetDocument::Create(30, 40);
    HostFaults().FailOperation("GetSheetWidth");
    int32_t width = -5;
    int32_t height = -5;
    EXPECT_EQ(doc->GetSheetWidth(&width), HostFail);
    EXPECT_EQ(doc->GetSheetWidth(&width), HostFail);
    EXPECT_EQ(doc->GetSheetHeight(&height), HostOk);
    EXPECT_EQ(width, -5);
    EXPECT_EQ(height, 40);
    EXPECT_THROW(HostCall(doc->GetSheetWidth(&width)), EHostCallError);
}

TEST_F(FaultPlan, FailedObjectOutputsAreNull) {
    THostRef<TSheetDocument> doc = TSheetDocument::Create(1, 1);
    doc->AddObject(*TGraphic::Create(kinds::Text, {}));
    HostFaults().FailOperation("NewObjectEnumerator");
    HostFaults().FailOperation("QueryInterface");
    ISch_ObjectEnumerator* e = reinterpret_cast<ISch_ObjectEnumerator*>(8);
    EXPECT_EQ(doc->NewObjectEnumerator(&e), HostFail);
    EXPECT_EQ(e, nullptr);
    void* out = reinterpret_cast<void*>(8);
    EXPECT_EQ(doc->QueryInterface(ISch_Document::IID, &out), HostFail);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(doc->RefCount(), 1u);
    // QueryAs reports a failing query as an error, not as a missing interface.
    EXPECT_THROW(QueryAs<ISch_Document>(doc.Get()), EHostCallError);
}

TEST_F(FaultPlan, NthCallOfOneOperation) {
    THostRef<TPolyline> wire = TPolyline::Create(kinds::Wire, {{1, 1}, {2, 2}});
    HostFaults().FailOperationCall("GetVertex", 2);
    TSheetPoint p;
    EXPECT_EQ(wire->GetVertexCount(&p.X), HostOk); // other operations do not count toward it
    EXPECT_EQ(wire->GetVertex(1, &p), HostOk);
    EXPECT_EQ(wire->GetVertex(2, &p), HostFail);
    EXPECT_EQ(wire->GetVertex(2, &p), HostOk);
}

TEST_F(FaultPlan, LogRecordsOrderObjectAndOutcome) {
    THostRef<TLabel> label = TLabel::Create({}, "x");
    HostFaults().SetLogging(true);
    HostFaults().FailOperation("GetLabelHidden");
    bool hidden = false;
    TSheetRect r;
    EXPECT_EQ(label->GetBoundingRect(&r), HostOk);
    EXPECT_EQ(label->GetLabelHidden(&hidden), HostFail);
    const auto& log = HostFaults().Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Serial, 1u);
    EXPECT_EQ(log[0].Operation, "GetBoundingRect");
    EXPECT_EQ(log[0].ObjectId, label->Id());
    EXPECT_FALSE(log[0].Failed);
    EXPECT_EQ(log[1].Operation, "GetLabelHidden");
    EXPECT_TRUE(log[1].Failed);
}

TEST_F(FaultPlan, ResetClearsRulesAndCounts) {
    THostRef<TLabel> label = TLabel::Create({}, "x");
    HostFaults().FailOperation("GetLabelHidden");
    HostFaults().FailCall(1);
    bool hidden = false;
    EXPECT_EQ(label->GetLabelHidden(&hidden), HostFail);
    HostFaults().Reset();
    EXPECT_EQ(HostFaults().CallCount(), 0u);
    EXPECT_EQ(label->GetLabelHidden(&hidden), HostOk); // call 1 again, but no rule now
}

} // namespace
} // namespace pathwick::workbench
