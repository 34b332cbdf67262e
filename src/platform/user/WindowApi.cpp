// Window classes, window creation and destruction, the window tree, window longs, window text
// and properties.
#include <unistd.h>
#include <algorithm>
#include <cstring>

#include "platform/base/TextBuffer.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/user/MenuInternal.h"
#include "platform/user/SubclassChain.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

// WS_EX_WINDOWEDGE follows the other styles: raised frames (dialog or sizing, unless the
// window asks for a static edge) and modal dialog frames have it, other windows do not.
DWORD withWindowEdge(DWORD style, DWORD exStyle) {
    const bool edge = (exStyle & WS_EX_DLGMODALFRAME) ||
                      (!(exStyle & WS_EX_STATICEDGE) && (style & (WS_DLGFRAME | WS_THICKFRAME)));
    return edge ? (exStyle | WS_EX_WINDOWEDGE) : (exStyle & ~WS_EX_WINDOWEDGE);
}

constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;
constexpr int kMaxWindowSide = 32767;
constexpr int kMaxExtraBytes = 40000;

using user::window;
using user::windowQuiet;

std::u16string propKey(LPCWSTR name) {
    if (IS_INTRESOURCE(name))
        return u"#" +
               std::u16string(1, static_cast<char16_t>(reinterpret_cast<std::uintptr_t>(name)));
    std::u16string key(name);
    for (auto& c : key)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    return key;
}

// WM_PARENTNOTIFY goes to the parent and each ancestor up to the top-level window.
void parentNotify(HWND child, WORD event) {
    WindowObject* w = windowQuiet(child);
    if (!w || !w->isChild() || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
    const WPARAM wp = MAKEWPARAM(event, static_cast<WORD>(w->id));
    HWND target(w->parent);
    while (WindowObject* p = windowQuiet(target)) {
        if (user::isRoot(*p)) break;
        SendMessageW(target, WM_PARENTNOTIFY, wp, static_cast<LPARAM>(child.value));
        p = windowQuiet(target);
        if (!p || !p->isChild() || (p->exStyle & WS_EX_NOPARENTNOTIFY)) break;
        target = HWND(p->parent);
    }
}

void freeWindow(HWND hwnd) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w) return;
    user::killTimersOf(hwnd);
    user::removeMessagesOf(hwnd);
    user::forgetWindow(*w);
    menus::windowDestroyed(*w);
    if (w->ownDc) DeleteDC(HDC(w->ownDc));
    if (w->cls) --w->cls->windowCount;
    user::unlink(*w);
    HandleTable::current().remove(hwnd.value);
    user::bumpVersion();
    user::mouseMovedByLayout();
}

void sendDestroy(HWND hwnd) {
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    WindowObject* w = windowQuiet(hwnd);
    if (!w) return;
    for (HWND c : user::childHandles(*w)) {
        if (WindowObject* cw = windowQuiet(c)) cw->destroying = true;
        sendDestroy(c);
    }
}

void sendNcDestroy(HWND hwnd) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w) return;
    for (HWND c : user::childHandles(*w))
        sendNcDestroy(c);
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    freeWindow(hwnd);
}

// Creation failed after WM_NCCREATE: the window still gets WM_NCDESTROY.
HWND failCreation(HWND hwnd, bool sendDestroyMessage) {
    if (sendDestroyMessage) sendDestroy(hwnd);
    sendNcDestroy(hwnd);
    return HWND();
}

}  // namespace

DWORD GetCurrentThreadId() {
    return static_cast<DWORD>(::gettid());
}
DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(::getpid());
}
HINSTANCE GetModuleHandleW(LPCWSTR) {
    return HINSTANCE(0x10000u);
}

