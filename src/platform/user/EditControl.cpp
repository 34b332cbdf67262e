#include "platform/user/EditControl.h"

#include <unicode/ubidi.h>
#include <unicode/ubrk.h>
#include <unicode/uchar.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/base/LastError.h"
#include "platform/comctl/ToolTipControl.h"
#include "platform/comctl/ToolTips.h"
#include "platform/gdi/Gdi.h"
#include "platform/shell/Clipboard.h"
#include "platform/text/CharCase.h"
#include "platform/text/Text.h"
#include "platform/user/Imm.h"
#include "platform/user/Menu.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"
#include "platform/user/WindowClass.h"

namespace orvane::platform {

namespace {

constexpr DWORD kKnownStyles = ES_CENTER | ES_RIGHT | ES_MULTILINE | ES_UPPERCASE | ES_LOWERCASE |
                               ES_PASSWORD | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL |
                               ES_READONLY | ES_WANTRETURN | ES_NUMBER;

bool shiftDown() {
    return GetKeyState(VK_SHIFT) < 0;
}
bool ctrlDown() {
    return GetKeyState(VK_CONTROL) < 0;
}

// The boundaries ICU finds in `text` of the given kind, first and last included.
std::vector<std::size_t> boundaries(const std::u16string& text, UBreakIteratorType kind) {
    // One iterator of each kind, made once: opening one costs far more than a short text's walk.
    static UBreakIterator* iterators[UBRK_SENTENCE + 1] = {};
    UBreakIterator*& it = iterators[kind];
    UErrorCode status = U_ZERO_ERROR;
    if (!it) it = ubrk_open(kind, "", nullptr, 0, &status);
    std::vector<std::size_t> out;
    status = U_ZERO_ERROR;
    if (it) {
        ubrk_setText(it, reinterpret_cast<const UChar*>(text.data()),
                     static_cast<int32_t>(text.size()), &status);
        if (U_SUCCESS(status))
            for (int32_t b = ubrk_first(it); b != UBRK_DONE; b = ubrk_next(it))
                out.push_back(static_cast<std::size_t>(b));
    }
    if (out.empty() || out.front() != 0) out.insert(out.begin(), 0);
    if (out.back() != text.size()) out.push_back(text.size());
    return out;
}

bool isWordChar(char16_t c) {
    return c != u' ' && c != u'\t';
}

}  // namespace

void EditControl::registerClass() {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = wndProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hCursor = LoadCursorW(HINSTANCE(), IDC_IBEAM);
    wc.lpszClassName = WC_EDITW;
    WindowClass::registerSystem(wc);
}

EditControl::EditControl(HWND hwnd, DWORD style)
    : m_hwnd(hwnd), m_style(style), m_text((style & ES_MULTILINE) != 0) {}

LRESULT EditControl::wndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<EditControl*>(GetWindowLongPtrW(hwnd, 0));
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        const DWORD style = static_cast<DWORD>(cs->style);
        if ((style & 0xFFFF & ~kKnownStyles) != 0) {
            ReportUnsupported("CreateWindowExW(Edit)", "styles", ERROR_INVALID_FLAGS);
            return FALSE;
        }
        auto* edit = new EditControl(hwnd, style);
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(edit));
        if (style & ES_PASSWORD) edit->m_password = u'\x25CF';
        if (cs->lpszName) edit->m_text.assign(cs->lpszName);
        return TRUE;
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, 0, 0);
        delete self;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->dispatch(msg, wParam, lParam);
}

DWORD EditControl::style() const {
    return static_cast<DWORD>(GetWindowLongW(m_hwnd, GWL_STYLE));
}

bool EditControl::readOnly() const {
    return (style() & ES_READONLY) != 0;
}

bool EditControl::notify(WORD code) {
    const HWND parent = GetParent(m_hwnd);
    if (!parent) return true;
    const HWND self = m_hwnd;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(self), code),
                 static_cast<LPARAM>(self.value));
    return IsWindow(self);
}

// --- Editing ---

void EditControl::select(std::size_t anchor, std::size_t caret) {
    anchor = m_text.snap(anchor);
    caret = m_text.snap(caret);
    if (anchor == m_anchor && caret == m_caret) return;
    m_anchor = anchor;
    m_caret = caret;
    InvalidateRect(m_hwnd, nullptr, FALSE);
    scrollToCaret();
}

void EditControl::replaceSelection(std::u16string text, bool undoable, bool typing) {
    const std::size_t from = std::min(m_anchor, m_caret), to = std::max(m_anchor, m_caret);
    const std::size_t kept = m_text.length() - (to - from);
    bool cut = false;
    if (kept + text.size() > m_limit) {
        text.resize(m_limit > kept ? m_limit - kept : 0);
        cut = true;
    }
    if (text.empty() && from == to) {
        if (cut && !notify(EN_MAXTEXT)) return;
        return;
    }
    std::u16string removed = m_text.substring(from, to);
    const std::size_t before = m_text.length();
    const std::size_t rowsBefore = rowsOf(m_text.locate(from).first).size();
    const EditText::Change change = m_text.replace(from, to, text);
    forgetChange(change);
    const std::size_t inserted = m_text.length() - (before - removed.size());
    // Without sideways scrolling a single line takes no more than the window shows.
    if (!multiLine() && !(style() & ES_AUTOHSCROLL) && !text.empty()) {
        const RECT r = formatRect();
        if (rowWidth(Row{}) > r.right - r.left) {
            forgetChange(m_text.replace(from, from + inserted, removed));
            notify(EN_MAXTEXT);
            return;
        }
    }
    if (undoable) {
        if (typing && m_undo.valid && m_undo.typing && removed.empty() &&
            m_undo.at + m_undo.inserted == from) {
            m_undo.inserted += inserted;
        } else {
            m_undo = Undo{true, from, std::move(removed), inserted, typing};
        }
    }
    m_anchor = m_caret = from + inserted;
    m_modified = true;
    m_preferredX = -1;
    const HWND self = m_hwnd;
    if (cut && !notify(EN_MAXTEXT)) return;
    if (!notify(EN_UPDATE)) return;
    // A change within one paragraph that keeps its rows repaints only those rows.
    if (multiLine() && change.removed == 1 && change.inserted == 1 &&
        rowsOf(change.first).size() == rowsBefore) {
        const int h = lineHeight();
        const int top = rowsFromTop(Row{change.first, 0}, visibleRows() + 1);
        RECT band{};
        GetClientRect(self, &band);
        band.top = std::max<LONG>(band.top, formatRect().top + top * h);
        band.bottom = std::min<LONG>(
            band.bottom, band.top + static_cast<LONG>(rowsBefore) * h + (top < 0 ? top * h : 0));
        if (band.bottom > band.top) InvalidateRect(self, &band, TRUE);
    } else {
        InvalidateRect(self, nullptr, TRUE);
    }
    scrollToCaret();
    updateScrollBars();
    notify(EN_CHANGE);
}

void EditControl::forgetChange(const EditText::Change& change) {
    // A change within paragraphs (typing, most often) forgets their rows in place; one that
    // adds or removes paragraphs moves those after it (and the bar's sums are made again).
    const bool inPlace = change.removed == change.inserted;
    if (!m_rows.empty()) {
        const auto first = m_rows.begin() + static_cast<std::ptrdiff_t>(change.first);
        if (inPlace) {
            for (auto row = first; row != first + static_cast<std::ptrdiff_t>(change.removed);
                 ++row)
                row->clear();
        } else {
            m_rows.erase(first, first + static_cast<std::ptrdiff_t>(change.removed));
            m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(change.first),
                          change.inserted, {});
        }
    }
    if (inPlace)
        for (std::size_t p = change.first; p < change.first + change.inserted; ++p)
            barChanged(p);
    if (m_rows.empty()) return;
    // The top row may have gone with its paragraph.
    if (m_top.p >= m_text.paragraphCount()) m_top = Row{m_text.paragraphCount() - 1, 0};
    if (m_top.p >= change.first) m_top.r = 0;
}

