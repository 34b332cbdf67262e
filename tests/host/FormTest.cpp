// A form's controls: lookup and arrays, tab order, access keys, default and cancel buttons,
// design mode and saving what changed.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "host/ErrorOf.h"
#include "host/Form.h"
#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

class Key : public UserControl {
public:
    std::vector<int> accessKeys;
    std::vector<std::u16string> ambientChanges;
    std::vector<int> chars;
    int focused = 0;

protected:
    void AccessKeyPress(int key) override { accessKeys.push_back(key); }
    void AmbientChanged(const std::u16string& name) override { ambientChanges.push_back(name); }
    void KeyPress(int& key) override { chars.push_back(key); }
    void GotFocus() override { ++focused; }
};

// Keys a platform window inside a control received.
std::vector<std::pair<UINT, WPARAM>>& innerKeys() {
    static std::vector<std::pair<UINT, WPARAM>> keys;
    return keys;
}

LRESULT innerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN || msg == WM_CHAR || msg == WM_SYSCHAR)
        innerKeys().emplace_back(msg, wParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A control around a platform window that has the focus inside it, as a text box holds its
// edit field; it is the form's key hook and keeps the Left key (and Tab when asked) for itself.
class Wrapper : public UserControl {
public:
    HWND inner;
    bool takeTab = false;
    std::vector<std::pair<UINT, WPARAM>> offered;
    void makeInner() {
        WNDCLASSEXW wc{};
        wc.lpfnWndProc = innerProc;
        wc.lpszClassName = u"Inner";
        RegisterClassExW(&wc);
        inner = CreateWindowExW(0, u"Inner", u"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, hWnd(),
                                HMENU(), HINSTANCE(), nullptr);
        acceleratorHook(true);
    }
    bool TranslateAccel(const MSG& msg) override {
        offered.emplace_back(msg.message, msg.wParam);
        return msg.message == WM_KEYDOWN &&
               (msg.wParam == VK_LEFT || (takeTab && msg.wParam == VK_TAB));
    }
};

Extender at(int leftPixels) {
    Extender e;
    e.Move(leftPixels * 15, 150, 900, 450);
    return e;
}

class FormTest : public test::PlatformTest {
protected:
    std::u16string focusedName(Form& form) {
        UserControl* c = form.ActiveControl();
        return c ? c->Extender().Name() : u"(none)";
    }
    void press(int vk) {
        platform->KeyPress(vk);
        platform->PumpMessages();
    }
    void shiftTab() {
        platform->KeyDown(VK_SHIFT);
        platform->KeyPress(VK_TAB);
        platform->KeyUp(VK_SHIFT);
        platform->PumpMessages();
    }
};

}  // namespace

TEST_F(FormTest, ControlsKeepCreationOrderAndArraysAreFoundByIndex) {
    Form form(u"Form1");
    auto& a0 = form.add<Key>(u"cmd", 0, at(0));
    auto& a1 = form.add<Key>(u"cmd", 1, at(70));
    auto& single = form.add<Key>(u"lbl", -1, at(140));
    EXPECT_EQ(form.Controls(), (std::vector<UserControl*>{&a0, &a1, &single}));
    EXPECT_EQ(&form.control(u"CMD", 1), &a1);
    EXPECT_EQ(&form.control(u"lbl"), &single);
    EXPECT_EQ(a1.Ambient().DisplayName(), u"cmd");
    EXPECT_EQ(CInt(a1.Extender().get(u"Index")), 1);
    EXPECT_EQ(test::errorOf([&] { (void)form.control(u"cmd", 2); }), 340);
    EXPECT_EQ(test::errorOf([&] { form.add<Key>(u"Cmd", 1, at(0)); }), 360);
    EXPECT_EQ(form.Controls().size(), 3u);  // the refused control left nothing behind

    form.remove(a0);
    EXPECT_EQ(form.Controls(), (std::vector<UserControl*>{&a1, &single}));
    EXPECT_EQ(form.TabIndex(single), 1);
}

