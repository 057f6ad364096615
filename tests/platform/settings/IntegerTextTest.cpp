#include "platform/settings/IntegerText.h"

#include <gtest/gtest.h>

#include <climits>

namespace pathwick {
namespace {

struct TCase {
    const char* Text;
    std::optional<int32_t> Expected;
};

void PrintTo(const TCase& c, std::ostream* os) {
    *os << '"' << c.Text << '"';
}

class IntegerTextTest : public ::testing::TestWithParam<TCase> {};

TEST_P(IntegerTextTest, ReadsAsTheRuleSays) {
    EXPECT_EQ(ParseIntegerText(GetParam().Text), GetParam().Expected);
}

constexpr std::optional<int32_t> kInvalid = std::nullopt;

INSTANTIATE_TEST_SUITE_P(Decimal, IntegerTextTest,
                         ::testing::Values(TCase{"0", 0}, TCase{"3000", 3000}, TCase{"+7", 7},
                                           TCase{"-5", -5}, TCase{"007", 7}, TCase{"-0", 0},
                                           TCase{"   42", 42}, TCase{"  -42", -42},
                                           TCase{"2147483647", INT32_MAX},
                                           TCase{"-2147483648", INT32_MIN},
                                           TCase{"000000000000002147483647", INT32_MAX}));

INSTANTIATE_TEST_SUITE_P(DecimalOutOfRange, IntegerTextTest,
                         ::testing::Values(TCase{"2147483648", kInvalid},
                                           TCase{"-2147483649", kInvalid},
                                           TCase{"+2147483648", kInvalid},
                                           TCase{"99999999999999999999999", kInvalid}));

INSTANTIATE_TEST_SUITE_P(Hexadecimal, IntegerTextTest,
                         ::testing::Values(TCase{"$BB8", 3000}, TCase{"$bb8", 3000},
                                           TCase{"x10", 16}, TCase{"X10", 16}, TCase{"0x10", 16},
                                           TCase{"0XaF", 175}, TCase{"  $1", 1},
                                           TCase{"$7FFFFFFF", INT32_MAX},
                                           TCase{"$80000000", INT32_MIN}, TCase{"$FFFFFFFF", -1},
                                           TCase{"$00000001", 1}, TCase{"+$10", 16}));

INSTANTIATE_TEST_SUITE_P(SignedHexadecimalWraps, IntegerTextTest,
                         ::testing::Values(TCase{"-$10", -16}, TCase{"-0x1", -1},
                                           TCase{"-$FFFFFFFF", 1}, TCase{"-$80000000", INT32_MIN},
                                           TCase{"-$7FFFFFFF", -INT32_MAX}));

INSTANTIATE_TEST_SUITE_P(
    Invalid, IntegerTextTest,
    ::testing::Values(TCase{"", kInvalid}, TCase{"   ", kInvalid}, TCase{"-", kInvalid},
                      TCase{"+", kInvalid}, TCase{"$", kInvalid}, TCase{"0x", kInvalid},
                      TCase{"-$", kInvalid}, TCase{"x", kInvalid}, TCase{"abc", kInvalid},
                      TCase{"12 ", kInvalid}, TCase{"1 2", kInvalid}, TCase{"- 5", kInvalid},
                      TCase{"--5", kInvalid}, TCase{"+-5", kInvalid}, TCase{"5-", kInvalid},
                      TCase{"\t5", kInvalid}, TCase{"1.5", kInvalid}, TCase{"$G", kInvalid},
                      TCase{"$1G", kInvalid}, TCase{"$-10", kInvalid},
                      TCase{"$100000000", kInvalid}, TCase{"$000000001", kInvalid},
                      TCase{"0x0x1", kInvalid}, TCase{"10h", kInvalid}, TCase{"$10 ", kInvalid}));

TEST(IntegerText, EmbeddedZeroByteIsInvalid) {
    EXPECT_EQ(ParseIntegerText(std::string_view("12\0", 3)), kInvalid);
}

} // namespace
} // namespace pathwick
