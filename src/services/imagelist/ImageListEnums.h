// The image list's enumerations: their C++ names for the code, and their published names in the
// type library for scripts and form files.
#pragma once

#include <cstdint>

namespace orvane {

class TypeLibrary;

// The colour depth of the list's images, in bits per pixel.
enum class eimlColorDepth : std::int32_t {
    IMLC_COLOR4 = 4,
    IMLC_COLOR8 = 8,
    IMLC_COLOR16 = 16,
    IMLC_COLOR24 = 24,
    IMLC_COLOR32 = 32,
};
// What a handle or resource given to the list holds.
enum class EILImageTypes : std::int32_t { eIMAGE_BITMAP = 0, eIMAGE_ICON = 1, eIMAGE_CURSOR = 2 };
// SwapOrCopyImage: copy the source over the destination, or exchange the two.
enum class eilSwapTypes : std::int32_t { eilCopy = 0, eilSwap = 1 };
// Which pixels of an added bitmap become transparent: none, those of the colour of its top-left
// pixel, or those of MaskColor.
enum class eilMaskColor : std::int32_t {
    eilMaskColorNone = 0,
    eilMaskColorTopLeftPixel = 1,
    eilMaskColorSpecified = 2,
};

// Publishes the four enumerations in `library`.
void registerImageListEnums(TypeLibrary& library);

}  // namespace orvane
