#include "workbench/files/SheetFile.h"

#include "workbench/files/OutputFile.h"
#include "workbench/files/SheetShape.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/Symbol.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <optional>

namespace pathwick::workbench {

namespace {

using nlohmann::json;
using nlohmann::ordered_json;

constexpr const char* FormatName = "pathwick-sheet";

// Reads one file's JSON into the model, naming the file and the object in
// every complaint. Symbols may not hold symbols, so reading recurses at most
// one level below a top-level object.
class TSheetReader {
public:
    explicit TSheetReader(std::string source) : source_(std::move(source)) {}

    THostRef<TSheetDocument> ReadSheet(const json& root) const {
        if (!root.is_object())
            Fail("", "the file must hold a JSON object");
        CheckKeys(root, "", {"format", "width", "height", "objects"});
        if (const json* format = Find(root, "format")) {
            if (!format->is_string() || format->get<std::string>() != FormatName)
                Fail("format", std::string("must be \"") + FormatName + "\"");
        }
        const int32_t width = IntField(Need(root, "width", ""), "", "width");
        const int32_t height = IntField(Need(root, "height", ""), "", "height");
        if (width < 1)
            Fail("width", "must be at least 1, not " + std::to_string(width));
        if (height < 1)
            Fail("height", "must be at least 1, not " + std::to_string(height));
        const json& objects = Need(root, "objects", "");
        if (!objects.is_array())
            Fail("objects", "must be a list of objects");
        if (objects.size() > MaxSheetObjects)
            Fail("objects", "holds " + std::to_string(objects.size()) + " objects, more than " +
                                std::to_string(MaxSheetObjects));

        THostRef<TSheetDocument> sheet = TSheetDocument::Create(width, height);
        for (std::size_t i = 0; i < objects.size(); ++i) {
            THostRef<TSheetObject> object =
                ReadObject(objects[i], "objects[" + std::to_string(i) + "]", false);
            sheet->AddObject(*object);
        }
        return sheet;
    }

private:
    [[noreturn]] void Fail(const std::string& where, const std::string& what) const {
        throw ESheetFileError(source_ + ": " + (where.empty() ? "" : where + ": ") + what);
    }

    static const json* Find(const json& object, const char* key) {
        const auto it = object.find(key);
        return it == object.end() ? nullptr : &*it;
    }

    const json& Need(const json& object, const char* key, const std::string& where) const {
        const json* value = Find(object, key);
        if (!value)
            Fail(where, std::string("missing \"") + key + "\"");
        return *value;
    }

    void CheckKeys(const json& object, const std::string& where,
                   std::initializer_list<const char*> allowed) const {
        for (const auto& item : object.items()) {
            const bool known = std::any_of(allowed.begin(), allowed.end(),
                                           [&](const char* key) { return item.key() == key; });
            if (!known)
                Fail(where, "unknown field \"" + item.key() + "\"");
        }
    }

    // Field readers name the object: `where` is e.g. "objects[3] (pin 1)".
    int32_t IntField(const json& value, const std::string& where, const std::string& key) const {
        if (!value.is_number_integer())
            Fail(where, key + " must be an integer");
        constexpr int64_t lo = std::numeric_limits<int32_t>::min();
        constexpr int64_t hi = std::numeric_limits<int32_t>::max();
        if (value.is_number_unsigned()) {
            const auto u = value.get<uint64_t>();
            if (u > static_cast<uint64_t>(hi))
                Fail(where, key + " = " + std::to_string(u) + " is outside the 32-bit range");
            return static_cast<int32_t>(u);
        }
        const auto v = value.get<int64_t>();
        if (v < lo || v > hi)
            Fail(where, key + " = " + std::to_string(v) + " is outside the 32-bit range");
        return static_cast<int32_t>(v);
    }

    TSheetPoint PointField(const json& value, const std::string& where,
                           const std::string& key) const {
        if (!value.is_array() || value.size() != 2)
            Fail(where, key + " must be [x, y]");
        return {IntField(value[0], where, key + " x"), IntField(value[1], where, key + " y")};
    }

