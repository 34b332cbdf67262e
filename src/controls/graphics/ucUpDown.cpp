#include "controls/graphics/ucUpDown.h"

#include <algorithm>

#include "host/ClassBuilder.h"
#include "host/ConstituentTimer.h"
#include "host/ControlClasses.h"
#include "platform/theme/Theme.h"

namespace orvane {

using namespace platform;

ucUpDown::ucUpDown() : OwnerDrawnControl(StandardEvents::of<ucUpDown>()) {
    CanGetFocus(false);
}
ucUpDown::~ucUpDown() = default;

PropertyTable ucUpDown::declare() {
    using T = ucUpDown;
    PropertyTable t;
    declareStateless<T>(t);
    // Only the spin's own properties are published and kept; the shared ones stay inside.
    for (const char16_t* name : {u"BackColor", u"ForeColor"})
        t.redeclare<T, OLE_COLOR>(name).hidden().notPersisted();
    t.redeclare<T, AppearanceEnum>(u"Appearance").hidden().notPersisted();
    t.redeclare<T, BorderStyleEnum>(u"BorderStyle").hidden().notPersisted();
    t.redeclare<T, std::shared_ptr<StdFont>>(u"Font").hidden();
    t.redeclare<T, bool>(u"Enabled").hidden().notPersisted();
    // Published by hand: a Value out of range is moved into it, not refused.
    t.add<T>(u"Value", &T::m_value, 0, 0).hidden();
    t.add<T>(u"Min", &T::m_min, 0, 0).then([](T& c) { c.rangeChanged(); });
    t.add<T>(u"Max", &T::m_max, 100, 100).then([](T& c) { c.rangeChanged(); });
    t.add<T>(u"Orientation", &T::m_orientation, OrientationEnum::oHorizontal,
             OrientationEnum::oHorizontal)
        .check([](const OrientationEnum& v) {
            return v == OrientationEnum::oHorizontal || v == OrientationEnum::oVertical;
        });
    t.add<T>(u"Flat", &T::m_flat, true, true);
    return t;
}

const PropertyTable& ucUpDown::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucUpDown::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucUpDown;
    publishControl<T>(library, classes, u"ucUpDown", table(), false, [](ClassBuilder<T>& b) {
        b.property(
            PropertyInfo{u"Value", [](Object& o) { return Variant(static_cast<T&>(o).Value()); },
                         [](Object& o, const Variant& v) { static_cast<T&>(o).Value(CLng(v)); }});
        b.event(u"Change", evChange, {});
    });
}

void ucUpDown::Value(std::int32_t value) {
    value = std::clamp(value, std::min(m_min, m_max), std::max(m_min, m_max));
    if (value == m_value) return;
    setProperty(m_value, value);
    raise(evChange);
}

// A narrowed range moves the value inside it.
void ucUpDown::rangeChanged() {
    Value(m_value);
}

ucUpDown::Half ucUpDown::halfAt(int x, int y, int width, int height, bool vertical) {
    if (x < 0 || y < 0 || x >= width || y >= height) return None;
    if (vertical) return y < height / 2 ? Increment : Decrement;
    return x < width / 2 ? Decrement : Increment;
}

void ucUpDown::press(double x, double y) {
    m_pressed =
        halfAt(static_cast<int>(x), static_cast<int>(y), static_cast<int>(ScaleWidth()),
               static_cast<int>(ScaleHeight()), m_orientation == OrientationEnum::oVertical);
    if (m_pressed == None) return;
    m_hot = m_pressed;
    SetCapture(hWnd());
    Refresh();
    m_ticks = 0;
    if (!m_repeat) {
        m_repeat = &addTimer();
        m_repeat->Interval(kRepeatMs);
        m_repeat->onTick = [this] { tick(); };
    }
    m_repeat->Enabled(true);
    step();
}

