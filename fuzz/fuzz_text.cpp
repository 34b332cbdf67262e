// Text from untrusted UTF-16 (unpaired surrogates, NULs, controls, any script) with untrusted
// fonts, escapements, alignments and spacing: measuring and drawing must not crash or hang,
// and measuring twice must agree.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "platform/text/Text.h"

using namespace orvane::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static HDC dc = [] {
        setenv("FONTCONFIG_FILE", ORVANE_FUZZ_FONTS_CONF, 1);
        HDC mem = CreateCompatibleDC(HDC());
        SelectObject(mem, CreateBitmap(96, 64, 1, 32, nullptr));
        return mem;
    }();
    if (size < 8) return 0;
    std::int16_t height, escapement;
    std::memcpy(&height, data, 2);
    std::memcpy(&escapement, data + 2, 2);
    const std::uint8_t face = data[4] % 4, align = data[5], extra = data[6] % 8, weight = data[7];
    data += 8;
    size -= 8;
    std::vector<char16_t> text(size / 2);
    if (!text.empty()) std::memcpy(text.data(), data, text.size() * 2);
    static const char16_t* const kFaces[] = {u"Arial", u"Tahoma", u"Courier New", u"No Such Face"};
    HFONT font = CreateFontW(height % 200, 0, escapement, escapement, weight * 4, weight & 1,
                             weight & 2, weight & 4, DEFAULT_CHARSET, 0, 0, 0, 0, kFaces[face]);
    HGDIOBJ old = SelectObject(dc, font);
    SetTextAlign(dc, align & (TA_CENTER | TA_BASELINE | TA_UPDATECP | TA_RTLREADING));
    SetTextCharacterExtra(dc, extra);
    const int n = static_cast<int>(text.size());
    SIZE a{}, b{};
    GetTextExtentPoint32W(dc, text.data(), n, &a);
    GetTextExtentPoint32W(dc, text.data(), n, &b);
    if (a.cx != b.cx || a.cy != b.cy) std::abort();
    std::vector<int> dx(text.size() + 1);
    int fit = 0;
    GetTextExtentExPointW(dc, text.data(), n, 50, &fit, dx.data(), &a);
    if (fit < 0 || fit > n) std::abort();
    const RECT clip{5, 5, 60, 40};
    ExtTextOutW(dc, 10, 10, ETO_CLIPPED | ETO_OPAQUE, &clip, text.data(), static_cast<UINT>(n),
                nullptr);
    ExtTextOutW(dc, 10, 30, 0, nullptr, text.data(), static_cast<UINT>(n), dx.data());
    SelectObject(dc, old);
    DeleteObject(font);
    return 0;
}
