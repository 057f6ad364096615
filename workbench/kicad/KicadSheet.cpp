#include "workbench/kicad/KicadSheet.h"

#include "workbench/model/UnroutedRun.h"

#include "workbench/model/ObjectKinds.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace pathwick::workbench::kicad {

namespace {

std::string_view SkipLeadingSpace(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' ||
                             text.front() == '\r'))
        text.remove_prefix(1);
    return text;
}

constexpr std::string_view LegacyHeader = "EESchema Schematic File Version";

} // namespace

bool TKicadSheet::LooksLikeSchematic(std::string_view text) {
    text = SkipLeadingSpace(text);
    return text.substr(0, 10) == "(kicad_sch" ||
           text.substr(0, LegacyHeader.size()) == LegacyHeader;
}

std::unique_ptr<TKicadSheet> TKicadSheet::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EKicadError(path + ": cannot open the file");
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::size_t>(size) > MaxSchematicBytes)
        throw EKicadError(path + ": the file is larger than " +
                          std::to_string(MaxSchematicBytes >> 20) + " MB");
    in.seekg(0);
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (in.bad())
        throw EKicadError(path + ": cannot read the file");
    return FromText(std::move(text), path);
}

std::unique_ptr<TKicadSheet> TKicadSheet::FromText(std::string text, const std::string& source) {
    const std::string_view start = SkipLeadingSpace(text);
    if (start.substr(0, LegacyHeader.size()) == LegacyHeader) {
        const std::string_view line = start.substr(0, start.find('\n'));
        throw EKicadError(source + ": a legacy KiCad schematic (\"" +
                          std::string(line.substr(0, line.find_last_not_of('\r') + 1)) +
                          "\", KiCad 5 or older) is not read; open it in KiCad 6 or later and "
                          "save it as .kicad_sch");
    }
    const TSexpr root = ParseSexpr(text, source);
    TSchematic schematic = ReadSchematic(root, source);
    std::unique_ptr<TKicadSheet> sheet(new TKicadSheet(std::move(text), source, *schematic.Frame));
    sheet->document_ = schematic.Document;
    sheet->counts_ = schematic.Counts;
    sheet->version_ = schematic.Version;
    sheet->style_ = std::make_unique<TWriteStyle>(root, sheet->text_, schematic.Version);
    for (const auto& object : sheet->document_->Objects()) {
        TOriginal original{object, {}};
        if (const auto* polyline = dynamic_cast<const TPolyline*>(object.Get()))
            original.Vertices = polyline->Vertices();
        sheet->originals_.push_back(std::move(original));
    }
    return sheet;
}

TKicadSheet::TKicadSheet(std::string text, std::string source, TPageFrame frame)
    : text_(std::move(text)), source_(std::move(source)), frame_(frame) {}

TKicadSheet::TAdditions TKicadSheet::Additions() const {
    std::set<const TSheetObject*> now;
    for (const auto& object : document_->Objects())
        now.insert(object.Get());
    std::set<const TSheetObject*> read;
    for (const TOriginal& original : originals_) {
        const TSheetObject* object = original.Object.Get();
        read.insert(object);
        if (!now.count(object))
            throw EKicadError(source_ + ": an item of the file was taken off the sheet; only "
                                        "added wires can be written back");
        const auto* polyline = dynamic_cast<const TPolyline*>(object);
        if (polyline && polyline->Vertices() != original.Vertices)
            throw EKicadError(source_ + ": a wire or line of the file was changed; only added "
                                        "wires can be written back");
    }
    TAdditions additions;
    std::set<const TSheetObject*> added;
    for (const auto& object : document_->Objects()) {
        if (read.count(object.Get()))
            continue;
        const auto* wire = dynamic_cast<const TPolyline*>(object.Get());
        if (!wire || wire->Kind() != kinds::Wire)
            throw EKicadError(source_ + ": a " + std::string(KindName(object->Kind())) +
                              " was added to the sheet; only wires can be written into the file");
        added.insert(wire);
        // A segment the module could not route is the user's sketch, not a
        // connection: it is not written into the schematic.
        for (const TWireStretch& stretch : WireStretches(*wire))
            if (!stretch.Unrouted)
                for (const TRun& run : StraightRuns(stretch.Points))
                    additions.Runs.push_back(run);
    }
    additions.Junctions = JunctionsNeeded(*document_, additions.Runs, added);
    return additions;
}

std::string TKicadSheet::SavedText() const {
    const TAdditions additions = Additions();
    if (additions.Runs.empty())
        return text_;
    // Items go in after their anchors; at one anchor, junctions first.
    std::multimap<std::size_t, std::string> inserts;
    const TWriteStyle& style = *style_;
    const auto item = [&](const TItemTemplate& pattern, const std::vector<TFilePoint>& points) {
        return style.NewLine() + pattern.Indent() + pattern.Fill(points, NewUuid());
    };
    for (const TSheetPoint& p : additions.Junctions)
        inserts.emplace(style.JunctionAnchor(), item(style.Junction(), {frame_.ToFile(p)}));
    for (const TRun& run : additions.Runs)
        inserts.emplace(style.WireAnchor(),
                        item(style.Wire(), {frame_.ToFile(run.A), frame_.ToFile(run.B)}));
    std::string out;
    out.reserve(text_.size() + inserts.size() * 200);
    std::size_t at = 0;
    for (const auto& [offset, piece] : inserts) {
        out.append(text_, at, offset - at);
        out += piece;
        at = offset;
    }
    out.append(text_, at, std::string::npos);
    return out;
}

} // namespace pathwick::workbench::kicad
