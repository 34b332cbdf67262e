#include "controls/text/ucText.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"
#include "host/OleColor.h"
#include "host/TypeLibrary.h"
#include "platform/shell/Clipboard.h"
#include "platform/theme/Theme.h"
#include "platform/user/Edit.h"

namespace orvane {

using namespace platform;

namespace {

// The window's background when the control is disabled.
constexpr COLORREF kDisabledBack = 0xE3E3E3;

bool isHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

char16_t upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

}  // namespace

ucText::ucText() : OwnerDrawnControl(StandardEvents{}) {}

ucText::~ucText() {
    // The edit window went with the control's own (or in Terminate); its font and brush go now.
    m_subclass.reset();
    if (m_hfont) DeleteObject(m_hfont);
    if (m_brush) DeleteObject(m_brush);
}

PropertyTable ucText::declare() {
    using T = ucText;
    PropertyTable t;
    declareStateless<T>(t);
    const auto rebuild = [](T& c) { c.Init(); };
    // These change the window's style: the window is built again, even for the same value.
    t.redeclare<T, AppearanceEnum>(u"Appearance").then(rebuild).always().noRedraw();
    t.redeclare<T, BorderStyleEnum>(u"BorderStyle").then(rebuild).always().noRedraw();
    t.redeclare<T, OLE_COLOR>(u"BackColor").defaults(vbWindowBackground, vbWindowBackground);
    t.redeclare<T, OLE_COLOR>(u"ForeColor").defaults(vbButtonText, vbButtonText);
    t.redeclare<T, bool>(u"Enabled").then([](T& c) {
        c.enabledChanged();
        c.applyEnabled();
    });
    t.redeclare<T, std::shared_ptr<StdFont>>(u"Font").then([](T& c) {
        c.fontChanged();
        c.applyFont();
    });
    t.add<T>(u"Alignment", &T::m_alignment, 0, 0).check(within(0, 2)).then(rebuild).noRedraw();
    t.add<T>(u"CueBanner", &T::m_cueBanner, std::u16string(), std::u16string())
        .then([](T& c) { c.applyCueBanner(); })
        .noRedraw();
    t.add<T>(u"HideSelection", &T::m_hideSelection, false, false).noRedraw();
    t.add<T>(u"LeftMargin", &T::m_leftMargin, std::int16_t{0}, std::int16_t{0})
        .then([](T& c) { c.applyMargins(); })
        .noRedraw();
    t.add<T>(u"Locked", &T::m_locked, false, false).then(rebuild).always().noRedraw();
    t.add<T>(u"LockedBackColor", &T::m_lockedBackColor, vbButtonFace, vbButtonFace);
    t.add<T>(u"LockedForeColor", &T::m_lockedForeColor, vbButtonText, vbButtonText);
    t.add<T>(u"MaxLength", &T::m_maxLength, 0, 0)
        .check([](const std::int32_t& v) { return v >= 0; })
        .then([](T& c) { c.applyLimit(); })
        .noRedraw();
    t.add<T>(u"MultiLine", &T::m_multiLine, false, false)
        .key(u"Multiline")
        .then(rebuild)
        .always()
        .noRedraw();
    t.add<T>(u"OLEDragMode", &T::m_oleDragMode, 0, 0).check(within(0, 1)).noRedraw();
    t.add<T>(u"OLEDropMode", &T::m_oleDropMode, 0, 0)
        .check(within(0, 2))
        .then([](T& c) { c.UserControl::OLEDropMode(c.m_oleDropMode); })
        .noRedraw();
    t.add<T>(u"PasswordChar", &T::m_passwordChar, std::u16string(), std::u16string())
        .then([](T& c) { c.applyPasswordChar(); })
        .noRedraw();
    t.add<T>(u"RightMargin", &T::m_rightMargin, std::int16_t{0}, std::int16_t{0})
        .then([](T& c) { c.applyMargins(); })
        .noRedraw();
    t.add<T>(u"RightToLeft", &T::m_rightToLeft, false, false).then(rebuild).noRedraw();
    t.add<T>(u"ScrollBars", &T::m_scrollBars, sbNone, sbNone)
        .check([](const ScrollBarsEnum& v) { return v >= sbNone && v <= sbBoth; })
        .then(rebuild)
        .always()
        .noRedraw();
    t.add<T>(u"Tag", &T::m_tag, std::u16string(), std::u16string()).noRedraw();
    // Stored here; published by hand, as setting it raises Change.
    t.addAccessor<T, std::u16string>(
         u"Text", [](T& c) { return c.Text(); },
         [](T& c, std::u16string v) {
             c.m_cache = std::move(v);
             if (c.m_edit) c.send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.m_cache.c_str()));
         },
         std::u16string(), std::u16string())
        .hidden()
        .noRedraw();
    return t;
}

