// Popup menus tracked by TrackPopupMenuEx: the owner's message sequence for keyboard and mouse
// sessions, the show delay of submenus, TPM_RETURNCMD and TPM_NONOTIFY, owner-drawn items,
// mnemonics and WM_MENUCHAR, placement at the screen's edges, and menus or owners that go away
// while shown.
#include "platform/user/MenuFixture.h"

namespace orvane::test {
namespace {

class MenuSessionTest : public MenuFixture {
protected:
    // New, Recent > (a.txt, b.txt), a separator, Exit.
    void SetUp() override {
        MenuFixture::SetUp();
        recent = CreatePopupMenu();
        AppendMenuW(recent, MF_STRING, 201, u"&a.txt");
        AppendMenuW(recent, MF_STRING, 202, u"&b.txt");
        menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, 100, u"&New");
        AppendMenuW(menu, MF_POPUP, static_cast<UINT_PTR>(recent.value), u"&Recent");
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, 103, u"E&xit");
        owner = createOwner();
    }
    void TearDown() override {
        if (IsMenu(menu)) DestroyMenu(menu);
        if (IsWindow(owner)) DestroyWindow(owner);
        MenuFixture::TearDown();
    }
    // The popup's window rectangle while `menu` is tracked with the given flags at (x, y).
    RECT shownAt(UINT flags, int x, int y, TPMPARAMS* params = nullptr) {
        RECT rc{};
        script().push_back([&] {
            GetWindowRect(popupWindow(), &rc);
            queueKey(VK_ESCAPE);
        });
        TrackPopupMenuEx(menu, flags | TPM_RETURNCMD, x, y, owner, params);
        return rc;
    }

    HMENU menu, recent;
    HWND owner;
};

LRESULT reply(int index, LRESULT how) {
    return MAKELONG(static_cast<WORD>(index), static_cast<WORD>(how));
}

WPARAM sel(UINT idOrIndex, UINT flags) {
    return MAKEWPARAM(static_cast<int>(idOrIndex), static_cast<int>(flags));
}

}  // namespace

TEST_F(MenuSessionTest, KeyboardSessionThroughASubmenu) {
    play("Down Down Right Down Return");
    EXPECT_TRUE(TrackPopupMenuEx(menu, 0, 200, 200, owner, nullptr));
    platform->PumpMessages();  // the command is posted
    const std::vector<std::string> expected = {
        line(WM_ENTERMENULOOP, TRUE, 0),
        line(WM_INITMENU, menu, 0),
        line(WM_INITMENUPOPUP, menu, 0),
        line(WM_MENUSELECT, sel(100, MF_HILITE), menu),
        line(WM_MENUSELECT, sel(1, MF_HILITE | MF_POPUP), menu),
        line(WM_INITMENUPOPUP, recent, MAKELPARAM(1, 0)),
        line(WM_MENUSELECT, sel(201, MF_HILITE), recent),
        line(WM_MENUSELECT, sel(202, MF_HILITE), recent),
        line(WM_UNINITMENUPOPUP, recent, 0),
        line(WM_UNINITMENUPOPUP, menu, 0),
        line(WM_MENUSELECT, sel(0, 0xFFFF), 0),
        line(WM_EXITMENULOOP, TRUE, 0),
        line(WM_COMMAND, 202, 0),
    };
    EXPECT_EQ(menuMessages(owner), expected);
    EXPECT_EQ(popupWindow(), HWND());
    // The owner heard that the menu was waiting, with the popup's window.
    EXPECT_GE(log().count(owner, WM_ENTERIDLE), 1);
}