    TSheetRect RectField(const json& value, const std::string& where) const {
        if (!value.is_array() || value.size() != 4)
            Fail(where, "rect must be [left, bottom, right, top]");
        return {IntField(value[0], where, "rect left"), IntField(value[1], where, "rect bottom"),
                IntField(value[2], where, "rect right"), IntField(value[3], where, "rect top")};
    }

    bool BoolField(const json& object, const char* key, const std::string& where) const {
        const json* value = Find(object, key);
        if (!value)
            return false;
        if (!value->is_boolean())
            Fail(where, std::string(key) + " must be true or false");
        return value->get<bool>();
    }

    int32_t OptionalInt(const json& object, const char* key, int32_t fallback,
                        const std::string& where) const {
        const json* value = Find(object, key);
        return value ? IntField(*value, where, key) : fallback;
    }

    uint8_t ViewField(const json& object, const char* key, const std::string& where) const {
        const int32_t view = OptionalInt(object, key, 0, where);
        if (view < 0 || view > 255)
            Fail(where, std::string(key) + " must be 0..255, not " + std::to_string(view));
        return static_cast<uint8_t>(view);
    }

    // The name an object goes by in messages: kind and text, or for a symbol
    // without text its label's text.
    static std::string NameOf(const json& object, std::string_view kindName) {
        std::string text;
        if (const json* t = Find(object, "text"); t && t->is_string())
            text = t->get<std::string>();
        if (text.empty()) {
            if (const json* label = Find(object, "label"); label && label->is_object())
                if (const json* t = Find(*label, "text"); t && t->is_string())
                    text = t->get<std::string>();
        }
        // Keep messages one line and short whatever the file holds.
        if (text.size() > 40)
            text = text.substr(0, 40) + "...";
        std::replace_if(
            text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
        std::string name(kindName);
        if (!text.empty())
            name += " " + text;
        return name;
    }

    THostRef<TSheetObject> ReadObject(const json& value, const std::string& position,
                                      bool insideSymbol) const {
        if (!value.is_object())
            Fail(position, "must be an object");
        const json& kindValue = Need(value, "kind", position);
        if (!kindValue.is_string())
            Fail(position, "kind must be a kind name");
        const std::string kindName = kindValue.get<std::string>();
        const std::optional<int32_t> kind = KindFromName(kindName);
        if (!kind)
            Fail(position, "unknown kind \"" + kindName + "\"");
        const std::string where = position + " (" + NameOf(value, kindName) + ")";

        std::string text;
        if (const json* t = Find(value, "text")) {
            if (!t->is_string())
                Fail(where, "text must be a string");
            text = t->get<std::string>();
        }

        THostRef<TSheetObject> object;
        switch (ClassOfKind(*kind)) {
        case TObjectClass::Document:
            Fail(where, "a document cannot be an object of a sheet");
        case TObjectClass::Polyline:
            object = ReadPolyline(value, *kind, where);
            break;
        case TObjectClass::Line:
            object = ReadLine(value, *kind, where);
            break;
        case TObjectClass::Label:
            object = ReadLabel(value, where);
            break;
        case TObjectClass::Pin:
            object = ReadPin(value, where);
            break;
        case TObjectClass::Symbol:
            if (insideSymbol)
                Fail(where, "a symbol cannot hold a symbol");
            object = ReadSymbol(value, where);
            break;
        case TObjectClass::Graphic:
            object = ReadGraphic(value, *kind, where);
            break;
        }
        object->SetText(std::move(text));
        object->SetPart(OptionalInt(value, "part", 1, where));
        object->SetView(ViewField(value, "view", where));
        return object;
    }

    THostRef<TSheetObject> ReadPolyline(const json& value, int32_t kind,
                                        const std::string& where) const {
        CheckKeys(value, where, {"kind", "text", "part", "view", "vertices", "unrouted"});
        const json& list = Need(value, "vertices", where);
        if (!list.is_array())
            Fail(where, "vertices must be a list of [x, y]");
        if (list.size() > static_cast<std::size_t>(MaxVertexIndex))
            Fail(where, "holds " + std::to_string(list.size()) + " vertices, more than " +
                            std::to_string(MaxVertexIndex));
        std::vector<TSheetPoint> vertices;
        vertices.reserve(list.size());
        for (std::size_t i = 0; i < list.size(); ++i)
            vertices.push_back(PointField(list[i], where, "vertices[" + std::to_string(i) + "]"));
        THostRef<TPolyline> polyline = TPolyline::Create(kind, std::move(vertices));
        if (const json* unrouted = Find(value, "unrouted"))
            polyline->SetUnroutedSegments(
                SegmentNumbers(*unrouted, polyline->VertexCount(), where));
        return Up(polyline);
    }

    // Numbers of a polyline's segments, from 1 (vertex i to vertex i + 1).
    std::vector<int32_t> SegmentNumbers(const json& list, int32_t vertexCount,
                                        const std::string& where) const {
        if (!list.is_array())
            Fail(where, "unrouted must be a list of segment numbers");
        std::vector<int32_t> numbers;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::string key = "unrouted[" + std::to_string(i) + "]";
            const int32_t n = IntField(list[i], where, key);
            if (n < 1 || n >= vertexCount)
                Fail(where, key + " = " + std::to_string(n) +
                                " is not a segment of this polyline (1.." +
                                std::to_string(std::max(vertexCount - 1, 0)) + ")");
            numbers.push_back(n);
        }
        return numbers;
    }

