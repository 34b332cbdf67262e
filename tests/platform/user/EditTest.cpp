// The edit control as message tables: typing, keys and the mouse to selection, caret and
// notifications in order; undo and redo; limits with EN_MAXTEXT; numbers only; passwords; the
// lines of multi-line text; the cue banner shown only while empty; the clipboard.
#include <random>
#include <string>
#include <vector>

#include "platform/comctl/ToolTips.h"
#include "platform/shell/Clipboard.h"
#include "platform/user/Edit.h"
#include "platform/user/Imm.h"
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

// The keys a context menu is given once it waits for input.
std::vector<int>& menuKeys() {
    static std::vector<int> keys;
    return keys;
}

LRESULT driveMenu(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    if (m == WM_ENTERIDLE && !menuKeys().empty()) {
        for (int vk : menuKeys()) {
            keybd_event(static_cast<BYTE>(vk), 0, 0, 0);
            keybd_event(static_cast<BYTE>(vk), 0, KEYEVENTF_KEYUP, 0);
        }
        menuKeys().clear();
    }
    return DefSubclassProc(h, m, w, l);
}

std::vector<WORD>& notes() {
    static std::vector<WORD> n;
    return n;
}

// The parent records its edit's notifications and paints white.
LRESULT parentProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COMMAND) notes().push_back(HIWORD(w));
    // Edits colour themselves as their parent says: red text on yellow, grey on green when
    // read-only.
    if (m == WM_CTLCOLOREDIT || m == WM_CTLCOLORSTATIC) {
        const HDC dc(static_cast<std::uint32_t>(w));
        SetTextColor(dc, m == WM_CTLCOLOREDIT ? RGB(255, 0, 0) : RGB(128, 128, 128));
        SetDCBrushColor(dc, m == WM_CTLCOLOREDIT ? RGB(255, 255, 0) : RGB(0, 255, 0));
        return static_cast<LRESULT>(GetStockObject(DC_BRUSH).value);
    }
    return DefWindowProcW(h, m, w, l);
}

class EditTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        WNDCLASSEXW wc;
        wc.lpfnWndProc = parentProc;
        wc.lpszClassName = u"EditParent";
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        RegisterClassExW(&wc);
        parent = CreateWindowExW(0, u"EditParent", u"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                 HWND(), HMENU(), HINSTANCE(), nullptr);
        notes().clear();
    }
    void TearDown() override {
        DestroyWindow(parent);
        PlatformTest::TearDown();
    }
    HWND edit(DWORD style, const char16_t* text = u"", int w = 200, int h = 24) {
        const HWND e = CreateWindowExW(0, WC_EDITW, text, WS_CHILD | WS_VISIBLE | style, 10, 10, w,
                                       h, parent, HMENU(7), HINSTANCE(), nullptr);
        SetFocus(e);
        platform->PumpMessages();
        notes().clear();
        return e;
    }
    std::u16string text(HWND e) {
        std::u16string s(static_cast<std::size_t>(SendMessageW(e, WM_GETTEXTLENGTH, 0, 0)) + 1,
                         u'\0');
        s.resize(static_cast<std::size_t>(
            SendMessageW(e, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()))));
        return s;
    }
    std::pair<DWORD, DWORD> sel(HWND e) {
        DWORD a = 0, b = 0;
        SendMessageW(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        return {a, b};
    }
    void type(std::u16string_view s) {
        platform->TypeText(s);
        platform->PumpMessages();
    }
    void key(int vk, bool shift = false, bool ctrl = false) {
        if (shift) platform->KeyDown(VK_SHIFT);
        if (ctrl) platform->KeyDown(VK_CONTROL);
        platform->KeyPress(vk);
        if (ctrl) platform->KeyUp(VK_CONTROL);
        if (shift) platform->KeyUp(VK_SHIFT);
        platform->PumpMessages();
    }
    HWND parent;
};

using Sel = std::pair<DWORD, DWORD>;

