// The menu control: identifiers from the item table, shortcut storage and display, separators'
// height, a whole keyboard session through the bar as the control's events, an open popup's
// pixels with its marks and disabled item, the errors, and bars built and destroyed without
// leaving anything.
#include "controls/menu/ucMenu.h"

#include <functional>

#include "controls/menu/MenuItemTable.h"
#include "controls/menu/cMenuItem.h"
#include "framework/drawing/ControlTooltip.h"
#include "framework/drawing/cGDIPCache.h"
#include "host/ErrorOf.h"
#include "host/StdPicture.h"
#include "platform/comctl/ImageList.h"
#include "support/ControlTest.h"
#include "support/RoundTrip.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;

// What the form does while a menu waits for input: the test's next step.
std::function<void()>& onIdle() {
    static std::function<void()> step;
    return step;
}

LRESULT idleProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    if (m == WM_ENTERIDLE && onIdle()) {
        auto step = std::move(onIdle());
        onIdle() = nullptr;
        step();
    }
    return DefSubclassProc(h, m, w, l);
}

// A new 16 x 16 bitmap of one colour.
HBITMAP solidBitmap(COLORREF colour) {
    const HDC screen = GetDC(HWND());
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(HWND(), screen);
    const HDC dc = CreateCompatibleDC(HDC());
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, 16, 16};
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

void queueKey(int vk, bool up) {
    keybd_event(static_cast<BYTE>(vk), 0, up ? KEYEVENTF_KEYUP : 0, 0);
}
void queuePress(int vk) {
    queueKey(vk, false);
    queueKey(vk, true);
}

class MenuTest : public orvane::test::ControlTest {
protected:
    void TearDown() override {
        onIdle() = nullptr;
        if (m_list) ImageList_Destroy(m_list);
        EnableTheming(TRUE);
        ControlTest::TearDown();
    }
    // File (Open Ctrl+O, a separator, Exit) and View (three radio items, a checked and a
    // disabled item) on the form's bar.
    ucMenu& build(Form& form) {
        auto& menu = form.add<ucMenu>(u"mnu", -1, box(0, 0, 32, 32));
        form.Show();
        pump();
        menu.Create(form.hWnd());
        file = menu.AddMenu(u"&File");
        file->AddMenu(u"&Open", u"open", 0, Variant(std::u16string(u"o")), 2);
        file->AddMenu(u"", u"", 0, Variant(), 0, static_cast<std::int32_t>(MF_SEPARATOR));
        file->AddMenu(u"E&xit", u"exit");
        view = menu.AddMenu(u"&View");
        for (const char16_t* name : {u"&Large", u"&Medium", u"&Small"})
            view->AddMenu(name);
        view->AddMenu(u"&Status bar", u"", 0, Variant(), 0, static_cast<std::int32_t>(MF_CHECKED));
        view->AddMenu(u"&Toolbar", u"", 0, Variant(), 0, static_cast<std::int32_t>(MF_GRAYED));
        // A red 16 x 16 picture for an item with a shortcut.
        const HBITMAP red = solidBitmap(RGB(255, 0, 0));
        menu.GC()->AddImage(u"red",
                            Variant(std::static_pointer_cast<Object>(StdPicture::fromBitmap(red))));
        view->AddMenu(u"&Refresh", u"", 0, Variant(std::int32_t{VK_F5}), 0, 0, 0, u"", u"", 0,
                      u"red");
        // An item whose picture comes from an image list: the list's second image, blue.
        if (m_list) ImageList_Destroy(m_list);
        m_list = ImageList_Create(16, 16, ILC_COLOR32, 2, 2);
        for (COLORREF c : {RGB(0, 255, 0), RGB(0, 0, 255)}) {
            const HBITMAP b = solidBitmap(c);
            ImageList_Add(m_list, b, HBITMAP());
            DeleteObject(b);
        }
        auto listed = view->AddMenu(u"&Image list");
        menu.GetMenuItemInfo(listed->ID)->himl = static_cast<std::int32_t>(m_list.value);
        menu.GetMenuItemInfo(listed->ID)->IconIndex = 1;
        menu.RadioGroupAdd(1, 1, 0, 2);
        menu.ShowMenu();
        SetWindowSubclass(form.hWnd(), idleProc, 77, 0);
        pump();
        return menu;
    }
    // Records the control's events as "Hover Open", "Click Exit", ...
    std::vector<std::string>& recordItems(ucMenu& menu) {
        for (auto [event, name] :
             {std::pair{ucMenu::evItemHover, "Hover"}, std::pair{ucMenu::evItemClick, "Click"}})
            menu.connect(event, [this, name = std::string(name)](std::vector<Variant>& a) {
                auto item = std::dynamic_pointer_cast<cMenuItem>(a[0].object());
                std::string caption;
                for (char16_t c : item->Caption)
                    if (c != u'&') caption += static_cast<char>(c);
                m_events.push_back(name + " " + caption);
            });
        m_events.clear();
        return m_events;
    }
    std::shared_ptr<clsSubMenu> file, view;
    HIMAGELIST m_list;
};

