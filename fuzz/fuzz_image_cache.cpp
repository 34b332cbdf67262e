// Encoded images of any format from untrusted bytes through the image cache: added with their
// frames at a size taken from the data, then drawn turned, grey and scaled. Nothing may crash,
// hang or read outside the data, and a key that was added has the asked size.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/drawing/cGDIPCache.h"
#include "host/Error.h"
#include "platform/platform.h"

using namespace orvane;
using namespace orvane::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static HDC dc = [] {
        HDC mem = CreateCompatibleDC(HDC());
        SelectObject(mem, CreateBitmap(96, 96, 1, 32, nullptr));
        return mem;
    }();
    if (size < 4) return 0;
    const long width = data[0] % 80, height = data[1] % 80;
    const double angle = data[2] * 1.5;
    const bool grey = data[3] & 1;
    const std::vector<std::uint8_t> bytes(data + 4, data + size);
    cGDIPCache cache;
    try {
        cache.AddImage(u"k", Variant(bytes), width, height, true);
    } catch (const Error&) {
        return 0;
    }
    if (!cache.Exists(u"k")) return 0;
    if ((width > 0 && cache.Width(u"k") != width) || (height > 0 && cache.Height(u"k") != height))
        std::abort();
    cache.AlphaRenderTo(dc, u"k", 4, 4, 64, 48, 0, 0, 0, 0, 200, true, 20, grey, angle);
    cache.AlphaRenderTo(dc, u"k>", 0, 0, 0, 0, 1, 1, 3, 3, 255, false);
    return 0;
}