TEST_F(EditTest, TypingAndKeysMoveTheCaretAndSelectionWithNotificationsInOrder) {
    const HWND e = edit(ES_AUTOHSCROLL);
    type(u"héllo wörld");
    EXPECT_EQ(text(e), u"héllo wörld");
    EXPECT_EQ(sel(e), Sel(11, 11));
    // Each character: EN_UPDATE, then EN_CHANGE.
    ASSERT_EQ(notes().size(), 22u);
    EXPECT_EQ(notes()[0], EN_UPDATE);
    EXPECT_EQ(notes()[1], EN_CHANGE);
    EXPECT_EQ(SendMessageW(e, EM_GETMODIFY, 0, 0), TRUE);
    // Ctrl+Left to the word's start, Shift+Ctrl+Right selects the word, typing replaces it.
    key(VK_LEFT, false, true);
    EXPECT_EQ(sel(e), Sel(6, 6));
    key(VK_HOME, true);
    EXPECT_EQ(sel(e), Sel(0, 6));
    key(VK_LEFT);  // collapses to the selection's start
    EXPECT_EQ(sel(e), Sel(0, 0));
    key(VK_RIGHT, true, true);
    EXPECT_EQ(sel(e), Sel(0, 6));
    type(u"H");
    EXPECT_EQ(text(e), u"Hwörld");
    // A cluster moves as one: an emoji with a skin tone is four units, one step.
    SendMessageW(e, EM_SETSEL, 0, -1);
    type(u"a\U0001F44D\U0001F3FDb");
    key(VK_LEFT);
    key(VK_LEFT);
    EXPECT_EQ(sel(e), Sel(1, 1));
    key(VK_DELETE);
    EXPECT_EQ(text(e), u"ab");
    // Backspace, and nothing to the left of the start.
    key(VK_HOME);
    notes().clear();
    type(u"\b");
    EXPECT_EQ(text(e), u"ab");
    EXPECT_TRUE(notes().empty());
}

TEST_F(EditTest, UndoTakesBackTypingPastingAndDeletingAndRedoesWhenRepeated) {
    const HWND e = edit(ES_AUTOHSCROLL);
    type(u"abc");
    EXPECT_EQ(SendMessageW(e, EM_CANUNDO, 0, 0), TRUE);
    SendMessageW(e, EM_UNDO, 0, 0);  // typing undoes as one step
    EXPECT_EQ(text(e), u"");
    SendMessageW(e, EM_UNDO, 0, 0);
    EXPECT_EQ(text(e), u"abc");
    // Deleting a selection, then undoing it.
    SendMessageW(e, EM_SETSEL, 1, 2);
    key(VK_DELETE);
    EXPECT_EQ(text(e), u"ac");
    type(u"\x1A");  // Ctrl+Z
    EXPECT_EQ(text(e), u"abc");
    // Pasting.
    SendMessageW(e, EM_SETSEL, 0, 3);
    SendMessageW(e, WM_COPY, 0, 0);
    SendMessageW(e, EM_SETSEL, 3, 3);
    SendMessageW(e, WM_PASTE, 0, 0);
    EXPECT_EQ(text(e), u"abcabc");
    SendMessageW(e, WM_UNDO, 0, 0);
    EXPECT_EQ(text(e), u"abc");
    SendMessageW(e, EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_EQ(SendMessageW(e, EM_CANUNDO, 0, 0), FALSE);
}

TEST_F(EditTest, LimitsNumbersAndPasswords) {
    const HWND e = edit(ES_AUTOHSCROLL);
    SendMessageW(e, EM_LIMITTEXT, 5, 0);
    EXPECT_EQ(SendMessageW(e, EM_GETLIMITTEXT, 0, 0), 5);
    SendMessageW(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"123456789"));
    EXPECT_EQ(text(e), u"12345");
    EXPECT_EQ(notes(), (std::vector<WORD>{EN_MAXTEXT, EN_UPDATE, EN_CHANGE}));
    notes().clear();
    type(u"6");
    EXPECT_EQ(notes(), (std::vector<WORD>{EN_MAXTEXT}));
    // Numbers only: letters are refused with a balloon under the caret, digits taken (and the
    // balloon goes).
    const HWND n = edit(ES_NUMBER | ES_AUTOHSCROLL);
    auto balloon = [] {
        const HWND tip = FindWindowW(TOOLTIPS_CLASSW, nullptr);
        return tip && IsWindowVisible(tip);
    };
    type(u"4a");
    EXPECT_EQ(text(n), u"4");
    EXPECT_TRUE(balloon());
    type(u"2");
    EXPECT_EQ(text(n), u"42");
    EXPECT_FALSE(balloon());
    EDITBALLOONTIP tip;
    tip.pszTitle = u"Note";
    tip.pszText = u"Digits only";
    EXPECT_EQ(SendMessageW(n, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)), TRUE);
    EXPECT_TRUE(balloon());
    SendMessageW(n, EM_HIDEBALLOONTIP, 0, 0);
    EXPECT_FALSE(balloon());
    // A password shows its character, keeps its text, and is never copied.
    const HWND p = edit(ES_PASSWORD | ES_AUTOHSCROLL);
    EXPECT_EQ(SendMessageW(p, EM_GETPASSWORDCHAR, 0, 0), 0x25CF);
    type(u"secret");
    EXPECT_EQ(text(p), u"secret");
    OpenClipboard(parent);
    EmptyClipboard();
    CloseClipboard();
    SendMessageW(p, EM_SETSEL, 0, -1);
    SendMessageW(p, WM_COPY, 0, 0);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    // Without sideways scrolling a single line takes only what fits.
    const HWND narrow = edit(0, u"", 40);
    type(u"wwwwwwwwwwwwwwwwwwww");
    EXPECT_LT(text(narrow).size(), 20u);
    EXPECT_GT(text(narrow).size(), 0u);
}

