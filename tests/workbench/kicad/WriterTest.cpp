// Reading a schematic of the later formats, the junctions new wires need,
// and writing new wires in the file's own style.
#include "workbench/kicad/KicadSheet.h"
#include "workbench/kicad/KicadUnits.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Symbol.h"

#include <gtest/gtest.h>

namespace pathwick::workbench::kicad {
namespace {

// A file as the editor's release 8 writes it: tabs, quoted UUIDs, (hide yes).
const char* const kRelease8 = R"((kicad_sch
	(version 20231120)
	(generator "eeschema")
	(uuid "11111111-2222-3333-4444-555555555555")
	(paper "A4")
	(lib_symbols
		(symbol "Device:R"
			(pin_numbers (hide yes))
			(pin_names (offset 0))
			(symbol "R_0_1"
				(rectangle (start -1.016 -2.54) (end 1.016 2.54)
					(stroke (width 0.254) (type default)) (fill (type none)))
			)
			(symbol "R_1_1"
				(pin passive line (at 0 3.81 270) (length 1.27)
					(name "~" (effects (font (size 1.27 1.27))))
					(number "1" (effects (font (size 1.27 1.27)))))
				(pin passive line (at 0 -3.81 90) (length 1.27) (hide yes)
					(name "~" (effects (font (size 1.27 1.27))))
					(number "2" (effects (font (size 1.27 1.27)))))
			)
			(symbol "R_2_1"
				(pin passive line (at 5.08 0 180) (length 1.27)
					(name "~" (effects (font (size 1.27 1.27))))
					(number "3" (effects (font (size 1.27 1.27)))))
			)
		)
		(symbol "Device:R_Alt" (extends "R"))
	)
	(symbol
		(lib_id "Device:R_Alt")
		(at 101.6 50.8 90)
		(unit 1)
		(body_style 1)
		(property "Reference" "R1" (at 101.6 48.26 0) (effects (font (size 1.27 1.27))))
		(property "Value" "10k" (at 101.6 53.34 0) (effects (font (size 1.27 1.27))))
		(property "Footprint" "" (at 0 0 0) (effects (font (size 1.27 1.27)) (hide yes)))
		(property "Datasheet" "hide" (at 101.6 55.88 0) (effects (font (size 1.27 1.27))))
		(uuid "aaaaaaaa-2222-3333-4444-555555555555")
	)
	(text_box "a note" (at 10 10 0) (size 20 5) (effects (font (size 1.27 1.27))))
	(netclass_flag "" (length 2.54) (shape round) (at 30 30 90) (effects (font (size 1.27 1.27))))
	(bezier (pts (xy 0 0) (xy 1 1) (xy 2 1) (xy 3 0)) (stroke (width 0) (type dash)))
	(arc (start 40 40) (mid 41 39) (end 42 40))
)
)";

// The text with every fresh random (version 4) UUID as "U"; a malformed one
// stays as it is.
std::string WithoutUuids(std::string text) {
    const std::string_view hex = "0123456789abcdef";
    for (std::size_t at = text.find("(uuid \""); at != std::string::npos;
         at = text.find("(uuid \"", at + 1)) {
        const std::string id = text.substr(at + 7, 36);
        bool ok = id.size() == 36 && text.compare(at + 43, 1, "\"") == 0 && id[14] == '4' &&
                  std::string_view("89ab").find(id[19]) != std::string_view::npos;
        for (std::size_t i = 0; i < id.size() && ok; ++i)
            ok = (i == 8 || i == 13 || i == 18 || i == 23) ? id[i] == '-'
                                                           : hex.find(id[i]) != hex.npos;
        if (ok)
            text.replace(at + 7, 36, "U");
    }
    return text;
}

std::vector<const TPin*> PinsOf(const TSheetDocument& sheet) {
    std::vector<const TPin*> pins;
    for (const auto& object : sheet.Objects())
        if (const auto* symbol = dynamic_cast<const TSymbol*>(object.Get()))
            for (const auto& child : symbol->ChildList())
                if (const auto* pin = dynamic_cast<const TPin*>(child.Get()))
                    pins.push_back(pin);
    return pins;
}

