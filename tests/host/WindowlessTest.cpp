// Windowless controls: drawn on their container below the windowed controls, given the mouse
// where their HitTest says so, and tidied away when they move, hide or go.
#include <string>
#include <vector>

#include "host/ControlClasses.h"
#include "host/ErrorOf.h"
#include "host/Form.h"
#include "host/FormFile.h"
#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

// Paints a colour (transparent: only a 4-pixel square at its corner); takes the mouse on its
// left half only when `leftHalf`; records its events.
class Spot : public UserControl {
public:
    explicit Spot(COLORREF colour, bool transparent = false, bool leftHalf = false)
        : m_colour(colour), m_leftHalf(leftHalf) {
        Windowless(true);
        if (transparent) BackStyle(0);
    }
    std::vector<std::string> events;

protected:
    void Initialize() override { ScaleMode(orvane::ScaleMode::Pixels); }
    void Paint() override {
        RECT rc{0, 0, 4, 4};
        if (BackStyle() == 1) rc = RECT{0, 0, static_cast<int>(ScaleWidth()), 4};
        const HBRUSH brush = CreateSolidBrush(m_colour);
        FillRect(hDC(), &rc, brush);
        DeleteObject(brush);
    }
    void HitTest(double x, double, HitResult& result) override {
        if (m_leftHalf) result = x < ScaleWidth() / 2 ? HitResult::Hit : HitResult::Outside;
    }
    void MouseDown(MouseButtons b, ShiftState, double x, double y) override {
        log("down", static_cast<int>(b), x, y);
    }
    void MouseUp(MouseButtons b, ShiftState, double x, double y) override {
        log("up", static_cast<int>(b), x, y);
    }
    void Click() override { events.push_back("click"); }

private:
    void log(const char* what, int b, double x, double y) {
        events.push_back(std::string(what) + " " + std::to_string(b) + " " +
                         std::to_string(static_cast<int>(x)) + "," +
                         std::to_string(static_cast<int>(y)));
    }
    COLORREF m_colour;
    bool m_leftHalf;
};

Extender at(int x, int y, int w, int h) {
    Extender e;
    e.Move(x * 15, y * 15, w * 15, h * 15);
    return e;
}

class WindowlessTest : public test::PlatformTest {
protected:
    COLORREF pixel(Form& form, int x, int y) { return platform->ClientPixel(form.hWnd(), x, y); }
    void click(Form& form, int x, int y) {
        const POINT p = platform->ClientToScreenPoint(form.hWnd(), x, y);
        platform->AdvanceTime(1000);  // never a double click
        platform->Click(p.x, p.y);
        platform->PumpMessages();
    }
};

}  // namespace

TEST_F(WindowlessTest, DrawsOnTheContainerFromItsOwnCorner) {
    Form form(u"F");
    auto& spot = static_cast<Spot&>(
        form.add(std::make_unique<Spot>(0x0000FF), u"s", -1, at(20, 30, 40, 10)));
    form.Show();
    platform->PumpMessages();
    EXPECT_EQ(spot.hWnd(), HWND());
    EXPECT_DOUBLE_EQ(spot.ScaleWidth(), 40);
    EXPECT_EQ(pixel(form, 20, 30), 0x0000FFu);                         // its corner
    EXPECT_EQ(pixel(form, 59, 33), 0x0000FFu);                         // its far edge
    EXPECT_EQ(pixel(form, 60, 30), GetSysColor(COLOR_BTNFACE));        // clipped to its rectangle
    EXPECT_EQ(pixel(form, 20, 36), TranslateColor(spot.BackColor()));  // opaque back colour

    // Moving and hiding repaint what it left.
    spot.Extender().Left(100 * 15);
    platform->PumpMessages();
    EXPECT_EQ(pixel(form, 20, 30), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pixel(form, 100, 30), 0x0000FFu);
    spot.Extender().Visible(false);
    platform->PumpMessages();
    EXPECT_EQ(pixel(form, 100, 30), GetSysColor(COLOR_BTNFACE));

    // A windowed control lies above it; a windowless one cannot hold others or take the focus.
    spot.Extender().Visible(true);
    auto& windowed = form.add<UserControl>(u"w", -1, at(90, 25, 30, 30));
    windowed.BackColor(0x00FF00);
    platform->PumpMessages();
    EXPECT_EQ(pixel(form, 100, 30), 0x00FF00u);
    EXPECT_EQ(test::errorOf([&] { form.add<UserControl>(u"in", -1, at(0, 0, 5, 5), &spot); }), 5);
    form.focusNext(false);
    EXPECT_EQ(form.ActiveControl(), &windowed);
}

