#include "controls/Controls.h"

#include "controls/buttons/ucButton.h"
#include "controls/buttons/ucButtonGroup.h"
#include "controls/buttons/ucCheck.h"
#include "controls/buttons/ucCheckGroup.h"
#include "controls/buttons/ucFrame.h"
#include "controls/buttons/ucOption.h"
#include "controls/buttons/ucOptionGroup.h"
#include "controls/buttons/ucTextGroup.h"
#include "controls/edit/ucListView.h"
#include "controls/edit/ucTreeView.h"
#include "controls/graphics/ucImage.h"
#include "controls/graphics/ucPicture.h"
#include "controls/graphics/ucProgressBar.h"
#include "controls/graphics/ucShape.h"
#include "controls/graphics/ucUpDown.h"
#include "controls/menu/ucMenu.h"
#include "controls/text/ucLabel.h"
#include "controls/text/ucLabelHTML.h"
#include "controls/text/ucText.h"
#include "framework/SharedEnums.h"
#include "framework/cSubClass.h"
#include "framework/drawing/cGDIPCache.h"
#include "framework/drawing/cToolTip.h"
#include "host/HostClasses.h"
#include "services/imagelist/ucImageList.h"

namespace orvane {

void registerControls(TypeLibrary& library, ControlClasses& classes) {
    registerHostClasses(library);
    registerSharedEnums(library);
    cToolTip::registerClass(library);
    cGDIPCache::registerClass(library);
    cSubClass::registerClass(library);
    ucLabel::registerClass(library, classes);
    ucButton::registerClass(library, classes);
    ucCheck::registerClass(library, classes);
    ucOption::registerClass(library, classes);
    ucFrame::registerClass(library, classes);
    ucLabelHTML::registerClass(library, classes);
    ucOptionGroup::registerClass(library, classes);
    ucCheckGroup::registerClass(library, classes);
    ucButtonGroup::registerClass(library, classes);
    ucTextGroup::registerClass(library, classes);
    ucProgressBar::registerClass(library, classes);
    ucUpDown::registerClass(library, classes);
    ucShape::registerClass(library, classes);
    ucImageList::registerClass(library, classes);
    ucImage::registerClass(library, classes);
    ucPicture::registerClass(library, classes);
    ucText::registerClass(library, classes);
    ucListView::registerClass(library, classes);
    ucTreeView::registerClass(library, classes);
    ucMenu::registerClass(library, classes);
}

}  // namespace orvane
