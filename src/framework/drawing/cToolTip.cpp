#include "framework/drawing/cToolTip.h"

#include <algorithm>

#include "host/Arguments.h"
#include "host/ClassBuilder.h"
#include "host/Error.h"

namespace orvane {

using namespace platform;

namespace {

// The tool record as the controls fill it: the 32-bit layout with lParam.
constexpr UINT kRecordSize = TTTOOLINFOW_V2_SIZE;

}  // namespace

cToolTip::cToolTip() {
    m_tool.cbSize = kRecordSize;
}

cToolTip::~cToolTip() {
    m_font.reset();
    if (exists()) DestroyWindow(m_hwnd);
    if (m_hFont) DeleteObject(m_hFont);
}

bool cToolTip::exists() const {
    return m_hwnd && IsWindow(m_hwnd);
}

LRESULT cToolTip::send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return exists() ? SendMessageW(m_hwnd, msg, wParam, lParam) : 0;
}

bool cToolTip::Create(HWND) {
    if (exists()) return true;
    INITCOMMONCONTROLSEX icc;
    icc.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&icc);
    const DWORD style = m_balloon ? TTS_BALLOON : 0;
    const DWORD exStyle = WS_EX_TRANSPARENT | (m_rightToLeft ? WS_EX_LAYOUTRTL : 0);
    m_hwnd = CreateWindowExW(exStyle, TOOLTIPS_CLASSW, u"VelToolTip Quorrel", style, 0, 0, 0, 0,
                             HWND(), HMENU(), GetModuleHandleW(nullptr), nullptr);
    if (!m_hwnd) return false;
    if (m_hFont) send(WM_SETFONT, m_hFont.value, TRUE);
    MaxTipWidth(260);
    SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    applyTitle();
    return exists();
}

bool cToolTip::findTool(HWND hWnd) const {
    if (!exists()) return false;
    const LRESULT count = send(TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        TOOLINFOW ti;
        ti.cbSize = kRecordSize;
        // The text is read separately (TTM_GETTEXTW), with a buffer of known size.
        ti.lpszText = nullptr;
        if (send(TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&ti)) &&
            ti.uId == hWnd.value) {
            m_tool = ti;
            return true;
        }
    }
    return false;
}

void cToolTip::setText(const std::u16string& text) {
    if (m_text.size() < text.size() + 1) m_text.resize(text.size() + 1);
    std::copy(text.begin(), text.end(), m_text.begin());
    m_text[text.size()] = 0;
    m_textLength = std::max(m_textLength, text.size());
    m_tool.lpszText = m_text.data();
}

bool cToolTip::AddTool(HWND hWnd, HWND ContainerHwnd, const std::u16string& sTip,
                       const std::u16string& sTitle, orvane::ToolTipIcon lTipIcon) {
    m_title = sTitle;
    m_icon = lTipIcon;
    if (!exists()) return false;
    bool added = false;
    if (!findTool(hWnd)) {
        TOOLINFOW ti;
        ti.cbSize = kRecordSize;
        GetClientRect(hWnd, &ti.rect);
        ti.uFlags = m_popupOnDemand ? (TTF_IDISHWND | TTF_TRACK | TTF_TRANSPARENT)
                                    : (TTF_IDISHWND | TTF_SUBCLASS);
        if (m_rightToLeft) ti.uFlags |= TTF_RTLREADING | TTF_CENTERTIP;
        ti.hwnd = ContainerHwnd;
        ti.uId = hWnd.value;
        m_tool = ti;
        setText(sTip);
        added = send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&m_tool)) != 0;
    }
    applyTitle();
    return added;
}

void cToolTip::applyTitle() {
    if ((m_title.empty() && m_icon == orvane::ToolTipIcon::ToolTipIcon_None) || !exists()) return;
    send(TTM_SETTITLEW, static_cast<WPARAM>(m_icon), reinterpret_cast<LPARAM>(m_title.c_str()));
}

