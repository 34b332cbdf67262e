// Shared pieces of the GDI pixel tests: a fixture that checks that no GDI object outlives a
// test, a memory DC with a 32-bit DIB section to draw on, owning wrappers, a font selected for
// a while and the box of what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/LastError.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"

namespace orvane::platform::test {

inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kGreen = RGB(0, 255, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);

// Every test must leave no live GDI object behind; stock objects are not counted.
class GdiTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(GetLiveGdiObjectCount(), 0u) << "GDI objects leaked"; }
};

// Deletes a GDI object when it goes out of scope.
template <class H>
class Owned {
public:
    explicit Owned(H h) : m_h(h) {}
    ~Owned() {
        if (m_h) DeleteObject(m_h);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    operator H() const { return m_h; }
    operator HGDIOBJ() const { return m_h; }
    std::uint32_t value() const { return m_h.value; }

private:
    H m_h;
};

// A DIB pixel (0x00RRGGBB) from a COLORREF (0x00BBGGRR) and back: the same byte swap.
constexpr std::uint32_t rawOf(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// A memory DC with a 32-bit DIB section selected, filled with one colour.
class Canvas {
public:
    Canvas(int width, int height, COLORREF color = kWhite, bool bottomUp = false)
        : m_width(width), m_height(height), m_bottomUp(bottomUp) {
        BITMAPINFO info{};
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = bottomUp ? height : -height;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &bits, HANDLE(), 0);
        m_bits = static_cast<std::uint32_t*>(bits);
        m_dc = CreateCompatibleDC(HDC());
        m_old = SelectObject(m_dc, m_bitmap);
        fill(color);
    }
    ~Canvas() {
        SelectObject(m_dc, GetStockObject(BLACK_PEN));
        SelectObject(m_dc, GetStockObject(WHITE_BRUSH));
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    operator HDC() const { return m_dc; }
    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // The stored pixel, alpha included, and its colour.
    std::uint32_t& raw(int x, int y) {
        const int row = m_bottomUp ? m_height - 1 - y : y;
        return m_bits[static_cast<std::size_t>(row) * m_width + x];
    }
    COLORREF at(int x, int y) { return rawOf(raw(x, y) & 0xFFFFFF); }
    void fill(COLORREF c) {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                raw(x, y) = rawOf(c);
    }
    // A deterministic picture in which neighbouring pixels differ; alpha is zero.
    void scramble(std::uint32_t seed) {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                raw(x, y) = (seed = seed * 1664525u + 1013904223u) >> 8;
    }
    std::vector<std::uint32_t> pixels() {
        std::vector<std::uint32_t> all;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                all.push_back(raw(x, y));
        return all;
    }

private:
    int m_width, m_height;
    bool m_bottomUp;
    HBITMAP m_bitmap;
    HDC m_dc;
    HGDIOBJ m_old;
    std::uint32_t* m_bits = nullptr;
};

// A font selected into a DC for the life of the object, drawing black on a transparent
// background; `tm` holds its metrics.
class FontIn {
public:
    FontIn(HDC dc, int height, const char16_t* face = u"Arial", int weight = FW_NORMAL,
           bool underline = false, int escapement = 0)
        : m_dc(dc),
          m_font(CreateFontW(height, 0, escapement, escapement, weight, 0, underline, 0,
                             DEFAULT_CHARSET, 0, 0, 0, 0, face)) {
        m_old = SelectObject(dc, m_font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kBlack);
        GetTextMetricsW(dc, &tm);
    }
    ~FontIn() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_font);
    }
    FontIn(const FontIn&) = delete;
    FontIn& operator=(const FontIn&) = delete;
    TEXTMETRICW tm{};

private:
    HDC m_dc;
    HFONT m_font;
    HGDIOBJ m_old;
};

// The bounding box of the pixels in `area` that are not `background`; empty when none are.
inline RECT inkBox(Canvas& canvas, const RECT& area = RECT{0, 0, 100000, 100000},
                   COLORREF background = kWhite) {
    RECT box{100000, 100000, -1, -1};
    for (int y = std::max<LONG>(0, area.top); y < std::min<LONG>(canvas.height(), area.bottom); ++y)
        for (int x = std::max<LONG>(0, area.left); x < std::min<LONG>(canvas.width(), area.right);
             ++x)
            if (canvas.at(x, y) != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box.right < 0 ? RECT{} : box;
}

inline bool hasInk(Canvas& canvas, const RECT& area) {
    const RECT box = inkBox(canvas, area);
    return box.right > box.left;
}

// The largest difference between two colours' channels.
inline int channelGap(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

inline bool inRect(const RECT& rc, int x, int y) {
    return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

// FillRect with a solid brush made for the call.
inline void fillRect(HDC dc, const RECT& rc, COLORREF color) {
    Owned<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &rc, brush);
}

// Checks every pixel of the canvas against the colour `expected(x, y)` says it must have,
// reporting how many are wrong and the first of them.
inline ::testing::AssertionResult pixelsMatch(Canvas& canvas,
                                              const std::function<COLORREF(int, int)>& expected) {
    int wrong = 0;
    char first[80] = "";
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const COLORREF want = expected(x, y), got = canvas.at(x, y);
            if (want != got && wrong++ == 0)
                std::snprintf(first, sizeof first, "(%d, %d) is %06X, not %06X", x, y, got, want);
        }
    }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " wrong pixels, first " << first;
}

}  // namespace orvane::platform::test
