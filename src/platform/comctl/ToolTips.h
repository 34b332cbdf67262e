// The tooltip control, class "tooltips_class32": messages, styles, flags and structures with the
// Windows names and values.
//
// Supported messages: TTM_ACTIVATE, TTM_SETDELAYTIME, TTM_GETDELAYTIME, TTM_ADDTOOLW,
// TTM_DELTOOLW, TTM_NEWTOOLRECTW, TTM_RELAYEVENT, TTM_GETTOOLINFOW, TTM_SETTOOLINFOW,
// TTM_HITTESTW, TTM_GETTEXTW, TTM_UPDATETIPTEXTW, TTM_GETTOOLCOUNT, TTM_ENUMTOOLSW,
// TTM_GETCURRENTTOOLW, TTM_TRACKACTIVATE, TTM_TRACKPOSITION, TTM_SETTIPBKCOLOR,
// TTM_GETTIPBKCOLOR, TTM_SETTIPTEXTCOLOR, TTM_GETTIPTEXTCOLOR, TTM_SETMAXTIPWIDTH,
// TTM_GETMAXTIPWIDTH, TTM_SETMARGIN, TTM_GETMARGIN, TTM_POP, TTM_POPUP, TTM_UPDATE,
// TTM_GETBUBBLESIZE, TTM_ADJUSTRECT, TTM_SETTITLEW (standard icons only), TTM_GETTITLE,
// WM_SETFONT, WM_GETFONT.
// Notifications: TTN_GETDISPINFOW, TTN_SHOW, TTN_POP.
// Styles: TTS_ALWAYSTIP, TTS_NOPREFIX, TTS_NOANIMATE, TTS_NOFADE, TTS_BALLOON; WS_EX_LAYOUTRTL.
// Tool flags: TTF_IDISHWND, TTF_CENTERTIP, TTF_RTLREADING, TTF_SUBCLASS, TTF_TRACK,
// TTF_ABSOLUTE, TTF_TRANSPARENT, TTF_DI_SETITEM.
// Not supported (the message fails and is reported): the ANSI messages, TTM_WINDOWFROMPOINT,
// TTM_SETWINDOWTHEME, TTS_CLOSE, TTF_PARSELINKS, string resources as tool text and icon
// handles as title icons.
#pragma once

#include "platform/comctl/CommonTypes.h"