TEST_F(FormTest, ZOrderMovesAControlInFrontOfOrBehindItsSiblings) {
    Form form(u"Form1");
    auto& a = form.add<Key>(u"a", -1, at(0));
    auto& b = form.add<Key>(u"b", -1, at(10));
    auto& c = form.add<Key>(u"c", -1, at(20));
    // A control added later lies in front of those before it.
    EXPECT_EQ(GetWindow(form.hWnd(), GW_CHILD), c.hWnd());
    c.Extender().ZOrder(1);
    EXPECT_EQ(GetWindow(form.hWnd(), GW_CHILD), b.hWnd());
    EXPECT_EQ(GetWindow(a.hWnd(), GW_HWNDNEXT), c.hWnd());
    a.Extender().ZOrder(0);
    EXPECT_EQ(GetWindow(form.hWnd(), GW_CHILD), a.hWnd());
    EXPECT_EQ(test::errorOf([&] { a.Extender().ZOrder(2); }), 5);
    // What shows where they overlap follows the order.
    form.Show();
    b.BackColor(0x00FF00);
    c.BackColor(0xFF0000);
    c.Extender().ZOrder(0);
    platform->PumpMessages();
    const POINT p = platform->ClientToScreenPoint(c.hWnd(), 1, 1);
    EXPECT_EQ(platform->ScreenPixel(p.x, p.y), 0xFF0000u);
    b.Extender().ZOrder(0);
    platform->PumpMessages();
    EXPECT_EQ(platform->ScreenPixel(p.x, p.y), 0x00FF00u);
}

TEST_F(FormTest, DockedControlsFollowTheFormsEdges) {
    Form form(u"Form1", false);  // docking works at design time too
    auto& bar = form.add<Key>(u"bar", -1, at(40));
    auto& status = form.add<Key>(u"status", -1, at(40));
    auto& pane = form.add<Key>(u"pane", -1, at(40));
    auto& free = form.add<Key>(u"free", -1, at(40));
    bar.Extender().Align(1);
    status.Extender().put(u"Align", 2);
    pane.Extender().Height(300);
    pane.Extender().Align(3);
    auto box = [](UserControl& c) {
        const Extender& e = c.Extender();
        return std::vector<int>{e.Left(), e.Top(), e.Width(), e.Height()};
    };
    // The form is 4800 by 3600 twips; the controls asked for 900 by 450.
    EXPECT_EQ(box(bar), (std::vector<int>{0, 0, 4800, 450}));
    EXPECT_EQ(box(status), (std::vector<int>{0, 3150, 4800, 450}));
    EXPECT_EQ(box(pane), (std::vector<int>{0, 450, 900, 2700}));
    EXPECT_EQ(box(free), (std::vector<int>{600, 150, 900, 450}));

    RECT rc{0, 0, 400, 300};
    AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongW(form.hWnd(), GWL_STYLE)), FALSE, 0);
    SetWindowPos(form.hWnd(), HWND(), 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(box(bar), (std::vector<int>{0, 0, 6000, 450}));
    EXPECT_EQ(box(status), (std::vector<int>{0, 4050, 6000, 450}));
    EXPECT_EQ(box(pane), (std::vector<int>{0, 450, 900, 3600}));
    RECT client{};
    GetWindowRect(bar.hWnd(), &client);
    EXPECT_EQ(client.right - client.left, 400);
    EXPECT_EQ(test::errorOf([&] { bar.Extender().Align(5); }), 380);
    EXPECT_EQ(bar.Extender().Align(), 1);
}

TEST_F(FormTest, TabSkipsDisabledInvisibleAndNonStopControlsAndWraps) {
    Form form(u"Form1");
    form.add<Key>(u"first", -1, at(0));
    auto& off = form.add<Key>(u"off", -1, at(70));
    auto& hidden = form.add<Key>(u"hidden", -1, at(140));
    auto& frame = form.add<Key>(u"frame", -1, at(210));
    form.add<Key>(u"inner", -1, Extender(), &frame);
    auto& last = form.add<Key>(u"last", -1, at(280));
    off.Extender().Enabled(false);
    hidden.Extender().Visible(false);
    form.TabStop(frame, false);
    form.Show();
    EXPECT_EQ(focusedName(form), u"first");  // the form passes the focus to its first stop

    press(VK_TAB);
    EXPECT_EQ(focusedName(form), u"inner");
    press(VK_TAB);
    EXPECT_EQ(focusedName(form), u"last");
    press(VK_TAB);
    EXPECT_EQ(focusedName(form), u"first");
    shiftTab();
    EXPECT_EQ(focusedName(form), u"last");

    // A disabled container takes what it holds out of the order; TabIndex reorders.
    frame.Extender().Enabled(false);
    form.TabIndex(last, 0);
    shiftTab();
    EXPECT_EQ(focusedName(form), u"first");
    shiftTab();
    EXPECT_EQ(focusedName(form), u"last");
    // The Tab characters never reached a control.
    for (auto* c : form.Controls())
        EXPECT_TRUE(static_cast<Key*>(c)->chars.empty());
}

