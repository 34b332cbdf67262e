#include "controls/buttons/ButtonLayout.h"

#include <algorithm>
#include <cmath>

#include "framework/TextDrawing.h"

namespace orvane {

using namespace platform;

namespace {

constexpr int kStyleGraphical = 3;
constexpr int kCaptionLeft = 6;  // caption inset beside a left image, and from a right one
constexpr int kCaptionInset = 4;
constexpr int kImageRoom = 4;       // what an image adds around itself when measured
constexpr int kAutosizeWidth = 12;  // the face's horizontal room around the caption
constexpr int kAutosizeHeight = 4;
constexpr int kWrapRoom = 8;  // extra height of an autosized wrapped caption
constexpr int kStandardImageMargin = 4;

// Rounds to the nearest integer, ties to even, as the host's conversions do.
int roundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

}  // namespace

void ButtonLayout::centreWrappedBlock(RECT& textRect, UINT flags, const Measure& measure) {
    const int lines = static_cast<int>(
        measure(flags, std::max(0, static_cast<int>(textRect.right - textRect.left))).cy);
    textRect.top += (textRect.bottom - (textRect.top + lines)) / 2;
}

ButtonLayout ButtonLayout::compute(const Input& in, const Measure& measure) {
    ButtonLayout out;
    const int b = in.border;
    const bool picture = in.style >= kStyleGraphical;
    const int sideWidth = roundEven(in.aspect * in.imageHeight);
    int width = in.width;
    int height = in.height;
    out.textFlags =
        TextFlagsFromAlignment(in.alignment) | TextFlagsFromWrap(in.wordWrap, in.rightToLeft);

    // The caption's room: inside the border, beside the image (the side-image styles).
    const int imageShare = in.imageShown && !picture ? sideWidth + kImageRoom : 0;
    const int available = std::max(0, width - 2 * b - imageShare);
    const UINT measureFlags = in.wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    const auto autoHeight = [&](int textHeight) {
        const int content =
            in.hasImage ? std::max(textHeight, in.imageHeight + kImageRoom) : textHeight;
        return 2 * b + content + kAutosizeHeight;
    };
    // Autosize follows the picture style's pads only for the graphical style; the stacked
    // strip sizes like the face styles.
    const bool padded = in.style == kStyleGraphical;
    if (in.autosize && !in.wordWrap) {
        const SIZE text = measure(measureFlags, available);
        if (padded) {
            width = static_cast<int>(text.cx) + 2 + in.padLeft + in.padRight;
            height = in.padTop + static_cast<int>(text.cy) + in.padBottom;
        } else {
            width = 2 * b + kAutosizeWidth + static_cast<int>(text.cx) +
                    (in.imageShown ? sideWidth : 0);
            height = autoHeight(static_cast<int>(text.cy));
        }
    } else if (in.autosize) {
        if (padded) {
            const SIZE text = measure(measureFlags, std::max(0, width - in.padLeft - in.padRight));
            height = in.padTop + static_cast<int>(text.cy) + in.padBottom;
        } else {
            height = autoHeight(static_cast<int>(measure(measureFlags, available).cy)) + kWrapRoom;
        }
    }
    if (in.autosize) out.autosize = SIZE{width, height};

    if (picture) {
        out.textRect = RECT{in.padLeft, in.padTop, width - in.padRight, height - in.padBottom};
    } else {
        const int w = in.imageShown ? sideWidth : 0;
        out.textRect = in.alignment == 1
                           ? RECT{kCaptionInset, kCaptionInset, width - kCaptionLeft - w, height}
                           : RECT{kCaptionLeft + w, kCaptionInset, width, height};
        if (in.imageShown) {
            const int m = in.style == 2 ? kStandardImageMargin : b + 2;
            const int y = (height - in.imageHeight) / 2;
            const int x = in.alignment == 1 ? roundEven(width - in.aspect * in.imageHeight - m) : m;
            out.imageRect = RECT{x, y, x + sideWidth, y + in.imageHeight};
        }
    }
    // A wrapped block of lines is centred vertically in the caption's rectangle.
    if (in.wordWrap) {
        ButtonLayout::centreWrappedBlock(out.textRect, out.textFlags, measure);
    }
    return out;
}

}  // namespace orvane
