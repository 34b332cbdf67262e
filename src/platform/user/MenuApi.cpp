// Menus and their items: creating and destroying menus, inserting, changing, querying and
// removing items, checking and enabling them, and the menu's own settings.
#include <algorithm>
#include <memory>
#include <unordered_set>

#include "platform/base/HandleTable.h"
#include "platform/base/LastError.h"
#include "platform/base/TextBuffer.h"
#include "platform/user/MenuInternal.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

char16_t MenuItem::mnemonic() const {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] != u'&') return text[i + 1];
        ++i;  // "&&" is a plain ampersand
    }
    return 0;
}

namespace menus {

MenuObject* menuQuiet(std::uint32_t h) {
    return HandleTable::current().get<MenuObject>(h);
}

MenuObject* menuQuiet(HMENU h) {
    return menuQuiet(h.value);
}

MenuObject* menu(HMENU h) {
    MenuObject* m = menuQuiet(h);
    if (!m) SetLastError(ERROR_INVALID_MENU_HANDLE);
    return m;
}

namespace {

int findByCommand(MenuObject*& owner, UINT id, std::unordered_set<std::uint32_t>& seen) {
    if (!seen.insert(owner->handle()).second) return -1;
    int fallback = -1;
    for (std::size_t i = 0; i < owner->items.size(); ++i) {
        const MenuItem& item = owner->items[i];
        if (item.subMenu) {
            if (MenuObject* sub = menuQuiet(item.subMenu)) {
                MenuObject* found = sub;
                const int at = findByCommand(found, id, seen);
                if (at >= 0) {
                    owner = found;
                    return at;
                }
            }
            if (item.id == id && fallback < 0) fallback = static_cast<int>(i);
        } else if (item.id == id) {
            return static_cast<int>(i);
        }
    }
    return fallback;
}

}  // namespace

int findItem(MenuObject*& owner, UINT item, bool byPosition) {
    if (byPosition) return item < owner->items.size() ? static_cast<int>(item) : -1;
    std::unordered_set<std::uint32_t> seen;
    MenuObject* found = owner;
    const int at = findByCommand(found, item, seen);
    if (at >= 0) owner = found;
    return at;
}

void menuChanged(MenuObject& m) {
    m.changed();
    if (m.popupWindow) {
        if (WindowObject* w = user::windowQuiet(HWND(m.popupWindow)))
            InvalidateRect(w->hwnd(), nullptr, FALSE);
    }
}

}  // namespace menus

