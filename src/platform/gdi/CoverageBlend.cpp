// Coverage blending four pixels at a time in 16-bit lanes (SSE2), or eight (AVX2) where the
// processor has it: a glyph row of up to eight pixels is then one step.
#include "platform/gdi/CoverageBlend.h"

#include <emmintrin.h>
#include <immintrin.h>

#include <algorithm>
#include <cstring>

namespace orvane::platform {

namespace {

// Keeps the first k coverage bytes of four.
constexpr std::uint32_t kKeep[4] = {0, 0xFF, 0xFFFF, 0xFFFFFF};

[[gnu::always_inline]] inline void runSse2(std::uint32_t* dst, const std::uint8_t* alpha, int n,
                                           int room, std::uint32_t color) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i c16 =
        _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(color & 0x00FFFFFFu)), zero);
    const __m128i k255 = _mm_set1_epi16(255), k128 = _mm_set1_epi16(128),
                  k257 = _mm_set1_epi16(257);
    const __m128i rgbMask = _mm_set1_epi32(0x00FFFFFF);
    auto blend4 = [&](std::uint32_t* p, std::uint32_t a4) {
        __m128i a = _mm_cvtsi32_si128(static_cast<int>(a4));
        a = _mm_unpacklo_epi8(a, a);
        a = _mm_unpacklo_epi16(a, a);  // each coverage byte repeated over its pixel's four bytes
        const __m128i aLo = _mm_unpacklo_epi8(a, zero), aHi = _mm_unpackhi_epi8(a, zero);
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i dLo = _mm_unpacklo_epi8(d, zero), dHi = _mm_unpackhi_epi8(d, zero);
        auto mix = [&](__m128i dd, __m128i aa) {
            __m128i x = _mm_add_epi16(_mm_mullo_epi16(dd, _mm_sub_epi16(k255, aa)),
                                      _mm_mullo_epi16(c16, aa));
            // (y + (y >> 8)) >> 8 for y = x + 128 is exactly the high half of y * 257.
            return _mm_mulhi_epu16(_mm_add_epi16(x, k128), k257);
        };
        const __m128i untouched = _mm_cmpeq_epi32(a, zero);
        const __m128i mixed =
            _mm_and_si128(_mm_packus_epi16(mix(dLo, aLo), mix(dHi, aHi)), rgbMask);
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(p),
            _mm_or_si128(_mm_and_si128(untouched, d), _mm_andnot_si128(untouched, mixed)));
    };
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint32_t a4;
        std::memcpy(&a4, alpha + i, 4);
        if (a4) blend4(dst + i, a4);
    }
    if (i == n) return;
    if (i + 4 <= room) {
        std::uint32_t a4;
        std::memcpy(&a4, alpha + i, 4);
        a4 &= kKeep[n - i];
        if (a4) blend4(dst + i, a4);
        return;
    }
    for (; i < n; ++i)
        dst[i] = CoverageBlend::pixel(dst[i], color, alpha[i]);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define ORVANE_HAVE_AVX2_PATH 1

// Constants of the eight-pixel step, made once per run.
struct Wide {
    __m256i c16, k255, k128, k257, rgbMask, loIndex, hiIndex, pixelIndex;
};

[[gnu::target("avx2"), gnu::always_inline]] inline Wide wideConstants(std::uint32_t color) {
    Wide w;
    w.c16 = _mm256_unpacklo_epi8(_mm256_set1_epi32(static_cast<int>(color & 0x00FFFFFFu)),
                                 _mm256_setzero_si256());
    w.k255 = _mm256_set1_epi16(255);
    w.k128 = _mm256_set1_epi16(128);
    w.k257 = _mm256_set1_epi16(257);
    w.rgbMask = _mm256_set1_epi32(0x00FFFFFF);
    // Eight coverage bytes sit in both 128-bit halves; the byte shuffles (which stay within a
    // half) spread them as the pixels' unpacked channels are laid out: the low unpack holds
    // pixels 0, 1 and 4, 5, the high one 2, 3 and 6, 7.
    constexpr char z = -128;  // a shuffle index that gives a zero byte
    w.loIndex = _mm256_setr_epi8(0, z, 0, z, 0, z, 0, z, 1, z, 1, z, 1, z, 1, z,  //
                                 4, z, 4, z, 4, z, 4, z, 5, z, 5, z, 5, z, 5, z);
    w.hiIndex = _mm256_setr_epi8(2, z, 2, z, 2, z, 2, z, 3, z, 3, z, 3, z, 3, z,  //
                                 6, z, 6, z, 6, z, 6, z, 7, z, 7, z, 7, z, 7, z);
    w.pixelIndex = _mm256_setr_epi8(0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3,  //
                                    4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7);
    return w;
}

