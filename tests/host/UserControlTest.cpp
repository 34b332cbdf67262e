// A control's lifecycle as the host runs it, its input events, its extender and its surface.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "host/ControlClasses.h"
#include "host/ErrorOf.h"
#include "host/LoadPicture.h"
#include "host/UserControl.h"
#include "support/PlatformTest.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

// Records every event it receives, in order, as text.
class Probe : public UserControl {
public:
    std::vector<std::string> events;
    bool hadWindowWhenRead = false;
    std::u16string caption;
    int swallowKey = 0;

protected:
    void Initialize() override { events.push_back("Initialize"); }
    void InitProperties() override {
        events.push_back("InitProperties");
        caption = Ambient().DisplayName();
    }
    void ReadProperties(const PropertyBag& bag) override {
        events.push_back("ReadProperties");
        hadWindowWhenRead = hWnd() != HWND();
        caption = CStr(bag.ReadProperty(u"Caption", u"none"));
    }
    void WriteProperties(PropertyBag& bag) override {
        events.push_back("WriteProperties");
        bag.WriteProperty(u"Caption", caption, u"");
    }
    void Resize() override { events.push_back("Resize"); }
    void Show() override { events.push_back("Show"); }
    void Paint() override { events.push_back(hDC() ? "Paint" : "Paint without a DC"); }
    void Hide() override { events.push_back("Hide"); }
    void Terminate() override { events.push_back("Terminate"); }
    void MouseDown(MouseButtons b, ShiftState, double x, double y) override {
        mouse("MouseDown", static_cast<int>(b), x, y);
    }
    void MouseUp(MouseButtons b, ShiftState, double x, double y) override {
        mouse("MouseUp", static_cast<int>(b), x, y);
    }
    void Click() override { events.push_back("Click"); }
    void DblClick() override { events.push_back("DblClick"); }
    void KeyDown(int& key, ShiftState shift) override {
        events.push_back("KeyDown " + std::to_string(key) + " " +
                         std::to_string(static_cast<int>(shift)));
    }
    void KeyPress(int& key) override {
        events.push_back("KeyPress " + std::to_string(key));
        if (key == swallowKey) key = 0;
    }
    void GotFocus() override { events.push_back("GotFocus"); }
    void LostFocus() override { events.push_back("LostFocus"); }

private:
    void mouse(const char* name, int button, double x, double y) {
        events.push_back(std::string(name) + " " + std::to_string(button) + " " +
                         std::to_string(static_cast<int>(x)) + "," +
                         std::to_string(static_cast<int>(y)));
    }
};

class UserControlTest : public test::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        WNDCLASSEXW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = u"TestForm";
        RegisterClassExW(&wc);
        form = CreateWindowExW(0, u"TestForm", u"", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                               HWND(), HMENU(), HINSTANCE(), nullptr);
        ambient = std::make_shared<Ambient>();
        ambient->DisplayName(u"Probe1");
    }
    void TearDown() override {
        DestroyWindow(form);
        PlatformTest::TearDown();
    }

    // An extender at 10,20 pixels, 100 by 40 pixels (15 twips to the pixel at 96 DPI).
    static Extender place() {
        Extender e;
        e.Name(u"Probe1");
        e.Move(150, 300, 1500, 600);
        return e;
    }

    HWND form;
    std::shared_ptr<Ambient> ambient;
};

}  // namespace

TEST_F(UserControlTest, NewAndStoredInstancesRunTheLifecycleInOrder) {
    Probe fresh;
    fresh.site(form, ambient, place(), nullptr);
    platform->PumpMessages();
    EXPECT_EQ(fresh.caption, u"Probe1");  // a new instance takes the ambient display name
    PropertyBag bag;
    fresh.save(bag);
    fresh.unsite();
    fresh.unsite();  // a second unsite does nothing
    const std::vector<std::string> newOrder = {"Initialize", "InitProperties", "Resize",
                                               "Show",       "Paint",          "WriteProperties",
                                               "Hide",       "Terminate"};
    EXPECT_EQ(fresh.events, newOrder);
    EXPECT_EQ(fresh.hWnd(), HWND());

    Probe stored;
    stored.site(form, ambient, place(), &bag);
    platform->PumpMessages();
    EXPECT_TRUE(stored.hadWindowWhenRead);
    EXPECT_EQ(stored.caption, u"Probe1");
    stored.unsite();
    const std::vector<std::string> storedOrder = {
        "Initialize", "ReadProperties", "Resize", "Show", "Paint", "Hide", "Terminate"};
    EXPECT_EQ(stored.events, storedOrder);
}

