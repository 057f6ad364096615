// Settings files no editor writes: huge, binary, or cut off mid-line.
#include "options/RouteOptions.h"
#include "platform/settings/IniFile.h"
#include "platform/settings/WriteError.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace pathwick {
namespace {

class ExtremeSettingsTest : public ::testing::Test {
protected:
    test::TTempFolder root_;
    std::string folder_ = root_.File("prefs");
    std::string path_ = folder_ + "/Router.ini";
    void SetUp() override { std::filesystem::create_directory(folder_); }
};

// 100 MB: the head is read, the rest is never looked at, and a save is refused
// with the file left exactly as it was.
TEST_F(ExtremeSettingsTest, HundredMegabyteFileIsReadByItsHeadAndNeverRewritten) {
    constexpr std::size_t kSize = std::size_t{100} << 20;
    {
        std::ofstream out(path_, std::ios::binary);
        out << "[Options]\nTimeOut=1234\n";
        const std::string filler(1 << 20, 'z');
        std::size_t written = 24;
        while (written + filler.size() + 1 < kSize) {
            out << ';' << filler << '\n';
            written += filler.size() + 2;
        }
        // Past the read limit: a reader that looked here would see 7.
        out << "[Options]\nAvoid Wires Position=7\n";
    }
    const auto size = std::filesystem::file_size(path_);
    ASSERT_GT(size, TIniFile::ReadLimit * 5);

    TRouteOptions options(folder_);
    EXPECT_EQ(options.GetTimeOut(), 1234);
    EXPECT_EQ(options.GetAvoidWiresPosition(), 1);
    options.TimeOut = 99;
    EXPECT_THROW(options.SaveToFile(), EWriteError);
    EXPECT_EQ(std::filesystem::file_size(path_), size);
    options.LoadFromFile();
    EXPECT_EQ(options.GetTimeOut(), 1234);
}

struct TBinaryCase {
    const char* Name;
    std::string Content;
    int32_t TimeOut;
    int32_t AvoidWires;
};

class BinarySettingsTest : public ExtremeSettingsTest,
                           public ::testing::WithParamInterface<TBinaryCase> {};

// Whatever the bytes, the settings come out in range, a save works, and the
// saved values read back.
TEST_P(BinarySettingsTest, BinaryContentGivesInRangeValuesAndSavesCleanly) {
    const TBinaryCase& c = GetParam();
    {
        std::ofstream out(path_, std::ios::binary);
        out.write(c.Content.data(), static_cast<std::streamsize>(c.Content.size()));
    }
    TRouteOptions options(folder_);
    EXPECT_EQ(options.GetTimeOut(), c.TimeOut);
    EXPECT_EQ(options.GetAvoidWiresPosition(), c.AvoidWires);
    options.TimeOut = 4321;
    options.AvoidWiresPosition = 9;
    ASSERT_NO_THROW(options.SaveToFile());
    TRouteOptions again(folder_);
    EXPECT_EQ(again.GetTimeOut(), 4321);
    EXPECT_EQ(again.GetAvoidWiresPosition(), 9);
}

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s.push_back(static_cast<char>(b));
    return s;
}

std::string AllBytes() {
    std::string s;
    for (int round = 0; round < 64; ++round)
        for (int b = 0; b < 256; ++b)
            s.push_back(static_cast<char>((b * 37 + round) & 0xFF));
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Contents, BinarySettingsTest,
    ::testing::Values(
        TBinaryCase{"NulBytes", std::string("[Options]\nTimeOut=12\0\0\0\n", 24), 3000, 1},
        TBinaryCase{"NulInSectionName", std::string("[Opt\0ions]\nTimeOut=12\n", 22), 3000, 1},
        TBinaryCase{"HighBytes", Bytes({0xFF, 0xFE, '[', 0xC3, 0x28, ']', '\n', 0x80}), 3000, 1},
        TBinaryCase{"EveryByteValue", AllBytes(), 3000, 1},
        TBinaryCase{"LoneCarriageReturns", "[Options]\rTimeOut=77\rAvoid Wires Position=3\r", 3000,
                    1},
        TBinaryCase{"CutOffMidLine", "[Options]\nTimeOut=5", 5, 1},
        TBinaryCase{"OpenSectionHeader", "[Options\nTimeOut=5\n", 3000, 1},
        TBinaryCase{"OverlongValue", "[Options]\nTimeOut=" + std::string(100000, '9') + "\n", 3000,
                    1}),
    [](const ::testing::TestParamInfo<TBinaryCase>& info) { return info.param.Name; });

} // namespace
} // namespace pathwick
