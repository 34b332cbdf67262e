// Menus: menu bars and popup menus, their items, and the menu session that shows and tracks
// them (TrackPopupMenuEx, the menu bar from the mouse and from Alt or F10). Names, numbers,
// structures and message sequences as on Windows.
#pragma once

#include "platform/user/UserTypes.h"

namespace orvane::platform {

// Menu messages not listed with the other window messages.
inline constexpr UINT WM_MENURBUTTONUP = 0x0122;
inline constexpr UINT WM_UNINITMENUPOPUP = 0x0125;
inline constexpr UINT WM_MENUCOMMAND = 0x0126;
// Asks a popup menu window (class "#32768") for the menu it shows.
inline constexpr UINT MN_GETHMENU = 0x01E1;
inline constexpr WPARAM SC_MOUSEMENU = 0xF090;
// WM_ENTERIDLE: the kind of modal loop that is idle.
inline constexpr WPARAM MSGF_DIALOGBOX = 0;
inline constexpr WPARAM MSGF_MENU = 2;
// WM_MENUCHAR answers, in the high word of the result.
inline constexpr LRESULT MNC_IGNORE = 0;
inline constexpr LRESULT MNC_CLOSE = 1;
inline constexpr LRESULT MNC_EXECUTE = 2;
inline constexpr LRESULT MNC_SELECT = 3;

// Item flags of AppendMenuW, CheckMenuItem, EnableMenuItem, GetMenuState, WM_MENUSELECT.
inline constexpr UINT MF_INSERT = 0x0000;
inline constexpr UINT MF_CHANGE = 0x0080;
inline constexpr UINT MF_APPEND = 0x0100;
inline constexpr UINT MF_DELETE = 0x0200;
inline constexpr UINT MF_REMOVE = 0x1000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_USECHECKBITMAPS = 0x0200;
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_BITMAP = 0x0004;
inline constexpr UINT MF_OWNERDRAW = 0x0100;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_MENUBARBREAK = 0x0020;
inline constexpr UINT MF_MENUBREAK = 0x0040;
inline constexpr UINT MF_UNHILITE = 0x0000;
inline constexpr UINT MF_HILITE = 0x0080;
inline constexpr UINT MF_DEFAULT = 0x1000;
inline constexpr UINT MF_SYSMENU = 0x2000;
inline constexpr UINT MF_HELP = 0x4000;
inline constexpr UINT MF_RIGHTJUSTIFY = 0x4000;
inline constexpr UINT MF_MOUSESELECT = 0x8000;

// MENUITEMINFOW.
inline constexpr UINT MIIM_STATE = 0x0001;
inline constexpr UINT MIIM_ID = 0x0002;
inline constexpr UINT MIIM_SUBMENU = 0x0004;
inline constexpr UINT MIIM_CHECKMARKS = 0x0008;
inline constexpr UINT MIIM_TYPE = 0x0010;
inline constexpr UINT MIIM_DATA = 0x0020;
inline constexpr UINT MIIM_STRING = 0x0040;
inline constexpr UINT MIIM_BITMAP = 0x0080;
inline constexpr UINT MIIM_FTYPE = 0x0100;
inline constexpr UINT MFT_STRING = MF_STRING;
inline constexpr UINT MFT_BITMAP = MF_BITMAP;
inline constexpr UINT MFT_MENUBARBREAK = MF_MENUBARBREAK;
inline constexpr UINT MFT_MENUBREAK = MF_MENUBREAK;
inline constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
inline constexpr UINT MFT_RADIOCHECK = 0x0200;
inline constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
inline constexpr UINT MFT_RIGHTORDER = 0x2000;
inline constexpr UINT MFT_RIGHTJUSTIFY = MF_RIGHTJUSTIFY;
inline constexpr UINT MFS_GRAYED = 0x0003;
inline constexpr UINT MFS_DISABLED = MFS_GRAYED;
inline constexpr UINT MFS_CHECKED = MF_CHECKED;
inline constexpr UINT MFS_HILITE = MF_HILITE;
inline constexpr UINT MFS_ENABLED = MF_ENABLED;
inline constexpr UINT MFS_UNCHECKED = MF_UNCHECKED;
inline constexpr UINT MFS_UNHILITE = MF_UNHILITE;
inline constexpr UINT MFS_DEFAULT = MF_DEFAULT;
// hbmpItem values that are not bitmaps: HBMMENU_CALLBACK asks the owner to measure and draw the
// picture (WM_MEASUREITEM and WM_DRAWITEM with itemID the item's identifier).
inline const HBITMAP HBMMENU_CALLBACK = HBITMAP(0xFFFFFFFFu);

struct MENUITEMINFOW {
    UINT cbSize = sizeof(MENUITEMINFOW);
    UINT fMask = 0;
    UINT fType = 0;
    UINT fState = 0;
    UINT wID = 0;
    HMENU hSubMenu;
    HBITMAP hbmpChecked;
    HBITMAP hbmpUnchecked;
    ULONG_PTR dwItemData = 0;
    LPWSTR dwTypeData = nullptr;
    UINT cch = 0;
    HBITMAP hbmpItem;
};

// MENUINFO.
inline constexpr DWORD MIM_MAXHEIGHT = 0x00000001;
inline constexpr DWORD MIM_BACKGROUND = 0x00000002;
inline constexpr DWORD MIM_HELPID = 0x00000004;
inline constexpr DWORD MIM_MENUDATA = 0x00000008;
inline constexpr DWORD MIM_STYLE = 0x00000010;
inline constexpr DWORD MIM_APPLYTOSUBMENUS = 0x80000000;
inline constexpr DWORD MNS_NOCHECK = 0x80000000;
inline constexpr DWORD MNS_MODELESS = 0x40000000;
inline constexpr DWORD MNS_DRAGDROP = 0x20000000;
inline constexpr DWORD MNS_AUTODISMISS = 0x10000000;
inline constexpr DWORD MNS_NOTIFYBYPOS = 0x08000000;
inline constexpr DWORD MNS_CHECKORBMP = 0x04000000;

struct MENUINFO {
    DWORD cbSize = sizeof(MENUINFO);
    DWORD fMask = 0;
    DWORD dwStyle = 0;
    UINT cyMax = 0;
    HBRUSH hbrBack;
    DWORD dwContextHelpID = 0;
    ULONG_PTR dwMenuData = 0;
};

// TrackPopupMenuEx.
inline constexpr UINT TPM_LEFTBUTTON = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_CENTERALIGN = 0x0004;
inline constexpr UINT TPM_RIGHTALIGN = 0x0008;
inline constexpr UINT TPM_TOPALIGN = 0x0000;
inline constexpr UINT TPM_VCENTERALIGN = 0x0010;
inline constexpr UINT TPM_BOTTOMALIGN = 0x0020;
inline constexpr UINT TPM_HORIZONTAL = 0x0000;
inline constexpr UINT TPM_VERTICAL = 0x0040;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;
inline constexpr UINT TPM_RECURSE = 0x0001;
inline constexpr UINT TPM_HORPOSANIMATION = 0x0400;
inline constexpr UINT TPM_HORNEGANIMATION = 0x0800;
inline constexpr UINT TPM_VERPOSANIMATION = 0x1000;
inline constexpr UINT TPM_VERNEGANIMATION = 0x2000;
inline constexpr UINT TPM_NOANIMATION = 0x4000;
inline constexpr UINT TPM_LAYOUTRTL = 0x8000;
inline constexpr UINT TPM_WORKAREA = 0x10000;

struct TPMPARAMS {
    UINT cbSize = sizeof(TPMPARAMS);
    RECT rcExclude{};
};

// GetMenuBarInfo.
inline constexpr LONG OBJID_SYSMENU = -1;
inline constexpr LONG OBJID_MENU = -3;
inline constexpr LONG OBJID_CLIENT = -4;

struct MENUBARINFO {
    DWORD cbSize = sizeof(MENUBARINFO);
    RECT rcBar{};
    HMENU hMenu;
    HWND hwndMenu;
    BOOL fBarFocused = FALSE;
    BOOL fFocused = FALSE;
};

// Menus and their items. Handles of destroyed menus, or of other objects, fail with
// ERROR_INVALID_MENU_HANDLE; an item that is not there fails with ERROR_MENU_ITEM_NOT_FOUND.
HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and, as on Windows, every submenu it holds.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text);
BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text);
BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text);
BOOL InsertMenuItemW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOW* info);
BOOL SetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOW* info);
BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFOW* info);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int size, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable);
BOOL HiliteMenuItem(HWND hwnd, HMENU menu, UINT item, UINT hilite);
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition);
UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL SetMenuInfo(HMENU menu, const MENUINFO* info);
BOOL GetMenuInfo(HMENU menu, MENUINFO* info);

