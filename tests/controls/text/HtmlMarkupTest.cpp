// The label markup: tag scanning, cutting a caption into styled runs, stripping markup for
// measuring, and word-wrapping runs with a fake metric so every line break is exact.
#include "controls/text/HtmlMarkup.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace orvane;

namespace {

constexpr std::int32_t kBaseColor = 0x00112233;

HtmlRun baseRun() {
    HtmlRun base;
    base.FontName = u"Base Face";
    base.FontSize = 10;
    base.ForeColor = kBaseColor;
    return base;
}

// Two screen fonts, matched whatever their case.
bool isScreenFont(std::u16string_view name) {
    std::u16string lower(name);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    return lower == u"test sans" || lower == u"test mono";
}

std::vector<HtmlRun> parse(std::u16string_view markup) {
    return HtmlMarkup::ParseRuns(markup, baseRun(), isScreenFont);
}

std::vector<std::u16string> texts(const std::vector<HtmlRun>& runs) {
    std::vector<std::u16string> out;
    for (const HtmlRun& r : runs)
        out.push_back(r.Text);
    return out;
}

// One flag of every run, e.g. flags(runs, &HtmlRun::Bold).
std::vector<bool> flags(const std::vector<HtmlRun>& runs, bool HtmlRun::*field) {
    std::vector<bool> out;
    for (const HtmlRun& r : runs)
        out.push_back(r.*field);
    return out;
}

// Every character 10 px wide, 12 px in a bold run.
int measure(const HtmlRun& run, std::u16string_view text) {
    return static_cast<int>(text.size()) * (run.Bold ? 12 : 10);
}

int plainWidth(std::u16string_view text) {
    return static_cast<int>(text.size()) * 10;
}

using Texts = std::vector<std::u16string>;
using Flags = std::vector<bool>;

}  // namespace

TEST(HtmlMarkupTest, TagsCutTheCaptionIntoStyledRuns) {
    HtmlRun base = baseRun();
    base.BackColor = 0x00FF00;  // the first run never takes a background from the base
    const auto runs = HtmlMarkup::ParseRuns(u"A <b>word</b> end", base, isScreenFont);
    EXPECT_EQ(texts(runs), (Texts{u"A ", u"word", u" end"}));
    EXPECT_EQ(flags(runs, &HtmlRun::LineBreak), (Flags{true, false, false}));
    EXPECT_EQ(flags(runs, &HtmlRun::Bold), (Flags{false, true, false}));
    for (const HtmlRun& r : runs) {
        EXPECT_EQ(r.FontName, u"Base Face");
        EXPECT_EQ(r.FontSize, 10);
        EXPECT_EQ(r.ForeColor, kBaseColor);
        EXPECT_FALSE(r.BackColor.has_value());
    }

    // A leading tag styles the first run instead of leaving an empty run before it.
    const auto lead = parse(u"<b>bold</b> plain");
    EXPECT_EQ(texts(lead), (Texts{u"bold", u" plain"}));
    EXPECT_EQ(flags(lead, &HtmlRun::Bold), (Flags{true, false}));
    EXPECT_EQ(flags(lead, &HtmlRun::LineBreak), (Flags{true, false}));

    // Tag names match whatever their case; the other simple tags set their own attribute.
    const auto upper = parse(u"<B>x</B><I>i<U>u<S>s<SUB>d<SUP>p");
    EXPECT_EQ(texts(upper), (Texts{u"x", u"i", u"u", u"s", u"d", u"p"}));
    // Nothing closes in between, so each attribute stays on for the runs after it.
    EXPECT_EQ(flags(upper, &HtmlRun::Bold), (Flags{true, false, false, false, false, false}));
    EXPECT_EQ(flags(upper, &HtmlRun::Italic), (Flags{false, true, true, true, true, true}));
    EXPECT_EQ(flags(upper, &HtmlRun::Underline), (Flags{false, false, true, true, true, true}));
    EXPECT_EQ(flags(upper, &HtmlRun::Strikethru), (Flags{false, false, false, true, true, true}));
    EXPECT_EQ(flags(upper, &HtmlRun::Subscript), (Flags{false, false, false, false, true, true}));
    EXPECT_EQ(flags(upper, &HtmlRun::Superscript),
              (Flags{false, false, false, false, false, true}));
}

