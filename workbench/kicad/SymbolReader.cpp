#include "workbench/kicad/SymbolReader.h"

#include "workbench/kicad/GraphicReader.h"
#include "workbench/kicad/LabelShapes.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/Symbol.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace pathwick::workbench::kicad {

namespace {

constexpr int64_t PinTextGap = 2540;   // 10 mil between a lead and its number
constexpr int64_t BubbleRadius = 3810; // 15 mil: the inversion circle
constexpr int64_t ClockSize = 6350;    // 25 mil: the clock wedge

TSheetPoint Step(TSheetPoint p, int quarter, int64_t length) {
    return {SaturatingAdd(p.X, QuarterDx(quarter) * length),
            SaturatingAdd(p.Y, QuarterDy(quarter) * length)};
}

TShape LineShape(TInk ink, std::vector<TSheetPoint> points) {
    TShape shape;
    shape.Ink = ink;
    shape.Points = std::move(points);
    return shape;
}

class TSymbolReader {
public:
    TSymbolReader(const TReadContext& context, const TSexpr& item, TSheetDocument& sheet)
        : c_(context), item_(item), sheet_(sheet) {}

    void Read(const TLibrarySymbols& library, TItemCounts& counts) {
        const TSexpr* libName = item_.Find("lib_name");
        const TSexpr* libId = item_.Find("lib_id");
        if (!libName && !libId)
            c_.Fail(item_, "(lib_id ...) is missing");
        const std::string& name = c_.Text(libName ? *libName : *libId, 1);
        const TSexpr* at = item_.Find("at");
        if (!at)
            c_.Fail(item_, "(at ...) is missing");
        const TSexpr* unitNode = item_.Find("unit");
        const int unit = unitNode ? c_.Integer(*unitNode, 1) : 1;
        const TSexpr* styleNode = item_.Find("body_style");
        if (!styleNode)
            styleNode = item_.Find("convert");
        const int bodyStyle = styleNode ? c_.Integer(*styleNode, 1) : 1;
        const TSexpr* mirror = item_.Find("mirror");
        TSymbolTransform transform;
        try {
            transform = TSymbolTransform(c_.Angle(*at, 3), mirror && mirror->HasFlag("x"),
                                         mirror && mirror->HasFlag("y"));
        } catch (const std::invalid_argument& e) {
            c_.Fail(*at, e.what());
        }
        const TFilePoint origin = c_.Point(*at);
        const TPlacement placement(c_.Frame(), origin, transform);

        symbol_ = TSymbol::Create({});
        symbol_->SetCurrentPart(unit);
        view_ = static_cast<uint8_t>(std::clamp(bodyStyle - 1, 0, 255));
        symbol_->SetCurrentView(view_);
        if (const TLibSymbol* lib = library.Find(name)) {
            for (const TSexpr* unitItems : lib->UnitsFor(unit, bodyStyle))
                for (const TSexpr& child : unitItems->Items)
                    Child(*lib, child, placement, counts);
        }
        Fields(placement, TInk::Reference, "Reference");
        Finish(c_.ToSheet(placement, origin, *at));
        ++counts.Symbols;
    }

    void ReadSheet(TItemCounts& counts) {
        const TFilePoint at = c_.PointOf(item_, "at");
        const TFilePoint size = c_.PointOf(item_, "size");
        const TPlacement page(c_.Frame());
        const TSheetPoint a = c_.ToSheet(page, at, item_);
        const TSheetPoint b = c_.ToSheet(page, {at.X + size.X, at.Y + size.Y}, item_);
        symbol_ = TSymbol::Create({});
        symbol_->SetCurrentPart(1);
        TShape outline = LineShape(TInk::Sheet, {a, {b.X, a.Y}, b, {a.X, b.Y}});
        outline.Kind = TShapeKind::Polygon;
        THostRef<TGraphic> box =
            TGraphic::Create(kinds::Rectangle, {std::min(a.X, b.X), std::min(a.Y, b.Y),
                                                std::max(a.X, b.X), std::max(a.Y, b.Y)});
        box->SetDrawing({outline});
        Add(*box);
        for (const TSexpr* pin : item_.FindAll("pin")) {
            const std::string& name = c_.Text(*pin, 1);
            const TSexpr* pinAt = pin->Find("at");
            if (!pinAt)
                c_.Fail(*pin, "(at ...) is missing");
            const TSheetPoint p = c_.ToSheet(page, c_.Point(*pinAt), *pin);
            // The pin faces out of the box; its lead (of no length) points in.
            const int inward = (QuarterOf(c_.Angle(*pinAt, 3)) + 2) % 4;
            THostRef<TPin> model = TPin::Create(p, inward, 0);
            model->SetText(name);
            const std::string* shape = pin->Text(2);
            model->SetDrawing(LabelLook(TLabelKind::Hierarchical, shape ? *shape : "", name,
                                        c_.Style(*pin), p, inward, c_.Frame(), TInk::SheetPin)
                                  .Drawing);
            Add(*model);
            ++counts.SheetPins;
        }
        // Sheet name and file: "Sheet name"/"Sheet file" in the first files,
        // "Sheetname"/"Sheetfile" later.
        Fields(page, TInk::SheetName, "Sheet name", "Sheetname");
        Finish(a);
        ++counts.Sheets;
    }

private:
    void Add(TSheetObject& child) {
        child.SetPart(symbol_->CurrentPart());
        child.SetView(view_);
        symbol_->AddChild(child);
    }

