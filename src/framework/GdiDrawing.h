// Simple drawing in OLE colours (a colour that cannot be translated draws nothing), and the
// two-colour gradient every surface uses.
#pragma once

#include "host/OleColor.h"
#include "platform/platform.h"

namespace orvane {

// Fills `rc` with `color`.
void FillSolid(platform::HDC dc, OLE_COLOR color, const platform::RECT& rc);
// `width` nested one-pixel rectangles (at least one), inwards from the given one, drawn with
// a pen of the style.
void DrawFrame(platform::HDC dc, int left, int top, int right, int bottom, OLE_COLOR color,
               int width, int penStyle = platform::PS_SOLID);
// A one-pixel line from (x1, y1) to (x2, y2), the last point excluded, in `color`.
void DrawLineColor(platform::HDC dc, int x1, int y1, int x2, int y2, OLE_COLOR color);
// From color1 to color2 over the rectangle, top to bottom or left to right. Each channel steps
// by whole values (c1 + i × (c2 − c1) ÷ n, truncated); a gradient of one pixel shows both
// end colours combined by the DC's stretch mode; an empty rectangle draws nothing.
void DrawGradient(platform::HDC dc, const platform::RECT& rc, OLE_COLOR color1, OLE_COLOR color2,
                  bool vertical);

}  // namespace orvane
