#include "framework/ImageListValue.h"

#include "host/Error.h"
#include "host/TypeLibrary.h"

namespace orvane {

using namespace platform;

namespace {

[[noreturn]] void refuse(const std::u16string& source) {
    throw Error(errors::InvalidPropertyValue, source,
                u"ImageList property expects ImageList object or long hImageList handle.");
}

}  // namespace

HIMAGELIST imageListFromValue(const Variant& value, const std::u16string& source) {
    Variant handle = value;
    if (value.kind() == Variant::Kind::Object) {
        const std::shared_ptr<Object> object = value.object();
        if (!object) return HIMAGELIST();
        const TypeLibrary& library = TypeLibrary::current();
        const char16_t* names[] = {u"hImageList", u"himl"};
        bool found = false;
        for (const char16_t* name : names) {
            if (!library.findProperty(*object, name)) continue;
            handle = library.get(*object, name);
            found = true;
            break;
        }
        if (!found) refuse(source);
    }
    if (!handle.isNumeric()) refuse(source);
    const double number = CDbl(handle);
    if (number == 0) return HIMAGELIST();
    const HIMAGELIST list(static_cast<std::uint32_t>(CLng(handle)));
    // A number that names no image list is refused rather than kept.
    int cx = 0, cy = 0;
    if (!ImageList_GetIconSize(list, &cx, &cy)) refuse(source);
    return list;
}

}  // namespace orvane
