// Visual styles: theme handles opened for a window class, the theme's colours, and text drawn
// and measured as a theme part draws it. Styles can be switched off (EnableTheming), so code
// takes its plain path; OpenThemeData then gives no handle.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/base/Types.h"

namespace orvane::platform {

using HTHEME = Handle<struct HTHEMETag>;

BOOL IsThemeActive();
// Styles on and no theme open (for a fresh platform).
void resetThemes();
// Switches visual styles on or off for the whole process.
HRESULT EnableTheming(BOOL enable);
// A theme for the first class of a ";"-separated list that the theme knows ("BUTTON",
// "EDIT", "TOOLTIP", ...), or null when styles are off or no class is known.
HTHEME OpenThemeData(HWND hwnd, LPCWSTR classList);
HRESULT CloseThemeData(HTHEME theme);
// The theme's own system colours: those of the default scheme, whatever SetSysColors did
// since. A null theme gives the current system colour.
COLORREF GetThemeSysColor(HTHEME theme, int colorId);

// Text as DrawTextW lays it out, in the DC's font; its colour is the part's unless
// DTT_TEXTCOLOR gives one. Only the options below are understood; others fail with
// E_INVALIDARG.
struct DTTOPTS {
    DWORD dwSize = sizeof(DTTOPTS);
    DWORD dwFlags = 0;
    COLORREF crText = 0;
    COLORREF crBorder = 0;
    COLORREF crShadow = 0;
    int iTextShadowType = 0;
    POINT ptShadowOffset{};
    int iBorderSize = 0;
    int iFontPropId = 0;
    int iColorPropId = 0;
    int iStateId = 0;
    BOOL fApplyOverlay = FALSE;
    int iGlowSize = 0;
    void* pfnDrawTextCallback = nullptr;
    LPARAM lParam = 0;
};
inline constexpr DWORD DTT_TEXTCOLOR = 0x1;
inline constexpr DWORD DTT_CALCRECT = 0x200;

HRESULT GetThemeTextExtent(HTHEME theme, HDC hdc, int part, int state, LPCWSTR text, int count,
                           DWORD flags, const RECT* bounding, RECT* extent);
HRESULT DrawThemeText(HTHEME theme, HDC hdc, int part, int state, LPCWSTR text, int count,
                      DWORD flags, DWORD flags2, const RECT* rect);
HRESULT DrawThemeTextEx(HTHEME theme, HDC hdc, int part, int state, LPCWSTR text, int count,
                        DWORD flags, RECT* rect, const DTTOPTS* options);

}  // namespace orvane::platform
