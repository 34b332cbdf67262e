// The menu session: a modal loop, like Windows' menu loop, that shows a popup menu or a menu
// bar's popups and follows the mouse and keyboard until an item is chosen or the menu is
// dismissed, telling the owner on the way (WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP,
// WM_MENUSELECT, WM_ENTERIDLE, WM_MENUCHAR, WM_UNINITMENUPOPUP, WM_EXITMENULOOP, then
// WM_COMMAND, WM_SYSCOMMAND or WM_MENUCOMMAND).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/user/MenuObject.h"

namespace orvane::platform {

class MenuTracker {
public:
    // How the session starts.
    enum class Start { Popup, BarKeyboard, BarMouse };

    MenuTracker(HWND owner, HMENU menu, UINT flags, Start start, bool system);
    ~MenuTracker();
    MenuTracker(const MenuTracker&) = delete;
    MenuTracker& operator=(const MenuTracker&) = delete;

    // The session running now, or null.
    static MenuTracker* current();

    // Shows the popup menu at a point (Start::Popup), kept on the screen and out of `exclude`
    // (screen coordinates; TPM_VERTICAL moves it above or below, else beside).
    void showPopupAt(int x, int y, const RECT* exclude);
    // Selects a bar item (Start::Bar...), opening its popup when asked.
    void selectBarItem(int index, bool open, bool selectFirst);
    // Runs the loop until the session ends. Returns the chosen command (0 when none).
    UINT run();
    // Ends the session as dismissed.
    void cancel() { m_end = true; }

    HMENU topMenu() const { return HMENU(m_top); }
    HWND owner() const { return m_owner; }
    // The window showing `menu` in this session (a popup), or null.
    HWND windowOf(HMENU menu) const;
    // Whether the bar's selected item has its popup open.
    bool barOpen() const;
    int dpi() const { return m_dpi; }

private:
    // One open menu: level 0 is the popup, or the bar (no window) in a bar session.
    struct Level {
        std::uint32_t menu = 0;
        HWND window;
    };

    bool notify() const { return !(m_flags & TPM_NONOTIFY); }
    bool isBar() const { return m_start != Start::Popup; }
    MenuObject* levelMenu(std::size_t level) const;
    bool alive() const;

    // Opening and closing.
    bool openPopup(std::size_t parentLevel, int item, bool selectFirst);
    HWND createPopupWindow(HMENU menu, RECT rect);
    void closeFrom(std::size_t level);
    void closeAll();
    void place(RECT& rc, int x, int y, const RECT* exclude, bool vertical) const;

    // Selection.
    void select(std::size_t level, int item, bool mouse);
    void moveSelection(std::size_t level, int step);
    void redraw(std::size_t level);

    // Input.
    void onMouse(const MSG& msg);
    void onKey(const MSG& msg);
    void onChar(char16_t c);
    void onTimer();
    // Where a screen point is: the deepest level whose window (or the bar) holds it, and the
    // item under it; false when the point is outside every menu.
    bool hitTest(POINT screen, std::size_t& level, int& item) const;

    void execute(std::size_t level, int item);
    void finish();

    HWND m_owner;
    std::uint32_t m_top;
    UINT m_flags;
    Start m_start;
    bool m_system;
    int m_dpi;
    std::vector<Level> m_levels;
    bool m_end = false;
    bool m_chosen = false;
    UINT m_command = 0;
    std::uint32_t m_commandMenu = 0;
    int m_commandIndex = -1;
    // A submenu waiting for the show delay to open: its level and item.
    std::size_t m_pendingLevel = 0;
    int m_pendingItem = -1;
    HWND m_timerWindow;
    bool m_idleSent = false;
    MenuTracker* m_previous;
};

}  // namespace orvane::platform
