#include "platform/theme/Theme.h"

#include <map>
#include <string>

#include "platform/base/LastError.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/CharCase.h"
#include "platform/text/DrawText.h"
#include "platform/theme/ThemeImageCache.h"
#include "platform/theme/ThemeInternal.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

constexpr int kColorCount = 31;

struct ThemeState {
    bool active = true;
    std::uint32_t next = 1;
    std::map<std::uint32_t, std::u16string> open;  // handle value -> class
};

ThemeState& state() {
    static ThemeState s;
    return s;
}

constexpr const char16_t* kClasses[] = {
    u"BUTTON", u"EDIT",      u"LISTBOX", u"COMBOBOX", u"LISTVIEW",   u"TREEVIEW", u"HEADER",
    u"TAB",    u"TOOLBAR",   u"STATUS",  u"PROGRESS", u"TRACKBAR",   u"SPIN",     u"TOOLTIP",
    u"WINDOW", u"SCROLLBAR", u"MENU",    u"REBAR",    u"DATEPICKER", u"MONTHCAL", u"TEXTSTYLE"};

std::u16string upper(std::u16string_view s) {
    std::u16string out(s);
    CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

bool valid(HTHEME theme) {
    return theme && state().open.count(theme.value) != 0;
}

// The colour a part's text takes in a state: grey when disabled (state 4 of most parts).
COLORREF partTextColor(const std::u16string& cls, int state) {
    if (state == 4 && (cls == u"BUTTON" || cls == u"EDIT" || cls == u"COMBOBOX"))
        return GetDefaultSysColor(COLOR_GRAYTEXT);
    if (cls == u"TOOLTIP") return GetDefaultSysColor(COLOR_INFOTEXT);
    if (cls == u"EDIT" || cls == u"LISTVIEW" || cls == u"TREEVIEW" || cls == u"LISTBOX")
        return GetDefaultSysColor(COLOR_WINDOWTEXT);
    return GetDefaultSysColor(COLOR_BTNTEXT);
}

}  // namespace

namespace theme {

const std::u16string* openClass(HTHEME theme) {
    if (!theme) return nullptr;
    const auto it = state().open.find(theme.value);
    return it == state().open.end() ? nullptr : &it->second;
}

}  // namespace theme

void resetThemes() {
    state() = ThemeState{};
    ThemeImageCache::shared().clear();
}

BOOL IsThemeActive() {
    return state().active ? TRUE : FALSE;
}

HRESULT EnableTheming(BOOL enable) {
    state().active = enable != FALSE;
    return S_OK;
}

HTHEME OpenThemeData(HWND, LPCWSTR classList) {
    ThemeState& s = state();
    if (!s.active || !classList) return HTHEME();
    std::u16string_view list(classList);
    while (!list.empty()) {
        const std::size_t end = list.find(u';');
        std::u16string name = upper(list.substr(0, end));
        // "Explorer::ListView" names a sub-style of a class: the class is what counts.
        if (const std::size_t colons = name.find(u"::"); colons != std::u16string::npos)
            name = name.substr(colons + 2);
        for (const char16_t* known : kClasses) {
            if (name != known) continue;
            const std::uint32_t value = s.next++;
            s.open.emplace(value, name);
            return HTHEME(value);
        }
        if (end == std::u16string_view::npos) break;
        list = list.substr(end + 1);
    }
    SetLastError(ERROR_NOT_FOUND);
    return HTHEME();
}

HRESULT SetWindowTheme(HWND hwnd, LPCWSTR subAppName, LPCWSTR subIdList) {
    if (!IsWindow(hwnd)) return E_HANDLE;
    // One look serves every application name; the "Explorer" style is that look.
    const bool known = !subAppName || upper(subAppName) == u"EXPLORER" || subAppName[0] == 0;
    if (!known || (subIdList && subIdList[0] != 0)) {
        ReportUnsupported("SetWindowTheme", "application names other than \"explorer\"");
        return E_INVALIDARG;
    }
    return S_OK;
}

HRESULT CloseThemeData(HTHEME theme) {
    return state().open.erase(theme.value) ? S_OK : E_INVALIDARG;
}

COLORREF GetThemeSysColor(HTHEME theme, int colorId) {
    if (colorId < 0 || colorId >= kColorCount) return 0;
    if (!valid(theme)) return GetSysColor(colorId);
    return GetDefaultSysColor(colorId);
}

HRESULT GetThemeTextExtent(HTHEME theme, HDC hdc, int, int, LPCWSTR text, int count, DWORD flags,
                           const RECT* bounding, RECT* extent) {
    if (!valid(theme) || !text || !extent) return E_INVALIDARG;
    RECT rc = bounding ? *bounding : RECT{0, 0, 0, 0};
    if (!DrawTextW(hdc, text, count, &rc, flags | DT_CALCRECT) && count != 0) return E_FAIL;
    *extent = rc;
    return S_OK;
}

HRESULT DrawThemeTextEx(HTHEME theme, HDC hdc, int part, int stateId, LPCWSTR text, int count,
                        DWORD flags, RECT* rect, const DTTOPTS* options) {
    if (!valid(theme) || !text || !rect) return E_INVALIDARG;
    DWORD what = 0;
    if (options) {
        if (options->dwSize != sizeof(DTTOPTS)) return E_INVALIDARG;
        what = options->dwFlags;
        if (what & ~(DTT_TEXTCOLOR | DTT_CALCRECT)) return E_INVALIDARG;
    }
    (void)part;
    if (what & DTT_CALCRECT) {
        DrawTextW(hdc, text, count, rect, flags | DT_CALCRECT);
        return S_OK;
    }
    const COLORREF colour = (what & DTT_TEXTCOLOR)
                                ? options->crText
                                : partTextColor(state().open[theme.value], stateId);
    const COLORREF oldColour = SetTextColor(hdc, colour);
    const int oldMode = SetBkMode(hdc, TRANSPARENT);
    RECT rc = *rect;
    const int drawn = DrawTextW(hdc, text, count, &rc, flags);
    SetBkMode(hdc, oldMode);
    SetTextColor(hdc, oldColour);
    return drawn || count == 0 ? S_OK : E_FAIL;
}

HRESULT DrawThemeText(HTHEME theme, HDC hdc, int part, int stateId, LPCWSTR text, int count,
                      DWORD flags, DWORD flags2, const RECT* rect) {
    if (flags2 != 0 || !rect) return E_INVALIDARG;  // the second flags are reserved
    RECT rc = *rect;
    return DrawThemeTextEx(theme, hdc, part, stateId, text, count, flags, &rc, nullptr);
}

}  // namespace orvane::platform
