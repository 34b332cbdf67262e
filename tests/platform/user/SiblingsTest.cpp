// Windows with many children: their z-order, the order WM_PAINT reaches them, clipping to the
// siblings in front and the children a parent's invalidation reaches, each checked against
// what GetWindow's order and the children's rectangles say it must be.
#include <algorithm>
#include <functional>
#include <random>

#include "platform/display/headless/HeadlessScreen.h"
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

std::vector<HWND>& painted() {
    static std::vector<HWND> v;
    return v;
}

// Called after a tile has painted, so a test can change things in the middle of the pump.
std::function<void(HWND)>& afterPaint() {
    static std::function<void(HWND)> f;
    return f;
}

// Tiles fill their client area with the colour kept in GWLP_USERDATA and note each WM_PAINT.
LRESULT tileProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_PAINT) {
        painted().push_back(h);
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(h, &ps);
        RECT rc;
        GetClientRect(h, &rc);
        SetDCBrushColor(hdc, static_cast<COLORREF>(GetWindowLongPtrW(h, GWLP_USERDATA)));
        FillRect(hdc, &rc, HBRUSH(GetStockObject(DC_BRUSH)));
        EndPaint(h, &ps);
        if (afterPaint()) afterPaint()(h);
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

class SiblingsTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        WNDCLASSEXW wc;
        wc.lpfnWndProc = tileProc;
        wc.lpszClassName = u"Tile";
        RegisterClassExW(&wc);
        painted().clear();
        afterPaint() = nullptr;
    }
    void TearDown() override {
        afterPaint() = nullptr;
        PlatformTest::TearDown();
    }

    HWND tile(COLORREF color, DWORD style, const RECT& r, HWND parent = HWND()) {
        HWND hwnd = CreateWindowExW(0, u"Tile", u"", style, r.left, r.top, r.right - r.left,
                                    r.bottom - r.top, parent, HMENU(), HINSTANCE(), nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(color));
        return hwnd;
    }

    // A parent at the screen's corner with `count` children in rows of ten, front to back in
    // creation order.
    std::vector<HWND> grid(HWND parent, int count, DWORD style, int size = 30, int step = 34) {
        std::vector<HWND> out;
        for (int i = 0; i < count; ++i) {
            const int x = i % 10 * step, y = i / 10 * step;
            out.push_back(tile(color(i), style, RECT{x, y, x + size, y + size}, parent));
        }
        return out;
    }

    static COLORREF color(int i) { return RGB(20 + i * 5 % 200, 255 - i * 3 % 200, i * 37 % 256); }

    // The children front to back, by GW_HWNDNEXT; the walk back by GW_HWNDPREV must agree.
    static std::vector<HWND> zOrder(HWND parent) {
        std::vector<HWND> out;
        for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            out.push_back(w);
        std::vector<HWND> back;
        if (!out.empty())
            for (HWND w = GetWindow(out.front(), GW_HWNDLAST); w; w = GetWindow(w, GW_HWNDPREV))
                back.push_back(w);
        std::reverse(back.begin(), back.end());
        EXPECT_EQ(out, back);
        return out;
    }

    static RECT rectInParent(HWND child) {
        RECT rc;
        GetWindowRect(child, &rc);
        MapWindowPoints(HWND(), GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
};

TEST_F(SiblingsTest, ZOrderFollowsEveryKindOfRestacking) {
    HWND parent = tile(RGB(255, 0, 0), WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 400});
    std::vector<HWND> model = grid(parent, 60, WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(zOrder(parent), model);  // children join at the bottom
    std::mt19937 rng(3);
    for (int step = 0; step < 300; ++step) {
        const HWND w = model[rng() % model.size()];
        const int kind = static_cast<int>(rng() % 3);
        std::erase(model, w);
        if (kind == 0) {
            ASSERT_TRUE(SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
            model.insert(model.begin(), w);
        } else if (kind == 1) {
            ASSERT_TRUE(SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
            model.push_back(w);
        } else {
            const HWND after = model[rng() % model.size()];
            ASSERT_TRUE(SetWindowPos(w, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
            model.insert(std::find(model.begin(), model.end(), after) + 1, w);
        }
        if (step % 50 == 0) {
            ASSERT_EQ(zOrder(parent), model);
        }
    }
    EXPECT_EQ(zOrder(parent), model);
    EXPECT_EQ(GetTopWindow(parent), model.front());
    EXPECT_EQ(GetWindow(model.front(), GW_HWNDLAST), model.back());
    std::vector<HWND> enumerated;
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&enumerated));
    EXPECT_EQ(enumerated, model);
    // Destroying children takes them out of the order.
    DestroyWindow(model[10]);
    DestroyWindow(model.front());
    DestroyWindow(model.back());
    model.erase(model.begin() + 10);
    model.erase(model.begin());
    model.pop_back();
    EXPECT_EQ(zOrder(parent), model);
    DestroyWindow(parent);
}

TEST_F(SiblingsTest, PaintReachesTheParentThenChildrenFrontToBackOnce) {
    HWND parent =
        tile(RGB(255, 0, 0), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, RECT{0, 0, 400, 400});
    std::vector<HWND> kids = grid(parent, 80, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    platform->PumpMessages();
    for (int i = 0; i < 80; i += 7)
        SetWindowPos(kids[static_cast<std::size_t>(i)], HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(kids[1], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    platform->PumpMessages();
    painted().clear();
    RedrawWindow(parent, nullptr, HRGN(), RDW_INVALIDATE | RDW_ALLCHILDREN);
    platform->PumpMessages();
    std::vector<HWND> expected{parent};
    for (HWND w : zOrder(parent))
        expected.push_back(w);
    EXPECT_EQ(painted(), expected);
    DestroyWindow(parent);
}

TEST_F(SiblingsTest, PaintIsNotLostWhenWindowsChangeDuringThePump) {
    HWND parent =
        tile(RGB(255, 0, 0), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, RECT{0, 0, 400, 400});
    std::vector<HWND> z = grid(parent, 60, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    platform->PumpMessages();
    painted().clear();
    RedrawWindow(parent, nullptr, HRGN(), RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_NOERASE);
    ValidateRect(parent, nullptr);
    // Halfway through, a painted child wants painting again, a waiting one comes to the front,
    // one is hidden and one destroyed before their turn (each uncovering part of the parent).
    afterPaint() = [&](HWND h) {
        if (h != z[10]) return;
        InvalidateRect(z[2], nullptr, FALSE);
        SetWindowPos(z[30], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ShowWindow(z[40], SW_HIDE);
        DestroyWindow(z[45]);
    };
    platform->PumpMessages();
    std::vector<HWND> expected(z.begin(), z.begin() + 11);
    expected.push_back(parent);
    expected.push_back(z[30]);
    expected.push_back(z[2]);
    for (std::size_t i = 11; i < z.size(); ++i)
        if (i != 30 && i != 40 && i != 45) expected.push_back(z[i]);
    EXPECT_EQ(painted(), expected);
    // The hidden child paints when it is shown again, and then nothing waits.
    afterPaint() = nullptr;
    painted().clear();
    ShowWindow(z[40], SW_SHOWNA);
    platform->PumpMessages();
    EXPECT_EQ(painted(), std::vector<HWND>{z[40]});
    painted().clear();
    EXPECT_EQ(platform->PumpMessages(), 0);
    // A child waiting to paint that moves to another parent paints there.
    HWND other = tile(RGB(0, 0, 255), WS_POPUP | WS_VISIBLE, RECT{450, 0, 600, 150});
    platform->PumpMessages();
    painted().clear();
    InvalidateRect(z[5], nullptr, FALSE);
    SetParent(z[5], other);
    platform->PumpMessages();
    EXPECT_EQ(std::count(painted().begin(), painted().end(), z[5]), 1);
    painted().clear();
    EXPECT_EQ(platform->PumpMessages(), 0);
    DestroyWindow(other);
    DestroyWindow(parent);
}

TEST_F(SiblingsTest, EachPixelShowsTheFrontmostChildOverIt) {
    const COLORREF back = RGB(255, 0, 0);
    HWND parent = tile(back, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, RECT{0, 0, 320, 320});
    std::mt19937 rng(5);
    std::vector<HWND> kids;
    for (int i = 0; i < 50; ++i) {
        const int x = static_cast<int>(rng() % 260), y = static_cast<int>(rng() % 260);
        const int w = 10 + static_cast<int>(rng() % 90), h = 10 + static_cast<int>(rng() % 90);
        kids.push_back(tile(color(i), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                            RECT{x, y, x + w, y + h}, parent));
    }
    auto check = [&] {
        const std::vector<HWND> order = zOrder(parent);
        const PixelSurface& screen = HeadlessScreen::current().compose();
        for (int y = 1; y < 320; y += 6) {
            for (int x = 2; x < 320; x += 6) {
                COLORREF want = back;
                for (HWND w : order) {
                    const RECT rc = rectInParent(w);
                    if (!IsWindowVisible(w) || !PtInRect(&rc, POINT{x, y})) continue;
                    want = static_cast<COLORREF>(GetWindowLongPtrW(w, GWLP_USERDATA));
                    break;
                }
                ASSERT_EQ(PixelSurface::toColor(screen.at(x, y)), want) << x << "," << y;
            }
        }
    };
    platform->PumpMessages();
    check();
    // Raising, moving and hiding children: what they uncover is repainted by what lies there.
    for (int i = 0; i < 50; i += 3) {
        HWND w = kids[static_cast<std::size_t>(i)];
        if (i % 2) {
            SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        } else {
            const RECT rc = rectInParent(w);
            MoveWindow(w, (rc.left + 70) % 260, (rc.top + 40) % 260, rc.right - rc.left,
                       rc.bottom - rc.top, TRUE);
        }
    }
    ShowWindow(kids[4], SW_HIDE);
    ShowWindow(kids[7], SW_HIDE);
    platform->PumpMessages();
    check();
    DestroyWindow(parent);
}

TEST_F(SiblingsTest, InvalidatingPartOfAParentReachesTheChildrenItTouches) {
    // Without WS_CLIPCHILDREN the parent's update takes in the children under it.
    HWND parent = tile(RGB(255, 0, 0), WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 400});
    std::vector<HWND> kids = grid(parent, 100, WS_CHILD | WS_VISIBLE);
    platform->PumpMessages();
    auto reached = [&](const RECT& area) {
        painted().clear();
        InvalidateRect(parent, &area, FALSE);
        platform->PumpMessages();
        std::vector<HWND> got(painted().begin(), painted().end());
        std::sort(got.begin(), got.end(), [](HWND a, HWND b) { return a.value < b.value; });
        return got;
    };
    auto touching = [&](const RECT& area) {
        std::vector<HWND> want{parent};
        for (HWND w : kids) {
            const RECT rc = rectInParent(w);
            RECT common;
            if (IntersectRect(&common, &rc, &area)) want.push_back(w);
        }
        std::sort(want.begin(), want.end(), [](HWND a, HWND b) { return a.value < b.value; });
        return want;
    };
    const RECT area{50, 20, 130, 101};
    EXPECT_EQ(reached(area), touching(area));
    EXPECT_EQ(touching(area).size(), 1u + 3 * 3);
    // A child moved into the area is reached there, and no longer where it was.
    MoveWindow(kids[99], 60, 60, 20, 20, TRUE);
    MoveWindow(kids[12], 300, 300, 30, 30, TRUE);
    platform->PumpMessages();
    EXPECT_EQ(reached(area), touching(area));
    const auto now = touching(area);
    EXPECT_NE(std::find(now.begin(), now.end(), kids[99]), now.end());
    EXPECT_EQ(std::find(now.begin(), now.end(), kids[12]), now.end());
    DestroyWindow(parent);
}

}  // namespace
}  // namespace orvane::test
