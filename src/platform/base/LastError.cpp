#include "platform/base/LastError.h"

#include <cstdio>

namespace orvane::platform {

namespace {
thread_local DWORD t_lastError = 0;
}

DWORD GetLastError() {
    return t_lastError;
}

void SetLastError(DWORD code) {
    t_lastError = code;
}

void ReportUnsupported(const char* call, const char* what, DWORD code) {
    t_lastError = code;
#ifndef NDEBUG
    std::fprintf(stderr, "orvane platform: %s: unsupported %s\n", call, what);
#else
    (void)call;
    (void)what;
#endif
}

}  // namespace orvane::platform
