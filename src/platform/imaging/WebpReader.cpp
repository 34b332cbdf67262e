#include "platform/imaging/WebpReader.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstring>
#include <memory>

namespace orvane::platform {

bool WebpReader::isWebp(const std::uint8_t* data, std::size_t size) {
    return size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WEBP", 4) == 0;
}

std::optional<AnimatedImage> WebpReader::read(const std::uint8_t* data, std::size_t size,
                                              std::string& error) {
    WebPBitstreamFeatures features;
    if (!isWebp(data, size) || WebPGetFeatures(data, size, &features) != VP8_STATUS_OK) {
        error = "not a WebP image";
        return std::nullopt;
    }
    if (!DecodedImage::sizeAllowed(features.width, features.height)) {
        error = "bad image size";
        return std::nullopt;
    }
    AnimatedImage out;
    if (!features.has_animation) {
        DecodedImage image;
        image.width = features.width;
        image.height = features.height;
        image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
        // Blue, green, red, alpha bytes are 0xAARRGGBB values on this machine.
        if (!WebPDecodeBGRAInto(data, size, reinterpret_cast<std::uint8_t*>(image.pixels.data()),
                                image.pixels.size() * 4, image.width * 4)) {
            error = "damaged WebP image";
            return std::nullopt;
        }
        out.frames.push_back(std::move(image));
        out.delaysMs.push_back(0);
        return out;
    }

    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_BGRA;
    options.use_threads = 0;
    const WebPData webp{data, size};
    std::unique_ptr<WebPAnimDecoder, decltype(&WebPAnimDecoderDelete)> decoder(
        WebPAnimDecoderNew(&webp, &options), WebPAnimDecoderDelete);
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info)) {
        error = "damaged WebP animation";
        return std::nullopt;
    }
    const std::size_t pixels = static_cast<std::size_t>(info.canvas_width) * info.canvas_height;
    int previous = 0;
    while (WebPAnimDecoderHasMoreFrames(decoder.get())) {
        if (out.frames.size() >= AnimatedImage::kMaxFrames ||
            static_cast<std::int64_t>((out.frames.size() + 1) * pixels) >
                DecodedImage::kMaxPixels) {
            error = "too many frames";
            return std::nullopt;
        }
        std::uint8_t* canvas = nullptr;
        int timestamp = 0;
        if (!WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp)) {
            error = "damaged WebP frame";
            return std::nullopt;
        }
        DecodedImage frame;
        frame.width = static_cast<int>(info.canvas_width);
        frame.height = static_cast<int>(info.canvas_height);
        frame.pixels.resize(pixels);
        std::memcpy(frame.pixels.data(), canvas, pixels * 4);
        out.frames.push_back(std::move(frame));
        out.delaysMs.push_back(timestamp - previous);
        previous = timestamp;
    }
    if (out.frames.empty()) {
        error = "WebP animation without frames";
        return std::nullopt;
    }
    return out;
}

}  // namespace orvane::platform