TEST_F(EditTest, MultiLineTextHasLinesAndTheCaretMovesBetweenThem) {
    const HWND e = edit(ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                        u"first\r\nsecond\nthird", 200, 80);
    EXPECT_EQ(text(e), u"first\r\nsecond\r\nthird");
    EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, 2, 0), 15);
    EXPECT_EQ(SendMessageW(e, EM_LINEFROMCHAR, 9, 0), 1);
    EXPECT_EQ(SendMessageW(e, EM_LINELENGTH, 9, 0), 6);
    char16_t buffer[16] = {10};
    EXPECT_EQ(SendMessageW(e, EM_GETLINE, 1, reinterpret_cast<LPARAM>(buffer)), 6);
    EXPECT_EQ(std::u16string(buffer, 6), u"second");
    // Down keeps the column; Enter breaks the line.
    SendMessageW(e, EM_SETSEL, 2, 2);
    key(VK_DOWN);
    const DWORD below = sel(e).first;
    EXPECT_GE(below, 8u);
    EXPECT_LE(below, 10u);
    key(VK_END);
    type(u"\r");
    EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 4);
    EXPECT_EQ(sel(e), Sel(15, 15));
    // Many lines: the caret's line is kept in view.
    for (int i = 0; i < 20; ++i)
        type(u"x\r");
    EXPECT_GT(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 10);
}

