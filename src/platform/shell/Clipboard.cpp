#include "platform/shell/Clipboard.h"

#include <cstring>

#include "platform/base/LastError.h"

namespace orvane::platform {

namespace {

struct ClipboardState {
    bool open = false;
    HWND opener;
    HWND owner;
    HGLOBAL text;  // CF_UNICODETEXT, owned by the clipboard
    ClipboardBridge bridge;
};

ClipboardState& clip() {
    static ClipboardState c;
    return c;
}

bool requireOpen() {
    if (clip().open) return true;
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return false;
}

void dropText() {
    if (clip().text) GlobalFree(clip().text);
    clip().text = HGLOBAL();
}

// The text of a block: UTF-16 up to the first NUL or the block's end.
std::u16string textOf(HGLOBAL block) {
    const SIZE_T bytes = GlobalSize(block);
    const auto* p = static_cast<const char16_t*>(GlobalLock(block));
    std::u16string text;
    if (p) {
        const SIZE_T n = bytes / 2;
        SIZE_T len = 0;
        while (len < n && p[len])
            ++len;
        text.assign(p, len);
        GlobalUnlock(block);
    }
    return text;
}

HGLOBAL blockOf(const std::u16string& text) {
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * 2);
    if (auto* p = static_cast<char16_t*>(GlobalLock(block))) {
        std::memcpy(p, text.data(), text.size() * 2);
        p[text.size()] = u'\0';
        GlobalUnlock(block);
    }
    return block;
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
    ClipboardState& c = clip();
    if (c.open) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    c.open = true;
    c.opener = owner;
    return TRUE;
}

BOOL CloseClipboard() {
    if (!requireOpen()) return FALSE;
    clip().open = false;
    clip().opener = HWND();
    return TRUE;
}

BOOL EmptyClipboard() {
    if (!requireOpen()) return FALSE;
    dropText();
    clip().owner = clip().opener;
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    if (!requireOpen()) return HANDLE();
    if (format != CF_UNICODETEXT || !data || !GlobalSize(data)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HANDLE();
    }
    dropText();
    clip().text = data;
    if (clip().bridge.publish) clip().bridge.publish(textOf(data));
    return data;
}

HANDLE GetClipboardData(UINT format) {
    if (!requireOpen()) return HANDLE();
    if (format != CF_UNICODETEXT) return HANDLE();
    // The desktop's text, when there is a desktop, replaces what the platform kept.
    if (clip().bridge.fetch) {
        if (const auto text = clip().bridge.fetch()) {
            if (!clip().text || textOf(clip().text) != *text) {
                dropText();
                clip().text = blockOf(*text);
            }
        }
    }
    return clip().text;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    if (format != CF_UNICODETEXT) return FALSE;
    if (clip().bridge.fetch && clip().bridge.fetch()) return TRUE;
    return clip().text ? TRUE : FALSE;
}

HWND GetClipboardOwner() {
    return clip().owner;
}

void SetClipboardBridge(ClipboardBridge bridge) {
    clip().bridge = std::move(bridge);
}

void resetClipboard() {
    dropText();
    ClipboardState fresh;
    fresh.bridge = std::move(clip().bridge);
    clip() = std::move(fresh);
}

}  // namespace orvane::platform
