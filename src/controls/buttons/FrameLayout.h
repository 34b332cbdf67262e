// Where a frame's caption and picture sit on its top line, the gap they cut in the border and
// the border's rectangle: pure geometry from the settings, the size and the caption's measure.
#pragma once

#include "platform/platform.h"

namespace orvane {

struct FrameLayout {
    // What the layout depends on.
    struct Input {
        int width = 0;             // client width, pixels
        int height = 0;            // client height, pixels
        bool border = true;        // BorderStyle 1: a border and a caption
        bool hasCaption = false;   // a caption that is not empty
        platform::SIZE text{};     // the caption measured on one line
        int alignment = 0;         // 0 left, 1 right, 2 centre
        bool imageShown = false;   // a decoded picture, ShowImage on
        double aspect = 1.0;       // picture width ÷ height
        int imageHeight = 0;       // picture height, pixels
        bool rightToLeft = false;  // RightToLeft
    };

    // DrawTextW flags for the caption.
    platform::UINT textFlags = 0;
    platform::RECT textRect{};    // where the caption is drawn (empty: none)
    platform::RECT imageRect{};   // the picture (empty: none)
    platform::RECT gapRect{};     // left out of the border under the caption and picture
    platform::RECT borderRect{};  // the group box (empty without a border)
    int captionHeight = 0;        // the height of the caption line, pixels

    // The layout for `in`.
    static FrameLayout compute(const Input& in);
};

}  // namespace orvane