TEST_F(EditTest, TheCueBannerShowsOnlyWhileEmptyAndTheMouseSelects) {
    const HWND e = edit(ES_AUTOHSCROLL, u"", 200, 24);
    SendMessageW(e, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(u"Search"));
    char16_t cue[16] = {};
    SendMessageW(e, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 16);
    EXPECT_EQ(std::u16string(cue), u"Search");
    platform->PumpMessages();
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    auto greyPixels = [&] {
        int n = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 80; ++x)
                n += platform->ClientPixel(e, x, y) == grey;
        return n;
    };
    EXPECT_GT(greyPixels(), 5);
    type(u"a");
    EXPECT_EQ(greyPixels(), 0);
    // A double click selects the word under the pointer; a click places the caret.
    SendMessageW(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"one two three"));
    const LRESULT twoAt = SendMessageW(e, EM_POSFROMCHAR, 5, 0);
    const POINT p = platform->ClientToScreenPoint(e, LOWORD(twoAt) + 2, 8);
    platform->AdvanceTime(1000);
    platform->DoubleClick(p.x, p.y);
    platform->PumpMessages();
    EXPECT_EQ(sel(e), Sel(4, 8));
    platform->AdvanceTime(1000);
    platform->Click(p.x, p.y);
    platform->PumpMessages();
    EXPECT_EQ(sel(e).first, sel(e).second);
    EXPECT_GE(sel(e).first, 4u);
    EXPECT_LE(sel(e).first, 5u);
}

