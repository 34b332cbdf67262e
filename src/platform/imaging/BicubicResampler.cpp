#include "platform/imaging/BicubicResampler.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "platform/gdi/PixelBlend.h"

namespace orvane::platform {

namespace {

constexpr int kPhases = 64;
constexpr int kWeightBits = 14;
constexpr int kBorder = 3;  // edge pixels repeated around the source, so taps never leave it

// Catmull-Rom weights for the four taps around a sample, at each of kPhases fractions.
struct Weights {
    std::array<std::array<std::int16_t, 4>, kPhases + 1> fixed;
    std::array<std::array<float, 4>, kPhases + 1> real;
#ifdef __SSE2__
    // Per phase: the first and last two weights repeated for the four channels, and the four
    // vertical weights each spread over a vector and divided by the fixed-point scale.
    __m128i pair01[kPhases + 1], pair23[kPhases + 1];
    __m128 vertical[kPhases + 1][4];
#endif
    Weights() {
        for (int p = 0; p <= kPhases; ++p) {
            const double t = static_cast<double>(p) / kPhases;
            const double w[4] = {((-0.5 * t + 1.0) * t - 0.5) * t, (1.5 * t - 2.5) * t * t + 1.0,
                                 ((-1.5 * t + 2.0) * t + 0.5) * t, (0.5 * t - 0.5) * t * t};
            for (int k = 0; k < 4; ++k) {
                fixed[p][k] = static_cast<std::int16_t>(std::lround(w[k] * (1 << kWeightBits)));
                real[p][k] = static_cast<float>(w[k]);
            }
#ifdef __SSE2__
            const auto& f = fixed[p];
            pair01[p] = _mm_set_epi16(f[1], f[0], f[1], f[0], f[1], f[0], f[1], f[0]);
            pair23[p] = _mm_set_epi16(f[3], f[2], f[3], f[2], f[3], f[2], f[3], f[2]);
            for (int k = 0; k < 4; ++k)
                vertical[p][k] = _mm_set1_ps(static_cast<float>(w[k] / (1 << kWeightBits)));
#endif
        }
    }
};

const Weights& weights() {
    static const Weights w;
    return w;
}

// Columns [c0, c1) and rows [r0, r1) of the source with its edge pixels repeated kBorder times
// on every side (padded coordinates: source pixel (x, y) is at (x + kBorder, y + kBorder)).
// Only the part a draw can reach is copied: a large image drawn small copies little.
PixelSurface padded(const PixelSurface& source, int c0, int r0, int c1, int r1) {
    const int w = source.width(), h = source.height();
    PixelSurface out(c1 - c0, r1 - r0);
    for (int y = r0; y < r1; ++y) {
        const std::uint32_t* in = source.row(std::clamp(y - kBorder, 0, h - 1));
        std::uint32_t* row = out.row(y - r0);
        for (int x = c0; x < c1;) {
            const int sx = x - kBorder;
            if (sx < 0 || sx >= w) {
                row[x - c0] = in[std::clamp(sx, 0, w - 1)];
                ++x;
                continue;
            }
            const int n = std::min(c1, w + kBorder) - x;  // a run inside the image
            std::memcpy(row + (x - c0), in + sx, static_cast<std::size_t>(n) * 4u);
            x += n;
        }
    }
    return out;
}

// Overshoot may leave a colour above its alpha, which premultiplied pixels cannot hold.
inline std::uint32_t capToAlpha(std::uint32_t out) {
    const std::uint32_t a = out >> 24;
    if (((out >> 16) & 0xFF) > a || ((out >> 8) & 0xFF) > a || (out & 0xFF) > a) {
        auto cap = [a](std::uint32_t c) { return std::min(c, a); };
        out =
            a << 24 | cap((out >> 16) & 0xFF) << 16 | cap((out >> 8) & 0xFF) << 8 | cap(out & 0xFF);
    }
    return out;
}

// Four horizontal taps of one row, weighted, as four channel sums scaled by 2^kWeightBits.
#ifdef __SSE2__
inline __m128 rowSum(const std::uint32_t* p, __m128i wPair01, __m128i wPair23) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i lo = _mm_unpacklo_epi8(px, zero);  // taps 0 and 1, channels as 16 bits
    const __m128i hi = _mm_unpackhi_epi8(px, zero);  // taps 2 and 3
    // Interleave the two taps channel by channel so that madd sums tap pairs per channel.
    const __m128i t01 = _mm_unpacklo_epi16(lo, _mm_srli_si128(lo, 8));
    const __m128i t23 = _mm_unpacklo_epi16(hi, _mm_srli_si128(hi, 8));
    const __m128i sum = _mm_add_epi32(_mm_madd_epi16(t01, wPair01), _mm_madd_epi16(t23, wPair23));
    return _mm_cvtepi32_ps(sum);
}
#endif

inline std::uint32_t sample(const Weights& w, const PixelSurface& src, int ix, int iy, int phaseX,
                            int phaseY) {
#ifdef __SSE2__
    const __m128i pair01 = w.pair01[phaseX], pair23 = w.pair23[phaseX];
    const auto& wy = w.vertical[phaseY];
    const std::uint32_t* p = src.row(iy) + ix;
    const std::ptrdiff_t pitch = src.pitch();
    __m128 acc = _mm_mul_ps(rowSum(p, pair01, pair23), wy[0]);
    acc = _mm_add_ps(acc, _mm_mul_ps(rowSum(p + pitch, pair01, pair23), wy[1]));
    acc = _mm_add_ps(acc, _mm_mul_ps(rowSum(p + 2 * pitch, pair01, pair23), wy[2]));
    acc = _mm_add_ps(acc, _mm_mul_ps(rowSum(p + 3 * pitch, pair01, pair23), wy[3]));
    const __m128i v = _mm_cvtps_epi32(acc);
    const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(v, v), _mm_setzero_si128());
    std::uint32_t out = static_cast<std::uint32_t>(_mm_cvtsi128_si32(packed));
#else
    float acc[4] = {0, 0, 0, 0};
    for (int j = 0; j < 4; ++j) {
        const std::uint32_t* row = src.row(iy + j) + ix;
        for (int k = 0; k < 4; ++k)
            for (int c = 0; c < 4; ++c)
                acc[c] += ((row[k] >> (8 * c)) & 0xFF) * w.real[phaseX][k] * w.real[phaseY][j];
    }
    std::uint32_t out = 0;
    for (int c = 0; c < 4; ++c)
        out |= static_cast<std::uint32_t>(std::clamp(std::lround(acc[c]), 0L, 255L)) << (8 * c);
#endif
    return capToAlpha(out);
}

