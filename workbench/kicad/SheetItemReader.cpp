#include "workbench/kicad/SheetItemReader.h"

#include "workbench/kicad/GraphicReader.h"
#include "workbench/kicad/LabelShapes.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetObjects.h"

#include <algorithm>
#include <string>

namespace pathwick::workbench::kicad {

namespace {

constexpr int64_t JunctionDiameter = 9144; // 36 mil, the editor's default
constexpr int64_t NoConnectHalf = 6350;    // 25 mil each way from the pin's end
constexpr int64_t ImagePixelsPerInch = 300;
constexpr int64_t DirectiveStick = 25400; // 100 mil

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

// The first `count` bytes that the base64 text encodes (fewer when it is shorter).
std::string DecodeBase64Prefix(const std::string& text, std::size_t count) {
    std::string bytes;
    uint32_t bits = 0;
    int held = 0;
    for (const char c : text) {
        const int v = Base64Value(c);
        if (v < 0)
            continue;
        bits = (bits << 6) | static_cast<uint32_t>(v);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes += static_cast<char>((bits >> held) & 0xff);
            if (bytes.size() == count)
                break;
        }
    }
    return bytes;
}

class TItemReader {
public:
    TItemReader(const TReadContext& context, const TSexpr& item, TSheetDocument& sheet,
                TItemCounts& counts)
        : c_(context), item_(item), sheet_(sheet), counts_(counts), page_(context.Frame()) {}

    bool Read() {
        const std::string_view head = item_.Head();
        if (head == "wire" || head == "bus") {
            Polyline(head == "wire" ? kinds::Wire : kinds::Bus);
            ++(head == "wire" ? counts_.Wires : counts_.Buses);
        } else if (head == "bus_entry") {
            BusEntry();
        } else if (head == "junction") {
            Junction();
        } else if (head == "no_connect") {
            NoConnect();
        } else if (head == "label") {
            Label(TLabelKind::Local, TInk::Label);
        } else if (head == "global_label") {
            Label(TLabelKind::Global, TInk::GlobalLabel);
        } else if (head == "hierarchical_label") {
            Label(TLabelKind::Hierarchical, TInk::HierLabel);
        } else if (head == "directive_label" || head == "netclass_flag") {
            Label(TLabelKind::Directive, TInk::Label);
        } else if (head == "image") {
            Image();
        } else {
            return Graphic();
        }
        return true;
    }

private:
    TSheetPoint At(TFilePoint p) const { return c_.ToSheet(page_, p, item_); }

    void Add(TSheetObject& object) { sheet_.AddObject(object); }

    void Polyline(int32_t kind) {
        std::vector<TSheetPoint> points;
        if (const TSexpr* pts = item_.Find("pts"))
            for (const TSexpr* xy : pts->FindAll("xy"))
                points.push_back(At(c_.Point(*xy)));
        if (points.size() < 2)
            c_.Fail(item_, "needs two points");
        Add(*TPolyline::Create(kind, std::move(points)));
    }

    void BusEntry() {
        const TFilePoint at = c_.PointOf(item_, "at");
        const TFilePoint size = c_.PointOf(item_, "size");
        const TSheetPoint a = At(at);
        const TSheetPoint b = At({at.X + size.X, at.Y + size.Y});
        THostRef<TLineObject> entry = TLineObject::Create(kinds::BusEntry, a, b);
        TShape line;
        line.Ink = TInk::Bus;
        line.Points = {a, b};
        entry->SetDrawing({line});
        Add(*entry);
        ++counts_.BusEntries;
    }

    void Junction() {
        const TSheetPoint at = At(c_.PointOf(item_, "at"));
        int64_t diameter = 0;
        if (const TSexpr* d = item_.Find("diameter"))
            diameter = std::max<int64_t>(0, c_.Length(*d, 1, 0));
        THostRef<TGraphic> junction = MakeJunction(at);
        TShape dot;
        dot.Kind = TShapeKind::Circle;
        dot.Ink = TInk::Junction;
        dot.Fill = TShapeFill::Outline;
        dot.Points = {at};
        dot.Radius = c_.Frame().LengthToSheet((diameter > 0 ? diameter : JunctionDiameter) / 2);
        junction->SetDrawing({dot});
        Add(*junction);
        ++counts_.Junctions;
    }

