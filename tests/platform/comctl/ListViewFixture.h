// What the list view tests share: a host window that records the notifications its list sends
// (code, item, sub-item and states) and answers as a test tells it, and helpers that make lists,
// add columns and items, read them back and click items.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/comctl/CommCtrl.h"
#include "platform/theme/Theme.h"
#include "support/PlatformTest.h"

namespace orvane::platform::test::lists {

using orvane::test::PlatformTest;
using Screen = platform::testing::TestPlatform;

// What the parent heard: the code and, for item notifications, the item and its states.
struct Heard {
    UINT code;
    int item = -1;
    int subItem = 0;
    UINT oldState = 0, newState = 0, changed = 0;
    bool operator==(const Heard&) const = default;
};

class ListViewTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        INITCOMMONCONTROLSEX icc;
        icc.dwICC = ICC_LISTVIEW_CLASSES;
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        current = this;
        WNDCLASSEXW wc;
        wc.lpfnWndProc = parentProc;
        wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = u"ListViewHost";
        RegisterClassExW(&wc);
        host = CreateWindowExW(0, u"ListViewHost", u"", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400,
                               HWND(), HMENU(), HINSTANCE(), nullptr);
    }
    void TearDown() override {
        DestroyWindow(host);
        current = nullptr;
        EnableTheming(TRUE);
        PlatformTest::TearDown();
    }

    static LRESULT parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NOTIFY && current) {
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            if (current->answer) {
                LRESULT r = 0;
                if (current->answer(hdr, r)) return r;
            }
            current->record(*hdr);
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    void record(const NMHDR& hdr) {
        if (hdr.code == NM_CUSTOMDRAW || hdr.code == LVN_GETDISPINFOW ||
            hdr.code == LVN_ODCACHEHINT || hdr.code == LVN_HOTTRACK)
            return;
        Heard h{hdr.code};
        if (hdr.code == LVN_ITEMCHANGED || hdr.code == LVN_ITEMCHANGING ||
            hdr.code == LVN_INSERTITEM || hdr.code == LVN_DELETEITEM ||
            hdr.code == LVN_COLUMNCLICK || hdr.code == LVN_BEGINDRAG) {
            const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
            h.item = nm.iItem;
            h.subItem = nm.iSubItem;
            h.oldState = nm.uOldState;
            h.newState = nm.uNewState;
            h.changed = nm.uChanged;
        } else if (hdr.code == NM_CLICK || hdr.code == NM_DBLCLK || hdr.code == NM_RCLICK) {
            h.item = reinterpret_cast<const NMITEMACTIVATE&>(hdr).iItem;
        }
        heard.push_back(h);
    }

    HWND list(DWORD style, int w = 300, int h = 200) {
        const HWND lv = CreateWindowExW(0, WC_LISTVIEWW, u"", WS_CHILD | WS_VISIBLE | style, 10, 10,
                                        w, h, host, HMENU(), HINSTANCE(), nullptr);
        Screen::PumpMessages();
        return lv;
    }
    static void addColumn(HWND lv, int at, const char16_t* text, int width, int fmt = LVCFMT_LEFT) {
        LVCOLUMNW c;
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        c.pszText = const_cast<LPWSTR>(text);
        c.cx = width;
        c.fmt = fmt;
        SendMessageW(lv, LVM_INSERTCOLUMNW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&c));
    }
    static int addItem(HWND lv, int at, std::u16string text, LPARAM param = 0) {
        LVITEMW it;
        it.mask = LVIF_TEXT | LVIF_PARAM;
        it.iItem = at;
        it.pszText = text.data();
        it.lParam = param;
        return static_cast<int>(
            SendMessageW(lv, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
    }
    static void setText(HWND lv, int item, int sub, std::u16string text) {
        LVITEMW it;
        it.iSubItem = sub;
        it.pszText = text.data();
        SendMessageW(lv, LVM_SETITEMTEXTW, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(&it));
    }
    static std::u16string textOf(HWND lv, int item, int sub = 0) {
        char16_t buffer[300] = {};
        LVITEMW it;
        it.iSubItem = sub;
        it.pszText = buffer;
        it.cchTextMax = 300;
        SendMessageW(lv, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(&it));
        return buffer;
    }
    static UINT stateOf(HWND lv, int item, UINT mask = LVIS_SELECTED | LVIS_FOCUSED) {
        return static_cast<UINT>(
            SendMessageW(lv, LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
    }
    static RECT itemRect(HWND lv, int item, int portion = LVIR_LABEL) {
        RECT r{portion, 0, 0, 0};
        SendMessageW(lv, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // Clicks the middle of an item's label, with keys held.
    void clickItem(HWND lv, int item, std::initializer_list<int> keys = {}) {
        const RECT r = itemRect(lv, item);
        for (int k : keys)
            Screen::KeyDown(k);
        const POINT p = Screen::ClientToScreenPoint(lv, r.left + 4, (r.top + r.bottom) / 2);
        Screen::Click(p.x, p.y);
        for (int k : keys)
            Screen::KeyUp(k);
        Screen::PumpMessages();
    }
    std::vector<Heard> heardOf(std::initializer_list<UINT> codes) const {
        std::vector<Heard> out;
        for (const Heard& h : heard)
            if (std::find(codes.begin(), codes.end(), h.code) != codes.end()) out.push_back(h);
        return out;
    }

    static inline ListViewTest* current = nullptr;
    HWND host;
    std::vector<Heard> heard;
    std::function<bool(NMHDR*, LRESULT&)> answer;
};

}  // namespace orvane::platform::test::lists
