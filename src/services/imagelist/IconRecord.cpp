#include "services/imagelist/IconRecord.h"

#include <algorithm>
#include <cstring>

#include "host/Variant.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/User.h"

namespace orvane {

using namespace platform;

namespace {

void putLong(std::uint8_t* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void putWord(std::uint8_t* at, std::uint16_t v) {
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint32_t getLong(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

// A bitmap header as GetObjectW describes the bitmap; the bits pointer means nothing on disk.
void putHeader(std::uint8_t* at, const BITMAP& bm) {
    putLong(at, static_cast<std::uint32_t>(bm.bmType));
    putLong(at + 4, static_cast<std::uint32_t>(bm.bmWidth));
    putLong(at + 8, static_cast<std::uint32_t>(bm.bmHeight));
    putLong(at + 12, static_cast<std::uint32_t>(bm.bmWidthBytes));
    putWord(at + 16, bm.bmPlanes);
    putWord(at + 18, bm.bmBitsPixel);
    putLong(at + 20, 0);
}

// Bottom-up DIB rows of `bitCount` bits at the bitmap's width.
BITMAPINFO bottomUp(std::int32_t width, std::int32_t height, WORD bitCount) {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biBitCount = bitCount;
    return info;
}

// A 1-bit DIB header with its two colours: 0 black (drawn), 1 white (transparent).
struct MonoInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
};

// A DC for reading bitmaps, made when the caller has none.
class ReadingDc {
public:
    explicit ReadingDc(HDC given) : m_dc(given), m_own(!given) {
        if (m_own) m_dc = CreateCompatibleDC(HDC());
    }
    ~ReadingDc() {
        if (m_own && m_dc) DeleteDC(m_dc);
    }
    ReadingDc(const ReadingDc&) = delete;
    ReadingDc& operator=(const ReadingDc&) = delete;
    HDC get() const { return m_dc; }

private:
    HDC m_dc;
    bool m_own;
};

}  // namespace

std::size_t IconRecord::maskStride(std::int32_t width) {
    const auto bytes = static_cast<std::int64_t>(roundHalfEven((width + 7) / 8.0));
    return static_cast<std::size_t>((bytes + 3) / 4 * 4);
}

std::size_t IconRecord::length(std::int32_t width, std::int32_t height) {
    const auto w = static_cast<std::size_t>(width), h = static_cast<std::size_t>(height);
    return kInfoBytes + kHeaderBytes + w * h * 4 + kHeaderBytes + maskStride(width) * h;
}

bool IconRecord::write(HDC dc, HICON icon, std::vector<std::uint8_t>& bytes, std::size_t offset,
                       std::size_t& length) {
    ICONINFO info;
    if (!GetIconInfo(icon, &info)) return false;
    BITMAP colour, mask;
    const bool described = info.hbmColor && GetObjectW(info.hbmColor, sizeof colour, &colour) &&
                           GetObjectW(info.hbmMask, sizeof mask, &mask) && colour.bmWidth > 0 &&
                           colour.bmHeight > 0 && mask.bmWidth == colour.bmWidth &&
                           mask.bmHeight == colour.bmHeight;
    bool ok = described;
    if (ok) {
        const std::int32_t w = colour.bmWidth, h = colour.bmHeight;
        length = IconRecord::length(w, h);
        if (bytes.size() < offset + length) bytes.resize(offset + length);
        std::uint8_t* at = bytes.data() + offset;
        putLong(at, info.fIcon ? 1 : 0);
        putLong(at + 4, info.xHotspot);
        putLong(at + 8, info.yHotspot);
        at += kInfoBytes;
        putHeader(at, colour);
        at += kHeaderBytes;

        const ReadingDc reader(dc);
        BITMAPINFO colourInfo = bottomUp(w, h, 32);
        ok = GetDIBits(reader.get(), info.hbmColor, 0, static_cast<UINT>(h), at, &colourInfo,
                       DIB_RGB_COLORS) == h;
        at += static_cast<std::size_t>(w) * h * 4;
        putHeader(at, mask);
        at += kHeaderBytes;

        // The mask comes as 32-bit rows (white where transparent) and is packed to one bit a
        // pixel, most significant bit first.
        std::vector<std::uint32_t> rows(static_cast<std::size_t>(w) * h);
        BITMAPINFO maskInfo = bottomUp(w, h, 32);
        ok = ok && GetDIBits(reader.get(), info.hbmMask, 0, static_cast<UINT>(h), rows.data(),
                             &maskInfo, DIB_RGB_COLORS) == h;
        const std::size_t stride = maskStride(w);
        std::memset(at, 0, stride * h);
        for (std::int32_t y = 0; y < h && ok; ++y) {
            const std::uint32_t* row = rows.data() + static_cast<std::size_t>(y) * w;
            std::uint8_t* out = at + static_cast<std::size_t>(y) * stride;
            for (std::int32_t x = 0; x < w; ++x)
                if (row[x] & 0xFFFFFF) out[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    if (!ok) length = 0;
    return ok;
}

std::optional<IconRecord::Layout> IconRecord::inspect(std::span<const std::uint8_t> bytes,
                                                      std::size_t offset) {
    const auto fits = [&](std::size_t at, std::size_t count) {
        return at <= bytes.size() && count <= bytes.size() - at;
    };
    if (!fits(offset, kInfoBytes + kHeaderBytes)) return std::nullopt;
    const std::uint8_t* record = bytes.data() + offset;
    Layout layout;
    layout.offset = offset;
    layout.isIcon = getLong(record) != 0;
    layout.hotX = getLong(record + 4);
    layout.hotY = getLong(record + 8);
    const auto side = [](std::uint32_t v) {
        const auto s = static_cast<std::int32_t>(v);
        return s >= 1 && s <= kMaxSide ? s : 0;
    };
    layout.width = side(getLong(record + kInfoBytes + 4));
    layout.height = side(getLong(record + kInfoBytes + 8));
    if (!layout.width || !layout.height) return std::nullopt;

    const std::size_t colourBytes = static_cast<std::size_t>(layout.width) * layout.height * 4;
    const std::size_t maskHeader = offset + kInfoBytes + kHeaderBytes + colourBytes;
    if (!fits(maskHeader, kHeaderBytes)) return std::nullopt;
    const std::uint8_t* mask = bytes.data() + maskHeader;
    if (static_cast<std::int32_t>(getLong(mask + 4)) != layout.width ||
        static_cast<std::int32_t>(getLong(mask + 8)) != layout.height)
        return std::nullopt;
    layout.length = length(layout.width, layout.height);
    if (!fits(offset, layout.length)) return std::nullopt;
    return layout;
}

HICON IconRecord::read(std::span<const std::uint8_t> bytes, const Layout& layout) {
    const std::int32_t w = layout.width, h = layout.height;
    const std::uint8_t* colourBits = bytes.data() + layout.offset + kInfoBytes + kHeaderBytes;
    const std::uint8_t* maskBits = colourBits + static_cast<std::size_t>(w) * h * 4 + kHeaderBytes;

    // The colour pixels are already a bottom-up 32-bit DIB: a DIB section laid out the same way
    // takes them as they are.
    const BITMAPINFO colourInfo = bottomUp(w, h, 32);
    void* pixels = nullptr;
    const HBITMAP colour =
        CreateDIBSection(HDC(), &colourInfo, DIB_RGB_COLORS, &pixels, HANDLE(), 0);
    const HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    HICON icon;
    if (colour && mask && pixels) {
        std::memcpy(pixels, colourBits, static_cast<std::size_t>(w) * h * 4);
        // Rows stored wider than a DIB's row are narrowed to it.
        MonoInfo monoInfo{};
        monoInfo.header.biWidth = w;
        monoInfo.header.biHeight = h;
        monoInfo.header.biBitCount = 1;
        monoInfo.colours[1] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
        const std::size_t stored = maskStride(w);
        const std::size_t dib = static_cast<std::size_t>((w + 31) / 32 * 4);
        std::vector<std::uint8_t> rows(dib * h, 0);
        for (std::int32_t y = 0; y < h; ++y)
            std::memcpy(rows.data() + y * dib, maskBits + y * stored, std::min(stored, dib));
        SetDIBits(HDC(), mask, 0, static_cast<UINT>(h), rows.data(),
                  reinterpret_cast<const BITMAPINFO*>(&monoInfo), DIB_RGB_COLORS);
        ICONINFO info;
        info.fIcon = layout.isIcon ? TRUE : FALSE;
        info.xHotspot = layout.hotX;
        info.yHotspot = layout.hotY;
        info.hbmColor = colour;
        info.hbmMask = mask;
        icon = CreateIconIndirect(&info);
    }
    if (colour) DeleteObject(colour);
    if (mask) DeleteObject(mask);
    return icon;
}

}  // namespace orvane