// d × (255 − a) + c × a, divided by 255, in 16-bit lanes.
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i mix8(const Wide& w, __m256i d,
                                                                __m256i a) {
    const __m256i x = _mm256_add_epi16(_mm256_mullo_epi16(d, _mm256_sub_epi16(w.k255, a)),
                                       _mm256_mullo_epi16(w.c16, a));
    return _mm256_mulhi_epu16(_mm256_add_epi16(x, w.k128), w.k257);
}

[[gnu::target("avx2"), gnu::always_inline]] inline void blend8(const Wide& w, std::uint32_t* p,
                                                               std::uint64_t a8) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i a = _mm256_broadcastq_epi64(_mm_cvtsi64_si128(static_cast<std::int64_t>(a8)));
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i lo = mix8(w, _mm256_unpacklo_epi8(d, zero), _mm256_shuffle_epi8(a, w.loIndex));
    const __m256i hi = mix8(w, _mm256_unpackhi_epi8(d, zero), _mm256_shuffle_epi8(a, w.hiIndex));
    const __m256i untouched = _mm256_cmpeq_epi32(_mm256_shuffle_epi8(a, w.pixelIndex), zero);
    const __m256i mixed = _mm256_and_si256(_mm256_packus_epi16(lo, hi), w.rgbMask);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm256_blendv_epi8(mixed, d, untouched));
}

[[gnu::target("avx2"), gnu::always_inline]] inline void runAvx2(const Wide& w, std::uint32_t* dst,
                                                                const std::uint8_t* alpha, int n,
                                                                int room, std::uint32_t color) {
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t a8;
        std::memcpy(&a8, alpha + i, 8);
        if (a8) blend8(w, dst + i, a8);
    }
    const int rest = n - i;
    if (rest == 0) return;
    if (i + 8 > room) return runSse2(dst + i, alpha + i, rest, room - i, color);
    // The last one to seven bytes, read without passing the run by more than three: two
    // overlapping four-byte reads when there are four or more.
    std::uint32_t lo;
    std::memcpy(&lo, alpha + i, 4);
    std::uint64_t a8 = lo & kKeep[rest & 3];
    if (rest >= 4) {
        std::uint32_t hi;
        std::memcpy(&hi, alpha + i + rest - 4, 4);
        a8 = lo | static_cast<std::uint64_t>(hi) << (8 * (rest - 4));
    }
    if (a8) blend8(w, dst + i, a8);
}

[[gnu::target("avx2")]] void rowsAvx2(PixelSurface& surface, const CoverageBlend::Coverage& c,
                                      int left, int top, int clipLeft, int clipRight,
                                      std::uint32_t color) {
    const Wide w = wideConstants(color);
    const std::uint8_t* alpha = c.alpha;
    for (int y = 0; y < c.height; ++y, alpha += c.width) {
        const int first = std::max(left + c.ink[y].first, clipLeft);
        const int last = std::min(left + c.ink[y].second, clipRight);
        if (first < last)
            runAvx2(w, surface.row(top + y) + first, alpha + (first - left), last - first,
                    surface.width() - first, color);
    }
}
#endif

bool g_wideAllowed = true;

bool wide() {
#ifdef ORVANE_HAVE_AVX2_PATH
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2 && g_wideAllowed;
#else
    return false;
#endif
}

}  // namespace

void CoverageBlend::rows(PixelSurface& surface, const Coverage& c, int left, int top, int clipLeft,
                         int clipRight, std::uint32_t color) {
#ifdef ORVANE_HAVE_AVX2_PATH
    if (wide()) return rowsAvx2(surface, c, left, top, clipLeft, clipRight, color);
#endif
    const std::uint8_t* alpha = c.alpha;
    for (int y = 0; y < c.height; ++y, alpha += c.width) {
        const int first = std::max(left + c.ink[y].first, clipLeft);
        const int last = std::min(left + c.ink[y].second, clipRight);
        if (first < last)
            runSse2(surface.row(top + y) + first, alpha + (first - left), last - first,
                    surface.width() - first, color);
    }
}

void CoverageBlend::allowWideVectors(bool allow) {
    g_wideAllowed = allow;
}

}  // namespace orvane::platform
