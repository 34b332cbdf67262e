// What the menu files share: menu look-up, item search, the popup menu class and the menu
// bar's place in the non-client area.
#pragma once

#include "platform/user/MenuObject.h"
#include "platform/user/WindowObject.h"

namespace orvane::platform::menus {

// The menu a handle names: null and ERROR_INVALID_MENU_HANDLE when it is not a live menu.
MenuObject* menu(HMENU h);
MenuObject* menuQuiet(HMENU h);
MenuObject* menuQuiet(std::uint32_t h);

// An item by position or by command. By command, submenus are searched too (depth first, as
// Windows does), so `owner` may change to the submenu that holds the item. -1 when not found.
int findItem(MenuObject*& owner, UINT item, bool byPosition);

// Marks the menu's layout stale and repaints where it is shown (popup window, menu bar).
void menuChanged(MenuObject& m);

// The popup menu window class "#32768", registered on first use.
void ensurePopupClass();

// The menu bar of a top-level window: its height for a window of the given width (0 without a
// bar), and where its items lie in window coordinates once laid out at `barRect`.
int barHeight(WindowObject& w, int windowWidth);
void layoutBar(WindowObject& w, const RECT& barRect);
// Draws the bar in the window DC's coordinates.
void paintBar(WindowObject& w, HDC hdc, const RECT& barRect);
// The bar item under a screen point, or -1.
int barItemAt(WindowObject& w, POINT screen);
// Where the menu bar lies in window coordinates (empty without one).
RECT barRect(WindowObject& w);
// Forgets the window's menu bar, destroying the menu as Windows does with the window.
void windowDestroyed(WindowObject& w);

// Default processing that opens menus: WM_SYSCOMMAND with SC_KEYMENU (`key` 0: the bar's first
// item; ' ': the window menu; a letter: the bar item with that mnemonic) and SC_MOUSEMENU.
void keyMenu(HWND hwnd, char16_t key);
void mouseMenu(HWND hwnd, POINT screen);

// Shows the window menu of a captioned window below its caption (Alt+Space).
void windowMenu(HWND hwnd);
// Destroys the window menu GetSystemMenu made for the window.
void destroyWindowMenu(WindowObject& w);

// Whether a menu session is running.
bool sessionActive();

}  // namespace orvane::platform::menus
