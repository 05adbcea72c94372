#include "base/Numbers.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrill {
namespace {

TEST(NumbersTest, SpinTextsOfAnyLengthEndInsideTheRangeAndNonNumbersReadAsTheMinimum) {
    const std::pair<std::string, int> cases[] = {
        {"7", 7},
        {"+4", 4},
        {"0007", 7},
        {"1", 1},
        {"10", 10},
        {"40", 10},
        {"0", 1},
        {"-3", 1},
        {"-0", 1},
        {"0000000100000000", 10},
        {"0000000000040", 10},
        {std::string(5000, '0') + "9", 9},
        {"99999999999999999999999", 10},
        {"-99999999999999999999999", 1},
        {"", 1},
        {"abc", 1},
        {"3x", 1},
        {" 3", 1},
        {"3 ", 1},
        {"+", 1},
        {"-", 1},
        {"+-2", 1},
        {"2.5", 1},
        {"0x5", 1},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ReadSpinValue(text, 1, 10), expected) << text;
    EXPECT_EQ(ReadSpinValue("-2147483648", -2147483647 - 1, 2147483647), -2147483647 - 1);
    EXPECT_EQ(ReadSpinValue("4294967296", -2147483647 - 1, 2147483647), 2147483647);
}

TEST(NumbersTest, SettingsValuesReadAsDecimalOrHexadecimalElseTheDefault) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"32", 32},
        {"-15", -15},
        {"+7", 7},
        {"0x40", 64},
        {"0X40", 64},
        {"$40", 64},
        {"$ff", 255},
        {"-$10", -16},
        {"", 99},
        {"abc", 99},
        {"12abc", 99},
        {"0x", 99},
        {"$", 99},
        {"-", 99},
        {" 5", 99},
        {"1.5", 99},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 99},
        {"$FFFFFFFF", -1},
        {"$100000000", 99},
        {"99999999999999999999", 99},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseSettingInt(c.text, 99), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace tavrill