TEST_F(MenuTest, ItemsTakeTheTablesIdentifiersAndKeepTheirShortcuts) {
    Form form(u"Form1");
    auto& menu = build(form);
    // The first item made is 0; a popup's entry comes just before its first child.
    EXPECT_EQ(file->ID, 0);
    EXPECT_EQ(file->SubMenu(0)->ID, 1);
    EXPECT_EQ(menu.itemFor(file->popup().value)->ID, 0);
    EXPECT_EQ(menu.itemFor(GetMenuItemID(file->popup(), 0) - 1)->Caption, u"&File");
    // A lower-case letter is stored as its capital's key code and shown with its modifier.
    const auto open = menu.GetMenuItemInfo(1);
    EXPECT_EQ(open->ShortcutKey, 65 + ('o' - 'a'));
    EXPECT_EQ(open->ShortcutText, u"Ctrl+O");
    EXPECT_EQ(open->key, u"open");
    EXPECT_EQ(open->hMenu, static_cast<std::int32_t>(file->popup().value));
    // An entry that gets its first child loses its own shortcut.
    auto recent = file->AddMenu(u"&Recent", u"", 0, Variant(std::int32_t{'R'}), 2);
    EXPECT_EQ(menu.GetMenuItemInfo(recent->ID)->ShortcutText, u"Ctrl+R");
    recent->AddMenu(u"notes.txt");
    EXPECT_EQ(menu.GetMenuItemInfo(recent->ID)->ShortcutText, u"");
    EXPECT_EQ(menu.GetMenuItemInfo(recent->ID)->ShortcutKey, 0);
    EXPECT_EQ(GetSubMenu(file->popup(), 3), recent->popup());
    // Flags kept in the record.
    menu.pvSetState(1, static_cast<std::int32_t>(MF_CHECKED), true);
    EXPECT_TRUE(open->wFlags & MF_CHECKED);
    EXPECT_TRUE(open->wFlags & MF_OWNERDRAW);
    menu.pvSetState(1, static_cast<std::int32_t>(MF_CHECKED), false);
    EXPECT_FALSE(open->wFlags & MF_CHECKED);
}