TEST_F(MenuSessionTest, MouseSessionOpensTheSubmenuAfterTheShowDelay) {
    DWORD hoveredAt = 0, openedAt = 0;
    answer() = [&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_INITMENUPOPUP && HMENU(static_cast<std::uint32_t>(wParam)) == recent)
            openedAt = GetTickCount();
        return std::nullopt;
    };
    script().push_back([&] {
        hoveredAt = GetTickCount();
        queueMove(itemCentre(menu, 1));
    });
    // The pointer rests: nothing is queued, so the clock runs on to the show delay.
    script().push_back([] {});
    script().push_back([&] {
        ASSERT_NE(openedAt, 0u) << "the submenu did not open";
        queueClick(itemCentre(recent, 0));
    });
    EXPECT_TRUE(TrackPopupMenuEx(menu, 0, 200, 200, owner, nullptr));
    platform->PumpMessages();
    UINT delay = 0;
    SystemParametersInfoW(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
    EXPECT_EQ(openedAt - hoveredAt, delay);
    const std::vector<std::string> expected = {
        line(WM_ENTERMENULOOP, TRUE, 0),
        line(WM_INITMENU, menu, 0),
        line(WM_INITMENUPOPUP, menu, 0),
        line(WM_MENUSELECT, sel(1, MF_HILITE | MF_POPUP | MF_MOUSESELECT), menu),
        line(WM_INITMENUPOPUP, recent, MAKELPARAM(1, 0)),
        line(WM_MENUSELECT, sel(201, MF_HILITE | MF_MOUSESELECT), recent),
        line(WM_UNINITMENUPOPUP, recent, 0),
        line(WM_UNINITMENUPOPUP, menu, 0),
        line(WM_MENUSELECT, sel(0, 0xFFFF), 0),
        line(WM_EXITMENULOOP, TRUE, 0),
        line(WM_COMMAND, 201, 0),
    };
    EXPECT_EQ(menuMessages(owner), expected);
}

TEST_F(MenuSessionTest, SubmenuClosesWhenThePointerMovesOnBeforeTheDelay) {
    bool opened = false;
    answer() = [&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_INITMENUPOPUP && HMENU(static_cast<std::uint32_t>(wParam)) == recent)
            opened = true;
        return std::nullopt;
    };
    script().push_back([&] { queueMove(itemCentre(menu, 1)); });
    script().push_back([&] {
        // One millisecond short of the delay the pointer moves on: the timer is dropped.
        Clock::current().advance(399);
        queueMove(itemCentre(menu, 0));
    });
    play("Escape");
    TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 200, owner, nullptr);
    EXPECT_FALSE(opened);
}

TEST_F(MenuSessionTest, ClickOutsideDismissesAndReleaseOnADisabledItemDoesNot) {
    EnableMenuItem(menu, 100, MF_BYCOMMAND | MF_GRAYED);
    bool stillShown = false;
    script().push_back([&] { queueClick(itemCentre(menu, 0)); });
    script().push_back([&] {
        stillShown = IsWindow(popupWindow());
        queueClick(POINT{20, 20});  // outside the menu
    });
    EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 200, owner, nullptr), 0);
    EXPECT_TRUE(stillShown);
    EXPECT_EQ(popupWindow(), HWND());
    // The dismissing click went nowhere else.
    EXPECT_EQ(log().count(owner, WM_LBUTTONDOWN), 0);
}