TEST_F(EditTest, MultiLineTextWithoutSidewaysScrollingWrapsAtWords) {
    const HWND e = edit(ES_MULTILINE, u"", 120, 200);
    SendMessageW(e, WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(u"the quick brown fox jumps over the lazy dog\r\nend"));
    const LRESULT lines = SendMessageW(e, EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(lines, 2);  // the first paragraph takes several rows
    // Rows break after spaces: each row but the paragraph's last ends in one, and no word is cut.
    const std::u16string all = text(e);
    for (LRESULT i = 0; i + 1 < lines; ++i) {
        const LRESULT start = SendMessageW(e, EM_LINEINDEX, static_cast<WPARAM>(i), 0);
        const LRESULT next = SendMessageW(e, EM_LINEINDEX, static_cast<WPARAM>(i + 1), 0);
        ASSERT_GT(next, start);
        if (all[static_cast<std::size_t>(next) - 1] != u'\n') {
            EXPECT_EQ(all[static_cast<std::size_t>(next) - 1], u' ') << "row " << i;
        }
    }
    EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, static_cast<WPARAM>(lines - 1), 0), 45);
    // Down moves a row, not a paragraph; the caret's row follows.
    SendMessageW(e, EM_SETSEL, 0, 0);
    key(VK_DOWN);
    const DWORD second = sel(e).first;
    EXPECT_EQ(static_cast<LRESULT>(second), SendMessageW(e, EM_LINEINDEX, 1, 0));
    EXPECT_EQ(SendMessageW(e, EM_LINEFROMCHAR, second, 0), 1);
    // Typing in the first paragraph rewraps it; the last paragraph keeps its place in the text.
    type(u"very ");
    EXPECT_EQ(SendMessageW(e, EM_LINEINDEX,
                           static_cast<WPARAM>(SendMessageW(e, EM_GETLINECOUNT, 0, 0) - 1), 0),
              50);
    // A word wider than the row breaks between characters.
    SendMessageW(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"wwwwwwwwwwwwwwwwwwwwwwwwwwwwww"));
    EXPECT_GT(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(EditTest, ScrollBarsTheWheelAndLineScrollingMoveTheTopLine) {
    const HWND e = edit(WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, u"", 200, 80);
    std::u16string lines;
    for (int i = 0; i < 40; ++i)
        lines += u"line\r\n";
    SendMessageW(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lines.c_str()));
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(e, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 40);  // 41 lines, the last empty
    EXPECT_GT(si.nPage, 1u);
    EXPECT_EQ(si.nPos, 0);
    notes().clear();
    SendMessageW(e, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
    EXPECT_EQ(notes(), (std::vector<WORD>{EN_VSCROLL}));
    SendMessageW(e, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), static_cast<LRESULT>(si.nPage));
    GetScrollInfo(e, SB_VERT, &si);
    EXPECT_EQ(si.nPos, static_cast<int>(si.nPage));
    SendMessageW(e, EM_LINESCROLL, 0, -100);  // stops at the top
    EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    // A notch of the wheel is three lines.
    SendMessageW(e, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
    // Scrolled away, the caret's line comes back into view with EM_SCROLLCARET.
    SendMessageW(e, EM_SETSEL, 0, 0);
    SendMessageW(e, EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

// The vertical bar of a wrapping box keeps its count as text is typed, pasted and deleted
// anywhere and the box is scrolled: once every row is known, the range is the row count and
// the position the first row shown, whatever was changed before.
TEST_F(EditTest, TheBarOfAWrappingBoxFollowsEveryChange) {
    const HWND e = edit(WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, u"", 160, 90);
    std::u16string text;
    for (int i = 0; i < 120; ++i) {
        text += u"paragraph";
        for (int w = 0; w < i % 9; ++w)
            text += u" with some words";
        text += u"\r\n";
    }
    SendMessageW(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    std::mt19937 rng(3);
    const char16_t* pieces[] = {u"x",      u"",     u"two words ",
                                u"a\r\nb", u"\r\n", u"wwwwwwwwwwwwwwwwwwwwwwww"};
    for (int step = 0; step < 300; ++step) {
        const auto length = static_cast<std::size_t>(GetWindowTextLengthW(e));
        const std::size_t at = rng() % (length + 1), to = std::min(length, at + rng() % 30);
        switch (rng() % 3) {
            case 0:
                SendMessageW(e, EM_SETSEL, at, rng() % 2 ? at : to);
                SendMessageW(e, EM_REPLACESEL, TRUE,
                             reinterpret_cast<LPARAM>(pieces[rng() % std::size(pieces)]));
                break;
            case 1:
                SendMessageW(e, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, rng() % 400), 0);
                break;
            default:
                SendMessageW(e, EM_SETSEL, at, at);
                SendMessageW(e, EM_SCROLLCARET, 0, 0);
                break;
        }
        // Every row worked out, then the bar asked to follow.
        const auto rows = static_cast<int>(SendMessageW(e, EM_GETLINECOUNT, 0, 0));
        SendMessageW(e, EM_LINESCROLL, 0, 0);
        SendMessageW(e, WM_VSCROLL, SB_LINEDOWN, 0);
        SendMessageW(e, WM_VSCROLL, SB_LINEUP, 0);
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(e, SB_VERT, &si);
        ASSERT_EQ(si.nMax, rows - 1) << "step " << step;
        ASSERT_EQ(si.nPos, static_cast<int>(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0)))
            << "step " << step;
    }
}

TEST_F(EditTest, TheContextMenuSelectsAllAndCuts) {
    const HWND e = edit(ES_AUTOHSCROLL, u"hello world");
    SetWindowSubclass(e, driveMenu, 1, 0);
    SendMessageW(e, EM_SETSEL, 2, 2);
    // A right click opens it; "A" chooses Select All.
    menuKeys() = {'A'};
    const POINT p = platform->ClientToScreenPoint(e, 20, 8);
    platform->Click(p.x, p.y, platform::testing::MouseButton::Right);
    platform->PumpMessages();
    EXPECT_EQ(sel(e), Sel(0, 11));
    // From the keyboard's place at the caret; "T" cuts.
    SendMessageW(e, EM_SETSEL, 0, 6);
    menuKeys() = {'T'};
    SendMessageW(e, WM_CONTEXTMENU, static_cast<WPARAM>(e.value), MAKELPARAM(-1, -1));
    platform->PumpMessages();
    EXPECT_EQ(text(e), u"world");
    OpenClipboard(parent);
    const auto* clip =
        static_cast<const char16_t*>(GlobalLock(HGLOBAL(GetClipboardData(CF_UNICODETEXT).value)));
    EXPECT_EQ(std::u16string(clip ? clip : u""), u"hello ");
    if (clip) GlobalUnlock(HGLOBAL(GetClipboardData(CF_UNICODETEXT).value));
    CloseClipboard();
    // Escape closes it, changing nothing.
    menuKeys() = {VK_ESCAPE};
    SendMessageW(e, WM_CONTEXTMENU, static_cast<WPARAM>(e.value), MAKELPARAM(-1, -1));
    EXPECT_EQ(text(e), u"world");
    RemoveWindowSubclass(e, driveMenu, 1);
}

TEST_F(EditTest, ColoursComeFromTheParentAndTheFormatRectanglePlacesTheText) {
    const HWND e = edit(ES_AUTOHSCROLL, u"WWWW", 120, 30);
    platform->PumpMessages();
    auto count = [&](COLORREF c) {
        int n = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x)
                n += platform->ClientPixel(e, x, y) == c;
        return n;
    };
    EXPECT_GT(count(RGB(255, 255, 0)), 1000);
    EXPECT_GT(count(RGB(255, 0, 0)), 10);
    SendMessageW(e, EM_SETREADONLY, TRUE, 0);
    platform->PumpMessages();
    EXPECT_EQ(count(RGB(255, 255, 0)), 0);
    EXPECT_GT(count(RGB(0, 255, 0)), 1000);
    // The text starts where the format rectangle does.
    RECT fr{40, 5, 120, 30};
    SendMessageW(e, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&fr));
    RECT back{};
    SendMessageW(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(back.left, 40);
    EXPECT_EQ(LOWORD(SendMessageW(e, EM_POSFROMCHAR, 0, 0)), 40);
    platform->PumpMessages();
    int leftOfIt = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            leftOfIt += platform->ClientPixel(e, x, y) == RGB(128, 128, 128);
    EXPECT_EQ(leftOfIt, 0);
}

TEST_F(EditTest, DraggingBelowTheTextSelectsAndScrollsOnTheClock) {
    const HWND e = edit(ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, u"", 200, 60);
    std::u16string lines;
    for (int i = 0; i < 30; ++i)
        lines += u"row\r\n";
    SendMessageW(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lines.c_str()));
    const POINT top = platform->ClientToScreenPoint(e, 2, 2);
    const POINT below = platform->ClientToScreenPoint(e, 20, 100);
    platform->MouseMove(top.x, top.y);
    platform->MouseDown();
    platform->MouseMove(below.x, below.y);
    platform->PumpMessages();
    const LRESULT first = SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0);
    platform->AdvanceTime(1000);  // ten ticks of the timer
    platform->PumpMessages();
    EXPECT_GE(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), first + 8);
    platform->MouseUp();
    platform->PumpMessages();
    EXPECT_EQ(sel(e).first, 0u);
    EXPECT_GT(sel(e).second, 30u);
    const LRESULT stopped = SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0);
    platform->AdvanceTime(1000);
    platform->PumpMessages();
    EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), stopped);
}

