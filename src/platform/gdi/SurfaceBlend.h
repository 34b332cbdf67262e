// Blending premultiplied pixels held in memory onto a DC, as AlphaBlend from a memory DC
// would, without making a bitmap or copying them first: the theme's parts and the glyph
// strips are drawn this way.
#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/Region.h"

namespace orvane::platform {

// Draws `image` (premultiplied 0xAARRGGBB) at (x, y) over what the DC holds, through the DC's
// clipping, origins and mapping, at constant alpha `alpha`. False when the DC is not valid.
bool AlphaBlendSurface(HDC hdc, int x, int y, const PixelSurface& image, BYTE alpha = 255);

// Source-over of premultiplied pixels, no scaling: `to` (surface coordinates of `dst`) takes
// the pixels of `src` from (srcX, srcY) on, inside `clip`. The rows are fetched together first.
void BlendSurfaceOver(PixelSurface& dst, const Region& clip, const RECT& to,
                      const PixelSurface& src, int srcX, int srcY);

}  // namespace orvane::platform
