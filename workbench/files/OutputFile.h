// Every file the workbench writes for the user: sheets, pictures, reports.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace pathwick::workbench {

// A file that could not be written; the message names the file and gives
// the system's reason, e.g. "cannot write out.json: No space left on device".
class EOutputFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Replaces the file at path by bytes whole or not at all (through a temporary
// file beside it, synced and renamed over it): a failed write leaves the old
// file byte for byte. Raises EOutputFileError.
void WriteOutputFile(const std::string& path, std::string_view bytes);

} // namespace pathwick::workbench
