// GIF images from untrusted bytes: reading must not crash, hang or read outside the data, and
// every frame it gives is the whole screen with a delay of its own.
#include <cstdint>
#include <string>

#include "DecodedImageCheck.h"
#include "platform/imaging/GifReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    checkAnimated(orvane::platform::GifReader::read(data, size, error), error);
    return 0;
}
