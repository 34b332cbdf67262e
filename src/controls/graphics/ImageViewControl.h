// The base of the image controls, ucImage and ucPicture: one image held as encoded bytes and
// decoded once, drawn at its own size (at the control's DPI) or stretched over the client area
// with its opacity, rotation, grey and brightness. An image of several frames (an animated GIF,
// or a strip a derived control slices) steps one frame every FrameInterval milliseconds on the
// control's timer while the form runs. Painting fills the background when opaque, draws the
// frame, raises OwnerDraw for the application's own drawing, then draws the border. The image
// sits inside the border; Autosize sizes the control to one frame and the border.
#pragma once

#include <cstdint>

#include "framework/ImageControl.h"

namespace orvane {

class ImageViewControl : public ImageControl, public ButtonEventNumbers {
public:
    // OwnerDraw(hdc, dx, dy): the paint surface and its size in pixels, after the image and
    // before the border.
    static constexpr int evOwnerDraw = evMouseLeave + 1;

    ~ImageViewControl() override;

    // Sizes the control to one frame of the image (at its DPI) and the border, whenever the
    // image, the border or its size changes; without an image the size stays.
    bool Autosize() const { return m_autosize; }
    void Autosize(bool value) { setProperty(m_autosize, value); }
    // Scales the image over the client area inside the border; else it is drawn at its own
    // size from the top-left corner, cut off where the control ends.
    bool Stretch() const { return m_stretch; }
    void Stretch(bool value) { setProperty(m_stretch, value); }

    // How many frames the control steps through: 0 without an image, 1 for a still one.
    std::int32_t animationFrames() const;
    // The frame shown, from 0.
    std::int32_t currentFrame() const { return m_frame; }
    // One frame's size in image pixels (the whole image unless a strip is sliced).
    platform::SIZE frameSize() const;

    // The image or its slicing changed: a strip is cut into its frames, the first frame shows,
    // and the timer runs only for two frames or more while the form runs.
    void restartAnimation();
    // Follows a new FrameInterval: a running timer takes the new interval.
    void updateAnimation();
    // New image bytes: the first frame, and the timer only for several frames.
    void imageChanged() override;

protected:
    // A control raising the standard events numbered in `events`.
    explicit ImageViewControl(const StandardEvents& events);

    // The property rows both image controls have, declared for class C.
    template <class C>
    static void declareImageView(PropertyTable& t);
    // Publishes OwnerDraw, numbered after the standard events.
    template <class T>
    static void publishOwnerDraw(ClassBuilder<T>& b) {
        b.event(u"OwnerDraw", evOwnerDraw, {u"hdc", u"dx", u"dy"});
    }

    // How many equal slices the image is cut into side by side (0: it is not a strip).
    virtual std::int32_t stripFrames() const { return 0; }

    void layout() override;
    void loaded() override;
    void animationTick() override;
    void Paint() override;
    // The pointer is tracked (MouseEnter, MouseLeave, the tooltip) but the picture does not
    // change with it, and nothing presses the control.
    void stateChanged(StateChange) override {}
    bool pressesWith(MouseButtons) const override { return false; }

private:
    bool m_autosize = false;
    bool m_stretch = false;
    std::int32_t m_frame = 0;
};

template <class C>
void ImageViewControl::declareImageView(PropertyTable& t) {
    using B = ImageViewControl;
    declareCommon<C>(t);
    // The picture shows no hover or pressed state: those colours are neither published nor
    // stored.
    for (const char16_t* name :
         {u"BackColorHot", u"BackColorPressed", u"BorderColorHot", u"BorderColorPressed"})
        t.redeclare<C, OLE_COLOR>(name).hidden().notPersisted();
    t.add<C>(u"Autosize", &B::m_autosize, false, false).key(u"AutoSize").relayout();
    t.add<C>(u"Stretch", &B::m_stretch, false, false);
    ControlImage::declare<C>(t, &B::m_image, Effect::Relayout);
    t.redeclare<C, bool>(u"ShowImage").hidden().notPersisted();
    t.redeclare<C, std::int32_t>(u"ImageSize").hidden().notPersisted();
    // Brightness is a fixed adjustment here (percent added to each channel), not a hover step.
    t.redeclare<C, std::int32_t>(u"Brightness").shown().defaults(0, 0);
    t.redeclare<C, std::int32_t>(u"FrameInterval").then([](C& c) { c.updateAnimation(); });
}

}  // namespace orvane