TEST(HtmlMarkupTest, BlanksAroundTagsDoNotMakeRunsOfTheirOwn) {
    // A tag with only blanks after it ends the caption and is not applied.
    const auto trailing = parse(u"A <b>   ");
    EXPECT_EQ(texts(trailing), (Texts{u"A "}));
    EXPECT_FALSE(trailing[0].Bold);
    EXPECT_EQ(texts(parse(u"A</b>")), (Texts{u"A"}));

    // Blanks alone before a tag join the run before; the tag styles the run after them.
    const auto joined = parse(u"A<b> </b>B");
    EXPECT_EQ(texts(joined), (Texts{u"A ", u"B"}));
    EXPECT_EQ(flags(joined, &HtmlRun::LineBreak), (Flags{true, false}));
    EXPECT_FALSE(joined[1].Bold);

    // With no run before them, leading blanks are dropped.
    const auto leading = parse(u"  <b>x");
    EXPECT_EQ(texts(leading), (Texts{u"x"}));
    EXPECT_TRUE(leading[0].Bold);
}

TEST(HtmlMarkupTest, LineBreakTagStartsALineAndKeepsBlanksBeforeIt) {
    const auto simple = parse(u"x<br>y");
    EXPECT_EQ(texts(simple), (Texts{u"x", u"y"}));
    EXPECT_EQ(flags(simple, &HtmlRun::LineBreak), (Flags{true, true}));

    // Unlike other tags, "<br>" keeps a blank-only text before it as a run.
    const auto blank = parse(u"<b>x</b> <br>y");
    EXPECT_EQ(texts(blank), (Texts{u"x", u" ", u"y"}));
    EXPECT_EQ(flags(blank, &HtmlRun::LineBreak), (Flags{true, false, true}));
    EXPECT_EQ(flags(blank, &HtmlRun::Bold), (Flags{true, false, false}));

    EXPECT_EQ(texts(parse(u"<br>y")), (Texts{u"", u"y"}));
    EXPECT_EQ(texts(parse(u"x<br>")), (Texts{u"x"}));
}

TEST(HtmlMarkupTest, SizeTagsDoNotNest) {
    const auto runs = parse(u"<size=14>a<size=20>b</size>c");
    ASSERT_EQ(texts(runs), (Texts{u"a", u"b", u"c"}));
    EXPECT_EQ(runs[0].FontSize, 14);
    EXPECT_EQ(runs[1].FontSize, 20);
    EXPECT_EQ(runs[2].FontSize, 10);  // back to the base, not to the outer 14

    const auto bad = parse(u"<size=14>a<size=big>b<SIZE= 12.5 >c");
    ASSERT_EQ(bad.size(), 3u);
    EXPECT_EQ(bad[1].FontSize, 10);
    EXPECT_EQ(bad[2].FontSize, 12.5f);
    EXPECT_EQ(HtmlMarkup::FindNextTag(u"<size=big>", isScreenFont).Value, u"-1");
    EXPECT_EQ(HtmlMarkup::FindNextTag(u"<size=>", isScreenFont).Value, u"-1");
}

