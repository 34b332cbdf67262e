// The enumerations several controls share: their C++ names for the code, and their published
// names in the type library for scripts and form files.
#pragma once

#include <cstdint>

#include "host/ControlEnums.h"

namespace orvane {

enum class BackStyleEnum : std::int32_t { bsTransparent = 0, bsOpaque = 1 };
enum class AlignEnum : std::int32_t { LeftJustify = 0, RightJustify = 1 };
enum class AlignEnumEx : std::int32_t {
    AlignTopLeft = 0,
    AlignTopCenter = 1,
    AlignTopRight = 2,
    AlignMidLeft = 3,
    AlignMidCenter = 4,
    AlignMidRight = 5,
    AlignBotLeft = 6,
    AlignBotCenter = 7,
    AlignBotRight = 8,
};
enum class OrientationEnum : std::int32_t { oHorizontal = 0, oVertical = 1 };
enum class ImageStyleEnum : std::int32_t { imgStandard = 0, imgPictureStrip = 1 };
enum class ButtonStyleEnum : std::int32_t {
    styTransparent = 0,
    styOpaque = 1,
    styStandard = 2,
    styGraphical = 3,
    styGraphicalStacked = 4,
};
enum class UcsBackStyles : std::int32_t {
    BS_TRANSPARENT = 1,
    BS_OPAQUE = 2,
    BS_NEWTRANSPARENT = 3
};
enum class IBIconEnum : std::int32_t {
    ibNone = 0,
    ibCritical = 1,
    ibQuestion = 2,
    ibExclamation = 3,
    ibInformation = 4,
    ibShield = 5,
    ibApplication = 6,
};
// The theme-state enumerations number the states as the visual-styles button parts do.
enum class UxThemePushButtonStates : std::int32_t {
    PBS_NORMAL = 1,
    PBS_HOT,
    PBS_PRESSED,
    PBS_DISABLED,
    PBS_DEFAULTED
};
enum class UxThemeCheckBoxStates : std::int32_t {
    CBS_UNCHECKEDNORMAL = 1,
    CBS_UNCHECKEDHOT,
    CBS_UNCHECKEDPRESSED,
    CBS_UNCHECKEDDISABLED,
    CBS_CHECKEDNORMAL,
    CBS_CHECKEDHOT,
    CBS_CHECKEDPRESSED,
    CBS_CHECKEDDISABLED,
    CBS_MIXEDNORMAL,
    CBS_MIXEDHOT,
    CBS_MIXEDPRESSED,
    CBS_MIXEDDISABLED,
};
enum class UxThemeRadioButtonStates : std::int32_t {
    RBS_UNCHECKEDNORMAL = 1,
    RBS_UNCHECKEDHOT,
    RBS_UNCHECKEDPRESSED,
    RBS_UNCHECKEDDISABLED,
    RBS_CHECKEDNORMAL,
    RBS_CHECKEDHOT,
    RBS_CHECKEDPRESSED,
    RBS_CHECKEDDISABLED,
};

class TypeLibrary;
// Publishes the shared enumerations in the type library under their published names.
void registerSharedEnums(TypeLibrary& library);

}  // namespace orvane
