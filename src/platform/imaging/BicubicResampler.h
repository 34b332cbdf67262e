// High-quality drawing of an image under any affine transform (rotation, shear, scale): every
// destination pixel inside the transformed rectangle takes a 4 × 4 bicubic sample of the
// source, edges are anti-aliased by their distance from the pixel centre, and the result is
// blended over the destination. Premultiplied pixels throughout.
#pragma once

#include "platform/gdi/PixelSurface.h"

namespace orvane::platform {

class BicubicResampler {
public:
    // The mapping from destination coordinates to source coordinates: u = xx·x + xy·y + x0,
    // v = yx·x + yy·y + y0, with pixel centres at half coordinates on both sides.
    struct Affine {
        double xx, xy, x0, yx, yy, y0;
    };
    // Draws the part [left, right) × [top, bottom) of `source` (source coordinates) onto
    // `target` wherever it lands; `inverse` maps target to source and must be invertible.
    // Samples are taken `shiftU`, `shiftV` source pixels away from where the edges are.
    static void draw(PixelSurface& target, const PixelSurface& source, const Affine& inverse,
                     double left, double top, double right, double bottom, double shiftU = 0,
                     double shiftV = 0);
    // Whether 256-bit vector instructions may be used where the processor has them (they
    // are by default); tests compare both paths.
    static void allowWideVectors(bool allow);
};

}  // namespace orvane::platform
