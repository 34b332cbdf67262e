#include "framework/PaintParentBackground.h"

namespace orvane {

using namespace platform;

void PaintParentBackground(HWND parent, HWND control, HDC dc) {
    POINT origin{0, 0};
    MapWindowPoints(parent, control, &origin, 1);
    // The DC may already be shifted (a transparent control on a transparent container draws
    // the container's own background through it): the parent's offset adds to that.
    POINT previous{0, 0};
    GetViewportOrgEx(dc, &previous);
    SetViewportOrgEx(dc, previous.x + origin.x, previous.y + origin.y, nullptr);
    SendMessageW(parent, WM_PAINT, static_cast<WPARAM>(dc.value), 0);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

}  // namespace orvane
