#include "framework/Subclasser.h"

#include <algorithm>

#include "host/App.h"
#include "host/Error.h"
#include "platform/base/CodePages.h"

namespace orvane {

using namespace platform;

// The callback, shared by the control and the messages passing through its routes, so that a
// callback may destroy the control and return. Counted without atomics: all routing happens on
// the user-interface thread.
struct Subclasser::Core {
    Callback callback;
    int refs = 1;
    static void release(Core* core) {
        if (--core->refs == 0) delete core;
    }
};

// One routed window. While a message passes through it the route stays, even when the control
// lets go of it meanwhile (it is then deleted when the last message leaves).
struct Subclasser::Route {
    Subclasser* owner = nullptr;  // cleared when the control lets go
    HWND hwnd;
    MessageTable before;
    MessageTable after;
    int busy = 0;         // messages passing through
    bool orphan = false;  // let go of while busy
};

Subclasser::Subclasser(std::u16string typeName, Callback callback)
    : m_typeName(std::move(typeName)), m_core(new Core{std::move(callback)}) {}

Subclasser::~Subclasser() {
    ssc_Terminate();
    Core::release(m_core);
}

void Subclasser::report(const std::u16string& routine, const std::u16string& message) const {
    // The event log names the routine; the message box tells the user.
    App::current().LogEvent(m_typeName + u"." + routine + u": " + message,
                            App::vbLogEventTypeError);
    MessageBoxW(HWND(), (message + u".").c_str(),
                (u"Error in " + m_typeName + u"." + routine).c_str(), MB_ICONEXCLAMATION);
}

Subclasser::Route* Subclasser::find(HWND hwnd) const {
    for (const auto& r : m_routes)
        if (r->hwnd == hwnd) return r.get();
    return nullptr;
}

bool Subclasser::isSubclassed(HWND hwnd) const {
    return find(hwnd) != nullptr;
}

const MessageTable* Subclasser::table(HWND hwnd, MsgWhen when) const {
    const Route* r = find(hwnd);
    if (!r) return nullptr;
    return when == MsgWhen::MSG_AFTER ? &r->after : &r->before;
}

bool Subclasser::ssc_Subclass(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        report(u"ssc_Subclass", u"Invalid window handle");
        return false;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != GetCurrentProcessId()) {
        report(u"ssc_Subclass", u"Window handle belongs to another process");
        return false;
    }
    if (find(hwnd)) return true;
    auto route = std::make_unique<Route>();
    route->owner = this;
    route->hwnd = hwnd;
    if (!SetWindowSubclass(hwnd, &Subclasser::routeProc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(route.get()))) {
        report(u"ssc_Subclass",
               u"SetWindowLong failed, error #" + FromUtf8(std::to_string(GetLastError())));
        return false;
    }
    m_routes.push_back(std::move(route));
    return true;
}

void Subclasser::forget(Route* route) {
    route->owner = nullptr;
    RemoveWindowSubclass(route->hwnd, &Subclasser::routeProc, reinterpret_cast<UINT_PTR>(this));
    auto it = std::find_if(m_routes.begin(), m_routes.end(),
                           [route](const std::unique_ptr<Route>& r) { return r.get() == route; });
    if (it == m_routes.end()) return;
    if (route->busy) {
        it->release();
        route->orphan = true;
    }
    m_routes.erase(it);
}

void Subclasser::ssc_UnSubclass(HWND hwnd) {
    if (Route* r = find(hwnd)) forget(r);
}

void Subclasser::ssc_Terminate() {
    while (!m_routes.empty())
        forget(m_routes.back().get());
}

bool Subclasser::changeTables(HWND hwnd, MsgWhen when, const std::u16string& routine,
                              void (MessageTable::*change)(std::int32_t), std::int32_t message) {
    Route* r = find(hwnd);
    if (!r) {
        report(routine, u"Invalid window handle");
        return false;
    }
    try {
        // Both tables change on copies first, so a failure leaves neither changed.
        MessageTable before = r->before, after = r->after;
        const auto bits = static_cast<std::int32_t>(when);
        if (bits & static_cast<std::int32_t>(MsgWhen::MSG_BEFORE)) (before.*change)(message);
        if (bits & static_cast<std::int32_t>(MsgWhen::MSG_AFTER)) (after.*change)(message);
        r->before = before;
        r->after = after;
        return true;
    } catch (const Error& e) {
        report(routine, e.description());
        return false;
    }
}

bool Subclasser::zAddMsg(HWND hwnd, std::int32_t message, MsgWhen when) {
    return changeTables(hwnd, when, u"zAddMsg", &MessageTable::add, message);
}

bool Subclasser::zDelMsg(HWND hwnd, std::int32_t message, MsgWhen when) {
    return changeTables(hwnd, when, u"zDelMsg", &MessageTable::remove, message);
}

LRESULT Subclasser::callPrevious(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT Subclasser::routeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data) {
    Route* route = reinterpret_cast<Route*>(data);
    const bool before = route->before.contains(msg), after = route->after.contains(msg);
    if ((!before && !after && msg != WM_NCDESTROY) || !route->owner)
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    // The route and the callback stay for this message, whatever the callback does.
    struct Hold {
        Route* route;
        Core* core;
        ~Hold() {
            Core::release(core);
            if (--route->busy == 0 && route->orphan) delete route;
        }
    } hold{route, route->owner->m_core};
    ++route->busy;
    ++hold.core->refs;
    SubclassMessage m;
    m.hWnd = hwnd;
    m.uMsg = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    if (before) hold.core->callback(m);
    if (!m.handled) m.result = DefSubclassProc(hwnd, m.uMsg, m.wParam, m.lParam);
    if (after && route->owner) {
        m.before = false;
        m.handled = false;
        hold.core->callback(m);
    }
    // The window is going: its route goes with it.
    if (msg == WM_NCDESTROY && route->owner) route->owner->forget(route);
    return m.result;
}

}  // namespace orvane
