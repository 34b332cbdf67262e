#include "controls/buttons/ChoiceGroupLayout.h"

#include <algorithm>
#include <cstdint>

namespace orvane {

using namespace platform;

namespace {

constexpr int kMargin = 2;       // inside the border
constexpr int kRowRoom = 6;      // a row is the glyph and this much
constexpr int kTextRoom = 4;     // a row is at least a caption line and this much
constexpr int kGlyphGap = 4;     // between the glyph (or image) and the caption
constexpr int kImageGap = 2;     // between the glyph and the image
constexpr int kEndGap = 2;       // after the caption (without an image)
constexpr int kImageEndGap = 4;  // after the caption (with an image)
constexpr int kTrailing = 6;     // what autosize adds after the last row and column
constexpr int kFaceInset = 4;    // a button face's inset around image and caption
constexpr std::int64_t kMaxSize = 32767;

int clampSize(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, kMaxSize));
}

// The parts of one item laid out left to right from `rc`, then mirrored when asked.
ChoiceGroupLayout::Item parts(const ChoiceGroupLayout::Input& in, const RECT& rc, int rowHeight,
                              bool mirrored) {
    ChoiceGroupLayout::Item item;
    item.rect = rc;
    int x = rc.left;
    if (in.hasGlyph) {
        const int top = rc.top + (rowHeight - in.glyph) / 2;
        item.glyph = RECT{x, top, x + in.glyph, top + in.glyph};
        x += in.glyph;
        if (in.showImage) x += kImageGap;
    } else {
        x += kFaceInset;
    }
    if (in.showImage) {
        const int top = rc.top + (rowHeight - in.image) / 2;
        item.image = RECT{x, top, x + in.image, top + in.image};
        x += in.image;
    }
    x += in.hasGlyph || in.showImage ? kGlyphGap : 0;
    const int end = in.hasGlyph ? (in.showImage ? kImageEndGap : kEndGap) : kFaceInset;
    item.text = RECT{x, rc.top, std::max(x, static_cast<int>(rc.right) - end), rc.bottom};
    if (mirrored) {
        // Reflected inside the item: the glyph at the right edge, the caption left of it.
        const auto reflect = [&rc](RECT r) {
            if (r.left == r.right) return r;
            return RECT{rc.left + rc.right - r.right, r.top, rc.left + rc.right - r.left, r.bottom};
        };
        item.glyph = reflect(item.glyph);
        item.image = reflect(item.image);
        item.text = reflect(item.text);
    }
    return item;
}

}  // namespace

ChoiceGroupLayout ChoiceGroupLayout::compute(const Input& in) {
    ChoiceGroupLayout out;
    const int count = static_cast<int>(in.captionWidths.size());
    const int widest =
        count ? *std::max_element(in.captionWidths.begin(), in.captionWidths.end()) : 0;
    const int m = in.border + kMargin;
    // A button face without a glyph keeps the glyph's room: its caption is centred in it.
    const int glyph = in.glyph;
    out.rows = std::max(1, in.rowsPerColumn);
    out.lineHeight = in.textHeight;
    out.rowHeight = std::max(
        {in.glyph + kRowRoom, in.textHeight + kTextRoom, in.showImage ? in.image + kImageGap : 0});
    out.columnWidth = in.showImage ? widest + glyph + in.image + 10 : widest + glyph + 6;
    const int columns = count ? 1 + (count - 1) / out.rows : 1;  // no overflow near INT_MAX rows
    int width = in.width;
    if (in.autosize) {
        const std::int64_t height =
            m + kTrailing + static_cast<std::int64_t>(out.rowHeight) * out.rows;
        width = clampSize(static_cast<std::int64_t>(out.columnWidth) * columns + kTrailing + m);
        out.autosize = SIZE{width, clampSize(height)};
    }
    const bool mirrored = in.rightToLeft || in.glyphRight;
    out.items.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int row = i % out.rows;
        const int column = i / out.rows;
        const int top = m + out.rowHeight * row;
        const int offset = m + out.columnWidth * column;
        const int left = in.rightToLeft ? width - offset - out.columnWidth : offset;
        const RECT rc{left, top, left + out.columnWidth, top + out.rowHeight};
        out.items.push_back(parts(in, rc, out.rowHeight, mirrored));
        out.items.back().textWidth = in.captionWidths[i];
    }
    return out;
}

int ChoiceGroupLayout::itemAt(int x, int y) const {
    const POINT p{x, y};
    for (std::size_t i = 0; i < items.size(); ++i)
        if (PtInRect(&items[i].rect, p)) return static_cast<int>(i);
    return -1;
}

}  // namespace orvane
