// A small spin control: two arrow halves that step Value down and up between Min and Max,
// once as a half is pressed and then every 100 ms while it is held; a double click counts as a
// press. Drawn with the "Spin" visual style (normal, hot, pressed, disabled per half) or, without
// styles, as two scroll-arrow buttons, flat when Flat.
#pragma once

#include <cstdint>

#include "framework/OwnerDrawnControl.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucUpDown : public OwnerDrawnControl {
public:
    // Event numbers, as published: Change.
    enum Event { evChange = 1 };
    // Which half: none, the decrementing one (bottom or left), the incrementing one.
    enum Half { None = 0, Decrement = 1, Increment = 2 };
    // The repeat timer's interval, in milliseconds.
    static constexpr std::int32_t kRepeatMs = 100;
    // The tick of a held half that repeats first (the press itself stepped once).
    static constexpr int kFirstRepeatTick = 4;

    ucUpDown();
    ~ucUpDown() override;
    std::u16string className() const override { return u"ucUpDown"; }
    // Publishes the class, its properties and its event in `library`, and as the form-file
    // class "ucUpDown" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // The value, kept within Min and Max; a change raises Change.
    std::int32_t Value() const { return m_value; }
    void Value(std::int32_t value);
    // The lowest value; a Value below it moves up to it.
    std::int32_t Min() const { return m_min; }
    void Min(std::int32_t value) { setProperty(m_min, value); }
    // The highest value; a Value above it moves down to it.
    std::int32_t Max() const { return m_max; }
    void Max(std::int32_t value) { setProperty(m_max, value); }
    // oHorizontal: left and right halves; oVertical: top and bottom halves.
    OrientationEnum Orientation() const { return m_orientation; }
    void Orientation(OrientationEnum value) { setProperty(m_orientation, value); }
    // Flat arrow buttons when drawn without visual styles.
    bool Flat() const { return m_flat; }
    void Flat(bool value) { setProperty(m_flat, value); }

    // The half held down.
    Half pressedHalf() const { return m_pressed; }
    // The half under the pointer.
    Half hotHalf() const { return m_hot; }
    // The half at (x, y) pixels of a control of this size and orientation.
    static Half halfAt(int x, int y, int width, int height, bool vertical);

protected:
    const PropertyTable& properties() const override { return table(); }
    void Paint() override;
    void MouseDown(MouseButtons button, ShiftState shift, double x, double y) override;
    void MouseMove(MouseButtons button, ShiftState shift, double x, double y) override;
    void MouseUp(MouseButtons button, ShiftState shift, double x, double y) override;
    void DblClick() override;
    bool pointerLeft() override;

private:
    static PropertyTable declare();
    static const PropertyTable& table();
    // Presses the half at (x, y): one step now, the repeat timer on.
    void press(double x, double y);
    // One step of the pressed half; false when a Change handler removed the control.
    bool step();
    void tick();
    void rangeChanged();

    std::int32_t m_value = 0;
    std::int32_t m_min = 0;
    std::int32_t m_max = 100;
    OrientationEnum m_orientation = OrientationEnum::oHorizontal;
    bool m_flat = true;
    Half m_pressed = None;
    Half m_hot = None;
    int m_ticks = 0;
    double m_lastX = 0;
    double m_lastY = 0;
    ConstituentTimer* m_repeat = nullptr;
};

}  // namespace orvane
