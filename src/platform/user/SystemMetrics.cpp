#include "platform/user/SystemMetrics.h"

#include <array>
#include <cmath>

#include "platform/base/HandleTable.h"
#include "platform/base/LastError.h"
#include "platform/gdi/BrushObject.h"
#include "platform/gdi/GdiInternal.h"

namespace orvane::platform {

namespace {

constexpr int kColorCount = 31;

constexpr std::array<COLORREF, kColorCount> kDefaultColors = {
    RGB(200, 200, 200),  // scroll bar
    RGB(0, 0, 0),        // desktop
    RGB(153, 180, 209),  // active caption
    RGB(191, 205, 219),  // inactive caption
    RGB(240, 240, 240),  // menu
    RGB(255, 255, 255),  // window
    RGB(100, 100, 100),  // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(0, 0, 0),        // caption text
    RGB(180, 180, 180),  // active border
    RGB(244, 247, 252),  // inactive border
    RGB(171, 171, 171),  // application workspace
    RGB(0, 120, 215),    // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(240, 240, 240),  // button face
    RGB(160, 160, 160),  // button shadow
    RGB(109, 109, 109),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(0, 0, 0),        // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(105, 105, 105),  // 3D dark shadow
    RGB(227, 227, 227),  // 3D light
    RGB(0, 0, 0),        // info text
    RGB(255, 255, 225),  // info background
    RGB(0, 0, 0),        // unused
    RGB(0, 102, 204),    // hot light
    RGB(185, 209, 234),  // gradient active caption
    RGB(215, 228, 242),  // gradient inactive caption
    RGB(0, 120, 215),    // menu highlight
    RGB(240, 240, 240),  // menu bar
};

struct SysColors {
    std::array<COLORREF, kColorCount> colors = kDefaultColors;
    std::array<std::uint32_t, kColorCount> brushes{};
};

SysColors& sysColors() {
    static SysColors s;
    return s;
}

int scaled(int value96, UINT dpi) {
    return static_cast<int>(std::lround(value96 * dpi / 96.0));
}

}  // namespace

COLORREF GetDefaultSysColor(int index) {
    if (index < 0 || index >= kColorCount) return 0;
    return kDefaultColors[static_cast<std::size_t>(index)];
}

DWORD GetSysColor(int index) {
    if (index < 0 || index >= kColorCount) return 0;
    return sysColors().colors[index];
}

HRESULT OleTranslateColor(DWORD color, HPALETTE palette, COLORREF* out) {
    COLORREF rgb = 0;
    switch (color >> 24) {
        case 0x00:
        case 0x02:
            rgb = color & 0xFFFFFF;
            break;
        case 0x01:
            return palette ? E_NOTIMPL : E_INVALIDARG;
        case 0x80:
            if ((color & 0xFFFF00) != 0 || (color & 0xFF) >= static_cast<DWORD>(kColorCount))
                return E_INVALIDARG;
            rgb = GetSysColor(static_cast<int>(color & 0xFF));
            break;
        default:
            return E_INVALIDARG;
    }
    if (out) *out = rgb;
    return S_OK;
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= kColorCount) return HBRUSH();
    SysColors& s = sysColors();
    auto* brush = HandleTable::current().get<BrushObject>(s.brushes[index]);
    if (!brush) {
        auto b = std::make_unique<BrushObject>();
        b->log.lbStyle = BS_SOLID;
        b->log.lbColor = s.colors[index];
        s.brushes[index] = HandleTable::current().add(std::move(b), true);
    }
    return HBRUSH(s.brushes[index]);
}

