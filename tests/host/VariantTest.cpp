// Values, their conversions and errors, and property bags.
#include <gtest/gtest.h>

#include "host/ErrorOf.h"

#include "host/Error.h"
#include "host/PropertyBag.h"
#include "host/Variant.h"

namespace orvane::test {
namespace {

TEST(VariantTest, IntegerConversionsRoundHalfToEvenAndCheckRange) {
    struct Case {
        double in;
        std::int32_t out;
    };
    for (const Case& c : {Case{2.5, 2}, Case{3.5, 4}, Case{-2.5, -2}, Case{0.5, 0}, Case{1.5, 2},
                          Case{2.4999, 2}, Case{-0.6, -1}, Case{2147483647.4, 2147483647}})
        EXPECT_EQ(CLng(Variant(c.in)), c.out) << c.in;
    EXPECT_EQ(errorOf([] { CLng(Variant(2147483647.5)); }), errors::Overflow);
    EXPECT_EQ(errorOf([] { CLng(Variant(-2147483648.6)); }), errors::Overflow);
    EXPECT_EQ(CInt(Variant(32767.4)), 32767);
    EXPECT_EQ(errorOf([] { CInt(Variant(32767.5)); }), errors::Overflow);
    EXPECT_EQ(CByte(Variant(254.5)), 254);
    EXPECT_EQ(errorOf([] { CByte(Variant(255.5)); }), errors::Overflow);
    EXPECT_EQ(errorOf([] { CByte(Variant(std::int32_t{-1})); }), errors::Overflow);
    EXPECT_EQ(CLng(Variant(true)), -1);  // True is -1
    EXPECT_EQ(CLng(Variant()), 0);       // Empty is 0
    EXPECT_EQ(errorOf([] { CLng(Variant::null()); }), errors::InvalidUseOfNull);
    EXPECT_EQ(errorOf([] { CLng(Variant(std::vector<std::uint8_t>{1})); }), errors::TypeMismatch);
}

TEST(VariantTest, TextsConvertAsNumbersOrFail) {
    EXPECT_EQ(CLng(Variant(u" 42 ")), 42);
    EXPECT_EQ(CLng(Variant(u"&HFF")), 255);
    EXPECT_EQ(CLng(Variant(u"&HFFFFFFFF")), -1);  // hexadecimal literals are 32-bit
    EXPECT_EQ(CLng(Variant(u"&O17")), 15);
    EXPECT_EQ(CLng(Variant(u"1e3")), 1000);
    EXPECT_DOUBLE_EQ(CDbl(Variant(u"-2.25")), -2.25);
    for (const char16_t* bad : {u"abc", u"", u"12abc", u"&HG", u"0x10", u"nan", u"inf"})
        EXPECT_EQ(errorOf([&] { CLng(Variant(bad)); }), errors::TypeMismatch)
            << std::string(bad, bad + 3);
    EXPECT_TRUE(CBool(Variant(u"True")));
    EXPECT_FALSE(CBool(Variant(u" false ")));
    EXPECT_TRUE(CBool(Variant(u"TRUE")));
    EXPECT_TRUE(CBool(Variant(u"-1")));
    EXPECT_FALSE(CBool(Variant(u"0")));
    EXPECT_TRUE(CBool(Variant(0.25)));
    EXPECT_FALSE(CBool(Variant()));
    EXPECT_EQ(errorOf([] { CBool(Variant(u"yes")); }), errors::TypeMismatch);
    EXPECT_EQ(errorOf([] { CBool(Variant::null()); }), errors::InvalidUseOfNull);
}

TEST(VariantTest, ValReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(Val(u"  1 2 3abc"), 123);  // blanks inside are skipped
    EXPECT_DOUBLE_EQ(Val(u"-3.5e2x"), -350);
    EXPECT_DOUBLE_EQ(Val(u".5"), 0.5);
    EXPECT_DOUBLE_EQ(Val(u"&H1F"), 31);
    EXPECT_DOUBLE_EQ(Val(u"12e"), 12);  // an exponent without digits is not part of it
    EXPECT_DOUBLE_EQ(Val(u""), 0);
    EXPECT_DOUBLE_EQ(Val(u"abc"), 0);
}

TEST(VariantTest, DigitsBeyondTheRangeOfADoubleOverflow) {
    // Found by fuzzing: such texts read as infinity, which no Double can hold.
    for (const char16_t* big : {u"1e400", u"-1.8e308", u"1.79769313486232E+308"})
        EXPECT_EQ(errorOf([&] { CDbl(Variant(big)); }), errors::Overflow)
            << std::string(big, big + 5);
    EXPECT_EQ(errorOf([] { Val(u"1e400 and more"); }), errors::Overflow);
    EXPECT_EQ(errorOf([] { CLng(Variant(u"-1e999")); }), errors::Overflow);
    // The text of the largest Double has too few digits to read back: it overflows too.
    EXPECT_EQ(errorOf([] { CDbl(Variant(CStr(Variant(1.7976931348623157e308)))); }),
              errors::Overflow);
    EXPECT_DOUBLE_EQ(CDbl(Variant(u"1.7976931348623157E+308")), 1.7976931348623157e308);
    EXPECT_EQ(CDbl(Variant(u"1e-400")), 0);  // too small is zero, not an error
    EXPECT_DOUBLE_EQ(Val(u"1e308"), 1e308);
}

TEST(VariantTest, TextsOfValues) {
    EXPECT_EQ(CStr(Variant(0.1)), u"0.1");
    EXPECT_EQ(CStr(Variant(1e20)), u"1E+20");
    EXPECT_EQ(CStr(Variant(1.0 / 3)), u"0.333333333333333");
    EXPECT_EQ(CStr(Variant(2.5f)), u"2.5");
    EXPECT_EQ(CStr(Variant(true)), u"True");
    EXPECT_EQ(CStr(Variant(std::int16_t{-5})), u"-5");
    EXPECT_EQ(CStr(Variant()), u"");
    EXPECT_EQ(CStr(Variant::date(DateSerial(2026, 12, 6) + TimeSerial(14, 5, 9))),
              u"2026-12-06 14:05:09");
    EXPECT_EQ(errorOf([] { CStr(Variant::null()); }), errors::InvalidUseOfNull);
}

TEST(VariantTest, DatesCountDaysFrom1899) {
    EXPECT_EQ(DateSerial(1899, 12, 30), 0);
    EXPECT_EQ(DateSerial(2000, 1, 1), 36526);
    EXPECT_EQ(DateSerial(2024, 2, 30), DateSerial(2024, 3, 1));  // days roll over
    EXPECT_EQ(DateSerial(2024, 13, 1), DateSerial(2025, 1, 1));  // and months
    // Found by fuzzing: minutes, months and days far out of range overflowed int on the way.
    EXPECT_DOUBLE_EQ(TimeSerial(0, 40000000, 0), 40000000.0 * 60 / 86400);
    EXPECT_DOUBLE_EQ(Variant(u"2000-01-01 0:40000000:0").toDate(),
                     DateSerial(2000, 1, 1) + 40000000.0 * 60 / 86400);
    EXPECT_LT(DateSerial(2000, 1, INT32_MIN), -2e9);
    EXPECT_LT(DateSerial(2000, INT32_MIN, 1), -6e10);
    EXPECT_GT(DateSerial(2000, INT32_MAX, 1), 6e10);
    const DateParts before = SplitDate(-1.25);  // the fraction is the time, whatever the sign
    EXPECT_EQ(before.year, 1899);
    EXPECT_EQ(before.month, 12);
    EXPECT_EQ(before.day, 29);
    EXPECT_EQ(before.hour, 6);
    const DateParts noon = SplitDate(36526.5);
    EXPECT_EQ(noon.day, 1);
    EXPECT_EQ(noon.hour, 12);
    EXPECT_DOUBLE_EQ(Variant(u"2000-01-01 12:00:00").toDate(), 36526.5);
}

TEST(VariantTest, KindsAndTypeNames) {
    struct Case {
        Variant v;
        int varType;
        std::u16string name;
    };
    const Case cases[] = {
        {Variant(), 0, u"Empty"},
        {Variant::null(), 1, u"Null"},
        {Variant(std::int16_t{1}), 2, u"Integer"},
        {Variant(std::int32_t{1}), 3, u"Long"},
        {Variant(1.0f), 4, u"Single"},
        {Variant(1.0), 5, u"Double"},
        {Variant::date(1), 7, u"Date"},
        {Variant(u"x"), 8, u"String"},
        {Variant::missing(), 10, u"Error"},
        {Variant(true), 11, u"Boolean"},
        {Variant(std::uint8_t{1}), 17, u"Byte"},
        {Variant(std::vector<std::uint8_t>{1, 2}), 8209, u"Byte()"},
        {Variant(std::shared_ptr<Object>()), 9, u"Nothing"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.v.varType(), c.varType);
        EXPECT_EQ(c.v.typeName(), c.name);
    }
    // Equal values of different kinds are different variants.
    EXPECT_FALSE(Variant(std::int16_t{1}) == Variant(std::int32_t{1}));
    EXPECT_TRUE(Variant(u"a") == Variant(u"a"));
    EXPECT_FALSE(Variant(u"a") == Variant(u"A"));
}

TEST(ErrorTest, StandardNumbersCarryTheirDescriptions) {
    const Error e = Error::standard(errors::InvalidPropertyValue, u"ucButton.Caption");
    EXPECT_EQ(e.number(), 380);
    EXPECT_EQ(e.description(), u"Invalid property value");
    EXPECT_EQ(e.source(), u"ucButton.Caption");
    EXPECT_STREQ(e.what(), "error 380 in ucButton.Caption: Invalid property value");
    EXPECT_EQ(Error::standardDescription(13), u"Type mismatch");
    EXPECT_EQ(Error::standardDescription(12345), u"");
}

struct Font : Object {
    std::u16string typeName() const override { return u"StdFont"; }
};

TEST(PropertyBagTest, ValuesReadBackAndDefaultsAreNotStored) {
    PropertyBag bag;
    auto font = std::make_shared<Font>();
    const std::pair<const char16_t*, Variant> values[] = {
        {u"Int", Variant(std::int16_t{-7})},
        {u"Long", Variant(std::int32_t{123456})},
        {u"Flag", Variant(true)},
        {u"Caption", Variant(u"Grüße 漢字")},
        {u"Bytes", Variant(std::vector<std::uint8_t>{0, 255, 7})},
        {u"Font", Variant(std::shared_ptr<Object>(font))},
    };
    for (const auto& [key, value] : values)
        bag.WriteProperty(key, value, Variant());
    for (const auto& [key, value] : values)
        EXPECT_TRUE(bag.ReadProperty(key, Variant(u"default")) == value);
    EXPECT_EQ(bag.ReadProperty(u"Font").object().get(), font.get());
    // Keys ignore case; a value equal to its default is dropped and still reads back.
    EXPECT_TRUE(bag.ReadProperty(u"caption") == Variant(u"Grüße 漢字"));
    bag.WriteProperty(u"Long", Variant(std::int32_t{5}), Variant(std::int32_t{5}));
    EXPECT_FALSE(bag.contains(u"LONG"));
    EXPECT_TRUE(bag.ReadProperty(u"Long", Variant(std::int32_t{5})) == Variant(std::int32_t{5}));
    // Writing again replaces the value in place; the order of keys is the order of writing.
    bag.WriteProperty(u"INT", Variant(std::int16_t{9}), Variant());
    EXPECT_EQ(bag.entries().front().first, u"Int");
    EXPECT_TRUE(bag.entries().front().second == Variant(std::int16_t{9}));
    EXPECT_TRUE(bag.ReadProperty(u"Missing", Variant(3.5)) == Variant(3.5));
}

}  // namespace
}  // namespace orvane::test
