#include "workbench/files/SheetSvg.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/Symbol.h"

#include <gtest/gtest.h>

namespace pathwick::workbench {
namespace {

std::size_t CountOf(const std::string& text, const std::string& needle) {
    std::size_t n = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos;
         at = text.find(needle, at + needle.size()))
        ++n;
    return n;
}

// A 100 x 50 sheet drawn 100 pixels wide: one pixel per unit, y flipped.
class SheetSvg : public ::testing::Test {
protected:
    void SetUp() override {
        sheet = TSheetDocument::Create(100, 50);
        THostRef<TSymbol> symbol = TSymbol::Create({20, 20, 40, 40});
        symbol->AddChild(*TGraphic::Create(kinds::Rectangle, {25, 25, 35, 35}));
        symbol->AddChild(*TPin::Create({20, 30}, 0, 5));
        THostRef<TPin> hidden = TPin::Create({40, 30}, 2, 5);
        hidden->SetHidden(true);
        symbol->AddChild(*hidden);
        THostRef<TPin> otherPart = TPin::Create({30, 20}, 1, 5);
        otherPart->SetPart(2);
        symbol->AddChild(*otherPart);
        THostRef<TLabel> designator = TLabel::Create({25, 36, 30, 39}, "U1");
        symbol->SetLabel(designator.Get());
        sheet->AddObject(*symbol);

        wire = TPolyline::Create(kinds::Wire, {{10, 40}, {20, 40}, {20, 30}});
        sheet->AddObject(*wire);
        sheet->AddObject(*TPolyline::Create(kinds::Wire, {{50, 10}, {60, 10}}));
        sheet->AddObject(*TPolyline::Create(kinds::Bus, {{70, 5}, {70, 45}}));
        sheet->AddObject(*TLineObject::Create(kinds::BusEntry, {69, 20}, {70, 21}));
        sheet->AddObject(*MakeJunction({20, 40}));
        sheet->AddObject(*TLabel::Create({50, 11, 55, 14}, "A<&>B"));
        THostRef<TLabel> hiddenLabel = TLabel::Create({50, 20, 55, 23}, "SECRET");
        hiddenLabel->SetHidden(true);
        sheet->AddObject(*hiddenLabel);
    }

    std::string Render(TSvgOptions options = {}) {
        options.PixelWidth = 100;
        return RenderSheetSvg(*sheet, options);
    }

    THostRef<TSheetDocument> sheet;
    THostRef<TPolyline> wire;
};

TEST_F(SheetSvg, DrawsEachKindOfElement) {
    const std::string svg = Render();
    EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100.00\" "
                        "height=\"50.00\"",
                        0),
              0u)
        << svg.substr(0, 120);
    EXPECT_EQ(CountOf(svg, "class=\"body\""), 1u);
    EXPECT_EQ(CountOf(svg, "class=\"pin\""), 1u); // hidden and other-part pins stay out
    EXPECT_EQ(CountOf(svg, "class=\"wire\""), 2u);
    EXPECT_EQ(CountOf(svg, "class=\"bus\""), 1u);
    EXPECT_EQ(CountOf(svg, "class=\"bus-entry\""), 1u);
    EXPECT_EQ(CountOf(svg, "class=\"junction\""), 1u);
    EXPECT_EQ(CountOf(svg, "class=\"label designator\""), 1u);
    EXPECT_EQ(CountOf(svg, "class=\"label\""), 1u);
    EXPECT_NE(svg.find(">U1</text>"), std::string::npos);
    EXPECT_NE(svg.find(">A&lt;&amp;&gt;B</text>"), std::string::npos);
    EXPECT_EQ(svg.find("SECRET"), std::string::npos);
    EXPECT_EQ(CountOf(svg, "routed"), 0u);
    EXPECT_EQ(CountOf(svg, "class=\"mark\""), 0u);
    EXPECT_EQ(svg.find("pattern"), std::string::npos);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

