#include "workbench/cli/SheetSource.h"

#include "workbench/cli/Commands.h"
#include "workbench/cli/PointText.h"
#include "workbench/files/OutputFile.h"
#include "workbench/files/SheetFile.h"
#include "workbench/kicad/KicadUnits.h"

#include <fstream>
#include <stdexcept>

namespace pathwick::workbench {

namespace {

// Sheet units per mil on a Pathwick sheet.
constexpr double UnitsPerMil = 10000.0;

// The first bytes of a file, enough to tell the formats apart.
std::string Start(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string start(256, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
    return start;
}

std::string Number(double v, const char* format) {
    char text[48];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

} // namespace

bool IsKicadPath(std::string_view path) {
    constexpr std::string_view suffix = ".kicad_sch";
    return path.size() >= suffix.size() && path.substr(path.size() - suffix.size()) == suffix;
}

TSheetSource TSheetSource::Open(const std::string& path) {
    TSheetSource source;
    if (IsKicadPath(path) || kicad::TKicadSheet::LooksLikeSchematic(Start(path))) {
        source.kicad_ = kicad::TKicadSheet::Load(path);
        source.document_ = THostRef<TSheetDocument>::Share(&source.kicad_->Document());
    } else {
        source.document_ = LoadSheetFile(path);
    }
    return source;
}

TSheetSource TSheetSource::FromDocument(THostRef<TSheetDocument> sheet) {
    TSheetSource source;
    source.document_ = std::move(sheet);
    return source;
}

void TSheetSource::Save(const std::string& path) const {
    if (!IsKicadPath(path)) {
        SaveSheetFile(*document_, path);
        return;
    }
    if (!kicad_)
        throw std::runtime_error(path + ": only a sheet read from a KiCad schematic can be "
                                        "written as one; give a .json name to save this sheet");
    WriteOutputFile(path, kicad_->SavedText());
}

TSheetPoint TSheetSource::ParsePoint(std::string_view text) const {
    TSheetPoint p;
    if (kicad_) {
        const kicad::TFilePoint file = ParseMillimetrePointText(text);
        try {
            p = kicad_->Frame().ToSheet(file);
        } catch (const std::out_of_range&) {
            throw std::invalid_argument("point \"" + std::string(text) + "\" is far off the page");
        }
    } else {
        p = ParsePointText(text);
    }
    const TSheetDocument& sheet = *document_;
    if (p.X < 0 || p.Y < 0 || p.X > sheet.Width() || p.Y > sheet.Height()) {
        // The corners as the user reads them: top left to bottom right on a
        // KiCad page, (0, 0) to (width, height) on a Pathwick sheet.
        const bool down = static_cast<bool>(kicad_);
        throw std::invalid_argument("point " + FormatPoint(p) + " is off the sheet " +
                                    FormatPoint({0, down ? sheet.Height() : 0}) + "-" +
                                    FormatPoint({sheet.Width(), down ? 0 : sheet.Height()}));
    }
    return p;
}

std::string TSheetSource::FormatPoint(TSheetPoint p) const {
    if (!kicad_)
        return "(" + std::to_string(p.X) + "," + std::to_string(p.Y) + ")";
    const kicad::TFilePoint file = kicad_->Frame().ToFile(p);
    return "(" + kicad::FormatMillimetres(file.X) + "," + kicad::FormatMillimetres(file.Y) + ")";
}

std::string TSheetSource::FormatLength(int64_t units) const {
    if (!kicad_)
        return Number(static_cast<double>(units) / UnitsPerMil, "%.0f mil");
    return kicad::FormatMillimetres(kicad::FileFromUnits(units)) + " mm";
}

nlohmann::ordered_json TSheetSource::PointJson(TSheetPoint p) const {
    if (!kicad_)
        return {p.X, p.Y};
    const kicad::TFilePoint file = kicad_->Frame().ToFile(p);
    // The nearest double to the exact decimal of the file.
    return {static_cast<double>(file.X) / 10000.0, static_cast<double>(file.Y) / 10000.0};
}

const char* TSheetSource::UnitsName() const {
    return kicad_ ? "mm, y down" : "sheet units, y up";
}

} // namespace pathwick::workbench
