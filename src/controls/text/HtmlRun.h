// One styled piece of a label's caption.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvane {

struct HtmlRun {
    std::u16string Text;  // still holding unrecognised tags and entities
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethru = false;
    bool Subscript = false;
    bool Superscript = false;
    bool LineBreak = false;  // the run starts a new line
    std::int32_t ForeColor = 0;
    std::optional<std::int32_t> BackColor;  // empty: no background of its own
    std::u16string FontName;
    float FontSize = 0;
    std::int32_t Width = 0;  // measured extent of the run (or of its line)
    std::int32_t Height = 0;
};

}  // namespace orvane