TEST_F(SheetSvg, FlipsYSoThatUpIsUp) {
    const std::string svg = Render();
    // Wire (10, 40) (20, 40) (20, 30) on a sheet 50 high.
    EXPECT_NE(svg.find("points=\"10.00,10.00 20.00,10.00 20.00,20.00\""), std::string::npos);
    // The body (25, 25)-(35, 35): top edge at y = 50 - 35.
    EXPECT_NE(svg.find("class=\"body\" x=\"25.00\" y=\"15.00\" width=\"10.00\" height=\"10.00\""),
              std::string::npos);
    // The visible pin runs from its end (20, 30) into the body.
    EXPECT_NE(svg.find("class=\"pin\" x1=\"20.00\" y1=\"20.00\" x2=\"25.00\" y2=\"20.00\""),
              std::string::npos);
}

TEST_F(SheetSvg, HiddenPinsShowWhenTheSymbolSaysSo) {
    auto* symbol = dynamic_cast<TSymbol*>(sheet->Objects()[0].Get());
    ASSERT_NE(symbol, nullptr);
    symbol->SetHiddenPinsVisible(true);
    EXPECT_EQ(CountOf(Render(), "class=\"pin\""), 2u);
    symbol->SetCurrentPart(2);
    const std::string svg = Render();
    EXPECT_EQ(CountOf(svg, "class=\"pin\""), 1u); // only the part-2 pin
    EXPECT_EQ(CountOf(svg, "class=\"body\""), 0u);
}

TEST_F(SheetSvg, HighlightsOverlaysMarksAndGrid) {
    TSvgOptions options;
    options.Highlight = std::vector<TPolyline*>{wire.Get()};
    options.Overlays.push_back({{0, 0}, {5, 0}});
    options.Marks = {{10, 40}, {20, 30}};
    options.GridDots = true;
    options.GridStep = 10;
    options.Title = "Route <1>";
    const std::string svg = Render(options);
    EXPECT_EQ(CountOf(svg, "class=\"wire routed\""), 1u);
    EXPECT_EQ(CountOf(svg, "class=\"wire\""), 1u);
    EXPECT_EQ(CountOf(svg, "class=\"overlay routed\""), 1u);
    EXPECT_EQ(CountOf(svg, "class=\"mark\""), 2u);
    EXPECT_NE(svg.find("<circle class=\"mark\" cx=\"20.00\" cy=\"20.00\""), std::string::npos);
    EXPECT_NE(svg.find("<pattern id=\"grid\""), std::string::npos);
    EXPECT_NE(svg.find("<title>Route &lt;1&gt;</title>"), std::string::npos);
}

TEST_F(SheetSvg, UnroutedSegmentsAreDashedApartFromTheRoutedRuns) {
    // (10, 40) (20, 40) (20, 30) (30, 30) (30, 20): the middle two segments unrouted.
    wire->SetVertices({{10, 40}, {20, 40}, {20, 30}, {30, 30}, {30, 20}});
    wire->SetUnroutedSegments({2, 3});
    const std::string svg = Render();
    EXPECT_NE(svg.find("class=\"wire\" points=\"10.00,10.00 20.00,10.00\""), std::string::npos);
    EXPECT_NE(svg.find("class=\"wire unrouted\" points=\"20.00,10.00 20.00,20.00 30.00,20.00\""),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find("class=\"wire\" points=\"30.00,20.00 30.00,30.00\""), std::string::npos);
    EXPECT_EQ(CountOf(svg, "stroke-dasharray"), 1u);
}

