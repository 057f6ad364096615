// Filling the tree from sheets of the in-memory host.
#include "sheet/SheetObstacles.h"

#include "geometry/ObstacleDump.h"
#include "geometry/ObstacleKinds.h"
#include "host/HostCall.h"
#include "sheet/SheetExtent.h"
#include "workbench/model/ObjectEnumerator.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetObjects.h"
#include "workbench/model/Symbol.h"
#include "workbench/model/WorkbenchHost.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace pathwick {
namespace {

using namespace workbench;

struct Expected {
    int32_t kind;
    TBoundingRect box;
};

// The listing of a tree built by these insertions, in this order: two trees
// only list alike when they got the same leaves in the same order.
std::string Listing(const std::vector<Expected>& leaves) {
    TObstacleTree tree;
    for (const Expected& e : leaves)
        tree.AddRect(e.box, e.kind);
    return DescribeObstacles(tree);
}

class SheetObstacles : public ::testing::Test {
protected:
    void SetUp() override {
        host_.Reset();
        doc_ = TSheetDocument::Create(1000, 800);
        host_.SetActiveDocument(doc_.Get());
    }
    void TearDown() override { host_.Reset(); }
    // An empty tree over the active sheet's extent, as the session makes it.
    TObstacleTree NewTree() {
        TBoundingRect sheet;
        SetToSheet(sheet, &host_.Service());
        return TObstacleTree(sheet);
    }
    template <class T> T& Add(THostRef<T> object) {
        doc_->AddObject(*object);
        kept_.push_back(object.Get());
        return *object;
    }
    // Every object on the sheet is held by the document only, and no host
    // object was made or kept alive by the build.
    void ExpectReferencesReleased(std::size_t live, std::size_t unfreed = 0) {
        for (const TSheetObject* o : kept_)
            EXPECT_EQ(o->RefCount(), 1u) << "kind " << o->Kind();
        EXPECT_EQ(LiveHostObjectCount(), live);
        EXPECT_EQ(UnfreedEnumeratorCount(), unfreed);
    }
    // A sheet with one object of every family the build knows.
    void FillMixedSheet() {
        Add(TLineObject::Create(kinds::BusEntry, {10, 40}, {20, 30}));
        Add(TGraphic::Create(kinds::Junction, {0, 0, 5, 5})).SetAnchor({100, 200});
        Add(TPolyline::Create(kinds::Wire,
                              {{0, 0}, {10, 0}, {20, 0}, {20, 10}, {20, 30}, {25, 35}}));
        Add(TGraphic::Create(kinds::Rectangle, {300, 300, 400, 350}));
        Add(TLabel::Create({540, 520, 500, 500}, "NET")); // inverted: normalised
        Add(TLabel::Create({0, 0, 10, 10}, "HIDDEN")).SetHidden(true);
        TSymbol& u1 = Add(TSymbol::Create({600, 100, 720, 200}));
        u1.AddChild(*TGraphic::Create(kinds::Rectangle, {610, 110, 690, 190}));
        u1.AddChild(*TPin::Create({690, 150}, 0, 30));
        THostRef<TPin> hidden = TPin::Create({610, 150}, 2, 3000);
        hidden->SetHidden(true);
        u1.AddChild(*hidden);
        THostRef<TGraphic> otherPart = TGraphic::Create(8, {0, 0, 5000, 5000});
        otherPart->SetPart(2);
        u1.AddChild(*otherPart);
        u1.SetLabel(TLabel::Create({620, 200, 660, 215}, "U1").Get());
        Add(TGraphic::Create(8, {50, 600, 150, 620}));
        Add(TPolyline::Create(kinds::Bus, {{800, 100}, {800, 300}}));
        Add(TGraphic::Create(kinds::BusEntry, {1, 1, 2, 2})); // no bus-entry interface
        Add(TGraphic::Create(kinds::Symbol, {1, 1, 2, 2}));   // no symbol interface
        Add(TGraphic::Create(25, {1, 1, 2, 2}));              // not asked for
    }
    const std::vector<Expected> mixed_ = {{kinds::BusEntry, {10, 30, 20, 40}},
                                          {kinds::Junction, {99, 199, 101, 201}},
                                          {kinds::Wire, {0, 0, 20, 0}},
                                          {kinds::Wire, {20, 0, 20, 30}},
                                          {kinds::Rectangle, {300, 300, 400, 350}},
                                          {kinds::Label, {499, 501, 541, 519}},
                                          {kinds::Symbol, {610, 110, 720, 190}},
                                          {kinds::Label, {619, 201, 661, 214}},
                                          {8, {50, 600, 150, 620}},
                                          {kinds::Wire, {800, 100, 800, 300}},
                                          {KindSheetFrame, {0, 0, 1000, 800}}};

