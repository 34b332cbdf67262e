// Where a label's caption and image go, and the size autosize gives it: pure geometry from the
// label's settings, its size and a text measure, so it is tested without a window.
#pragma once

#include <functional>
#include <optional>

#include "platform/platform.h"

namespace orvane {

struct LabelLayout {
    // What the layout depends on.
    struct Input {
        int width = 0;             // client width, pixels
        int height = 0;            // client height, pixels
        int border = 0;            // border width (0, 2 for 3D, or Borderwidth)
        bool imageShown = false;   // a decoded image, ShowImage on
        double aspect = 1.0;       // image width ÷ height
        int imageHeight = 0;       // drawn image height, pixels
        int alignment = 0;         // 0 left, 1 right, 2 centre
        bool wordWrap = false;     // WordWrap
        bool rightToLeft = false;  // RightToLeft
        bool autosize = false;     // Autosize
    };
    // Measures the caption laid out with DrawTextW `flags` in `width` pixels: its width and
    // height.
    using Measure = std::function<platform::SIZE(platform::UINT flags, int width)>;

    // DrawTextW flags for the caption.
    platform::UINT textFlags = 0;
    // Where the caption is drawn; a wrapped caption's top is moved so its lines are centred.
    platform::RECT textRect{};
    platform::RECT imageRect{};  // empty when no image is shown
    // The client size autosize asks for, when it does.
    std::optional<platform::SIZE> autosize;

    // `measure` is called for wrapped captions and when autosizing, once per layout.
    static LabelLayout compute(const Input& in, const Measure& measure);
};

}  // namespace orvane
