// Pictures built byte by byte where the seed images (SeedImagesTest) have no such layout:
// icons of bitmaps and PNGs through the decoder, a bitmap whose alpha is all zero, run-length
// bitmaps with deltas, icon masks and the icon size choice.
#include <gtest/gtest.h>

#include <png.h>

#include <vector>

#include "platform/imaging/BmpReader.h"
#include "platform/imaging/IcoReader.h"
#include "platform/imaging/ImageDecoder.h"

using namespace orvane::platform;

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kW = 16, kH = 16;

// Four 8 × 8 blocks; with alpha the last block is half transparent and one pixel invisible.
std::vector<std::uint32_t> samplePixels(bool alpha) {
    std::vector<std::uint32_t> px(kW * kH);
    const std::uint32_t blocks[4] = {0xFFCC2020, 0xFF20A040, 0xFF2040C0, 0xFFF0F0E0};
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            px[y * kW + x] = blocks[(y / 8) * 2 + x / 8];
    if (alpha) {
        for (int y = 8; y < kH; ++y)
            for (int x = 8; x < kW; ++x)
                px[y * kW + x] = 0x80F0F0E0;
        px[0] = 0;
    }
    return px;
}

void put16(Bytes& b, int v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(Bytes& b, std::uint32_t v) {
    put16(b, static_cast<int>(v & 0xFFFF));
    put16(b, static_cast<int>(v >> 16));
}

// A device-independent bitmap: header of `headerSize` bytes, bottom-up rows.
Bytes dib(const std::vector<std::uint32_t>& px, int bits, std::uint32_t compression, int headerSize,
          int heightFactor = 1) {
    Bytes b;
    put32(b, static_cast<std::uint32_t>(headerSize));
    put32(b, kW);
    put32(b, static_cast<std::uint32_t>(kH * heightFactor));
    put16(b, 1);
    put16(b, bits);
    put32(b, compression);
    for (int i = 0; i < 5; ++i)
        put32(b, 0);
    if (headerSize >= 108) {
        put32(b, 0x00FF0000), put32(b, 0x0000FF00), put32(b, 0x000000FF), put32(b, 0xFF000000);
        b.resize(static_cast<std::size_t>(headerSize), 0);
    }
    for (int y = kH - 1; y >= 0; --y) {
        const std::size_t rowStart = b.size();
        for (int x = 0; x < kW; ++x) {
            const std::uint32_t p = px[y * kW + x];
            b.push_back(p & 0xFF), b.push_back((p >> 8) & 0xFF), b.push_back((p >> 16) & 0xFF);
            if (bits == 32) b.push_back(p >> 24);
        }
        while ((b.size() - rowStart) % 4)
            b.push_back(0);
    }
    return b;
}

Bytes bmpFile(const Bytes& dibBytes, std::size_t tableAndMasks) {
    Bytes b{'B', 'M'};
    put32(b, static_cast<std::uint32_t>(14 + dibBytes.size()));
    put32(b, 0);
    const std::uint32_t headerSize = dibBytes[0] | dibBytes[1] << 8;
    put32(b, static_cast<std::uint32_t>(14 + headerSize + tableAndMasks));
    b.insert(b.end(), dibBytes.begin(), dibBytes.end());
    return b;
}

Bytes pngFile(const std::vector<std::uint32_t>& px) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kW;
    image.height = kH;
    image.format = PNG_FORMAT_BGRA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, px.data(), 0, nullptr);
    Bytes out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, px.data(), 0, nullptr));
    out.resize(size);
    return out;
}

// An icon file whose images are given as stored payloads with their directory sizes.
Bytes iconFile(const std::vector<std::pair<int, Bytes>>& images) {
    Bytes b;
    put16(b, 0), put16(b, 1), put16(b, static_cast<int>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const auto& [side, payload] : images) {
        b.push_back(static_cast<std::uint8_t>(side)), b.push_back(static_cast<std::uint8_t>(side));
        b.push_back(0), b.push_back(0);
        put16(b, 1), put16(b, 32);  // planes and bits
        put32(b, static_cast<std::uint32_t>(payload.size()));
        put32(b, offset);
        offset += static_cast<std::uint32_t>(payload.size());
    }
    for (const auto& image : images)
        b.insert(b.end(), image.second.begin(), image.second.end());
    return b;
}

// A 32-bit icon bitmap with its (empty) AND mask.
Bytes iconDib(const std::vector<std::uint32_t>& px) {
    Bytes b = dib(px, 32, 0, 40, 2);
    b.resize(b.size() + static_cast<std::size_t>(kH) * 4, 0);
    return b;
}

DecodedImage decodeOne(const Bytes& bytes) {
    std::string why;
    auto image = ImageDecoder::decode(bytes.data(), bytes.size(), why);
    EXPECT_TRUE(image) << why;
    return image ? image->frames.front() : DecodedImage{};
}

}  // namespace

