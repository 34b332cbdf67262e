// The header control, class "SysHeader32" (WC_HEADERW): its styles, messages, notifications and
// structures with the Windows names and values.
//
// Supported messages: HDM_INSERTITEMW, HDM_DELETEITEM, HDM_GETITEMW, HDM_SETITEMW (every HDI_
// mask; text and images by callback through HDN_GETDISPINFOW), HDM_GETITEMCOUNT, HDM_LAYOUT,
// HDM_HITTEST, HDM_GETITEMRECT, HDM_ORDERTOINDEX, HDM_GETORDERARRAY, HDM_SETORDERARRAY,
// HDM_SETIMAGELIST, HDM_GETIMAGELIST (HDSIL_NORMAL, HDSIL_STATE), HDM_SETBITMAPMARGIN,
// HDM_GETBITMAPMARGIN, HDM_SETHOTDIVIDER, HDM_CREATEDRAGIMAGE, HDM_GETITEMDROPDOWNRECT,
// HDM_GETFOCUSEDITEM, HDM_SETFOCUSEDITEM, HDM_SETFILTERCHANGETIMEOUT, HDM_EDITFILTER,
// HDM_CLEARFILTER, HDM_SETUNICODEFORMAT (TRUE only), HDM_GETUNICODEFORMAT, WM_SETFONT,
// WM_GETFONT.
// Notifications: HDN_ITEMCHANGINGW, HDN_ITEMCHANGEDW, HDN_ITEMCLICKW, HDN_ITEMDBLCLICKW,
// HDN_DIVIDERDBLCLICKW, HDN_BEGINTRACKW, HDN_TRACKW, HDN_ENDTRACKW, HDN_GETDISPINFOW,
// HDN_BEGINDRAG, HDN_ENDDRAG, HDN_ITEMSTATEICONCLICK, HDN_DROPDOWN, HDN_ITEMKEYDOWN,
// HDN_FILTERCHANGE, HDN_FILTERBTNCLICK, HDN_BEGINFILTEREDIT, HDN_ENDFILTEREDIT, NM_RCLICK,
// NM_CUSTOMDRAW; WM_DRAWITEM (ODT_HEADER) for HDF_OWNERDRAW items.
// Styles: HDS_BUTTONS, HDS_HOTTRACK, HDS_HIDDEN, HDS_DRAGDROP, HDS_FULLDRAG, HDS_FILTERBAR,
// HDS_FLAT, HDS_CHECKBOXES, HDS_NOSIZING.
// Filters: HDFT_ISSTRING (HDTEXTFILTERW), HDFT_ISNUMBER (int) and HDFT_ISDATE (SYSTEMTIME),
// a date shown and edited as text in the form yyyy-mm-dd (there is no date picker).
// Not supported (the call fails and is reported): the ANSI messages, HDS_OVERFLOW with
// HDM_GETOVERFLOWRECT.
#pragma once

#include "platform/base/SystemTime.h"
#include "platform/comctl/CommonTypes.h"
#include "platform/comctl/ImageList.h"

