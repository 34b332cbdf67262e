#include "platform/imaging/IcoReader.h"

#include <cstring>

#include "platform/imaging/BmpReader.h"
#include "platform/imaging/ByteReader.h"
#include "platform/imaging/PngReader.h"

namespace orvane::platform {

namespace {

constexpr std::size_t kMaxEntries = 256;

}  // namespace

bool IcoReader::isIconFile(const std::uint8_t* data, std::size_t size) {
    return size >= 6 && ByteReader::u16(data) == 0 &&
           (ByteReader::u16(data + 2) == 1 || ByteReader::u16(data + 2) == 2) &&
           ByteReader::u16(data + 4) > 0;
}

std::optional<std::vector<IcoReader::Entry>> IcoReader::directory(const std::uint8_t* data,
                                                                  std::size_t size,
                                                                  std::string& error) {
    if (!isIconFile(data, size)) {
        error = "not an icon or cursor file";
        return std::nullopt;
    }
    const bool cursor = ByteReader::u16(data + 2) == 2;
    const std::size_t count = static_cast<std::size_t>(ByteReader::u16(data + 4));
    if (count > kMaxEntries || 6 + count * 16 > size) {
        error = "truncated icon directory";
        return std::nullopt;
    }
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = data + 6 + i * 16;
        Entry entry;
        entry.width = e[0] ? e[0] : 256;
        entry.height = e[1] ? e[1] : 256;
        if (cursor) {
            entry.hotSpotX = ByteReader::u16(e + 4);
            entry.hotSpotY = ByteReader::u16(e + 6);
        } else {
            entry.bitCount = ByteReader::u16(e + 6);
        }
        entry.size = ByteReader::u32(e + 8);
        entry.offset = ByteReader::u32(e + 12);
        if (entry.offset > size || entry.size > size - entry.offset) {
            error = "icon image outside the file";
            return std::nullopt;
        }
        entries.push_back(entry);
    }
    return entries;
}

std::size_t IcoReader::choose(const std::vector<Entry>& entries, int wantedWidth,
                              int wantedHeight) {
    // Ranks: 0 exact, 1 larger (nearer is better), 2 smaller (larger is better).
    auto rank = [&](const Entry& e) {
        if (wantedWidth <= 0 || wantedHeight <= 0) return std::pair{1, -e.width * e.height};
        if (e.width == wantedWidth && e.height == wantedHeight) return std::pair{0, 0};
        if (e.width >= wantedWidth && e.height >= wantedHeight)
            return std::pair{1, e.width * e.height};
        return std::pair{2, -e.width * e.height};
    };
    std::size_t best = 0;
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const auto a = rank(entries[i]), b = rank(entries[best]);
        if (a < b || (a == b && entries[i].bitCount > entries[best].bitCount)) best = i;
    }
    return best;
}

std::optional<DecodedImage> IcoReader::readImage(const std::uint8_t* data, std::size_t size,
                                                 std::string& error) {
    static const std::uint8_t kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 8 && std::memcmp(data, kPng, 8) == 0) return PngReader::read(data, size, error);
    return BmpReader::readDib(data, size, 0, BmpReader::DibKind::Icon, error);
}

std::optional<IcoReader::Icon> IcoReader::read(const std::uint8_t* data, std::size_t size,
                                               int wantedWidth, int wantedHeight,
                                               std::string& error) {
    const auto entries = directory(data, size, error);
    if (!entries) return std::nullopt;
    const Entry& entry = (*entries)[choose(*entries, wantedWidth, wantedHeight)];
    auto image = readImage(data + entry.offset, entry.size, error);
    if (!image) return std::nullopt;
    Icon icon;
    icon.image = std::move(*image);
    icon.cursor = ByteReader::u16(data + 2) == 2;
    icon.hotSpotX = entry.hotSpotX;
    icon.hotSpotY = entry.hotSpotY;
    return icon;
}

}  // namespace orvane::platform
