// Text handed out in a caller's buffer, as the Windows calls do it: cut to fit and ended with a
// null.
#pragma once

#include <algorithm>
#include <string_view>

namespace orvane::platform {

// Copies `text` into `buffer` of `size` units, cut to `size - 1` and ended with a null; the
// units copied (0 without a buffer or room).
inline int CopyToBuffer(std::u16string_view text, char16_t* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    const int n = std::min(static_cast<int>(text.size()), size - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = 0;
    return n;
}

}  // namespace orvane::platform
