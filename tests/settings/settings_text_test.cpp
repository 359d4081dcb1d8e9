// Checks how typed and stored texts become setting values.
#include "settings_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

namespace {

struct TextCase {
    const char* text;
    int32_t value;
};

template <size_t count>
void ExpectEach(int32_t (*convert)(const char*), const TextCase (&cases)[count]) {
    for (const TextCase& entry : cases) {
        EXPECT_EQ(convert(entry.text), entry.value) << '"' << entry.text << '"';
    }
}

TEST(LeadingInteger, TakesSignAndDigitsUpToTheFirstNonDigit) {
    static const TextCase cases[] = {
        {"12abc", 12}, {"abc", 0}, {"-4", -4}, {"+8", 8}, {"", 0}, {"007", 7}, {"1 2", 1},
        {" \t\n\v\f\r7", 7},  // every C-locale space is skipped
        {"\xA0" "7", 0},      // a byte that is a space only in other locales is not
        {"- 4", 0}, {"+-4", 0}, {"3.9", 3},
        {"\x82\x50", 0},      // a full-width digit one in Shift-JIS is no digit
    };
    ExpectEach(LeadingInteger, cases);
}

TEST(LeadingInteger, SaturatesBeyondThirtyTwoBits) {
    static const TextCase cases[] = {
        {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
        {"2147483648", INT32_MAX}, {"-2147483649", INT32_MIN},
        {"99999999999999999999999999", INT32_MAX}, {"-99999999999999999999999999", INT32_MIN},
    };
    ExpectEach(LeadingInteger, cases);
}

TEST(TenthsFromText, EveryEntryOfTheTimeListGivesExactlyItsOwnTenths) {
    for (int tenths = 1; tenths <= 30; ++tenths) {
        char entry[16];
        std::snprintf(entry, sizeof entry, "%d.%d", tenths / 10, tenths % 10);
        EXPECT_EQ(TenthsFromText(entry), tenths) << entry;
        EXPECT_EQ(TimeFromText(entry), tenths) << entry;
    }
}

TEST(TenthsFromText, TruncatesTypedNumbersTowardZero) {
    static const TextCase cases[] = {
        {"1.25", 12}, {"2", 20}, {"5", 50}, {"0.05", 0}, {"-2", -20}, {"-0.05", 0}, {"-1.99", -19},
        {".5", 5}, {"5.", 50}, {"  +0.7", 7}, {"0.3x", 3}, {"3.0abc", 30}, {"0.29999999999999999999", 2},
        {"123456789012345678901234567890e-28", 123},  // more digits than a double holds
    };
    ExpectEach(TenthsFromText, cases);
}

TEST(TenthsFromText, ReadsAnExponentAsACDecimalRealDoes) {
    static const TextCase cases[] = {
        {"1e1", 100}, {"25e-1", 25}, {"2E+1", 200}, {"0.000000000000000000001e22", 100},
        {"1e", 10}, {"1e+", 10}, {"1ex", 10},  // an exponent without digits is not one
        {"1e-999", 0}, {"0e999999", 0}, {"e5", 0},
    };
    ExpectEach(TenthsFromText, cases);
}

TEST(TenthsFromText, SaturatesLargeValuesAndGivesZeroForNoFiniteNumber) {
    static const TextCase cases[] = {
        {"214748364.7", INT32_MAX}, {"214748364.8", INT32_MAX}, {"-214748364.8", INT32_MIN},
        {"-214748364.9", INT32_MIN}, {"1e999", INT32_MAX}, {"-1e999", INT32_MIN},
        {"1e99999999999999999999", INT32_MAX}, {"99999999999999999999", INT32_MAX},
        {"", 0}, {".", 0}, {"-", 0}, {"abc", 0}, {"inf", 0}, {"-infinity", 0}, {"nan", 0}, {"0x10", 0},
    };
    ExpectEach(TenthsFromText, cases);
}

TEST(DialogFields, CountTimeAndTriesAreClampedIntoTheirRanges) {
    static const TextCase counts[] = {{"0", 1}, {"", 1}, {"12", 9}, {"3x", 3}, {"-99999999999", 1}, {"99999999999", 9}};
    static const TextCase times[] = {{"0.05", 1}, {"5", 30}, {"", 1}, {"-2", 1}, {"1e999", 30}, {"nan", 1}};
    static const TextCase tries[] = {{"10", 10}, {"11", 10}, {"0", 1}, {"7", 7}};
    ExpectEach(CountFromText, counts);
    ExpectEach(TimeFromText, times);
    ExpectEach(TriesFromText, tries);
}

TEST(DialogFields, ColourAndLevelTakeTheLowFourBitsOfTheFirstByte) {
    // The list entries, as their Shift-JIS bytes: "5:桃色" and "3:上級から開始".
    EXPECT_EQ(ColorFromText("5:\x93\x8d\x90\x46"), 5);
    EXPECT_EQ(LevelFromText("3:\x8f\xe3\x8b\x89\x82\xa9\x82\xe7\x8a\x4a\x8e\x6e"), 3);
    static const TextCase typed[] = {{"7", 7}, {"A", 1}, {"", 0}, {"9:x", 9}, {"\x82\x50", 2}};
    ExpectEach(ColorFromText, typed);
    ExpectEach(LevelFromText, typed);
}

}  // namespace