    THostRef<TSheetObject> ReadLine(const json& value, int32_t kind,
                                    const std::string& where) const {
        CheckKeys(value, where, {"kind", "text", "part", "view", "anchor", "end", "rect"});
        const TSheetPoint anchor = PointField(Need(value, "anchor", where), where, "anchor");
        const TSheetPoint end = PointField(Need(value, "end", where), where, "end");
        THostRef<TLineObject> line = TLineObject::Create(kind, anchor, end);
        if (const json* rect = Find(value, "rect"))
            line->SetBounds(RectField(*rect, where));
        return Up(line);
    }

    THostRef<TSheetObject> ReadLabel(const json& value, const std::string& where) const {
        CheckKeys(value, where, {"kind", "text", "part", "view", "anchor", "rect", "hidden"});
        THostRef<TLabel> label = TLabel::Create(RectField(Need(value, "rect", where), where), {});
        if (const json* anchor = Find(value, "anchor"))
            label->SetAnchor(PointField(*anchor, where, "anchor"));
        label->SetHidden(BoolField(value, "hidden", where));
        return Up(label);
    }

    THostRef<TSheetObject> ReadPin(const json& value, const std::string& where) const {
        CheckKeys(value, where,
                  {"kind", "text", "part", "view", "anchor", "rect", "orientation", "length",
                   "hidden", "number"});
        const TSheetPoint anchor = PointField(Need(value, "anchor", where), where, "anchor");
        const int32_t orientation =
            IntField(Need(value, "orientation", where), where, "orientation");
        if (orientation < 0 || orientation > 3)
            Fail(where, "orientation must be 0..3, not " + std::to_string(orientation));
        const int32_t length = IntField(Need(value, "length", where), where, "length");
        if (length < 0)
            Fail(where, "length must not be negative, not " + std::to_string(length));
        THostRef<TPin> pin = TPin::Create(anchor, orientation, length);
        if (const json* rect = Find(value, "rect"))
            pin->SetBounds(RectField(*rect, where));
        pin->SetHidden(BoolField(value, "hidden", where));
        if (const json* number = Find(value, "number")) {
            if (!number->is_string())
                Fail(where, "number must be a string");
            pin->SetNumber(number->get<std::string>());
        }
        return Up(pin);
    }

