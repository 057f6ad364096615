#include "workbench/cli/HostSetup.h"

#include "workbench/model/WorkbenchHost.h"

#include <filesystem>

namespace pathwick::workbench {

void SetUpHost(const TGlobalOptions& global) {
    TWorkbenchHost& host = TWorkbenchHost::Instance();
    if (!global.PrefsDir.empty())
        host.SetPreferenceLocation(std::filesystem::absolute(global.PrefsDir).string());
}

std::unique_ptr<TModule> LoadRoutingModule(const TGlobalOptions& global) {
    return std::make_unique<TModule>(global.ModulePath.empty() ? TModule::DefaultPath()
                                                               : global.ModulePath);
}

} // namespace pathwick::workbench
