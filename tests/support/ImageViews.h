// What the tests of the image controls share: the colours they probe for, a strip of
// one-colour frames, and a change of every property the image controls have in common.
#pragma once

#include <cstdint>
#include <vector>

#include "controls/graphics/ImageViewControl.h"
#include "platform/display/PngWriter.h"
#include "support/ControlTest.h"

namespace orvane::test {

inline constexpr platform::COLORREF kRed = platform::RGB(255, 0, 0);
inline constexpr platform::COLORREF kGreen = platform::RGB(0, 255, 0);
inline constexpr platform::COLORREF kBlue = platform::RGB(0, 0, 255);
// The default flat border.
inline constexpr platform::COLORREF kBorder = platform::RGB(0xAD, 0xAD, 0xAD);

// The same colour, give or take the rounding of scaling and blending.
inline bool near(platform::COLORREF a, platform::COLORREF b) {
    return channelDistance(a, b) <= 8;
}

// A PNG of equal frames side by side, `frameWidth` × `height` each, every frame one colour.
inline std::vector<std::uint8_t> strip(int frameWidth, int height,
                                       const std::vector<platform::COLORREF>& colours) {
    platform::PixelSurface s(frameWidth * static_cast<int>(colours.size()), height);
    for (std::size_t i = 0; i < colours.size(); ++i)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < frameWidth; ++x)
                s.at(static_cast<int>(i) * frameWidth + x, y) =
                    0xFF000000u | platform::PixelSurface::fromColor(colours[i]);
    return platform::PngWriter::encode(s, platform::PngWriter::Alpha::Keep);
}

// Sets every property the image controls share to a value other than a new control's.
inline void changeSharedImageProperties(ImageViewControl& c) {
    c.PNG(strip(8, 8, {kRed, kBlue}));
    c.Alpha(100);
    c.Angle(45);
    c.GrayScale(true);
    c.Brightness(-20);
    c.Stretch(true);
    c.Autosize(true);
    c.FrameInterval(80);
    c.BackStyle(BackStyleEnum::bsOpaque);
    c.BackColor(0x8000000F);
    c.BorderStyle(BorderStyleEnum::None);
    c.BorderColor(0x405060);
    c.Borderwidth(3);
    c.Appearance(AppearanceEnum::ThreeD);
    c.ForeColor(0x0000FF);
    c.Enabled(false);
}

}  // namespace orvane::test