void EditControl::setText(const std::u16string& text) {
    m_text.assign(text);
    m_anchor = m_caret = 0;
    m_xScroll = 0;
    m_top = Row{};
    forgetRows();
    m_modified = false;
    m_undo = Undo{};
    InvalidateRect(m_hwnd, nullptr, TRUE);
    updateScrollBars();
    placeCaret();
}

void EditControl::typeChar(char16_t c) {
    if (readOnly()) {
        MessageBeep(0);
        return;
    }
    const DWORD s = style();
    if ((s & ES_NUMBER) && !(c >= u'0' && c <= u'9')) {
        MessageBeep(0);
        showBalloon(u"Unacceptable Character", u"You can only type a number here.",
                    static_cast<int>(TTI_ERROR));
        return;
    }
    std::u16string text(1, c);
    if (c == u'\r') {
        if (!multiLine()) return;
        text = u"\r\n";
    }
    if (s & ES_UPPERCASE) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    if (s & ES_LOWERCASE) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    replaceSelection(std::move(text), true, true);
}

void EditControl::undo() {
    if (!m_undo.valid || readOnly()) return;
    // Undoing puts the removed text back and keeps what it takes away, so undoing again redoes.
    const Undo step = m_undo;
    const std::u16string taken = m_text.substring(step.at, step.at + step.inserted);
    m_anchor = step.at;
    m_caret = step.at + step.inserted;
    replaceSelection(step.removed, false, false);
    m_undo = Undo{true, step.at, taken, step.removed.size(), false};
    m_anchor = step.at;
    m_caret = step.at + step.removed.size();
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void EditControl::copy() {
    if (m_password || m_anchor == m_caret) return;
    const std::u16string text = m_text.substring(m_anchor, m_caret);
    if (!OpenClipboard(m_hwnd)) return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(block), text.c_str(), bytes);
        GlobalUnlock(block);
        SetClipboardData(CF_UNICODETEXT, HANDLE(block.value));
    }
    CloseClipboard();
}

void EditControl::paste() {
    if (readOnly() || !OpenClipboard(m_hwnd)) return;
    std::u16string text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const char16_t*>(GlobalLock(HGLOBAL(data.value)))) {
            text = p;
            GlobalUnlock(HGLOBAL(data.value));
        }
    }
    CloseClipboard();
    // A single line takes the first line of what is pasted.
    if (!multiLine()) text = text.substr(0, text.find_first_of(u"\r\n"));
    if (style() & ES_NUMBER &&
        !std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
        MessageBeep(0);
        return;
    }
    replaceSelection(std::move(text), true, false);
}

void EditControl::clearSelection() {
    if (readOnly() || m_anchor == m_caret) return;
    replaceSelection(u"", true, false);
}

// The selection follows the pointer; outside the text the box scrolls towards it, and goes on
// scrolling on a timer while the pointer stays there.
void EditControl::dragTo(POINT pt) {
    m_dragPoint = pt;
    const RECT r = formatRect();
    const bool outside = pt.y < r.top || pt.y >= r.bottom || pt.x < r.left || pt.x >= r.right;
    if (multiLine() && pt.y < r.top) scrollRows(-1);
    if (multiLine() && pt.y >= r.bottom) scrollRows(1);
    pt.y = std::clamp<LONG>(pt.y, r.top, std::max(r.top, r.bottom - 1));
    select(m_anchor, offsetAt(pt));
    if (outside) {
        SetTimer(m_hwnd, kDragTimer, 100, nullptr);
    } else {
        KillTimer(m_hwnd, kDragTimer);
    }
}

void EditControl::showBalloon(const std::u16string& title, const std::u16string& text, int icon) {
    hideBalloon();
    ToolTipControl::registerClass();
    m_balloon = CreateWindowExW(0, TOOLTIPS_CLASSW, u"",
                                WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                m_hwnd, HMENU(), HINSTANCE(), nullptr);
    if (!m_balloon) return;
    TOOLINFOW ti;
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = m_hwnd;
    std::u16string body = text;
    ti.lpszText = body.data();
    SendMessageW(m_balloon, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(m_balloon, TTM_SETMAXTIPWIDTH, 0, 300);
    if (!title.empty())
        SendMessageW(m_balloon, TTM_SETTITLEW, static_cast<WPARAM>(icon),
                     reinterpret_cast<LPARAM>(title.c_str()));
    POINT at = screenOrder(posOf(m_caret));
    at.y += lineHeight();
    ClientToScreen(m_hwnd, &at);
    SendMessageW(m_balloon, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(m_balloon, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
}

void EditControl::hideBalloon() {
    if (!m_balloon) return;
    const HWND balloon = m_balloon;
    m_balloon = HWND();
    DestroyWindow(balloon);
}

void EditControl::contextMenu(int x, int y) {
    if (x == -1 && y == -1) {
        POINT at = screenOrder(posOf(m_caret));
        ClientToScreen(m_hwnd, &at);
        x = at.x;
        y = at.y + lineHeight();
    }
    const bool selection = m_anchor != m_caret, writable = !readOnly();
    const auto state = [](bool enabled) { return MF_STRING | (enabled ? 0u : MF_GRAYED); };
    const HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, state(writable && m_undo.valid), WM_UNDO, u"&Undo");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, state(writable && selection && !m_password), WM_CUT, u"Cu&t");
    AppendMenuW(menu, state(selection && !m_password), WM_COPY, u"&Copy");
    AppendMenuW(menu, state(writable && IsClipboardFormatAvailable(CF_UNICODETEXT)), WM_PASTE,
                u"&Paste");
    AppendMenuW(menu, state(writable && selection), WM_CLEAR, u"&Delete");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const std::size_t length = m_text.length();
    AppendMenuW(
        menu,
        state(length && (std::min(m_anchor, m_caret) > 0 || std::max(m_anchor, m_caret) < length)),
        EM_SETSEL, u"Select &All");
    const HWND self = m_hwnd;
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, 0, self, nullptr));
    DestroyMenu(menu);
    if (!chosen || !IsWindow(self)) return;
    if (chosen == EM_SETSEL) {
        SendMessageW(self, EM_SETSEL, 0, -1);
    } else {
        SendMessageW(self, chosen, 0, 0);
    }
}

// --- Movement ---

std::size_t EditControl::clusterStep(std::size_t offset, bool forward) const {
    const auto [p, at] = m_text.locate(offset);
    const std::size_t start = m_text.paragraphStart(p);
    const std::u16string& s = m_text.paragraph(p);
    if (forward && at == s.size())
        return p + 1 < m_text.paragraphCount() ? m_text.paragraphStart(p + 1) : offset;
    if (!forward && at == 0) return p > 0 ? start - 2 : offset;
    const std::vector<std::size_t> b = boundaries(s, UBRK_CHARACTER);
    if (forward) return start + *std::upper_bound(b.begin(), b.end(), at);
    return start + *(std::lower_bound(b.begin(), b.end(), at) - 1);
}

std::size_t EditControl::wordStep(std::size_t offset, bool forward) const {
    const auto [p, at] = m_text.locate(offset);
    const std::size_t start = m_text.paragraphStart(p);
    const std::u16string& s = m_text.paragraph(p);
    if (forward && at == s.size()) return clusterStep(offset, true);
    if (!forward && at == 0) return clusterStep(offset, false);
    // Word starts: boundaries followed by a word character.
    std::vector<std::size_t> starts;
    for (std::size_t b : boundaries(s, UBRK_WORD))
        if (b == 0 || b == s.size() || (isWordChar(s[b]) && !isWordChar(s[b - 1])) ||
            (isWordChar(s[b]) && b > 0 && u_ispunct(s[b - 1])))
            starts.push_back(b);
    if (forward) return start + *std::upper_bound(starts.begin(), starts.end(), at);
    return start + *(std::lower_bound(starts.begin(), starts.end(), at) - 1);
}

