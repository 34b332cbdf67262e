// The form engine: loading a form file of 200 controls and painting it once, and saving it.
// The controls paint a caption with DrawTextW, so the figure covers siting, windows, property
// bags and a first paint, but not any real control's own work.
#include <benchmark/benchmark.h>

#include <string>

#include "host/ControlClasses.h"
#include "host/FormFile.h"
#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

class Captioned : public UserControl {
public:
    std::u16string className() const override { return u"BenchCaption"; }

protected:
    void ReadProperties(const PropertyBag& bag) override {
        m_caption = CStr(bag.ReadProperty(u"Caption", u""));
    }
    void WriteProperties(PropertyBag& bag) override {
        bag.WriteProperty(u"Caption", m_caption, u"");
    }
    void Paint() override {
        RECT rc{};
        GetClientRect(hWnd(), &rc);
        DrawTextW(hDC(), m_caption.c_str(), static_cast<int>(m_caption.size()), &rc, DT_WORDBREAK);
    }

private:
    std::u16string m_caption;
};

std::string formOf(int count) {
    std::string text =
        R"({"Form": {"Name": "Bench", "Width": 15000, "Height": 12000}, "Controls": [)";
    for (int i = 0; i < count; ++i) {
        if (i) text += ",";
        text += R"({"Class": "BenchCaption", "Name": "L", "Index": )" + std::to_string(i) +
                R"(, "Left": )" + std::to_string(i % 10 * 1440) + R"(, "Top": )" +
                std::to_string(i / 10 * 540) +
                R"(, "Width": 1400, "Height": 500, "Properties": {"Caption": "Label number )" +
                std::to_string(i) + R"( with some text"}})";
    }
    return text + "]}";
}

void LoadAndPaintForm200(benchmark::State& state) {
    testing::TestPlatform platform;
    ControlClasses::current().add(u"BenchCaption", [] { return std::make_unique<Captioned>(); });
    const std::string text = formOf(200);
    for (auto _ : state) {
        auto form = FormFile::load(text);
        form->Show();
        platform.PumpMessages();
        benchmark::DoNotOptimize(form.get());
    }
}
BENCHMARK(LoadAndPaintForm200)->Unit(benchmark::kMillisecond);

void SaveForm200(benchmark::State& state) {
    testing::TestPlatform platform;
    ControlClasses::current().add(u"BenchCaption", [] { return std::make_unique<Captioned>(); });
    auto form = FormFile::load(formOf(200));
    for (auto _ : state)
        benchmark::DoNotOptimize(FormFile::save(*form));
}
BENCHMARK(SaveForm200)->Unit(benchmark::kMillisecond);

}  // namespace
