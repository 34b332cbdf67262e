// A test of controls on a form: the controls registered, and the moves every control test
// makes (placing in pixels, probing pixels, hovering, pressing, recording events by name).
#pragma once

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "support/PlatformTest.h"

namespace orvane::test {

// A placement in pixels at 96 DPI (15 twips each).
inline Extender box(int left, int top, int width, int height) {
    Extender e;
    e.Move(left * 15, top * 15, width * 15, height * 15);
    return e;
}

// The largest difference of one colour channel.
inline int channelDistance(platform::COLORREF a, platform::COLORREF b) {
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8)
        d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                 static_cast<int>((b >> shift) & 0xFF)));
    return d;
}

// The names of the standard events as the button numbers them (Click 1 … MouseLeave 10).
inline const std::map<int, std::string>& standardEventNames() {
    static const std::map<int, std::string> names{
        {1, "Click"},     {2, "DblClick"},  {3, "KeyDown"}, {4, "KeyPress"},   {5, "KeyUp"},
        {6, "MouseDown"}, {7, "MouseMove"}, {8, "MouseUp"}, {9, "MouseEnter"}, {10, "MouseLeave"}};
    return names;
}

class ControlTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        registerControls(TypeLibrary::current(), ControlClasses::current());
    }

    void pump() { platform->PumpMessages(); }
    void focus(const UserControl& c) {
        platform::SetFocus(c.hWnd());
        pump();
    }
    void key(int vk) {
        platform->KeyPress(vk);
        pump();
    }
    // Nothing keeps the focus (showing a form gives it to its first control).
    void unfocus() {
        platform::SetFocus(platform::HWND());
        pump();
    }
    void moveAway() {
        platform->MouseMove(1500, 1000);
        platform->AdvanceTime(20);  // the hover poll notices
        pump();
    }
    void press() {
        platform->MouseDown();
        pump();
    }
    void release() {
        platform->MouseUp();
        pump();
    }
    platform::COLORREF pixel(const UserControl& c, int x, int y) {
        return platform->ClientPixel(c.hWnd(), x, y);
    }
    // The form's own colour, where no control covers it.
    platform::COLORREF formPixel(const Form& form) {
        return platform->ClientPixel(form.hWnd(), 2, 2);
    }
    platform::POINT at(const UserControl& c, int x, int y) {
        return platform->ClientToScreenPoint(c.hWnd(), x, y);
    }
    void hover(const UserControl& c, int x, int y) {
        const platform::POINT p = at(c, x, y);
        platform->MouseMove(p.x, p.y);
        pump();
    }
    // A click at a point of the control, far enough from the last one not to be a double
    // click.
    void clickAt(const UserControl& c, int x, int y) {
        hover(c, x, y);
        platform->AdvanceTime(1000);
        press();
        release();
    }
    // Alt and a letter: the form routes the access key.
    void accessKey(char letter) {
        platform->KeyDown(platform::VK_MENU);
        platform->KeyPress(letter);
        platform->KeyUp(platform::VK_MENU);
        pump();
    }
    // Records the control's events (MouseMove left out) by name, in order.
    std::vector<std::string>& record(
        UserControl& c, const std::map<int, std::string>& names = standardEventNames()) {
        m_events.clear();
        for (const auto& [n, name] : names)
            if (name != "MouseMove")
                c.connect(n,
                          [this, name = name](std::vector<Variant>&) { m_events.push_back(name); });
        return m_events;
    }

    std::vector<std::string> m_events;
};

}  // namespace orvane::test