void cToolTip::Show(HWND hWnd, std::int32_t x, std::int32_t y) {
    if (!exists()) return;
    POINT pt{static_cast<LONG>(x), static_cast<LONG>(y)};
    ClientToScreen(hWnd, &pt);
    findTool(hWnd);
    send(TTM_TRACKPOSITION, 0, MAKELPARAM(pt.x, pt.y));
    send(TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&m_tool));
}

void cToolTip::Hide(HWND hWnd) {
    if (!findTool(hWnd)) return;
    send(TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&m_tool));
    send(TTM_POP, 0, 0);
}

bool cToolTip::RemoveToolTip(HWND hWnd) {
    if (!findTool(hWnd)) return false;
    send(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_tool));
    return true;
}

std::int32_t cToolTip::BackColor() const {
    return static_cast<std::int32_t>(send(TTM_GETTIPBKCOLOR, 0, 0));
}

void cToolTip::BackColor(std::int32_t value) {
    send(TTM_SETTIPBKCOLOR, static_cast<WPARAM>(static_cast<DWORD>(value)), 0);
}

std::int32_t cToolTip::ForeColor() const {
    return static_cast<std::int32_t>(send(TTM_GETTIPTEXTCOLOR, 0, 0));
}

void cToolTip::ForeColor(std::int32_t value) {
    send(TTM_SETTIPTEXTCOLOR, static_cast<WPARAM>(static_cast<DWORD>(value)), 0);
}

void cToolTip::Balloon(bool value) {
    m_balloon = value;
    if (!exists()) return;
    const DWORD style = static_cast<DWORD>(GetWindowLongW(m_hwnd, GWL_STYLE));
    SetWindowLongW(m_hwnd, GWL_STYLE,
                   static_cast<LONG>(value ? style | TTS_BALLOON : style & ~TTS_BALLOON));
}

void cToolTip::Disable() {
    send(TTM_ACTIVATE, FALSE, 0);
}

void cToolTip::Enable() {
    send(TTM_ACTIVATE, TRUE, 0);
}

std::int32_t cToolTip::DelayTime(ttDelayTimeConstants dwType) const {
    const auto kind =
        static_cast<WPARAM>(dwType) & static_cast<WPARAM>(ttDelayTimeConstants::ttDelayMask);
    return static_cast<std::int32_t>(send(TTM_GETDELAYTIME, kind, 0));
}

void cToolTip::DelayTime(ttDelayTimeConstants dwType, std::int32_t value) {
    const auto kind =
        static_cast<WPARAM>(dwType) & static_cast<WPARAM>(ttDelayTimeConstants::ttDelayMask);
    send(TTM_SETDELAYTIME, kind, value);
}

void cToolTip::Font(std::shared_ptr<StdFont> font) {
    m_font = font ? font->clone() : nullptr;
    HFONT made;
    if (m_font) {
        const HDC screen = GetDC(HWND());
        const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(HWND(), screen);
        const LOGFONTW lf = m_font->logFont(dpi);
        made = CreateFontIndirectW(&lf);
    }
    // A window already made takes the new font before the old one goes.
    if (exists() && made) send(WM_SETFONT, made.value, TRUE);
    if (exists() && !made) send(WM_SETFONT, 0, TRUE);
    if (m_hFont) DeleteObject(m_hFont);
    m_hFont = made;
}

std::int32_t cToolTip::Margin(ttMarginConstants dwType) const {
    RECT rc{};
    if (!exists()) return 0;
    send(TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&rc));
    switch (dwType) {
        case ttMarginConstants::ttMarginLeft:
            return rc.left;
        case ttMarginConstants::ttMarginTop:
            return rc.top;
        case ttMarginConstants::ttMarginRight:
            return rc.right;
        case ttMarginConstants::ttMarginBottom:
            return rc.bottom;
    }
    throw Error::standard(errors::InvalidProcedureCall, u"cToolTip.Margin");
}

