// Reading values out of a schematic file's elements, with messages that name
// the file and line of whatever is wrong.
#pragma once

#include "workbench/kicad/SExpr.h"
#include "workbench/kicad/SymbolTransform.h"
#include "workbench/kicad/TextLayout.h"

#include <string>

namespace pathwick::workbench::kicad {

// Text sizes beyond this (in 100 nm) are taken as this: far larger than any
// page shows, and small enough that a text's extent stays a plain number.
inline constexpr int64_t MaxTextSize = 2540000; // 254 mm

class TReadContext {
public:
    TReadContext(std::string source, const TPageFrame& frame)
        : source_(std::move(source)), frame_(&frame) {}

    const std::string& Source() const { return source_; }
    const TPageFrame& Frame() const { return *frame_; }

    [[noreturn]] void Fail(const TSexpr& at, const std::string& what) const;

    // Item i of a list as a length in 100 nm; `fallback` when the item is
    // absent, an error when it is there but not a number.
    int64_t Length(const TSexpr& list, std::size_t i) const;
    int64_t Length(const TSexpr& list, std::size_t i, int64_t fallback) const;
    // Whole degrees (rounded), `fallback` when absent.
    int Angle(const TSexpr& list, std::size_t i, int fallback = 0) const;
    // A whole number such as a unit; an error when absent or not one.
    int Integer(const TSexpr& list, std::size_t i) const;
    // Items i and i + 1 as a point.
    TFilePoint Point(const TSexpr& list, std::size_t i = 1) const;
    // The point of the child list `name` ((at x y ...), (start x y), ...);
    // an error when there is none.
    TFilePoint PointOf(const TSexpr& list, const char* name) const;
    // A mapped point; a point beyond the sheet's range is an error at `at`.
    TSheetPoint ToSheet(const TPlacement& placement, TFilePoint p, const TSexpr& at) const;
    // The text of item i, an error when it is absent or a list.
    const std::string& Text(const TSexpr& list, std::size_t i) const;

    // (effects (font (size H W)) (justify ...) hide): `item` is the element
    // that holds the (effects ...); hidden also by (hide yes) on the item.
    TTextStyle Style(const TSexpr& item) const;

private:
    std::string source_;
    const TPageFrame* frame_;
};

// Whether an element carries the flag `word`: bare (`hide`) or as (`hide yes`).
bool HasYesFlag(const TSexpr& list, const char* word);

} // namespace pathwick::workbench::kicad
