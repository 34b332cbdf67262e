// How a common control's state object outlives its window while its own messages still run: a
// window destroyed inside one of its messages (a parent answering a notification by destroying
// the control, say) has its object deleted only when every message in progress has returned,
// so the control's code never runs on freed memory; it sees `dead` and stops.
#pragma once

#include "platform/user/User.h"

namespace orvane::platform {

struct ControlLifetime {
    int depth = 0;      // messages of this window in progress
    bool dead = false;  // the window is gone: the object goes as the last message returns
};

// Holds a control's object alive for a call that reaches it from elsewhere than its own window
// procedure (a subclassed child window's, say): if the window went meanwhile, the object goes as
// the last hold ends.
template <class T>
class ControlHold {
public:
    explicit ControlHold(T* self) : m_self(self) { ++m_self->lifetime.depth; }
    ~ControlHold() {
        if (--m_self->lifetime.depth == 0 && m_self->lifetime.dead) delete m_self;
    }
    ControlHold(const ControlHold&) = delete;
    ControlHold& operator=(const ControlHold&) = delete;

private:
    T* m_self;
};

// The messages after WM_NCCREATE of a control class whose object, kept in the window's first
// extra slot, has `lifetime` (a ControlLifetime) and `dispatch(msg, wParam, lParam)`.
template <class T>
LRESULT runControlMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, 0));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, 0, 0);
        self->lifetime.dead = true;
        if (self->lifetime.depth == 0) delete self;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    const ControlHold<T> hold(self);
    return self->dispatch(msg, wParam, lParam);
}

}  // namespace orvane::platform
