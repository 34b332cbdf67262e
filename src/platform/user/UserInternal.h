// Shared state and helpers of the USER calls: window look-up, the window tree, coordinates,
// visible regions and invalidation.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/base/HandleTable.h"
#include "platform/base/LastError.h"
#include "platform/gdi/Region.h"
#include "platform/user/User.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowObject.h"

namespace orvane::platform::user {

struct UserState {
    std::uint32_t desktop = 0;
    std::uint32_t messageRoot = 0;
    std::uint32_t focus = 0;
    std::uint32_t active = 0;
    std::uint32_t capture = 0;
    std::uint32_t menuOwner = 0;  // the owner of a running menu session, which takes the mouse
    bool altMenuPending = false;  // Alt or F10 went down alone: its release opens the menu bar
    std::uint32_t moveSize = 0;   // the window in the move or size loop
    std::vector<std::uint32_t> getMessageHooks;  // WH_GETMESSAGE hooks, the newest first
    std::uint64_t version = 1;  // changes with any window geometry, visibility or z-order
    // The thread's one caret: its owner, shape, place, hide count and blink phase.
    struct Caret {
        std::uint32_t owner = 0;
        std::uint32_t bitmap = 0;  // 0 solid, 1 grey, else a bitmap inverted through
        int width = 0, height = 0;
        POINT pos{};
        int hideLevel = 1;            // shown at 0
        bool on = false;              // inverted on the screen now
        bool hiddenForPaint = false;  // taken off by BeginPaint, put back by EndPaint
        UINT blinkMs = 530;
    } caret;
};

UserState& state();
// Creates the desktop and message-only roots when needed.
void ensureInit();
// Forgets every window, class, timer and queued message (for a fresh platform).
void reset();

WindowObject* window(HWND h);  // null and ERROR_INVALID_WINDOW_HANDLE when not a window
// Null without touching the last error.
inline WindowObject* windowQuiet(HWND h) {
    return HandleTable::current().get<WindowObject>(h.value);
}
WindowObject* desktop();
bool isRoot(const WindowObject& w);  // the desktop or the message-only root
bool isTopLevel(const WindowObject& w);
WindowObject* parentOf(const WindowObject& w);  // null for the roots
WindowObject* topLevelOf(WindowObject& w);

POINT windowOrigin(WindowObject& w);  // window's top-left in screen coordinates
POINT clientOrigin(WindowObject& w);  // client area's top-left in screen coordinates
RECT screenRect(WindowObject& w);
RECT clientScreenRect(WindowObject& w);
// The window's top-left within its top-level window's surface.
POINT offsetInTopLevel(WindowObject& w);

// Mirrored windows (WS_EX_LAYOUTRTL). The tree keeps every rectangle, update region and client
// area as the screen shows them, left to right; a mirrored window's client coordinates run from
// its client area's right edge, and the calls convert where they meet the caller.
bool isMirrored(const WindowObject& w);
// Whether the frame and scroll bars are mirrored too: child windows only (a top-level window
// mirrors its client area and keeps its caption as it is).
bool frameMirrored(const WindowObject& w);
// A rectangle or region in `w`'s client coordinates as the screen lays them out, and back
// (the same flip both ways): edges map to the width minus the edge.
RECT clientFlip(const WindowObject& w, const RECT& rc);
Region clientFlip(const WindowObject& w, const Region& r);
// A rectangle in the client coordinates of `w`'s parent, between the tree's layout and the
// caller's (the same flip both ways), and `w`'s own rectangle as the caller names it.
RECT parentFlip(WindowObject& w, const RECT& rc);
RECT logicalRect(WindowObject& w);
// The client area's top-left in the parent's client coordinates as the caller names them.
POINT logicalClientOrigin(WindowObject& w);
// A point between a window's client coordinates and the screen. Points name pixels: in a
// mirrored window client x covers the column `width - 1 - x` from the client area's left.
POINT clientToScreen(WindowObject& w, POINT client);
POINT screenToClient(WindowObject& w, POINT screen);
// Keeps the children of a mirrored window at their distance from its client area's right edge
// after the client area's width changed from `oldWidth`.
void keepChildrenRight(WindowObject& w, std::int32_t oldWidth);
bool reallyVisible(WindowObject& w);
// A child whose parent does not show: showing or hiding it only flips WS_VISIBLE, and moving it
// draws nothing.
bool inHiddenParent(WindowObject& w);
bool reallyEnabled(WindowObject& w);

// The pixels of the window (whole or client area) that may be drawn, in the window's own
// coordinates; flags are DCX_ flags that add clipping.
// With kDcxFlagsOnly among the flags, only DCX_CLIPCHILDREN clips the window's children, not
// its WS_CLIPCHILDREN style.
inline constexpr DWORD kDcxFlagsOnly = 0x40000000;
Region visibleRegion(WindowObject& w, bool clientArea, DWORD dcxFlags);

// The window tree changes only through these, which keep each parent's z-order list, its
// children's rectangles and the counts of windows waiting to paint in step.
// Makes `child` a child of `parent`, right in front of child `before` (0: at the back).
void link(WindowObject& parent, WindowObject& child, std::uint32_t before);
// Takes a window out of its parent's children (its `parent` field stays).
void unlink(WindowObject& child);
// Moves a window right in front of sibling `before` (0: to the back); false when it is there
// already.
bool restack(WindowObject& child, std::uint32_t before);
// Places a window at `rect` in its parent's client coordinates.
void setRect(WindowObject& w, const RECT& rect);
// To be called whenever a window's update region or internal-paint flag may have changed.
void paintChanged(WindowObject& w);

void bumpVersion();
// Allocates or resizes the surface of a top-level window.
void ensureSurface(WindowObject& w);

// Adds to the update region (window coordinates; null means the whole window) with RDW_ flags.
void invalidate(WindowObject& w, const Region* area, UINT flags);
void validate(WindowObject& w, const Region* area, UINT flags);
bool needsPaint(const WindowObject& w);
// Takes the window's update region out of the update regions of the ancestors that do not clip
// their children: the window is about to paint that area, and their later paint would cover it.
void validateParents(WindowObject& w);
// The first window in `w`'s subtree that needs painting: parents before children, front to
// back; only windows `filter` matches (a window and its descendants; null matches all).
HWND findPaint(WindowObject& w, HWND filter);

// Children front to back, as handles (safe across messages that destroy windows).
std::vector<HWND> childHandles(const WindowObject& w);

// A 32-bit handle for a procedure (what GetWindowLongW returns for GWL_WNDPROC).
LONG procToHandle(WNDPROC proc);
WNDPROC handleToProc(LONG handle);
// The top half of every procedure handle.
inline constexpr std::uint32_t kProcHandleTag = 0xFFFF0000u;
// The procedure a pointer-sized value names: a procedure handle, widened from its 32 bits with
// or without sign extension, or else the address itself.
inline WNDPROC resolveProc(std::uintptr_t value) {
    // A LONG handle cast straight to a pointer arrives sign-extended (its top bit is set).
    const std::uintptr_t high = value & ~std::uintptr_t{0xFFFF};
    if (high == kProcHandleTag || high == (~std::uintptr_t{0} << 16))
        return handleToProc(static_cast<LONG>(static_cast<std::uint32_t>(value)));
    return reinterpret_cast<WNDPROC>(value);
}
// Calls a window procedure, resolving procedure handles (inline: every message goes through).
inline LRESULT callProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    proc = resolveProc(reinterpret_cast<std::uintptr_t>(proc));
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

// Non-client metrics and default processing.
// How far the client area lies inside the window on each side (frame, caption and edges;
// scroll bars included when asked).
RECT frameInsets(DWORD style, DWORD exStyle, bool menu, bool scrollBars);
// The deepest visible window at a screen point and its WM_NCHITTEST answer.
HWND hitTest(POINT screen, LRESULT& hit);
// The deepest visible, enabled window whose rectangle holds a screen point, found without
// sending any message.
HWND windowAt(POINT screen);
void calcClient(WindowObject& w, const RECT& windowRect, RECT& clientOut);
LRESULT ncHitTest(WindowObject& w, POINT screen);
// Where the menu bar lies in window coordinates (empty without one).
RECT menuBarRect(WindowObject& w);
void ncPaint(WindowObject& w, HDC hdc);
// Draws one of the window's scroll bars now, as SetScrollInfo does when asked to redraw; the
// rest of the window is left alone.
void redrawScrollBar(WindowObject& w, bool vertical);
// A scroll bar's parts in screen coordinates: the bar, the track between the arrows and the
// thumb on it (where it shows, so at the drag position while it is dragged). An empty bar when
// the window has none.
struct ScrollBarParts {
    RECT bar{};
    int trackStart = 0, trackEnd = 0;
    int thumbStart = 0, thumbEnd = 0;
};
// In a window whose frame is mirrored the parts are where the frame's left-to-right layout puts
// them; framePoint turns a screen point into that layout (a point elsewhere stays).
ScrollBarParts scrollBarParts(WindowObject& w, bool vertical);
POINT framePoint(WindowObject& w, POINT screen);
// The mouse held down on a scroll bar (SC_VSCROLL, SC_HSCROLL): arrows and page areas repeat
// while held, the thumb is dragged; the window hears WM_VSCROLL or WM_HSCROLL.
void trackScrollBar(HWND hwnd, bool vertical, POINT screen);
// The mouse held down on a caption button: true when it is released over that button.
bool trackCaptionButton(HWND hwnd, LRESULT hit);
// A loop that owns the mouse: `handle` sees each message first and answers whether it took
// it or the message goes on to its window, or that the loop is done. Capture is taken
// and given back; a WM_QUIT is posted again for the loop outside. `ownTimer` names the
// loop's own timer on `hwnd`, which alone cannot end the loop on a virtual clock.
enum class CaptureStep { Pass, Taken, Done };
void captureLoop(HWND hwnd, const std::function<CaptureStep(const MSG&)>& handle,
                 UINT_PTR ownTimer = 0);

// The window's default sizes (maximised size and position in its parent's client
// coordinates, tracking limits) as the window answers WM_GETMINMAXINFO about them.
void minMaxInfo(HWND hwnd, WindowObject& w, MINMAXINFO& mmi);
// Puts a window into the minimised (SW_MINIMIZE) or maximised (SW_MAXIMIZE) state, keeping
// where it returns to, and gives the rectangle it takes. True when the state changed (the
// next SetWindowPos then carries SWP_STATECHANGED).
bool minMaximize(HWND hwnd, int how, RECT& target);

// Focus and activation internals.
void setFocusInternal(HWND hwnd);
void activateInternal(HWND hwnd, WORD how);
// Chooses another window to activate when the active one goes away.
void activateNextAfter(WindowObject& leaving);
// Releases capture, focus and tracking that point into a window that is going away.
void forgetWindow(WindowObject& w);

// Passes a message just retrieved (and removed, or only looked at) through the
// WH_GETMESSAGE hooks, which may change it.
void callGetMessageHooks(MSG* msg, bool removed);

// Messages and timers.
void killTimersOf(HWND hwnd);
// The system's own timers, posting WM_SYSTIMER: set (or restarted) and killed.
void setSystemTimer(HWND hwnd, UINT_PTR id, UINT elapse);
void killSystemTimer(HWND hwnd, UINT_PTR id);
// The caret: its blink on a WM_SYSTIMER; taken off the screen while its owner paints and put
// back after; destroyed with its owner.
void caretBlink(HWND hwnd, UINT_PTR id);
void caretBeforePaint(HWND hwnd);
void caretAfterPaint(HWND hwnd);
void forgetCaret(HWND hwnd);
void removeMessagesOf(HWND hwnd);
void resetQueue();
void resetInput();
// Queues a character as a Unicode key press and release (VK_PACKET), as typing it does.
void typeUnicode(char16_t c);
void mouseMovedByLayout();

}  // namespace orvane::platform::user
