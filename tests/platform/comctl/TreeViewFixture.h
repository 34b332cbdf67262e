// What the tree view tests share: a host window that records every notification its tree
// sends (code, items, action) and answers as a test tells it, and helpers that make trees,
// insert items, read them back and click at an item's parts.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/comctl/CommCtrl.h"
#include "platform/theme/Theme.h"
#include "platform/user/Edit.h"
#include "support/PlatformTest.h"

namespace orvane::platform::test::trees {

using orvane::test::PlatformTest;
using Screen = platform::testing::TestPlatform;

inline constexpr int kId = 5;

// One notification as the parent heard it.
struct Heard {
    Heard(UINT c, HTREEITEM o = {}, HTREEITEM n = {}, UINT a = 0)
        : code(c), oldItem(o), newItem(n), action(a) {}
    UINT code;
    HTREEITEM oldItem, newItem;
    UINT action;
    bool operator==(const Heard&) const = default;
};

class TreeViewFixture : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        INITCOMMONCONTROLSEX icc;
        icc.dwICC = ICC_TREEVIEW_CLASSES;
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        current = this;
        WNDCLASSEXW wc;
        wc.lpfnWndProc = hostProc;
        wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = u"TreeHost";
        RegisterClassExW(&wc);
        host = CreateWindowExW(0, u"TreeHost", u"", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400, HWND(),
                               HMENU(), HINSTANCE(), nullptr);
    }
    void TearDown() override {
        DestroyWindow(host);
        current = nullptr;
        EnableTheming(TRUE);
        PlatformTest::TearDown();
    }

    static LRESULT hostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NOTIFY && current) {
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            if (current->hook) {
                if (const std::optional<LRESULT> r = current->hook(hdr)) {
                    current->record(*hdr);
                    return *r;
                }
            }
            current->record(*hdr);
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    void record(const NMHDR& hdr) {
        if (hdr.code == NM_CUSTOMDRAW || hdr.code == TVN_GETDISPINFOW) return;
        Heard h(hdr.code);
        switch (hdr.code) {
            case TVN_SELCHANGINGW:
            case TVN_SELCHANGEDW:
            case TVN_ITEMEXPANDINGW:
            case TVN_ITEMEXPANDEDW:
            case TVN_DELETEITEMW:
            case TVN_BEGINDRAGW:
            case TVN_BEGINRDRAGW:
            case TVN_SINGLEEXPAND: {
                const auto& nm = reinterpret_cast<const NMTREEVIEWW&>(hdr);
                h.oldItem = nm.itemOld.hItem;
                h.newItem = nm.itemNew.hItem;
                h.action = nm.action;
                break;
            }
            case TVN_ITEMCHANGINGW:
            case TVN_ITEMCHANGEDW: {
                // The item, and the state images it goes from and to.
                const auto& nm = reinterpret_cast<const NMTVITEMCHANGE&>(hdr);
                h.newItem = nm.hItem;
                h.action = (nm.uStateOld & TVIS_STATEIMAGEMASK) >> 12 |
                           ((nm.uStateNew & TVIS_STATEIMAGEMASK) >> 12) << 4;
                break;
            }
            case TVN_BEGINLABELEDITW:
            case TVN_ENDLABELEDITW:
                h.newItem = reinterpret_cast<const NMTVDISPINFOW&>(hdr).item.hItem;
                break;
            default:
                break;
        }
        heard.push_back(h);
    }
    // Only the notifications with these codes, in order.
    std::vector<Heard> heardOf(std::initializer_list<UINT> codes) const {
        std::vector<Heard> out;
        for (const Heard& h : heard)
            if (std::find(codes.begin(), codes.end(), h.code) != codes.end()) out.push_back(h);
        return out;
    }
    std::vector<UINT> codes(std::initializer_list<UINT> only = {}) const {
        std::vector<UINT> out;
        for (const Heard& h : heard)
            if (only.size() == 0 || std::find(only.begin(), only.end(), h.code) != only.end())
                out.push_back(h.code);
        return out;
    }

    HWND tree(DWORD style, int w = 300, int h = 200) {
        const HWND tv = CreateWindowExW(0, WC_TREEVIEWW, u"", WS_CHILD | WS_VISIBLE | style, 10, 10,
                                        w, h, host, HMENU(kId), HINSTANCE(), nullptr);
        Screen::PumpMessages();
        return tv;
    }
    static HTREEITEM add(HWND tv, HTREEITEM parent, std::u16string text, HTREEITEM after = TVI_LAST,
                         LPARAM param = 0) {
        TVINSERTSTRUCTW ins;
        ins.hParent = parent;
        ins.hInsertAfter = after;
        ins.item.mask = TVIF_TEXT | TVIF_PARAM;
        ins.item.pszText = text.data();
        ins.item.lParam = param;
        return HTREEITEM(static_cast<std::uint32_t>(
            SendMessageW(tv, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins))));
    }
    static std::u16string textOf(HWND tv, HTREEITEM item, int size = 300) {
        std::vector<char16_t> buffer(static_cast<std::size_t>(std::max(size, 1)), u'?');
        TVITEMW it;
        it.mask = TVIF_TEXT | TVIF_HANDLE;
        it.hItem = item;
        it.pszText = buffer.data();
        it.cchTextMax = size;
        if (!SendMessageW(tv, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it))) return u"<fail>";
        return buffer.data();
    }
    static HTREEITEM next(HWND tv, HTREEITEM item, UINT code) {
        return HTREEITEM(static_cast<std::uint32_t>(
            SendMessageW(tv, TVM_GETNEXTITEM, code, static_cast<LPARAM>(item.value))));
    }
    // The labels of an item's children in order (TVI_ROOT: the top level).
    static std::vector<std::u16string> children(HWND tv, HTREEITEM parent) {
        std::vector<std::u16string> out;
        HTREEITEM c =
            parent == TVI_ROOT ? next(tv, HTREEITEM{}, TVGN_ROOT) : next(tv, parent, TVGN_CHILD);
        for (; c; c = next(tv, c, TVGN_NEXT))
            out.push_back(textOf(tv, c));
        return out;
    }
    static LRESULT expand(HWND tv, HTREEITEM item, UINT code) {
        return SendMessageW(tv, TVM_EXPAND, code, static_cast<LPARAM>(item.value));
    }
    static LRESULT select(HWND tv, HTREEITEM item, UINT code = TVGN_CARET) {
        return SendMessageW(tv, TVM_SELECTITEM, code, static_cast<LPARAM>(item.value));
    }
    static UINT stateOf(HWND tv, HTREEITEM item, UINT mask = 0xFFFF) {
        return static_cast<UINT>(
            SendMessageW(tv, TVM_GETITEMSTATE, static_cast<WPARAM>(item.value), mask));
    }
    static RECT rectOf(HWND tv, HTREEITEM item, bool textOnly = true) {
        RECT r{};
        r.left = static_cast<LONG>(item.value);
        if (!SendMessageW(tv, TVM_GETITEMRECT, textOnly ? TRUE : FALSE,
                          reinterpret_cast<LPARAM>(&r)))
            return RECT{-1, -1, -1, -1};
        return r;
    }
    static TVHITTESTINFO hit(HWND tv, int x, int y) {
        TVHITTESTINFO info;
        info.pt = POINT{x, y};
        SendMessageW(tv, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    }
    // Clicks a client point of the tree.
    static void clickAt(HWND tv, int x, int y) {
        const POINT p = Screen::ClientToScreenPoint(tv, x, y);
        Screen::Click(p.x, p.y);
        Screen::PumpMessages();
    }
    static void clickLabel(HWND tv, HTREEITEM item) {
        const RECT r = rectOf(tv, item);
        clickAt(tv, r.left + 3, (r.top + r.bottom) / 2);
    }

    static inline TreeViewFixture* current = nullptr;
    HWND host;
    std::vector<Heard> heard;
    // Sees every notification first; an answer it gives is returned to the tree.
    std::function<std::optional<LRESULT>(NMHDR*)> hook;
};

}  // namespace orvane::platform::test::trees
