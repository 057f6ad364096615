#include "workbench/model/ObjectEnumerator.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetDocument.h"
#include "workbench/model/Symbol.h"

#include "host/HostCall.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace pathwick::workbench {
namespace {

// Walks a container with an optional filter and returns the kinds that came.
std::vector<int32_t> Walk(ISch_BasicContainer& container, std::optional<uint64_t> filter) {
    THostRef<ISch_ObjectEnumerator> e;
    HostCall(container.NewObjectEnumerator(e.Put()));
    HostCall(e->SetEnumerationMode(0));
    if (filter)
        HostCall(e->SetKindFilter(*filter));
    std::vector<int32_t> kinds;
    THostRef<ISch_BasicContainer> object;
    HostCall(e->FirstObject(object.Put()));
    while (object) {
        int32_t kind = -1;
        HostCall(object->GetObjectKind(&kind));
        kinds.push_back(kind);
        HostCall(e->NextObject(object.Put()));
    }
    HostCall(container.FreeObjectEnumerator(e.Get()));
    return kinds;
}

constexpr uint64_t Bit(int k) {
    return uint64_t{1} << k;
}

struct TFilterCase {
    const char* name;
    std::optional<uint64_t> filter;
    std::vector<int32_t> expect;
};

class KindFilter : public ::testing::TestWithParam<TFilterCase> {};

// Sheet objects of kinds 0, 7, 18, 24, 63, 64, -1 and 2^31-1 in that order.
TEST_P(KindFilter, OnlyMatchingKindsComeInOrder) {
    THostRef<TSheetDocument> doc = TSheetDocument::Create(100, 100);
    for (int32_t kind : {0, 7, 18, 24, 63, 64, -1, INT32_MAX})
        doc->AddObject(*TGraphic::Create(kind, {}));
    EXPECT_EQ(Walk(*doc, GetParam().filter), GetParam().expect);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KindFilter,
    ::testing::Values(
        TFilterCase{"NoFilterGivesAll", std::nullopt, {0, 7, 18, 24, 63, 64, -1, INT32_MAX}},
        TFilterCase{"AllBitsSkipOutOfRange", ~uint64_t{0}, {0, 7, 18, 24, 63}},
        TFilterCase{"Empty", uint64_t{0}, {}},
        TFilterCase{"LowAndHighBits", Bit(0) | Bit(63), {0, 63}},
        TFilterCase{"Some", Bit(18) | Bit(24) | Bit(30), {18, 24}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Enumerator, SymbolWalksItsChildrenButNotItsLabel) {
    THostRef<TSymbol> symbol = TSymbol::Create({0, 0, 10, 10});
    symbol->AddChild(*TGraphic::Create(kinds::Rectangle, {0, 0, 10, 10}));
    symbol->AddChild(*TPin::Create({0, 5}, 2, 3));
    symbol->AddChild(*TGraphic::Create(kinds::Parameter, {0, 0, 1, 1}));
    THostRef<TLabel> label = TLabel::Create({0, 11, 5, 13}, "U1");
    symbol->SetLabel(label.Get());
    EXPECT_EQ(Walk(*symbol, std::nullopt),
              (std::vector<int32_t>{kinds::Rectangle, kinds::Pin, kinds::Parameter}));
    EXPECT_EQ(Walk(*symbol, Bit(kinds::Pin)), std::vector<int32_t>{kinds::Pin});
}

TEST(Enumerator, ObjectsWithoutChildrenYieldNothing) {
    THostRef<TLabel> label = TLabel::Create({}, "x");
    EXPECT_TRUE(Walk(*label, std::nullopt).empty());
}

TEST(Enumerator, FirstObjectRestartsAndFilterAppliesFromNextStep) {
    THostRef<TSheetDocument> doc = TSheetDocument::Create(100, 100);
    for (int32_t kind : {1, 2, 3, 4})
        doc->AddObject(*TGraphic::Create(kind, {}));
    THostRef<ISch_ObjectEnumerator> e;
    ASSERT_EQ(doc->NewObjectEnumerator(e.Put()), HostOk);
    THostRef<ISch_BasicContainer> object;
    int32_t kind = 0;
    ASSERT_EQ(e->NextObject(object.Put()), HostOk); // Next before First starts at the front
    ASSERT_EQ(object->GetObjectKind(&kind), HostOk);
    EXPECT_EQ(kind, 1);
    ASSERT_EQ(e->SetKindFilter(Bit(4)), HostOk);
    ASSERT_EQ(e->NextObject(object.Put()), HostOk);
    ASSERT_EQ(object->GetObjectKind(&kind), HostOk);
    EXPECT_EQ(kind, 4);
    ASSERT_EQ(e->NextObject(object.Put()), HostOk);
    EXPECT_FALSE(object);
    ASSERT_EQ(e->FirstObject(object.Put()), HostOk);
    ASSERT_EQ(object->GetObjectKind(&kind), HostOk);
    EXPECT_EQ(kind, 4);
    ASSERT_EQ(doc->FreeObjectEnumerator(e.Get()), HostOk);
}

TEST(Enumerator, ModesOtherThanZeroAreRefused) {
    THostRef<TSheetDocument> doc = TSheetDocument::Create(1, 1);
    THostRef<ISch_ObjectEnumerator> e;
    ASSERT_EQ(doc->NewObjectEnumerator(e.Put()), HostOk);
    EXPECT_EQ(e->SetEnumerationMode(0), HostOk);
    EXPECT_EQ(e->SetEnumerationMode(1), HostInvalidArg);
    EXPECT_EQ(e->SetEnumerationMode(-1), HostInvalidArg);
    ASSERT_EQ(doc->FreeObjectEnumerator(e.Get()), HostOk);
}

TEST(Enumerator, FreeEndsTheWalkOnceAndOnlyOnItsContainer) {
    const std::size_t unfreed = UnfreedEnumeratorCount();
    THostRef<TSheetDocument> doc = TSheetDocument::Create(1, 1);
    doc->AddObject(*TGraphic::Create(kinds::Text, {}));
    THostRef<TSheetDocument> other = TSheetDocument::Create(1, 1);
    THostRef<ISch_ObjectEnumerator> e;
    ASSERT_EQ(doc->NewObjectEnumerator(e.Put()), HostOk);
    EXPECT_EQ(UnfreedEnumeratorCount(), unfreed + 1);
    EXPECT_EQ(other->FreeObjectEnumerator(e.Get()), HostInvalidArg);
    EXPECT_EQ(doc->FreeObjectEnumerator(nullptr), HostInvalidArg);
    EXPECT_EQ(UnfreedEnumeratorCount(), unfreed + 1);
    ASSERT_EQ(doc->FreeObjectEnumerator(e.Get()), HostOk);
    EXPECT_EQ(UnfreedEnumeratorCount(), unfreed);
    EXPECT_EQ(doc->FreeObjectEnumerator(e.Get()), HostInvalidArg);
    THostRef<ISch_BasicContainer> object;
    EXPECT_EQ(e->FirstObject(object.Put()), HostFail);
    EXPECT_FALSE(object);
}

TEST(Enumerator, RemovalDuringWalkNeverReadsPastTheEnd) {
    THostRef<TSheetDocument> doc = TSheetDocument::Create(1, 1);
    std::vector<THostRef<TGraphic>> held;
    for (int32_t kind : {1, 2, 3}) {
        held.push_back(TGraphic::Create(kind, {}));
        doc->AddObject(*held.back());
    }
    THostRef<ISch_ObjectEnumerator> e;
    ASSERT_EQ(doc->NewObjectEnumerator(e.Put()), HostOk);
    THostRef<ISch_BasicContainer> object;
    ASSERT_EQ(e->FirstObject(object.Put()), HostOk);
    ASSERT_EQ(e->NextObject(object.Put()), HostOk);
    for (auto& g : held)
        EXPECT_TRUE(doc->RemoveObject(*g));
    ASSERT_EQ(e->NextObject(object.Put()), HostOk);
    EXPECT_FALSE(object);
    ASSERT_EQ(doc->FreeObjectEnumerator(e.Get()), HostOk);
}

} // namespace
} // namespace pathwick::workbench
