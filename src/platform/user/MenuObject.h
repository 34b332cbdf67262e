// The state of one menu: its items and settings, plain data read and written by the menu calls,
// and the geometry its last layout gave it.
#pragma once

#include <string>
#include <vector>

#include "platform/base/PlatformObject.h"
#include "platform/user/Menu.h"

namespace orvane::platform {

struct MenuItem {
    UINT type = MFT_STRING;  // MFT_ flags
    UINT state = 0;          // MFS_ flags
    UINT id = 0;
    std::uint32_t subMenu = 0;  // HMENU value
    HBITMAP checked;
    HBITMAP unchecked;
    HBITMAP bitmap;  // hbmpItem, or HBMMENU_CALLBACK
    ULONG_PTR data = 0;
    std::u16string text;

    // Laid out: where the item lies (popup client or menu bar coordinates), and the owner's
    // answer for an owner-drawn item.
    RECT rect{};
    SIZE ownerSize{};
    bool measured = false;

    bool separator() const { return (type & MFT_SEPARATOR) != 0; }
    bool ownerDraw() const { return (type & MFT_OWNERDRAW) != 0; }
    bool disabled() const { return (state & MFS_GRAYED) != 0; }
    // The character after a single "&" in the text, or 0.
    char16_t mnemonic() const;
};

class MenuObject : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::Menu;
    MenuObject() : PlatformObject(kKind) {}

    HMENU hmenu() const { return HMENU(handle()); }

    std::vector<MenuItem> items;
    bool popup = false;   // made by CreatePopupMenu
    bool system = false;  // a window menu
    DWORD style = 0;      // MNS_ flags
    UINT maxHeight = 0;
    HBRUSH background;
    DWORD helpId = 0;
    ULONG_PTR menuData = 0;

    // The window whose menu bar this is, and the popup window showing it, if any.
    std::uint32_t barWindow = 0;
    std::uint32_t popupWindow = 0;
    // The highlighted item while shown, or -1.
    int selected = -1;
    // Bumped by every change of the items, so that laid-out geometry knows it is stale.
    std::uint64_t version = 1;

    // Laid out: the popup's client size, or the bar's width and height, for `layoutVersion`.
    SIZE size{};
    std::uint64_t layoutVersion = 0;
    int layoutWidth = -1;  // the width a menu bar was laid out for
    int layoutDpi = 0;

    void changed() { ++version; }
};

}  // namespace orvane::platform
