// How a schematic file writes its wires and junctions, so that added ones
// look like the file's own: taken from an item already in the file, or the
// editor's default for the file's format version.
#pragma once

#include "workbench/kicad/PageFrame.h"
#include "workbench/kicad/SExpr.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pathwick::workbench::kicad {

// An item's text with slots for its coordinates and its UUID.
class TItemTemplate {
public:
    TItemTemplate() = default;
    // `item` lies in `text`; `points` names the child lists whose two numbers
    // are slots, in order ("xy" finds every (xy ..) inside (pts ..)).
    TItemTemplate(const TSexpr& item, std::string_view text, std::string_view indent);

    // The item with the slots filled: the points' coordinates in order, then the UUID.
    std::string Fill(const std::vector<TFilePoint>& points, const std::string& uuid) const;
    const std::string& Indent() const { return indent_; }

private:
    std::string text_;
    std::string indent_;
    std::vector<std::pair<std::size_t, std::size_t>> coordinates_; // begin, end within text_
    std::pair<std::size_t, std::size_t> uuid_{0, 0};
    bool hasUuid_ = false;
    bool quotedUuid_ = false;
};

class TWriteStyle {
public:
    TWriteStyle(const TSexpr& root, std::string_view text, int64_t version);

    const TItemTemplate& Wire() const { return wire_; }
    const TItemTemplate& Junction() const { return junction_; }
    // Byte offsets after which new wires and new junctions go.
    std::size_t WireAnchor() const { return wireAnchor_; }
    std::size_t JunctionAnchor() const { return junctionAnchor_; }
    const std::string& NewLine() const { return newLine_; }

private:
    TItemTemplate wire_;
    TItemTemplate junction_;
    std::size_t wireAnchor_ = 0;
    std::size_t junctionAnchor_ = 0;
    std::string newLine_ = "\n";
};

// A fresh random (version 4) UUID in the file's lower-case form.
std::string NewUuid();

} // namespace pathwick::workbench::kicad
