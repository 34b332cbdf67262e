// The enumerations several controls share: their C++ names for the code, and their published
// names in the type library for scripts and form files.
#pragma once

#include <cstdint>

#include "host/ControlEnums.h"

namespace orvane {

// Transparent (the container shows through) or opaque (the back colour fills the control).
enum class BackStyleEnum : std::int32_t { bsTransparent = 0, bsOpaque = 1 };
// Left Justify or Right Justify: which side a check box's or option button's glyph sits on.
enum class AlignEnum : std::int32_t { LeftJustify = 0, RightJustify = 1 };
// Nine places in a box: the row (top, middle, bottom) times 3 plus the column (left, centre,
// right).
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
// Horizontal or vertical, for controls that split or stack along one of them.
enum class OrientationEnum : std::int32_t { oHorizontal = 0, oVertical = 1 };
// A plain image, or a horizontal strip of equal frames.
enum class ImageStyleEnum : std::int32_t { imgStandard = 0, imgPictureStrip = 1 };
// How a button draws itself (see ucButton::Style).
enum class ButtonStyleEnum : std::int32_t {
    styTransparent = 0,
    styOpaque = 1,
    styStandard = 2,
    styGraphical = 3,
    styGraphicalStacked = 4,
};
// Back styles numbered from 1, as some controls publish them: transparent, opaque, and the
// newer transparent drawing.
enum class UcsBackStyles : std::int32_t {
    BS_TRANSPARENT = 1,
    BS_OPAQUE = 2,
    BS_NEWTRANSPARENT = 3
};
// The icon an input box shows beside its prompt.
enum class IBIconEnum : std::int32_t {
    ibNone = 0,
    ibCritical = 1,
    ibQuestion = 2,
    ibExclamation = 3,
    ibInformation = 4,
    ibShield = 5,
    ibApplication = 6,
};
// The theme-state enumerations number the states as the visual-styles button parts do. The
// push button's: normal, hot, pressed, disabled, and defaulted (the default button at rest).
enum class UxThemePushButtonStates : std::int32_t {
    PBS_NORMAL = 1,
    PBS_HOT,
    PBS_PRESSED,
    PBS_DISABLED,
    PBS_DEFAULTED
};
// The check box part's states: unchecked, checked and mixed, each normal, hot, pressed and
// disabled.
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
// The option button part's states: unchecked and checked, each normal, hot, pressed and
// disabled.
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
