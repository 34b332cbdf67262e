// SYSTEMTIME's layout and the yyyy-mm-dd text form of a date: calendar rules, the day of the
// week, and text that is refused.
#include <gtest/gtest.h>

#include "platform/base/SystemTime.h"

namespace orvane::test {
namespace {

using namespace orvane::platform;

TEST(SystemTimeTest, LayoutIsEightWords) {
    static_assert(sizeof(SYSTEMTIME) == 16);
    EXPECT_EQ(offsetof(SYSTEMTIME, wDay), 6u);
    EXPECT_EQ(offsetof(SYSTEMTIME, wMilliseconds), 14u);
}

TEST(SystemTimeTest, TextRoundTripsWithTheDayOfTheWeek) {
    struct Case {
        const char16_t* text;
        WORD year, month, day, weekday;  // Sunday is 0
    };
    for (const Case& c : {Case{u"2026-12-07", 2026, 12, 7, 1}, Case{u"2000-02-29", 2000, 2, 29, 2},
                          Case{u"1601-01-01", 1601, 1, 1, 1}, Case{u"1999-12-31", 1999, 12, 31, 5},
                          Case{u"2024-03-03", 2024, 3, 3, 0}}) {
        SYSTEMTIME st{};
        st.wHour = 9;
        ASSERT_TRUE(TextToDate(c.text, st)) << std::string(c.text, c.text + 10);
        EXPECT_EQ(st.wYear, c.year);
        EXPECT_EQ(st.wMonth, c.month);
        EXPECT_EQ(st.wDay, c.day);
        EXPECT_EQ(st.wDayOfWeek, c.weekday) << std::string(c.text, c.text + 10);
        EXPECT_EQ(st.wHour, 0) << "a date read from text is at midnight";
        EXPECT_EQ(DateToText(st), c.text);
    }
    SYSTEMTIME st{};
    ASSERT_TRUE(TextToDate(u" 2024-3-7 ", st));
    EXPECT_EQ(DateToText(st), u"2024-03-07");
}

TEST(SystemTimeTest, ImpossibleDatesAndOtherTextAreRefused) {
    SYSTEMTIME kept{};
    kept.wYear = 2020;
    kept.wMonth = 5;
    kept.wDay = 6;
    for (const char16_t* text :
         {u"", u"2023-02-29", u"1900-02-29", u"2024-13-01", u"2024-04-31", u"1600-12-31",
          u"2024-01-00", u"2024/01/02", u"2024-01-02x", u"today", u"-2024-01-02", u"2024--01"}) {
        SYSTEMTIME st = kept;
        EXPECT_FALSE(TextToDate(text, st)) << std::u16string(text).size();
        EXPECT_EQ(st, kept);
    }
    EXPECT_EQ(DateToText(SYSTEMTIME{}), u"");
    SYSTEMTIME feb30 = kept;
    feb30.wMonth = 2;
    feb30.wDay = 30;
    EXPECT_EQ(DateToText(feb30), u"");
}

}  // namespace
}  // namespace orvane::test
