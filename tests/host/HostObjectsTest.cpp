// Fonts, collections, dictionaries and the application object.
#include <gtest/gtest.h>

#include "host/ErrorOf.h"

#include <functional>

#include "host/App.h"
#include "host/Collection.h"
#include "host/Error.h"
#include "host/StdFont.h"
#include "platform/testing.h"

namespace orvane::test {
namespace {

TEST(StdFontTest, ChangesAreHeardOnceAndInvalidValuesRefused) {
    StdFont font;
    std::vector<std::u16string> heard;
    const int id = font.addListener([&](const std::u16string& p) { heard.push_back(p); });
    font.Name(u"Tahoma");
    font.Name(u"Tahoma");  // no change, no notice
    font.Size(9.123456);
    font.Bold(true);
    font.Bold(true);
    EXPECT_EQ(font.Weight(), 700);
    font.Weight(400);
    EXPECT_FALSE(font.Bold());
    EXPECT_EQ(heard, (std::vector<std::u16string>{u"Name", u"Size", u"Bold", u"Weight"}));
    EXPECT_DOUBLE_EQ(font.Size(), 9.1235);  // four decimals
    EXPECT_EQ(errorOf([&] { font.Size(0); }), errors::InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { font.Name(u""); }), errors::InvalidPropertyValue);
    font.removeListener(id);
    font.Italic(true);
    EXPECT_EQ(heard.size(), 4u);
    auto copy = font.clone();
    EXPECT_EQ(copy->Name(), u"Tahoma");
    EXPECT_TRUE(copy->Italic());
}

TEST(StdFontTest, LogFontsFollowTheDpi) {
    StdFont font;
    font.Size(9);
    font.Underline(true);
    EXPECT_EQ(font.logFont(96).lfHeight, -12);
    EXPECT_EQ(font.logFont(144).lfHeight, -18);
    EXPECT_EQ(font.logFont(96).lfUnderline, 1);
    EXPECT_EQ(std::u16string(font.logFont(96).lfFaceName), u"MS Sans Serif");
}

TEST(CollectionTest, PositionsCountFromOneAndKeysIgnoreCase) {
    Collection c;
    c.Add(Variant(u"a"), Variant(u"First"));
    c.Add(Variant(u"c"));
    c.Add(Variant(u"b"), Variant(u"Second"), Variant::missing(),
          Variant(std::int32_t{1}));  // after the first
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(c.Item(Variant(std::int32_t{2})).toString(), u"b");
    EXPECT_EQ(c.Item(Variant(u"SECOND")).toString(), u"b");
    c.Add(Variant(u"z"), Variant::missing(), Variant(u"first"));  // before
    EXPECT_EQ(c.Item(Variant(std::int32_t{1})).toString(), u"z");
    EXPECT_EQ(errorOf([&] { c.Add(Variant(u"x"), Variant(u"second")); }), 457);
    EXPECT_EQ(errorOf([&] { c.Item(Variant(std::int32_t{0})); }), errors::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { c.Item(Variant(std::int32_t{5})); }), errors::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { c.Item(Variant(u"nope")); }), errors::InvalidProcedureCall);
    c.Remove(Variant(u"First"));
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(c.Item(Variant(std::int32_t{2})).toString(), u"b");
}

TEST(DictionaryTest, CompareModesDecideWhichKeysAreTheSame) {
    Dictionary binary;
    binary.Add(u"Key", Variant(std::int32_t{1}));
    binary.Add(u"key", Variant(std::int32_t{2}));  // a different key when case matters
    EXPECT_EQ(binary.Count(), 2);
    EXPECT_EQ(errorOf([&] { binary.compareMode(Dictionary::CompareMode::Text); }),
              errors::InvalidProcedureCall);
    Dictionary text;
    text.compareMode(Dictionary::CompareMode::Text);
    text.Add(u"Key", Variant(std::int32_t{1}));
    EXPECT_EQ(errorOf([&] { text.Add(u"KEY", Variant(std::int32_t{2})); }), 457);
    EXPECT_TRUE(text.Exists(u"kEy"));
    text.Item(u"KEY") = Variant(u"changed");
    EXPECT_EQ(text.Item(u"key").toString(), u"changed");
    EXPECT_TRUE(text.Item(u"new").isEmpty());  // reading a missing key adds it
    EXPECT_EQ(text.Count(), 2);
    text.Remove(u"NEW");
    EXPECT_EQ(errorOf([&] { text.Remove(u"new"); }), 32811);
    EXPECT_EQ(text.Keys(), std::vector<std::u16string>{u"Key"});
}

TEST(AppTest, PathTitleAndTwipsPerPixel) {
    EXPECT_FALSE(App::current().Path().empty());
    EXPECT_NE(App::current().Path().back(), u'/');
    EXPECT_EQ(App::current().Title(), u"host_tests");
    EXPECT_EQ(App::current().ThreadID(), platform::GetCurrentThreadId());
    {
        platform::testing::TestPlatform at96;
        EXPECT_EQ(TwipsPerPixelX(), 15);
    }
    platform::testing::TestPlatform at144({800, 600, 144, 1000});
    EXPECT_EQ(TwipsPerPixelY(), 10);
}

}  // namespace
}  // namespace orvane::test
