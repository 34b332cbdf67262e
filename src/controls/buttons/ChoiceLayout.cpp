#include "controls/buttons/ChoiceLayout.h"

#include <algorithm>
#include <cmath>

#include "framework/TextDrawing.h"

namespace orvane {

using namespace platform;

namespace {

constexpr int kGap = 2;  // between glyph, image and caption, and before the right margin

int roundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// The graphical style is the push button's standard face, with its caption and side image.
ChoiceLayout graphical(const ChoiceLayout::Input& in, const ButtonLayout::Measure& measure) {
    ButtonLayout::Input b;
    b.width = in.width;
    b.height = in.height;
    b.style = 2;
    b.border = in.border;
    b.hasImage = in.hasImage;
    b.imageShown = in.imageShown;
    b.aspect = in.aspect;
    b.imageHeight = in.imageHeight;
    b.alignment = in.alignment;
    b.wordWrap = in.wordWrap;
    b.rightToLeft = in.rightToLeft;
    b.autosize = in.autosize;
    const ButtonLayout face = ButtonLayout::compute(b, measure);
    ChoiceLayout out;
    out.textFlags = face.textFlags;
    out.textRect = face.textRect;
    out.imageRect = face.imageRect;
    out.autosize = face.autosize;
    return out;
}

}  // namespace

ChoiceLayout ChoiceLayout::compute(const Input& in, const ButtonLayout::Measure& measure) {
    if (in.graphical) return graphical(in, measure);
    ChoiceLayout out;
    const int m = in.border + 2;
    const int cs = std::max(0, in.checkSize);
    const int imageWidth = in.imageShown ? roundEven(in.aspect * in.imageHeight) : 0;
    // The glyph, the image beside it and a gap come before the caption.
    const int g = in.imageShown ? roundEven(in.aspect * in.imageHeight + cs + kGap) : cs + kGap;
    const bool right = in.alignment == 1;
    out.textFlags = (right ? DT_RIGHT : DT_LEFT) | TextFlagsFromWrap(in.wordWrap, in.rightToLeft);

    int width = in.width;
    int height = in.height;
    if (in.autosize) {
        const int room = m + g + kGap + kGap + m;  // everything beside the caption
        if (in.wordWrap) {
            const SIZE text = measure(DT_WORDBREAK, std::max(0, width - room));
            height =
                std::max<int>({static_cast<int>(text.cy), cs, imageWidth ? in.imageHeight : 0}) +
                2 * m;
        } else {
            const SIZE text = measure(DT_SINGLELINE, std::max(0, width - room));
            width = room + static_cast<int>(text.cx);
            height =
                std::max<int>({static_cast<int>(text.cy), cs, imageWidth ? in.imageHeight : 0}) +
                2 * m;
        }
        out.autosize = SIZE{width, height};
    }

    const int glyphY = (height - cs) / 2;
    const int glyphX = right ? width - (m + cs) : m;
    out.glyphRect = RECT{glyphX, glyphY, glyphX + cs, glyphY + cs};
    if (in.imageShown) {
        const int x = right ? glyphX - kGap - imageWidth : glyphX + cs + kGap;
        const int y = (height - in.imageHeight) / 2;
        out.imageRect = RECT{x, y, x + imageWidth, y + in.imageHeight};
    }
    out.textRect = right ? RECT{m, m, width - g - m - kGap, height - m}
                         : RECT{m + g + kGap, m, width - m - kGap, height - m};
    if (in.wordWrap) {
        ButtonLayout::centreWrappedBlock(out.textRect, out.textFlags, measure);
    }
    return out;
}

}  // namespace orvane
