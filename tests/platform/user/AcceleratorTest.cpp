// Keyboard accelerators: which key messages a table translates (exact modifiers for virtual
// keys, case for characters, Alt for system characters), the WM_COMMAND they send, copying a
// table, and handles that are wrong.
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

class AcceleratorTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        hwnd = MessageLog::create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100);
        ASSERT_TRUE(hwnd);
        table = CreateAcceleratorTableW(kEntries, static_cast<int>(std::size(kEntries)));
        ASSERT_TRUE(table);
        platform->PumpMessages();
        log().clear();
    }
    void TearDown() override {
        DestroyAcceleratorTable(table);
        DestroyWindow(hwnd);
        PlatformTest::TearDown();
    }
    // Offers a key message; returns the command it sent (0 when none) and checks the result
    // agrees.
    int offer(UINT message, WPARAM key) {
        log().clear();
        MSG m{};
        m.hwnd = hwnd;
        m.message = message;
        m.wParam = key;
        const int translated = TranslateAcceleratorW(hwnd, table, &m);
        int command = 0;
        for (const Logged& l : log().entries())
            if (l.hwnd == hwnd && l.msg == WM_COMMAND) {
                EXPECT_EQ(HIWORD(l.wParam), 1) << "an accelerator's WM_COMMAND";
                EXPECT_EQ(l.lParam, 0);
                command = LOWORD(l.wParam);
            }
        EXPECT_EQ(translated != 0, command != 0);
        return command;
    }

    static constexpr ACCEL kEntries[] = {
        {FVIRTKEY | FCONTROL, 'S', 100},
        {FVIRTKEY | FCONTROL | FSHIFT, 'S', 104},
        {FVIRTKEY | FNOINVERT, (VK_F1 + 4), 101},
        {0, 'x', 102},
        {FALT, 'q', 103},
        {FVIRTKEY | FALT, VK_RETURN, 105},
    };
    HWND hwnd;
    HACCEL table;
};

TEST_F(AcceleratorTest, KeysTranslateOnlyWithTheirExactModifiers) {
    EXPECT_EQ(offer(WM_KEYDOWN, (VK_F1 + 4)), 101);
    EXPECT_EQ(offer(WM_KEYDOWN, 'S'), 0) << "without Ctrl";
    EXPECT_EQ(offer(WM_KEYUP, (VK_F1 + 4)), 0) << "releases never translate";
    platform->KeyDown(VK_CONTROL);
    EXPECT_EQ(offer(WM_KEYDOWN, 'S'), 100);
    EXPECT_EQ(offer(WM_KEYDOWN, (VK_F1 + 4)), 0) << "Ctrl is not part of F5's entry";
    platform->KeyDown(VK_SHIFT);
    EXPECT_EQ(offer(WM_KEYDOWN, 'S'), 104);
    platform->KeyUp(VK_SHIFT);
    platform->KeyUp(VK_CONTROL);
    platform->KeyDown(VK_MENU);
    EXPECT_EQ(offer(WM_SYSKEYDOWN, VK_RETURN), 105);
    platform->KeyUp(VK_MENU);
    EXPECT_EQ(offer(WM_KEYDOWN, VK_RETURN), 0);
    // Characters compare exactly; an Alt character entry wants WM_SYSCHAR.
    EXPECT_EQ(offer(WM_CHAR, 'x'), 102);
    EXPECT_EQ(offer(WM_CHAR, 'X'), 0);
    EXPECT_EQ(offer(WM_KEYDOWN, 'X'), 0) << "a character entry is not a virtual key";
    EXPECT_EQ(offer(WM_SYSCHAR, 'q'), 103);
    EXPECT_EQ(offer(WM_CHAR, 'q'), 0);
}

// A command the menu bar holds is prepared as though its menu opened, and a disabled item sends
// nothing (the key still counts as translated); other commands go straight.
TEST_F(AcceleratorTest, MenuCommandsArePreparedAndDisabledOnesSendNothing) {
    const HMENU bar = CreateMenu(), file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 100, u"&Save\tCtrl+S");
    AppendMenuW(file, MF_STRING, 101, u"&Refresh\tF5");
    AppendMenuW(bar, MF_POPUP, static_cast<UINT_PTR>(file.value), u"&File");
    ASSERT_TRUE(SetMenu(hwnd, bar));
    platform->KeyDown(VK_CONTROL);
    log().clear();
    MSG m{};
    m.message = WM_KEYDOWN;
    m.wParam = 'S';
    EXPECT_EQ(TranslateAcceleratorW(hwnd, table, &m), 1);
    const std::vector<Expected> prepared = {
        {WM_INITMENU, Expected::WParam, static_cast<WPARAM>(bar.value)},
        {WM_INITMENUPOPUP, Expected::WParam | Expected::LParam, static_cast<WPARAM>(file.value),
         MAKELPARAM(0, FALSE)},
        {WM_COMMAND, Expected::WParam, MAKEWPARAM(100, 1)},
    };
    EXPECT_EQ(log().compare(hwnd, HWND(), prepared, {WM_KEYDOWN, WM_KEYUP}), "");
    EnableMenuItem(bar, 100, MF_BYCOMMAND | MF_GRAYED);
    log().clear();
    EXPECT_EQ(TranslateAcceleratorW(hwnd, table, &m), 1);
    EXPECT_EQ(log().count(hwnd, WM_COMMAND), 0) << "a disabled item sends nothing";
    EXPECT_EQ(log().count(hwnd, WM_INITMENU), 1);
    platform->KeyUp(VK_CONTROL);
    EXPECT_EQ(offer(WM_CHAR, 'x'), 102);
    EXPECT_EQ(log().count(hwnd, WM_INITMENU), 0) << "not a menu command";
    SetMenu(hwnd, HMENU());
    DestroyMenu(bar);
}

TEST_F(AcceleratorTest, TablesCopyAndWrongHandlesFail) {
    EXPECT_EQ(CopyAcceleratorTableW(table, nullptr, 0), 6);
    ACCEL two[2];
    EXPECT_EQ(CopyAcceleratorTableW(table, two, 2), 2);
    EXPECT_EQ(two[1].cmd, 104);
    EXPECT_EQ(two[1].fVirt, FVIRTKEY | FCONTROL | FSHIFT);
    MSG m{};
    m.message = WM_KEYDOWN;
    m.wParam = (VK_F1 + 4);
    EXPECT_EQ(TranslateAcceleratorW(HWND(0x7777), table, &m), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    const HACCEL gone = CreateAcceleratorTableW(kEntries, 1);
    ASSERT_TRUE(DestroyAcceleratorTable(gone));
    EXPECT_FALSE(DestroyAcceleratorTable(gone));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_ACCEL_HANDLE);
    EXPECT_EQ(TranslateAcceleratorW(hwnd, gone, &m), 0);
    EXPECT_EQ(TranslateAcceleratorW(hwnd, table, nullptr), 0);
    EXPECT_FALSE(CreateAcceleratorTableW(nullptr, 3));
    EXPECT_FALSE(CreateAcceleratorTableW(kEntries, 0));
    const ACCEL unknown{0x80, 'a', 1};
    EXPECT_FALSE(CreateAcceleratorTableW(&unknown, 1)) << "an unknown flag fails loudly";
    // A thousand tables made and destroyed leave no USER object (the fixture counts them).
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(DestroyAcceleratorTable(CreateAcceleratorTableW(kEntries, 6)));
}

}  // namespace
}  // namespace orvane::test
