// Visual styles: theme handles opened for a window class, the theme's colours, text drawn and
// measured as a theme part draws it, and the parts themselves. The look is built in and kept as
// data (ThemeLook.cpp): a table of parts and states per class, drawn anti-aliased by one
// renderer at the DC's DPI and kept in a small cache of rendered images, so that drawing a part
// again is one alpha blend. Classes drawn so far: "Button", "Header", "ListView", "Menu",
// "Progress", "Spin", "TreeView".
// Styles can be switched off (EnableTheming), so code takes its plain path; OpenThemeData then
// gives no handle.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/base/Types.h"
#include "platform/theme/ThemeParts.h"

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
// Chooses a window's style by application name: "explorer" or none (the one built-in look);
// other names and class lists fail.
HRESULT SetWindowTheme(HWND hwnd, LPCWSTR subAppName, LPCWSTR subIdList);
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

// Theme parts. A null or closed theme gives E_HANDLE; a part the class does not have, a state out
// of range, or a missing rectangle gives E_INVALIDARG; a class the theme does not draw yet gives
// E_NOTIMPL. Lengths are scaled by the DPI of `hdc`, or of the screen when `hdc` is null.

// Draws the part over `rect`, only inside `clip` when one is given, through the DC's clipping
// and coordinate mapping. An empty rectangle draws nothing. States count from 1.
HRESULT DrawThemeBackground(HTHEME theme, HDC hdc, int part, int state, const RECT* rect,
                            const RECT* clip);
// The part's smallest, natural or drawn size; `rect` (optional) is where it would be drawn.
// State 0 asks for the part as a whole.
HRESULT GetThemePartSize(HTHEME theme, HDC hdc, int part, int state, const RECT* rect,
                         THEMESIZE size, SIZE* out);
// The area inside the part's border and padding.
HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC hdc, int part, int state,
                                      const RECT* bounding, RECT* content);
// The part's outer rectangle around a content area: the inverse of the content rectangle.
HRESULT GetThemeBackgroundExtent(HTHEME theme, HDC hdc, int part, int state, const RECT* content,
                                 RECT* extent);
// Whether the part leaves some pixels of its rectangle showing what lies beneath (rounded
// corners, anti-aliased edges). FALSE for anything that is not a part of the theme.
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
// Whether the theme draws the part; the state is unused and should be 0.
BOOL IsThemePartDefined(HTHEME theme, int part, int state);
// Paints what the parent shows behind `child` into the child's DC: the parent gets
// WM_ERASEBKGND then WM_PRINTCLIENT (PRF_CLIENT) with its client origin mapped to the right
// place; `rect` (child client coordinates, optional) limits the painting. The DC's state is
// restored afterwards.
HRESULT DrawThemeParentBackground(HWND child, HDC hdc, const RECT* rect);

}  // namespace orvane::platform
