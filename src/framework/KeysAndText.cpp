#include "framework/KeysAndText.h"

#include "host/Error.h"
#include "platform/base/CodePages.h"
#include "platform/base/LastError.h"
#include "platform/text/CharCase.h"
#include "platform/user/User.h"

namespace orvane {

std::u16string GetAccessKey(const std::u16string& caption) {
    std::u16string text;
    text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size() && caption[i + 1] == u'&') {
            ++i;  // "&&" goes
            continue;
        }
        text += caption[i];
    }
    const std::size_t amp = text.find(u'&');
    if (amp == std::u16string::npos || amp + 1 >= text.size()) return u"";
    return text.substr(amp + 1, 1);
}

int AccessKeyChar(const std::u16string& caption) {
    if (caption.find(u'&') == std::u16string::npos) return 0;
    std::u16string key = GetAccessKey(caption);
    if (key.empty()) return 0;
    platform::CharLowerBuffW(key.data(), 1);
    return static_cast<int>(key[0]);
}

std::u16string ShortcutText(int keyCode, int shift) {
    if (keyCode == 0) return u"";
    std::u16string text;
    if (shift & 2) text += u"Ctrl+";
    if (shift & 1) text += u"Shift+";
    if (shift & 4) text += u"Alt+";
    if (keyCode == 46) return text + u"Del";
    char16_t name[256] = {};
    const platform::UINT scan =
        platform::MapVirtualKeyW(static_cast<platform::UINT>(keyCode), platform::MAPVK_VK_TO_VSC);
    const int n = platform::GetKeyNameTextW(static_cast<platform::LONG>(scan << 16), name, 256);
    // Proper case: the first letter of each word upper case, the rest lower case.
    platform::CharLowerBuffW(name, static_cast<platform::DWORD>(n));
    for (int i = 0; i < n; ++i)
        if (i == 0 || name[i - 1] == u' ') platform::CharUpperBuffW(name + i, 1);
    return text + std::u16string(name, static_cast<std::size_t>(n));
}

std::vector<std::uint8_t> ToUTF8(const std::u16string& text) {
    const int length = static_cast<int>(text.size());
    const int needed = platform::WideCharToMultiByte(platform::CP_UTF8, 0, text.data(), length,
                                                     nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        throw Error(static_cast<std::int32_t>(platform::GetLastError()), u"ToUTF8",
                    u"WideCharToMultiByte");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(needed));
    platform::WideCharToMultiByte(platform::CP_UTF8, 0, text.data(), length,
                                  reinterpret_cast<char*>(bytes.data()), needed, nullptr, nullptr);
    return bytes;
}

std::u16string FromUTF8(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) return u"";
    const auto* src = reinterpret_cast<const char*>(bytes.data());
    const int length = static_cast<int>(bytes.size());
    const int needed = platform::MultiByteToWideChar(platform::CP_UTF8, 0, src, length, nullptr, 0);
    std::u16string text(static_cast<std::size_t>(std::max(needed, 0)), u'\0');
    if (needed > 0)
        platform::MultiByteToWideChar(platform::CP_UTF8, 0, src, length, text.data(), needed);
    return text;
}

std::int16_t ShiftKeysHeld() {
    using namespace platform;
    return static_cast<std::int16_t>((GetKeyState(VK_SHIFT) < 0 ? 1 : 0) |
                                     (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                                     (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

}  // namespace orvane
