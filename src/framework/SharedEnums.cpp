#include "framework/SharedEnums.h"

#include "host/TypeLibrary.h"

namespace orvane {

void registerSharedEnums(TypeLibrary& library) {
    library.registerEnum({u"AppearanceEnum", {{u"Flat", 0}, {u"3D", 1}}});
    library.registerEnum({u"BorderStyleEnum", {{u"None", 0}, {u"Fixed Single", 1}}});
    library.registerEnum({u"BackStyleEnum", {{u"bsTransparent", 0}, {u"bsOpaque", 1}}});
    library.registerEnum({u"AlignEnum", {{u"Left Justify", 0}, {u"Right Justify", 1}}});
    library.registerEnum({u"AlignEnumEx",
                          {{u"AlignTopLeft", 0},
                           {u"AlignTopCenter", 1},
                           {u"AlignTopRight", 2},
                           {u"AlignMidLeft", 3},
                           {u"AlignMidCenter", 4},
                           {u"AlignMidRight", 5},
                           {u"AlignBotLeft", 6},
                           {u"AlignBotCenter", 7},
                           {u"AlignBotRight", 8}}});
    library.registerEnum({u"OrientationEnum", {{u"oHorizontal", 0}, {u"oVertical", 1}}});
    library.registerEnum({u"ImageStyleEnum", {{u"imgStandard", 0}, {u"imgPictureStrip", 1}}});
    library.registerEnum({u"ButtonStyleEnum",
                          {{u"styTransparent", 0},
                           {u"styOpaque", 1},
                           {u"styStandard", 2},
                           {u"styGraphical", 3},
                           {u"styGraphicalStacked", 4}}});
    library.registerEnum(
        {u"UcsBackStyles", {{u"BS_TRANSPARENT", 1}, {u"BS_OPAQUE", 2}, {u"BS_NEWTRANSPARENT", 3}}});
    library.registerEnum({u"IBIconEnum",
                          {{u"ibNone", 0},
                           {u"ibCritical", 1},
                           {u"ibQuestion", 2},
                           {u"ibExclamation", 3},
                           {u"ibInformation", 4},
                           {u"ibShield", 5},
                           {u"ibApplication", 6}}});
    library.registerEnum({u"UxThemePushButtonStates",
                          {{u"PBS_NORMAL", 1},
                           {u"PBS_HOT", 2},
                           {u"PBS_PRESSED", 3},
                           {u"PBS_DISABLED", 4},
                           {u"PBS_DEFAULTED", 5}}});
    library.registerEnum({u"UxThemeCheckBoxStates",
                          {{u"CBS_UNCHECKEDNORMAL", 1},
                           {u"CBS_UNCHECKEDHOT", 2},
                           {u"CBS_UNCHECKEDPRESSED", 3},
                           {u"CBS_UNCHECKEDDISABLED", 4},
                           {u"CBS_CHECKEDNORMAL", 5},
                           {u"CBS_CHECKEDHOT", 6},
                           {u"CBS_CHECKEDPRESSED", 7},
                           {u"CBS_CHECKEDDISABLED", 8},
                           {u"CBS_MIXEDNORMAL", 9},
                           {u"CBS_MIXEDHOT", 10},
                           {u"CBS_MIXEDPRESSED", 11},
                           {u"CBS_MIXEDDISABLED", 12}}});
    library.registerEnum({u"UxThemeRadioButtonStates",
                          {{u"RBS_UNCHECKEDNORMAL", 1},
                           {u"RBS_UNCHECKEDHOT", 2},
                           {u"RBS_UNCHECKEDPRESSED", 3},
                           {u"RBS_UNCHECKEDDISABLED", 4},
                           {u"RBS_CHECKEDNORMAL", 5},
                           {u"RBS_CHECKEDHOT", 6},
                           {u"RBS_CHECKEDPRESSED", 7},
                           {u"RBS_CHECKEDDISABLED", 8}}});
}

}  // namespace orvane