const PropertyTable& ucText::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucText::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucText;
    library.registerEnum(
        {u"eScrollBars",
         {{u"sbNone", 0}, {u"sbHorizontal", 1}, {u"sbVertical", 2}, {u"sbBoth", 3}}});
    ClassBuilder<T> b(u"ucText");
    b.creatable();
    table().publish(b);
    const auto i32 = [](const Variant& v) { return CLng(v); };
    b.property(PropertyInfo{u"Text", [](Object& o) { return Variant(static_cast<T&>(o).Text()); },
                            [](Object& o, const Variant& v) { static_cast<T&>(o).Text(CStr(v)); }});
    b.defaultMember(u"Text");
    b.property(u"DataChanged", &T::DataChanged, &T::DataChanged);
    b.property(u"SelStart", &T::SelStart, &T::SelStart);
    b.property(u"SelLength", &T::SelLength, &T::SelLength);
    b.property(
        PropertyInfo{u"SelText", [](Object& o) { return Variant(static_cast<T&>(o).SelText()); },
                     [](Object& o, const Variant& v) { static_cast<T&>(o).SelText(CStr(v)); }});
    b.property(u"ScrollVertical", &T::ScrollVertical, &T::ScrollVertical);
    b.computed(u"CurrentColumn", [](T& c) { return Variant(c.CurrentColumn()); });
    b.computed(u"GetFirstVisibleLine", [](T& c) { return Variant(c.GetFirstVisibleLine()); });
    b.computed(u"LineCount", [](T& c) { return Variant(c.LineCount()); });
    b.computed(u"hWnd", [](T& c) { return Variant(static_cast<std::int32_t>(c.m_edit.value)); });
    b.computed(u"hwndParent",
               [](T& c) { return Variant(static_cast<std::int32_t>(c.hWnd().value)); });
    b.computed(u"Name", [](T& c) { return Variant(c.Name()); });
    b.method(u"CharFromPos", {{u"x", false}, {u"y", false}}, [i32](T& c, std::vector<Variant>& a) {
        return Variant(c.CharFromPos(i32(a[0]), i32(a[1])));
    });
    b.method(u"LineForCharacterIndex", {{u"lIndex", false}}, [i32](T& c, std::vector<Variant>& a) {
        return Variant(c.LineForCharacterIndex(i32(a[0])));
    });
    b.method(u"ScrollToLine", {{u"lLine", false}}, [i32](T& c, std::vector<Variant>& a) {
        c.ScrollToLine(i32(a[0]));
        return Variant();
    });
    b.method(u"ScrollCaret", {}, [](T& c, std::vector<Variant>&) {
        c.ScrollCaret();
        return Variant();
    });
    b.method(u"Init", {}, [](T& c, std::vector<Variant>&) {
        c.Init();
        return Variant();
    });
    b.method(u"OLEDragStart", {}, [](T& c, std::vector<Variant>&) {
        c.OLEDrag();
        return Variant();
    });
    b.method(u"Refresh", {}, [](T& c, std::vector<Variant>&) {
        c.Refresh();
        return Variant();
    });
    b.method(u"IsKeyPressed", {{u"nVirtKeyCode", false}},
             [i32](T&, std::vector<Variant>& a) { return Variant(IsKeyPressed(i32(a[0]))); });
    b.method(u"GetShiftMask", {},
             [](T&, std::vector<Variant>&) { return Variant(GetShiftMask()); });
    publishInitTooltip(b);
    const std::vector<std::u16string> mouse{u"Button", u"Shift", u"x", u"y"};
    const std::vector<std::u16string> key{u"KeyCode", u"Shift"};
    b.event(u"Change", evChange, {})
        .event(u"Click", evClick, {})
        .event(u"ContextMenu", evContextMenu, {u"Cancel"})
        .event(u"DblClick", evDblClick, {})
        .event(u"KeyDown", evKeyDown, key)
        .event(u"KeyPress", evKeyPress, {u"KeyAscii"})
        .event(u"KeyUp", evKeyUp, key)
        .event(u"MouseDown", evMouseDown, mouse)
        .event(u"MouseEnter", evMouseEnter, {})
        .event(u"MouseLeave", evMouseLeave, {})
        .event(u"MouseMove", evMouseMove, mouse)
        .event(u"MouseUp", evMouseUp, mouse)
        .event(u"OLECompleteDrag", evOLECompleteDrag, {u"Effect"})
        .event(u"OLEDragDrop", evOLEDragDrop, {u"Data", u"Effect", u"Button", u"Shift", u"x", u"y"})
        .event(u"OLEDragOver", evOLEDragOver,
               {u"Data", u"Effect", u"Button", u"Shift", u"x", u"y", u"State"})
        .event(u"OLEGiveFeedback", evOLEGiveFeedback, {u"Effect", u"DefaultCursors"})
        .event(u"OLESetData", evOLESetData, {u"Data", u"DataFormat"})
        .event(u"OLEStartDrag", evOLEStartDrag, {u"Data", u"AllowedEffects"})
        .event(u"Update", evUpdate, {});
    library.registerClass(b.build());
    classes.add(u"ucText", [] { return std::make_unique<T>(); });
}

