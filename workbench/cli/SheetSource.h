// A sheet as opened from a file, in that file's format: a Pathwick sheet
// (JSON) or a KiCad schematic (.kicad_sch). It knows how the user gives and
// reads points for the sheet and how to write it back.
#pragma once

#include "workbench/kicad/KicadSheet.h"
#include "workbench/model/SheetDocument.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <string>
#include <string_view>

namespace pathwick::workbench {

class TSheetSource {
public:
    TSheetSource() = default;
    // Reads a sheet file: a KiCad schematic when its name ends in .kicad_sch
    // or its text looks like one (a legacy one included, which is refused),
    // else a Pathwick sheet. Raises std::runtime_error (ESheetFileError,
    // kicad::EKicadError) naming the file.
    static TSheetSource Open(const std::string& path);
    // A sheet that was not read from a file (the embedded demo).
    static TSheetSource FromDocument(THostRef<TSheetDocument> sheet);

    explicit operator bool() const { return static_cast<bool>(document_); }
    TSheetDocument& Document() const { return *document_; }
    const THostRef<TSheetDocument>& DocumentRef() const { return document_; }
    // The KiCad schematic behind the sheet, or null for a Pathwick sheet.
    const kicad::TKicadSheet* Kicad() const { return kicad_.get(); }

    // Writes the sheet. A name ending in .kicad_sch writes the schematic it
    // was read from with the wires added since; any other name writes a
    // Pathwick sheet (JSON). Raises std::runtime_error.
    void Save(const std::string& path) const;

    // Points as the user types and reads them: "X,Y" in sheet units (y up)
    // for a Pathwick sheet, in the editor's millimetres (y down) for a KiCad
    // schematic. Parsing raises std::invalid_argument, also for a point off
    // the sheet.
    TSheetPoint ParsePoint(std::string_view text) const;
    std::string FormatPoint(TSheetPoint p) const;
    // A length: mil for a Pathwick sheet, millimetres for a KiCad schematic.
    std::string FormatLength(int64_t units) const;
    // A point as a report gives it, in the units of FormatPoint.
    nlohmann::ordered_json PointJson(TSheetPoint p) const;
    // What those units are, for a report: "sheet units, y up" or "mm, y down".
    const char* UnitsName() const;

private:
    THostRef<TSheetDocument> document_;
    std::shared_ptr<const kicad::TKicadSheet> kicad_;
};

// Whether a file name asks for a KiCad schematic.
bool IsKicadPath(std::string_view path);

} // namespace pathwick::workbench
