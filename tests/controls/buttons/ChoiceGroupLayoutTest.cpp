// Choice-group geometry without a window: columns of RowsPerColumn rows, the parts of an item,
// right-to-left mirroring, autosize, and rows per column of zero or less.
#include "controls/buttons/ChoiceGroupLayout.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::platform;

namespace {

ChoiceGroupLayout::Input input(int count, int rows, int captionWidth = 40) {
    ChoiceGroupLayout::Input in;
    in.width = 400;
    in.height = 200;
    in.border = 1;
    in.glyph = 16;
    in.image = 16;
    in.showImage = false;
    in.rowsPerColumn = rows;
    in.textHeight = 15;
    in.captionWidths.assign(count, captionWidth);
    return in;
}

struct Place {
    int column, row;
};

// Where each item lands, as column and row of the grid the layout says it uses.
std::vector<Place> places(const ChoiceGroupLayout& l, int margin) {
    std::vector<Place> out;
    for (const auto& item : l.items)
        out.push_back(
            {(item.rect.left - margin) / l.columnWidth, (item.rect.top - margin) / l.rowHeight});
    return out;
}

TEST(ChoiceGroupLayoutTest, ItemsFillColumnsOfRowsPerColumnRows) {
    const int margin = 1 + 2;  // border and 2
    // Three captions in columns of two: two in the first column, the third in the second.
    auto l = ChoiceGroupLayout::compute(input(3, 2));
    ASSERT_EQ(l.items.size(), 3u);
    auto p = places(l, margin);
    EXPECT_EQ(p[0].column, 0);
    EXPECT_EQ(p[0].row, 0);
    EXPECT_EQ(p[1].column, 0);
    EXPECT_EQ(p[1].row, 1);
    EXPECT_EQ(p[2].column, 1);
    EXPECT_EQ(p[2].row, 0);
    // Around the column size: one short, exactly full, one over.
    for (int count : {2, 3, 4}) {
        l = ChoiceGroupLayout::compute(input(count, 3));
        p = places(l, margin);
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(p[i].column, i / 3) << count << " items, item " << i;
            EXPECT_EQ(p[i].row, i % 3) << count << " items, item " << i;
        }
    }
    // Rows are the glyph and 6 pixels; columns the widest caption, the glyph and 6.
    l = ChoiceGroupLayout::compute(input(4, 3, 50));
    EXPECT_EQ(l.rowHeight, 16 + 6);
    EXPECT_EQ(l.columnWidth, 50 + 16 + 6);
    EXPECT_EQ(l.items[0].rect.left, margin);
    EXPECT_EQ(l.items[0].rect.top, margin);
    EXPECT_EQ(l.items[3].rect.left, margin + 72);
    // The widest caption sets every column.
    auto in = input(3, 2, 30);
    in.captionWidths[1] = 90;
    EXPECT_EQ(ChoiceGroupLayout::compute(in).columnWidth, 90 + 16 + 6);
}

TEST(ChoiceGroupLayoutTest, RowsPerColumnOfZeroOrLessIsOneRow) {
    for (int rows : {0, -1, -1000}) {
        const auto l = ChoiceGroupLayout::compute(input(3, rows));
        EXPECT_EQ(l.rows, 1) << rows;
        ASSERT_EQ(l.items.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(l.items[i].rect.top, 3) << rows;
            EXPECT_EQ(l.items[i].rect.left, 3 + i * l.columnWidth) << rows;
        }
    }
}

