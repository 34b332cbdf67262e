// Menus as data: items appended, inserted, changed, queried, checked, enabled and removed,
// searched by command through submenus; the menu's settings; bad handles, bad positions and
// cycles refused with Windows' error codes; no objects left behind.
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

class MenuTest : public PlatformTest {};

MENUITEMINFOW infoOf(UINT mask) {
    MENUITEMINFOW mii;
    mii.fMask = mask;
    return mii;
}

std::u16string textOf(HMENU m, UINT item, BOOL byPosition) {
    char16_t buffer[64] = {};
    MENUITEMINFOW mii = infoOf(MIIM_STRING);
    mii.dwTypeData = buffer;
    mii.cch = 64;
    if (!GetMenuItemInfoW(m, item, byPosition, &mii)) return u"<none>";
    return buffer;
}

}  // namespace

TEST_F(MenuTest, AppendedItemsKeepTheirOrderIdsAndText) {
    HMENU m = CreatePopupMenu();
    ASSERT_TRUE(m);
    EXPECT_TRUE(AppendMenuW(m, MF_STRING, 10, u"&Open"));
    EXPECT_TRUE(AppendMenuW(m, MF_SEPARATOR, 0, nullptr));
    EXPECT_TRUE(AppendMenuW(m, MF_STRING | MF_GRAYED, 11, u"Save\tCtrl+S"));
    EXPECT_EQ(GetMenuItemCount(m), 3);
    EXPECT_EQ(GetMenuItemID(m, 0), 10u);
    EXPECT_EQ(GetMenuItemID(m, 2), 11u);
    EXPECT_EQ(textOf(m, 0, TRUE), u"&Open");
    EXPECT_EQ(textOf(m, 11, FALSE), u"Save\tCtrl+S");
    EXPECT_EQ(GetMenuState(m, 1, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(GetMenuState(m, 11, MF_BYCOMMAND), MF_GRAYED);

    // Without a buffer, cch receives the length; a short buffer gets what fits.
    MENUITEMINFOW mii = infoOf(MIIM_STRING);
    ASSERT_TRUE(GetMenuItemInfoW(m, 2, TRUE, &mii));
    EXPECT_EQ(mii.cch, 11u);
    char16_t small[5] = {};
    mii.dwTypeData = small;
    mii.cch = 5;
    ASSERT_TRUE(GetMenuItemInfoW(m, 2, TRUE, &mii));
    EXPECT_EQ(std::u16string(small), u"Save");
    EXPECT_EQ(mii.cch, 4u);
    DestroyMenu(m);
}

TEST_F(MenuTest, InsertMenuItemPlacesItemsByPositionAndByCommand) {
    HMENU m = CreatePopupMenu();
    AppendMenuW(m, MF_STRING, 1, u"One");
    AppendMenuW(m, MF_STRING, 3, u"Three");
    MENUITEMINFOW mii = infoOf(MIIM_ID | MIIM_STRING | MIIM_DATA | MIIM_FTYPE | MIIM_STATE);
    mii.wID = 2;
    mii.dwTypeData = const_cast<LPWSTR>(u"Two");
    mii.dwItemData = 0xABCD;
    mii.fType = MFT_RADIOCHECK;
    mii.fState = MFS_CHECKED | MFS_DEFAULT;
    // Before the item with command 3.
    ASSERT_TRUE(InsertMenuItemW(m, 3, FALSE, &mii));
    EXPECT_EQ(GetMenuItemID(m, 1), 2u);
    // Past the end appends, as on Windows.
    mii.wID = 4;
    mii.dwTypeData = const_cast<LPWSTR>(u"Four");
    ASSERT_TRUE(InsertMenuItemW(m, 99, TRUE, &mii));
    EXPECT_EQ(GetMenuItemID(m, 3), 4u);
    // At the front.
    mii.wID = 0;
    mii.dwTypeData = const_cast<LPWSTR>(u"Zero");
    ASSERT_TRUE(InsertMenuItemW(m, 0, TRUE, &mii));
    EXPECT_EQ(GetMenuItemID(m, 0), 0u);
    EXPECT_EQ(GetMenuItemCount(m), 5);

    MENUITEMINFOW got = infoOf(MIIM_ID | MIIM_DATA | MIIM_FTYPE | MIIM_STATE);
    ASSERT_TRUE(GetMenuItemInfoW(m, 2, FALSE, &got));
    EXPECT_EQ(got.wID, 2u);
    EXPECT_EQ(got.dwItemData, 0xABCDu);
    EXPECT_EQ(got.fType, MFT_RADIOCHECK);
    EXPECT_EQ(got.fState, MFS_CHECKED | MFS_DEFAULT);
    EXPECT_EQ(GetMenuDefaultItem(m, FALSE, 0), 0u);  // the first default item: "Zero"
    DestroyMenu(m);
}

TEST_F(MenuTest, SetMenuItemInfoChangesOnlyWhatTheMaskNames) {
    HMENU m = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, 50, u"Inner");
    AppendMenuW(m, MF_STRING, 7, u"Plain");
    HBITMAP bmp = CreateBitmap(16, 16, 1, 32, nullptr);
    MENUITEMINFOW mii = infoOf(MIIM_SUBMENU | MIIM_BITMAP | MIIM_CHECKMARKS);
    mii.hSubMenu = sub;
    mii.hbmpItem = bmp;
    mii.hbmpChecked = bmp;
    ASSERT_TRUE(SetMenuItemInfoW(m, 7, FALSE, &mii));
    EXPECT_EQ(GetSubMenu(m, 0), sub);
    EXPECT_EQ(GetMenuItemID(m, 0), static_cast<UINT>(-1));  // a submenu item has no command
    EXPECT_EQ(textOf(m, 0, TRUE), u"Plain");
    // GetMenuState of a submenu item: its submenu's item count in the high byte.
    EXPECT_EQ(GetMenuState(m, 0, MF_BYPOSITION), (1u << 8) | MF_POPUP);
    MENUITEMINFOW got = infoOf(MIIM_BITMAP | MIIM_CHECKMARKS | MIIM_SUBMENU);
    ASSERT_TRUE(GetMenuItemInfoW(m, 0, TRUE, &got));
    EXPECT_EQ(got.hbmpItem, bmp);
    EXPECT_EQ(got.hbmpChecked, bmp);
    EXPECT_EQ(got.hbmpUnchecked, HBITMAP());
    EXPECT_EQ(got.hSubMenu, sub);
    // The callback picture is accepted; the system pictures are refused loudly.
    mii = infoOf(MIIM_BITMAP);
    mii.hbmpItem = HBMMENU_CALLBACK;
    EXPECT_TRUE(SetMenuItemInfoW(m, 0, TRUE, &mii));
    mii.hbmpItem = HBITMAP(2u);
    EXPECT_FALSE(SetMenuItemInfoW(m, 0, TRUE, &mii));
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    DestroyMenu(m);  // destroys the submenu too
    EXPECT_FALSE(IsMenu(sub));
    DeleteObject(bmp);
}

TEST_F(MenuTest, ByCommandSearchesSubmenusDepthFirst) {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU recent = CreatePopupMenu();
    AppendMenuW(recent, MF_STRING, 300, u"a.txt");
    AppendMenuW(file, MF_STRING, 100, u"New");
    AppendMenuW(file, MF_POPUP, static_cast<UINT_PTR>(recent.value), u"Recent");
    AppendMenuW(bar, MF_POPUP, static_cast<UINT_PTR>(file.value), u"File");
    EXPECT_EQ(CheckMenuItem(bar, 300, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(GetMenuState(recent, 0, MF_BYPOSITION), MF_CHECKED);
    EXPECT_EQ(CheckMenuItem(bar, 300, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(EnableMenuItem(bar, 100, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(GetMenuState(file, 0, MF_BYPOSITION), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(bar, 100, MF_BYCOMMAND | MF_ENABLED), static_cast<BOOL>(MF_GRAYED));
    // Missing commands: -1, as Windows answers.
    EXPECT_EQ(CheckMenuItem(bar, 999, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(-1));
    EXPECT_EQ(EnableMenuItem(bar, 999, MF_BYCOMMAND), -1);
    EXPECT_EQ(GetMenuState(bar, 999, MF_BYCOMMAND), static_cast<UINT>(-1));
    // RemoveMenu by command reaches into the submenu; the submenu itself stays.
    EXPECT_TRUE(RemoveMenu(bar, 300, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuItemCount(recent), 0);
    // DeleteMenu destroys the submenu of the item it deletes.
    EXPECT_TRUE(DeleteMenu(file, 1, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(recent));
    EXPECT_EQ(GetMenuItemCount(file), 1);
    DestroyMenu(bar);
    EXPECT_FALSE(IsMenu(file));
}

TEST_F(MenuTest, CheckMenuRadioItemChecksOneOfARangeWithARadioMark) {
    HMENU m = CreatePopupMenu();
    for (UINT id = 1; id <= 4; ++id)
        AppendMenuW(m, MF_STRING | (id == 1 ? MF_CHECKED : 0), id, u"Choice");
    ASSERT_TRUE(CheckMenuRadioItem(m, 1, 3, 2, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(m, 0, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_EQ(GetMenuState(m, 1, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED);
    MENUITEMINFOW got = infoOf(MIIM_FTYPE);
    GetMenuItemInfoW(m, 1, TRUE, &got);
    EXPECT_EQ(got.fType & MFT_RADIOCHECK, MFT_RADIOCHECK);
    // By position, and an item outside the menu is refused.
    ASSERT_TRUE(CheckMenuRadioItem(m, 0, 3, 3, MF_BYPOSITION));
    EXPECT_EQ(GetMenuState(m, 1, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_EQ(GetMenuState(m, 3, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED);
    EXPECT_FALSE(CheckMenuRadioItem(m, 0, 9, 9, MF_BYPOSITION));
    DestroyMenu(m);
}

TEST_F(MenuTest, MenuInfoKeepsDataBackgroundAndStyleAndAppliesToSubmenus) {
    HMENU m = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuW(m, MF_POPUP, static_cast<UINT_PTR>(sub.value), u"Sub");
    MENUINFO mi;
    mi.fMask = MIM_MENUDATA | MIM_BACKGROUND | MIM_STYLE | MIM_APPLYTOSUBMENUS;
    mi.dwMenuData = 77;
    mi.hbrBack = GetSysColorBrush(COLOR_INFOBK);
    mi.dwStyle = MNS_NOTIFYBYPOS | MNS_CHECKORBMP;
    ASSERT_TRUE(SetMenuInfo(m, &mi));
    MENUINFO got;
    got.fMask = MIM_MENUDATA | MIM_BACKGROUND | MIM_STYLE;
    ASSERT_TRUE(GetMenuInfo(m, &got));
    EXPECT_EQ(got.dwMenuData, 77u);
    EXPECT_EQ(got.hbrBack, GetSysColorBrush(COLOR_INFOBK));
    EXPECT_EQ(got.dwStyle, MNS_NOTIFYBYPOS | MNS_CHECKORBMP);
    // The submenu takes the look, not the data.
    MENUINFO subInfo;
    subInfo.fMask = MIM_MENUDATA | MIM_STYLE;
    ASSERT_TRUE(GetMenuInfo(sub, &subInfo));
    EXPECT_EQ(subInfo.dwMenuData, 0u);
    EXPECT_EQ(subInfo.dwStyle, MNS_NOTIFYBYPOS | MNS_CHECKORBMP);
    // Styles the platform does not have fail loudly.
    mi.fMask = MIM_STYLE;
    mi.dwStyle = MNS_MODELESS;
    EXPECT_FALSE(SetMenuInfo(m, &mi));
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    mi.cbSize = 4;
    EXPECT_FALSE(SetMenuInfo(m, &mi));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    DestroyMenu(m);
}

// ---- Bad input ----

TEST_F(MenuTest, StaleAndForeignHandlesFailWithInvalidMenuHandle) {
    HMENU m = CreatePopupMenu();
    AppendMenuW(m, MF_STRING, 1, u"x");
    ASSERT_TRUE(DestroyMenu(m));
    HWND window = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    const HMENU foreign(window.value);  // a window's handle is not a menu
    for (HMENU bad : {m, foreign, HMENU()}) {
        SetLastError(0);
        EXPECT_FALSE(AppendMenuW(bad, MF_STRING, 2, u"y"));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
        SetLastError(0);
        EXPECT_EQ(GetMenuItemCount(bad), -1);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
        EXPECT_FALSE(DestroyMenu(bad));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
        EXPECT_EQ(GetSubMenu(bad, 0), HMENU());
        EXPECT_EQ(GetMenuItemID(bad, 0), static_cast<UINT>(-1));
        EXPECT_FALSE(IsMenu(bad));
        MENUITEMINFOW mii = infoOf(MIIM_ID);
        EXPECT_FALSE(GetMenuItemInfoW(bad, 0, TRUE, &mii));
        EXPECT_FALSE(TrackPopupMenuEx(bad, 0, 0, 0, window, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
    }
    // A menu handle where a window is wanted.
    HMENU live = CreatePopupMenu();
    SetLastError(0);
    EXPECT_FALSE(SetMenu(HWND(live.value), live));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(TrackPopupMenuEx(live, 0, 0, 0, HWND(live.value), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    DestroyMenu(live);
    DestroyWindow(window);
}

TEST_F(MenuTest, PositionsOutOfRangeAreRefused) {
    HMENU m = CreatePopupMenu();
    AppendMenuW(m, MF_STRING, 1, u"only");
    MENUITEMINFOW mii = infoOf(MIIM_ID);
    SetLastError(0);
    EXPECT_FALSE(GetMenuItemInfoW(m, 1, TRUE, &mii));
    EXPECT_EQ(GetLastError(), ERROR_MENU_ITEM_NOT_FOUND);
    EXPECT_FALSE(SetMenuItemInfoW(m, 5, TRUE, &mii));
    EXPECT_EQ(GetLastError(), ERROR_MENU_ITEM_NOT_FOUND);
    EXPECT_FALSE(RemoveMenu(m, 1, MF_BYPOSITION));
    EXPECT_FALSE(DeleteMenu(m, static_cast<UINT>(-1), MF_BYPOSITION));
    EXPECT_FALSE(InsertMenuItemW(m, 42, FALSE, &mii));  // no command 42 to insert before
    EXPECT_EQ(GetLastError(), ERROR_MENU_ITEM_NOT_FOUND);
    EXPECT_EQ(GetMenuItemID(m, -1), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuItemID(m, 1), static_cast<UINT>(-1));
    EXPECT_EQ(GetSubMenu(m, 7), HMENU());
    RECT rc;
    EXPECT_FALSE(GetMenuItemRect(HWND(), m, 3, &rc));
    EXPECT_EQ(GetMenuItemCount(m), 1);
    DestroyMenu(m);
}

TEST_F(MenuTest, SubmenuCyclesAreRefused) {
    HMENU a = CreatePopupMenu();
    HMENU b = CreatePopupMenu();
    HMENU c = CreatePopupMenu();
    // A menu inside itself.
    SetLastError(0);
    EXPECT_FALSE(AppendMenuW(a, MF_POPUP, static_cast<UINT_PTR>(a.value), u"self"));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    // a > b > c, then c > a would close a loop.
    ASSERT_TRUE(AppendMenuW(a, MF_POPUP, static_cast<UINT_PTR>(b.value), u"b"));
    ASSERT_TRUE(AppendMenuW(b, MF_POPUP, static_cast<UINT_PTR>(c.value), u"c"));
    EXPECT_FALSE(AppendMenuW(c, MF_POPUP, static_cast<UINT_PTR>(a.value), u"a"));
    AppendMenuW(c, MF_STRING, 9, u"leaf");
    MENUITEMINFOW mii = infoOf(MIIM_SUBMENU);
    mii.hSubMenu = a;
    EXPECT_FALSE(SetMenuItemInfoW(c, 0, TRUE, &mii));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetSubMenu(c, 0), HMENU());
    // A dead submenu handle is refused too.
    HMENU dead = CreatePopupMenu();
    DestroyMenu(dead);
    mii.hSubMenu = dead;
    EXPECT_FALSE(SetMenuItemInfoW(c, 0, TRUE, &mii));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
    // The search by command still ends on a shared submenu reached twice.
    ASSERT_TRUE(AppendMenuW(a, MF_POPUP, static_cast<UINT_PTR>(c.value), u"c again"));
    EXPECT_EQ(GetMenuState(a, 12345, MF_BYCOMMAND), static_cast<UINT>(-1));
    DestroyMenu(a);
    EXPECT_FALSE(IsMenu(b));
    EXPECT_FALSE(IsMenu(c));
}

TEST_F(MenuTest, UnsupportedFlagsFailLoudly) {
    HMENU m = CreatePopupMenu();
    MENUITEMINFOW mii = infoOf(MIIM_FTYPE);
    mii.fType = MFT_RIGHTORDER;
    EXPECT_FALSE(InsertMenuItemW(m, 0, TRUE, &mii));
    EXPECT_EQ(GetMenuItemCount(m), 0);
    mii.fMask = MIIM_TYPE | MIIM_STRING;  // the old and the new way together
    EXPECT_FALSE(InsertMenuItemW(m, 0, TRUE, &mii));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    mii.cbSize = 12;
    mii.fMask = MIIM_ID;
    EXPECT_FALSE(InsertMenuItemW(m, 0, TRUE, &mii));
    AppendMenuW(m, MF_STRING, 1, u"a");
    HWND owner = MessageLog::create(WS_POPUP, 0, 0, 10, 10);
    EXPECT_FALSE(TrackPopupMenuEx(m, TPM_RECURSE, 0, 0, owner, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
    EXPECT_FALSE(TrackPopupMenuEx(m, 0x40000000, 0, 0, owner, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
    TPMPARAMS params;
    params.cbSize = 3;
    EXPECT_FALSE(TrackPopupMenuEx(m, 0, 0, 0, owner, &params));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    DestroyWindow(owner);
    DestroyMenu(m);
}

TEST_F(MenuTest, ThousandMenusShownAndDestroyedLeaveNothingAlive) {
    // The fixture finds any menu or window left alive.
    HWND owner = MessageLog::create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    for (int i = 0; i < 1000; ++i) {
        HMENU m = CreatePopupMenu();
        HMENU sub = CreatePopupMenu();
        AppendMenuW(sub, MF_STRING, 2, u"Inner");
        AppendMenuW(m, MF_STRING, 1, u"&Item");
        AppendMenuW(m, MF_POPUP, static_cast<UINT_PTR>(sub.value), u"Sub");
        // Shown, then dismissed at once: nothing can happen on the virtual clock.
        EXPECT_TRUE(TrackPopupMenuEx(m, TPM_RETURNCMD, 50 + i % 300, 50, owner, nullptr) == 0);
        DestroyMenu(m);
    }
    DestroyWindow(owner);
}

}  // namespace orvane::test
