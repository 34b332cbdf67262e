// Sending, posting and retrieving messages in the Windows order: sent messages at once; then
// posted messages, the quit message, input, WM_PAINT and WM_TIMER, each only when nothing
// before it waits.
#include "platform/user/MessageQueue.h"

#include <algorithm>

#include "platform/base/Clock.h"
#include "platform/user/InputQueue.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

using user::window;
using user::windowQuiet;

constexpr HWND HWND_BROADCAST = HWND(0xFFFFu);

bool inRange(UINT msg, UINT min, UINT max) {
    if (min == 0 && max == 0) return true;
    if (min <= max) return msg >= min && msg <= max;
    return msg >= min || msg <= max;
}

// A window filter matches the window and its descendants; (HWND)-1 matches thread messages.
bool matchesWindow(HWND msgHwnd, HWND filter) {
    if (!filter) return true;
    if (filter.value == 0xFFFFFFFFu) return !msgHwnd;
    return msgHwnd == filter || IsChild(filter, msgHwnd);
}

void fillMessage(MSG* msg, HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    msg->hwnd = hwnd;
    msg->message = message;
    msg->wParam = wp;
    msg->lParam = lp;
    msg->time = GetTickCount();
    POINT pt;
    GetCursorPos(&pt);
    msg->pt = pt;
}

}  // namespace

MessageQueue& MessageQueue::current() {
    static MessageQueue q;
    return q;
}

void MessageQueue::reset() {
    posted.clear();
    quit = false;
    quitCode = 0;
    timers.clear();
    timerSeq = 0;
    nextThreadTimerId = 1;
    lastMessagePos = 0;
    lastMessageTime = 0;
}

std::optional<std::uint64_t> MessageQueue::nextWakeTime(bool withSystemTimers) const {
    std::optional<std::uint64_t> next;
    for (const Timer& t : timers)
        if ((withSystemTimers || !t.system) && (!next || t.due < *next)) next = t.due;
    if (auto hover = InputQueue::current().nextHoverTime(); hover && (!next || *hover < *next))
        next = hover;
    return next;
}

namespace user {

// Top-level windows front to back, parents before children. Subtrees with nothing to paint
// are passed over, and so are the children in front of each window's paintScan, so pumping the
// paint of N windows is not N searches of N windows.
HWND findPaint(WindowObject& w, HWND filter) {
    const bool root = isRoot(w);
    if (!root && !w.visibleStyle()) return HWND();
    if (!root && needsPaint(w) && matchesWindow(w.hwnd(), filter)) return w.hwnd();
    if (w.paintBelow == 0) return HWND();
    bool clean = true;  // nothing to paint in the children passed so far
    for (std::uint32_t c = w.paintScan ? w.paintScan : w.children.front(); c;
         c = w.children.next(c)) {
        WindowObject* cw = windowQuiet(HWND(c));
        if (!cw || (!cw->paintQueued && cw->paintBelow == 0)) continue;
        if (clean) {
            w.paintScan = c;
            clean = false;
        }
        if (HWND h = findPaint(*cw, filter)) return h;
    }
    return HWND();
}

void killTimersOf(HWND hwnd) {
    std::erase_if(MessageQueue::current().timers,
                  [hwnd](const Timer& t) { return t.hwnd == hwnd; });
}

void removeMessagesOf(HWND hwnd) {
    std::erase_if(MessageQueue::current().posted, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
    InputQueue::current().forgetWindow(hwnd);
}

void resetQueue() {
    MessageQueue::current().reset();
}

}  // namespace user

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd == HWND_BROADCAST) {
        for (HWND h : user::childHandles(*user::desktop()))
            SendMessageW(h, msg, wParam, lParam);
        return 0;
    }
    WindowObject* w = window(hwnd);
    if (!w) return 0;
    return user::callProc(w->proc, hwnd, msg, wParam, lParam);
}

BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd == HWND_BROADCAST) {
        for (HWND h : user::childHandles(*user::desktop()))
            PostMessageW(h, msg, wParam, lParam);
        return TRUE;
    }
    if (hwnd && !window(hwnd)) return FALSE;
    MSG m;
    fillMessage(&m, hwnd, msg, wParam, lParam);
    MessageQueue::current().posted.push_back(m);
    return TRUE;
}

