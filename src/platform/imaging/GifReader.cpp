#include "platform/imaging/GifReader.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

#include "platform/imaging/ByteReader.h"

namespace orvane::platform {

namespace {

int readFrom(GifFileType* gif, GifByteType* out, int wanted) {
    return static_cast<int>(static_cast<ByteReader*>(gif->UserData)
                                ->read(out, static_cast<std::size_t>(std::max(wanted, 0))));
}

}  // namespace

std::optional<AnimatedImage> GifReader::read(const std::uint8_t* data, std::size_t size,
                                             std::string& error) {
    if (!data || size < 6 || std::memcmp(data, "GIF", 3) != 0) {
        error = "not a GIF image";
        return std::nullopt;
    }
    ByteReader source{data, size};
    int code = 0;
    GifFileType* gif = DGifOpen(&source, readFrom, &code);
    if (!gif) {
        error = GifErrorString(code) ? GifErrorString(code) : "damaged GIF image";
        return std::nullopt;
    }
    const int width = gif->SWidth, height = gif->SHeight;
    if (width <= 0 || height <= 0 || width > DecodedImage::kMaxSide ||
        height > DecodedImage::kMaxSide ||
        static_cast<std::int64_t>(width) * height > DecodedImage::kMaxPixels) {
        DGifCloseFile(gif, &code);
        error = "bad image size";
        return std::nullopt;
    }
    if (DGifSlurp(gif) != GIF_OK && gif->ImageCount == 0) {
        error = GifErrorString(gif->Error) ? GifErrorString(gif->Error) : "damaged GIF image";
        DGifCloseFile(gif, &code);
        return std::nullopt;
    }
    // Frames past the limit, or whose pixels would exceed it all together, are left out.
    const std::size_t count = std::min<std::size_t>(
        {static_cast<std::size_t>(gif->ImageCount), AnimatedImage::kMaxFrames,
         static_cast<std::size_t>(DecodedImage::kMaxPixels /
                                  (static_cast<std::int64_t>(width) * height))});
    AnimatedImage out;
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(width) * height, 0);  // transparent
    for (std::size_t f = 0; f < count; ++f) {
        const SavedImage& frame = gif->SavedImages[f];
        GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
        DGifSavedExtensionToGCB(gif, static_cast<int>(f), &gcb);
        const ColorMapObject* map =
            frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
        const std::vector<std::uint32_t> before =
            gcb.DisposalMode == DISPOSE_PREVIOUS ? screen : std::vector<std::uint32_t>();
        const GifImageDesc& d = frame.ImageDesc;
        if (map && frame.RasterBits) {
            for (int y = 0; y < d.Height; ++y) {
                const int sy = d.Top + y;
                if (sy < 0 || sy >= height) continue;
                // (The library hands interlaced rasters over in row order already.)
                const GifByteType* row = frame.RasterBits + static_cast<std::size_t>(y) * d.Width;
                for (int x = 0; x < d.Width; ++x) {
                    const int sx = d.Left + x;
                    if (sx < 0 || sx >= width) continue;
                    const int index = row[x];
                    if (index == gcb.TransparentColor || index >= map->ColorCount) continue;
                    const GifColorType& c = map->Colors[index];
                    screen[static_cast<std::size_t>(sy) * width + sx] =
                        0xFF000000u | static_cast<std::uint32_t>(c.Red) << 16 |
                        static_cast<std::uint32_t>(c.Green) << 8 | c.Blue;
                }
            }
        }
        DecodedImage shown;
        shown.width = width;
        shown.height = height;
        shown.pixels = screen;
        out.frames.push_back(std::move(shown));
        out.delaysMs.push_back(gcb.DelayTime * 10);
        // What the next frame starts from.
        if (gcb.DisposalMode == DISPOSE_BACKGROUND) {
            for (int y = std::max(0, d.Top); y < std::min(height, d.Top + d.Height); ++y)
                for (int x = std::max(0, d.Left); x < std::min(width, d.Left + d.Width); ++x)
                    screen[static_cast<std::size_t>(y) * width + x] = 0;
        } else if (gcb.DisposalMode == DISPOSE_PREVIOUS) {
            screen = before;
        }
    }
    DGifCloseFile(gif, &code);
    if (out.frames.empty()) {
        error = "a GIF image without frames";
        return std::nullopt;
    }
    return out;
}

}  // namespace orvane::platform
