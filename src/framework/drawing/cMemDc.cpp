#include "framework/drawing/cMemDc.h"

#include <algorithm>

#include "host/Variant.h"

namespace orvane {

using namespace platform;

cMemDc::cMemDc() {
    EnsureDC(100, 100);
}

cMemDc::~cMemDc() {
    destroySurface();
    if (m_font) DeleteObject(m_font);
}

void cMemDc::destroySurface() {
    if (m_dc) {
        if (m_oldFont) SelectObject(m_dc, m_oldFont);
        if (m_oldBitmap) SelectObject(m_dc, m_oldBitmap);
        DeleteDC(m_dc);
    }
    if (m_bitmap) DeleteObject(m_bitmap);
    m_dc = HDC();
    m_bitmap = HBITMAP();
    m_oldBitmap = m_oldFont = HGDIOBJ();
    m_width = m_height = 0;
}

HDC cMemDc::EnsureDC(int width, int height) {
    if (m_dc && m_width >= width && m_height >= height) return m_dc;
    destroySurface();
    if (width <= 0 || height <= 0) return HDC();
    const HDC display = CreateDCW(u"DISPLAY", nullptr, nullptr, nullptr);
    if (display) {
        m_dc = CreateCompatibleDC(display);
        if (m_dc) m_bitmap = CreateCompatibleBitmap(display, width, height);
        if (m_bitmap) m_oldBitmap = SelectObject(m_dc, m_bitmap);
        DeleteDC(display);
    }
    if (!m_oldBitmap) {
        destroySurface();
        return HDC();
    }
    m_width = width;
    m_height = height;
    if (m_font) m_oldFont = SelectObject(m_dc, m_font);  // the font moves to the new surface
    return m_dc;
}

int cMemDc::TextWidth(const std::u16string& text) {
    SIZE size{};
    const HDC dc = EnsureDC(100, 100);
    if (!dc || !GetTextExtentPointW(dc, text.c_str(), static_cast<int>(text.size()), &size))
        return 0;
    return size.cx;
}

int cMemDc::TextHeight(const std::u16string& text) {
    SIZE size{};
    const HDC dc = EnsureDC(100, 100);
    if (!dc || !GetTextExtentPointW(dc, text.c_str(), static_cast<int>(text.size()), &size))
        return 0;
    return size.cy;
}

std::pair<int, int> cMemDc::MeasureRect(const std::u16string& text, UINT flags, const RECT& rc) {
    const HDC dc = (flags & DT_WORDBREAK) ? EnsureDC(rc.right - rc.left, 100) : EnsureDC(100, 100);
    if (!dc) return {0, 0};
    RECT out = rc;
    DrawTextW(dc, text.c_str(), -1, &out, flags | DT_CALCRECT);
    return {out.bottom - out.top, out.right - out.left};
}

void cMemDc::SetFont(const StdFont& font) {
    const HDC dc = EnsureDC(100, 100);
    LOGFONTW lf{};
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    lf.lfHeight = -(static_cast<int>(roundHalfEven(font.Size() * dpi)) / 72);
    lf.lfWeight = font.Weight();
    lf.lfCharSet = static_cast<BYTE>(font.Charset());
    lf.lfItalic = font.Italic() ? 1 : 0;
    lf.lfUnderline = font.Underline() ? 1 : 0;
    lf.lfStrikeOut = font.Strikethrough() ? 1 : 0;
    const std::u16string& name = font.Name();
    std::copy_n(name.data(), std::min<std::size_t>(name.size(), LF_FACESIZE - 1), lf.lfFaceName);
    const HFONT created = CreateFontIndirectW(&lf);
    if (!created) return;
    if (dc) {
        const HGDIOBJ previous = SelectObject(dc, created);
        if (!m_oldFont) m_oldFont = previous;
    }
    if (m_font) DeleteObject(m_font);
    m_font = created;
}

void cMemDc::DrawTo(HDC target, int xSrc, int ySrc, int w, int h, int xDest, int yDest) {
    if (!m_dc) return;
    if (w <= 0) w = m_width;
    if (h <= 0) h = m_height;
    BitBlt(target, xDest, yDest, w, h, m_dc, xSrc, ySrc, SRCCOPY);
}

}  // namespace orvane
