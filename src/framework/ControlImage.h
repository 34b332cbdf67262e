// The image a label, button, check box, option button or frame shows beside its caption, or an
// image control shows alone: the encoded bytes (PNG, GIF, JPEG, WebP, ...), how it is drawn (size,
// opacity, rotation, grey, hover brightness) and, for animated images, which frame comes next. The
// bytes are decoded once into the control's own image cache under the key "k" (frames under "k|0",
// "k|1", ...).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/PropertyTable.h"
#include "platform/platform.h"

namespace orvane {

class cGDIPCache;

class ControlImage {
public:
    ControlImage();
    ~ControlImage();
    ControlImage(const ControlImage&) = delete;
    ControlImage& operator=(const ControlImage&) = delete;

    // The published properties (declared by `declare`; see ImageControl): the encoded image.
    std::vector<std::uint8_t> PNG;
    bool ShowImage = true;            // whether the image is drawn
    std::int32_t ImageSize = 16;      // drawn height, pixels at 96 DPI
    std::int32_t Alpha = 255;         // opacity, 0 to 255
    std::int32_t Angle = 0;           // rotation, degrees
    bool GrayScale = false;           // drawn in grey
    std::int32_t Brightness = 10;     // persisted only: the hover and pressed step
    std::int32_t FrameInterval = 35;  // milliseconds between frames

    // Decodes PNG into a new cache; bytes that are not an image leave no image.
    void load();
    // Drops the cache and its pixels.
    void release();
    // Decoded, with data, and ShowImage on.
    bool shown() const { return ShowImage && m_loaded; }
    // Whether PNG decoded to an image.
    bool loaded() const { return m_loaded; }
    // Width ÷ height of the image (1 without one).
    double aspect() const { return m_aspect; }
    // How many frames an animated image has (0 for a still image or none).
    std::int32_t frameCount() const { return m_frames; }
    // The frame drawn next.
    std::int32_t frameIndex() const { return m_frame; }
    // The drawn width for a drawn height: aspect × height, rounded.
    int widthFor(int height) const;

    // The control's state, as the image shows it: disabled is grey at half opacity.
    enum class Look { Normal, Hot, Pressed, Disabled };
    // Draws at (x, y), `height` pixels tall (device pixels). `brightnessStep` is applied up for
    // Hot and down for Pressed. With `animate`, the current frame is drawn and the index moves
    // on; the return value says whether an animation timer should run.
    bool draw(platform::HDC dc, int x, int y, int height, Look look, bool brightnessStep,
              bool animate);

    // Draws the whole image, or the part `source` of it (image pixels), stretched over `dest`
    // (device pixels), unrotated and without animating; the brightness step as in `draw`.
    void drawStretched(platform::HDC dc, const platform::RECT& dest, const platform::RECT* source,
                       Look look, bool brightnessStep);
    // Draws the image over `dest` (device pixels), unrotated, as a background: whether or not
    // ShowImage is on. With `animate` (run mode) a multi-frame image shows its frames in turn:
    // `advance` moves on to the next frame, otherwise the frame drawn last is drawn again (a
    // repaint of part of the control matches the rest). The return value says whether an
    // animation timer should run.
    bool drawFrame(platform::HDC dc, const platform::RECT& dest, Look look, bool animate,
                   bool advance);
    // Cuts the image into `count` equal frames side by side (a strip, the rest of its width left
    // out), each cached as an image of its own so that a frame drawn stretched never takes in
    // its neighbours' pixels; fewer than two frames undo it.
    void sliceStrip(std::int32_t count);
    // How many strip frames sliceStrip cut (0: none).
    std::int32_t stripFrames() const { return m_strip; }
    // Draws frame `frame` (a strip's, else an animated image's; the image itself when it has
    // fewer than two) over `dest` (device pixels) with Alpha, Angle, GrayScale and Brightness
    // as they stand; `disabled` draws it grey at half opacity. For controls that step through
    // the frames themselves.
    void drawAdjusted(platform::HDC dc, const platform::RECT& dest, std::int32_t frame,
                      bool disabled);
    // The decoded image's width in pixels (0 without one).
    std::int32_t pixelWidth() const { return m_width; }
    // The decoded image's height in pixels (0 without one).
    std::int32_t pixelHeight() const { return m_height; }

    // Declares the image properties of control C, whose image lives at `member`; `effect` is
    // what a change of the size or visibility costs the control (usually a re-layout), and
    // `changed` runs after PNG changed (to restart the animation, say).
    template <class C>
    static void declare(PropertyTable& t, ControlImage C::*member, Effect effect);

private:
    double brightnessFor(Look look, bool brightnessStep) const;
    void render(platform::HDC dc, const std::u16string& key, const platform::RECT& dest,
                const platform::RECT* source, bool disabled, double brightness, std::int32_t angle);

    std::unique_ptr<cGDIPCache> m_cache;
    bool m_loaded = false;
    double m_aspect = 1.0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_frames = 0;
    std::int32_t m_frame = 0;
    std::int32_t m_shownFrame = 0;  // the frame drawFrame drew last
    std::int32_t m_strip = 0;       // strip frames cut by sliceStrip
};

template <class C>
void ControlImage::declare(PropertyTable& t, ControlImage C::*member, Effect effect) {
    auto at = [member](auto field) {
        return [ member, field ](C & c) -> auto& {
            return (c.*member).*field;
        };
    };
    const auto inRange = [](std::int32_t lo, std::int32_t hi) {
        return [lo, hi](const std::int32_t& v) { return v >= lo && v <= hi; };
    };
    t.addRef<C, std::vector<std::uint8_t>>(u"PNG", at(&ControlImage::PNG), {}, {})
        .effect(effect)
        .then([member](C& c) {
            (c.*member).load();
            c.imageChanged();
        });
    t.addRef<C, bool>(u"ShowImage", at(&ControlImage::ShowImage), true, true).effect(effect);
    t.addRef<C, std::int32_t>(u"ImageSize", at(&ControlImage::ImageSize), 16, 16)
        .check(inRange(0, 4096))
        .effect(effect);
    t.addRef<C, std::int32_t>(u"Alpha", at(&ControlImage::Alpha), 255, 255).check(inRange(0, 255));
    t.addRef<C, std::int32_t>(u"Angle", at(&ControlImage::Angle), 0, 0);
    t.addRef<C, bool>(u"GrayScale", at(&ControlImage::GrayScale), false, false);
    t.addRef<C, std::int32_t>(u"Brightness", at(&ControlImage::Brightness), 0, 10)
        .hidden()
        .check(inRange(-100, 100));
    t.addRef<C, std::int32_t>(u"FrameInterval", at(&ControlImage::FrameInterval), 35, 35)
        .check(inRange(1, 60000))
        .noRedraw();
}

}  // namespace orvane
