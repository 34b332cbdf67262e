#include "platform/text/RealizedFont.h"

#include "platform/base/CodePages.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <string_view>

namespace orvane::platform {

namespace {

std::u16string widen(const std::string& s) {
    std::u16string out;
    for (unsigned char c : s)
        out += static_cast<char16_t>(c);  // family names here are ASCII
    return out;
}

// LOGFONTW compared by its bytes: the face name is terminated, so trailing bytes are zero.
struct LogKey {
    LOGFONTW log;
    bool operator<(const LogKey& o) const { return std::memcmp(&log, &o.log, sizeof log) < 0; }
};

std::map<LogKey, std::unique_ptr<RealizedFont>>& realizedFonts() {
    static std::map<LogKey, std::unique_ptr<RealizedFont>> cache;
    return cache;
}

}  // namespace

std::size_t RealizedFont::cachedFonts() {
    return realizedFonts().size();
}

namespace {
std::uint64_t g_generation = 1;
}  // namespace

void RealizedFont::clearCache() {
    realizedFonts().clear();
    ++g_generation;
}

std::uint64_t RealizedFont::generation() {
    return g_generation;
}

RealizedFont& RealizedFont::forLogFont(const LOGFONTW& log) {
    auto& cache = realizedFonts();
    LogKey key{};
    key.log = log;
    std::size_t n = 0;
    while (n < LF_FACESIZE && log.lfFaceName[n])
        ++n;
    std::memset(key.log.lfFaceName, 0, sizeof key.log.lfFaceName);
    std::memcpy(key.log.lfFaceName, log.lfFaceName,
                std::min<std::size_t>(n, LF_FACESIZE - 1) * sizeof(WCHAR));
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, std::unique_ptr<RealizedFont>(new RealizedFont(key.log))).first;
    return *it->second;
}

RealizedFont::RealizedFont(const LOGFONTW& log) : m_log(log) {
    std::size_t n = 0;
    while (n < LF_FACESIZE && log.lfFaceName[n])
        ++n;
    const std::u16string requested(log.lfFaceName, n);
    m_weight = log.lfWeight <= 0 ? FW_NORMAL : std::min<LONG>(log.lfWeight, 1000);
    m_italic = log.lfItalic != 0;
    const FontFile file = FontResolver::current().match(ToUtf8(requested), m_weight, m_italic);
    // Negative heights are the character (em) height; positive ones the cell height; zero
    // asks for the default size.
    LONG height = log.lfHeight;
    if (height == 0) height = 16;
    height = std::clamp<LONG>(height, -2048, 2048);
    const bool embolden = m_weight >= FW_SEMIBOLD && !file.bold;
    const bool oblique = m_italic && !file.italic;
    if (height < 0) {
        m_em = -height;
    } else {
        // Size the face once at a nominal size to learn its cell-to-em ratio.
        FontFace* probe = FontFace::get(file, 100, false, false);
        const double ratio = probe && probe->metrics().winHeightUnits > 0
                                 ? probe->metrics().unitsPerEm / probe->metrics().winHeightUnits
                                 : 0.85;
        m_em = height * ratio;
    }
    // A width asks for that average character width: the glyphs are stretched to give it.
    if (log.lfWidth != 0) {
        FontFace* natural = FontFace::get(file, m_em, embolden, oblique);
        if (natural && natural->metrics().averageWidth > 0)
            m_widthScale = std::abs(std::clamp<LONG>(log.lfWidth, -4096, 4096)) /
                           natural->metrics().averageWidth;
    }
    m_primary = FontFace::get(file, m_em, embolden, oblique, m_widthScale);
    m_faceName = requested.empty() ? widen(file.family) : requested;
    TEXTMETRICW& tm = m_metrics;
    if (m_primary) {
        const FontFace::Metrics& m = m_primary->metrics();
        tm.tmAscent = static_cast<LONG>(m.ascent);
        tm.tmDescent = static_cast<LONG>(m.descent);
        tm.tmExternalLeading = static_cast<LONG>(m.externalLeading);
        tm.tmAveCharWidth = static_cast<LONG>(m.averageWidth);
        tm.tmMaxCharWidth = static_cast<LONG>(m.maxWidth);
    }
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - static_cast<LONG>(std::lround(m_em)));
    tm.tmWeight = m_weight;
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFFFC;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = m_italic ? 1 : 0;
    tm.tmUnderlined = log.lfUnderline ? 1 : 0;
    tm.tmStruckOut = log.lfStrikeOut ? 1 : 0;
    // TMPF_FIXED_PITCH set means a variable-pitch font, as Windows has it.
    const bool mono = file.family.find("Mono") != std::string::npos;
    tm.tmPitchAndFamily =
        static_cast<BYTE>(TMPF_TRUETYPE | TMPF_VECTOR | (mono ? 0 : TMPF_FIXED_PITCH) |
                          (mono ? FF_MODERN : FF_SWISS));
    tm.tmCharSet = log.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : log.lfCharSet;
}

namespace {

// Characters shown as colour pictures by default.
bool isEmoji(char32_t c) {
    return (c >= 0x1F300 && c <= 0x1FAFF) || (c >= 0x1F000 && c <= 0x1F2FF) ||
           (c >= 0x2600 && c <= 0x27BF);
}

}  // namespace

FontFace* RealizedFont::findFaceFor(char32_t ch) {
    const bool emoji = isEmoji(ch);
    if (!emoji && m_primary && m_primary->hasChar(ch)) {
        if (ch < kAsciiFaces) m_asciiFaces[ch] = m_primary;
        return m_primary;
    }
    if (auto it = m_fallbacks.find(ch); it != m_fallbacks.end()) return it->second;
    if (emoji) {
        // Emoji come from a colour face when there is one, as on a Windows 10 desktop.
        const FontFile color = FontResolver::current().fallback(ch, m_weight, false, true);
        if (FontFace* face = color.path.empty()
                                 ? nullptr
                                 : FontFace::get(color, m_em, false, false, m_widthScale);
            face && face->hasChar(ch)) {
            m_fallbacks[ch] = face;
            return face;
        }
        if (m_primary && m_primary->hasChar(ch)) return m_primary;
    }
    const FontFile file = FontResolver::current().fallback(ch, m_weight, m_italic);
    FontFace* face = file.path.empty()
                         ? nullptr
                         : FontFace::get(file, m_em, m_weight >= FW_SEMIBOLD && !file.bold,
                                         m_italic && !file.italic, m_widthScale);
    if (face && !face->hasChar(ch)) face = nullptr;
    m_fallbacks[ch] = face ? face : m_primary;
    return m_fallbacks[ch];
}

}  // namespace orvane::platform
