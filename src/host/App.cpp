#include "host/App.h"

#include <unistd.h>

#include <string>

#include "platform/user/User.h"

namespace orvane {

namespace {

std::u16string fromUtf8(const std::string& s) {
    std::u16string out;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp;
        int n;
        if (c < 0x80) {
            cp = c;
            n = 1;
        } else if ((c >> 5) == 6 && i + 1 < s.size()) {
            cp = ((c & 0x1F) << 6) | (s[i + 1] & 0x3F);
            n = 2;
        } else if ((c >> 4) == 14 && i + 2 < s.size()) {
            cp = ((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
            n = 3;
        } else if ((c >> 3) == 30 && i + 3 < s.size()) {
            cp = ((c & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) |
                 (s[i + 3] & 0x3F);
            n = 4;
        } else {
            cp = 0xFFFD;
            n = 1;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += static_cast<std::size_t>(n);
    }
    return out;
}

}  // namespace

App& App::current() {
    static App app;
    return app;
}

App::App() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string exe = n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string(".");
    const auto slash = exe.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : exe.substr(0, slash));
    std::string name = slash == std::string::npos ? exe : exe.substr(slash + 1);
    if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
    m_path = fromUtf8(folder);
    m_title = fromUtf8(name);
}

platform::HINSTANCE App::hInstance() const {
    return platform::GetModuleHandleW(nullptr);
}

platform::DWORD App::ThreadID() const {
    return platform::GetCurrentThreadId();
}

int TwipsPerPixelX() {
    return 1440 / static_cast<int>(platform::GetDpiForSystem());
}
int TwipsPerPixelY() {
    return 1440 / static_cast<int>(platform::GetDpiForSystem());
}

}  // namespace orvane
