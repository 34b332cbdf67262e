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

}  // namespace
