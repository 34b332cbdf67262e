// A Unicode menu bar and popup menus built at run time on the platform's menus, drawn by the
// control (owner-drawn): images from its image cache, check and radio marks, shortcut texts
// right-aligned, separators, disabled items in grey, the highlight as a themed button face, and
// translucent popups. Items live in the process-wide item table (MenuItemTable), their command
// identifiers being their indexes; events hand out their cMenuItem records. The control has no
// surface of its own while the form runs; the designer shows it as an icon.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "controls/menu/MenuSession.h"
#include "controls/menu/clsSubMenu.h"
#include "framework/PropertyTable.h"
#include "framework/Subclasser.h"
#include "host/OleColor.h"
#include "host/StdFont.h"
#include "host/UserControl.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;
class cGDIPCache;
class cMenuItem;
class ConstituentTimer;

class ucMenu : public UserControl {
public:
    // Event numbers, as published.
    enum Event {
        evItemHover = 1,
        evItemClick,
        evItemEnum,
        evMDIEnumChildWindow,
        evMDIWindowPosChanged,
        evMDISetMenu
    };
    // The error GetMenuItemInfo raises for an identifier outside the table.
    static constexpr std::int32_t kIdOutOfBounds = 1001;
    // The error SubMenu raises for a key no item carries.
    static constexpr std::int32_t kUnknownKey = 1002;
    // The fixed selection colours, used when the button style cannot be drawn.
    static constexpr OLE_COLOR kSelectionStart = 0x0080FF;  // RGB(255, 128, 0)
    static constexpr OLE_COLOR kSelectionEnd = 0x00FFFF;    // RGB(255, 255, 0)

    ucMenu();
    ~ucMenu() override;
    std::u16string className() const override { return u"ucMenu"; }
    // Publishes the class, its members, events and enumerations, and the item classes, in
    // `library`, and as the form-file class "ucMenu" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // --- Properties ---
    // Items are added owner-drawn and drawn by the control.
    bool OwnerDrawn() const { return m_ownerDrawn; }
    void OwnerDrawn(bool value);
    // Unchecked members of a radio group show an empty radio mark.
    bool ShowRadioOff() const { return m_showRadioOff; }
    void ShowRadioOff(bool value);
    // The popups' background.
    OLE_COLOR BackColor() const { return m_backColor; }
    void BackColor(OLE_COLOR value);
    // The popups' opacity, 255 opaque.
    std::uint8_t Transparency() const { return m_transparency; }
    void Transparency(std::uint8_t value);
    // Measure and draw with the system's menu font rather than Font.
    bool UseSysFont() const { return m_useSysFont; }
    void UseSysFont(bool value);
    // The items' font when UseSysFont is False.
    const std::shared_ptr<StdFont>& Font() const { return m_font; }
    void Font(std::shared_ptr<StdFont> value);
    // The side bar caption's direction: 0 upwards (West270), 1 downwards (East90).
    std::int32_t VerticalOrientation() const { return m_verticalOrientation; }
    void VerticalOrientation(std::int32_t value);
    // Right-to-left layout: bar entries at the right, marks and images on the right.
    bool RightToLeft() const { return m_rightToLeft; }
    void RightToLeft(bool value);
    // The image cache holding the items' and side bars' pictures.
    const std::shared_ptr<cGDIPCache>& GC() const { return m_gc; }
    // The menu bar.
    platform::HMENU hTopMenu() const;

    // --- Building ---
    // Starts a new, empty menu bar for window `form` (its old menu is destroyed); the item
    // table starts again from identifier 0.
    void Create(platform::HWND form);
    // Adds an entry to the bar and returns it.
    std::shared_ptr<clsSubMenu> AddMenu(const std::u16string& caption, const std::u16string& key,
                                        std::int32_t keyIndex, std::int32_t flags,
                                        const cMenuItem& side);
    // Adds an entry with a caption alone.
    std::shared_ptr<clsSubMenu> AddMenu(const std::u16string& caption);
    // A bar entry by position (from 0), or by the key of an item (error 1002 when no item
    // has it).
    std::shared_ptr<clsSubMenu> SubMenu(const Variant& index) const;
    // Attaches the bar to the form and starts answering its menu messages; without Create a
    // message box says so.
    void ShowMenu();
    // Takes the bar away from the form and destroys it.
    void Clear();
    // Shows the popup of `entry` at the pointer and returns the chosen item's record (ID -1
    // when nothing was chosen).
    std::shared_ptr<cMenuItem> PopUp(const clsSubMenu& entry);
    // The record of identifier `id`; error 1001 outside the table.
    std::shared_ptr<cMenuItem> GetMenuItemInfo(std::int32_t id) const;
    // Sets or clears flag bits of an item's record.
    void pvSetState(std::int32_t id, std::int32_t flag, bool set);
    // Checks `itemPosition` among `fromItem`..`toItem` of a bar entry's popup and remembers
    // the range as a radio group.
    void RadioGroupAdd(std::int32_t topMenuPosition, std::int32_t itemPosition,
                       std::int32_t fromItem, std::int32_t toItem);
    // Forgets every radio group.
    void RadioGroupClear() { m_radioGroups.clear(); }
    // Raises ItemEnum for each item of `menu` and the menus below it.
    void EnumMenu(platform::HMENU menu);
    // Raises MDIEnumChildWindow for each MDI child window of the form, its image key made of
    // `imgPrefix` and its index.
    void UpdateWindowList(const std::u16string& imgPrefix = u"");
    // A window's text, read and written as UTF-16.
    static std::u16string CaptionW(platform::HWND hwnd);
    static void CaptionW(platform::HWND hwnd, const std::u16string& text);