void cToolTip::Margin(ttMarginConstants dwType, std::int32_t value) {
    RECT rc{};
    if (!exists()) return;
    send(TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&rc));
    switch (dwType) {
        case ttMarginConstants::ttMarginLeft:
            rc.left = static_cast<LONG>(value);
            break;
        case ttMarginConstants::ttMarginTop:
            rc.top = static_cast<LONG>(value);
            break;
        case ttMarginConstants::ttMarginRight:
            rc.right = static_cast<LONG>(value);
            break;
        case ttMarginConstants::ttMarginBottom:
            rc.bottom = static_cast<LONG>(value);
            break;
        default:
            throw Error::standard(errors::InvalidProcedureCall, u"cToolTip.Margin");
    }
    send(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&rc));
}

void cToolTip::Margins(std::int32_t value) {
    const LONG v = static_cast<LONG>(value);
    RECT rc{v, v, v, v};
    send(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&rc));
}

std::int32_t cToolTip::MaxTipWidth() const {
    return static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(send(TTM_GETMAXTIPWIDTH, 0, 0))));
}

void cToolTip::MaxTipWidth(std::int32_t value) {
    send(TTM_SETMAXTIPWIDTH, 0, value < 1 ? -1 : value);
}

std::int32_t cToolTip::ToolTipCount() const {
    return static_cast<std::int32_t>(send(TTM_GETTOOLCOUNT, 0, 0));
}

std::u16string cToolTip::ToolTipText(HWND hWnd) const {
    if (!findTool(hWnd)) return u"";
    // The buffer starts at the longest text this object gave and doubles until the text fits.
    std::vector<char16_t> buffer(std::max<std::size_t>(m_textLength, 79) + 1);
    for (;;) {
        TOOLINFOW ti = m_tool;
        buffer[0] = 0;
        ti.lpszText = buffer.data();
        send(TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&ti));
        const std::u16string text(buffer.data());
        if (text.size() + 1 < buffer.size()) return text;
        buffer.resize(buffer.size() * 2);
    }
}

void cToolTip::ToolTipText(HWND hWnd, const std::u16string& text) {
    if (!findTool(hWnd)) return;
    setText(text);
    send(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&m_tool));
}

void cToolTip::ToolTipTitle(std::u16string title) {
    m_title = std::move(title);
    applyTitle();
}

namespace {

HWND hwndArg(const Variant& v) {
    return handleArg<HWND>(v);
}

}  // namespace