// Sessions that differ only in their input, the tracking flags and the owner's answer to
// WM_MENUCHAR: what TrackPopupMenuEx returns, and what the owner hears.
TEST_F(MenuSessionTest, InputChoosesTheCommand) {
    std::optional<LRESULT> answerWith;
    answer() = [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        return msg == WM_MENUCHAR ? answerWith : std::nullopt;
    };
    struct Case {
        const char* what;
        UINT flags;
        std::optional<LRESULT> menuChar;  // the owner's answer to WM_MENUCHAR
        const char* input;
        BOOL result;
    };
    constexpr UINT R = TPM_RETURNCMD;
    const std::vector<Case> cases = {
        {"Up wraps to the last item", R, {}, "Up Return", 103},
        // The first Escape closes the submenu alone: Up then moves in the parent.
        {"Escape closes one level at a time", R, {}, "Down Down Right Escape | Up Return", 100},
        {"Escape twice closes both", R, {}, "Down Down Right Escape | Escape", 0},
        {"a mnemonic executes its only item, whatever its case", R, {}, "'N'", 100},
        {"a submenu's mnemonic opens it with its first item selected", R, {}, "'r' | 'b'", 202},
        {"TPM_NONOTIFY", TPM_NONOTIFY, {}, "Down Return", TRUE},
        {"TPM_NONOTIFY with TPM_RETURNCMD", TPM_NONOTIFY | R, {}, "Down Return", 100},
        {"a right click chooses nothing", R, {}, "rclick:0 | Up Return", 103},
        {"a right click chooses with TPM_RIGHTBUTTON", R | TPM_RIGHTBUTTON, {}, "rclick:0", 100},
        // 'z' matches no item, so the owner is asked: MNC_EXECUTE chooses, MNC_SELECT only selects,
        // MNC_CLOSE ends the menu, MNC_IGNORE beeps and waits.
        {"MNC_EXECUTE", R, reply(3, MNC_EXECUTE), "'z'", 103},
        {"MNC_SELECT", R, reply(1, MNC_SELECT), "'z' Right Return", 201},
        {"MNC_SELECT chooses nothing", R, reply(0, MNC_SELECT), "'z' | Up Return", 103},
        {"MNC_CLOSE", R, reply(0, MNC_CLOSE), "'z' | Down Return", 0},
        {"MNC_IGNORE", R, reply(0, MNC_IGNORE), "'z' | Down Return", 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        script().clear();
        log().clear();
        answerWith = c.menuChar;
        play(c.input);
        EXPECT_EQ(TrackPopupMenuEx(menu, c.flags, 200, 200, owner, nullptr), c.result);
        platform->PumpMessages();
        EXPECT_EQ(popupWindow(), HWND());
        if (c.flags & TPM_NONOTIFY) {
            EXPECT_EQ(menuMessages(owner), std::vector<std::string>{});
            continue;
        }
        // Every popup opened is closed again; a returned command is not posted too.
        EXPECT_EQ(log().count(owner, WM_UNINITMENUPOPUP), log().count(owner, WM_INITMENUPOPUP));
        EXPECT_EQ(log().count(owner, WM_EXITMENULOOP), 1);
        EXPECT_EQ(log().count(owner, WM_COMMAND), 0);
        const int asks = std::string(c.input).find("'z'") != std::string::npos ? 1 : 0;
        const std::string asked = line(WM_MENUCHAR, MAKEWPARAM(u'z', MF_POPUP), menu);
        const auto messages = menuMessages(owner);
        EXPECT_EQ(std::count(messages.begin(), messages.end(), asked), asks);
        EXPECT_EQ(log().count(owner, WM_MENUCHAR), asks);
    }
}

TEST_F(MenuSessionTest, MenuCommandByPositionWithNotifyByPos) {
    MENUINFO mi;
    mi.fMask = MIM_STYLE;
    mi.dwStyle = MNS_NOTIFYBYPOS;
    SetMenuInfo(menu, &mi);
    play("'x'");
    EXPECT_TRUE(TrackPopupMenuEx(menu, 0, 200, 200, owner, nullptr));
    platform->PumpMessages();
    const auto messages = menuMessages(owner);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), line(WM_MENUCOMMAND, 3, menu));
    EXPECT_EQ(log().count(owner, WM_COMMAND), 0);
}

// ---- Owner-drawn items ----

