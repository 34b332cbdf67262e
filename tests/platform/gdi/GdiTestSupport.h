// Shared pieces of the GDI pixel tests: a fixture that checks no GDI object outlives a test,
// a memory DC with a 32-bit DIB section to draw on, and owning wrappers for GDI objects.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/base/LastError.h"
#include "platform/gdi/Gdi.h"

namespace orvane::platform::test {

// Every test must leave no live GDI object behind; stock objects are not counted.
class GdiTest : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(GetLiveGdiObjectCount(), 0u) << "GDI objects leaked by this test";
    }
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
    H get() const { return m_h; }

private:
    H m_h;
};

// Pixel values as stored in a 32-bit DIB (0x00RRGGBB) to and from COLORREF (0x00BBGGRR).
constexpr std::uint32_t rawOf(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF colorOf(std::uint32_t raw) {
    return rawOf(raw & 0xFFFFFF);
}

// A memory DC with a 32-bit DIB section selected, filled with one colour.
class Canvas {
public:
    Canvas(int width, int height, COLORREF color = RGB(255, 255, 255), bool bottomUp = false)
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

    bool ok() const { return m_dc && m_bitmap && m_bits && m_old; }
    operator HDC() const { return m_dc; }
    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // The stored pixel, alpha included.
    std::uint32_t& raw(int x, int y) {
        const int row = m_bottomUp ? m_height - 1 - y : y;
        return m_bits[static_cast<std::size_t>(row) * m_width + x];
    }
    // The pixel's colour (alpha ignored).
    COLORREF at(int x, int y) { return colorOf(raw(x, y)); }
    void fill(COLORREF c) {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                raw(x, y) = rawOf(c);
    }
    // Fills with a deterministic non-repeating picture, alpha zero.
    void scramble(std::uint32_t seed) {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) {
                seed = seed * 1664525u + 1013904223u;
                raw(x, y) = seed >> 8;
            }
    }

private:
    int m_width, m_height;
    bool m_bottomUp;
    HBITMAP m_bitmap;
    HDC m_dc;
    HGDIOBJ m_old;
    std::uint32_t* m_bits = nullptr;
};

// Checks every pixel of the canvas: `expected(x, y)` gives the colour it must have. Reports
// the number of wrong pixels and the first one.
inline ::testing::AssertionResult pixelsMatch(Canvas& canvas,
                                              const std::function<COLORREF(int, int)>& expected) {
    int wrong = 0;
    std::string first;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const COLORREF want = expected(x, y), got = canvas.at(x, y);
            if (want == got) continue;
            if (wrong++ == 0) {
                char buf[96];
                std::snprintf(buf, sizeof buf, "(%d, %d) is %06X, expected %06X", x, y, got, want);
                first = buf;
            }
        }
    }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " wrong pixels, first " << first;
}

inline bool inRect(const RECT& rc, int x, int y) {
    return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

}  // namespace orvane::platform::test
