// Menu bars: SetMenu puts a bar in the non-client area and the client area shrinks by its
// rows (wrapping when narrow); Alt, F10 and Alt+letter open it from the keyboard and a click
// from the mouse, with the owner's message sequence; the bar goes with its window.
#include "platform/user/MenuFixture.h"

namespace orvane::test {
namespace {

class MenuBarTest : public MenuFixture {
protected:
    // File (New, Open) and Edit (Copy, Paste).
    void SetUp() override {
        MenuFixture::SetUp();
        file = CreatePopupMenu();
        AppendMenuW(file, MF_STRING, 100, u"&New");
        AppendMenuW(file, MF_STRING, 101, u"&Open");
        edit = CreatePopupMenu();
        AppendMenuW(edit, MF_STRING, 200, u"&Copy");
        AppendMenuW(edit, MF_STRING, 201, u"&Paste");
        bar = CreateMenu();
        AppendMenuW(bar, MF_POPUP, static_cast<UINT_PTR>(file.value), u"&File");
        AppendMenuW(bar, MF_POPUP, static_cast<UINT_PTR>(edit.value), u"&Edit");
        owner = createOwner();
    }
    void TearDown() override {
        if (IsWindow(owner)) DestroyWindow(owner);
        if (IsMenu(bar)) DestroyMenu(bar);
        MenuFixture::TearDown();
    }
    void attach() {
        ASSERT_TRUE(SetMenu(owner, bar));
        platform->PumpMessages();
        log().clear();
    }
    int clientHeight() const {
        RECT rc;
        GetClientRect(owner, &rc);
        return rc.bottom;
    }
    POINT barItemCentre(int item) const {
        RECT rc{};
        EXPECT_TRUE(GetMenuItemRect(owner, bar, static_cast<UINT>(item), &rc));
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }

