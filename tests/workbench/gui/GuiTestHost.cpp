#include "tests/workbench/gui/GuiTestHost.h"

#include "host/ClientLookup.h"
#include "workbench/WorkbenchHost.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace pathwick::test {

std::string MakeTempFolder() {
    char pattern[] = "/tmp/pathwick-gui-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made)
        std::abort();
    return made;
}

const std::string& GuiPreferenceFolder() {
    static const std::string folder = [] {
        const std::string made = MakeTempFolder();
        std::ofstream(std::filesystem::path(made) / "Router.ini") << "[Options]\nTimeOut=600000\n";
        return made;
    }();
    return folder;
}

TModule& GuiModule() {
    static std::unique_ptr<TModule> module = [] {
        workbench::TWorkbenchHost& host = workbench::TWorkbenchHost::Instance();
        host.SetPreferenceLocation(GuiPreferenceFolder());
        SetModuleClient(&host.Client());
        return std::make_unique<TModule>(PATHWICK_MODULE_PATH);
    }();
    return *module;
}

std::string ExampleSheet(const std::string& name) {
    return std::string(PATHWICK_SOURCE_DIR) + "/examples/" + name;
}

} // namespace pathwick::test
