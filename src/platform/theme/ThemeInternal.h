// What the theme's own files share: the class an open theme handle was opened for.
#pragma once

#include <string>

#include "platform/theme/Theme.h"

namespace orvane::platform::theme {

// The upper-case class of an open theme, or null for a null or closed handle.
const std::u16string* openClass(HTHEME theme);

}  // namespace orvane::platform::theme
