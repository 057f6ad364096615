#include "workbench/files/SheetSvg.h"

#include "workbench/files/DrawingSvg.h"
#include "workbench/files/SvgText.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/PinLabels.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/Symbol.h"
#include "workbench/model/UnroutedRun.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pathwick::workbench {

namespace {

constexpr const char* Ink = "#1f3a93";     // symbol bodies and pins
constexpr const char* WireInk = "#2e7d32"; // wires and junctions
constexpr const char* BusInk = "#1565c0";
constexpr const char* TextInk = "#5d4037";
constexpr const char* GraphicInk = "#757575";
constexpr const char* StrongInk = "#d81b60";   // highlighted and overlaid runs
constexpr const char* UnroutedInk = "#ef6c00"; // runs placed without a route, dashed
constexpr int MaxGridDots = 250000;            // beyond this the dots would be noise

// Sheet units to pixels, with y flipped so that up on the sheet is up on screen.
class TCanvas {
public:
    TCanvas(const TSheetDocument& sheet, const TSvgOptions& options)
        : scale_(std::max(options.PixelWidth, 1) / std::max(double(sheet.Width()), 1.0)),
          height_(sheet.Height()) {}

    double X(int32_t x) const { return x * scale_; }
    double Y(int32_t y) const { return (double(height_) - y) * scale_; }
    double Length(double units) const { return units * scale_; }
    double Scale() const { return scale_; }

    static std::string Num(double v) { return SvgNumber(v); }
    std::string Point(TSheetPoint p) const { return Num(X(p.X)) + "," + Num(Y(p.Y)); }

private:
    double scale_;
    int32_t height_;
};

class TSvgWriter {
public:
    TSvgWriter(const TSheetDocument& sheet, const TSvgOptions& options)
        : sheet_(sheet), options_(options), canvas_(sheet, options) {}

    std::string Render() {
        const double w = canvas_.X(sheet_.Width());
        const double h = canvas_.Y(0);
        out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(w) + "\" height=\"" +
                Num(h) + "\" viewBox=\"0 0 " + Num(w) + " " + Num(h) + "\">\n";
        if (!options_.Title.empty())
            out_ += "<title>" + SvgEscape(options_.Title) + "</title>\n";
        out_ += "<rect class=\"sheet\" x=\"0\" y=\"0\" width=\"" + Num(w) + "\" height=\"" +
                Num(h) + "\" fill=\"#fffdf5\" stroke=\"#444\" stroke-width=\"1\"/>\n";
        Grid(w, h);
        for (const auto& object : sheet_.Objects())
            Object(*object, Highlighted(*object));
        for (const auto& run : options_.Overlays)
            Run(run, "overlay routed", StrongInk, 2.5);
        for (const TSheetPoint& p : options_.Marks)
            out_ += "<circle class=\"mark\" cx=\"" + Num(canvas_.X(p.X)) + "\" cy=\"" +
                    Num(canvas_.Y(p.Y)) + "\" r=\"5\" fill=\"none\" stroke=\"" + StrongInk +
                    "\" stroke-width=\"1.5\"/>\n";
        out_ += "</svg>\n";
        return std::move(out_);
    }

private:
    static std::string Num(double v) { return TCanvas::Num(v); }

    bool Highlighted(const TSheetObject& object) const {
        return options_.Highlight.Contains(object);
    }

    void Grid(double w, double h) {
        if (!options_.GridDots || options_.GridStep <= 0)
            return;
        const double columns = double(sheet_.Width()) / options_.GridStep;
        const double rows = double(sheet_.Height()) / options_.GridStep;
        if (columns * rows > MaxGridDots)
            return;
        const double step = canvas_.Length(options_.GridStep);
        // The pattern starts at the top of the picture; shift it so that the
        // dots sit on multiples of the step measured from the sheet's origin.
        const double shift = std::fmod(h, step);
        out_ += "<defs><pattern id=\"grid\" patternUnits=\"userSpaceOnUse\" width=\"" + Num(step) +
                "\" height=\"" + Num(step) + "\" patternTransform=\"translate(0 " + Num(shift) +
                ")\"><circle cx=\"0\" cy=\"0\" r=\"0.6\" fill=\"#bbb\"/>" + "</pattern></defs>\n";
        out_ += "<rect class=\"grid\" x=\"0\" y=\"0\" width=\"" + Num(w) + "\" height=\"" + Num(h) +
                "\" fill=\"url(#grid)\"/>\n";
    }

    void Object(const TSheetObject& object, bool strong) {
        if (const auto* symbol = dynamic_cast<const TSymbol*>(&object)) {
            Symbol(*symbol);
        } else if (!object.Drawing().empty()) {
            Drawing(object, strong);
        } else if (const auto* polyline = dynamic_cast<const TPolyline*>(&object)) {
            Polyline(*polyline, strong);
        } else if (const auto* line = dynamic_cast<const TLineObject*>(&object)) {
            const bool entry = line->Kind() == kinds::BusEntry;
            Segment(line->Anchor(), line->End(), entry ? "bus-entry" : "line",
                    strong ? StrongInk : (entry ? BusInk : GraphicInk), entry ? 1.5 : 1.0);
        } else if (const auto* label = dynamic_cast<const TLabel*>(&object)) {
            if (!label->Hidden())
                Text(*label, "label", WireInk);
        } else if (const auto* pin = dynamic_cast<const TPin*>(&object)) {
            Pin(*pin);
        } else {
            Graphic(object, strong);
        }
    }

