#include "workbench/model/ObjectEnumerator.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetDocument.h"
#include "workbench/model/Symbol.h"
#include "workbench/model/WorkbenchHost.h"

#include "host/HostCall.h"

#include <gtest/gtest.h>

namespace pathwick::workbench {
namespace {

TEST(RefCount, DocumentHoldsOneReferencePerObject) {
    const std::size_t live = LiveHostObjectCount();
    {
        THostRef<TSheetDocument> doc = TSheetDocument::Create(10, 10);
        THostRef<TPolyline> wire = TPolyline::Create(kinds::Wire, {{0, 0}, {5, 0}});
        EXPECT_EQ(LiveHostObjectCount(), live + 2);
        doc->AddObject(*wire);
        EXPECT_EQ(wire->RefCount(), 2u);
        EXPECT_TRUE(doc->RemoveObject(*wire));
        EXPECT_FALSE(doc->RemoveObject(*wire));
        EXPECT_EQ(wire->RefCount(), 1u);
        doc->AddObject(*wire);
    }
    // The document's release frees the objects it held.
    EXPECT_EQ(LiveHostObjectCount(), live);
}

TEST(RefCount, EveryHandedOutReferenceIsCounted) {
    const std::size_t live = LiveHostObjectCount();
    THostRef<TSheetDocument> doc = TSheetDocument::Create(10, 10);
    THostRef<TSymbol> symbol = TSymbol::Create({});
    THostRef<TLabel> label = TLabel::Create({}, "U1");
    THostRef<TPin> pin = TPin::Create({}, 0, 5);
    symbol->SetLabel(label.Get());
    symbol->AddChild(*pin);
    doc->AddObject(*symbol);
    ASSERT_EQ(symbol->RefCount(), 2u);
    ASSERT_EQ(label->RefCount(), 2u);
    ASSERT_EQ(pin->RefCount(), 2u);
    {
        THostRef<ISch_ObjectEnumerator> e;
        HostCall(doc->NewObjectEnumerator(e.Put()));
        EXPECT_EQ(doc->RefCount(), 2u); // the enumerator holds its container
        THostRef<ISch_BasicContainer> first;
        HostCall(e->FirstObject(first.Put()));
        EXPECT_EQ(symbol->RefCount(), 3u);
        THostRef<ISch_Symbol> asSymbol = CastAs<ISch_Symbol>(first);
        EXPECT_EQ(symbol->RefCount(), 4u);
        THostRef<ISch_TextTag> gotLabel;
        HostCall(asSymbol->GetLabel(gotLabel.Put()));
        EXPECT_EQ(label->RefCount(), 3u);
        THostRef<ISch_ObjectEnumerator> children;
        HostCall(asSymbol->NewObjectEnumerator(children.Put()));
        THostRef<ISch_BasicContainer> child;
        HostCall(children->FirstObject(child.Put()));
        EXPECT_EQ(pin->RefCount(), 3u);
        HostCall(asSymbol->FreeObjectEnumerator(children.Get()));
        HostCall(doc->FreeObjectEnumerator(e.Get()));
        EXPECT_EQ(doc->RefCount(), 1u); // freeing drops the container reference
    }
    EXPECT_EQ(symbol->RefCount(), 2u);
    EXPECT_EQ(label->RefCount(), 2u);
    EXPECT_EQ(pin->RefCount(), 2u);
    symbol->SetLabel(nullptr);
    EXPECT_EQ(label->RefCount(), 1u);
    doc.Reset();
    symbol.Reset();
    label.Reset();
    pin.Reset();
    EXPECT_EQ(LiveHostObjectCount(), live);
}

TEST(RefCount, UnendedEnumeratorStillReleasesItsContainer) {
    const std::size_t live = LiveHostObjectCount();
    const std::size_t unfreed = UnfreedEnumeratorCount();
    {
        THostRef<TSheetDocument> doc = TSheetDocument::Create(1, 1);
        THostRef<ISch_ObjectEnumerator> e;
        HostCall(doc->NewObjectEnumerator(e.Put()));
    }
    EXPECT_EQ(LiveHostObjectCount(), live);
    // The walk was never freed, and the count says so.
    EXPECT_EQ(UnfreedEnumeratorCount(), unfreed + 1);
}

TEST(RefCount, ContainersRefuseWhatWouldNestOrCycle) {
    THostRef<TSheetDocument> doc = TSheetDocument::Create(1, 1);
    THostRef<TSymbol> symbol = TSymbol::Create({});
    THostRef<TSymbol> inner = TSymbol::Create({});
    EXPECT_THROW(doc->AddObject(*doc), std::invalid_argument);
    EXPECT_THROW(symbol->AddChild(*symbol), std::invalid_argument);
    EXPECT_THROW(symbol->AddChild(*inner), std::invalid_argument);
    EXPECT_THROW(symbol->AddChild(*doc), std::invalid_argument);
    EXPECT_EQ(doc->RefCount(), 1u);
    EXPECT_EQ(symbol->RefCount(), 1u);
    EXPECT_TRUE(symbol->ChildList().empty());
}

} // namespace
} // namespace pathwick::workbench
