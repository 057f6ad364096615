// Sheet-file text of any shape: a sheet, or ESheetFileError; nothing else.
#include "workbench/files/SheetFile.h"
#include "workbench/model/HostObject.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using pathwick::THostRef;
using namespace pathwick::workbench;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::size_t live = LiveHostObjectCount();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        THostRef<TSheetDocument> sheet = ParseSheet(text, "fuzz input");
        // What was read must write out and read back without complaint.
        const std::string again = SheetToText(*sheet);
        THostRef<TSheetDocument> reread = ParseSheet(again, "rewritten fuzz input");
        if (SheetToText(*reread) != again)
            std::abort();
    } catch (const ESheetFileError&) {
    }
    // Every host object the parse made is gone again, error or not.
    if (LiveHostObjectCount() != live)
        std::abort();
    return 0;
}
