#include "controls/Controls.h"

#include "controls/text/ucLabelHTML.h"
#include "framework/SharedEnums.h"

namespace orvane {

void registerControls(TypeLibrary& library, ControlClasses& classes) {
    registerSharedEnums(library);
    ucLabelHTML::registerClass(library, classes);
}

}  // namespace orvane