    HMENU bar, file, edit;
    HWND owner;
};

WPARAM sel(UINT idOrIndex, UINT flags) {
    return MAKEWPARAM(static_cast<int>(idOrIndex), static_cast<int>(flags));
}

}  // namespace

TEST_F(MenuBarTest, SetMenuTakesOneRowFromTheClientArea) {
    const int before = clientHeight();
    attach();
    EXPECT_EQ(GetMenu(owner), bar);
    EXPECT_EQ(clientHeight(), before - GetSystemMetrics(SM_CYMENU));
    // The bar lies between the caption and the client area.
    MENUBARINFO info;
    ASSERT_TRUE(GetMenuBarInfo(owner, OBJID_MENU, 0, &info));
    POINT clientTop{0, 0};
    ClientToScreen(owner, &clientTop);
    EXPECT_EQ(info.rcBar.bottom, clientTop.y);
    EXPECT_EQ(info.rcBar.bottom - info.rcBar.top, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(info.hMenu, bar);
    EXPECT_FALSE(info.fBarFocused);
    // A click in the bar is HTMENU.
    const POINT p = barItemCentre(0);
    EXPECT_EQ(SendMessageW(owner, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTMENU);
    // Taking the bar away gives the row back; the menu stays the caller's.
    ASSERT_TRUE(SetMenu(owner, HMENU()));
    EXPECT_EQ(clientHeight(), before);
    EXPECT_TRUE(IsMenu(bar));
}

TEST_F(MenuBarTest, ANarrowBarWrapsOntoMoreRows) {
    for (const char16_t* name : {u"&View", u"&Insert", u"F&ormat", u"&Tools", u"&Window"})
        AppendMenuW(bar, MF_STRING, 900, name);
    attach();
    const int row = GetSystemMetrics(SM_CYMENU);
    RECT wide;
    GetWindowRect(owner, &wide);
    const int oneRow = clientHeight();
    SetWindowPos(owner, HWND(), 0, 0, 150, wide.bottom - wide.top, SWP_NOMOVE | SWP_NOZORDER);
    MENUBARINFO info;
    ASSERT_TRUE(GetMenuBarInfo(owner, OBJID_MENU, 0, &info));
    const int rows = (info.rcBar.bottom - info.rcBar.top) / row;
    EXPECT_GE(rows, 3);
    EXPECT_EQ((info.rcBar.bottom - info.rcBar.top) % row, 0);
    EXPECT_EQ(clientHeight(), oneRow - (rows - 1) * row);
    // The last item starts a lower row, at the left edge of the bar.
    MENUBARINFO last;
    ASSERT_TRUE(GetMenuBarInfo(owner, OBJID_MENU, GetMenuItemCount(bar), &last));
    EXPECT_GT(last.rcBar.top, info.rcBar.top);
    EXPECT_LE(last.rcBar.right, info.rcBar.right);
}

TEST_F(MenuBarTest, RightJustifiedItemsGoToTheEndOfTheRow) {
    MENUITEMINFOW mii;
    mii.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID;
    mii.fType = MFT_RIGHTJUSTIFY;
    mii.wID = 999;
    mii.dwTypeData = const_cast<LPWSTR>(u"&Help");
    InsertMenuItemW(bar, 2, TRUE, &mii);
    attach();
    MENUBARINFO whole, help;
    ASSERT_TRUE(GetMenuBarInfo(owner, OBJID_MENU, 0, &whole));
    ASSERT_TRUE(GetMenuBarInfo(owner, OBJID_MENU, 3, &help));
    EXPECT_EQ(help.rcBar.right, whole.rcBar.right);
}

TEST_F(MenuBarTest, ChildWindowsHaveNoMenuBar) {
    HWND child = CreateWindowExW(0, u"MenuOwner", u"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, owner,
                                 HMENU(7u), HINSTANCE(), nullptr);
    SetLastError(0);
    EXPECT_FALSE(SetMenu(child, bar));
    EXPECT_EQ(GetLastError(), 1436u);  // ERROR_CHILD_WINDOW_MENU
    EXPECT_FALSE(SetMenu(owner, HMENU(0x12345u)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
    DestroyWindow(child);
}

TEST_F(MenuBarTest, TheBarIsDestroyedWithItsWindow) {
    attach();
    DestroyWindow(owner);
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(file));
}

TEST_F(MenuBarTest, KeyboardSessionFromAltAcrossTheBar) {
    attach();
    play("Down Right Down Return");
    platform->KeyPress(VK_MENU);
    const std::vector<std::string> expected = {
        line(WM_SYSCOMMAND, SC_KEYMENU, 0),
        line(WM_ENTERMENULOOP, FALSE, 0),
        line(WM_INITMENU, bar, 0),
        line(WM_MENUSELECT, sel(0, MF_HILITE | MF_POPUP), bar),
        line(WM_INITMENUPOPUP, file, 0),
        line(WM_MENUSELECT, sel(100, MF_HILITE), file),
        line(WM_UNINITMENUPOPUP, file, 0),
        line(WM_MENUSELECT, sel(1, MF_HILITE | MF_POPUP), bar),
        line(WM_INITMENUPOPUP, edit, MAKELPARAM(1, 0)),
        line(WM_MENUSELECT, sel(200, MF_HILITE), edit),
        line(WM_MENUSELECT, sel(201, MF_HILITE), edit),
        line(WM_UNINITMENUPOPUP, edit, 0),
        line(WM_MENUSELECT, sel(0, 0xFFFF), 0),
        line(WM_EXITMENULOOP, FALSE, 0),
        line(WM_COMMAND, 201, 0),
    };
    EXPECT_EQ(menuMessages(owner), expected);
}

TEST_F(MenuBarTest, F10SelectsTheBarAndEscapeLeavesIt) {
    attach();
    MENUBARINFO during;
    bool got = false;
    script().push_back([&] {
        got = GetMenuBarInfo(owner, OBJID_MENU, 1, &during);
        queueKey(VK_ESCAPE);
    });
    platform->KeyPress(VK_F10);
    ASSERT_TRUE(got);
    EXPECT_TRUE(during.fBarFocused);
    EXPECT_TRUE(during.fFocused);  // the first item is selected
    EXPECT_EQ(log().count(owner, WM_EXITMENULOOP), 1);
    EXPECT_EQ(log().count(owner, WM_INITMENUPOPUP), 0);
    EXPECT_EQ(log().count(owner, WM_COMMAND), 0);
    // Another key between Alt's press and release cancels the menu.
    log().clear();
    platform->KeyDown(VK_MENU);
    platform->KeyDown(VK_SHIFT);
    platform->KeyUp(VK_SHIFT);
    platform->KeyUp(VK_MENU);
    EXPECT_EQ(log().count(owner, WM_ENTERMENULOOP), 0);
}

TEST_F(MenuBarTest, AltAndALetterOpensThatItem) {
    attach();
    HMENU opened;
    int selected = -2;
    answer() = [&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_INITMENUPOPUP) opened = HMENU(static_cast<std::uint32_t>(wParam));
        return std::nullopt;
    };
    script().push_back([&] {
        MENUBARINFO info;
        GetMenuBarInfo(owner, OBJID_MENU, 2, &info);
        selected = info.fFocused ? 1 : 0;
        queueChar(u'p');  // Paste, by its mnemonic
    });
    platform->KeyDown(VK_MENU);
    platform->KeyPress('E');
    platform->KeyUp(VK_MENU);
    EXPECT_EQ(opened, edit);
    EXPECT_EQ(selected, 1);
    const auto messages = menuMessages(owner);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front(), line(WM_SYSCOMMAND, SC_KEYMENU, u'e'));
    EXPECT_EQ(messages.back(), line(WM_COMMAND, 201, 0));
}

TEST_F(MenuBarTest, MouseSessionAlongTheBar) {
    attach();
    const POINT fileItem = barItemCentre(0), editItem = barItemCentre(1);
    script().push_back([&] {
        queueButton(MOUSEEVENTF_LEFTUP);  // released on the bar: the popup stays
        queueMove(editItem);              // along the bar: Edit's popup replaces File's
    });
    script().push_back([&] { queueClick(itemCentre(edit, 0)); });
    platform->MouseMove(fileItem.x, fileItem.y);
    log().clear();
    platform->MouseDown();
    platform->PumpMessages();
    const std::vector<std::string> expected = {
        line(WM_SYSCOMMAND, SC_MOUSEMENU + HTMENU, MAKELPARAM(fileItem.x, fileItem.y)),
        line(WM_ENTERMENULOOP, FALSE, 0),
        line(WM_INITMENU, bar, 0),
        line(WM_MENUSELECT, sel(0, MF_HILITE | MF_POPUP | MF_MOUSESELECT), bar),
        line(WM_INITMENUPOPUP, file, 0),
        line(WM_UNINITMENUPOPUP, file, 0),
        line(WM_MENUSELECT, sel(1, MF_HILITE | MF_POPUP | MF_MOUSESELECT), bar),
        line(WM_INITMENUPOPUP, edit, MAKELPARAM(1, 0)),
        line(WM_MENUSELECT, sel(200, MF_HILITE | MF_MOUSESELECT), edit),
        line(WM_UNINITMENUPOPUP, edit, 0),
        line(WM_MENUSELECT, sel(0, 0xFFFF), 0),
        line(WM_EXITMENULOOP, FALSE, 0),
        line(WM_COMMAND, 200, 0),
    };
    EXPECT_EQ(menuMessages(owner), expected);
}

TEST_F(MenuBarTest, ASecondClickOnTheOpenItemClosesTheMenu) {
    attach();
    const POINT fileItem = barItemCentre(0);
    script().push_back([&] {
        queueButton(MOUSEEVENTF_LEFTUP);
        queueButton(MOUSEEVENTF_LEFTDOWN);
        queueButton(MOUSEEVENTF_LEFTUP);
    });
    platform->MouseMove(fileItem.x, fileItem.y);
    platform->MouseDown();
    platform->PumpMessages();
    EXPECT_EQ(log().count(owner, WM_EXITMENULOOP), 1);
    EXPECT_EQ(log().count(owner, WM_COMMAND), 0);
    EXPECT_EQ(popupWindow(), HWND());
}

TEST_F(MenuBarTest, ABarItemWithoutAPopupIsChosenOnRelease) {
    AppendMenuW(bar, MF_STRING, 300, u"&Help");
    attach();
    const POINT help = barItemCentre(2);
    script().push_back([] { queueButton(MOUSEEVENTF_LEFTUP); });
    platform->MouseMove(help.x, help.y);
    platform->MouseDown();
    platform->PumpMessages();
    const auto messages = menuMessages(owner);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), line(WM_COMMAND, 300, 0));
    EXPECT_EQ(log().count(owner, WM_INITMENUPOPUP), 0);
}

