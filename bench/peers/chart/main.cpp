// Draws the peer benchmark's chart: peers-chart RATIOS.tsv OUT.png [TITLE]
// (RatioChart.h tells what the file holds and what the chart shows).
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>

#include "RatioChart.h"
#include "platform/base/CodePages.h"
#include "platform/display/PngWriter.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: peers-chart RATIOS.tsv OUT.png [TITLE]\n");
        return 2;
    }
    // The tests' pinned fonts, so the picture does not depend on the machine's.
    setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 0);
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "peers-chart: cannot read %s\n", argv[1]);
        return 1;
    }
    try {
        const auto bars = orvane::bench::readRatios(in);
        const std::u16string title = orvane::platform::FromUtf8(
            argc == 4 ? argv[3]
                      : "Orvane \u00F7 Qt 5 Widgets: below 1\u00D7 Orvane is faster (or smaller)");
        if (!orvane::platform::PngWriter::writeFile(orvane::bench::drawRatioChart(bars, title),
                                                    argv[2])) {
            std::fprintf(stderr, "peers-chart: cannot write %s\n", argv[2]);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "peers-chart: %s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
