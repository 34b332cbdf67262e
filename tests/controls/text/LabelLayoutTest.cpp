// The label's geometry with a fake measure (8 px a character, 12 px a line; wrapped text breaks
// at the width given), so every rectangle and autosized size is exact.
#include "controls/text/LabelLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace orvane;
using namespace orvane::platform;

namespace {

constexpr int kCaptionChars = 20;

// One line of 20 characters, or as many 12 px lines as the width needs when wrapped.
SIZE fake(UINT flags, int width) {
    if (!(flags & DT_WORDBREAK) || width <= 0) return SIZE{kCaptionChars * 8, 12};
    const int perLine = std::max(1, width / 8);
    return SIZE{std::min(width, kCaptionChars * 8), 12 * ((kCaptionChars + perLine - 1) / perLine)};
}

LabelLayout::Input base() {
    LabelLayout::Input in;
    in.width = 200;
    in.height = 40;
    in.border = 1;
    return in;
}

}  // namespace

TEST(LabelLayoutTest, CaptionAndImageFollowTheAlignment) {
    LabelLayout::Input in = base();
    in.imageShown = true;
    in.aspect = 2.0;
    in.imageHeight = 16;  // 32 wide
    LabelLayout left = LabelLayout::compute(in, fake);
    EXPECT_EQ(left.imageRect.left, 3);
    EXPECT_EQ(left.imageRect.top, 12);
    EXPECT_EQ(left.imageRect.right - left.imageRect.left, 32);
    EXPECT_EQ(left.textRect.left, 3 + 34);
    EXPECT_EQ(left.textRect.right, 197);
    EXPECT_EQ(left.textFlags & (DT_RIGHT | DT_CENTER), 0u);
    EXPECT_NE(left.textFlags & DT_SINGLELINE, 0u);
    EXPECT_FALSE(left.autosize);

    in.alignment = 1;
    LabelLayout right = LabelLayout::compute(in, fake);
    EXPECT_EQ(right.imageRect.left, 200 - 32 - 3);
    EXPECT_EQ(right.textRect.left, 3);
    EXPECT_EQ(right.textRect.right, 200 - 3 - 34);
    EXPECT_NE(right.textFlags & DT_RIGHT, 0u);

    in.alignment = 2;
    in.imageShown = false;
    in.wordWrap = true;
    in.rightToLeft = true;
    LabelLayout centred = LabelLayout::compute(in, fake);
    EXPECT_EQ(centred.textRect.left, 3);
    // One 12 px line (194 px hold 24 characters) centred in the 34 px between the margins.
    EXPECT_EQ(centred.textRect.top, 3 + (34 - 12) / 2);
    EXPECT_EQ(centred.textRect.bottom, 37);
    EXPECT_NE(centred.textFlags & DT_CENTER, 0u);
    EXPECT_NE(centred.textFlags & DT_WORDBREAK, 0u);
    EXPECT_NE(centred.textFlags & DT_RTLREADING, 0u);
    EXPECT_EQ(centred.imageRect.right, 0);
}

TEST(LabelLayoutTest, AutosizeFitsOneLineOrGrowsWrappedTextDownwards) {
    LabelLayout::Input in = base();
    in.autosize = true;
    LabelLayout line = LabelLayout::compute(in, fake);
    ASSERT_TRUE(line.autosize);
    EXPECT_EQ(line.autosize->cx, 160 + 2 + 6);
    EXPECT_EQ(line.autosize->cy, 12 + 4 + 2);
    EXPECT_EQ(line.textRect.right, 168 - 3);  // laid out at the new size

    // An image adds its width and 4, and its height and 4 when it is the taller.
    in.imageShown = true;
    in.imageHeight = 30;
    LabelLayout withImage = LabelLayout::compute(in, fake);
    EXPECT_EQ(withImage.autosize->cx, 160 + 34 + 2 + 6);
    EXPECT_EQ(withImage.autosize->cy, 34 + 4 + 2);

    // Wrapped: the width stays, the text wraps in the rectangle it is drawn in.
    in.imageShown = false;
    in.wordWrap = true;
    in.width = 64;  // 56 px inside the margins: 7 characters a line, 3 lines
    in.border = 2;
    LabelLayout wrapped = LabelLayout::compute(in, fake);
    EXPECT_EQ(wrapped.autosize->cx, 64);
    EXPECT_EQ(wrapped.autosize->cy, 36 + 4 + 4);
}