namespace {

using menus::menu;
using menus::menuQuiet;

constexpr UINT kTypeFlags = MFT_BITMAP | MFT_MENUBARBREAK | MFT_MENUBREAK | MFT_OWNERDRAW |
                            MFT_RADIOCHECK | MFT_SEPARATOR | MFT_RIGHTJUSTIFY;
constexpr UINT kStateFlags = MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT;
constexpr UINT kKnownMasks = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE |
                             MIIM_DATA | MIIM_STRING | MIIM_BITMAP | MIIM_FTYPE;

HMENU create(bool popup) {
    auto m = std::make_unique<MenuObject>();
    m->popup = popup;
    return HMENU(HandleTable::current().add(std::move(m)));
}

// Whether `target` is `from` or one of its submenus, at any depth.
bool reaches(std::uint32_t from, std::uint32_t target, std::unordered_set<std::uint32_t>& seen) {
    if (from == target) return true;
    if (!seen.insert(from).second) return false;
    MenuObject* m = menuQuiet(from);
    if (!m) return false;
    for (const MenuItem& item : m->items)
        if (item.subMenu && reaches(item.subMenu, target, seen)) return true;
    return false;
}

// A submenu may go into `parent` unless that makes a cycle (a menu inside itself).
bool submenuAllowed(MenuObject& parent, HMENU sub) {
    if (!sub) return true;
    if (!menu(sub)) return false;
    std::unordered_set<std::uint32_t> seen;
    if (reaches(sub.value, parent.handle(), seen)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

bool validBitmap(HBITMAP bmp, const char* call) {
    // HBMMENU_ values other than the callback (1 to 11) name system pictures not drawn here.
    if (bmp.value >= 1 && bmp.value <= 11) {
        ReportUnsupported(call, "HBMMENU_ system bitmaps");
        return false;
    }
    return true;
}

// Applies the fields that `info` names to `item`, checking them first.
bool applyInfo(const char* call, MenuObject& m, MenuItem& item, const MENUITEMINFOW& info) {
    if (info.cbSize != sizeof(MENUITEMINFOW) || (info.fMask & ~kKnownMasks) ||
        ((info.fMask & MIIM_TYPE) && (info.fMask & (MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP)))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (info.fMask & (MIIM_TYPE | MIIM_FTYPE)) {
        if (info.fType & MFT_RIGHTORDER) {
            ReportUnsupported(call, "MFT_RIGHTORDER", ERROR_INVALID_PARAMETER);
            return false;
        }
        if (info.fType & ~kTypeFlags) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
    }
    if ((info.fMask & MIIM_STATE) && (info.fState & ~kStateFlags)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if ((info.fMask & MIIM_SUBMENU) && !submenuAllowed(m, info.hSubMenu)) return false;
    if ((info.fMask & MIIM_BITMAP) && !validBitmap(info.hbmpItem, call)) return false;
    if (info.fMask & MIIM_TYPE) {
        item.type = info.fType;
        if (info.fType & MFT_BITMAP) {
            item.bitmap = HBITMAP(
                static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(info.dwTypeData)));
            item.text.clear();
        } else if (!(info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW))) {
            item.text = info.dwTypeData ? info.dwTypeData : u"";
        }
    }
    if (info.fMask & MIIM_FTYPE) item.type = info.fType;
    if (info.fMask & MIIM_STRING) item.text = info.dwTypeData ? info.dwTypeData : u"";
    if (info.fMask & MIIM_BITMAP) item.bitmap = info.hbmpItem;
    if (info.fMask & MIIM_STATE) item.state = info.fState;
    if (info.fMask & MIIM_ID) item.id = info.wID;
    if (info.fMask & MIIM_SUBMENU) item.subMenu = info.hSubMenu.value;
    if (info.fMask & MIIM_CHECKMARKS) {
        item.checked = info.hbmpChecked;
        item.unchecked = info.hbmpUnchecked;
    }
    if (info.fMask & MIIM_DATA) item.data = info.dwItemData;
    item.measured = false;
    return true;
}

// An item from the MF_ flags of AppendMenuW, InsertMenuW and ModifyMenuW.
bool itemFromFlags(const char* call, MenuObject& m, UINT flags, UINT_PTR idOrSub, LPCWSTR text,
                   MenuItem& item) {
    constexpr UINT kAllowed = MF_BYPOSITION | MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_CHECKED |
                              MF_USECHECKBITMAPS | MF_BITMAP | MF_OWNERDRAW | MF_POPUP |
                              MF_MENUBARBREAK | MF_MENUBREAK | MF_HILITE | MF_DEFAULT |
                              MF_RIGHTJUSTIFY;
    if (flags & ~kAllowed) {
        ReportUnsupported(call, "flags", ERROR_INVALID_FLAGS);
        return false;
    }
    item = MenuItem{};
    item.type = flags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_MENUBREAK | MF_MENUBARBREAK |
                         MF_RIGHTJUSTIFY);
    item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
    if (flags & MF_POPUP) {
        const HMENU sub(static_cast<std::uint32_t>(idOrSub));
        if (!sub) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return false;
        }
        if (!submenuAllowed(m, sub)) return false;
        item.subMenu = sub.value;
    }
    item.id = static_cast<UINT>(idOrSub);
    if (flags & MF_BITMAP) {
        item.bitmap = HBITMAP(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(text)));
        if (!validBitmap(item.bitmap, call)) return false;
    } else if (flags & MF_OWNERDRAW) {
        item.data = reinterpret_cast<ULONG_PTR>(text);
    } else if (!(flags & MF_SEPARATOR) && text) {
        item.text = text;
    }
    return true;
}

void insertAt(MenuObject& m, int position, MenuItem item) {
    // A position past the end (or -1) appends, as on Windows.
    const auto at = position < 0 || static_cast<std::size_t>(position) > m.items.size()
                        ? m.items.size()
                        : static_cast<std::size_t>(position);
    m.items.insert(m.items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    if (m.selected >= static_cast<int>(at)) ++m.selected;
    menus::menuChanged(m);
}

// Where an insertion by command or position goes: the menu that holds the item and the index.
bool insertionPoint(MenuObject*& m, UINT item, bool byPosition, int& at) {
    if (byPosition) {
        at = item == static_cast<UINT>(-1) ? -1 : static_cast<int>(item);
        return true;
    }
    at = menus::findItem(m, item, false);
    if (at < 0) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return false;
    }
    return true;
}