// --- The window ---

DWORD ucText::windowStyle() const {
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (m_locked) style |= ES_READONLY;
    if (!m_hideSelection) style |= ES_NOHIDESEL;
    if (m_alignment == 1) style |= ES_RIGHT;
    if (m_alignment == 2) style |= ES_CENTER;
    if (m_multiLine) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL;
        if (m_scrollBars & sbHorizontal) style |= WS_HSCROLL;
        if (m_scrollBars & sbVertical) style |= WS_VSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (m_borderStyle == BorderStyleEnum::FixedSingle && m_appearance == AppearanceEnum::Flat)
        style |= WS_BORDER;
    return style;
}

DWORD ucText::windowExStyle() const {
    DWORD ex = 0;
    if (m_borderStyle == BorderStyleEnum::FixedSingle && m_appearance == AppearanceEnum::ThreeD)
        ex |= WS_EX_CLIENTEDGE;
    if (m_rightToLeft) ex |= WS_EX_LAYOUTRTL;
    return ex;
}

void ucText::loaded() {
    Init();
    UserControl::OLEDropMode(m_oleDropMode);
}

void ucText::Init() {
    const bool hadFocus = m_edit && GetFocus() == m_edit;
    DWORD selStart = 0, selEnd = 0;
    if (m_subclass) m_subclass->ssc_Terminate();
    if (m_edit) {
        send(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
        m_cache = windowText();
        const HWND old = m_edit;
        m_edit = HWND();
        DestroyWindow(old);
    }
    if (!hWnd()) return;
    RECT rc{};
    GetClientRect(hWnd(), &rc);
    m_edit = CreateWindowExW(windowExStyle(), WC_EDITW, m_cache.c_str(), windowStyle(), 0, 0,
                             rc.right, rc.bottom, hWnd(), HMENU(kEditId), HINSTANCE(), nullptr);
    if (!m_edit) return;
    SetWindowTheme(m_edit, u"explorer", nullptr);
    applyLimit();
    applyPasswordChar();
    applyMargins();
    m_appliedFont.reset();
    applyFont();
    applyEnabled();
    applyCueBanner();
    if (userMode()) {
        if (!m_subclass)
            m_subclass = std::make_unique<Subclasser>(
                u"ucText", [this](SubclassMessage& m) { onEditMessage(m); });
        if (m_subclass->ssc_Subclass(m_edit)) {
            for (UINT msg :
                 {WM_CHAR, WM_IME_CHAR, WM_UNICHAR, WM_KEYDOWN, WM_KEYUP, WM_CONTEXTMENU})
                m_subclass->zAddMsg(m_edit, static_cast<std::int32_t>(msg), MsgWhen::MSG_BEFORE);
            for (UINT msg : {WM_SETFOCUS, WM_KILLFOCUS, WM_MOUSELEAVE, WM_RBUTTONDOWN, WM_RBUTTONUP,
                             WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK})
                m_subclass->zAddMsg(m_edit, static_cast<std::int32_t>(msg), MsgWhen::MSG_AFTER);
            // Before too: an automatic drag starts from a press on the selection.
            for (UINT msg : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP})
                m_subclass->zAddMsg(m_edit, static_cast<std::int32_t>(msg),
                                    MsgWhen::MSG_BEFORE_AFTER);
        }
    }
    // The new window keeps the selection and the focus.
    send(EM_SETSEL, selStart, static_cast<LPARAM>(selEnd));
    if (hadFocus) SetFocus(m_edit);
    InvalidateRect(m_edit, nullptr, TRUE);
}

void ucText::layout() {
    if (!m_edit) return;
    RECT rc{};
    GetClientRect(hWnd(), &rc);
    MoveWindow(m_edit, 0, 0, rc.right, rc.bottom, TRUE);
    applyFont();
}

