// WebP images, still or animated, from untrusted bytes: reading must not crash, hang or read
// outside the data.
#include <cstdint>
#include <string>

#include "DecodedImageCheck.h"
#include "platform/imaging/WebpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    checkAnimated(orvane::platform::WebpReader::read(data, size, error), error);
    return 0;
}
