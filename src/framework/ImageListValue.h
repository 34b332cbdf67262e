// The value a control's ImageList property takes: an image-list object (its hImageList, or
// himl, is read) or an image-list handle as a number.
#pragma once

#include <string>

#include "host/Variant.h"
#include "platform/comctl/ImageList.h"

namespace orvane {

// The image list `value` names; Nothing and 0 give none. Anything else (a string, an object
// without the property, a handle that is no image list) raises error 380 from `source` with the
// published image-list message (its text is fixed, word for word, in ImageListValue.cpp).
platform::HIMAGELIST imageListFromValue(const Variant& value, const std::u16string& source);

}  // namespace orvane