TEST_F(EditTest, LoneSurrogatesAndRandomInputNeverBreakIt) {
    const HWND e = edit(ES_MULTILINE, u"", 150, 60);
    const std::u16string odd{u'a', u'\xD800', u'b', u'\xDC00', u'\r', u'\n', u'\xDBFF'};
    SendMessageW(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(odd.c_str()));
    EXPECT_EQ(text(e), odd);
    // Every key, character and click in a fixed pseudo-random order; the text and selection
    // stay consistent with each other.
    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    const int keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_DELETE};
    const char16_t chars[] = {u'x', u' ', u'\r', u'\b', u'\xD83D', u'\x1A', u'\x01', u'\x16'};
    for (int i = 0; i < 400; ++i) {
        switch (next(4)) {
            case 0:
                key(keys[next(7)], next(2) == 0, next(3) == 0);
                break;
            case 1:
                SendMessageW(e, WM_CHAR, chars[next(8)], 0);
                break;
            case 2: {
                const POINT p = platform->ClientToScreenPoint(e, static_cast<int>(next(150)),
                                                              static_cast<int>(next(60)));
                platform->AdvanceTime(1000);
                platform->Click(p.x, p.y);
                break;
            }
            default:
                SendMessageW(e, EM_SETSEL, next(40), static_cast<LPARAM>(next(40)));
        }
        platform->PumpMessages();
        const auto [a, b] = sel(e);
        ASSERT_LE(a, b);
        ASSERT_LE(b, static_cast<DWORD>(text(e).size()));
    }
}

