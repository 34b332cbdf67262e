// The fuzz targets' seed images (fuzz/corpus/, written by scripts/make-fuzz-seeds.py) read back
// as drawn: every layout of every format the readers take, pixel for pixel where the format is
// lossless. The writers draw one test picture, sample() below, so each pixel says what it must be.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/imaging/BmpReader.h"
#include "platform/imaging/GifReader.h"
#include "platform/imaging/IcoReader.h"
#include "platform/imaging/JpegReader.h"
#include "platform/imaging/PngReader.h"
#include "platform/imaging/TiffReader.h"
#include "platform/imaging/WebpReader.h"

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

template <typename Expected>
void expectPixels(const DecodedImage& image, int width, int height, Expected expected,
                  const std::string& what) {
    ASSERT_EQ(image.width, width) << what;
    ASSERT_EQ(image.height, height) << what;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(image.pixels[static_cast<std::size_t>(y) * width + x], expected(x, y))
                << what << " at " << x << "," << y;
}

DecodedImage png(const std::string& name) {
    const auto bytes = seed("fuzz_png", name);
    std::string error;
    auto image = PngReader::read(bytes.data(), bytes.size(), error);
    EXPECT_TRUE(image) << name << ": " << error;
    return image ? *image : DecodedImage{};
}

std::optional<AnimatedImage> animated(const std::string& target, const std::string& name) {
    const auto bytes = seed(target, name);
    std::string error;
    std::optional<AnimatedImage> image =
        target == "fuzz_gif"    ? GifReader::read(bytes.data(), bytes.size(), error)
        : target == "fuzz_tiff" ? TiffReader::read(bytes.data(), bytes.size(), error)
                                : WebpReader::read(bytes.data(), bytes.size(), error);
    EXPECT_TRUE(image) << name << ": " << error;
    return image;
}

DecodedImage bmp(const std::string& name) {
    const auto bytes = seed("fuzz_bmp", name);
    std::string error;
    auto image = BmpReader::read(bytes.data(), bytes.size(), error);
    EXPECT_TRUE(image) << name << ": " << error;
    return image ? *image : DecodedImage{};
}

}  // namespace

TEST(SeedImagesTest, EveryPngLayoutReadsBackAsDrawn) {
    for (const char* name : {"rgb8.png", "chunks-rgb8.png"})
        expectPixels(
            png(name), 3, 2, [](int x, int y) { return rgb(x, y); }, name);
    expectPixels(
        png("rgba8.png"), 3, 2, [](int x, int y) { return rgb(x, y, sample(x, y, 3)); }, "rgba8");
    expectPixels(
        png("interlaced-rgba8.png"), 8, 8, [](int x, int y) { return rgb(x, y, sample(x, y, 3)); },
        "interlaced");
    expectPixels(
        png("grey8.png"), 3, 2,
        [](int x, int y) { return 0xFF000000u | sample(x, y, 0) * 0x10101; }, "grey8");
    expectPixels(
        png("grey-alpha8.png"), 3, 2,
        [](int x, int y) { return sample(x, y, 1) << 24 | sample(x, y, 0) * 0x10101; }, "grey+a");
    expectPixels(
        png("palette8.png"), 3, 2, [](int x, int y) { return paletteColour(sample(x, y, 0)); },
        "palette8");
    // Four-bit indices with a tRNS alpha per entry: entry i is i/15 opaque.
    expectPixels(
        png("palette4-trns.png"), 5, 3,
        [](int x, int y) {
            const int i = static_cast<int>(sample(x, y, 0) >> 4);
            return static_cast<std::uint32_t>(i * 255 / 15) << 24 | (paletteColour(i) & 0xFFFFFF);
        },
        "palette4");
    // The tRNS colour key makes exactly the pixels of that colour transparent.
    const DecodedImage keyed = png("rgb8-trns.png");
    expectPixels(
        keyed, 3, 2,
        [](int x, int y) {
            const bool key = rgb(x, y) == rgb(0, 0);
            return key ? rgb(x, y) & 0xFFFFFF : rgb(x, y);
        },
        "rgb8-trns");
    // Two-bit and one-bit greys and the 16-bit layouts read to the right size, opaque where
    // they have no alpha.
    for (const char* name :
         {"grey1.png", "palette2.png", "grey4-trns.png", "grey16.png", "grey-alpha16.png",
          "rgb16.png", "rgba16.png", "interlaced-palette4.png", "interlaced-grey16.png"}) {
        const DecodedImage image = png(name);
        EXPECT_GT(image.width, 0) << name;
        EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width) * image.height);
    }
    expectPixels(
        png("grey1.png"), 8, 2,
        [](int x, int y) { return sample(x, y, 0) >> 7 ? 0xFFFFFFFFu : 0xFF000000u; }, "grey1");
}

