#include "quorvane/generate/size_text.h"

#include <gtest/gtest.h>

#include "common/testing/scoped_environment.h"
#include "quorvane/generate/locale_text.h"

namespace quor::generate {
namespace {

TEST(SizeText, UnitBoundaries) {
    const struct {
        double bytes;
        const char* text;
    } cases[] = {
        {0, "0B"},
        {512, "512B"},
        {1023, "1023B"},
        {1024, "1KB"},
        {3072, "3KB"},
        {2047, "1KB"},  // whole KiB, not rounded up
        {1048575, "1023KB"},
        {1048576, "1.00MB"},
        {1.5 * 1048576, "1.50MB"},
        {1073741823, "1024.00MB"},
        {1073741824, "1.00GB"},
        {5.25 * 1073741824.0, "5.25GB"},
        {4.0e15, "3725290.30GB"},
        {-5, "0B"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sizeText(c.bytes), c.text) << c.bytes;
    }
}

TEST(LocaleTexts, CLocaleUsesCommaAndShortDateTime) {
    const LocaleTexts c("C");
    EXPECT_EQ(c.thousandsSeparator(), ",");
    EXPECT_EQ(c.groupedSize(0), "");
    EXPECT_EQ(c.groupedSize(999), "999");
    EXPECT_EQ(c.groupedSize(1234567), "1,234,567");
    const quor::testing::ScopedTimeZone utc("UTC");
    EXPECT_EQ(c.generalDate(1704067199), "12/31/23 23:59:59");
}

TEST(LocaleTexts, UnknownLocaleFallsBackToC) {
    const LocaleTexts unknown("xx_NOWHERE.UTF-8");
    EXPECT_EQ(unknown.thousandsSeparator(), ",");
    EXPECT_EQ(unknown.groupedSize(1000), "1,000");
}

}  // namespace
}  // namespace quor::generate
