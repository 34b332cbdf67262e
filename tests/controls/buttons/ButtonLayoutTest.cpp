// The button's geometry with a fake measure (8 px a character, 12 px a line; wrapped text
// breaks at the width given), so every rectangle and autosized size is exact.
#include "controls/buttons/ButtonLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace orvane;
using namespace orvane::platform;

namespace {

constexpr int kCaptionChars = 20;

struct FakeMeasure {
    std::vector<int> widths;  // every width asked for
    SIZE operator()(UINT flags, int width) {
        widths.push_back(width);
        if (!(flags & DT_WORDBREAK) || width <= 0) return SIZE{kCaptionChars * 8, 12};
        const int perLine = std::max(1, width / 8);
        return SIZE{std::min(width, kCaptionChars * 8),
                    12 * ((kCaptionChars + perLine - 1) / perLine)};
    }
};

ButtonLayout compute(const ButtonLayout::Input& in, FakeMeasure& m) {
    return ButtonLayout::compute(in, [&m](UINT f, int w) { return m(f, w); });
}

ButtonLayout::Input base() {
    ButtonLayout::Input in;
    in.width = 200;
    in.height = 40;
    in.border = 2;
    return in;
}

}  // namespace

TEST(ButtonLayoutTest, CaptionAndSideImageFollowAlignmentAndStyle) {
    ButtonLayout::Input in = base();
    in.hasImage = in.imageShown = true;
    in.aspect = 1.5;
    in.imageHeight = 17;  // 25.5 wide: rounds to the even 26
    FakeMeasure m;
    const ButtonLayout left = compute(in, m);
    EXPECT_EQ(left.imageRect.left, 4);  // the standard face's margin
    EXPECT_EQ(left.imageRect.top, (40 - 17) / 2);
    EXPECT_EQ(left.imageRect.right - left.imageRect.left, 26);
    EXPECT_EQ(left.textRect.left, 6 + 26);
    EXPECT_EQ(left.textRect.top, 4);
    EXPECT_EQ(left.textRect.right, 200);
    EXPECT_EQ(left.textFlags, 0x40024u);  // single line, centred vertically, word ellipsis
    EXPECT_TRUE(m.widths.empty());        // nothing to measure
    EXPECT_FALSE(left.autosize);

    in.alignment = 1;
    in.style = 1;  // the border's margin instead of 4
    const ButtonLayout right = compute(in, m);
    EXPECT_EQ(right.imageRect.left, 200 - 26 - (2 + 2));
    EXPECT_EQ(right.textRect.left, 4);
    EXPECT_EQ(right.textRect.right, 200 - 6 - 26);
    EXPECT_EQ(right.textFlags & DT_RIGHT, static_cast<UINT>(DT_RIGHT));

    // The picture styles use the pads and draw no side image.
    in.style = 3;
    in.padLeft = 5;
    in.padTop = 6;
    in.padRight = 7;
    in.padBottom = 8;
    const ButtonLayout picture = compute(in, m);
    EXPECT_EQ(picture.textRect.left, 5);
    EXPECT_EQ(picture.textRect.top, 6);
    EXPECT_EQ(picture.textRect.right, 193);
    EXPECT_EQ(picture.textRect.bottom, 32);
    EXPECT_EQ(picture.imageRect.right, picture.imageRect.left);
}

TEST(ButtonLayoutTest, AutosizeInItsFourCases) {
    ButtonLayout::Input in = base();
    in.autosize = true;
    in.hasImage = true;
    in.imageShown = true;
    in.aspect = 2.0;
    in.imageHeight = 16;  // 32 wide

    // One line beside the image: borders, 12, the text and the image; the image sets the height.
    FakeMeasure m;
    ButtonLayout out = compute(in, m);
    ASSERT_TRUE(out.autosize);
    EXPECT_EQ(out.autosize->cx, 2 * 2 + 12 + 160 + 32);
    EXPECT_EQ(out.autosize->cy, 2 * 2 + (16 + 4) + 4);
    EXPECT_EQ(m.widths.front(), 200 - 4 - (32 + 4));  // measured beside the image

    // An image that is loaded but hidden still counts for the height, not the width.
    in.imageShown = false;
    out = compute(in, m);
    EXPECT_EQ(out.autosize->cx, 2 * 2 + 12 + 160);
    EXPECT_EQ(out.autosize->cy, 2 * 2 + 20 + 4);

    // One line, graphical: the pads around the text.
    in.style = 3;
    in.padLeft = 1;
    in.padTop = 2;
    in.padRight = 3;
    in.padBottom = 4;
    out = compute(in, m);
    EXPECT_EQ(out.autosize->cx, 160 + 2 + 1 + 3);
    EXPECT_EQ(out.autosize->cy, 2 + 12 + 4);

    // Wrapped, graphical: the width stays, the height follows the lines at the width less the
    // pads.
    in.wordWrap = true;
    in.width = 44;  // 44 - 1 - 3 = 40 px: 5 characters a line, 4 lines
    out = compute(in, m);
    EXPECT_EQ(out.autosize->cx, 44);
    EXPECT_EQ(out.autosize->cy, 2 + 4 * 12 + 4);

    // Wrapped, face styles: the height of the lines, the borders, 4 and 8 more.
    in.style = 2;
    in.width = 84;  // 84 - 4 = 80 px: 10 characters a line, 2 lines
    out = compute(in, m);
    EXPECT_EQ(out.autosize->cx, 84);
    EXPECT_EQ(out.autosize->cy, 2 * 2 + std::max(24, 20) + 4 + 8);
}

TEST(ButtonLayoutTest, AWrappedCaptionIsCentredAsABlock) {
    ButtonLayout::Input in = base();
    in.wordWrap = true;
    in.width = 86;  // the caption's rectangle is 6..86: 80 px, 10 characters, two lines
    in.height = 60;
    in.rightToLeft = true;
    FakeMeasure m;
    const ButtonLayout out = compute(in, m);
    EXPECT_EQ(out.textFlags, 0xA010u | DT_RTLREADING);
    EXPECT_EQ(m.widths.back(), 80);
    // Lines from 4 to 28 in a rectangle from 4 to 60: moved down by half the room left.
    EXPECT_EQ(out.textRect.top, 4 + (60 - (4 + 24)) / 2);
    EXPECT_EQ(out.textRect.bottom, 60);
}