inline std::uint32_t scale(std::uint32_t p, std::uint32_t coverage) {  // coverage 0..256
    const std::uint32_t rb = ((p & 0x00FF00FF) * coverage >> 8) & 0x00FF00FF;
    const std::uint32_t ag = (((p >> 8) & 0x00FF00FF) * coverage) & 0xFF00FF00;
    return rb | ag;
}

// One interior run: every tap inside the padded source, positions as 32.32 fixed point.
struct Run {
    const Weights* w;
    const PixelSurface* src;
    std::uint32_t* row;
    int from, to;
    std::int64_t su, sv, stepU, stepV;
    int originX, originY;  // where the copied part starts in padded coordinates
};

[[gnu::always_inline]] inline std::uint32_t* tapsAt(const Run& r, std::int64_t su,
                                                    std::int64_t sv) {
    const int iu = static_cast<int>(su >> 32), iv = static_cast<int>(sv >> 32);
    return const_cast<std::uint32_t*>(r.src->row(iv - 3 + kBorder - r.originY)) +
           (iu - 3 + kBorder - r.originX);
}
[[gnu::always_inline]] inline int phaseOf(std::int64_t s) {
    return static_cast<int>((s >> 26) & (kPhases - 1));
}

void runSse2(const Run& r) {
    std::int64_t su = r.su, sv = r.sv;
    for (int x = r.from; x < r.to; ++x, su += r.stepU, sv += r.stepV) {
        const int iu = static_cast<int>(su >> 32), iv = static_cast<int>(sv >> 32);
        r.row[x] = PixelBlend::over(sample(*r.w, *r.src, iu - 3 + kBorder - r.originX,
                                           iv - 3 + kBorder - r.originY, phaseOf(su), phaseOf(sv)),
                                    r.row[x]);
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
#define ORVANE_HAVE_AVX2_PATH 1
// The same with two rows of taps in each 256-bit step.
[[gnu::target("avx2")]] inline __m256 twoRows(const std::uint32_t* a, const std::uint32_t* b,
                                              __m256i pair01, __m256i pair23) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i px = _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a))),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)), 1);
    const __m256i lo = _mm256_unpacklo_epi8(px, zero), hi = _mm256_unpackhi_epi8(px, zero);
    const __m256i t01 = _mm256_unpacklo_epi16(lo, _mm256_srli_si256(lo, 8));
    const __m256i t23 = _mm256_unpacklo_epi16(hi, _mm256_srli_si256(hi, 8));
    return _mm256_cvtepi32_ps(
        _mm256_add_epi32(_mm256_madd_epi16(t01, pair01), _mm256_madd_epi16(t23, pair23)));
}

