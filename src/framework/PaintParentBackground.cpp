#include "framework/PaintParentBackground.h"

namespace orvane {

using namespace platform;

void PaintParentBackground(HWND parent, HWND control, HDC dc) {
    POINT origin{0, 0};
    MapWindowPoints(parent, control, &origin, 1);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    SendMessageW(parent, WM_PAINT, static_cast<WPARAM>(dc.value), 0);
    SetViewportOrgEx(dc, 0, 0, nullptr);
}

}  // namespace orvane
