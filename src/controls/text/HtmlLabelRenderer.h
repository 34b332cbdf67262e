// Lays out and draws a label's markup on a device context: the word-wrap renderer (runs wrapped
// to the width, lines stacked from the top) and the one-line-per-<BR> renderer (lines aligned
// by a column, the block placed by a row, the label's size measured for autosizing). Fonts made
// for runs are kept for the next drawing and released with the renderer.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/text/HtmlRun.h"
#include "platform/platform.h"

namespace orvane {

class HtmlLabelRenderer {
public:
    // What the drawing depends on: the label's properties, font and size.
    struct Settings {
        std::u16string caption;                   // the marked-up caption
        platform::LOGFONTW baseFont{};            // the label's font at the screen DPI
        HtmlRun base;                             // base attributes, translated fore colour
        bool wordWrap = true;                     // WordWrap
        bool autosize = false;                    // Autosize
        bool fontTransparent = true;              // FontTransparent
        platform::COLORREF backColor = 0xFFFFFF;  // for opaque runs without their own
        int alignment = 0;                        // AlignEnumEx
        int width = 0;                            // client width, pixels
        int height = 0;                           // client height, pixels
        int dpi = 96;                             // the screen's pixels per inch
    };

    HtmlLabelRenderer() = default;
    ~HtmlLabelRenderer();
    HtmlLabelRenderer(const HtmlLabelRenderer&) = delete;
    HtmlLabelRenderer& operator=(const HtmlLabelRenderer&) = delete;

    // Builds the runs of `s.caption` into `runs` and draws them on `dc`.
    void draw(platform::HDC dc, const Settings& s, std::vector<HtmlRun>& runs);
    // The no-wrap renderer's text size: the widest line and the bottom of the last line, for a
    // label that sizes itself to its caption.
    platform::SIZE measureLines(platform::HDC dc, const Settings& s);
    // The bottom of the text of the last drawing, in pixels: where a line after it would
    // start (lines below the visible area are not laid out, so it stops there).
    int bottom() const { return m_bottom; }
    // Releases the fonts kept for later drawings.
    void releaseFonts();

    // Whether a face is one of the screen fonts (names compare without regard to case).
    static bool isScreenFont(std::u16string_view name);

private:
    void drawWrapped(platform::HDC dc, const Settings& s, std::vector<HtmlRun>& runs);
    void drawLines(platform::HDC dc, const Settings& s, std::vector<HtmlRun>& runs);
    static std::vector<std::u16string> splitLines(std::u16string text);
    int measureLines(platform::HDC dc, const Settings& s, const std::vector<std::u16string>& lines,
                     std::vector<int>& heights, int& bottom);
    // Draws a run with its attributes at (x, top + its shift), storing its measured size in
    // it; returns its width.
    int drawRun(platform::HDC dc, const Settings& s, HtmlRun& run, int x, int top,
                const platform::RECT& clip);
    // Selects the font for a run; `halfSize` for sub- and superscript. Returns its shift.
    int select(platform::HDC dc, const Settings& s, const HtmlRun& run, bool halfSize);
    void selectFont(platform::HDC dc, const platform::LOGFONTW& lf);
    void colours(platform::HDC dc, const Settings& s, const HtmlRun& run);
    platform::SIZE extent(platform::HDC dc, std::u16string_view text);

    std::vector<std::pair<platform::LOGFONTW, platform::HFONT>> m_fonts;
    platform::HFONT m_selected;
    int m_bottom = 0;
};

}  // namespace orvane
