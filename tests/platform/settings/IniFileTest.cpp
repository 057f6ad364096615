#include "platform/settings/IniFile.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pathwick {
namespace {

using test::ReadAll;
using test::WriteAll;

class IniFileTest : public ::testing::Test {
protected:
    test::TTempFolder folder_;
    std::string path_ = folder_.File("Router.ini");
    TIniFile ini_{path_};
};

TEST_F(IniFileTest, MissingFileGivesTheDefaultAndStaysMissing) {
    EXPECT_EQ(ini_.ReadString("Options", "TimeOut", "3000"), "3000");
    EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(IniFileTest, NewFileIsExactlyTheWrittenKeys) {
    ASSERT_TRUE(ini_.WriteString("Options", "TimeOut", "3000"));
    ASSERT_TRUE(ini_.WriteString("Options", "Avoid Wires Position", "1"));
    EXPECT_EQ(ReadAll(path_), "[Options]\nTimeOut=3000\nAvoid Wires Position=1\n");
}

TEST_F(IniFileTest, CrlfAndBomSurviveAWrite) {
    const std::string before = "\xEF\xBB\xBF; mine\r\n[Options]\r\nTimeOut=1\r\n[Keep]\r\nA=b\r\n";
    WriteAll(path_, before);
    EXPECT_EQ(ini_.ReadString("Options", "TimeOut", ""), "1");
    ASSERT_TRUE(ini_.WriteString("Options", "TimeOut", "2"));
    ASSERT_TRUE(ini_.WriteString("Options", "New", "3"));
    EXPECT_EQ(ReadAll(path_),
              "\xEF\xBB\xBF; mine\r\n[Options]\r\nTimeOut=2\r\nNew=3\r\n[Keep]\r\nA=b\r\n");
}

TEST_F(IniFileTest, ValueIsReadAsAtMost2047Bytes) {
    const std::string longValue(5000, '7');
    WriteAll(path_, "[Options]\nTimeOut=" + longValue + "\n");
    EXPECT_EQ(ini_.ReadString("Options", "TimeOut", ""), std::string(2047, '7'));
}

TEST_F(IniFileTest, WriteLeavesNoTemporaryFiles) {
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(ini_.WriteString("Options", "TimeOut", std::to_string(i)));
    EXPECT_EQ(test::CountEntries(folder_.Path()), 1);
}

TEST_F(IniFileTest, WriteKeepsTheFileMode) {
    WriteAll(path_, "[Options]\n");
    ASSERT_EQ(::chmod(path_.c_str(), 0640), 0);
    ASSERT_TRUE(ini_.WriteString("Options", "TimeOut", "1"));
    struct stat st {};
    ASSERT_EQ(::stat(path_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(IniFileTest, WriteThroughASymbolicLinkReplacesItsTarget) {
    const std::string real = folder_.File("real.ini");
    WriteAll(real, "[Options]\nTimeOut=1\n");
    ASSERT_EQ(::symlink(real.c_str(), path_.c_str()), 0);
    ASSERT_TRUE(ini_.WriteString("Options", "TimeOut", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
    EXPECT_EQ(ReadAll(real), "[Options]\nTimeOut=2\n");
}

TEST_F(IniFileTest, RefusedWritesChangeNothing) {
    // A directory in the file's place: refused even for a privileged user.
    std::filesystem::create_directory(path_);
    EXPECT_EQ(ini_.ReadString("Options", "TimeOut", "d"), "d");
    EXPECT_FALSE(ini_.WriteString("Options", "TimeOut", "1"));
    EXPECT_TRUE(std::filesystem::is_directory(path_));
    EXPECT_EQ(test::CountEntries(folder_.Path()), 1);
}

TEST_F(IniFileTest, ReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "a privileged user may write any file";
    WriteAll(path_, "[Options]\nTimeOut=1\n");
    ASSERT_EQ(::chmod(path_.c_str(), 0444), 0);
    EXPECT_FALSE(ini_.WriteString("Options", "TimeOut", "2"));
    EXPECT_EQ(ReadAll(path_), "[Options]\nTimeOut=1\n");
}

TEST_F(IniFileTest, HugeBinaryFileIsReadInPartAndNeverRewritten) {
    {
        std::string start = "[Options]\nTimeOut=7000\n";
        WriteAll(path_, start);
        // Followed by 100 MB of zero bytes (a sparse tail: quick to make).
        const int fd = ::open(path_.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, 100 << 20), 0);
        ::close(fd);
    }
    EXPECT_EQ(ini_.ReadString("Options", "TimeOut", ""), "7000");
    EXPECT_EQ(ini_.ReadString("Options", "Later", "none"), "none");
    EXPECT_FALSE(ini_.WriteString("Options", "TimeOut", "1"));
    EXPECT_EQ(std::filesystem::file_size(path_), uintmax_t{100} << 20);
    EXPECT_EQ(test::CountEntries(folder_.Path()), 1);
}

TEST_F(IniFileTest, KeyCutByTheReadLimitIsNotSeen) {
    // The limit falls inside the key line: a half line must not count.
    std::string text = "[Options]\n";
    text.append(TIniFile::ReadLimit - text.size() - 10, ';');
    text.append("\nTimeOut=30000000000\n");
    WriteAll(path_, text);
    EXPECT_EQ(ini_.ReadString("Options", "TimeOut", "none"), "none");
}

TEST_F(IniFileTest, SpecialFileDoesNotBlock) {
    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    EXPECT_EQ(ini_.ReadString("Options", "TimeOut", "d"), "d");
    EXPECT_FALSE(ini_.WriteString("Options", "TimeOut", "1"));
}

} // namespace
} // namespace pathwick
