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

enum class ToolTipIcon : std::int32_t {
    ToolTipIcon_None = 0,
    ToolTipIcon_Info = 1,
    ToolTipIcon_Warning = 2,
    ToolTipIcon_Error = 3,
};
enum class ToolTipStyle : std::int32_t { ttsStandard = 0, ttsBalloon = 1 };
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
enum class TT_DelayTime : std::int32_t {
    TTDT_AUTOMATIC = 0,
    TTDT_RESHOW = 1,
    TTDT_AUTOPOP = 2,
    TTDT_INITIAL = 3,
};
enum class ttDelayTimeConstants : std::int32_t {
    ttDelayDefault = 0,
    ttDelayInitial = 3,
    ttDelayShow = 2,
    ttDelayReshow = 1,
    ttDelayMask = 3,
};
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
    std::int32_t BackColor() const;
    void BackColor(std::int32_t value);
    bool Balloon() const { return m_balloon; }
    void Balloon(bool value);
    // Makes the window (once); true when it exists.
    bool Create(platform::HWND hWnd);
    void Disable();
    void Enable();
    std::int32_t DelayTime(ttDelayTimeConstants dwType) const;
    void DelayTime(ttDelayTimeConstants dwType, std::int32_t value);
    // A copy of the font becomes the tip's font.
    std::shared_ptr<StdFont> Font() const { return m_font; }
    void Font(std::shared_ptr<StdFont> font);
    std::int32_t ForeColor() const;
    void ForeColor(std::int32_t value);
    void Hide(platform::HWND hWnd);
    std::int32_t Margin(ttMarginConstants dwType) const;
    void Margin(ttMarginConstants dwType, std::int32_t value);
    void Margins(std::int32_t value);
    // No limit is -1; values below 1 set no limit.
    std::int32_t MaxTipWidth() const;
    void MaxTipWidth(std::int32_t value);
    bool PopupOnDemand() const { return m_popupOnDemand; }
    void PopupOnDemand(bool value) { m_popupOnDemand = value; }
    bool RemoveToolTip(platform::HWND hWnd);
    std::int32_t ToolTipCount() const;
    platform::HWND ToolTipHandle() const { return m_hwnd; }
    orvane::ToolTipIcon ToolTipIcon() const { return m_icon; }
    void ToolTipIcon(orvane::ToolTipIcon value) { m_icon = value; }
    std::u16string ToolTipText(platform::HWND hWnd) const;
    void ToolTipText(platform::HWND hWnd, const std::u16string& text);
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
