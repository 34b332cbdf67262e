// The window tree: look-ups, coordinates, visibility, visible regions and update regions.
#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/user/EditControl.h"
#include "platform/user/SubclassChain.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

WindowObject::~WindowObject() {
    if (subclass && subclass->depth > 0) retireSubclassChain(std::move(subclass));
}

namespace user {

namespace {

LRESULT rootProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

std::uint32_t makeRoot(const char16_t* className) {
    WindowClass* cls = WindowClass::find(className);
    if (!cls) {
        auto c = std::make_unique<WindowClass>();
        c->name = className;
        c->atom = addAtom(c->name);
        c->proc = rootProc;
        c->system = true;
        cls = c.get();
        WindowClass::all().push_back(std::move(c));
    }
    auto w = std::make_unique<WindowObject>();
    w->cls = cls;
    w->proc = cls->proc;
    w->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    w->creating = false;
    return HandleTable::current().add(std::move(w), true);
}

// Procedure handles: GetWindowLongW returns these for GWL_WNDPROC, since a procedure's address
// does not fit in 32 bits.
constexpr std::uint32_t kProcTag = kProcHandleTag;
std::vector<WNDPROC>& procTable() {
    static std::vector<WNDPROC> t;
    return t;
}

}  // namespace

UserState& state() {
    static UserState s;
    return s;
}

void ensureInit() {
    UserState& s = state();
    if (s.desktop && HandleTable::current().lookup(s.desktop, ObjectKind::Window)) return;
    s = UserState{};
    s.desktop = makeRoot(u"#32769");
    s.messageRoot = makeRoot(u"Message");
    auto* d = windowQuiet(HWND(s.desktop));
    const auto& screen = gdi::screenInfo();
    d->rect = RECT{0, 0, screen.width, screen.height};
    d->client = d->rect;
    windowQuiet(HWND(s.messageRoot))->style = WS_POPUP;
    EditControl::registerClass();
}

void reset() {
    resetQueue();
    resetInput();
    state() = UserState{};
    WindowClass::reset();
}

WindowObject* window(HWND h) {
    WindowObject* w = windowQuiet(h);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

WindowObject* desktop() {
    ensureInit();
    return windowQuiet(HWND(state().desktop));
}

bool isRoot(const WindowObject& w) {
    return w.handle() == state().desktop || w.handle() == state().messageRoot;
}

WindowObject* parentOf(const WindowObject& w) {
    return windowQuiet(HWND(w.parent));
}

bool isTopLevel(const WindowObject& w) {
    const WindowObject* p = parentOf(w);
    return p && isRoot(*p);
}

WindowObject* topLevelOf(WindowObject& w) {
    WindowObject* cur = &w;
    while (cur && !isTopLevel(*cur)) {
        WindowObject* p = parentOf(*cur);
        if (!p || isRoot(*p)) break;
        cur = p;
    }
    return cur;
}

POINT windowOrigin(WindowObject& w) {
    POINT p{w.rect.left, w.rect.top};
    WindowObject* parent = parentOf(w);
    while (parent && !isRoot(*parent)) {
        p.x += parent->rect.left + parent->client.left;
        p.y += parent->rect.top + parent->client.top;
        parent = parentOf(*parent);
    }
    return p;
}

POINT clientOrigin(WindowObject& w) {
    POINT p = windowOrigin(w);
    return POINT{p.x + w.client.left, p.y + w.client.top};
}

RECT screenRect(WindowObject& w) {
    const POINT p = windowOrigin(w);
    return RECT{p.x, p.y, p.x + w.width(), p.y + w.height()};
}

RECT clientScreenRect(WindowObject& w) {
    const POINT p = clientOrigin(w);
    return RECT{p.x, p.y, p.x + w.client.right - w.client.left,
                p.y + w.client.bottom - w.client.top};
}

POINT offsetInTopLevel(WindowObject& w) {
    WindowObject* top = topLevelOf(w);
    const POINT a = windowOrigin(w), b = windowOrigin(*top);
    return POINT{a.x - b.x, a.y - b.y};
}

bool reallyVisible(WindowObject& w) {
    for (WindowObject* cur = &w; cur && !isRoot(*cur); cur = parentOf(*cur))
        if (!cur->visibleStyle()) return false;
    WindowObject* top = topLevelOf(w);
    return top && parentOf(*top) && parentOf(*top)->handle() == state().desktop;
}

bool inHiddenParent(WindowObject& w) {
    WindowObject* p = parentOf(w);
    return w.isChild() && p && !isRoot(*p) && !reallyVisible(*p);
}

bool reallyEnabled(WindowObject& w) {
    for (WindowObject* cur = &w; cur && !isRoot(*cur); cur = parentOf(*cur)) {
        if (cur->style & WS_DISABLED) return false;
        if (!cur->isChild()) break;
    }
    return true;
}

namespace {

// Removes a window's rectangle from a visible region.
void cutOut(Region& r, const RECT& rc) {
    if (r.empty()) return;
    const RECT b = r.bounds();
    if (rc.right <= b.left || rc.left >= b.right || rc.bottom <= b.top || rc.top >= b.bottom)
        return;
    r = Region::combine(r, Region(rc), Region::Op::Diff);
}

// Removes from a visible region (in screen coordinates) the visible children of `parent` that
// overlap it, or only those lying in front of `front` when that is given. Only the children
// the region's bounds touch are looked at: a form may hold thousands.
void cutOutChildren(Region& r, WindowObject& parent, const WindowObject* front) {
    if (r.empty() || parent.childRects.size() == 0) return;
    const POINT o = clientOrigin(parent);
    RECT area = r.bounds();
    OffsetRect(&area, -o.x, -o.y);
    std::vector<RECT> cuts;
    parent.childRects.forEachOverlapping(area, [&](std::uint32_t h) {
        if (front && !parent.children.inFront(h, front->handle())) return;
        const WindowObject* s = windowQuiet(HWND(h));
        if (!s || !s->visibleStyle()) return;
        RECT rc = s->rect;
        OffsetRect(&rc, o.x, o.y);
        cuts.push_back(rc);
    });
    if (cuts.size() == 1) return cutOut(r, cuts.front());
    if (!cuts.empty()) r = Region::combine(r, Region::fromRects(std::move(cuts)), Region::Op::Diff);
}

std::uint32_t pendingIn(const WindowObject& w) {
    return (w.paintQueued ? 1u : 0u) + w.paintBelow;
}

// A child of `parent` has something to paint: the search must not start behind it.
void notePending(WindowObject& parent, const WindowObject& child) {
    if (parent.paintScan && parent.children.inFront(child.handle(), parent.paintScan))
        parent.paintScan = child.handle();
}

// What `w` and its descendants have to paint changed by `delta` windows; its ancestors count
// it, as far up as the windows are linked (a window still being created is counted when it
// joins its parent).
void addPending(const WindowObject& w, std::int64_t delta) {
    const WindowObject* c = &w;
    for (WindowObject* p = parentOf(w); p && p->children.contains(c->handle());
         c = p, p = parentOf(*p)) {
        p->paintBelow =
            static_cast<std::uint32_t>(static_cast<std::int64_t>(p->paintBelow) + delta);
        if (delta > 0) notePending(*p, *c);
    }
}

}  // namespace

Region visibleRegion(WindowObject& w, bool clientArea, DWORD dcxFlags) {
    if (!reallyVisible(w)) return Region();
    const RECT area = clientArea ? clientScreenRect(w) : screenRect(w);
    Region r(area);
    // A parent DC draws anywhere in the parent's client area, its siblings included.
    WindowObject* parent = parentOf(w);
    const bool parentClip = (dcxFlags & DCX_PARENTCLIP) && clientArea && parent && !isRoot(*parent);
    if (parentClip) r = Region(clientScreenRect(*parent));
    WindowObject* child = &w;
    for (WindowObject* p = parent; p && !isRoot(*p); child = p, p = parentOf(*p)) {
        if (parentClip && child == &w) continue;
        r = r.intersected(clientScreenRect(*p));
        const bool clipSiblings =
            (child->style & WS_CLIPSIBLINGS) || (child == &w && (dcxFlags & DCX_CLIPSIBLINGS));
        // Only siblings above.
        if (clipSiblings) cutOutChildren(r, *p, child);
    }
    const bool styleClips = (w.style & WS_CLIPCHILDREN) && !(dcxFlags & kDcxFlagsOnly);
    if (styleClips || (dcxFlags & DCX_CLIPCHILDREN)) cutOutChildren(r, w, nullptr);
    r.offset(-area.left, -area.top);
    return r;
}

void link(WindowObject& parent, WindowObject& child, std::uint32_t before) {
    child.parent = parent.handle();
    parent.children.insertBefore(before, child.handle());
    parent.childRects.set(child.handle(), child.rect);
    if (const std::uint32_t n = pendingIn(child)) addPending(child, n);
}

void unlink(WindowObject& child) {
    WindowObject* p = parentOf(child);
    if (!p) return;
    const std::uint32_t h = child.handle();
    p->childRects.remove(h);
    if (!p->children.contains(h)) return;
    if (p->paintScan == h) p->paintScan = p->children.next(h);
    if (const std::uint32_t n = pendingIn(child)) addPending(child, -static_cast<std::int64_t>(n));
    p->children.remove(h);
}

bool restack(WindowObject& child, std::uint32_t before) {
    WindowObject* p = parentOf(child);
    const std::uint32_t h = child.handle();
    if (!p || before == h || !p->children.contains(h) || p->children.next(h) == before)
        return false;
    if (p->paintScan == h) p->paintScan = p->children.next(h);
    p->children.remove(h);
    p->children.insertBefore(before, h);
    if (pendingIn(child)) notePending(*p, child);
    return true;
}

void setRect(WindowObject& w, const RECT& rect) {
    w.rect = rect;
    if (WindowObject* p = parentOf(w); p && p->children.contains(w.handle()))
        p->childRects.set(w.handle(), rect);
}

void paintChanged(WindowObject& w) {
    const bool now = needsPaint(w);
    if (now == w.paintQueued) return;
    w.paintQueued = now;
    addPending(w, now ? 1 : -1);
}

void bumpVersion() {
    ++state().version;
}

void ensureSurface(WindowObject& w) {
    if (!isTopLevel(w) || parentOf(w)->handle() != state().desktop) return;
    const int width = std::max<LONG>(0, w.width()), height = std::max<LONG>(0, w.height());
    if (w.surface && w.surface->width() == width && w.surface->height() == height) return;
    if (!w.surface) w.surface = std::make_unique<PixelSurface>();
    w.surface->reset(width, height, 0);
}

bool needsPaint(const WindowObject& w) {
    return !w.update.empty() || w.internalPaint;
}

void invalidate(WindowObject& w, const Region* area, UINT flags) {
    const RECT whole{0, 0, w.width(), w.height()};
    Region add = area ? area->intersected(whole) : Region(whole);
    if (flags & RDW_INVALIDATE) {
        if (!(flags & RDW_FRAME)) {
            // Without RDW_FRAME only the client area is invalidated.
            add = add.intersected(w.client);
        } else if (!Region::combine(add, Region(w.client), Region::Op::Diff).empty()) {
            w.ncPaintPending = true;
        }
        if (!add.empty()) {
            w.update = Region::combine(w.update, add, Region::Op::Or);
            if (flags & RDW_ERASE) w.erasePending = true;
        }
    }
    if (flags & RDW_INTERNALPAINT) w.internalPaint = true;
    paintChanged(w);
    // Children are included unless the window clips them, or the caller says otherwise.
    const bool children =
        (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w.style & WS_CLIPCHILDREN));
    if (!children || !(flags & (RDW_INVALIDATE | RDW_INTERNALPAINT)) || add.empty()) return;
    // Only the children the area touches.
    RECT inClient = add.bounds();
    OffsetRect(&inClient, -w.client.left, -w.client.top);
    std::vector<std::uint32_t> touched;
    w.childRects.forEachOverlapping(inClient, [&](std::uint32_t h) { touched.push_back(h); });
    for (std::uint32_t c : touched) {
        WindowObject* cw = windowQuiet(HWND(c));
        if (!cw || !cw->visibleStyle()) continue;
        Region inChild = add;
        inChild.offset(-(w.client.left + cw->rect.left), -(w.client.top + cw->rect.top));
        inChild = inChild.intersected(RECT{0, 0, cw->width(), cw->height()});
        if (!inChild.empty()) invalidate(*cw, &inChild, flags | RDW_FRAME);
    }
}

void validateParents(WindowObject& w) {
    if (w.update.empty()) return;
    Region area = w.update;
    WindowObject* cur = &w;
    for (WindowObject* p = parentOf(w); p && !isRoot(*p); cur = p, p = parentOf(*p)) {
        area.offset(cur->rect.left + p->client.left, cur->rect.top + p->client.top);
        if ((p->style & WS_CLIPCHILDREN) || p->update.empty()) continue;
        p->update = Region::combine(p->update, area, Region::Op::Diff);
        if (p->update.empty()) {
            p->erasePending = false;
            p->ncPaintPending = false;
        }
        paintChanged(*p);
    }
}

void validate(WindowObject& w, const Region* area, UINT flags) {
    if (area) {
        w.update = Region::combine(w.update, *area, Region::Op::Diff);
    } else {
        w.update = Region();
    }
    if (w.update.empty()) {
        w.erasePending = false;
        w.ncPaintPending = false;
    }
    if (flags & RDW_NOINTERNALPAINT) w.internalPaint = false;
    paintChanged(w);
    ++w.paintGeneration;
    const bool children =
        (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w.style & WS_CLIPCHILDREN));
    if (!children || !(flags & RDW_VALIDATE)) return;
    for (std::uint32_t c : w.children) {
        WindowObject* cw = windowQuiet(HWND(c));
        if (!cw) continue;
        if (!area) {
            validate(*cw, nullptr, flags);
            continue;
        }
        Region inChild = *area;
        inChild.offset(-(w.client.left + cw->rect.left), -(w.client.top + cw->rect.top));
        validate(*cw, &inChild, flags);
    }
}

