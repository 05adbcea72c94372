#include "base/Numbers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrill {
namespace {

TEST(NumbersTest, SpinTextsOfAnyLengthEndInsideTheRangeAndNonNumbersReadAsTheMinimum) {
    const std::pair<int, std::vector<std::string>> cases[] = {
        {1,
         {"1", "0", "-3", "-0", "-99999999999999999999999", "", "abc", "3x", " 3", "3 ", "+", "+-2", "2.5",
          "0x5"}},
        {4, {"+4"}},
        {7, {"7", "0007"}},
        {9, {std::string(5000, '0') + "9"}},
        {10, {"10", "40", "0000000100000000", "99999999999999999999999"}}};
    for (const auto& [expected, texts] : cases)
        for (const std::string& text : texts) EXPECT_EQ(ReadSpinValue(text, 1, 10), expected) << text;
    EXPECT_EQ(ReadSpinValue("-2147483648", -2147483647 - 1, 2147483647), -2147483647 - 1);
    EXPECT_EQ(ReadSpinValue("4294967296", -2147483647 - 1, 2147483647), 2147483647);
}

TEST(NumbersTest, SettingsValuesReadAsDecimalOrHexadecimalElseTheDefault) {
    const std::pair<int, std::vector<std::string>> cases[] = {
        {99,
         {"", "abc", "12abc", "0x", "1x5", "$", "-", " 5", "1.5", "2147483648", "$100000000",
          "99999999999999999999"}},
        {32, {"32"}},
        {-15, {"-15"}},
        {7, {"+7"}},
        {64, {"0x40", "0X40", "$40"}},
        {255, {"$ff"}},
        {-16, {"-$10"}},
        {-1, {"$FFFFFFFF"}},
        {2147483647, {"2147483647"}},
        {-2147483647 - 1, {"-2147483648"}}};
    for (const auto& [expected, texts] : cases)
        for (const std::string& text : texts)
            EXPECT_EQ(ParseSettingInt(text, 99), expected) << '"' << text << '"';
}

}  // namespace
}  // namespace tavrill
