#include "controls/menu/cMenuItem.h"

#include "host/ClassBuilder.h"
#include "host/TypeLibrary.h"

namespace orvane {

void cMenuItem::registerClass(TypeLibrary& library) {
    using T = cMenuItem;
    ClassBuilder<T> b(u"cMenuItem");
    b.creatable()
        .field(u"hMenu", &T::hMenu)
        .field(u"ID", &T::ID)
        .field(u"Position", &T::Position)
        .field(u"Caption", &T::Caption)
        .field(u"wFlags", &T::wFlags)
        .field(u"ImgKey", &T::ImgKey)
        .field(u"key", &T::key)
        .field(u"KeyIndex", &T::KeyIndex)
        .field(u"IconIndex", &T::IconIndex)
        .field(u"himl", &T::himl)
        .field(u"ShortcutKey", &T::ShortcutKey)
        .field(u"ShortcutModifier", &T::ShortcutModifier)
        .field(u"ShortcutText", &T::ShortcutText)
        .field(u"ForeColor", &T::ForeColor)
        .field(u"BackPictureKey", &T::BackPictureKey)
        .field(u"SideBackColorEnd", &T::SideBackColorEnd)
        .field(u"SideBackColorStart", &T::SideBackColorStart)
        .field(u"SideBackgroundKey", &T::SideBackgroundKey)
        .field(u"SideCaption", &T::SideCaption)
        .field(u"SideFont", &T::SideFont)
        .field(u"SideForeColor", &T::SideForeColor)
        .field(u"SidePictureKey", &T::SidePictureKey)
        .field(u"SidePosition", &T::SidePosition)
        .field(u"SideWidth", &T::SideWidth)
        .field(u"WindowList", &T::WindowList)
        .field(u"ToolTipText", &T::ToolTipText)
        .field(u"ToolTipTitle", &T::ToolTipTitle)
        .field(u"ToolTipIcon", &T::ToolTipIcon);
    library.registerClass(b.build());
}

}  // namespace orvane
