#include "workbench/files/SheetFile.h"

#include "platform/settings/FileStore.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/Symbol.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace pathwick::workbench {
namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string TempPath(const std::string& name) {
    return (std::filesystem::path(PATHWICK_BINARY_DIR) / ("workbench-" + name)).string();
}

class ExampleRoundTrip : public ::testing::TestWithParam<const char*> {};

// The examples spell out every field, so a load and save must give back the
// same JSON, and saving again must be stable.
TEST_P(ExampleRoundTrip, SaveGivesTheFileBack) {
    const std::string path = std::string(PATHWICK_SOURCE_DIR) + "/examples/" + GetParam();
    THostRef<TSheetDocument> sheet = LoadSheetFile(path);
    ASSERT_TRUE(sheet);
    EXPECT_GT(sheet->Objects().size(), 10u);
    EXPECT_EQ(sheet->Width(), 110000000);
    const nlohmann::json original = nlohmann::json::parse(ReadText(path));
    EXPECT_EQ(nlohmann::json::parse(SheetToText(*sheet)), original);

    const std::string copy = TempPath(std::string("copy-") + GetParam());
    SaveSheetFile(*sheet, copy);
    THostRef<TSheetDocument> again = LoadSheetFile(copy);
    EXPECT_EQ(SheetToText(*again), SheetToText(*sheet));
    std::filesystem::remove(copy);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleRoundTrip,
                         ::testing::Values("amplifier.json", "data-bus.json", "power-supply.json"),
                         [](const auto& info) {
                             std::string name = info.param;
                             name = name.substr(0, name.find('.'));
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

// Every field the interfaces expose, with values other than the defaults,
// survives a save and a load.
TEST(SheetFile, EveryFieldSurvives) {
    THostRef<TSheetDocument> sheet = TSheetDocument::Create(7000, 5000);
    THostRef<TGraphic> box = TGraphic::Create(kinds::RoundRectangle, {-10, -20, 30, 40});
    box->SetAnchor({3, 4});
    box->SetPart(-2);
    box->SetView(255);
    box->SetText("a \"quoted\" text");
    sheet->AddObject(*box);
    THostRef<TLineObject> entry = TLineObject::Create(kinds::BusEntry, {1, 2}, {3, 5});
    entry->SetBounds({0, 0, 9, 9});
    sheet->AddObject(*entry);
    THostRef<TPolyline> wire =
        TPolyline::Create(kinds::Wire, {{INT32_MIN, INT32_MAX}, {0, 0}, {5, 0}});
    wire->SetUnroutedSegments({2});
    sheet->AddObject(*wire);
    sheet->AddObject(*TPolyline::Create(kinds::Bus));
    THostRef<TSymbol> symbol = TSymbol::Create({100, 100, 200, 200});
    symbol->SetAnchor({150, 150});
    symbol->SetCurrentPart(2);
    symbol->SetCurrentView(1);
    symbol->SetHiddenPinsVisible(true);
    THostRef<TPin> pin = TPin::Create({90, 150}, 0, 10);
    pin->SetHidden(true);
    pin->SetNumber("A3");
    pin->SetPart(2);
    pin->SetView(1);
    pin->SetBounds({1, 2, 3, 4});
    symbol->AddChild(*pin);
    symbol->AddChild(*TGraphic::Create(kinds::Parameter, {100, 100, 120, 110}));
    THostRef<TLabel> designator = TLabel::Create({100, 201, 120, 210}, "U7");
    designator->SetHidden(true);
    designator->SetAnchor({101, 202});
    symbol->SetLabel(designator.Get());
    sheet->AddObject(*symbol);

    THostRef<TSheetDocument> back = ParseSheet(SheetToText(*sheet), "memory");
    EXPECT_EQ(back->Width(), 7000);
    EXPECT_EQ(back->Height(), 5000);
    ASSERT_EQ(back->Objects().size(), 5u);

    auto* b0 = dynamic_cast<TGraphic*>(back->Objects()[0].Get());
    ASSERT_NE(b0, nullptr);
    EXPECT_EQ(b0->Kind(), kinds::RoundRectangle);
    EXPECT_EQ(b0->Bounds(), (TSheetRect{-10, -20, 30, 40}));
    EXPECT_EQ(b0->Anchor(), (TSheetPoint{3, 4}));
    EXPECT_EQ(b0->Part(), -2);
    EXPECT_EQ(b0->View(), 255);
    EXPECT_EQ(b0->Text(), "a \"quoted\" text");

    auto* b1 = dynamic_cast<TLineObject*>(back->Objects()[1].Get());
    ASSERT_NE(b1, nullptr);
    EXPECT_EQ(b1->Kind(), kinds::BusEntry);
    EXPECT_EQ(b1->Anchor(), (TSheetPoint{1, 2}));
    EXPECT_EQ(b1->End(), (TSheetPoint{3, 5}));
    EXPECT_EQ(b1->Bounds(), (TSheetRect{0, 0, 9, 9}));

    auto* b2 = dynamic_cast<TPolyline*>(back->Objects()[2].Get());
    ASSERT_NE(b2, nullptr);
    EXPECT_EQ(b2->Kind(), kinds::Wire);
    EXPECT_EQ(b2->Vertices(), wire->Vertices());
    EXPECT_EQ(b2->UnroutedSegments(), std::vector<int32_t>{2});
    auto* b3 = dynamic_cast<TPolyline*>(back->Objects()[3].Get());
    ASSERT_NE(b3, nullptr);
    EXPECT_EQ(b3->Kind(), kinds::Bus);
    EXPECT_EQ(b3->VertexCount(), 0);

    auto* b4 = dynamic_cast<TSymbol*>(back->Objects()[4].Get());
    ASSERT_NE(b4, nullptr);
    EXPECT_EQ(b4->Bounds(), (TSheetRect{100, 100, 200, 200}));
    EXPECT_EQ(b4->Anchor(), (TSheetPoint{150, 150}));
    EXPECT_EQ(b4->CurrentPart(), 2);
    EXPECT_EQ(b4->CurrentView(), 1);
    EXPECT_TRUE(b4->HiddenPinsVisible());
    ASSERT_EQ(b4->ChildList().size(), 2u);
    auto* p = dynamic_cast<TPin*>(b4->ChildList()[0].Get());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Anchor(), (TSheetPoint{90, 150}));
    EXPECT_EQ(p->Orientation(), 0);
    EXPECT_EQ(p->LeadLength(), 10);
    EXPECT_TRUE(p->Hidden());
    EXPECT_EQ(p->Number(), "A3");
    EXPECT_EQ(p->Part(), 2);
    EXPECT_EQ(p->View(), 1);
    EXPECT_EQ(p->Bounds(), (TSheetRect{1, 2, 3, 4}));
    EXPECT_EQ(b4->ChildList()[1]->Kind(), kinds::Parameter);
    ASSERT_NE(b4->Label(), nullptr);
    EXPECT_EQ(b4->Label()->Text(), "U7");
    EXPECT_TRUE(b4->Label()->Hidden());
    EXPECT_EQ(b4->Label()->Anchor(), (TSheetPoint{101, 202}));
    EXPECT_EQ(b4->Label()->Bounds(), (TSheetRect{100, 201, 120, 210}));
}

TEST(SheetFile, OptionalFieldsTakeTheirDefaults) {
    THostRef<TSheetDocument> sheet = ParseSheet(R"({"width": 100, "height": 50, "objects": [
        {"kind": "junction", "anchor": [1000000, 2000000]},
        {"kind": "pin", "anchor": [10, 20], "orientation": 3, "length": 5},
        {"kind": "symbol", "children": [{"kind": "rectangle", "rect": [0, 0, 10, 10]}],
         "label": {"kind": "label", "rect": [0, 11, 4, 13], "text": "U1"}}]})",
                                                "inline");
    ASSERT_EQ(sheet->Objects().size(), 3u);
    const TSheetObject& junction = *sheet->Objects()[0];
    EXPECT_EQ(junction.Bounds(), (TSheetRect{850000, 1850000, 1150000, 2150000}));
    EXPECT_EQ(junction.Part(), 1);
    EXPECT_EQ(junction.View(), 0);
    EXPECT_EQ(junction.Text(), "");
    auto* pin = dynamic_cast<TPin*>(sheet->Objects()[1].Get());
    ASSERT_NE(pin, nullptr);
    EXPECT_EQ(pin->Bounds(), (TSheetRect{10, 15, 10, 20}));
    EXPECT_FALSE(pin->Hidden());
    auto* symbol = dynamic_cast<TSymbol*>(sheet->Objects()[2].Get());
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->Bounds(), (TSheetRect{0, 0, 10, 13}));
    EXPECT_EQ(symbol->Anchor(), (TSheetPoint{0, 0}));
    EXPECT_EQ(symbol->CurrentPart(), 1);
    EXPECT_FALSE(symbol->HiddenPinsVisible());
}

