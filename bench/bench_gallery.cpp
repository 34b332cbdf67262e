// A full repaint of the gallery form at 1280 × 800: the form and every control redrawn.
#include <benchmark/benchmark.h>

#include "controls/Controls.h"
#include "host/ControlClasses.h"
#include "host/FormFile.h"
#include "host/TypeLibrary.h"
#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

void GalleryFullRepaint(benchmark::State& state) {
    testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    auto form = FormFile::loadFile(ORVANE_GALLERY_FORM, true);
    form->Show();
    platform.PumpMessages();
    for (auto _ : state) {
        RedrawWindow(form->hWnd(), nullptr, HRGN(),
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    state.counters["controls"] = static_cast<double>(form->Controls().size());
}
BENCHMARK(GalleryFullRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
