#include "controls/text/HtmlLabelRenderer.h"

#include <algorithm>
#include <mutex>

#include "controls/text/HtmlMarkup.h"
#include "host/Variant.h"

namespace orvane {

using namespace platform;

namespace {

constexpr std::size_t kMaxFonts = 32;
constexpr float kMaxPoints = 2160;  // larger sizes are not valid font sizes
constexpr int kMaxRaise = 360;      // how far a superscript can rise, in pixels

bool sameFont(const LOGFONTW& a, const LOGFONTW& b) {
    return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut &&
           a.lfCharSet == b.lfCharSet &&
           std::equal(a.lfFaceName, a.lfFaceName + LF_FACESIZE, b.lfFaceName);
}

int clng(double v) {
    return static_cast<int>(roundHalfEven(v));
}

std::u16string fold(std::u16string_view text) {
    std::u16string out(text);
    CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

bool containsBoldTag(std::u16string_view line) {
    for (std::size_t at = line.find(u'<'); at != std::u16string_view::npos;
         at = line.find(u'<', at + 1))
        if (at + 2 < line.size() && (line[at + 1] == u'b' || line[at + 1] == u'B') &&
            line[at + 2] == u'>')
            return true;
    return false;
}

int collectFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM param) {
    auto* names = reinterpret_cast<std::vector<std::u16string>*>(param);
    names->push_back(fold(std::u16string(lf->lfFaceName)));
    return 1;
}

}  // namespace

HtmlLabelRenderer::~HtmlLabelRenderer() {
    releaseFonts();
}

void HtmlLabelRenderer::releaseFonts() {
    for (auto& [lf, font] : m_fonts)
        DeleteObject(font);
    m_fonts.clear();
    m_selected = HFONT();
}

bool HtmlLabelRenderer::isScreenFont(std::u16string_view name) {
    // The screen's fonts do not change while the program runs; list them once.
    static std::once_flag once;
    static std::vector<std::u16string> names;
    std::call_once(once, [] {
        const HDC dc = CreateCompatibleDC(HDC());
        LOGFONTW filter{};
        filter.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(dc, &filter, &collectFace, reinterpret_cast<LPARAM>(&names), 0);
        DeleteDC(dc);
        std::sort(names.begin(), names.end());
    });
    return std::binary_search(names.begin(), names.end(), fold(name));
}

void HtmlLabelRenderer::selectFont(HDC dc, const LOGFONTW& lf) {
    for (auto& [cached, font] : m_fonts) {
        if (!sameFont(cached, lf)) continue;
        if (m_selected != font) SelectObject(dc, font);
        m_selected = font;
        return;
    }
    const HFONT font = CreateFontIndirectW(&lf);
    if (!font) return;  // the previous font stays
    SelectObject(dc, font);
    if (m_fonts.size() >= kMaxFonts) {
        for (auto& [cached, old] : m_fonts)
            DeleteObject(old);
        m_fonts.clear();
    }
    m_fonts.emplace_back(lf, font);
    m_selected = font;
}

int HtmlLabelRenderer::select(HDC dc, const Settings& s, const HtmlRun& run, bool halfSize) {
    LOGFONTW lf = s.baseFont;
    // A size that is no font size keeps the base size.
    const float points =
        run.FontSize > 0 && run.FontSize <= kMaxPoints ? run.FontSize : s.base.FontSize;
    int shift = 0;
    double size = points;
    if (halfSize && run.Subscript) {
        size = clng(points) / 2;
        shift = clng(points);
    } else if (halfSize && run.Superscript) {
        size = clng(points) / 2;
        shift = clng(-points) / 6;
    }
    lf.lfHeight = -clng(size * s.dpi / 72.0);
    if (run.Bold != s.base.Bold) lf.lfWeight = run.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = run.Italic ? 1 : 0;
    lf.lfUnderline = run.Underline ? 1 : 0;
    lf.lfStrikeOut = run.Strikethru ? 1 : 0;
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), u'\0');
    std::copy_n(run.FontName.data(), std::min<std::size_t>(run.FontName.size(), LF_FACESIZE - 1),
                lf.lfFaceName);
    selectFont(dc, lf);
    return shift;
}

void HtmlLabelRenderer::colours(HDC dc, const Settings& s, const HtmlRun& run) {
    SetTextColor(dc, static_cast<COLORREF>(run.ForeColor) & 0xFFFFFF);
    if (run.BackColor) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, static_cast<COLORREF>(*run.BackColor) & 0xFFFFFF);
    } else if (s.fontTransparent) {
        SetBkMode(dc, TRANSPARENT);
    } else {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, s.backColor);
    }
}

SIZE HtmlLabelRenderer::extent(HDC dc, std::u16string_view text) {
    SIZE size{0, 0};
    if (!text.empty() &&
        !GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size))
        return SIZE{0, 0};  // a failed measurement counts as nothing
    return size;
}

void HtmlLabelRenderer::draw(HDC dc, const Settings& s, std::vector<HtmlRun>& runs) {
    runs.clear();
    m_bottom = 0;
    if (s.caption.empty()) return;
    m_selected = HFONT();
    const int saved = SaveDC(dc);
    if (s.wordWrap) {
        drawWrapped(dc, s, runs);
    } else {
        drawLines(dc, s, runs);
    }
    RestoreDC(dc, saved);
    m_selected = HFONT();
}

