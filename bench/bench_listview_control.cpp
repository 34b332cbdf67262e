// The list view control (ucListView) in report view with five columns: 100,000 items with four
// sub-items each added through its members and painted, and sorted by a numeric column with
// Sort, which reads each item's key once per sort.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "controls/edit/ucListView.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "platform/testing.h"

namespace {

using namespace orvane;
using namespace orvane::platform;

constexpr int kItems = 100000;

struct Setup {
    testing::TestPlatform platform;
    std::unique_ptr<Form> form;
    ucListView* list = nullptr;
    Setup() {
        setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
        registerControls(TypeLibrary::current(), ControlClasses::current());
        form = std::make_unique<Form>(u"F", true, 640 * 15, 480 * 15);
        Extender e;
        e.Move(10 * 15, 10 * 15, 400 * 15, 440 * 15);
        list = &form->add<ucListView>(u"ctl", -1, e);
        list->ViewMode(ucListView::vmDetails);
        form->Show();
        list->InitializeList();
        for (int c = 0; c < 5; ++c)
            list->ColumnAdd(c, u"Column", 80, c ? 1 : 0, -1);
        testing::TestPlatform::PumpMessages();
    }
    // The rows' texts, made once: a name and four numbers in a shuffled order.
    static const std::vector<std::vector<std::u16string>>& rows() {
        static const std::vector<std::vector<std::u16string>> texts = [] {
            std::vector<std::vector<std::u16string>> out(kItems);
            std::mt19937 random(7);
            for (int i = 0; i < kItems; ++i) {
                out[i].push_back(u"Item " + CStr(Variant(static_cast<std::int32_t>(i))));
                for (int c = 1; c < 5; ++c)
                    out[i].push_back(CStr(Variant(static_cast<std::int32_t>(random() % 1000000))));
            }
            return out;
        }();
        return texts;
    }
    void fill() {
        list->NoRedraw(true);
        const auto& texts = rows();
        for (int i = 0; i < kItems; ++i) {
            const std::int32_t item =
                list->ItemAdd(i, texts[static_cast<std::size_t>(i)][0], 0, -1);
            for (int c = 1; c < 5; ++c)
                list->SubItemText(item, c,
                                  texts[static_cast<std::size_t>(i)][static_cast<std::size_t>(c)]);
        }
        list->NoRedraw(false);
    }
};

void ControlInsert100kAndPaint(benchmark::State& state) {
    Setup s;
    Setup::rows();
    for (auto _ : state) {
        s.fill();
        UpdateWindow(s.list->hWndListView());
        state.PauseTiming();
        if (s.list->Count() != kItems) state.SkipWithError("the items did not all go in");
        s.list->Clear();
        testing::TestPlatform::PumpMessages();
        state.ResumeTiming();
    }
}
BENCHMARK(ControlInsert100kAndPaint)->Unit(benchmark::kMillisecond);

void ControlSort100kNumeric(benchmark::State& state) {
    Setup s;
    s.fill();
    testing::TestPlatform::PumpMessages();
    // Two independent numeric columns in turn, so each sort starts from an order random for it.
    std::int32_t column = 1;
    for (auto _ : state) {
        if (!s.list->Sort(column, ucListView::soAscending, ucListView::stNumeric))
            state.SkipWithError("the sort was refused");
        state.PauseTiming();
        if (ucListView::cellNumber(s.list->SubItemText(0, column)) >
            ucListView::cellNumber(s.list->SubItemText(kItems - 1, column)))
            state.SkipWithError("not in order");
        column = column == 1 ? 2 : 1;
        state.ResumeTiming();
    }
}
BENCHMARK(ControlSort100kNumeric)->Unit(benchmark::kMillisecond);

}  // namespace
