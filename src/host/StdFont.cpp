#include "host/StdFont.h"

#include <algorithm>
#include <cmath>

#include "host/Error.h"

namespace orvane {

StdFont::StdFont() = default;

void StdFont::changed(const std::u16string& property) {
    // Listeners may remove themselves while hearing the change: call a copy.
    const auto listeners = m_listeners;
    for (const auto& [id, listener] : listeners)
        listener(property);
}

void StdFont::Name(std::u16string name) {
    if (name.empty() || name.size() > 31)
        throw Error::standard(errors::InvalidPropertyValue, u"StdFont.Name");
    if (name == m_name) return;
    m_name = std::move(name);
    changed(u"Name");
}

void StdFont::Size(double points) {
    if (!(points > 0 && points <= 2160))
        throw Error::standard(errors::InvalidPropertyValue, u"StdFont.Size");
    const double rounded = std::round(points * 10000) / 10000;
    if (rounded == m_size) return;
    m_size = rounded;
    changed(u"Size");
}

void StdFont::Bold(bool bold) {
    const short weight = bold ? 700 : 400;
    if (Bold() == bold) return;
    m_weight = weight;
    changed(u"Bold");
}

void StdFont::Italic(bool italic) {
    if (m_italic == italic) return;
    m_italic = italic;
    changed(u"Italic");
}

void StdFont::Underline(bool underline) {
    if (m_underline == underline) return;
    m_underline = underline;
    changed(u"Underline");
}

void StdFont::Strikethrough(bool strike) {
    if (m_strikethrough == strike) return;
    m_strikethrough = strike;
    changed(u"Strikethrough");
}

void StdFont::Weight(short weight) {
    if (weight < 0 || weight > 1000)
        throw Error::standard(errors::InvalidPropertyValue, u"StdFont.Weight");
    if (weight == m_weight) return;
    m_weight = weight;
    changed(u"Weight");
}

void StdFont::Charset(short charset) {
    if (charset < 0 || charset > 255)
        throw Error::standard(errors::InvalidPropertyValue, u"StdFont.Charset");
    if (charset == m_charset) return;
    m_charset = charset;
    changed(u"Charset");
}

std::shared_ptr<StdFont> StdFont::clone() const {
    auto f = std::make_shared<StdFont>();
    f->m_name = m_name;
    f->m_size = m_size;
    f->m_weight = m_weight;
    f->m_italic = m_italic;
    f->m_underline = m_underline;
    f->m_strikethrough = m_strikethrough;
    f->m_charset = m_charset;
    return f;
}

platform::LOGFONTW StdFont::logFont(int dpi) const {
    platform::LOGFONTW lf;
    lf.lfHeight = -static_cast<platform::LONG>(std::lround(m_size * dpi / 72.0));
    lf.lfWeight = m_weight;
    lf.lfItalic = m_italic ? 1 : 0;
    lf.lfUnderline = m_underline ? 1 : 0;
    lf.lfStrikeOut = m_strikethrough ? 1 : 0;
    lf.lfCharSet = static_cast<platform::BYTE>(m_charset);
    const std::size_t n = std::min<std::size_t>(m_name.size(), platform::LF_FACESIZE - 1);
    std::copy_n(m_name.data(), n, lf.lfFaceName);
    return lf;
}

int StdFont::addListener(Listener listener) {
    const int id = m_nextListener++;
    m_listeners.emplace_back(id, std::move(listener));
    return id;
}

void StdFont::removeListener(int id) {
    std::erase_if(m_listeners, [id](const auto& l) { return l.first == id; });
}

}  // namespace orvane
