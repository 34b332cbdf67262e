#include "framework/TextDrawing.h"

#include "framework/ColorsAndFonts.h"

namespace orvane {

using namespace platform;

int MeasureText(HTHEME theme, HDC dc, const std::u16string& text, UINT flags, const RECT& rc,
                int& height) {
    RECT out = rc;
    if (theme) {
        if (FAILED(GetThemeTextExtent(theme, dc, 1, 1, text.c_str(), -1, flags, &rc, &out)))
            out = rc;
    } else {
        DrawTextW(dc, text.c_str(), -1, &out, flags | DT_CALCRECT);
    }
    height = out.bottom - out.top;
    return out.right - out.left;
}

void DrawTextInColor(HDC dc, const std::u16string& text, OLE_COLOR color, UINT flags,
                     const RECT& rc) {
    const std::int32_t rgb = TranslateColor(color, 0);
    if (rgb == -1) return;
    SetTextColor(dc, static_cast<COLORREF>(rgb));
    RECT where = rc;
    DrawTextW(dc, text.c_str(), -1, &where, flags);
}

void DrawMeasuredLine(HDC dc, const std::u16string& text, OLE_COLOR color, UINT flags,
                      const RECT& rc, int width, int lineHeight) {
    const int avail = rc.right - rc.left;
    if (width > avail || text.find_first_of(u"&\t\r\n") != std::u16string::npos)
        return DrawTextInColor(dc, text, color, flags, rc);
    const std::int32_t rgb = TranslateColor(color, 0);
    if (rgb == -1 || text.empty()) return;
    SetTextColor(dc, static_cast<COLORREF>(rgb));
    int x = rc.left;
    if (flags & DT_CENTER) {
        x += (avail - width) / 2;
    } else if (flags & DT_RIGHT) {
        x += avail - width;
    }
    const int y = rc.top + ((flags & DT_VCENTER) ? (rc.bottom - rc.top - lineHeight) / 2 : 0);
    UINT options = ETO_CLIPPED;
    if (flags & DT_RTLREADING) options |= ETO_RTLREADING;
    const UINT align = GetTextAlign(dc);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP | (align & TA_RTLREADING));
    ExtTextOutW(dc, x, y, options, &rc, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    SetTextAlign(dc, align);
}

void DrawCaptionText(HDC dc, const std::u16string& text, OLE_COLOR color, UINT flags,
                     const RECT& rc) {
    RECT where = rc;
    if (flags & DT_WORDBREAK) {
        RECT measured = rc;
        DrawTextW(dc, text.c_str(), -1, &measured, flags | DT_CALCRECT);
        where.top += (rc.bottom - measured.bottom) / 2;
    }
    DrawTextInColor(dc, text, color, flags, where);
}

void DrawThemedText(HTHEME theme, HDC dc, const std::u16string& text, OLE_COLOR color, UINT flags,
                    const RECT& rc) {
    const std::int32_t rgb = ThemeColor(theme, color);
    if (theme && rgb != -1) {
        DTTOPTS options;
        options.dwFlags = DTT_TEXTCOLOR;
        options.crText = static_cast<COLORREF>(rgb);
        RECT where = rc;
        if (SUCCEEDED(DrawThemeTextEx(theme, dc, 1, 1, text.c_str(), -1, flags, &where, &options)))
            return;
    }
    const std::int32_t plain = TranslateColor(color, 0);
    if (plain == -1) return;
    SetTextColor(dc, static_cast<COLORREF>(plain));
    RECT where = rc;
    DrawTextW(dc, text.c_str(), -1, &where, flags);
}

UINT TextFlagsFromAlignment(int alignment) {
    switch (alignment) {
        case 1:
            return DT_RIGHT;
        case 2:
            return DT_CENTER;
        default:
            return DT_LEFT;
    }
}

UINT TextFlagsFromWrap(bool wordWrap, bool rightToLeft) {
    UINT flags = wordWrap ? 0xA010u : 0x40024u;
    if (rightToLeft) flags |= DT_RTLREADING;
    return flags;
}

}  // namespace orvane
