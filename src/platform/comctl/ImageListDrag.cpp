// Drag images: a copy of one image follows the mouse in a layered, click-through window above
// every other, placed relative to the lock window's top-left corner less the hot spot.
#include <memory>

#include "platform/base/HandleTable.h"
#include "platform/base/LastError.h"
#include "platform/comctl/ImageList.h"
#include "platform/comctl/ImageListObject.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SurfaceBlend.h"
#include "platform/imaging/PremultipliedAlpha.h"
#include "platform/user/User.h"
#include "platform/user/WindowClass.h"

namespace orvane::platform {

namespace {

constexpr char16_t kClass[] = u"ImageListDragWindow";
// Pixels of this colour are keyed out of the window; the image is drawn at this opacity.
constexpr COLORREF kKey = RGB(0xFF, 0x00, 0xFF);
constexpr BYTE kOpacity = 176;

struct DragState {
    HIMAGELIST list;
    POINT hotspot{};
    POINT position{};
    HWND lock;
    HWND window;
};

DragState& drag() {
    static DragState state;
    return state;
}

LRESULT dragWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd, &ps);
        // Edges are keyed out or drawn whole: the key colour must not tint half-covered pixels.
        if (const ImageListObject* list = ImageListObject::from(drag().list)) {
            const PixelSurface& image = list->image(0);
            PixelSurface shown(image.width(), image.height());
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const std::uint32_t p = image.at(x, y);
                    shown.at(x, y) = (p >> 24) >= 128
                                         ? 0xFF000000u | PremultipliedAlpha::unpremultiply(p)
                                         : 0xFF000000u | PixelSurface::fromColor(kKey);
                }
            AlphaBlendSurface(dc, 0, 0, shown);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void registerClass() {
    WNDCLASSEXW wc;
    wc.lpfnWndProc = dragWndProc;
    wc.lpszClassName = kClass;
    WindowClass::registerSystem(wc);
}

// Where the window goes on the screen for the current position.
POINT screenPlace() {
    const DragState& d = drag();
    RECT origin{};
    if (d.lock) GetWindowRect(d.lock, &origin);
    return POINT{origin.left + d.position.x - d.hotspot.x, origin.top + d.position.y - d.hotspot.y};
}

void destroyWindow() {
    if (drag().window) DestroyWindow(drag().window);
    drag().window = HWND();
}

const bool kResets = [] {
    HandleTable::addResetHook([] { drag() = DragState{}; });
    return true;
}();

}  // namespace

BOOL ImageList_BeginDrag(HIMAGELIST himl, int i, int dxHotspot, int dyHotspot) {
    const ImageListObject* source = ImageListObject::from(himl);
    if (!source || !source->valid(i)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ImageList_EndDrag();
    auto list = std::make_unique<ImageListObject>(source->cx(), source->cy(),
                                                  source->flags() | ILC_MASK, 1);
    list->insert(0, PixelSurface(source->image(i)));
    drag().list = HIMAGELIST(HandleTable::current().add(std::move(list)));
    drag().hotspot = POINT{dxHotspot, dyHotspot};
    return TRUE;
}

BOOL ImageList_DragEnter(HWND lock, int x, int y) {
    DragState& d = drag();
    const ImageListObject* list = ImageListObject::from(d.list);
    if (!list || (lock && !IsWindow(lock))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    d.lock = lock;
    d.position = POINT{x, y};
    const POINT at = screenPlace();
    if (!d.window) {
        registerClass();
        d.window = CreateWindowExW(
            WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE,
            kClass, u"", WS_POPUP, at.x, at.y, list->cx(), list->cy(), HWND(), HMENU(), HINSTANCE(),
            nullptr);
        if (!d.window) return FALSE;
        SetLayeredWindowAttributes(d.window, kKey, kOpacity, LWA_COLORKEY | LWA_ALPHA);
    } else {
        SetWindowPos(d.window, HWND_TOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    }
    ShowWindow(d.window, SW_SHOWNOACTIVATE);
    return TRUE;
}

BOOL ImageList_DragMove(int x, int y) {
    DragState& d = drag();
    if (!d.list) return FALSE;
    d.position = POINT{x, y};
    if (d.window) {
        const POINT at = screenPlace();
        SetWindowPos(d.window, HWND(), at.x, at.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

BOOL ImageList_DragShowNolock(BOOL show) {
    DragState& d = drag();
    if (!d.window) return FALSE;
    ShowWindow(d.window, show ? SW_SHOWNOACTIVATE : SW_HIDE);
    return TRUE;
}

BOOL ImageList_DragLeave(HWND) {
    if (!drag().window) return FALSE;
    destroyWindow();
    return TRUE;
}

void ImageList_EndDrag() {
    destroyWindow();
    if (drag().list) ImageList_Destroy(drag().list);
    drag() = DragState{};
}

HIMAGELIST ImageList_GetDragImage(POINT* position, POINT* hotspot) {
    const DragState& d = drag();
    if (!d.list) return HIMAGELIST();
    if (position) *position = d.position;
    if (hotspot) *hotspot = d.hotspot;
    return d.list;
}

}  // namespace orvane::platform