void destroyTree(std::uint32_t h) {
    MenuObject* m = menuQuiet(h);
    if (!m) return;
    std::vector<std::uint32_t> subs;
    for (const MenuItem& item : m->items)
        if (item.subMenu) subs.push_back(item.subMenu);
    // A menu bar loses its window's place first, so that the window's frame is laid out again.
    if (m->barWindow) {
        const HWND owner(m->barWindow);
        if (WindowObject* w = user::windowQuiet(owner); w && w->menu == h) {
            w->menu = 0;
            m->barWindow = 0;
            if (!w->destroying)
                SetWindowPos(
                    owner, HWND(), 0, 0, 0, 0,
                    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
    }
    HandleTable::current().remove(h);
    for (std::uint32_t s : subs)
        destroyTree(s);
}

UINT stateBits(const MenuItem& item) {
    return item.state | (item.type & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_MENUBREAK |
                                      MF_MENUBARBREAK | MF_RIGHTJUSTIFY));
}

}  // namespace

HMENU CreateMenu() {
    return create(false);
}

HMENU CreatePopupMenu() {
    return create(true);
}

BOOL DestroyMenu(HMENU h) {
    if (!menu(h)) return FALSE;
    destroyTree(h.value);
    return TRUE;
}

BOOL IsMenu(HMENU h) {
    return menuQuiet(h) ? TRUE : FALSE;
}

BOOL InsertMenuW(HMENU h, UINT position, UINT flags, UINT_PTR idOrSub, LPCWSTR text) {
    MenuObject* m = menu(h);
    if (!m) return FALSE;
    int at = -1;
    if (!insertionPoint(m, position, flags & MF_BYPOSITION, at)) return FALSE;
    MenuItem item;
    if (!itemFromFlags("InsertMenuW", *m, flags, idOrSub, text, item)) return FALSE;
    insertAt(*m, at, std::move(item));
    return TRUE;
}

BOOL AppendMenuW(HMENU h, UINT flags, UINT_PTR idOrSub, LPCWSTR text) {
    if (flags & MF_BYPOSITION) {
        SetLastError(ERROR_INVALID_FLAGS);
        return FALSE;
    }
    return InsertMenuW(h, static_cast<UINT>(-1), flags | MF_BYPOSITION, idOrSub, text);
}

BOOL ModifyMenuW(HMENU h, UINT position, UINT flags, UINT_PTR idOrSub, LPCWSTR text) {
    MenuObject* m = menu(h);
    if (!m) return FALSE;
    const int at = menus::findItem(m, position, flags & MF_BYPOSITION);
    if (at < 0) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    MenuItem item;
    if (!itemFromFlags("ModifyMenuW", *m, flags, idOrSub, text, item)) return FALSE;
    // The old submenu is replaced, not destroyed (ModifyMenuW destroys it on Windows only when
    // the new item is not a submenu; the caller still owns it here).
    m->items[static_cast<std::size_t>(at)] = std::move(item);
    menus::menuChanged(*m);
    return TRUE;
}

BOOL InsertMenuItemW(HMENU h, UINT position, BOOL byPosition, const MENUITEMINFOW* info) {
    MenuObject* m = menu(h);
    if (!m) return FALSE;
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    int at = -1;
    if (!insertionPoint(m, position, byPosition, at)) return FALSE;
    MenuItem item;
    if (!applyInfo("InsertMenuItemW", *m, item, *info)) return FALSE;
    insertAt(*m, at, std::move(item));
    return TRUE;
}

BOOL SetMenuItemInfoW(HMENU h, UINT position, BOOL byPosition, const MENUITEMINFOW* info) {
    MenuObject* m = menu(h);
    if (!m) return FALSE;
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int at = menus::findItem(m, position, byPosition);
    if (at < 0) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    // Changes are made on a copy, so that a refused change leaves the item as it was.
    MenuItem item = m->items[static_cast<std::size_t>(at)];
    if (!applyInfo("SetMenuItemInfoW", *m, item, *info)) return FALSE;
    m->items[static_cast<std::size_t>(at)] = std::move(item);
    menus::menuChanged(*m);
    return TRUE;
}

BOOL GetMenuItemInfoW(HMENU h, UINT position, BOOL byPosition, MENUITEMINFOW* info) {
    MenuObject* m = menu(h);
    if (!m) return FALSE;
    if (!info || info->cbSize != sizeof(MENUITEMINFOW) || (info->fMask & ~kKnownMasks)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int at = menus::findItem(m, position, byPosition);
    if (at < 0) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    const MenuItem& item = m->items[static_cast<std::size_t>(at)];
    const UINT mask = info->fMask;
    if (mask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = item.type;
    if (mask & MIIM_STATE) info->fState = item.state;
    if (mask & MIIM_ID) info->wID = item.id;
    if (mask & MIIM_SUBMENU) info->hSubMenu = HMENU(item.subMenu);
    if (mask & MIIM_CHECKMARKS) {
        info->hbmpChecked = item.checked;
        info->hbmpUnchecked = item.unchecked;
    }
    if (mask & MIIM_DATA) info->dwItemData = item.data;
    if (mask & MIIM_BITMAP) info->hbmpItem = item.bitmap;
    const bool textItem = !(item.type & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW));
    if ((mask & MIIM_TYPE) && (item.type & MFT_BITMAP)) {
        info->dwTypeData = reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(item.bitmap.value));
    } else if ((mask & MIIM_STRING) || ((mask & MIIM_TYPE) && textItem)) {
        // Without a buffer, cch receives the length; with one, the text is copied and cut to
        // fit, and cch receives the length copied.
        const UINT length = static_cast<UINT>(item.text.size());
        if (!info->dwTypeData || info->cch == 0) {
            info->cch = length;
        } else {
            const UINT n = std::min(length, info->cch - 1);
            std::copy_n(item.text.data(), n, info->dwTypeData);
            info->dwTypeData[n] = 0;
            info->cch = n;
        }
    }
    return TRUE;
}

int GetMenuItemCount(HMENU h) {
    MenuObject* m = menu(h);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU h, int position) {
    MenuObject* m = menu(h);
    if (!m || position < 0 || static_cast<std::size_t>(position) >= m->items.size())
        return static_cast<UINT>(-1);
    const MenuItem& item = m->items[static_cast<std::size_t>(position)];
    return item.subMenu ? static_cast<UINT>(-1) : item.id;
}

HMENU GetSubMenu(HMENU h, int position) {
    MenuObject* m = menu(h);
    if (!m || position < 0 || static_cast<std::size_t>(position) >= m->items.size()) return HMENU();
    const std::uint32_t sub = m->items[static_cast<std::size_t>(position)].subMenu;
    return menuQuiet(sub) ? HMENU(sub) : HMENU();
}

UINT GetMenuState(HMENU h, UINT position, UINT flags) {
    MenuObject* m = menu(h);
    if (!m) return static_cast<UINT>(-1);
    const int at = menus::findItem(m, position, flags & MF_BYPOSITION);
    if (at < 0) return static_cast<UINT>(-1);
    const MenuItem& item = m->items[static_cast<std::size_t>(at)];
    // A submenu item gives its flags in the low byte and its submenu's item count above.
    if (MenuObject* sub = menuQuiet(item.subMenu))
        return (static_cast<UINT>(sub->items.size()) << 8) | ((stateBits(item) | MF_POPUP) & 0xFF);
    return stateBits(item);
}

int GetMenuStringW(HMENU h, UINT position, LPWSTR buffer, int size, UINT flags) {
    MenuObject* m = menu(h);
    if (!m) return 0;
    const int at = menus::findItem(m, position, flags & MF_BYPOSITION);
    if (at < 0) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return 0;
    }
    const std::u16string& text = m->items[static_cast<std::size_t>(at)].text;
    if (!buffer || size <= 0) return static_cast<int>(text.size());
    return CopyToBuffer(text, buffer, size);
}

DWORD CheckMenuItem(HMENU h, UINT position, UINT check) {
    MenuObject* m = menu(h);
    if (!m) return static_cast<DWORD>(-1);
    const int at = menus::findItem(m, position, check & MF_BYPOSITION);
    if (at < 0) return static_cast<DWORD>(-1);
    MenuItem& item = m->items[static_cast<std::size_t>(at)];
    const DWORD old = item.state & MF_CHECKED;
    item.state = (item.state & ~MF_CHECKED) | (check & MF_CHECKED);
    menus::menuChanged(*m);
    return old;
}

