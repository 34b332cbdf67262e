// The fuzz targets' seed images (fuzz/corpus/, written by scripts/make-fuzz-seeds.py) read back
// as drawn: every layout of every format the readers take, pixel for pixel where the format is
// lossless. The writers draw one test picture, sample() below, so each pixel says what it must be.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/imaging/IcoReader.h"
#include "platform/imaging/ImageDecoder.h"

using namespace orvane::platform;
namespace fs = std::filesystem;

namespace {

const fs::path kCorpus = fs::path(ORVANE_SOURCE_DIR) / "fuzz" / "corpus";

std::vector<std::uint8_t> seed(const std::string& target, const std::string& name) {
    std::ifstream in(kCorpus / target / name, std::ios::binary);
    EXPECT_TRUE(in) << target << "/" << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The test picture: channel c of pixel (x, y).
std::uint32_t sample(int x, int y, int c) {
    const int v = (x * 37 + y * 23 + c * 85) & 0xFF;
    return static_cast<std::uint32_t>(((x + y) % 3 == 0) ? 255 - v : v);
}

std::uint32_t rgb(int x, int y, std::uint32_t alpha = 255) {
    return alpha << 24 | sample(x, y, 0) << 16 | sample(x, y, 1) << 8 | sample(x, y, 2);
}

// Entry i of the writers' colour tables.
std::uint32_t paletteColour(int i) {
    return 0xFF000000u | sample(i, 0, 0) << 16 | sample(i, 1, 1) << 8 | sample(i, 2, 2);
}

// What pixel (x, y) of a layout must be.
using Pixels = std::function<std::uint32_t(int, int)>;

const Pixels opaque = [](int x, int y) { return rgb(x, y); };
const Pixels straight = [](int x, int y) { return rgb(x, y, sample(x, y, 3)); };
const Pixels grey = [](int x, int y) { return 0xFF000000u | sample(x, y, 0) * 0x10101; };
const Pixels indexed = [](int x, int y) {
    return paletteColour(static_cast<int>(sample(x, y, 0)));
};
// Palette entries in turn: entry (x * perColumn + y * perRow) mod entries.
Pixels cycling(int perColumn, int perRow, int entries) {
    return [=](int x, int y) { return paletteColour((x * perColumn + y * perRow) % entries); };
}
// Alpha x * 50 over the picture.
const Pixels fading = [](int x, int y) { return rgb(x, y, static_cast<std::uint32_t>(x * 50)); };

void expectPixels(const DecodedImage& image, int width, int height, const Pixels& expected,
                  const std::string& what) {
    ASSERT_EQ(image.width, width) << what;
    ASSERT_EQ(image.height, height) << what;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(image.pixels[static_cast<std::size_t>(y) * width + x], expected(x, y))
                << what << " at " << x << "," << y;
}

// A seed read by the decoder, which must know it for the format of its fuzz target.
std::optional<AnimatedImage> read(const std::string& target, const std::string& name) {
    using F = ImageDecoder::Format;
    static const std::map<std::string, F> formats = {{"fuzz_png", F::Png},   {"fuzz_jpeg", F::Jpeg},
                                                     {"fuzz_gif", F::Gif},   {"fuzz_webp", F::Webp},
                                                     {"fuzz_tiff", F::Tiff}, {"fuzz_bmp", F::Bmp}};
    const auto bytes = seed(target, name);
    EXPECT_EQ(ImageDecoder::sniff(bytes.data(), bytes.size()), formats.at(target)) << name;
    std::string error;
    auto image = ImageDecoder::decode(bytes.data(), bytes.size(), error);
    EXPECT_TRUE(image && !image->frames.empty()) << target << "/" << name << ": " << error;
    return image;
}

}  // namespace

TEST(SeedImagesTest, EveryLosslessLayoutReadsBackAsDrawn) {
    struct Layout {
        const char* target;
        const char* name;
        int width, height;
        Pixels expected;
    };
    const std::vector<Layout> layouts = {
        {"fuzz_png", "rgb8.png", 3, 2, opaque},
        {"fuzz_png", "chunks-rgb8.png", 3, 2, opaque},
        {"fuzz_png", "rgba8.png", 3, 2, straight},
        {"fuzz_png", "interlaced-rgba8.png", 8, 8, straight},
        {"fuzz_png", "grey8.png", 3, 2, grey},
        {"fuzz_png", "grey-alpha8.png", 3, 2,
         [](int x, int y) { return sample(x, y, 1) << 24 | sample(x, y, 0) * 0x10101; }},
        {"fuzz_png", "palette8.png", 3, 2, indexed},
        // Four-bit indices with a tRNS alpha per entry: entry i is i/15 opaque.
        {"fuzz_png", "palette4-trns.png", 5, 3,
         [](int x, int y) {
             const int i = static_cast<int>(sample(x, y, 0) >> 4);
             return static_cast<std::uint32_t>(i * 255 / 15) << 24 | (paletteColour(i) & 0xFFFFFF);
         }},
        // The tRNS colour key makes exactly the pixels of that colour transparent.
        {"fuzz_png", "rgb8-trns.png", 3, 2,
         [](int x, int y) { return rgb(x, y) == rgb(0, 0) ? rgb(x, y) & 0xFFFFFF : rgb(x, y); }},
        {"fuzz_png", "grey1.png", 8, 2,
         [](int x, int y) { return sample(x, y, 0) >> 7 ? 0xFFFFFFFFu : 0xFF000000u; }},

        {"fuzz_gif", "static.gif", 3, 2, cycling(1, 3, 8)},
        {"fuzz_gif", "interlaced.gif", 5, 11, cycling(1, 3, 8)},
        {"fuzz_gif", "transparent.gif", 4, 4,
         [](int x, int y) { return (x + y * 3) % 8 == 2 ? 0u : paletteColour((x + y * 3) % 8); }},
        {"fuzz_gif", "local-palette.gif", 4, 3,
         [](int x, int y) {
             const auto i = static_cast<std::uint32_t>((x + y * 3) % 4);
             return 0xFF000000u | (60 * i) << 16 | (255 - 60 * i);
         }},

        {"fuzz_tiff", "rgb-none.tif", 5, 4, opaque},
        {"fuzz_tiff", "rgb-lzw-predictor.tif", 5, 4, opaque},
        {"fuzz_tiff", "rgb-deflate-bigendian.tif", 5, 4, opaque},
        {"fuzz_tiff", "rgb-packbits.tif", 5, 4, opaque},
        {"fuzz_tiff", "rgb-planar.tif", 4, 3, opaque},
        {"fuzz_tiff", "tiled-rgb.tif", 20, 18, opaque},
        {"fuzz_tiff", "tiled-grey-lzw.tif", 17, 16, grey},
        {"fuzz_tiff", "palette8.tif", 4, 3, indexed},

        {"fuzz_bmp", "core-24.bmp", 5, 3, opaque},
        {"fuzz_bmp", "info-rgb-24.bmp", 5, 3, opaque},
        {"fuzz_bmp", "info-rgb-32.bmp", 5, 3, opaque},
        {"fuzz_bmp", "core-1.bmp", 5, 3, cycling(1, 1, 2)},
        {"fuzz_bmp", "core-4.bmp", 5, 3, cycling(1, 1, 16)},
        {"fuzz_bmp", "core-8.bmp", 5, 3, cycling(1, 1, 256)},
        {"fuzz_bmp", "info-rgb-1.bmp", 5, 3, cycling(3, 1, 2)},
        {"fuzz_bmp", "info-rgb-4.bmp", 5, 3, cycling(3, 1, 16)},
        {"fuzz_bmp", "info-rgb-8.bmp", 5, 3, cycling(3, 1, 16)},
        {"fuzz_bmp", "info-rgb-24-topdown.bmp", 5, 3,
         [](int x, int y) {
             return 0xFF000000u | 200u << 16 | static_cast<std::uint32_t>(y * 80) << 8 |
                    static_cast<std::uint32_t>(x * 40);
         }},
        // 5-6-5 bit fields: five bits of red (x·6), six of green (y·20), five of blue ((x+y)·3),
        // each scaled to eight bits.
        {"fuzz_bmp", "info-bitfields-565.bmp", 5, 3,
         [](int x, int y) {
             auto scale = [](std::uint32_t v, std::uint32_t max) {
                 return (v * 255 + max / 2) / max;
             };
             return 0xFF000000u | scale(x * 6 & 31, 31) << 16 | scale(y * 20 & 63, 63) << 8 |
                    scale((x + y) * 3 & 31, 31);
         }},
        // Alpha from the masks: the 40-byte header with four masks after it, and V3 and V4 with
        // the masks inside; the V2 header has no alpha mask, so it is opaque.
        {"fuzz_bmp", "info-alphabitfields-32.bmp", 5, 3, fading},
        {"fuzz_bmp", "v3-bitfields-32-alpha.bmp", 5, 3, fading},
        {"fuzz_bmp", "v4-bitfields-32-alpha.bmp", 5, 3, fading},
        {"fuzz_bmp", "v2-bitfields-32.bmp", 5, 3, opaque},
        {"fuzz_bmp", "v4-rgb-24.bmp", 5, 3, [](int, int) { return 0xFF030201u; }},

        {"fuzz_webp", "lossless.webp", 8, 6, opaque},
    };
    for (const Layout& l : layouts) {
        const auto image = read(l.target, l.name);
        if (image) expectPixels(image->frames[0], l.width, l.height, l.expected, l.name);
    }
}

// Layouts whose pixels are lossy or not the test picture read at the size they were written.
TEST(SeedImagesTest, EveryOtherLayoutReadsAtItsSize) {
    struct Layout {
        const char* target;
        const char* name;
        int width, height;
    };
    const std::vector<Layout> layouts = {
        {"fuzz_png", "palette2.png", 7, 3},
        {"fuzz_png", "grey4-trns.png", 5, 3},
        {"fuzz_png", "grey16.png", 3, 2},
        {"fuzz_png", "grey-alpha16.png", 3, 2},
        {"fuzz_png", "rgb16.png", 3, 2},
        {"fuzz_png", "rgba16.png", 3, 2},
        {"fuzz_png", "interlaced-palette4.png", 9, 9},
        {"fuzz_png", "interlaced-grey16.png", 8, 8},
        {"fuzz_tiff", "rgba-associated.tif", 4, 3},
        {"fuzz_tiff", "rgb16.tif", 3, 2},
        {"fuzz_tiff", "grey8-minisblack.tif", 5, 4},
        {"fuzz_tiff", "grey4-miniswhite.tif", 5, 4},
        {"fuzz_tiff", "bilevel-g4.tif", 16, 4},
        {"fuzz_tiff", "grey-alpha.tif", 3, 2},
        {"fuzz_tiff", "grey16.tif", 3, 2},
        {"fuzz_tiff", "palette4.tif", 5, 3},
        {"fuzz_tiff", "cmyk.tif", 4, 3},
        {"fuzz_bmp", "v5-rgb-8.bmp", 3, 2},
        {"fuzz_bmp", "v5-bitfields-16-4444.bmp", 5, 3},
        {"fuzz_webp", "lossy.webp", 8, 6},
        {"fuzz_webp", "lossy-alpha.webp", 8, 6},
        {"fuzz_jpeg", "baseline-420.jpg", 16, 8},
        {"fuzz_jpeg", "baseline-444.jpg", 8, 8},
        {"fuzz_jpeg", "grey.jpg", 8, 8},
        {"fuzz_jpeg", "progressive.jpg", 16, 16},
        {"fuzz_jpeg", "progressive-grey.jpg", 8, 8},
        {"fuzz_jpeg", "cmyk.jpg", 8, 8},
        {"fuzz_jpeg", "ycck.jpg", 8, 8},
        {"fuzz_jpeg", "rgb-untransformed.jpg", 8, 8},
        {"fuzz_jpeg", "restarts.jpg", 16, 16},
        {"fuzz_jpeg", "arithmetic.jpg", 8, 8},
        // The orientation tag turns the picture: 6 and 8 swap its sides.
        {"fuzz_jpeg", "exif-3.jpg", 6, 4},
        {"fuzz_jpeg", "exif-6.jpg", 4, 6},
        {"fuzz_jpeg", "exif-8-progressive.jpg", 4, 6},
        {"fuzz_jpeg", "exif-5-grey.jpg", 3, 5}};
    for (const Layout& l : layouts) {
        const auto image = read(l.target, l.name);
        if (!image) continue;
        EXPECT_EQ(image->frames[0].width, l.width) << l.name;
        EXPECT_EQ(image->frames[0].height, l.height) << l.name;
        EXPECT_EQ(image->frames[0].pixels.size(), static_cast<std::size_t>(l.width) * l.height);
    }
}

TEST(SeedImagesTest, GifFramesAreComposedWithTheirDisposal) {
    auto image = read("fuzz_gif", "animated.gif");
    ASSERT_TRUE(image);
    ASSERT_EQ(image->frames.size(), 4u);
    EXPECT_EQ(image->delaysMs, (std::vector<int>{100, 200, 50, 0}));
    // The second frame (3 × 3 at 1,1, local palette, index 0 transparent) is drawn over the
    // first; it is cleared to transparent afterwards.
    const DecodedImage& second = image->frames[1];
    const int i11 = (0 + 0 * 3 + 20) % 4;  // its pixel (0, 0)
    EXPECT_EQ(second.pixels[1 * 6 + 1], i11 == 0
                                            ? image->frames[0].pixels[1 * 6 + 1]
                                            : 0xFF000000u | (60u * i11) << 16 | (255u - 60 * i11));
    EXPECT_EQ(image->frames[2].pixels[0], image->frames[0].pixels[0]);  // outside both
    // The third frame goes back to what was before it: the fourth starts from the second's
    // disposal (its square cleared), not from the third.
    EXPECT_EQ(image->frames[3].pixels[1 * 6 + 1], 0u);

    image = read("fuzz_gif", "frame-outside.gif");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->frames[0].pixels[0], 0u);  // left transparent
    EXPECT_EQ(image->frames[0].pixels[2 * 4 + 2], paletteColour(0));
}

