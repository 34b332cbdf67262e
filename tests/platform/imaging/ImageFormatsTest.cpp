// One picture stored in every format the decoder reads comes back as the same pixels; the
// bitmap variants (bit fields, run-length data), icons and their size choice, multi-frame
// WebP and multi-page TIFF; damaged and oversized files refused with a reason.
#include <gtest/gtest.h>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include <unistd.h>
#include <iterator>
#include <vector>

#include "platform/imaging/BmpReader.h"
#include "platform/imaging/IcoReader.h"
#include "platform/imaging/ImageDecoder.h"
#include "platform/imaging/JpegEncoder.h"

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
    if (compression == 3 && headerSize == 40) put32(b, 0xF800), put32(b, 0x07E0), put32(b, 0x001F);
    for (int y = kH - 1; y >= 0; --y) {
        const std::size_t rowStart = b.size();
        for (int x = 0; x < kW; ++x) {
            const std::uint32_t p = px[y * kW + x];
            if (bits == 16) {
                put16(b, static_cast<int>(((p >> 19) & 31) << 11 | ((p >> 10) & 63) << 5 |
                                          ((p >> 3) & 31)));
            } else {
                b.push_back(p & 0xFF), b.push_back((p >> 8) & 0xFF), b.push_back((p >> 16) & 0xFF);
                if (bits == 32) b.push_back(p >> 24);
            }
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

Bytes jpegFile(const std::vector<std::uint32_t>& px) {
    Bytes rgb;
    for (const std::uint32_t p : px) {
        rgb.push_back((p >> 16) & 0xFF), rgb.push_back((p >> 8) & 0xFF), rgb.push_back(p & 0xFF);
    }
    return test::encodeJpeg(rgb, kW, kH, 3, JCS_RGB);
}

Bytes webpFile(const std::vector<std::uint32_t>& px) {
    std::uint8_t* out = nullptr;
    const std::size_t size = WebPEncodeLosslessBGRA(
        reinterpret_cast<const std::uint8_t*>(px.data()), kW, kH, kW * 4, &out);
    Bytes bytes(out, out + size);
    WebPFree(out);
    return bytes;
}

// Pages of straight-alpha RGBA, written through a file as the library writes nothing else.
Bytes tiffFile(const std::vector<std::vector<std::uint32_t>>& pages) {
    // A name of this process's own: tests of this file run in parallel processes.
    static int made = 0;
    const std::string path = testing::TempDir() + "orvane-pages-" + std::to_string(getpid()) + "-" +
                             std::to_string(++made) + ".tif";
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    for (const auto& px : pages) {
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, kW);
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, kH);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 4);
        const std::uint16_t extra = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, kH);
        for (int y = 0; y < kH; ++y) {
            std::uint8_t row[kW * 4];
            for (int x = 0; x < kW; ++x) {
                const std::uint32_t p = px[y * kW + x];
                row[x * 4] = (p >> 16) & 0xFF, row[x * 4 + 1] = (p >> 8) & 0xFF;
                row[x * 4 + 2] = p & 0xFF, row[x * 4 + 3] = p >> 24;
            }
            TIFFWriteScanline(tiff, row, static_cast<std::uint32_t>(y), 0);
        }
        TIFFWriteDirectory(tiff);
    }
    TIFFClose(tiff);
    std::ifstream in(path, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), {});
    std::remove(path.c_str());
    return bytes;
}

// An icon file whose images are given as stored payloads with their directory sizes.
Bytes iconFile(const std::vector<std::pair<int, Bytes>>& images, int type = 1) {
    Bytes b;
    put16(b, 0), put16(b, type), put16(b, static_cast<int>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const auto& [side, payload] : images) {
        b.push_back(static_cast<std::uint8_t>(side)), b.push_back(static_cast<std::uint8_t>(side));
        b.push_back(0), b.push_back(0);
        put16(b, type == 2 ? 3 : 1), put16(b, type == 2 ? 5 : 32);  // planes or hot spot
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

int channelDifference(std::uint32_t a, std::uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                         static_cast<int>((b >> shift) & 0xFF)));
    return worst;
}

void expectSamePixels(const DecodedImage& image, const std::vector<std::uint32_t>& px,
                      int tolerance, const char* format) {
    ASSERT_EQ(image.width, kW) << format;
    ASSERT_EQ(image.height, kH) << format;
    int worst = 0;
    for (std::size_t i = 0; i < px.size(); ++i)
        worst = std::max(worst, channelDifference(image.pixels[i], px[i]));
    EXPECT_LE(worst, tolerance) << format;
}

}  // namespace