TEST_F(MenuBarTest, BarDestroyedDuringItsSession) {
    attach();
    script().push_back([&] { DestroyMenu(bar); });
    platform->KeyPress(VK_MENU);
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_EQ(GetMenu(owner), HMENU());
    EXPECT_EQ(popupWindow(), HWND());
    EXPECT_EQ(log().count(owner, WM_EXITMENULOOP), 1);
}

// ---- The window menu ----

TEST_F(MenuBarTest, AltSpaceShowsTheWindowMenuWhoseCommandsAreSysCommands) {
    HMENU sys;
    int count = 0;
    UINT restore = 0, maximize = 0;
    RECT popup{};
    POINT clientTop{0, 0};
    script().push_back([&] {
        ClientToScreen(owner, &clientTop);
        sys = GetSystemMenu(owner, FALSE);
        count = GetMenuItemCount(sys);
        restore = GetMenuState(sys, SC_RESTORE, MF_BYCOMMAND);
        maximize = GetMenuState(sys, SC_MAXIMIZE, MF_BYCOMMAND);
        GetWindowRect(popupWindow(), &popup);
        queueChar(u'x');  // Ma&ximize
    });
    platform->KeyDown(VK_MENU);
    platform->KeyPress(VK_SPACE);
    platform->KeyUp(VK_MENU);
    platform->PumpMessages();
    EXPECT_EQ(count, 7);
    EXPECT_EQ(restore & MF_GRAYED, MF_GRAYED);  // a normal window has nothing to restore
    EXPECT_EQ(maximize & MF_GRAYED, 0u);
    EXPECT_EQ(popup.top, clientTop.y);  // just below the caption
    EXPECT_EQ(popup.left, clientTop.x);
    EXPECT_TRUE(IsZoomed(owner));
    const std::vector<std::string> messages = menuMessages(owner);
    const std::vector<std::string> start = {
        line(WM_SYSCOMMAND, SC_KEYMENU, u' '),
        line(WM_ENTERMENULOOP, FALSE, 0),
        line(WM_INITMENU, sys, 0),
        line(WM_INITMENUPOPUP, sys, MAKELPARAM(0, TRUE)),
        line(WM_MENUSELECT, sel(SC_MAXIMIZE, MF_HILITE | MF_SYSMENU), sys),
        line(WM_UNINITMENUPOPUP, sys, MAKELPARAM(0, MF_SYSMENU)),
        line(WM_MENUSELECT, sel(0, 0xFFFF), 0),
        line(WM_EXITMENULOOP, FALSE, 0),
    };
    ASSERT_GT(messages.size(), start.size());
    EXPECT_EQ(std::vector<std::string>(messages.begin(), messages.begin() + 8), start);
    EXPECT_EQ(messages[8].rfind(std::string(messageName(WM_SYSCOMMAND)) + " f030 ", 0), 0u)
        << messages[8];
    // Reverting drops the window's copy; the standard menu is made again when asked for.
    EXPECT_EQ(GetSystemMenu(owner, TRUE), HMENU());
    EXPECT_FALSE(IsMenu(sys));
}

TEST_F(MenuBarTest, WindowsWithoutACaptionHaveNoWindowMenu) {
    HWND plain = CreateWindowExW(0, u"MenuOwner", u"", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100,
                                 HWND(), HMENU(), HINSTANCE(), nullptr);
    platform->PumpMessages();
    log().clear();
    EXPECT_EQ(GetSystemMenu(plain, FALSE), HMENU());
    platform->KeyDown(VK_MENU);
    platform->KeyPress(VK_SPACE);
    platform->KeyUp(VK_MENU);
    EXPECT_EQ(log().count(plain, WM_ENTERMENULOOP), 0);
    DestroyWindow(plain);
    // A window's window menu goes with it.
    HMENU sys = GetSystemMenu(owner, FALSE);
    ASSERT_TRUE(IsMenu(sys));
    DestroyWindow(owner);
    EXPECT_FALSE(IsMenu(sys));
}

}  // namespace orvane::test
