// The schematics of Debian's kicad-demos package, as the tests read them.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace pathwick::test {

inline const std::filesystem::path kKicadDemoFolder = "/usr/share/kicad/demos";

// The programmer's sheet, and two wires of it that each join two lone pins.
inline std::string ProgrammerSheet() {
    return (kKicadDemoFolder / "pic_programmer/pic_programmer.kicad_sch").string();
}
inline const std::vector<std::string> kProgrammerCutWires = {
    "  (wire (pts (xy 250.19 156.21) (xy 243.84 156.21))",
    "  (wire (pts (xy 250.19 143.51) (xy 243.84 143.51))",
};

// The text of a schematic with the top-level items that begin with each
// of `starts` taken out (each from its first line to its closing line).
inline std::string WithoutItems(std::string text, const std::vector<std::string>& starts) {
    for (const std::string& start : starts) {
        const std::size_t at = text.find(start);
        const std::size_t close = text.find("\n  )\n", at);
        if (at == std::string::npos || close == std::string::npos)
            throw std::runtime_error("no item " + start);
        text.erase(at, close + 5 - at);
    }
    return text;
}

} // namespace pathwick::test
