// PNG images of 16 bits a channel come back as the pixels that went in (the seed images cover
// the 8-bit kinds); damaged data is refused with a reason.
#include <gtest/gtest.h>

#include <png.h>

#include <cstring>
#include <vector>

#include "platform/imaging/PngReader.h"

using namespace orvane::platform;

namespace {

// Encodes pixels given in `format` as PNG.
std::vector<std::uint8_t> encode(const void* pixels, int w, int h, png_uint_32 format) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = format;
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels, 0, nullptr));
    std::vector<std::uint8_t> out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, nullptr));
    out.resize(size);
    return out;
}

DecodedImage decode(const std::vector<std::uint8_t>& png) {
    std::string error;
    auto image = PngReader::read(png.data(), png.size(), error);
    EXPECT_TRUE(image) << error;
    return image ? *image : DecodedImage{};
}

}  // namespace

TEST(PngReaderTest, SixteenBitChannelsKeepFullAndZero) {
    // Linear light: full and zero stay full and zero.
    const std::uint16_t deep[] = {65535, 0, 0, 65535, 0, 65535, 0, 65535};
    const DecodedImage img = decode(encode(deep, 2, 1, PNG_FORMAT_LINEAR_RGB_ALPHA));
    EXPECT_EQ(img.pixels, (std::vector<std::uint32_t>{0xFFFF0000u, 0xFF00FF00u}));
}

TEST(PngReaderTest, DamagedDataIsRefusedWithAReason) {
    const std::uint8_t rgba[16] = {};
    std::vector<std::uint8_t> png = encode(rgba, 2, 2, PNG_FORMAT_RGBA);
    std::string error;
    EXPECT_FALSE(PngReader::read(png.data(), png.size() / 2, error));  // cut short
    EXPECT_FALSE(error.empty());
    const std::uint8_t junk[] = {'B', 'M', 0, 0};
    error.clear();
    EXPECT_FALSE(PngReader::read(junk, sizeof junk, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(PngReader::read(nullptr, 0, error));
}
