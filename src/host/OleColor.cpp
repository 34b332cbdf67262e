#include "host/OleColor.h"

#include "host/Error.h"
#include "platform/platform.h"

namespace orvane {

platform::COLORREF TranslateColor(OLE_COLOR color) {
    platform::COLORREF rgb = 0;
    if (platform::FAILED(platform::OleTranslateColor(color, platform::HPALETTE(), &rgb)))
        throw Error::standard(errors::InvalidPropertyValue);
    return rgb;
}

}  // namespace orvane
