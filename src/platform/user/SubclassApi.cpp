// Window subclassing with SetWindowSubclass: a chain of procedures, newest first, in front of
// the window's own procedure. A procedure may remove itself, or others, while it runs.
#include <algorithm>
#include <vector>

#include "platform/user/SubclassChain.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

using user::windowQuiet;

// One call travelling down a window's chain.
struct Frame {
    HWND hwnd;
    std::vector<std::shared_ptr<SubclassEntry>> entries;  // the chain when the message arrived
    std::size_t next = 0;
    WNDPROC original;
};

std::vector<Frame*>& frames() {
    static std::vector<Frame*> f;
    return f;
}

LRESULT callNext(Frame& frame, UINT msg, WPARAM wParam, LPARAM lParam) {
    while (frame.next < frame.entries.size()) {
        const std::shared_ptr<SubclassEntry> e = frame.entries[frame.next++];
        if (e->removed) continue;
        return e->proc(frame.hwnd, msg, wParam, lParam, e->id, e->refData);
    }
    WindowObject* w = windowQuiet(frame.hwnd);
    WNDPROC original = w && w->subclass ? w->subclass->original : frame.original;
    return user::callProc(original, frame.hwnd, msg, wParam, lParam);
}

void tidy(HWND hwnd);

LRESULT subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w || !w->subclass) return 0;
    SubclassChain& chain = *w->subclass;
    Frame frame{hwnd, chain.entries, 0, chain.original};
    ++chain.depth;
    frames().push_back(&frame);
    const LRESULT r = callNext(frame, msg, wParam, lParam);
    frames().erase(std::find(frames().begin(), frames().end(), &frame));
    if ((w = windowQuiet(hwnd)) && w->subclass) {
        --w->subclass->depth;
        // After WM_NCDESTROY the chain goes with the window.
        if (msg == WM_NCDESTROY) {
            for (auto& e : w->subclass->entries)
                e->removed = true;
        }
        tidy(hwnd);
    }
    return r;
}

// Drops removed entries once no call is using the chain, and takes the chain away when empty.
void tidy(HWND hwnd) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w || !w->subclass || w->subclass->depth > 0) return;
    auto& entries = w->subclass->entries;
    std::erase_if(entries, [](const std::shared_ptr<SubclassEntry>& e) { return e->removed; });
    // An empty chain stays while a procedure installed above it may still call through it.
    if (!entries.empty() || w->proc != subclassProc) return;
    w->proc = w->subclass->original;
    w->subclass.reset();
}

std::shared_ptr<SubclassEntry> findEntry(WindowObject& w, SUBCLASSPROC proc, UINT_PTR id) {
    if (!w.subclass) return nullptr;
    for (auto& e : w.subclass->entries)
        if (!e->removed && e->proc == proc && e->id == id) return e;
    return nullptr;
}

}  // namespace

BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR refData) {
    WindowObject* w = user::window(hwnd);
    if (!w || !proc) return FALSE;
    if (auto e = findEntry(*w, proc, id)) {
        // The same procedure and id again only changes the reference data.
        e->refData = refData;
        return TRUE;
    }
    if (!w->subclass) {
        w->subclass = std::make_unique<SubclassChain>();
        w->subclass->original = w->proc;
        w->proc = subclassProc;
    }
    auto e = std::make_shared<SubclassEntry>();
    e->proc = proc;
    e->id = id;
    e->refData = refData;
    w->subclass->entries.insert(w->subclass->entries.begin(), e);
    return TRUE;
}

BOOL GetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR* refData) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w) return FALSE;
    auto e = findEntry(*w, proc, id);
    if (!e) {
        if (refData) *refData = 0;
        return FALSE;
    }
    if (refData) *refData = e->refData;
    return TRUE;
}

BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w) return FALSE;
    auto e = findEntry(*w, proc, id);
    if (!e) return FALSE;
    e->removed = true;
    tidy(hwnd);
    return TRUE;
}

LRESULT DefSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Continue the innermost call on this window.
    auto& f = frames();
    for (auto it = f.rbegin(); it != f.rend(); ++it) {
        if ((*it)->hwnd == hwnd) return callNext(**it, msg, wParam, lParam);
    }
    // Called outside a subclass procedure: the message goes to the window's procedure below.
    WindowObject* w = user::window(hwnd);
    if (!w) return 0;
    return user::callProc(w->subclass ? w->subclass->original : w->proc, hwnd, msg, wParam, lParam);
}

}  // namespace orvane::platform
