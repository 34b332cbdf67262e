// Label markup from untrusted text: parsing, wrapping with a fake measure, stripping, and the
// real renderer on a small bitmap with untrusted width, alignment and wrap mode. Nothing may
// crash or hang, and the runs must account for the text: each run's text is a piece of the
// caption, so together they are never longer than it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "controls/text/HtmlLabelRenderer.h"
#include "controls/text/HtmlMarkup.h"
#include "platform/platform.h"

using namespace orvane;
using namespace orvane::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static HDC dc = [] {
        setenv("FONTCONFIG_FILE", ORVANE_FUZZ_FONTS_CONF, 1);
        HDC mem = CreateCompatibleDC(HDC());
        SelectObject(mem, CreateBitmap(160, 120, 1, 32, nullptr));
        return mem;
    }();
    static HtmlLabelRenderer renderer;
    if (size < 4) return 0;
    const int width = data[0] % 200;
    const int flags = data[1];
    const int alignment = data[2] % 9;
    const int extra = static_cast<std::int8_t>(data[3]) % 8;
    data += 4;
    size -= 4;
    std::u16string text(size / 2, u'\0');
    if (!text.empty()) std::memcpy(text.data(), data, text.size() * 2);
    // Mostly ASCII markup is more interesting than random UTF-16: fold half the inputs.
    if (flags & 0x80)
        for (char16_t& c : text)
            c = static_cast<char16_t>(c % 128);

    HtmlRun base;
    base.FontName = u"Tahoma";
    base.FontSize = 8;
    auto fonts = [](std::u16string_view name) { return name == u"arial"; };
    std::vector<HtmlRun> runs = HtmlMarkup::ParseRuns(text, base, fonts);
    std::size_t total = 0;
    for (const HtmlRun& r : runs)
        total += r.Text.size();
    if (total > text.size()) std::abort();
    HtmlMarkup::WrapRuns(runs, width, [](const HtmlRun& r, std::u16string_view t) {
        return static_cast<int>(t.size()) * (r.Bold ? 7 : 6);
    });
    (void)HtmlMarkup::StripMarkup(text);

    HtmlLabelRenderer::Settings s;
    s.caption = text;
    s.baseFont.lfHeight = -11;
    std::copy_n(u"Tahoma", 6, s.baseFont.lfFaceName);
    s.base = base;
    s.wordWrap = flags & 1;
    s.autosize = flags & 2;
    s.fontTransparent = flags & 4;
    s.alignment = alignment;
    s.width = width;
    s.height = 120;
    SetTextCharacterExtra(dc, extra);
    if (s.autosize && !s.wordWrap) renderer.measureLines(dc, s);
    renderer.draw(dc, s, runs);
    return 0;
}