void EditControl::keyDown(int vk) {
    // In a right-to-left box the text runs leftwards: Left moves on, Right moves back.
    if (rightToLeft() && (vk == VK_LEFT || vk == VK_RIGHT)) vk = vk == VK_LEFT ? VK_RIGHT : VK_LEFT;
    const bool shift = shiftDown(), ctrl = ctrlDown();
    const auto move = [&](std::size_t to) { select(shift ? m_anchor : to, to); };
    const auto [p, at] = m_text.locate(m_caret);
    switch (vk) {
        case VK_LEFT:
            if (!shift && m_anchor != m_caret)
                return select(std::min(m_anchor, m_caret), std::min(m_anchor, m_caret));
            m_preferredX = -1;
            return move(ctrl ? wordStep(m_caret, false) : clusterStep(m_caret, false));
        case VK_RIGHT:
            if (!shift && m_anchor != m_caret)
                return select(std::max(m_anchor, m_caret), std::max(m_anchor, m_caret));
            m_preferredX = -1;
            return move(ctrl ? wordStep(m_caret, true) : clusterStep(m_caret, true));
        case VK_HOME:
            m_preferredX = -1;
            return move(ctrl ? 0 : m_text.paragraphStart(p));
        case VK_END:
            m_preferredX = -1;
            return move(ctrl ? m_text.length()
                             : m_text.paragraphStart(p) + m_text.paragraph(p).size());
        case VK_UP:
        case VK_DOWN: {
            if (!multiLine()) return keyDown(vk == VK_UP ? VK_LEFT : VK_RIGHT);
            Row row = rowOf(m_caret);
            if (m_preferredX < 0) m_preferredX = xInRow(row, at);
            if (!(vk == VK_UP ? previousRow(row) : nextRow(row))) return;
            const int keep = m_preferredX;
            move(m_text.paragraphStart(row.p) + atX(row, keep));
            m_preferredX = keep;
            return;
        }
        case VK_DELETE:
            if (readOnly()) return;
            if (shift) {  // cut
                copy();
                return clearSelection();
            }
            if (m_anchor == m_caret)
                m_caret = ctrl ? wordStep(m_caret, true) : clusterStep(m_caret, true);
            return clearSelection();
        case VK_INSERT:
            if (ctrl) return copy();
            if (shift) return paste();
            return;
        default:
            return;
    }
}

// --- Layout ---

bool EditControl::wraps() const {
    // A horizontal scroll bar scrolls long lines instead of wrapping them.
    return multiLine() && !(style() & (ES_AUTOHSCROLL | WS_HSCROLL));
}

HFONT EditControl::font() const {
    return m_font ? m_font : HFONT(GetStockObject(SYSTEM_FONT).value);
}

const TEXTMETRICW& EditControl::metrics() const {
    // Kept until the font changes: the layout asks for the line height at every row.
    if (m_metricsValid) return m_metrics;
    const HDC dc = GetDC(m_hwnd);
    const HGDIOBJ old = SelectObject(dc, font());
    m_metrics = TEXTMETRICW{};
    GetTextMetricsW(dc, &m_metrics);
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    m_metricsValid = true;
    return m_metrics;
}

int EditControl::lineHeight() const {
    return std::max(1, static_cast<int>(metrics().tmHeight));
}

std::u16string EditControl::shown(std::size_t p) const {
    const std::u16string& s = m_text.paragraph(p);
    return m_password ? std::u16string(s.size(), m_password) : s;
}

void EditControl::forgetRows() {
    m_rows.clear();
    m_rowsWidth = -1;
    m_barSumsValid = false;
    m_widest = 0;
}

const std::vector<std::size_t>& EditControl::rowsOf(std::size_t p) const {
    static const std::vector<std::size_t> one{0};
    if (!wraps()) return one;
    const RECT r = formatRect();
    const int width = std::max(1, static_cast<int>(r.right - r.left));
    if (width != m_rowsWidth || m_rows.size() != m_text.paragraphCount()) {
        m_rows.assign(m_text.paragraphCount(), {});
        m_rowsWidth = width;
    }
    std::vector<std::size_t>& rows = m_rows[p];
    if (!rows.empty()) return rows;
    rows.push_back(0);
    const std::u16string s = shown(p);
    if (s.empty()) {
        barChanged(p);
        return rows;
    }
    const std::vector<int> dx = extents(s);
    const auto extent = [&](std::size_t from, std::size_t to) {
        return (to ? dx[to - 1] : 0) - (from ? dx[from - 1] : 0);
    };
    // Greedy rows: the most words that fit, spaces after them hanging past the edge; a word
    // wider than the row breaks between clusters.
    const std::vector<std::size_t> breaks = boundaries(s, UBRK_LINE);
    const std::vector<std::size_t> clusters = boundaries(s, UBRK_CHARACTER);
    std::size_t start = 0;
    while (start < s.size()) {
        std::size_t end = start;
        for (std::size_t b : breaks) {
            if (b <= start) continue;
            std::size_t visible = b;
            while (visible > start && (s[visible - 1] == u' ' || s[visible - 1] == u'\t'))
                --visible;
            if (extent(start, visible) > width && end > start) break;
            if (extent(start, visible) > width) break;
            end = b;
        }
        if (end == start) {
            // Not even one word fits: as many clusters as do, at least one.
            for (std::size_t c : clusters) {
                if (c <= start) continue;
                if (extent(start, c) > width && end > start) break;
                end = c;
                if (extent(start, c) > width) break;
            }
        }
        if (end >= s.size()) break;
        rows.push_back(end);
        start = end;
    }
    barChanged(p);  // the bar counted an estimate until now
    return rows;
}

std::size_t EditControl::rowEnd(Row row) const {
    const std::vector<std::size_t>& rows = rowsOf(row.p);
    return row.r + 1 < rows.size() ? rows[row.r + 1] : m_text.paragraph(row.p).size();
}

EditControl::Row EditControl::rowOf(std::size_t offset) const {
    const auto [p, at] = m_text.locate(offset);
    const std::vector<std::size_t>& rows = rowsOf(p);
    const auto it = std::upper_bound(rows.begin(), rows.end(), at);
    return Row{p, static_cast<std::size_t>(it - rows.begin()) - 1};
}

bool EditControl::nextRow(Row& row) const {
    if (row.r + 1 < rowsOf(row.p).size()) {
        ++row.r;
        return true;
    }
    if (row.p + 1 >= m_text.paragraphCount()) return false;
    row = Row{row.p + 1, 0};
    return true;
}

bool EditControl::previousRow(Row& row) const {
    if (row.r > 0) {
        --row.r;
        return true;
    }
    if (row.p == 0) return false;
    row = Row{row.p - 1, rowsOf(row.p - 1).size() - 1};
    return true;
}

int EditControl::rowsFromTop(Row row, int limit) const {
    if (!multiLine()) return 0;
    const bool below = row.p > m_top.p || (row.p == m_top.p && row.r >= m_top.r);
    Row at = m_top;
    int n = 0;
    while (!(at == row) && n <= limit) {
        if (below ? !nextRow(at) : !previousRow(at)) break;
        ++n;
    }
    return below ? n : -n;
}

int EditControl::visibleRows() const {
    const RECT r = formatRect();
    return std::max(1, static_cast<int>((r.bottom - r.top) / lineHeight()));
}

int EditControl::tabStop(int x) const {
    // Stops are in dialog units: a quarter of the font's average character width each.
    const TEXTMETRICW tm = metrics();
    const auto pixels = [&tm](int units) {
        return std::max(1, units * static_cast<int>(tm.tmAveCharWidth) / 4);
    };
    for (int stop : m_tabStops)
        if (pixels(stop) > x) return pixels(stop);
    // Past the list (or without one), stops repeat at the last interval: 32 units by default.
    const int last = m_tabStops.empty() ? 0 : pixels(m_tabStops.back());
    const int step = m_tabStops.size() == 1 ? pixels(m_tabStops[0])
                     : m_tabStops.size() > 1
                         ? std::max(1, last - pixels(m_tabStops[m_tabStops.size() - 2]))
                         : pixels(32);
    return last + ((x - last) / step + 1) * step;
}

