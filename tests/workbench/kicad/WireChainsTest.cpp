// Wire chains: where a designer's connection begins and ends.
#include "workbench/kicad/WireChains.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetObjects.h"
#include "workbench/model/Symbol.h"

#include <gtest/gtest.h>

namespace pathwick::workbench::kicad {
namespace {

// Wires a-b-c-d (two bends), stopped at d by a junction where a branch d-e
// leaves; e ends on a pin; a square loop f-g-h-i stands apart.
TEST(WireChains, EndAtPinsJunctionsBranchesAndLooseEndsAndSkipLoops) {
    THostRef<TSheetDocument> sheet = TSheetDocument::Create(100, 100);
    const TSheetPoint a{0, 0}, b{10, 0}, c{10, 10}, d{20, 10}, e{20, 30};
    const TSheetPoint f{50, 50}, g{60, 50}, h{60, 60}, i{50, 60};
    THostRef<TSymbol> symbol = TSymbol::Create({15, 30, 25, 40});
    THostRef<TPin> pin = TPin::Create(e, 1, 5);
    symbol->AddChild(*pin);
    sheet->AddObject(*symbol); // object 0
    for (auto [p, q] : {std::pair{c, d}, {a, b}, {b, c}, {d, e}, {f, g}, {g, h}, {h, i}, {i, f}})
        sheet->AddObject(*TPolyline::Create(kinds::Wire, {p, q}));    // objects 1 to 8
    sheet->AddObject(*MakeJunction(d));                               // object 9
    sheet->AddObject(*TPolyline::Create(kinds::Wire, {d, {30, 10}})); // object 10

    const std::vector<TWireChain> chains = WireChains(*sheet);
    ASSERT_EQ(chains.size(), 3u);
    EXPECT_EQ(chains[0].A, a);
    EXPECT_EQ(chains[0].B, d);
    EXPECT_EQ(chains[0].Objects, (std::vector<std::size_t>{1, 3, 2, 9}));
    EXPECT_EQ(chains[1].A, d);
    EXPECT_EQ(chains[1].B, e);
    EXPECT_EQ(chains[1].Objects, (std::vector<std::size_t>{4, 9}));
    EXPECT_EQ(chains[2].A, d);
    EXPECT_EQ(chains[2].B, (TSheetPoint{30, 10}));
    EXPECT_EQ(chains[2].Objects, (std::vector<std::size_t>{10, 9}));
}

} // namespace
} // namespace pathwick::workbench::kicad