    void NoConnect() {
        const TFilePoint at = c_.PointOf(item_, "at");
        const TSheetPoint low = At({at.X - NoConnectHalf, at.Y + NoConnectHalf});
        const TSheetPoint high = At({at.X + NoConnectHalf, at.Y - NoConnectHalf});
        THostRef<TGraphic> flag = TGraphic::Create(kinds::NoErc, {low.X, low.Y, high.X, high.Y});
        flag->SetAnchor(At(at));
        TShape one;
        one.Ink = TInk::NoConnect;
        one.Points = {low, high};
        TShape other = one;
        other.Points = {{low.X, high.Y}, {high.X, low.Y}};
        flag->SetDrawing({one, other});
        Add(*flag);
        ++counts_.NoConnects;
    }

    // Every label is a port: anchored at its connection point, its box
    // running from there in the label's direction.
    void Label(TLabelKind kind, TInk ink) {
        const std::string& text = c_.Text(item_, 1);
        const TSexpr* at = item_.Find("at");
        if (!at)
            c_.Fail(item_, "(at ...) is missing");
        const TSheetPoint anchor = At(c_.Point(*at));
        std::string shape;
        if (const TSexpr* s = item_.Find("shape"); s && s->Text(1))
            shape = *s->Text(1);
        int64_t stick = DirectiveStick;
        if (const TSexpr* length = item_.Find("length"))
            stick = std::max<int64_t>(0, c_.Length(*length, 1, stick));
        TLabelLook look;
        try {
            look = LabelLook(kind, shape, text, c_.Style(item_), anchor,
                             QuarterOf(c_.Angle(*at, 3)), c_.Frame(), ink, stick);
        } catch (const std::out_of_range& e) {
            c_.Fail(item_, std::string("a point ") + e.what());
        }
        THostRef<TGraphic> port = TGraphic::Create(kinds::Port, look.Box);
        port->SetAnchor(anchor);
        port->SetText(text);
        port->SetDrawing(std::move(look.Drawing));
        Add(*port);
        ++counts_.Labels;
    }

    // Its size follows from the picture's pixels at the editor's 300 per inch.
    void Image() {
        const TFilePoint at = c_.PointOf(item_, "at");
        int64_t scale = 10000; // 1.0
        if (const TSexpr* s = item_.Find("scale"))
            scale = std::max<int64_t>(0, c_.Length(*s, 1, scale));
        int64_t width = 0;
        int64_t height = 0;
        if (const TSexpr* data = item_.Find("data")) {
            std::string text;
            for (std::size_t i = 1; i < data->Items.size() && text.size() < 64; ++i)
                if (const std::string* part = data->Text(i))
                    text += *part;
            const std::string png = DecodeBase64Prefix(text, 24);
            if (png.size() == 24 && png.compare(1, 3, "PNG") == 0) {
                const auto byte = [&](std::size_t i) {
                    return static_cast<int64_t>(static_cast<unsigned char>(png[i]));
                };
                const int64_t pixelsWide =
                    byte(16) << 24 | byte(17) << 16 | byte(18) << 8 | byte(19);
                const int64_t pixelsHigh =
                    byte(20) << 24 | byte(21) << 16 | byte(22) << 8 | byte(23);
                // 100 nm per pixel times the scale (in ten-thousandths).
                const int64_t pixel = 254000 / ImagePixelsPerInch;
                width = std::min<int64_t>(pixelsWide, 1 << 20) * pixel * scale / 10000;
                height = std::min<int64_t>(pixelsHigh, 1 << 20) * pixel * scale / 10000;
            }
        }
        const TSheetPoint low = At({at.X - width / 2, at.Y + height / 2});
        const TSheetPoint high = At({at.X + width / 2, at.Y - height / 2});
        THostRef<TGraphic> image = TGraphic::Create(kinds::Image, {low.X, low.Y, high.X, high.Y});
        TShape frame;
        frame.Kind = TShapeKind::Polygon;
        frame.Ink = TInk::Graphic;
        frame.Dashed = true;
        frame.Points = {low, {high.X, low.Y}, high, {low.X, high.Y}};
        image->SetDrawing({frame});
        Add(*image);
        ++counts_.Graphics;
    }

    bool Graphic() {
        TGraphicItem item;
        const bool isText = item_.Head() == "text" || item_.Head() == "text_box";
        if (!ReadGraphic(c_, item_, page_, isText ? TInk::Note : TInk::Graphic, item))
            return false;
        Add(*MakeGraphicObject(std::move(item)));
        ++(isText ? counts_.Texts : counts_.Graphics);
        return true;
    }

    const TReadContext& c_;
    const TSexpr& item_;
    TSheetDocument& sheet_;
    TItemCounts& counts_;
    TPlacement page_;
};

} // namespace

bool ReadSheetItem(const TReadContext& context, const TSexpr& item, TSheetDocument& sheet,
                   TItemCounts& counts) {
    return TItemReader(context, item, sheet, counts).Read();
}

} // namespace pathwick::workbench::kicad