std::vector<HWND> childHandles(const WindowObject& w) {
    std::vector<HWND> out;
    out.reserve(w.children.size());
    for (std::uint32_t c : w.children)
        out.push_back(HWND(c));
    return out;
}

LONG procToHandle(WNDPROC proc) {
    if (!proc) return 0;
    auto& t = procTable();
    auto it = std::find(t.begin(), t.end(), proc);
    std::size_t index = static_cast<std::size_t>(it - t.begin());
    if (it == t.end()) {
        if (t.size() >= 0xFFFF) return 0;
        t.push_back(proc);
    }
    return static_cast<LONG>(kProcTag | static_cast<std::uint32_t>(index + 1));
}

WNDPROC handleToProc(LONG handle) {
    const auto v = static_cast<std::uint32_t>(handle);
    if ((v & 0xFFFF0000u) != kProcTag) return nullptr;
    const std::size_t index = (v & 0xFFFF) - 1;
    auto& t = procTable();
    return index < t.size() ? t[index] : nullptr;
}

}  // namespace user

DWORD GetLiveUserObjectCount() {
    return static_cast<DWORD>(HandleTable::current().liveUserObjects());
}

DWORD GetGuiResources(HANDLE, DWORD flags) {
    if (flags == GR_GDIOBJECTS) return GetLiveGdiObjectCount();
    if (flags == GR_USEROBJECTS) return GetLiveUserObjectCount();
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
}

}  // namespace orvane::platform
