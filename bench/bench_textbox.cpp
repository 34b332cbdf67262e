// The text box around its edit window: a megabyte of text (20,000 lines) set through Text and
// painted, and a character typed at its end through the box's own key path (KeyPress, Update,
// Change) and repainted.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "controls/Controls.h"
#include "controls/text/ucText.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "platform/platform.h"
#include "platform/testing.h"
#include "platform/user/Edit.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

std::u16string megabyte() {
    std::u16string text;
    const std::u16string line = u"The quick brown fox jumps over the lazy dog 0123\r\n";
    for (int i = 0; i < 20000; ++i)
        text += line;
    return text;
}

struct Setup {
    testing::TestPlatform platform;
    std::unique_ptr<Form> form;
    ucText* box = nullptr;
    int changes = 0;  // a handler on Change, as a program would have
    Setup() {
        setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
        registerControls(TypeLibrary::current(), ControlClasses::current());
        form = std::make_unique<Form>(u"F", true, 640 * 15, 480 * 15);
        Extender e;
        e.Move(10 * 15, 10 * 15, 600 * 15, 440 * 15);
        box = &form->add<ucText>(u"ctl", -1, e);
        box->MultiLine(true);
        box->ScrollBars(ucText::sbVertical);
        box->connect(ucText::evChange, [this](std::vector<Variant>&) { ++changes; });
        form->Show();
        SetFocus(box->editWindow());
        testing::TestPlatform::PumpMessages();
    }
};

void TextBoxSetMegabyteAndPaint(benchmark::State& state) {
    Setup s;
    const std::u16string text = megabyte();
    std::u16string other = text;
    other.back() = u'!';
    bool flip = false;
    for (auto _ : state) {
        // A different text each time, so that each set changes the text.
        s.box->Text((flip = !flip) ? text : other);
        UpdateWindow(s.box->editWindow());
    }
}
BENCHMARK(TextBoxSetMegabyteAndPaint)->Unit(benchmark::kMillisecond);

void TextBoxTypeAtEndOfMegabyte(benchmark::State& state) {
    Setup s;
    const std::u16string text = megabyte();
    s.box->Text(text);
    const HWND edit = s.box->editWindow();
    const auto end = static_cast<std::int32_t>(text.size());
    s.box->SelStart(end);
    UpdateWindow(edit);
    int typed = 0;
    for (auto _ : state) {
        SendMessageW(edit, WM_CHAR, u'x', 0);
        UpdateWindow(edit);
        // Every 40 characters, untimed, the typed line is emptied again.
        if (++typed == 40) {
            state.PauseTiming();
            SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(end), -1);
            SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u""));
            UpdateWindow(edit);
            typed = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(TextBoxTypeAtEndOfMegabyte)->Unit(benchmark::kMicrosecond);

}  // namespace