void ucText::Refresh() {
    ensureLayout();
    if (m_edit) InvalidateRect(m_edit, nullptr, TRUE);
}

void ucText::Terminate() {
    if (m_subclass) m_subclass->ssc_Terminate();
    acceleratorHook(false);
    if (m_edit) {
        const HWND edit = m_edit;
        m_edit = HWND();
        DestroyWindow(edit);
    }
    OwnerDrawnControl::Terminate();
}

LRESULT ucText::send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return m_edit ? SendMessageW(m_edit, msg, wParam, lParam) : 0;
}

void ucText::applyMargins() {
    send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
         static_cast<LPARAM>(
             MAKELONG(static_cast<WORD>(m_leftMargin), static_cast<WORD>(m_rightMargin))));
}

void ucText::applyPasswordChar() {
    send(EM_SETPASSWORDCHAR, m_passwordChar.empty() ? 0 : m_passwordChar.front());
    if (m_edit) InvalidateRect(m_edit, nullptr, TRUE);
}

void ucText::applyLimit() {
    // 0 means no limit: the largest the window takes.
    send(EM_LIMITTEXT,
         m_maxLength == 0 ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(m_maxLength));
}

void ucText::applyCueBanner() {
    send(EM_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(m_cueBanner.c_str()));
}

void ucText::applyFont() {
    if (!m_edit || (m_appliedFont && FontsEqual(m_appliedFont, m_font))) return;
    const HFONT font = createFont();
    send(WM_SETFONT, static_cast<WPARAM>(font.value), TRUE);
    if (m_hfont) DeleteObject(m_hfont);
    m_hfont = font;
    m_appliedFont = m_font ? m_font->clone() : nullptr;
}

void ucText::applyEnabled() {
    if (m_edit) EnableWindow(m_edit, m_enabled ? TRUE : FALSE);
}

// --- Text and selection ---

std::u16string ucText::windowText() const {
    if (!m_edit) return m_cache;
    const int n = GetWindowTextLengthW(m_edit);
    std::u16string text(static_cast<std::size_t>(std::max(n, 0)) + 1, u'\0');
    const int got = GetWindowTextW(m_edit, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

std::u16string ucText::Text() const {
    std::u16string text = windowText();
    const std::size_t nul = text.find(u'\0');
    if (nul != std::u16string::npos) return text.substr(0, nul);
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

void ucText::Text(const std::u16string& value) {
    if (!m_edit) {
        m_cache = value;
    } else if (value != windowText()) {
        const std::weak_ptr<bool> alive = aliveToken();
        m_settingText = true;
        send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
        if (alive.expired()) return;
        m_settingText = false;
        m_dataChanged = true;
        if (!raise(evChange)) return;
    }
    if (m_edit) InvalidateRect(m_edit, nullptr, TRUE);
    PropertyChanged(u"Text");
}

std::int32_t ucText::MaxLength() const {
    if (!m_edit) return m_maxLength;
    const auto limit = static_cast<std::int32_t>(send(EM_GETLIMITTEXT));
    return limit == 0x7FFFFFFE || limit == -1 ? 0 : limit;
}

std::int32_t ucText::SelStart() const {
    DWORD start = 0;
    send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<std::int32_t>(start);
}

void ucText::SelStart(std::int32_t value) {
    send(EM_SETSEL, static_cast<WPARAM>(value), value);
    send(EM_SCROLLCARET);
}

std::int32_t ucText::SelLength() const {
    DWORD start = 0, end = 0;
    send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<std::int32_t>(end) - static_cast<std::int32_t>(start);
}

void ucText::SelLength(std::int32_t value) {
    const std::int32_t start = SelStart();
    send(EM_SETSEL, static_cast<WPARAM>(start), start + value);
}

std::u16string ucText::SelText() const {
    DWORD start = 0, end = 0;
    send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::u16string text = windowText();
    if (end <= start || start >= text.size()) return {};
    return text.substr(start, end - start);
}

void ucText::SelText(const std::u16string& value) {
    send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(value.c_str()));
}

std::int16_t ucText::CharFromPos(std::int32_t x, std::int32_t y) const {
    const LRESULT r =
        send(EM_CHARFROMPOS, 0,
             static_cast<LPARAM>(MAKELONG(static_cast<WORD>(x), static_cast<WORD>(y))));
    return static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(r)));
}

std::int16_t ucText::CurrentColumn() const {
    POINT caret{};
    GetCaretPos(&caret);
    return CharFromPos(caret.x, caret.y);
}