TEST_F(MenuSessionTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner) {
    HMENU m = CreatePopupMenu();
    AppendMenuW(m, MF_OWNERDRAW, 1, reinterpret_cast<LPCWSTR>(std::uintptr_t{RGB(200, 0, 0)}));
    AppendMenuW(m, MF_OWNERDRAW, 2, reinterpret_cast<LPCWSTR>(std::uintptr_t{RGB(0, 0, 200)}));
    std::vector<MEASUREITEMSTRUCT> measured;
    std::vector<DRAWITEMSTRUCT> drawn;
    answer() = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_MEASUREITEM) {
            EXPECT_EQ(wParam, 0u);
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            measured.push_back(*mis);
            mis->itemWidth = 120;
            mis->itemHeight = 30;
            return TRUE;
        }
        if (msg == WM_DRAWITEM) {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            drawn.push_back(*dis);
            // The item's colour comes from its data; a selected item is drawn green.
            HBRUSH b = CreateSolidBrush((dis->itemState & ODS_SELECTED)
                                            ? RGB(0, 160, 0)
                                            : static_cast<COLORREF>(dis->itemData));
            FillRect(dis->hDC, &dis->rcItem, b);
            DeleteObject(b);
            return TRUE;
        }
        return std::nullopt;
    };
    COLORREF first = 0, second = 0, selected = 0;
    RECT firstRect{};
    script().push_back([&] {
        firstRect = RECT{};
        GetMenuItemRect(HWND(), m, 0, &firstRect);
        first = platform->ScreenPixel(firstRect.left + 20, firstRect.top + 15);
        second = platform->ScreenPixel(firstRect.left + 20, firstRect.bottom + 15);
        queueKey(VK_DOWN);
    });
    script().push_back([&] {
        selected = platform->ScreenPixel(firstRect.left + 20, firstRect.top + 15);
        queueKey(VK_ESCAPE);
    });
    TrackPopupMenuEx(m, TPM_RETURNCMD, 300, 300, owner, nullptr);
    ASSERT_EQ(measured.size(), 2u);
    EXPECT_EQ(measured[0].CtlType, ODT_MENU);
    EXPECT_EQ(measured[0].itemID, 1u);
    EXPECT_EQ(measured[1].itemData, static_cast<ULONG_PTR>(RGB(0, 0, 200)));
    ASSERT_GE(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].CtlType, ODT_MENU);
    EXPECT_EQ(drawn[0].itemID, 1u);
    EXPECT_EQ(drawn[0].itemAction, ODA_DRAWENTIRE);
    EXPECT_EQ(drawn[0].hwndItem.value, m.value);  // for menus, the menu's handle
    EXPECT_EQ(drawn[0].rcItem.bottom - drawn[0].rcItem.top, 30);
    // The check mark's width is added to the width the owner asked for.
    EXPECT_EQ(drawn[0].rcItem.right - drawn[0].rcItem.left,
              120 + GetSystemMetrics(SM_CXMENUCHECK) - 1);
    EXPECT_EQ(firstRect.bottom - firstRect.top, 30);
    EXPECT_EQ(first, RGB(200, 0, 0));
    EXPECT_EQ(second, RGB(0, 0, 200));
    EXPECT_EQ(selected, RGB(0, 160, 0));
    const bool redrawnSelected = std::any_of(drawn.begin() + 2, drawn.end(), [](const auto& d) {
        return d.itemID == 1 && (d.itemState & ODS_SELECTED);
    });
    EXPECT_TRUE(redrawnSelected);
    DestroyMenu(m);
}

TEST_F(MenuSessionTest, ItemPicturesAndColumnBreaks) {
    // A red picture beside the first item, and a second column started by a break.
    HDC screen = GetDC(HWND());
    HBITMAP red = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(HWND(), screen);
    HDC mem = CreateCompatibleDC(HDC());
    HGDIOBJ old = SelectObject(mem, red);
    RECT all{0, 0, 16, 16};
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteDC(mem);
    MENUITEMINFOW mii;
    mii.fMask = MIIM_BITMAP;
    mii.hbmpItem = red;
    SetMenuItemInfoW(menu, 0, TRUE, &mii);
    mii.fMask = MIIM_FTYPE;
    mii.fType = MFT_MENUBREAK;
    SetMenuItemInfoW(menu, 3, TRUE, &mii);  // Exit starts a new column
    int redPixels = 0;
    RECT first{}, exit{};
    script().push_back([&] {
        GetMenuItemRect(HWND(), menu, 0, &first);
        GetMenuItemRect(HWND(), menu, 3, &exit);
        for (int y = first.top; y < first.bottom; ++y)
            for (int x = first.left; x < first.left + GetSystemMetrics(SM_CXMENUCHECK) * 2; ++x)
                if (platform->ScreenPixel(x, y) == RGB(255, 0, 0)) ++redPixels;
        queueKey(VK_ESCAPE);
    });
    TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 200, owner, nullptr);
    EXPECT_EQ(redPixels, 16 * 16);
    EXPECT_GE(exit.left, first.right);  // beside the first column
    EXPECT_EQ(exit.top, first.top);     // at its top
    DeleteObject(red);
}

// ---- Mnemonics ----

TEST_F(MenuSessionTest, SharedMnemonicsCycleInsteadOfExecuting) {
    HMENU m = CreatePopupMenu();
    AppendMenuW(m, MF_STRING, 1, u"&Apple");
    AppendMenuW(m, MF_STRING, 2, u"&Banana");
    AppendMenuW(m, MF_STRING, 3, u"Blue&berry");
    play("'b' 'b' Return");
    EXPECT_EQ(TrackPopupMenuEx(m, TPM_RETURNCMD, 200, 200, owner, nullptr), 3);
    DestroyMenu(m);
}

