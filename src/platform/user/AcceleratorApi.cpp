// Keyboard accelerators: CreateAcceleratorTableW, DestroyAcceleratorTable,
// CopyAcceleratorTableW and TranslateAcceleratorW. A virtual-key entry matches WM_KEYDOWN and
// WM_SYSKEYDOWN with exactly its Shift, Ctrl and Alt; a character entry matches WM_CHAR, or
// WM_SYSCHAR when it asks for Alt. A match sends WM_COMMAND with 1 in the high word of wParam
// (menu-bar commands after WM_INITMENU, and not for a disabled item; window-menu commands as
// WM_SYSCOMMAND).
#include <vector>

#include "platform/user/Menu.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

class AcceleratorObject : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::Accelerator;
    AcceleratorObject() : PlatformObject(kKind) {}
    std::vector<ACCEL> entries;
};

AcceleratorObject* tableOf(HACCEL table) {
    auto* t = HandleTable::current().get<AcceleratorObject>(table.value);
    if (!t) SetLastError(ERROR_INVALID_ACCEL_HANDLE);
    return t;
}

constexpr BYTE kKnownFlags = FVIRTKEY | FNOINVERT | FSHIFT | FCONTROL | FALT;

bool down(int key) {
    return GetKeyState(key) < 0;
}

bool matches(const ACCEL& a, const MSG& m) {
    if (a.fVirt & FVIRTKEY) {
        if (m.message != WM_KEYDOWN && m.message != WM_SYSKEYDOWN) return false;
        if (m.wParam != a.key) return false;
        return down(VK_SHIFT) == ((a.fVirt & FSHIFT) != 0) &&
               down(VK_CONTROL) == ((a.fVirt & FCONTROL) != 0) &&
               down(VK_MENU) == ((a.fVirt & FALT) != 0);
    }
    const UINT wanted = (a.fVirt & FALT) ? WM_SYSCHAR : WM_CHAR;
    return m.message == wanted && m.wParam == a.key;
}

// The popup of `menu` (or of its submenus) holding the command: found sets `popup` to it and
// `index` to its place in its parent.
bool findCommand(HMENU menu, WORD command, HMENU& popup, int& index, int depth = 0) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n && depth < 16; ++i) {
        if (const HMENU sub = GetSubMenu(menu, i)) {
            if (GetMenuState(sub, command, MF_BYCOMMAND) == static_cast<UINT>(-1)) continue;
            popup = sub;
            index = i;
            // A deeper popup holding it is the one that would open last.
            findCommand(sub, command, popup, index, depth + 1);
            return true;
        }
    }
    return false;
}

// Sends the command, as a menu would: a command of the window's menu bar first prepares the
// menu as though it were opened (WM_INITMENU, WM_INITMENUPOPUP) and is not sent when the item
// is disabled; a command of the window menu goes as WM_SYSCOMMAND.
void sendCommand(HWND hwnd, WORD command) {
    const HMENU bar = GetMenu(hwnd);
    if (bar && GetMenuState(bar, command, MF_BYCOMMAND) != static_cast<UINT>(-1) &&
        IsWindowEnabled(hwnd) && GetCapture() == HWND()) {
        SendMessageW(hwnd, WM_INITMENU, static_cast<WPARAM>(bar.value), 0);
        HMENU popup;
        int index = 0;
        if (findCommand(bar, command, popup, index))
            SendMessageW(hwnd, WM_INITMENUPOPUP, static_cast<WPARAM>(popup.value),
                         MAKELPARAM(index, FALSE));
        if (GetMenuState(bar, command, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED)) return;
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(command, 1), 0);
        return;
    }
    const HMENU system = IsWindow(hwnd) ? GetSystemMenu(hwnd, FALSE) : HMENU();
    if (system && GetMenuState(system, command, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
        if (!(GetMenuState(system, command, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED)))
            SendMessageW(hwnd, WM_SYSCOMMAND, command, 0);
        return;
    }
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(command, 1), 0);
}

}  // namespace

HACCEL CreateAcceleratorTableW(const ACCEL* entries, int count) {
    if (!entries || count <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HACCEL();
    }
    for (int i = 0; i < count; ++i)
        if (entries[i].fVirt & ~kKnownFlags) {
            ReportUnsupported("CreateAcceleratorTableW", "accelerator flags",
                              ERROR_INVALID_PARAMETER);
            return HACCEL();
        }
    auto t = std::make_unique<AcceleratorObject>();
    t->entries.assign(entries, entries + count);
    return HACCEL(HandleTable::current().add(std::move(t)));
}

BOOL DestroyAcceleratorTable(HACCEL table) {
    if (!tableOf(table)) return FALSE;
    return HandleTable::current().remove(table.value);
}

int CopyAcceleratorTableW(HACCEL table, ACCEL* entries, int count) {
    const AcceleratorObject* t = tableOf(table);
    if (!t) return 0;
    const int all = static_cast<int>(t->entries.size());
    if (!entries) return all;
    const int n = std::min(all, std::max(count, 0));
    for (int i = 0; i < n; ++i)
        entries[i] = t->entries[static_cast<std::size_t>(i)];
    return n;
}

int TranslateAcceleratorW(HWND hwnd, HACCEL table, const MSG* msg) {
    if (!user::window(hwnd)) return 0;
    const AcceleratorObject* t = tableOf(table);
    if (!t || !msg) return 0;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN && msg->message != WM_CHAR &&
        msg->message != WM_SYSCHAR)
        return 0;
    for (const ACCEL& a : t->entries) {
        if (!matches(a, *msg)) continue;
        // The first matching entry wins; the command is sent, not posted.
        sendCommand(hwnd, a.cmd);
        return 1;
    }
    return 0;
}

}  // namespace orvane::platform