TEST(ImageFormats, OnePictureInEveryFormatDecodesToTheSamePixels) {
    const auto opaque = samplePixels(false), alpha = samplePixels(true);
    expectSamePixels(decodeOne(pngFile(alpha)), alpha, 0, "PNG");
    expectSamePixels(decodeOne(webpFile(alpha)), alpha, 0, "WebP");
    expectSamePixels(decodeOne(tiffFile({alpha})), alpha, 1, "TIFF");  // via premultiplied
    expectSamePixels(decodeOne(bmpFile(dib(opaque, 24, 0, 40), 0)), opaque, 0, "BMP 24");
    expectSamePixels(decodeOne(bmpFile(dib(alpha, 32, 3, 108), 0)), alpha, 0, "BMP 32 masks");
    expectSamePixels(decodeOne(bmpFile(dib(opaque, 16, 3, 40), 12)), opaque, 8, "BMP 565");
    expectSamePixels(decodeOne(iconFile({{16, iconDib(alpha)}})), alpha, 0, "ICO bitmap");
    expectSamePixels(decodeOne(iconFile({{16, pngFile(alpha)}})), alpha, 0, "ICO PNG");
    // JPEG: block centres survive within its loss.
    const DecodedImage jpeg = decodeOne(jpegFile(opaque));
    for (int y : {3, 12})
        for (int x : {3, 12})
            EXPECT_LE(channelDifference(jpeg.pixels[y * kW + x], opaque[y * kW + x]), 12);
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

    // A cursor file keeps its hot spot.
    const Bytes cur = iconFile({{16, iconDib(samplePixels(true))}}, 2);
    std::string why;
    auto icon = IcoReader::read(cur.data(), cur.size(), 0, 0, why);
    ASSERT_TRUE(icon) << why;
    EXPECT_TRUE(icon->cursor);
    EXPECT_EQ(icon->hotSpotX, 3);
    EXPECT_EQ(icon->hotSpotY, 5);
}

TEST(ImageFormats, AnimatedWebpGivesEveryFrameWithItsDelay) {
    WebPAnimEncoderOptions options;
    WebPAnimEncoderOptionsInit(&options);
    WebPAnimEncoder* encoder = WebPAnimEncoderNew(kW, kH, &options);
    WebPConfig config;
    WebPConfigInit(&config);
    config.lossless = 1;
    const auto first = samplePixels(false);
    auto second = first;
    for (auto& p : second)
        p = 0xFF0000FF;
    int timestamp = 0;
    const std::vector<std::uint32_t>* frames[] = {&first, &second};
    for (const auto* px : frames) {
        WebPPicture picture;
        WebPPictureInit(&picture);
        picture.use_argb = 1;
        picture.width = kW;
        picture.height = kH;
        WebPPictureImportBGRA(&picture, reinterpret_cast<const std::uint8_t*>(px->data()), kW * 4);
        EXPECT_TRUE(WebPAnimEncoderAdd(encoder, &picture, timestamp, &config));
        WebPPictureFree(&picture);
        timestamp += 70;
    }
    WebPAnimEncoderAdd(encoder, nullptr, timestamp, nullptr);
    WebPData data;
    WebPDataInit(&data);
    ASSERT_TRUE(WebPAnimEncoderAssemble(encoder, &data));
    WebPAnimEncoderDelete(encoder);
    std::string why;
    auto image = ImageDecoder::decode(data.bytes, data.size, why);
    WebPDataClear(&data);
    ASSERT_TRUE(image) << why;
    ASSERT_EQ(image->frames.size(), 2u);
    EXPECT_EQ(image->dimension, AnimatedImage::Dimension::Time);
    EXPECT_EQ(image->delaysMs, (std::vector<int>{70, 70}));
    EXPECT_EQ(image->frames[0].pixels[0], 0xFFCC2020u);
    EXPECT_EQ(image->frames[1].pixels[0], 0xFF0000FFu);
}

TEST(ImageFormats, MultiPageTiffGivesEveryPage) {
    auto second = samplePixels(false);
    for (auto& p : second)
        p = 0xFF102030;
    std::string why;
    const Bytes tiff = tiffFile({samplePixels(false), second});
    auto image = ImageDecoder::decode(tiff.data(), tiff.size(), why);
    ASSERT_TRUE(image) << why;
    EXPECT_EQ(image->dimension, AnimatedImage::Dimension::Page);
    ASSERT_EQ(image->frames.size(), 2u);
    EXPECT_EQ(image->frames[1].pixels[5], 0xFF102030u);
}

TEST(ImageFormats, DamagedAndOversizedFilesAreRefusedWithAReason) {
    const auto px = samplePixels(true);
    const std::vector<Bytes> files = {pngFile(px),    webpFile(px),
                                      tiffFile({px}), bmpFile(dib(px, 32, 3, 108), 0),
                                      jpegFile(px),   iconFile({{16, iconDib(px)}})};
    for (const Bytes& file : files)
        for (std::size_t keep : {file.size() / 2, std::size_t{20}, std::size_t{3}}) {
            std::string why;
            auto image = ImageDecoder::decode(file.data(), keep, why);
            if (!image) {
                EXPECT_FALSE(why.empty());  // some formats keep what arrived
            }
        }
    // A bitmap header asking for 100000 × 100000 pixels.
    Bytes huge = bmpFile(dib(px, 24, 0, 40), 0);
    huge[18] = 0xA0, huge[19] = 0x86, huge[20] = 0x01;  // width 100000
    huge[22] = 0xA0, huge[23] = 0x86, huge[24] = 0x01;
    std::string why;
    EXPECT_FALSE(ImageDecoder::decode(huge.data(), huge.size(), why));
    EXPECT_EQ(why, "bad bitmap size");

    const Bytes metafile = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0};
    EXPECT_FALSE(ImageDecoder::decode(metafile.data(), metafile.size(), why));
    EXPECT_EQ(why, "metafiles are not supported");
    const Bytes noise = {1, 2, 3, 4, 5};
    EXPECT_FALSE(ImageDecoder::decode(noise.data(), noise.size(), why));
    EXPECT_EQ(why, "unknown image format");
}