TEST(ImageFormats, IconsOfBitmapsAndPngsDecodeToTheirPixels) {
    const auto alpha = samplePixels(true);
    EXPECT_EQ(decodeOne(iconFile({{16, iconDib(alpha)}})).pixels, alpha);
    EXPECT_EQ(decodeOne(iconFile({{16, pngFile(alpha)}})).pixels, alpha);
}

TEST(ImageFormats, BitmapAlphaChannelThatIsAllZeroMeansOpaque) {
    auto px = samplePixels(false);
    for (auto& p : px)
        p &= 0x00FFFFFF;
    const DecodedImage image = decodeOne(bmpFile(dib(px, 32, 3, 108), 0));
    EXPECT_EQ(image.pixels[0], 0xFFCC2020u);
}

TEST(ImageFormats, RunLengthBitmapsWithDeltasLeaveSkippedPixelsTransparent) {
    // 4 × 2, 8 bits: bottom row "run of 3 × index 1, end of line"; top row "delta 1 right,
    // literal run of 3 (indices 2, 1, 2) padded to a word, end of bitmap".
    Bytes b;
    put32(b, 40), put32(b, 4), put32(b, 2), put16(b, 1), put16(b, 8), put32(b, 1);
    put32(b, 0), put32(b, 0), put32(b, 0), put32(b, 3), put32(b, 0);
    put32(b, 0x000000), put32(b, 0xFF0000), put32(b, 0x00FF00);  // black, red, green
    const Bytes rle = {3, 1, 0, 0, 0, 2, 1, 0, 0, 3, 2, 1, 2, 0, 0, 1};
    b.insert(b.end(), rle.begin(), rle.end());
    std::string why;
    auto image = BmpReader::read(bmpFile(b, 12).data(), bmpFile(b, 12).size(), why);
    ASSERT_TRUE(image) << why;
    const std::vector<std::uint32_t> expected = {0,          0xFF00FF00, 0xFFFF0000, 0xFF00FF00,
                                                 0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0};
    EXPECT_EQ(image->pixels, expected);

    // The four-bit form alternates the two indices of a run.
    Bytes b4;
    put32(b4, 40), put32(b4, 4), put32(b4, 1), put16(b4, 1), put16(b4, 4), put32(b4, 2);
    put32(b4, 0), put32(b4, 0), put32(b4, 0), put32(b4, 3), put32(b4, 0);
    put32(b4, 0x000000), put32(b4, 0xFF0000), put32(b4, 0x00FF00);
    const Bytes rle4 = {4, 0x12, 0, 1};
    b4.insert(b4.end(), rle4.begin(), rle4.end());
    const Bytes file4 = bmpFile(b4, 12);
    image = BmpReader::read(file4.data(), file4.size(), why);
    ASSERT_TRUE(image) << why;
    EXPECT_EQ(image->pixels,
              (std::vector<std::uint32_t>{0xFFFF0000, 0xFF00FF00, 0xFFFF0000, 0xFF00FF00}));
}

TEST(ImageFormats, IconMaskMakesPalettedPixelsTransparent) {
    // A 24-bit icon image whose AND mask has the first pixel of the top row set.
    Bytes b = dib(samplePixels(false), 24, 0, 40, 2);
    Bytes mask(static_cast<std::size_t>(kH) * 4, 0);
    mask[(kH - 1) * 4] = 0x80;  // rows are bottom-up
    b.insert(b.end(), mask.begin(), mask.end());
    std::string why;
    auto image = IcoReader::readImage(b.data(), b.size(), why);
    ASSERT_TRUE(image) << why;
    EXPECT_EQ(image->pixels[0], 0u);
    EXPECT_EQ(image->pixels[1], 0xFFCC2020u);
}

TEST(ImageFormats, IconSizeChoice) {
    std::vector<IcoReader::Entry> entries(4);
    entries[0].width = entries[0].height = 16, entries[0].bitCount = 32;
    entries[1].width = entries[1].height = 32, entries[1].bitCount = 8;
    entries[2].width = entries[2].height = 32, entries[2].bitCount = 32;
    entries[3].width = entries[3].height = 48, entries[3].bitCount = 32;
    EXPECT_EQ(IcoReader::choose(entries, 32, 32), 2u);  // exact, deepest colours
    EXPECT_EQ(IcoReader::choose(entries, 20, 20), 2u);  // nearest larger
    EXPECT_EQ(IcoReader::choose(entries, 64, 64), 3u);  // nothing larger: the largest
    EXPECT_EQ(IcoReader::choose(entries, 0, 0), 3u);
    EXPECT_EQ(IcoReader::choose(entries, 16, 16), 0u);
}
