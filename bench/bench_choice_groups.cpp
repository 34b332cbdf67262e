// The choice groups: one option group of 1,000 items laid out and painted whole (captions
// measured, every item drawn), the same paint alone from the cached layout, and a hover move
// between two items (those two repainted).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "controls/Controls.h"
#include "controls/buttons/ucOptionGroup.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"
#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

void useTestFonts() {
    setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
}

std::u16string thousandCaptions() {
    std::u16string caption;
    for (int i = 0; i < 1000; ++i) {
        if (i) caption += u"|";
        caption += u"Item " + FromUtf8(std::to_string(i));
    }
    return caption;
}

// A 1900 × 1060 form holding one group of 1,000 items in 40 rows of 25 columns, all visible.
struct Setup {
    Setup() : form(u"F", true, 1900 * 15, 1060 * 15) {
        Extender e;
        e.Move(0, 0, 1890 * 15, 1000 * 15);
        group = &form.add<ucOptionGroup>(u"grp", -1, e);
        group->ShowImage(false);
        group->RowsPerColumn(40);
        group->Caption(thousandCaptions());
        group->GroupNames(u"");
        form.Show();
        testing::TestPlatform::PumpMessages();
    }
    Form form;
    ucOptionGroup* group = nullptr;
};

// A change of the items (here the font size, back and forth) lays out again: every caption is
// measured; then the whole group is painted.
void LayoutAndPaint1000Items(benchmark::State& state) {
    useTestFonts();
    testing::TestPlatform platform({1920, 1080});
    registerControls(TypeLibrary::current(), ControlClasses::current());
    Setup s;
    int n = 0;
    for (auto _ : state) {
        s.group->Font()->Size(++n % 2 ? 9.75 : 9);  // re-lays out and repaints now
    }
    benchmark::DoNotOptimize(s.group->paintedItems());
}
BENCHMARK(LayoutAndPaint1000Items)->Unit(benchmark::kMillisecond);

// The whole group painted from the cached layout.
void Paint1000Items(benchmark::State& state) {
    useTestFonts();
    testing::TestPlatform platform({1920, 1080});
    registerControls(TypeLibrary::current(), ControlClasses::current());
    Setup s;
    for (auto _ : state) {
        RedrawWindow(s.group->hWnd(), nullptr, HRGN(), RDW_INVALIDATE | RDW_UPDATENOW);
    }
    if (s.group->paintedItems() != 1000) state.SkipWithError("not every item was painted");
}
BENCHMARK(Paint1000Items)->Unit(benchmark::kMillisecond);

// The pointer moves between two neighbouring items of the 1,000: both repaint, nothing else.
void HoverBetweenTwoItems(benchmark::State& state) {
    useTestFonts();
    testing::TestPlatform platform({1920, 1080});
    registerControls(TypeLibrary::current(), ControlClasses::current());
    Setup s;
    const auto centre = [&](int i) {
        const RECT& r = s.group->layoutResult().items[i].rect;
        return platform.ClientToScreenPoint(s.group->hWnd(), (r.left + r.right) / 2,
                                            (r.top + r.bottom) / 2);
    };
    const POINT a = centre(500), b = centre(501);
    bool first = true;
    for (auto _ : state) {
        const POINT p = first ? a : b;
        platform.MouseMove(p.x, p.y);
        platform.PumpMessages();
        first = !first;
    }
    if (s.group->paintedItems() != 2) state.SkipWithError("more than the two items repainted");
}
BENCHMARK(HoverBetweenTwoItems)->Unit(benchmark::kMicrosecond);

}  // namespace