TEST_F(UserControlTest, PropertyChangedMarksTheInstanceUntilSaved) {
    Probe probe;
    PropertyBag bag;
    bag.WriteProperty(u"Caption", u"Stored", u"");
    probe.site(form, ambient, place(), &bag);
    EXPECT_FALSE(probe.changed());  // reading a bag is not a change
    probe.caption = u"Edited";
    probe.PropertyChanged(u"Caption");
    EXPECT_TRUE(probe.changed());
    PropertyBag saved;
    probe.save(saved);
    EXPECT_FALSE(probe.changed());
    EXPECT_EQ(CStr(saved.ReadProperty(u"Caption", u"")), u"Edited");
    probe.unsite();
}

TEST_F(UserControlTest, MouseEventsComeInTwipsAndAClickNeedsPressAndReleaseInside) {
    Probe probe;
    probe.site(form, ambient, place(), nullptr);
    platform->PumpMessages();
    probe.events.clear();

    const POINT inside = platform->ClientToScreenPoint(probe.hWnd(), 4, 6);
    platform->Click(inside.x, inside.y);
    platform->PumpMessages();
    const std::vector<std::string> clicked = {"GotFocus", "MouseDown 1 60,90", "MouseUp 1 60,90",
                                              "Click"};
    EXPECT_EQ(probe.events, clicked);

    // Pressed inside, released outside: no Click, but the release still reaches the control.
    probe.events.clear();
    platform->MouseMove(inside.x, inside.y);
    platform->MouseDown();
    platform->MouseMove(inside.x + 200, inside.y);
    platform->MouseUp();
    platform->PumpMessages();
    ASSERT_FALSE(probe.events.empty());
    EXPECT_EQ(probe.events.back(), "MouseUp 1 3060,90");
    EXPECT_EQ(std::count(probe.events.begin(), probe.events.end(), "Click"), 0);

    probe.events.clear();
    platform->AdvanceTime(1000);
    platform->DoubleClick(inside.x, inside.y);
    platform->PumpMessages();
    EXPECT_EQ(std::count(probe.events.begin(), probe.events.end(), "DblClick"), 1);

    // In pixels the same point reads as pixels.
    probe.ScaleMode(ScaleMode::Pixels);
    probe.events.clear();
    platform->AdvanceTime(1000);
    platform->Click(inside.x, inside.y);
    platform->PumpMessages();
    EXPECT_EQ(probe.events.front(), "MouseDown 1 4,6");
    probe.unsite();
}

TEST_F(UserControlTest, BordersTakeTheirWidthFromTheClientArea) {
    Probe probe;
    probe.site(form, ambient, place(), nullptr);
    probe.events.clear();
    probe.BorderStyle(BorderStyleEnum::FixedSingle);  // 3D by default: a two-pixel sunken edge
    EXPECT_DOUBLE_EQ(probe.ScaleWidth(), (100 - 4) * 15);
    EXPECT_EQ(probe.events, std::vector<std::string>{"Resize"});
    probe.Appearance(AppearanceEnum::Flat);  // flat: a one-pixel line
    EXPECT_DOUBLE_EQ(probe.ScaleHeight(), (40 - 2) * 15);
    platform->PumpMessages();
    EXPECT_EQ(platform->ClientPixel(form, 10, 30), GetSysColor(COLOR_WINDOWFRAME));  // left edge
    probe.BorderStyle(BorderStyleEnum::None);
    EXPECT_DOUBLE_EQ(probe.ScaleWidth(), 1500);
    EXPECT_EQ(test::errorOf([&] { probe.BorderStyle(static_cast<BorderStyleEnum>(2)); }), 380);
    EXPECT_EQ(test::errorOf([&] { probe.Appearance(static_cast<AppearanceEnum>(-1)); }), 380);
    probe.unsite();
}

