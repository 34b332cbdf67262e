// One icon as a record of bytes: the mask rows as the format rounds them, the fields where they
// belong, icons and cursors back pixel for pixel, and damaged records refused before anything
// is made of them.
#include <cstring>
#include <vector>

#include "services/IconPixels.h"
#include "services/imagelist/IconRecord.h"
#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::iconPixels;
using orvane::test::patternIcon;
using orvane::test::patternPixel;
using orvane::test::patternPixels;

using IconRecordTest = orvane::test::PlatformTest;

std::uint32_t longAt(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

// A pattern pixel as an icon's colour bitmap gives it: straight alpha, after the premultiplied
// round the icon keeps it in.
std::uint32_t stored(std::uint32_t straight) {
    return PremultipliedAlpha::unpremultiply(PremultipliedAlpha::premultiply(straight));
}

std::uint16_t wordAt(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// The record of a pattern icon, written at `offset` of an array that already holds `before`.
std::vector<std::uint8_t> recordOf(int seed, int side, std::size_t offset = 0,
                                   std::size_t* length = nullptr) {
    std::vector<std::uint8_t> bytes(offset, 0xAB);
    const HICON icon = patternIcon(seed, side, side);
    std::size_t n = 0;
    EXPECT_TRUE(IconRecord::write(HDC(), icon, bytes, offset, n));
    DestroyIcon(icon);
    if (length) *length = n;
    return bytes;
}

}  // namespace

TEST(IconRecordLayout, MaskRowsRoundAsTheFormatSays) {
    // ((w + 7) / 8 rounded, halves to even, + 3) \ 4 * 4: wider than a row needs at 30 to 32.
    const std::pair<int, std::size_t> strides[] = {{1, 4},   {16, 4},  {29, 4},  {30, 8},
                                                   {32, 8},  {33, 8},  {61, 8},  {62, 12},
                                                   {64, 12}, {96, 16}, {128, 20}};
    for (const auto& [width, stride] : strides)
        EXPECT_EQ(IconRecord::maskStride(width), stride) << "width " << width;
    EXPECT_EQ(IconRecord::length(16, 16), 12u + 24 + 16 * 16 * 4 + 24 + 4 * 16);
    EXPECT_EQ(IconRecord::length(32, 20), 12u + 24 + 32 * 20 * 4 + 24 + 8 * 20);
}

TEST_F(IconRecordTest, FieldsLieWhereTheFormatPutsThem) {
    std::size_t length = 0;
    const std::vector<std::uint8_t> b = recordOf(3, 32, 0, &length);
    ASSERT_EQ(length, IconRecord::length(32, 32));
    ASSERT_EQ(b.size(), length);
    EXPECT_EQ(longAt(b, 0), 1u);  // an icon
    // The colour header: type, width, height, bytes a row, planes, bits, no pointer.
    EXPECT_EQ(longAt(b, 12), 0u);
    EXPECT_EQ(longAt(b, 16), 32u);
    EXPECT_EQ(longAt(b, 20), 32u);
    EXPECT_EQ(longAt(b, 24), 128u);
    EXPECT_EQ(wordAt(b, 28), 1u);
    EXPECT_EQ(wordAt(b, 30), 32u);
    EXPECT_EQ(longAt(b, 32), 0u);
    // Pixels bottom row first, with straight alpha: the first is the bottom-left pixel.
    EXPECT_EQ(longAt(b, 36), stored(patternPixel(3, 0, 31)));
    EXPECT_EQ(longAt(b, 36 + 31 * 128 + 4), stored(patternPixel(3, 1, 0)));
    // The mask header says 1 bit a pixel; its rows are 8 bytes here, the last 4 of them zero.
    const std::size_t mask = 36 + 32 * 32 * 4;
    EXPECT_EQ(longAt(b, mask + 4), 32u);
    EXPECT_EQ(wordAt(b, mask + 18), 1u);
    for (int y = 0; y < 32; ++y) {
        const std::size_t row = mask + 24 + static_cast<std::size_t>(y) * 8;
        EXPECT_EQ(longAt(b, row + 4), 0u) << "row " << y;
        // Bit 1 where the icon is clear (pattern alpha 0), most significant bit first.
        for (int x = 0; x < 32; ++x) {
            const bool clear = (patternPixel(3, x, 31 - y) >> 24) == 0;
            EXPECT_EQ((b[row + x / 8] >> (7 - x % 8)) & 1, clear ? 1 : 0) << x << "," << y;
        }
    }
}

TEST_F(IconRecordTest, IconsAndCursorsComeBackPixelForPixel) {
    for (int side : {16, 30, 32, 48}) {
        std::size_t length = 0;
        // Written after other bytes, which stay.
        const std::vector<std::uint8_t> b = recordOf(side, side, 7, &length);
        EXPECT_EQ(b[6], 0xAB);
        const auto layout = IconRecord::inspect(b, 7);
        ASSERT_TRUE(layout) << side;
        EXPECT_EQ(layout->length, length);
        EXPECT_EQ(layout->width, side);
        const HICON back = IconRecord::read(b, *layout);
        EXPECT_EQ(iconPixels(back), patternPixels(side, side, side)) << side;
        DestroyIcon(back);
    }
    // A cursor keeps its hot spot.
    const HICON cursor = patternIcon(1, 16, 16, false, 3, 5);
    std::vector<std::uint8_t> b;
    std::size_t length = 0;
    ASSERT_TRUE(IconRecord::write(HDC(), cursor, b, 0, length));
    DestroyIcon(cursor);
    const auto layout = IconRecord::inspect(b, 0);
    ASSERT_TRUE(layout);
    EXPECT_FALSE(layout->isIcon);
    const HICON back = IconRecord::read(b, *layout);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(back, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 3u);
    EXPECT_EQ(info.yHotspot, 5u);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(back);
}

TEST_F(IconRecordTest, DamagedRecordsAreRefused) {
    const std::vector<std::uint8_t> good = recordOf(2, 16);
    ASSERT_TRUE(IconRecord::inspect(good, 0));
    // Cut anywhere.
    for (std::size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(IconRecord::inspect(std::span(good).first(cut), 0)) << "cut at " << cut;
    EXPECT_FALSE(IconRecord::inspect(good, good.size() + 1));
    // Sizes of nothing, absurd sizes, and a mask that does not match the colour bitmap.
    const auto with = [&good](std::size_t at, std::uint32_t v) {
        std::vector<std::uint8_t> b = good;
        std::memcpy(b.data() + at, &v, 4);
        return b;
    };
    const std::size_t maskHeader = 36 + 16 * 16 * 4;
    for (const auto& bad :
         {with(16, 0), with(20, 0), with(16, 0xFFFFFFFF), with(20, 1025), with(16, 0x7FFFFFFF),
          with(maskHeader + 4, 15), with(maskHeader + 8, 32)})
        EXPECT_FALSE(IconRecord::inspect(bad, 0));
    // No icon comes of what is not one.
    std::vector<std::uint8_t> out;
    std::size_t length = 99;
    EXPECT_FALSE(IconRecord::write(HDC(), HICON(0x12345), out, 0, length));
    EXPECT_TRUE(out.empty());
}
