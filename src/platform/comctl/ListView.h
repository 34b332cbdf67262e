// The list view, class "SysListView32" (WC_LISTVIEWW): its styles, messages, notifications and
// structures with the Windows names and values.
#pragma once

#include "platform/comctl/CommonTypes.h"
#include "platform/comctl/Header.h"
#include "platform/comctl/ImageList.h"

namespace orvane::platform {

inline const char16_t* const WC_LISTVIEWW = u"SysListView32";

// Window styles.
inline constexpr DWORD LVS_ICON = 0x0000;
inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SMALLICON = 0x0002;
inline constexpr DWORD LVS_LIST = 0x0003;
inline constexpr DWORD LVS_TYPEMASK = 0x0003;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_SORTASCENDING = 0x0010;
inline constexpr DWORD LVS_SORTDESCENDING = 0x0020;
inline constexpr DWORD LVS_SHAREIMAGELISTS = 0x0040;
inline constexpr DWORD LVS_NOLABELWRAP = 0x0080;
inline constexpr DWORD LVS_AUTOARRANGE = 0x0100;
inline constexpr DWORD LVS_EDITLABELS = 0x0200;
inline constexpr DWORD LVS_OWNERDRAWFIXED = 0x0400;
inline constexpr DWORD LVS_ALIGNTOP = 0x0000;
inline constexpr DWORD LVS_ALIGNLEFT = 0x0800;
inline constexpr DWORD LVS_ALIGNMASK = 0x0C00;
inline constexpr DWORD LVS_OWNERDATA = 0x1000;
inline constexpr DWORD LVS_NOSCROLL = 0x2000;
inline constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
inline constexpr DWORD LVS_NOSORTHEADER = 0x8000;

// Extended list-view styles (LVM_SETEXTENDEDLISTVIEWSTYLE).
inline constexpr DWORD LVS_EX_GRIDLINES = 0x00000001;
inline constexpr DWORD LVS_EX_SUBITEMIMAGES = 0x00000002;
inline constexpr DWORD LVS_EX_CHECKBOXES = 0x00000004;
inline constexpr DWORD LVS_EX_TRACKSELECT = 0x00000008;
inline constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x00000010;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;
inline constexpr DWORD LVS_EX_ONECLICKACTIVATE = 0x00000040;
inline constexpr DWORD LVS_EX_TWOCLICKACTIVATE = 0x00000080;
inline constexpr DWORD LVS_EX_FLATSB = 0x00000100;
inline constexpr DWORD LVS_EX_REGIONAL = 0x00000200;
inline constexpr DWORD LVS_EX_INFOTIP = 0x00000400;
inline constexpr DWORD LVS_EX_UNDERLINEHOT = 0x00000800;
inline constexpr DWORD LVS_EX_UNDERLINECOLD = 0x00001000;
inline constexpr DWORD LVS_EX_MULTIWORKAREAS = 0x00002000;
inline constexpr DWORD LVS_EX_LABELTIP = 0x00004000;
inline constexpr DWORD LVS_EX_BORDERSELECT = 0x00008000;
inline constexpr DWORD LVS_EX_DOUBLEBUFFER = 0x00010000;
inline constexpr DWORD LVS_EX_HIDELABELS = 0x00020000;
inline constexpr DWORD LVS_EX_SINGLEROW = 0x00040000;
inline constexpr DWORD LVS_EX_SNAPTOGRID = 0x00080000;
inline constexpr DWORD LVS_EX_SIMPLESELECT = 0x00100000;
inline constexpr DWORD LVS_EX_JUSTIFYCOLUMNS = 0x00200000;
inline constexpr DWORD LVS_EX_TRANSPARENTBKGND = 0x00400000;
inline constexpr DWORD LVS_EX_TRANSPARENTSHADOWTEXT = 0x00800000;
inline constexpr DWORD LVS_EX_AUTOAUTOARRANGE = 0x01000000;
inline constexpr DWORD LVS_EX_HEADERINALLVIEWS = 0x02000000;
inline constexpr DWORD LVS_EX_AUTOCHECKSELECT = 0x08000000;
inline constexpr DWORD LVS_EX_AUTOSIZECOLUMNS = 0x10000000;
inline constexpr DWORD LVS_EX_COLUMNSNAPPOINTS = 0x40000000;
inline constexpr DWORD LVS_EX_COLUMNOVERFLOW = 0x80000000;

// Views (LVM_SETVIEW).
inline constexpr DWORD LV_VIEW_ICON = 0;
inline constexpr DWORD LV_VIEW_DETAILS = 1;
inline constexpr DWORD LV_VIEW_SMALLICON = 2;
inline constexpr DWORD LV_VIEW_LIST = 3;
inline constexpr DWORD LV_VIEW_TILE = 4;

// Image lists.
inline constexpr WPARAM LVSIL_NORMAL = 0;
inline constexpr WPARAM LVSIL_SMALL = 1;
inline constexpr WPARAM LVSIL_STATE = 2;
inline constexpr WPARAM LVSIL_GROUPHEADER = 3;

// Item mask and states.
inline constexpr UINT LVIF_TEXT = 0x0001;
inline constexpr UINT LVIF_IMAGE = 0x0002;
inline constexpr UINT LVIF_PARAM = 0x0004;
inline constexpr UINT LVIF_STATE = 0x0008;
inline constexpr UINT LVIF_INDENT = 0x0010;
inline constexpr UINT LVIF_GROUPID = 0x0100;
inline constexpr UINT LVIF_COLUMNS = 0x0200;
inline constexpr UINT LVIF_NORECOMPUTE = 0x0800;
inline constexpr UINT LVIF_DI_SETITEM = 0x1000;

inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr UINT LVIS_CUT = 0x0004;
inline constexpr UINT LVIS_DROPHILITED = 0x0008;
inline constexpr UINT LVIS_GLOW = 0x0010;
inline constexpr UINT LVIS_ACTIVATING = 0x0020;
inline constexpr UINT LVIS_OVERLAYMASK = 0x0F00;
inline constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;

// Image, indent and group given on demand (LVN_GETDISPINFOW); text uses LPSTR_TEXTCALLBACKW.
inline constexpr int I_IMAGECALLBACK = -1;
inline constexpr int I_IMAGENONE = -2;
inline constexpr int I_INDENTCALLBACK = -1;
inline constexpr int I_GROUPIDCALLBACK = -1;
inline constexpr int I_GROUPIDNONE = -2;

struct LVITEMW {
    UINT mask = 0;
    int iItem = 0;
    int iSubItem = 0;
    UINT state = 0;
    UINT stateMask = 0;
    LPWSTR pszText = nullptr;
    int cchTextMax = 0;
    int iImage = 0;
    LPARAM lParam = 0;
    int iIndent = 0;
    int iGroupId = 0;
    UINT cColumns = 0;
    UINT* puColumns = nullptr;
    int* piColFmt = nullptr;
    int iGroup = 0;
};

// Columns.
inline constexpr UINT LVCF_FMT = 0x0001;
inline constexpr UINT LVCF_WIDTH = 0x0002;
inline constexpr UINT LVCF_TEXT = 0x0004;
inline constexpr UINT LVCF_SUBITEM = 0x0008;
inline constexpr UINT LVCF_IMAGE = 0x0010;
inline constexpr UINT LVCF_ORDER = 0x0020;
inline constexpr UINT LVCF_MINWIDTH = 0x0040;
inline constexpr UINT LVCF_DEFAULTWIDTH = 0x0080;
inline constexpr UINT LVCF_IDEALWIDTH = 0x0100;

inline constexpr int LVCFMT_LEFT = 0x0000;
inline constexpr int LVCFMT_RIGHT = 0x0001;
inline constexpr int LVCFMT_CENTER = 0x0002;
inline constexpr int LVCFMT_JUSTIFYMASK = 0x0003;
inline constexpr int LVCFMT_FIXED_WIDTH = 0x0100;
inline constexpr int LVCFMT_IMAGE = 0x0800;
inline constexpr int LVCFMT_BITMAP_ON_RIGHT = 0x1000;
inline constexpr int LVCFMT_COL_HAS_IMAGES = 0x8000;
inline constexpr int LVCFMT_NO_DPI_SCALE = 0x40000;
inline constexpr int LVCFMT_FIXED_RATIO = 0x80000;
inline constexpr int LVCFMT_SPLITBUTTON = 0x1000000;

struct LVCOLUMNW {
    UINT mask = 0;
    int fmt = 0;
    int cx = 0;
    LPWSTR pszText = nullptr;
    int cchTextMax = 0;
    int iSubItem = 0;
    int iImage = 0;
    int iOrder = 0;
    int cxMin = 0;
    int cxDefault = 0;
    int cxIdeal = 0;
};

inline constexpr int LVSCW_AUTOSIZE = -1;
inline constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

// LVM_GETNEXTITEM.
inline constexpr UINT LVNI_ALL = 0x0000;
inline constexpr UINT LVNI_FOCUSED = 0x0001;
inline constexpr UINT LVNI_SELECTED = 0x0002;
inline constexpr UINT LVNI_CUT = 0x0004;
inline constexpr UINT LVNI_DROPHILITED = 0x0008;
inline constexpr UINT LVNI_STATEMASK = 0x000F;
inline constexpr UINT LVNI_VISIBLEORDER = 0x0010;
inline constexpr UINT LVNI_PREVIOUS = 0x0020;
inline constexpr UINT LVNI_VISIBLEONLY = 0x0040;
inline constexpr UINT LVNI_SAMEGROUPONLY = 0x0080;
inline constexpr UINT LVNI_ABOVE = 0x0100;
inline constexpr UINT LVNI_BELOW = 0x0200;
inline constexpr UINT LVNI_TOLEFT = 0x0400;
inline constexpr UINT LVNI_TORIGHT = 0x0800;
inline constexpr UINT LVNI_DIRECTIONMASK = 0x0F00;

// LVM_FINDITEMW.
inline constexpr UINT LVFI_PARAM = 0x0001;
inline constexpr UINT LVFI_STRING = 0x0002;
inline constexpr UINT LVFI_SUBSTRING = 0x0004;
inline constexpr UINT LVFI_PARTIAL = 0x0008;
inline constexpr UINT LVFI_WRAP = 0x0020;
inline constexpr UINT LVFI_NEARESTXY = 0x0040;

struct LVFINDINFOW {
    UINT flags = 0;
    LPCWSTR psz = nullptr;
    LPARAM lParam = 0;
    POINT pt{};
    UINT vkDirection = 0;
};

// LVM_GETITEMRECT and LVM_GETSUBITEMRECT portions (passed in RECT::left).
inline constexpr int LVIR_BOUNDS = 0;
inline constexpr int LVIR_ICON = 1;
inline constexpr int LVIR_LABEL = 2;
inline constexpr int LVIR_SELECTBOUNDS = 3;

// Hit testing.
inline constexpr UINT LVHT_NOWHERE = 0x0001;
inline constexpr UINT LVHT_ONITEMICON = 0x0002;
inline constexpr UINT LVHT_ONITEMLABEL = 0x0004;
inline constexpr UINT LVHT_ONITEMSTATEICON = 0x0008;
inline constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;
inline constexpr UINT LVHT_ABOVE = 0x0008;
inline constexpr UINT LVHT_BELOW = 0x0010;
inline constexpr UINT LVHT_TORIGHT = 0x0020;
inline constexpr UINT LVHT_TOLEFT = 0x0040;
inline constexpr UINT LVHT_EX_GROUP_HEADER = 0x10000000;
inline constexpr UINT LVHT_EX_GROUP_FOOTER = 0x20000000;
inline constexpr UINT LVHT_EX_GROUP_COLLAPSE = 0x40000000;
inline constexpr UINT LVHT_EX_GROUP_BACKGROUND = 0x80000000;
inline constexpr UINT LVHT_EX_GROUP_STATEICON = 0x01000000;
inline constexpr UINT LVHT_EX_GROUP_SUBSETLINK = 0x02000000;
inline constexpr UINT LVHT_EX_GROUP = 0xF3000000;
inline constexpr UINT LVHT_EX_ONCONTENTS = 0x04000000;
inline constexpr UINT LVHT_EX_FOOTER = 0x08000000;

struct LVHITTESTINFO {
    POINT pt{};
    UINT flags = 0;
    int iItem = -1;
    int iSubItem = 0;
    int iGroup = 0;
};

// LVM_SETITEMCOUNT flags.
inline constexpr LPARAM LVSICF_NOINVALIDATEALL = 0x0001;
inline constexpr LPARAM LVSICF_NOSCROLL = 0x0002;

// Sort callbacks: LVM_SORTITEMS passes item data, LVM_SORTITEMSEX item indices.
using PFNLVCOMPARE = int (*)(LPARAM, LPARAM, LPARAM);

// Background images.
inline constexpr ULONG LVBKIF_SOURCE_NONE = 0x0000;
inline constexpr ULONG LVBKIF_SOURCE_HBITMAP = 0x0001;
inline constexpr ULONG LVBKIF_SOURCE_URL = 0x0002;
inline constexpr ULONG LVBKIF_SOURCE_MASK = 0x0003;
inline constexpr ULONG LVBKIF_STYLE_NORMAL = 0x0000;
inline constexpr ULONG LVBKIF_STYLE_TILE = 0x0010;
inline constexpr ULONG LVBKIF_STYLE_MASK = 0x0010;

struct LVBKIMAGEW {
    ULONG ulFlags = 0;
    HBITMAP hbm;
    LPWSTR pszImage = nullptr;
    UINT cchImageMax = 0;
    int xOffsetPercent = 0;
    int yOffsetPercent = 0;
};

// Groups.
inline constexpr UINT LVGF_NONE = 0x0000;
inline constexpr UINT LVGF_HEADER = 0x0001;
inline constexpr UINT LVGF_FOOTER = 0x0002;
inline constexpr UINT LVGF_STATE = 0x0004;
inline constexpr UINT LVGF_ALIGN = 0x0008;
inline constexpr UINT LVGF_GROUPID = 0x0010;
inline constexpr UINT LVGF_SUBTITLE = 0x0100;
inline constexpr UINT LVGF_TASK = 0x0200;
inline constexpr UINT LVGF_DESCRIPTIONTOP = 0x0400;
inline constexpr UINT LVGF_DESCRIPTIONBOTTOM = 0x0800;
inline constexpr UINT LVGF_TITLEIMAGE = 0x1000;
inline constexpr UINT LVGF_EXTENDEDIMAGE = 0x2000;
inline constexpr UINT LVGF_ITEMS = 0x4000;
inline constexpr UINT LVGF_SUBSET = 0x8000;
inline constexpr UINT LVGF_SUBSETITEMS = 0x10000;

inline constexpr UINT LVGS_NORMAL = 0x00;
inline constexpr UINT LVGS_COLLAPSED = 0x01;
inline constexpr UINT LVGS_HIDDEN = 0x02;
inline constexpr UINT LVGS_NOHEADER = 0x04;
inline constexpr UINT LVGS_COLLAPSIBLE = 0x08;
inline constexpr UINT LVGS_FOCUSED = 0x10;
inline constexpr UINT LVGS_SELECTED = 0x20;
inline constexpr UINT LVGS_SUBSETED = 0x40;
inline constexpr UINT LVGS_SUBSETLINKFOCUSED = 0x80;

inline constexpr UINT LVGA_HEADER_LEFT = 0x01;
inline constexpr UINT LVGA_HEADER_CENTER = 0x02;
inline constexpr UINT LVGA_HEADER_RIGHT = 0x04;
inline constexpr UINT LVGA_FOOTER_LEFT = 0x08;
inline constexpr UINT LVGA_FOOTER_CENTER = 0x10;
inline constexpr UINT LVGA_FOOTER_RIGHT = 0x20;

inline constexpr LONG LVGGR_GROUP = 0;
inline constexpr LONG LVGGR_HEADER = 1;
inline constexpr LONG LVGGR_LABEL = 2;
inline constexpr LONG LVGGR_SUBSETLINK = 3;

struct LVGROUP {
    UINT cbSize = sizeof(LVGROUP);
    UINT mask = 0;
    LPWSTR pszHeader = nullptr;
    int cchHeader = 0;
    LPWSTR pszFooter = nullptr;
    int cchFooter = 0;
    int iGroupId = 0;
    UINT stateMask = 0;
    UINT state = 0;
    UINT uAlign = 0;
    LPWSTR pszSubtitle = nullptr;
    UINT cchSubtitle = 0;
    LPWSTR pszTask = nullptr;
    UINT cchTask = 0;
    LPWSTR pszDescriptionTop = nullptr;
    UINT cchDescriptionTop = 0;
    LPWSTR pszDescriptionBottom = nullptr;
    UINT cchDescriptionBottom = 0;
    int iTitleImage = 0;
    int iExtendedImage = 0;
    int iFirstItem = 0;
    UINT cItems = 0;
    LPWSTR pszSubsetTitle = nullptr;
    UINT cchSubsetTitle = 0;
};

// Insertion marks.
inline constexpr DWORD LVIM_AFTER = 0x0001;

struct LVINSERTMARK {
    UINT cbSize = sizeof(LVINSERTMARK);
    DWORD dwFlags = 0;
    int iItem = -1;
    DWORD dwReserved = 0;
};

// Messages.
inline constexpr UINT LVM_FIRST = 0x1000;
inline constexpr UINT LVM_GETBKCOLOR = LVM_FIRST + 0;
inline constexpr UINT LVM_SETBKCOLOR = LVM_FIRST + 1;
inline constexpr UINT LVM_GETIMAGELIST = LVM_FIRST + 2;
inline constexpr UINT LVM_SETIMAGELIST = LVM_FIRST + 3;
inline constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
inline constexpr UINT LVM_GETITEMA = LVM_FIRST + 5;
inline constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
inline constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
inline constexpr UINT LVM_GETCALLBACKMASK = LVM_FIRST + 10;
inline constexpr UINT LVM_SETCALLBACKMASK = LVM_FIRST + 11;
inline constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;
inline constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14;
inline constexpr UINT LVM_SETITEMPOSITION = LVM_FIRST + 15;
inline constexpr UINT LVM_GETITEMPOSITION = LVM_FIRST + 16;
inline constexpr UINT LVM_HITTEST = LVM_FIRST + 18;
inline constexpr UINT LVM_ENSUREVISIBLE = LVM_FIRST + 19;
inline constexpr UINT LVM_SCROLL = LVM_FIRST + 20;
inline constexpr UINT LVM_REDRAWITEMS = LVM_FIRST + 21;
inline constexpr UINT LVM_ARRANGE = LVM_FIRST + 22;
// LVM_ARRANGE codes.
inline constexpr WPARAM LVA_DEFAULT = 0x0000;
inline constexpr WPARAM LVA_ALIGNLEFT = 0x0001;
inline constexpr WPARAM LVA_ALIGNTOP = 0x0002;
inline constexpr WPARAM LVA_SNAPTOGRID = 0x0005;
inline constexpr UINT LVM_GETEDITCONTROL = LVM_FIRST + 24;
inline constexpr UINT LVM_DELETECOLUMN = LVM_FIRST + 28;
inline constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;
inline constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;
inline constexpr UINT LVM_GETHEADER = LVM_FIRST + 31;
inline constexpr UINT LVM_CREATEDRAGIMAGE = LVM_FIRST + 33;
inline constexpr UINT LVM_GETVIEWRECT = LVM_FIRST + 34;
inline constexpr UINT LVM_GETTEXTCOLOR = LVM_FIRST + 35;
inline constexpr UINT LVM_SETTEXTCOLOR = LVM_FIRST + 36;
inline constexpr UINT LVM_GETTEXTBKCOLOR = LVM_FIRST + 37;
inline constexpr UINT LVM_SETTEXTBKCOLOR = LVM_FIRST + 38;
inline constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
inline constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
inline constexpr UINT LVM_GETORIGIN = LVM_FIRST + 41;
inline constexpr UINT LVM_UPDATE = LVM_FIRST + 42;
inline constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;
inline constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;
inline constexpr UINT LVM_SETITEMCOUNT = LVM_FIRST + 47;
inline constexpr UINT LVM_SORTITEMS = LVM_FIRST + 48;
inline constexpr UINT LVM_SETITEMPOSITION32 = LVM_FIRST + 49;
inline constexpr UINT LVM_GETSELECTEDCOUNT = LVM_FIRST + 50;
inline constexpr UINT LVM_GETITEMSPACING = LVM_FIRST + 51;
inline constexpr UINT LVM_SETICONSPACING = LVM_FIRST + 53;
inline constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;
inline constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;
inline constexpr UINT LVM_GETSUBITEMRECT = LVM_FIRST + 56;
inline constexpr UINT LVM_SUBITEMHITTEST = LVM_FIRST + 57;
inline constexpr UINT LVM_SETCOLUMNORDERARRAY = LVM_FIRST + 58;
inline constexpr UINT LVM_GETCOLUMNORDERARRAY = LVM_FIRST + 59;
inline constexpr UINT LVM_SETHOTITEM = LVM_FIRST + 60;
inline constexpr UINT LVM_GETHOTITEM = LVM_FIRST + 61;
inline constexpr UINT LVM_APPROXIMATEVIEWRECT = LVM_FIRST + 64;
inline constexpr UINT LVM_GETSELECTIONMARK = LVM_FIRST + 66;
inline constexpr UINT LVM_SETSELECTIONMARK = LVM_FIRST + 67;
inline constexpr UINT LVM_SETBKIMAGEA = LVM_FIRST + 68;
inline constexpr UINT LVM_GETBKIMAGEA = LVM_FIRST + 69;
inline constexpr UINT LVM_SETHOVERTIME = LVM_FIRST + 71;
inline constexpr UINT LVM_GETHOVERTIME = LVM_FIRST + 72;
inline constexpr UINT LVM_SETTOOLTIPS = LVM_FIRST + 74;
inline constexpr UINT LVM_GETITEMW = LVM_FIRST + 75;
inline constexpr UINT LVM_SETITEMW = LVM_FIRST + 76;
inline constexpr UINT LVM_INSERTITEMW = LVM_FIRST + 77;
inline constexpr UINT LVM_GETTOOLTIPS = LVM_FIRST + 78;
inline constexpr UINT LVM_SORTITEMSEX = LVM_FIRST + 81;
inline constexpr UINT LVM_FINDITEMW = LVM_FIRST + 83;
inline constexpr UINT LVM_GETSTRINGWIDTHW = LVM_FIRST + 87;
inline constexpr UINT LVM_GETGROUPSTATE = LVM_FIRST + 92;
inline constexpr UINT LVM_GETFOCUSEDGROUP = LVM_FIRST + 93;
inline constexpr UINT LVM_GETCOLUMNW = LVM_FIRST + 95;
inline constexpr UINT LVM_SETCOLUMNW = LVM_FIRST + 96;
inline constexpr UINT LVM_INSERTCOLUMNW = LVM_FIRST + 97;
inline constexpr UINT LVM_GETGROUPRECT = LVM_FIRST + 98;
inline constexpr UINT LVM_GETITEMTEXTW = LVM_FIRST + 115;
inline constexpr UINT LVM_SETITEMTEXTW = LVM_FIRST + 116;
inline constexpr UINT LVM_GETISEARCHSTRINGW = LVM_FIRST + 117;
inline constexpr UINT LVM_EDITLABELW = LVM_FIRST + 118;
inline constexpr UINT LVM_SETBKIMAGEW = LVM_FIRST + 138;
inline constexpr UINT LVM_GETBKIMAGEW = LVM_FIRST + 139;
inline constexpr UINT LVM_SETSELECTEDCOLUMN = LVM_FIRST + 140;
inline constexpr UINT LVM_SETVIEW = LVM_FIRST + 142;
inline constexpr UINT LVM_GETVIEW = LVM_FIRST + 143;
inline constexpr UINT LVM_INSERTGROUP = LVM_FIRST + 145;
inline constexpr UINT LVM_SETGROUPINFO = LVM_FIRST + 147;
inline constexpr UINT LVM_GETGROUPINFO = LVM_FIRST + 149;
inline constexpr UINT LVM_REMOVEGROUP = LVM_FIRST + 150;
inline constexpr UINT LVM_MOVEGROUP = LVM_FIRST + 151;
inline constexpr UINT LVM_GETGROUPCOUNT = LVM_FIRST + 152;
inline constexpr UINT LVM_GETGROUPINFOBYINDEX = LVM_FIRST + 153;
inline constexpr UINT LVM_MOVEITEMTOGROUP = LVM_FIRST + 154;
inline constexpr UINT LVM_ENABLEGROUPVIEW = LVM_FIRST + 157;
inline constexpr UINT LVM_REMOVEALLGROUPS = LVM_FIRST + 160;
inline constexpr UINT LVM_HASGROUP = LVM_FIRST + 161;
inline constexpr UINT LVM_SETINSERTMARK = LVM_FIRST + 166;
inline constexpr UINT LVM_GETINSERTMARK = LVM_FIRST + 167;
inline constexpr UINT LVM_GETSELECTEDCOLUMN = LVM_FIRST + 174;
inline constexpr UINT LVM_ISGROUPVIEWENABLED = LVM_FIRST + 175;
inline constexpr UINT LVM_CANCELEDITLABEL = LVM_FIRST + 179;
inline constexpr UINT LVM_ISITEMVISIBLE = LVM_FIRST + 182;
inline constexpr UINT LVM_SETUNICODEFORMAT = CCM_SETUNICODEFORMAT;
inline constexpr UINT LVM_GETUNICODEFORMAT = CCM_GETUNICODEFORMAT;

// Notifications (WM_NOTIFY codes).
inline constexpr UINT LVN_FIRST = 0U - 100U;
inline constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0;
inline constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
inline constexpr UINT LVN_INSERTITEM = LVN_FIRST - 2;
inline constexpr UINT LVN_DELETEITEM = LVN_FIRST - 3;
inline constexpr UINT LVN_DELETEALLITEMS = LVN_FIRST - 4;
inline constexpr UINT LVN_COLUMNCLICK = LVN_FIRST - 8;
inline constexpr UINT LVN_BEGINDRAG = LVN_FIRST - 9;
inline constexpr UINT LVN_BEGINRDRAG = LVN_FIRST - 11;
inline constexpr UINT LVN_ODCACHEHINT = LVN_FIRST - 13;
inline constexpr UINT LVN_ITEMACTIVATE = LVN_FIRST - 14;
inline constexpr UINT LVN_ODSTATECHANGED = LVN_FIRST - 15;
inline constexpr UINT LVN_HOTTRACK = LVN_FIRST - 21;
inline constexpr UINT LVN_KEYDOWN = LVN_FIRST - 55;
inline constexpr UINT LVN_MARQUEEBEGIN = LVN_FIRST - 56;
inline constexpr UINT LVN_GETINFOTIPW = LVN_FIRST - 58;
inline constexpr UINT LVN_INCREMENTALSEARCHW = LVN_FIRST - 63;
inline constexpr UINT LVN_COLUMNDROPDOWN = LVN_FIRST - 64;
inline constexpr UINT LVN_BEGINLABELEDITW = LVN_FIRST - 75;
inline constexpr UINT LVN_ENDLABELEDITW = LVN_FIRST - 76;
inline constexpr UINT LVN_GETDISPINFOW = LVN_FIRST - 77;
inline constexpr UINT LVN_SETDISPINFOW = LVN_FIRST - 78;
inline constexpr UINT LVN_ODFINDITEMW = LVN_FIRST - 79;
inline constexpr UINT LVN_BEGINSCROLL = LVN_FIRST - 80;
inline constexpr UINT LVN_ENDSCROLL = LVN_FIRST - 81;

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction{};
    LPARAM lParam = 0;
};