TEST_F(MenuTest, SeparatorsMeasureSixPixelsAndItemsTheirText) {
    Form form(u"Form1");
    build(form);
    const auto measured = [&](std::int32_t id) {
        MEASUREITEMSTRUCT mis;
        mis.CtlType = ODT_MENU;
        mis.itemID = static_cast<UINT>(id);
        SendMessageW(form.hWnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        return std::pair<UINT, UINT>{mis.itemWidth, mis.itemHeight};
    };
    EXPECT_EQ(measured(2).second, 6u);  // the separator
    const auto open = measured(1), exit = measured(3);
    EXPECT_GT(open.second, 6u);
    EXPECT_GT(open.first, exit.first);  // "Open" and its shortcut outgrow "Exit"
    // A separator with a caption is measured as an item.
    auto labelled =
        file->AddMenu(u"Section", u"", 0, Variant(), 0, static_cast<std::int32_t>(MF_SEPARATOR));
    EXPECT_GT(measured(labelled->ID).second, 6u);
}

TEST_F(MenuTest, AKeyboardSessionRaisesHoversThenTheClick) {
    Form form(u"Form1");
    auto& menu = build(form);
    auto& events = recordItems(menu);
    // Queued, not pumped: the menu's own loop takes them.
    queueKey(VK_MENU, false);
    queuePress('F');
    queueKey(VK_MENU, true);
    queuePress(VK_DOWN);
    queuePress(VK_RETURN);
    pump();
    EXPECT_EQ(events,
              (std::vector<std::string>{"Hover File", "Hover Open", "Hover Exit", "Click Exit"}));
    // An owner-drawn item's access key chooses it (Alt+V, then M for Medium).
    events.clear();
    queueKey(VK_MENU, false);
    queuePress('V');
    queueKey(VK_MENU, true);
    queuePress('M');
    pump();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "Click Medium");
    // The radio group and shortcut keys do not take part; the bar is still attached.
    EXPECT_EQ(GetMenu(form.hWnd()), menu.hTopMenu());
}

TEST_F(MenuTest, MouseSessionsOpenTheBarAndSubmenusAndClickItems) {
    Form form(u"Form1");
    auto& menu = build(form);
    auto& events = recordItems(menu);
    RECT viewEntry{}, medium{};
    GetMenuItemRect(form.hWnd(), menu.hTopMenu(), 1, &viewEntry);
    onIdle() = [&] {
        GetMenuItemRect(form.hWnd(), view->popup(), 1, &medium);
        const POINT at{(medium.left + medium.right) / 2, (medium.top + medium.bottom) / 2};
        SetCursorPos(at.x, at.y);
        INPUT in[2];
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, in, sizeof(INPUT));
    };
    platform->Click((viewEntry.left + viewEntry.right) / 2, (viewEntry.top + viewEntry.bottom) / 2);
    pump();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "Hover View");
    EXPECT_EQ(events.back(), "Click Medium");
    // Through a submenu: File, then resting on Recent opens its popup, then a click in it.
    auto recent = file->AddMenu(u"&Recent");
    recent->AddMenu(u"notes.txt");
    recent->AddMenu(u"todo.txt");
    events.clear();
    const auto centre = [](const RECT& r) {
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    const auto moveTo = [](POINT at) {
        INPUT in;
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        in.mi.dx = at.x * 65536 / GetSystemMetrics(SM_CXSCREEN);
        in.mi.dy = at.y * 65536 / GetSystemMetrics(SM_CYSCREEN);
        SendInput(1, &in, sizeof(INPUT));
    };
    onIdle() = [&] {
        RECT r{};
        GetMenuItemRect(form.hWnd(), file->popup(), 3, &r);
        moveTo(centre(r));
        // The submenu opens after the pointer rests a moment: each idle moment looks again.
        static std::function<void()> clickTodo;
        static int tries;
        tries = 0;
        clickTodo = [&] {
            RECT todo{};
            if (!GetMenuItemRect(form.hWnd(), recent->popup(), 1, &todo)) {
                if (++tries < 10) {
                    onIdle() = clickTodo;
                } else {
                    queuePress(VK_ESCAPE);  // it never opened: give up
                    queuePress(VK_ESCAPE);
                }
                return;
            }
            SetCursorPos(centre(todo).x, centre(todo).y);
            INPUT in[2];
            in[0].type = in[1].type = INPUT_MOUSE;
            in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
            SendInput(2, in, sizeof(INPUT));
        };
        onIdle() = clickTodo;
    };
    RECT fileEntry{};
    GetMenuItemRect(form.hWnd(), menu.hTopMenu(), 0, &fileEntry);
    platform->AdvanceTime(1000);
    platform->Click(centre(fileEntry).x, centre(fileEntry).y);
    pump();
    EXPECT_EQ(events, (std::vector<std::string>{"Hover File", "Hover Recent", "Hover todo.txt",
                                                "Click todo.txt"}));
}