struct TBadCase {
    const char* name;
    const char* text;
    const char* where; // must appear in the message
    const char* what;  // and so must this
};

class MalformedFile : public ::testing::TestWithParam<TBadCase> {};

TEST_P(MalformedFile, NamesFileObjectAndFault) {
    const TBadCase& c = GetParam();
    const std::string path = TempPath(std::string("bad-") + c.name + ".json");
    {
        std::ofstream out(path, std::ios::binary);
        out << c.text;
    }
    try {
        LoadSheetFile(path);
        ADD_FAILURE() << "no error for " << c.name;
    } catch (const ESheetFileError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind(path + ": ", 0), 0u) << message;
        EXPECT_NE(message.find(c.where), std::string::npos) << message;
        EXPECT_NE(message.find(c.what), std::string::npos) << message;
    }
    std::filesystem::remove(path);
}

// Two good objects first, so that the bad one is objects[2].
#define SHEET(bad)                                                                                 \
    "{\"width\": 1000, \"height\": 1000, \"objects\": [{\"kind\": \"text\", \"rect\": [0,0,1,1]}," \
    " {\"kind\": \"wire\", \"vertices\": []}, " bad "]}"

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedFile,
    ::testing::Values(
        TBadCase{"NotJson", "{\"width\": 1000,", "", "not valid JSON"},
        TBadCase{"NotAnObject", "[1, 2]", "", "must hold a JSON object"},
        TBadCase{"MissingWidth", "{\"height\": 5, \"objects\": []}", "", "missing \"width\""},
        TBadCase{"ZeroHeight", "{\"width\": 5, \"height\": 0, \"objects\": []}", "height",
                 "at least 1"},
        TBadCase{"HugeWidth", "{\"width\": 4294967296, \"height\": 5, \"objects\": []}", "width",
                 "outside the 32-bit range"},
        TBadCase{"FloatWidth", "{\"width\": 5.5, \"height\": 5, \"objects\": []}", "width",
                 "must be an integer"},
        TBadCase{"ObjectsNotList", "{\"width\": 5, \"height\": 5, \"objects\": {}}", "objects",
                 "must be a list"},
        TBadCase{"WrongFormat", "{\"format\": \"x\", \"width\": 5, \"height\": 5, \"objects\": []}",
                 "format", "pathwick-sheet"},
        TBadCase{"UnknownTopField", "{\"width\": 5, \"height\": 5, \"objects\": [], \"zoom\": 1}",
                 "", "unknown field \"zoom\""},
        TBadCase{"ObjectNotObject", SHEET("7"), "objects[2]", "must be an object"},
        TBadCase{"MissingKind", SHEET("{\"rect\": [0,0,1,1]}"), "objects[2]", "missing \"kind\""},
        TBadCase{"KindNotString", SHEET("{\"kind\": 21}"), "objects[2]", "kind name"},
        TBadCase{"UnknownKind", SHEET("{\"kind\": \"widget\"}"), "objects[2]",
                 "unknown kind \"widget\""},
        TBadCase{"DocumentAsObject", SHEET("{\"kind\": \"document\"}"), "objects[2] (document)",
                 "cannot be an object"},
        TBadCase{"MissingRect", SHEET("{\"kind\": \"rectangle\", \"text\": \"frame\"}"),
                 "objects[2] (rectangle frame)", "missing \"rect\""},
        TBadCase{"ShortRect", SHEET("{\"kind\": \"rectangle\", \"rect\": [0, 0, 1]}"),
                 "objects[2] (rectangle)", "[left, bottom, right, top]"},
        TBadCase{"CoordinateTooBig",
                 SHEET("{\"kind\": \"rectangle\", \"rect\": [0, 0, 2147483648, 1]}"),
                 "objects[2] (rectangle)", "rect right = 2147483648 is outside the 32-bit range"},
        TBadCase{"CoordinateTooSmall",
                 SHEET("{\"kind\": \"junction\", \"anchor\": [-2147483649, 0]}"),
                 "objects[2] (junction)", "outside the 32-bit range"},
        TBadCase{"TextNotString", SHEET("{\"kind\": \"text\", \"text\": 5, \"rect\": [0,0,1,1]}"),
                 "objects[2] (text)", "text must be a string"},
        TBadCase{"ViewTooBig", SHEET("{\"kind\": \"text\", \"view\": 256, \"rect\": [0,0,1,1]}"),
                 "objects[2] (text)", "view must be 0..255"},
        TBadCase{"OddVertex", SHEET("{\"kind\": \"wire\", \"vertices\": [[0, 0], [1, 2, 3]]}"),
                 "objects[2] (wire)", "vertices[1] must be [x, y]"},
        TBadCase{"FlatVertexList", SHEET("{\"kind\": \"bus\", \"vertices\": [0, 0, 5]}"),
                 "objects[2] (bus)", "vertices[0] must be [x, y]"},
        TBadCase{"VertexNotNumber", SHEET("{\"kind\": \"polyline\", \"vertices\": [[0, \"a\"]]}"),
                 "objects[2] (polyline)", "vertices[0] y must be an integer"},
        TBadCase{"PolylineWithRect",
                 SHEET("{\"kind\": \"wire\", \"vertices\": [], \"rect\": [0,0,1,1]}"),
                 "objects[2] (wire)", "unknown field \"rect\""},
        TBadCase{"BusEntryWithoutEnd", SHEET("{\"kind\": \"bus-entry\", \"anchor\": [0, 0]}"),
                 "objects[2] (bus-entry)", "missing \"end\""},
        TBadCase{"LabelHiddenNotBool",
                 SHEET("{\"kind\": \"label\", \"text\": \"N1\", \"rect\": [0,0,1,1], "
                       "\"hidden\": 1}"),
                 "objects[2] (label N1)", "hidden must be true or false"},
        TBadCase{"SymbolChildBadOrientation",
                 SHEET("{\"kind\": \"symbol\", \"label\": {\"kind\": \"label\", \"text\": \"U3\","
                       " \"rect\": [0,0,1,1]}, \"children\": [{\"kind\": \"rectangle\", "
                       "\"rect\": [0,0,1,1]}, {\"kind\": \"pin\", \"text\": \"5\", \"anchor\": "
                       "[0, 0], \"orientation\": 4, \"length\": 1}]}"),
                 "objects[2] (symbol U3) children[1] (pin 5)", "orientation must be 0..3"},
        TBadCase{"NegativeLead",
                 SHEET("{\"kind\": \"pin\", \"anchor\": [0, 0], \"orientation\": 1, "
                       "\"length\": -3}"),
                 "objects[2] (pin)", "length must not be negative"},
        TBadCase{"NestedSymbol",
                 SHEET("{\"kind\": \"symbol\", \"text\": \"U3\", \"children\": "
                       "[{\"kind\": \"symbol\", \"text\": \"U4\"}]}"),
                 "objects[2] (symbol U3) children[0] (symbol U4)", "cannot hold a symbol"},
        TBadCase{"LabelOfWrongKind",
                 SHEET("{\"kind\": \"symbol\", \"text\": \"U3\", \"label\": {\"kind\": "
                       "\"text\", \"rect\": [0,0,1,1]}}"),
                 "objects[2] (symbol U3) label", "must be of kind \"label\""},
        TBadCase{"ChildrenNotList",
                 SHEET("{\"kind\": \"symbol\", \"text\": \"U3\", "
                       "\"children\": 3}"),
                 "objects[2] (symbol U3)", "children must be a list"},
        TBadCase{"UnknownObjectField",
                 SHEET("{\"kind\": \"text\", \"rect\": [0,0,1,1], \"colour\": \"red\"}"),
                 "objects[2] (text)", "unknown field \"colour\""},
        TBadCase{"DeepNesting",
                 "{\"width\": 5, \"height\": 5, \"objects\": [[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[["
                 "[[[[[[[[]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]}",
                 "", "nested deeper than"},
        TBadCase{"UnroutedBeyondTheWire",
                 SHEET("{\"kind\": \"wire\", \"vertices\": [[0,0],[1,0]], \"unrouted\": [2]}"),
                 "objects[2] (wire)", "unrouted[0] = 2 is not a segment of this polyline (1..1)"},
        TBadCase{"PinNumberNotText",
                 SHEET("{\"kind\": \"pin\", \"anchor\": [0,0], \"orientation\": 0, "
                       "\"length\": 1, \"number\": 3}"),
                 "objects[2] (pin)", "number must be a string"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SheetFile, MissingFileAndUnwritablePathAreReported) {
    const std::string missing = TempPath("does-not-exist.json");
    EXPECT_THROW(
        {
            try {
                LoadSheetFile(missing);
            } catch (const ESheetFileError& e) {
                EXPECT_NE(std::string(e.what()).find(missing), std::string::npos);
                throw;
            }
        },
        ESheetFileError);
    THostRef<TSheetDocument> sheet = TSheetDocument::Create(1, 1);
    EXPECT_THROW(SaveSheetFile(*sheet, TempPath("no-such-dir/x.json")), ESheetFileError);
}

// A save that fails part way (a full disk) keeps the file as it was and says why.
TEST(SheetFile, AFailedSaveKeepsTheOldFile) {
    const std::string path = TempPath("kept.json");
    const std::string before = "{\"width\": 1, \"height\": 1, \"objects\": []}";
    std::ofstream(path, std::ios::binary) << before;
    THostRef<TSheetDocument> sheet = TSheetDocument::Create(5, 5);
    for (int i = 0; i < 2000; ++i) // more than one chunk of writing
        sheet->AddObject(*TPolyline::Create(kinds::Wire, {{i, 0}, {i, 5}}));
    int writes = 0;
    SetWriteFault(
        [&](EWriteStep step) { return step == EWriteStep::Write && ++writes == 2 ? ENOSPC : 0; });
    try {
        SaveSheetFile(*sheet, path);
        ADD_FAILURE() << "the failed write was not reported";
    } catch (const ESheetFileError& e) {
        EXPECT_EQ(std::string(e.what()), "cannot write " + path + ": No space left on device");
    }
    SetWriteFault({});
    EXPECT_EQ(writes, 2);
    EXPECT_EQ(ReadText(path), before);
    std::filesystem::remove(path);
}

TEST(SheetFile, UnnamedKindsCannotBeSaved) {
    THostRef<TSheetDocument> sheet = TSheetDocument::Create(1, 1);
    sheet->AddObject(*TGraphic::Create(64, {}));
    EXPECT_THROW(SheetToText(*sheet), ESheetFileError);
}

} // namespace
} // namespace pathwick::workbench
