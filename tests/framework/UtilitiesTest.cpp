// The shared routines that need no window or device context: persisted text, access keys and
// shortcut texts, UTF-8, fonts, colours, text flags, strings, arrays and file names.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "framework/ColorsAndFonts.h"
#include "framework/KeysAndText.h"
#include "framework/Persist.h"
#include "framework/StringsAndFiles.h"
#include "framework/TextDrawing.h"
#include "host/Error.h"
#include "platform/platform.h"

namespace orvane::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(UtilitiesTest, PersistedTextKeepsEveryCodeUnit) {
    EXPECT_TRUE(StringToPersist(u"").isEmpty());
    EXPECT_EQ(PersistToString(Variant()), u"");
    // Two little-endian bytes per code unit and no terminator.
    EXPECT_EQ(StringToPersist(u"A\u20AC").bytes(), (Bytes{0x41, 0x00, 0xAC, 0x20}));
    // Unpaired surrogates (alone or swapped) and NULs survive the round trip.
    for (const std::u16string& text :
         {std::u16string(u"a\xD800", 2), std::u16string(u"\xDFFF\xD800", 2),
          std::u16string(u"x\0y\0", 4)}) {
        EXPECT_EQ(StringToPersist(text).bytes().size(), text.size() * 2);
        EXPECT_EQ(PersistToString(StringToPersist(text)), text);
    }
    // An odd last byte makes no code unit.
    EXPECT_EQ(PersistToString(Variant(Bytes{0x41, 0x00, 0x42})), u"A");
    // Arrays hold data only with more than one element.
    EXPECT_FALSE(HasData(Bytes{}));
    EXPECT_FALSE(HasData(Bytes{7}));
    EXPECT_TRUE(BytesToPersist(Bytes{7}).isEmpty());
    EXPECT_EQ(BytesToPersist(Bytes{7, 8}).bytes(), (Bytes{7, 8}));
}

TEST(UtilitiesTest, AccessKeysShortcutsAndUTF8) {
    EXPECT_EQ(GetAccessKey(u"&File"), u"F");
    EXPECT_EQ(GetAccessKey(u"Save && &Exit"), u"E");
    EXPECT_EQ(GetAccessKey(u"Fish && Chips"), u"");
    EXPECT_EQ(GetAccessKey(u"&&&x"), u"x");  // "&&" goes first, then "&x" is left
    EXPECT_EQ(GetAccessKey(u"Trailing&"), u"");
    EXPECT_EQ(GetAccessKey(u"&One &Two"), u"O");
    EXPECT_EQ(AccessKeyChar(u"Save &As"), 'a');
    EXPECT_EQ(AccessKeyChar(u"&\u00C9t\u00E9"), 0xE9);  // lower-cased beyond ASCII too
    EXPECT_EQ(AccessKeyChar(u"Plain"), 0);

    EXPECT_EQ(ShortcutText(46, 2), u"Ctrl+Del");
    EXPECT_EQ(ShortcutText(65, 3), u"Ctrl+Shift+A");
    EXPECT_EQ(ShortcutText(116, 4), u"Alt+F5");
    EXPECT_EQ(ShortcutText(46, 7), u"Ctrl+Shift+Alt+Del");  // always in this order
    EXPECT_EQ(ShortcutText(20, 1), u"Shift+Caps Lock");     // each word keeps its capital
    EXPECT_EQ(ShortcutText(0, 7), u"");

    EXPECT_EQ(ToUTF8(u"A\u00E9\u20AC\U0001F600"),
              (Bytes{0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80}));
    try {
        ToUTF8(u"");
        ADD_FAILURE() << "an empty text must raise";
    } catch (const Error& e) {
        // A zero-length source is an invalid parameter to the conversion.
        EXPECT_EQ(e.number(), static_cast<std::int32_t>(platform::ERROR_INVALID_PARAMETER));
        EXPECT_EQ(e.source(), u"ToUTF8");
        EXPECT_EQ(e.description(), u"WideCharToMultiByte");
    }
}