BOOL SetSysColors(int count, const INT* indexes, const COLORREF* values) {
    if (count < 0 || (count && (!indexes || !values))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SysColors& s = sysColors();
    for (int i = 0; i < count; ++i) {
        const int k = indexes[i];
        if (k < 0 || k >= kColorCount) continue;
        s.colors[k] = values[i] & 0x00FFFFFF;
        if (auto* brush = HandleTable::current().get<BrushObject>(s.brushes[k]))
            brush->log.lbColor = s.colors[k];
    }
    return TRUE;
}

void resetSystemColors() {
    sysColors() = SysColors{};
}

LOGFONTW DefaultUiFont(UINT dpi) {
    LOGFONTW lf;
    lf.lfHeight = -scaled(12, dpi);  // 9 points
    lf.lfWeight = 400;
    lf.lfCharSet = 1;  // DEFAULT_CHARSET
    const char16_t face[] = u"Segoe UI";
    for (std::size_t i = 0; face[i]; ++i)
        lf.lfFaceName[i] = face[i];
    return lf;
}

UINT GetDpiForSystem() {
    return static_cast<UINT>(gdi::screenInfo().dpi);
}

int GetSystemMetrics(int index) {
    return GetSystemMetricsForDpi(index, GetDpiForSystem());
}

int GetSystemMetricsForDpi(int index, UINT dpi) {
    const gdi::ScreenInfo& screen = gdi::screenInfo();
    switch (index) {
        case SM_CXSCREEN:
        case SM_CXVIRTUALSCREEN:
        case SM_CXFULLSCREEN:
        case SM_CXMAXIMIZED:
            return screen.width;
        case SM_CYSCREEN:
        case SM_CYVIRTUALSCREEN:
        case SM_CYMAXIMIZED:
            return screen.height;
        case SM_CYFULLSCREEN:
            return screen.height - scaled(23, dpi);
        case SM_XVIRTUALSCREEN:
        case SM_YVIRTUALSCREEN:
            return 0;
        case SM_CXMAXTRACK:
            return screen.width + 2 * scaled(8, dpi);
        case SM_CYMAXTRACK:
            return screen.height + 2 * scaled(8, dpi);
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
            return scaled(17, dpi);
        case SM_CYCAPTION:
            return scaled(23, dpi);
        case SM_CXBORDER:
        case SM_CYBORDER:
        case SM_CXFOCUSBORDER:
        case SM_CYFOCUSBORDER:
            return 1;
        case SM_CXFIXEDFRAME:
        case SM_CYFIXEDFRAME:
            return scaled(3, dpi);
        case SM_CXSIZEFRAME:
        case SM_CYSIZEFRAME:
            return scaled(4, dpi);
        case SM_CXPADDEDBORDER:
            return scaled(4, dpi);
        case SM_CXEDGE:
        case SM_CYEDGE:
            return scaled(2, dpi);
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return scaled(32, dpi);
        case SM_CXSMICON:
        case SM_CYSMICON:
            return scaled(16, dpi);
        case SM_CYMENU:
            return scaled(20, dpi);
        case SM_CXMIN:
        case SM_CXMINTRACK:
            return scaled(136, dpi);
        case SM_CYMIN:
        case SM_CYMINTRACK:
            return scaled(39, dpi);
        case SM_CXSIZE:
            return scaled(36, dpi);
        case SM_CYSIZE:
            return scaled(22, dpi);
        case SM_CYSMCAPTION:
            return scaled(23, dpi);
        case SM_CXSMSIZE:
        case SM_CYSMSIZE:
            return scaled(22, dpi);
        case SM_CXMENUSIZE:
        case SM_CYMENUSIZE:
            return scaled(19, dpi);
        case SM_CXMENUCHECK:
        case SM_CYMENUCHECK:
            return scaled(15, dpi);
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
        case SM_CXDRAG:
        case SM_CYDRAG:
            return scaled(4, dpi);
        case SM_CXICONSPACING:
        case SM_CYICONSPACING:
            return scaled(75, dpi);
        case SM_MOUSEPRESENT:
        case SM_MOUSEWHEELPRESENT:
        case SM_CMONITORS:
        case SM_SAMEDISPLAYFORMAT:
            return 1;
        case SM_CMOUSEBUTTONS:
            return 5;
        case SM_SWAPBUTTON:
        case SM_MENUDROPALIGNMENT:
        case SM_REMOTESESSION:
            return 0;
        default:
            ReportUnsupported("GetSystemMetrics", "index", ERROR_INVALID_PARAMETER);
            return 0;
    }
}

BOOL SystemParametersInfoW(UINT action, UINT, void* data, UINT) {
    auto setUint = [&](UINT v) {
        if (!data) return FALSE;
        *static_cast<UINT*>(data) = v;
        return TRUE;
    };
    auto setBool = [&](BOOL v) {
        if (!data) return FALSE;
        *static_cast<BOOL*>(data) = v;
        return TRUE;
    };
    switch (action) {
        case SPI_GETFOCUSBORDERWIDTH:
        case SPI_GETFOCUSBORDERHEIGHT:
            return setUint(1);
        case SPI_GETMOUSEHOVERWIDTH:
        case SPI_GETMOUSEHOVERHEIGHT:
            return setUint(4);
        case SPI_GETMOUSEHOVERTIME:
            return setUint(400);
        case SPI_GETWHEELSCROLLLINES:
        case SPI_GETWHEELSCROLLCHARS:
            return setUint(3);
        case SPI_GETMENUSHOWDELAY:
            return setUint(400);
        case SPI_GETKEYBOARDDELAY:
            return setUint(1);
        case SPI_GETKEYBOARDSPEED:
            return setUint(31);
        case SPI_GETCARETWIDTH:
            return setUint(1);
        case SPI_GETBORDER:
            return setUint(1);
        case SPI_GETKEYBOARDCUES:
            return setBool(FALSE);
        case SPI_GETHOTTRACKING:
        case SPI_GETMENUFADE:
        case SPI_GETSELECTIONFADE:
        case SPI_GETTOOLTIPANIMATION:
        case SPI_GETTOOLTIPFADE:
        case SPI_GETCURSORSHADOW:
        case SPI_GETMENUANIMATION:
        case SPI_GETCOMBOBOXANIMATION:
        case SPI_GETLISTBOXSMOOTHSCROLLING:
        case SPI_GETGRADIENTCAPTIONS:
        case SPI_GETUIEFFECTS:
        case SPI_GETCLIENTAREAANIMATION:
        case SPI_GETFLATMENU:
        case SPI_GETDROPSHADOW:
        case SPI_GETDRAGFULLWINDOWS:
        case SPI_GETFONTSMOOTHING:
        case SPI_GETICONTITLEWRAP:
            return setBool(TRUE);
        case SPI_GETMENUDROPALIGNMENT:
            return setBool(FALSE);
        case SPI_GETNONCLIENTMETRICS: {
            auto* ncm = static_cast<NONCLIENTMETRICSW*>(data);
            if (!ncm || ncm->cbSize != sizeof(NONCLIENTMETRICSW)) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return FALSE;
            }
            const UINT dpi = GetDpiForSystem();
            ncm->iBorderWidth = 1;
            ncm->iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
            ncm->iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
            ncm->iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
            ncm->iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
            ncm->iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
            ncm->iSmCaptionHeight = GetSystemMetrics(SM_CYSMSIZE);
            ncm->iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
            ncm->iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
            ncm->iPaddedBorderWidth = GetSystemMetrics(SM_CXPADDEDBORDER);
            ncm->lfCaptionFont = ncm->lfSmCaptionFont = ncm->lfMenuFont = ncm->lfStatusFont =
                ncm->lfMessageFont = DefaultUiFont(dpi);
            return TRUE;
        }
        case SPI_GETICONTITLELOGFONT: {
            if (!data) return FALSE;
            *static_cast<LOGFONTW*>(data) = DefaultUiFont(GetDpiForSystem());
            return TRUE;
        }
        case SPI_GETWORKAREA: {
            if (!data) return FALSE;
            const gdi::ScreenInfo& screen = gdi::screenInfo();
            // The task bar takes the bottom 40 pixels (at 96 DPI) of the screen.
            *static_cast<RECT*>(data) =
                RECT{0, 0, screen.width, screen.height - scaled(40, static_cast<UINT>(screen.dpi))};
            return TRUE;
        }
        default:
            ReportUnsupported("SystemParametersInfoW", "action", ERROR_INVALID_PARAMETER);
            return FALSE;
    }
}

}  // namespace orvane::platform