void cToolTip::registerClass(TypeLibrary& library) {
    library.registerEnum({u"ToolTipIcon",
                          {{u"ToolTipIcon_None", 0},
                           {u"ToolTipIcon_Info", 1},
                           {u"ToolTipIcon_Warning", 2},
                           {u"ToolTipIcon_Error", 3}}});
    library.registerEnum({u"ToolTipStyle", {{u"ttsStandard", 0}, {u"ttsBalloon", 1}}});
    library.registerEnum({u"TT_Flags",
                          {{u"TTF_IDISHWND", 1},
                           {u"TTF_CENTERTIP", 2},
                           {u"TTF_RTLREADING", 4},
                           {u"TTF_SUBCLASS", 16},
                           {u"TTF_TRACK", 32},
                           {u"TTF_ABSOLUTE", 128},
                           {u"TTF_TRANSPARENT", 256},
                           {u"TTF_DI_SETITEM", 32768}}});
    library.registerEnum({u"TT_DelayTime",
                          {{u"TTDT_AUTOMATIC", 0},
                           {u"TTDT_RESHOW", 1},
                           {u"TTDT_AUTOPOP", 2},
                           {u"TTDT_INITIAL", 3}}});
    library.registerEnum({u"ttDelayTimeConstants",
                          {{u"ttDelayDefault", 0},
                           {u"ttDelayInitial", 3},
                           {u"ttDelayShow", 2},
                           {u"ttDelayReshow", 1},
                           {u"ttDelayMask", 3}}});
    library.registerEnum({u"ttMarginConstants",
                          {{u"ttMarginLeft", 0},
                           {u"ttMarginTop", 1},
                           {u"ttMarginRight", 2},
                           {u"ttMarginBottom", 3}}});

    using T = cToolTip;
    using Args = std::vector<Variant>;
    ClassBuilder<T> b(u"cToolTip");
    b.creatable()
        .property<bool>(u"RightToLeft", &T::RightToLeft, &T::RightToLeft)
        .method(u"Show", {{u"hWnd", false}, {u"x", true}, {u"y", true}},
                [](T& t, Args& a) {
                    t.Show(hwndArg(a[0]), optionalLong(a[1], 0), optionalLong(a[2], 0));
                    return Variant();
                })
        .method(u"AddTool",
                {{u"hWnd", false},
                 {u"ContainerHwnd", false},
                 {u"sTip", true},
                 {u"sTitle", true},
                 {u"lTipIcon", true}},
                [](T& t, Args& a) {
                    return Variant(t.AddTool(
                        hwndArg(a[0]), hwndArg(a[1]), optionalString(a[2]), optionalString(a[3]),
                        static_cast<orvane::ToolTipIcon>(optionalLong(a[4], 0))));
                })
        .property<std::int32_t>(u"BackColor", &T::BackColor, &T::BackColor)
        .property<bool>(u"Balloon", &T::Balloon, &T::Balloon)
        .method(u"Create", {{u"hWnd", false}},
                [](T& t, Args& a) { return Variant(t.Create(hwndArg(a[0]))); })
        .method(u"Disable", {},
                [](T& t, Args&) {
                    t.Disable();
                    return Variant();
                })
        .method(u"Enable", {},
                [](T& t, Args&) {
                    t.Enable();
                    return Variant();
                })
        .indexed<std::int32_t, ttDelayTimeConstants>(u"DelayTime", u"dwType", &T::DelayTime,
                                                     &T::DelayTime)
        .property<std::shared_ptr<StdFont>>(u"Font", &T::Font, &T::Font)
        .property<std::int32_t>(u"ForeColor", &T::ForeColor, &T::ForeColor)
        .method(u"Hide", {{u"hWnd", false}},
                [](T& t, Args& a) {
                    t.Hide(hwndArg(a[0]));
                    return Variant();
                })
        .indexed<std::int32_t, ttMarginConstants>(u"Margin", u"dwType", &T::Margin, &T::Margin)
        .property<std::int32_t>(u"MaxTipWidth", &T::MaxTipWidth, &T::MaxTipWidth)
        .property<bool>(u"PopupOnDemand", &T::PopupOnDemand, &T::PopupOnDemand)
        .method(u"RemoveToolTip", {{u"hWnd", false}},
                [](T& t, Args& a) { return Variant(t.RemoveToolTip(hwndArg(a[0]))); })
        .computed(u"ToolTipCount",
                  [](T& t) { return Variant(static_cast<std::int32_t>(t.ToolTipCount())); })
        .computed(u"ToolTipHandle",
                  [](T& t) { return Variant(static_cast<std::int32_t>(t.ToolTipHandle().value)); })
        .property<orvane::ToolTipIcon>(u"ToolTipIcon", &T::ToolTipIcon, &T::ToolTipIcon)
        .property<std::u16string>(u"ToolTipTitle", &T::ToolTipTitle, &T::ToolTipTitle);
    ClassInfo info = b.build();
    // Margins is write-only; ToolTipText is indexed by a window handle.
    info.properties.push_back(
        {u"Margins", {}, [](Object& o, const Variant& v) { static_cast<T&>(o).Margins(CLng(v)); }});
    PropertyInfo text{u"ToolTipText", {}, {}, {u"hWnd"}, {}, {}};
    text.getAt = [](Object& o, std::vector<Variant>& at) {
        return Variant(static_cast<T&>(o).ToolTipText(hwndArg(at[0])));
    };
    text.putAt = [](Object& o, std::vector<Variant>& at, const Variant& v) {
        static_cast<T&>(o).ToolTipText(hwndArg(at[0]), CStr(v));
    };
    info.properties.push_back(std::move(text));
    library.registerClass(std::move(info));
}

}  // namespace orvane