    THostRef<TSheetObject> ReadSymbol(const json& value, const std::string& where) const {
        CheckKeys(value, where,
                  {"kind", "text", "part", "view", "anchor", "rect", "current-part", "current-view",
                   "hidden-pins-visible", "children", "label"});
        THostRef<TSymbol> symbol = TSymbol::Create({});
        if (const json* list = Find(value, "children")) {
            if (!list->is_array())
                Fail(where, "children must be a list of objects");
            if (list->size() > MaxSymbolChildren)
                Fail(where, "holds " + std::to_string(list->size()) + " children, more than " +
                                std::to_string(MaxSymbolChildren));
            for (std::size_t i = 0; i < list->size(); ++i) {
                THostRef<TSheetObject> child =
                    ReadObject((*list)[i], where + " children[" + std::to_string(i) + "]", true);
                symbol->AddChild(*child);
            }
        }
        if (const json* labelValue = Find(value, "label")) {
            THostRef<TSheetObject> label = ReadObject(*labelValue, where + " label", true);
            auto* asLabel = dynamic_cast<TLabel*>(label.Get());
            if (!asLabel)
                Fail(where + " label", "must be of kind \"label\"");
            symbol->SetLabel(asLabel);
        }
        const json* rect = Find(value, "rect");
        symbol->SetBounds(rect ? RectField(*rect, where) : symbol->FittedBounds());
        const TSheetRect bounds = symbol->Bounds();
        const json* anchor = Find(value, "anchor");
        symbol->SetAnchor(anchor ? PointField(*anchor, where, "anchor")
                                 : TSheetPoint{bounds.Left, bounds.Bottom});
        symbol->SetCurrentPart(OptionalInt(value, "current-part", 1, where));
        symbol->SetCurrentView(ViewField(value, "current-view", where));
        symbol->SetHiddenPinsVisible(BoolField(value, "hidden-pins-visible", where));
        return Up(symbol);
    }

    THostRef<TSheetObject> ReadGraphic(const json& value, int32_t kind,
                                       const std::string& where) const {
        CheckKeys(value, where, {"kind", "text", "part", "view", "anchor", "rect"});
        const json* rect = Find(value, "rect");
        const json* anchor = Find(value, "anchor");
        if (kind == kinds::Junction && !rect) {
            if (!anchor)
                Fail(where, "missing \"anchor\"");
            return Up(MakeJunction(PointField(*anchor, where, "anchor")));
        }
        if (!rect)
            Fail(where, "missing \"rect\"");
        THostRef<TGraphic> graphic = TGraphic::Create(kind, RectField(*rect, where));
        if (anchor)
            graphic->SetAnchor(PointField(*anchor, where, "anchor"));
        return Up(graphic);
    }

    template <class T> static THostRef<TSheetObject> Up(const THostRef<T>& object) {
        return THostRef<TSheetObject>::Share(object.Get());
    }

