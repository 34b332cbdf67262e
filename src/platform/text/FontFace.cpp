#include "platform/text/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <unordered_map>

namespace orvane::platform {

namespace {

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        FT_Init_FreeType(&l);
        return l;
    }();
    return lib;
}

using FaceKey = std::tuple<std::string, int, std::int64_t, bool, bool, std::int64_t>;

std::map<FaceKey, std::unique_ptr<FontFace>>& faces() {
    static std::map<FaceKey, std::unique_ptr<FontFace>> f;
    return f;
}

std::size_t g_glyphBytes = 0;

void computeInk(FontFace::Glyph& g) {
    g.ink.assign(static_cast<std::size_t>(g.height), {0, 0});
    for (int y = 0; y < g.height; ++y) {
        int first = g.width, last = 0;
        for (int x = 0; x < g.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * g.width + x;
            const bool inked = g.color ? (g.pixels[i] >> 24) != 0 : g.alpha[i] != 0;
            if (!inked) continue;
            first = std::min(first, x);
            last = x + 1;
        }
        if (first < last)
            g.ink[y] = {static_cast<std::uint16_t>(first), static_cast<std::uint16_t>(last)};
    }
}

}  // namespace

struct FontFace::Impl {
    FT_Face face = nullptr;
    hb_font_t* hb = nullptr;
    bool embolden = false;
    bool oblique = false;
    double bitmapScale = 1.0;  // for bitmap-only faces: requested size over the strike's size
    std::unordered_map<char32_t, std::uint32_t> indices;
    std::int32_t latin[256];  // glyph indexes of the first 256 characters, -1 until looked up
    Impl() { std::fill(std::begin(latin), std::end(latin), -1); }
    // Rendered glyphs by glyph index; the slots are filled as glyphs are first drawn.
    std::vector<std::unique_ptr<Glyph>> glyphs;
    ~Impl() {
        if (hb) hb_font_destroy(hb);
        if (face) FT_Done_Face(face);
    }
};

FontFace::~FontFace() = default;

std::size_t FontFace::cachedFaces() {
    return faces().size();
}

void FontFace::clearCache() {
    faces().clear();
    g_glyphBytes = 0;
}

std::size_t FontFace::glyphBytes() {
    return g_glyphBytes;
}

FontFace* FontFace::get(const FontFile& file, double emPixels, bool embolden, bool oblique,
                        double widthScale) {
    if (file.path.empty()) return nullptr;
    emPixels = std::clamp(emPixels, 1.0, 2048.0);
    widthScale = std::clamp(widthScale, 0.05, 20.0);
    const FaceKey key{file.path, file.index, std::lround(emPixels * 64),
                      embolden,  oblique,    std::lround(widthScale * 1024)};
    auto& cache = faces();
    if (auto it = cache.find(key); it != cache.end()) return it->second.get();
    std::unique_ptr<FontFace> f(new FontFace());
    f->m_impl = std::make_unique<Impl>();
    f->m_file = file;
    f->m_em = emPixels;
    f->m_impl->embolden = embolden;
    f->m_impl->oblique = oblique;
    FT_Face face = nullptr;
    if (FT_New_Face(library(), file.path.c_str(), file.index, &face) != 0) {
        cache[key] = nullptr;
        return nullptr;
    }
    f->m_impl->face = face;
    Metrics& m = f->m_metrics;
    if (FT_IS_SCALABLE(face)) {
        FT_Set_Char_Size(face, static_cast<FT_F26Dot6>(std::lround(emPixels * widthScale * 64)),
                         static_cast<FT_F26Dot6>(std::lround(emPixels * 64)), 72, 72);
        m.unitsPerEm = face->units_per_EM;
        const double scale = emPixels / face->units_per_EM;
        // Windows takes ascent and descent from the OS/2 table's "win" values.
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        double winAscent = face->ascender, winDescent = -face->descender;
        if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
            winAscent = os2->usWinAscent;
            winDescent = os2->usWinDescent;
        }
        m.winHeightUnits = winAscent + winDescent;
        m.ascent = std::round(winAscent * scale);
        m.descent = std::round(winDescent * scale);
        const double hheaHeight =
            face->ascender - face->descender + (face->height - (face->ascender - face->descender));
        m.externalLeading = std::max(0.0, std::round((hheaHeight - m.winHeightUnits) * scale));
        m.averageWidth = os2 && os2->xAvgCharWidth > 0
                             ? std::round(os2->xAvgCharWidth * scale * widthScale)
                             : std::round(emPixels / 2);
        m.maxWidth = std::round((face->bbox.xMax - face->bbox.xMin) * scale * widthScale);
        m.underlinePosition = std::max(1.0, std::round(-face->underline_position * scale));
        m.underlineThickness = std::max(1.0, std::round(face->underline_thickness * scale));
        if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
            m.strikeoutPosition = std::round(os2->yStrikeoutPosition * scale);
            m.strikeoutThickness = std::max(1.0, std::round(os2->yStrikeoutSize * scale));
        } else {
            m.strikeoutPosition = std::round(m.ascent / 3);
            m.strikeoutThickness = m.underlineThickness;
        }
        f->m_impl->hb = hb_ft_font_create_referenced(face);
        f->m_shapeScale = 1.0 / 64;
    } else {
        // Bitmap faces (colour emoji) come in fixed strikes: take the nearest and scale it.
        int best = 0;
        for (int i = 1; i < face->num_fixed_sizes; ++i)
            if (std::abs(face->available_sizes[i].y_ppem / 64.0 - emPixels) <
                std::abs(face->available_sizes[best].y_ppem / 64.0 - emPixels))
                best = i;
        if (face->num_fixed_sizes > 0) FT_Select_Size(face, best);
        const double strike =
            face->num_fixed_sizes > 0 ? face->available_sizes[best].y_ppem / 64.0 : emPixels;
        f->m_impl->bitmapScale = emPixels / strike;
        m.ascent = std::round(face->size->metrics.ascender / 64.0 * f->m_impl->bitmapScale);
        m.descent = std::round(-face->size->metrics.descender / 64.0 * f->m_impl->bitmapScale);
        m.averageWidth = m.maxWidth = std::round(emPixels);
        m.underlinePosition = 1;
        m.strikeoutPosition = std::round(m.ascent / 3);
        f->m_impl->hb = hb_ft_font_create_referenced(face);
        f->m_shapeScale = f->m_impl->bitmapScale / 64;
    }
    FontFace* raw = f.get();
    cache[key] = std::move(f);
    return raw;
}

