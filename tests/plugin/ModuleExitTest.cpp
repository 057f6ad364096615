// Real hosts exit with their modules still loaded: the process must end cleanly.
#include "tests/support/RunProgram.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace pathwick::test {
namespace {

TEST(ModuleExit, AHostThatReturnsFromMainWithTheModuleLoadedExitsCleanly) {
    // Without the host's client the module reads Router.ini from the user's folder.
    TTempFolder config;
    const TProgramRun run = RunProgram({PATHWICK_EXIT_HOST, PATHWICK_MODULE_PATH},
                                       {{"XDG_CONFIG_HOME", config.Path().string()}});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
}

} // namespace
} // namespace pathwick::test