// ---- Placement ----

TEST_F(MenuSessionTest, AlignmentFlagsPlaceThePopupAroundThePoint) {
    struct Case {
        UINT flags;
        int dx, dy;  // expected offset of the top-left from the point, in menu widths/heights
    };
    for (const Case& c :
         {Case{TPM_LEFTALIGN | TPM_TOPALIGN, 0, 0}, Case{TPM_RIGHTALIGN | TPM_BOTTOMALIGN, -2, -2},
          Case{TPM_CENTERALIGN | TPM_VCENTERALIGN, -1, -1}}) {
        const RECT rc = shownAt(c.flags, 800, 500);
        const int w = rc.right - rc.left, h = rc.bottom - rc.top;
        ASSERT_GT(w, 0);
        EXPECT_EQ(rc.left, 800 + c.dx * w / 2) << c.flags;
        EXPECT_EQ(rc.top, 500 + c.dy * h / 2) << c.flags;
    }
}

TEST_F(MenuSessionTest, PopupsStayOnTheScreenAndOffTheExcludedRectangle) {
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    constexpr LONG kAny = -99999;
    struct Case {
        UINT flags;
        POINT at;
        RECT exclude;   // none when empty
        RECT expected;  // edges of kAny are not checked
    };
    const std::vector<Case> cases = {
        // At the bottom-right corner: up and to the left of the point.
        {0, {sw - 5, sh - 5}, {}, {kAny, kAny, sw - 5, sh - 5}},
        // Right-aligned at the left edge: to the right of the point instead.
        {TPM_RIGHTALIGN, {5, 200}, {}, {5, kAny, kAny, kAny}},
        // Vertical, over a button at the bottom of the screen: above the button.
        {TPM_VERTICAL, {90, sh - 40}, {90, sh - 40, 300, sh}, {90, kAny, kAny, sh - 40}},
        // Horizontal: beside the rectangle.
        {0, {450, 305}, {400, 300, 500, 320}, {500, kAny, kAny, kAny}},
    };
    for (const Case& c : cases) {
        TPMPARAMS params;
        params.rcExclude = c.exclude;
        const bool excluding = c.exclude.right > c.exclude.left;
        const RECT rc = shownAt(c.flags, c.at.x, c.at.y, excluding ? &params : nullptr);
        const LONG RECT::*edges[] = {&RECT::left, &RECT::top, &RECT::right, &RECT::bottom};
        for (const LONG RECT::*edge : edges) {
            if (c.expected.*edge != kAny) {
                EXPECT_EQ(rc.*edge, c.expected.*edge) << c.at.x;
            }
        }
    }
}

TEST_F(MenuSessionTest, ASubmenuWithoutRoomOnTheRightOpensOnTheLeft) {
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    RECT rc{}, sub{};
    script().push_back([&] {
        GetWindowRect(popupWindow(), &rc);
        queueKeys({VK_DOWN, VK_DOWN, VK_RIGHT});
    });
    script().push_back([&] {
        GetMenuItemRect(HWND(), recent, 0, &sub);
        queueKeys({VK_ESCAPE, VK_ESCAPE});
    });
    TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTALIGN, sw - 1, 200, owner, nullptr);
    EXPECT_LE(rc.right, sw);
    EXPECT_LT(sub.right, rc.left + 10);  // left of the parent (with the small overlap)
    EXPECT_GE(sub.left, 0);
}

// ---- The popup window ----

