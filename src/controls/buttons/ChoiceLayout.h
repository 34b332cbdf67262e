// Where a check box's or option button's glyph, side image and caption go, and the size
// autosize gives it: pure geometry from the settings, the size and a text measure. The
// graphical style lays out as the push button's standard face.
#pragma once

#include <optional>

#include "controls/buttons/ButtonLayout.h"

namespace orvane {

struct ChoiceLayout {
    // What the layout depends on.
    struct Input {
        int width = 0;             // client width, pixels
        int height = 0;            // client height, pixels
        bool graphical = false;    // Style 1: a push-button face, no glyph
        int border = 0;            // effective border width (0, 2 for 3D, or Borderwidth)
        int checkSize = 13;        // drawn glyph side, pixels
        bool hasImage = false;     // decoded image data
        bool imageShown = false;   // and ShowImage
        double aspect = 1.0;       // image width ÷ height
        int imageHeight = 0;       // drawn side-image height, pixels
        int alignment = 0;         // 0 glyph at the left, 1 glyph at the right
        bool wordWrap = false;     // WordWrap
        bool rightToLeft = false;  // RightToLeft
        bool autosize = false;     // Autosize
    };

    // DrawTextW flags for the caption.
    platform::UINT textFlags = 0;
    // Where the caption is drawn; a wrapped caption's top is moved so its lines are centred.
    platform::RECT textRect{};
    // The glyph's square (empty in the graphical style) and the side image (empty when none).
    platform::RECT glyphRect{};
    // The side image's rectangle (empty when none is shown).
    platform::RECT imageRect{};
    // The client size autosize asks for, when it does.
    std::optional<platform::SIZE> autosize;

    // The layout for `in`; `measure` is called when autosizing and for wrapped captions.
    static ChoiceLayout compute(const Input& in, const ButtonLayout::Measure& measure);
};

}  // namespace orvane