inline constexpr UINT LVKF_ALT = 0x0001;
inline constexpr UINT LVKF_CONTROL = 0x0002;
inline constexpr UINT LVKF_SHIFT = 0x0004;

struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction{};
    LPARAM lParam = 0;
    UINT uKeyFlags = 0;
};

inline constexpr DWORD LVCDI_ITEM = 0;
inline constexpr DWORD LVCDI_GROUP = 1;
inline constexpr DWORD LVCDI_ITEMSLIST = 2;
inline constexpr LRESULT LVCDRF_NOSELECT = 0x10000;
inline constexpr LRESULT LVCDRF_NOGROUPFRAME = 0x20000;

struct NMLVCUSTOMDRAW {
    NMCUSTOMDRAW nmcd;
    COLORREF clrText = 0;
    COLORREF clrTextBk = 0;
    int iSubItem = 0;
    DWORD dwItemType = 0;
    COLORREF clrFace = 0;
    int iIconEffect = 0;
    int iIconPhase = 0;
    int iPartId = 0;
    int iStateId = 0;
    RECT rcText{};
    UINT uAlign = 0;
};

struct NMLVCACHEHINT {
    NMHDR hdr;
    int iFrom = 0;
    int iTo = 0;
};

struct NMLVFINDITEMW {
    NMHDR hdr;
    int iStart = 0;
    LVFINDINFOW lvfi;
};

struct NMLVODSTATECHANGE {
    NMHDR hdr;
    int iFrom = 0;
    int iTo = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
};

struct NMLVDISPINFOW {
    NMHDR hdr;
    LVITEMW item;
};

struct NMLVKEYDOWN {
    NMHDR hdr;
    WORD wVKey = 0;
    UINT flags = 0;
};

struct NMLVSCROLL {
    NMHDR hdr;
    int dx = 0;
    int dy = 0;
};

inline constexpr DWORD LVGIT_UNFOLDED = 0x0001;

struct NMLVGETINFOTIPW {
    NMHDR hdr;
    DWORD dwFlags = 0;
    LPWSTR pszText = nullptr;
    int cchTextMax = 0;
    int iItem = 0;
    int iSubItem = 0;
    LPARAM lParam = 0;
};

}  // namespace orvane::platform
