#include "services/imagelist/ImageListEnums.h"

#include "host/TypeLibrary.h"

namespace orvane {

void registerImageListEnums(TypeLibrary& library) {
    library.registerEnum({u"eimlColorDepth",
                          {{u"IMLC_COLOR4", 4},
                           {u"IMLC_COLOR8", 8},
                           {u"IMLC_COLOR16", 16},
                           {u"IMLC_COLOR24", 24},
                           {u"IMLC_COLOR32", 32}}});
    library.registerEnum(
        {u"EILImageTypes", {{u"eIMAGE_BITMAP", 0}, {u"eIMAGE_ICON", 1}, {u"eIMAGE_CURSOR", 2}}});
    library.registerEnum({u"eilSwapTypes", {{u"eilCopy", 0}, {u"eilSwap", 1}}});
    library.registerEnum({u"eilMaskColor",
                          {{u"eilMaskColorNone", 0},
                           {u"eilMaskColorTopLeftPixel", 1},
                           {u"eilMaskColorSpecified", 2}}});
}

}  // namespace orvane