ATOM RegisterClassExW(const WNDCLASSEXW* wc) {
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXW) || !wc->lpszClassName || !wc->lpfnWndProc ||
        wc->cbClsExtra < 0 || wc->cbWndExtra < 0 || wc->cbClsExtra > kMaxExtraBytes ||
        wc->cbWndExtra > kMaxExtraBytes) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (IS_INTRESOURCE(wc->lpszClassName) || !*wc->lpszClassName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (WindowClass* existing = WindowClass::find(wc->lpszClassName);
        existing && !existing->system) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto c = std::make_unique<WindowClass>();
    c->name = wc->lpszClassName;
    c->atom = addAtom(c->name);
    c->style = wc->style;
    c->proc = wc->lpfnWndProc;
    c->clsExtra = wc->cbClsExtra;
    c->wndExtra = wc->cbWndExtra;
    c->extra.assign(static_cast<std::size_t>(wc->cbClsExtra), 0);
    c->instance = wc->hInstance;
    c->icon = wc->hIcon;
    c->iconSmall = wc->hIconSm;
    c->cursor = wc->hCursor;
    c->background = wc->hbrBackground;
    if (wc->lpszMenuName && !IS_INTRESOURCE(wc->lpszMenuName)) c->menuName = wc->lpszMenuName;
    const ATOM atom = c->atom;
    WindowClass::all().push_back(std::move(c));
    return atom;
}