BOOL CheckMenuRadioItem(HMENU h, UINT first, UINT last, UINT check, UINT flags) {
    MenuObject* m = menu(h);
    if (!m) return FALSE;
    const bool byPosition = flags & MF_BYPOSITION;
    MenuObject* holder = m;
    int from = menus::findItem(holder, first, byPosition);
    MenuObject* lastHolder = m;
    int to = menus::findItem(lastHolder, last, byPosition);
    MenuObject* checkHolder = m;
    const int target = menus::findItem(checkHolder, check, byPosition);
    // The three items must lie in one menu.
    if (from < 0 || to < 0 || target < 0 || holder != lastHolder || holder != checkHolder) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    if (from > to) std::swap(from, to);
    for (int i = from; i <= to; ++i) {
        MenuItem& item = holder->items[static_cast<std::size_t>(i)];
        if (i == target) {
            item.state |= MFS_CHECKED;
            item.type |= MFT_RADIOCHECK;
        } else {
            item.state &= ~MFS_CHECKED;
        }
    }
    menus::menuChanged(*holder);
    return TRUE;
}

BOOL EnableMenuItem(HMENU h, UINT position, UINT enable) {
    MenuObject* m = menu(h);
    if (!m) return -1;
    const int at = menus::findItem(m, position, enable & MF_BYPOSITION);
    if (at < 0) return -1;
    MenuItem& item = m->items[static_cast<std::size_t>(at)];
    const UINT old = item.state & (MF_GRAYED | MF_DISABLED);
    item.state = (item.state & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    menus::menuChanged(*m);
    return static_cast<BOOL>(old);
}

BOOL HiliteMenuItem(HWND hwnd, HMENU h, UINT position, UINT hilite) {
    if (!user::window(hwnd)) return FALSE;
    MenuObject* m = menu(h);
    if (!m) return FALSE;
    const int at = menus::findItem(m, position, hilite & MF_BYPOSITION);
    if (at < 0) return FALSE;
    MenuItem& item = m->items[static_cast<std::size_t>(at)];
    item.state = (item.state & ~MF_HILITE) | (hilite & MF_HILITE);
    DrawMenuBar(hwnd);
    return TRUE;
}

BOOL SetMenuDefaultItem(HMENU h, UINT position, UINT byPosition) {
    MenuObject* m = menu(h);
    if (!m) return FALSE;
    int at = -1;
    if (position != static_cast<UINT>(-1)) {
        // The default item is one of this menu's own items.
        if (byPosition) {
            at = position < m->items.size() ? static_cast<int>(position) : -1;
        } else {
            for (std::size_t i = 0; i < m->items.size(); ++i)
                if (m->items[i].id == position) at = at < 0 ? static_cast<int>(i) : at;
        }
        if (at < 0) {
            SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
            return FALSE;
        }
    }
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        MenuItem& item = m->items[i];
        item.state =
            static_cast<int>(i) == at ? (item.state | MFS_DEFAULT) : (item.state & ~MFS_DEFAULT);
    }
    menus::menuChanged(*m);
    return TRUE;
}

UINT GetMenuDefaultItem(HMENU h, UINT byPosition, UINT flags) {
    constexpr UINT GMDI_USEDISABLED = 0x0001;
    constexpr UINT GMDI_GOINTOPOPUPS = 0x0002;
    MenuObject* m = menu(h);
    if (!m) return static_cast<UINT>(-1);
    if (flags & GMDI_GOINTOPOPUPS) {
        ReportUnsupported("GetMenuDefaultItem", "GMDI_GOINTOPOPUPS");
        return static_cast<UINT>(-1);
    }
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& item = m->items[i];
        if (!(item.state & MFS_DEFAULT)) continue;
        if (item.disabled() && !(flags & GMDI_USEDISABLED)) return static_cast<UINT>(-1);
        return byPosition ? static_cast<UINT>(i) : item.id;
    }
    return static_cast<UINT>(-1);
}

