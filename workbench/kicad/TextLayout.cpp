#include "workbench/kicad/TextLayout.h"

#include <algorithm>

namespace pathwick::workbench::kicad {

namespace {

// Share of the font width that one character advances, and line pitch in
// text heights.
constexpr int64_t AdvancePercent = 80;
constexpr int64_t PitchPercent = 160;
// Longer lines, and more lines, are measured as this many; with sizes
// capped as they are, every extent stays well inside 64 bits.
constexpr int64_t MaxTextCharacters = 100000;

// Characters of UTF-8 text (continuation bytes do not count).
int64_t CharacterCount(std::string_view text) {
    int64_t n = 0;
    for (const char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

int64_t Pitch(const TTextStyle& style) {
    return style.Height * PitchPercent / 100;
}

} // namespace

std::string VisibleText(std::string_view text) {
    std::string out;
    int openMarks = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c == '~' || c == '^' || c == '_') && i + 1 < text.size() && text[i + 1] == '{') {
            ++openMarks;
            ++i;
            continue;
        }
        if (c == '}' && openMarks > 0) {
            --openMarks;
            continue;
        }
        out += c;
    }
    return out;
}

std::vector<std::string> TextLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        lines.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return lines;
        start = end + 1;
    }
}

int64_t TextWidth(std::string_view text, const TTextStyle& style) {
    int64_t widest = 0;
    for (const std::string& line : TextLines(VisibleText(text)))
        widest = std::max(widest, CharacterCount(line));
    return std::min(widest, MaxTextCharacters) * style.Width * AdvancePercent / 100;
}

int64_t TextHeight(std::string_view text, const TTextStyle& style) {
    const auto lines = std::min(static_cast<int64_t>(TextLines(text).size()), MaxTextCharacters);
    return style.Height + (lines - 1) * Pitch(style);
}

TTextFrameBox JustifiedBox(std::string_view text, const TTextStyle& style) {
    const int64_t w = TextWidth(text, style);
    const int64_t h = TextHeight(text, style);
    TTextFrameBox box;
    switch (style.Along) {
    case TTextAlign::Start:
        box.AlongHigh = w;
        break;
    case TTextAlign::Centre:
        box.AlongLow = -w / 2;
        box.AlongHigh = w - w / 2;
        break;
    case TTextAlign::End:
        box.AlongLow = -w;
        break;
    }
    // A single line is anchored at its baseline (bottom), middle or top;
    // further lines go down from the first.
    const int64_t below = h - style.Height;
    switch (style.Across) {
    case TTextAlign::End:
        box.AcrossLow = -below;
        box.AcrossHigh = style.Height;
        break;
    case TTextAlign::Centre:
        box.AcrossLow = -h / 2;
        box.AcrossHigh = h - h / 2;
        break;
    case TTextAlign::Start:
        box.AcrossLow = -h;
        break;
    }
    return box;
}

TPlacedText PlaceTextBox(const TPlacement& placement, TFilePoint anchor, int angle,
                         const TTextFrameBox& box) {
    const int q = QuarterOf(angle);
    const int64_t ax = QuarterDx(q), ay = QuarterDy(q); // reading direction
    const int64_t cx = -ay, cy = ax;                    // up across the text
    TPlacedText placed;
    bool first = true;
    for (const int64_t along : {box.AlongLow, box.AlongHigh}) {
        for (const int64_t across : {box.AcrossLow, box.AcrossHigh}) {
            int64_t x = along * ax + across * cx;
            int64_t y = along * ay + across * cy;
            if (placement.IsLibrary())
                placement.Transform().Apply(x, y, x, y);
            // The offsets are y up; the page's y grows down.
            const TSheetPoint p = placement.Frame().ToSheet({anchor.X + x, anchor.Y - y});
            if (first) {
                placed.Box = {p.X, p.Y, p.X, p.Y};
                first = false;
                continue;
            }
            placed.Box.Left = std::min(placed.Box.Left, p.X);
            placed.Box.Right = std::max(placed.Box.Right, p.X);
            placed.Box.Bottom = std::min(placed.Box.Bottom, p.Y);
            placed.Box.Top = std::max(placed.Box.Top, p.Y);
        }
    }
    // The editor keeps texts readable: left to right or bottom to top.
    const int reading = placement.IsLibrary() ? placement.Transform().Quarter(angle) : q;
    placed.Angle = (reading % 2 == 0) ? 0 : 90;
    return placed;
}

TShape TextShape(TInk ink, std::string text, TSheetPoint at, int32_t size, int16_t angle,
                 TTextAlign along, TTextAlign across) {
    TShape shape;
    shape.Kind = TShapeKind::Text;
    shape.Ink = ink;
    shape.Points = {at};
    shape.Text = std::move(text);
    shape.TextSize = size;
    shape.Angle = angle;
    shape.Along = along;
    shape.Across = across;
    return shape;
}

void AddCentredText(TDrawing& drawing, TInk ink, std::string_view text, const TTextStyle& style,
                    const TPlacedText& placed, const TPageFrame& frame) {
    const std::vector<std::string> lines = TextLines(VisibleText(text));
    const int64_t n = static_cast<int64_t>(lines.size());
    const int64_t pitch = frame.LengthToSheet(Pitch(style));
    const int32_t size = frame.LengthToSheet(style.Height);
    const int64_t midX = (int64_t{placed.Box.Left} + placed.Box.Right) / 2;
    const int64_t midY = (int64_t{placed.Box.Bottom} + placed.Box.Top) / 2;
    for (int64_t i = 0; i < n; ++i) {
        if (lines[static_cast<std::size_t>(i)].empty())
            continue;
        // Twice the offset from the middle, in pitches: lines go down the
        // page (or, read upward, to the right).
        const int64_t twice = 2 * i - (n - 1);
        const int64_t step = twice * pitch / 2;
        const TSheetPoint at =
            placed.Angle == 0
                ? TSheetPoint{static_cast<int32_t>(midX), static_cast<int32_t>(midY - step)}
                : TSheetPoint{static_cast<int32_t>(midX + step), static_cast<int32_t>(midY)};
        drawing.push_back(TextShape(ink, lines[static_cast<std::size_t>(i)], at, size, placed.Angle,
                                    TTextAlign::Centre, TTextAlign::Centre));
    }
}

} // namespace pathwick::workbench::kicad