TEST(SeedImagesTest, TiffStraightAlphaAndPages) {
    auto image = read("fuzz_tiff", "rgba-unassociated.tif");
    ASSERT_TRUE(image);
    // Straight alpha survives the reader's premultiplied path to within rounding.
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const std::uint32_t p = image->frames[0].pixels[y * 4 + x], a = sample(x, y, 3);
            ASSERT_EQ(p >> 24, a);
            if (a == 0) {
                EXPECT_EQ(p, 0u);  // nothing of an invisible pixel's colour is left
            }
            for (int c = 0; c < 3 && a >= 64; ++c)
                EXPECT_NEAR(static_cast<int>(p >> (16 - 8 * c) & 0xFF),
                            static_cast<int>(sample(x, y, c)), 255 / static_cast<int>(a) + 1);
        }
    // Pages: each page is the picture moved one pixel left.
    image = read("fuzz_tiff", "pages-3.tif");
    ASSERT_TRUE(image);
    ASSERT_EQ(image->frames.size(), 3u);
    EXPECT_EQ(image->dimension, AnimatedImage::Dimension::Page);
    for (int page = 0; page < 3; ++page)
        expectPixels(
            image->frames[page], 4, 3, [page](int x, int y) { return rgb(x + page, y); }, "page");
    image = read("fuzz_tiff", "bigtiff-pages-2.tif");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->frames.size(), 2u);
}

