#include "controls/buttons/ucFrame.h"

#include "framework/KeysAndText.h"
#include "framework/PaintParentBackground.h"
#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"

namespace orvane {

using namespace platform;

ucFrame::ucFrame() : ImageControl(StandardEvents::of<ucFrame>()) {
    CanGetFocus(false);
}
ucFrame::~ucFrame() = default;

PropertyTable ucFrame::declare() {
    using T = ucFrame;
    PropertyTable t;
    // No state colours and no flat border of its own.
    declareStateless<T>(t);
    t.redeclare<T, OLE_COLOR>(u"BackColor").defaults(vbButtonFace, vbButtonFace);
    t.redeclare<T, OLE_COLOR>(u"ForeColor").defaults(vbButtonText, vbButtonText);
    t.add<T>(u"Alignment", &T::m_alignment, 0, 0)
        .check([](const std::int32_t& v) { return v >= 0 && v <= 2; })
        .relayout();
    t.add<T>(u"Caption", &T::m_caption, std::u16string(), std::u16string())
        .newFrom([](T& c) { return c.Ambient().DisplayName(); })
        .then([](T& c) { c.captionChanged(); })
        .relayout();
    t.add<T>(u"EnableEvents", &T::m_enableEvents, false, false).noRedraw();
    t.add<T>(u"RightToLeft", &T::m_rightToLeft, false, false).relayout();
    t.add<T>(u"ThemedBorder", &T::m_themedBorder, false, false);
    ControlImage::declare<T>(t, &T::m_image, Effect::Relayout);
    t.redeclare<T, std::int32_t>(u"Brightness").notPersisted();
    declarePointer<T>(t);
    t.addAccessor<T, std::int32_t>(
         u"OLEDropMode", [](T& c) { return c.UserControl::OLEDropMode(); },
         [](T& c, std::int32_t v) { c.UserControl::OLEDropMode(v); }, 0, 0)
        .check(within(0, 2))
        .noRedraw();
    return t;
}

const PropertyTable& ucFrame::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucFrame::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucFrame;
    publishControl<ucFrame>(library, classes, u"ucFrame", table(), true, [](ClassBuilder<T>& b) {
        b.method(u"OLEDrag", {}, [](T& c, std::vector<Variant>&) {
            c.OLEDrag();
            return Variant();
        });
        b.event(u"OLEDragOver", evOLEDragOver,
                {u"Data", u"Effect", u"Button", u"Shift", u"x", u"y", u"State"});
        b.event(u"OLEDragDrop", evOLEDragDrop,
                {u"Data", u"Effect", u"Button", u"Shift", u"x", u"y"});
    });
}

void ucFrame::OLEDragOver(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                          MouseButtons button, ShiftState shift, double x, double y,
                          std::int32_t state) {
    raiseOLEDragOver(evOLEDragOver, data, effect, button, shift, x, y, state);
}

void ucFrame::OLEDragDrop(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                          MouseButtons button, ShiftState shift, double x, double y) {
    raiseOLEDragDrop(evOLEDragDrop, data, effect, button, shift, x, y);
}

void ucFrame::captionChanged() {
    AccessKeys(GetAccessKey(m_caption));
}

void ucFrame::loaded() {
    captionChanged();
}

// The access key moves the focus on to the next control in tab order (the first one on the
// frame), as a frame cannot hold it.
void ucFrame::AccessKeyPress(int keyAscii) {
    if (keyAscii != 0 && keyAscii == AccessKeyChar(m_caption)) FocusNextControl();
}

void ucFrame::layout() {
    FrameLayout::Input in;
    in.width = static_cast<int>(ScaleWidth());
    in.height = static_cast<int>(ScaleHeight());
    in.border = m_borderStyle != BorderStyleEnum::None;
    in.hasCaption = !m_caption.empty();
    if (in.border && in.hasCaption) in.text = measureText(m_caption, DT_SINGLELINE, in.width);
    in.alignment = m_alignment;
    in.imageShown = m_image.shown();
    in.aspect = m_image.aspect();
    in.imageHeight = imageHeightPixels();
    in.rightToLeft = m_rightToLeft;
    m_layout = FrameLayout::compute(in);
}

void ucFrame::Paint() {
    ensureLayout();
    const HDC dc = hDC();
    const RECT rc{0, 0, static_cast<int>(ScaleWidth()), static_cast<int>(ScaleHeight())};
    if (rc.right <= 0 || rc.bottom <= 0) return;
    const int saved = SaveDC(dc);
    PaintParentBackground(GetParent(hWnd()), hWnd(), dc);
    if (m_image.shown()) {
        const RECT& r = m_layout.imageRect;
        drawImage(dc, r.left, r.top, r.bottom - r.top, false);
    }
    drawCaption(dc, m_caption, m_enabled ? m_foreColor : palette::kDisabledText, m_layout.textFlags,
                m_layout.textRect);
    if (m_borderStyle != BorderStyleEnum::None) {
        const RECT& gap = m_layout.gapRect;
        if (gap.right > gap.left) ExcludeClipRect(dc, gap.left, gap.top, gap.right, gap.bottom);
        RECT border = m_layout.borderRect;
        if (const HTHEME theme = OpenThemeData(HWND(), u"Button")) {
            DrawThemeBackground(theme, dc, BP_GROUPBOX, GBS_NORMAL, &border, nullptr);
            CloseThemeData(theme);
        } else {
            DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
        }
    }
    RestoreDC(dc, saved);
}

// A release clicks; two within the double-click time also make a DblClick, and a third
// starts a new pair.
void ucFrame::MouseUp(MouseButtons button, ShiftState shift, double x, double y) {
    if (!releaseAndRaise(button, shift, x, y)) return;
    if (m_enableEvents && !raise(evClick)) return;
    const std::uint64_t now = GetTickCount64();
    if (m_lastUp != 0 && now - m_lastUp <= kDoubleClickMs) {
        m_lastUp = 0;
        if (m_enableEvents && !raise(evDblClick)) return;
    } else {
        m_lastUp = now;
    }
    Refresh();
}

}  // namespace orvane
