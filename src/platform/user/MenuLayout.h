// The geometry of menus: item sizes and places in a popup menu (in columns) and in a menu bar
// (in rows), shared by painting, hit-testing and positioning.
#pragma once

#include "platform/user/MenuObject.h"

namespace orvane::platform {

class MenuLayout {
public:
    // Lengths at one DPI.
    struct Metrics {
        int dpi = 96;
        int border = 3;       // popup frame and padding, each side
        int itemHeight = 22;  // a text item's smallest height
        int separatorHeight = 9;
        int gutter = 28;      // the column of check marks and item pictures
        int textGap = 8;      // between the gutter and the text
        int accelGap = 24;    // between the text and an accelerator's text
        int arrowWidth = 22;  // the column of submenu arrows
        int checkSize = 15;
        int barPadding = 7;  // left and right of a bar item's text
        int barRowHeight = 20;
    };
    static Metrics metrics(int dpi);

    // The menu font at a DPI (the caller deletes it); bold for default items.
    static HFONT createFont(int dpi, bool bold = false);

    // Lays out a popup menu: every item's rectangle in the popup's client coordinates and the
    // popup's client size. Owner-drawn items are measured by `owner` (WM_MEASUREITEM), which
    // may change or destroy the menu: false when the menu went away.
    static bool layoutPopup(HMENU menu, HWND owner, int dpi);
    // Lays out a menu bar `width` pixels wide, wrapping items onto more rows as needed; item
    // rectangles are relative to the bar's top-left. Returns the bar's height (0 when gone).
    static int layoutBar(HMENU menu, HWND owner, int width, int dpi);

    // The item at a point in the coordinates of the layout, or -1.
    static int itemAt(const MenuObject& m, POINT p);
    // The text of an item before and after its tab (the accelerator's text).
    static std::u16string label(const MenuItem& item);
    static std::u16string accelerator(const MenuItem& item);
};

}  // namespace orvane::platform