ATOM RegisterClassW(const WNDCLASSW* wc) {
    if (!wc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEXW ex;
    ex.style = wc->style;
    ex.lpfnWndProc = wc->lpfnWndProc;
    ex.cbClsExtra = wc->cbClsExtra;
    ex.cbWndExtra = wc->cbWndExtra;
    ex.hInstance = wc->hInstance;
    ex.hIcon = wc->hIcon;
    ex.hCursor = wc->hCursor;
    ex.hbrBackground = wc->hbrBackground;
    ex.lpszMenuName = wc->lpszMenuName;
    ex.lpszClassName = wc->lpszClassName;
    return RegisterClassExW(&ex);
}

BOOL UnregisterClassW(LPCWSTR name, HINSTANCE) {
    WindowClass* c = WindowClass::find(name);
    if (!c || c->system) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (c->windowCount > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    std::erase_if(WindowClass::all(),
                  [c](const std::unique_ptr<WindowClass>& p) { return p.get() == c; });
    return TRUE;
}

BOOL GetClassInfoExW(HINSTANCE, LPCWSTR name, WNDCLASSEXW* wc) {
    WindowClass* c = WindowClass::find(name);
    if (!c || !wc) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    wc->style = c->style;
    wc->lpfnWndProc = c->proc;
    wc->cbClsExtra = c->clsExtra;
    wc->cbWndExtra = c->wndExtra;
    wc->hInstance = c->instance;
    wc->hIcon = c->icon;
    wc->hCursor = c->cursor;
    wc->hbrBackground = c->background;
    wc->lpszClassName = c->name.c_str();
    wc->hIconSm = c->iconSmall;
    return c->atom;
}

int GetClassNameW(HWND hwnd, LPWSTR buffer, int size) {
    WindowObject* w = window(hwnd);
    if (!w || !buffer || size <= 0) {
        if (w) SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return CopyToBuffer(w->cls->name, buffer, size);
}

ULONG_PTR GetClassLongPtrW(HWND hwnd, int index) {
    WindowObject* w = window(hwnd);
    if (!w) return 0;
    const WindowClass& c = *w->cls;
    switch (index) {
        case GCL_STYLE:
            return c.style;
        case GCLP_HBRBACKGROUND:
            return c.background.value;
        case GCLP_HCURSOR:
            return c.cursor.value;
        case GCLP_HICON:
            return c.icon.value;
        case GCLP_WNDPROC:
            return reinterpret_cast<ULONG_PTR>(c.proc);
        case GCL_CBWNDEXTRA:
            return static_cast<ULONG_PTR>(c.wndExtra);
        case GCL_CBCLSEXTRA:
            return static_cast<ULONG_PTR>(c.clsExtra);
        case GCW_ATOM:
            return c.atom;
    }
    if (index >= 0 && index + 4 <= c.clsExtra) {
        std::uint32_t v;
        std::memcpy(&v, &c.extra[index], 4);
        return v;
    }
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}

DWORD GetClassLongW(HWND hwnd, int index) {
    return static_cast<DWORD>(GetClassLongPtrW(hwnd, index));
}

ULONG_PTR SetClassLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    WindowObject* w = window(hwnd);
    if (!w) return 0;
    WindowClass& c = *w->cls;
    const ULONG_PTR old = GetClassLongPtrW(hwnd, index);
    switch (index) {
        case GCL_STYLE:
            c.style = static_cast<UINT>(value);
            return old;
        case GCLP_HBRBACKGROUND:
            c.background = HBRUSH(static_cast<std::uint32_t>(value));
            return old;
        case GCLP_HCURSOR:
            c.cursor = HCURSOR(static_cast<std::uint32_t>(value));
            return old;
        case GCLP_HICON:
            c.icon = HICON(static_cast<std::uint32_t>(value));
            return old;
        case GCLP_WNDPROC:
            c.proc = reinterpret_cast<WNDPROC>(value);
            return old;
    }
    if (index >= 0 && index + 4 <= c.clsExtra) {
        const auto v = static_cast<std::uint32_t>(value);
        std::memcpy(&c.extra[index], &v, 4);
        return old;
    }
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
    user::ensureInit();
    WindowClass* cls = WindowClass::find(className);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return HWND();
    }
    WindowObject* parentWin = nullptr;
    WindowObject* ownerWin = nullptr;
    // WS_CHILD makes a child only without WS_POPUP: with both, the window is a top-level
    // window owned by the one given, and keeps both bits.
    const bool child = (style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
    if (child) {
        if (!parent) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return HWND();
        }
        if (parent == HWND_MESSAGE) {
            parentWin = windowQuiet(HWND(user::state().messageRoot));
        } else {
            parentWin = window(parent);
            if (!parentWin) return HWND();
        }
    } else if (parent == HWND_MESSAGE) {
        parentWin = windowQuiet(HWND(user::state().messageRoot));
    } else {
        parentWin = user::desktop();
        if (parent) {
            ownerWin = window(parent);
            if (!ownerWin) return HWND();
            ownerWin = user::topLevelOf(*ownerWin);
        }
    }

    // Overlapped windows always have a caption and clip their siblings.
    if (!(style & (WS_CHILD | WS_POPUP))) {
        style |= WS_CLIPSIBLINGS | WS_CAPTION;
    } else if (!(style & WS_CHILD)) {
        style |= WS_CLIPSIBLINGS;
    }
    exStyle = withWindowEdge(style, exStyle);
    if (parentWin && (parentWin->exStyle & WS_EX_LAYOUTRTL) &&
        !(parentWin->exStyle & WS_EX_NOINHERITLAYOUT) && child)
        exStyle |= WS_EX_LAYOUTRTL;

    // Overlapped windows hear their size and place when first shown, not when created.
    const bool needSize = !(style & (WS_CHILD | WS_POPUP));
    if (x == CW_USEDEFAULT) {
        x = child ? 0 : 100;
        y = child ? 0 : 100;
    }
    if (width == CW_USEDEFAULT) {
        if (child) {
            width = height = 0;
        } else {
            const auto& screen = gdi::screenInfo();
            width = screen.width * 3 / 4;
            height = screen.height * 3 / 4;
        }
    }
    width = std::clamp(width, 0, kMaxWindowSide);
    height = std::clamp(height, 0, kMaxWindowSide);

    auto object = std::make_unique<WindowObject>();
    WindowObject* w = object.get();
    w->cls = cls;
    w->proc = cls->proc;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->instance = instance;
    w->extra.assign(static_cast<std::size_t>(cls->wndExtra), 0);
    w->parent = parentWin->handle();
    w->owner = ownerWin ? ownerWin->handle() : 0;
    w->child = child;
    w->id = child ? static_cast<LONG_PTR>(menu.value) : 0;
    w->needSize = needSize;
    w->rect = RECT{x, y, x + width, y + height};
    w->client = RECT{0, 0, width, height};
    ++cls->windowCount;
    const HWND hwnd(HandleTable::current().add(std::move(object)));

    CREATESTRUCTW cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.cx = width;
    cs.cy = height;
    cs.x = x;
    cs.y = y;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;

    if ((style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD))) {
        MINMAXINFO mmi;
        user::minMaxInfo(hwnd, *w, mmi);
        if (!(w = windowQuiet(hwnd))) return HWND();
        const int cx =
            std::clamp<int>(w->width(), 0, std::max(0, static_cast<int>(mmi.ptMaxTrackSize.x)));
        const int cy =
            std::clamp<int>(w->height(), 0, std::max(0, static_cast<int>(mmi.ptMaxTrackSize.y)));
        w->rect.right = w->rect.left + cx;
        w->rect.bottom = w->rect.top + cy;
        cs.cx = cx;
        cs.cy = cy;
    }
    // A child of a mirrored parent was placed from the parent's right edge.
    w->rect = user::parentFlip(*w, w->rect);

    if (!SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)))
        return failCreation(hwnd, false);
    if (!(w = windowQuiet(hwnd))) return HWND();
    // The window joins its parent's children after WM_NCCREATE: children at the bottom of the
    // z-order (creation order is tab order), top-level windows at the top.
    WindowObject* p = user::parentOf(*w);
    if (!p) return failCreation(hwnd, false);
    if (w->isChild()) {
        user::link(*p, *w, 0);
    } else if (w->exStyle & WS_EX_TOPMOST) {
        user::link(*p, *w, p->children.front());
    } else {
        // Below the topmost band.
        auto it = std::find_if(p->children.begin(), p->children.end(), [](std::uint32_t h) {
            WindowObject* s = user::windowQuiet(HWND(h));
            return !s || !(s->exStyle & WS_EX_TOPMOST);
        });
        user::link(*p, *w, it == p->children.end() ? 0 : *it);
    }
    user::bumpVersion();

    RECT client;
    RECT wr = w->rect;
    SendMessageW(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&wr));
    if (!(w = windowQuiet(hwnd))) return HWND();
    client = wr;
    w->client = RECT{client.left - w->rect.left, client.top - w->rect.top,
                     client.right - w->rect.left, client.bottom - w->rect.top};
    user::ensureSurface(*w);

    if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1)
        return failCreation(hwnd, true);
    if (!(w = windowQuiet(hwnd))) return HWND();

    if (!w->needSize) {
        const RECT c = w->client;
        SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
        if (!(w = windowQuiet(hwnd))) return HWND();
        const POINT at = user::logicalClientOrigin(*w);
        SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(at.x, at.y));
        if (!(w = windowQuiet(hwnd))) return HWND();
    }
    // Created minimised or maximised: the window takes that state and its rectangle now, in
    // front of its siblings, before it is shown.
    if (style & (WS_MAXIMIZE | WS_MINIMIZE)) {
        w->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
        RECT target;
        user::minMaximize(hwnd, (style & WS_MINIMIZE) ? SW_MINIMIZE : SW_MAXIMIZE, target);
        UINT swp = SWP_FRAMECHANGED;
        if (!(style & WS_VISIBLE) || child || GetActiveWindow()) swp |= SWP_NOACTIVATE;
        SetWindowPos(hwnd, HWND_TOP, target.left, target.top, target.right - target.left,
                     target.bottom - target.top, swp);
        if (!(w = windowQuiet(hwnd))) return HWND();
    }
    parentNotify(hwnd, WM_CREATE);
    if (!(w = windowQuiet(hwnd))) return HWND();
    w->creating = false;
    if (style & WS_VISIBLE) {
        int cmd = SW_SHOW;
        if (style & WS_MAXIMIZE)
            cmd = SW_SHOW;
        else if (style & WS_MINIMIZE)
            cmd = SW_SHOWMINIMIZED;
        else if ((exStyle & WS_EX_NOACTIVATE) || child)
            cmd = SW_SHOWNA;
        ShowWindow(hwnd, cmd);
        if (!windowQuiet(hwnd)) return HWND();
    }
    return hwnd;
}

