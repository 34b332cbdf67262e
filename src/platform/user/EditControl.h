// The window procedure and state of one edit control ("Edit"): the text, the selection and
// caret, typing and keyboard movement by grapheme cluster and word, the mouse, the clipboard,
// one level of undo, the EM_ messages and the EN_ notifications in Windows' order, and its
// painting in the colours its parent gives through WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC when
// read-only or disabled). Multi-line text shows a line per paragraph, scrolled to keep the caret
// in view; single-line text scrolls sideways with ES_AUTOHSCROLL and is refused past the
// window's width without it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/base/FenwickTree.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/text/TextTypes.h"
#include "platform/user/Edit.h"
#include "platform/user/EditText.h"

namespace orvane::platform {

class EditControl {
public:
    // Registers the class (once; it stays across platform resets, as Windows' own do).
    static void registerClass();

private:
    explicit EditControl(HWND hwnd, DWORD style);
    static LRESULT wndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

    bool multiLine() const { return (m_style & ES_MULTILINE) != 0; }
    DWORD style() const;
    bool readOnly() const;
    // Sends EN_ code to the parent as WM_COMMAND; false when the window went away.
    bool notify(WORD code);

    // --- Editing ---
    // Replaces the selection with `text` as typing, pasting or EM_REPLACESEL does: cut to the
    // limit (EN_MAXTEXT when cut), recorded for undo when `undoable`, then EN_UPDATE, the
    // repaint and EN_CHANGE.
    void replaceSelection(std::u16string text, bool undoable, bool typing);
    void setText(const std::u16string& text);
    // Forgets the rows of the paragraphs a replacement changed.
    void forgetChange(const EditText::Change& change);
    void typeChar(char16_t c);
    void undo();
    void copy();
    void paste();
    void clearSelection();
    void select(std::size_t anchor, std::size_t caret);
    // The context menu at a screen point (-1, -1: at the caret): Undo, Cut, Copy, Paste, Delete
    // and Select All, each enabled only when it can do something, carried out when chosen.
    void contextMenu(int x, int y);
    // Shows the balloon tip under the caret (replacing one shown), or hides it.
    void showBalloon(const std::u16string& title, const std::u16string& text, int icon);
    void hideBalloon();
    // Selects to the pointer while the left button is held.
    void dragTo(POINT pt);
    static constexpr UINT_PTR kDragTimer = 1;

    // --- Movement ---
    std::size_t clusterStep(std::size_t offset, bool forward) const;
    std::size_t wordStep(std::size_t offset, bool forward) const;
    void keyDown(int vk);

