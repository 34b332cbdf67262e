// The image list: adding 1,000 16 × 16 PNG icons (each decoded, made an icon and added), and
// saving and loading a list file of 1,000 images.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"
#include "platform/display/PngWriter.h"
#include "platform/platform.h"
#include "platform/testing.h"
#include "services/imagelist/ucImageList.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

constexpr int kImages = 1000;

// 1,000 different 16 × 16 PNG files' bytes, each with clear and half-clear pixels.
std::vector<std::vector<std::uint8_t>> icons() {
    std::vector<std::vector<std::uint8_t>> out;
    for (int i = 0; i < kImages; ++i) {
        PixelSurface image(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const std::uint32_t alpha = (x + y) % 5 == 0 ? 0 : (x * y) % 3 == 0 ? 0x80 : 0xFF;
                image.at(x, y) = alpha << 24 | static_cast<std::uint32_t>(i * 2654435761u >> 8) |
                                 static_cast<std::uint32_t>(x * 16 + y);
            }
        out.push_back(PngWriter::encode(image, PngWriter::Alpha::Keep));
    }
    return out;
}

// A platform and a form with one 32-bit image list on it.
struct Fixture {
    Fixture() {
        setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
        registerControls(TypeLibrary::current(), ControlClasses::current());
        Extender at;
        at.Move(150, 150, 600, 600);
        list = &form.add<ucImageList>(u"iml", -1, at);
        list->ColorDepth(eimlColorDepth::IMLC_COLOR32);
    }
    void fill(const std::vector<std::vector<std::uint8_t>>& pngs) {
        for (std::size_t i = 0; i < pngs.size(); ++i)
            list->AddFromFile(Variant(pngs[i]), u"icon" + FromUtf8(std::to_string(i)));
    }
    testing::TestPlatform platform;
    Form form{u"F"};
    ucImageList* list = nullptr;
};

std::u16string benchFile() {
    return FromUtf8((std::filesystem::temp_directory_path() / "orvane-bench.iml").string());
}

void AddPngIcons(benchmark::State& state) {
    Fixture f;
    const auto pngs = icons();
    for (auto _ : state) {
        f.list->Clear();
        f.fill(pngs);
    }
    if (f.list->ImageCount() != kImages) state.SkipWithError("images were not added");
}
// Goal: under 20 ms for the 1,000.
BENCHMARK(AddPngIcons)->Unit(benchmark::kMillisecond);

void SaveListFile(benchmark::State& state) {
    Fixture f;
    f.fill(icons());
    const std::u16string file = benchFile();
    for (auto _ : state)
        if (!f.list->SaveToFile(file)) state.SkipWithError("the file was not written");
    std::filesystem::remove(ToUtf8(file));
}
// Goal: under 30 ms for the 1,000.
BENCHMARK(SaveListFile)->Unit(benchmark::kMillisecond);

void LoadListFile(benchmark::State& state) {
    Fixture f;
    f.fill(icons());
    const std::u16string file = benchFile();
    f.list->SaveToFile(file);
    for (auto _ : state)
        if (!f.list->LoadFromFile(file)) state.SkipWithError("the file was not read");
    if (f.list->ImageCount() != kImages) state.SkipWithError("images were not loaded");
    std::filesystem::remove(ToUtf8(file));
}
// Goal: under 30 ms for the 1,000.
BENCHMARK(LoadListFile)->Unit(benchmark::kMillisecond);

}  // namespace
