// monkey [STEPS] [SEED] [--form FORM.json]: random input over the gallery (or the form given),
// headless on the virtual clock, checking the invariants after every step. On a failure it
// prints the seed, the step and the action, so `monkey STEPS SEED` replays it exactly. A
// watchdog stops a step that hangs.
#include <atomic>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "Monkey.h"
#include "controls/Controls.h"
#include "host/ControlClasses.h"
#include "host/Error.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"

using namespace orvane;

int main(int argc, char** argv) {
    int steps = 20000;
    std::uint64_t seed = std::random_device()();
    std::string formPath = ORVANE_GALLERY_FORM;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--form" && i + 1 < argc) {
            formPath = argv[++i];
        } else if (positional == 0) {
            steps = std::atoi(arg.c_str());
            ++positional;
        } else if (positional == 1) {
            seed = std::strtoull(arg.c_str(), nullptr, 10);
            ++positional;
        } else {
            std::fprintf(stderr, "usage: monkey [STEPS] [SEED] [--form FORM.json]\n");
            return 2;
        }
    }
    std::ifstream in(formPath, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "monkey: cannot read %s\n", formPath.c_str());
        return 2;
    }
    std::ostringstream text;
    text << in.rdbuf();

    platform::testing::TestPlatform platform({1920, 1080, 96, 1000000});
    registerControls(TypeLibrary::current(), ControlClasses::current());
    std::atomic<int> progress{0};
    std::atomic<bool> done{false};
    std::thread watchdog([&] {
        int last = -1;
        while (!done) {
            for (int i = 0; i < 300 && !done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (done) break;
            if (progress == last) {
                std::fprintf(stderr, "monkey: seed %" PRIu64 ": step %d hangs\n", seed, last + 1);
                std::_Exit(3);
            }
            last = progress;
        }
    });
    int status = 0;
    try {
        Monkey monkey(platform, text.str(), seed);
        const bool verbose = std::getenv("MONKEY_VERBOSE") != nullptr;
        for (int done_steps = 0; done_steps < steps && status == 0; ++done_steps) {
            const auto start = std::chrono::steady_clock::now();
            const bool ok = monkey.run(1);
            if (verbose)
                std::fprintf(stderr, "%d %s %.1f ms\n", monkey.stepsDone(),
                             monkey.lastAction().c_str(),
                             std::chrono::duration<double, std::milli>(
                                 std::chrono::steady_clock::now() - start)
                                 .count());
            if (!ok) {
                std::fprintf(stderr, "monkey: seed %" PRIu64 ": step %d (%s): %s\n", seed,
                             monkey.stepsDone(), monkey.lastAction().c_str(),
                             monkey.failure().c_str());
                status = 1;
            }
            progress = monkey.stepsDone();
        }
        if (status == 0 && !monkey.closeAndCheck()) {
            std::fprintf(stderr, "monkey: seed %" PRIu64 ": objects left after the form closed\n",
                         seed);
            status = 1;
        }
    } catch (const Error& e) {
        std::fprintf(stderr, "monkey: seed %" PRIu64 ": %s\n", seed,
                     platform::ToUtf8(e.description()).c_str());
        status = 1;
    }
    done = true;
    watchdog.join();
    if (status == 0) std::printf("monkey: %d steps with seed %" PRIu64 ": ok\n", steps, seed);
    return status;
}