TEST_F(UserControlTest, TheMousePointerSetsTheCursorOverTheControl) {
    Probe probe;
    probe.site(form, ambient, place(), nullptr);
    const POINT inside = platform->ClientToScreenPoint(probe.hWnd(), 5, 5);
    probe.MousePointer(static_cast<MousePointerConstants>(3));
    platform->MouseMove(inside.x, inside.y);
    platform->PumpMessages();
    EXPECT_EQ(GetCursor(), LoadCursorW(HINSTANCE(), IDC_IBEAM));
    // Back to the default: the control's class cursor, the arrow.
    probe.MousePointer(static_cast<MousePointerConstants>(0));
    platform->MouseMove(inside.x + 1, inside.y);
    platform->PumpMessages();
    EXPECT_EQ(GetCursor(), LoadCursorW(HINSTANCE(), IDC_ARROW));
    probe.MousePointer(static_cast<MousePointerConstants>(11));
    platform->MouseMove(inside.x, inside.y);
    platform->PumpMessages();
    EXPECT_EQ(GetCursor(), LoadCursorW(HINSTANCE(), IDC_WAIT));
    EXPECT_EQ(test::errorOf([&] { probe.MousePointer(static_cast<MousePointerConstants>(16)); }),
              380);
    EXPECT_EQ(probe.MousePointer(), MousePointerConstants::Hourglass);

    // A custom pointer shows the MouseIcon, here a cursor file with its hot spot at (3, 5).
    const auto file = test::iconFile(test::png(16, 16, 0xFF2080C0), 16, true, 3, 5);
    const std::string path = ::testing::TempDir() + "orvane-pointer.cur";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    auto picture = LoadPicture(std::u16string(path.begin(), path.end()));
    std::remove(path.c_str());
    ASSERT_EQ(picture->type(), StdPicture::Type::Icon);
    probe.MouseIcon(picture);
    probe.MousePointer(static_cast<MousePointerConstants>(99));
    platform->MouseMove(inside.x + 1, inside.y);
    platform->PumpMessages();
    const HCURSOR cursor(static_cast<std::uint32_t>(picture->Handle()));
    EXPECT_EQ(GetCursor(), cursor);
    POINT hot{};
    ASSERT_NE(CursorPicture(cursor, &hot), nullptr);
    EXPECT_EQ(hot.x, 3);
    EXPECT_EQ(hot.y, 5);
    probe.unsite();
    probe.MouseIcon(nullptr);
    picture.reset();  // the picture owns its cursor: nothing is left alive
}

TEST_F(UserControlTest, KeysReachTheFocusedControl) {
    Probe probe;
    probe.site(form, ambient, place(), nullptr);
    SetFocus(probe.hWnd());
    probe.events.clear();
    platform->KeyDown(VK_SHIFT);
    platform->KeyPress('A');
    platform->KeyUp(VK_SHIFT);
    platform->PumpMessages();
    EXPECT_NE(std::find(probe.events.begin(), probe.events.end(), "KeyDown 65 1"),
              probe.events.end());
    EXPECT_NE(std::find(probe.events.begin(), probe.events.end(), "KeyPress 65"),
              probe.events.end());
    SetFocus(form);
    EXPECT_EQ(probe.events.back(), "LostFocus");
    probe.unsite();
}

