#include "workbench/kicad/SchematicReader.h"

#include "workbench/kicad/LibrarySymbols.h"
#include "workbench/kicad/ReadContext.h"
#include "workbench/kicad/SheetItemReader.h"
#include "workbench/kicad/SymbolReader.h"

#include <charconv>
#include <stdexcept>

namespace pathwick::workbench::kicad {

namespace {

[[noreturn]] void Fail(const std::string& source, const TSexpr& at, const std::string& what) {
    throw EKicadError(source + ":" + std::to_string(at.Line) + ": " + what);
}

int64_t Version(const TSexpr& root, const std::string& source) {
    const TSexpr* version = root.Find("version");
    const std::string* text = version ? version->Text(1) : nullptr;
    if (!text)
        Fail(source, root, "the schematic gives no (version ...)");
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size())
        Fail(source, *version, "the version \"" + *text + "\" is not a number");
    if (value < OldestVersion)
        Fail(source, *version,
             "schematic format version " + *text +
                 " is a development format older than KiCad 6 reads; open and save the file "
                 "with KiCad 6 or later (format " +
                 std::to_string(OldestVersion) + " and later are read)");
    return value;
}

// (paper "A4" [portrait]) or (paper "User" WIDTH HEIGHT [portrait]); A4 when absent.
TPageFrame Page(const TSexpr& root, const std::string& source) {
    int64_t width = 0;
    int64_t height = 0;
    TPageFrame::PaperSize("A4", width, height);
    const TSexpr* paper = root.Find("paper");
    if (paper) {
        const std::string* name = paper->Text(1);
        const TPageFrame placeholder(width, height);
        const TReadContext context(source, placeholder);
        if (name && *name == "User") {
            width = context.Length(*paper, 2);
            height = context.Length(*paper, 3);
        } else if (!name || !TPageFrame::PaperSize(*name, width, height)) {
            Fail(source, *paper, "unknown paper size \"" + (name ? *name : "") + "\"");
        }
        if (paper->HasFlag("portrait"))
            std::swap(width, height);
    }
    try {
        return TPageFrame(width, height);
    } catch (const std::invalid_argument& e) {
        Fail(source, paper ? *paper : root, e.what());
    }
}

} // namespace

TSchematic ReadSchematic(const TSexpr& root, const std::string& source) {
    if (root.Head() != "kicad_sch")
        Fail(source, root,
             "not a KiCad schematic: the file holds (" + std::string(root.Head()) + " ...)");
    TSchematic schematic;
    schematic.Version = Version(root, source);
    schematic.Frame.emplace(Page(root, source));
    const TPageFrame& frame = *schematic.Frame;
    schematic.Document = TSheetDocument::Create(frame.Width(), frame.Height());
    const TReadContext context(source, frame);
    const TLibrarySymbols library(context, root.Find("lib_symbols"));
    TSheetDocument& sheet = *schematic.Document;
    for (std::size_t i = 1; i < root.Items.size(); ++i) {
        const TSexpr& item = root.Items[i];
        const std::string_view head = item.Head();
        // A length or point derived from the item (a text's width, a lead's
        // end) that leaves the sheet's 32-bit range refuses the file.
        try {
            if (head == "symbol")
                ReadPlacedSymbol(context, library, item, sheet, schematic.Counts);
            else if (head == "sheet")
                ReadSheetBox(context, item, sheet, schematic.Counts);
            else if (head != "lib_symbols")
                ReadSheetItem(context, item, sheet, schematic.Counts);
        } catch (const std::out_of_range& e) {
            context.Fail(item, std::string("a point or length ") + e.what());
        }
    }
    return schematic;
}

} // namespace pathwick::workbench::kicad