namespace orvane::platform {

inline const char16_t* const TOOLTIPS_CLASSW = u"tooltips_class32";

// Styles.
inline constexpr DWORD TTS_ALWAYSTIP = 0x01;
inline constexpr DWORD TTS_NOPREFIX = 0x02;
inline constexpr DWORD TTS_NOANIMATE = 0x10;
inline constexpr DWORD TTS_NOFADE = 0x20;
inline constexpr DWORD TTS_BALLOON = 0x40;
inline constexpr DWORD TTS_CLOSE = 0x80;

// Tool flags.
inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_CENTERTIP = 0x0002;
inline constexpr UINT TTF_RTLREADING = 0x0004;
inline constexpr UINT TTF_SUBCLASS = 0x0010;
inline constexpr UINT TTF_TRACK = 0x0020;
inline constexpr UINT TTF_ABSOLUTE = 0x0080;
inline constexpr UINT TTF_TRANSPARENT = 0x0100;
inline constexpr UINT TTF_PARSELINKS = 0x1000;
inline constexpr UINT TTF_DI_SETITEM = 0x8000;

// Delay kinds.
inline constexpr WPARAM TTDT_AUTOMATIC = 0;
inline constexpr WPARAM TTDT_RESHOW = 1;
inline constexpr WPARAM TTDT_AUTOPOP = 2;
inline constexpr WPARAM TTDT_INITIAL = 3;

// Title icons.
inline constexpr WPARAM TTI_NONE = 0;
inline constexpr WPARAM TTI_INFO = 1;
inline constexpr WPARAM TTI_WARNING = 2;
inline constexpr WPARAM TTI_ERROR = 3;
inline constexpr WPARAM TTI_INFO_LARGE = 4;
inline constexpr WPARAM TTI_WARNING_LARGE = 5;
inline constexpr WPARAM TTI_ERROR_LARGE = 6;

// Messages.
inline constexpr UINT TTM_ACTIVATE = WM_USER + 1;
inline constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;
inline constexpr UINT TTM_ADDTOOLA = WM_USER + 4;
inline constexpr UINT TTM_DELTOOLA = WM_USER + 5;
inline constexpr UINT TTM_NEWTOOLRECTA = WM_USER + 6;
inline constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
inline constexpr UINT TTM_GETTOOLINFOA = WM_USER + 8;
inline constexpr UINT TTM_SETTOOLINFOA = WM_USER + 9;
inline constexpr UINT TTM_HITTESTA = WM_USER + 10;
inline constexpr UINT TTM_GETTEXTA = WM_USER + 11;
inline constexpr UINT TTM_UPDATETIPTEXTA = WM_USER + 12;
inline constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
inline constexpr UINT TTM_ENUMTOOLSA = WM_USER + 14;
inline constexpr UINT TTM_GETCURRENTTOOLA = WM_USER + 15;
inline constexpr UINT TTM_WINDOWFROMPOINT = WM_USER + 16;
inline constexpr UINT TTM_TRACKACTIVATE = WM_USER + 17;
inline constexpr UINT TTM_TRACKPOSITION = WM_USER + 18;
inline constexpr UINT TTM_SETTIPBKCOLOR = WM_USER + 19;
inline constexpr UINT TTM_SETTIPTEXTCOLOR = WM_USER + 20;
inline constexpr UINT TTM_GETDELAYTIME = WM_USER + 21;
inline constexpr UINT TTM_GETTIPBKCOLOR = WM_USER + 22;
inline constexpr UINT TTM_GETTIPTEXTCOLOR = WM_USER + 23;
inline constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;
inline constexpr UINT TTM_GETMAXTIPWIDTH = WM_USER + 25;
inline constexpr UINT TTM_SETMARGIN = WM_USER + 26;
inline constexpr UINT TTM_GETMARGIN = WM_USER + 27;
inline constexpr UINT TTM_POP = WM_USER + 28;
inline constexpr UINT TTM_UPDATE = WM_USER + 29;
inline constexpr UINT TTM_GETBUBBLESIZE = WM_USER + 30;
inline constexpr UINT TTM_ADJUSTRECT = WM_USER + 31;
inline constexpr UINT TTM_SETTITLEA = WM_USER + 32;
inline constexpr UINT TTM_SETTITLEW = WM_USER + 33;
inline constexpr UINT TTM_POPUP = WM_USER + 34;
inline constexpr UINT TTM_GETTITLE = WM_USER + 35;
inline constexpr UINT TTM_ADDTOOLW = WM_USER + 50;
inline constexpr UINT TTM_DELTOOLW = WM_USER + 51;
inline constexpr UINT TTM_NEWTOOLRECTW = WM_USER + 52;
inline constexpr UINT TTM_GETTOOLINFOW = WM_USER + 53;
inline constexpr UINT TTM_SETTOOLINFOW = WM_USER + 54;
inline constexpr UINT TTM_HITTESTW = WM_USER + 55;
inline constexpr UINT TTM_GETTEXTW = WM_USER + 56;
inline constexpr UINT TTM_UPDATETIPTEXTW = WM_USER + 57;
inline constexpr UINT TTM_ENUMTOOLSW = WM_USER + 58;
inline constexpr UINT TTM_GETCURRENTTOOLW = WM_USER + 59;
inline constexpr UINT TTM_SETWINDOWTHEME = 0x200B;

// Notifications (WM_NOTIFY codes).
inline constexpr UINT TTN_FIRST = 0U - 520U;
inline constexpr UINT TTN_GETDISPINFOA = TTN_FIRST - 0;
inline constexpr UINT TTN_SHOW = TTN_FIRST - 1;
inline constexpr UINT TTN_POP = TTN_FIRST - 2;
inline constexpr UINT TTN_LINKCLICK = TTN_FIRST - 3;
inline constexpr UINT TTN_GETDISPINFOW = TTN_FIRST - 10;
inline constexpr UINT TTN_NEEDTEXTW = TTN_GETDISPINFOW;

// The tool description. cbSize tells which members the caller knows: the sizes of the 32-bit
// layouts (up to lpszText, lParam or lpReserved) are accepted, and so is sizeof(TOOLINFOW).
struct TOOLINFOW {
    UINT cbSize = sizeof(TOOLINFOW);
    UINT uFlags = 0;
    HWND hwnd;
    UINT_PTR uId = 0;
    RECT rect{};
    HINSTANCE hinst;
    LPWSTR lpszText = nullptr;
    LPARAM lParam = 0;
    void* lpReserved = nullptr;
};
inline constexpr UINT TTTOOLINFOW_V1_SIZE = 40;
inline constexpr UINT TTTOOLINFOW_V2_SIZE = 44;
inline constexpr UINT TTTOOLINFOW_V3_SIZE = 48;

struct TTHITTESTINFOW {
    HWND hwnd;
    POINT pt{};
    TOOLINFOW ti;
};

struct NMTTDISPINFOW {
    NMHDR hdr;
    LPWSTR lpszText = nullptr;
    WCHAR szText[80] = {};
    HINSTANCE hinst;
    UINT uFlags = 0;
    LPARAM lParam = 0;
};

struct TTGETTITLE {
    DWORD dwSize = sizeof(TTGETTITLE);
    UINT uTitleBitmap = 0;
    UINT cch = 0;
    WCHAR* pszTitle = nullptr;
};

}  // namespace orvane::platform