TEST_F(UserControlTest, TheExtenderMovesShowsAndHidesTheControl) {
    Probe probe;
    probe.site(form, ambient, place(), nullptr);
    RECT rc{};
    GetWindowRect(probe.hWnd(), &rc);
    EXPECT_EQ(rc.right - rc.left, 100);
    EXPECT_EQ(rc.bottom - rc.top, 40);
    EXPECT_DOUBLE_EQ(probe.ScaleWidth(), 1500);
    probe.events.clear();

    probe.Extender().Left(300);  // a move alone is no resize
    EXPECT_TRUE(probe.events.empty());
    probe.Extender().put(u"width", 3000);
    EXPECT_EQ(probe.events, std::vector<std::string>{"Resize"});
    EXPECT_DOUBLE_EQ(probe.ScaleWidth(), 3000);
    EXPECT_EQ(CLng(probe.Extender().get(u"Left")), 300);

    // The control's Enabled and the extender's are one state: moving keeps it.
    probe.Enabled(false);
    probe.Extender().Top(450);
    EXPECT_FALSE(IsWindowEnabled(probe.hWnd()));
    EXPECT_FALSE(CBool(probe.Extender().get(u"Enabled")));
    probe.Enabled(true);

    probe.Extender().Visible(false);
    EXPECT_FALSE(IsWindowVisible(probe.hWnd()));
    EXPECT_EQ(probe.events.back(), "Hide");
    probe.Extender().Visible(true);
    EXPECT_EQ(probe.events.back(), "Show");

    probe.Extender().put(u"Tag", 42);
    EXPECT_EQ(CStr(probe.Extender().get(u"TAG")), u"42");
    EXPECT_EQ(test::errorOf([&] { (void)probe.Extender().get(u"Index"); }), 343);
    EXPECT_EQ(test::errorOf([&] { (void)probe.Extender().get(u"Colour"); }), 438);
    EXPECT_EQ(test::errorOf([&] { probe.Extender().put(u"Name", u"Other"); }), 382);
    EXPECT_EQ(test::errorOf([&] { probe.Extender().Width(-1); }), 380);
    EXPECT_EQ(probe.Extender().Name(), u"Probe1");
    probe.unsite();
}

TEST_F(UserControlTest, TheBackColorFillsTheControlAndBadColoursChangeNothing) {
    Probe probe;
    probe.site(form, ambient, place(), nullptr);
    probe.BackColor(0x0000FF);  // red, as BGR
    platform->PumpMessages();
    EXPECT_EQ(platform->ClientPixel(probe.hWnd(), 50, 20), 0x0000FFu);
    EXPECT_EQ(test::errorOf([&] { probe.BackColor(0x80000FFF); }), 380);
    EXPECT_EQ(test::errorOf([&] { probe.BackColor(0x01000000); }), 380);
    EXPECT_EQ(probe.BackColor(), 0x0000FFu);
    probe.BackColor(SystemColor(COLOR_BTNFACE));
    probe.Refresh();
    EXPECT_EQ(platform->ClientPixel(probe.hWnd(), 50, 20), GetSysColor(COLOR_BTNFACE));

    // An icon picture is drawn at the top left over the back colour, with its alpha.
    const auto png = test::png(8, 8, 0x800000FFu);
    const HICON icon = CreateIconFromResourceEx(png.data(), static_cast<DWORD>(png.size()), TRUE,
                                                0x30000, 0, 0, 0);
    probe.BackColor(0xFFFFFF);
    probe.Picture(StdPicture::fromIcon(icon, 8, 8));
    probe.Refresh();
    const COLORREF mixed = platform->ClientPixel(probe.hWnd(), 3, 3);
    EXPECT_EQ(GetBValue(mixed), 255);
    EXPECT_NEAR(GetRValue(mixed), 127, 2);
    EXPECT_EQ(platform->ClientPixel(probe.hWnd(), 9, 3), 0xFFFFFFu);
    probe.Picture(nullptr);
    probe.unsite();
}

namespace {
class UserControlAt144 : public UserControlTest {
    platform::testing::TestOptions options() const override {
        platform::testing::TestOptions o;
        o.dpi = 144;
        return o;
    }
};
}  // namespace

TEST_F(UserControlAt144, TwipsBecomeMorePixelsAtHigherDpi) {
    Probe probe;
    probe.site(form, ambient, place(), nullptr);
    RECT rc{};
    GetClientRect(probe.hWnd(), &rc);
    EXPECT_EQ(rc.right, 150);  // 1500 twips at 10 twips to the pixel
    EXPECT_DOUBLE_EQ(probe.ScaleX(150, ScaleMode::Pixels, ScaleMode::Twips), 1500);
    EXPECT_DOUBLE_EQ(probe.ScaleY(1440, ScaleMode::Twips, ScaleMode::Points), 72);
    EXPECT_DOUBLE_EQ(probe.ScaleX(567, ScaleMode::ContainerSize, ScaleMode::Himetric), 1000.125);
    probe.unsite();
}

namespace {

// Counts ticks of a timer it makes in Initialize, before it has a window.
class Ticker : public Probe {
public:
    ConstituentTimer* timer = nullptr;
    int ticks = 0;

protected:
    void Initialize() override {
        timer = &addTimer();
        timer->Interval(100);
        timer->onTick = [this] { ++ticks; };
    }
};

}  // namespace

