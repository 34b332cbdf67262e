// What the header tests share: a host window that records every notification its header
// child sends and answers as a test tells it, and a fixture that makes headers, adds items,
// reads them back and drives the mouse.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/comctl/CommCtrl.h"
#include "platform/theme/Theme.h"
#include "platform/user/Edit.h"
#include "support/PlatformTest.h"

namespace orvane::platform::test::headers {

using orvane::test::AtDpi;
using orvane::test::PlatformTest;
using Screen = platform::testing::TestPlatform;

inline constexpr int kId = 7;

// What the parent heard, one entry per WM_NOTIFY.
struct Note {
    UINT code = 0;
    int item = -1;
    int button = 0;
    UINT mask = 0;  // of pitem; 0 without one
    int cxy = 0;
    int order = 0;
    int fmt = 0;
    DWORD stage = 0;         // NM_CUSTOMDRAW
    RECT rc{};               // NM_CUSTOMDRAW, HDN_FILTERBTNCLICK
    bool addressed = false;  // hwndFrom, idFrom and wParam name the control
};

// The parent's answers: by code, by custom-draw stage, or from a hook that sees everything
// first (and may answer itself).
struct Parent {
    std::vector<Note> notes;
    std::map<UINT, LRESULT> answer;
    std::map<DWORD, LRESULT> drawAnswer;
    std::function<std::optional<LRESULT>(NMHDR*)> hook;
    std::vector<DRAWITEMSTRUCT> drawn;
    std::u16string dispText = u"Asked";
    bool keepDisp = false;
};

inline Parent& parent() {
    static Parent p;
    return p;
}

inline LRESULT hostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        Note n;
        n.code = hdr->code;
        n.addressed = hdr->idFrom == static_cast<UINT_PTR>(kId) &&
                      wParam == static_cast<WPARAM>(kId) && GetDlgCtrlID(hdr->hwndFrom) == kId;
        if (hdr->code == NM_CUSTOMDRAW) {
            auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
            n.stage = cd->dwDrawStage;
            n.item = static_cast<int>(cd->dwItemSpec);
            n.rc = cd->rc;
        } else if (hdr->code == HDN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMHDDISPINFOW*>(lParam);
            n.item = info->iItem;
            n.mask = info->mask;
            if (info->mask & HDI_TEXT) info->pszText = parent().dispText.data();
            if (info->mask & HDI_IMAGE) info->iImage = 3;
            if (parent().keepDisp) info->mask |= HDI_DI_SETITEM;
        } else if (hdr->code == HDN_FILTERBTNCLICK) {
            auto* fb = reinterpret_cast<NMHDFILTERBTNCLICK*>(lParam);
            n.item = fb->iItem;
            n.rc = fb->rc;
        } else if (hdr->code != NM_RCLICK) {
            auto* nm = reinterpret_cast<NMHEADERW*>(lParam);
            n.item = nm->iItem;
            n.button = nm->iButton;
            if (nm->pitem) {
                n.mask = nm->pitem->mask;
                n.cxy = nm->pitem->cxy;
                n.order = nm->pitem->iOrder;
                n.fmt = nm->pitem->fmt;
            }
        }
        parent().notes.push_back(n);
        if (parent().hook)
            if (auto r = parent().hook(hdr)) return *r;
        if (hdr->code == NM_CUSTOMDRAW) {
            auto it = parent().drawAnswer.find(n.stage);
            return it == parent().drawAnswer.end() ? CDRF_DODEFAULT : it->second;
        }
        auto it = parent().answer.find(hdr->code);
        return it == parent().answer.end() ? 0 : it->second;
    }
    if (msg == WM_DRAWITEM) {
        parent().drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class HeaderFixture : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        parent() = Parent{};
        INITCOMMONCONTROLSEX icc;
        icc.dwICC = ICC_LISTVIEW_CLASSES;
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        WNDCLASSEXW wc;
        wc.lpfnWndProc = hostProc;
        wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = u"HeaderHost";
        RegisterClassExW(&wc);
        host = CreateWindowExW(0, u"HeaderHost", u"", WS_POPUP | WS_VISIBLE, 100, 100, 500, 300,
                               HWND(), HMENU(), HINSTANCE(), nullptr);
        ASSERT_TRUE(host);
        SetFocus(host);
    }
    void TearDown() override {
        parent() = Parent{};
        DestroyWindow(host);
        EnableTheming(TRUE);
        PlatformTest::TearDown();
    }

    // A header placed by HDM_LAYOUT at the top of the host, `width` wide, at x.
    HWND make(DWORD style, int width = 400, int x = 0) {
        const HWND h =
            CreateWindowExW(0, WC_HEADERW, u"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, host,
                            HMENU(static_cast<std::uint32_t>(kId)), HINSTANCE(), nullptr);
        if (!h) return h;
        RECT rc{x, 0, x + width, 300};
        WINDOWPOS wp;
        HDLAYOUT hl{&rc, &wp};
        SendMessageW(h, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&hl));
        SetWindowPos(h, wp.hwndInsertAfter, wp.x, wp.y, wp.cx, wp.cy, wp.flags);
        Screen::PumpMessages();
        return h;
    }
    static int add(HWND h, const char16_t* text, int width, int fmt = HDF_STRING, int at = 100) {
        std::u16string t = text;
        HDITEMW it;
        it.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        it.pszText = t.data();
        it.cxy = width;
        it.fmt = fmt;
        return static_cast<int>(SendMessageW(h, HDM_INSERTITEMW, static_cast<WPARAM>(at),
                                             reinterpret_cast<LPARAM>(&it)));
    }
    static std::u16string textOf(HWND h, int i) {
        char16_t buffer[64] = {};
        HDITEMW it;
        it.mask = HDI_TEXT;
        it.pszText = buffer;
        it.cchTextMax = 64;
        SendMessageW(h, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&it));
        return buffer;
    }
    static RECT rectOf(HWND h, int i) {
        RECT rc{};
        SendMessageW(h, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    static std::vector<int> order(HWND h) {
        std::vector<int> o(static_cast<std::size_t>(SendMessageW(h, HDM_GETITEMCOUNT, 0, 0)));
        SendMessageW(h, HDM_GETORDERARRAY, o.size(), reinterpret_cast<LPARAM>(o.data()));
        return o;
    }
    static int rowHeight(HWND h) {
        RECT rc;
        GetClientRect(h, &rc);
        return (GetWindowLongW(h, GWL_STYLE) & HDS_FILTERBAR) ? rc.bottom / 2 : rc.bottom;
    }
    static HDHITTESTINFO hit(HWND h, int x, int y) {
        HDHITTESTINFO info;
        info.pt = POINT{x, y};
        const LRESULT r = SendMessageW(h, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(r, info.iItem);
        return info;
    }
    // Notification codes heard, leaving out custom draw and display-information requests.
    static std::vector<UINT> codes() {
        std::vector<UINT> out;
        for (const Note& n : parent().notes)
            if (n.code != NM_CUSTOMDRAW && n.code != HDN_GETDISPINFOW) out.push_back(n.code);
        return out;
    }
    // The same notifications in full.
    static std::vector<Note> told() {
        std::vector<Note> out;
        for (const Note& n : parent().notes)
            if (n.code != NM_CUSTOMDRAW && n.code != HDN_GETDISPINFOW) out.push_back(n);
        return out;
    }
    static std::vector<Note> notes(UINT code) {
        std::vector<Note> out;
        for (const Note& n : parent().notes)
            if (n.code == code) out.push_back(n);
        return out;
    }
    static void moveTo(HWND h, int x, int y) {
        const POINT p = Screen::ClientToScreenPoint(h, x, y);
        Screen::MouseMove(p.x, p.y);
    }
    // Presses and clicks wait out the double-click time first, so none makes a double click.
    void press(HWND h, int x, int y) {
        platform->AdvanceTime(GetDoubleClickTime() + 1);
        moveTo(h, x, y);
        Screen::MouseDown();
    }
    void click(HWND h, int x, int y) {
        platform->AdvanceTime(GetDoubleClickTime() + 1);
        const POINT p = Screen::ClientToScreenPoint(h, x, y);
        Screen::Click(p.x, p.y);
    }
    static COLORREF at(HWND h, int x, int y) {
        Screen::PumpMessages();
        return Screen::ClientPixel(h, x, y);
    }
    // Three items, A, B and C, 100 pixels wide each.
    HWND threeItems(DWORD style) {
        const HWND h = make(style);
        add(h, u"A", 100);
        add(h, u"B", 100);
        add(h, u"C", 100);
        parent().notes.clear();
        return h;
    }

    HWND host;
};

inline bool dark(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 0xA0;
}
inline bool bluish(COLORREF c) {
    return GetBValue(c) > GetRValue(c) + 20;
}

}  // namespace orvane::platform::test::headers
