// The tree view window ("SysTreeView32") with 100,000 items, 1,000 parents of 99 children
// each named as the peers name theirs ("Node 12", "Node 12.7"; one TVM_INSERTITEMW apiece,
// TVI_LAST): filling it and painting its first page; expanding every parent and painting
// a 400 x 600 window; and scrolling the expanded tree a page and painting again (back to the
// top on reaching the bottom, so every iteration scrolls).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/comctl/CommCtrl.h"
#include "platform/testing.h"

namespace {

using namespace orvane::platform;

constexpr int kParents = 1000;
constexpr int kChildren = 99;  // with its parent, 100 items a branch: 100,000 in all

// A shown 800 x 600 window for the trees to live in.
struct Setup {
    testing::TestPlatform platform;
    HWND parent;
    HFONT font;  // DejaVu Sans 9 pt
    Setup() {
        setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
        INITCOMMONCONTROLSEX icc;
        icc.dwICC = ICC_TREEVIEW_CLASSES;
        InitCommonControlsEx(&icc);
        WNDCLASSEXW wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = u"BenchTreeParent";
        RegisterClassExW(&wc);
        parent = CreateWindowExW(0, u"BenchTreeParent", u"", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600,
                                 HWND(), HMENU(), HINSTANCE(), nullptr);
        font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           u"DejaVu Sans");
        platform.PumpMessages();
    }
    ~Setup() {
        DestroyWindow(parent);
        DeleteObject(font);
    }
};

HWND makeTree(const Setup& s) {
    const HWND tv =
        CreateWindowExW(0, WC_TREEVIEWW, u"",
                        WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0,
                        0, 400, 600, s.parent, HMENU(1), HINSTANCE(), nullptr);
    SendMessageW(tv, WM_SETFONT, static_cast<WPARAM>(s.font.value), FALSE);
    return tv;
}

std::u16string number(int n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

// Fills the tree; returns the parents.
std::vector<HTREEITEM> fill(HWND tv) {
    std::vector<HTREEITEM> parents;
    parents.reserve(kParents);
    std::u16string text;
    TVINSERTSTRUCTW ins;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    for (int p = 0; p < kParents; ++p) {
        text = u"Node " + number(p + 1);
        ins.hParent = TVI_ROOT;
        ins.item.pszText = text.data();
        ins.item.lParam = p;
        const auto parent = HTREEITEM(static_cast<std::uint32_t>(
            SendMessageW(tv, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins))));
        parents.push_back(parent);
        ins.hParent = parent;
        for (int c = 0; c < kChildren; ++c) {
            text = u"Node " + number(p + 1) + u"." + number(c + 1);
            ins.item.pszText = text.data();
            ins.item.lParam = c;
            SendMessageW(tv, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins));
        }
    }
    return parents;
}

void TreeInsert100k(benchmark::State& state) {
    Setup s;
    for (auto _ : state) {
        state.PauseTiming();
        const HWND tv = makeTree(s);
        s.platform.PumpMessages();
        state.ResumeTiming();
        benchmark::DoNotOptimize(fill(tv));
        UpdateWindow(tv);
        state.PauseTiming();
        DestroyWindow(tv);
        s.platform.PumpMessages();
        state.ResumeTiming();
    }
}
BENCHMARK(TreeInsert100k)->Unit(benchmark::kMillisecond);

void TreeExpandAllAndPaint(benchmark::State& state) {
    Setup s;
    for (auto _ : state) {
        state.PauseTiming();
        const HWND tv = makeTree(s);
        const std::vector<HTREEITEM> parents = fill(tv);
        s.platform.PumpMessages();
        UpdateWindow(tv);
        state.ResumeTiming();
        for (const HTREEITEM p : parents)
            SendMessageW(tv, TVM_EXPAND, TVE_EXPAND, static_cast<LPARAM>(p.value));
        s.platform.PumpMessages();
        UpdateWindow(tv);
        state.PauseTiming();
        DestroyWindow(tv);
        s.platform.PumpMessages();
        state.ResumeTiming();
    }
}
BENCHMARK(TreeExpandAllAndPaint)->Unit(benchmark::kMillisecond);

void TreeScrollPage(benchmark::State& state) {
    Setup s;
    const HWND tv = makeTree(s);
    for (const HTREEITEM p : fill(tv))
        SendMessageW(tv, TVM_EXPAND, TVE_EXPAND, static_cast<LPARAM>(p.value));
    s.platform.PumpMessages();
    UpdateWindow(tv);
    auto firstShown = [&] { return SendMessageW(tv, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0); };
    std::int64_t pages = 0;
    for (auto _ : state) {
        const LRESULT before = firstShown();
        SendMessageW(tv, WM_VSCROLL, SB_PAGEDOWN, 0);
        // At the bottom, back to the top: every iteration scrolls and paints.
        if (firstShown() == before) SendMessageW(tv, WM_VSCROLL, SB_TOP, 0);
        UpdateWindow(tv);
        ++pages;
    }
    state.counters["pages"] = static_cast<double>(pages);
    DestroyWindow(tv);
}
BENCHMARK(TreeScrollPage)->Unit(benchmark::kMicrosecond);

}  // namespace