TEST_F(UserControlTest, TimersTickInRunModeOnlyAndFollowTheirSettings) {
    Ticker runs;
    runs.site(form, ambient, place(), nullptr);
    platform->AdvanceTime(350);
    platform->PumpMessages();
    EXPECT_EQ(runs.ticks, 3);

    runs.timer->Enabled(false);
    platform->AdvanceTime(500);
    platform->PumpMessages();
    EXPECT_EQ(runs.ticks, 3);
    runs.timer->Interval(50);
    runs.timer->Enabled(true);
    platform->AdvanceTime(120);
    platform->PumpMessages();
    EXPECT_EQ(runs.ticks, 5);
    EXPECT_EQ(test::errorOf([&] { runs.timer->Interval(-1); }), 380);
    EXPECT_EQ(runs.timer->Interval(), 50);

    // A second timer added while live starts at once.
    ConstituentTimer& second = runs.addTimer();
    int secondTicks = 0;
    second.onTick = [&] { ++secondTicks; };
    second.Interval(10);
    platform->AdvanceTime(25);
    platform->PumpMessages();
    EXPECT_EQ(secondTicks, 2);
    runs.unsite();
    platform->AdvanceTime(500);
    platform->PumpMessages();
    EXPECT_EQ(runs.ticks, 5);

    auto design = std::make_shared<Ambient>();
    design->UserMode(false);
    Ticker designed;
    designed.site(form, design, place(), nullptr);
    platform->AdvanceTime(1000);
    platform->PumpMessages();
    EXPECT_EQ(designed.ticks, 0);
    EXPECT_FALSE(designed.timer->running());
    designed.unsite();
}

namespace {

// Makes a constituent of its own once it runs.
class Composite : public UserControl {
public:
    Probe* inner = nullptr;

protected:
    void InitProperties() override {
        orvane::Extender at;
        at.Move(150, 150, 600, 300);  // 10,10 pixels, 40 by 20
        inner = &static_cast<Probe&>(AddConstituent(std::make_unique<Probe>(), u"pic", at));
    }
};

}  // namespace

TEST_F(UserControlTest, ConstituentControlsLiveOnTheirOwnerAndGoWithIt) {
    ControlClasses::current().add(u"TestProbe", [] { return std::make_unique<Probe>(); });
    Composite owner;
    owner.site(form, ambient, place(), nullptr);
    ASSERT_TRUE(owner.inner);
    EXPECT_EQ(GetParent(owner.inner->hWnd()), owner.hWnd());
    EXPECT_EQ(owner.inner->Ambient().DisplayName(), u"pic");
    EXPECT_EQ(owner.inner->events.front(), "Initialize");
    EXPECT_EQ(owner.Constituent(u"PIC"), owner.inner);

    // By class name, and the errors: a used name, an unknown class.
    UserControl& second = owner.AddConstituent(u"testprobe", u"second");
    EXPECT_EQ(owner.ConstituentCount(), 2u);
    EXPECT_EQ(test::errorOf([&] { owner.AddConstituent(u"TestProbe", u"Pic"); }), 360);
    EXPECT_EQ(test::errorOf([&] { owner.AddConstituent(u"NoSuchClass", u"x"); }), 711);
    EXPECT_EQ(owner.ConstituentCount(), 2u);

    // It takes its own input inside the owner.
    ShowWindow(owner.hWnd(), SW_SHOW);
    const POINT p = platform->ClientToScreenPoint(owner.inner->hWnd(), 2, 2);
    platform->Click(p.x, p.y);
    platform->PumpMessages();
    EXPECT_NE(std::find(owner.inner->events.begin(), owner.inner->events.end(), "Click"),
              owner.inner->events.end());

    const HWND secondWindow = second.hWnd();
    owner.RemoveConstituent(u"second");
    EXPECT_FALSE(IsWindow(secondWindow));
    EXPECT_EQ(owner.ConstituentCount(), 1u);
    owner.unsite();  // the constituent goes too; the fixture checks nothing is left
    EXPECT_EQ(owner.ConstituentCount(), 0u);
}
