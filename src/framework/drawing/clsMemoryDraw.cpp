#include "framework/drawing/clsMemoryDraw.h"

#include <algorithm>
#include <cmath>

#include "framework/ColorsAndFonts.h"
#include "framework/GdiDrawing.h"
#include "framework/TextDrawing.h"
#include "host/App.h"
#include "host/Variant.h"

namespace orvane {

using namespace platform;

clsMemoryDraw::~clsMemoryDraw() {
    Destroy();
}

bool clsMemoryDraw::Create(int width, int height) {
    Destroy();
    const HDC display = CreateDCW(u"DISPLAY", nullptr, nullptr, nullptr);
    if (width > 0 && height > 0 && display) {
        m_dc = CreateCompatibleDC(display);
        if (m_dc) m_bitmap = CreateCompatibleBitmap(display, width, height);
        if (m_bitmap) m_oldBitmap = SelectObject(m_dc, m_bitmap);
    }
    if (display) DeleteDC(display);
    if (!m_oldBitmap) {
        Destroy();
        return false;
    }
    m_width = width;
    m_height = height;
    // Cleared with an opaque text call over the whole surface in the background colour.
    const COLORREF old = SetBkColor(m_dc, m_background);
    const RECT all{0, 0, width, height};
    ExtTextOutW(m_dc, 0, 0, ETO_OPAQUE, &all, u"", 0, nullptr);
    SetBkColor(m_dc, old);
    return true;
}

bool clsMemoryDraw::Resize(int width, int height) {
    if (IsValid() && width == m_width && height == m_height) return true;
    return Create(width, height);
}

void clsMemoryDraw::Destroy() {
    if (m_dc) {
        if (m_oldFont) SelectObject(m_dc, m_oldFont);
        if (m_oldPen) SelectObject(m_dc, m_oldPen);
        if (m_oldBitmap) SelectObject(m_dc, m_oldBitmap);
    }
    if (m_font) DeleteObject(m_font);
    if (m_pen) DeleteObject(m_pen);
    if (m_bitmap) DeleteObject(m_bitmap);
    if (m_dc) DeleteDC(m_dc);
    m_dc = HDC();
    m_bitmap = HBITMAP();
    m_oldBitmap = m_oldFont = m_oldPen = HGDIOBJ();
    m_font = HFONT();
    m_pen = HPEN();
    m_width = m_height = 0;
}

int clsMemoryDraw::BackMode() const {
    return IsValid() ? GetBkMode(m_dc) : 0;
}

void clsMemoryDraw::BackMode(int mode) {
    if (IsValid()) SetBkMode(m_dc, mode);
}

OLE_COLOR clsMemoryDraw::BackColor() const {
    return IsValid() ? GetBkColor(m_dc) : m_background;
}

void clsMemoryDraw::BackColor(OLE_COLOR color) {
    const std::int32_t rgb = TranslateColor(color, 0);
    if (rgb == -1) return;
    m_background = static_cast<COLORREF>(rgb);
    if (IsValid()) SetBkColor(m_dc, m_background);
}

OLE_COLOR clsMemoryDraw::ForeColor() const {
    return IsValid() ? GetTextColor(m_dc) : 0;
}

void clsMemoryDraw::ForeColor(OLE_COLOR color) {
    const std::int32_t rgb = TranslateColor(color, 0);
    if (IsValid() && rgb != -1) SetTextColor(m_dc, static_cast<COLORREF>(rgb));
}

void clsMemoryDraw::ExtraColor(OLE_COLOR color) {
    const std::int32_t rgb = TranslateColor(color, 0);
    if (rgb != -1) m_extraColor = static_cast<OLE_COLOR>(rgb);
}

void clsMemoryDraw::SetFont(const std::u16string& name, double size, bool bold, bool italic,
                            bool strikeOut, bool underline, int angle) {
    if (!IsValid()) return;
    const int height = static_cast<int>(roundHalfEven(size * -20.0 / TwipsPerPixelY()));
    const HFONT font = CreateFontW(height, 0, angle * 10, angle * 10, bold ? FW_BOLD : FW_NORMAL,
                                   italic, underline, strikeOut, DEFAULT_CHARSET,
                                   angle != 0 ? OUT_TT_ONLY_PRECIS : OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 0, name.c_str());
    if (!font) return;
    const HGDIOBJ previous = SelectObject(m_dc, font);
    if (!m_oldFont) m_oldFont = previous;
    if (m_font) DeleteObject(m_font);
    m_font = font;
}

std::pair<int, int> clsMemoryDraw::MeasureTextRect(const std::u16string& text, UINT flags) {
    if (!IsValid()) return {0, 0};
    int height = 0;
    const int width = MeasureText(HTHEME(), m_dc, text, flags, RECT{0, 0, m_width, 0}, height);
    return {width, height};
}

int clsMemoryDraw::TextWidth(const std::u16string& text) {
    SIZE size{};
    if (!IsValid() ||
        !GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size))
        return 0;
    return size.cx;
}

