#include "platform/text/FontResolver.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <set>
#include <tuple>
#include <vector>

namespace orvane::platform {

namespace {

std::string lower(std::string s) {
    for (auto& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

int fcWeight(int weight) {
    return FcWeightFromOpenType(std::clamp(weight <= 0 ? 400 : weight, 1, 1000));
}

FontFile fromPattern(FcPattern* p) {
    FontFile f;
    FcChar8* file = nullptr;
    if (FcPatternGetString(p, FC_FILE, 0, &file) == FcResultMatch && file)
        f.path = reinterpret_cast<char*>(file);
    int index = 0;
    if (FcPatternGetInteger(p, FC_INDEX, 0, &index) == FcResultMatch) f.index = index;
    int weight = FC_WEIGHT_REGULAR;
    if (FcPatternGetInteger(p, FC_WEIGHT, 0, &weight) == FcResultMatch)
        f.bold = weight >= FC_WEIGHT_DEMIBOLD;
    int slant = FC_SLANT_ROMAN;
    if (FcPatternGetInteger(p, FC_SLANT, 0, &slant) == FcResultMatch)
        f.italic = slant != FC_SLANT_ROMAN;
    FcChar8* family = nullptr;
    if (FcPatternGetString(p, FC_FAMILY, 0, &family) == FcResultMatch && family)
        f.family = reinterpret_cast<char*>(family);
    return f;
}

}  // namespace

struct FontResolver::Impl {
    FcConfig* config = nullptr;
    std::map<std::tuple<std::string, int, bool>, FontFile> matches;
    std::map<std::tuple<char32_t, int, bool>, FontFile> fallbacks;  // weight + 1 asks for colour
};

FontResolver& FontResolver::current() {
    static FontResolver resolver;
    return resolver;
}

FontResolver::FontResolver() : m_impl(new Impl) {
    FcInit();
    m_impl->config = FcConfigGetCurrent();
}

FontResolver::~FontResolver() {
    delete m_impl;
    FcFini();
}

std::string FontResolver::mapFamily(const std::string& face) {
    // Windows faces and the installed faces that share their metrics or their look.
    static const std::map<std::string, std::string> kAliases = {
        {"arial", "Liberation Sans"},
        {"helvetica", "Liberation Sans"},
        {"times new roman", "Liberation Serif"},
        {"times", "Liberation Serif"},
        {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},
        {"ms sans serif", "DejaVu Sans"},
        {"microsoft sans serif", "DejaVu Sans"},
        {"ms shell dlg", "DejaVu Sans"},
        {"ms shell dlg 2", "DejaVu Sans"},
        {"segoe ui", "DejaVu Sans"},
        {"tahoma", "DejaVu Sans"},
        {"verdana", "DejaVu Sans"},
        {"system", "DejaVu Sans"},
        {"terminal", "DejaVu Sans Mono"},
        {"fixedsys", "DejaVu Sans Mono"},
        {"consolas", "DejaVu Sans Mono"},
        {"lucida console", "DejaVu Sans Mono"},
        {"marlett", "DejaVu Sans"},
        {"", "DejaVu Sans"},
    };
    auto it = kAliases.find(lower(face));
    return it == kAliases.end() ? face : it->second;
}

FontFile FontResolver::match(const std::string& face, int weight, bool italic) {
    const auto key = std::make_tuple(lower(face), weight, italic);
    if (auto it = m_impl->matches.find(key); it != m_impl->matches.end()) return it->second;
    const std::string family = mapFamily(face);
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    // An unknown face falls back to the default sans-serif face.
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("DejaVu Sans"));
    FcPatternAddInteger(pattern, FC_WEIGHT, fcWeight(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(m_impl->config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* found = FcFontMatch(m_impl->config, pattern, &result);
    FontFile f;
    if (found) {
        f = fromPattern(found);
        FcPatternDestroy(found);
    }
    FcPatternDestroy(pattern);
    m_impl->matches[key] = f;
    return f;
}

FontFile FontResolver::fallback(char32_t ch, int weight, bool italic, bool preferColor) {
    const auto key =
        std::make_tuple(ch, (weight >= 600 ? 700 : 400) + (preferColor ? 1 : 0), italic);
    if (auto it = m_impl->fallbacks.find(key); it != m_impl->fallbacks.end()) return it->second;
    FcPattern* pattern = FcPatternCreate();
    FcCharSet* set = FcCharSetCreate();
    FcCharSetAddChar(set, ch);
    FcPatternAddCharSet(pattern, FC_CHARSET, set);
    FcPatternAddInteger(pattern, FC_WEIGHT, fcWeight(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    // Colour emoji come from bitmap faces, so scalable ones are not required here.
    if (preferColor) FcPatternAddBool(pattern, FC_COLOR, FcTrue);
    FcConfigSubstitute(m_impl->config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcFontSet* sorted = FcFontSort(m_impl->config, pattern, FcTrue, nullptr, &result);
    FontFile f;
    if (sorted) {
        // With colour preferred, a colour face that has the character wins over the rest.
        for (int pass = preferColor ? 0 : 1; pass < 2 && f.path.empty(); ++pass) {
            for (int i = 0; i < sorted->nfont; ++i) {
                FcCharSet* cs = nullptr;
                if (FcPatternGetCharSet(sorted->fonts[i], FC_CHARSET, 0, &cs) != FcResultMatch ||
                    !FcCharSetHasChar(cs, ch))
                    continue;
                FcBool color = FcFalse;
                FcPatternGetBool(sorted->fonts[i], FC_COLOR, 0, &color);
                if (pass == 0 && !color) continue;
                f = fromPattern(sorted->fonts[i]);
                break;
            }
        }
        FcFontSetDestroy(sorted);
    }
    FcCharSetDestroy(set);
    FcPatternDestroy(pattern);
    m_impl->fallbacks[key] = f;
    return f;
}

std::vector<std::string> FontResolver::families() {
    std::set<std::string> names;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* set = FcFontList(m_impl->config, pattern, os);
    if (set) {
        for (int i = 0; i < set->nfont; ++i) {
            FcChar8* family = nullptr;
            if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch && family)
                names.insert(reinterpret_cast<char*>(family));
        }
        FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(os);
    FcPatternDestroy(pattern);
    return std::vector<std::string>(names.begin(), names.end());
}

}  // namespace orvane::platform
