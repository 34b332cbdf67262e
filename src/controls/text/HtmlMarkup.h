// The label markup: tags for bold, italic, underline, strike-through, sub- and superscript,
// line breaks, fore and back colour, font name and size. The caption is cut into styled runs;
// tags do not nest (a closing tag returns to the base value), anything else between "<" and
// ">" stays in the text, and malformed markup never fails.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/text/HtmlRun.h"
#include "controls/text/HtmlTag.h"

namespace orvane {

class HtmlMarkup {
public:
    // Whether a name is one of the screen fonts (for "<name=...>").
    using FontCheck = std::function<bool(std::u16string_view)>;
    // The width in pixels of a piece of a run's text drawn in the run's font.
    using Measure = std::function<int(const HtmlRun&, std::u16string_view)>;

    // The first known tag in `text`, with 1-based positions; Kind None when there is none.
    static HtmlTag FindNextTag(std::u16string_view text, const FontCheck& isScreenFont);

    // Cuts markup into runs. `base` gives the attributes of the first run and the values the
    // closing tags return to. The first run starts a line.
    static std::vector<HtmlRun> ParseRuns(std::u16string_view markup, const HtmlRun& base,
                                          const FontCheck& isScreenFont);

    // Applies one tag to a run.
    static void ApplyTag(HtmlRun& run, const HtmlTag& tag, const HtmlRun& base);

    // Breaks runs into lines no wider than `available` pixels, at spaces. A word wider than
    // the line is never broken. `monotone` says a longer text is never narrower (no negative
    // character spacing), which lets long runs be measured only as far as the line reaches.
    static void WrapRuns(std::vector<HtmlRun>& runs, int available, const Measure& measure,
                         bool monotone = true);

    // A text split for a line: what goes on it and what is left.
    struct Split {
        std::u16string head;    // what fits on the line
        std::u16string tail;    // the rest, for the next line
        bool lineFeed = false;  // nothing fitted: head is the first word on a line of its own
    };
    // Splits text at the last space whose head fits in `room` pixels. When no head fits, the
    // head is the first word and lineFeed is set.
    static Split SplitRunAtWidth(std::u16string_view text, int room,
                                 const std::function<int(std::u16string_view)>& width,
                                 bool monotone = true);

    // The text with every "<...>" sequence removed and the entities replaced, trimmed, without
    // leading line breaks: what a line shows, for measuring it.
    static std::u16string StripMarkup(std::u16string_view text);
    // What a run shows: its "<...>" sequences removed and the entities replaced, blanks kept.
    static std::u16string DisplayText(std::u16string_view text);

    // The text without leading and trailing spaces.
    static std::u16string_view Trim(std::u16string_view text);
};

}  // namespace orvane