TEST_F(FormTest, AccessKeysDefaultAndCancelReachTheirControls) {
    Form form(u"Form1");
    auto& ok = form.add<Key>(u"ok", -1, at(0));
    auto& cancel = form.add<Key>(u"cancel", -1, at(70));
    auto& text = form.add<Key>(u"text", -1, at(140));
    ok.AccessKeys(u"o");
    cancel.AccessKeys(u"C");
    form.Default(&ok);
    form.Cancel(&cancel);
    EXPECT_TRUE(ok.Ambient().DisplayAsDefault());
    EXPECT_FALSE(cancel.Ambient().DisplayAsDefault());
    EXPECT_EQ(ok.ambientChanges, std::vector<std::u16string>{u"DisplayAsDefault"});
    form.Show();
    SetFocus(text.hWnd());

    press(VK_RETURN);
    press(VK_ESCAPE);
    EXPECT_EQ(ok.accessKeys, std::vector<int>{13});
    EXPECT_EQ(cancel.accessKeys, std::vector<int>{27});
    EXPECT_TRUE(text.chars.empty());  // Enter and Escape were used up by the form
    press('X');
    EXPECT_EQ(text.chars, std::vector<int>{'x'});

    platform->KeyDown(VK_MENU);
    platform->KeyPress('C');
    platform->KeyUp(VK_MENU);
    platform->PumpMessages();
    EXPECT_EQ(cancel.accessKeys.size(), 2u);
    EXPECT_EQ(focusedName(form), u"cancel");

    // Moving the default tells both controls.
    form.Default(&cancel);
    EXPECT_FALSE(ok.Ambient().DisplayAsDefault());
    EXPECT_TRUE(cancel.Ambient().DisplayAsDefault());
    EXPECT_EQ(ok.ambientChanges.size(), 2u);
    // A disabled default is not pressed.
    cancel.Extender().Enabled(false);
    SetFocus(text.hWnd());
    press(VK_RETURN);
    EXPECT_EQ(cancel.accessKeys.size(), 2u);
}

TEST_F(FormTest, DesignModeRoutesNoKeysAndSavesOnlyChangedControls) {
    Form form(u"Form1", false);
    auto& a = form.add<Key>(u"a", -1, at(0));
    auto& b = form.add<Key>(u"b", -1, at(70));
    EXPECT_FALSE(a.Ambient().UserMode());
    form.Show();
    SetFocus(a.hWnd());
    press(VK_TAB);
    EXPECT_EQ(focusedName(form), u"a");
    EXPECT_EQ(a.chars, std::vector<int>{'\t'});

    EXPECT_TRUE(form.saveChanged().empty());
    b.PropertyChanged(u"Caption");
    auto saved = form.saveChanged();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].first, &b);
    EXPECT_TRUE(form.saveChanged().empty());
}

TEST_F(FormTest, TabIndexMovesOneControlAndKeepsTheOthersInOrder) {
    Form form(u"Form1");
    std::vector<UserControl*> model;  // the tab order as erase-then-insert makes it
    for (int i = 0; i < 12; ++i)
        model.push_back(&form.add<Key>(u"k", i, at(i * 10)));
    auto check = [&] {
        for (std::size_t k = 0; k < model.size(); ++k)
            ASSERT_EQ(form.TabIndex(*model[k]), static_cast<int>(k));
    };
    check();
    const int moves[][2] = {{3, 9}, {9, 0}, {0, 40}, {11, 5}, {5, 5}, {7, 2}, {2, 11}, {6, 6}};
    for (const auto& [from, to] : moves) {
        UserControl* c = model[static_cast<std::size_t>(from)];
        form.TabIndex(*c, to);
        model.erase(model.begin() + from);
        const std::size_t place = std::min<std::size_t>(static_cast<std::size_t>(to), model.size());
        model.insert(model.begin() + static_cast<std::ptrdiff_t>(place), c);
        check();
    }
    // Removing and adding controls keeps every other control's place.
    UserControl* gone = model[4];
    form.remove(*gone);
    model.erase(model.begin() + 4);
    check();
    model.push_back(&form.add<Key>(u"k", 99, at(0)));
    check();
    EXPECT_EQ(test::errorOf([&] { form.TabIndex(*model[0], -1); }), 380);
    Key stranger;
    EXPECT_EQ(test::errorOf([&] { (void)form.TabIndex(stranger); }), 5);
    EXPECT_EQ(test::errorOf([&] { form.TabIndex(stranger, 0); }), 5);
    // Tab follows the order.
    form.Show();
    std::vector<UserControl*> visited;
    for (std::size_t k = 0; k < model.size(); ++k) {
        visited.push_back(form.ActiveControl());
        press(VK_TAB);
    }
    EXPECT_EQ(visited, model);
}

