#include "platform/gdi/DibConverter.h"

#include <cstdlib>

#include "platform/base/LastError.h"

namespace orvane::platform {

namespace {
constexpr int kMaxSide = 32767;
}

bool DibConverter::validate(const BITMAPINFO* info) {
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const int bc = h.biBitCount;
    const long long rows = std::llabs(static_cast<long long>(h.biHeight));  // INT_MIN-safe
    if (h.biWidth <= 0 || h.biWidth > kMaxSide || rows == 0 || rows > kMaxSide ||
        h.biWidth * rows > 16384LL * 16384LL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if ((bc != 1 && bc != 4 && bc != 8 && bc != 24 && bc != 32) ||
        !(h.biCompression == BI_RGB || (h.biCompression == BI_BITFIELDS && bc == 32))) {
        ReportUnsupported("DIB", "format (1, 4, 8, 24 or 32 bits, uncompressed)",
                          ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

int DibConverter::height(const BITMAPINFO* info) {
    return std::abs(info->bmiHeader.biHeight);
}

int DibConverter::stride(const BITMAPINFO* info) {
    return ((info->bmiHeader.biWidth * info->bmiHeader.biBitCount + 31) / 32) * 4;
}

void DibConverter::decode(const BITMAPINFO* info, const void* bits, PixelSurface& out) {
    const int w = info->bmiHeader.biWidth, h = height(info);
    const int bc = info->bmiHeader.biBitCount;
    const int pitch = stride(info);
    out.reset(w, h, 0);
    const auto* base = static_cast<const std::uint8_t*>(bits);
    const RGBQUAD* table = info->bmiColors;
    auto fromTable = [&](int index) {
        const RGBQUAD& q = table[index];
        return (static_cast<std::uint32_t>(q.rgbRed) << 16) | (q.rgbGreen << 8) | q.rgbBlue;
    };
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src =
            base + static_cast<std::size_t>(topDown(info) ? y : h - 1 - y) * pitch;
        std::uint32_t* dst = out.row(y);
        for (int x = 0; x < w; ++x) {
            switch (bc) {
                case 1:
                    dst[x] = fromTable((src[x / 8] >> (7 - x % 8)) & 1);
                    break;
                case 4:
                    dst[x] = fromTable((src[x / 2] >> ((x % 2) ? 0 : 4)) & 0xF);
                    break;
                case 8:
                    dst[x] = fromTable(src[x]);
                    break;
                case 24:
                    dst[x] = (static_cast<std::uint32_t>(src[x * 3 + 2]) << 16) |
                             (src[x * 3 + 1] << 8) | src[x * 3];
                    break;
                default:
                    dst[x] = static_cast<std::uint32_t>(src[x * 4]) | (src[x * 4 + 1] << 8) |
                             (src[x * 4 + 2] << 16) |
                             (static_cast<std::uint32_t>(src[x * 4 + 3]) << 24);
            }
        }
    }
}

void DibConverter::encodeRow(const std::uint32_t* row, int width, int bitCount, std::uint8_t* out) {
    for (int x = 0; x < width; ++x) {
        const std::uint32_t p = row[x];
        if (bitCount == 24) {
            out[x * 3] = p & 0xFF;
            out[x * 3 + 1] = (p >> 8) & 0xFF;
            out[x * 3 + 2] = (p >> 16) & 0xFF;
        } else {
            out[x * 4] = p & 0xFF;
            out[x * 4 + 1] = (p >> 8) & 0xFF;
            out[x * 4 + 2] = (p >> 16) & 0xFF;
            out[x * 4 + 3] = (p >> 24) & 0xFF;
        }
    }
}

}  // namespace orvane::platform
