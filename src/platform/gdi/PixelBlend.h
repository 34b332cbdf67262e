// Blending 32-bit premultiplied pixels (0xAARRGGBB), two channels at a time.
#pragma once

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

namespace orvane::platform {

struct PixelBlend {
    // What a premultiplied source pixel leaves over `dst`: src + dst × (255 − src alpha) ÷ 255,
    // rounded. A source colour above its alpha (not premultiplied as it should be) saturates.
    [[gnu::always_inline]] static std::uint32_t over(std::uint32_t src, std::uint32_t dst) {
        const std::uint32_t inv = 255 - (src >> 24);
        if (inv == 0 || dst == 0) return src;
        if (inv == 255 && src == 0) return dst;
        auto scaled = [inv](std::uint32_t pair) {
            const std::uint32_t t = pair * inv + 0x00800080;
            return ((t + ((t >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
        };
        auto saturated = [](std::uint32_t pair) {
            return (pair | (((pair & 0x01000100) >> 8) * 0xFF)) & 0x00FF00FF;
        };
        const std::uint32_t rb = (src & 0x00FF00FF) + scaled(dst & 0x00FF00FF);
        const std::uint32_t ag = ((src >> 8) & 0x00FF00FF) + scaled((dst >> 8) & 0x00FF00FF);
        return saturated(rb) | saturated(ag) << 8;
    }

    // `over` along a row, four pixels at a time in 16-bit lanes with the same rounding and
    // saturation; runs of fully transparent source pixels are skipped, and runs of opaque ones
    // copied.
    static void overRow(const std::uint32_t* src, std::uint32_t* dst, int n) {
        int i = 0;
        const __m128i zero = _mm_setzero_si128(), k255 = _mm_set1_epi16(255),
                      k128 = _mm_set1_epi16(128), k257 = _mm_set1_epi16(257);
        const __m128i alphaBits = _mm_set1_epi32(static_cast<int>(0xFF000000u));
        for (; i + 4 <= n; i += 4) {
            const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(s, zero)) == 0xFFFF) continue;
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(s, alphaBits), alphaBits)) ==
                0xFFFF) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), s);
                continue;
            }
            const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
            // Each pixel's 255 - alpha over its four 16-bit lanes.
            __m128i inv = _mm_srli_epi32(s, 24);
            inv = _mm_sub_epi16(k255, _mm_or_si128(inv, _mm_slli_epi32(inv, 16)));
            const __m128i invLo = _mm_shuffle_epi32(inv, _MM_SHUFFLE(1, 1, 0, 0));
            const __m128i invHi = _mm_shuffle_epi32(inv, _MM_SHUFFLE(3, 3, 2, 2));
            auto scale = [&](__m128i dd, __m128i ii) {
                // (y + (y >> 8)) >> 8 is exactly the high half of y * 257.
                return _mm_mulhi_epu16(_mm_add_epi16(_mm_mullo_epi16(dd, ii), k128), k257);
            };
            const __m128i lo = scale(_mm_unpacklo_epi8(d, zero), invLo);
            const __m128i hi = scale(_mm_unpackhi_epi8(d, zero), invHi);
            const __m128i out = _mm_adds_epu8(_mm_packus_epi16(lo, hi), s);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), out);
        }
        for (; i < n; ++i)
            dst[i] = over(src[i], dst[i]);
    }
};

}  // namespace orvane::platform