    TWorkbenchHost& host_ = TWorkbenchHost::Instance();
    THostRef<TSheetDocument> doc_;
    std::vector<TSheetObject*> kept_;
};

TEST_F(SheetObstacles, SheetExtentComesFromTheActiveDocument) {
    TBoundingRect r;
    SetToSheet(r, &host_.Service());
    EXPECT_EQ(r, TBoundingRect(0, 0, 1000, 800));

    TBoundingRect partial;
    HostFaults().FailOperation("GetSheetWidth"); // height is asked first
    EXPECT_THROW(SetToSheet(partial, &host_.Service()), EHostCallError);
    EXPECT_EQ(partial, TBoundingRect(0, 0, UnsetCoord, 800));
    HostFaults().Reset();

    host_.SetActiveDocument(nullptr);
    TBoundingRect none;
    SetToSheet(none, &host_.Service());
    EXPECT_FALSE(none.IsSet());
}

TEST(SheetKindFilter, AsksForTheModelledKindsOnly) {
    EXPECT_EQ(__builtin_popcountll(SheetKindFilter), 42);
    for (int k :
         {0, 1, 6, 25, 27, 30, 31, 32, 40, 42, 43, 44, 45, 48, 49, 50, 55, 58, 60, 61, 62, 63})
        EXPECT_FALSE(InKindSet(SheetKindFilter, k)) << k;
    EXPECT_EQ(SymbolKindFilter & ~SheetKindFilter, KindSet({30, 32, 48, 49, 50, 55}));
}

TEST(SheetExtent, WithoutAServiceTheRectangleIsLeftAlone) {
    TBoundingRect r;
    SetToSheet(r, nullptr);
    EXPECT_FALSE(r.IsSet());
    TBoundingRect s(1, 2, 3, 4);
    SetToSheet(s, nullptr);
    EXPECT_EQ(s, TBoundingRect(1, 2, 3, 4));
}

TEST_F(SheetObstacles, EmptySheetGivesTheFrameOnly) {
    TObstacleTree tree = NewTree();
    BuildFromDocument(tree, doc_.Get(), -1);
    EXPECT_EQ(DescribeObstacles(tree), Listing({{KindSheetFrame, {0, 0, 1000, 800}}}));
    EXPECT_EQ(DescribeObstacles(tree), "0 kind 30 sheet frame (0, 0)-(1000, 800)\n");
}

TEST_F(SheetObstacles, EveryObjectFamilyInSheetOrderThenTheFrame) {
    FillMixedSheet();
    TObstacleTree tree = NewTree();
    const std::size_t live = LiveHostObjectCount();
    HostFaults().Reset();
    BuildFromDocument(tree, doc_.Get(), -1);
    EXPECT_EQ(DescribeObstacles(tree), Listing(mixed_));
    ExpectReferencesReleased(live);
    EXPECT_EQ(HostFaults().CallCount("NewObjectEnumerator"), 2u);
    EXPECT_EQ(HostFaults().CallCount("FreeObjectEnumerator"), 2u);
}

TEST_F(SheetObstacles, InsetKindsShrinkByTheMarginPlusOne) {
    Add(TGraphic::Create(kinds::Rectangle, {0, 0, 100, 100}));
    Add(TGraphic::Create(kinds::RoundRectangle, {200, 0, 300, 100}));
    Add(TGraphic::Create(36, {400, 0, 500, 100})); // kept as it came
    TObstacleTree tree = NewTree();
    BuildFromDocument(tree, doc_.Get(), 2);
    EXPECT_EQ(DescribeObstacles(tree), Listing({{kinds::Rectangle, {3, 3, 97, 97}},
                                                {kinds::RoundRectangle, {203, 3, 297, 97}},
                                                {36, {400, 0, 500, 100}},
                                                {KindSheetFrame, {0, 0, 1000, 800}}}));
}

TEST_F(SheetObstacles, SymbolBoxFollowsPartViewAndPinRules) {
    // A pin at (100, 50) with a lead of 30, then possibly a body rectangle,
    // then a child of another view that must not count.
    struct Case {
        const char* name;
        bool showHidden;
        int32_t orientation;
        bool hidden, body;
        std::vector<Expected> want; // before the label
    } cases[] = {
        // clang-format off
        {"lead right",        false, 0, false, false, {{kinds::Symbol, {100, 50, 130, 50}}}},
        {"lead up",           false, 1, false, false, {{kinds::Symbol, {100, 50, 100, 80}}}},
        {"lead left",         false, 2, false, false, {{kinds::Symbol, {70, 50, 100, 50}}}},
        {"lead down",         false, 3, false, false, {{kinds::Symbol, {100, 20, 100, 50}}}},
        {"odd orientation",   false, 7, false, false, {{kinds::Symbol, {100, 50, 100, 50}}}},
        {"hidden pin, body",  false, 0, true,  true,  {{kinds::Symbol, {10, 10, 90, 90}}}},
        {"hidden pin shown",  true,  0, true,  true,  {{kinds::Symbol, {10, 10, 130, 90}}}},
        {"only a hidden pin", false, 0, true,  false, {}},
        // clang-format on
    };
    for (const Case& c : cases) {
        SetUp();
        TSymbol& s = Add(TSymbol::Create({0, 0, 200, 200}));
        s.SetHiddenPinsVisible(c.showHidden);
        THostRef<TPin> pin = TPin::Create({100, 50}, c.orientation, 30);
        pin->SetHidden(c.hidden);
        s.AddChild(*pin);
        if (c.body)
            s.AddChild(*TGraphic::Create(kinds::Rectangle, {10, 10, 90, 90}));
        THostRef<TGraphic> otherView = TGraphic::Create(8, {-500, -500, 900, 900});
        otherView->SetView(1);
        s.AddChild(*otherView);
        s.SetLabel(TLabel::Create({20, 100, 60, 110}, "U").Get());
        std::vector<Expected> want = c.want;
        want.push_back({kinds::Label, {19, 101, 61, 109}});
        want.push_back({KindSheetFrame, {0, 0, 1000, 800}});
        TObstacleTree tree = NewTree();
        const std::size_t live = LiveHostObjectCount();
        BuildFromDocument(tree, doc_.Get(), -1);
        EXPECT_EQ(DescribeObstacles(tree), Listing(want)) << c.name;
        ExpectReferencesReleased(live);
        TearDown();
        kept_.clear();
    }
}

TEST_F(SheetObstacles, ViewsAreAskedOnlyWhenPartsAgree) {
    TSymbol& s = Add(TSymbol::Create({0, 0, 200, 200}));
    THostRef<TGraphic> other = TGraphic::Create(8, {0, 0, 10, 10});
    other->SetPart(3);
    s.AddChild(*other);
    TObstacleTree tree = NewTree();
    HostFaults().Reset();
    BuildFromDocument(tree, doc_.Get(), -1);
    EXPECT_EQ(HostFaults().CallCount("GetCurrentPartNumber"), 1u);
    EXPECT_EQ(HostFaults().CallCount("GetCurrentViewNumber"), 0u);
    // No symbol box, no label: the frame only.
    EXPECT_EQ(DescribeObstacles(tree), Listing({{KindSheetFrame, {0, 0, 1000, 800}}}));
}

TEST_F(SheetObstacles, PolylineRuns) {
    using V = std::vector<TSheetPoint>;
    struct Case {
        V vertices;
        std::vector<TBoundingRect> runs;
    } cases[] = {
        {{{0, 0}, {10, 0}, {20, 0}, {20, 10}, {20, 30}, {25, 35}},
         {{0, 0, 20, 0}, {20, 0, 20, 30}}},
        {{{0, 0}, {10, 0}, {10, 10}, {10, 20}}, {{0, 0, 10, 0}, {10, 0, 10, 20}}},
        {{{0, 0}, {10, 0}, {20, 0}, {30, 0}}, {{0, 0, 30, 0}}},
        {{{0, 0}, {10, 0}, {5, 0}}, {{0, 0, 5, 0}}},  // doubling back covers anchor to end
        {{{0, 0}, {5, 5}, {5, 10}}, {{5, 5, 5, 10}}}, // a diagonal moves the anchor
        {{{30, 7}, {0, 7}}, {{0, 7, 30, 7}}},
        {{{4, 4}}, {}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        THostRef<TPolyline> line = TPolyline::Create(kinds::Polyline, c.vertices);
        TObstacleTree tree;
        AddPolyline(tree, line.Get());
        std::vector<Expected> want;
        for (const TBoundingRect& r : c.runs)
            want.push_back({kinds::Wire, r});
        EXPECT_EQ(DescribeObstacles(tree), Listing(want)) << c.vertices.size() << " vertices";
        EXPECT_EQ(line->RefCount(), 1u);
    }
    TObstacleTree tree;
    AddPolyline(tree, TPolyline::Create(20, {{0, 0}, {10, 0}}).Get()); // polygon: no runs
    AddPolyline(tree, nullptr);
    EXPECT_TRUE(tree.Empty());
}

// Fails each host call of the mixed build in turn: the error leaves the build,
// the obstacles added before it stay (a leading part of the full build, never
// the frame), every enumerator is freed and every reference released.
TEST_F(SheetObstacles, AFailingHostCallKeepsTheObstaclesSoFar) {
    FillMixedSheet();
    uint64_t calls = 0;
    {
        TObstacleTree full = NewTree();
        HostFaults().Reset();
        BuildFromDocument(full, doc_.Get(), -1);
        calls = HostFaults().CallCount();
    }
    std::vector<std::string> prefixes;
    for (std::size_t k = 0; k < mixed_.size(); ++k)
        prefixes.push_back(Listing({mixed_.begin(), mixed_.begin() + k}));
    ASSERT_GT(calls, 50u);
    for (uint64_t n = 1; n <= calls; ++n) {
        TObstacleTree tree = NewTree();
        const std::size_t live = LiveHostObjectCount();
        const std::size_t unfreed = UnfreedEnumeratorCount();
        HostFaults().Reset();
        HostFaults().SetLogging(true);
        HostFaults().FailCall(n);
        EXPECT_THROW(BuildFromDocument(tree, doc_.Get(), -1), EHostCallError) << "call " << n;
        const std::string failed = HostFaults().Log().at(n - 1).Operation;
        bool leading = false;
        for (const std::string& p : prefixes)
            leading = leading || DescribeObstacles(tree) == p;
        EXPECT_TRUE(leading) << "call " << n << " (" << failed << ")";
        if (failed == "FreeObjectEnumerator")
            EXPECT_EQ(UnfreedEnumeratorCount(), unfreed + 1); // the host refused to end it
        else
            ExpectReferencesReleased(live, unfreed);
    }
}

} // namespace
} // namespace pathwick
