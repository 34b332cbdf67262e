// The label: loading and first painting a form of 1,000 labels (a third with images), a
// repaint after a hover change, and the memory each further label takes.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdlib>
#include <string>

#include "controls/Controls.h"
#include "controls/text/ucLabel.h"
#include "host/Base64.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/FormFile.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"
#include "platform/display/PngWriter.h"
#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

void useTestFonts() {
    setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
}

std::string imageBase64() {
    const auto bytes = PngWriter::encode(PixelSurface(16, 16, 0xFF3366CC), PngWriter::Alpha::Keep);
    return Base64Encode(bytes);
}

// A form file of `count` labels in a grid, every third with an image.
std::string formOf(int count) {
    const std::string image = imageBase64();
    std::string json = "{\"Form\":{\"Name\":\"F\",\"Width\":19200,\"Height\":12000},\"Controls\":[";
    for (int i = 0; i < count; ++i) {
        if (i) json += ",";
        const int left = (i % 20) * 960;
        const int top = (i / 20) * 300;  // rows past the form lie outside it, unpainted
        json += "{\"Class\":\"ucLabel\",\"Name\":\"l" + std::to_string(i) +
                "\",\"Left\":" + std::to_string(left) + ",\"Top\":" + std::to_string(top) +
                ",\"Width\":900,\"Height\":270,\"Properties\":{\"Caption\":\"Label " +
                std::to_string(i) + "\"";
        if (i % 3 == 0) json += ",\"PNG\":{\"Bytes\":\"" + image + "\"}";
        json += "}}";
    }
    return json + "]}";
}

void LoadAndPaintLabels(benchmark::State& state) {
    useTestFonts();
    testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    const std::string text = formOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto form = FormFile::load(text);
        form->Show();
        platform.PumpMessages();
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
// 1,000 labels is the figure to watch; 10,000 shows that loading stays linear.
BENCHMARK(LoadAndPaintLabels)
    ->Arg(1000)
    ->Arg(10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// The pointer enters and leaves one label of many: each change repaints that label alone.
void RepaintAfterHover(benchmark::State& state) {
    useTestFonts();
    testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    auto form = FormFile::load(formOf(200));
    form->Show();
    platform.PumpMessages();
    auto& label = static_cast<ucLabel&>(form->control(u"l6"));  // one with an image
    label.BackStyle(BackStyleEnum::bsOpaque);
    platform.PumpMessages();
    const POINT inside = platform.ClientToScreenPoint(label.hWnd(), 5, 5);
    bool in = false;
    for (auto _ : state) {
        if (!in) {
            platform.MouseMove(inside.x, inside.y);
        } else {
            platform.MouseMove(inside.x, inside.y + 400);
            platform.AdvanceTime(10);  // the hover poll notices
        }
        platform.PumpMessages();
        in = !in;
    }
}
BENCHMARK(RepaintAfterHover)->Unit(benchmark::kMicrosecond);

// Resident memory for 1,000 labels more on a form that already has 1,000.
void MemoryPerLabel(benchmark::State& state) {
    useTestFonts();
    testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    for (auto _ : state) {
        Form form(u"F", true, 19200, 12000);
        form.Show();
        const auto addLabels = [&form](int from, int count) {
            for (int i = from; i < from + count; ++i) {
                Extender e;
                e.Move((i % 20) * 960, (i / 20 % 40) * 300, 900, 270);
                form.add<ucLabel>(u"l" + FromUtf8(std::to_string(i)), -1, e)
                    .Caption(u"Label " + FromUtf8(std::to_string(i)));
            }
            testing::TestPlatform::PumpMessages();
        };
        addLabels(0, 1000);
        // The heap in use counts every byte; resident-set growth moves in whole pages, and
        // the allocator's spare pages hide it at this size.
        const auto heapBefore = mallinfo2().uordblks;
        addLabels(1000, 1000);
        const auto heapAfter = mallinfo2().uordblks;
        state.counters["heap_bytes_per_label"] =
            (static_cast<double>(heapAfter) - static_cast<double>(heapBefore)) / 1000.0;
    }
}
BENCHMARK(MemoryPerLabel)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