namespace orvane::platform {

inline const char16_t* const WC_HEADERW = u"SysHeader32";

// Styles.
inline constexpr DWORD HDS_HORZ = 0x0000;
inline constexpr DWORD HDS_BUTTONS = 0x0002;
inline constexpr DWORD HDS_HOTTRACK = 0x0004;
inline constexpr DWORD HDS_HIDDEN = 0x0008;
inline constexpr DWORD HDS_DRAGDROP = 0x0040;
inline constexpr DWORD HDS_FULLDRAG = 0x0080;
inline constexpr DWORD HDS_FILTERBAR = 0x0100;
inline constexpr DWORD HDS_FLAT = 0x0200;
inline constexpr DWORD HDS_CHECKBOXES = 0x0400;
inline constexpr DWORD HDS_NOSIZING = 0x0800;
inline constexpr DWORD HDS_OVERFLOW = 0x1000;

// Item mask.
inline constexpr UINT HDI_WIDTH = 0x0001;
inline constexpr UINT HDI_HEIGHT = HDI_WIDTH;
inline constexpr UINT HDI_TEXT = 0x0002;
inline constexpr UINT HDI_FORMAT = 0x0004;
inline constexpr UINT HDI_LPARAM = 0x0008;
inline constexpr UINT HDI_BITMAP = 0x0010;
inline constexpr UINT HDI_IMAGE = 0x0020;
inline constexpr UINT HDI_DI_SETITEM = 0x0040;
inline constexpr UINT HDI_ORDER = 0x0080;
inline constexpr UINT HDI_FILTER = 0x0100;
inline constexpr UINT HDI_STATE = 0x0200;

// Item formats.
inline constexpr int HDF_LEFT = 0x0000;
inline constexpr int HDF_RIGHT = 0x0001;
inline constexpr int HDF_CENTER = 0x0002;
inline constexpr int HDF_JUSTIFYMASK = 0x0003;
inline constexpr int HDF_RTLREADING = 0x0004;
inline constexpr int HDF_CHECKBOX = 0x0040;
inline constexpr int HDF_CHECKED = 0x0080;
inline constexpr int HDF_FIXEDWIDTH = 0x0100;
inline constexpr int HDF_SORTDOWN = 0x0200;
inline constexpr int HDF_SORTUP = 0x0400;
inline constexpr int HDF_IMAGE = 0x0800;
inline constexpr int HDF_BITMAP_ON_RIGHT = 0x1000;
inline constexpr int HDF_BITMAP = 0x2000;
inline constexpr int HDF_STRING = 0x4000;
inline constexpr int HDF_OWNERDRAW = 0x8000;
inline constexpr int HDF_SPLITBUTTON = 0x1000000;

inline constexpr UINT HDIS_FOCUSED = 0x0001;

// WM_DRAWITEM's CtlType for an HDF_OWNERDRAW item.
inline constexpr UINT ODT_HEADER = 100;

// Filter types.
inline constexpr UINT HDFT_ISSTRING = 0x0000;
inline constexpr UINT HDFT_ISNUMBER = 0x0001;
inline constexpr UINT HDFT_ISDATE = 0x0002;
inline constexpr UINT HDFT_HASNOVALUE = 0x8000;

// Image lists of HDM_SETIMAGELIST.
inline constexpr WPARAM HDSIL_NORMAL = 0;
inline constexpr WPARAM HDSIL_STATE = 1;

// Hit-test results.
inline constexpr UINT HHT_NOWHERE = 0x0001;
inline constexpr UINT HHT_ONHEADER = 0x0002;
inline constexpr UINT HHT_ONDIVIDER = 0x0004;
inline constexpr UINT HHT_ONDIVOPEN = 0x0008;
inline constexpr UINT HHT_ONFILTER = 0x0010;
inline constexpr UINT HHT_ONFILTERBUTTON = 0x0020;
inline constexpr UINT HHT_ABOVE = 0x0100;
inline constexpr UINT HHT_BELOW = 0x0200;
inline constexpr UINT HHT_TORIGHT = 0x0400;
inline constexpr UINT HHT_TOLEFT = 0x0800;
inline constexpr UINT HHT_ONITEMSTATEICON = 0x1000;
inline constexpr UINT HHT_ONDROPDOWN = 0x2000;
inline constexpr UINT HHT_ONOVERFLOW = 0x4000;

// Messages.
inline constexpr UINT HDM_FIRST = 0x1200;
inline constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0;
inline constexpr UINT HDM_INSERTITEMA = HDM_FIRST + 1;
inline constexpr UINT HDM_DELETEITEM = HDM_FIRST + 2;
inline constexpr UINT HDM_GETITEMA = HDM_FIRST + 3;
inline constexpr UINT HDM_SETITEMA = HDM_FIRST + 4;
inline constexpr UINT HDM_LAYOUT = HDM_FIRST + 5;
inline constexpr UINT HDM_HITTEST = HDM_FIRST + 6;
inline constexpr UINT HDM_GETITEMRECT = HDM_FIRST + 7;
inline constexpr UINT HDM_SETIMAGELIST = HDM_FIRST + 8;
inline constexpr UINT HDM_GETIMAGELIST = HDM_FIRST + 9;
inline constexpr UINT HDM_INSERTITEMW = HDM_FIRST + 10;
inline constexpr UINT HDM_GETITEMW = HDM_FIRST + 11;
inline constexpr UINT HDM_SETITEMW = HDM_FIRST + 12;
inline constexpr UINT HDM_ORDERTOINDEX = HDM_FIRST + 15;
inline constexpr UINT HDM_CREATEDRAGIMAGE = HDM_FIRST + 16;
inline constexpr UINT HDM_GETORDERARRAY = HDM_FIRST + 17;
inline constexpr UINT HDM_SETORDERARRAY = HDM_FIRST + 18;
inline constexpr UINT HDM_SETHOTDIVIDER = HDM_FIRST + 19;
inline constexpr UINT HDM_SETBITMAPMARGIN = HDM_FIRST + 20;
inline constexpr UINT HDM_GETBITMAPMARGIN = HDM_FIRST + 21;
inline constexpr UINT HDM_SETFILTERCHANGETIMEOUT = HDM_FIRST + 22;
inline constexpr UINT HDM_EDITFILTER = HDM_FIRST + 23;
inline constexpr UINT HDM_CLEARFILTER = HDM_FIRST + 24;
inline constexpr UINT HDM_GETITEMDROPDOWNRECT = HDM_FIRST + 25;
inline constexpr UINT HDM_GETOVERFLOWRECT = HDM_FIRST + 26;
inline constexpr UINT HDM_GETFOCUSEDITEM = HDM_FIRST + 27;
inline constexpr UINT HDM_SETFOCUSEDITEM = HDM_FIRST + 28;
inline constexpr UINT HDM_SETUNICODEFORMAT = CCM_SETUNICODEFORMAT;
inline constexpr UINT HDM_GETUNICODEFORMAT = CCM_GETUNICODEFORMAT;

// Notifications (WM_NOTIFY codes).
inline constexpr UINT HDN_FIRST = 0U - 300U;
inline constexpr UINT HDN_BEGINDRAG = HDN_FIRST - 10;
inline constexpr UINT HDN_ENDDRAG = HDN_FIRST - 11;
inline constexpr UINT HDN_FILTERCHANGE = HDN_FIRST - 12;
inline constexpr UINT HDN_FILTERBTNCLICK = HDN_FIRST - 13;
inline constexpr UINT HDN_BEGINFILTEREDIT = HDN_FIRST - 14;
inline constexpr UINT HDN_ENDFILTEREDIT = HDN_FIRST - 15;
inline constexpr UINT HDN_ITEMSTATEICONCLICK = HDN_FIRST - 16;
inline constexpr UINT HDN_ITEMKEYDOWN = HDN_FIRST - 17;
inline constexpr UINT HDN_DROPDOWN = HDN_FIRST - 18;
inline constexpr UINT HDN_OVERFLOWCLICK = HDN_FIRST - 19;
inline constexpr UINT HDN_ITEMCHANGINGW = HDN_FIRST - 20;
inline constexpr UINT HDN_ITEMCHANGEDW = HDN_FIRST - 21;
inline constexpr UINT HDN_ITEMCLICKW = HDN_FIRST - 22;
inline constexpr UINT HDN_ITEMDBLCLICKW = HDN_FIRST - 23;
inline constexpr UINT HDN_DIVIDERDBLCLICKW = HDN_FIRST - 25;
inline constexpr UINT HDN_BEGINTRACKW = HDN_FIRST - 26;
inline constexpr UINT HDN_ENDTRACKW = HDN_FIRST - 27;
inline constexpr UINT HDN_TRACKW = HDN_FIRST - 28;
inline constexpr UINT HDN_GETDISPINFOW = HDN_FIRST - 29;

// A text filter (pvFilter of a HDFT_ISSTRING item).
struct HDTEXTFILTERW {
    LPWSTR pszText = nullptr;
    INT cchTextMax = 0;
};

struct HDITEMW {
    UINT mask = 0;
    int cxy = 0;
    LPWSTR pszText = nullptr;
    HBITMAP hbm;
    int cchTextMax = 0;
    int fmt = 0;
    LPARAM lParam = 0;
    int iImage = 0;
    int iOrder = 0;
    UINT type = 0;
    void* pvFilter = nullptr;
    UINT state = 0;
};

struct HDLAYOUT {
    RECT* prc = nullptr;
    WINDOWPOS* pwpos = nullptr;
};

struct HDHITTESTINFO {
    POINT pt{};
    UINT flags = 0;
    int iItem = -1;
};

struct NMHEADERW {
    NMHDR hdr;
    int iItem = -1;
    int iButton = 0;
    HDITEMW* pitem = nullptr;
};

struct NMHDDISPINFOW {
    NMHDR hdr;
    int iItem = -1;
    UINT mask = 0;
    LPWSTR pszText = nullptr;
    int cchTextMax = 0;
    int iImage = 0;
    LPARAM lParam = 0;
};

struct NMHDFILTERBTNCLICK {
    NMHDR hdr;
    INT iItem = -1;
    RECT rc{};
};

}  // namespace orvane::platform