TEST_F(EditTest, TabsReachTheirStops) {
    const HWND e = edit(ES_MULTILINE | ES_AUTOHSCROLL, u"a\tb\tc", 300, 40);
    const HDC dc = GetDC(e);
    const HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(e, dc);
    const int unit = static_cast<int>(tm.tmAveCharWidth);
    const int left = LOWORD(SendMessageW(e, EM_POSFROMCHAR, 0, 0));
    auto xOf = [&](WPARAM at) { return LOWORD(SendMessageW(e, EM_POSFROMCHAR, at, 0)) - left; };
    // Every 32 dialog units (eight average characters) to start with.
    EXPECT_EQ(xOf(2), 8 * unit);
    EXPECT_EQ(xOf(4), 16 * unit);
    // Two stops, then the last interval repeats.
    const int stops[] = {12, 20};
    EXPECT_EQ(SendMessageW(e, EM_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops)), TRUE);
    EXPECT_EQ(xOf(2), 12 * unit / 4);
    EXPECT_EQ(xOf(4), 20 * unit / 4);
    // Stops out of order are refused; none goes back to the default.
    const int bad[] = {20, 12};
    EXPECT_EQ(SendMessageW(e, EM_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(bad)), FALSE);
    EXPECT_EQ(SendMessageW(e, EM_SETTABSTOPS, 0, 0), TRUE);
    EXPECT_EQ(xOf(2), 8 * unit);
    // A click right of a tab's middle lands after it.
    const POINT p = platform->ClientToScreenPoint(e, left + 8 * unit - 2, 8);
    platform->AdvanceTime(1000);
    platform->Click(p.x, p.y);
    platform->PumpMessages();
    EXPECT_EQ(sel(e).first, 2u);
}

TEST_F(EditTest, TypingRepaintsWhatAFullRepaintWould) {
    const HWND e = edit(ES_MULTILINE, u"one two three four five\r\nsix seven\r\neight", 90, 120);
    auto shot = [&] {
        std::vector<COLORREF> px;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 90; ++x)
                px.push_back(platform->ClientPixel(e, x, y));
        return px;
    };
    // Within a row, at a wrap, and a new paragraph: each time the screen matches a full repaint.
    for (const std::u16string_view typed : {u"x", u"xxxxxxxxxx", u"\r", u"\b\b"}) {
        SendMessageW(e, EM_SETSEL, 30, 30);
        type(typed);
        HideCaret(e);
        const std::vector<COLORREF> incremental = shot();
        InvalidateRect(e, nullptr, TRUE);
        platform->PumpMessages();
        EXPECT_EQ(shot(), incremental);
        ShowCaret(e);
    }
}

