// A tooltip window ("tooltips_class32") holding tools that are windows of the program, each
// with its text; a title with an icon, colours, delays, margins and a width limit apply to
// the whole tip. Tools either show on their own when the pointer rests on them (subclassed
// tools) or only on demand at a given point (tracking tools, with PopupOnDemand).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/StdFont.h"
#include "platform/platform.h"

namespace orvane {

class TypeLibrary;

// The icon beside a tip's title.
enum class ToolTipIcon : std::int32_t {
    ToolTipIcon_None = 0,
    ToolTipIcon_Info = 1,
    ToolTipIcon_Warning = 2,
    ToolTipIcon_Error = 3,
};
// A rectangular tip or a balloon with a stem.
enum class ToolTipStyle : std::int32_t { ttsStandard = 0, ttsBalloon = 1 };
// The tool flags of the tooltip control (TTF_...), published for scripts.
enum class TT_Flags : std::int32_t {
    TTF_IDISHWND = 1,
    TTF_CENTERTIP = 2,
    TTF_RTLREADING = 4,
    TTF_SUBCLASS = 16,
    TTF_TRACK = 32,
    TTF_ABSOLUTE = 128,
    TTF_TRANSPARENT = 256,
    TTF_DI_SETITEM = 32768,
};
// The delays of the tooltip control (TTDT_...), published for scripts.
enum class TT_DelayTime : std::int32_t {
    TTDT_AUTOMATIC = 0,
    TTDT_RESHOW = 1,
    TTDT_AUTOPOP = 2,
    TTDT_INITIAL = 3,
};
// Which delay DelayTime reads or sets: the default (all three from the initial one), before
// showing, the time a tip stays, before the next tool's tip.
enum class ttDelayTimeConstants : std::int32_t {
    ttDelayDefault = 0,
    ttDelayInitial = 3,
    ttDelayShow = 2,
    ttDelayReshow = 1,
    ttDelayMask = 3,
};
// Which margin Margin reads or sets.
enum class ttMarginConstants : std::int32_t {
    ttMarginLeft = 0,
    ttMarginTop = 1,
    ttMarginRight = 2,
    ttMarginBottom = 3,
};

class cToolTip : public Object {
public:
    cToolTip();
    ~cToolTip() override;
    cToolTip(const cToolTip&) = delete;
    cToolTip& operator=(const cToolTip&) = delete;
    std::u16string typeName() const override { return u"cToolTip"; }

    // Every call that needs the window does nothing (and gives 0, "" or false) without it.
    bool RightToLeft() const { return m_rightToLeft; }
    void RightToLeft(bool value) { m_rightToLeft = value; }
    // Shows the tool of hWnd at (x, y) in hWnd's client coordinates (tracking tools).
    void Show(platform::HWND hWnd, std::int32_t x = 0, std::int32_t y = 0);
    // Adds hWnd as a tool owned by ContainerHwnd, unless it is one already; stores the title
    // and icon and applies them.
    bool AddTool(platform::HWND hWnd, platform::HWND ContainerHwnd,
                 const std::u16string& sTip = u"", const std::u16string& sTitle = u"",
                 orvane::ToolTipIcon lTipIcon = orvane::ToolTipIcon::ToolTipIcon_None);
    // The tip's background colour (RGB).
    std::int32_t BackColor() const;
    void BackColor(std::int32_t value);
    // Whether the tip is a balloon (the default) or a rectangle; the window follows at once.
    bool Balloon() const { return m_balloon; }
    void Balloon(bool value);
    // Makes the window (once); true when it exists.
    bool Create(platform::HWND hWnd);
    // Stops every tool's tip from showing until Enable.
    void Disable();
    // Lets the tips show again.
    void Enable();
    // A delay in milliseconds.
    std::int32_t DelayTime(ttDelayTimeConstants dwType) const;
    void DelayTime(ttDelayTimeConstants dwType, std::int32_t value);
    // A copy of the font becomes the tip's font.
    std::shared_ptr<StdFont> Font() const { return m_font; }
    void Font(std::shared_ptr<StdFont> font);
    // The tip's text colour (RGB).
    std::int32_t ForeColor() const;
    void ForeColor(std::int32_t value);
    // Hides the tip of the tool hWnd.
    void Hide(platform::HWND hWnd);
    // One margin between the tip's border and its text, in pixels.
    std::int32_t Margin(ttMarginConstants dwType) const;
    void Margin(ttMarginConstants dwType, std::int32_t value);
    // Sets all four margins.
    void Margins(std::int32_t value);
    // No limit is -1; values below 1 set no limit.
    std::int32_t MaxTipWidth() const;
    void MaxTipWidth(std::int32_t value);
    // Whether tools added from now on show only through Show (tracking tools) rather than when the
    // pointer rests on them.
    bool PopupOnDemand() const { return m_popupOnDemand; }
    void PopupOnDemand(bool value) { m_popupOnDemand = value; }
    // Removes the tool hWnd; false when it is not one.
    bool RemoveToolTip(platform::HWND hWnd);
    // How many tools the tip holds.
    std::int32_t ToolTipCount() const;
    // The tooltip window, once made by Create.
    platform::HWND ToolTipHandle() const { return m_hwnd; }
    // The icon beside the title of tools added from now on (AddTool sets it too).
    orvane::ToolTipIcon ToolTipIcon() const { return m_icon; }
    void ToolTipIcon(orvane::ToolTipIcon value) { m_icon = value; }
    // The text of the tool hWnd ("" when it is not one).
    std::u16string ToolTipText(platform::HWND hWnd) const;
    void ToolTipText(platform::HWND hWnd, const std::u16string& text);
    // The title shown above every tool's text (with the icon); setting it applies at once.
    const std::u16string& ToolTipTitle() const { return m_title; }
    void ToolTipTitle(std::u16string title);

    // Publishes the class and its enumerations in the type library.
    static void registerClass(TypeLibrary& library);

private:
    bool exists() const;
    // Finds the tool whose id is hWnd by enumeration, leaving it in the tool record.
    bool findTool(platform::HWND hWnd) const;
    void applyTitle();
    // Puts the text in the buffer the tool record points at, growing it when needed.
    void setText(const std::u16string& text);
    platform::LRESULT send(platform::UINT msg, platform::WPARAM wParam,
                           platform::LPARAM lParam) const;

    platform::HWND m_hwnd;
    mutable platform::TOOLINFOW m_tool;  // the record of every request
    std::vector<char16_t> m_text;        // the text buffer the record points at
    std::size_t m_textLength = 0;
    orvane::ToolTipIcon m_icon = orvane::ToolTipIcon::ToolTipIcon_None;
    std::u16string m_title;
    bool m_balloon = true;
    bool m_rightToLeft = false;
    bool m_popupOnDemand = false;
    std::shared_ptr<StdFont> m_font;
    platform::HFONT m_hFont;
};

}  // namespace orvane
