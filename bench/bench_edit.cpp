// The edit control with a megabyte of text (20,000 lines of 50 characters): setting it and
// painting, typing a character at the end and repainting, and selecting all of it and copying;
// then the same text in a text box with a vertical bar, set through Text and typed into through
// the box's own key path (KeyPress, Update, Change), at the end and in the middle.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "controls/Controls.h"
#include "controls/text/ucText.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "platform/shell/Clipboard.h"
#include "platform/testing.h"
#include "platform/user/Edit.h"

namespace {

using namespace orvane;
using namespace orvane::platform;

std::u16string megabyte() {
    std::u16string text;
    const std::u16string line = u"The quick brown fox jumps over the lazy dog 0123\r\n";
    for (int i = 0; i < 20000; ++i)
        text += line;
    return text;
}

// A shown window holding one multi-line edit, scrolled both ways or wrapping.
struct Setup {
    testing::TestPlatform platform;
    HWND parent, edit;
    explicit Setup(bool wrap) {
        setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
        WNDCLASSEXW wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = u"BenchEditParent";
        RegisterClassExW(&wc);
        parent = CreateWindowExW(0, u"BenchEditParent", u"", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480,
                                 HWND(), HMENU(), HINSTANCE(), nullptr);
        const DWORD style =
            WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | (wrap ? 0 : ES_AUTOHSCROLL);
        edit = CreateWindowExW(0, WC_EDITW, u"", style, 0, 0, 600, 440, parent, HMENU(1),
                               HINSTANCE(), nullptr);
        SendMessageW(edit, EM_LIMITTEXT, 0, 0);
        SetFocus(edit);
        platform.PumpMessages();
    }
    ~Setup() { DestroyWindow(parent); }
};

void setAndPaint(benchmark::State& state, bool wrap) {
    Setup s(wrap);
    const std::u16string text = megabyte();
    for (auto _ : state) {
        SendMessageW(s.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        UpdateWindow(s.edit);
    }
}
void EditSetMegabyteAndPaint(benchmark::State& state) {
    setAndPaint(state, false);
}
BENCHMARK(EditSetMegabyteAndPaint)->Unit(benchmark::kMillisecond);
void EditSetMegabyteAndPaintWrapped(benchmark::State& state) {
    setAndPaint(state, true);
}
BENCHMARK(EditSetMegabyteAndPaintWrapped)->Unit(benchmark::kMillisecond);

void typeAtEnd(benchmark::State& state, bool wrap) {
    Setup s(wrap);
    const std::u16string text = megabyte();
    SendMessageW(s.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(s.edit, EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
    UpdateWindow(s.edit);
    int typed = 0;
    for (auto _ : state) {
        SendMessageW(s.edit, WM_CHAR, u'x', 0);
        UpdateWindow(s.edit);
        // Every 40 characters, untimed, the typed line is emptied again: each character is
        // typed into a line of ordinary length.
        if (++typed == 40) {
            state.PauseTiming();
            SendMessageW(s.edit, EM_SETSEL, text.size(), -1);
            SendMessageW(s.edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u""));
            UpdateWindow(s.edit);
            typed = 0;
            state.ResumeTiming();
        }
    }
}
void EditTypeAtEndOfMegabyte(benchmark::State& state) {
    typeAtEnd(state, false);
}
BENCHMARK(EditTypeAtEndOfMegabyte)->Unit(benchmark::kMicrosecond);
void EditTypeAtEndOfMegabyteWrapped(benchmark::State& state) {
    typeAtEnd(state, true);
}
BENCHMARK(EditTypeAtEndOfMegabyteWrapped)->Unit(benchmark::kMicrosecond);

void EditSelectAllAndCopyMegabyte(benchmark::State& state) {
    Setup s(false);
    const std::u16string text = megabyte();
    SendMessageW(s.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    for (auto _ : state) {
        SendMessageW(s.edit, EM_SETSEL, 0, -1);
        SendMessageW(s.edit, WM_COPY, 0, 0);
    }
}
BENCHMARK(EditSelectAllAndCopyMegabyte)->Unit(benchmark::kMillisecond);

struct BoxSetup {
    testing::TestPlatform platform;
    std::unique_ptr<Form> form;
    ucText* box = nullptr;
    int changes = 0;  // a handler on Change, as a program would have
    BoxSetup() {
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
    BoxSetup s;
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
    BoxSetup s;
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

// A key typed at the end of the middle line, then Backspace, in turn, each through the
// keyboard and repainted, as the peer's text box takes them.
void TextBoxKeystrokeInMiddle(benchmark::State& state) {
    BoxSetup s;
    const std::u16string text = megabyte();
    s.box->Text(text);
    const HWND edit = s.box->editWindow();
    const auto middle = static_cast<std::int32_t>(text.size() / 2 - 2);  // before a line's CR LF
    s.box->SelStart(middle);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    UpdateWindow(edit);
    bool typed = false;
    for (auto _ : state) {
        if (typed)
            testing::TestPlatform::KeyPress(VK_BACK);
        else
            testing::TestPlatform::TypeText(u"x");
        UpdateWindow(edit);
        typed = !typed;
    }
    const std::u16string now = s.box->Text();
    if (now.size() != text.size() + (typed ? 1 : 0) || (typed && now[middle] != u'x') ||
        s.box->SelStart() != middle + (typed ? 1 : 0))
        state.SkipWithError("the keystrokes did not reach the text box");
}
BENCHMARK(TextBoxKeystrokeInMiddle)->Unit(benchmark::kMicrosecond);

}  // namespace
