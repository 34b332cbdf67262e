// GIF images from untrusted bytes: reading must not crash, hang or read outside the data, and
// every frame it gives is the whole screen with a delay of its own.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/imaging/GifReader.h"

using namespace orvane::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const auto image = GifReader::read(data, size, error);
    if (!image) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (image->frames.empty() || image->frames.size() != image->delaysMs.size() ||
        image->frames.size() > GifReader::kMaxFrames)
        std::abort();
    for (const DecodedImage& f : image->frames)
        if (f.width != image->frames[0].width || f.height != image->frames[0].height ||
            f.pixels.size() !=
                static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.height))
            std::abort();
    return 0;
}