int clsMemoryDraw::TextWidth(const std::u16string& text, UINT flags) {
    return MeasureTextRect(text, flags).first;
}

void clsMemoryDraw::DrawText(const std::u16string& text, int left, int top, int right, int bottom,
                             UINT flags) {
    if (!IsValid()) return;
    const int mode = SetBkMode(m_dc, TRANSPARENT);
    RECT rc{left, top, right, bottom};
    DrawTextW(m_dc, text.c_str(), -1, &rc, flags);
    SetBkMode(m_dc, mode);
}

void clsMemoryDraw::DrawTextCentered(int x, int y, int w, int h, OLE_COLOR backColor,
                                     const std::u16string& text) {
    if (!IsValid()) return;
    const std::int32_t rgb = TranslateColor(backColor, 0);
    if (rgb == -1) return;
    const COLORREF old = SetBkColor(m_dc, static_cast<COLORREF>(rgb));
    SIZE size{};
    GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
    const RECT box{x, y, x + w, y + h};
    ExtTextOutW(m_dc, x + (w - size.cx) / 2, y + (h - size.cy) / 2, ETO_OPAQUE | ETO_CLIPPED, &box,
                text.c_str(), static_cast<UINT>(text.size()), nullptr);
    SetBkColor(m_dc, old);
}

namespace {

// The edge conventions of the rectangle calls: a reversed right or bottom edge stands for the
// surface's far edge.
RECT surfaceRect(int left, int top, int right, int bottom, int width, int height) {
    return RECT{left, top, right < left ? width : right, bottom < top ? height : bottom};
}

}  // namespace

void clsMemoryDraw::FillRectangle(int left, int top, int right, int bottom, std::int32_t color,
                                  HBRUSH brush) {
    if (!IsValid()) return;
    const RECT rc = surfaceRect(left, top, right, bottom, m_width, m_height);
    if (color == -1) {
        if (brush) FillRect(m_dc, &rc, brush);
        return;
    }
    const HBRUSH own = CreateSolidBrush(static_cast<COLORREF>(SysColorToRGB(color)));
    FillRect(m_dc, &rc, own);
    DeleteObject(own);
}

void clsMemoryDraw::FrameRectangle(int left, int top, int right, int bottom, std::int32_t color,
                                   HBRUSH brush) {
    if (!IsValid()) return;
    const RECT rc = surfaceRect(left, top, right, bottom, m_width, m_height);
    if (color == -1) {
        if (brush) FrameRect(m_dc, &rc, brush);
        return;
    }
    const HBRUSH own = CreateSolidBrush(static_cast<COLORREF>(SysColorToRGB(color)));
    FrameRect(m_dc, &rc, own);
    DeleteObject(own);
}

void clsMemoryDraw::FocusRectangle(int x, int y, int w, int h) {
    if (!IsValid()) return;
    const RECT rc{x, y, x + w, y + h};
    DrawFocusRect(m_dc, &rc);
}

void clsMemoryDraw::DrawLine(int x1, int y1, int x2, int y2, std::int32_t color, HPEN pen) {
    if (!IsValid()) return;
    const HPEN use =
        color != -1 ? CreatePen(PS_SOLID, 1, static_cast<COLORREF>(SysColorToRGB(color))) : pen;
    if (!use) return;
    const HGDIOBJ previous = SelectObject(m_dc, use);
    if (!m_oldPen) m_oldPen = previous;
    // The pen made for the last line goes once another is in.
    if (m_pen && m_pen != use) DeleteObject(m_pen);
    m_pen = color != -1 ? use : HPEN();
    if (x1 >= 0) MoveToEx(m_dc, x1, y1, nullptr);
    LineTo(m_dc, x2, y2);
}