TEST(KicadSheet, ReadsTheLaterFormatsFlagsAndInheritance) {
    const auto sheet = TKicadSheet::FromText(kRelease8, "r8.kicad_sch");
    const TItemCounts& counts = sheet->Counts();
    EXPECT_EQ(counts.Symbols, 1);
    EXPECT_EQ(counts.Texts, 1);
    EXPECT_EQ(counts.Labels, 1);
    EXPECT_EQ(counts.Graphics, 2);
    // Unit 1 only: its two pins, the second hidden by (hide yes); not unit 2's pin.
    const std::vector<const TPin*> pins = PinsOf(sheet->Document());
    ASSERT_EQ(pins.size(), 2u);
    const TPageFrame& frame = sheet->Frame();
    // Turned 90 degrees: library (0, 3.81) goes to the left of (101.6, 50.8)
    // and its lead (pointing down in the library) now points right.
    EXPECT_EQ(frame.ToFile(pins[0]->Anchor()), (TFilePoint{977900, 508000}));
    EXPECT_EQ(pins[0]->Orientation(), 0);
    EXPECT_EQ(pins[0]->LeadLength(), 1000000);
    EXPECT_FALSE(pins[0]->Hidden());
    EXPECT_EQ(frame.ToFile(pins[1]->Anchor()), (TFilePoint{1054100, 508000}));
    EXPECT_TRUE(pins[1]->Hidden());
    // The designator labels the symbol; the visible fields stand on their
    // own, the quoted "hide" among them; the hidden footprint does not.
    const auto* symbol = dynamic_cast<const TSymbol*>(sheet->Document().Objects()[0].Get());
    ASSERT_NE(symbol, nullptr);
    ASSERT_NE(symbol->Label(), nullptr);
    EXPECT_EQ(symbol->Label()->Text(), "R1");
    std::vector<std::string> texts;
    for (const auto& object : sheet->Document().Objects())
        if (object->Kind() == kinds::Text)
            texts.push_back(object->Text());
    EXPECT_EQ(texts, (std::vector<std::string>{"10k", "hide"}));
}

TEST(KicadSheet, WritesAddedRunsInTheFilesStyleAndNothingElse) {
    const auto sheet = TKicadSheet::FromText(kRelease8, "r8.kicad_sch");
    EXPECT_EQ(sheet->SavedText(), kRelease8);
    const TPageFrame& frame = sheet->Frame();
    // From the pin left, up, and on to the right in two collinear steps.
    const TSheetPoint pin = frame.ToSheet({977900, 508000});
    const TSheetPoint up = frame.ToSheet({977900, 406400});
    THostRef<TPolyline> wire = TPolyline::Create(
        kinds::Wire, {pin, up, frame.ToSheet({1104900, 406400}), frame.ToSheet({1206500, 406400})});
    sheet->Document().AddObject(*wire);
    const std::string saved = sheet->SavedText();
    // Right after the library symbols, each run as the release writes a wire,
    // and nothing else.
    const std::string original = kRelease8;
    const std::string libraryEnd = "(extends \"R\"))\n\t)";
    const std::size_t at = original.find(libraryEnd) + libraryEnd.size();
    ASSERT_GT(saved.size(), original.size());
    const std::string added = saved.substr(at, saved.size() - original.size());
    EXPECT_EQ(saved.substr(0, at) + saved.substr(at + added.size()), original);
    const auto run = [](const char* a, const char* b) {
        return std::string("\n\t(wire\n\t\t(pts\n\t\t\t(xy ") + a + ") (xy " + b +
               ")\n\t\t)\n\t\t(stroke\n\t\t\t(width 0)\n\t\t\t(type default)\n\t\t)\n\t\t(uuid "
               "\"U\")\n\t)";
    };
    EXPECT_EQ(WithoutUuids(added),
              run("97.79 50.8", "97.79 40.64") + run("97.79 40.64", "120.65 40.64"));
    // Read back, the runs are wires of the file.
    const auto again = TKicadSheet::FromText(saved, "saved");
    EXPECT_EQ(again->Counts().Wires, 2);
    // A segment the module did not route is not written as a connection.
    wire->MarkUnrouted(up, frame.ToSheet({1104900, 406400}));
    wire->MarkUnrouted(frame.ToSheet({1104900, 406400}), frame.ToSheet({1206500, 406400}));
    EXPECT_EQ(TKicadSheet::FromText(sheet->SavedText(), "unrouted")->Counts().Wires, 1);
}

TEST(KicadSheet, RefusesWhatItCannotWriteBack) {
    const auto sheet = TKicadSheet::FromText(kRelease8, "r8.kicad_sch");
    THostRef<TSheetObject> first = sheet->Document().Objects()[0];
    sheet->Document().RemoveObject(*first);
    EXPECT_THROW(sheet->SavedText(), EKicadError);
    sheet->Document().AddObject(*first);
    EXPECT_NO_THROW(sheet->SavedText());
    THostRef<TGraphic> note = TGraphic::Create(kinds::Text, {0, 0, 10, 10});
    sheet->Document().AddObject(*note);
    EXPECT_THROW(sheet->SavedText(), EKicadError);
}