TEST_F(SheetSvg, PinNamesAndNumbersStandBesideTheirPins) {
    auto* symbol = dynamic_cast<TSymbol*>(sheet->Objects()[0].Get());
    ASSERT_NE(symbol, nullptr);
    auto* pin = dynamic_cast<TPin*>(symbol->ChildList()[1].Get());
    ASSERT_NE(pin, nullptr);
    pin->SetText("+IN");
    pin->SetNumber("3");
    const std::string svg = Render();
    // The lead runs from (20, 30) to (25, 30): the name starts inside the
    // body beyond it, the number stands above the lead's middle.
    EXPECT_NE(svg.find("class=\"pin-name\" x=\""), std::string::npos);
    EXPECT_NE(
        svg.find("text-anchor=\"start\" dominant-baseline=\"central\" fill=\"#1f3a93\">+IN</text>"),
        std::string::npos)
        << svg;
    EXPECT_NE(
        svg.find("text-anchor=\"middle\" dominant-baseline=\"auto\" fill=\"#1f3a93\">3</text>"),
        std::string::npos);
    // Pins without a name or number get no text.
    EXPECT_EQ(CountOf(svg, "class=\"pin-name\""), 1u);
    EXPECT_EQ(CountOf(svg, "class=\"pin-number\""), 1u);
}

// Objects that bring their own drawing are drawn from it, not from their box.
TEST_F(SheetSvg, DrawsAnObjectsOwnShapes) {
    TShape outline;
    outline.Kind = TShapeKind::Polygon;
    outline.Ink = TInk::GlobalLabel;
    outline.Points = {{60, 30}, {70, 30}, {70, 35}};
    TShape dot;
    dot.Kind = TShapeKind::Circle;
    dot.Ink = TInk::Junction;
    dot.Fill = TShapeFill::Outline;
    dot.Points = {{80, 10}};
    dot.Radius = 2;
    TShape arc;
    arc.Kind = TShapeKind::Arc;
    arc.Ink = TInk::Body;
    arc.Points = {{0, 0}, {10, 10}, {20, 0}};
    TShape text;
    text.Kind = TShapeKind::Text;
    text.Ink = TInk::PinName;
    text.Points = {{90, 20}};
    text.Text = "CLK<";
    text.TextSize = 4;
    text.Angle = 90;
    text.Along = TTextAlign::End;
    THostRef<TGraphic> port = TGraphic::Create(kinds::Port, {60, 30, 70, 35});
    port->SetDrawing({outline, dot, arc, text});
    sheet->AddObject(*port);
    const std::string svg = Render();
    EXPECT_EQ(CountOf(svg, "class=\"port\""), 0u);
    EXPECT_NE(svg.find("<polygon class=\"label\" points=\"60.00,20.00 70.00,20.00 70.00,15.00\""),
              std::string::npos);
    EXPECT_NE(svg.find("<circle class=\"junction\" cx=\"80.00\" cy=\"40.00\" r=\"2.00\" "
                       "fill=\"#009600\""),
              std::string::npos);
    // Up through (10, 10): on screen from (0, 50) over the top to (20, 50).
    EXPECT_NE(svg.find("d=\"M0.00,50.00 A10.00,10.00 0 0 1 20.00,50.00\""), std::string::npos)
        << svg;
    EXPECT_NE(svg.find("text-anchor=\"end\" fill=\"#006464\" transform=\"rotate(-90.00 90.00 "
                       "30.00)\">CLK&lt;</text>"),
              std::string::npos);
}

TEST_F(SheetSvg, TooDenseAGridIsLeftOut) {
    TSvgOptions options;
    options.GridDots = true;
    options.GridStep = 0;
    EXPECT_EQ(Render(options).find("pattern"), std::string::npos);
    sheet->SetSize(2000000000, 2000000000);
    options.GridStep = 1000;
    EXPECT_EQ(Render(options).find("pattern"), std::string::npos);
}

TEST_F(SheetSvg, ExtremeCoordinatesStillGiveNumbers) {
    sheet->AddObject(*TPolyline::Create(kinds::Wire, {{INT32_MIN, INT32_MIN}, {INT32_MAX, 0}}));
    sheet->AddObject(*TGraphic::Create(kinds::Ellipse, {INT32_MAX, INT32_MAX, INT32_MIN, 0}));
    const std::string svg = Render();
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
    EXPECT_EQ(CountOf(svg, "class=\"ellipse\""), 1u);
}

} // namespace
} // namespace pathwick::workbench
