// The library symbols a schematic file carries in its (lib_symbols ...).
#pragma once

#include "workbench/kicad/ReadContext.h"

#include <map>
#include <string>
#include <vector>

namespace pathwick::workbench::kicad {

// One drawing unit of a library symbol, (symbol "NAME_U_S" ...): unit U and
// body style S, where 0 means shared by every unit or style.
struct TLibUnit {
    int Unit = 0;
    int BodyStyle = 0;
    const TSexpr* Node = nullptr;
};

struct TLibSymbol {
    std::vector<TLibUnit> Units;
    int64_t PinNameOffset = 5080; // 20 mil unless the symbol says otherwise
    bool PinNamesHidden = false;
    bool PinNumbersHidden = false;

    // The units that a placed symbol of `unit` and `bodyStyle` shows.
    std::vector<const TSexpr*> UnitsFor(int unit, int bodyStyle) const;
};

class TLibrarySymbols {
public:
    // `libSymbols` may be null (a file without library symbols).
    TLibrarySymbols(const TReadContext& context, const TSexpr* libSymbols);

    // The symbol of that name, with (extends ...) resolved; null when the
    // file does not carry it.
    const TLibSymbol* Find(const std::string& name) const;

private:
    void Resolve(const TReadContext& context, const std::string& name, const TSexpr& node);

    std::map<std::string, const TSexpr*> nodes_;
    std::map<std::string, TLibSymbol> symbols_;
};

} // namespace pathwick::workbench::kicad
