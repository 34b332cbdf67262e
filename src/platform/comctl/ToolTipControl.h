// The state and behaviour of one tooltip window. The window procedure unpacks each message and
// calls one member; ToolTipControl.cpp holds the tools, timers and showing, ToolTipPaint.cpp
// the geometry and the drawing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/ControlLifetime.h"

namespace orvane::platform {

class ToolTipControl {
public:
    // Registers the window class once per process (it survives platform resets).
    static void registerClass();

    // Kept alive while its own messages run: destroyed inside one, it is dead until they end.
    ControlLifetime lifetime;

private:
    template <class T>
    friend LRESULT runControlMessage(HWND, UINT, WPARAM, LPARAM);
    template <class T>
    friend class ControlHold;
    struct Tool {
        UINT flags = 0;
        HWND hwnd;
        UINT_PTR id = 0;
        RECT rect{};
        HINSTANCE hinst;
        std::u16string text;
        bool callback = false;
        LPARAM lParam = 0;
    };

    // Where the tip goes: the point it points at, and whether the tip is centred on it.
    // A standard tip goes `gap` pixels below the point (its left edge there, or centred on it),
    // or above the point when it does not fit below; a balloon's stem points at the point. An
    // absolute anchor is the window's top-left corner.
    struct Anchor {
        POINT pt{};
        int gap = 0;
        bool centred = false;
        bool absolute = false;
    };

    // Everything painting needs, in window coordinates.
    struct Layout {
        SIZE window{};
        RECT body{};   // the tip's rectangle (the whole window for a standard tip)
        RECT icon{};   // empty without an icon
        RECT title{};  // empty without a title
        RECT text{};
        POINT stem[3] = {};  // balloon stem: tip point and two base points
        bool hasStem = false;
    };

    explicit ToolTipControl(HWND hwnd);
    ~ToolTipControl();
    static LRESULT wndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT relayProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR ref);
    LRESULT dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

    // Tools.
    std::optional<std::size_t> find(HWND hwnd, UINT_PTR id) const;
    std::optional<std::size_t> findTool(const TOOLINFOW* ti) const;
    static bool validSize(const TOOLINFOW* ti);
    bool readTool(const TOOLINFOW& ti, Tool& tool) const;
    void copyTool(const Tool& tool, TOOLINFOW& ti) const;
    static HWND subclassTarget(const Tool& tool);
    void updateSubclass(HWND target);
    LRESULT addTool(const TOOLINFOW* ti);
    void delTool(const TOOLINFOW* ti);
    LRESULT setToolInfo(const TOOLINFOW* ti);
    LRESULT hitTestMsg(TTHITTESTINFOW* info);
    std::optional<std::size_t> toolAt(HWND hwnd, POINT client) const;
    // The tool's text, asking its owner for callback text.
    std::u16string textOf(std::size_t index);

    // Delays.
    UINT delay(WPARAM which) const;
    void setDelay(WPARAM which, LPARAM value);

    // Showing and hiding.
    void relay(const MSG& msg);
    void onTimer(UINT_PTR id);
    bool pointerInTool(std::size_t index) const;
    void show(std::size_t index, const Anchor& anchor);
    void hide();
    void trackActivate(bool on, const TOOLINFOW* ti);
    void trackPosition(LPARAM lParam);
    void popup();
    bool toolsActive(const Tool& tool) const;
    void notify(const Tool& tool, UINT code);

    // Geometry and drawing (ToolTipPaint.cpp).
    bool balloon() const;
    bool rtlLayout() const;
    int scale(int px) const;
    UINT textFormat(const Tool* tool) const;
    SIZE measureText(HDC dc, const std::u16string& text, UINT format) const;
    // The layout of a tip with the text; the stem, if any, points up from the top edge at x
    // (or down from the bottom edge) in window coordinates.
    Layout layout(const std::u16string& text, const Tool* tool, bool stemBelow, int stemX) const;
    SIZE bodySize(const std::u16string& text, const Tool* tool) const;
    void place(const Anchor& anchor);
    void paint(HDC dc);
    void paintIcon(HDC dc, const RECT& rc) const;
    void ensureFonts();
    void applyShape();
    COLORREF keyColor() const;
    LRESULT adjustRect(bool larger, RECT* rc) const;

    HWND m_hwnd;

    // Tools and settings.
    std::vector<Tool> m_tools;
    bool m_active = true;
    int m_delays[4] = {-1, -1, -1, -1};  // by TTDT_ index; -1: from the double-click time
    COLORREF m_back;
    COLORREF m_fore;
    int m_maxWidth = -1;
    RECT m_margin{};
    std::u16string m_title;
    UINT m_titleIcon = 0;
    HICON m_titleIconCopy;  // the control's copy of an icon handle given as the title icon

    // Fonts: the font in use (given by WM_SETFONT or the default one), the default one and the
    // bold title font the control made.
    HFONT m_font;
    HFONT m_ownFont;
    HFONT m_titleFont;

    // What is showing or about to show.
    std::optional<std::size_t> m_current;  // the tool under the pointer (or tracked)
    bool m_shown = false;
    bool m_tracking = false;
    bool m_expired = false;  // popped by a click or the autopop delay: stays down in this tool
    POINT m_trackPos{};
    std::u16string m_shownText;
    Layout m_layout;
    Anchor m_anchor;
};

}  // namespace orvane::platform