    void Symbol(const TSymbol& symbol) {
        out_ += "<g class=\"symbol\" data-id=\"" + std::to_string(symbol.Id()) + "\">\n";
        for (const auto& child : symbol.ChildList()) {
            if (child->Part() != symbol.CurrentPart() || child->View() != symbol.CurrentView())
                continue;
            if (const auto* pin = dynamic_cast<const TPin*>(child.Get())) {
                if (pin->Hidden() && !symbol.HiddenPinsVisible())
                    continue;
                if (pin->Drawing().empty())
                    Pin(*pin);
                else
                    Drawing(*pin, false);
            } else if (!child->Drawing().empty()) {
                Drawing(*child, false);
            } else if (child->Kind() == kinds::Rectangle ||
                       child->Kind() == kinds::RoundRectangle) {
                Box(child->Bounds(), "body", Ink, "#fff8c4");
            } else {
                Object(*child, false);
            }
        }
        if (const TLabel* label = symbol.Label(); label && !label->Hidden()) {
            if (label->Drawing().empty())
                Text(*label, "label designator", Ink);
            else
                Drawing(*label, false);
        }
        out_ += "</g>\n";
    }

    // An object that brought its own drawing (an imported schematic's).
    void Drawing(const TSheetObject& object, bool strong) {
        out_ += DrawingToSvg(object.Drawing(), {canvas_.Scale(), sheet_.Height()}, strong);
    }

    void Pin(const TPin& pin) {
        Segment(pin.Anchor(), pin.LeadEnd(), "pin", Ink, 1.2);
        // The electrical end, where wires attach.
        out_ += "<circle class=\"pin-end\" cx=\"" + Num(canvas_.X(pin.Anchor().X)) + "\" cy=\"" +
                Num(canvas_.Y(pin.Anchor().Y)) + "\" r=\"1.2\" fill=\"" + Ink + "\"/>\n";
        PinText(pin.Text(), PinNamePlace(pin), "pin-name");
        PinText(pin.Number(), PinNumberPlace(pin), "pin-number");
    }

    void PinText(const std::string& text, const TPinText& place, const char* cls) {
        if (text.empty())
            return;
        static constexpr const char* Anchor[] = {"start", "middle", "end"};
        static constexpr const char* Baseline[] = {"auto", "central", "hanging"};
        const double size = std::max(4.0, canvas_.Length(PinTextHeight));
        out_ += std::string("<text class=\"") + cls + "\" x=\"" + Num(canvas_.X(place.At.X)) +
                "\" y=\"" + Num(canvas_.Y(place.At.Y)) + "\" font-size=\"" + Num(size) +
                "\" font-family=\"sans-serif\" text-anchor=\"" +
                Anchor[static_cast<int>(place.Along)] + "\" dominant-baseline=\"" +
                Baseline[static_cast<int>(place.Across)] + "\" fill=\"" + Ink + "\">" +
                SvgEscape(text) + "</text>\n";
    }

    void Polyline(const TPolyline& polyline, bool strong) {
        const std::vector<TSheetPoint> points = polyline.Vertices();
        switch (polyline.Kind()) {
        case kinds::Wire:
            Wire(polyline, strong);
            break;
        case kinds::Bus:
            Run(points, strong ? "bus routed" : "bus", strong ? StrongInk : BusInk, 4.0);
            break;
        case kinds::Polygon:
            Run(points, "polygon", strong ? StrongInk : GraphicInk, 1.0, true);
            break;
        default:
            Run(points, "polyline", strong ? StrongInk : GraphicInk, 1.0);
            break;
        }
    }

    // Unrouted stretches dashed in their own colour.
    void Wire(const TPolyline& wire, bool strong) {
        for (const TWireStretch& stretch : WireStretches(wire)) {
            if (stretch.Unrouted)
                Run(stretch.Points, "wire unrouted", UnroutedInk, 2.0, false, "6 4");
            else
                Run(stretch.Points, strong ? "wire routed" : "wire", strong ? StrongInk : WireInk,
                    strong ? 2.5 : 1.5);
        }
    }