TEST_F(MenuSessionTest, PopupsAreLayeredTopMostWindowsOfTheMenuClass) {
    DWORD exStyle = 0;
    HMENU shown;
    COLORREF opaque = 0, translucent = 0;
    script().push_back([&] {
        HWND popup = popupWindow();
        ASSERT_TRUE(IsWindow(popup));
        exStyle = static_cast<DWORD>(GetWindowLongW(popup, GWL_EXSTYLE));
        shown = HMENU(static_cast<std::uint32_t>(SendMessageW(popup, MN_GETHMENU, 0, 0)));
        RECT rc;
        GetWindowRect(popup, &rc);
        opaque = platform->ScreenPixel(rc.left + 10, rc.bottom - 2);
        // Half transparent over the white owner: the pixel lightens.
        SetLayeredWindowAttributes(popup, 0, 128, LWA_ALPHA);
        translucent = platform->ScreenPixel(rc.left + 10, rc.bottom - 2);
        queueKey(VK_ESCAPE);
    });
    TrackPopupMenuEx(menu, TPM_RETURNCMD, 150, 150, owner, nullptr);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_EQ(shown, menu);
    EXPECT_NE(opaque, translucent);
    EXPECT_GT(GetGValue(translucent), GetGValue(opaque));
    EXPECT_EQ(popupWindow(), HWND());
}

// ---- Going away while shown ----

TEST_F(MenuSessionTest, MenuDestroyedWhileShownEndsTheSession) {
    play("Down Down Right");
    script().push_back([&] { DestroyMenu(menu); });
    EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 200, owner, nullptr), 0);
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(IsMenu(recent));
    EXPECT_EQ(popupWindow(), HWND());
    EXPECT_EQ(log().count(owner, WM_EXITMENULOOP), 1);
}

TEST_F(MenuSessionTest, SubmenuDestroyedInItsInitMenuPopup) {
    answer() = [&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_INITMENUPOPUP && HMENU(static_cast<std::uint32_t>(wParam)) == recent)
            DestroyMenu(recent);
        return std::nullopt;
    };
    play("Down Down Right Up Return");
    EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 200, owner, nullptr), 100);
    EXPECT_EQ(popupWindow(), HWND());
}

TEST_F(MenuSessionTest, OwnerDestroyedWhileShownEndsTheSession) {
    script().push_back([&] { DestroyWindow(owner); });
    EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 200, owner, nullptr), 0);
    EXPECT_EQ(popupWindow(), HWND());
    EXPECT_TRUE(IsMenu(menu));
}

TEST_F(MenuSessionTest, ItemsRemovedWhileTheMenuIsShownCrashNothing) {
    // The owner empties the menu as soon as an item is selected; the keys after it find
    // nothing to select or choose.
    answer() = [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_MENUSELECT && GetMenuItemCount(menu) > 0) {
            while (GetMenuItemCount(menu) > 0)
                DeleteMenu(menu, 0, MF_BYPOSITION);
        }
        return std::nullopt;
    };
    play("Down Down Right Return 'n' | Escape");
    EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 200, owner, nullptr), 0);
    EXPECT_EQ(GetMenuItemCount(menu), 0);
    EXPECT_FALSE(IsMenu(recent));
    EXPECT_EQ(popupWindow(), HWND());
}

TEST_F(MenuSessionTest, MenuDestroyedByItsOwnerDrawnItem) {
    HMENU m = CreatePopupMenu();
    AppendMenuW(m, MF_OWNERDRAW, 1, nullptr);
    AppendMenuW(m, MF_OWNERDRAW, 2, nullptr);
    int draws = 0;
    answer() = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            mis->itemWidth = 50;
            mis->itemHeight = 20;
            return TRUE;
        }
        if (msg == WM_DRAWITEM) {
            ++draws;
            DestroyMenu(m);
            return TRUE;
        }
        return std::nullopt;
    };
    EXPECT_EQ(TrackPopupMenuEx(m, TPM_RETURNCMD, 200, 200, owner, nullptr), 0);
    EXPECT_EQ(draws, 1);  // the paint stops at the menu that went away
    EXPECT_FALSE(IsMenu(m));
    EXPECT_EQ(popupWindow(), HWND());
}

TEST_F(MenuSessionTest, EndMenuAndASecondSessionWhileOneRuns) {
    BOOL nested = TRUE;
    DWORD error = 0;
    script().push_back([&] {
        nested = TrackPopupMenuEx(recent, 0, 10, 10, owner, nullptr);
        error = GetLastError();
        EndMenu();
    });
    EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 200, owner, nullptr), 0);
    EXPECT_FALSE(nested);
    EXPECT_EQ(error, ERROR_POPUP_ALREADY_ACTIVE);
    EXPECT_EQ(popupWindow(), HWND());
}

}  // namespace orvane::test
