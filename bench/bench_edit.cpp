// The edit control with a megabyte of text (20,000 lines of 50 characters): setting it and
// painting, typing a character at the end and repainting, and selecting all of it and copying.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/shell/Clipboard.h"
#include "platform/testing.h"
#include "platform/user/Edit.h"

namespace {

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

}  // namespace