BOOL PostThreadMessageW(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (threadId != GetCurrentThreadId()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return PostMessageW(HWND(), msg, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    MessageQueue::current().quit = true;
    MessageQueue::current().quitCode = exitCode;
}

namespace {

BOOL peekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove) {
    if (!msg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (hwnd && hwnd.value != 0xFFFFFFFFu && !window(hwnd)) return FALSE;
    if (remove & ~(PM_REMOVE | PM_NOYIELD)) {
        ReportUnsupported("PeekMessageW", "flags", ERROR_INVALID_FLAGS);
        return FALSE;
    }
    MessageQueue& q = MessageQueue::current();
    if (q.pollEvents) q.pollEvents();
    InputQueue::current().checkHover();
    const bool removeIt = remove & PM_REMOVE;

    while (true) {
        // Posted messages.
        for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
            if (!inRange(it->message, filterMin, filterMax) || !matchesWindow(it->hwnd, hwnd))
                continue;
            *msg = *it;
            if (removeIt) q.posted.erase(it);
            q.lastMessagePos = static_cast<DWORD>(
                MAKELONG(static_cast<WORD>(msg->pt.x), static_cast<WORD>(msg->pt.y)));
            q.lastMessageTime = msg->time;
            return TRUE;
        }
        if (q.quit &&
            (!hwnd || filterMin || filterMax ? inRange(WM_QUIT, filterMin, filterMax) : true)) {
            fillMessage(msg, HWND(), WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
            if (removeIt) q.quit = false;
            return TRUE;
        }
        // Input.
        const std::size_t postedBefore = q.posted.size();
        if (InputQueue::current().peek(msg, hwnd, filterMin, filterMax, removeIt)) {
            q.lastMessagePos = static_cast<DWORD>(
                MAKELONG(static_cast<WORD>(msg->pt.x), static_cast<WORD>(msg->pt.y)));
            q.lastMessageTime = msg->time;
            return TRUE;
        }
        // Input that produced no message may still have posted one (WM_MOUSELEAVE when the
        // pointer moves onto the desktop); look again rather than report an empty queue.
        if (q.posted.size() == postedBefore) break;
    }
    // Painting.
    if (inRange(WM_PAINT, filterMin, filterMax) && hwnd.value != 0xFFFFFFFFu) {
        if (HWND h = user::findPaint(*user::desktop(), hwnd)) {
            fillMessage(msg, h, WM_PAINT, 0, 0);
            return TRUE;
        }
    }
    // Timers: the earliest due first.
    const bool appTimers = inRange(WM_TIMER, filterMin, filterMax);
    const bool systemTimers = inRange(WM_SYSTIMER, filterMin, filterMax);
    if (appTimers || systemTimers) {
        const std::uint64_t now = Clock::current().nowMs();
        Timer* best = nullptr;
        for (Timer& t : q.timers) {
            if (t.due > now || !matchesWindow(t.hwnd, hwnd)) continue;
            if (t.system ? !systemTimers : !appTimers) continue;
            if (!best || t.due < best->due || (t.due == best->due && t.seq < best->seq)) best = &t;
        }
        if (best) {
            fillMessage(msg, best->hwnd, best->system ? WM_SYSTIMER : WM_TIMER, best->id,
                        reinterpret_cast<LPARAM>(best->proc));
            if (removeIt) best->due = now + best->elapse;
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace

BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove) {
    if (!peekMessage(msg, hwnd, filterMin, filterMax, remove)) return FALSE;
    user::callGetMessageHooks(msg, remove & PM_REMOVE);
    return TRUE;
}

BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (!msg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    MessageQueue& q = MessageQueue::current();
    while (true) {
        if (PeekMessageW(msg, hwnd, filterMin, filterMax, PM_REMOVE))
            return msg->message == WM_QUIT ? FALSE : TRUE;
        if (hwnd && hwnd.value != 0xFFFFFFFFu && !IsWindow(hwnd)) return -1;
        const auto next = q.nextWakeTime();
        Clock& clock = Clock::current();
        if (clock.mode() == Clock::Mode::Virtual) {
            // Nothing can arrive on a virtual clock except what time brings.
            if (!next) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return -1;
            }
            clock.advanceTo(*next);
            continue;
        }
        const std::uint64_t deadline = next ? *next : clock.nowMs() + 1000;
        if (q.waitForEvents) {
            q.waitForEvents(deadline);
        } else {
            const std::uint64_t now = clock.nowMs();
            Sleep(static_cast<DWORD>(deadline > now ? std::min<std::uint64_t>(deadline - now, 50)
                                                    : 1));
        }
    }
}

BOOL WaitMessage() {
    MSG m;
    if (PeekMessageW(&m, HWND(), 0, 0, PM_NOREMOVE)) return TRUE;
    MessageQueue& q = MessageQueue::current();
    const auto next = q.nextWakeTime();
    Clock& clock = Clock::current();
    if (clock.mode() == Clock::Mode::Virtual) {
        if (next) clock.advanceTo(*next);
        return next ? TRUE : FALSE;
    }
    if (q.waitForEvents) q.waitForEvents(next ? *next : clock.nowMs() + 1000);
    return TRUE;
}

DWORD GetQueueStatus(UINT) {
    MSG m;
    return PeekMessageW(&m, HWND(), 0, 0, PM_NOREMOVE) ? 1u : 0u;
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        // Timer callbacks are called only for timers that still exist.
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        auto& timers = MessageQueue::current().timers;
        const bool alive = std::any_of(timers.begin(), timers.end(), [&](const Timer& t) {
            return t.hwnd == msg->hwnd && t.id == msg->wParam && t.proc == proc;
        });
        if (!alive) return 0;
        proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd) return 0;
    WindowObject* w = window(msg->hwnd);
    if (!w) return 0;
    if (msg->message == WM_PAINT) {
        const std::uint64_t generation = w->paintGeneration;
        const LRESULT r =
            user::callProc(w->proc, msg->hwnd, msg->message, msg->wParam, msg->lParam);
        // A window that paints nothing still gets its update region validated, so that a
        // missing BeginPaint cannot make WM_PAINT repeat forever.
        if ((w = windowQuiet(msg->hwnd)) && w->paintGeneration == generation &&
            user::needsPaint(*w)) {
            user::validate(*w, nullptr, RDW_NOCHILDREN | RDW_NOINTERNALPAINT);
        }
        return r;
    }
    return user::callProc(w->proc, msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return user::callProc(proc, hwnd, msg, wParam, lParam);
}

BOOL InSendMessage() {
    // One thread: a message is never sent from another thread.
    return FALSE;
}

UINT RegisterWindowMessageW(LPCWSTR name) {
    if (!name || IS_INTRESOURCE(name) || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return addAtom(name);
}

DWORD GetMessagePos() {
    return MessageQueue::current().lastMessagePos;
}
LONG GetMessageTime() {
    return static_cast<LONG>(MessageQueue::current().lastMessageTime);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (hwnd && !window(hwnd)) return 0;
    MessageQueue& q = MessageQueue::current();
    elapse = std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    const std::uint64_t now = Clock::current().nowMs();
    if (!hwnd) {
        // Thread timers: an existing id is reset, otherwise a new id is made.
        auto it = std::find_if(q.timers.begin(), q.timers.end(), [&](const Timer& t) {
            return !t.hwnd && t.id == id && id && !t.system;
        });
        if (it != q.timers.end()) {
            it->elapse = elapse;
            it->proc = proc;
            it->due = now + elapse;
            return id;
        }
        Timer t;
        t.id = q.nextThreadTimerId++;
        t.elapse = elapse;
        t.proc = proc;
        t.due = now + elapse;
        t.seq = q.timerSeq++;
        q.timers.push_back(t);
        return t.id;
    }
    auto it = std::find_if(q.timers.begin(), q.timers.end(), [&](const Timer& t) {
        return t.hwnd == hwnd && t.id == id && !t.system;
    });
    if (it != q.timers.end()) {
        // Setting an existing timer again restarts it with the new period.
        it->elapse = elapse;
        it->proc = proc;
        it->due = now + elapse;
    } else {
        Timer t;
        t.hwnd = hwnd;
        t.id = id;
        t.elapse = elapse;
        t.proc = proc;
        t.due = now + elapse;
        t.seq = q.timerSeq++;
        q.timers.push_back(t);
    }
    return id ? id : 1;
}

namespace user {

void setSystemTimer(HWND hwnd, UINT_PTR id, UINT elapse) {
    MessageQueue& q = MessageQueue::current();
    killSystemTimer(hwnd, id);
    Timer t;
    t.hwnd = hwnd;
    t.id = id;
    t.elapse = std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    t.due = Clock::current().nowMs() + t.elapse;
    t.seq = q.timerSeq++;
    t.system = true;
    q.timers.push_back(t);
}

void killSystemTimer(HWND hwnd, UINT_PTR id) {
    MessageQueue& q = MessageQueue::current();
    std::erase_if(q.timers,
                  [&](const Timer& t) { return t.system && t.hwnd == hwnd && t.id == id; });
    std::erase_if(q.posted, [&](const MSG& m) {
        return m.message == WM_SYSTIMER && m.hwnd == hwnd && m.wParam == id;
    });
}

}  // namespace user

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto& timers = MessageQueue::current().timers;
    auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) {
        return t.hwnd == hwnd && t.id == id && !t.system;
    });
    if (it == timers.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    timers.erase(it);
    // A WM_TIMER already posted for this timer is withdrawn.
    std::erase_if(MessageQueue::current().posted, [&](const MSG& m) {
        return m.message == WM_TIMER && m.hwnd == hwnd && m.wParam == id;
    });
    return TRUE;
}

}  // namespace orvane::platform
