#include "platform/text/CharCase.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace orvane::platform {

namespace {

template <class Map>
DWORD mapCase(LPWSTR text, DWORD length, Map map) {
    if (!text) return 0;
    DWORD i = 0;
    while (i < length) {
        UChar32 c;
        DWORD next = i;
        U16_NEXT(text, next, length, c);
        const UChar32 m = map(c);
        // Only mappings that keep the number of code units are made in place.
        if (U16_LENGTH(m) == static_cast<int>(next - i)) {
            DWORD at = i;
            U16_APPEND_UNSAFE(text, at, m);
        }
        i = next;
    }
    return length;
}

}  // namespace

DWORD CharLowerBuffW(LPWSTR text, DWORD length) {
    return mapCase(text, length, [](UChar32 c) { return u_tolower(c); });
}

DWORD CharUpperBuffW(LPWSTR text, DWORD length) {
    return mapCase(text, length, [](UChar32 c) { return u_toupper(c); });
}

}  // namespace orvane::platform
