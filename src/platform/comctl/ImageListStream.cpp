// Image lists written to a stream and read back: a header (size, depth, flags, background,
// overlays) and then every image's premultiplied pixels, all little-endian.
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "platform/base/HandleTable.h"
#include "platform/base/LastError.h"
#include "platform/comctl/ImageList.h"
#include "platform/comctl/ImageListObject.h"

namespace orvane::platform {

namespace {

constexpr std::uint16_t kMagic = 0x4C49;  // "IL"
constexpr std::uint16_t kVersion = 0x0600;
constexpr std::uint32_t kMaxImages = 1u << 20;
constexpr int kMaxSide = 4096;

struct Header {
    std::uint16_t magic = kMagic;
    std::uint16_t version = kVersion;
    std::uint32_t count = 0;
    std::uint32_t grow = 0;
    std::uint32_t cx = 0;
    std::uint32_t cy = 0;
    std::uint32_t background = 0;
    std::uint32_t flags = 0;
    std::array<std::int32_t, ImageListObject::kOverlays> overlays{};
};

void put32(std::uint8_t*& p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        *p++ = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t get32(const std::uint8_t*& p) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(*p++) << (8 * i);
    return v;
}

constexpr std::size_t kHeaderBytes = 4 + 6 * 4 + ImageListObject::kOverlays * 4;

bool readAll(IStream& stream, void* buffer, std::size_t n) {
    ULONG got = 0;
    return SUCCEEDED(stream.Read(buffer, static_cast<ULONG>(n), &got)) && got == n;
}

bool writeAll(IStream& stream, const void* buffer, std::size_t n) {
    ULONG put = 0;
    return SUCCEEDED(stream.Write(buffer, static_cast<ULONG>(n), &put)) && put == n;
}

}  // namespace

BOOL ImageList_Write(HIMAGELIST himl, IStream* stream) {
    const ImageListObject* list = ImageListObject::from(himl);
    if (!list || !stream) return FALSE;
    std::array<std::uint8_t, kHeaderBytes> header{};
    std::uint8_t* p = header.data();
    *p++ = kMagic & 0xFF, *p++ = kMagic >> 8, *p++ = kVersion & 0xFF, *p++ = kVersion >> 8;
    put32(p, static_cast<std::uint32_t>(list->count()));
    put32(p, static_cast<std::uint32_t>(list->grow()));
    put32(p, static_cast<std::uint32_t>(list->cx()));
    put32(p, static_cast<std::uint32_t>(list->cy()));
    put32(p, list->background);
    put32(p, list->flags());
    for (int o : list->overlays)
        put32(p, static_cast<std::uint32_t>(o));
    if (!writeAll(*stream, header.data(), header.size())) return FALSE;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(list->cx()) * 4);
    for (int i = 0; i < list->count(); ++i)
        for (int y = 0; y < list->cy(); ++y) {
            std::uint8_t* q = row.data();
            for (int x = 0; x < list->cx(); ++x)
                put32(q, list->image(i).at(x, y));
            if (!writeAll(*stream, row.data(), row.size())) return FALSE;
        }
    return TRUE;
}

HIMAGELIST ImageList_Read(IStream* stream) {
    if (!stream) return HIMAGELIST();
    std::array<std::uint8_t, kHeaderBytes> raw{};
    if (!readAll(*stream, raw.data(), raw.size())) return HIMAGELIST();
    const std::uint8_t* p = raw.data();
    Header h;
    h.magic = static_cast<std::uint16_t>(p[0] | p[1] << 8);
    h.version = static_cast<std::uint16_t>(p[2] | p[3] << 8);
    p += 4;
    h.count = get32(p);
    h.grow = get32(p);
    h.cx = get32(p);
    h.cy = get32(p);
    h.background = get32(p);
    h.flags = get32(p);
    for (auto& o : h.overlays)
        o = static_cast<std::int32_t>(get32(p));
    // Everything is checked before anything is made; images then come one at a time, so a
    // stream that ends early costs no more than what it held.
    if (h.magic != kMagic || h.version != kVersion || h.count > kMaxImages || h.cx == 0 ||
        h.cy == 0 || h.cx > kMaxSide || h.cy > kMaxSide || (h.flags & ~(ILC_MASK | 0xFEu)) ||
        h.grow > kMaxImages) {
        SetLastError(ERROR_INVALID_DATA);
        return HIMAGELIST();
    }
    for (std::int32_t o : h.overlays)
        if (o < -1 || o >= static_cast<std::int32_t>(h.count)) {
            SetLastError(ERROR_INVALID_DATA);
            return HIMAGELIST();
        }
    auto list =
        std::make_unique<ImageListObject>(static_cast<int>(h.cx), static_cast<int>(h.cy), h.flags,
                                          std::max<int>(1, static_cast<int>(h.grow)));
    list->background = h.background;
    std::copy(h.overlays.begin(), h.overlays.end(), list->overlays.begin());
    std::vector<std::uint8_t> row(static_cast<std::size_t>(h.cx) * 4);
    for (std::uint32_t i = 0; i < h.count; ++i) {
        PixelSurface image(static_cast<int>(h.cx), static_cast<int>(h.cy));
        for (int y = 0; y < image.height(); ++y) {
            if (!readAll(*stream, row.data(), row.size())) {
                SetLastError(ERROR_INVALID_DATA);
                return HIMAGELIST();
            }
            const std::uint8_t* q = row.data();
            // A colour brighter than its alpha is not a premultiplied pixel: it is cut down.
            for (int x = 0; x < image.width(); ++x) {
                const std::uint32_t v = get32(q), a = v >> 24;
                auto cut = [a](std::uint32_t c) { return std::min(c, a); };
                image.at(x, y) = a << 24 | cut((v >> 16) & 0xFF) << 16 | cut((v >> 8) & 0xFF) << 8 |
                                 cut(v & 0xFF);
            }
        }
        list->insert(static_cast<int>(i), std::move(image));
    }
    return HIMAGELIST(HandleTable::current().add(std::move(list)));
}

}  // namespace orvane::platform
