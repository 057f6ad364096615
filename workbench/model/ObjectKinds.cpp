#include "workbench/model/ObjectKinds.h"

#include <array>

namespace pathwick::workbench {

namespace {
constexpr std::array<std::string_view, 64> Names = {
    "placeholder",         // 0
    "group",               // 1
    "arc",                 // 2
    "ellipse",             // 3
    "pie",                 // 4
    "bezier",              // 5
    "sheet-template",      // 6
    "bus-entry",           // 7
    "text",                // 8
    "note",                // 9
    "image",               // 10
    "port",                // 11
    "power-object",        // 12
    "sheet-entry",         // 13
    "sheet-symbol",        // 14
    "junction",            // 15
    "line",                // 16
    "polyline",            // 17
    "wire",                // 18
    "bus",                 // 19
    "polygon",             // 20
    "rectangle",           // 21
    "round-rectangle",     // 22
    "label",               // 23
    "symbol",              // 24
    "library-link",        // 25
    "no-erc",              // 26
    "cross-reference",     // 27
    "off-sheet-connector", // 28
    "probe",               // 29
    "parameter",           // 30
    "document",            // 31
    "designator-field",    // 32
    "cable-connector",     // 33
    "cable-entry",         // 34
    "pin",                 // 35
    "marker",              // 36
    "cable-type",          // 37
    "shaded-area",         // 38
    "hyperlink",           // 39
    "bookmark",            // 40
    "text-frame",          // 41
    "revision-mark",       // 42
    "selection-mark",      // 43
    "error-mark",          // 44
    "cursor-mark",         // 45
    "masked-area",         // 46
    "signal-path",         // 47
    "pin-decoration",      // 48
    "body-arc",            // 49
    "body-line",           // 50
    "differential-pair",   // 51
    "net-class",           // 52
    "test-point",          // 53
    "table",               // 54
    "implementation",      // 55
    "ellipse-arc",         // 56
    "grouped-text",        // 57
    "annotation-mark",     // 58
    "net-tie",             // 59
    "reserved-60",         // 60
    "reserved-61",         // 61
    "reserved-62",         // 62
    "reserved-63",         // 63
};
} // namespace

std::string_view KindName(int32_t kind) {
    if (kind < 0 || kind >= static_cast<int32_t>(Names.size()))
        return {};
    return Names[static_cast<std::size_t>(kind)];
}

std::optional<int32_t> KindFromName(std::string_view name) {
    for (std::size_t i = 0; i < Names.size(); ++i)
        if (Names[i] == name)
            return static_cast<int32_t>(i);
    return std::nullopt;
}

TObjectClass ClassOfKind(int32_t kind) {
    switch (kind) {
    case kinds::BusEntry:
    case kinds::Line:
        return TObjectClass::Line;
    case kinds::Polyline:
    case kinds::Wire:
    case kinds::Bus:
    case kinds::Polygon:
        return TObjectClass::Polyline;
    case kinds::Label:
        return TObjectClass::Label;
    case kinds::Symbol:
        return TObjectClass::Symbol;
    case kinds::Pin:
        return TObjectClass::Pin;
    case kinds::Document:
        return TObjectClass::Document;
    default:
        return TObjectClass::Graphic;
    }
}

bool KindInSet(int32_t kind, uint64_t kinds) {
    return InKindSet(kinds, kind);
}

} // namespace pathwick::workbench
