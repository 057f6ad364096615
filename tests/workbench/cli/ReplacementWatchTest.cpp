#include "workbench/cli/ReplacementWatch.h"

#include "platform/settings/FileStore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace pathwick::workbench {
namespace {

TEST(ReplacementWatch, SeesANewFileInTheOldOnesPlaceEvenWithTheSameBytes) {
    test::TTempFolder folder;
    const std::string path = folder.File("Router.ini");
    const TReplacementWatch missing(path);
    ASSERT_FALSE(WriteFileAtomically(path, "[Options]\n"));
    EXPECT_TRUE(missing.Replaced());

    const TReplacementWatch cancelled(path);
    EXPECT_FALSE(cancelled.Replaced());
    // OK saves both keys: the second file may take the inode number the first
    // one freed, but never the watched file's.
    const TReplacementWatch saved(path);
    ASSERT_FALSE(WriteFileAtomically(path, "[Options]\n"));
    ASSERT_FALSE(WriteFileAtomically(path, "[Options]\n"));
    EXPECT_TRUE(saved.Replaced());
}

} // namespace
} // namespace pathwick::workbench
