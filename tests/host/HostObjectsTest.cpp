// Fonts, collections, dictionaries and the application object.
#include <gtest/gtest.h>

#include "host/ErrorOf.h"

#include <functional>

#include "host/App.h"
#include "host/Collection.h"
#include "host/Error.h"
#include "host/StdFont.h"
#include "platform/imaging/ImageDecoder.h"
#include "platform/testing.h"
#include "platform/theme/ThemeParts.h"
#include "platform/theme/ThemeStrip.h"

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

// The glyph strips the library carries are the visual style's check-box and option states, one
// cell each, at 1x and 2x; a program's own resource of the same number comes first.
TEST(AppTest, TheLibraryCarriesTheGlyphStripsOfTheVisualStyle) {
    struct Strip {
        int id, part, states, cell;
    };
    for (const Strip s :
         {Strip{100, platform::BP_CHECKBOX, 12, 16}, Strip{101, platform::BP_CHECKBOX, 12, 32},
          Strip{200, platform::BP_RADIOBUTTON, 8, 16},
          Strip{201, platform::BP_RADIOBUTTON, 8, 32}}) {
        const auto bytes = App::current().LoadResData(s.id, u"Custom");
        std::string error;
        const auto image = platform::ImageDecoder::decode(bytes.data(), bytes.size(), error);
        ASSERT_TRUE(image) << s.id << ": " << error;
        const platform::DecodedImage& strip = image->frames.front();
        ASSERT_EQ(strip.width, s.states * s.cell);
        ASSERT_EQ(strip.height, s.cell);
        // Drawn again from the style, the strip is the same (the files are regenerated by the
        // glyph-strips program when the look changes).
        const auto expected = platform::ThemeStrip::render(u"BUTTON", s.part, s.states, s.cell);
        int differing = 0;
        for (int y = 0; y < s.cell; ++y)
            for (int x = 0; x < strip.width; ++x)
                differing += strip.pixels[y * strip.width + x] != expected.at(x, y);
        EXPECT_EQ(differing, 0) << "strip " << s.id << " differs from the visual style";
        // Each cell has something drawn in it, and the corners of a check box stay clear.
        for (int cell = 0; cell < s.states; ++cell) {
            EXPECT_GT(strip.pixels[(s.cell / 2) * strip.width + cell * s.cell + s.cell / 2] >> 24,
                      0u);
            if (s.part == platform::BP_RADIOBUTTON) {
                EXPECT_EQ(strip.pixels[cell * s.cell] >> 24, 0u) << "cell " << cell;
            }
        }
    }
    const std::size_t bytes100 = App::current().LoadResData(100, u"CUSTOM").size();
    EXPECT_EQ(errorOf([] { App::current().LoadResData(100, u"BITMAP"); }), 326);
    EXPECT_EQ(errorOf([] { App::current().LoadResData(102, u"CUSTOM"); }), 326);
    App::current().AddResource(100, u"CUSTOM", {1, 2, 3});
    EXPECT_EQ(App::current().LoadResData(100, u"custom"), (std::vector<std::uint8_t>{1, 2, 3}));
    App::current().RemoveResource(100, u"custom");
    EXPECT_EQ(App::current().LoadResData(100, u"CUSTOM").size(), bytes100);
}

}  // namespace
}  // namespace orvane::test