std::vector<int> EditControl::extents(const std::u16string& s) const {
    std::vector<int> dx(s.size());
    const HDC dc = GetDC(m_hwnd);
    const HGDIOBJ old = SelectObject(dc, font());
    // Runs between tabs are measured as they are; a tab reaches the next stop.
    int base = 0;
    for (std::size_t start = 0; start < s.size();) {
        const std::size_t tab = std::min(s.find(u'\t', start), s.size());
        if (tab > start) {
            int fit = 0;
            SIZE size{};
            GetTextExtentExPointW(dc, s.c_str() + start, static_cast<int>(tab - start), 0, &fit,
                                  dx.data() + start, &size);
            for (std::size_t i = start; i < tab; ++i)
                dx[i] += base;
            base = dx[tab - 1];
        }
        if (tab == s.size()) break;
        dx[tab] = base = tabStop(base);
        start = tab + 1;
    }
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    return dx;
}

int EditControl::xOf(std::size_t p, std::size_t at) const {
    if (at == 0) return 0;
    const std::u16string s = shown(p);
    at = std::min(at, s.size());
    if (s.find(u'\t') != std::u16string::npos) return extents(s)[at - 1];
    const HDC dc = GetDC(m_hwnd);
    const HGDIOBJ old = SelectObject(dc, font());
    SIZE size{};
    GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(at), &size);
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    return size.cx;
}

void EditControl::drawRun(HDC dc, std::size_t p, std::size_t from, std::size_t to, int x, int y,
                          const RECT& clip) const {
    const std::u16string s = shown(p);
    if (s.find(u'\t', from) >= to) {
        ExtTextOutW(dc, x + xOf(p, from), y, ETO_CLIPPED, &clip, s.c_str() + from,
                    static_cast<UINT>(to - from), nullptr);
        return;
    }
    // Each run between tabs at its own place; the tabs themselves draw nothing.
    const std::vector<int> dx = extents(s);
    for (std::size_t start = from; start < to;) {
        const std::size_t tab = std::min(s.find(u'\t', start), to);
        if (tab > start)
            ExtTextOutW(dc, x + (start ? dx[start - 1] : 0), y, ETO_CLIPPED, &clip,
                        s.c_str() + start, static_cast<UINT>(tab - start), nullptr);
        start = tab + 1;
    }
}

