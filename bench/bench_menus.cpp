// Menus: opening a popup menu of 30 owner-drawn items, each with a 16 × 16 picture and a line
// of text, to its first full paint. The session ends at its first idle moment (WM_ENTERIDLE),
// which comes only after the popup has painted, so one iteration is open, measure, paint,
// close; the menu is built each time, as a context menu made when needed is. Then the menu
// control: building a 200-item bar with popups from code, and opening one of its popups of 30
// items with images, drawn by the control, to its first paint.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "controls/Controls.h"
#include "controls/menu/ucMenu.h"
#include "framework/drawing/cGDIPCache.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane;
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

// A form with a menu control; its window ends each menu session at the first idle moment.
struct MenuSetup {
    testing::TestPlatform platform;
    std::unique_ptr<Form> form;
    ucMenu* menu = nullptr;
    MenuSetup() {
        setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
        registerControls(TypeLibrary::current(), ControlClasses::current());
        form = std::make_unique<Form>(u"F", true, 640 * 15, 480 * 15);
        Extender e;
        e.Move(0, 0, 32 * 15, 32 * 15);
        menu = &form->add<ucMenu>(u"mnu", -1, e);
        form->Show();
        SetWindowSubclass(form->hWnd(), &MenuSetup::endAtIdle, 1, 0);
        testing::TestPlatform::PumpMessages();
    }
    static LRESULT endAtIdle(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
        if (m == WM_ENTERIDLE) EndMenu();
        return DefSubclassProc(h, m, w, l);
    }
    // Ten entries of 19 items each: 200 items in all.
    void buildBar() {
        menu->Create(form->hWnd());
        for (int e = 0; e < 10; ++e) {
            auto entry = menu->AddMenu(u"&Entry");
            for (int i = 0; i < 19; ++i)
                entry->AddMenu(u"Item with a shortcut", u"", 0, Variant(std::int32_t{'A' + i}), 2);
        }
        menu->ShowMenu();
    }
};

void MenuControlBuild200ItemBar(benchmark::State& state) {
    MenuSetup s;
    for (auto _ : state) {
        s.buildBar();
        testing::TestPlatform::PumpMessages();
    }
}
BENCHMARK(MenuControlBuild200ItemBar)->Unit(benchmark::kMillisecond);

void MenuControlOpenPopupOf30ImageItems(benchmark::State& state) {
    MenuSetup s;
    s.menu->Create(s.form->hWnd());
    auto entry = s.menu->AddMenu(u"&File");
    // A 16 x 16 image in the control's cache, shown by every item.
    std::vector<std::uint8_t> png;
    {
        const HBITMAP bmp = CreateBitmap(16, 16, 1, 32, nullptr);
        auto picture = StdPicture::fromBitmap(bmp);
        s.menu->GC()->AddImage(u"icon", Variant(std::static_pointer_cast<Object>(picture)));
    }
    for (int i = 0; i < 30; ++i)
        entry->AddMenu(u"Owner-drawn item", u"", 0, Variant(std::int32_t{'A' + i % 26}), 2, 0, 0,
                       u"", u"", 0, u"icon");
    s.menu->ShowMenu();
    testing::TestPlatform::PumpMessages();
    for (auto _ : state) {
        TrackPopupMenuEx(entry->popup(), TPM_RETURNCMD, 200, 150, s.form->hWnd(), nullptr);
        // Popups are measured once; a new session draws every item again.
    }
}
BENCHMARK(MenuControlOpenPopupOf30ImageItems)->Unit(benchmark::kMicrosecond);

}  // namespace