BOOL RemoveMenu(HMENU h, UINT position, UINT flags) {
    MenuObject* m = menu(h);
    if (!m) return FALSE;
    const int at = menus::findItem(m, position, flags & MF_BYPOSITION);
    if (at < 0) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    m->items.erase(m->items.begin() + at);
    if (m->selected == at)
        m->selected = -1;
    else if (m->selected > at)
        --m->selected;
    menus::menuChanged(*m);
    return TRUE;
}

BOOL DeleteMenu(HMENU h, UINT position, UINT flags) {
    MenuObject* m = menu(h);
    if (!m) return FALSE;
    const int at = menus::findItem(m, position, flags & MF_BYPOSITION);
    if (at < 0) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    const std::uint32_t sub = m->items[static_cast<std::size_t>(at)].subMenu;
    RemoveMenu(m->hmenu(), static_cast<UINT>(at), MF_BYPOSITION);
    if (sub) destroyTree(sub);
    return TRUE;
}

BOOL SetMenuInfo(HMENU h, const MENUINFO* info) {
    MenuObject* m = menu(h);
    if (!m) return FALSE;
    constexpr DWORD kMasks = MIM_MAXHEIGHT | MIM_BACKGROUND | MIM_HELPID | MIM_MENUDATA |
                             MIM_STYLE | MIM_APPLYTOSUBMENUS;
    if (!info || info->cbSize != sizeof(MENUINFO) || (info->fMask & ~kMasks)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if ((info->fMask & MIM_STYLE) &&
        (info->dwStyle & (MNS_MODELESS | MNS_DRAGDROP | MNS_AUTODISMISS))) {
        ReportUnsupported("SetMenuInfo", "MNS_MODELESS, MNS_DRAGDROP and MNS_AUTODISMISS");
        return FALSE;
    }
    if ((info->fMask & MIM_STYLE) &&
        (info->dwStyle & ~(MNS_NOCHECK | MNS_NOTIFYBYPOS | MNS_CHECKORBMP))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if ((info->fMask & MIM_MAXHEIGHT) && info->cyMax != 0) {
        ReportUnsupported("SetMenuInfo", "scrolling menus (MIM_MAXHEIGHT)");
        return FALSE;
    }
    if (info->fMask & MIM_BACKGROUND) m->background = info->hbrBack;
    if (info->fMask & MIM_HELPID) m->helpId = info->dwContextHelpID;
    if (info->fMask & MIM_MENUDATA) m->menuData = info->dwMenuData;
    if (info->fMask & MIM_STYLE) m->style = info->dwStyle;
    menus::menuChanged(*m);
    if (info->fMask & MIM_APPLYTOSUBMENUS) {
        // Menu data stays with the menu it was given to; the look applies to the submenus.
        MENUINFO down = *info;
        down.fMask &= ~MIM_MENUDATA;
        std::unordered_set<std::uint32_t> seen{h.value};
        std::vector<std::uint32_t> todo;
        for (const MenuItem& item : m->items)
            if (item.subMenu) todo.push_back(item.subMenu);
        while (!todo.empty()) {
            const std::uint32_t s = todo.back();
            todo.pop_back();
            MenuObject* sub = menuQuiet(s);
            if (!sub || !seen.insert(s).second) continue;
            if (down.fMask & MIM_BACKGROUND) sub->background = down.hbrBack;
            if (down.fMask & MIM_HELPID) sub->helpId = down.dwContextHelpID;
            if (down.fMask & MIM_STYLE) sub->style = down.dwStyle;
            menus::menuChanged(*sub);
            for (const MenuItem& item : sub->items)
                if (item.subMenu) todo.push_back(item.subMenu);
        }
    }
    return TRUE;
}

BOOL GetMenuInfo(HMENU h, MENUINFO* info) {
    MenuObject* m = menu(h);
    if (!m) return FALSE;
    if (!info || info->cbSize != sizeof(MENUINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (info->fMask & MIM_MAXHEIGHT) info->cyMax = m->maxHeight;
    if (info->fMask & MIM_BACKGROUND) info->hbrBack = m->background;
    if (info->fMask & MIM_HELPID) info->dwContextHelpID = m->helpId;
    if (info->fMask & MIM_MENUDATA) info->dwMenuData = m->menuData;
    if (info->fMask & MIM_STYLE) info->dwStyle = m->style;
    return TRUE;
}

}  // namespace orvane::platform
