// Lengths between the host's scale modes: twips, points, pixels, characters, inches,
// millimetres, centimetres and himetric, at a given screen DPI.
#pragma once

namespace orvane {

// The host's scale modes. User and the container modes are not units of their own: User is a
// control's own scale, the container modes are the container's (twips here).
enum class ScaleMode : int {
    User = 0,
    Twips = 1,
    Points = 2,
    Pixels = 3,
    Characters = 4,
    Inches = 5,
    Millimeters = 6,
    Centimeters = 7,
    Himetric = 8,
    ContainerPosition = 9,
    ContainerSize = 10,
};

// A length from one unit to another; `horizontal` matters for characters (120 twips wide,
// 240 high). User and container units are the caller's to resolve: they raise error 5.
double ScaleConvert(double value, ScaleMode from, ScaleMode to, bool horizontal, int dpi);

// Twips to whole pixels at a DPI, rounded to nearest, as windows are placed.
int TwipsToPixels(int twips, int dpi);

}  // namespace orvane