std::int32_t ucText::GetFirstVisibleLine() const {
    return static_cast<std::int32_t>(send(EM_GETFIRSTVISIBLELINE));
}

std::int32_t ucText::LineCount() const {
    return static_cast<std::int32_t>(send(EM_GETLINECOUNT));
}

std::int32_t ucText::LineForCharacterIndex(std::int32_t index) const {
    return static_cast<std::int32_t>(send(EM_LINEFROMCHAR, static_cast<WPARAM>(index)));
}

std::int32_t ucText::ScrollVertical() const {
    if (!(m_scrollBars & sbVertical) || !m_edit) return 0;
    return GetScrollPos(m_edit, SB_VERT);
}

void ucText::ScrollVertical(std::int32_t value) {
    if (!(m_scrollBars & sbVertical) || !m_edit || value < 0 || value >= 32768) return;
    SetScrollPos(m_edit, SB_VERT, value, TRUE);
    PostMessageW(m_edit, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(value)), 0);
}

void ucText::ScrollToLine(std::int32_t line) {
    send(EM_LINESCROLL, 0, line - 1);
    SelStart(static_cast<std::int32_t>(send(EM_LINEINDEX, static_cast<WPARAM>(line - 1))));
}

void ucText::ScrollCaret() {
    send(EM_SCROLLCARET);
    if (m_edit) ShowCaret(m_edit);
}

std::u16string ucText::Name() const {
    const auto& e = Extender();
    if (e.Index() == -1) return e.Name();
    return e.Name() + u"(" + CStr(Variant(static_cast<std::int32_t>(e.Index()))) + u")";
}

bool ucText::IsKeyPressed(std::int32_t vk) {
    return (GetAsyncKeyState(vk) & 0x8000) != 0;
}

std::int16_t ucText::GetShiftMask() {
    return static_cast<std::int16_t>((IsKeyPressed(VK_SHIFT) ? 1 : 0) |
                                     (IsKeyPressed(VK_CONTROL) ? 2 : 0) |
                                     (IsKeyPressed(VK_MENU) ? 4 : 0));
}

// --- The control's own window: notifications and colours ---

bool ucText::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_COMMAND:
            if (!m_edit || lParam != static_cast<LPARAM>(m_edit.value)) return false;
            if (HIWORD(wParam) == EN_CHANGE && !m_settingText) {
                m_dataChanged = true;
                raise(evChange);
            } else if (HIWORD(wParam) == EN_UPDATE) {
                raise(evUpdate);
            }
            result = 0;
            return true;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            if (!m_edit || lParam != static_cast<LPARAM>(m_edit.value)) return false;
            result = colourBrush(HDC(static_cast<std::uint32_t>(wParam)));
            return true;
        case WM_SETFOCUS:
            // The focus belongs to the edit window.
            if (m_edit) SetFocus(m_edit);
            return true;
        case WM_KILLFOCUS:
            return true;
        default:
            return OwnerDrawnControl::handleMessage(msg, wParam, lParam, result);
    }
}

LRESULT ucText::colourBrush(HDC dc) {
    COLORREF text, back;
    if (!m_enabled) {
        text = TranslateColor(vbGrayText);
        back = kDisabledBack;
    } else if (m_locked) {
        text = TranslateColor(m_lockedForeColor);
        back = TranslateColor(m_lockedBackColor);
    } else {
        text = TranslateColor(m_foreColor);
        back = TranslateColor(m_backColor);
    }
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    if (m_brush) DeleteObject(m_brush);
    m_brush = CreateSolidBrush(back);
    return static_cast<LRESULT>(m_brush.value);
}

// --- The edit window's messages ---

