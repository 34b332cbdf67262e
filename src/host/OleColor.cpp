#include "host/OleColor.h"

#include "host/Error.h"
#include "platform/platform.h"

namespace orvane {

platform::COLORREF TranslateColor(OLE_COLOR color) {
    if ((color & 0x80000000u) == 0) {
        if (color > 0xFFFFFFu) throw Error::standard(errors::InvalidPropertyValue);
        return color;
    }
    const OLE_COLOR index = color & 0x7FFFFFFFu;
    if (index > 30) throw Error::standard(errors::InvalidPropertyValue);
    return platform::GetSysColor(static_cast<int>(index));
}

}  // namespace orvane
