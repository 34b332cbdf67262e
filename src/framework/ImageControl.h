// An owner-drawn control that shows an image: the image properties, their cached decoding and
// the image's drawn height, shared by the label, the buttons and the image controls.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/ControlImage.h"
#include "framework/OwnerDrawnControl.h"

namespace orvane {

class ImageControl : public OwnerDrawnControl {
public:
    ~ImageControl() override;

    // The image's encoded bytes: PNG, GIF (animated too), JPEG, WebP, TIFF, BMP or ICO; bytes
    // that are not an image show nothing.
    const std::vector<std::uint8_t>& PNG() const { return m_image.PNG; }
    void PNG(std::vector<std::uint8_t> value) { setProperty(m_image.PNG, std::move(value)); }
    // Whether the image is drawn.
    bool ShowImage() const { return m_image.ShowImage; }
    void ShowImage(bool value) { setProperty(m_image.ShowImage, value); }
    // The image's drawn height in pixels at 96 DPI, 0 to 4096; its width keeps the image's
    // proportions.
    std::int32_t ImageSize() const { return m_image.ImageSize; }
    void ImageSize(std::int32_t value) { setProperty(m_image.ImageSize, value); }
    // The image's opacity, 0 to 255.
    std::int32_t Alpha() const { return m_image.Alpha; }
    void Alpha(std::int32_t value) { setProperty(m_image.Alpha, value); }
    // The image's rotation in degrees.
    std::int32_t Angle() const { return m_image.Angle; }
    void Angle(std::int32_t value) { setProperty(m_image.Angle, value); }
    // The image's brightening while hot and darkening while pressed.
    std::int32_t Brightness() const { return m_image.Brightness; }
    void Brightness(std::int32_t value) { setProperty(m_image.Brightness, value); }
    // Draws the image in grey.
    bool GrayScale() const { return m_image.GrayScale; }
    void GrayScale(bool value) { setProperty(m_image.GrayScale, value); }
    // Milliseconds between an animated image's frames, 1 to 60000.
    std::int32_t FrameInterval() const { return m_image.FrameInterval; }
    void FrameInterval(std::int32_t value) { setProperty(m_image.FrameInterval, value); }

    // The decoded image and its animation state, for inspection.
    const ControlImage& imageState() const { return m_image; }

protected:
    // A control raising the standard events numbered in `events`.
    explicit ImageControl(const StandardEvents& events);

    ControlImage* image() override { return &m_image; }
    // ImageSize in device pixels at the control's DPI.
    int imageHeightPixels() const;

    // The image properties' values and the decoded image.
    ControlImage m_image;
};

}  // namespace orvane
