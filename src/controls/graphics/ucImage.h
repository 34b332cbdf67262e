// An image: PNG, GIF (animated too), JPEG, WebP and other encoded bytes, or a horizontal strip of
// equal frames that it shows one after another, drawn at its own size or stretched, with
// opacity, rotation, grey and brightness, over a transparent or opaque background inside a flat
// or 3D border; OwnerDraw lets the application draw over it.
#pragma once

#include <cstdint>
#include <string>

#include "controls/graphics/ImageViewControl.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucImage : public ImageViewControl {
public:
    ucImage();
    ~ucImage() override;
    std::u16string className() const override { return u"ucImage"; }
    // Publishes the class, its properties, methods and events in `library`, and as the form-file
    // class "ucImage" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // imgStandard: the image as it is (an animated one plays its frames); imgPictureStrip: the
    // image is FrameCount equal frames side by side, shown one at a time. Other values raise
    // error 380.
    ImageStyleEnum Style() const { return m_style; }
    void Style(ImageStyleEnum value) { setProperty(m_style, value); }
    // How many frames a strip holds, 1 or more; more than one plays them on the frame timer.
    std::int32_t FrameCount() const { return m_frameCount; }
    void FrameCount(std::int32_t value) { setProperty(m_frameCount, value); }

protected:
    const PropertyTable& properties() const override { return table(); }
    std::int32_t stripFrames() const override;

private:
    static PropertyTable declare();
    static const PropertyTable& table();

    ImageStyleEnum m_style = ImageStyleEnum::imgStandard;
    std::int32_t m_frameCount = 1;
};

}  // namespace orvane