    std::string source_;
};

ordered_json PointJson(TSheetPoint p) {
    return ordered_json::array({p.X, p.Y});
}

ordered_json RectJson(const TSheetRect& r) {
    return ordered_json::array({r.Left, r.Bottom, r.Right, r.Top});
}

ordered_json ObjectJson(const TSheetObject& object) {
    ordered_json out;
    out["kind"] = std::string(KindName(object.Kind()));
    out["text"] = object.Text();
    out["part"] = object.Part();
    out["view"] = object.View();
    if (const auto* polyline = dynamic_cast<const TPolyline*>(&object)) {
        ordered_json vertices = ordered_json::array();
        for (const TSheetPoint& p : polyline->Vertices())
            vertices.push_back(PointJson(p));
        out["vertices"] = std::move(vertices);
        // Only where the workbench placed a run itself, so other sheets keep their shape.
        if (const std::vector<int32_t> unrouted = polyline->UnroutedSegments(); !unrouted.empty())
            out["unrouted"] = unrouted;
        return out;
    }
    out["anchor"] = PointJson(object.Anchor());
    out["rect"] = RectJson(object.Bounds());
    if (const auto* line = dynamic_cast<const TLineObject*>(&object)) {
        out["end"] = PointJson(line->End());
    } else if (const auto* label = dynamic_cast<const TLabel*>(&object)) {
        out["hidden"] = label->Hidden();
    } else if (const auto* pin = dynamic_cast<const TPin*>(&object)) {
        out["orientation"] = pin->Orientation();
        out["length"] = pin->LeadLength();
        out["hidden"] = pin->Hidden();
        if (!pin->Number().empty())
            out["number"] = pin->Number();
    } else if (const auto* symbol = dynamic_cast<const TSymbol*>(&object)) {
        out["current-part"] = symbol->CurrentPart();
        out["current-view"] = symbol->CurrentView();
        out["hidden-pins-visible"] = symbol->HiddenPinsVisible();
        ordered_json children = ordered_json::array();
        for (const auto& child : symbol->ChildList())
            children.push_back(ObjectJson(*child)); // children are never symbols
        out["children"] = std::move(children);
        if (const TLabel* label = symbol->Label())
            out["label"] = ObjectJson(*label);
    }
    return out;
}

} // namespace

THostRef<TSheetDocument> SheetFromJson(const nlohmann::json& root, const std::string& source) {
    return TSheetReader(source).ReadSheet(root);
}

nlohmann::ordered_json SheetToJson(const TSheetDocument& sheet) {
    // Objects with kinds outside the named range cannot be written readably.
    ordered_json objects = ordered_json::array();
    for (std::size_t i = 0; i < sheet.Objects().size(); ++i) {
        const TSheetObject& object = *sheet.Objects()[i];
        if (KindName(object.Kind()).empty())
            throw ESheetFileError("objects[" + std::to_string(i) + "]: kind " +
                                  std::to_string(object.Kind()) + " has no name");
        if (const auto* symbol = dynamic_cast<const TSymbol*>(&object))
            for (const auto& child : symbol->ChildList())
                if (KindName(child->Kind()).empty())
                    throw ESheetFileError("objects[" + std::to_string(i) + "]: a child's kind " +
                                          std::to_string(child->Kind()) + " has no name");
        objects.push_back(ObjectJson(object));
    }
    ordered_json root;
    root["format"] = FormatName;
    root["width"] = sheet.Width();
    root["height"] = sheet.Height();
    root["objects"] = std::move(objects);
    return root;
}

THostRef<TSheetDocument> ParseSheet(std::string_view text, const std::string& source) {
    // Absurd nesting and object counts are refused before anything is built.
    if (const std::optional<std::string> problem =
            SheetShapeProblem(text, MaxSheetObjects, MaxJsonDepth))
        throw ESheetFileError(source + ": " + *problem);
    json root;
    try {
        root = json::parse(text);
    } catch (const json::exception& e) {
        throw ESheetFileError(source + ": not valid JSON: " + e.what());
    }
    return SheetFromJson(root, source);
}

std::string SheetToText(const TSheetDocument& sheet) {
    return SheetToJson(sheet).dump(2) + "\n";
}

THostRef<TSheetDocument> LoadSheetFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ESheetFileError(path + ": cannot open the file");
    // Read straight into one string of the file's size: a large sheet is not
    // copied again.
    std::string text;
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    if (!sizeError && size < std::uintmax_t{1} << 32)
        text.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        throw ESheetFileError(path + ": cannot read the file");
    return ParseSheet(text, path);
}

void SaveSheetFile(const TSheetDocument& sheet, const std::string& path) {
    std::string text;
    try {
        text = SheetToText(sheet);
    } catch (const ESheetFileError& e) {
        throw ESheetFileError(path + ": " + e.what());
    }
    try {
        WriteOutputFile(path, text);
    } catch (const EOutputFileError& e) {
        throw ESheetFileError(e.what());
    }
}

} // namespace pathwick::workbench