TEST(ChoiceGroupLayoutTest, AnItemIsGlyphImageAndCaptionInARow) {
    auto in = input(1, 10, 40);
    in.showImage = true;
    in.image = 20;
    const auto l = ChoiceGroupLayout::compute(in);
    const auto& item = l.items[0];
    // With an image the column is the caption, the glyph, the image and 10.
    EXPECT_EQ(l.columnWidth, 40 + 16 + 20 + 10);
    EXPECT_EQ(l.rowHeight, 16 + 6);  // the image and 2 fit in the glyph's row
    EXPECT_EQ(item.glyph.left, item.rect.left);
    EXPECT_EQ(item.glyph.right - item.glyph.left, 16);
    EXPECT_EQ(item.glyph.top - item.rect.top, (l.rowHeight - 16) / 2);
    EXPECT_EQ(item.image.left, item.glyph.right + 2);
    EXPECT_EQ(item.image.right - item.image.left, 20);
    EXPECT_EQ(item.text.left, item.image.right + 4);
    EXPECT_EQ(item.text.right - item.text.left, 40);  // exactly the widest caption
    EXPECT_EQ(item.text.top, item.rect.top);
    EXPECT_EQ(item.text.bottom, item.rect.bottom);

    // A taller caption line than the glyph makes the rows taller.
    in.textHeight = 30;
    EXPECT_EQ(ChoiceGroupLayout::compute(in).rowHeight, 34);

    // A button face has no glyph: image and caption are inset 4 from its edges, the caption
    // centred in the glyph's room as well.
    in = input(1, 10, 40);
    in.hasGlyph = false;
    const auto face = ChoiceGroupLayout::compute(in).items[0];
    EXPECT_EQ(face.glyph.right - face.glyph.left, 0);
    EXPECT_EQ(face.text.left, face.rect.left + 4);
    EXPECT_EQ(face.text.right, face.rect.right - 4);
}

TEST(ChoiceGroupLayoutTest, RightToLeftStartsAtTheRightAndMirrorsEachItem) {
    auto in = input(3, 2);
    in.rightToLeft = true;
    const auto l = ChoiceGroupLayout::compute(in);
    const int c = l.columnWidth;
    // Left = width − (margin + c × column) − c.
    EXPECT_EQ(l.items[0].rect.left, 400 - 3 - c);
    EXPECT_EQ(l.items[1].rect.left, 400 - 3 - c);
    EXPECT_EQ(l.items[2].rect.left, 400 - (3 + c) - c);
    for (const auto& item : l.items) {
        EXPECT_EQ(item.glyph.right, item.rect.right);
        EXPECT_LT(item.text.right, item.glyph.left);
        EXPECT_GE(item.text.left, item.rect.left);
    }
    // Alignment right mirrors the items but keeps the columns from the left.
    in.rightToLeft = false;
    in.glyphRight = true;
    const auto right = ChoiceGroupLayout::compute(in);
    EXPECT_EQ(right.items[0].rect.left, 3);
    EXPECT_EQ(right.items[0].glyph.right, right.items[0].rect.right);
}

TEST(ChoiceGroupLayoutTest, AutosizeTakesRowsPerColumnRowsAndEveryColumn) {
    auto in = input(5, 2);
    in.autosize = true;
    auto l = ChoiceGroupLayout::compute(in);
    ASSERT_TRUE(l.autosize);
    // Height: margin, 6 and RowsPerColumn rows; width: each column, 6 and the margin.
    EXPECT_EQ(l.autosize->cy, 3 + 6 + 22 * 2);
    EXPECT_EQ(l.autosize->cx, l.columnWidth * 3 + 6 + 3);
    // Right to left lays out in the width autosize gives.
    in.rightToLeft = true;
    l = ChoiceGroupLayout::compute(in);
    EXPECT_EQ(l.items[4].rect.left, 6);  // the last column, at the left
    // No items: one empty column.
    in = input(0, 4);
    in.autosize = true;
    l = ChoiceGroupLayout::compute(in);
    EXPECT_TRUE(l.items.empty());
    EXPECT_EQ(l.autosize->cx, 16 + 6 + 6 + 3);
    // A huge RowsPerColumn stays a size a window can have.
    in = input(2, 0x7FFFFFFF);
    in.autosize = true;
    l = ChoiceGroupLayout::compute(in);
    EXPECT_EQ(l.autosize->cy, 32767);
    EXPECT_EQ(l.items[1].rect.top, l.items[0].rect.bottom);
}

TEST(ChoiceGroupLayoutTest, HitTestingFindsTheItemUnderThePointOrNone) {
    const auto l = ChoiceGroupLayout::compute(input(3, 2));
    for (int i = 0; i < 3; ++i) {
        const RECT& r = l.items[i].rect;
        EXPECT_EQ(l.itemAt(r.left, r.top), i);
        EXPECT_EQ(l.itemAt(r.right - 1, r.bottom - 1), i);
    }
    EXPECT_EQ(l.itemAt(1, 1), -1);  // the margin
    const RECT& last = l.items[2].rect;
    EXPECT_EQ(l.itemAt(last.left + 2, last.bottom + 2), -1);  // below a short column
    EXPECT_EQ(l.itemAt(399, 5), -1);                          // right of every column
}

}  // namespace
