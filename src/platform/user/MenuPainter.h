// Draws popup menus and menu bars from their laid-out items, through the visual style's "Menu"
// parts when styles are on, and in the classic look (system colours, frame-control marks) when
// they are off. Owner-drawn items and HBMMENU_CALLBACK pictures are drawn by the owner
// (WM_DRAWITEM).
#pragma once

#include "platform/user/MenuObject.h"

namespace orvane::platform {

class MenuPainter {
public:
    // Paints the popup menu `menu` into `hdc` (the popup window's client coordinates), sizing
    // the items as laid out. The owner draws owner-drawn items.
    static void paintPopup(HMENU menu, HWND owner, HDC hdc, int dpi);
    // Paints a menu bar laid out at `bar` (window DC coordinates); `active` is the window's
    // activation, `open` whether the selected item's popup is open.
    static void paintBar(HMENU menu, HWND owner, HDC hdc, const RECT& bar, int dpi, bool active,
                         bool open);
};

}  // namespace orvane::platform
