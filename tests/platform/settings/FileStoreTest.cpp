#include "platform/settings/FileStore.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pathwick {
namespace {

using test::ReadAll;
using test::WriteAll;

const std::string kOld = "the old file\n";
// Three chunks: a failure at the second write leaves a part-written temporary file.
const std::string kNew(2 * WriteChunk + 100, 'n');

struct TFaultCase {
    const char* Name;
    EWriteStep Step;
    int FailingCall; // of that step, from 1
    int Error;
};

class FileStoreFault : public ::testing::TestWithParam<TFaultCase> {
protected:
    void TearDown() override { SetWriteFault({}); }
    test::TTempFolder folder_;
};

TEST_P(FileStoreFault, LeavesTheOldFileByteForByteAndNoTemporaryFile) {
    const TFaultCase c = GetParam();
    const std::string path = folder_.File("sheet.json");
    WriteAll(path, kOld);
    int calls = 0;
    SetWriteFault(
        [&](EWriteStep step) { return step == c.Step && ++calls == c.FailingCall ? c.Error : 0; });

    const std::error_code error = WriteFileAtomically(path, kNew);
    EXPECT_EQ(error.value(), c.Error);
    EXPECT_EQ(error.message(), std::generic_category().message(c.Error));
    EXPECT_EQ(ReadAll(path), kOld);
    EXPECT_EQ(test::CountEntries(folder_.Path()), 1);

    // A new file that fails is not left behind at all.
    calls = 0;
    EXPECT_EQ(WriteFileAtomically(folder_.File("new.json"), kNew).value(), c.Error);
    EXPECT_FALSE(std::filesystem::exists(folder_.File("new.json")));

    SetWriteFault({});
    EXPECT_EQ(WriteFileAtomically(path, kNew), std::error_code());
    EXPECT_EQ(ReadAll(path), kNew);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FileStoreFault,
    ::testing::Values(TFaultCase{"Create", EWriteStep::Create, 1, EACCES},
                      TFaultCase{"FullDiskPartWay", EWriteStep::Write, 2, ENOSPC},
                      TFaultCase{"IoErrorAtFirstWrite", EWriteStep::Write, 1, EIO},
                      TFaultCase{"Sync", EWriteStep::Sync, 1, EIO},
                      TFaultCase{"Rename", EWriteStep::Rename, 1, EXDEV}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FileStore, RefusalsCarryTheSystemsReason) {
    test::TTempFolder folder;
    std::filesystem::create_directory(folder.File("dir"));
    EXPECT_EQ(WriteFileAtomically(folder.File("dir"), "x").value(), EISDIR);
    EXPECT_EQ(WriteFileAtomically(folder.File("missing/x.json"), "x").value(), ENOENT);
    ASSERT_EQ(::mkfifo(folder.File("fifo").c_str(), 0600), 0);
    EXPECT_EQ(WriteFileAtomically(folder.File("fifo"), "x").message(), "not a regular file");
}

// A real full file system where the test may mount one (as root, as CI runs).
TEST(FileStore, AFullFileSystemKeepsTheOldFile) {
    test::TTempFolder folder;
    const std::string mountPoint = folder.File("small");
    std::filesystem::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
    const std::string path = mountPoint + "/sheet.json";
    WriteAll(path, kOld);
    const std::error_code error = WriteFileAtomically(path, std::string(256 * 1024, 'x'));
    const bool full = error.value() == ENOSPC;
    const std::string after = ReadAll(path);
    const int entries = test::CountEntries(mountPoint);
    ::umount2(mountPoint.c_str(), MNT_DETACH);
    EXPECT_TRUE(full) << error.message();
    EXPECT_EQ(error.message(), "No space left on device");
    EXPECT_EQ(after, kOld);
    EXPECT_EQ(entries, 1);
}

} // namespace
} // namespace pathwick