// The menu bar of a top-level window, in its non-client area below the caption; a bar too
// narrow for its items wraps onto several rows.
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
BOOL DrawMenuBar(HWND hwnd);
BOOL GetMenuBarInfo(HWND hwnd, LONG object, LONG item, MENUBARINFO* info);
// The window menu (Restore, Move, Size, Minimize, Maximize, Close) of a window with
// WS_SYSMENU, for the caller to change; `revert` goes back to the standard one (and gives null).
// Alt+Space shows it; its commands come as WM_SYSCOMMAND.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);

// The menu session: shows a popup menu and tracks it until an item is chosen or the menu is
// dismissed. With TPM_RETURNCMD the chosen item's identifier is returned (0 when none was),
// otherwise the owner gets WM_COMMAND. On a virtual clock with nothing left to happen (no
// input, no timer, nothing done by the owner's WM_ENTERIDLE) the menu is dismissed.
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* reserved2);
// Ends the menu session in progress (as if dismissed).
BOOL EndMenu();
// Where an item of a menu that is shown lies, in screen coordinates.
BOOL GetMenuItemRect(HWND hwnd, HMENU menu, UINT item, RECT* rc);
// The position of the item of a shown menu at a screen point, or -1.
int MenuItemFromPoint(HWND hwnd, HMENU menu, POINT pt);

}  // namespace orvane::platform
