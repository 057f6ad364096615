#include "workbench/files/OutputFile.h"

#include "platform/settings/FileStore.h"

namespace pathwick::workbench {

void WriteOutputFile(const std::string& path, std::string_view bytes) {
    if (const std::error_code error = WriteFileAtomically(path, bytes))
        throw EOutputFileError("cannot write " + path + ": " + error.message());
}

} // namespace pathwick::workbench
