#include "platform/settings/IniText.h"

#include <gtest/gtest.h>

namespace pathwick {
namespace {

struct TLookup {
    const char* Name;
    std::string Text;
    const char* Section;
    const char* Key;
    std::optional<std::string> Expected;
};

class IniLookupTest : public ::testing::TestWithParam<TLookup> {};

TEST_P(IniLookupTest, FindsTheValue) {
    const TLookup& c = GetParam();
    EXPECT_EQ(FindIniValue(c.Text, c.Section, c.Key), c.Expected);
}

const std::string kBom = "\xEF\xBB\xBF";

// A test name from a case's description.
template <class T> std::string CaseName(const ::testing::TestParamInfo<T>& info) {
    std::string name = info.param.Name;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Lookup, IniLookupTest,
    ::testing::Values(
        TLookup{"plain", "[Options]\nTimeOut=5000\n", "Options", "TimeOut", "5000"},
        TLookup{"names ignore case", "[oPTIONS]\ntimeout=5000\n", "Options", "TIMEOUT", "5000"},
        TLookup{"spaces trimmed", "  [ Options ]  \n  TimeOut  =  5000  \n", "Options", "TimeOut",
                "5000"},
        TLookup{"crlf", "[Options]\r\nTimeOut=5000\r\nX=1\r\n", "Options", "TimeOut", "5000"},
        TLookup{"bom", kBom + "[Options]\nTimeOut=5000\n", "Options", "TimeOut", "5000"},
        TLookup{"empty value", "[Options]\nTimeOut=\n", "Options", "TimeOut", ""},
        TLookup{"first of two", "[Options]\nTimeOut=1\nTimeOut=2\n", "Options", "TimeOut", "1"},
        TLookup{"other section", "[Other]\nTimeOut=1\n[Options]\nTimeOut=2\n", "Options", "TimeOut",
                "2"},
        TLookup{"key in a later section only", "[Options]\nTimeOut=1\n[Other]\nX=2\n", "Options",
                "X", std::nullopt},
        TLookup{"repeated section", "[Options]\nA=1\n[B]\n[options]\nTimeOut=7\n", "Options",
                "TimeOut", "7"},
        TLookup{"before any section", "TimeOut=1\n[Options]\n", "Options", "TimeOut", std::nullopt},
        TLookup{"comment", "[Options]\n;TimeOut=1\n", "Options", "TimeOut", std::nullopt},
        TLookup{"prefix of a key", "[Options]\nTimeOutX=1\n", "Options", "TimeOut", std::nullopt},
        TLookup{"header without bracket", "[Options\nTimeOut=1\n", "Options", "TimeOut",
                std::nullopt},
        TLookup{"binary bytes around",
                std::string("\0\xff\x01garbage\n[Options]\nTimeOut=9\n\0\0", 33), "Options",
                "TimeOut", "9"}),
    CaseName<TLookup>);

struct TEdit {
    const char* Name;
    std::string Before;
    const char* Section;
    const char* Key;
    const char* Value;
    std::string After;
};

class IniEditTest : public ::testing::TestWithParam<TEdit> {};

TEST_P(IniEditTest, ChangesOnlyWhatItMust) {
    const TEdit& c = GetParam();
    const std::string after = SetIniValue(c.Before, c.Section, c.Key, c.Value);
    EXPECT_EQ(after, c.After);
    EXPECT_EQ(FindIniValue(after, c.Section, c.Key), c.Value);
}

INSTANTIATE_TEST_SUITE_P(
    Edit, IniEditTest,
    ::testing::Values(
        TEdit{"new file", "", "Options", "TimeOut", "3000", "[Options]\nTimeOut=3000\n"},
        TEdit{"replace keeps the rest",
              "; settings\n[A]\nx = 1\n\n[Options]\n  timeout = 5 ; old\nY=2\n[B]\nz=3\n",
              "Options", "TimeOut", "3000",
              "; settings\n[A]\nx = 1\n\n[Options]\nTimeOut=3000\nY=2\n[B]\nz=3\n"},
        TEdit{"add after last key of section", "[Options]\nA=1\n\n[B]\nz=3\n", "options", "K", "v",
              "[Options]\nA=1\nK=v\n\n[B]\nz=3\n"},
        TEdit{"add section at the end", "[B]\nz=3\n", "Options", "K", "v",
              "[B]\nz=3\n[Options]\nK=v\n"},
        TEdit{"section after text without line end", "[B]\nz=3", "Options", "K", "v",
              "[B]\nz=3\n[Options]\nK=v\n"},
        TEdit{"crlf kept on replace", "[Options]\r\nK=1\r\nL=2\r\n", "Options", "K", "5",
              "[Options]\r\nK=5\r\nL=2\r\n"},
        TEdit{"crlf used for new lines", "[B]\r\nz=3\r\n", "Options", "K", "v",
              "[B]\r\nz=3\r\n[Options]\r\nK=v\r\n"},
        TEdit{"bom kept", kBom + "[Options]\nK=1\n", "Options", "K", "2",
              kBom + "[Options]\nK=2\n"},
        TEdit{"bom only", kBom, "Options", "K", "2", kBom + "[Options]\nK=2\n"},
        TEdit{"first of repeated key", "[O]\nK=1\nK=2\n", "O", "K", "9", "[O]\nK=9\nK=2\n"},
        TEdit{"missing key goes to first of repeated sections", "[O]\nA=1\n[P]\n[O]\nB=2\n", "O",
              "K", "v", "[O]\nA=1\nK=v\n[P]\n[O]\nB=2\n"},
        TEdit{"comment line is not the key", "[O]\n;K=1\n", "O", "K", "2", "[O]\nK=2\n;K=1\n"}),
    CaseName<TEdit>);

TEST(IniText, RejectsEntriesThatWouldBreakTheLineStructure) {
    EXPECT_TRUE(IsWritableIniEntry("Options", "Avoid Wires Position", "1"));
    EXPECT_TRUE(IsWritableIniEntry("Options", "K", ""));
    EXPECT_FALSE(IsWritableIniEntry("Options", "K", "1\n[Evil]"));
    EXPECT_FALSE(IsWritableIniEntry("Options", "K", "1\r"));
    EXPECT_FALSE(IsWritableIniEntry("Opt\nions", "K", "1"));
    EXPECT_FALSE(IsWritableIniEntry("Opt]ions", "K", "1"));
    EXPECT_FALSE(IsWritableIniEntry("Options", "K=L", "1"));
    EXPECT_FALSE(IsWritableIniEntry("Options", "  ", "1"));
    EXPECT_FALSE(IsWritableIniEntry("Options", ";K", "1"));
    EXPECT_FALSE(IsWritableIniEntry("Options", "[K", "1"));
}

} // namespace
} // namespace pathwick