TEST_F(EditTest, RightToLeftRunsShowInVisualOrderAndTheCaretFollowsThem) {
    const auto xOf = [](HWND e, int at) {
        return static_cast<int>(
            static_cast<std::int16_t>(LOWORD(SendMessageW(e, EM_POSFROMCHAR, at, 0))));
    };
    const auto at = [](HWND e, int x) {
        return static_cast<int>(LOWORD(SendMessageW(e, EM_CHARFROMPOS, 0, MAKELPARAM(x, 5))));
    };
    // Hebrew in a left-to-right box: the run reads from its right end, the box from the left.
    const std::u16string hebrew = u"\u05E9\u05DC\u05D5\u05DD";
    const HWND e = edit(ES_AUTOHSCROLL, (u"ab " + hebrew).c_str());
    const int afterB = xOf(e, 2);
    EXPECT_GT(afterB, xOf(e, 0));
    EXPECT_GT(xOf(e, 3), xOf(e, 4));  // the first Hebrew letter is the run's rightmost
    EXPECT_GT(xOf(e, 4), xOf(e, 5));
    EXPECT_EQ(at(e, xOf(e, 4) + 1), 4);
    // A right-to-left box starts its lines at the right; Left moves on through the text.
    const HWND r = CreateWindowExW(WS_EX_LAYOUTRTL, WC_EDITW, hebrew.c_str(),
                                   WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 50, 200, 24, parent,
                                   HMENU(8), HINSTANCE(), nullptr);
    RECT rc{};
    GetClientRect(r, &rc);
    EXPECT_GE(xOf(r, 0), rc.right - 2);
    EXPECT_LT(xOf(r, 4), xOf(r, 0));
    EXPECT_EQ(at(r, rc.right - 1), 0);
    SetFocus(r);
    SendMessageW(r, EM_SETSEL, 0, 0);
    key(VK_LEFT);
    EXPECT_EQ(sel(r), Sel(1, 1));
    key(VK_RIGHT);
    EXPECT_EQ(sel(r), Sel(0, 0));
    // The glyphs themselves are drawn at the right.
    COLORREF ink = RGB(255, 255, 0);
    for (int x = rc.right - 40; x < rc.right && ink == RGB(255, 255, 0); ++x)
        for (int y = 2; y < rc.bottom - 2 && ink == RGB(255, 255, 0); ++y)
            ink = platform->ClientPixel(r, x, y);
    EXPECT_NE(ink, RGB(255, 255, 0));
    EXPECT_EQ(platform->ClientPixel(r, 3, rc.bottom / 2), RGB(255, 255, 0));
    DestroyWindow(r);
}

TEST_F(EditTest, AnInputMethodsCompositionShowsAtTheCaretUntilItIsCommitted) {
    const HWND e = edit(ES_AUTOHSCROLL, u"ab");
    SendMessageW(e, EM_SETSEL, 1, 1);
    POINT before{};
    GetCaretPos(&before);
    // Being composed: drawn at the caret, the caret inside it, the text itself unchanged.
    ImeCompose(u"\u2588\u2588", 1);
    platform->PumpMessages();
    EXPECT_EQ(text(e), u"ab");
    EXPECT_TRUE(notes().empty());
    POINT inside{};
    GetCaretPos(&inside);
    EXPECT_GT(inside.x, before.x);
    EXPECT_EQ(platform->ClientPixel(e, before.x + 2, 12), RGB(255, 0, 0));
    COMPOSITIONFORM form;
    ImmGetCompositionWindow(ImmGetContext(e), &form);
    EXPECT_EQ(form.ptCurrentPos.x, before.x);
    EXPECT_GT(form.ptCurrentPos.y, before.y);
    // Committed: typed as characters, one change each, and the composition gone.
    ImeCommit(u"\u00E9\u00E8");
    platform->PumpMessages();
    EXPECT_EQ(text(e), u"a\u00E9\u00E8b");
    EXPECT_EQ(sel(e), Sel(3, 3));
    EXPECT_EQ(notes(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    // An abandoned composition leaves nothing behind.
    POINT caret{};
    GetCaretPos(&caret);
    const int past = caret.x + 20;  // beyond the text, inside the composition
    EXPECT_EQ(platform->ClientPixel(e, past, 12), RGB(255, 255, 0));
    ImeCompose(u"\u2588\u2588\u2588\u2588", 4);
    platform->PumpMessages();
    EXPECT_EQ(platform->ClientPixel(e, past, 12), RGB(255, 0, 0));
    ImeCompose(u"", 0);
    platform->PumpMessages();
    EXPECT_EQ(text(e), u"a\u00E9\u00E8b");
    EXPECT_EQ(platform->ClientPixel(e, past, 12), RGB(255, 255, 0));
    EXPECT_EQ(ImmGetCompositionStringW(HIMC(77), GCS_COMPSTR, nullptr, 0), IMM_ERROR_GENERAL);
}

}  // namespace
}  // namespace orvane::test
