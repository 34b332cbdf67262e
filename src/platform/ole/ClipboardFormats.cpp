// Registered clipboard formats: names kept for the life of the process, matched without
// regard to case, as Windows' atoms match them.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/base/LastError.h"
#include "platform/ole/Ole.h"
#include "platform/text/CharCase.h"

namespace orvane::platform {

namespace {

std::vector<std::u16string>& names() {
    static std::vector<std::u16string> n;
    return n;
}

std::u16string folded(std::u16string s) {
    if (!s.empty()) CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

}  // namespace

UINT RegisterClipboardFormatW(LPCWSTR name) {
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::u16string key = folded(name);
    auto& list = names();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (folded(list[i]) == key) return kFirstRegisteredFormat + static_cast<UINT>(i);
    if (list.size() >= 0x3FFF) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    list.emplace_back(name);
    return kFirstRegisteredFormat + static_cast<UINT>(list.size() - 1);
}

int GetClipboardFormatNameW(UINT format, LPWSTR buffer, int capacity) {
    const auto& list = names();
    if (format < kFirstRegisteredFormat || format - kFirstRegisteredFormat >= list.size() ||
        !buffer || capacity <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::u16string& name = list[format - kFirstRegisteredFormat];
    const int n = std::min(static_cast<int>(name.size()), capacity - 1);
    std::copy_n(name.begin(), n, buffer);
    buffer[n] = u'\0';
    return n;
}

}  // namespace orvane::platform
