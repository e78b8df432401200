#include "common/number_text.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

TEST(LeadingNumber, ReadsTheNumericPrefixOfStoredText) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {" 123", 123}, {"123", 123},  {"", 0},        {"abc", 0},   {"1.5", 1.5},  {"-3", -3},
        {"+7", 7},     {"12abc", 12}, {"  \t42", 42}, {".5", 0.5},  {"1E3", 1000}, {"2.5e-1", 0.25},
        {"1E", 1},     {"-", 0},      {"3.2", 3.2},   {"1D2", 100}, {"0x10", 0},   {"1,5", 1},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ToInt16, RoundsHalvesToEvenAndRefusesOverflow) {
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-2.5), -2);
    EXPECT_EQ(toInt16(1.4), 1);
    EXPECT_EQ(toInt16(32767), 32767);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_FALSE(toInt16(32768).has_value());
    EXPECT_FALSE(toInt16(-32769).has_value());
    EXPECT_FALSE(toInt16(1e300 * 10).has_value());
}

TEST(NumberText, PlainSignedAndGeneralForms) {
    EXPECT_EQ(plainNumber(42), "42");
    EXPECT_EQ(plainNumber(0), "0");
    EXPECT_EQ(plainNumber(-3), "-3");
    EXPECT_EQ(plainNumber(1.5), "1.5");
    EXPECT_EQ(plainNumber(999999999999999.0), "999999999999999");
    EXPECT_EQ(plainNumber(1e15), "1E+15");
    EXPECT_EQ(plainNumber(0.00001), "1E-05");
    EXPECT_EQ(signedNumberText(42), " 42");
    EXPECT_EQ(signedNumberText(0), " 0");
    EXPECT_EQ(signedNumberText(-42), "-42");
    EXPECT_EQ(generalNumber(1234567), "1234567");
}

TEST(NumberText, StoredNumbersSurviveARoundTrip) {
    for (double value : {0.0, 1.0, 42.0, 1.5, 3.2, 123456789.0, 1e15, 2.5e20}) {
        EXPECT_DOUBLE_EQ(leadingNumber(plainNumber(value)), value);
        EXPECT_DOUBLE_EQ(leadingNumber(signedNumberText(value)), value);
    }
}

TEST(GroupedInteger, PutsASeparatorEveryThreeDigits) {
    EXPECT_EQ(groupedInteger(0), "0");
    EXPECT_EQ(groupedInteger(999), "999");
    EXPECT_EQ(groupedInteger(1000), "1,000");
    EXPECT_EQ(groupedInteger(1234567), "1,234,567");
    EXPECT_EQ(groupedInteger(1234567, "."), "1.234.567");
    EXPECT_EQ(groupedInteger(18446744073709551615ULL), "18,446,744,073,709,551,615");
}

}  // namespace
}  // namespace quor