TEST_F(WindowlessTest, TheMouseGoesWhereHitTestSays) {
    Form form(u"F");
    auto& back = static_cast<Spot&>(
        form.add(std::make_unique<Spot>(0x0000FF), u"back", -1, at(10, 10, 100, 40)));
    auto& front = static_cast<Spot&>(
        form.add(std::make_unique<Spot>(0xFF0000, true, true), u"front", -1, at(10, 10, 100, 40)));
    form.Show();
    platform->PumpMessages();
    // The front control is transparent: the back one shows through beside its square.
    EXPECT_EQ(pixel(form, 11, 11), 0xFF0000u);
    EXPECT_EQ(pixel(form, 30, 11), 0x0000FFu);

    click(form, 20, 15);  // the front control's left half
    EXPECT_EQ(front.events, (std::vector<std::string>{"down 1 10,5", "up 1 10,5", "click"}));
    EXPECT_TRUE(back.events.empty());
    front.events.clear();
    click(form, 90, 15);  // its right half passes the mouse on
    EXPECT_TRUE(front.events.empty());
    EXPECT_EQ(back.events, (std::vector<std::string>{"down 1 80,5", "up 1 80,5", "click"}));

    // Pressed on a control, released outside it: the release still reaches it, no click.
    back.events.clear();
    const POINT in = platform->ClientToScreenPoint(form.hWnd(), 90, 15);
    platform->AdvanceTime(1000);
    platform->MouseMove(in.x, in.y);
    platform->MouseDown();
    platform->MouseMove(in.x + 100, in.y + 100);
    platform->MouseUp();
    platform->PumpMessages();
    EXPECT_EQ(back.events, (std::vector<std::string>{"down 1 80,5", "up 1 180,105"}));

    // Moved behind the other, or disabled, it no longer takes the point.
    front.Extender().ZOrder(1);
    platform->PumpMessages();
    EXPECT_EQ(pixel(form, 11, 11), 0x0000FFu);
    back.events.clear();
    front.events.clear();
    click(form, 20, 15);
    EXPECT_FALSE(back.events.empty());
    EXPECT_TRUE(front.events.empty());
    back.Extender().Enabled(false);
    back.events.clear();
    click(form, 20, 15);
    EXPECT_TRUE(back.events.empty());
    EXPECT_FALSE(front.events.empty());
}

TEST_F(WindowlessTest, LivesInsideAWindowedContainerWithTimers) {
    Form form(u"F");
    auto& frame = form.add<UserControl>(u"frame", -1, at(50, 50, 100, 100));
    auto& spot = static_cast<Spot&>(
        form.add(std::make_unique<Spot>(0x0000FF), u"s", -1, at(10, 10, 20, 20), &frame));
    int ticks = 0;
    ConstituentTimer& timer = spot.addTimer();
    timer.onTick = [&] { ++ticks; };
    timer.Interval(100);
    form.Show();
    platform->PumpMessages();
    EXPECT_EQ(pixel(form, 60, 60), 0x0000FFu);
    click(form, 65, 65);
    EXPECT_EQ(spot.events.front(), "down 1 5,5");
    platform->AdvanceTime(250);
    platform->PumpMessages();
    EXPECT_GE(ticks, 2);
    form.remove(spot);
    platform->PumpMessages();
    EXPECT_EQ(pixel(form, 60, 60), TranslateColor(frame.BackColor()));
}

