#include "controls/text/ucLabel.h"

#include <cmath>

#include "framework/KeysAndText.h"
#include "host/App.h"
#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"

namespace orvane {

using namespace platform;

ucLabel::ucLabel() : ImageControl(StandardEvents::of<ucLabel>()) {}
ucLabel::~ucLabel() = default;

PropertyTable ucLabel::declare() {
    using T = ucLabel;
    PropertyTable t;
    declareCommon<T>(t);
    t.add<T>(u"Alignment", &T::m_alignment, 0, 0)
        .check([](const std::int32_t& v) { return v >= 0 && v <= 2; })
        .relayout();
    t.add<T>(u"Autosize", &T::m_autosize, false, false).key(u"AutoSize").relayout();
    t.add<T>(u"Caption", &T::m_caption, std::u16string(), std::u16string())
        .newFrom([](T& c) { return c.Ambient().DisplayName(); })
        .then([](T& c) { c.captionChanged(); })
        .relayout();
    t.add<T>(u"EnableEvents", &T::m_enableEvents, false, false).noRedraw();
    t.add<T>(u"HyperLink", &T::m_hyperLink, false, false).noRedraw();
    t.add<T>(u"RightToLeft", &T::m_rightToLeft, false, false).relayout();
    t.add<T>(u"WordWrap", &T::m_wordWrap, false, false).relayout();
    ControlImage::declare<T>(t, &T::m_image, Effect::Relayout);
    return t;
}

const PropertyTable& ucLabel::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucLabel::registerClass(TypeLibrary& library, ControlClasses& classes) {
    publishControl<ucLabel>(library, classes, u"ucLabel", table(), true);
}

// --- Properties with more to them than storing ---

void ucLabel::RightToLeft(bool value) {
    // Setting it always realigns the caption, even when the value stays.
    const std::int32_t alignment = value ? 1 : 0;
    if (m_rightToLeft == value) return Alignment(alignment);
    m_alignment = alignment;
    setProperty(m_rightToLeft, value);
}

void ucLabel::captionChanged() {
    AccessKeys(GetAccessKey(m_caption));
}

void ucLabel::loaded() {
    captionChanged();
}

void ucLabel::AccessKeyPress(int keyAscii) {
    // The access key moves the focus on to the next control, as a label cannot hold it.
    if (keyAscii == 0 || keyAscii != AccessKeyChar(m_caption)) return;
    keybd_event(VK_TAB, 0, 0, 0);
    keybd_event(VK_TAB, 0, KEYEVENTF_KEYUP, 0);
}

// --- Layout ---

void ucLabel::layout() {
    LabelLayout::Input in;
    in.width = static_cast<int>(ScaleWidth());
    in.height = static_cast<int>(ScaleHeight());
    in.border = borderWidth();
    in.imageShown = m_image.shown();
    in.aspect = m_image.aspect();
    in.imageHeight = imageHeightPixels();
    in.alignment = m_alignment;
    in.wordWrap = m_wordWrap;
    in.rightToLeft = m_rightToLeft;
    in.autosize = m_autosize;
    m_layout = LabelLayout::compute(
        in, [this](UINT flags, int width) { return measureText(m_caption, flags, width); });
    if (m_layout.autosize) sizeToPixels(*m_layout.autosize);
}

}  // namespace orvane
