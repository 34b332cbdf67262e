#include "RatioChart.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <istream>
#include <stdexcept>

#include "platform/base/CodePages.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/DrawText.h"
#include "platform/text/Text.h"

namespace orvane::bench {

using namespace platform;

std::vector<RatioBar> readRatios(std::istream& in) {
    std::vector<RatioBar> bars;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty()) continue;
        const auto tab = line.find('\t');
        RatioBar bar;
        bar.label = FromUtf8(line.substr(0, tab));
        const std::string value = tab == std::string::npos ? "" : line.substr(tab + 1);
        if (!value.empty() && value != "-") {
            std::size_t used = 0;
            double ratio = 0;
            try {
                ratio = std::stod(value, &used);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used != value.size() || !(ratio > 0) || !std::isfinite(ratio))
                throw std::runtime_error("line " + std::to_string(number) + ": \"" + value +
                                         "\" is not a ratio");
            bar.ratio = ratio;
        }
        bars.push_back(std::move(bar));
    }
    return bars;
}

ChartLayout::ChartLayout(const std::vector<RatioBar>& bars)
    : m_height(kTop + static_cast<int>(bars.size()) * kRowHeight + 40), m_decades(3) {
    for (const RatioBar& bar : bars)
        if (bar.ratio)
            m_decades =
                std::max(m_decades, static_cast<int>(std::ceil(std::abs(std::log2(*bar.ratio)))));
    m_decades = std::min(m_decades, 6);
}

int ChartLayout::xOf(double ratio) const {
    const double position = std::clamp(std::log2(ratio) / m_decades, -1.0, 1.0);  // -1 .. 1
    const double centre = (kAxisLeft + kAxisRight) / 2.0;
    return static_cast<int>(std::lround(centre + position * (kAxisRight - kAxisLeft) / 2.0));
}

namespace {

// A 32-bit top-down DIB section selected into a memory DC, with a font of `pixels` in height.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height) {
        BITMAPINFO info{};
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biBitCount = 32;
        m_bitmap = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &m_bits, HANDLE(), 0);
        m_dc = CreateCompatibleDC(HDC());
        m_oldBitmap = SelectObject(m_dc, m_bitmap);
        SetBkMode(m_dc, TRANSPARENT);
    }
    ~Canvas() {
        SelectObject(m_dc, m_oldBitmap);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }

    void fill(RECT rc, COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(m_dc, &rc, brush);
        DeleteObject(brush);
    }
    void line(int x0, int y0, int x1, int y1, int style, COLORREF colour) {
        HPEN pen = CreatePen(style, 1, colour);
        HGDIOBJ old = SelectObject(m_dc, pen);
        MoveToEx(m_dc, x0, y0, nullptr);
        LineTo(m_dc, x1, y1);
        SelectObject(m_dc, old);
        DeleteObject(pen);
    }
    void text(const std::u16string& s, RECT rc, UINT format, COLORREF colour, int pixels,
              bool bold = false) {
        HFONT font = CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                                 DEFAULT_CHARSET, 0, 0, 0, 0, u"DejaVu Sans");
        HGDIOBJ old = SelectObject(m_dc, font);
        SetTextColor(m_dc, colour);
        DrawTextW(m_dc, s.data(), static_cast<int>(s.size()), &rc, format);
        SelectObject(m_dc, old);
        DeleteObject(font);
    }
    int textWidth(const std::u16string& s, int pixels) {
        HFONT font = CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                 u"DejaVu Sans");
        HGDIOBJ old = SelectObject(m_dc, font);
        SIZE size{};
        GetTextExtentPoint32W(m_dc, s.data(), static_cast<int>(s.size()), &size);
        SelectObject(m_dc, old);
        DeleteObject(font);
        return size.cx;
    }
    // The pixels, copied out of the DIB section.
    PixelSurface pixels() const {
        const auto* first = static_cast<const std::uint32_t*>(m_bits);
        return PixelSurface(std::vector<std::uint32_t>(first, first + m_width * m_height), m_width,
                            m_height);
    }

private:
    int m_width, m_height;
    void* m_bits = nullptr;
    HBITMAP m_bitmap;
    HDC m_dc;
    HGDIOBJ m_oldBitmap;
};

std::u16string ratioText(double ratio) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, ratio < 10 ? "%.2f\u00D7" : "%.1f\u00D7", ratio);
    return FromUtf8(buffer);
}

std::u16string tickText(int power) {
    if (power >= 0) return FromUtf8(std::to_string(1 << power) + "\u00D7");
    return FromUtf8("1/" + std::to_string(1 << -power));
}

}  // namespace

PixelSurface drawRatioChart(const std::vector<RatioBar>& bars, const std::u16string& title) {
    const ChartLayout layout(bars);
    constexpr COLORREF kInk = 0x00202020, kGrid = 0x00C8C8C8, kMuted = 0x00808080;
    Canvas canvas(ChartLayout::kWidth, layout.height());
    canvas.fill(RECT{0, 0, ChartLayout::kWidth, layout.height()}, 0x00FFFFFF);
    canvas.text(title, RECT{16, 8, ChartLayout::kWidth - 16, 36},
                DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, kInk, 15, true);

    const int axisTop = layout.rowTop(0) - 4;
    const int axisBottom = layout.rowTop(static_cast<int>(bars.size())) + 4;
    for (int power = -layout.decades(); power <= layout.decades(); ++power) {
        const int x = layout.xOf(std::ldexp(1.0, power));
        canvas.line(x, axisTop, x, axisBottom, power == 0 ? PS_SOLID : PS_DOT,
                    power == 0 ? kInk : kGrid);
        canvas.text(tickText(power), RECT{x - 30, axisBottom + 4, x + 30, axisBottom + 22},
                    DT_SINGLELINE | DT_CENTER | DT_TOP, kMuted, 11);
    }

    const int one = layout.xOf(1.0);
    for (int row = 0; row < static_cast<int>(bars.size()); ++row) {
        const RatioBar& bar = bars[row];
        const int top = layout.rowTop(row);
        canvas.text(bar.label,
                    RECT{8, top, ChartLayout::kLabelRight, top + ChartLayout::kRowHeight},
                    DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_END_ELLIPSIS, kInk, 12);
        if (!bar.ratio) {
            canvas.text(u"\u2014 not yet built",
                        RECT{one + 8, top, ChartLayout::kAxisRight, top + ChartLayout::kRowHeight},
                        DT_SINGLELINE | DT_VCENTER | DT_LEFT, kMuted, 12);
            continue;
        }
        const int end = layout.xOf(*bar.ratio);
        const bool better = *bar.ratio < 1.0;
        const int barTop = layout.barTop(row);
        canvas.fill(RECT{std::min(one, end), barTop, std::max(one, end) + (end == one ? 1 : 0),
                         barTop + ChartLayout::kBarHeight},
                    better ? kBetterColour : kWorseColour);
        // The figure beside the bar's far end; where the labels or the edge leave no room for
        // it there, inside the bar in white.
        const std::u16string value = ratioText(*bar.ratio);
        const int width = canvas.textWidth(value, 12);
        int x = better ? end - 6 - width : end + 6;
        COLORREF ink = kInk;
        if (x < ChartLayout::kLabelRight + 4 || x + width > ChartLayout::kWidth - 4) {
            x = better ? end + 4 : end - 4 - width;
            ink = 0x00FFFFFF;
        }
        canvas.text(value, RECT{x, top, x + width + 2, top + ChartLayout::kRowHeight},
                    DT_SINGLELINE | DT_VCENTER | DT_LEFT, ink, 12);
    }
    return canvas.pixels();
}

}  // namespace orvane::bench
