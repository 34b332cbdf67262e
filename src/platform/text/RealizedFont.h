// A logical font made real: the face chosen for it at its pixel size, its Windows text metrics,
// and the faces that supply characters it lacks.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/text/FontFace.h"
#include "platform/text/TextTypes.h"

namespace orvane::platform {

class RealizedFont {
public:
    // Shared by every font object with the same LOGFONTW.
    static RealizedFont& forLogFont(const LOGFONTW& log);
    static std::size_t cachedFonts();
    // Drops every realized font. Only safe between text calls.
    static void clearCache();
    // Moves on with every clearCache, so that a remembered realized font can be checked.
    static std::uint64_t generation();

    FontFace* primary() const { return m_primary; }
    // The face that draws a character: the primary face when it has it, else a fallback.
    // ASCII characters answer from a table filled on first use.
    FontFace* faceFor(char32_t ch) {
        if (ch < kAsciiFaces && m_asciiFaces[ch]) return m_asciiFaces[ch];
        return findFaceFor(ch);
    }
    const TEXTMETRICW& metrics() const { return m_metrics; }
    const std::u16string& faceName() const { return m_faceName; }
    const LOGFONTW& log() const { return m_log; }
    bool underline() const { return m_log.lfUnderline != 0; }
    bool strikeOut() const { return m_log.lfStrikeOut != 0; }

private:
    explicit RealizedFont(const LOGFONTW& log);
    FontFace* findFaceFor(char32_t ch);
    static constexpr char32_t kAsciiFaces = 128;
    FontFace* m_asciiFaces[kAsciiFaces] = {};
    LOGFONTW m_log;
    FontFace* m_primary = nullptr;
    double m_em = 0;
    double m_widthScale = 1.0;
    int m_weight = 400;
    bool m_italic = false;
    TEXTMETRICW m_metrics;
    std::u16string m_faceName;
    std::unordered_map<char32_t, FontFace*> m_fallbacks;
};

}  // namespace orvane::platform