TEST(HtmlMarkupTest, ColourTagsTakeHexInBlueGreenRedOrder) {
    const auto fore = parse(
        u"<forecolor=FF>a<forecolor=0000FF>b<forecolor=FF0000>c"
        u"<forecolor=zz>d<forecolor=FF>e</forecolor>f");
    ASSERT_EQ(fore.size(), 6u);
    EXPECT_EQ(fore[0].ForeColor, 255);
    EXPECT_EQ(fore[1].ForeColor, 255);  // red
    EXPECT_EQ(fore[2].ForeColor, 0xFF0000);
    EXPECT_EQ(fore[3].ForeColor, kBaseColor);  // not hexadecimal
    EXPECT_EQ(fore[4].ForeColor, 255);
    EXPECT_EQ(fore[5].ForeColor, kBaseColor);

    const auto back = parse(u"<backcolor=FF>a<backcolor=zz>b<backcolor=0000ff>c</backcolor>d");
    ASSERT_EQ(back.size(), 4u);
    EXPECT_EQ(back[0].BackColor, 255);
    EXPECT_FALSE(back[1].BackColor.has_value());
    EXPECT_EQ(back[2].BackColor, 255);
    EXPECT_FALSE(back[3].BackColor.has_value());

    const HtmlTag tag = HtmlMarkup::FindNextTag(u"<ForeColor=FF>", isScreenFont);
    EXPECT_EQ(tag.Kind, HtmlTag::ForeColor);
    EXPECT_EQ(tag.Value, u"&Hff");
    EXPECT_EQ(HtmlMarkup::FindNextTag(u"<backcolor=q>", isScreenFont).Value, u"T");
}

