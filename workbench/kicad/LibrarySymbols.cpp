#include "workbench/kicad/LibrarySymbols.h"

#include <charconv>

namespace pathwick::workbench::kicad {

namespace {

// Longest chain of (extends ...) followed; a longer one is a loop.
constexpr int MaxExtends = 16;

bool ParseInt(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// "R_1_0" -> unit 1, body style 0.
bool ParseUnitName(std::string_view name, int& unit, int& style) {
    const std::size_t second = name.rfind('_');
    if (second == std::string_view::npos || second == 0)
        return false;
    const std::size_t first = name.rfind('_', second - 1);
    if (first == std::string_view::npos)
        return false;
    return ParseInt(name.substr(first + 1, second - first - 1), unit) &&
           ParseInt(name.substr(second + 1), style);
}

// "Device:R" and "R" both name R within the library of `from`.
std::string SiblingName(const std::string& from, const std::string& name) {
    const std::size_t colon = from.find(':');
    return colon == std::string::npos ? name : from.substr(0, colon + 1) + name;
}

void ReadPinTextFlags(const TReadContext& context, const TSexpr& node, TLibSymbol& symbol) {
    if (const TSexpr* names = node.Find("pin_names")) {
        symbol.PinNamesHidden = HasYesFlag(*names, "hide");
        if (const TSexpr* offset = names->Find("offset"))
            symbol.PinNameOffset = context.Length(*offset, 1, symbol.PinNameOffset);
    }
    if (const TSexpr* numbers = node.Find("pin_numbers"))
        symbol.PinNumbersHidden = HasYesFlag(*numbers, "hide");
}

} // namespace

std::vector<const TSexpr*> TLibSymbol::UnitsFor(int unit, int bodyStyle) const {
    std::vector<const TSexpr*> nodes;
    for (const TLibUnit& u : Units)
        if ((u.Unit == 0 || u.Unit == unit) && (u.BodyStyle == 0 || u.BodyStyle == bodyStyle))
            nodes.push_back(u.Node);
    return nodes;
}

TLibrarySymbols::TLibrarySymbols(const TReadContext& context, const TSexpr* libSymbols) {
    if (!libSymbols)
        return;
    for (const TSexpr* node : libSymbols->FindAll("symbol"))
        nodes_[context.Text(*node, 1)] = node;
    for (const auto& [name, node] : nodes_)
        Resolve(context, name, *node);
}

void TLibrarySymbols::Resolve(const TReadContext& context, const std::string& name,
                              const TSexpr& node) {
    TLibSymbol symbol;
    // The drawing comes from the end of the (extends ...) chain; the pin text
    // settings from the nearest symbol that gives them.
    const TSexpr* drawn = &node;
    std::string drawnName = name;
    for (int hops = 0; const TSexpr* extends = drawn->Find("extends"); ++hops) {
        if (hops == MaxExtends)
            context.Fail(node, "(extends ...) goes round in a loop");
        const std::string& parent = context.Text(*extends, 1);
        auto it = nodes_.find(SiblingName(drawnName, parent));
        if (it == nodes_.end())
            it = nodes_.find(parent);
        if (it == nodes_.end())
            context.Fail(*extends, "the symbol \"" + parent + "\" it extends is not in the file");
        drawn = it->second;
        drawnName = it->first;
    }
    ReadPinTextFlags(context, *drawn, symbol);
    if (drawn != &node && (node.Find("pin_names") || node.Find("pin_numbers")))
        ReadPinTextFlags(context, node, symbol);
    for (const TSexpr* unitNode : drawn->FindAll("symbol")) {
        TLibUnit unit;
        unit.Node = unitNode;
        if (!ParseUnitName(context.Text(*unitNode, 1), unit.Unit, unit.BodyStyle))
            context.Fail(*unitNode, "a unit's name must end in _UNIT_STYLE, not \"" +
                                        context.Text(*unitNode, 1) + "\"");
        symbol.Units.push_back(unit);
    }
    symbols_[name] = std::move(symbol);
}

const TLibSymbol* TLibrarySymbols::Find(const std::string& name) const {
    const auto it = symbols_.find(name);
    return it == symbols_.end() ? nullptr : &it->second;
}

} // namespace pathwick::workbench::kicad
