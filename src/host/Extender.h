// The properties the container adds to every control it holds: its name and index in a
// control array, its position in twips, its tag. Reachable by name as well, as scripts and
// controls reach them.
#pragma once

#include <functional>
#include <string>

#include "host/Variant.h"

namespace orvane {

class UserControl;

class Extender {
public:
    // The control's name on its form.
    const std::u16string& Name() const { return m_name; }
    void Name(std::u16string name) { m_name = std::move(name); }
    // The index in a control array, or -1 for a control that is not in one.
    int Index() const { return m_index; }
    void Index(int index) { m_index = index; }
    // Any value the program keeps with the control.
    const Variant& Tag() const { return m_tag; }
    void Tag(Variant tag) { m_tag = std::move(tag); }
    // The control this one sits on, or null when it sits on the form itself.
    UserControl* Container() const { return m_container; }
    void Container(UserControl* container) { m_container = container; }

    // Position and size in twips, in the container's client area; setting them moves the
    // control. This is the left edge.
    int Left() const { return m_left; }
    void Left(int twips);
    // The top edge, twips.
    int Top() const { return m_top; }
    void Top(int twips);
    // The outer width, twips.
    int Width() const { return m_width; }
    void Width(int twips);
    // The outer height, twips.
    int Height() const { return m_height; }
    void Height(int twips);
    // Sets the position and size at once (one move).
    void Move(int left, int top, int width, int height);
    // Docking to an edge of the form: 0 none, 1 top, 2 bottom, 3 left, 4 right (error 380
    // otherwise). The form sizes docked controls to its width or height.
    int Align() const { return m_align; }
    void Align(int align);
    // Whether the control is shown (with its container).
    bool Visible() const { return m_visible; }
    void Visible(bool visible);
    // Whether the control takes input.
    bool Enabled() const { return m_enabled; }
    void Enabled(bool enabled);

    // Brings the control in front of its siblings (0) or sends it behind them (1); other
    // positions raise error 5.
    void ZOrder(int position = 0);

    // By name, as late-bound callers use them: error 438 for a name the extender lacks.
    // Container reads as the control it sits on (Nothing for the form) and takes a control or
    // Nothing. This one reads an extender property.
    Variant get(std::u16string_view name) const;
    // Writes an extender property by name.
    void put(std::u16string_view name, const Variant& value);

    // The host follows changes of position, visibility and enabled state through this.
    std::function<void()> onChange;
    // The host follows ZOrder through this (front: brought to the front).
    std::function<void(bool front)> onZOrder;
    // Setting Container by name (late bound) moves the control through the container.
    std::function<void(UserControl* container)> onContainer;

private:
    void changed() {
        if (onChange) onChange();
    }

    std::u16string m_name;
    int m_index = -1;
    Variant m_tag{std::u16string()};
    UserControl* m_container = nullptr;
    int m_left = 0;
    int m_top = 0;
    int m_width = 1200;
    int m_height = 480;
    int m_align = 0;
    bool m_visible = true;
    bool m_enabled = true;
};

}  // namespace orvane
