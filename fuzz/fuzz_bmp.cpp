// Bitmap files, and bare bitmaps read as icon images, from untrusted bytes: reading must not
// crash, hang or read outside the data.
#include <cstdint>
#include <string>

#include "DecodedImageCheck.h"
#include "platform/imaging/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using orvane::platform::BmpReader;
    std::string error;
    checkDecoded(BmpReader::read(data, size, error), error);
    error.clear();
    checkDecoded(BmpReader::readDib(data, size, 0, BmpReader::DibKind::Icon, error), error);
    return 0;
}
