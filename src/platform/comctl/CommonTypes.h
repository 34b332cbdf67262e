// What the common controls share: the CCM_ messages, the generic NM_ notifications and the
// custom-draw structure and codes, with the Windows names and values.
#pragma once

#include "platform/user/UserTypes.h"

namespace orvane::platform {

inline constexpr UINT CCM_FIRST = 0x2000;
inline constexpr UINT CCM_SETBKCOLOR = CCM_FIRST + 1;
inline constexpr UINT CCM_SETUNICODEFORMAT = CCM_FIRST + 5;
inline constexpr UINT CCM_GETUNICODEFORMAT = CCM_FIRST + 6;
inline constexpr UINT CCM_SETVERSION = CCM_FIRST + 7;
inline constexpr UINT CCM_GETVERSION = CCM_FIRST + 8;

// Text a control asks its parent for when it needs it (LVN_GETDISPINFOW, TTN_GETDISPINFOW).
inline LPWSTR const LPSTR_TEXTCALLBACKW = reinterpret_cast<LPWSTR>(static_cast<std::intptr_t>(-1));

// WM_NOTIFYFORMAT answers.
inline constexpr LRESULT NFR_ANSI = 1;
inline constexpr LRESULT NFR_UNICODE = 2;

// Generic notifications (WM_NOTIFY codes).
inline constexpr UINT NM_FIRST = 0U;
inline constexpr UINT NM_OUTOFMEMORY = NM_FIRST - 1;
inline constexpr UINT NM_CLICK = NM_FIRST - 2;
inline constexpr UINT NM_DBLCLK = NM_FIRST - 3;
inline constexpr UINT NM_RETURN = NM_FIRST - 4;
inline constexpr UINT NM_RCLICK = NM_FIRST - 5;
inline constexpr UINT NM_RDBLCLK = NM_FIRST - 6;
inline constexpr UINT NM_SETFOCUS = NM_FIRST - 7;
inline constexpr UINT NM_KILLFOCUS = NM_FIRST - 8;
inline constexpr UINT NM_CUSTOMDRAW = NM_FIRST - 12;
inline constexpr UINT NM_HOVER = NM_FIRST - 13;
inline constexpr UINT NM_RELEASEDCAPTURE = NM_FIRST - 16;

// Custom draw: the stages, the answers and the item states.
inline constexpr DWORD CDDS_PREPAINT = 0x00000001;
inline constexpr DWORD CDDS_POSTPAINT = 0x00000002;
inline constexpr DWORD CDDS_PREERASE = 0x00000003;
inline constexpr DWORD CDDS_POSTERASE = 0x00000004;
inline constexpr DWORD CDDS_ITEM = 0x00010000;
inline constexpr DWORD CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
inline constexpr DWORD CDDS_ITEMPOSTPAINT = CDDS_ITEM | CDDS_POSTPAINT;
inline constexpr DWORD CDDS_ITEMPREERASE = CDDS_ITEM | CDDS_PREERASE;
inline constexpr DWORD CDDS_ITEMPOSTERASE = CDDS_ITEM | CDDS_POSTERASE;
inline constexpr DWORD CDDS_SUBITEM = 0x00020000;

inline constexpr LRESULT CDRF_DODEFAULT = 0x00;
inline constexpr LRESULT CDRF_NEWFONT = 0x02;
inline constexpr LRESULT CDRF_SKIPDEFAULT = 0x04;
inline constexpr LRESULT CDRF_DOERASE = 0x08;
inline constexpr LRESULT CDRF_NOTIFYPOSTPAINT = 0x10;
inline constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x20;
inline constexpr LRESULT CDRF_NOTIFYSUBITEMDRAW = 0x20;
inline constexpr LRESULT CDRF_NOTIFYPOSTERASE = 0x40;
inline constexpr LRESULT CDRF_SKIPPOSTPAINT = 0x100;

inline constexpr UINT CDIS_SELECTED = 0x0001;
inline constexpr UINT CDIS_GRAYED = 0x0002;
inline constexpr UINT CDIS_DISABLED = 0x0004;
inline constexpr UINT CDIS_CHECKED = 0x0008;
inline constexpr UINT CDIS_FOCUS = 0x0010;
inline constexpr UINT CDIS_DEFAULT = 0x0020;
inline constexpr UINT CDIS_HOT = 0x0040;
inline constexpr UINT CDIS_MARKED = 0x0080;
inline constexpr UINT CDIS_INDETERMINATE = 0x0100;
inline constexpr UINT CDIS_SHOWKEYBOARDCUES = 0x0200;
inline constexpr UINT CDIS_NEARHOT = 0x0400;
inline constexpr UINT CDIS_OTHERSIDEHOT = 0x0800;
inline constexpr UINT CDIS_DROPHILITED = 0x1000;

// The state-image bits of an item's state (list and tree views): image i, 1-based.
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i) {
    return i << 12;
}

struct NMCUSTOMDRAW {
    NMHDR hdr;
    DWORD dwDrawStage = 0;
    HDC hdc;
    RECT rc{};
    DWORD_PTR dwItemSpec = 0;
    UINT uItemState = 0;
    LPARAM lItemlParam = 0;
};

}  // namespace orvane::platform
