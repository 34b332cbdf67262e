#include "controls/Controls.h"

#include "controls/text/ucLabelHTML.h"
#include "framework/SharedEnums.h"
#include "host/HostClasses.h"

namespace orvane {

void registerControls(TypeLibrary& library, ControlClasses& classes) {
    registerHostClasses(library);
    registerSharedEnums(library);
    ucLabelHTML::registerClass(library, classes);
}

}  // namespace orvane
