// The cost of reaching the library from a script: 100,000 property assignments on a label,
// one through the extender (Tag: no drawing) and one of the label's own (a redraw is asked
// for, on a hidden form, so it costs nothing to paint).
#include <benchmark/benchmark.h>

#include <string>

#include "controls/Controls.h"
#include "controls/text/ucLabelHTML.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "platform/platform.h"
#include "platform/testing.h"
#include "scripting/LuaHost.h"
#include "scripting/ScriptDriver.h"

using namespace orvane;

namespace {

void run100000(benchmark::State& state, const std::string& assignment) {
    platform::testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    Form form(u"Bench");
    form.add<ucLabelHTML>(u"lbl", -1, Extender());
    ScriptDriver driver(&platform);
    LuaHost lua(form, &driver);
    const std::string script = "local l = form.lbl\nfor i = 1, 100000 do " + assignment + " end\n";
    for (auto _ : state) {
        std::string error;
        if (!lua.run(script, "bench", error)) state.SkipWithError(error.c_str());
    }
}

void ScriptSetsTag100000(benchmark::State& state) {
    run100000(state, "l.Tag = i");
}
BENCHMARK(ScriptSetsTag100000)->Unit(benchmark::kMillisecond);

void ScriptSetsRightToLeft100000(benchmark::State& state) {
    run100000(state, "l.RightToLeft = (i % 2 == 0)");
}
BENCHMARK(ScriptSetsRightToLeft100000)->Unit(benchmark::kMillisecond);

// 10,000 pixel probes of a shown form that does not change between them.
void ScriptProbesPixel10000(benchmark::State& state) {
    platform::testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    Form form(u"Bench");
    form.add<ucLabelHTML>(u"lbl", -1, Extender());
    form.Show();
    platform.PumpMessages();
    ScriptDriver driver(&platform);
    LuaHost lua(form, &driver);
    const std::string script =
        "local sum = 0\nfor i = 1, 10000 do sum = sum + test.pixel(i % 200, 10) end\n";
    for (auto _ : state) {
        std::string error;
        if (!lua.run(script, "bench", error)) state.SkipWithError(error.c_str());
    }
}
BENCHMARK(ScriptProbesPixel10000)->Unit(benchmark::kMillisecond);

// A collection of 10,000 items filled once, then walked with ipairs.
void ScriptWalksCollection10000(benchmark::State& state) {
    platform::testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    Form form(u"Bench");
    ScriptDriver driver(&platform);
    LuaHost lua(form, &driver);
    std::string error;
    if (!lua.run("items = create('Orvane.Collection')\nfor i = 1, 10000 do items:Add(i) end\n",
                 "fill", error))
        state.SkipWithError(error.c_str());
    const std::string walk =
        "local sum = 0\nfor _, v in ipairs(items) do sum = sum + v end\n"
        "assert(sum == 50005000)\n";
    for (auto _ : state) {
        if (!lua.run(walk, "bench", error)) state.SkipWithError(error.c_str());
    }
}
BENCHMARK(ScriptWalksCollection10000)->Unit(benchmark::kMillisecond);

}  // namespace
