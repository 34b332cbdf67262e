#include "host/FormKeyHook.h"

#include <algorithm>
#include <vector>

#include "host/Form.h"

namespace orvane {

using namespace platform;

namespace {

struct HookState {
    HHOOK hook;
    std::vector<Form*> forms;
};

HookState& hookState() {
    static HookState s;
    return s;
}

bool isKeyMessage(UINT msg) {
    return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR || msg == WM_SYSKEYDOWN ||
           msg == WM_SYSKEYUP || msg == WM_SYSCHAR;
}

}  // namespace

void FormKeyHook::attach(Form& form) {
    HookState& s = hookState();
    s.forms.push_back(&form);
    if (!s.hook)
        s.hook = SetWindowsHookExW(WH_GETMESSAGE, &FormKeyHook::hookProc, HINSTANCE(),
                                   GetCurrentThreadId());
}

void FormKeyHook::detach(Form& form) {
    HookState& s = hookState();
    std::erase(s.forms, &form);
    if (s.forms.empty() && s.hook) {
        UnhookWindowsHookEx(s.hook);
        s.hook = HHOOK();
    }
}

LRESULT FormKeyHook::hookProc(int code, WPARAM wParam, LPARAM lParam) {
    HookState& s = hookState();
    auto* msg = reinterpret_cast<MSG*>(lParam);
    GUITHREADINFO gui{};
    if (code == HC_ACTION && wParam == PM_REMOVE && msg && isKeyMessage(msg->message) &&
        GetGUIThreadInfo(0, &gui) && !(gui.flags & (GUI_INMENUMODE | GUI_INMOVESIZE))) {
        // A form may go while it handles the key: the list is copied.
        const std::vector<Form*> forms = s.forms;
        for (Form* f : forms) {
            if (std::find(s.forms.begin(), s.forms.end(), f) == s.forms.end()) continue;
            if (f->preTranslateKey(*msg)) {
                msg->message = WM_NULL;
                break;
            }
        }
    }
    return CallNextHookEx(s.hook, code, wParam, lParam);
}

}  // namespace orvane
