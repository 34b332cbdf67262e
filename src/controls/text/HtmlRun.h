// One styled piece of a label's caption.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvane {

struct HtmlRun {
    std::u16string Text;                    // still holding unrecognised tags and entities
    bool Bold = false;                      // inside <b>
    bool Italic = false;                    // inside <i>
    bool Underline = false;                 // inside <u>
    bool Strikethru = false;                // inside <s>
    bool Subscript = false;                 // inside <sub>: half size, moved down
    bool Superscript = false;               // inside <sup>: half size, moved up
    bool LineBreak = false;                 // the run starts a new line
    std::int32_t ForeColor = 0;             // text colour, 0x00BBGGRR
    std::optional<std::int32_t> BackColor;  // empty: no background of its own
    std::u16string FontName;                // face name
    float FontSize = 0;                     // points
    std::int32_t Width = 0;                 // measured extent of the run (or of its line)
    std::int32_t Height = 0;                // measured height of the run
};

}  // namespace orvane