    // --- Layout ---
    // A row on the screen: row `r` of paragraph `p` (paragraphs wrap into rows in a multi-line
    // box without ES_AUTOHSCROLL; otherwise each is one row).
    struct Row {
        std::size_t p = 0, r = 0;
        bool operator==(const Row&) const = default;
    };
    bool wraps() const;
    HFONT font() const;
    // The font's metrics.
    const TEXTMETRICW& metrics() const;
    int lineHeight() const;
    // The drawn form of a paragraph (password characters instead of the text).
    std::u16string shown(std::size_t p) const;
    // Where the rows of paragraph `p` start, within it; worked out when first asked for and kept
    // until the paragraph, the font or the width changes.
    const std::vector<std::size_t>& rowsOf(std::size_t p) const;
    std::size_t rowStart(Row row) const { return rowsOf(row.p)[row.r]; }
    std::size_t rowEnd(Row row) const;
    // The row holding `offset` (an offset at a wrap shows at the start of the next row).
    Row rowOf(std::size_t offset) const;
    bool nextRow(Row& row) const;
    bool previousRow(Row& row) const;
    // Rows from the top row down to `row`, negative above it; `limit` stops the count early.
    int rowsFromTop(Row row, int limit) const;
    // The rows the window shows at once (at least one).
    int visibleRows() const;
    void forgetRows();
    // The first tab stop past x, in pixels.
    int tabStop(int x) const;
    // Draws units [from, to) of paragraph `p`, whose left end is at x, clipped to `clip`.
    void drawRun(HDC dc, std::size_t p, std::size_t from, std::size_t to, int x, int y,
                 const RECT& clip) const;
    // The width of each prefix of `s` (1 unit, 2 units, ...) in the font, tabs reaching the
    // next stop.
    std::vector<int> extents(const std::u16string& s) const;
    // The x of `at` within paragraph `p`, from the paragraph's left end.
    int xOf(std::size_t p, std::size_t at) const;
    // The offset within the row nearest to x (from the row's left end).
    std::size_t atX(Row row, int x) const;
    // Where a row starts on the window (alignment, margin and scrolling).
    int rowLeft(Row row) const;
    int rowWidth(Row row) const;
    // Bidirectional text: a box read right to left (WS_EX_LAYOUTRTL or WS_EX_RTLREADING), and
    // rows holding right-to-left characters, show their runs in visual order; other rows take
    // the plain left-to-right path.
    struct VisualRun {
        std::size_t from = 0, to = 0;  // units of the paragraph
        bool rtl = false;
        int x = 0;  // where the run starts, from the row's left end
    };
    bool rightToLeft() const;
    // A mirrored box (WS_EX_LAYOUTRTL) lays itself out and draws in the screen's left-to-right
    // order all the same, its rows starting at the right: points pass between that order and
    // the window's mirrored client coordinates (the same flip both ways).
    POINT screenOrder(POINT pt) const;
    bool needsBidi(Row row) const;
    // The row's runs in visual order, measured with the paragraph's prefix widths `dx`.
    std::vector<VisualRun> visualRuns(Row row, const std::vector<int>& dx) const;
    // Where the caret at paragraph offset `at` shows, from the row's left end.
    static int visualX(const std::vector<VisualRun>& runs, const std::vector<int>& dx,
                       std::size_t at);
    int xInRow(Row row, std::size_t at) const;
    // Draws a row whose left end is at `left`.
    void drawRow(HDC dc, Row row, int left, int y, const RECT& clip) const;
    POINT posOf(std::size_t offset) const;
    std::size_t offsetAt(POINT pt) const;
    RECT formatRect() const;
    // Visual lines as the line messages count them: the row holding a line index, and the
    // index of a row.
    Row rowAtIndex(std::size_t index) const;
    std::size_t indexOfRow(Row row) const;
    std::size_t rowCount() const;
    // Scrolls so that the caret shows, and moves the caret there.
    void scrollToCaret();
    void placeCaret();
    // The width of the composition's first `units` units.
    int compositionWidth(std::size_t units) const;
    // Moves the top row by `delta` rows (down when positive), within the text.
    void scrollRows(int delta);
    // The vertical scroll bar (WS_VSCROLL) shows the rows, the page and the top row.
    void updateScrollBars();
    // The vertical scroll bar's rows and top position: exact for wrapped paragraphs, estimated
    // from their length for the others.
    std::pair<int, int> scrollRange() const;
    // What the bar's count goes by, worked out once per count: whether lines wrap, the text's
    // width, the average character's, and whether the rows worked out so far are for that width.
    struct RowEstimate {
        bool wraps = false;
        int width = 1;
        int average = 1;
        bool known = false;
        bool operator==(const RowEstimate&) const = default;
    };
    RowEstimate rowEstimate() const;
    // Rows of paragraph `p` as the bar counts them (1 when lines do not wrap).
    int barRows(std::size_t p, const RowEstimate& e) const;
    // Every paragraph's bar rows as running sums, made again when the estimate changes or
    // paragraphs come and go; `barChanged` follows one paragraph's change.
    const FenwickTree& barSums() const;
    void barChanged(std::size_t p) const;
    void scrollToPosition(int position);
    // The width text is laid out in, and the widest line measured so far (at least those on the
    // screen).
    int textWidth() const;
    int widest() const;
    void hscroll(int code, int position);
    // A scroll bar request (SB_ code; the thumb's position for SB_THUMBPOSITION).
    void vscroll(int code, int position);
    void paint(HDC dc);

    HWND m_hwnd;
    DWORD m_style;
    EditText m_text;
    std::size_t m_anchor = 0, m_caret = 0;
    std::size_t m_limit = 30000;
    HFONT m_font{};
    mutable TEXTMETRICW m_metrics{};  // the font's, while m_metricsValid
    mutable bool m_metricsValid = false;
    bool m_modified = false;
    char16_t m_password = 0;
    std::u16string m_cue;
    bool m_cueWhenFocused = false;
    int m_leftMargin = 0, m_rightMargin = 0;
    int m_xScroll = 0;                                     // pixels scrolled to the left
    mutable int m_widest = 0;                              // the widest line measured
    Row m_top;                                             // the first row shown (multi-line)
    mutable std::vector<std::vector<std::size_t>> m_rows;  // row starts by paragraph
    mutable int m_rowsWidth = -1;                          // the width they were found for
    mutable FenwickTree m_barSums;                         // bar rows by paragraph
    mutable RowEstimate m_barSumsFor;                      // the estimate they were made with
    mutable bool m_barSumsValid = false;
    bool m_focused = false;
    std::u16string m_composition;         // an input method's text being composed
    std::size_t m_compositionCursor = 0;  // its caret
    std::vector<int> m_tabStops;          // in dialog units; none: every 32
    HWND m_balloon{};                     // the balloon tip while shown
    RECT m_formatRect{};  // set by EM_SETRECT; empty: the client area less the margins
    bool m_hasFormatRect = false;
    bool m_selecting = false;  // the mouse is selecting
    POINT m_dragPoint{};       // where the selecting pointer is, for the auto-scroll timer
    int m_preferredX = -1;     // the column kept through Up and Down
    // The one level of undo: putting `removed` back where `inserted` stands.
    struct Undo {
        bool valid = false;
        std::size_t at = 0;
        std::u16string removed;
        std::size_t inserted = 0;
        bool typing = false;  // typed characters join the same step
    } m_undo;
};

}  // namespace orvane::platform
