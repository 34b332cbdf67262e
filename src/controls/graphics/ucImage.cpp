#include "controls/graphics/ucImage.h"

#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"

namespace orvane {

ucImage::ucImage() : ImageViewControl(StandardEvents::of<ucImage>()) {}
ucImage::~ucImage() = default;

PropertyTable ucImage::declare() {
    using T = ucImage;
    PropertyTable t;
    declareImageView<T>(t);
    // A new slicing shows the first frame and plays only when there is more than one.
    const auto restart = [](T& c) { c.restartAnimation(); };
    t.add<T>(u"Style", &T::m_style, ImageStyleEnum::imgStandard, ImageStyleEnum::imgStandard)
        .check([](const ImageStyleEnum& v) {
            return v == ImageStyleEnum::imgStandard || v == ImageStyleEnum::imgPictureStrip;
        })
        .then(restart)
        .relayout();
    t.add<T>(u"FrameCount", &T::m_frameCount, 1, 1)
        .check([](const std::int32_t& v) { return v >= 1; })
        .then(restart)
        .relayout();
    return t;
}

const PropertyTable& ucImage::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucImage::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucImage;
    publishControl<T>(library, classes, u"ucImage", table(), true,
                      [](ClassBuilder<T>& b) { publishOwnerDraw(b); });
}

std::int32_t ucImage::stripFrames() const {
    return m_style == ImageStyleEnum::imgPictureStrip ? m_frameCount : 0;
}

}  // namespace orvane
