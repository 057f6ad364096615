#include "workbench/kicad/ReadContext.h"

#include "workbench/kicad/KicadUnits.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace pathwick::workbench::kicad {

bool HasYesFlag(const TSexpr& list, const char* word) {
    if (list.HasFlag(word))
        return true;
    const TSexpr* flag = list.Find(word);
    if (!flag)
        return false;
    const std::string* value = flag->Text(1);
    // (hide) alone counts as set.
    return !value || *value == "yes";
}

void TReadContext::Fail(const TSexpr& at, const std::string& what) const {
    const std::string head(at.Head());
    throw EKicadError(source_ + ":" + std::to_string(at.Line) + ": " +
                      (head.empty() ? std::string() : "(" + head + " ...): ") + what);
}

const std::string& TReadContext::Text(const TSexpr& list, std::size_t i) const {
    const std::string* text = list.Text(i);
    if (!text)
        Fail(list, "item " + std::to_string(i) + " is missing");
    return *text;
}

int64_t TReadContext::Length(const TSexpr& list, std::size_t i) const {
    const std::string& text = Text(list, i);
    try {
        return ParseMillimetres(text);
    } catch (const std::invalid_argument& e) {
        Fail(list, e.what());
    }
}

int64_t TReadContext::Length(const TSexpr& list, std::size_t i, int64_t fallback) const {
    return list.Text(i) ? Length(list, i) : fallback;
}

int TReadContext::Angle(const TSexpr& list, std::size_t i, int fallback) const {
    if (!list.Text(i))
        return fallback;
    const int64_t tenThousandths = Length(list, i);
    const int64_t rounded =
        tenThousandths >= 0 ? (tenThousandths + 5000) / 10000 : -((-tenThousandths + 5000) / 10000);
    return static_cast<int>(rounded % 360);
}

int TReadContext::Integer(const TSexpr& list, std::size_t i) const {
    const std::string& text = Text(list, i);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        Fail(list, "\"" + text + "\" is not a whole number");
    return value;
}

TFilePoint TReadContext::Point(const TSexpr& list, std::size_t i) const {
    return {Length(list, i), Length(list, i + 1)};
}

TFilePoint TReadContext::PointOf(const TSexpr& list, const char* name) const {
    const TSexpr* child = list.Find(name);
    if (!child)
        Fail(list, std::string("(") + name + " ...) is missing");
    return Point(*child);
}

TSheetPoint TReadContext::ToSheet(const TPlacement& placement, TFilePoint p,
                                  const TSexpr& at) const {
    try {
        return placement.Frame().ToSheet(p);
    } catch (const std::out_of_range& e) {
        Fail(at, std::string("a point ") + e.what());
    }
}

TTextStyle TReadContext::Style(const TSexpr& item) const {
    TTextStyle style;
    style.Hidden = HasYesFlag(item, "hide");
    const TSexpr* effects = item.Find("effects");
    if (!effects)
        return style;
    style.Hidden = style.Hidden || HasYesFlag(*effects, "hide");
    if (const TSexpr* font = effects->Find("font"))
        if (const TSexpr* size = font->Find("size")) {
            style.Height = std::clamp<int64_t>(Length(*size, 1, style.Height), 0, MaxTextSize);
            style.Width = std::clamp<int64_t>(Length(*size, 2, style.Height), 0, MaxTextSize);
        }
    if (const TSexpr* justify = effects->Find("justify")) {
        if (justify->HasFlag("left"))
            style.Along = TTextAlign::Start;
        if (justify->HasFlag("right"))
            style.Along = TTextAlign::End;
        if (justify->HasFlag("top"))
            style.Across = TTextAlign::Start;
        if (justify->HasFlag("bottom"))
            style.Across = TTextAlign::End;
    }
    return style;
}

} // namespace pathwick::workbench::kicad