using MenuPixelTest = orvane::test::AtDpi<MenuTest>;

TEST_P(MenuPixelTest, AnOpenPopupShowsMarksShortcutsAndGreyedItems) {
    for (BOOL themed : {TRUE, FALSE}) {
        EnableTheming(themed);
        Form form(u"Form1");
        auto& menu = build(form);
        menu.BackColor(0xFFFFFF);
        bool probed = false;
        onIdle() = [&] {
            probed = true;
            RECT large{}, status{}, toolbar{};
            GetMenuItemRect(form.hWnd(), view->popup(), 0, &large);
            GetMenuItemRect(form.hWnd(), view->popup(), 3, &status);
            // Items are as tall as the system menu font (scaled once for the DPI) and a margin.
            EXPECT_LE(status.bottom - status.top, px(26));
            // A new menu takes the system menu font, 9 points at every DPI.
            EXPECT_DOUBLE_EQ(menu.Font()->Size(), 9.0);
            GetMenuItemRect(form.hWnd(), view->popup(), 4, &toolbar);
            // Some ink in the mark's box of the checked radio item and of the checked item;
            // the greyed item's text is grey.
            const auto inkIn = [&](int left, int top, int right, int bottom, COLORREF paper) {
                int ink = 0;
                for (int y = top; y < bottom; ++y)
                    for (int x = left; x < right; ++x)
                        if (platform->ScreenPixel(x, y) != paper) ++ink;
                return ink;
            };
            RECT m{};  // Medium, the radio group's checked item
            GetMenuItemRect(form.hWnd(), view->popup(), 1, &m);
            EXPECT_GT(inkIn(m.left + 4, m.top + 2, m.left + 18, m.bottom - 2, RGB(255, 255, 255)),
                      4);
            EXPECT_GT(inkIn(status.left + 4, status.top + 2, status.left + 18, status.bottom - 2,
                            RGB(255, 255, 255)),
                      4);
            // Unchecked radio members show an empty ring (Small: Large is highlighted).
            RECT small{};
            GetMenuItemRect(form.hWnd(), view->popup(), 2, &small);
            EXPECT_GT(inkIn(small.left + 4, small.top + 2, small.left + 18, small.bottom - 2,
                            RGB(255, 255, 255)),
                      0);
            bool grey = false;
            for (int x = toolbar.left + 22; x < toolbar.left + 60 && !grey; ++x)
                for (int y = toolbar.top; y < toolbar.bottom && !grey; ++y)
                    grey = platform->ScreenPixel(x, y) == GetSysColor(COLOR_GRAYTEXT);
            EXPECT_TRUE(grey);
            // The picture after the mark column, and the shortcut text at the right.
            RECT refresh{};
            GetMenuItemRect(form.hWnd(), view->popup(), 5, &refresh);
            const int midY = (refresh.top + refresh.bottom) / 2;
            EXPECT_EQ(platform->ScreenPixel(refresh.left + 20 + 8, midY), RGB(255, 0, 0));
            RECT listed{};
            GetMenuItemRect(form.hWnd(), view->popup(), 6, &listed);
            EXPECT_EQ(platform->ScreenPixel(listed.left + 20 + 8, (listed.top + listed.bottom) / 2),
                      RGB(0, 0, 255));
            EXPECT_GT(inkIn(refresh.right - 30, refresh.top + 2, refresh.right - 2,
                            refresh.bottom - 2, RGB(255, 255, 255)),
                      4);
            queuePress(VK_ESCAPE);
            queuePress(VK_ESCAPE);
        };
        queueKey(VK_MENU, false);
        queuePress('V');
        queueKey(VK_MENU, true);
        pump();
        EXPECT_TRUE(probed);
        // Without ShowRadioOff the unchecked members of the group draw no mark.
        menu.ShowRadioOff(false);
        int ring = -1;
        onIdle() = [&] {
            RECT small{};  // not highlighted: the keyboard highlights the first item
            GetMenuItemRect(form.hWnd(), view->popup(), 2, &small);
            ring = 0;
            for (int y = small.top + 2; y < small.bottom - 2; ++y)
                for (int x = small.left + 4; x < small.left + 18; ++x)
                    if (platform->ScreenPixel(x, y) != RGB(255, 255, 255)) ++ring;
            queuePress(VK_ESCAPE);
            queuePress(VK_ESCAPE);
        };
        queueKey(VK_MENU, false);
        queuePress('V');
        queueKey(VK_MENU, true);
        pump();
        EXPECT_EQ(ring, 0);
        onIdle() = nullptr;
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, MenuPixelTest, ::testing::Values(96, 144));

TEST_F(MenuTest, BadCallsGiveTheirErrors) {
    Form form(u"Form1");
    auto& menu = build(form);
    EXPECT_EQ(orvane::test::errorOf([&] { menu.GetMenuItemInfo(999); }), ucMenu::kIdOutOfBounds);
    EXPECT_EQ(orvane::test::errorOf([&] { menu.GetMenuItemInfo(-1); }), ucMenu::kIdOutOfBounds);
    try {
        menu.SubMenu(Variant(std::u16string(u"nothing")));
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), ucMenu::kUnknownKey);
        EXPECT_EQ(e.description(), u"Unable to get Index from Key nothing");
    }
    // A key names a bar entry by the position of the item that carries it.
    menu.AddMenu(u"&Help", u"help", 0, 0, cMenuItem());
    EXPECT_EQ(menu.SubMenu(Variant(std::u16string(u"help")))->Caption, u"&Help");
    EXPECT_EQ(orvane::test::errorOf([&] { menu.SubMenu(Variant(std::int32_t{7})); }), 9);
    // An unknown image key draws and measures as no image.
    const auto width = [&](std::int32_t id) {
        MEASUREITEMSTRUCT mis;
        mis.CtlType = ODT_MENU;
        mis.itemID = static_cast<UINT>(id);
        SendMessageW(form.hWnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        return mis.itemWidth;
    };
    auto plain = file->AddMenu(u"Same");
    auto unknown = file->AddMenu(u"Same", u"", 0, Variant(), 0, 0, 0, u"", u"", 0, u"nope");
    EXPECT_EQ(width(unknown->ID), width(plain->ID));
    // Entries of a bar that was built again refuse new items; nothing is added anywhere. The
    // old bar is gone, and so is any menu the form had.
    const HMENU old = menu.hTopMenu();
    menu.Create(form.hWnd());
    EXPECT_FALSE(IsMenu(old));
    const std::int32_t before = MenuItemTable::current().size();
    EXPECT_EQ(orvane::test::errorOf([&] { file->AddMenu(u"late"); }), 5);
    EXPECT_EQ(MenuItemTable::current().size(), before);
    // Captions of any length and script.
    auto entry = menu.AddMenu(std::u16string(3000, u'\u05D0'));
    entry->AddMenu(u"\U0001F600 \u65E5\u672C");
    menu.ShowMenu();
    pump();
}

