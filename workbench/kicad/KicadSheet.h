// A KiCad schematic (.kicad_sch) opened for routing: the workbench sheet made
// from it, and the file's own text, which is written back byte for byte with
// the wires added on the sheet since.
#pragma once

#include "workbench/kicad/Connections.h"
#include "workbench/kicad/ItemCounts.h"
#include "workbench/kicad/PageFrame.h"
#include "workbench/kicad/SExpr.h"
#include "workbench/kicad/SchematicReader.h"
#include "workbench/kicad/WriteStyle.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetDocument.h"

#include <memory>
#include <string>
#include <vector>

namespace pathwick::workbench::kicad {

// Files larger than this are refused as absurd.
inline constexpr std::size_t MaxSchematicBytes = 64u << 20;

class TKicadSheet {
public:
    // Reads a file. Throws EKicadError naming the file (and line) for a file
    // that cannot be read, a legacy or too old schematic, or a broken one.
    static std::unique_ptr<TKicadSheet> Load(const std::string& path);
    // The same on text; `source` names it in messages.
    static std::unique_ptr<TKicadSheet> FromText(std::string text, const std::string& source);
    // Whether text looks like a schematic of this kind (or its legacy form),
    // judged by its first bytes.
    static bool LooksLikeSchematic(std::string_view text);

    TSheetDocument& Document() const { return *document_; }
    const TPageFrame& Frame() const { return frame_; }
    const TItemCounts& Counts() const { return counts_; }
    int64_t Version() const { return version_; }
    const std::string& Text() const { return text_; }

    // The file's text with every wire added to the sheet since it was read,
    // each straight run as one wire in the file's style with a fresh UUID,
    // and a junction wherever one is needed for them to connect as drawn.
    // Unchanged, the text itself. Throws EKicadError when the sheet's own
    // items were changed or removed, or something else than wires was added.
    std::string SavedText() const;

    // The runs and junctions SavedText would add, in sheet units.
    struct TAdditions {
        std::vector<TRun> Runs;
        std::vector<TSheetPoint> Junctions;
    };
    TAdditions Additions() const;

private:
    TKicadSheet(std::string text, std::string source, TPageFrame frame);

    struct TOriginal {
        THostRef<TSheetObject> Object;
        std::vector<TSheetPoint> Vertices; // of polylines, as read
    };

    std::string text_;
    std::string source_;
    THostRef<TSheetDocument> document_;
    TPageFrame frame_;
    TItemCounts counts_;
    int64_t version_ = 0;
    std::unique_ptr<TWriteStyle> style_;
    std::vector<TOriginal> originals_;
};

} // namespace pathwick::workbench::kicad
