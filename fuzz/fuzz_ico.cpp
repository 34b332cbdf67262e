// Icon and cursor files from untrusted bytes, with a wanted size taken from the data: reading
// must not crash, hang or read outside the data.
#include <cstdint>
#include <string>

#include "DecodedImageCheck.h"
#include "platform/imaging/IcoReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::string error;
    const int wanted = data[0];
    const auto icon = orvane::platform::IcoReader::read(data + 1, size - 1, wanted, wanted, error);
    checkDecoded(icon ? std::optional(icon->image) : std::nullopt, error);
    return 0;
}
