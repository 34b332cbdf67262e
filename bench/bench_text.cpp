// DrawTextW of a 10,000-character paragraph wrapped into 600 pixels on a 600x4000 memory DC,
// in Latin, Arabic and Chinese text.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/text/DrawText.h"
#include "platform/text/Text.h"

namespace {

using namespace orvane::platform;

constexpr int kWidth = 600;
constexpr int kHeight = 4000;
constexpr std::size_t kChars = 10000;

// The tests' pinned fonts, set before anything asks for a font.
const bool kFontsPinned = [] {
    setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
    return true;
}();

// A memory DC with a top-down 32-bit DIB section and DejaVu Sans 9 pt at 96 DPI selected.
struct TextDc {
    HDC dc;
    HBITMAP bitmap;
    HFONT font;
    HGDIOBJ oldBitmap, oldFont;
    TextDc() {
        BITMAPINFO info{};
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &bits, HANDLE(), 0);
        dc = CreateCompatibleDC(HDC());
        oldBitmap = SelectObject(dc, bitmap);
        font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           u"DejaVu Sans");
        oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
    }
    ~TextDc() {
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(font);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

// Words repeated to exactly kChars characters.
std::u16string paragraph(std::u16string_view words) {
    std::u16string text;
    while (text.size() < kChars)
        text.append(words);
    text.resize(kChars);
    return text;
}

void drawParagraph(benchmark::State& state, std::u16string_view words) {
    TextDc target;
    const std::u16string text = paragraph(words);
    int height = 0;
    for (auto _ : state) {
        RECT rc{0, 0, kWidth, kHeight};
        height =
            DrawTextW(target.dc, text.data(), static_cast<int>(text.size()), &rc, DT_WORDBREAK);
        benchmark::DoNotOptimize(height);
    }
    TEXTMETRICW tm;
    GetTextMetricsW(target.dc, &tm);
    state.counters["lines"] = tm.tmHeight ? height / tm.tmHeight : 0;
    state.counters["height_px"] = height;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kChars);
}

constexpr std::u16string_view kLatinWords =
    u"Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do "
    u"eiusmod tempor incididunt ut labore et dolore magna aliqua. ";

void BM_DrawTextLatin(benchmark::State& state) {
    drawParagraph(state, kLatinWords);
}
BENCHMARK(BM_DrawTextLatin)->Unit(benchmark::kMillisecond);

// The Latin paragraph as a different text on every draw: the words rotated by one character
// more each time, in turn through all 124 rotations (some 13,000 different lines a cycle), so
// that each draw wraps and lays out lines it has not just drawn.
void BM_DrawTextLatinFresh(benchmark::State& state) {
    TextDc target;
    std::vector<std::u16string> texts;
    for (std::size_t k = 0; k < kLatinWords.size(); ++k) {
        std::u16string words(kLatinWords.substr(k));
        words.append(kLatinWords.substr(0, k));
        texts.push_back(paragraph(words));
    }
    std::size_t next = 0;
    int height = 0;
    for (auto _ : state) {
        const std::u16string& text = texts[next];
        next = (next + 1) % texts.size();
        RECT rc{0, 0, kWidth, kHeight};
        height =
            DrawTextW(target.dc, text.data(), static_cast<int>(text.size()), &rc, DT_WORDBREAK);
        benchmark::DoNotOptimize(height);
    }
    state.counters["height_px"] = height;
    state.counters["texts"] = static_cast<double>(texts.size());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kChars);
}
BENCHMARK(BM_DrawTextLatinFresh)->Unit(benchmark::kMillisecond);

void BM_DrawTextArabic(benchmark::State& state) {
    drawParagraph(state,
                  u"اللغة العربية هي لغة سامية يتحدث بها أكثر من أربعمائة مليون "
                  u"إنسان في العالم، وهي إحدى اللغات الرسمية في الأمم المتحدة. ");
}
BENCHMARK(BM_DrawTextArabic)->Unit(benchmark::kMillisecond);

void BM_DrawTextChinese(benchmark::State& state) {
    drawParagraph(state,
                  u"汉语是世界上使用人数最多的语言之一，拥有悠久的历史和丰富的文化。"
                  u"现代标准汉语以北京语音为标准音，以北方话为基础方言。");
}
BENCHMARK(BM_DrawTextChinese)->Unit(benchmark::kMillisecond);

}  // namespace
