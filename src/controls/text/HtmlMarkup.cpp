#include "controls/text/HtmlMarkup.h"

#include <array>

#include "host/Error.h"
#include "host/Variant.h"
#include "platform/text/CharCase.h"

namespace orvane {

namespace {

constexpr std::size_t kMaxPosition = 32767;  // tag positions are 16-bit

char16_t lower(char16_t c) {
    if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    if (c >= 0xD800 && c <= 0xDFFF) return c;
    platform::CharLowerBuffW(&c, 1);
    return c;
}

bool isBlank(std::u16string_view text) {
    return HtmlMarkup::Trim(text).empty();
}

struct Simple {
    std::u16string_view text;
    short kind;
    const char16_t* value;
};

constexpr std::array<Simple, 17> kSimpleTags{{
    {u"<b>", HtmlTag::Bold, u"True"},
    {u"</b>", HtmlTag::Bold, u"False"},
    {u"<i>", HtmlTag::Italic, u"True"},
    {u"</i>", HtmlTag::Italic, u"False"},
    {u"<u>", HtmlTag::Underline, u"True"},
    {u"</u>", HtmlTag::Underline, u"False"},
    {u"<s>", HtmlTag::Strike, u"True"},
    {u"</s>", HtmlTag::Strike, u"False"},
    {u"<sub>", HtmlTag::Subscript, u"True"},
    {u"</sub>", HtmlTag::Subscript, u"False"},
    {u"<sup>", HtmlTag::Superscript, u"True"},
    {u"</sup>", HtmlTag::Superscript, u"False"},
    {u"<br>", HtmlTag::LineBreak, u""},
    {u"</forecolor>", HtmlTag::ForeColor, u"-1"},
    {u"</backcolor>", HtmlTag::BackColor, u"T"},
    {u"</name>", HtmlTag::FontName, u"-1"},
    {u"</size>", HtmlTag::FontSize, u"-1"},
}};

constexpr std::array<std::pair<std::u16string_view, short>, 4> kValueTags{{
    {u"<size=", HtmlTag::FontSize},
    {u"<name=", HtmlTag::FontName},
    {u"<forecolor=", HtmlTag::ForeColor},
    {u"<backcolor=", HtmlTag::BackColor},
}};

// Compares the start of `text`, lower-cased, with a lower-case pattern.
bool startsWithLower(std::u16string_view text, std::u16string_view pattern) {
    if (text.size() < pattern.size()) return false;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (lower(text[i]) != pattern[i]) return false;
    return true;
}

bool isNumeric(std::u16string_view text) {
    return Variant(std::u16string(text)).isNumeric();
}

// Classifies the text from "<" to ">" inclusive; false when it is not a known tag.
bool classify(std::u16string_view tag, const HtmlMarkup::FontCheck& isScreenFont, HtmlTag& out) {
    for (const Simple& s : kSimpleTags) {
        if (tag.size() == s.text.size() && startsWithLower(tag, s.text)) {
            out.Kind = s.kind;
            out.Value = s.value;
            return true;
        }
    }
    for (const auto& [prefix, kind] : kValueTags) {
        if (!startsWithLower(tag, prefix)) continue;
        // The argument: after the first "=", without ">" (only the closing one can be there),
        // spaces trimmed, lower-cased as the whole tag is.
        std::u16string argument;
        for (char16_t c :
             HtmlMarkup::Trim(tag.substr(prefix.size(), tag.size() - prefix.size() - 1)))
            argument += lower(c);
        argument = std::u16string(HtmlMarkup::Trim(argument));
        out.Kind = kind;
        switch (kind) {
            case HtmlTag::FontSize:
                out.Value = isNumeric(argument) ? argument : u"-1";
                break;
            case HtmlTag::FontName:
                out.Value = isScreenFont && isScreenFont(argument) ? argument : u"-1";
                break;
            case HtmlTag::ForeColor:
                out.Value = isNumeric(u"&H" + argument) ? u"&H" + argument : u"-1";
                break;
            default:
                out.Value = isNumeric(u"&H" + argument) ? u"&H" + argument : u"T";
                break;
        }
        return true;
    }
    return false;
}

void replaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
    if (text.find(from) == std::u16string::npos) return;
    std::u16string out;
    out.reserve(text.size());
    std::size_t at = 0;
    for (std::size_t hit; (hit = text.find(from, at)) != std::u16string::npos;
         at = hit + from.size()) {
        out.append(text, at, hit - at);
        out.append(to);
    }
    out.append(text, at);
    text.swap(out);
}

// Removes each "<...>" sequence with all its copies while a "<" comes before the first ">",
// then replaces the entities.
std::u16string removeMarkup(std::u16string_view source) {
    std::u16string text(source);
    for (;;) {
        const std::size_t open = text.find(u'<');
        const std::size_t close = text.find(u'>');
        if (open == std::u16string::npos || close == std::u16string::npos || close < open) break;
        const std::u16string sequence = text.substr(open, close - open + 1);
        replaceAll(text, sequence, u"");
    }
    replaceAll(text, u"&nbsp;", u" ");
    replaceAll(text, u"&amp;", u"&");
    replaceAll(text, u"&quot;", u"'");
    replaceAll(text, u"&#", u"#");
    replaceAll(text, u"&lt;", u"<");
    replaceAll(text, u"&gt;", u">");
    replaceAll(text, u"%20", u" ");
    return text;
}

}  // namespace

