// Loading a form file of N HTML labels headless, showing it and pumping messages until every
// label has painted, for N from 1,000 to 10,000. The time per label should stay flat: the
// complexity fit below reports how close to linear the whole load and first paint is. The
// same form as saved (with every TabIndex) and unloading a form are measured too.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "controls/Controls.h"
#include "host/ControlClasses.h"
#include "host/FormFile.h"
#include "host/TypeLibrary.h"
#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

// The tests' pinned fonts, set before anything asks for a font.
const bool kFontsPinned = [] {
    setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
    return true;
}();

// A form of `count` word-wrapped HTML labels named L(0) ... L(count - 1), ten to a row.
std::string labelForm(int count) {
    std::string text =
        R"({"Form": {"Name": "Labels", "Width": 15000, "Height": 12000}, "Controls": [)";
    text.reserve(static_cast<std::size_t>(count) * 220);
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        if (i) text += ",";
        text += R"({"Class": "ucLabelHTML", "Name": "L", "Index": )" + n + R"(, "Left": )" +
                std::to_string(i % 10 * 1440) + R"(, "Top": )" + std::to_string(i / 10 * 540) +
                R"(, "Width": 1400, "Height": 500, "Properties": {"WordWrap": true, )"
                R"("Caption": "Label <b>)" +
                n + R"(</b> with <i>some</i> <forecolor=C00000>text</forecolor>"}})";
    }
    return text + "]}";
}

// Loads, shows and paints `text`, again and again; each round's unloading is left out.
void loadAndPaint(benchmark::State& state, testing::TestPlatform& platform, const std::string& text,
                  int count) {
    int messages = 0;
    for (auto _ : state) {
        auto form = FormFile::load(text);
        form->Show();
        messages = platform.PumpMessages();
        benchmark::DoNotOptimize(form.get());
        state.PauseTiming();
        form.reset();
        platform.PumpMessages();
        state.ResumeTiming();
    }
    // Every label paints once, through a WM_PAINT of its own.
    if (messages < count) state.SkipWithError("the labels did not all paint");
    state.SetComplexityN(count);
    state.counters["per_label"] = benchmark::Counter(
        count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void LoadAndPaintHtmlLabels(benchmark::State& state) {
    testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    const int count = static_cast<int>(state.range(0));
    loadAndPaint(state, platform, labelForm(count), count);
}
BENCHMARK(LoadAndPaintHtmlLabels)
    ->Arg(1000)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The same form as FormFile::save writes it: every label with its TabIndex.
void LoadAndPaintSavedHtmlLabels(benchmark::State& state) {
    testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    const int count = static_cast<int>(state.range(0));
    const std::string saved = FormFile::save(*FormFile::load(labelForm(count)));
    loadAndPaint(state, platform, saved, count);
}
BENCHMARK(LoadAndPaintSavedHtmlLabels)
    ->Arg(1000)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Unloading a shown form of N labels: every control is unsited and its window destroyed.
void UnloadHtmlLabels(benchmark::State& state) {
    testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    const int count = static_cast<int>(state.range(0));
    const std::string text = labelForm(count);
    for (auto _ : state) {
        state.PauseTiming();
        auto form = FormFile::load(text);
        form->Show();
        platform.PumpMessages();
        state.ResumeTiming();
        form.reset();
        platform.PumpMessages();
    }
    state.SetComplexityN(count);
}
BENCHMARK(UnloadHtmlLabels)
    ->Arg(1000)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
