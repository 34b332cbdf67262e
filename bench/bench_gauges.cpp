// The gauges: a progress bar's value change to its repaint (self-painted plain, with a caption,
// and with the visual style), and a spin's step to its repaint.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "controls/Controls.h"
#include "controls/graphics/ucProgressBar.h"
#include "controls/graphics/ucUpDown.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

struct Setup {
    testing::TestPlatform platform;
    std::unique_ptr<Form> form;
    Setup() {
        setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
        registerControls(TypeLibrary::current(), ControlClasses::current());
        form = std::make_unique<Form>(u"F", true, 640 * 15, 480 * 15);
    }
    template <class C>
    C& add(int width, int height) {
        Extender e;
        e.Move(20 * 15, 20 * 15, width * 15, height * 15);
        auto& c = form->add<C>(u"ctl", -1, e);
        form->Show();
        testing::TestPlatform::PumpMessages();
        return c;
    }
};

// Each iteration sets a new value and lets the repaint it asks for happen.
void progressValueChange(benchmark::State& state, bool text, bool themed) {
    Setup s;
    auto& bar = s.add<ucProgressBar>(300, 24);
    bar.ShowText(text);
    bar.Text(u"Copying files");
    bar.uxtheme(themed);
    std::int32_t v = 0;
    for (auto _ : state) {
        bar.Value(v = (v + 1) % 101);
        testing::TestPlatform::PumpMessages();
    }
}

void ProgressValueChangePlain(benchmark::State& state) {
    progressValueChange(state, false, false);
}
BENCHMARK(ProgressValueChangePlain)->Unit(benchmark::kMicrosecond);

void ProgressValueChangeWithCaption(benchmark::State& state) {
    progressValueChange(state, true, false);
}
BENCHMARK(ProgressValueChangeWithCaption)->Unit(benchmark::kMicrosecond);

void ProgressValueChangeThemed(benchmark::State& state) {
    progressValueChange(state, true, true);
}
BENCHMARK(ProgressValueChangeThemed)->Unit(benchmark::kMicrosecond);

void SpinStep(benchmark::State& state) {
    Setup s;
    auto& spin = s.add<ucUpDown>(40, 22);
    spin.Max(1000000);
    std::int32_t v = 0;
    for (auto _ : state) {
        spin.Value(++v);
        testing::TestPlatform::PumpMessages();
    }
}
BENCHMARK(SpinStep)->Unit(benchmark::kMicrosecond);

}  // namespace
