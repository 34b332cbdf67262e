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

#include "platform/gdi/GdiTypes.h"
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
    void typeChar(char16_t c);
    void undo();
    void copy();
    void paste();
    void clearSelection();
    void select(std::size_t anchor, std::size_t caret);

    // --- Movement ---
    std::size_t clusterStep(std::size_t offset, bool forward) const;
    std::size_t wordStep(std::size_t offset, bool forward) const;
    void keyDown(int vk);

    // --- Layout ---
    HFONT font() const;
    int lineHeight() const;
    // The drawn form of a paragraph (password characters instead of the text).
    std::u16string shown(std::size_t p) const;
    // The x of `at` within paragraph `p`, from the paragraph's left end.
    int xOf(std::size_t p, std::size_t at) const;
    // The paragraph offset nearest to x (from the paragraph's left end).
    std::size_t atX(std::size_t p, int x) const;
    // Where paragraph `p` starts on the window (alignment, margin and scrolling).
    int lineLeft(std::size_t p) const;
    int textWidth(std::size_t p) const;
    POINT posOf(std::size_t offset) const;
    std::size_t offsetAt(POINT pt) const;
    RECT formatRect() const;
    // Scrolls so that the caret shows, and moves the caret there.
    void scrollToCaret();
    void placeCaret();
    void paint(HDC dc);

    HWND m_hwnd;
    DWORD m_style;
    EditText m_text;
    std::size_t m_anchor = 0, m_caret = 0;
    std::size_t m_limit = 30000;
    HFONT m_font{};
    bool m_modified = false;
    char16_t m_password = 0;
    std::u16string m_cue;
    bool m_cueWhenFocused = false;
    int m_leftMargin = 0, m_rightMargin = 0;
    int m_xScroll = 0;          // pixels scrolled to the left
    std::size_t m_topLine = 0;  // the first paragraph shown (multi-line)
    bool m_focused = false;
    bool m_selecting = false;  // the mouse is selecting
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