TEST(HtmlMarkupTest, NameTagAcceptsOnlyScreenFonts) {
    const auto runs = parse(u"<name=TEST Mono>a<name=Nope>b<name= test sans >c</name>d");
    ASSERT_EQ(texts(runs), (Texts{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(runs[0].FontName, u"test mono");  // the tag is read lower-cased
    EXPECT_EQ(runs[1].FontName, u"Base Face");
    EXPECT_EQ(runs[2].FontName, u"test sans");
    EXPECT_EQ(runs[3].FontName, u"Base Face");
}

TEST(HtmlMarkupTest, UnknownTagsAndEntitiesStayInRunText) {
    const auto runs = parse(u"a <x> <bold> &lt;y&gt; <b>b</b> <i");
    EXPECT_EQ(texts(runs), (Texts{u"a <x> <bold> &lt;y&gt; ", u"b", u" <i"}));
    EXPECT_TRUE(runs[1].Bold);
    // What the run shows: markup gone, entities replaced, blanks kept.
    EXPECT_EQ(HtmlMarkup::DisplayText(runs[0].Text), u"a   <y> ");
    EXPECT_EQ(HtmlMarkup::DisplayText(u" plain "), u" plain ");
}

TEST(HtmlMarkupTest, FindNextTagReportsOneBasedPositions) {
    HtmlTag tag = HtmlMarkup::FindNextTag(u"ab<b>c", isScreenFont);
    EXPECT_EQ(tag.Kind, HtmlTag::Bold);
    EXPECT_EQ(tag.Start, 3);
    EXPECT_EQ(tag.End, 5);
    EXPECT_EQ(tag.Value, u"True");

    // A "<" that opens no known tag is skipped, even when it shares the ">".
    tag = HtmlMarkup::FindNextTag(u"<<b>", isScreenFont);
    EXPECT_EQ(tag.Start, 2);
    EXPECT_EQ(tag.End, 4);
    tag = HtmlMarkup::FindNextTag(u"a<x>b</I>", isScreenFont);
    EXPECT_EQ(tag.Kind, HtmlTag::Italic);
    EXPECT_EQ(tag.Value, u"False");
    EXPECT_EQ(tag.Start, 6);

    EXPECT_EQ(HtmlMarkup::FindNextTag(u"a > b", isScreenFont).Kind, HtmlTag::None);
    EXPECT_EQ(HtmlMarkup::FindNextTag(u"a <b", isScreenFont).Kind, HtmlTag::None);

    // Positions are 16-bit: a tag ending at 32767 is found, one ending at 32768 is not.
    tag = HtmlMarkup::FindNextTag(std::u16string(32764, u'a') + u"<b>", isScreenFont);
    EXPECT_EQ(tag.Kind, HtmlTag::Bold);
    EXPECT_EQ(tag.End, 32767);
    EXPECT_EQ(HtmlMarkup::FindNextTag(std::u16string(32765, u'a') + u"<b>", isScreenFont).Kind,
              HtmlTag::None);
}

TEST(HtmlMarkupTest, StripMarkupRemovesTagsThenReplacesEntities) {
    EXPECT_EQ(HtmlMarkup::StripMarkup(u"<b>x</b> and <b>y</b>"), u"x and y");
    EXPECT_EQ(HtmlMarkup::StripMarkup(u"a<x>b<x>c<y>d"), u"abcd");
    EXPECT_EQ(HtmlMarkup::StripMarkup(u"a<<b>c"), u"ac");
    // A ">" before the first "<" stops the removal; so does a "<" with no ">".
    EXPECT_EQ(HtmlMarkup::StripMarkup(u"a>b<c>d"), u"a>b<c>d");
    EXPECT_EQ(HtmlMarkup::StripMarkup(u"a<b"), u"a<b");

    // Entities are replaced one kind after another, in a fixed order.
    EXPECT_EQ(HtmlMarkup::StripMarkup(u"&amp;lt;"), u"<");
    EXPECT_EQ(HtmlMarkup::StripMarkup(u"&amp;nbsp;"), u"&nbsp;");
    EXPECT_EQ(HtmlMarkup::StripMarkup(u"&quot;hi&quot;"), u"'hi'");
    EXPECT_EQ(HtmlMarkup::StripMarkup(u"&#65; a%20b &gt;"), u"#65; a b >");
    EXPECT_EQ(HtmlMarkup::StripMarkup(u"&lt;b&gt;x"), u"<b>x");  // not removed as a tag

    // Trimmed first, then leading line breaks dropped.
    EXPECT_EQ(HtmlMarkup::StripMarkup(u"&nbsp; a b <i> "), u"a b");
    EXPECT_EQ(HtmlMarkup::StripMarkup(u" \r\n\r\nab"), u"ab");
    EXPECT_EQ(HtmlMarkup::StripMarkup(u"\r\n x"), u" x");
}

TEST(HtmlMarkupTest, SplitRunAtWidthCutsAtTheLastFittingSpace) {
    struct Case {
        const char16_t* text;
        int width;
        const char16_t *head, *tail;
        bool lineFeed;
    };
    const std::vector<Case> cases = {
        {u"aaaa bbbb cccc", 95, u"aaaa bbbb", u"cccc", false},
        {u"aaaa bbbb cccc", 40, u"aaaa", u"bbbb cccc", false},  // exactly fits
        {u"aa  bb", 25, u"aa", u"bb", false},
        // Not even the first word fits: it is the head, and the line must feed.
        {u"aaaa bbbb  cccc", 39, u"aaaa", u"bbbb  cccc", true},
        {u"aaaaaaa", 30, u"", u"", true},
    };
    for (const Case& c : cases) {
        const auto split = HtmlMarkup::SplitRunAtWidth(c.text, c.width, plainWidth);
        EXPECT_EQ(split.head, c.head) << c.width;
        EXPECT_EQ(split.tail, c.tail) << c.width;
        EXPECT_EQ(split.lineFeed, c.lineFeed) << c.width;
    }
    // Without the monotone promise every word end is tried, even past one that overflowed.
    auto shrinking = [](std::u16string_view t) { return t.size() == 4 ? 60 : plainWidth(t) - 50; };
    const auto split = HtmlMarkup::SplitRunAtWidth(u"aaaa bbbb cccc", 50, shrinking, false);
    EXPECT_EQ(split.head, u"aaaa bbbb");
    EXPECT_EQ(split.tail, u"cccc");
    EXPECT_FALSE(split.lineFeed);
}

TEST(HtmlMarkupTest, WrapRunsBreaksLinesAtSpaces) {
    struct Case {
        const char16_t* markup;
        int width;
        Texts lines;  // every run starts a line
    };
    const std::vector<Case> cases = {
        {u"xxxx xxxx xxxx", 95, {u"xxxx xxxx", u"xxxx"}},
        {u"xxxx xxxx xxxx", 140, {u"xxxx xxxx xxxx"}},  // exactly fits
        // A word wider than the line stays whole on a line of its own.
        {u"aaaa bbbbbbbbbbbb", 95, {u"aaaa", u"bbbbbbbbbbbb"}},
        {u"aaaa <b>bbbbbbbbbbbb</b> cc", 95, {u"aaaa ", u"bbbbbbbbbbbb", u" cc"}},
        // When the first word does not fit in the rest of the line, the run moves down whole.
        {u"aaaaaa <i>bbbb cc", 95, {u"aaaaaa ", u"bbbb cc"}},
        {u"<b>aaaaaaa</b> bbbb", 100, {u"aaaaaaa", u" bbbb"}},  // a blank head: the same
    };
    for (const Case& c : cases) {
        auto runs = parse(c.markup);
        HtmlMarkup::WrapRuns(runs, c.width, measure);
        EXPECT_EQ(texts(runs), c.lines) << c.width;
        EXPECT_EQ(flags(runs, &HtmlRun::LineBreak), Flags(c.lines.size(), true)) << c.width;
    }
}

TEST(HtmlMarkupTest, WrapRunsSplitsRunsMeasuredInTheirOwnFont) {
    // Bold is 12 px a character: "cccc dddd" (108 px) no longer fits in 100 px.
    auto runs = parse(u"aa <b><forecolor=FF>bbbb cccc dddd");
    HtmlMarkup::WrapRuns(runs, 100, measure);
    EXPECT_EQ(texts(runs), (Texts{u"aa ", u"bbbb", u"cccc", u"dddd"}));
    EXPECT_EQ(flags(runs, &HtmlRun::LineBreak), (Flags{true, false, true, true}));
    for (std::size_t i = 1; i < runs.size(); ++i) {
        EXPECT_TRUE(runs[i].Bold) << i;
        EXPECT_EQ(runs[i].ForeColor, 255) << i;
        EXPECT_EQ(runs[i].FontName, u"Base Face") << i;
    }

    // A run far longer than a line gives the same lines whether or not measuring stops early.
    std::u16string words = u"xxxx";
    for (int i = 1; i < 120; ++i)
        words += u" xxxx";
    for (bool monotone : {true, false}) {
        runs = parse(words);
        HtmlMarkup::WrapRuns(runs, 95, measure, monotone);
        ASSERT_EQ(runs.size(), 60u) << monotone;
        for (const HtmlRun& r : runs) {
            EXPECT_EQ(r.Text, u"xxxx xxxx");
            EXPECT_TRUE(r.LineBreak);
        }
    }
}

TEST(HtmlMarkupTest, LongAndMalformedCaptionsParse) {
    // 20,400 characters with a tag every word: every tag cuts a run, and no text is lost.
    std::u16string caption, shown;
    const int units = 1200;
    for (int i = 0; i < units; ++i) {
        caption += u"word <b>bold</b> ";
        shown += u"word bold ";
    }
    caption += u"end";
    shown += u"end";
    const auto runs = parse(caption);
    ASSERT_EQ(runs.size(), 2u * units + 1);
    std::u16string joined;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        joined += runs[i].Text;
        EXPECT_EQ(runs[i].Bold, i % 2 == 1) << i;
    }
    EXPECT_EQ(joined, shown);
    EXPECT_EQ(joined.size() + 7u * units, caption.size());  // 7 = "<b>" + "</b>"

    // Many "<" without ">", and many before one far ">": no tag, one run, the text kept.
    const std::u16string opens(20000, u'<');
    EXPECT_EQ(texts(parse(opens)), (Texts{opens}));
    EXPECT_EQ(HtmlMarkup::StripMarkup(opens), opens);
    const std::u16string far = opens + u">x";
    EXPECT_EQ(texts(parse(far)), (Texts{far}));
    EXPECT_EQ(HtmlMarkup::StripMarkup(far), u"x");

    // Only the last "<" of many opens a known tag.
    std::u16string pairs;
    for (int i = 0; i < 5000; ++i)
        pairs += u"<b";
    const auto tail = parse(pairs + u">x");
    ASSERT_EQ(texts(tail), (Texts{pairs.substr(0, pairs.size() - 2), u"x"}));
    EXPECT_TRUE(tail[1].Bold);
}