TEST(UtilitiesTest, FontsColoursAndTextFlags) {
    auto font = [] {
        auto f = std::make_shared<StdFont>();
        f->Name(u"Arial");
        f->Size(10);
        return f;
    };
    EXPECT_TRUE(FontsEqual(nullptr, nullptr));
    EXPECT_FALSE(FontsEqual(font(), nullptr));
    EXPECT_FALSE(FontsEqual(nullptr, font()));
    EXPECT_TRUE(FontsEqual(font(), font()));
    const std::function<void(StdFont&)> changes[] = {
        [](StdFont& f) { f.Size(10.5); },          [](StdFont& f) { f.Name(u"arial"); },
        [](StdFont& f) { f.Strikethrough(true); }, [](StdFont& f) { f.Underline(true); },
        [](StdFont& f) { f.Italic(true); },        [](StdFont& f) { f.Charset(2); },
        [](StdFont& f) { f.Weight(600); },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        auto changed = font();
        changes[i](*changed);
        EXPECT_FALSE(FontsEqual(font(), changed)) << "change " << i;
    }

    EXPECT_EQ(TranslateColor(0x00123456, 0), 0x123456);
    EXPECT_EQ(TranslateColor(0x8000000F, 0), static_cast<std::int32_t>(platform::GetSysColor(15)));
    EXPECT_EQ(TranslateColor(0x80000040, 0), -1);  // no such system colour
    EXPECT_EQ(TranslateColor(0x05000000, 0), -1);  // no such kind of colour
    EXPECT_EQ(ThemeColor(platform::HTHEME(), 0x80000012),
              static_cast<std::int32_t>(platform::GetSysColor(18)));

    EXPECT_EQ(TextFlagsFromAlignment(0), 0u);
    EXPECT_EQ(TextFlagsFromAlignment(1), 2u);
    EXPECT_EQ(TextFlagsFromAlignment(2), 1u);
    EXPECT_EQ(TextFlagsFromAlignment(3), 0u);
    EXPECT_EQ(TextFlagsFromWrap(true, false), 0xA010u);
    EXPECT_EQ(TextFlagsFromWrap(false, false), 0x40024u);
    EXPECT_EQ(TextFlagsFromWrap(true, true), 0x2A010u);
    EXPECT_EQ(TextFlagsFromWrap(false, true), 0x60024u);
}

std::u16string sorted(std::vector<Variant> values) {
    SortArray(values);
    std::u16string text;
    for (const Variant& v : values)
        text += (text.empty() ? u"" : u",") + CStr(v);
    return text;
}

TEST(UtilitiesTest, StringsArraysPathsAndFiles) {
    EXPECT_EQ(StripNulls(std::u16string(u"abc\0def", 7)), u"abc");
    EXPECT_EQ(StripNulls(std::u16string(u"\0abc", 4)), u"");
    EXPECT_EQ(StripNulls(u"  padded  "), u"padded");
    EXPECT_EQ(StripNulls(std::u16string(u"  kept \0", 8)), u"  kept ");  // cut, not trimmed

    // Numbers by value (not as text), texts by code unit, numbers before any text.
    EXPECT_EQ(sorted({Variant(3), Variant(1.5), Variant(-2), Variant(std::int16_t(10))}),
              u"-2,1.5,3,10");
    EXPECT_EQ(sorted({Variant(u"b"), Variant(u"B"), Variant(u"ab"), Variant(u"a")}), u"B,a,ab,b");
    EXPECT_EQ(sorted({Variant(u"x"), Variant(5), Variant(u"1"), Variant(2), Variant(u"a")}),
              u"2,5,1,a,x");

    EXPECT_TRUE(PathsEqual(u"C:\\Dir\\File.TXT", u"c:/dir/file.txt"));
    EXPECT_FALSE(PathsEqual(u"a/b", u"a/c"));
    EXPECT_FALSE(PathsEqual(u"a\\b", u"a/b/"));
    EXPECT_TRUE(PathsEqual(u"\\\u00C4rger", u"/\u00E4RGER"));  // case beyond ASCII too

    const auto dir =
        std::filesystem::temp_directory_path() / ("orvane-utilities-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "present.txt") << "x";
    EXPECT_TRUE(FileExists((dir / "present.txt").u16string()));
    EXPECT_TRUE(FileExists(dir.u16string()));
    EXPECT_FALSE(FileExists((dir / "missing.txt").u16string()));
    std::filesystem::remove_all(dir);
}

TEST(UtilitiesTest, TextsSplitOnAndJoinWithASeparator) {
    using Fields = std::vector<std::u16string>;
    EXPECT_EQ(SplitText(u"a|bc|d", u'|'), (Fields{u"a", u"bc", u"d"}));
    EXPECT_EQ(SplitText(u"a||", u'|'), (Fields{u"a", u"", u""}));  // empty fields count
    EXPECT_EQ(SplitText(u"|", u'|'), (Fields{u"", u""}));
    EXPECT_EQ(SplitText(u"plain", u'|'), Fields{u"plain"});
    EXPECT_TRUE(SplitText(u"", u'|').empty());  // nothing: no field at all
    for (const std::u16string text : {u"a|bc|d", u"a||", u"|", u"x"})
        EXPECT_EQ(JoinText(SplitText(text, u'|'), u'|'), text);
    EXPECT_EQ(JoinText({}, u'|'), u"");
}

}  // namespace
}  // namespace orvane::test
