// The HTML label: a 30,000-character caption of mixed markup laid out and drawn at 600 pixels,
// whole (into a tall bitmap) and as a label shows it (only the visible part is drawn). A form
// of 200 labels is in bench_host.
#include <benchmark/benchmark.h>

#include <string>

#include "controls/Controls.h"
#include "controls/text/HtmlLabelRenderer.h"
#include "controls/text/ucLabelHTML.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

// About 30,000 characters of words with bold, italic, coloured and line-break markup.
std::u16string longCaption() {
    const char16_t* words[] = {u"lorem", u"ipsum",       u"dolor",      u"sit",
                               u"amet",  u"consectetur", u"adipiscing", u"elit",
                               u"sed",   u"do",          u"eiusmod",    u"tempor"};
    std::u16string text;
    for (int i = 0; text.size() < 30000; ++i) {
        const std::u16string word = words[i % 12];
        if (i % 7 == 3) {
            text += u"<b>" + word + u"</b>";
        } else if (i % 11 == 5) {
            text += u"<i>" + word + u"</i>";
        } else if (i % 13 == 8) {
            text += u"<forecolor=0000C0>" + word + u"</forecolor>";
        } else {
            text += word;
        }
        text += i % 90 == 89 ? u"<br>" : u" ";
    }
    return text;
}

// Parse, wrap at 600 pixels and draw every line into a bitmap tall enough for all of them.
void LongCaptionWholeAt600(benchmark::State& state) {
    testing::TestPlatform platform;
    StdFont font;
    font.Name(u"Tahoma");
    font.Size(9);
    HtmlLabelRenderer renderer;
    HtmlLabelRenderer::Settings s;
    s.caption = longCaption();
    s.baseFont = font.logFont(96);
    s.base.FontName = font.Name();
    s.base.FontSize = static_cast<float>(font.Size());
    s.width = 608;  // 600 pixels for text after the margins
    s.height = 20000;
    std::vector<HtmlRun> runs;
    // The bitmap is as tall as the text: measured once on a bitmap taller than it can be.
    const HDC screen = GetDC(HWND());
    const HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 608, 20000);
    HGDIOBJ old = SelectObject(dc, bitmap);
    renderer.draw(dc, s, runs);
    s.height = renderer.bottom();
    SelectObject(dc, old);
    DeleteObject(bitmap);
    bitmap = CreateCompatibleBitmap(screen, 608, s.height);
    ReleaseDC(HWND(), screen);
    old = SelectObject(dc, bitmap);
    RECT all{0, 0, 608, s.height};
    for (auto _ : state) {
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        renderer.draw(dc, s, runs);
        benchmark::DoNotOptimize(runs.data());
    }
    state.counters["runs"] = static_cast<double>(runs.size());
    state.counters["height"] = s.height;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
BENCHMARK(LongCaptionWholeAt600)->Unit(benchmark::kMillisecond);

// The same caption on a 600 by 800 label: a caption change and its repaint.
void LongCaptionLabel600x800(benchmark::State& state) {
    testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    Form form(u"Bench", true, 700 * 15, 900 * 15);
    Extender e;
    e.Move(0, 0, 608 * 15, 800 * 15);
    auto& label = form.add<ucLabelHTML>(u"lbl", -1, e);
    label.BorderStyle(BorderStyleEnum::None);
    label.FontName(u"Tahoma");
    label.FontSize(9);
    form.Show();
    const std::u16string caption = longCaption();
    // Each change differs from the last (state.iterations() stands still inside the loop).
    bool dotted = false;
    for (auto _ : state) {
        label.Caption(dotted ? caption + u"." : caption);
        dotted = !dotted;
        platform.PumpMessages();
    }
}
BENCHMARK(LongCaptionLabel600x800)->Unit(benchmark::kMillisecond);

}  // namespace
