// JPEG images of several kinds come back close to the pixels that went in (the format loses a
// little), CMYK as Adobe stores it, turned upright by their EXIF orientation.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "platform/imaging/JpegEncoder.h"
#include "platform/imaging/JpegReader.h"

using namespace orvane::platform;
using orvane::platform::test::encodeJpeg;

namespace {

DecodedImage decode(const std::vector<std::uint8_t>& jpeg) {
    std::string error;
    auto image = JpegReader::read(jpeg.data(), jpeg.size(), error);
    EXPECT_TRUE(image) << error;
    return image ? *image : DecodedImage{};
}

// Each channel within `tolerance` of the expected 0xRRGGBB, and opaque.
void near(std::uint32_t actual, std::uint32_t expected, int tolerance = 8) {
    EXPECT_EQ(actual >> 24, 0xFFu);
    for (int s = 0; s < 24; s += 8)
        EXPECT_NEAR(static_cast<int>((actual >> s) & 0xFF),
                    static_cast<int>((expected >> s) & 0xFF), tolerance)
            << std::hex << actual << " vs " << expected;
}

// Solid 8 × 8 blocks side by side keep their colours well under compression.
std::vector<std::uint8_t> blocks(const std::vector<std::vector<std::uint8_t>>& colours) {
    std::vector<std::uint8_t> p;
    for (int y = 0; y < 8; ++y)
        for (const auto& c : colours)
            for (int x = 0; x < 8; ++x)
                p.insert(p.end(), c.begin(), c.end());
    return p;
}

}  // namespace

TEST(JpegReaderTest, ColourGreyProgressiveAndCmykImages) {
    const auto rgb = blocks({{255, 0, 0}, {0, 0, 255}});
    DecodedImage img = decode(encodeJpeg(rgb, 16, 8, 3, JCS_RGB));
    ASSERT_EQ(img.width, 16);
    near(img.pixels[0], 0xFF0000);
    near(img.pixels[15], 0x0000FF);
    img = decode(encodeJpeg(rgb, 16, 8, 3, JCS_RGB, true));  // progressive
    near(img.pixels[7 * 16], 0xFF0000);
    near(img.pixels[12], 0x0000FF);
    img = decode(encodeJpeg(blocks({{40}, {200}}), 16, 8, 1, JCS_GRAYSCALE));
    near(img.pixels[0], 0x282828, 2);
    near(img.pixels[15], 0xC8C8C8, 2);
    // CMYK stored inverted, as Adobe writes it: red is no cyan, full magenta and yellow.
    img = decode(encodeJpeg(blocks({{255, 0, 0, 255}, {255, 255, 255, 255}}), 16, 8, 4, JCS_CMYK));
    near(img.pixels[0], 0xFF0000);
    near(img.pixels[15], 0xFFFFFF);
}

TEST(JpegReaderTest, ExifOrientationTurnsTheImageUpright) {
    auto jpeg = encodeJpeg(blocks({{255, 0, 0}, {0, 0, 255}}), 16, 8, 3, JCS_RGB);
    // An APP1 Exif segment after the start marker: big-endian, one entry, orientation 6
    // (the camera was turned: show the image turned a quarter clockwise).
    const std::vector<std::uint8_t> exif = {
        0xFF, 0xE1, 0,    34,   'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8,
        0,    1,    0x01, 0x12, 0,   3,   0,   0,   0, 1, 0,   6,   0, 0,  0, 0, 0, 0};
    jpeg.insert(jpeg.begin() + 2, exif.begin(), exif.end());
    EXPECT_EQ(JpegReader::orientation(jpeg.data(), jpeg.size()), 6);
    const DecodedImage img = decode(jpeg);
    ASSERT_EQ(img.width, 8);
    ASSERT_EQ(img.height, 16);
    near(img.pixels[0], 0xFF0000);  // the left (red) half is now on top
    near(img.pixels[static_cast<std::size_t>(15) * 8], 0x0000FF);

    std::string error;
    EXPECT_FALSE(JpegReader::read(jpeg.data(), jpeg.size() / 3, error));  // cut short
    EXPECT_FALSE(error.empty());
    const std::uint8_t junk[] = {0xFF, 0xD8, 0xFF, 0x00, 1, 2, 3};
    EXPECT_FALSE(JpegReader::read(junk, sizeof junk, error));
}

TEST(JpegReaderTest, ExifDirectoryFarOutsideTheSegmentIsIgnored) {
    // Found by fuzzing: a first-directory offset near 2^32 wrapped round when 2 was added, and
    // the entry count was read from four gigabytes past the segment.
    auto jpeg = encodeJpeg(blocks({{255, 0, 0}, {0, 0, 255}}), 16, 8, 3, JCS_RGB);
    for (const std::uint8_t last : {0xFE, 0xFF}) {
        std::vector<std::uint8_t> file = jpeg;
        const std::vector<std::uint8_t> exif = {0xFF, 0xE1, 0,    34,   'E', 'x',  'i',  'f',  0,
                                                0,    'I',  'I',  42,   0,   last, 0xFF, 0xFF, 0xFF,
                                                1,    0,    0x12, 0x01, 3,   0,    1,    0,    0,
                                                0,    6,    0,    0,    0,   0,    0,    0,    0};
        file.insert(file.begin() + 2, exif.begin(), exif.end());
        EXPECT_EQ(JpegReader::orientation(file.data(), file.size()), 1);
        const DecodedImage img = decode(file);
        EXPECT_EQ(img.width, 16);  // not turned
        EXPECT_EQ(img.height, 8);
    }
}