TEST_F(MenuTest, BarsBuiltAndDestroyedLeaveNothing) {
    Form form(u"Form1");
    auto& menu = form.add<ucMenu>(u"mnu", -1, box(0, 0, 32, 32));
    form.Show();
    for (int round = 0; round < 100; ++round) {
        menu.Create(form.hWnd());
        for (int e = 0; e < 10; ++e) {
            auto entry = menu.AddMenu(u"Entry");
            for (int i = 0; i < 19; ++i)
                entry->AddMenu(u"Item", u"", 0, Variant(std::int32_t{'A' + i}), 2);
        }
        menu.ShowMenu();
        EXPECT_EQ(MenuItemTable::current().size(), 200);
        menu.Clear();
    }
    EXPECT_FALSE(GetMenu(form.hWnd()));
    form.remove(menu);
    pump();
}

TEST_F(MenuTest, EveryPropertySurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& {
        auto& m = form.add<ucMenu>(u"ctl", -1, box(0, 0, 32, 32));
        form.Show();
        pump();
        return m;
    };
    const auto change = [](UserControl& ctl) {
        auto& m = static_cast<ucMenu&>(ctl);
        m.OwnerDrawn(false);
        m.ShowRadioOff(false);
        m.BackColor(0x336699);
        m.Transparency(200);
        m.UseSysFont(false);
        m.VerticalOrientation(1);
        m.RightToLeft(true);
    };
    const orvane::test::RoundTrip trip = orvane::test::roundTrip(u"ucMenu", make, change, {});
    EXPECT_GE(trip.compared, 7);
}