HWND CreateWindowW(LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                   int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    return CreateWindowExW(0, className, windowName, style, x, y, width, height, parent, menu,
                           instance, param);
}

BOOL DestroyWindow(HWND hwnd) {
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    if (user::isRoot(*w)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (w->destroying) return TRUE;  // already on its way out
    w->destroying = true;

    parentNotify(hwnd, WM_DESTROY);
    if (!(w = windowQuiet(hwnd))) return TRUE;
    // A visible window is hidden first. As on Windows, only a child hears WM_SHOWWINDOW (it is
    // hidden as by ShowWindow); a top-level window is hidden by positioning alone.
    if (w->visibleStyle()) {
        if (w->isChild()) {
            SendMessageW(hwnd, WM_SHOWWINDOW, FALSE, 0);
            if (!(w = windowQuiet(hwnd))) return TRUE;
        }
        // A child of a hidden parent hears no positioning on its way out.
        if (user::inHiddenParent(*w)) {
            w->style &= ~WS_VISIBLE;
            user::bumpVersion();
        } else {
            SetWindowPos(hwnd, HWND(), 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
        }
        if (!(w = windowQuiet(hwnd))) return TRUE;
    }
    // Activation, focus and capture leave the window before it is told it is being destroyed:
    // a top-level window is deactivated first (which takes the focus along), then whatever
    // focus is left inside goes to the parent or nowhere.
    if (!w->isChild() && user::state().active == hwnd.value) user::activateNextAfter(*w);
    if (!(w = windowQuiet(hwnd))) return TRUE;
    if (HWND focus = GetFocus(); focus && (focus == hwnd || IsChild(hwnd, focus))) {
        if (w->isChild())
            SetFocus(HWND(w->parent));
        else
            user::setFocusInternal(HWND());
    }
    if (HWND cap = GetCapture(); cap && (cap == hwnd || IsChild(hwnd, cap))) ReleaseCapture();
    if (!(w = windowQuiet(hwnd))) return TRUE;

    // Owned windows go first.
    if (!w->isChild()) {
        if (WindowObject* d = user::desktop()) {
            for (HWND other : user::childHandles(*d)) {
                WindowObject* o = windowQuiet(other);
                if (o && o->owner == hwnd.value) DestroyWindow(other);
            }
        }
    }
    if (!windowQuiet(hwnd)) return TRUE;
    sendDestroy(hwnd);
    sendNcDestroy(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    return windowQuiet(hwnd) ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
    WindowObject* w = windowQuiet(hwnd);
    return w && user::reallyVisible(*w) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    WindowObject* w = windowQuiet(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL IsWindowUnicode(HWND hwnd) {
    return windowQuiet(hwnd) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
    WindowObject* w = windowQuiet(hwnd);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    WindowObject* w = windowQuiet(hwnd);
    return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    WindowObject* w = windowQuiet(hwnd);
    while (w && w->isChild()) {
        if (w->parent == parent.value) return TRUE;
        w = user::parentOf(*w);
    }
    return FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    const BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        SendMessageW(hwnd, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        SendMessageW(hwnd, WM_CANCELMODE, 0, 0);
        if (!(w = windowQuiet(hwnd))) return wasDisabled;
        w->style |= WS_DISABLED;
        // A disabled window loses the focus (and its children with it).
        if (HWND focus = GetFocus(); focus == hwnd || IsChild(hwnd, focus))
            user::setFocusInternal(HWND());
        if (GetCapture() == hwnd) ReleaseCapture();
        SendMessageW(hwnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

namespace {

// What GetParent reports: a popup's owner, a child's parent (the desktop too), else nothing.
HWND parentOrOwner(const WindowObject& w) {
    if (w.style & WS_POPUP) return HWND(w.owner);
    if (w.style & WS_CHILD) return HWND(w.parent);
    return HWND();
}

}  // namespace

HWND GetParent(HWND hwnd) {
    WindowObject* w = window(hwnd);
    if (!w || user::isRoot(*w)) return HWND();
    return parentOrOwner(*w);
}

HWND SetParent(HWND child, HWND newParent) {
    WindowObject* w = window(child);
    if (!w || user::isRoot(*w)) return HWND();
    WindowObject* np = newParent ? window(newParent) : user::desktop();
    if (!np) return HWND();
    // A window cannot become a child of itself or of one of its descendants.
    for (WindowObject* cur = np; cur; cur = user::parentOf(*cur)) {
        if (cur == w) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return HWND();
        }
    }
    const HWND old(w->parent);
    const bool wasVisible = w->visibleStyle();
    if (wasVisible) ShowWindow(child, SW_HIDE);
    if (!(w = windowQuiet(child)) || !(np = newParent ? windowQuiet(newParent) : user::desktop()))
        return HWND();
    const POINT screen = user::windowOrigin(*w);
    user::unlink(*w);
    // The window keeps its place on the screen in its new parent's coordinates.
    POINT origin = screen;
    if (!user::isRoot(*np)) {
        const POINT c = user::clientOrigin(*np);
        origin.x -= c.x;
        origin.y -= c.y;
    }
    OffsetRect(&w->rect, origin.x - w->rect.left, origin.y - w->rect.top);
    user::link(*np, *w, np->children.front());
    if (user::isRoot(*np)) w->surface.reset();
    user::ensureSurface(*w);
    user::bumpVersion();
    if (wasVisible) ShowWindow(child, SW_SHOWNA);
    WindowObject* op = windowQuiet(old);
    return op && op->handle() == user::state().desktop ? GetDesktopWindow() : old;
}

HWND GetDesktopWindow() {
    user::ensureInit();
    return HWND(user::state().desktop);
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    WindowObject* w = window(hwnd);
    if (!w || user::isRoot(*w)) return HWND();
    switch (flags) {
        case GA_PARENT:
            return HWND(w->parent);
        case GA_ROOT:
            return user::topLevelOf(*w)->hwnd();
        case GA_ROOTOWNER: {
            // Up through what GetParent reports until it reports nothing.
            WindowObject* cur = w;
            while (WindowObject* next = windowQuiet(parentOrOwner(*cur)))
                cur = next;
            return cur->hwnd();
        }
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return HWND();
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    WindowObject* w = window(hwnd);
    if (!w) return HWND();
    if (cmd == GW_CHILD) return w->children.empty() ? HWND() : HWND(w->children.front());
    if (cmd == GW_OWNER) return HWND(w->owner);
    if (cmd == GW_ENABLEDPOPUP) {
        for (std::uint32_t h : user::desktop()->children) {
            WindowObject* o = windowQuiet(HWND(h));
            if (o && o->owner == hwnd.value && o->visibleStyle() && !(o->style & WS_DISABLED))
                return HWND(h);
        }
        return HWND();
    }
    WindowObject* p = user::parentOf(*w);
    if (!p) return HWND();
    const ChildList& sibs = p->children;
    if (!sibs.contains(hwnd.value)) return HWND();
    switch (cmd) {
        case GW_HWNDFIRST:
            return HWND(sibs.front());
        case GW_HWNDLAST:
            return HWND(sibs.back());
        case GW_HWNDNEXT:
            return HWND(sibs.next(hwnd.value));
        case GW_HWNDPREV:
            return HWND(sibs.prev(hwnd.value));
    }
    SetLastError(ERROR_INVALID_GW_COMMAND);
    return HWND();
}

HWND GetTopWindow(HWND hwnd) {
    WindowObject* w = hwnd ? window(hwnd) : user::desktop();
    if (!w || w->children.empty()) return HWND();
    return HWND(w->children.front());
}

namespace {
bool enumDescendants(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    WindowObject* w = windowQuiet(parent);
    if (!w) return true;
    for (HWND c : user::childHandles(*w)) {
        if (!windowQuiet(c)) continue;
        if (!proc(c, lParam)) return false;
        if (!enumDescendants(c, proc, lParam)) return false;
    }
    return true;
}
}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    if (!proc) return FALSE;
    // No parent means the desktop: every top-level window and its descendants. The result is
    // FALSE when the callback stopped the enumeration.
    if (!parent) parent = GetDesktopWindow();
    if (!window(parent)) return FALSE;
    return enumDescendants(parent, proc, lParam) ? TRUE : FALSE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
    if (!proc) return FALSE;
    for (HWND h : user::childHandles(*user::desktop())) {
        if (!windowQuiet(h)) continue;
        if (!proc(h, lParam)) return FALSE;
    }
    return TRUE;
}

HWND FindWindowExW(HWND parent, HWND childAfter, LPCWSTR className, LPCWSTR windowName) {
    user::ensureInit();
    WindowObject* p = parent == HWND_MESSAGE ? windowQuiet(HWND(user::state().messageRoot))
                      : parent               ? window(parent)
                                             : user::desktop();
    if (!p) return HWND();
    WindowClass* cls = className ? WindowClass::find(className) : nullptr;
    if (className && !cls) return HWND();
    bool started = !childAfter;
    for (std::uint32_t h : p->children) {
        if (!started) {
            started = h == childAfter.value;
            continue;
        }
        WindowObject* w = windowQuiet(HWND(h));
        if (!w) continue;
        if (cls && w->cls != cls) continue;
        if (windowName && w->text != windowName) continue;
        return HWND(h);
    }
    return HWND();
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
    return FindWindowExW(HWND(), HWND(), className, windowName);
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
    if (!window(hwnd)) return 0;
    if (processId) *processId = GetCurrentProcessId();
    return GetCurrentThreadId();
}

HWND GetDlgItem(HWND dialog, int id) {
    WindowObject* w = window(dialog);
    if (!w) return HWND();
    for (std::uint32_t h : w->children) {
        WindowObject* c = windowQuiet(HWND(h));
        if (c && c->id == id) return HWND(h);
    }
    return HWND();
}

int GetDlgCtrlID(HWND hwnd) {
    WindowObject* w = window(hwnd);
    return w ? static_cast<int>(w->id) : 0;
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
    WindowObject* w = window(hwnd);
    if (!w) return 0;
    switch (index) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(w->proc);
        case GWLP_HINSTANCE:
            return static_cast<LONG_PTR>(w->instance.value);
        case GWLP_HWNDPARENT: {
            // The parent, unless that is the desktop: then the owner.
            WindowObject* p = user::parentOf(*w);
            return static_cast<LONG_PTR>(p && !user::isRoot(*p) ? w->parent : w->owner);
        }
        case GWL_STYLE:
            return static_cast<LONG>(w->style);
        case GWL_EXSTYLE:
            return static_cast<LONG>(w->exStyle);
        case GWLP_ID:
            return w->id;
        case GWLP_USERDATA:
            return w->userData;
    }
    if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
        LONG_PTR v;
        std::memcpy(&v, &w->extra[index], sizeof v);
        return v;
    }
    if (index >= 0 && static_cast<std::size_t>(index) + 4 <= w->extra.size()) {
        LONG v;
        std::memcpy(&v, &w->extra[index], 4);
        return v;
    }
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}

LONG GetWindowLongW(HWND hwnd, int index) {
    WindowObject* w = window(hwnd);
    if (!w) return 0;
    if (index == GWL_WNDPROC) return user::procToHandle(w->proc);
    if (index >= 0) {
        if (static_cast<std::size_t>(index) + 4 > w->extra.size()) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        LONG v;
        std::memcpy(&v, &w->extra[index], 4);
        return v;
    }
    return static_cast<LONG>(GetWindowLongPtrW(hwnd, index));
}

namespace {

LONG_PTR setStyle(HWND hwnd, int index, DWORD value) {
    WindowObject* w = windowQuiet(hwnd);
    DWORD& field = index == GWL_STYLE ? w->style : w->exStyle;
    STYLESTRUCT ss{field, value};
    SendMessageW(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    if (!(w = windowQuiet(hwnd))) return 0;
    DWORD& f = index == GWL_STYLE ? w->style : w->exStyle;
    const DWORD old = f;
    f = ss.styleNew;
    if (index == GWL_STYLE) {
        // The child bit cannot change after creation.
        f = (f & ~WS_CHILD) | (old & WS_CHILD);
        w->exStyle = withWindowEdge(w->style, w->exStyle);
    } else {
        // The top-most bit changes only through SetWindowPos.
        f = (f & ~WS_EX_TOPMOST) | (old & WS_EX_TOPMOST);
        f = withWindowEdge(w->style, f);
        if (!(f & WS_EX_LAYERED)) w->layeredSet = false;  // layered again: no attributes yet
    }
    ss.styleOld = old;
    user::bumpVersion();
    SendMessageW(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    return static_cast<LONG>(old);
}

}  // namespace

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    WindowObject* w = window(hwnd);
    if (!w) return 0;
    if (user::isRoot(*w)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    SetLastError(ERROR_SUCCESS);
    switch (index) {
        case GWLP_WNDPROC: {
            const LONG_PTR old = reinterpret_cast<LONG_PTR>(w->proc);
            // No procedure leaves the window's own in place; the call still returns it.
            if (const WNDPROC proc = user::resolveProc(static_cast<std::uintptr_t>(value)))
                w->proc = proc;
            return old;
        }
        case GWLP_HINSTANCE: {
            const LONG_PTR old = w->instance.value;
            w->instance = HINSTANCE(static_cast<std::uint32_t>(value));
            return old;
        }
        case GWLP_HWNDPARENT: {
            // Below another window this changes the parent; below the desktop, the owner.
            const HWND to(static_cast<std::uint32_t>(value));
            if (WindowObject* p = user::parentOf(*w); p && !user::isRoot(*p))
                return static_cast<LONG_PTR>(SetParent(hwnd, to).value);
            const LONG_PTR old = w->owner;
            WindowObject* o = value ? window(to) : nullptr;
            if (value && !o) return 0;
            w->owner = o ? user::topLevelOf(*o)->handle() : 0;
            return old;
        }
        case GWL_STYLE:
        case GWL_EXSTYLE:
            return setStyle(hwnd, index, static_cast<DWORD>(value));
        case GWLP_ID: {
            const LONG_PTR old = w->id;
            w->id = value;
            return old;
        }
        case GWLP_USERDATA: {
            const LONG_PTR old = w->userData;
            w->userData = value;
            return old;
        }
    }
    if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
        LONG_PTR old;
        std::memcpy(&old, &w->extra[index], sizeof old);
        std::memcpy(&w->extra[index], &value, sizeof value);
        return old;
    }
    if (index >= 0 && static_cast<std::size_t>(index) + 4 <= w->extra.size()) {
        LONG old;
        const auto v = static_cast<LONG>(value);
        std::memcpy(&old, &w->extra[index], 4);
        std::memcpy(&w->extra[index], &v, 4);
        return old;
    }
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}

LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
    WindowObject* w = window(hwnd);
    if (!w) return 0;
    if (index == GWL_WNDPROC) {
        WNDPROC proc = user::handleToProc(value);
        if (!proc) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        const LONG old = user::procToHandle(w->proc);
        w->proc = proc;
        return old;
    }
    if (index >= 0) {
        if (static_cast<std::size_t>(index) + 4 > w->extra.size()) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        LONG old;
        std::memcpy(&old, &w->extra[index], 4);
        std::memcpy(&w->extra[index], &value, 4);
        return old;
    }
    if (index == GWLP_USERDATA) {
        const LONG old = static_cast<LONG>(w->userData);
        w->userData = value;
        return old;
    }
    return static_cast<LONG>(SetWindowLongPtrW(hwnd, index, value));
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
    if (!window(hwnd)) return FALSE;
    return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u"")) ? TRUE
                                                                                          : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int size) {
    if (!window(hwnd)) return 0;
    if (!buffer || size <= 0) return 0;
    buffer[0] = 0;
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(size),
                                         reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) {
    if (!window(hwnd)) return 0;
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetPropW(HWND hwnd, LPCWSTR name, HANDLE data) {
    WindowObject* w = window(hwnd);
    if (!w || !name) return FALSE;
    w->props[propKey(name)] = data;
    return TRUE;
}

HANDLE GetPropW(HWND hwnd, LPCWSTR name) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w || !name) return HANDLE();
    auto it = w->props.find(propKey(name));
    return it == w->props.end() ? HANDLE() : it->second;
}

HANDLE RemovePropW(HWND hwnd, LPCWSTR name) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w || !name) return HANDLE();
    auto it = w->props.find(propKey(name));
    if (it == w->props.end()) return HANDLE();
    const HANDLE h = it->second;
    w->props.erase(it);
    return h;
}

}  // namespace orvane::platform
