// TIFF images, every page, from untrusted bytes: reading must not crash, hang or read outside the
// data.
#include <cstdint>
#include <string>

#include "DecodedImageCheck.h"
#include "platform/imaging/TiffReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    checkAnimated(orvane::platform::TiffReader::read(data, size, error), error);
    return 0;
}