TEST_F(MenuTest, ShortcutsChooseTheirItemsWhileTheMenuIsClosed) {
    Form form(u"Form1");
    auto& menu = build(form);
    auto& events = recordItems(menu);
    platform->KeyDown(VK_CONTROL);
    key('O');
    platform->KeyUp(VK_CONTROL);
    EXPECT_EQ(events, (std::vector<std::string>{"Click Open"}));
    // The plain key, another modifier, or a greyed item's shortcut do nothing.
    key('O');
    platform->KeyDown(VK_SHIFT);
    key('O');
    platform->KeyUp(VK_SHIFT);
    file->AddMenu(u"&Save", u"", 0, Variant(std::u16string(u"s")), 2,
                  static_cast<std::int32_t>(MF_GRAYED));
    platform->KeyDown(VK_CONTROL);
    key('S');
    platform->KeyUp(VK_CONTROL);
    EXPECT_EQ(events, (std::vector<std::string>{"Click Open"}));
    // A cleared bar no longer listens.
    menu.Clear();
    platform->KeyDown(VK_CONTROL);
    key('O');
    platform->KeyUp(VK_CONTROL);
    EXPECT_EQ(events.size(), 1u);
}

TEST_F(MenuTest, AHighlightedItemsTooltipShowsOverThePopupAndTheSideBarItsCaption) {
    Form form(u"Form1");
    auto& menu = form.add<ucMenu>(u"mnu", -1, box(0, 0, 32, 32));
    form.Show();
    pump();
    menu.Create(form.hWnd());
    cMenuItem side;
    side.SidePosition = 1;
    side.SideWidth = 24;
    side.SideBackColorStart = side.SideBackColorEnd = RGB(0, 0, 128);
    side.SideForeColor = RGB(255, 255, 255);
    side.SideCaption = u"Tools";
    auto tools = menu.AddMenu(u"&Tools", u"", 0, 0, side);
    tools->AddMenu(u"&Options", u"", 0, Variant(), 0, 0, 0, u"Settings for everything");
    for (int i = 0; i < 5; ++i)
        tools->AddMenu(u"Item");
    menu.Transparency(200);
    menu.ShowMenu();
    SetWindowSubclass(form.hWnd(), idleProc, 77, 0);
    pump();
    std::u16string shownTip;
    int captionInk = 0;
    BYTE alpha = 0;
    onIdle() = [&] {
        // The pointer rests on Options: half a second later its tooltip shows.
        RECT options{};
        GetMenuItemRect(form.hWnd(), tools->popup(), 0, &options);
        SetCursorPos(options.left + 40, (options.top + options.bottom) / 2);
        const HWND popup = WindowFromPoint(POINT{options.left + 40, options.top + 4});
        GetLayeredWindowAttributes(popup, nullptr, &alpha, nullptr);
        RECT last{};
        GetMenuItemRect(form.hWnd(), tools->popup(), 5, &last);
        for (int y = options.top; y < last.bottom; ++y)
            for (int x = options.left + 1; x < options.left + 23; ++x)
                if (GetRValue(platform->ScreenPixel(x, y)) > 150) ++captionInk;
        onIdle() = [&] {
            shownTip = ControlTooltipText();
            queuePress(VK_ESCAPE);
            queuePress(VK_ESCAPE);
        };
    };
    queueKey(VK_MENU, false);
    queuePress('T');
    queueKey(VK_MENU, true);
    pump();
    EXPECT_EQ(shownTip, u"Settings for everything");
    EXPECT_EQ(alpha, 200);
    EXPECT_GT(captionInk, 10);             // white caption strokes over the dark side bar
    EXPECT_EQ(ControlTooltipText(), u"");  // gone with the menu
}

