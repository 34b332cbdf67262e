#include "controls/buttons/FrameLayout.h"

#include <algorithm>
#include <cmath>

namespace orvane {

using namespace platform;

namespace {

constexpr int kInset = 8;  // caption line inset from the sides
constexpr int kGap = 2;    // between picture and caption, and around them in the border

}  // namespace

FrameLayout FrameLayout::compute(const Input& in) {
    FrameLayout out;
    const int w = in.width;
    const int pw = in.imageShown ? static_cast<int>(std::nearbyint(in.aspect * in.imageHeight)) : 0;
    const bool caption = in.border && in.hasCaption;
    out.captionHeight =
        caption ? std::max<int>(in.text.cy, in.imageShown ? in.imageHeight : 0) : in.imageHeight;
    // The caption as drawn: its measure, cut to the room the line leaves it.
    const int room = std::max(0, w - 2 * kInset - (in.imageShown ? pw + kGap : 0));
    const int textWidth = caption ? std::min<int>(in.text.cx, room) : 0;

    int imageX = kInset;
    if (in.alignment == 1) imageX = w - kInset - pw;
    if (in.alignment == 2) imageX = (w - textWidth - pw) / 2 - 1;
    if (in.imageShown) out.imageRect = RECT{imageX, 0, imageX + pw, in.imageHeight};

    out.textFlags = DT_SINGLELINE | DT_WORD_ELLIPSIS;
    if (in.rightToLeft) out.textFlags |= DT_RTLREADING;
    if (in.alignment == 1) out.textFlags |= DT_RIGHT;
    if (in.alignment == 2) out.textFlags |= DT_CENTER;
    if (caption) {
        out.textRect = RECT{kInset, 0, w - kInset, out.captionHeight};
        if (in.imageShown) {
            if (in.alignment == 1) {
                out.textRect.right -= pw + kGap;
            } else {
                out.textRect.left += pw + kGap;
            }
        }
    }

    // The border leaves a gap where the caption and picture are.
    if (in.border) {
        out.borderRect = RECT{0, out.captionHeight / 2, w, in.height};
        int left = w, right = 0;
        if (caption) {
            const RECT& t = out.textRect;
            const int textLeft = in.alignment == 1   ? t.right - textWidth
                                 : in.alignment == 2 ? t.left + (t.right - t.left - textWidth) / 2
                                                     : t.left;
            left = textLeft;
            right = textLeft + textWidth;
        }
        if (in.imageShown) {
            left = std::min<int>(left, out.imageRect.left);
            right = std::max<int>(right, out.imageRect.right);
        }
        if (right > left) out.gapRect = RECT{left - kGap, 0, right + kGap, out.captionHeight};
    }
    return out;
}

}  // namespace orvane
