// A rectangle filled with one colour through the DC's own brush, the DC left as it was: what
// the platform's controls paint their backgrounds, bars and lines with.
#pragma once

#include "platform/gdi/Gdi.h"

namespace orvane::platform {

inline void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    const COLORREF old = SetDCBrushColor(dc, colour);
    FillRect(dc, &r, HBRUSH(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, old);
}

}  // namespace orvane::platform
