// Drawing calls with untrusted arguments: shapes, regions, clipping, transforms and blits with
// coordinates anywhere in the 32-bit range must neither crash nor hang, and region operations
// must agree with point tests.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

using namespace orvane::platform;

namespace {

struct Reader {
    const std::uint8_t* p;
    std::size_t n;
    std::int32_t next() {
        std::int32_t v = 0;
        const std::size_t k = n < 4 ? n : 4;
        std::memcpy(&v, p, k);
        p += k;
        n -= k;
        // Mostly small coordinates, sometimes huge ones.
        return (v & 0x80000000u) ? v : (v % 200);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static HDC dc = [] {
        HDC mem = CreateCompatibleDC(HDC());
        SelectObject(mem, CreateBitmap(64, 64, 1, 32, nullptr));
        return mem;
    }();
    Reader r{data, size};
    const int saved = SaveDC(dc);
    while (r.n >= 4) {
        const int op = static_cast<int>(static_cast<std::uint32_t>(r.next()) % 16);
        const int a = r.next(), b = r.next(), c = r.next(), d = r.next();
        switch (op) {
            case 0:
                Rectangle(dc, a, b, c, d);
                break;
            case 1:
                Ellipse(dc, a, b, c, d);
                break;
            case 2:
                RoundRect(dc, a, b, c, d, r.next(), r.next());
                break;
            case 3:
                MoveToEx(dc, a, b, nullptr);
                LineTo(dc, c, d);
                break;
            case 4: {
                const POINT pts[4] = {{a, b}, {c, d}, {r.next(), r.next()}, {r.next(), r.next()}};
                Polygon(dc, pts, 4);
                break;
            }
            case 5: {
                const RECT rc{a, b, c, d};
                DrawEdge(dc, const_cast<RECT*>(&rc), static_cast<UINT>(r.next()) & 0xF,
                         static_cast<UINT>(r.next()) & 0xF81F);
                break;
            }
            case 6: {
                RECT rc{a, b, c, d};
                DrawFrameControl(dc, &rc, 1 + static_cast<UINT>(r.next()) % 4,
                                 static_cast<UINT>(r.next()) & 0xFF1F);
                break;
            }
            case 7: {
                const RECT rc{a, b, c, d};
                DrawFocusRect(dc, &rc);
                break;
            }
            case 8:
                IntersectClipRect(dc, a, b, c, d);
                break;
            case 9:
                SetViewportOrgEx(dc, a, b, nullptr);
                break;
            case 10: {
                SetGraphicsMode(dc, GM_ADVANCED);
                const XFORM x{static_cast<float>(a % 5),    static_cast<float>(b % 5),
                              static_cast<float>(c % 5),    static_cast<float>(d % 5),
                              static_cast<float>(r.next()), static_cast<float>(r.next())};
                SetWorldTransform(dc, &x);
                break;
            }
            case 11:
                StretchBlt(dc, a, b, c, d, dc, r.next(), r.next(), r.next(), r.next(), SRCINVERT);
                break;
            case 12: {
                HRGN one = CreateEllipticRgn(a, b, c, d);
                HRGN two = CreateRoundRectRgn(b, a, d, c, r.next(), r.next());
                HRGN out = CreateRectRgn(0, 0, 0, 0);
                const int mode = 1 + static_cast<int>(static_cast<std::uint32_t>(r.next()) % 4);
                if (one && two && CombineRgn(out, one, two, mode) != ERROR) {
                    // Every point agrees with the operation applied to the two parts.
                    for (int i = 0; i < 16; ++i) {
                        const int x = r.next() % 256, y = r.next() % 256;
                        const bool p = PtInRegion(one, x, y), q = PtInRegion(two, x, y),
                                   o = PtInRegion(out, x, y);
                        const bool want = mode == RGN_AND   ? (p && q)
                                          : mode == RGN_OR  ? (p || q)
                                          : mode == RGN_XOR ? (p != q)
                                                            : (p && !q);
                        if (o != want) std::abort();
                    }
                    SelectClipRgn(dc, out);
                }
                DeleteObject(one);
                DeleteObject(two);
                DeleteObject(out);
                break;
            }
            case 13:
                SetROP2(dc, 1 + (a & 15));
                break;
            case 14:
                SetLayout(dc, a & 1);
                break;
            case 15: {
                TRIVERTEX v[3] = {{a, b, 0xFF00, 0, 0, 0},
                                  {c, d, 0, 0xFF00, 0, 0},
                                  {r.next(), r.next(), 0, 0, 0xFF00, 0}};
                const ULONG tri[3] = {0, 1, 2};
                GdiGradientFill(dc, v, 3, tri, 1, GRADIENT_FILL_TRIANGLE);
                break;
            }
        }
    }
    RestoreDC(dc, saved);
    return 0;
}
