#include "platform/user/EditText.h"

#include <algorithm>

namespace orvane::platform {

namespace {

constexpr std::size_t kBreak = 2;  // "\r\n"

}  // namespace

EditText::EditText(bool multiLine) : m_multiLine(multiLine) {}

void EditText::offsetsFrom(std::size_t p) const {
    m_starts.resize(m_paragraphs.size() + 1);
    if (m_valid > p) return;
    for (std::size_t i = std::max<std::size_t>(m_valid, 1); i <= m_paragraphs.size(); ++i)
        m_starts[i] = m_starts[i - 1] + m_paragraphs[i - 1].size() + kBreak;
    m_valid = m_paragraphs.size() + 1;
}

std::size_t EditText::paragraphStart(std::size_t p) const {
    p = std::min(p, m_paragraphs.size());
    offsetsFrom(p);
    // The end of the text has no break after the last paragraph.
    if (p == m_paragraphs.size()) return m_starts[p] - kBreak;
    return m_starts[p];
}

std::size_t EditText::length() const {
    return paragraphStart(m_paragraphs.size());
}

std::pair<std::size_t, std::size_t> EditText::locate(std::size_t offset) const {
    offsetsFrom(m_paragraphs.size());
    // The last paragraph starting at or before the offset.
    const auto it =
        std::upper_bound(m_starts.begin(), m_starts.begin() + m_paragraphs.size(), offset);
    const std::size_t p = static_cast<std::size_t>(it - m_starts.begin()) - 1;
    return {p, std::min(offset - m_starts[p], m_paragraphs[p].size())};
}

std::size_t EditText::snap(std::size_t offset) const {
    const auto [p, at] = locate(std::min(offset, length()));
    return paragraphStart(p) + at;
}

std::u16string EditText::text() const {
    std::u16string out;
    out.reserve(length());
    for (std::size_t i = 0; i < m_paragraphs.size(); ++i) {
        if (i) out += u"\r\n";
        out += m_paragraphs[i];
    }
    return out;
}

std::u16string EditText::substring(std::size_t from, std::size_t to) const {
    from = snap(from);
    to = snap(std::max(from, to));
    auto [p, at] = locate(from);
    const auto [q, end] = locate(to);
    std::u16string out;
    for (;; ++p, at = 0) {
        const std::u16string& s = m_paragraphs[p];
        out.append(s, at, (p == q ? end : s.size()) - at);
        if (p == q) break;
        out += u"\r\n";
    }
    return out;
}

std::vector<std::u16string> EditText::split(std::u16string_view text) const {
    std::vector<std::u16string> pieces(1);
    if (!m_multiLine) {
        pieces[0].assign(text);
        return pieces;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    return pieces;
}

EditText::Change EditText::replace(std::size_t from, std::size_t to, std::u16string_view with) {
    if (from > to) std::swap(from, to);
    from = snap(from);
    to = snap(to);
    const auto [p, at] = locate(from);
    const auto [q, end] = locate(to);
    std::vector<std::u16string> pieces = split(with);
    // The kept head of the first paragraph and tail of the last join the new pieces.
    pieces.front().insert(0, m_paragraphs[p], 0, at);
    pieces.back().append(m_paragraphs[q], end);
    Change change{p, q - p + 1, pieces.size()};
    if (change.removed == change.inserted) {
        std::move(pieces.begin(), pieces.end(),
                  m_paragraphs.begin() + static_cast<std::ptrdiff_t>(p));
    } else {
        m_paragraphs.erase(m_paragraphs.begin() + static_cast<std::ptrdiff_t>(p),
                           m_paragraphs.begin() + static_cast<std::ptrdiff_t>(q + 1));
        m_paragraphs.insert(m_paragraphs.begin() + static_cast<std::ptrdiff_t>(p),
                            std::make_move_iterator(pieces.begin()),
                            std::make_move_iterator(pieces.end()));
    }
    m_valid = std::min(m_valid, p + 1);
    return change;
}

}  // namespace orvane::platform
