// Where a button's caption and side image go, and the size autosize gives it: pure geometry
// from the button's settings, its size and a text measure, so it is tested without a window.
#pragma once

#include <functional>
#include <optional>

#include "platform/platform.h"

namespace orvane {

struct ButtonLayout {
    // What the layout depends on.
    struct Input {
        int width = 0;             // client width, pixels
        int height = 0;            // client height, pixels
        int style = 2;             // ButtonStyleEnum
        int border = 0;            // effective border width (0, 2 for 3D, or Borderwidth)
        bool hasImage = false;     // decoded image data
        bool imageShown = false;   // and ShowImage
        double aspect = 1.0;       // image width ÷ height
        int imageHeight = 0;       // drawn side-image height, pixels
        int alignment = 0;         // 0 left, 1 right, 2 centre
        bool wordWrap = false;     // WordWrap
        bool rightToLeft = false;  // RightToLeft
        bool autosize = false;     // Autosize
        int padLeft = 4;           // PadLeft (picture styles)
        int padTop = 4;            // PadTop
        int padRight = 4;          // PadRight
        int padBottom = 4;         // PadBottom
    };
    // Measures the caption laid out with DrawTextW `flags` in `width` pixels.
    using Measure = std::function<platform::SIZE(platform::UINT flags, int width)>;

    // DrawTextW flags for the caption.
    platform::UINT textFlags = 0;
    // Where the caption is drawn; a wrapped caption's top is moved so its lines are centred.
    platform::RECT textRect{};
    // Where the side image goes (styles 0 to 2); empty when none is shown.
    platform::RECT imageRect{};
    // The client size autosize asks for, when it does.
    std::optional<platform::SIZE> autosize;

    // `measure` is called when autosizing and for wrapped captions.
    static ButtonLayout compute(const Input& in, const Measure& measure);
    // Moves the top of `textRect` down so that the lines `flags` wrap the caption into are
    // centred vertically in it.
    static void centreWrappedBlock(platform::RECT& textRect, platform::UINT flags,
                                   const Measure& measure);
};

}  // namespace orvane
