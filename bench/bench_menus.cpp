// Menus: opening a popup menu of 30 owner-drawn items, each with a 16 × 16 picture and a line
// of text, to its first full paint. The session ends at its first idle moment (WM_ENTERIDLE),
// which comes only after the popup has painted, so one iteration is open, measure, paint,
// close; the menu is built each time, as a context menu made when needed is.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane::platform;

namespace {

HBITMAP g_picture;
int g_drawn = 0;

LRESULT ownerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            mis->itemWidth = 180;
            mis->itemHeight = 24;
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            const bool selected = dis->itemState & ODS_SELECTED;
            FillRect(dis->hDC, &dis->rcItem,
                     GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
            HDC mem = CreateCompatibleDC(dis->hDC);
            HGDIOBJ old = SelectObject(mem, g_picture);
            BitBlt(dis->hDC, dis->rcItem.left + 4, dis->rcItem.top + 4, 16, 16, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
            SetBkMode(dis->hDC, TRANSPARENT);
            const std::u16string text =
                u"Owner-drawn item " + std::u16string(1, u'A' + dis->itemID % 26);
            TextOutW(dis->hDC, dis->rcItem.left + 28, dis->rcItem.top + 4, text.data(),
                     static_cast<int>(text.size()));
            ++g_drawn;
            return TRUE;
        }
        case WM_ENTERIDLE:
            EndMenu();
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void OpenOwnerDrawnPopupOf30Items(benchmark::State& state) {
    setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
    testing::TestPlatform platform;
    WNDCLASSEXW wc;
    wc.lpfnWndProc = ownerProc;
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = u"BenchMenuOwner";
    RegisterClassExW(&wc);
    HWND owner = CreateWindowExW(0, u"BenchMenuOwner", u"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 100, 100, 640, 480, HWND(), HMENU(), HINSTANCE(), nullptr);
    g_picture = CreateBitmap(16, 16, 1, 32, nullptr);
    platform.PumpMessages();
    for (auto _ : state) {
        g_drawn = 0;
        // A context menu built when it is needed: every item is measured and drawn.
        HMENU menu = CreatePopupMenu();
        for (UINT i = 1; i <= 30; ++i)
            AppendMenuW(menu, MF_OWNERDRAW, i, reinterpret_cast<LPCWSTR>(std::uintptr_t{i}));
        TrackPopupMenuEx(menu, TPM_RETURNCMD, 200, 150, owner, nullptr);
        DestroyMenu(menu);
        if (g_drawn < 30) {
            state.SkipWithError("the popup was not painted in full");
            break;
        }
    }
    DeleteObject(g_picture);
    DestroyWindow(owner);
}
BENCHMARK(OpenOwnerDrawnPopupOf30Items)->Unit(benchmark::kMicrosecond);

}  // namespace