void ucText::onEditMessage(SubclassMessage& m) {
    switch (m.uMsg) {
        case WM_KEYDOWN:
            m.handled = onKeyDown(m);
            return;
        case WM_KEYUP: {
            int keyCode = static_cast<int>(m.wParam);
            raiseKey(evKeyUp, keyCode, static_cast<ShiftState>(GetShiftMask()));
            return;
        }
        case WM_CHAR:
            onChar(m);
            return;
        case WM_IME_CHAR: {
            // Typed as any character, so that KeyPress sees it.
            m_pendingChar = static_cast<char16_t>(m.wParam);
            SendMessageW(m.hWnd, WM_CHAR, m.wParam, m.lParam);
            m.handled = true;
            return;
        }
        case WM_UNICHAR:
            m.handled = true;
            if (m.wParam == UNICODE_NOCHAR) {
                m.result = TRUE;
                return;
            }
            if (m.wParam > 0xFFFF) {
                // A character beyond the Basic Multilingual Plane: its surrogate pair.
                const auto c = static_cast<std::uint32_t>(m.wParam) - 0x10000;
                const HWND edit = m.hWnd;
                SendMessageW(edit, WM_CHAR, 0xD800 + (c >> 10), m.lParam);
                if (IsWindow(edit)) SendMessageW(edit, WM_CHAR, 0xDC00 + (c & 0x3FF), m.lParam);
            } else {
                SendMessageW(m.hWnd, WM_CHAR, m.wParam, m.lParam);
            }
            return;
        case WM_CONTEXTMENU: {
            std::vector<Variant> args{Variant(false)};
            if (!raise(evContextMenu, args)) {
                m.handled = true;
                return;
            }
            m.handled = CBool(args[0]);
            return;
        }
        case WM_SETFOCUS:
            onFocus(true);
            return;
        case WM_KILLFOCUS:
            if (HWND(static_cast<std::uint32_t>(m.wParam)) != hWnd()) onFocus(false);
            return;
        default:
            if (m.before)
                onDragMouse(m);
            else
                onMouse(m);
            return;
    }
}

bool ucText::onKeyDown(SubclassMessage& m) {
    m_lastKey = static_cast<int>(m.wParam);
    // The character this key will type, if it types one.
    MSG next{};
    m_pendingChar = 0;
    if (PeekMessageW(&next, m.hWnd, WM_CHAR, WM_DEADCHAR, PM_NOREMOVE) && next.message == WM_CHAR)
        m_pendingChar = static_cast<char16_t>(next.wParam);
    int keyCode = static_cast<int>(m.wParam);
    const std::int16_t shift = GetShiftMask();
    const HWND edit = m.hWnd;
    if (!raiseKey(evKeyDown, keyCode, static_cast<ShiftState>(shift)) || !IsWindow(edit))
        return true;
    if (keyCode == 0) return true;
    m.wParam = static_cast<WPARAM>(keyCode);
    if (keyCode == 'A' && (shift & 2) && !(shift & 4)) {
        SendMessageW(edit, EM_SETSEL, 0, GetWindowTextLengthW(edit));
        return true;
    }
    return false;
}

void ucText::onChar(SubclassMessage& m) {
    if (m_pendingChar) {
        m.wParam = m_pendingChar;
        m_pendingChar = 0;
    }
    int keyAscii = static_cast<std::int16_t>(static_cast<std::uint16_t>(m.wParam));
    const HWND edit = m.hWnd;
    std::vector<Variant> args{Variant(static_cast<std::int16_t>(keyAscii))};
    if (!raise(evKeyPress, args) || !IsWindow(edit)) {
        m.handled = true;
        return;
    }
    const auto c = static_cast<char16_t>(static_cast<std::uint16_t>(CInt(args[0])));
    m.wParam = c;
    // A character set to 0 by the handler is not typed.
    if (c == 0 || (m_locked && c != 3)) {
        m.handled = true;
        return;
    }
    if (c == u'\r' && m_multiLine) {
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"\r\n"));
        m.handled = true;
    }
}

bool ucText::raiseMouse(int event, std::int16_t button, LPARAM lParam) {
    std::vector<Variant> args{Variant(button), Variant(GetShiftMask()),
                              Variant(static_cast<float>(GET_X_LPARAM(lParam))),
                              Variant(static_cast<float>(GET_Y_LPARAM(lParam)))};
    return raise(event, args);
}

void ucText::onMouse(SubclassMessage& m) {
    switch (m.uMsg) {
        case WM_MOUSEMOVE: {
            std::int16_t button = 0;
            if (m.wParam & MK_LBUTTON)
                button = 1;
            else if (m.wParam & MK_RBUTTON)
                button = 2;
            else if (m.wParam & MK_MBUTTON)
                button = 4;
            if (!m_mouseInside) {
                TRACKMOUSEEVENT tme{};
                tme.dwFlags = TME_LEAVE;
                tme.hwndTrack = m.hWnd;
                TrackMouseEvent(&tme);
                m_mouseInside = true;
                showTooltip(tooltipText());
                if (!raise(evMouseEnter)) return;
            }
            raiseMouse(evMouseMove, button, m.lParam);
            return;
        }
        case WM_MOUSELEAVE:
            m_mouseInside = false;
            showTooltip(u"");
            raise(evMouseLeave);
            return;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            raiseMouse(evMouseDown, m.uMsg == WM_LBUTTONDOWN ? 1 : 2, m.lParam);
            return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (raiseMouse(evMouseUp, m.uMsg == WM_LBUTTONUP ? 1 : 2, m.lParam)) raise(evClick);
            return;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            raise(evDblClick);
            return;
        default:
            return;
    }
}