void clsMemoryDraw::DrawArrow(int x, int y, int size, int direction, std::int32_t color) {
    if (!IsValid() || size <= 0) return;
    const int s = size - 1;
    POINT pts[3];
    switch (direction) {
        case 1:  // up
            pts[0] = {x, y + s};
            pts[1] = {x + 2 * s, y + s};
            pts[2] = {x + s, y};
            break;
        case 2:  // left
            pts[0] = {x + s, y};
            pts[1] = {x + s, y + 2 * s};
            pts[2] = {x, y + s};
            break;
        case 3:  // right
            pts[0] = {x, y};
            pts[1] = {x, y + 2 * s};
            pts[2] = {x + s, y + s};
            break;
        default:  // down
            pts[0] = {x, y};
            pts[1] = {x + 2 * s, y};
            pts[2] = {x + s, y + s};
            break;
    }
    const HRGN region = CreatePolygonRgn(pts, 3, ALTERNATE);
    const HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(SysColorToRGB(color)));
    // The region leaves out its right and bottom edges; the outline puts them back.
    FillRgn(m_dc, region, brush);
    FrameRgn(m_dc, region, brush, 1, 1);
    const HPEN pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(SysColorToRGB(color)));
    const HGDIOBJ oldPen = SelectObject(m_dc, pen);
    POINT outline[4] = {pts[0], pts[1], pts[2], pts[0]};
    Polyline(m_dc, outline, 4);
    SetPixel(m_dc, pts[2].x, pts[2].y, static_cast<COLORREF>(SysColorToRGB(color)));
    SelectObject(m_dc, oldPen);
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteObject(region);
}

void clsMemoryDraw::DrawVerticalText(const std::u16string& text, const StdFont& font,
                                     std::int32_t color, int x, int y, int w, int h, bool upwards) {
    if (!IsValid() || text.empty()) return;
    const int escapement = upwards ? 900 : 2700;
    const int height =
        -static_cast<int>(roundHalfEven(font.Size() * GetDeviceCaps(m_dc, LOGPIXELSY) / 72.0));
    const HFONT rotated =
        CreateFontW(height, 0, escapement, escapement, font.Weight(), font.Italic(),
                    font.Underline(), font.Strikethrough(), DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                    CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 0, font.Name().c_str());
    if (!rotated) return;
    const HGDIOBJ old = SelectObject(m_dc, rotated);
    SIZE size{};  // along the baseline, and across it
    GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
    const int mode = SetBkMode(m_dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(m_dc, static_cast<COLORREF>(SysColorToRGB(color)));
    // Upwards the text starts at the bottom with its top to the left; downwards at the top with
    // its top to the right.
    if (upwards) {
        ExtTextOutW(m_dc, x + (w - size.cy) / 2, y + (h + size.cx) / 2, 0, nullptr, text.c_str(),
                    static_cast<UINT>(text.size()), nullptr);
    } else {
        ExtTextOutW(m_dc, x + (w + size.cy) / 2, y + (h - size.cx) / 2, 0, nullptr, text.c_str(),
                    static_cast<UINT>(text.size()), nullptr);
    }
    SetTextColor(m_dc, oldColour);
    SetBkMode(m_dc, mode);
    SelectObject(m_dc, old);
    DeleteObject(rotated);
}

std::int32_t clsMemoryDraw::SysColorToRGB(std::int32_t color) {
    // Colours are 32-bit: a system colour has the top bit set.
    if (color & 0x80000000L)
        return static_cast<std::int32_t>(GetSysColor(static_cast<int>(color & 0x7FFFFFFF)));
    return color;
}

std::int32_t clsMemoryDraw::BlendColors(std::int32_t color1, std::int32_t color2, int alpha) {
    const std::int32_t a = SysColorToRGB(color1);
    const std::int32_t b = SysColorToRGB(color2);
    std::int32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const double c1 = static_cast<double>((a >> shift) & 0xFF);
        const double c2 = static_cast<double>((b >> shift) & 0xFF);
        const double mixed = c1 * alpha / 255.0 + c2 * (255 - alpha) / 255.0;
        result |= (static_cast<std::int32_t>(roundHalfEven(mixed)) & 0xFF) << shift;
    }
    return result;
}

void clsMemoryDraw::GradientFill(const RECT& rc, OLE_COLOR color1, OLE_COLOR color2,
                                 bool vertical) {
    if (IsValid()) DrawGradient(m_dc, rc, color1, color2, vertical);
}

void clsMemoryDraw::DrawTo(HDC target, int x, int y, int w, int h, bool stretch, int xSrc, int ySrc,
                           bool invert) {
    if (!IsValid()) return;
    if (w == 0) w = m_width;
    if (h == 0) h = m_height;
    if (stretch && (w != m_width || h != m_height)) {
        SetBrushOrgEx(target, 0, 0, nullptr);
        StretchBlt(target, x, y, w, h, m_dc, 0, 0, m_width, m_height, SRCCOPY);
        return;
    }
    BitBlt(target, x, y, w, h, m_dc, xSrc, ySrc, invert ? SRCINVERT : SRCCOPY);
}

}  // namespace orvane
