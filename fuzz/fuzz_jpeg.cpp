// JPEG images from untrusted bytes: reading must not crash, hang or read outside the data,
// and an image it accepts has exactly width × height pixels within the limits.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/imaging/JpegReader.h"

using namespace orvane::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const auto image = JpegReader::read(data, size, error);
    if (!image) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (image->width <= 0 || image->height <= 0 || image->width > BmpReader::kMaxSide ||
        image->height > BmpReader::kMaxSide ||
        image->pixels.size() !=
            static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height))
        std::abort();
    return 0;
}
