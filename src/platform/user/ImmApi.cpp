#include "platform/user/Imm.h"

#include <algorithm>
#include <cstring>

#include "platform/base/LastError.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

// The thread's one input context.
constexpr std::uint32_t kContext = 1;

struct ImeState {
    std::u16string composition;
    std::u16string result;
    int cursor = 0;
    bool composing = false;
    HWND composingWindow;
    COMPOSITIONFORM form;
    std::function<void(const RECT&)> bridge;
};

ImeState& ime() {
    static ImeState state;
    return state;
}

LONG copyOut(const std::u16string& s, void* buffer, DWORD bytes) {
    const auto size = static_cast<LONG>(s.size() * sizeof(char16_t));
    if (!buffer || bytes == 0) return size;
    const DWORD n = std::min<DWORD>(bytes, static_cast<DWORD>(size)) & ~DWORD{1};
    std::memcpy(buffer, s.data(), n);
    return static_cast<LONG>(n);
}

void endComposition() {
    ImeState& s = ime();
    if (!s.composing) return;
    const HWND w = s.composingWindow;
    s.composing = false;
    s.composition.clear();
    s.cursor = 0;
    s.composingWindow = HWND();
    if (IsWindow(w)) SendMessageW(w, WM_IME_ENDCOMPOSITION, 0, 0);
}

}  // namespace

HIMC ImmGetContext(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return HIMC();
    }
    return HIMC(kContext);
}

BOOL ImmReleaseContext(HWND, HIMC himc) {
    return himc.value == kContext ? TRUE : FALSE;
}

LONG ImmGetCompositionStringW(HIMC himc, DWORD index, void* buffer, DWORD bytes) {
    if (himc.value != kContext) return IMM_ERROR_GENERAL;
    const ImeState& s = ime();
    switch (index) {
        case GCS_COMPSTR:
            return copyOut(s.composition, buffer, bytes);
        case GCS_RESULTSTR:
            return copyOut(s.result, buffer, bytes);
        case GCS_CURSORPOS:
            return s.cursor;
        default:
            ReportUnsupported("ImmGetCompositionStringW", "index", ERROR_INVALID_PARAMETER);
            return IMM_ERROR_GENERAL;
    }
}

BOOL ImmSetCompositionWindow(HIMC himc, const COMPOSITIONFORM* form) {
    if (himc.value != kContext || !form) return FALSE;
    if (form->dwStyle & ~(CFS_POINT | CFS_FORCE_POSITION)) {
        ReportUnsupported("ImmSetCompositionWindow", "styles", ERROR_INVALID_FLAGS);
        return FALSE;
    }
    ImeState& s = ime();
    s.form = *form;
    // The point is in the focus window's client area; the display wants the screen.
    const HWND focus = GetFocus();
    if (s.bridge && focus) {
        POINT p = form->ptCurrentPos;
        ClientToScreen(focus, &p);
        s.bridge(RECT{p.x, p.y, p.x + 1, p.y + 1});
    }
    return TRUE;
}

BOOL ImmGetCompositionWindow(HIMC himc, COMPOSITIONFORM* form) {
    if (himc.value != kContext || !form) return FALSE;
    *form = ime().form;
    return TRUE;
}

void ImeCompose(const std::u16string& text, int cursor) {
    ImeState& s = ime();
    if (text.empty()) return endComposition();
    const HWND focus = GetFocus();
    if (!focus) return;
    if (s.composing && s.composingWindow != focus) endComposition();
    if (!s.composing) {
        s.composing = true;
        s.composingWindow = focus;
        SendMessageW(focus, WM_IME_STARTCOMPOSITION, 0, 0);
        if (!IsWindow(focus)) return;
    }
    s.composition = text;
    s.cursor = std::clamp(cursor, 0, static_cast<int>(text.size()));
    SendMessageW(focus, WM_IME_COMPOSITION, text.back(), GCS_COMPSTR | GCS_CURSORPOS);
}

void ImeCommit(const std::u16string& text) {
    ImeState& s = ime();
    const HWND focus = GetFocus();
    if (focus && !text.empty()) {
        s.result = text;
        s.composition.clear();
        SendMessageW(focus, WM_IME_COMPOSITION, text.back(), GCS_RESULTSTR);
    }
    endComposition();
}

void SetImeBridge(std::function<void(const RECT&)> placeCandidates) {
    ime().bridge = std::move(placeCandidates);
}

void resetIme() {
    ImeState& s = ime();
    auto bridge = std::move(s.bridge);
    s = ImeState{};
    s.bridge = std::move(bridge);
}

}  // namespace orvane::platform
