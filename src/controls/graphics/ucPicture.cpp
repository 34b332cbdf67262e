#include "controls/graphics/ucPicture.h"

#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"

namespace orvane {

using namespace platform;

ucPicture::ucPicture() : ImageViewControl(StandardEvents::of<ucPicture>()) {}
ucPicture::~ucPicture() = default;

PropertyTable ucPicture::declare() {
    PropertyTable t;
    declareImageView<ucPicture>(t);
    return t;
}

const PropertyTable& ucPicture::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucPicture::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucPicture;
    publishControl<T>(library, classes, u"ucPicture", table(), true, [](ClassBuilder<T>& b) {
        b.computed(u"hdc", [](T& c) { return Variant(static_cast<std::int32_t>(c.hdc().value)); });
        publishOwnerDraw(b);
    });
}

// The host's paint DC exists only while Paint runs, so the application gets a DC of the window
// itself, as a form's hDC is: one for the control's life, drawing straight onto its window.
HDC ucPicture::hdc() {
    if (!m_windowDc && hWnd()) m_windowDc = GetDC(hWnd());
    return m_windowDc;
}

void ucPicture::Terminate() {
    if (m_windowDc) ReleaseDC(hWnd(), m_windowDc);
    m_windowDc = HDC();
    ImageViewControl::Terminate();
}

}  // namespace orvane
