#include "platform/base/ReadWholeFile.h"

#include <filesystem>
#include <fstream>

namespace orvane::platform {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
    // A directory opens as a stream too, with a size that is no size.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0) return std::nullopt;  // not a file that can tell its size
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
        return std::nullopt;
    return bytes;
}

}  // namespace orvane::platform
