// Measuring and drawing single lines of text.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "platform/testing.h"
#include "platform/text/Text.h"

using namespace orvane::platform;

namespace {

struct TextCanvas {
    testing::TestPlatform platform;
    HDC dc;
    HBITMAP bitmap;
    HFONT font;
    explicit TextCanvas(const char16_t* face = u"DejaVu Sans") {
        dc = CreateCompatibleDC(HDC());
        bitmap = CreateBitmap(800, 100, 1, 32, nullptr);
        SelectObject(dc, bitmap);
        font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
        SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
    }
    ~TextCanvas() {
        DeleteDC(dc);
        DeleteObject(bitmap);
        DeleteObject(font);
    }
};

const bool kFonts = [] {
#ifdef ORVANE_TEST_FONTS_CONF
    setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
#endif
    return true;
}();

// A caption measured again and again, as controls do while laying out.
void BM_TextExtentCached(benchmark::State& state) {
    TextCanvas c;
    const std::u16string text = u"Quarterly report 2026";
    SIZE size;
    GetTextExtentPoint32W(c.dc, text.data(), 20, &size);
    for (auto _ : state) {
        GetTextExtentPoint32W(c.dc, text.data(), 20, &size);
        benchmark::DoNotOptimize(size);
    }
}
BENCHMARK(BM_TextExtentCached);

// Texts that were never measured before: shaping every time.
void BM_TextExtentFresh(benchmark::State& state) {
    TextCanvas c;
    std::u16string text = u"Quarterly report 00000";
    int n = 0;
    SIZE size;
    for (auto _ : state) {
        const int v = n++;
        for (int i = 0; i < 5; ++i)
            text[19 - i] = static_cast<char16_t>(u'0' + (v >> (3 * i)) % 8);
        GetTextExtentPoint32W(c.dc, text.data(), 20, &size);
        benchmark::DoNotOptimize(size);
    }
}
BENCHMARK(BM_TextExtentFresh);

void BM_TextOutLine(benchmark::State& state) {
    TextCanvas c;
    const std::u16string text = u"The quick brown fox jumps over the lazy dog. 0123456789";
    for (auto _ : state)
        TextOutW(c.dc, 5, 5, text.data(), static_cast<int>(text.size()));
}
BENCHMARK(BM_TextOutLine);

}  // namespace