void ucText::onFocus(bool gained) {
    // While the box has the focus the form offers it each key first.
    acceleratorHook(gained);
    if (gained) {
        ShowCaret(m_edit);
    } else {
        m_hexBuffer.clear();
        m_altSeen = false;
    }
}

// --- Keys before the form sees them ---

bool ucText::TranslateAccel(const MSG& msg) {
    if (!userMode() || !m_edit) return false;
    const UINT type = msg.message;
    const WPARAM key = msg.wParam;
    if (m_locked && key == VK_DELETE) return true;
    if ((type == WM_KEYDOWN || type == WM_KEYUP) && key >= VK_PRIOR && key <= VK_DOWN) {
        SendMessageW(m_edit, type, key, msg.lParam);
        return true;
    }
    if (type == WM_KEYDOWN && key == VK_RETURN && m_multiLine) {
        // Enter types a line break instead of pressing the form's default button.
        const HWND edit = m_edit;
        SendMessageW(edit, type, key, msg.lParam);
        if (IsWindow(edit)) TranslateMessage(&msg);
        return true;
    }
    switch (type) {
        case WM_SYSKEYDOWN:
            m_altSeen = true;
            return false;
        case WM_SYSCHAR:
            if (!m_altSeen) return false;
            m_hexBuffer += upper(static_cast<char16_t>(key));
            if (key == 'X' || key == 'x') hexAltX();
            return false;
        case WM_SYSKEYUP:
            hexKeyUp();
            return false;
        default:
            return false;
    }
}

std::u16string ucText::HexToUni(const std::u16string& hex) {
    if (hex.empty() || hex.size() % 4 != 0) return {};
    std::u16string out;
    for (std::size_t i = 0; i < hex.size(); i += 4) {
        unsigned unit = 0;
        for (std::size_t j = i; j < i + 4; ++j) {
            const char16_t d = hex[j];
            if (!isHexDigit(d)) return {};
            unit = unit * 16 + static_cast<unsigned>(d <= u'9' ? d - u'0' : d - u'A' + 10);
        }
        out += static_cast<char16_t>(unit);
    }
    return out;
}

// Alt held while typing four hex digits: the character goes in at the caret as Alt goes up.
void ucText::hexKeyUp() {
    if (m_hexBuffer.size() != 4) return;
    const std::u16string unit = HexToUni(m_hexBuffer);
    m_hexBuffer.clear();
    if (!unit.empty()) insertAtCaret(unit, CurrentColumn());
}

void ucText::insertAtCaret(const std::u16string& units, std::int32_t column) {
    const std::u16string text = windowText();
    const auto at = static_cast<std::size_t>(
        std::clamp<std::int32_t>(column, 0, static_cast<std::int32_t>(text.size())));
    const std::weak_ptr<bool> alive = aliveToken();
    Text(text.substr(0, at) + units + text.substr(at));
    // A Change handler may have removed the control.
    if (!alive.expired()) SelStart(static_cast<std::int32_t>(at + units.size()));
}

// Alt+X: the four hex digits before the caret become the character they encode.
void ucText::hexAltX() {
    const std::int32_t c = CurrentColumn();
    if (c < 4) return;
    const std::u16string text = windowText();
    if (static_cast<std::size_t>(c) > text.size()) return;
    std::u16string digits = text.substr(static_cast<std::size_t>(c) - 4, 4);
    for (char16_t& d : digits)
        d = upper(d);
    const std::u16string unit = HexToUni(digits);
    if (unit.empty()) return;
    m_hexBuffer.clear();
    const std::weak_ptr<bool> alive = aliveToken();
    Text(text.substr(0, static_cast<std::size_t>(c) - 4) + unit +
         text.substr(static_cast<std::size_t>(c)));
    if (!alive.expired()) SelStart(c - 3);
}

}  // namespace orvane

