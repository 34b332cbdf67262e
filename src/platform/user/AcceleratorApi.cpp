// Keyboard accelerators: CreateAcceleratorTableW, DestroyAcceleratorTable,
// CopyAcceleratorTableW and TranslateAcceleratorW. A virtual-key entry matches WM_KEYDOWN and
// WM_SYSKEYDOWN with exactly its Shift, Ctrl and Alt; a character entry matches WM_CHAR, or
// WM_SYSCHAR when it asks for Alt. A match sends WM_COMMAND with 1 in the high word of wParam.
#include <vector>

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
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
        return 1;
    }
    return 0;
}

}  // namespace orvane::platform
