// Sheet files: a workbench sheet as JSON (format described in docs/sheet-format.md).
#pragma once

#include "workbench/model/SheetDocument.h"

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>
#include <string_view>

namespace pathwick::workbench {

// A sheet file that cannot be read or written. The message names the file,
// the object (e.g. "objects[12] (symbol U3)") and what is wrong.
class ESheetFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Limits on what a file may hold; larger inputs are refused as absurd.
inline constexpr std::size_t MaxSheetObjects = 1000000;
inline constexpr std::size_t MaxSymbolChildren = 100000;
inline constexpr int MaxJsonDepth = 32;

// Reads a sheet file into a new document. Throws ESheetFileError.
THostRef<TSheetDocument> LoadSheetFile(const std::string& path);
// Writes every object and field of the document, replacing the file whole or
// not at all (a failed write leaves the old file as it was). Throws
// ESheetFileError, with the system's reason when the write fails.
void SaveSheetFile(const TSheetDocument& sheet, const std::string& path);

// The same, on text; `source` names the text in error messages.
THostRef<TSheetDocument> ParseSheet(std::string_view text, const std::string& source);
std::string SheetToText(const TSheetDocument& sheet);

// The same, on JSON values.
THostRef<TSheetDocument> SheetFromJson(const nlohmann::json& root, const std::string& source);
nlohmann::ordered_json SheetToJson(const TSheetDocument& sheet);

} // namespace pathwick::workbench
