#include "platform/ole/DragDropLoop.h"

#include "platform/base/Clock.h"
#include "platform/base/LastError.h"
#include "platform/ole/DragCursors.h"
#include "platform/user/InputQueue.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr char16_t kTrackerClass[] = u"OleDragDropTracker";

POINTL screenPoint(POINT pt) {
    return POINTL{pt.x, pt.y};
}

bool isKeyMessage(UINT msg) {
    return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP;
}

}  // namespace

DragDropLoop::DragDropLoop(IDataObject* data, IDropSource* source, DWORD okEffects)
    : m_data(data), m_source(source), m_ok(okEffects), m_cursorBefore(GetCursor()) {
    WNDCLASSEXW wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = kTrackerClass;
    RegisterClassExW(&wc);  // fails harmlessly when it is registered already
    m_tracker = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kTrackerClass, u"", WS_POPUP,
                                0, 0, 0, 0, HWND(), HMENU(), HINSTANCE(), nullptr);
}

DragDropLoop::~DragDropLoop() {
    if (IsWindow(m_tracker)) {
        KillTimer(m_tracker, kRepeatTimer);
        if (GetCapture() == m_tracker) ReleaseCapture();
        DestroyWindow(m_tracker);
    }
    SetCursor(m_cursorBefore);
}

DWORD DragDropLoop::keyState() {
    DWORD keys = 0;
    const auto down = [](int vk) { return (GetKeyState(vk) & 0x8000) != 0; };
    if (down(VK_LBUTTON)) keys |= MK_LBUTTON;
    if (down(VK_RBUTTON)) keys |= MK_RBUTTON;
    if (down(VK_MBUTTON)) keys |= MK_MBUTTON;
    if (down(VK_SHIFT)) keys |= MK_SHIFT;
    if (down(VK_CONTROL)) keys |= MK_CONTROL;
    if (down(VK_MENU)) keys |= MK_ALT;
    return keys;
}

HRESULT DragDropLoop::askSource(bool escape) {
    m_keys = keyState();
    const HRESULT hr = m_source->QueryContinueDrag(escape ? TRUE : FALSE, m_keys);
    if (hr == DRAGDROP_S_DROP || hr == DRAGDROP_S_CANCEL) return hr;
    if (FAILED(hr)) return DRAGDROP_S_CANCEL;  // a failing source ends the drag
    return S_OK;
}

HWND DragDropLoop::targetWindowAt(POINT pt) {
    for (HWND h = WindowFromPoint(pt); h; h = GetAncestor(h, GA_PARENT)) {
        WindowObject* w = user::windowQuiet(h);
        if (!w || user::isRoot(*w)) break;
        if (w->dropTarget) return h;
    }
    return HWND();
}

IDropTarget* DragDropLoop::liveTarget() const {
    if (!m_target) return nullptr;
    WindowObject* w = user::windowQuiet(m_targetWindow);
    return w && w->dropTarget == m_target ? m_target : nullptr;
}

void DragDropLoop::leave() {
    if (IDropTarget* t = liveTarget()) t->DragLeave();
    m_target = nullptr;
    m_targetWindow = HWND();
    m_effect = DROPEFFECT_NONE;
}

void DragDropLoop::track() {
    const HWND window = targetWindowAt(m_pt);
    IDropTarget* target = window ? user::windowQuiet(window)->dropTarget : nullptr;
    const DWORD mask = m_ok | DROPEFFECT_SCROLL;
    if (!liveTarget()) {
        m_target = nullptr;
        m_targetWindow = HWND();
    }
    if (window != m_targetWindow || target != m_target) {
        leave();
        if (target) {
            m_target = target;
            m_targetWindow = window;
            DWORD effect = m_ok;
            if (FAILED(target->DragEnter(m_data, m_keys, screenPoint(m_pt), &effect)))
                effect = DROPEFFECT_NONE;
            m_effect = liveTarget() ? effect & mask : DROPEFFECT_NONE;
        }
    } else if (IDropTarget* current = liveTarget()) {
        DWORD effect = m_ok;
        if (FAILED(current->DragOver(m_keys, screenPoint(m_pt), &effect))) effect = DROPEFFECT_NONE;
        m_effect = liveTarget() ? effect & mask : DROPEFFECT_NONE;
    }
    feedback();
    restartTimer();
}

void DragDropLoop::feedback() {
    if (m_source->GiveFeedback(m_effect) == DRAGDROP_S_USEDEFAULTCURSORS)
        SetCursor(DragCursor(m_effect));
}

void DragDropLoop::restartTimer() {
    if (IsWindow(m_tracker)) SetTimer(m_tracker, kRepeatTimer, kRepeatMs, nullptr);
}

HRESULT DragDropLoop::finish(HRESULT result, DWORD* effect) {
    *effect = DROPEFFECT_NONE;
    if (result == DRAGDROP_S_DROP && m_effect != DROPEFFECT_NONE && liveTarget()) {
        IDropTarget* target = m_target;
        m_target = nullptr;
        DWORD done = m_ok;
        if (SUCCEEDED(target->Drop(m_data, m_keys, screenPoint(m_pt), &done)))
            *effect = done & m_ok;
    } else {
        leave();
    }
    return result;
}

HRESULT DragDropLoop::run(DWORD* effect) {
    if (!m_tracker) return E_OUTOFMEMORY;
    SetCapture(m_tracker);
    GetCursorPos(&m_pt);
    HRESULT state = askSource(false);
    if (state == S_OK) track();
    MSG msg;
    while (state == S_OK) {
        if (GetCapture() != m_tracker) {  // someone took the mouse away: the drag is over
            state = DRAGDROP_S_CANCEL;
            break;
        }
        if (!PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE)) {
            // On a virtual clock only the repeat timer would run, for ever: with no input
            // coming any more, the drag is cancelled.
            if (Clock::current().mode() == Clock::Mode::Virtual &&
                InputQueue::current().starved()) {
                state = DRAGDROP_S_CANCEL;
                break;
            }
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            state = DRAGDROP_S_CANCEL;
            break;
        }
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
            m_pt = msg.pt;
            state = askSource(false);
            if (state == S_OK) track();
            continue;
        }
        if (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCXBUTTONDBLCLK) continue;
        if (isKeyMessage(msg.message)) {
            const DWORD before = m_keys;
            const bool escape = msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
            state = askSource(escape);
            if (state == S_OK && m_keys != before) track();
            continue;
        }
        if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR || msg.message == WM_DEADCHAR ||
            msg.message == WM_SYSDEADCHAR)
            continue;
        if (msg.message == WM_TIMER && msg.hwnd == m_tracker && msg.wParam == kRepeatTimer) {
            state = askSource(false);
            if (state == S_OK) track();
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return finish(state, effect);
}

HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DWORD okEffects, DWORD* effect) {
    if (!data || !source || !effect) return E_INVALIDARG;
    constexpr DWORD kKnown =
        DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK | DROPEFFECT_SCROLL;
    if (okEffects & ~kKnown) {
        ReportUnsupported("DoDragDrop", "effects other than copy, move, link and scroll",
                          ERROR_INVALID_PARAMETER);
        return E_INVALIDARG;
    }
    *effect = DROPEFFECT_NONE;
    DragDropLoop loop(data, source, okEffects);
    return loop.run(effect);
}

}  // namespace orvane::platform
