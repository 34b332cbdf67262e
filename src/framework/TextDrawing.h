// Measuring and drawing captions in Unicode, plain or with the visual styles, and the text
// flags that controls derive from their alignment and wrapping properties.
#pragma once

#include <string>

#include "host/OleColor.h"
#include "platform/platform.h"

namespace orvane {

// The width of a text laid out in `rc` with `flags`; its height in `height`. With a theme
// the theme measures it (part 1, state 1).
int MeasureText(platform::HTHEME theme, platform::HDC dc, const std::u16string& text,
                platform::UINT flags, const platform::RECT& rc, int& height);
// Draws a caption in a colour. Word-wrapped text (DT_WORDBREAK) is centred vertically in the
// rectangle. A colour that cannot be translated draws nothing.
void DrawCaptionText(platform::HDC dc, const std::u16string& text, OLE_COLOR color,
                     platform::UINT flags, const platform::RECT& rc);
// Draws a caption in a colour exactly in the rectangle (a caller that laid it out already).
void DrawTextInColor(platform::HDC dc, const std::u16string& text, OLE_COLOR color,
                     platform::UINT flags, const platform::RECT& rc);
// Draws one single line (DT_SINGLELINE flags) whose width in the selected font is known
// already, placed as DrawTextW places it (left, centred or right; centred vertically with
// DT_VCENTER) and clipped to the rectangle, without measuring it again. Text DrawTextW would
// change (an access-key "&", tabs, line breaks) or that does not fit goes through DrawTextW.
void DrawMeasuredLine(platform::HDC dc, const std::u16string& text, OLE_COLOR color,
                      platform::UINT flags, const platform::RECT& rc, int width, int lineHeight);
// Draws through the theme (part 1, state 1, in the theme's version of the colour); without a
// theme, or when the theme cannot, as plain text.
void DrawThemedText(platform::HTHEME theme, platform::HDC dc, const std::u16string& text,
                    OLE_COLOR color, platform::UINT flags, const platform::RECT& rc);
// 0 left, 1 right, 2 centre (the host's alignment values) as DrawTextW flags.
platform::UINT TextFlagsFromAlignment(int alignment);
// Word-wrapped: break at words, edit-control layout, an ellipsis where the last line is cut;
// otherwise one line, centred vertically, with an ellipsis at the word that does not fit.
// Right-to-left adds RTL reading.
platform::UINT TextFlagsFromWrap(bool wordWrap, bool rightToLeft);

}  // namespace orvane