TEST_F(MenuTest, EnumMenuVisitsEveryItemAndPopUpReturnsTheChoice) {
    Form form(u"Form1");
    auto& menu = build(form);
    std::vector<std::u16string> seen;
    menu.connect(ucMenu::evItemEnum, [&](std::vector<Variant>& a) {
        seen.push_back(std::dynamic_pointer_cast<cMenuItem>(a[0].object())->Caption);
    });
    menu.EnumMenu(menu.hTopMenu());
    ASSERT_EQ(seen.size(), 12u);  // 2 entries and their 10 items
    EXPECT_EQ(seen[0], u"&File");
    EXPECT_EQ(seen[1], u"&Open");
    EXPECT_EQ(seen[4], u"&View");
    // A popup at the pointer: Down twice and Enter choose Medium.
    queuePress(VK_DOWN);
    queuePress(VK_DOWN);
    queuePress(VK_RETURN);
    const auto chosen = menu.PopUp(*view);
    EXPECT_EQ(chosen->Caption, u"&Medium");
    EXPECT_EQ(chosen->Position, 1);
    queuePress(VK_ESCAPE);
    EXPECT_EQ(menu.PopUp(*view)->ID, -1);
}

TEST_F(MenuTest, AWindowListEntryListsTheFormsChildWindows) {
    Form form(u"Form1");
    auto& menu = form.add<ucMenu>(u"mnu", -1, box(0, 0, 32, 32));
    form.Show();
    pump();
    WNDCLASSEXW wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"MdiChildTest";
    RegisterClassExW(&wc);
    std::vector<HWND> children;
    for (const char16_t* title : {u"Report.txt", u"\u65E5\u672C.txt"})
        children.push_back(CreateWindowExW(WS_EX_MDICHILD, u"MdiChildTest", title,
                                           WS_CHILD | WS_VISIBLE, 200, 60, 120, 80, form.hWnd(),
                                           HMENU(), HINSTANCE(), nullptr));
    std::vector<std::u16string> listed;
    menu.connect(ucMenu::evMDIEnumChildWindow,
                 [&](std::vector<Variant>& a) { listed.push_back(CStr(a[1])); });
    menu.Create(form.hWnd());
    cMenuItem windows;
    windows.WindowList = true;
    auto entry = menu.AddMenu(u"&Window", u"", 0, 0, windows);
    entry->AddMenu(u"&Cascade");
    menu.ShowMenu();
    menu.UpdateWindowList(u"win");
    EXPECT_EQ(listed, (std::vector<std::u16string>{u"Report.txt", u"\u65E5\u672C.txt"}));
    auto& events = recordItems(menu);
    std::string chosenKey;
    menu.connect(ucMenu::evItemClick, [&](std::vector<Variant>& a) {
        for (char16_t c : std::dynamic_pointer_cast<cMenuItem>(a[0].object())->key)
            chosenKey += static_cast<char>(c);
    });
    // Opened twice: the list is made again, not added to.
    for (int round = 0; round < 2; ++round) {
        queueKey(VK_MENU, false);
        queuePress('W');
        queueKey(VK_MENU, true);
        queuePress(VK_ESCAPE);
        queuePress(VK_ESCAPE);
        pump();
    }
    EXPECT_EQ(GetMenuItemCount(entry->popup()), 3);
    queueKey(VK_MENU, false);
    queuePress('W');
    queueKey(VK_MENU, true);
    queuePress(VK_UP);
    queuePress(VK_UP);
    queuePress(VK_RETURN);
    pump();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "Click Report.txt");
    EXPECT_EQ(chosenKey, "mdi:" + std::to_string(children[0].value));
    for (HWND c : children)
        DestroyWindow(c);
}

}  // namespace