[[gnu::target("avx2")]] void runAvx2(const Run& r) {
    const Weights& w = *r.w;
    const std::ptrdiff_t pitch = r.src->pitch();
    std::int64_t su = r.su, sv = r.sv;
    for (int x = r.from; x < r.to; ++x, su += r.stepU, sv += r.stepV) {
        const std::uint32_t* p = tapsAt(r, su, sv);
        const int px = phaseOf(su), py = phaseOf(sv);
        const __m256i pair01 = _mm256_broadcastsi128_si256(w.pair01[px]);
        const __m256i pair23 = _mm256_broadcastsi128_si256(w.pair23[px]);
        const auto& wy = w.vertical[py];
        const __m256 acc = _mm256_add_ps(
            _mm256_mul_ps(twoRows(p, p + pitch, pair01, pair23), _mm256_set_m128(wy[1], wy[0])),
            _mm256_mul_ps(twoRows(p + 2 * pitch, p + 3 * pitch, pair01, pair23),
                          _mm256_set_m128(wy[3], wy[2])));
        const __m128 sum = _mm_add_ps(_mm256_castps256_ps128(acc), _mm256_extractf128_ps(acc, 1));
        const __m128i v = _mm_cvtps_epi32(sum);
        const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(v, v), _mm_setzero_si128());
        r.row[x] = PixelBlend::over(
            capToAlpha(static_cast<std::uint32_t>(_mm_cvtsi128_si32(packed))), r.row[x]);
    }
}
#endif

bool g_wideAllowed = true;

void drawRun(const Run& r) {
#ifdef ORVANE_HAVE_AVX2_PATH
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2 && g_wideAllowed) return runAvx2(r);
#endif
    runSse2(r);
}

}  // namespace