// Run-length data: every pixel is a palette colour or, where the data skipped it, empty.
TEST(SeedImagesTest, BitmapRunLengthDataMayLeavePixelsEmpty) {
    for (const char* name : {"info-rle8.bmp", "info-rle4.bmp"}) {
        const auto image = read("fuzz_bmp", name);
        ASSERT_TRUE(image);
        int skipped = 0;
        for (std::uint32_t p : image->frames[0].pixels)
            skipped += p == 0;
        EXPECT_EQ(skipped > 0, std::string(name) == "info-rle8.bmp") << name;  // one move there
    }
}

TEST(SeedImagesTest, IconsPickTheNearestSizeAndCursorsKeepTheirHotSpot) {
    auto read = [](const std::string& name) {
        const auto bytes = seed("fuzz_ico", name);
        std::string error;
        // The first byte is the fuzz target's wanted size.
        auto icon = IcoReader::read(bytes.data() + 1, bytes.size() - 1, bytes[0], bytes[0], error);
        EXPECT_TRUE(icon) << name << ": " << error;
        return icon ? *icon : IcoReader::Icon{};
    };
    EXPECT_EQ(read("icon-three-sizes-want-8").image.width, 8);
    EXPECT_EQ(read("icon-three-sizes-want-5").image.width, 6);   // the nearest larger one
    EXPECT_EQ(read("icon-three-sizes-want-16").image.width, 8);  // the largest smaller one
    for (const char* name : {"icon-1bit", "icon-4bit", "icon-8bit", "icon-32bit-alpha"}) {
        const IcoReader::Icon icon = read(name);
        ASSERT_EQ(icon.image.width, 4) << name;
        // The AND mask's diagonal is transparent, the rest opaque.
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(icon.image.pixels[i] >> 24 == 0, i % 5 == 0) << name << " " << i;
    }
    const IcoReader::Icon png = read("icon-png");
    EXPECT_EQ(png.image.width, 6);
    EXPECT_EQ(png.image.pixels[1] >> 24, 40u);
    const IcoReader::Icon cursor = read("cursor-bitmap");
    EXPECT_TRUE(cursor.cursor);
    EXPECT_EQ(cursor.hotSpotX, 2);
    EXPECT_EQ(cursor.hotSpotY, 3);
    EXPECT_EQ(read("cursor-png").hotSpotX, 5);
}