bool EditControl::rightToLeft() const {
    return (GetWindowLongW(m_hwnd, GWL_EXSTYLE) & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0;
}

POINT EditControl::screenOrder(POINT pt) const {
    if (!(GetWindowLongW(m_hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)) return pt;
    RECT client{};
    GetClientRect(m_hwnd, &client);
    return POINT{client.right - 1 - pt.x, pt.y};
}

bool EditControl::needsBidi(Row row) const {
    if (rightToLeft()) return true;
    const std::u16string& s = m_text.paragraph(row.p);
    const std::size_t end = std::min(rowEnd(row), s.size());
    for (std::size_t i = rowStart(row); i < end; ++i) {
        if (s[i] < 0x0590) continue;
        const UCharDirection d = u_charDirection(s[i]);
        if (d == U_RIGHT_TO_LEFT || d == U_RIGHT_TO_LEFT_ARABIC || d == U_RIGHT_TO_LEFT_EMBEDDING ||
            d == U_RIGHT_TO_LEFT_OVERRIDE || d == U_RIGHT_TO_LEFT_ISOLATE)
            return true;
    }
    return false;
}

std::vector<EditControl::VisualRun> EditControl::visualRuns(Row row,
                                                            const std::vector<int>& dx) const {
    const std::u16string s = shown(row.p);
    const std::size_t start = rowStart(row), end = std::min(rowEnd(row), s.size());
    const auto px = [&dx](std::size_t i) { return i == 0 ? 0 : dx[i - 1]; };
    std::vector<VisualRun> runs;
    if (end > start) {
        // The row's runs in the order they show, as the Unicode bidirectional algorithm
        // orders them from the box's reading direction.
        UErrorCode status = U_ZERO_ERROR;
        UBiDi* bidi = ubidi_open();
        ubidi_setPara(bidi, reinterpret_cast<const UChar*>(s.data() + start),
                      static_cast<int32_t>(end - start), rightToLeft() ? 1 : 0, nullptr, &status);
        const int32_t n = U_SUCCESS(status) ? ubidi_countRuns(bidi, &status) : 0;
        int x = 0;
        for (int32_t i = 0; i < n && U_SUCCESS(status); ++i) {
            int32_t first = 0, length = 0;
            const UBiDiDirection dir = ubidi_getVisualRun(bidi, i, &first, &length);
            const std::size_t from = start + static_cast<std::size_t>(first);
            const std::size_t to = from + static_cast<std::size_t>(length);
            runs.push_back(VisualRun{from, to, dir == UBIDI_RTL, x});
            x += px(to) - px(from);
        }
        ubidi_close(bidi);
    }
    if (runs.empty()) runs.push_back(VisualRun{start, end, false, 0});
    return runs;
}

int EditControl::visualX(const std::vector<VisualRun>& runs, const std::vector<int>& dx,
                         std::size_t at) {
    const auto px = [&dx](std::size_t i) { return i == 0 ? 0 : dx[i - 1]; };
    // The run holding the character at `at`; the row's end belongs to the run holding the
    // character before it.
    const VisualRun* in = nullptr;
    for (const VisualRun& r : runs)
        if (at >= r.from && at < r.to) in = &r;
    if (!in)
        for (const VisualRun& r : runs)
            if (at == r.to) in = &r;
    if (!in) return 0;
    return in->rtl ? in->x + px(in->to) - px(at) : in->x + px(at) - px(in->from);
}

int EditControl::xInRow(Row row, std::size_t at) const {
    if (!needsBidi(row)) return xOf(row.p, at) - xOf(row.p, rowStart(row));
    const std::vector<int> dx = extents(shown(row.p));
    return visualX(visualRuns(row, dx), dx, at);
}

void EditControl::drawRow(HDC dc, Row row, int left, int y, const RECT& clip) const {
    const std::size_t from = rowStart(row), to = rowEnd(row);
    if (!needsBidi(row)) return drawRun(dc, row.p, from, to, left - xOf(row.p, from), y, clip);
    const std::u16string s = shown(row.p);
    const std::vector<int> dx = extents(s);
    for (const VisualRun& r : visualRuns(row, dx)) {
        const int runLeft = left + r.x;
        if (!r.rtl) {
            drawRun(dc, row.p, r.from, r.to, runLeft - (r.from ? dx[r.from - 1] : 0), y, clip);
        } else {
            // A right-to-left run lays its glyphs from its right end.
            ExtTextOutW(dc, runLeft, y, ETO_CLIPPED | ETO_RTLREADING, &clip, s.c_str() + r.from,
                        static_cast<UINT>(r.to - r.from), nullptr);
        }
    }
}

int EditControl::rowWidth(Row row) const {
    return xOf(row.p, rowEnd(row)) - xOf(row.p, rowStart(row));
}

std::size_t EditControl::atX(Row row, int x) const {
    const std::u16string s = shown(row.p);
    const std::size_t start = rowStart(row), end = rowEnd(row);
    if (s.empty() || (x <= 0 && !needsBidi(row))) return start;
    const std::vector<int> dx = extents(s);
    const int origin = start ? dx[start - 1] : 0;
    const bool bidi = needsBidi(row);
    const std::vector<VisualRun> runs = bidi ? visualRuns(row, dx) : std::vector<VisualRun>();
    // The cluster boundary in the row nearest to x.
    std::size_t best = start;
    int bestDistance = std::abs(bidi ? visualX(runs, dx, start) - x : x);
    for (std::size_t b : boundaries(s, UBRK_CHARACTER)) {
        if (b < start || b > end) continue;
        const int bx = bidi ? visualX(runs, dx, b) : (b == 0 ? 0 : dx[b - 1]) - origin;
        if (std::abs(bx - x) < bestDistance) {
            bestDistance = std::abs(bx - x);
            best = b;
        }
    }
    // A wrapped row's end is the next row's start: the caret stays before its last cluster.
    if (best == end && end < s.size() && best > start)
        best =
            clusterStep(m_text.paragraphStart(row.p) + best, false) - m_text.paragraphStart(row.p);
    return best;
}

RECT EditControl::formatRect() const {
    if (m_hasFormatRect) return m_formatRect;
    RECT r{};
    GetClientRect(m_hwnd, &r);
    r.left += m_leftMargin;
    r.right = std::max(r.left, r.right - m_rightMargin);
    return r;
}

int EditControl::rowLeft(Row row) const {
    const RECT r = formatRect();
    const DWORD s = style();
    int x = r.left;
    // A right-to-left box starts its lines at the right: its "left" is the right.
    const bool right = rightToLeft() ? !(s & (ES_CENTER | ES_RIGHT)) : (s & ES_RIGHT) != 0;
    if (right || (s & ES_CENTER)) {
        const int room = r.right - r.left - rowWidth(row);
        if (room > 0) x += right ? room : room / 2;
    }
    return x - m_xScroll;
}

POINT EditControl::posOf(std::size_t offset) const {
    const auto [p, at] = m_text.locate(offset);
    const Row row = rowOf(offset);
    const int y = formatRect().top + rowsFromTop(row, 1 << 30) * lineHeight();
    return POINT{rowLeft(row) + xInRow(row, at), y};
}

std::size_t EditControl::offsetAt(POINT pt) const {
    const RECT r = formatRect();
    Row row = m_top;
    if (multiLine()) {
        int rows = pt.y < r.top ? -1 : (pt.y - r.top) / lineHeight();
        for (; rows > 0 && nextRow(row); --rows) {
        }
        for (; rows < 0 && previousRow(row); ++rows) {
        }
    } else {
        row = Row{};
    }
    return m_text.paragraphStart(row.p) + atX(row, pt.x - rowLeft(row));
}

std::size_t EditControl::rowCount() const {
    if (!wraps()) return m_text.paragraphCount();
    std::size_t n = 0;
    for (std::size_t p = 0; p < m_text.paragraphCount(); ++p)
        n += rowsOf(p).size();
    return n;
}

EditControl::Row EditControl::rowAtIndex(std::size_t index) const {
    if (!wraps()) return Row{std::min(index, m_text.paragraphCount() - 1), 0};
    for (std::size_t p = 0; p < m_text.paragraphCount(); ++p) {
        const std::size_t n = rowsOf(p).size();
        if (index < n) return Row{p, index};
        index -= n;
    }
    const std::size_t last = m_text.paragraphCount() - 1;
    return Row{last, rowsOf(last).size() - 1};
}

std::size_t EditControl::indexOfRow(Row row) const {
    if (!wraps()) return row.p;
    std::size_t n = row.r;
    for (std::size_t p = 0; p < row.p; ++p)
        n += rowsOf(p).size();
    return n;
}

void EditControl::scrollToCaret() {
    const RECT r = formatRect();
    const auto [p, at] = m_text.locate(m_caret);
    const Row caretRow = rowOf(m_caret);
    bool moved = false;
    if (multiLine()) {
        const int rows = visibleRows();
        const int from = rowsFromTop(caretRow, rows + 1);
        if (from < 0) {
            m_top = caretRow;
            moved = true;
        } else if (from >= rows) {
            Row top = caretRow;
            for (int i = 1; i < rows && previousRow(top); ++i) {
            }
            m_top = top;
            moved = true;
        }
    }
    if (!wraps() && (multiLine() || (style() & ES_AUTOHSCROLL))) {
        const int x = rowLeft(caretRow) + m_xScroll + xInRow(caretRow, at);  // unscrolled
        const int width = r.right - r.left;
        if (x - m_xScroll < r.left) {
            m_xScroll = std::max(0, x - r.left - width / 4);
            moved = true;
        } else if (x - m_xScroll > r.right) {  // a caret on the right edge shows
            m_xScroll = x - r.right + width / 4;
            moved = true;
        }
    }
    if (moved) {
        InvalidateRect(m_hwnd, nullptr, TRUE);
        updateScrollBars();
    }
    placeCaret();
}

void EditControl::scrollRows(int delta) {
    if (!multiLine() || delta == 0) return;
    Row top = m_top;
    for (; delta > 0 && nextRow(top); --delta) {
    }
    for (; delta < 0 && previousRow(top); ++delta) {
    }
    if (top == m_top) return;
    m_top = top;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    updateScrollBars();
    placeCaret();
}

void EditControl::updateScrollBars() {
    if (!multiLine()) return;
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    if (style() & WS_VSCROLL) {
        const auto [total, top] = scrollRange();
        si.nMax = total - 1;
        si.nPage = static_cast<UINT>(visibleRows());
        si.nPos = top;
        SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    }
    if (style() & WS_HSCROLL) {
        si.nMax = std::max(widest(), m_xScroll + textWidth()) - 1;
        si.nPage = static_cast<UINT>(textWidth());
        si.nPos = m_xScroll;
        SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
    }
}

// Rows of a paragraph whose rows are not worked out yet, from its length: the scroll bar needs a
// size for the whole text, and wrapping a megabyte to find it would cost what the screen never
// shows. Paragraphs are wrapped as they come into view and then count exactly.
std::pair<int, int> EditControl::scrollRange() const {
    if (!wraps()) {
        return {static_cast<int>(m_text.paragraphCount()), static_cast<int>(m_top.p)};
    }
    const FenwickTree& sums = barSums();
    return {sums.total(), sums.before(m_top.p) + static_cast<int>(m_top.r)};
}

const FenwickTree& EditControl::barSums() const {
    const RowEstimate estimate = rowEstimate();
    if (!m_barSumsValid || !(estimate == m_barSumsFor) ||
        m_barSums.size() != m_text.paragraphCount()) {
        std::vector<int> counts(m_text.paragraphCount());
        for (std::size_t p = 0; p < counts.size(); ++p)
            counts[p] = barRows(p, estimate);
        m_barSums.assign(counts);
        m_barSumsFor = estimate;
        m_barSumsValid = true;
    }
    return m_barSums;
}

void EditControl::barChanged(std::size_t p) const {
    if (!m_barSumsValid || p >= m_barSums.size()) return;
    const RowEstimate estimate = rowEstimate();
    if (!(estimate == m_barSumsFor)) {
        m_barSumsValid = false;
        return;
    }
    m_barSums.add(p, barRows(p, estimate) - m_barSums.at(p));
}

EditControl::RowEstimate EditControl::rowEstimate() const {
    RowEstimate e;
    e.wraps = wraps();
    e.width = textWidth();
    e.average = std::max<int>(1, metrics().tmAveCharWidth);
    e.known = e.width == m_rowsWidth && m_rows.size() == m_text.paragraphCount();
    return e;
}

int EditControl::barRows(std::size_t p, const RowEstimate& e) const {
    if (!e.wraps) return 1;
    if (e.known && !m_rows[p].empty()) return static_cast<int>(m_rows[p].size());
    const auto length = static_cast<int>(m_text.paragraph(p).size());
    return std::max(1, (length * e.average + e.width - 1) / e.width);
}

// The top row for a scroll bar position, counted as scrollRange counts.
void EditControl::scrollToPosition(int position) {
    const FenwickTree& sums = barSums();
    const std::size_t p = std::min(sums.passing(std::max(0, position)),
                                   std::max<std::size_t>(1, m_text.paragraphCount()) - 1);
    const int before = sums.before(p);
    const std::size_t rows = rowsOf(p).size();
    const Row top{p, std::min<std::size_t>(static_cast<std::size_t>(std::max(0, position - before)),
                                           rows - 1)};
    if (top == m_top) return;
    m_top = top;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    updateScrollBars();
    placeCaret();
}

int EditControl::textWidth() const {
    const RECT r = formatRect();
    return std::max<int>(1, r.right - r.left);
}

// The widest line seen: the lines on the screen are measured, so the cost follows what shows,
// and the range grows as wider lines come into view.
int EditControl::widest() const {
    Row row = m_top;
    for (int i = 0; i < visibleRows(); ++i) {
        m_widest = std::max(m_widest, xOf(row.p, m_text.paragraph(row.p).size()));
        if (!nextRow(row)) break;
    }
    return m_widest;
}

void EditControl::hscroll(int code, int position) {
    const int line = std::max<int>(1, metrics().tmAveCharWidth);
    const int page = textWidth();
    int x = m_xScroll;
    switch (code) {
        case SB_LINELEFT:
            x -= line;
            break;
        case SB_LINERIGHT:
            x += line;
            break;
        case SB_PAGELEFT:
            x -= page;
            break;
        case SB_PAGERIGHT:
            x += page;
            break;
        case SB_LEFT:
            x = 0;
            break;
        case SB_RIGHT:
            x = widest() - page;
            break;
        case SB_THUMBTRACK: {
            SCROLLINFO si;
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(m_hwnd, SB_HORZ, &si);
            x = si.nTrackPos;
            break;
        }
        case SB_THUMBPOSITION:
            x = position;
            break;
        default:
            return;
    }
    x = std::clamp(x, 0, std::max(0, std::max(widest(), m_xScroll + page) - page));
    if (x == m_xScroll) return;
    m_xScroll = x;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    updateScrollBars();
    placeCaret();
}

void EditControl::vscroll(int code, int position) {
    const int page = std::max(1, visibleRows() - 1);
    switch (code) {
        case SB_LINEUP:
            return scrollRows(-1);
        case SB_LINEDOWN:
            return scrollRows(1);
        case SB_PAGEUP:
            return scrollRows(-page);
        case SB_PAGEDOWN:
            return scrollRows(page);
        case SB_TOP:
            return scrollToPosition(0);
        case SB_BOTTOM:
            return scrollToPosition(scrollRange().first - visibleRows());
        case SB_THUMBTRACK: {
            SCROLLINFO si;
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(m_hwnd, SB_VERT, &si);
            return scrollToPosition(si.nTrackPos);
        }
        case SB_THUMBPOSITION:
            // The position comes with the message, as a program sending it gives it.
            return scrollToPosition(position);
        default:
            return;
    }
}

void EditControl::placeCaret() {
    if (!m_focused) return;
    POINT pt = posOf(m_caret);
    // The input method's candidates open under the caret, at the composition's start.
    const HIMC himc = ImmGetContext(m_hwnd);
    COMPOSITIONFORM form;
    form.dwStyle = CFS_POINT;
    form.ptCurrentPos = screenOrder(POINT{pt.x, pt.y + lineHeight()});
    ImmSetCompositionWindow(himc, &form);
    ImmReleaseContext(m_hwnd, himc);
    if (!m_composition.empty()) pt.x += compositionWidth(m_compositionCursor);
    // A caret at the right end of a full line stays inside the text's rectangle.
    const RECT r = formatRect();
    const POINT caretAt =
        screenOrder(POINT{pt.x == r.right && r.right > r.left ? pt.x - 1 : pt.x, pt.y});
    SetCaretPos(caretAt.x, caretAt.y);
}

int EditControl::compositionWidth(std::size_t units) const {
    if (units == 0) return 0;
    const HDC dc = GetDC(m_hwnd);
    const HGDIOBJ old = SelectObject(dc, font());
    SIZE size{};
    GetTextExtentPoint32W(dc, m_composition.c_str(), static_cast<int>(units), &size);
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    return size.cx;
}

void EditControl::paint(HDC dc) {
    const HWND parent = GetParent(m_hwnd);
    const bool enabled = IsWindowEnabled(m_hwnd) != FALSE;
    const UINT colourMsg = readOnly() || !enabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    HBRUSH brush = HBRUSH(GetSysColorBrush(COLOR_WINDOW).value);
    if (parent) {
        const LRESULT r = SendMessageW(parent, colourMsg, static_cast<WPARAM>(dc.value),
                                       static_cast<LPARAM>(m_hwnd.value));
        if (r) brush = HBRUSH(static_cast<std::uint32_t>(r));
    }
    if (!IsWindow(m_hwnd)) return;
    // Drawn in the screen's order even in a mirrored window's DC.
    const DWORD oldLayout = SetLayout(dc, 0);
    RECT client{};
    GetClientRect(m_hwnd, &client);
    FillRect(dc, &client, brush);
    const HGDIOBJ oldFont = SelectObject(dc, font());
    SetBkMode(dc, TRANSPARENT);
    const int h = lineHeight();
    const RECT r = formatRect();
    const COLORREF text = GetTextColor(dc);
    if (m_text.length() == 0 && !m_cue.empty() && (!m_focused || m_cueWhenFocused)) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        int left = r.left;
        UINT options = ETO_CLIPPED;
        if (rightToLeft()) {
            SIZE size{};
            GetTextExtentPoint32W(dc, m_cue.c_str(), static_cast<int>(m_cue.size()), &size);
            left = std::max<int>(r.left, r.right - size.cx);
            options |= ETO_RTLREADING;
        }
        ExtTextOutW(dc, left, r.top, options, &r, m_cue.c_str(), static_cast<UINT>(m_cue.size()),
                    nullptr);
    }
    const bool showSelection = m_focused || (style() & ES_NOHIDESEL);
    const std::size_t selFrom = std::min(m_anchor, m_caret), selTo = std::max(m_anchor, m_caret);
    Row row = multiLine() ? m_top : Row{};
    for (int y = r.top; y < r.bottom; y += h) {
        const std::size_t p = row.p;
        const std::u16string s = shown(p);
        const std::size_t from = rowStart(row), to = rowEnd(row);
        const int left = rowLeft(row);
        RECT line{r.left, y, r.right, std::min<LONG>(r.bottom, y + h)};
        SetTextColor(dc, text);
        drawRow(dc, row, left, y, line);
        // The selected part again, in the highlight colours: one band per run it covers, as
        // runs of the other direction show apart.
        const std::size_t start = m_text.paragraphStart(p);
        if (showSelection && selFrom != selTo && selTo >= start + from && selFrom <= start + to) {
            const std::size_t a = std::max(selFrom, start + from) - start;
            const std::size_t b = std::min(selTo, start + to) - start;
            std::vector<RECT> bands;
            if (!needsBidi(row)) {
                const int x = left - xOf(p, from);
                bands.push_back(RECT{x + xOf(p, a), y, x + xOf(p, b), y + h});
            } else {
                const std::vector<int> dx = extents(s);
                const std::vector<VisualRun> runs = visualRuns(row, dx);
                for (const VisualRun& run : runs) {
                    const std::size_t ra = std::max(a, run.from), rb = std::min(b, run.to);
                    if (ra >= rb) continue;
                    const int xa = visualX(runs, dx, ra);
                    // The run's far end: its last character's far edge.
                    const int xb = run.rtl ? run.x + (run.to > 0 ? dx[run.to - 1] : 0) -
                                                 (rb > 0 ? dx[rb - 1] : 0)
                                           : run.x + (rb > 0 ? dx[rb - 1] : 0) -
                                                 (run.from > 0 ? dx[run.from - 1] : 0);
                    bands.push_back(
                        RECT{left + std::min(xa, xb), y, left + std::max(xa, xb), y + h});
                }
            }
            // The break after a selected paragraph shows selected.
            if (!bands.empty() && selTo > start + to && to == s.size() && multiLine())
                bands.back().right += h / 4;
            for (RECT band : bands) {
                IntersectRect(&band, &band, &line);
                FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
                SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
                drawRow(dc, row, left, y, band);
            }
        }
        if (!multiLine() || !nextRow(row)) break;
    }
    // An input method's composition shows at the caret, underlined, over what follows it.
    if (m_focused && !m_composition.empty()) {
        const POINT at = posOf(m_caret);
        SIZE size{};
        GetTextExtentPoint32W(dc, m_composition.c_str(), static_cast<int>(m_composition.size()),
                              &size);
        RECT box{at.x, at.y, at.x + size.cx, at.y + h};
        FillRect(dc, &box, brush);
        SetTextColor(dc, text);
        ExtTextOutW(dc, at.x, at.y, 0, nullptr, m_composition.c_str(),
                    static_cast<UINT>(m_composition.size()), nullptr);
        RECT underline{box.left, box.bottom - 2, box.right, box.bottom - 1};
        const HBRUSH ink = CreateSolidBrush(text);
        FillRect(dc, &underline, ink);
        DeleteObject(ink);
    }
    SelectObject(dc, oldFont);
    SetLayout(dc, oldLayout);
}

LRESULT EditControl::dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETDLGCODE:
            return DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS |
                   (multiLine() && (style() & ES_WANTRETURN) ? DLGC_WANTALLKEYS : 0);
        case WM_SETTEXT:
            setText(lParam ? std::u16string(reinterpret_cast<LPCWSTR>(lParam)) : std::u16string());
            DefWindowProcW(m_hwnd, msg, wParam, lParam);
            if (!notify(EN_UPDATE)) return TRUE;
            UpdateWindow(m_hwnd);
            notify(EN_CHANGE);
            return TRUE;
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(m_text.length());
        case WM_GETTEXT: {
            if (wParam == 0 || !lParam) return 0;
            const std::u16string t = m_text.text();
            const std::size_t n = std::min<std::size_t>(t.size(), wParam - 1);
            auto* out = reinterpret_cast<char16_t*>(lParam);
            std::memcpy(out, t.data(), n * sizeof(char16_t));
            out[n] = 0;
            return static_cast<LRESULT>(n);
        }
        case WM_SETFONT:
            m_font = HFONT(static_cast<std::uint32_t>(wParam));
            m_metricsValid = false;
            forgetRows();
            if (LOWORD(static_cast<std::uintptr_t>(lParam))) InvalidateRect(m_hwnd, nullptr, TRUE);
            placeCaret();
            return 0;
        case WM_GETFONT:
            return static_cast<LRESULT>(m_font.value);
        case WM_SETFOCUS:
            m_focused = true;
            CreateCaret(m_hwnd, HBITMAP(), 1, lineHeight());
            placeCaret();
            ShowCaret(m_hwnd);
            InvalidateRect(m_hwnd, nullptr, FALSE);
            notify(EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            hideBalloon();
            m_composition.clear();
            m_focused = false;
            DestroyCaret();
            InvalidateRect(m_hwnd, nullptr, FALSE);
            notify(EN_KILLFOCUS);
            return 0;
        case WM_IME_STARTCOMPOSITION:
            m_composition.clear();
            m_compositionCursor = 0;
            return 0;
        case WM_IME_COMPOSITION:
            if (lParam & GCS_COMPSTR) {
                const HIMC himc = ImmGetContext(m_hwnd);
                const LONG bytes = ImmGetCompositionStringW(himc, GCS_COMPSTR, nullptr, 0);
                m_composition.assign(static_cast<std::size_t>(std::max<LONG>(bytes, 0)) / 2, u'\0');
                ImmGetCompositionStringW(himc, GCS_COMPSTR, m_composition.data(),
                                         static_cast<DWORD>(m_composition.size() * 2));
                m_compositionCursor = static_cast<std::size_t>(
                    std::clamp<LONG>(ImmGetCompositionStringW(himc, GCS_CURSORPOS, nullptr, 0), 0,
                                     static_cast<LONG>(m_composition.size())));
                ImmReleaseContext(m_hwnd, himc);
                InvalidateRect(m_hwnd, nullptr, FALSE);
                placeCaret();
            }
            // Committed text comes as WM_IME_CHAR.
            if (lParam & GCS_RESULTSTR) DefWindowProcW(m_hwnd, msg, wParam, lParam);
            return 0;
        case WM_IME_ENDCOMPOSITION:
            m_composition.clear();
            m_compositionCursor = 0;
            InvalidateRect(m_hwnd, nullptr, FALSE);
            placeCaret();
            return 0;
        case WM_CHAR:
        case WM_IME_CHAR: {
            hideBalloon();
            const char16_t c = static_cast<char16_t>(wParam);
            switch (c) {
                case 1:  // Ctrl+A
                    select(0, m_text.length());
                    return 0;
                case 3:  // Ctrl+C
                    copy();
                    return 0;
                case 22:  // Ctrl+V
                    paste();
                    return 0;
                case 24:  // Ctrl+X
                    copy();
                    clearSelection();
                    return 0;
                case 26:  // Ctrl+Z
                    undo();
                    return 0;
                case u'\b':
                    if (readOnly()) return 0;
                    if (m_anchor == m_caret)
                        m_anchor =
                            ctrlDown() ? wordStep(m_caret, false) : clusterStep(m_caret, false);
                    clearSelection();
                    return 0;
                case 127:  // Ctrl+Backspace
                    if (readOnly()) return 0;
                    if (m_anchor == m_caret) m_anchor = wordStep(m_caret, false);
                    clearSelection();
                    return 0;
                case u'\t':
                    if (!multiLine()) return 0;
                    break;
                case u'\n':
                    return 0;
                default:
                    if (c < 0x20 && c != u'\r') return 0;
            }
            typeChar(c);
            return 0;
        }
        case WM_KEYDOWN:
            keyDown(static_cast<int>(wParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            SetFocus(m_hwnd);
            const POINT pt = screenOrder(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            const std::size_t at = offsetAt(pt);
            if (msg == WM_LBUTTONDBLCLK) {
                // The word under the pointer.
                const std::size_t from = wordStep(clusterStep(at, true), false);
                select(from, std::max(wordStep(from, true), at));
                return 0;
            }
            select(shiftDown() ? m_anchor : at, at);
            m_selecting = true;
            SetCapture(m_hwnd);
            return 0;
        }
        case WM_RBUTTONDOWN:
            SetFocus(m_hwnd);
            return 0;
        case WM_CONTEXTMENU:
            contextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSEMOVE:
            if (m_selecting) dragTo(screenOrder(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
            return 0;
        case WM_LBUTTONUP:
            if (m_selecting) {
                m_selecting = false;
                KillTimer(m_hwnd, kDragTimer);
                if (GetCapture() == m_hwnd) ReleaseCapture();
            }
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(m_hwnd, &ps);
            paint(dc);
            EndPaint(m_hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            paint(HDC(static_cast<std::uint32_t>(wParam)));
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting fills the background
        case WM_SIZE:
            forgetRows();
            scrollToCaret();
            updateScrollBars();
            return 0;
        case WM_CUT:
            copy();
            clearSelection();
            return 0;
        case WM_COPY:
            copy();
            return 0;
        case WM_PASTE:
            paste();
            return 0;
        case WM_CLEAR:
            clearSelection();
            return 0;
        case WM_UNDO:
        case EM_UNDO:
            undo();
            return TRUE;
        case EM_CANUNDO:
            return m_undo.valid ? TRUE : FALSE;
        case EM_EMPTYUNDOBUFFER:
            m_undo = Undo{};
            return 0;
        case EM_GETSEL: {
            const std::size_t from = std::min(m_anchor, m_caret), to = std::max(m_anchor, m_caret);
            if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(from);
            if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(to);
            return static_cast<LRESULT>(
                MAKELONG(static_cast<WORD>(std::min<std::size_t>(from, 0xFFFF)),
                         static_cast<WORD>(std::min<std::size_t>(to, 0xFFFF))));
        }
        case EM_SETSEL: {
            // -1 as the start takes the selection away; a negative end runs to the end.
            const auto start = static_cast<std::int32_t>(wParam);
            const auto end = static_cast<std::int32_t>(lParam);
            if (start == -1) {
                select(m_caret, m_caret);
                return 0;
            }
            const std::size_t len = m_text.length();
            const std::size_t a =
                std::min<std::size_t>(static_cast<std::size_t>(std::max(start, 0)), len);
            const std::size_t b =
                end < 0 ? len : std::min<std::size_t>(static_cast<std::size_t>(end), len);
            select(a, b);
            return 0;
        }
        case EM_REPLACESEL:
            replaceSelection(
                lParam ? std::u16string(reinterpret_cast<LPCWSTR>(lParam)) : std::u16string(),
                wParam != 0, false);
            return 0;
        case EM_LIMITTEXT:
            m_limit = wParam ? static_cast<std::size_t>(wParam)
                             : static_cast<std::size_t>(multiLine() ? 0xFFFFFFFFu : 0x7FFFFFFEu);
            return 0;
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(m_limit);
        case EM_GETMODIFY:
            return m_modified ? TRUE : FALSE;
        case EM_SETMODIFY:
            m_modified = wParam != 0;
            return 0;
        case EM_SETREADONLY: {
            const DWORD s = style();
            SetWindowLongW(m_hwnd, GWL_STYLE,
                           static_cast<LONG>(wParam ? (s | ES_READONLY) : (s & ~ES_READONLY)));
            InvalidateRect(m_hwnd, nullptr, TRUE);
            return TRUE;
        }
        case EM_SETPASSWORDCHAR:
            if (multiLine()) return 0;
            m_password = static_cast<char16_t>(wParam);
            forgetRows();
            InvalidateRect(m_hwnd, nullptr, TRUE);
            placeCaret();
            return 0;
        case EM_GETPASSWORDCHAR:
            return m_password;
        case EM_SETCUEBANNER:
            if (multiLine()) return FALSE;
            m_cue = lParam ? std::u16string(reinterpret_cast<LPCWSTR>(lParam)) : std::u16string();
            m_cueWhenFocused = wParam != 0;
            InvalidateRect(m_hwnd, nullptr, TRUE);
            return TRUE;
        case EM_GETCUEBANNER: {
            if (!wParam || lParam <= 0) return FALSE;
            auto* out = reinterpret_cast<char16_t*>(wParam);
            const std::size_t n =
                std::min<std::size_t>(m_cue.size(), static_cast<std::size_t>(lParam) - 1);
            std::memcpy(out, m_cue.data(), n * sizeof(char16_t));
            out[n] = 0;
            return TRUE;
        }
        case EM_SETMARGINS:
            if (wParam & EC_LEFTMARGIN) m_leftMargin = LOWORD(static_cast<std::uintptr_t>(lParam));
            if (wParam & EC_RIGHTMARGIN)
                m_rightMargin = HIWORD(static_cast<std::uintptr_t>(lParam));
            forgetRows();
            InvalidateRect(m_hwnd, nullptr, TRUE);
            placeCaret();
            return 0;
        case EM_GETMARGINS:
            return static_cast<LRESULT>(
                MAKELONG(static_cast<WORD>(m_leftMargin), static_cast<WORD>(m_rightMargin)));
        case EM_GETLINECOUNT:
            return static_cast<LRESULT>(multiLine() ? rowCount() : 1);
        case EM_GETFIRSTVISIBLELINE:
            return static_cast<LRESULT>(multiLine() ? indexOfRow(m_top) : 0);
        case EM_LINEINDEX: {
            const auto line = static_cast<std::int32_t>(wParam);
            if (line >= 0 && static_cast<std::size_t>(line) >= (multiLine() ? rowCount() : 1))
                return -1;
            const Row row = line < 0 ? rowOf(m_caret) : rowAtIndex(static_cast<std::size_t>(line));
            return static_cast<LRESULT>(m_text.paragraphStart(row.p) + rowStart(row));
        }
        case EM_LINEFROMCHAR: {
            const auto at = static_cast<std::int32_t>(wParam);
            return static_cast<LRESULT>(
                indexOfRow(rowOf(at < 0 ? m_caret : static_cast<std::size_t>(at))));
        }
        case EM_LINELENGTH: {
            const auto at = static_cast<std::int32_t>(wParam);
            const Row row = rowOf(at < 0 ? m_caret : static_cast<std::size_t>(at));
            return static_cast<LRESULT>(rowEnd(row) - rowStart(row));
        }
        case EM_GETLINE: {
            const std::size_t line = static_cast<std::size_t>(wParam);
            if (!lParam || line >= (multiLine() ? rowCount() : 1)) return 0;
            const Row row = rowAtIndex(line);
            auto* out = reinterpret_cast<char16_t*>(lParam);
            const std::size_t room = *reinterpret_cast<const WORD*>(lParam);
            const std::u16string& s = m_text.paragraph(row.p);
            const std::size_t n = std::min(room, rowEnd(row) - rowStart(row));
            // Not terminated, as on Windows.
            std::memcpy(out, s.data() + rowStart(row), n * sizeof(char16_t));
            return static_cast<LRESULT>(n);
        }
        case EM_POSFROMCHAR: {
            const std::size_t at = static_cast<std::size_t>(wParam);
            if (at > m_text.length()) return -1;
            const POINT pt = posOf(at);
            return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
        }
        case EM_CHARFROMPOS: {
            const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const std::size_t at = offsetAt(pt);
            const std::size_t line = indexOfRow(rowOf(at));
            return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(at), static_cast<WORD>(line)));
        }
        case WM_VSCROLL:
            if (!multiLine()) return 0;
            vscroll(LOWORD(wParam), HIWORD(wParam));
            notify(EN_VSCROLL);
            return 0;
        case WM_HSCROLL:
            if (!multiLine() || wraps()) return 0;
            hscroll(LOWORD(wParam), HIWORD(wParam));
            notify(EN_HSCROLL);
            return 0;
        case WM_MOUSEWHEEL: {
            if (!multiLine()) return 0;
            UINT lines = 3;
            SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
            scrollRows(-GET_WHEEL_DELTA_WPARAM(wParam) * static_cast<int>(lines) / WHEEL_DELTA);
            return 0;
        }
        case EM_LINESCROLL: {
            if (!multiLine()) return FALSE;
            scrollRows(static_cast<int>(static_cast<std::int32_t>(lParam)));
            const auto chars = static_cast<std::int32_t>(wParam);
            if (chars && !wraps()) {
                m_xScroll =
                    std::max(0, m_xScroll + chars * static_cast<int>(metrics().tmAveCharWidth));
                InvalidateRect(m_hwnd, nullptr, TRUE);
                placeCaret();
            }
            return TRUE;
        }
        case EM_GETRECT:
            if (lParam) *reinterpret_cast<RECT*>(lParam) = formatRect();
            return 0;
        case EM_SETRECT:
        case EM_SETRECTNP:
            // Null goes back to the client area; the rectangle is used as given otherwise.
            m_hasFormatRect = lParam != 0;
            if (lParam) m_formatRect = *reinterpret_cast<const RECT*>(lParam);
            forgetRows();
            if (msg == EM_SETRECT) InvalidateRect(m_hwnd, nullptr, TRUE);
            scrollToCaret();
            return 0;
        case WM_CAPTURECHANGED:
            m_selecting = false;
            KillTimer(m_hwnd, kDragTimer);
            return 0;
        case WM_TIMER:
            if (wParam == kDragTimer && m_selecting) dragTo(m_dragPoint);
            return 0;
        case EM_SETTABSTOPS: {
            // No stops: every 32 dialog units; one: every so many; more: those, in order.
            if (!multiLine()) return FALSE;
            const auto* stops = reinterpret_cast<const int*>(lParam);
            if (wParam && !stops) return FALSE;
            m_tabStops.assign(stops, stops + wParam);
            if (!std::is_sorted(m_tabStops.begin(), m_tabStops.end()) ||
                std::any_of(m_tabStops.begin(), m_tabStops.end(), [](int v) { return v <= 0; })) {
                m_tabStops.clear();
                return FALSE;
            }
            forgetRows();
            return TRUE;
        }
        case EM_SHOWBALLOONTIP: {
            const auto* tip = reinterpret_cast<const EDITBALLOONTIP*>(lParam);
            if (!tip || tip->cbStruct != sizeof(EDITBALLOONTIP)) return FALSE;
            showBalloon(tip->pszTitle ? tip->pszTitle : u"", tip->pszText ? tip->pszText : u"",
                        tip->ttiIcon);
            return m_balloon ? TRUE : FALSE;
        }
        case EM_HIDEBALLOONTIP:
            hideBalloon();
            return TRUE;
        case WM_DESTROY:
            hideBalloon();
            return DefWindowProcW(m_hwnd, msg, wParam, lParam);
        case EM_SCROLLCARET:
            scrollToCaret();
            return TRUE;
        default:
            return DefWindowProcW(m_hwnd, msg, wParam, lParam);
    }
}

}  // namespace orvane::platform
