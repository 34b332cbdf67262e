// Message boxes. Without a display that can show one, the box is answered by the handler a
// test or application installs; by default it takes the box's default button.
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

MessageBoxHandler& handler() {
    static MessageBoxHandler h;
    return h;
}

std::vector<MessageBoxRecord>& records() {
    static std::vector<MessageBoxRecord> r;
    return r;
}

int defaultAnswer(UINT type) {
    static const int kButtons[][3] = {
        {IDOK, IDOK, IDOK},      {IDOK, IDCANCEL, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO, IDNO},        {IDRETRY, IDCANCEL, IDCANCEL},
    };
    const UINT kind = type & 0xF;
    const UINT def = (type >> 8) & 0xF;
    if (kind > 5) return IDOK;
    return kButtons[kind][def > 2 ? 0 : def];
}

}  // namespace

void SetMessageBoxHandler(MessageBoxHandler h) {
    handler() = std::move(h);
}

int MessageBoxW(HWND hwnd, LPCWSTR text, LPCWSTR caption, UINT type) {
    if (hwnd && !user::window(hwnd)) return 0;
    if ((type & 0xF) > 5) {
        ReportUnsupported("MessageBoxW", "button set", ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::u16string t = text ? text : u"";
    const std::u16string c = caption ? caption : u"Error";
    const int answer = handler() ? handler()(hwnd, t, c, type) : defaultAnswer(type);
    records().push_back(MessageBoxRecord{hwnd, t, c, type, answer});
    return answer;
}

BOOL MessageBeep(UINT) {
    return TRUE;
}

const std::vector<MessageBoxRecord>& MessageBoxRecords() {
    return records();
}

void ClearMessageBoxRecords() {
    records().clear();
}

}  // namespace orvane::platform
