// Router.ini of any content: the settings read stay in range, a save writes
// them so that they read back, and saving again changes nothing.
#include "options/RouteOptions.h"
#include "platform/settings/IniFile.h"
#include "platform/settings/WriteError.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/pathwick-fuzz-settings-XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        return std::string(pattern);
    }();
    return folder;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Folder() + "/Router.ini";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    pathwick::TRouteOptions options(Folder());
    if (options.TimeOut < 1 || options.TimeOut > 600000)
        std::abort();
    if (options.AvoidWiresPosition < 1 || options.AvoidWiresPosition > 10)
        std::abort();

    // Any key of any section reads without harm.
    pathwick::TIniFile ini(path);
    const std::string text(reinterpret_cast<const char*>(data), size < 16 ? size : 16);
    (void)ini.ReadString(text, text, "default");

    const int32_t timeOut = options.TimeOut;
    const int32_t avoid = options.AvoidWiresPosition;
    try {
        options.SaveToFile();
    } catch (const pathwick::EWriteError&) {
        return 0;
    }
    const std::string saved = ReadAll(path);
    options.LoadFromFile();
    if (options.TimeOut != timeOut || options.AvoidWiresPosition != avoid)
        std::abort();
    options.SaveToFile();
    if (ReadAll(path) != saved)
        std::abort();
    return 0;
}
