// The tree view, class "SysTreeView32" (WC_TREEVIEWW): its styles, messages, notifications and
// structures with the Windows names and values. Item handles are 32-bit handles with a
// generation count, so a stale HTREEITEM fails the call instead of reaching freed memory.
#pragma once

#include "platform/comctl/CommonTypes.h"
#include "platform/comctl/ImageList.h"

namespace orvane::platform {

inline const char16_t* const WC_TREEVIEWW = u"SysTreeView32";

using HTREEITEM = Handle<struct HTREEITEMTag>;

// The positions TVM_INSERTITEMW takes besides an item (the 32-bit forms of -0x10000 ...).
inline constexpr HTREEITEM TVI_ROOT{0xFFFF0000u};
inline constexpr HTREEITEM TVI_FIRST{0xFFFF0001u};
inline constexpr HTREEITEM TVI_LAST{0xFFFF0002u};
inline constexpr HTREEITEM TVI_SORT{0xFFFF0003u};

// Window styles.
inline constexpr DWORD TVS_HASBUTTONS = 0x0001;
inline constexpr DWORD TVS_HASLINES = 0x0002;
inline constexpr DWORD TVS_LINESATROOT = 0x0004;
inline constexpr DWORD TVS_EDITLABELS = 0x0008;
inline constexpr DWORD TVS_DISABLEDRAGDROP = 0x0010;
inline constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;
inline constexpr DWORD TVS_RTLREADING = 0x0040;
inline constexpr DWORD TVS_NOTOOLTIPS = 0x0080;
inline constexpr DWORD TVS_CHECKBOXES = 0x0100;
inline constexpr DWORD TVS_TRACKSELECT = 0x0200;
inline constexpr DWORD TVS_SINGLEEXPAND = 0x0400;
inline constexpr DWORD TVS_INFOTIP = 0x0800;
inline constexpr DWORD TVS_FULLROWSELECT = 0x1000;
inline constexpr DWORD TVS_NOSCROLL = 0x2000;
inline constexpr DWORD TVS_NONEVENHEIGHT = 0x4000;
inline constexpr DWORD TVS_NOHSCROLL = 0x8000;

// Extended styles (TVM_SETEXTENDEDSTYLE).
inline constexpr DWORD TVS_EX_DOUBLEBUFFER = 0x0004;

// Item mask.
inline constexpr UINT TVIF_TEXT = 0x0001;
inline constexpr UINT TVIF_IMAGE = 0x0002;
inline constexpr UINT TVIF_PARAM = 0x0004;
inline constexpr UINT TVIF_STATE = 0x0008;
inline constexpr UINT TVIF_HANDLE = 0x0010;
inline constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
inline constexpr UINT TVIF_CHILDREN = 0x0040;
inline constexpr UINT TVIF_INTEGRAL = 0x0080;
inline constexpr UINT TVIF_DI_SETITEM = 0x1000;

// Item states.
inline constexpr UINT TVIS_FOCUSED = 0x0001;
inline constexpr UINT TVIS_SELECTED = 0x0002;
inline constexpr UINT TVIS_CUT = 0x0004;
inline constexpr UINT TVIS_DROPHILITED = 0x0008;
inline constexpr UINT TVIS_BOLD = 0x0010;
inline constexpr UINT TVIS_EXPANDED = 0x0020;
inline constexpr UINT TVIS_EXPANDEDONCE = 0x0040;
inline constexpr UINT TVIS_EXPANDPARTIAL = 0x0080;
inline constexpr UINT TVIS_OVERLAYMASK = 0x0F00;
inline constexpr UINT TVIS_STATEIMAGEMASK = 0xF000;
inline constexpr UINT TVIS_USERMASK = 0xF000;

// Children, image and text given on demand (TVN_GETDISPINFOW); text uses LPSTR_TEXTCALLBACKW.
inline constexpr int I_CHILDRENCALLBACK = -1;
// The item has a button when it has child items (the default without TVIF_CHILDREN).
inline constexpr int I_CHILDRENAUTO = -2;

struct TVITEMW {
    UINT mask = 0;
    HTREEITEM hItem;
    UINT state = 0;
    UINT stateMask = 0;
    LPWSTR pszText = nullptr;
    int cchTextMax = 0;
    int iImage = 0;
    int iSelectedImage = 0;
    int cChildren = 0;
    LPARAM lParam = 0;
};

// TVITEMW with the item's height in rows (TVIF_INTEGRAL).
struct TVITEMEXW {
    UINT mask = 0;
    HTREEITEM hItem;
    UINT state = 0;
    UINT stateMask = 0;
    LPWSTR pszText = nullptr;
    int cchTextMax = 0;
    int iImage = 0;
    int iSelectedImage = 0;
    int cChildren = 0;
    LPARAM lParam = 0;
    int iIntegral = 0;
};

struct TVINSERTSTRUCTW {
    HTREEITEM hParent;
    HTREEITEM hInsertAfter;
    union {
        TVITEMEXW itemex;
        TVITEMW item;
    };
    TVINSERTSTRUCTW() : itemex() {}
};

// Messages.
inline constexpr UINT TV_FIRST = 0x1100;
inline constexpr UINT TVM_INSERTITEMW = TV_FIRST + 50;
inline constexpr UINT TVM_DELETEITEM = TV_FIRST + 1;
inline constexpr UINT TVM_EXPAND = TV_FIRST + 2;
inline constexpr UINT TVM_GETITEMRECT = TV_FIRST + 4;
inline constexpr UINT TVM_GETCOUNT = TV_FIRST + 5;
inline constexpr UINT TVM_GETINDENT = TV_FIRST + 6;
inline constexpr UINT TVM_SETINDENT = TV_FIRST + 7;
inline constexpr UINT TVM_GETIMAGELIST = TV_FIRST + 8;
inline constexpr UINT TVM_SETIMAGELIST = TV_FIRST + 9;
inline constexpr UINT TVM_GETNEXTITEM = TV_FIRST + 10;
inline constexpr UINT TVM_SELECTITEM = TV_FIRST + 11;
inline constexpr UINT TVM_GETITEMW = TV_FIRST + 62;
inline constexpr UINT TVM_SETITEMW = TV_FIRST + 63;
inline constexpr UINT TVM_EDITLABELW = TV_FIRST + 65;
inline constexpr UINT TVM_GETEDITCONTROL = TV_FIRST + 15;
inline constexpr UINT TVM_GETVISIBLECOUNT = TV_FIRST + 16;
inline constexpr UINT TVM_HITTEST = TV_FIRST + 17;
inline constexpr UINT TVM_CREATEDRAGIMAGE = TV_FIRST + 18;
inline constexpr UINT TVM_SORTCHILDREN = TV_FIRST + 19;
inline constexpr UINT TVM_ENSUREVISIBLE = TV_FIRST + 20;
inline constexpr UINT TVM_SORTCHILDRENCB = TV_FIRST + 21;
inline constexpr UINT TVM_ENDEDITLABELNOW = TV_FIRST + 22;
inline constexpr UINT TVM_GETISEARCHSTRINGW = TV_FIRST + 64;
inline constexpr UINT TVM_SETTOOLTIPS = TV_FIRST + 24;
inline constexpr UINT TVM_GETTOOLTIPS = TV_FIRST + 25;
inline constexpr UINT TVM_SETINSERTMARK = TV_FIRST + 26;
inline constexpr UINT TVM_SETITEMHEIGHT = TV_FIRST + 27;
inline constexpr UINT TVM_GETITEMHEIGHT = TV_FIRST + 28;
inline constexpr UINT TVM_SETBKCOLOR = TV_FIRST + 29;
inline constexpr UINT TVM_SETTEXTCOLOR = TV_FIRST + 30;
inline constexpr UINT TVM_GETBKCOLOR = TV_FIRST + 31;
inline constexpr UINT TVM_GETTEXTCOLOR = TV_FIRST + 32;
inline constexpr UINT TVM_SETSCROLLTIME = TV_FIRST + 33;
inline constexpr UINT TVM_GETSCROLLTIME = TV_FIRST + 34;
inline constexpr UINT TVM_SETINSERTMARKCOLOR = TV_FIRST + 37;
inline constexpr UINT TVM_GETINSERTMARKCOLOR = TV_FIRST + 38;
inline constexpr UINT TVM_GETITEMSTATE = TV_FIRST + 39;
inline constexpr UINT TVM_SETLINECOLOR = TV_FIRST + 40;
inline constexpr UINT TVM_GETLINECOLOR = TV_FIRST + 41;
inline constexpr UINT TVM_SETEXTENDEDSTYLE = TV_FIRST + 44;
inline constexpr UINT TVM_GETEXTENDEDSTYLE = TV_FIRST + 45;
inline constexpr UINT TVM_SETUNICODEFORMAT = CCM_SETUNICODEFORMAT;
inline constexpr UINT TVM_GETUNICODEFORMAT = CCM_GETUNICODEFORMAT;

// TVM_EXPAND actions.
inline constexpr UINT TVE_COLLAPSE = 0x0001;
inline constexpr UINT TVE_EXPAND = 0x0002;
inline constexpr UINT TVE_TOGGLE = 0x0003;
inline constexpr UINT TVE_EXPANDPARTIAL = 0x4000;
inline constexpr UINT TVE_COLLAPSERESET = 0x8000;

// Image lists (TVM_SETIMAGELIST).
inline constexpr WPARAM TVSIL_NORMAL = 0;
inline constexpr WPARAM TVSIL_STATE = 2;

// TVM_GETNEXTITEM and TVM_SELECTITEM codes.
inline constexpr UINT TVGN_ROOT = 0x0000;
inline constexpr UINT TVGN_NEXT = 0x0001;
inline constexpr UINT TVGN_PREVIOUS = 0x0002;
inline constexpr UINT TVGN_PARENT = 0x0003;
inline constexpr UINT TVGN_CHILD = 0x0004;
inline constexpr UINT TVGN_FIRSTVISIBLE = 0x0005;
inline constexpr UINT TVGN_NEXTVISIBLE = 0x0006;
inline constexpr UINT TVGN_PREVIOUSVISIBLE = 0x0007;
inline constexpr UINT TVGN_DROPHILITE = 0x0008;
inline constexpr UINT TVGN_CARET = 0x0009;
inline constexpr UINT TVGN_LASTVISIBLE = 0x000A;
inline constexpr UINT TVSI_NOSINGLEEXPAND = 0x8000;

// Hit testing.
struct TVHITTESTINFO {
    POINT pt{};
    UINT flags = 0;
    HTREEITEM hItem;
};

inline constexpr UINT TVHT_NOWHERE = 0x0001;
inline constexpr UINT TVHT_ONITEMICON = 0x0002;
inline constexpr UINT TVHT_ONITEMLABEL = 0x0004;
inline constexpr UINT TVHT_ONITEMINDENT = 0x0008;
inline constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
inline constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
inline constexpr UINT TVHT_ONITEMSTATEICON = 0x0040;
inline constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
inline constexpr UINT TVHT_ABOVE = 0x0100;
inline constexpr UINT TVHT_BELOW = 0x0200;
inline constexpr UINT TVHT_TORIGHT = 0x0400;
inline constexpr UINT TVHT_TOLEFT = 0x0800;

// Sorting with the caller's comparison (TVM_SORTCHILDRENCB); it gets the items' lParams.
using PFNTVCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

struct TVSORTCB {
    HTREEITEM hParent;
    PFNTVCOMPARE lpfnCompare = nullptr;
    LPARAM lParam = 0;
};

// Notifications.
inline constexpr UINT TVN_FIRST = 0U - 400U;
inline constexpr UINT TVN_SELCHANGINGW = TVN_FIRST - 50;
inline constexpr UINT TVN_SELCHANGEDW = TVN_FIRST - 51;
inline constexpr UINT TVN_GETDISPINFOW = TVN_FIRST - 52;
inline constexpr UINT TVN_SETDISPINFOW = TVN_FIRST - 53;
inline constexpr UINT TVN_ITEMEXPANDINGW = TVN_FIRST - 54;
inline constexpr UINT TVN_ITEMEXPANDEDW = TVN_FIRST - 55;
inline constexpr UINT TVN_BEGINDRAGW = TVN_FIRST - 56;
inline constexpr UINT TVN_BEGINRDRAGW = TVN_FIRST - 57;
inline constexpr UINT TVN_DELETEITEMW = TVN_FIRST - 58;
inline constexpr UINT TVN_BEGINLABELEDITW = TVN_FIRST - 59;
inline constexpr UINT TVN_ENDLABELEDITW = TVN_FIRST - 60;
inline constexpr UINT TVN_KEYDOWN = TVN_FIRST - 12;
inline constexpr UINT TVN_GETINFOTIPW = TVN_FIRST - 14;
inline constexpr UINT TVN_SINGLEEXPAND = TVN_FIRST - 15;
inline constexpr UINT TVN_ITEMCHANGINGW = TVN_FIRST - 17;
inline constexpr UINT TVN_ITEMCHANGEDW = TVN_FIRST - 19;

// What caused a selection change (NMTREEVIEWW::action).
inline constexpr UINT TVC_UNKNOWN = 0x0000;
inline constexpr UINT TVC_BYMOUSE = 0x0001;
inline constexpr UINT TVC_BYKEYBOARD = 0x0002;

// Answers to TVN_SINGLEEXPAND.
inline constexpr LRESULT TVNRET_DEFAULT = 0;
inline constexpr LRESULT TVNRET_SKIPOLD = 1;
inline constexpr LRESULT TVNRET_SKIPNEW = 2;

struct NMTREEVIEWW {
    NMHDR hdr;
    UINT action = 0;
    TVITEMW itemOld;
    TVITEMW itemNew;
    POINT ptDrag{};
};

// TVN_ITEMCHANGINGW and TVN_ITEMCHANGEDW: an item's state about to change and changed.
struct NMTVITEMCHANGE {
    NMHDR hdr;
    UINT uChanged = 0;  // TVIF_STATE
    HTREEITEM hItem;
    UINT uStateNew = 0;
    UINT uStateOld = 0;
    LPARAM lParam = 0;
};

struct NMTVDISPINFOW {
    NMHDR hdr;
    TVITEMW item;
};

struct NMTVKEYDOWN {
    NMHDR hdr;
    WORD wVKey = 0;
    UINT flags = 0;
};

struct NMTVCUSTOMDRAW {
    NMCUSTOMDRAW nmcd;
    COLORREF clrText = 0;
    COLORREF clrTextBk = 0;
    int iLevel = 0;
};

struct NMTVGETINFOTIPW {
    NMHDR hdr;
    LPWSTR pszText = nullptr;
    int cchTextMax = 0;
    HTREEITEM hItem;
    LPARAM lParam = 0;
};

// A custom-draw answer for an item: draw it without its images.
inline constexpr LRESULT TVCDRF_NOIMAGES = 0x00010000;

}  // namespace orvane::platform
