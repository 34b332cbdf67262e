// The tree view control (ucTreeView): 100,000 nodes (1,000 parents of 99 children, each with a
// key and two column texts) added through AddNode and the first page painted; and every parent
// expanded with Expand and the tree painted.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "controls/edit/ucTreeView.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "platform/testing.h"

namespace {

using namespace orvane;
using namespace orvane::platform;

constexpr int kParents = 1000;
constexpr int kChildren = 99;

struct Setup {
    testing::TestPlatform platform;
    std::unique_ptr<Form> form;
    Setup() {
        setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
        registerControls(TypeLibrary::current(), ControlClasses::current());
        form = std::make_unique<Form>(u"F", true, 640 * 15, 640 * 15);
        form->Show();
        testing::TestPlatform::PumpMessages();
    }
    // A new 400 x 600 multi-column tree with its window.
    ucTreeView& tree() {
        Extender e;
        e.Move(0, 0, 400 * 15, 600 * 15);
        auto& t = form->add<ucTreeView>(u"tv", -1, e);
        t.HasButtons(true);
        t.HasLines(true);
        t.HasRootLines(true);
        t.MultiColumn(true);
        t.InitializeTree();
        t.AddColumn(u"Name", 200);
        t.AddColumn(u"Size", 80);
        t.AddColumn(u"Kind", 80);
        testing::TestPlatform::PumpMessages();
        return t;
    }
    // The nodes' keys and texts, made once.
    static const std::vector<std::u16string>& texts() {
        static const std::vector<std::u16string> all = [] {
            std::vector<std::u16string> out;
            for (int p = 0; p < kParents; ++p) {
                const std::u16string name = u"Node " + CStr(Variant(std::int32_t{p + 1}));
                out.push_back(name + u"|" + CStr(Variant(std::int32_t{p * 7})) + u"|folder");
                for (int c = 0; c < kChildren; ++c)
                    out.push_back(name + u"." + CStr(Variant(std::int32_t{c + 1})) + u"|" +
                                  CStr(Variant(std::int32_t{c * 13})) + u"|file");
            }
            return out;
        }();
        return all;
    }
    static std::vector<std::int32_t> fill(ucTreeView& t) {
        std::vector<std::int32_t> parents;
        parents.reserve(kParents);
        const auto& all = texts();
        t.BeginUpdate();
        std::size_t i = 0;
        for (int p = 0; p < kParents; ++p) {
            const std::int32_t parent =
                t.AddNode(0, ucTreeView::rLast, u"k" + CStr(Variant(std::int32_t{p})), all[i++]);
            parents.push_back(parent);
            for (int c = 0; c < kChildren; ++c)
                t.AddNode(parent, ucTreeView::rLast, u"", all[i++]);
        }
        t.EndUpdate();
        return parents;
    }
};

void TreeControlAddNodes100k(benchmark::State& state) {
    Setup s;
    Setup::texts();
    for (auto _ : state) {
        state.PauseTiming();
        ucTreeView& t = s.tree();
        state.ResumeTiming();
        Setup::fill(t);
        t.Refresh();
        state.PauseTiming();
        if (t.NodeCount() != kParents * (kChildren + 1)) state.SkipWithError("nodes missing");
        s.form->remove(t);
        testing::TestPlatform::PumpMessages();
        state.ResumeTiming();
    }
}
BENCHMARK(TreeControlAddNodes100k)->Unit(benchmark::kMillisecond);

void TreeControlExpandAllAndPaint(benchmark::State& state) {
    Setup s;
    for (auto _ : state) {
        state.PauseTiming();
        ucTreeView& t = s.tree();
        const std::vector<std::int32_t> parents = Setup::fill(t);
        t.Refresh();
        state.ResumeTiming();
        t.BeginUpdate();
        for (const std::int32_t p : parents)
            t.Expand(p);
        t.EndUpdate();
        t.Refresh();
        state.PauseTiming();
        if (!t.NodeExpanded(parents.back())) state.SkipWithError("not expanded");
        s.form->remove(t);
        testing::TestPlatform::PumpMessages();
        state.ResumeTiming();
    }
}
BENCHMARK(TreeControlExpandAllAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace
