// A small exact reader of the S-expressions that schematic files are written in.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pathwick::workbench::kicad {

// Text that is not a well-formed S-expression, or a file whose contents are
// not what a schematic holds. The message names the file and the line.
class EKicadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One element: a list, a bare atom (a keyword, number or flag such as `hide`)
// or a quoted string. A quoted "hide" is a string, never the flag. Every
// element remembers where it stands in the text, so that the text can be
// re-emitted byte for byte around it.
struct TSexpr {
    enum class TType : uint8_t { List, Atom, String };

    TType Type = TType::List;
    std::string Value;         // atoms and strings: the text, escapes resolved
    std::size_t Begin = 0;     // first byte in the source
    std::size_t End = 0;       // one past the last byte
    uint32_t Line = 1;         // of the first byte
    std::vector<TSexpr> Items; // lists

    bool IsList() const { return Type == TType::List; }
    bool IsAtom() const { return Type == TType::Atom; }
    bool IsString() const { return Type == TType::String; }

    // The list's first element when it is a bare atom ("wire" for (wire ...)), else "".
    std::string_view Head() const;
    // The first child list whose head is `name`, or null.
    const TSexpr* Find(std::string_view name) const;
    // Every child list whose head is `name`, in order.
    std::vector<const TSexpr*> FindAll(std::string_view name) const;
    // Whether the list holds the bare atom `word` (as in `(pin ... hide)`).
    bool HasFlag(std::string_view word) const;
    // The text of item i (an atom or a string), or null when there is none.
    const std::string* Text(std::size_t i) const;
};

// Nesting deeper than this is refused: no schematic comes close, and the
// tree is freed element by element within this depth.
inline constexpr int MaxSexprDepth = 64;

// More elements than this are refused: a schematic of many pages holds a
// few hundred thousand, and each costs memory in the tree.
inline constexpr std::size_t MaxSexprElements = 4000000;

// Reads one S-expression that fills `text` (white space may surround it).
// `source` names the text in messages. Throws EKicadError.
TSexpr ParseSexpr(std::string_view text, const std::string& source);

} // namespace pathwick::workbench::kicad
