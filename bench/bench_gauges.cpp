// The graphics controls: a progress bar's value change to its repaint (self-painted plain, with
// a caption, and with the visual style), a spin's step to its repaint, and a form of all 29
// shapes repainted.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "controls/Controls.h"
#include "controls/graphics/ucProgressBar.h"
#include "controls/graphics/ucShape.h"
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

// Every shape at 200 × 200, filled and outlined, turned 30°: one repaint of the form that holds
// them (each shape blends the picture it kept), or, with `redraw`, each shape turned a little
// first, so that every figure is drawn anew.
void shapesRepaint(benchmark::State& state, bool smooth, bool redraw = false) {
    Setup s;
    s.form = std::make_unique<Form>(u"F", true, 1500 * 15, 1300 * 15);
    for (int i = 0; i < ShapeGeometry::Count; ++i) {
        Extender e;
        e.Move((20 + (i % 6) * 240) * 15, (20 + (i / 6) * 240) * 15, 200 * 15, 200 * 15);
        auto& shape = s.form->add<ucShape>(u"shp", i, e);
        shape.Shape(i);
        shape.FillStyle(0);
        shape.FillColor(0x3050C0);
        shape.RotationDegrees(30);
        shape.Quality(smooth ? 1 : 0);
    }
    s.form->Show();
    testing::TestPlatform::PumpMessages();
    float turn = 30;
    for (auto _ : state) {
        if (redraw) {
            turn = turn == 30 ? 30.5f : 30;
            for (int i = 0; i < ShapeGeometry::Count; ++i)
                static_cast<ucShape&>(s.form->control(u"shp", i)).RotationDegrees(turn);
        }
        InvalidateRect(s.form->hWnd(), nullptr, TRUE);
        UpdateWindow(s.form->hWnd());
    }
}

void ShapesDrawnAnewSmooth(benchmark::State& state) {
    shapesRepaint(state, true, true);
}
BENCHMARK(ShapesDrawnAnewSmooth)->Unit(benchmark::kMillisecond);

void ShapesRepaintSmooth(benchmark::State& state) {
    shapesRepaint(state, true);
}
BENCHMARK(ShapesRepaintSmooth)->Unit(benchmark::kMillisecond);

void ShapesRepaintWholePixels(benchmark::State& state) {
    shapesRepaint(state, false);
}
BENCHMARK(ShapesRepaintWholePixels)->Unit(benchmark::kMillisecond);

// The form alone, for what the shapes add to its repaint.
void EmptyFormRepaint(benchmark::State& state) {
    Setup s;
    s.form = std::make_unique<Form>(u"F", true, 1500 * 15, 1300 * 15);
    s.form->Show();
    testing::TestPlatform::PumpMessages();
    for (auto _ : state) {
        InvalidateRect(s.form->hWnd(), nullptr, TRUE);
        UpdateWindow(s.form->hWnd());
    }
}
BENCHMARK(EmptyFormRepaint)->Unit(benchmark::kMillisecond);