    void Child(const TLibSymbol& lib, const TSexpr& child, const TPlacement& placement,
               TItemCounts& counts) {
        if (child.Head() == "pin") {
            Pin(lib, child, placement);
            ++counts.Pins;
            return;
        }
        TGraphicItem item;
        if (ReadGraphic(c_, child, placement, TInk::Body, item))
            Add(*MakeGraphicObject(std::move(item)));
    }

    // (pin TYPE SHAPE (at x y A) (length L) [hide] (name ..) (number ..)):
    // (x, y) is the connection point, the lead runs from it for L toward the
    // body in direction A.
    void Pin(const TLibSymbol& lib, const TSexpr& pin, const TPlacement& placement) {
        const TSexpr* at = pin.Find("at");
        if (!at)
            c_.Fail(pin, "(at ...) is missing");
        const TFilePoint local = c_.Point(*at);
        const TSheetPoint p = c_.ToSheet(placement, placement.ToPage(local.X, local.Y), pin);
        const int q = placement.Quarter(c_.Angle(*at, 3));
        const TSexpr* lengthNode = pin.Find("length");
        const int64_t fileLength = lengthNode ? std::max<int64_t>(0, c_.Length(*lengthNode, 1)) : 0;
        // The lead's far end, mapped like any point, so both ends are exact.
        const TFilePoint farLocal = {local.X + QuarterDx(QuarterOf(c_.Angle(*at, 3))) * fileLength,
                                     local.Y + QuarterDy(QuarterOf(c_.Angle(*at, 3))) * fileLength};
        const TSheetPoint e = c_.ToSheet(placement, placement.ToPage(farLocal.X, farLocal.Y), pin);
        const int64_t lead = std::abs(int64_t{e.X} - p.X) + std::abs(int64_t{e.Y} - p.Y);
        const auto length = static_cast<int32_t>(std::min<int64_t>(lead, INT32_MAX));
        THostRef<TPin> model = TPin::Create(p, q, length);
        const TSexpr* nameNode = pin.Find("name");
        const std::string name = nameNode && nameNode->Text(1) ? *nameNode->Text(1) : "";
        model->SetText(name == "~" ? "" : name);
        model->SetHidden(HasYesFlag(pin, "hide"));
        if (!model->Hidden())
            model->SetDrawing(PinDrawing(lib, pin, p, e, q, model->Text()));
        Add(*model);
    }