TEST(SeedImagesTest, GifFramesAreComposedWithTheirPalettesDisposalAndInterlace) {
    auto image = animated("fuzz_gif", "static.gif");
    ASSERT_TRUE(image);
    expectPixels(
        image->frames[0], 3, 2, [](int x, int y) { return paletteColour((x + y * 3) % 8); },
        "static");
    image = animated("fuzz_gif", "interlaced.gif");
    ASSERT_TRUE(image);
    expectPixels(
        image->frames[0], 5, 11, [](int x, int y) { return paletteColour((x + y * 3) % 8); },
        "interlaced");
    image = animated("fuzz_gif", "transparent.gif");
    ASSERT_TRUE(image);
    expectPixels(
        image->frames[0], 4, 4,
        [](int x, int y) {
            const int i = (x + y * 3) % 8;
            return i == 2 ? 0u : paletteColour(i);
        },
        "transparent");
    image = animated("fuzz_gif", "local-palette.gif");
    ASSERT_TRUE(image);
    expectPixels(
        image->frames[0], 4, 3,
        [](int x, int y) {
            const std::uint32_t i = static_cast<std::uint32_t>((x + y * 3) % 4);
            return 0xFF000000u | (60 * i) << 16 | (255 - 60 * i);
        },
        "local palette");

    image = animated("fuzz_gif", "animated.gif");
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

    image = animated("fuzz_gif", "frame-outside.gif");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->frames[0].pixels[0], 0u);  // left transparent
    EXPECT_EQ(image->frames[0].pixels[2 * 4 + 2], paletteColour(0));
}

TEST(SeedImagesTest, EveryTiffLayoutAndPageReadsBackAsDrawn) {
    for (const char* name : {"rgb-none.tif", "rgb-lzw-predictor.tif", "rgb-deflate-bigendian.tif",
                             "rgb-packbits.tif"}) {
        const auto image = animated("fuzz_tiff", name);
        ASSERT_TRUE(image);
        expectPixels(
            image->frames[0], 5, 4, [](int x, int y) { return rgb(x, y); }, name);
    }
    auto image = animated("fuzz_tiff", "rgb-planar.tif");
    ASSERT_TRUE(image);
    expectPixels(
        image->frames[0], 4, 3, [](int x, int y) { return rgb(x, y); }, "planar");
    image = animated("fuzz_tiff", "tiled-rgb.tif");
    ASSERT_TRUE(image);
    expectPixels(
        image->frames[0], 20, 18, [](int x, int y) { return rgb(x, y); }, "tiled");
    image = animated("fuzz_tiff", "tiled-grey-lzw.tif");
    ASSERT_TRUE(image);
    expectPixels(
        image->frames[0], 17, 16,
        [](int x, int y) { return 0xFF000000u | sample(x, y, 0) * 0x10101; }, "tiled grey");
    image = animated("fuzz_tiff", "palette8.tif");
    ASSERT_TRUE(image);
    expectPixels(
        image->frames[0], 4, 3, [](int x, int y) { return paletteColour(sample(x, y, 0)); },
        "palette");
    image = animated("fuzz_tiff", "rgba-unassociated.tif");
    ASSERT_TRUE(image);
    // Straight alpha survives the reader's premultiplied path to within rounding.
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const std::uint32_t p = image->frames[0].pixels[y * 4 + x], a = sample(x, y, 3);
            ASSERT_EQ(p >> 24, a);
            if (a >= 64)
                for (int c = 0; c < 3; ++c)
                    EXPECT_NEAR(static_cast<int>(p >> (16 - 8 * c) & 0xFF),
                                static_cast<int>(sample(x, y, c)), 255 / static_cast<int>(a) + 1);
        }
    // Pages: each page is the picture moved one pixel left.
    image = animated("fuzz_tiff", "pages-3.tif");
    ASSERT_TRUE(image);
    ASSERT_EQ(image->frames.size(), 3u);
    EXPECT_EQ(image->dimension, AnimatedImage::Dimension::Page);
    for (int page = 0; page < 3; ++page)
        expectPixels(
            image->frames[page], 4, 3, [page](int x, int y) { return rgb(x + page, y); }, "page");
    image = animated("fuzz_tiff", "bigtiff-pages-2.tif");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->frames.size(), 2u);
    for (const char* name :
         {"rgba-associated.tif", "rgb16.tif", "grey8-minisblack.tif", "grey4-miniswhite.tif",
          "bilevel-g4.tif", "grey-alpha.tif", "grey16.tif", "palette4.tif", "cmyk.tif"})
        EXPECT_TRUE(animated("fuzz_tiff", name)) << name;
}

