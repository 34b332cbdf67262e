// Device-independent bitmaps from untrusted bytes: a header, a colour table and pixel rows,
// drawn with StretchDIBits and SetDIBitsToDevice and read back with GetDIBits.
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/platform.h"

using namespace orvane::platform;

namespace {

struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    Canvas() {
        BITMAPINFO bi{};
        bi.bmiHeader.biWidth = 64;
        bi.bmiHeader.biHeight = -64;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        dc = CreateCompatibleDC(HDC());
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, HANDLE(), 0);
        old = SelectObject(dc, bitmap);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Canvas canvas;
    if (size < sizeof(BITMAPINFOHEADER) + 16) return 0;
    // The header and the call's own arguments come from the input.
    std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    std::memcpy(info.data(), data, sizeof(BITMAPINFOHEADER));
    data += sizeof(BITMAPINFOHEADER);
    size -= sizeof(BITMAPINFOHEADER);
    std::int16_t args[8];
    std::memcpy(args, data, sizeof args);
    data += sizeof args;
    size -= sizeof args;
    auto* bmi = reinterpret_cast<BITMAPINFO*>(info.data());
    // The caller owns a colour table and pixels as large as the header says; keep them small.
    const long long w = bmi->bmiHeader.biWidth,
                    h = bmi->bmiHeader.biHeight < 0
                            ? -static_cast<long long>(bmi->bmiHeader.biHeight)
                            : bmi->bmiHeader.biHeight;
    const long long bpp = bmi->bmiHeader.biBitCount;
    if (w <= 0 || h <= 0 || w > 512 || h > 512 || bpp <= 0 || bpp > 32) return 0;
    const std::size_t stride = static_cast<std::size_t>(((w * bpp + 31) / 32) * 4);
    std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(h));
    const std::size_t tableBytes = 256 * sizeof(RGBQUAD);
    std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), data, std::min(size, tableBytes));
    if (size > tableBytes)
        std::memcpy(bits.data(), data + tableBytes, std::min(size - tableBytes, bits.size()));

    StretchDIBits(canvas.dc, args[0], args[1], args[2], args[3], args[4], args[5], args[6], args[7],
                  bits.data(), bmi, DIB_RGB_COLORS, SRCCOPY);
    SetDIBitsToDevice(canvas.dc, args[0], args[1], static_cast<DWORD>(w), static_cast<DWORD>(h), 0,
                      0, 0, static_cast<UINT>(h), bits.data(), bmi, DIB_RGB_COLORS);
    std::vector<std::uint8_t> out(64 * 64 * 4);
    BITMAPINFO read{};
    read.bmiHeader.biWidth = 64;
    read.bmiHeader.biHeight = 64;
    read.bmiHeader.biBitCount = 32;
    GetDIBits(canvas.dc, canvas.bitmap, 0, 64, out.data(), &read, DIB_RGB_COLORS);
    return 0;
}
