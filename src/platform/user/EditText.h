// The text of an edit control: paragraphs (the text between line breaks, kept without them) and
// their offsets in the whole text, in which each break counts as the two units of "\r\n".
// A change touches only the paragraphs it spans; the offsets after it are found again only
// when asked for, so typing at the end of a long text costs what the last paragraph costs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane::platform {

class EditText {
public:
    // What a replacement did to the paragraphs: `removed` paragraphs from `first` on gave way
    // to `inserted` new ones.
    struct Change {
        std::size_t first = 0;
        std::size_t removed = 0;
        std::size_t inserted = 0;
    };

    // With `multiLine`, "\r\n", "\r" and "\n" in the text break paragraphs; otherwise the text
    // is one paragraph holding whatever it is given.
    explicit EditText(bool multiLine = false);

    // The whole text, paragraphs joined by "\r\n".
    std::u16string text() const;
    // Its length in UTF-16 units.
    std::size_t length() const;
    std::size_t paragraphCount() const { return m_paragraphs.size(); }
    const std::u16string& paragraph(std::size_t p) const { return m_paragraphs[p]; }
    // The offset at which paragraph `p` starts (the length for p = paragraphCount()).
    std::size_t paragraphStart(std::size_t p) const;
    // The paragraph holding `offset` and the offset within it; an offset inside a line break
    // or beyond the end is taken back to the end of its paragraph.
    std::pair<std::size_t, std::size_t> locate(std::size_t offset) const;
    // The units between two offsets (clamped to the text).
    std::u16string substring(std::size_t from, std::size_t to) const;
    // Replaces the units between `from` and `to` (clamped and ordered) with `with`.
    Change replace(std::size_t from, std::size_t to, std::u16string_view with);
    // Replaces the whole text.
    Change assign(std::u16string_view text) { return replace(0, length(), text); }
    // Moves an offset off the middle of a line break (to the break's start).
    std::size_t snap(std::size_t offset) const;

private:
    // Splits `text` at its line breaks (one piece without them).
    std::vector<std::u16string> split(std::u16string_view text) const;
    void offsetsFrom(std::size_t p) const;

    bool m_multiLine;
    std::vector<std::u16string> m_paragraphs{std::u16string()};
    // Paragraph starts; those before m_valid are up to date.
    mutable std::vector<std::size_t> m_starts{0};
    mutable std::size_t m_valid = 1;
};

}  // namespace orvane::platform
