#include "host/App.h"

#include <unistd.h>

#include <string>

#include "platform/base/CodePages.h"
#include "platform/user/User.h"

namespace orvane {

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
    m_path = platform::FromUtf8(folder);
    m_title = platform::FromUtf8(name);
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
