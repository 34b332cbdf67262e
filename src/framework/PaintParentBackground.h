// Transparent controls show what lies behind them by asking their container to paint itself
// into the control's device context.
#pragma once

#include "platform/platform.h"

namespace orvane {

// Moves the viewport origin of `dc` so the parent's (0, 0) lands where it lies in the control,
// sends the parent WM_PAINT with `dc` as wParam, and resets the origin to (0, 0).
void PaintParentBackground(platform::HWND parent, platform::HWND control, platform::HDC dc);

}  // namespace orvane
