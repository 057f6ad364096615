// The workbench host's object kind codes and their readable names.
#pragma once

#include "host/ObjectKinds.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace pathwick::workbench {

// The host's kind codes by object name (kinds::Wire, ...); every code 0..63
// also has a readable name (see KindName).
namespace kinds = pathwick::kinds;

// Which workbench class represents objects of a kind, and so which interfaces
// they answer.
enum class TObjectClass {
    Graphic,  // plain graphical object
    Line,     // anchor and end point (ISch_Line; ISch_BusEntry for kind 7)
    Polyline, // vertices (ISch_Polygon; ISch_BasicPolyline unless kind 20; ISch_Wire for 18)
    Label,    // ISch_TextTag
    Symbol,   // ISch_Symbol with children and a label
    Pin,      // ISch_SymbolPin
    Document, // ISch_Document
};

// The readable name of a kind 0..63; empty for any other value.
std::string_view KindName(int32_t kind);
// The kind of a readable name, or nothing for an unknown name.
std::optional<int32_t> KindFromName(std::string_view name);
// The class for a kind; kinds outside 0..63 are plain graphics.
TObjectClass ClassOfKind(int32_t kind);
// Whether bit `kind` of a 64-bit kind set is set; false outside 0..63.
bool KindInSet(int32_t kind, uint64_t kinds);

} // namespace pathwick::workbench
