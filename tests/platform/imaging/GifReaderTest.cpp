// GIF images: frames composited on the screen by their disposal, transparency and
// interlacing, with their delays; damaged data refused.
#include <gtest/gtest.h>

#include <gif_lib.h>

#include <cstring>
#include <vector>

#include "platform/imaging/GifReader.h"

using namespace orvane::platform;

namespace {

struct Frame {
    int left, top, width, height;
    std::vector<GifByteType> indices;
    int disposal = DISPOSAL_UNSPECIFIED;
    int transparent = NO_TRANSPARENT_COLOR;
    int delay = 0;  // hundredths of a second
    bool interlaced = false;
};

int writeTo(GifFileType* gif, const GifByteType* data, int n) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + n);
    return n;
}

// A GIF of the given screen size with the palette black, red, green, blue.
std::vector<std::uint8_t> makeGif(int width, int height, const std::vector<Frame>& frames) {
    std::vector<std::uint8_t> bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, writeTo, &error);
    const GifColorType colours[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    gif->SWidth = width;
    gif->SHeight = height;
    gif->SColorResolution = 8;
    gif->SBackGroundColor = 0;
    gif->SColorMap = GifMakeMapObject(4, colours);
    for (const Frame& f : frames) {
        SavedImage* image = GifMakeSavedImage(gif, nullptr);
        image->ImageDesc.Left = f.left;
        image->ImageDesc.Top = f.top;
        image->ImageDesc.Width = f.width;
        image->ImageDesc.Height = f.height;
        image->ImageDesc.Interlace = f.interlaced;
        image->RasterBits = static_cast<GifByteType*>(malloc(f.indices.size()));
        std::memcpy(image->RasterBits, f.indices.data(), f.indices.size());
        GraphicsControlBlock gcb{f.disposal, false, f.delay, f.transparent};
        EGifGCBToSavedExtension(&gcb, gif, gif->ImageCount - 1);
    }
    // Writing closes the file but leaves its images and colour map to us.
    SavedImage* images = gif->SavedImages;
    const int count = gif->ImageCount;
    ColorMapObject* map = gif->SColorMap;
    EXPECT_EQ(EGifSpew(gif), GIF_OK);
    for (int i = 0; i < count; ++i) {
        free(images[i].RasterBits);
        GifFreeExtensions(&images[i].ExtensionBlockCount, &images[i].ExtensionBlocks);
    }
    free(images);
    GifFreeMapObject(map);
    return bytes;
}

constexpr std::uint32_t kNone = 0, kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu;

}  // namespace

TEST(GifReaderTest, FramesCompositeByDisposalAndTransparency) {
    const auto gif =
        makeGif(4, 1,
                {{0, 0, 4, 1, {1, 1, 1, 1}, DISPOSE_DO_NOT, NO_TRANSPARENT_COLOR, 10},
                 // Green over the middle, its first pixel transparent; then cleared to nothing.
                 {1, 0, 2, 1, {0, 2}, DISPOSE_BACKGROUND, 0, 20},
                 // Blue at the right end, then put back as it was before.
                 {3, 0, 1, 1, {3}, DISPOSE_PREVIOUS, NO_TRANSPARENT_COLOR, 5},
                 {0, 0, 1, 1, {2}, DISPOSE_DO_NOT, NO_TRANSPARENT_COLOR, 5}});
    std::string error;
    const auto image = GifReader::read(gif.data(), gif.size(), error);
    ASSERT_TRUE(image) << error;
    ASSERT_EQ(image->frames.size(), 4u);
    EXPECT_EQ(image->delaysMs, (std::vector<int>{100, 200, 50, 50}));
    EXPECT_EQ(image->frames[0].pixels, (std::vector<std::uint32_t>{kRed, kRed, kRed, kRed}));
    EXPECT_EQ(image->frames[1].pixels, (std::vector<std::uint32_t>{kRed, kRed, kGreen, kRed}));
    EXPECT_EQ(image->frames[2].pixels, (std::vector<std::uint32_t>{kRed, kNone, kNone, kBlue}));
    EXPECT_EQ(image->frames[3].pixels, (std::vector<std::uint32_t>{kGreen, kNone, kNone, kRed}));
}

TEST(GifReaderTest, InterlacedRowsComeBackInOrderAndDamageIsRefused) {
    // Written interlaced (rows 0, 4, 2, 1, 3 in the file); read back in row order.
    const std::vector<GifByteType> rows = {1, 3, 2, 0, 0};
    const auto gif = makeGif(1, 5, {{0, 0, 1, 5, rows, DISPOSE_DO_NOT, 0, 0, true}});
    std::string error;
    const auto image = GifReader::read(gif.data(), gif.size(), error);
    ASSERT_TRUE(image) << error;
    // Index 0 is transparent in this frame.
    EXPECT_EQ(image->frames[0].pixels,
              (std::vector<std::uint32_t>{kRed, kBlue, kGreen, kNone, kNone}));
    EXPECT_FALSE(GifReader::read(gif.data(), 10, error));
    EXPECT_FALSE(error.empty());
    const std::uint8_t junk[] = {'G', 'I', 'F', '8', '9', 'a', 0xFF};
    EXPECT_FALSE(GifReader::read(junk, sizeof junk, error));
}
