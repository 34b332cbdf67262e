// Hooks: SetWindowsHookExW, UnhookWindowsHookEx and CallNextHookEx for WH_GETMESSAGE, the hook
// that sees each message as GetMessageW or PeekMessageW hands it out (and may change it: a
// message turned into WM_NULL is, in effect, never delivered). GetGUIThreadInfo.
#include <algorithm>

#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

class HookObject : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::Hook;
    HookObject() : PlatformObject(kKind) {}
    HOOKPROC proc = nullptr;
};

HookObject* hookOf(HHOOK hook) {
    auto* h = HandleTable::current().get<HookObject>(hook.value);
    if (!h) SetLastError(ERROR_INVALID_HOOK_HANDLE);
    return h;
}

// Calls the hook at `index` of the chain and those it passes the message on to.
LRESULT callFrom(std::size_t index, int code, WPARAM wParam, LPARAM lParam) {
    const auto& chain = user::state().getMessageHooks;
    for (; index < chain.size(); ++index)
        if (auto* h = HandleTable::current().get<HookObject>(chain[index]))
            return h->proc(code, wParam, lParam);
    return 0;
}

}  // namespace

HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, HINSTANCE, DWORD threadId) {
    if (idHook != WH_GETMESSAGE) {
        ReportUnsupported("SetWindowsHookExW", "hook kinds other than WH_GETMESSAGE",
                          ERROR_INVALID_HOOK_FILTER);
        return HHOOK();
    }
    if (threadId != GetCurrentThreadId()) {
        ReportUnsupported("SetWindowsHookExW", "hooks on other threads or on every thread",
                          ERROR_INVALID_THREAD_ID);
        return HHOOK();
    }
    if (!proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HHOOK();
    }
    auto h = std::make_unique<HookObject>();
    h->proc = proc;
    const std::uint32_t handle = HandleTable::current().add(std::move(h));
    auto& chain = user::state().getMessageHooks;
    chain.insert(chain.begin(), handle);
    return HHOOK(handle);
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
    if (!hookOf(hook)) return FALSE;
    auto& chain = user::state().getMessageHooks;
    chain.erase(std::remove(chain.begin(), chain.end(), hook.value), chain.end());
    return HandleTable::current().remove(hook.value);
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    const auto& chain = user::state().getMessageHooks;
    const auto at = std::find(chain.begin(), chain.end(), hook.value);
    if (at == chain.end()) return 0;
    return callFrom(static_cast<std::size_t>(at - chain.begin()) + 1, code, wParam, lParam);
}

BOOL GetGUIThreadInfo(DWORD threadId, GUITHREADINFO* info) {
    if (!info || info->cbSize != sizeof(GUITHREADINFO) ||
        (threadId != 0 && threadId != GetCurrentThreadId())) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const user::UserState& s = user::state();
    info->flags = 0;
    info->hwndActive = HWND(s.active);
    info->hwndFocus = HWND(s.focus);
    info->hwndCapture = HWND(s.capture);
    info->hwndMenuOwner = HWND(s.menuOwner);
    info->hwndMoveSize = HWND(s.moveSize);
    info->hwndCaret = HWND(s.caret.owner);
    info->rcCaret = s.caret.owner
                        ? RECT{s.caret.pos.x, s.caret.pos.y, s.caret.pos.x + s.caret.width,
                               s.caret.pos.y + s.caret.height}
                        : RECT{};
    if (s.caret.owner && s.caret.hideLevel == 0) info->flags |= GUI_CARETBLINKING;
    if (s.menuOwner) info->flags |= GUI_INMENUMODE;
    if (s.moveSize) info->flags |= GUI_INMOVESIZE;
    return TRUE;
}

namespace user {

void callGetMessageHooks(MSG* msg, bool removed) {
    if (state().getMessageHooks.empty()) return;
    callFrom(0, HC_ACTION, removed ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(msg));
}

}  // namespace user

}  // namespace orvane::platform