std::u16string_view HtmlMarkup::Trim(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

HtmlTag HtmlMarkup::FindNextTag(std::u16string_view text, const FontCheck& isScreenFont) {
    HtmlTag tag;
    std::size_t close = std::u16string_view::npos;
    for (std::size_t open = text.find(u'<'); open != std::u16string_view::npos;
         open = text.find(u'<', open + 1)) {
        // Every "<" before the same ">" shares it; look it up once.
        if (close == std::u16string_view::npos || close < open) close = text.find(u'>', open);
        if (close == std::u16string_view::npos) break;
        if (!classify(text.substr(open, close - open + 1), isScreenFont, tag)) continue;
        if (close + 1 > kMaxPosition) break;  // beyond what a 16-bit position holds
        tag.Start = static_cast<short>(open + 1);
        tag.End = static_cast<short>(close + 1);
        return tag;
    }
    return HtmlTag{};
}

void HtmlMarkup::ApplyTag(HtmlRun& run, const HtmlTag& tag, const HtmlRun& base) {
    const bool on = tag.Value == u"True";
    switch (tag.Kind) {
        case HtmlTag::Bold:
            run.Bold = on;
            break;
        case HtmlTag::Italic:
            run.Italic = on;
            break;
        case HtmlTag::Underline:
            run.Underline = on;
            break;
        case HtmlTag::Strike:
            run.Strikethru = on;
            break;
        case HtmlTag::Subscript:
            run.Subscript = on;
            break;
        case HtmlTag::Superscript:
            run.Superscript = on;
            break;
        case HtmlTag::ForeColor:
            run.ForeColor = tag.Value == u"-1" ? base.ForeColor : CLng(Variant(tag.Value));
            break;
        case HtmlTag::BackColor:
            if (tag.Value == u"T") {
                run.BackColor.reset();
            } else {
                run.BackColor = CLng(Variant(tag.Value));
            }
            break;
        case HtmlTag::LineBreak:
            run.LineBreak = true;
            break;
        case HtmlTag::FontName:
            run.FontName = tag.Value == u"-1" ? base.FontName : tag.Value;
            break;
        case HtmlTag::FontSize:
            run.FontSize = tag.Value == u"-1" ? base.FontSize : static_cast<float>(Val(tag.Value));
            break;
        default:
            break;
    }
}

std::vector<HtmlRun> HtmlMarkup::ParseRuns(std::u16string_view markup, const HtmlRun& base,
                                           const FontCheck& isScreenFont) {
    std::vector<HtmlRun> runs;
    HtmlRun first = base;
    first.Text.clear();
    first.LineBreak = true;
    first.Subscript = first.Superscript = false;
    first.BackColor.reset();
    runs.push_back(std::move(first));
    // The last run's text is the rest of the markup until a tag cuts it; it stays a view
    // into the markup until then, so a long caption is not copied once per tag.
    std::u16string_view rest = markup;
    bool lastIsRest = true;
    auto setLast = [&](std::u16string_view text) {
        runs.back().Text.assign(text);
        lastIsRest = false;
    };
    try {
        HtmlTag tag = FindNextTag(rest, isScreenFont);
        while (tag.Kind != HtmlTag::None) {
            // Here the last run is the one the tag was found in, and its text is `rest`.
            const std::u16string_view before =
                rest.substr(0, static_cast<std::size_t>(tag.Start - 1));
            const std::u16string_view after = rest.substr(static_cast<std::size_t>(tag.End));
            if (!isBlank(before) || tag.Kind == HtmlTag::LineBreak) {
                setLast(before);
                if (isBlank(after)) {
                    // The tag and the blanks after it end the caption.
                    // (The text before the first tag holds no tag, so scanning it again, as
                    // the loop would, finds nothing.)
                    break;
                }
                HtmlRun next = runs.back();
                next.Text.clear();
                next.LineBreak = false;
                ApplyTag(next, tag, base);
                runs.push_back(std::move(next));
                rest = after;
                lastIsRest = true;
            } else {
                // Only blanks before the tag: they join the run before, and the tag applies to
                // this run.
                if (runs.size() > 1) runs[runs.size() - 2].Text.append(before);
                rest = after;
                lastIsRest = true;
                ApplyTag(runs.back(), tag, base);
            }
            tag = FindNextTag(rest, isScreenFont);
        }
    } catch (const Error&) {
        // A bad value ends the parse with the runs built so far.
    }
    if (lastIsRest) runs.back().Text.assign(rest);
    return runs;
}

HtmlMarkup::Split HtmlMarkup::SplitRunAtWidth(std::u16string_view text, int room,
                                              const std::function<int(std::u16string_view)>& width,
                                              bool monotone) {
    // Word ends: every space, and the end of the text.
    std::size_t e1 = text.find(u' ');
    if (e1 != std::u16string_view::npos) {
        int w1 = width(text.substr(0, e1));
        while (e1 != std::u16string_view::npos) {
            const std::size_t found = text.find(u' ', e1 + 1);
            const std::size_t e2 = found == std::u16string_view::npos ? text.size() : found;
            const int w2 = width(text.substr(0, e2));
            if (w1 <= room && room < w2) {
                std::u16string_view head = text.substr(0, e1);
                head = head.substr(0, head.find_last_not_of(u' ') + 1);
                std::u16string_view tail = text.substr(e1 + 1);
                const std::size_t start = tail.find_first_not_of(u' ');
                tail =
                    start == std::u16string_view::npos ? std::u16string_view() : tail.substr(start);
                if (head.find_first_not_of(u' ') == std::u16string_view::npos) head = {};
                return {std::u16string(head), std::u16string(tail), false};
            }
            // Past the room, no later word end can fit when widths only grow.
            if (monotone && w1 > room) break;
            if (found == std::u16string_view::npos) break;
            e1 = found;
            w1 = w2;
        }
    }
    const std::size_t space = text.find(u' ');
    if (space == std::u16string_view::npos) return {{}, {}, true};
    std::u16string_view tail = text.substr(space + 1);
    const std::size_t start = tail.find_first_not_of(u' ');
    tail = start == std::u16string_view::npos ? std::u16string_view() : tail.substr(start);
    return {std::u16string(text.substr(0, space)), std::u16string(tail), true};
}

namespace {

// Whether `text` is wider than `limit`: long texts are measured in growing pieces, so a run
// far longer than the line costs about one line of measuring.
bool widerThan(const HtmlRun& run, std::u16string_view text, int limit,
               const HtmlMarkup::Measure& measure, bool monotone, int& width) {
    if (monotone) {
        for (std::size_t piece = 256; piece < text.size(); piece *= 4) {
            std::size_t cut = piece;
            if (text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;  // keep pairs whole
            if (measure(run, text.substr(0, cut)) > limit) return true;
        }
    }
    width = measure(run, text);
    return width > limit;
}

}  // namespace

void HtmlMarkup::WrapRuns(std::vector<HtmlRun>& runs, int available, const Measure& measure,
                          bool monotone) {
    int x = 0;
    std::size_t i = 0;
    while (i < runs.size()) {
        HtmlRun& run = runs[i];
        if (run.LineBreak) x = 0;
        int w = 0;
        if (!widerThan(run, run.Text, available - x, measure, monotone, w)) {
            x += w;
            ++i;
            continue;
        }
        const int room = available - x;
        Split split = SplitRunAtWidth(
            run.Text, room, [&](std::u16string_view t) { return measure(run, t); }, monotone);
        const bool headBlank = isBlank(split.head);
        if (!headBlank) {
            if (split.lineFeed && !run.LineBreak) {
                run.LineBreak = true;  // try the run again on a line of its own
                continue;
            }
            runs.insert(runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, runs[i]);
            runs[i].Text = std::move(split.head);
            runs[i + 1].Text = std::move(split.tail);
            runs[i + 1].LineBreak = true;
            ++i;
        } else if (!run.LineBreak) {
            run.LineBreak = true;
        } else if (i + 1 == runs.size()) {
            break;
        } else {
            runs[i + 1].LineBreak = true;
            ++i;
        }
    }
}

std::u16string HtmlMarkup::StripMarkup(std::u16string_view text) {
    std::u16string out = removeMarkup(text);
    out = std::u16string(Trim(out));
    std::size_t lead = 0;
    while (lead < out.size() && (out[lead] == u'\r' || out[lead] == u'\n'))
        ++lead;
    return out.substr(lead);
}

std::u16string HtmlMarkup::DisplayText(std::u16string_view text) {
    if (text.find_first_of(u"<&%") == std::u16string_view::npos) return std::u16string(text);
    return removeMarkup(text);
}

}  // namespace orvane