TEST(KicadSheet, RefusesOtherFormatsSayingWhichTheyAre) {
    struct TCase {
        std::string Text;
        const char* Says;
    };
    const TCase cases[] = {
        {"EESchema Schematic File Version 4\nLIBS:x\n", "legacy KiCad schematic"},
        {"(kicad_sch (version 20200310) (generator eeschema))", "development format older"},
        {"(kicad_pcb (version 20211014))", "not a KiCad schematic"},
        {"(kicad_sch (version 20211123) (paper \"Z9\"))", "unknown paper size"},
        {"(kicad_sch (generator eeschema))", "no (version"},
        {"(kicad_sch (version 20211123) (wire (pts (xy 1 2))))", "needs two points"},
        {"(kicad_sch (version 20211123) (wire (pts (xy 1 2) (xy 1 zz))))", "not a length"},
        {"(kicad_sch (version 20211123) (paper \"User\" 5000 100))", "too large"},
    };
    for (const TCase& c : cases) {
        try {
            TKicadSheet::FromText(c.Text, "f.kicad_sch");
            ADD_FAILURE() << c.Text;
        } catch (const EKicadError& e) {
            EXPECT_NE(std::string(e.what()).find(c.Says), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind("f.kicad_sch", 0), 0u) << e.what();
        }
    }
}

// A horizontal existing wire (0,0)-(10,0) in grid steps, a pin at (20, 0),
// a bus along x = 30 and a junction at (0, 10).
class Junctions : public ::testing::Test {
protected:
    static constexpr int32_t G = GridUnits;
    void SetUp() override {
        sheet = TSheetDocument::Create(100 * G, 100 * G);
        sheet->AddObject(*TPolyline::Create(kinds::Wire, {{0, 0}, {10 * G, 0}}));
        THostRef<TSymbol> symbol = TSymbol::Create({});
        symbol->AddChild(*TPin::Create({20 * G, 0}, 0, G));
        sheet->AddObject(*symbol);
        sheet->AddObject(*TPolyline::Create(kinds::Bus, {{30 * G, -10 * G}, {30 * G, 10 * G}}));
        sheet->AddObject(*MakeJunction({0, 10 * G}));
    }
    std::vector<TSheetPoint> For(std::vector<TSheetPoint> points) {
        return JunctionsNeeded(*sheet, StraightRuns(points), {});
    }
    THostRef<TSheetDocument> sheet;
};

TEST_F(Junctions, WhereTheEditorNeedsThem) {
    using P = std::vector<TSheetPoint>;
    // End on the inside of a wire: a T.
    EXPECT_EQ(For({{5 * G, 0}, {5 * G, 5 * G}}), (P{{5 * G, 0}}));
    // End on a wire's end: two ends only.
    EXPECT_EQ(For({{10 * G, 0}, {10 * G, 5 * G}}), P{});
    // End on a pin: none; on a pin and a second new end: three.
    EXPECT_EQ(For({{20 * G, 5 * G}, {20 * G, 0}}), P{});
    EXPECT_EQ(
        JunctionsNeeded(*sheet, {{{20 * G, 5 * G}, {20 * G, 0}}, {{25 * G, 0}, {20 * G, 0}}}, {}),
        (P{{20 * G, 0}}));
    // Passing through a wire's end.
    EXPECT_EQ(For({{10 * G, -5 * G}, {10 * G, 5 * G}}), (P{{10 * G, 0}}));
    // A bend of the new wire itself, and a crossing: none.
    EXPECT_EQ(For({{40 * G, 40 * G}, {40 * G, 50 * G}, {50 * G, 50 * G}}), P{});
    EXPECT_EQ(For({{5 * G, -5 * G}, {5 * G, 5 * G}}), P{});
    // Where a junction stands already.
    EXPECT_EQ(For({{0, 10 * G}, {0, 20 * G}}), P{});
    // On a bus.
    EXPECT_EQ(For({{25 * G, 3 * G}, {30 * G, 3 * G}}), (P{{30 * G, 3 * G}}));
}

TEST(StraightRuns, MergeCollinearStepsAndDropEmptyOnes) {
    const std::vector<TRun> runs = StraightRuns({{0, 0}, {5, 0}, {5, 0}, {9, 0}, {4, 0}, {4, 7}});
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].B, (TSheetPoint{9, 0}));
    EXPECT_EQ(runs[1].B, (TSheetPoint{4, 0})); // doubling back is a run of its own
    EXPECT_EQ(runs[2].B, (TSheetPoint{4, 7}));
}

} // namespace
} // namespace pathwick::workbench::kicad