TEST_F(FormTest, NamesAreFoundWhateverTheirCaseAfterRemovals) {
    Form form(u"Form1");
    auto& umlaut = form.add<Key>(u"\u00DCber", -1, at(0));
    // Folded one code unit at a time: Deseret capital and small letters name different controls.
    auto& capital = form.add<Key>(u"\U00010400", -1, at(10));
    auto& small = form.add<Key>(u"\U00010428", -1, at(20));
    auto& a1 = form.add<Key>(u"arr", 1, at(30));
    auto& a2 = form.add<Key>(u"ARR", 2, at(40));
    EXPECT_EQ(test::errorOf([&] { form.add<Key>(u"\u00FCBER", -1, at(0)); }), 360);
    EXPECT_EQ(&form.control(u"\u00FCber"), &umlaut);
    EXPECT_EQ(&form.control(u"\U00010400"), &capital);
    EXPECT_EQ(&form.control(u"\U00010428"), &small);
    EXPECT_EQ(&form.control(u"Arr", 2), &a2);
    EXPECT_EQ(test::errorOf([&] { (void)form.control(u"arr"); }), 340);  // no index: not a member

    form.remove(umlaut);
    EXPECT_EQ(test::errorOf([&] { (void)form.control(u"\u00DCber"); }), 340);
    // Everything after the removed control is still found, with its own name and index.
    EXPECT_EQ(&form.control(u"arr", 1), &a1);
    EXPECT_EQ(form.nameOf(a2), u"ARR");
    EXPECT_EQ(form.indexOf(a2), 2);
    EXPECT_TRUE(form.TabStop(small));
    EXPECT_EQ(form.TabIndex(a2), 3);
    // The name is free again.
    auto& again = form.add<Key>(u"\u00FCber", -1, at(50));
    EXPECT_EQ(&form.control(u"\u00DCBER"), &again);
    EXPECT_EQ(form.Controls(), (std::vector<UserControl*>{&capital, &small, &a1, &a2, &again}));
    // Stacking lists the windowed controls from the back.
    a1.Extender().ZOrder(0);
    capital.Extender().ZOrder(1);
    EXPECT_EQ(form.Stacking(nullptr),
              (std::vector<UserControl*>{&capital, &small, &a2, &again, &a1}));
}

TEST_F(FormTest, KeysInsideAControlPassItsHookThenTheForm) {
    innerKeys().clear();
    auto form = std::make_unique<Form>(u"Form1");
    auto& wrapper = form->add<Wrapper>(u"wrapper", -1, at(0));
    auto& other = form->add<Key>(u"other", -1, at(70));
    other.AccessKeys(u"t");
    wrapper.makeInner();
    form->Show();
    SetFocus(wrapper.inner);

    // The hook sees keys first and may keep them; the rest reach the inner window.
    press(VK_LEFT);
    press('A');
    EXPECT_EQ(innerKeys(),
              (std::vector<std::pair<UINT, WPARAM>>{{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}}));
    EXPECT_EQ(wrapper.offered.front(), (std::pair<UINT, WPARAM>{WM_KEYDOWN, VK_LEFT}));
    // Tab from inside the control moves to the next control; its character is never typed.
    innerKeys().clear();
    press(VK_TAB);
    EXPECT_EQ(focusedName(*form), u"other");
    EXPECT_TRUE(innerKeys().empty());
    // A hook that keeps Tab keeps the focus where it is.
    SetFocus(wrapper.inner);
    wrapper.takeTab = true;
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), wrapper.inner);
    // Access keys work from inside too.
    platform->KeyDown(VK_MENU);
    platform->KeyPress('T');
    platform->KeyUp(VK_MENU);
    platform->PumpMessages();
    EXPECT_EQ(other.accessKeys.size(), 1u);
    // A removed hook control is forgotten; a destroyed form removes the hook.
    SetFocus(wrapper.inner);
    form->remove(wrapper);
    press(VK_LEFT);
    form.reset();
    press(VK_TAB);
    GUITHREADINFO gui{};
    EXPECT_TRUE(GetGUIThreadInfo(0, &gui));
    EXPECT_EQ(gui.flags, 0u);
}
