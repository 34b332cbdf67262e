#include "services/imagelist/ImageListFile.h"

#include <cstring>
#include <fstream>

#include "platform/base/CodePages.h"

namespace orvane {

using namespace platform;

namespace {

constexpr std::size_t kLengthBytes = 4;

void putLong(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint32_t getLong(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

std::string toAnsi(std::u16string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    std::string out(text.size(), '\0');
    const int written =
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return out;
}

std::u16string fromAnsi(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    std::u16string out(bytes.size(), u'\0');
    const int written = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()),
                                            size, out.data(), size);
    out.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return out;
}

}  // namespace

std::vector<std::uint8_t> ImageListFile::compose(std::span<const std::uint8_t> block,
                                                 std::u16string_view keys) {
    const std::string ansi = toAnsi(keys);
    std::vector<std::uint8_t> out;
    out.reserve(3 * kLengthBytes + block.size() + ansi.size());
    putLong(out, kMagic);
    putLong(out, static_cast<std::uint32_t>(block.size()));
    out.insert(out.end(), block.begin(), block.end());
    putLong(out, static_cast<std::uint32_t>(ansi.size()));
    out.insert(out.end(), ansi.begin(), ansi.end());
    return out;
}

std::optional<ImageListFile::Contents> ImageListFile::parse(std::span<const std::uint8_t> file) {
    // Each length is compared with what is left before it is used.
    if (file.size() < 2 * kLengthBytes || getLong(file.data()) != kMagic) return std::nullopt;
    std::size_t at = 2 * kLengthBytes;
    const std::uint32_t blockLength = getLong(file.data() + kLengthBytes);
    if (blockLength > file.size() - at) return std::nullopt;
    const std::span<const std::uint8_t> block = file.subspan(at, blockLength);
    at += blockLength;
    // The key length is always written, so a file that stops here was cut short.
    if (file.size() - at < kLengthBytes) return std::nullopt;
    const std::uint32_t keyLength = getLong(file.data() + at);
    at += kLengthBytes;
    if (keyLength != file.size() - at) return std::nullopt;
    Contents contents;
    contents.block.assign(block.begin(), block.end());
    contents.keys = fromAnsi(file.subspan(at, keyLength));
    return contents;
}

std::optional<ImageListFile::Contents> ImageListFile::load(const std::u16string& path) {
    std::ifstream in(ToUtf8(path), std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < static_cast<std::streamoff>(3 * kLengthBytes) ||
        static_cast<std::uint64_t>(size) > kMaxFileBytes)
        return std::nullopt;
    // The header first: a file of another kind, or one whose block would not fit in it, is
    // refused before the rest is read.
    std::uint8_t header[2 * kLengthBytes];
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
    if (getLong(header) != kMagic ||
        getLong(header + kLengthBytes) > static_cast<std::uint64_t>(size) - 3 * kLengthBytes)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::memcpy(bytes.data(), header, sizeof header);
    if (!in.read(reinterpret_cast<char*>(bytes.data() + sizeof header),
                 static_cast<std::streamsize>(size) - static_cast<std::streamsize>(sizeof header)))
        return std::nullopt;
    return parse(bytes);
}

bool ImageListFile::save(const std::u16string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(ToUtf8(path), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

std::optional<std::vector<IconRecord::Layout>> ImageListFile::records(
    std::span<const std::uint8_t> block) {
    std::vector<IconRecord::Layout> layouts;
    std::size_t at = 0;
    while (at < block.size()) {
        const auto layout = IconRecord::inspect(block, at);
        if (!layout) return std::nullopt;
        layouts.push_back(*layout);
        at += layout->length;
    }
    return layouts;
}

std::u16string ImageListFile::joinKeys(const std::vector<std::u16string>& keys) {
    std::u16string out;
    for (const std::u16string& key : keys) {
        out += key;
        out += u'\t';
    }
    return out;
}

std::optional<std::vector<std::u16string>> ImageListFile::splitKeys(std::u16string_view text,
                                                                    std::size_t count) {
    std::vector<std::u16string> keys;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t tab = text.find(u'\t', start);
        if (tab == std::u16string_view::npos) tab = text.size();  // a last key without its TAB
        if (keys.size() == count) return std::nullopt;
        keys.emplace_back(text.substr(start, tab - start));
        start = tab + 1;
    }
    keys.resize(count);
    return keys;
}

}  // namespace orvane
