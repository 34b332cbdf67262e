// Window subclassing with SetWindowSubclass: a chain of procedures, newest first, in front of
// the window's own procedure. A procedure may remove itself, or others, while it runs.
#include <algorithm>
#include <vector>

#include "platform/user/SubclassChain.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

using user::windowQuiet;

// One call travelling down a window's chain, newest procedure first. A procedure may destroy
// the window and return: the chain is then retired until its calls have left.
struct Frame {
    HWND hwnd;
    SubclassChain* chain;
    std::size_t next;  // entries below this index are still to run
};

std::vector<Frame*> g_frames;
std::vector<std::shared_ptr<SubclassChain>> g_retired;

std::vector<Frame*>& frames() {
    return g_frames;
}

LRESULT callNext(Frame& frame, UINT msg, WPARAM wParam, LPARAM lParam) {
    while (frame.next > 0) {
        // Copied out: the entries may grow (and move) while the procedure runs.
        const SubclassEntry e = frame.chain->entries[--frame.next];
        if (e.removed) continue;
        return e.proc(frame.hwnd, msg, wParam, lParam, e.id, e.refData);
    }
    return user::callProc(frame.chain->original, frame.hwnd, msg, wParam, lParam);
}

void tidy(HWND hwnd);

LRESULT subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w || !w->subclass) return 0;
    Frame frame{hwnd, w->subclass.get(), w->subclass->entries.size()};
    ++frame.chain->depth;
    frames().push_back(&frame);
    // Leaving, also by an exception: the frame goes, and removed entries are dropped once no
    // call uses the chain.
    struct Leave {
        Frame& frame;
        UINT msg;
        ~Leave() {
            auto& f = frames();
            if (!f.empty() && f.back() == &frame)
                f.pop_back();
            else
                f.erase(std::find(f.begin(), f.end(), &frame));
            --frame.chain->depth;
            // After WM_NCDESTROY the chain goes with the window.
            if (msg == WM_NCDESTROY) {
                for (auto& e : frame.chain->entries)
                    e.removed = true;
                frame.chain->dirty = true;
            }
            if (frame.chain->depth > 0) return;
            if (frame.chain->retired) {
                std::erase_if(g_retired, [&](const std::shared_ptr<SubclassChain>& c) {
                    return c.get() == frame.chain;
                });
            } else if (frame.chain->dirty) {
                tidy(frame.hwnd);
            }
        }
    } leave{frame, msg};
    return callNext(frame, msg, wParam, lParam);
}

// Drops removed entries once no call is using the chain, and takes the chain away when empty.
void tidy(HWND hwnd) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w || !w->subclass || w->subclass->depth > 0) return;
    auto& entries = w->subclass->entries;
    std::erase_if(entries, [](const SubclassEntry& e) { return e.removed; });
    w->subclass->dirty = false;
    // An empty chain stays while a procedure installed above it may still call through it.
    if (!entries.empty() || w->proc != subclassProc) return;
    w->proc = w->subclass->original;
    w->subclass.reset();
}

SubclassEntry* findEntry(WindowObject& w, SUBCLASSPROC proc, UINT_PTR id) {
    if (!w.subclass) return nullptr;
    for (auto& e : w.subclass->entries)
        if (!e.removed && e.proc == proc && e.id == id) return &e;
    return nullptr;
}

}  // namespace

void retireSubclassChain(std::shared_ptr<SubclassChain> chain) {
    chain->retired = true;
    g_retired.push_back(std::move(chain));
}

BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR refData) {
    WindowObject* w = user::window(hwnd);
    if (!w || !proc) return FALSE;
    if (SubclassEntry* e = findEntry(*w, proc, id)) {
        // The same procedure and id again only changes the reference data.
        e->refData = refData;
        return TRUE;
    }
    if (!w->subclass) {
        w->subclass = std::make_shared<SubclassChain>();
        w->subclass->original = w->proc;
        w->proc = subclassProc;
    }
    w->subclass->entries.push_back(SubclassEntry{proc, id, refData, false});
    return TRUE;
}

BOOL GetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR* refData) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w) return FALSE;
    const SubclassEntry* e = findEntry(*w, proc, id);
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
    SubclassEntry* e = findEntry(*w, proc, id);
    if (!e) return FALSE;
    e->removed = true;
    w->subclass->dirty = true;
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