namespace orvane {

// --- Drag and drop ---

std::int32_t ucText::indexAt(int x, int y) const {
    const LRESULT r =
        send(EM_CHARFROMPOS, 0,
             static_cast<LPARAM>(MAKELONG(static_cast<WORD>(x), static_cast<WORD>(y))));
    return static_cast<std::int32_t>(LOWORD(static_cast<std::uintptr_t>(r)));
}

void ucText::onDragMouse(SubclassMessage& m) {
    const POINT pt{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
    switch (m.uMsg) {
        case WM_LBUTTONDOWN: {
            if (m_oleDragMode != 1 || SelLength() <= 0) return;
            const std::int32_t at = indexAt(pt.x, pt.y), start = SelStart();
            if (at < start || at >= start + SelLength()) return;
            // The press stays with us (the edit would drop the selection) until the pointer
            // moves far enough to drag, or the button comes up.
            m_dragPending = true;
            m_pressAt = pt;
            SetFocus(m.hWnd);
            SetCapture(m.hWnd);
            m.handled = true;  // MouseDown is raised after, as for any press
            return;
        }
        case WM_MOUSEMOVE: {
            if (!m_dragPending) return;
            m.handled = true;
            if (std::abs(pt.x - m_pressAt.x) <= GetSystemMetrics(SM_CXDRAG) &&
                std::abs(pt.y - m_pressAt.y) <= GetSystemMetrics(SM_CYDRAG))
                return;
            m_dragPending = false;
            ReleaseCapture();
            const std::weak_ptr<bool> alive = aliveToken();
            m_dragging = true;
            m_dragStart = SelStart();
            m_dragLength = SelLength();
            m_droppedAt = -1;
            OLEDrag();
            if (!alive.expired()) m_dragging = false;
            return;
        }
        case WM_LBUTTONUP:
            if (!m_dragPending) return;
            // No drag after all: a plain click puts the caret there.
            m_dragPending = false;
            ReleaseCapture();
            {
                const std::int32_t at = indexAt(pt.x, pt.y);
                send(EM_SETSEL, static_cast<WPARAM>(at), at);
            }
            m.handled = true;  // MouseUp and Click are raised after, as for any release
            return;
        default:
            return;
    }
}

void ucText::OLEStartDrag(const std::shared_ptr<DataObject>& data, std::int32_t& allowedEffects) {
    const std::u16string text = SelLength() > 0 ? SelText() : Text();
    std::vector<std::uint8_t> units(text.size() * sizeof(char16_t));
    if (!units.empty()) std::memcpy(units.data(), text.data(), units.size());
    data->SetData(Variant(std::move(units)), Variant(std::int32_t{CF_UNICODETEXT}));
    raiseOLEStartDrag(evOLEStartDrag, data, allowedEffects);
}

void ucText::OLEGiveFeedback(std::int32_t& effect, bool& defaultCursors) {
    if (!raiseOLEGiveFeedback(evOLEGiveFeedback, effect, defaultCursors)) return;
}

void ucText::OLEDragOver(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                         MouseButtons button, ShiftState shift, double x, double y,
                         std::int32_t state) {
    raiseOLEDragOver(evOLEDragOver, data, effect, button, shift, x, y, state);
}

void ucText::OLEDragDrop(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                         MouseButtons button, ShiftState shift, double x, double y) {
    raiseOLEDragDrop(evOLEDragDrop, data, effect, button, shift, x, y);
}

void ucText::OLECompleteDrag(std::int32_t& effect) {
    if (!raiseOLECompleteDrag(evOLECompleteDrag, effect)) return;
    // An automatic drag that moved the text takes it away here (after a drop into this same
    // box before it, the dragged text now sits further on).
    if (!m_dragging || !(effect & vbDropEffectMove) || !m_edit) return;
    std::int32_t start = m_dragStart;
    if (m_droppedAt >= 0 && m_droppedAt <= start) start += m_dragLength;
    send(EM_SETSEL, static_cast<WPARAM>(start), start + m_dragLength);
    send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u""));
}

void ucText::OLESetData(const std::shared_ptr<DataObject>& data, std::int32_t& dataFormat) {
    raiseOLESetData(evOLESetData, data, dataFormat);
}

bool ucText::acceptsTextDrop() const {
    return m_edit != HWND();
}

void ucText::dropText(const std::u16string& text, double x, double y, std::int32_t& effect) {
    if (!m_edit || m_locked || !m_enabled) {
        effect = vbDropEffectNone;
        return;
    }
    const int px = static_cast<int>(ScaleX(x, ScaleMode(), orvane::ScaleMode::Pixels));
    const int py = static_cast<int>(ScaleY(y, ScaleMode(), orvane::ScaleMode::Pixels));
    std::int32_t at = indexAt(px, py);
    if (m_dragging) {
        // Dropped on its own selection: nothing moves.
        if (at >= m_dragStart && at <= m_dragStart + m_dragLength) {
            effect = vbDropEffectNone;
            return;
        }
        m_droppedAt = at;
    }
    send(EM_SETSEL, static_cast<WPARAM>(at), at);
    send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    SetFocus(m_edit);
}

}  // namespace orvane