void BicubicResampler::draw(PixelSurface& target, const PixelSurface& source, const Affine& m,
                            double left, double top, double right, double bottom, double shiftU,
                            double shiftV) {
    if (source.width() <= 0 || source.height() <= 0 || right <= left || bottom <= top) return;
    const double det = m.xx * m.yy - m.xy * m.yx;
    if (!std::isfinite(det) || det == 0) return;
    // The forward map, to find where the source rectangle lands.
    const double fxx = m.yy / det, fxy = -m.xy / det, fyx = -m.yx / det, fyy = m.xx / det;
    auto forward = [&](double u, double v, double& x, double& y) {
        u -= m.x0;
        v -= m.y0;
        x = fxx * u + fxy * v;
        y = fyx * u + fyy * v;
    };
    double xs[4], ys[4];
    forward(left, top, xs[0], ys[0]);
    forward(right, top, xs[1], ys[1]);
    forward(left, bottom, xs[2], ys[2]);
    forward(right, bottom, xs[3], ys[3]);
    const int x0 = std::max(0, static_cast<int>(std::floor(*std::min_element(xs, xs + 4))));
    const int x1 =
        std::min(target.width(), static_cast<int>(std::ceil(*std::max_element(xs, xs + 4))));
    const int y0 = std::max(0, static_cast<int>(std::floor(*std::min_element(ys, ys + 4))));
    const int y1 =
        std::min(target.height(), static_cast<int>(std::ceil(*std::max_element(ys, ys + 4))));
    if (x0 >= x1 || y0 >= y1) return;

    // The source part the target box reaches, with room for the taps and for rounding.
    double us[4], vs[4];
    for (int k = 0; k < 4; ++k) {
        const double px = k % 2 ? x1 : x0, py = k / 2 ? y1 : y0;
        us[k] = std::clamp(m.xx * px + m.xy * py + m.x0 + shiftU - 0.5, -1.5, source.width() - 0.5);
        vs[k] =
            std::clamp(m.yx * px + m.yy * py + m.y0 + shiftV - 0.5, -1.5, source.height() - 0.5);
    }
    const int padW = source.width() + 2 * kBorder, padH = source.height() + 2 * kBorder;
    const int originX = std::clamp(
        static_cast<int>(std::floor(*std::min_element(us, us + 4))) - 2 + kBorder, 0, padW);
    const int originY = std::clamp(
        static_cast<int>(std::floor(*std::min_element(vs, vs + 4))) - 2 + kBorder, 0, padH);
    const int endX = std::clamp(
        static_cast<int>(std::floor(*std::max_element(us, us + 4))) + 4 + kBorder, 0, padW);
    const int endY = std::clamp(
        static_cast<int>(std::floor(*std::max_element(vs, vs + 4))) + 4 + kBorder, 0, padH);
    if (originX >= endX || originY >= endY) return;
    const PixelSurface src = padded(source, originX, originY, endX, endY);
    const Weights& w = weights();
    // Destination pixels per source unit along each source axis, to measure edge distances
    // in destination pixels.
    const double toPixelsU = 1 / std::hypot(m.xx, m.xy), toPixelsV = 1 / std::hypot(m.yx, m.yy);
    const double maxU = source.width() + 1.5, maxV = source.height() + 1.5;
    // Each row has a run of pixels well inside the image, found from the four edge lines and
    // drawn with whole-number stepping; the pixels around it go the careful way.
    const double marginU = 0.5 / toPixelsU + 1e-6, marginV = 0.5 / toPixelsV + 1e-6;
    auto careful = [&](std::uint32_t* row, int x, double u, double v) {
        const double edge = std::min(std::min(u - left, right - u) * toPixelsU,
                                     std::min(v - top, bottom - v) * toPixelsV);
        if (edge <= -0.5) return;
        // Sample positions in pixel-index space (centres at whole numbers), kept where the
        // repeated edge covers every tap, and moved by 2 so that truncation floors.
        const double su = std::clamp(u + shiftU - 0.5, -1.5, maxU - 2.0) + 2;
        const double sv = std::clamp(v + shiftV - 0.5, -1.5, maxV - 2.0) + 2;
        const int iu = static_cast<int>(su), iv = static_cast<int>(sv);
        const int phaseX = static_cast<int>((su - iu) * kPhases + 0.5);
        const int phaseY = static_cast<int>((sv - iv) * kPhases + 0.5);
        std::uint32_t p =
            sample(w, src, iu - 3 + kBorder - originX, iv - 3 + kBorder - originY, phaseX, phaseY);
        // A centre half a pixel inside (give or take rounding, as after a quarter turn) is
        // wholly covered.
        if (edge < 0.5 - 1e-6) p = scale(p, static_cast<std::uint32_t>((edge + 0.5) * 256));
        row[x] = PixelBlend::over(p, row[x]);
    };
    // The x range (as reals) where lo ≤ a + b·x ≤ hi.
    auto within = [](double a, double b, double lo, double hi, double& from, double& to) {
        if (b == 0) {
            if (a < lo || a > hi) from = 1, to = 0;
            return;
        }
        double x1 = (lo - a) / b, x2 = (hi - a) / b;
        if (x1 > x2) std::swap(x1, x2);
        from = std::max(from, x1);
        to = std::min(to, x2);
    };
    constexpr double kOne = 4294967296.0;  // 32 fraction bits
    const std::int64_t stepU = std::llround(m.xx * kOne), stepV = std::llround(m.yx * kOne);
    for (int y = y0; y < y1; ++y) {
        std::uint32_t* row = target.row(y);
        const double cy = y + 0.5;
        // u and v at the centre of pixel x are uA + xx·x and vA + yx·x.
        const double uA = m.xy * cy + m.x0 + m.xx * 0.5, vA = m.yy * cy + m.y0 + m.yx * 0.5;
        double from = x0, to = x1 - 1;
        within(uA, m.xx, left + marginU, right - marginU, from, to);
        within(vA, m.yx, top + marginV, bottom - marginV, from, to);
        // Taps stay inside the repeated edge only for positions near the image.
        within(uA, m.xx, -1 - shiftU, source.width() - shiftU, from, to);
        within(vA, m.yx, -1 - shiftV, source.height() - shiftV, from, to);
        // The limits of a nearly level edge line lie far outside int: clamp before the cast.
        const int inFrom = static_cast<int>(std::clamp(std::ceil(from) + 1, 1.0 * x0, 1.0 * x1));
        const int inTo =
            static_cast<int>(std::clamp(std::floor(to), 1.0 * x0, 1.0 * x1));  // exclusive
        const int carefulTo = inFrom < inTo ? inFrom : x1;
        for (int x = x0; x < carefulTo; ++x)
            careful(row, x, uA + m.xx * x, vA + m.yx * x);
        if (inFrom >= inTo) continue;
        // Sample positions as 32.32 fixed point, moved by 2 (positive) and by half a phase
        // (so that truncation rounds to the nearest phase).
        std::int64_t su =
            std::llround((uA + m.xx * inFrom + shiftU - 0.5 + 2) * kOne) + (std::int64_t{1} << 25);
        std::int64_t sv =
            std::llround((vA + m.yx * inFrom + shiftV - 0.5 + 2) * kOne) + (std::int64_t{1} << 25);
        drawRun(Run{&w, &src, row, inFrom, inTo, su, sv, stepU, stepV, originX, originY});
        for (int x = inTo; x < x1; ++x)
            careful(row, x, uA + m.xx * x, vA + m.yx * x);
    }
}

void BicubicResampler::allowWideVectors(bool allow) {
    g_wideAllowed = allow;
}

}  // namespace orvane::platform
