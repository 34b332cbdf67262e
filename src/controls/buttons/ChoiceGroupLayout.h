// Where the items of a choice group go: columns of RowsPerColumn rows, each item a glyph, an
// optional image and its caption, mirrored for right-to-left; and the size autosize gives the
// group. Pure geometry from the settings, the size and the measured captions, so it is tested
// without a window.
#pragma once

#include <optional>
#include <vector>

#include "platform/platform.h"

namespace orvane {

struct ChoiceGroupLayout {
    // What the layout depends on.
    struct Input {
        int width = 0;                   // client width, pixels
        int height = 0;                  // client height, pixels
        int border = 0;                  // effective border width
        bool hasGlyph = true;            // false: the item is a button face without a glyph
        int glyph = 16;                  // glyph side, pixels
        bool showImage = true;           // room for an item image beside the glyph
        int image = 16;                  // item image side, pixels
        int rowsPerColumn = 10;          // below 1 counts as 1
        bool rightToLeft = false;        // columns from the right, each item mirrored
        bool glyphRight = false;         // each item mirrored (Alignment right)
        bool autosize = false;           // Autosize
        std::vector<int> captionWidths;  // one per item
        int textHeight = 0;              // the height of a caption line
    };
    // Where one item's parts go.
    struct Item {
        platform::RECT rect{};   // the whole item: hit-testing, hover and selection
        platform::RECT glyph{};  // empty without a glyph
        platform::RECT image{};  // empty unless ShowImage
        platform::RECT text{};   // the caption
        int textWidth = 0;       // the caption's measured width
    };

    std::vector<Item> items;  // one per item, in display order
    int rows = 1;             // rows per column in effect
    int rowHeight = 0;        // pixels
    int columnWidth = 0;      // pixels
    int lineHeight = 0;       // of a caption line
    // The client size autosize asks for, when it does.
    std::optional<platform::SIZE> autosize;

    // The layout for `in`.
    static ChoiceGroupLayout compute(const Input& in);
    // The item whose rectangle holds the point, or -1.
    int itemAt(int x, int y) const;
};

}  // namespace orvane
