// One tag found in a label's markup.
#pragma once

#include <string>

namespace orvane {

struct HtmlTag {
    // 1 none, 2 bold, 3 italic, 4 underline, 5 strike, 6 fore colour, 7 back colour,
    // 8 line break, 9 font name, 10 font size, 11 subscript, 12 superscript.
    enum Kind : short {
        None = 1,
        Bold,
        Italic,
        Underline,
        Strike,
        ForeColor,
        BackColor,
        LineBreak,
        FontName,
        FontSize,
        Subscript,
        Superscript,
    };
    short Kind = None;     // what the tag does (Bold, ForeColor, ...)
    short Start = 0;       // 1-based position of "<"
    short End = 0;         // 1-based position of ">"
    std::u16string Value;  // the value after "=" (a colour, a face, a size), or empty
};

}  // namespace orvane
