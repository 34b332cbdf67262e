#include "controls/text/LabelLayout.h"

#include <algorithm>
#include <cmath>

#include "framework/TextDrawing.h"

namespace orvane {

using namespace platform;

namespace {

constexpr int kImageGap = 2;       // between the border margin and the image, image and text
constexpr int kAutosizeImage = 4;  // room an autosized label leaves around its image
constexpr int kAutosizeHeight = 4;
constexpr int kAutosizeWidth = 6;

}  // namespace

LabelLayout LabelLayout::compute(const Input& in, const Measure& measure) {
    LabelLayout out;
    const int b = in.border;
    const int imageWidth =
        in.imageShown ? static_cast<int>(std::lround(in.aspect * in.imageHeight)) : 0;
    int width = in.width;
    int height = in.height;

    const int m = b + kImageGap;
    const int s = in.imageShown ? imageWidth + kImageGap : 0;
    out.textFlags =
        TextFlagsFromAlignment(in.alignment) | TextFlagsFromWrap(in.wordWrap, in.rightToLeft);
    // The image's share of an autosized label: its width and 4, its height and 4.
    const int img = in.imageShown ? imageWidth + kAutosizeImage : 0;
    const int imgHeight = in.imageShown ? in.imageHeight + kAutosizeImage : 0;
    // Wrapped text is measured once, in the rectangle it is drawn in, both to autosize and to
    // centre the block of lines vertically.
    int wrappedHeight = 0;
    if (in.wordWrap) {
        wrappedHeight = measure(out.textFlags, std::max(0, in.width - 2 * m - s)).cy;
        if (in.autosize) height = std::max(wrappedHeight, imgHeight) + kAutosizeHeight + 2 * b;
    } else if (in.autosize) {
        const SIZE text = measure(DT_SINGLELINE, std::max(0, in.width - img - 2 * b));
        width = static_cast<int>(text.cx) + img + 2 * b + kAutosizeWidth;
        height = std::max(static_cast<int>(text.cy), imgHeight) + kAutosizeHeight + 2 * b;
    }
    if (in.autosize) out.autosize = SIZE{width, height};

    if (in.alignment == 1) {
        out.textRect = RECT{m, m, width - m - s, height - m};
    } else {
        out.textRect = RECT{m + s, m, width - m, height - m};
    }
    if (in.wordWrap)
        out.textRect.top += (out.textRect.bottom - (out.textRect.top + wrappedHeight)) / 2;

    if (in.imageShown) {
        const int y = (height - in.imageHeight) / 2;
        const int x = in.alignment == 1 ? width - imageWidth - b - kImageGap : b + kImageGap;
        out.imageRect = RECT{x, y, x + imageWidth, y + in.imageHeight};
    }
    return out;
}

}  // namespace orvane
