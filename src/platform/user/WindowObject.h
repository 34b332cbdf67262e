// The state of one window. The window manager owns the tree; this is plain data read and
// written by the USER calls.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/PlatformObject.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/Region.h"
#include "platform/user/ChildGrid.h"
#include "platform/user/ChildList.h"
#include "platform/user/SubclassChain.h"
#include "platform/user/UserTypes.h"

namespace orvane::platform {

class WindowClass;
class IDropTarget;

struct ScrollBarState {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    UINT disabled = ESB_ENABLE_BOTH;
    bool shown = false;
    bool tracking = false;  // the thumb is being dragged: it shows at trackPos
    int pressed = -1;       // SB_LINEUP or SB_LINEDOWN while that arrow is held down
};

class WindowObject : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::Window;
    WindowObject() : PlatformObject(kKind) {}
    ~WindowObject() override;

    HWND hwnd() const { return HWND(handle()); }

    // Identity.
    WindowClass* cls = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    HINSTANCE instance;
    std::u16string text;
    std::vector<std::uint8_t> extra;
    std::map<std::u16string, HANDLE> props;

    // Tree: the parent (desktop for top-level windows), the owner, children front to back and
    // where they lie. Changed only through user::link, unlink, restack and setRect.
    std::uint32_t parent = 0;
    std::uint32_t owner = 0;
    ChildList children;
    ChildGrid childRects;

    // Geometry: the window rectangle in the parent's client coordinates (screen coordinates
    // for top-level windows) and the client rectangle in window coordinates.
    RECT rect{};
    RECT client{};

    // Painting: the update region in window coordinates and what it still needs.
    Region update;
    bool erasePending = false;
    bool ncPaintPending = false;
    bool internalPaint = false;
    std::uint64_t paintGeneration = 0;
    // The search for a window to paint skips what has nothing to paint: whether this window
    // is counted as needing paint, how many of its descendants are, and the child to start
    // from (those in front of it have nothing to paint; 0 means the front).
    bool paintQueued = false;
    std::uint32_t paintBelow = 0;
    std::uint32_t paintScan = 0;
    std::uint32_t ownDc = 0;  // CS_OWNDC device context

    // Top-level windows keep the pixels of the whole window.
    std::unique_ptr<PixelSurface> surface;
    std::uint64_t surfaceGeneration = 0;  // changes whenever something may have drawn on it
    BYTE layeredAlpha = 255;
    COLORREF layeredKey = 0;
    DWORD layeredFlags = 0;
    bool layeredSet = false;  // SetLayeredWindowAttributes has been called

    // State.
    bool child = false;  // WS_CHILD without WS_POPUP at creation
    bool creating = true;
    bool destroying = false;
    bool ncActive = false;
    // The caption button (HTCLOSE, HTMAXBUTTON, HTMINBUTTON) held down with the pointer on it.
    LRESULT ncPressed = 0;
    bool needSize = false;
    RECT restoreRect{};  // where a minimised or maximised window returns to
    bool hasRestore = false;
    bool stateChanging = false;  // the next SetWindowPos carries SWP_STATECHANGED
    std::uint32_t menu = 0;      // the menu bar of a top-level window (HMENU value)
    std::uint32_t sysMenu = 0;   // the window menu, once GetSystemMenu has made it
    HICON iconBig;
    HICON iconSmall;
    ScrollBarState hscroll;
    ScrollBarState vscroll;
    std::shared_ptr<SubclassChain> subclass;
    // The drop target RegisterDragDrop put on the window (not owned); it goes with the window.
    IDropTarget* dropTarget = nullptr;

    // A child lives in its parent's client area; whether it does is settled at creation.
    bool isChild() const { return child; }
    bool visibleStyle() const { return (style & WS_VISIBLE) != 0; }
    LONG width() const { return rect.right - rect.left; }
    LONG height() const { return rect.bottom - rect.top; }
    RECT clientRect() const {
        return RECT{0, 0, client.right - client.left, client.bottom - client.top};
    }
};

}  // namespace orvane::platform
