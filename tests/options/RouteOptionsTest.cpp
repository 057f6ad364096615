#include "options/RouteOptions.h"

#include "platform/settings/WriteError.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

namespace pathwick {
namespace {

using test::ReadAll;
using test::WriteAll;

class RouteOptionsTest : public ::testing::Test {
protected:
    test::TTempFolder root_;
    std::string folder_ = root_.File("prefs");
    std::string path_ = folder_ + "/Router.ini";

    void WriteFile(const std::string& text) {
        std::filesystem::create_directory(folder_);
        WriteAll(path_, text);
    }
};

TEST_F(RouteOptionsTest, NoFileGivesDefaultsAndCreatesNoFile) {
    TRouteOptions options(folder_);
    EXPECT_EQ(options.GetTimeOut(), 3000);
    EXPECT_EQ(options.GetAvoidWiresPosition(), 1);
    EXPECT_EQ(options.GetObjectInset(), 0);
    EXPECT_EQ(options.FilePath(), path_);
    EXPECT_TRUE(std::filesystem::is_directory(folder_));
    EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(RouteOptionsTest, FolderIsCreatedOneLevelOnly) {
    const std::string deep = root_.File("missing/prefs");
    TRouteOptions options(deep);
    EXPECT_FALSE(std::filesystem::exists(root_.File("missing")));
    EXPECT_EQ(options.GetTimeOut(), 3000);
    EXPECT_THROW(options.SaveToFile(), EWriteError);
}

struct TTimeOutCase {
    const char* Text;
    int32_t Expected;
};

class TimeOutTextTest : public RouteOptionsTest,
                        public ::testing::WithParamInterface<TTimeOutCase> {};

TEST_P(TimeOutTextTest, ReadsTheTimeOut) {
    WriteFile(std::string("[Options]\nTimeOut=") + GetParam().Text + "\n");
    EXPECT_EQ(TRouteOptions(folder_).GetTimeOut(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Values, TimeOutTextTest,
                         ::testing::Values(TTimeOutCase{"600000", 600000}, TTimeOutCase{"1", 1},
                                           TTimeOutCase{"4500", 4500}, TTimeOutCase{"600001", 3000},
                                           TTimeOutCase{"0", 3000}, TTimeOutCase{"-5", 3000},
                                           TTimeOutCase{"abc", 3000}, TTimeOutCase{"", 3000},
                                           TTimeOutCase{"$BB8", 3000}, TTimeOutCase{"$FA0", 4000},
                                           TTimeOutCase{"99999999999", 3000},
                                           TTimeOutCase{"$FFFFFFFF", 3000}));

struct TAvoidCase {
    const char* Line; // null: no such key
    int32_t Expected;
};

class AvoidWiresTextTest : public RouteOptionsTest,
                           public ::testing::WithParamInterface<TAvoidCase> {};

TEST_P(AvoidWiresTextTest, ReadsTheAvoidancePosition) {
    std::string text = "[Options]\nTimeOut=3000\n";
    if (GetParam().Line)
        text += std::string("Avoid Wires Position=") + GetParam().Line + "\n";
    WriteFile(text);
    EXPECT_EQ(TRouteOptions(folder_).GetAvoidWiresPosition(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Values, AvoidWiresTextTest,
                         ::testing::Values(TAvoidCase{"10", 10}, TAvoidCase{"1", 1},
                                           TAvoidCase{"7", 7}, TAvoidCase{"$A", 10},
                                           TAvoidCase{"11", 1}, TAvoidCase{"0", 1},
                                           TAvoidCase{"-1", 1}, TAvoidCase{"x", 1},
                                           TAvoidCase{nullptr, 1}));

TEST_F(RouteOptionsTest, SaveWritesAFreshFileExactly) {
    TRouteOptions options(folder_);
    options.SaveToFile();
    EXPECT_EQ(ReadAll(path_), "[Options]\nTimeOut=3000\nAvoid Wires Position=1\n");
}

TEST_F(RouteOptionsTest, SaveKeepsOtherSectionsAndKeys) {
    WriteFile("; hand-made\n[Display]\nZoom=2\n\n[Options]\nTimeOut=$BB8\nExtra=yes\n"
              "[Tail]\nA=1\n");
    TRouteOptions options(folder_);
    options.TimeOut = 20000;
    options.AvoidWiresPosition = 10;
    options.SaveToFile();
    EXPECT_EQ(ReadAll(path_), "; hand-made\n[Display]\nZoom=2\n\n[Options]\nTimeOut=20000\n"
                              "Extra=yes\nAvoid Wires Position=10\n[Tail]\nA=1\n");
    TRouteOptions reread(folder_);
    EXPECT_EQ(reread.GetTimeOut(), 20000);
    EXPECT_EQ(reread.GetAvoidWiresPosition(), 10);
}

TEST_F(RouteOptionsTest, RefusedWriteRaisesTheMessageWithTheFullPath) {
    // Both refusals hold for a privileged user too.
    const std::function<void()> refusals[] = {
        [&] { std::filesystem::create_directory(path_); }, // a folder where the file belongs
        [&] { std::filesystem::remove(folder_); },         // the folder removed after creation
    };
    for (const auto& refuse : refusals) {
        std::filesystem::remove_all(folder_);
        TRouteOptions options(folder_);
        options.TimeOut = 5000;
        refuse();
        try {
            options.SaveToFile();
            ADD_FAILURE() << "no error raised";
        } catch (const EWriteError& error) {
            EXPECT_STREQ(error.what(), ("Unable to write to " + path_).c_str());
        }
        EXPECT_EQ(options.TimeOut, 5000);
        EXPECT_FALSE(std::filesystem::is_regular_file(path_));
    }
}

} // namespace
} // namespace pathwick