    void Graphic(const TSheetObject& object, bool strong) {
        const int32_t kind = object.Kind();
        const std::string name(KindName(kind).empty() ? "graphic" : KindName(kind));
        if (kind == kinds::Junction) {
            out_ += "<circle class=\"junction\" cx=\"" + Num(canvas_.X(object.Anchor().X)) +
                    "\" cy=\"" + Num(canvas_.Y(object.Anchor().Y)) + "\" r=\"" +
                    Num(std::max(2.5, canvas_.Length(JunctionRadius))) + "\" fill=\"" +
                    (strong ? StrongInk : WireInk) + "\"/>\n";
            return;
        }
        if (kind == kinds::Text || kind == kinds::Note) {
            if (kind == kinds::Note)
                Box(object.Bounds(), name, TextInk, "#fff3e0");
            Text(object, name, TextInk, kind == kinds::Note ? InsideTop : OnBaseline);
            return;
        }
        if (kind == kinds::Ellipse) {
            const TSheetRect r = object.Bounds();
            out_ += "<ellipse class=\"ellipse\" cx=\"" +
                    Num((canvas_.X(r.Left) + canvas_.X(r.Right)) / 2) + "\" cy=\"" +
                    Num((canvas_.Y(r.Bottom) + canvas_.Y(r.Top)) / 2) + "\" rx=\"" +
                    Num(std::abs(canvas_.X(r.Right) - canvas_.X(r.Left)) / 2) + "\" ry=\"" +
                    Num(std::abs(canvas_.Y(r.Top) - canvas_.Y(r.Bottom)) / 2) +
                    "\" fill=\"none\" stroke=\"" + Ink + "\"/>\n";
            return;
        }
        Box(object.Bounds(), name, strong ? StrongInk : GraphicInk, "none");
        if (!object.Text().empty() && kind != kinds::Rectangle && kind != kinds::RoundRectangle)
            Text(object, name + "-text", TextInk, Beside);
    }

    void Box(const TSheetRect& r, const std::string& cls, const char* stroke, const char* fill) {
        const double x = std::min(canvas_.X(r.Left), canvas_.X(r.Right));
        const double y = std::min(canvas_.Y(r.Top), canvas_.Y(r.Bottom));
        const double w = std::abs(canvas_.X(r.Right) - canvas_.X(r.Left));
        const double h = std::abs(canvas_.Y(r.Top) - canvas_.Y(r.Bottom));
        out_ += "<rect class=\"" + cls + "\" x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" +
                Num(w) + "\" height=\"" + Num(h) + "\" fill=\"" + fill + "\" stroke=\"" + stroke +
                "\" stroke-width=\"1\"/>\n";
    }

    enum TPlacement { OnBaseline, InsideTop, Beside };

    // The object's text, as high as its rectangle within reason: written from
    // the rectangle's lower left corner, inside its upper left corner, or to
    // the right of it (for symbols of power objects, ports and the like).
    void Text(const TSheetObject& object, const std::string& cls, const char* ink,
              TPlacement placement = OnBaseline) {
        if (object.Text().empty())
            return;
        const TSheetRect r = object.Bounds();
        const double height = std::abs(canvas_.Y(r.Top) - canvas_.Y(r.Bottom));
        const double size = std::clamp(height, 6.0, 12.0);
        double x = canvas_.X(std::min(r.Left, r.Right));
        double baseline = canvas_.Y(std::min(r.Bottom, r.Top));
        if (placement == InsideTop) {
            x += size * 0.5;
            baseline = canvas_.Y(std::max(r.Bottom, r.Top)) + size * 1.3;
        } else if (placement == Beside) {
            x = canvas_.X(std::max(r.Left, r.Right)) + 2;
            baseline -= std::max(0.0, (height - size) / 2);
        }
        out_ += "<text class=\"" + cls + "\" x=\"" + Num(x) + "\" y=\"" + Num(baseline) +
                "\" font-size=\"" + Num(size) + "\" font-family=\"sans-serif\" fill=\"" + ink +
                "\">" + SvgEscape(object.Text()) + "</text>\n";
    }

    void Segment(TSheetPoint a, TSheetPoint b, const std::string& cls, const char* ink,
                 double width) {
        out_ += "<line class=\"" + cls + "\" x1=\"" + Num(canvas_.X(a.X)) + "\" y1=\"" +
                Num(canvas_.Y(a.Y)) + "\" x2=\"" + Num(canvas_.X(b.X)) + "\" y2=\"" +
                Num(canvas_.Y(b.Y)) + "\" stroke=\"" + ink + "\" stroke-width=\"" + Num(width) +
                "\"/>\n";
    }

    void Run(const std::vector<TSheetPoint>& points, const std::string& cls, const char* ink,
             double width, bool closed = false, const char* dashes = nullptr) {
        if (points.empty())
            return;
        std::string list;
        for (const TSheetPoint& p : points) {
            if (!list.empty())
                list += ' ';
            list += canvas_.Point(p);
        }
        out_ += std::string("<") + (closed ? "polygon" : "polyline") + " class=\"" + cls +
                "\" points=\"" + list + "\" fill=\"none\" stroke=\"" + ink + "\" stroke-width=\"" +
                Num(width) + "\" stroke-linejoin=\"round\" stroke-linecap=\"round\"" +
                (dashes ? std::string(" stroke-dasharray=\"") + dashes + "\"" : std::string()) +
                "/>\n";
    }

    const TSheetDocument& sheet_;
    const TSvgOptions& options_;
    TCanvas canvas_;
    std::string out_;
};

} // namespace

std::string RenderSheetSvg(const TSheetDocument& sheet, const TSvgOptions& options) {
    return TSvgWriter(sheet, options).Render();
}

} // namespace pathwick::workbench