TEST(SeedImagesTest, EveryBitmapHeaderAndCompressionReadsBackAsDrawn) {
    auto bgr = [](int x, int y) { return rgb(x, y); };
    expectPixels(bmp("core-24.bmp"), 5, 3, bgr, "core 24");
    expectPixels(bmp("info-rgb-24.bmp"), 5, 3, bgr, "info 24");
    expectPixels(bmp("info-rgb-32.bmp"), 5, 3, bgr, "info 32");
    for (int bits : {1, 4, 8})
        expectPixels(
            bmp("core-" + std::to_string(bits) + ".bmp"), 5, 3,
            [bits](int x, int y) { return paletteColour((x + y) % (1 << bits)); },
            "core " + std::to_string(bits));
    for (int bits : {1, 4, 8}) {
        const int entries = std::min(1 << bits, 16);
        expectPixels(
            bmp("info-rgb-" + std::to_string(bits) + ".bmp"), 5, 3,
            [entries](int x, int y) { return paletteColour((x * 3 + y) % entries); },
            "info " + std::to_string(bits));
    }
    expectPixels(
        bmp("info-rgb-24-topdown.bmp"), 5, 3,
        [](int x, int y) {
            return 0xFF000000u | 200u << 16 | static_cast<std::uint32_t>(y * 80) << 8 |
                   static_cast<std::uint32_t>(x * 40);
        },
        "top-down");
    // 5-6-5 bit fields: five bits of red (x·6), six of green (y·20), five of blue ((x+y)·3),
    // each scaled to eight bits.
    expectPixels(
        bmp("info-bitfields-565.bmp"), 5, 3,
        [](int x, int y) {
            auto scale = [](std::uint32_t v, std::uint32_t max) {
                return (v * 255 + max / 2) / max;
            };
            return 0xFF000000u | scale(x * 6 & 31, 31) << 16 | scale(y * 20 & 63, 63) << 8 |
                   scale((x + y) * 3 & 31, 31);
        },
        "565");
    // Alpha from the masks: the 40-byte header with four masks after it, and V3 to V5 with
    // the masks inside.
    for (const char* name :
         {"info-alphabitfields-32.bmp", "v3-bitfields-32-alpha.bmp", "v4-bitfields-32-alpha.bmp"})
        expectPixels(
            bmp(name), 5, 3,
            [](int x, int y) {
                return static_cast<std::uint32_t>(x * 50) << 24 | (rgb(x, y) & 0xFFFFFF);
            },
            name);
    // The V2 header has no alpha mask: opaque.
    expectPixels(bmp("v2-bitfields-32.bmp"), 5, 3, bgr, "v2");
    // Run-length data: every pixel is a palette colour or, where the data skipped it, empty.
    for (const char* name : {"info-rle8.bmp", "info-rle4.bmp"}) {
        const DecodedImage image = bmp(name);
        ASSERT_GT(image.width, 0) << name;
        int skipped = 0;
        for (std::uint32_t p : image.pixels)
            skipped += p == 0;
        EXPECT_EQ(skipped > 0, std::string(name) == "info-rle8.bmp") << name;  // one move there
    }
    EXPECT_EQ(bmp("v5-rgb-8.bmp").width, 3);
    EXPECT_EQ(bmp("v5-bitfields-16-4444.bmp").width, 5);
    EXPECT_EQ(bmp("v4-rgb-24.bmp").pixels[0], 0xFF030201u);
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

TEST(SeedImagesTest, JpegAndWebpLayoutsReadAndTurn) {
    struct Case {
        const char* name;
        int width, height;
    };
    for (const Case& c :
         {Case{"baseline-420.jpg", 16, 8}, Case{"baseline-444.jpg", 8, 8}, Case{"grey.jpg", 8, 8},
          Case{"progressive.jpg", 16, 16}, Case{"progressive-grey.jpg", 8, 8},
          Case{"cmyk.jpg", 8, 8}, Case{"ycck.jpg", 8, 8}, Case{"rgb-untransformed.jpg", 8, 8},
          Case{"restarts.jpg", 16, 16}, Case{"arithmetic.jpg", 8, 8}, Case{"exif-3.jpg", 6, 4},
          Case{"exif-6.jpg", 4, 6}, Case{"exif-8-progressive.jpg", 4, 6},
          Case{"exif-5-grey.jpg", 3, 5}}) {
        const auto bytes = seed("fuzz_jpeg", c.name);
        std::string error;
        const auto image = JpegReader::read(bytes.data(), bytes.size(), error);
        ASSERT_TRUE(image) << c.name << ": " << error;
        EXPECT_EQ(image->width, c.width) << c.name;
        EXPECT_EQ(image->height, c.height) << c.name;
    }
    // Lossless WebP keeps every pixel; with alpha, those it shows.
    auto image = animated("fuzz_webp", "lossless.webp");
    ASSERT_TRUE(image);
    expectPixels(
        image->frames[0], 8, 6, [](int x, int y) { return rgb(x, y); }, "lossless");
    image = animated("fuzz_webp", "lossless-alpha.webp");
    ASSERT_TRUE(image);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const std::uint32_t a = static_cast<std::uint32_t>((x * 60 + y * 30) & 0xFF);
            const std::uint32_t p = image->frames[0].pixels[y * 8 + x];
            EXPECT_EQ(p >> 24, a);
            if (a) EXPECT_EQ(p & 0xFFFFFF, rgb(x, y) & 0xFFFFFF) << x << "," << y;
        }
    for (const char* name : {"lossy.webp", "lossy-alpha.webp"}) {
        image = animated("fuzz_webp", name);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->frames[0].width, 8);
    }
    for (const char* name : {"animated-lossy.webp", "animated-lossless.webp"}) {
        image = animated("fuzz_webp", name);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->frames.size(), 3u) << name;
        EXPECT_EQ(image->delaysMs, (std::vector<int>{40, 70, 100})) << name;
    }
}
