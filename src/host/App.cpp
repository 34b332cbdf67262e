#include "host/App.h"

#include <unistd.h>

#include <string>

#include "host/Error.h"
#include "platform/base/CodePages.h"
#include "platform/base/EventLog.h"
#include "platform/user/User.h"
#include "resources/EmbeddedResources.h"

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

namespace {

std::u16string upper(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return out;
}

}  // namespace

void App::AddResource(int id, std::u16string type, std::vector<std::uint8_t> data) {
    m_resources[{id, upper(type)}] = std::move(data);
}

void App::RemoveResource(int id, std::u16string_view type) {
    m_resources.erase({id, upper(type)});
}

void App::LogEvent(const std::u16string& text, std::int32_t type) {
    using namespace platform;
    const std::u16string source = m_title.empty() ? u"Orvane" : m_title;
    const HANDLE log = RegisterEventSourceW(nullptr, source.c_str());
    if (!log) return;
    const WORD kind = type == vbLogEventTypeError     ? EVENTLOG_ERROR_TYPE
                      : type == vbLogEventTypeWarning ? EVENTLOG_WARNING_TYPE
                                                      : EVENTLOG_INFORMATION_TYPE;
    LPCWSTR strings[] = {text.c_str()};
    ReportEventW(log, kind, 0, 0, nullptr, 1, 0, strings, nullptr);
    DeregisterEventSource(log);
}

std::vector<std::uint8_t> App::LoadResData(int id, std::u16string_view type) const {
    auto it = m_resources.find({id, upper(type)});
    if (it != m_resources.end()) return it->second;
    // The program's own resources come first; then those the library carries.
    const auto embedded = resources::FindEmbedded(id, type);
    if (embedded.empty()) {
        const std::string number = std::to_string(id);
        throw Error(errors::ResourceNotFound, u"LoadResData",
                    u"Resource with identifier '" + std::u16string(number.begin(), number.end()) +
                        u"' not found");
    }
    return {embedded.begin(), embedded.end()};
}

int TwipsPerPixelX() {
    return 1440 / static_cast<int>(platform::GetDpiForSystem());
}
int TwipsPerPixelY() {
    return 1440 / static_cast<int>(platform::GetDpiForSystem());
}

}  // namespace orvane
