// A menu entry as a handle for building below it: its caption, identifier, place in its menu,
// the menu that holds it and its flags, and the entries added below it. The first entry added
// below turns it into a popup (and clears its own shortcut); later ones are appended to that
// popup. An entry of a menu bar that was built again or destroyed refuses new entries with
// error 5 rather than adding them to a menu that is gone.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/menu/MenuSession.h"
#include "host/Variant.h"

namespace orvane {

class TypeLibrary;
class cMenuItem;

class clsSubMenu : public Object {
public:
    // An entry made by a script: it belongs to no menu, so it takes no items.
    clsSubMenu() = default;
    // An entry of `menu` at `position`, built while `session` lasts.
    clsSubMenu(std::u16string caption, std::int32_t id, std::int32_t position, platform::HMENU menu,
               std::int32_t flags, std::weak_ptr<MenuSession> session);
    std::u16string typeName() const override { return u"clsSubMenu"; }
    // Publishes the class with its fields and methods.
    static void registerClass(TypeLibrary& library);

    std::u16string Caption;  // the entry's text
    std::int32_t ID = 0;     // its command identifier
    std::int32_t pos = 0;    // its place in its menu
    std::int32_t hWnd = 0;   // the menu that holds it
    std::int32_t flags = 0;  // its menu flags

    // Adds an item below the entry and returns its entry. A shortcut given as a character
    // takes its code (lower-case letters as capitals); its text is built from the key and
    // `shortcutModifier` (1 Shift, 2 Ctrl, 4 Alt).
    std::shared_ptr<clsSubMenu> AddMenu(
        const std::u16string& caption = u"", const std::u16string& key = u"",
        std::int32_t keyIndex = 0, const Variant& shortcutKey = Variant(),
        std::int32_t shortcutModifier = 0, std::int32_t extraFlags = 0, std::int32_t foreColor = 0,
        const std::u16string& toolTipText = u"", const std::u16string& toolTipTitle = u"",
        std::int32_t toolTipIcon = 0, const std::u16string& imgKey = u"");
    // How many entries were added below.
    std::int32_t Count() const { return static_cast<std::int32_t>(m_children.size()); }
    // Removes the item at `position` of the popup (its entry stays listed).
    void DeleteSubMenuItem(std::int32_t position);
    // The entry added below at `index` (from 0); error 9 outside.
    std::shared_ptr<clsSubMenu> SubMenu(std::int32_t index) const;
    // The popup below the entry (0 before the first entry is added).
    platform::HMENU popup() const { return m_popup; }

private:
    std::weak_ptr<MenuSession> m_session;
    platform::HMENU m_popup;
    std::vector<std::shared_ptr<clsSubMenu>> m_children;
};

}  // namespace orvane