std::uint32_t FontFace::glyphIndex(char32_t ch) {
    if (ch < 256) {
        std::int32_t& slot = m_impl->latin[ch];
        if (slot < 0) slot = static_cast<std::int32_t>(FT_Get_Char_Index(m_impl->face, ch));
        return static_cast<std::uint32_t>(slot);
    }
    auto& idx = m_impl->indices;
    if (auto it = idx.find(ch); it != idx.end()) return it->second;
    const std::uint32_t g = FT_Get_Char_Index(m_impl->face, ch);
    idx[ch] = g;
    return g;
}

void* FontFace::shapingFont() const {
    return m_impl->hb;
}

const FontFace::Glyph& FontFace::glyph(std::uint32_t index) {
    auto& cache = m_impl->glyphs;
    if (index < cache.size() && cache[index]) return *cache[index];
    static Glyph empty;
    if (index >= static_cast<std::uint32_t>(std::max<FT_Long>(m_impl->face->num_glyphs, 1)))
        return empty;
    if (cache.size() <= index) cache.resize(static_cast<std::size_t>(m_impl->face->num_glyphs));
    cache[index] = std::make_unique<Glyph>();
    Glyph& out = *cache[index];
    FT_Face face = m_impl->face;
    if (m_impl->oblique) {
        // A slant of about 12 degrees, as synthetic italics are drawn.
        FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
        FT_Set_Transform(face, &shear, nullptr);
    }
    FT_Int32 flags = FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT;
    if (FT_HAS_COLOR(face)) flags |= FT_LOAD_COLOR;
    const bool loaded = FT_Load_Glyph(face, index, flags) == 0;
    if (m_impl->oblique) FT_Set_Transform(face, nullptr, nullptr);
    if (!loaded) return out;
    FT_GlyphSlot slot = face->glyph;
    if (m_impl->embolden && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline_Embolden(&slot->outline,
                            std::max<FT_Pos>(32, static_cast<FT_Pos>(m_em * 64 / 24)));
    }
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return out;
    const FT_Bitmap& bm = slot->bitmap;
    const double scale = m_impl->bitmapScale;
    const int srcW = static_cast<int>(bm.width), srcH = static_cast<int>(bm.rows);
    out.width = std::max(0, static_cast<int>(std::lround(srcW * scale)));
    out.height = std::max(0, static_cast<int>(std::lround(srcH * scale)));
    out.left = static_cast<int>(std::lround(slot->bitmap_left * scale));
    out.top = static_cast<int>(std::lround(slot->bitmap_top * scale));
    if (out.width == 0 || out.height == 0) return out;
    auto srcAt = [&](int, int y) { return bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch; };
    if (bm.pixel_mode == FT_PIXEL_MODE_BGRA) {
        out.color = true;
        out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
        // Scaled by averaging the strike's pixels each target pixel covers.
        for (int y = 0; y < out.height; ++y) {
            for (int x = 0; x < out.width; ++x) {
                const int x0 = static_cast<int>(x / scale),
                          x1 = std::max(x0 + 1, static_cast<int>((x + 1) / scale));
                const int y0 = static_cast<int>(y / scale),
                          y1 = std::max(y0 + 1, static_cast<int>((y + 1) / scale));
                unsigned sum[4] = {0, 0, 0, 0}, n = 0;
                for (int sy = y0; sy < std::min(y1, srcH); ++sy)
                    for (int sx = x0; sx < std::min(x1, srcW); ++sx) {
                        const std::uint8_t* p = srcAt(sx, sy) + sx * 4;
                        for (int k = 0; k < 4; ++k)
                            sum[k] += p[k];
                        ++n;
                    }
                std::uint32_t px = 0;
                if (n)
                    for (int k = 0; k < 4; ++k)
                        px |= ((sum[k] + n / 2) / n) << (8 * k);
                out.pixels[static_cast<std::size_t>(y) * out.width + x] = px;
            }
        }
        computeInk(out);
        g_glyphBytes += out.pixels.size() * 4 + sizeof(Glyph);
        return out;
    }
    // Three spare bytes after the last row, so that drawing reads any run four bytes at a time.
    out.alpha.resize(static_cast<std::size_t>(out.width) * out.height + 3);
    for (int y = 0; y < out.height; ++y) {
        const std::uint8_t* row = srcAt(0, y);
        for (int x = 0; x < out.width; ++x) {
            std::uint8_t a = 0;
            if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
                a = row[x];
            else if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                a = (row[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
            out.alpha[static_cast<std::size_t>(y) * out.width + x] = a;
        }
    }
    computeInk(out);
    g_glyphBytes += out.alpha.size() + sizeof(Glyph);
    return out;
}

}  // namespace orvane::platform
