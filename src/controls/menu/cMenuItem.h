// One menu item as a plain record: where it sits (menu, identifier, position), what it shows
// (caption, flags, image, shortcut, colour), the popup's side bar and background when the item
// is a top-level entry, and its tooltip. The menu control keeps one per item in its item table
// and hands them to event handlers; scripts may make their own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/OleColor.h"
#include "host/StdFont.h"
#include "host/Variant.h"

namespace orvane {

class TypeLibrary;

class cMenuItem : public Object {
public:
    std::u16string typeName() const override { return u"cMenuItem"; }
    // Publishes the class (creatable) with its fields.
    static void registerClass(TypeLibrary& library);

    std::int32_t hMenu = 0;             // the menu that holds the item
    std::int32_t ID = 0;                // its command identifier
    std::int32_t Position = 0;          // its place in its menu
    std::u16string Caption;             // its text
    std::int32_t wFlags = 0;            // its menu flags (MF_ values)
    std::u16string ImgKey;              // its image in the menu's image cache
    std::u16string key;                 // the program's key
    std::int32_t KeyIndex = 0;          // the program's number
    std::int32_t IconIndex = 0;         // an image-list index
    std::int32_t himl = 0;              // an image list
    std::int32_t ShortcutKey = 0;       // the shortcut's virtual-key code
    std::int32_t ShortcutModifier = 0;  // 1 Shift, 2 Ctrl, 4 Alt
    std::u16string ShortcutText;        // the shortcut as shown ("Ctrl+O")
    std::int32_t ForeColor = 0;         // the text colour
    std::u16string BackPictureKey;      // a picture tiled behind the item's popup
    OLE_COLOR SideBackColorEnd = 0;     // the side bar's gradient, to
    OLE_COLOR SideBackColorStart = 0;   // and from
    std::u16string SideBackgroundKey;   // a picture tiled in the side bar
    std::u16string SideCaption;         // the text along the side bar
    std::shared_ptr<StdFont> SideFont;  // its font
    OLE_COLOR SideForeColor = 0;        // its colour
    std::u16string SidePictureKey;      // a picture drawn in the side bar
    std::int32_t SidePosition = 0;      // 0 none, 1 left, 2 right
    std::int32_t SideWidth = 0;         // the side bar's width in pixels
    bool WindowList = false;            // the popup lists the form's child windows
    std::u16string ToolTipText;         // the tooltip shown while the item is highlighted
    std::u16string ToolTipTitle;        // its title
    std::int32_t ToolTipIcon = 0;       // its icon
};

}  // namespace orvane