    // --- For drawing and tests ---
    // The record an owner-draw message names: a popup's handle stands for its entry.
    std::shared_ptr<cMenuItem> itemFor(std::uint32_t itemId) const;
    // The record of the entry a popup opens from (null for another menu).
    std::shared_ptr<cMenuItem> entryOf(std::uint32_t popup) const;
    // Whether the item at `position` of `menu` lies in a radio group.
    bool inRadioGroup(platform::HMENU menu, int position) const;

protected:
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) override;
    void Terminate() override;
    void Paint() override;
    void HitTest(double x, double y, HitResult& result) override;

private:
    static PropertyTable declare();
    static const PropertyTable& table();
    template <class V>
    void setProperty(V& field, V value) {
        table().rowOf(*this, field).assign(*this, std::move(value));
    }

public:
    // Called by the property declarations after a value changed.
    void applyChange(const PropertyRow& row);

private:
    void onFormMessage(SubclassMessage& m);
    void measure(platform::MEASUREITEMSTRUCT& mis);
    void draw(const platform::DRAWITEMSTRUCT& dis);
    void drawMark(platform::HDC dc, const platform::RECT& rc, bool radio, bool checked);
    void drawSideCaption(platform::HDC dc, const cMenuItem& entry, const platform::RECT& side,
                         const platform::DRAWITEMSTRUCT& dis);
    // The position of the enabled item of `menu` whose caption has `key` as its access key,
    // or -1.
    int accessKeyItem(platform::HMENU menu, char16_t key) const;
    std::vector<platform::HWND> mdiChildren() const;
    // Cached images in the DC's pixels (the cache works at 96 DPI).
    static int dpiOf(platform::HDC dc);
    platform::SIZE imageSize(const std::u16string& key, int dpi) const;
    platform::SIZE itemImageSize(const cMenuItem& item, int dpi) const;
    void renderImage(platform::HDC dc, const std::u16string& key, int x, int y) const;
    void tileImage(platform::HDC dc, const std::u16string& key, int x, int y, int width,
                   int height) const;
    void fillWindowList(const cMenuItem& entry);
    // The tooltip's timers: shown after 500 ms over a popup, hidden after 5 s.
    void tipTimers();
    void menuSelect(platform::WPARAM wParam, platform::LPARAM lParam);
    // The font items are measured and drawn with (the control keeps it).
    platform::HFONT itemFont() const;
    std::shared_ptr<StdFont> systemMenuFont() const;
    bool raiseItem(int event, const std::shared_ptr<cMenuItem>& item);
    // Shortcut keys work while the bar is shown, the menu closed: a hook on the thread's
    // messages offers each key press in the form to the shown menus.
    void listenForShortcuts(bool on);
    // Runs a change of the form's bar keeping the form's client size.
    void keepClientSize(const std::function<void()>& change);
    bool takeShortcut(const platform::MSG& msg);
    static platform::LRESULT shortcutHook(int code, platform::WPARAM wParam,
                                          platform::LPARAM lParam);

    bool m_ownerDrawn = true;
    bool m_showRadioOff = true;
    OLE_COLOR m_backColor = 0x80000004;
    std::uint8_t m_transparency = 255;
    bool m_useSysFont = true;
    std::shared_ptr<StdFont> m_font;
    std::int32_t m_verticalOrientation = 0;
    bool m_rightToLeft = false;
    std::shared_ptr<cGDIPCache> m_gc;

    std::shared_ptr<MenuSession> m_session;
    std::vector<std::shared_ptr<clsSubMenu>> m_top;
    // Radio groups: the popup and the first and last positions.
    std::vector<std::tuple<std::uint32_t, int, int>> m_radioGroups;
    std::unique_ptr<Subclasser> m_subclass;
    bool m_listening = false;
    mutable platform::HFONT m_itemFont;          // itemFont's font, made from
    mutable platform::LOGFONTW m_itemLogFont{};  // this description
    ConstituentTimer* m_tipShow = nullptr;
    ConstituentTimer* m_tipHide = nullptr;
    std::shared_ptr<cMenuItem> m_tipItem;  // the highlighted item whose tooltip is due
    // The window-list items added to each popup (by the popup's handle), by identifier.
    std::map<std::uint32_t, std::vector<std::int32_t>> m_windowItems;
};

}  // namespace orvane
