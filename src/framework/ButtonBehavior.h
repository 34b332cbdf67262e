// Hot, pressed and focus: the small state machine every owner-drawn control shares. It knows
// nothing of windows or timers; the control feeds it input and asks what changed, so the label,
// the buttons and the choice controls react to the mouse and the keyboard the same way.
#pragma once

namespace orvane {

class ButtonBehavior {
public:
    // Whether the pointer is over the control.
    bool hot() const { return m_hot; }
    // Whether a mouse button is down on the control.
    bool pressed() const { return m_pressed; }
    // Whether the control has the keyboard focus.
    bool focused() const { return m_focused; }

    // The pointer moved over the control: true when it has just entered.
    bool pointerOver() {
        if (m_hot) return false;
        m_hot = true;
        return true;
    }
    // The hover poll found the pointer outside: true when it has just left. A pressed control
    // keeps its hot state until the button comes up, as the poll waits while pressed.
    bool pointerOutside() {
        if (!m_hot || m_pressed) return false;
        m_hot = false;
        return true;
    }
    // A button went down on the control; true when the state changed.
    bool press() { return set(m_pressed, true); }
    // The button came up; true when the state changed.
    bool release() { return set(m_pressed, false); }
    // The control took the focus; true when the state changed.
    bool focus() { return set(m_focused, true); }
    // Losing the focus also ends a press.
    bool blur() {
        const bool changed = set(m_focused, false);
        return set(m_pressed, false) || changed;
    }
    // A disabled or removed control is neither hot nor pressed.
    void reset() { m_hot = m_pressed = false; }

private:
    static bool set(bool& flag, bool value) {
        if (flag == value) return false;
        flag = value;
        return true;
    }

    bool m_hot = false;
    bool m_pressed = false;
    bool m_focused = false;
};

}  // namespace orvane
