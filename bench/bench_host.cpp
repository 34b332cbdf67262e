// The form engine: loading a form file of 200 controls and painting it once, and saving it.
// The plain controls paint a caption with DrawTextW, so that figure covers siting, windows,
// property bags and a first paint; the HTML labels add a real control's own work.
#include <benchmark/benchmark.h>

#include <string>

#include "controls/Controls.h"
#include "host/ControlClasses.h"
#include "host/FormFile.h"
#include "host/TypeLibrary.h"
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

// A form file of `count` controls of `cls` in a grid of ten columns; `properties` gives each
// one's property bag (JSON) by its index.
template <class Properties>
std::string formOf(int count, const std::string& cls, Properties properties) {
    std::string text =
        R"({"Form": {"Name": "Bench", "Width": 15000, "Height": 12000}, "Controls": [)";
    for (int i = 0; i < count; ++i) {
        if (i) text += ",";
        text += R"({"Class": ")" + cls + R"(", "Name": "L", "Index": )" + std::to_string(i) +
                R"(, "Left": )" + std::to_string(i % 10 * 1440) + R"(, "Top": )" +
                std::to_string(i / 10 * 540) + R"(, "Width": 1400, "Height": 500, "Properties": )" +
                properties(i) + "}";
    }
    return text + "]}";
}

std::string captionedForm(int count) {
    return formOf(count, "BenchCaption", [](int i) {
        return R"({"Caption": "Label number )" + std::to_string(i) + R"( with some text"})";
    });
}

// Loads and first paints a form file, again and again.
void loadAndPaint(benchmark::State& state, testing::TestPlatform& platform,
                  const std::string& text) {
    for (auto _ : state) {
        auto form = FormFile::load(text);
        form->Show();
        platform.PumpMessages();
        benchmark::DoNotOptimize(form.get());
    }
}

void LoadAndPaintForm200(benchmark::State& state) {
    testing::TestPlatform platform;
    ControlClasses::current().add(u"BenchCaption", [] { return std::make_unique<Captioned>(); });
    loadAndPaint(state, platform, captionedForm(200));
}
BENCHMARK(LoadAndPaintForm200)->Unit(benchmark::kMillisecond);

// The same with HTML labels of bold, italic and coloured text, word-wrapped.
void LoadAndPaintForm200HtmlLabels(benchmark::State& state) {
    testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    loadAndPaint(state, platform, formOf(200, "ucLabelHTML", [](int i) {
                     return R"({"WordWrap": true, "Caption": "Label <b>)" + std::to_string(i) +
                            R"(</b> with <i>some</i> <forecolor=C00000>text</forecolor>"})";
                 }));
}
BENCHMARK(LoadAndPaintForm200HtmlLabels)->Unit(benchmark::kMillisecond);

void SaveForm200(benchmark::State& state) {
    testing::TestPlatform platform;
    ControlClasses::current().add(u"BenchCaption", [] { return std::make_unique<Captioned>(); });
    auto form = FormFile::load(captionedForm(200));
    for (auto _ : state)
        benchmark::DoNotOptimize(FormFile::save(*form));
}
BENCHMARK(SaveForm200)->Unit(benchmark::kMillisecond);

}  // namespace
