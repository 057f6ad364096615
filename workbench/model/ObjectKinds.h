// The workbench host's object kind codes and their readable names.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pathwick::workbench {

// Kind codes as GetObjectKind reports them. Every code 0..63 has a name
// (see KindName); these are the ones the workbench gives behaviour to.
namespace kinds {
inline constexpr int32_t Arc = 2;
inline constexpr int32_t Ellipse = 3;
inline constexpr int32_t BusEntry = 7;
inline constexpr int32_t Text = 8;
inline constexpr int32_t Note = 9;
inline constexpr int32_t Image = 10;
inline constexpr int32_t Port = 11;
inline constexpr int32_t PowerObject = 12;
inline constexpr int32_t Junction = 15;
inline constexpr int32_t Line = 16;
inline constexpr int32_t Polyline = 17;
inline constexpr int32_t Wire = 18;
inline constexpr int32_t Bus = 19;
inline constexpr int32_t Polygon = 20;
inline constexpr int32_t Rectangle = 21;
inline constexpr int32_t RoundRectangle = 22;
inline constexpr int32_t Label = 23;
inline constexpr int32_t Symbol = 24;
inline constexpr int32_t NoErc = 26;
inline constexpr int32_t Parameter = 30;
inline constexpr int32_t Document = 31;
inline constexpr int32_t Pin = 35;
inline constexpr int32_t Marker = 36;
} // namespace kinds

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