    TDrawing PinDrawing(const TLibSymbol& lib, const TSexpr& pin, TSheetPoint p, TSheetPoint e,
                        int q, const std::string& name) const {
        const TPageFrame& frame = c_.Frame();
        TDrawing drawing;
        const std::string* shape = pin.Text(2);
        const bool inverted = shape && (*shape == "inverted" || *shape == "inverted_clock");
        const bool clock = shape && (*shape == "clock" || *shape == "inverted_clock");
        const int32_t bubble = frame.LengthToSheet(BubbleRadius);
        const int back = (q + 2) % 4;
        drawing.push_back(LineShape(TInk::Pin, {p, inverted ? Step(e, back, 2 * bubble) : e}));
        if (inverted) {
            TShape circle = LineShape(TInk::Pin, {Step(e, back, bubble)});
            circle.Kind = TShapeKind::Circle;
            circle.Radius = bubble;
            drawing.push_back(std::move(circle));
        }
        if (clock) {
            const int32_t w = frame.LengthToSheet(ClockSize);
            const int side = (q + 1) % 4;
            drawing.push_back(LineShape(
                TInk::Pin, {Step(e, side, w / 2), Step(e, q, w), Step(e, (side + 2) % 4, w / 2)}));
        }
        const TSheetPoint mid = {static_cast<int32_t>((int64_t{p.X} + e.X) / 2),
                                 static_cast<int32_t>((int64_t{p.Y} + e.Y) / 2)};
        // "Up" across a lead: up the page for a level lead, left for an upright one.
        const int up = q % 2 == 0 ? 1 : 2;
        const int16_t angle = q % 2 == 0 ? 0 : 90;
        const int32_t gap = frame.LengthToSheet(PinTextGap);
        const bool namesInside = lib.PinNameOffset > 0;
        if (!lib.PinNamesHidden && !name.empty()) {
            const TTextStyle style = c_.Style(*pin.Find("name"));
            const int32_t size = frame.LengthToSheet(style.Height);
            if (namesInside)
                drawing.push_back(
                    TextShape(TInk::PinName, VisibleText(name),
                              Step(e, q, frame.LengthToSheet(lib.PinNameOffset)), size, angle,
                              q < 2 ? TTextAlign::Start : TTextAlign::End, TTextAlign::Centre));
            else
                drawing.push_back(TextShape(TInk::PinName, VisibleText(name), Step(mid, up, gap),
                                            size, angle, TTextAlign::Centre, TTextAlign::End));
        }
        const TSexpr* numberNode = pin.Find("number");
        if (!lib.PinNumbersHidden && numberNode && numberNode->Text(1) &&
            !numberNode->Text(1)->empty()) {
            const int32_t size = frame.LengthToSheet(c_.Style(*numberNode).Height);
            drawing.push_back(TextShape(TInk::PinNumber, *numberNode->Text(1),
                                        Step(mid, namesInside ? up : (up + 2) % 4, gap), size,
                                        angle, TTextAlign::Centre,
                                        namesInside ? TTextAlign::End : TTextAlign::Start));
        }
        return drawing;
    }

    // The label field (`labelName` or its other spelling) becomes the
    // symbol's label, every other visible field a text of its own.
    void Fields(const TPlacement& placement, TInk labelInk, const char* labelName,
                const char* otherSpelling = nullptr) {
        for (const TSexpr* field : item_.FindAll("property")) {
            const std::string& key = c_.Text(*field, 1);
            const std::string& value = c_.Text(*field, 2);
            const bool isLabel = key == labelName || (otherSpelling && key == otherSpelling);
            const TTextStyle style = c_.Style(*field);
            if (!isLabel && (style.Hidden || value.empty()))
                continue;
            const TSexpr* at = field->Find("at");
            if (!at)
                c_.Fail(*field, "(at ...) is missing");
            TPlacedText placed;
            try {
                placed = PlaceTextBox(placement, c_.Point(*at), c_.Angle(*at, 3),
                                      JustifiedBox(value, style));
            } catch (const std::out_of_range& e) {
                c_.Fail(*field, std::string("a point ") + e.what());
            }
            TDrawing drawing;
            if (!style.Hidden)
                AddCentredText(drawing, isLabel ? labelInk : TInk::Field, value, style, placed,
                               c_.Frame());
            if (isLabel) {
                THostRef<TLabel> label = TLabel::Create(placed.Box, value);
                label->SetHidden(style.Hidden);
                label->SetDrawing(std::move(drawing));
                symbol_->SetLabel(label.Get());
                continue;
            }
            THostRef<TGraphic> text = TGraphic::Create(kinds::Text, placed.Box);
            text->SetText(value);
            text->SetDrawing(std::move(drawing));
            texts_.push_back(text);
        }
    }

    void Finish(TSheetPoint anchor) {
        symbol_->SetBounds(symbol_->FittedBounds());
        symbol_->SetAnchor(anchor);
        sheet_.AddObject(*symbol_);
        for (const auto& text : texts_)
            sheet_.AddObject(*text);
    }

    const TReadContext& c_;
    const TSexpr& item_;
    TSheetDocument& sheet_;
    THostRef<TSymbol> symbol_;
    uint8_t view_ = 0;
    std::vector<THostRef<TGraphic>> texts_;
};

} // namespace

void ReadPlacedSymbol(const TReadContext& context, const TLibrarySymbols& library,
                      const TSexpr& item, TSheetDocument& sheet, TItemCounts& counts) {
    TSymbolReader(context, item, sheet).Read(library, counts);
}

void ReadSheetBox(const TReadContext& context, const TSexpr& item, TSheetDocument& sheet,
                  TItemCounts& counts) {
    TSymbolReader(context, item, sheet).ReadSheet(counts);
}

} // namespace pathwick::workbench::kicad