bool ucUpDown::step() {
    const std::int32_t before = m_value;
    const std::int32_t next = m_pressed == Increment ? (m_value < m_max ? m_value + 1 : m_value)
                                                     : (m_value > m_min ? m_value - 1 : m_value);
    if (next == before) return true;
    setProperty(m_value, next);
    return raise(evChange);
}

// Held: after the first few ticks, one step a tick while the pointer stays on the half.
void ucUpDown::tick() {
    if (m_pressed == None || GetKeyState(VK_LBUTTON) >= 0) {
        if (m_repeat) m_repeat->Enabled(false);
        return;
    }
    if (++m_ticks < kFirstRepeatTick || m_hot != m_pressed) return;
    step();
}

void ucUpDown::MouseDown(MouseButtons button, ShiftState shift, double x, double y) {
    OwnerDrawnControl::MouseDown(button, shift, x, y);
    if (button == MouseButtons::Left && Enabled()) press(x, y);
}

void ucUpDown::MouseMove(MouseButtons button, ShiftState shift, double x, double y) {
    OwnerDrawnControl::MouseMove(button, shift, x, y);
    const Half now =
        halfAt(static_cast<int>(x), static_cast<int>(y), static_cast<int>(ScaleWidth()),
               static_cast<int>(ScaleHeight()), m_orientation == OrientationEnum::oVertical);
    if (now == m_hot) return;
    m_hot = now;
    Refresh();
}

void ucUpDown::MouseUp(MouseButtons button, ShiftState shift, double x, double y) {
    if (m_pressed != None && button == MouseButtons::Left) {
        m_pressed = None;
        if (m_repeat) m_repeat->Enabled(false);
        if (GetCapture() == hWnd()) ReleaseCapture();
        Refresh();
    }
    OwnerDrawnControl::MouseUp(button, shift, x, y);
}

// The second press of a double click comes as a double click followed by a press, and the
// press steps: fast clicks each count. The double click itself does nothing more.
void ucUpDown::DblClick() {}

bool ucUpDown::pointerLeft() {
    if (m_hot != None && m_pressed == None) {
        m_hot = None;
        Refresh();
    }
    return true;
}

void ucUpDown::Paint() {
    const int w = static_cast<int>(ScaleWidth()), h = static_cast<int>(ScaleHeight());
    if (w <= 0 || h <= 0) return;
    const HDC dc = hDC();
    const bool vertical = m_orientation == OrientationEnum::oVertical;
    const RECT dec = vertical ? RECT{0, h / 2, w, h} : RECT{0, 0, w / 2, h};
    const RECT inc = vertical ? RECT{0, 0, w, h / 2} : RECT{w / 2, 0, w, h};
    const bool enabled = Enabled();
    if (const HTHEME theme = OpenThemeData(hWnd(), u"Spin")) {
        auto draw = [&](Half half, const RECT& r, int part) {
            const int state = !enabled ? 4 : m_pressed == half ? 3 : m_hot == half ? 2 : 1;
            DrawThemeParentBackground(hWnd(), dc, &r);
            DrawThemeBackground(theme, dc, part, state, &r, nullptr);
        };
        draw(Increment, inc, vertical ? SPNP_UP : SPNP_UPHORZ);
        draw(Decrement, dec, vertical ? SPNP_DOWN : SPNP_DOWNHORZ);
        CloseThemeData(theme);
        return;
    }
    auto draw = [&](Half half, RECT r, UINT kind) {
        UINT flags = kind;
        if (m_pressed == half) flags |= DFCS_PUSHED;
        if (m_flat) flags |= DFCS_FLAT;
        if (!enabled) flags |= DFCS_INACTIVE;
        DrawFrameControl(dc, &r, DFC_SCROLL, flags);
    };
    draw(Increment, inc, vertical ? DFCS_SCROLLUP : DFCS_SCROLLRIGHT);
    draw(Decrement, dec, vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLLEFT);
}

}  // namespace orvane
