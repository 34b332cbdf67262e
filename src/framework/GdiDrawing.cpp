#include "framework/GdiDrawing.h"

#include <algorithm>
#include <vector>

#include "framework/ColorsAndFonts.h"

namespace orvane {

using namespace platform;

void FillSolid(HDC dc, OLE_COLOR color, const RECT& rc) {
    const std::int32_t rgb = TranslateColor(color, 0);
    if (rgb == -1) return;
    const HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(rgb));
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

void DrawFrame(HDC dc, int left, int top, int right, int bottom, OLE_COLOR color, int width,
               int penStyle) {
    const std::int32_t rgb = TranslateColor(color, 0);
    if (rgb == -1) return;
    const HPEN pen = CreatePen(penStyle, 1, static_cast<COLORREF>(rgb));
    if (!pen) return;
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const int n = std::max(width, 1);
    for (int i = 0; i < n; ++i)
        Rectangle(dc, left + i, top + i, right - i, bottom - i);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void DrawLineColor(HDC dc, int x1, int y1, int x2, int y2, OLE_COLOR color) {
    const std::int32_t rgb = TranslateColor(color, 0);
    if (rgb == -1) return;
    const HPEN pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(rgb));
    const HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void DrawGradient(HDC dc, const RECT& rc, OLE_COLOR color1, OLE_COLOR color2, bool vertical) {
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (height < 1 || width < 1) return;
    const std::int32_t c1 = TranslateColor(color1, 0);
    const std::int32_t c2 = TranslateColor(color2, 0);
    if (c1 == -1 || c2 == -1) return;
    // Line i across the gradient shows c1 + i × (c2 − c1) ÷ lines, so the buffer holds exactly
    // the colours shown and is drawn without shrinking. A single line is the exception: both
    // end colours shrink into it, combined as the DC's stretch mode combines them.
    const int lines = vertical ? height : width;
    const int n = std::max(lines, 2);  // buffer lines
    const int r1 = static_cast<int>(c1 & 0xFF), g1 = static_cast<int>((c1 >> 8) & 0xFF),
              b1 = static_cast<int>((c1 >> 16) & 0xFF);
    const int r2 = static_cast<int>(c2 & 0xFF), g2 = static_cast<int>((c2 >> 8) & 0xFF),
              b2 = static_cast<int>((c2 >> 16) & 0xFF);
    auto at = [&](int i) -> std::uint32_t {
        const int r = r1 + i * (r2 - r1) / lines;
        const int g = g1 + i * (g2 - g1) / lines;
        const int b = b1 + i * (b2 - b1) / lines;
        return static_cast<std::uint32_t>(r << 16 | g << 8 | b);  // 0x00RRGGBB
    };
    BITMAPINFO info{};
    info.bmiHeader.biBitCount = 32;
    // The buffer's lines across the gradient are all one colour: one column (or row) of it is
    // put into a strip as the rectangle shows it, and rows are then filled, runs of one colour
    // at a time, or for a horizontal gradient, copied from the strip.
    // A DC with a world transform gets the whole buffer stretched, as the lines may not be
    // lines there.
    if (GetGraphicsMode(dc) != GM_ADVANCED) {
        std::vector<std::uint32_t> source(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            source[static_cast<std::size_t>(i)] = at(i);
        std::vector<std::uint32_t> shown(static_cast<std::size_t>(lines));
        const HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ oldStrip;
        const HBITMAP strip = vertical ? CreateBitmap(1, lines, 1, 32, nullptr)
                                       : CreateBitmap(lines, 1, 1, 32, nullptr);
        bool ok = mem && strip;
        if (ok) {
            oldStrip = SelectObject(mem, strip);
            SetStretchBltMode(mem, GetStretchBltMode(dc));
            info.bmiHeader.biWidth = vertical ? 1 : n;
            info.bmiHeader.biHeight = vertical ? -n : -1;
            StretchDIBits(mem, 0, 0, vertical ? 1 : lines, vertical ? lines : 1, 0, 0,
                          vertical ? 1 : n, vertical ? n : 1, source.data(), &info, DIB_RGB_COLORS,
                          SRCCOPY);
            BITMAPINFO out{};
            out.bmiHeader.biWidth = vertical ? 1 : lines;
            out.bmiHeader.biHeight = vertical ? -lines : -1;
            out.bmiHeader.biBitCount = 32;
            ok = GetDIBits(mem, strip, 0, vertical ? static_cast<UINT>(lines) : 1u, shown.data(),
                           &out, DIB_RGB_COLORS) > 0;
        }
        // Across a horizontal gradient every row is the strip itself: copied row by row.
        if (ok && !vertical)
            for (int y = 0; y < height; ++y)
                BitBlt(dc, rc.left, rc.top + y, width, 1, mem, 0, 0, SRCCOPY);
        if (oldStrip) SelectObject(mem, oldStrip);
        if (strip) DeleteObject(strip);
        if (mem) DeleteDC(mem);
        if (ok && !vertical) return;
        if (ok) {
            const auto brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
            const COLORREF oldColour = GetDCBrushColor(dc);
            for (int i = 0; i < lines;) {
                int j = i + 1;
                while (j < lines &&
                       shown[static_cast<std::size_t>(j)] == shown[static_cast<std::size_t>(i)])
                    ++j;
                const std::uint32_t p = shown[static_cast<std::size_t>(i)];
                SetDCBrushColor(dc, RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
                const RECT line{rc.left, rc.top + i, rc.right, rc.top + j};
                FillRect(dc, &line, brush);
                i = j;
            }
            SetDCBrushColor(dc, oldColour);
            return;
        }
    }
    const int w = vertical ? width : n;
    const int h = vertical ? n : height;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    if (vertical) {
        for (int y = 0; y < h; ++y)
            std::fill_n(pixels.begin() + static_cast<std::ptrdiff_t>(y) * w, w, at(y));
    } else {
        for (int x = 0; x < w; ++x)
            pixels[static_cast<std::size_t>(x)] = at(x);
        for (int y = 1; y < h; ++y)
            std::copy_n(pixels.begin(), w, pixels.begin() + static_cast<std::ptrdiff_t>(y) * w);
    }
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // rows from the top
    StretchDIBits(dc, rc.left, rc.top, width, height, 0, 0, w, h, pixels.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace orvane
