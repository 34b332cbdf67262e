// The edit control's text: paragraphs split at any line break and read back with "\r\n",
// offsets across breaks, replacements spanning paragraphs, and single-line text kept whole.
#include <gtest/gtest.h>

#include "platform/user/EditText.h"

using orvane::platform::EditText;

TEST(EditText, ParagraphsSplitAtAnyBreakAndCountBreaksAsTwoUnits) {
    EditText t(true);
    t.assign(u"one\r\ntwo\nthree\rfour");
    EXPECT_EQ(t.paragraphCount(), 4u);
    EXPECT_EQ(t.text(), u"one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(t.length(), 21u);
    EXPECT_EQ(t.paragraphStart(1), 5u);
    EXPECT_EQ(t.paragraphStart(3), 17u);
    EXPECT_EQ(t.locate(7), (std::pair<std::size_t, std::size_t>{1, 2}));
    // Inside a break, or past the end, an offset goes back to its paragraph's end.
    EXPECT_EQ(t.locate(4), (std::pair<std::size_t, std::size_t>{0, 3}));
    EXPECT_EQ(t.snap(4), 3u);
    EXPECT_EQ(t.snap(99), 21u);
    EXPECT_EQ(t.substring(2, 12), u"e\r\ntwo\r\nth");
    // A text ending in a break has an empty last paragraph.
    t.assign(u"x\r\n");
    EXPECT_EQ(t.paragraphCount(), 2u);
    EXPECT_EQ(t.length(), 3u);
}

TEST(EditText, ReplacementsJoinAndSplitParagraphs) {
    EditText t(true);
    t.assign(u"alpha\r\nbeta\r\ngamma");
    // Across a break: two paragraphs become one.
    auto c = t.replace(3, 9, u"");
    EXPECT_EQ(t.text(), u"alpta\r\ngamma");
    EXPECT_EQ(c.first, 0u);
    EXPECT_EQ(c.removed, 2u);
    EXPECT_EQ(c.inserted, 1u);
    // Typing a break splits one.
    c = t.replace(2, 2, u"\r\n");
    EXPECT_EQ(t.text(), u"al\r\npta\r\ngamma");
    EXPECT_EQ(c.inserted, 2u);
    // Reversed ends are ordered; offsets after the change follow it.
    t.replace(t.length(), t.length() - 5, u"G");
    EXPECT_EQ(t.text(), u"al\r\npta\r\nG");
    EXPECT_EQ(t.paragraphStart(2), 9u);
    // Typing at the end changes only the last paragraph.
    c = t.replace(t.length(), t.length(), u"!");
    EXPECT_EQ(c.first, 2u);
    EXPECT_EQ(c.removed, 1u);
    EXPECT_EQ(t.length(), 11u);
}

TEST(EditText, SingleLineTextKeepsItsBreaksAsCharacters) {
    EditText t(false);
    t.assign(u"a\r\nb");
    EXPECT_EQ(t.paragraphCount(), 1u);
    EXPECT_EQ(t.length(), 4u);
    EXPECT_EQ(t.text(), u"a\r\nb");
    // Lone surrogates are kept as they are.
    t.replace(1, 3, std::u16string(1, u'\xD800'));
    EXPECT_EQ(t.text(), (std::u16string{u'a', u'\xD800', u'b'}));
}
