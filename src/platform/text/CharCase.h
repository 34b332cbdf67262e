// Case mapping of UTF-16 text in place, character by character, as the system does it for
// every script (not only ASCII): CharLowerBuffW and CharUpperBuffW.
#pragma once

#include "platform/base/Types.h"

namespace orvane::platform {

// Each returns the number of code units processed. Surrogate pairs map as one character when
// the mapping keeps to one pair; characters whose other case needs more units stay as they are.
DWORD CharLowerBuffW(LPWSTR text, DWORD length);
DWORD CharUpperBuffW(LPWSTR text, DWORD length);

}  // namespace orvane::platform