TEST_F(WindowlessTest, FormFilesKeepTheirOrder) {
    struct Named : Spot {
        Named() : Spot(0x0000FF) {}
        std::u16string className() const override { return u"TestSpot"; }
    };
    ControlClasses::current().add(u"TestSpot", [] { return std::make_unique<Named>(); });
    ControlClasses::current().add(u"UserControl", [] { return std::make_unique<UserControl>(); });
    Form form(u"F");
    auto& a = form.add(std::make_unique<Named>(), u"a", -1, at(0, 0, 10, 10));
    auto& b = form.add(std::make_unique<Named>(), u"b", -1, at(5, 5, 10, 10));
    auto& w = form.add<UserControl>(u"w", -1, at(20, 20, 10, 10));
    EXPECT_EQ(form.Stacking(nullptr), (std::vector<UserControl*>{&a, &b, &w}));
    EXPECT_EQ(FormFile::save(form).find("ZOrder"), std::string::npos);  // creation order
    b.Extender().ZOrder(1);                                             // behind a
    const std::string saved = FormFile::save(form);
    EXPECT_NE(saved.find(R"("ZOrder": 0)"), std::string::npos);
    auto again = FormFile::load(saved);
    const auto stack = again->Stacking(nullptr);
    ASSERT_EQ(stack.size(), 3u);
    EXPECT_EQ(again->nameOf(*stack[0]), u"b");
    EXPECT_EQ(again->nameOf(*stack[1]), u"a");
    EXPECT_EQ(FormFile::save(*again), saved);
}

// A windowed control with see-through parts gets what the form shows behind it: the form's
// background and the windowless controls drawn on it, at the control's offset.
TEST_F(WindowlessTest, FormPrintsItsClientForAWindowedChild) {
    Form form(u"F");
    form.add(std::make_unique<Spot>(0x0000FF), u"s", -1, at(20, 30, 40, 10));
    auto& windowed = form.add<UserControl>(u"w", -1, at(10, 25, 60, 30));
    form.Show();
    platform->PumpMessages();

    const HDC screen = GetDC(HWND());
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 50);
    ReleaseDC(HWND(), screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, 100, 50};
    FillRect(dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(SendMessageW(form.hWnd(), WM_PRINTCLIENT, static_cast<WPARAM>(dc.value), PRF_CLIENT),
              0);
    EXPECT_EQ(GetPixel(dc, 20, 30), 0x0000FFu);  // the spot, in the form's coordinates
    EXPECT_EQ(GetPixel(dc, 5, 5), 0u);           // the background is WM_ERASEBKGND's

    FillRect(dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(DrawThemeParentBackground(windowed.hWnd(), dc, nullptr), S_OK);
    EXPECT_EQ(GetPixel(dc, 10, 5), 0x0000FFu);                   // the spot's corner
    EXPECT_EQ(GetPixel(dc, 49, 8), 0x0000FFu);                   // its far edge
    EXPECT_EQ(GetPixel(dc, 5, 5), GetSysColor(COLOR_BTNFACE));   // the form's background
    EXPECT_EQ(GetPixel(dc, 55, 5), GetSysColor(COLOR_BTNFACE));  // beyond the spot
    POINT origin{1, 1};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);

    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// The same inside a windowed container: it erases with its back colour and prints its
// windowless controls.
TEST_F(WindowlessTest, ContainerPrintsItsClientForAWindowedChild) {
    Form form(u"F");
    auto& frame = form.add<UserControl>(u"frame", -1, at(50, 50, 100, 100));
    frame.BackColor(0x00FF00);
    form.add(std::make_unique<Spot>(0x0000FF), u"s", -1, at(10, 10, 20, 20), &frame);
    auto& windowed = form.add<UserControl>(u"w", -1, at(5, 5, 40, 40), &frame);
    form.Show();
    platform->PumpMessages();

    const HDC screen = GetDC(HWND());
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 40);
    ReleaseDC(HWND(), screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(DrawThemeParentBackground(windowed.hWnd(), dc, nullptr), S_OK);
    EXPECT_EQ(GetPixel(dc, 5, 5), 0x0000FFu);  // the spot's corner, (10, 10) in the frame
    EXPECT_EQ(GetPixel(dc, 2, 2), 0x00FF00u);  // the frame's back colour
    EXPECT_EQ(GetPixel(dc, 30, 30), 0x00FF00u);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