TEST(SeedImagesTest, WebpAlphaAndAnimation) {
    // Lossless with alpha keeps every pixel it shows; those it does not show are empty.
    auto image = read("fuzz_webp", "lossless-alpha.webp");
    ASSERT_TRUE(image);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const std::uint32_t a = static_cast<std::uint32_t>((x * 60 + y * 30) & 0xFF);
            const std::uint32_t p = image->frames[0].pixels[y * 8 + x];
            EXPECT_EQ(p, a ? a << 24 | (rgb(x, y) & 0xFFFFFF) : 0u) << x << "," << y;
        }
    for (const char* name : {"animated-lossy.webp", "animated-lossless.webp"}) {
        image = read("fuzz_webp", name);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->dimension, AnimatedImage::Dimension::Time);
        ASSERT_EQ(image->frames.size(), 3u) << name;
        EXPECT_EQ(image->delaysMs, (std::vector<int>{40, 70, 100})) << name;
    }
    // The opaque frames of the lossless animation are the picture moved 0 and 6 pixels left.
    for (int frame : {0, 2})
        expectPixels(
            image->frames[frame], 8, 6, [frame](int x, int y) { return rgb(x + frame * 3, y); },
            "animated frame");
}

TEST(SeedImagesTest, TruncatedOversizedAndUnknownFilesAreRefusedWithAReason) {
    std::vector<std::vector<std::uint8_t>> files = {
        seed("fuzz_png", "rgba8.png"),         seed("fuzz_webp", "lossless.webp"),
        seed("fuzz_tiff", "rgb-none.tif"),     seed("fuzz_bmp", "v4-bitfields-32-alpha.bmp"),
        seed("fuzz_jpeg", "baseline-444.jpg"), seed("fuzz_gif", "static.gif"),
        seed("fuzz_ico", "icon-32bit-alpha")};
    files.back().erase(files.back().begin());  // the fuzz target's wanted size
    for (const auto& file : files)
        for (std::size_t keep : {file.size() / 2, std::size_t{20}, std::size_t{3}}) {
            std::string why;
            if (!ImageDecoder::decode(file.data(), keep, why)) {
                EXPECT_FALSE(why.empty());  // some formats keep what arrived
            }
        }
    // A bitmap header asking for 100000 × 100000 pixels.
    auto huge = seed("fuzz_bmp", "info-rgb-24.bmp");
    huge[18] = 0xA0, huge[19] = 0x86, huge[20] = 0x01;  // width 100000
    huge[22] = 0xA0, huge[23] = 0x86, huge[24] = 0x01;
    std::string why;
    EXPECT_FALSE(ImageDecoder::decode(huge.data(), huge.size(), why));
    EXPECT_EQ(why, "bad bitmap size");

    const std::vector<std::uint8_t> metafile = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0};
    EXPECT_FALSE(ImageDecoder::decode(metafile.data(), metafile.size(), why));
    EXPECT_EQ(why, "metafiles are not supported");
    const std::vector<std::uint8_t> noise = {1, 2, 3, 4, 5};
    EXPECT_FALSE(ImageDecoder::decode(noise.data(), noise.size(), why));
    EXPECT_EQ(why, "unknown image format");
}