int HtmlLabelRenderer::drawRun(HDC dc, const Settings& s, HtmlRun& run, int x, int top,
                               const RECT& clip) {
    const int shift = select(dc, s, run, true);
    colours(dc, s, run);
    const std::u16string shown = HtmlMarkup::DisplayText(run.Text);
    const SIZE size = extent(dc, shown);
    run.Width = size.cx;
    run.Height = size.cy;
    const int y = top + shift;
    // Runs outside what can be seen are measured, not drawn.
    if (!shown.empty() && y <= clip.bottom && y + size.cy >= clip.top && x <= clip.right &&
        x + size.cx >= clip.left)
        ExtTextOutW(dc, x, y, 0, nullptr, shown.c_str(), static_cast<UINT>(shown.size()), nullptr);
    return size.cx;
}

void HtmlLabelRenderer::drawWrapped(HDC dc, const Settings& s, std::vector<HtmlRun>& runs) {
    runs = HtmlMarkup::ParseRuns(s.caption, s.base, &isScreenFont);
    const bool monotone = GetTextCharacterExtra(dc) >= 0;
    HtmlMarkup::WrapRuns(
        runs, s.width - 8,
        [&](const HtmlRun& run, std::u16string_view text) {
            select(dc, s, run, false);
            return static_cast<int>(extent(dc, HtmlMarkup::DisplayText(text)).cx);
        },
        monotone);
    RECT clip{};
    GetClipBox(dc, &clip);
    int curX = 4;
    int curY = 4;
    int lineHeight = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        // Lines below what can be seen are neither measured nor drawn.
        if (curY - kMaxRaise > clip.bottom) break;
        HtmlRun& run = runs[i];
        curX += drawRun(dc, s, run, curX, curY, clip);
        lineHeight = std::max<int>(lineHeight, run.Height);
        if (i + 1 == runs.size() || runs[i + 1].LineBreak) {
            curX = 4;
            curY += lineHeight + 2;
            lineHeight = 0;
        }
    }
    m_bottom = curY;
}

// The lines of the no-wrap renderer: one per "<BR>", with CR LF pairs removed.
std::vector<std::u16string> HtmlLabelRenderer::splitLines(std::u16string text) {
    for (std::size_t at; (at = text.find(u"\r\n")) != std::u16string::npos;)
        text.erase(at, 2);
    std::vector<std::u16string> lines;
    std::u16string_view rest = text;
    for (std::size_t at; (at = rest.find(u"<BR>")) != std::u16string_view::npos;) {
        lines.emplace_back(rest.substr(0, at));
        rest = rest.substr(at + 4);
    }
    lines.emplace_back(rest);
    return lines;
}

// Each line's height in the base font (bold when it holds a bold tag), and the widest line
// without markup; `bottom` is where the block ends, from a top of 4.
int HtmlLabelRenderer::measureLines(HDC dc, const Settings& s,
                                    const std::vector<std::u16string>& lines,
                                    std::vector<int>& heights, int& bottom) {
    heights.clear();
    heights.reserve(lines.size());
    bottom = 4;
    int maxLineWidth = 0;
    for (const std::u16string& line : lines) {
        LOGFONTW lf = s.baseFont;
        if (containsBoldTag(line)) lf.lfWeight = FW_BOLD;
        selectFont(dc, lf);
        heights.push_back(extent(dc, line).cy);
        maxLineWidth = std::max<int>(maxLineWidth, extent(dc, HtmlMarkup::StripMarkup(line)).cx);
        bottom += heights.back();
    }
    return maxLineWidth;
}

SIZE HtmlLabelRenderer::measureLines(HDC dc, const Settings& s) {
    if (s.caption.empty()) return SIZE{0, 0};
    m_selected = HFONT();
    const int saved = SaveDC(dc);
    std::vector<int> heights;
    int bottom = 0;
    const int width = measureLines(dc, s, splitLines(s.caption), heights, bottom);
    RestoreDC(dc, saved);
    m_selected = HFONT();
    return SIZE{width, bottom};
}

void HtmlLabelRenderer::drawLines(HDC dc, const Settings& s, std::vector<HtmlRun>& runs) {
    const std::vector<std::u16string> lines = splitLines(s.caption);
    std::vector<int> heights;
    int y = 0;
    measureLines(dc, s, lines, heights, y);

    // The row of the alignment places the block of lines.
    const int block = y - 4;
    const int row = std::clamp(s.alignment, 0, 8) / 3;
    y = row == 0 ? 4 : row == 1 ? (s.height - block) / 2 : s.height - block - 4;
    const int column = std::clamp(s.alignment, 0, 8) % 3;
    RECT clip{};
    GetClipBox(dc, &clip);
    for (std::size_t l = 0; l < lines.size(); ++l) {
        if (y - kMaxRaise > clip.bottom) break;
        std::vector<HtmlRun> lineRuns = HtmlMarkup::ParseRuns(lines[l], s.base, &isScreenFont);
        selectFont(dc, s.baseFont);
        const int w = extent(dc, HtmlMarkup::StripMarkup(lines[l])).cx;
        int x = column == 0 ? 3 : column == 1 ? (s.width - w) / 2 : s.width - w - 8;
        for (HtmlRun& run : lineRuns)
            x += drawRun(dc, s, run, x, y, clip);
        runs.insert(runs.end(), std::make_move_iterator(lineRuns.begin()),
                    std::make_move_iterator(lineRuns.end()));
        y += heights[l];
    }
    m_bottom = y;
}

}  // namespace orvane
