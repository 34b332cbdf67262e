#include "controls/menu/ucMenu.h"

#include <algorithm>
#include <cstring>

#include "controls/menu/MenuItemTable.h"
#include "controls/menu/cMenuItem.h"
#include "framework/GdiDrawing.h"
#include "framework/KeysAndText.h"
#include "framework/drawing/ControlTooltip.h"
#include "framework/drawing/cGDIPCache.h"
#include "host/ClassBuilder.h"
#include "host/ConstituentTimer.h"
#include "host/ControlClasses.h"
#include "host/Error.h"
#include "host/TypeLibrary.h"
#include "platform/comctl/ImageList.h"
#include "platform/theme/Theme.h"
#include "platform/theme/ThemeParts.h"

namespace orvane {

using namespace platform;

namespace {

// The menu flag bits a record keeps for the state of its item.
constexpr std::int32_t kGreyed = static_cast<std::int32_t>(MF_GRAYED | MF_DISABLED);

std::shared_ptr<Object> asObject(std::shared_ptr<Object> o) {
    return o;
}

// A scratch DC on the screen, with `font` selected, for measuring.
class MeasureDc {
public:
    explicit MeasureDc(HFONT font)
        : m_dc(CreateCompatibleDC(HDC())), m_old(SelectObject(m_dc, font)) {}
    ~MeasureDc() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    MeasureDc(const MeasureDc&) = delete;
    MeasureDc& operator=(const MeasureDc&) = delete;
    SIZE text(const std::u16string& s) const {
        RECT rc{0, 0, 0, 0};
        if (s.empty()) {
            TEXTMETRICW tm{};
            GetTextMetricsW(m_dc, &tm);
            return SIZE{0, tm.tmHeight};
        }
        DrawTextW(m_dc, s.c_str(), static_cast<int>(s.size()), &rc, DT_SINGLELINE | DT_CALCRECT);
        return SIZE{rc.right - rc.left, rc.bottom - rc.top};
    }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// The menus whose shortcuts are live, and the hook that offers them the keys.
struct ShortcutListeners {
    std::vector<ucMenu*> menus;
    HHOOK hook;
};
ShortcutListeners& listeners() {
    static ShortcutListeners l;
    return l;
}

}  // namespace

ucMenu::ucMenu() {
    // Nothing of it shows while the form runs.
    Windowless(true);
    BackStyle(0);
}

ucMenu::~ucMenu() {
    listenForShortcuts(false);
    m_subclass.reset();
}

void ucMenu::listenForShortcuts(bool on) {
    if (on == m_listening) return;
    m_listening = on;
    ShortcutListeners& l = listeners();
    if (on) {
        l.menus.push_back(this);
        if (!l.hook)
            l.hook = SetWindowsHookExW(WH_GETMESSAGE, &ucMenu::shortcutHook, HINSTANCE(),
                                       GetCurrentThreadId());
        return;
    }
    std::erase(l.menus, this);
    if (l.menus.empty() && l.hook) {
        UnhookWindowsHookEx(l.hook);
        l.hook = HHOOK();
    }
}

LRESULT ucMenu::shortcutHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code >= 0 && wParam == PM_REMOVE && msg &&
        (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN)) {
        // A copy: a menu taking the key may end the listening of any menu.
        const std::vector<ucMenu*> menus = listeners().menus;
        for (ucMenu* menu : menus)
            if (menu->takeShortcut(*msg)) {
                msg->message = WM_NULL;
                break;
            }
    }
    return CallNextHookEx(HHOOK(), code, wParam, lParam);
}

// A key press in the form that is an enabled item's shortcut chooses that item, as the
// accelerator of a menu command does (WM_COMMAND with notification 1).
bool ucMenu::takeShortcut(const MSG& msg) {
    if (!m_session || !IsWindow(m_session->form)) return false;
    if (msg.hwnd != m_session->form && !IsChild(m_session->form, msg.hwnd)) return false;
    const int vk = static_cast<int>(msg.wParam);
    if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) return false;
    const std::int32_t modifiers = ShiftKeysHeld();
    const MenuItemTable& table = MenuItemTable::current();
    for (std::int32_t id = 0; id < table.size(); ++id) {
        const std::shared_ptr<cMenuItem> item = table.at(id);
        if (item->ShortcutKey != vk || item->ShortcutModifier != modifiers) continue;
        if (!m_session->popupEntry.count(static_cast<std::uint32_t>(item->hMenu))) continue;
        const HMENU menu(static_cast<std::uint32_t>(item->hMenu));
        const UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
        if (state == static_cast<UINT>(-1) || (state & (MF_GRAYED | MF_DISABLED)) ||
            (item->wFlags & kGreyed))
            continue;
        PostMessageW(m_session->form, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 1), 0);
        return true;
    }
    return false;
}

PropertyTable ucMenu::declare() {
    using T = ucMenu;
    PropertyTable t;
    t.add<T>(u"OwnerDrawn", &T::m_ownerDrawn, true, true).then([](T& c) {
        if (c.m_session) c.m_session->ownerDrawn = c.m_ownerDrawn;
    });
    t.add<T>(u"ShowRadioOff", &T::m_showRadioOff, true, true);
    t.add<T>(u"BackColor", &T::m_backColor, OLE_COLOR{0x80000004}, OLE_COLOR{0x80000004});
    t.add<T>(u"Transparency", &T::m_transparency, std::uint8_t{255}, std::uint8_t{255});
    t.add<T>(u"UseSysFont", &T::m_useSysFont, true, true);
    t.add<T>(u"Font", &T::m_font, std::shared_ptr<StdFont>(), std::shared_ptr<StdFont>())
        .newFrom([](T& c) { return c.systemMenuFont(); })
        .persistWith(
            [](T& c, const PropertyBag& bag) {
                std::shared_ptr<StdFont> font = persist::readObject<StdFont>(bag, u"Font");
                c.m_font = font ? font->clone() : c.systemMenuFont();
            },
            [](T& c, PropertyBag& bag) {
                bag.WriteProperty(u"Font", Variant(std::static_pointer_cast<Object>(c.m_font)));
            });
    t.add<T>(u"VerticalOrientation", &T::m_verticalOrientation, 0, 0)
        .check([](const std::int32_t& v) { return v == 0 || v == 1; });
    t.add<T>(u"RightToLeft", &T::m_rightToLeft, false, false).then([](T& c) {
        if (c.m_session) c.m_session->rightToLeft = c.m_rightToLeft;
    });
    return t;
}

const PropertyTable& ucMenu::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucMenu::applyChange(const PropertyRow& row) {
    if (sited() && !Ambient().UserMode()) Refresh();
    PropertyChanged(row.key().empty() ? row.name() : row.key());
}

void ucMenu::OwnerDrawn(bool value) {
    setProperty(m_ownerDrawn, value);
}
void ucMenu::ShowRadioOff(bool value) {
    setProperty(m_showRadioOff, value);
}
void ucMenu::BackColor(OLE_COLOR value) {
    setProperty(m_backColor, value);
}
void ucMenu::Transparency(std::uint8_t value) {
    setProperty(m_transparency, value);
}
void ucMenu::UseSysFont(bool value) {
    setProperty(m_useSysFont, value);
}
void ucMenu::Font(std::shared_ptr<StdFont> value) {
    setProperty(m_font, value ? std::move(value) : systemMenuFont());
}
void ucMenu::VerticalOrientation(std::int32_t value) {
    setProperty(m_verticalOrientation, value);
}
void ucMenu::RightToLeft(bool value) {
    setProperty(m_rightToLeft, value);
}

HMENU ucMenu::hTopMenu() const {
    return m_session ? m_session->top : HMENU();
}

// The system's menu font, or Segoe UI at 9 points when it cannot be read.
std::shared_ptr<StdFont> ucMenu::systemMenuFont() const {
    auto font = std::make_shared<StdFont>();
    NONCLIENTMETRICSW ncm;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0) &&
        ncm.lfMenuFont.lfFaceName[0]) {
        font->Name(ncm.lfMenuFont.lfFaceName);
        const int height = std::abs(static_cast<int>(ncm.lfMenuFont.lfHeight));
        // The metrics give the height for the system's DPI.
        if (height > 0) font->Size(height * 72.0 / GetDpiForSystem());
    } else {
        font->Name(u"Segoe UI");
        font->Size(9);
    }
    return font;
}

// The item font, made once and again only when what it is made from changes (the property,
// the font object changed in place, the system's menu font): measuring and drawing run for
// every item of every popup.
HFONT ucMenu::itemFont() const {
    LOGFONTW lf{};
    NONCLIENTMETRICSW ncm;
    const bool system = m_useSysFont || !m_font;
    if (system && SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0) &&
        ncm.lfMenuFont.lfFaceName[0])
        lf = ncm.lfMenuFont;
    else
        lf = (system ? systemMenuFont() : m_font)->logFont(static_cast<int>(GetDpiForSystem()));
    if (!m_itemFont || std::memcmp(&lf, &m_itemLogFont, sizeof lf) != 0) {
        if (m_itemFont) DeleteObject(m_itemFont);
        m_itemFont = CreateFontIndirectW(&lf);
        m_itemLogFont = lf;
    }
    return m_itemFont;
}

// --- Building ---

void ucMenu::Create(HWND form) {
    Clear();
    MenuItemTable::current().clear();
    m_top.clear();
    m_radioGroups.clear();
    if (const HMENU old = GetMenu(form)) {
        SetMenu(form, HMENU());
        DestroyMenu(old);
    }
    m_session = std::make_shared<MenuSession>();
    m_session->form = form;
    m_session->top = CreateMenu();
    m_session->ownerDrawn = m_ownerDrawn;
    m_session->rightToLeft = m_rightToLeft;
}

// The bar takes its rows from the window, not from the form's client area: the window grows or
// shrinks by what the bar adds or takes, so the form keeps the size its file gives it.
void ucMenu::keepClientSize(const std::function<void()>& change) {
    const HWND form = m_session ? m_session->form : HWND();
    RECT before{}, after{}, window{};
    GetClientRect(form, &before);
    change();
    if (!IsWindow(form) || IsZoomed(form)) return;
    GetClientRect(form, &after);
    const int grow = static_cast<int>(before.bottom - after.bottom);
    if (grow == 0) return;
    GetWindowRect(form, &window);
    SetWindowPos(form, HWND(), 0, 0, window.right - window.left, window.bottom - window.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::shared_ptr<clsSubMenu> ucMenu::AddMenu(const std::u16string& caption) {
    return AddMenu(caption, u"", 0, 0, cMenuItem());
}

std::shared_ptr<clsSubMenu> ucMenu::AddMenu(const std::u16string& caption,
                                            const std::u16string& key, std::int32_t keyIndex,
                                            std::int32_t flags, const cMenuItem& side) {
    if (!m_session || !IsMenu(m_session->top))
        throw Error(errors::InvalidProcedureCall, u"ucMenu.AddMenu",
                    u"Failed to call Create(hWnd)");
    if (m_rightToLeft) flags |= static_cast<std::int32_t>(MF_RIGHTJUSTIFY);
    auto item = std::make_shared<cMenuItem>(side);
    item->Caption = caption;
    item->key = key;
    item->KeyIndex = keyIndex;
    item->wFlags = flags;
    item->hMenu = static_cast<std::int32_t>(m_session->top.value);
    item->Position = static_cast<std::int32_t>(m_top.size());
    const std::int32_t id = MenuItemTable::current().add(item);
    AppendMenuW(m_session->top, static_cast<UINT>(flags), static_cast<UINT_PTR>(id),
                caption.c_str());
    keepClientSize([&] { SetMenu(m_session->form, m_session->top); });
    auto entry =
        std::make_shared<clsSubMenu>(caption, id, item->Position, m_session->top, flags, m_session);
    m_top.push_back(entry);
    return entry;
}

std::shared_ptr<clsSubMenu> ucMenu::SubMenu(const Variant& index) const {
    std::int32_t position;
    if (index.kind() == Variant::Kind::String) {
        const std::shared_ptr<cMenuItem> item = MenuItemTable::current().withKey(index.toString());
        if (!item)
            throw Error(kUnknownKey, u"Get SubMenu",
                        u"Unable to get Index from Key " + index.toString());
        position = item->Position;
    } else {
        position = CLng(index);
    }
    if (position < 0 || position >= static_cast<std::int32_t>(m_top.size()))
        throw Error::standard(errors::SubscriptOutOfRange, u"ucMenu.SubMenu");
    return m_top[static_cast<std::size_t>(position)];
}

void ucMenu::ShowMenu() {
    if (!m_session || !IsWindow(m_session->form)) {
        MessageBoxW(HWND(), u"Failed to call Create(hWnd)", u"ucMenu", MB_OK);
        return;
    }
    keepClientSize([&] {
        SetMenu(m_session->form, m_session->top);
        DrawMenuBar(m_session->form);
    });
    if (!m_subclass)
        m_subclass = std::make_unique<Subclasser>(u"ucMenu",
                                                  [this](SubclassMessage& m) { onFormMessage(m); });
    if (!m_subclass->isSubclassed(m_session->form) && m_subclass->ssc_Subclass(m_session->form)) {
        for (UINT msg : {WM_MEASUREITEM, WM_DRAWITEM, WM_COMMAND, WM_MENUCHAR})
            m_subclass->zAddMsg(m_session->form, static_cast<std::int32_t>(msg),
                                MsgWhen::MSG_BEFORE);
        for (UINT msg :
             {WM_MENUSELECT, WM_CHILDACTIVATE, WM_WINDOWPOSCHANGED, WM_MDIACTIVATE, WM_MDISETMENU})
            m_subclass->zAddMsg(m_session->form, static_cast<std::int32_t>(msg),
                                MsgWhen::MSG_AFTER);
    }
    listenForShortcuts(true);
}

void ucMenu::Clear() {
    listenForShortcuts(false);
    if (m_subclass) m_subclass->ssc_Terminate();
    if (!m_session) return;
    if (IsWindow(m_session->form) && GetMenu(m_session->form) == m_session->top) {
        keepClientSize([&] {
            SetMenu(m_session->form, HMENU());
            DrawMenuBar(m_session->form);
        });
    }
    if (IsMenu(m_session->top)) DestroyMenu(m_session->top);
    m_session.reset();
    m_top.clear();
}

std::shared_ptr<cMenuItem> ucMenu::PopUp(const clsSubMenu& entry) {
    auto chosen = std::make_shared<cMenuItem>();
    chosen->ID = -1;
    if (!m_session || !IsMenu(entry.popup())) return chosen;
    POINT at{};
    GetCursorPos(&at);
    const BOOL id = TrackPopupMenuEx(entry.popup(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y,
                                     m_session->form, nullptr);
    if (const std::shared_ptr<cMenuItem> item = id ? MenuItemTable::current().at(id) : nullptr) {
        chosen->hMenu = item->hMenu;
        chosen->Position = item->Position;
        chosen->ID = item->ID;
        chosen->Caption = item->Caption;
    }
    return chosen;
}

std::shared_ptr<cMenuItem> ucMenu::GetMenuItemInfo(std::int32_t id) const {
    std::shared_ptr<cMenuItem> item = MenuItemTable::current().at(id);
    if (!item) throw Error(kIdOutOfBounds, u"GetMenuItemInfo", u"Item ID out of bounds");
    return item;
}

void ucMenu::pvSetState(std::int32_t id, std::int32_t flag, bool set) {
    const std::shared_ptr<cMenuItem> item = GetMenuItemInfo(id);
    item->wFlags = set ? (item->wFlags | flag) : (item->wFlags & ~flag);
}

void ucMenu::RadioGroupAdd(std::int32_t topMenuPosition, std::int32_t itemPosition,
                           std::int32_t fromItem, std::int32_t toItem) {
    const HMENU popup = SubMenu(Variant(topMenuPosition))->popup();
    if (!popup) return;
    CheckMenuRadioItem(popup, static_cast<UINT>(fromItem), static_cast<UINT>(toItem),
                       static_cast<UINT>(itemPosition), MF_BYPOSITION);
    const auto group = std::make_tuple(popup.value, fromItem, toItem);
    if (std::find(m_radioGroups.begin(), m_radioGroups.end(), group) == m_radioGroups.end())
        m_radioGroups.push_back(group);
}

bool ucMenu::inRadioGroup(HMENU menu, int position) const {
    for (const auto& [popup, from, to] : m_radioGroups)
        if (popup == menu.value && position >= from && position <= to) return true;
    return false;
}

void ucMenu::EnumMenu(HMENU menu) {
    const int n = GetMenuItemCount(menu);
    const std::weak_ptr<bool> alive = aliveToken();
    for (int i = 0; i < n && !alive.expired(); ++i) {
        const HMENU sub = GetSubMenu(menu, i);
        std::shared_ptr<cMenuItem> item =
            sub ? itemFor(sub.value)
                : MenuItemTable::current().at(static_cast<std::int32_t>(GetMenuItemID(menu, i)));
        if (!item) {
            item = std::make_shared<cMenuItem>();
            item->hMenu = static_cast<std::int32_t>(menu.value);
            item->Position = i;
            item->ID = static_cast<std::int32_t>(GetMenuItemID(menu, i));
        }
        if (!raiseItem(evItemEnum, item)) return;
        if (sub) EnumMenu(sub);
    }
}

std::u16string ucMenu::CaptionW(HWND hwnd) {
    const auto n = static_cast<std::size_t>(DefWindowProcW(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::u16string text(n + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        DefWindowProcW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void ucMenu::CaptionW(HWND hwnd, const std::u16string& text) {
    DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::shared_ptr<cMenuItem> ucMenu::entryOf(std::uint32_t popup) const {
    if (!m_session) return nullptr;
    const auto it = m_session->popupEntry.find(popup);
    return it == m_session->popupEntry.end() ? nullptr : MenuItemTable::current().at(it->second);
}

std::shared_ptr<cMenuItem> ucMenu::itemFor(std::uint32_t itemId) const {
    // A popup's handle stands for the entry it opens from.
    if (std::shared_ptr<cMenuItem> entry = entryOf(itemId)) return entry;
    return MenuItemTable::current().at(static_cast<std::int32_t>(itemId));
}

bool ucMenu::raiseItem(int event, const std::shared_ptr<cMenuItem>& item) {
    std::vector<Variant> args{Variant(asObject(item))};
    return raiseEvent(event, args);
}

// --- The form's menu messages ---

void ucMenu::onFormMessage(SubclassMessage& m) {
    switch (m.uMsg) {
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.lParam);
            if (!mis || mis->CtlType != ODT_MENU || !itemFor(mis->itemID)) return;
            measure(*mis);
            m.handled = true;
            m.result = TRUE;
            return;
        }
        case WM_DRAWITEM: {
            const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
            if (!dis || dis->CtlType != ODT_MENU || !itemFor(dis->itemID)) return;
            draw(*dis);
            m.handled = true;
            m.result = TRUE;
            return;
        }
        case WM_COMMAND: {
            // Menu commands and their shortcuts only: no control, notification 0 or 1.
            if (m.lParam != 0 || HIWORD(m.wParam) > 1) return;
            const std::shared_ptr<cMenuItem> item =
                MenuItemTable::current().at(static_cast<std::int32_t>(LOWORD(m.wParam)));
            if (!item) return;
            m.handled = true;
            const std::shared_ptr<MenuSession> session = m_session;
            if (!raiseItem(evItemClick, item) || !session) return;
            if (IsWindow(session->form) && IsMenu(session->top))
                SetMenu(session->form, session->top);
            return;
        }
        case WM_MENUSELECT:
            menuSelect(m.wParam, m.lParam);
            return;
        case WM_MENUCHAR: {
            // Owner-drawn items carry no text of their own: the control finds the access key
            // in its records and chooses the item.
            const int position = accessKeyItem(HMENU(static_cast<std::uint32_t>(m.lParam)),
                                               static_cast<char16_t>(LOWORD(m.wParam)));
            if (position < 0) return;
            m.handled = true;
            m.result = static_cast<LRESULT>(
                MAKELONG(static_cast<WORD>(position), static_cast<WORD>(MNC_EXECUTE)));
            return;
        }
        case WM_CHILDACTIVATE:
            // A child window taking over may have put its own menu: the bar comes back.
            if (m_session && IsMenu(m_session->top) && GetMenu(m.hWnd) != m_session->top)
                SetMenu(m.hWnd, m_session->top);
            return;
        case WM_WINDOWPOSCHANGED: {
            std::vector<Variant> none;
            raiseEvent(evMDIWindowPosChanged, none);
            return;
        }
        case WM_MDIACTIVATE:
        case WM_MDISETMENU: {
            std::vector<Variant> none;
            raiseEvent(evMDISetMenu, none);
            return;
        }
        default:
            return;
    }
}

void ucMenu::menuSelect(WPARAM wParam, LPARAM lParam) {
    const UINT flags = HIWORD(wParam);
    const HMENU menu(static_cast<std::uint32_t>(lParam));
    const HWND form = m_session ? m_session->form : HWND();
    // Any tooltip goes as the highlight moves or the menu closes.
    HideControlTooltip(form);
    m_tipItem.reset();
    if (m_tipShow) m_tipShow->Enabled(false);
    if (m_tipHide) m_tipHide->Enabled(false);
    if (flags == 0xFFFF && !menu) return;  // the menu closed
    std::shared_ptr<cMenuItem> item;
    if (flags & MF_POPUP) {
        if (const HMENU sub = GetSubMenu(menu, LOWORD(wParam))) item = itemFor(sub.value);
    } else {
        item = MenuItemTable::current().at(static_cast<std::int32_t>(LOWORD(wParam)));
    }
    if (!item) return;
    if (item->WindowList) fillWindowList(*item);
    if (!item->ToolTipText.empty()) {
        // Shown after half a second if the pointer rests on a popup by then.
        m_tipItem = item;
        tipTimers();
        m_tipShow->Enabled(true);
    }
    raiseItem(evItemHover, item);
}

int ucMenu::accessKeyItem(HMENU menu, char16_t key) const {
    const int wanted = AccessKeyChar(std::u16string(u"&") + key);
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        const HMENU sub = GetSubMenu(menu, i);
        const std::shared_ptr<cMenuItem> item =
            sub ? itemFor(sub.value)
                : MenuItemTable::current().at(static_cast<std::int32_t>(GetMenuItemID(menu, i)));
        if (item && wanted && AccessKeyChar(item->Caption) == wanted &&
            !(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)))
            return i;
    }
    return -1;
}

// The form's MDI child windows, in window order.
std::vector<HWND> ucMenu::mdiChildren() const {
    std::vector<HWND> children;
    if (!m_session) return children;
    EnumChildWindows(
        m_session->form,
        [](HWND child, LPARAM list) {
            if (static_cast<DWORD>(GetWindowLongW(child, GWL_EXSTYLE)) & WS_EX_MDICHILD)
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

void ucMenu::UpdateWindowList(const std::u16string& imgPrefix) {
    std::int32_t index = 0;
    const std::weak_ptr<bool> alive = aliveToken();
    for (const HWND child : mdiChildren()) {
        std::vector<Variant> args{
            Variant(static_cast<std::int32_t>(child.value)), Variant(CaptionW(child)),
            Variant(index),
            Variant(imgPrefix.empty() ? std::u16string() : imgPrefix + CStr(Variant(index)))};
        if (!raiseEvent(evMDIEnumChildWindow, args) || alive.expired()) return;
        ++index;
    }
}

// An entry marked WindowList lists the MDI children at the end of its popup, refreshed each
// time it is highlighted; choosing one raises ItemClick with its record (key "mdi:" and the
// child's handle).
void ucMenu::fillWindowList(const cMenuItem& entry) {
    if (!m_session) return;
    HMENU popup;
    for (const auto& [handle, id] : m_session->popupEntry)
        if (id == entry.ID) popup = HMENU(handle);
    if (!popup) return;
    auto& listed = m_windowItems[popup.value];
    for (const std::int32_t id : listed)
        RemoveMenu(popup, static_cast<UINT>(id), MF_BYCOMMAND);
    listed.clear();
    for (const HWND child : mdiChildren()) {
        auto item = std::make_shared<cMenuItem>();
        item->Caption = CaptionW(child);
        item->key = u"mdi:" + CStr(Variant(static_cast<std::int32_t>(child.value)));
        item->hMenu = static_cast<std::int32_t>(popup.value);
        item->Position = GetMenuItemCount(popup);
        item->wFlags = m_session->ownerDrawn ? static_cast<std::int32_t>(MF_OWNERDRAW) : 0;
        const std::int32_t id = MenuItemTable::current().add(item);
        AppendMenuW(popup, static_cast<UINT>(item->wFlags), static_cast<UINT_PTR>(id),
                    item->Caption.c_str());
        listed.push_back(id);
    }
}

void ucMenu::tipTimers() {
    if (m_tipShow) return;
    m_tipShow = &addTimer();
    m_tipShow->Enabled(false);
    m_tipShow->Interval(500);
    m_tipShow->onTick = [this] {
        m_tipShow->Enabled(false);
        if (!m_tipItem || !m_session) return;
        POINT at{};
        GetCursorPos(&at);
        char16_t cls[16] = {};
        GetClassNameW(WindowFromPoint(at), cls, 16);
        if (std::u16string(cls) != u"#32768") return;
        ShowControlTooltip(m_session->form, m_session->form, m_tipItem->ToolTipText,
                           m_tipItem->ToolTipTitle,
                           static_cast<ToolTipIcon>(m_tipItem->ToolTipIcon), false,
                           vbInfoBackground, vbInfoText, 260);
        m_tipHide->Enabled(true);
    };
    m_tipHide = &addTimer();
    m_tipHide->Enabled(false);
    m_tipHide->Interval(5000);
    m_tipHide->onTick = [this] {
        m_tipHide->Enabled(false);
        if (m_session) HideControlTooltip(m_session->form);
    };
}

void ucMenu::measure(MEASUREITEMSTRUCT& mis) {
    const std::shared_ptr<cMenuItem> item = itemFor(mis.itemID);
    const HFONT font = itemFont();
    {
        const MeasureDc dc(font);
        const bool bar =
            m_session && item->hMenu == static_cast<std::int32_t>(m_session->top.value);
        const SIZE caption = dc.text(item->Caption);
        if (bar) {
            mis.itemWidth = static_cast<UINT>(caption.cx + 6);
            mis.itemHeight = static_cast<UINT>(caption.cy + 6);
        } else if ((item->wFlags & static_cast<std::int32_t>(MF_SEPARATOR)) &&
                   item->Caption.empty()) {
            mis.itemHeight = 6;
        } else {
            const std::u16string shortcut =
                item->ShortcutText.empty() ? u"" : u"    " + item->ShortcutText + u" ";
            int width = dc.text(item->Caption + shortcut).cx + 26;
            int height = caption.cy + 6;
            const SIZE image = itemImageSize(*item, static_cast<int>(GetDpiForSystem()));
            if (image.cx > 0) {
                width += image.cx + 2;
                height = std::max(height, static_cast<int>(image.cy) + 2);
            }
            // Room for the popup's side bar.
            if (const auto entry = entryOf(static_cast<std::uint32_t>(item->hMenu));
                entry && entry->SidePosition != 0)
                width += entry->SideWidth;
            mis.itemWidth = static_cast<UINT>(width);
            mis.itemHeight = static_cast<UINT>(height);
        }
    }
}

void ucMenu::drawMark(HDC dc, const RECT& rc, bool radio, bool checked) {
    const bool rtl = m_rightToLeft;
    const HTHEME theme = OpenThemeData(HWND(), u"Button");
    if (theme) {
        const RECT box{rtl ? rc.right - 18 : rc.left + 4, rc.top + 1,
                       rtl ? rc.right - 4 : rc.left + 18, rc.bottom - 1};
        const int part = radio ? BP_RADIOBUTTON : BP_CHECKBOX;
        DrawThemeBackground(theme, dc, part, checked ? 5 : 1, &box, nullptr);
        CloseThemeData(theme);
        return;
    }
    const int top = rc.top + (rc.bottom - rc.top - 13) / 2;
    RECT box{rtl ? rc.right - 17 : rc.left + 4, top, 0, top + 13};
    box.right = box.left + 13;
    if (checked) {
        DrawFrameControl(dc, &box, DFC_MENU, radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    } else {
        // An empty radio mark: its ring only.
        const HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_GRAYTEXT));
        const HGDIOBJ oldPen = SelectObject(dc, pen);
        const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        Ellipse(dc, box.left + 2, box.top + 2, box.right - 2, box.bottom - 2);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
}

// The image cache places and sizes in units of 96 DPI; the menu works in the DC's pixels.
int ucMenu::dpiOf(HDC dc) {
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

// An item's picture: its image from the cache, else its image-list image (at the list's size).
SIZE ucMenu::itemImageSize(const cMenuItem& item, int dpi) const {
    if (!item.ImgKey.empty() && m_gc && m_gc->Exists(item.ImgKey))
        return imageSize(item.ImgKey, dpi);
    const HIMAGELIST himl(static_cast<std::uint32_t>(item.himl));
    int cx = 0, cy = 0;
    if (item.himl && item.IconIndex >= 0 && item.IconIndex < ImageList_GetImageCount(himl) &&
        ImageList_GetIconSize(himl, &cx, &cy))
        return SIZE{cx, cy};
    return SIZE{0, 0};
}

SIZE ucMenu::imageSize(const std::u16string& key, int dpi) const {
    return SIZE{m_gc->Width(key) * dpi / 96, m_gc->Height(key) * dpi / 96};
}

void ucMenu::renderImage(HDC dc, const std::u16string& key, int x, int y) const {
    const int dpi = dpiOf(dc);
    m_gc->AlphaRenderTo(dc, key, x * 96 / dpi, y * 96 / dpi);
}

void ucMenu::tileImage(HDC dc, const std::u16string& key, int x, int y, int width,
                       int height) const {
    const int dpi = dpiOf(dc);
    m_gc->AlphaTileTo(dc, key, x * 96 / dpi, y * 96 / dpi, width * 96 / dpi, height * 96 / dpi);
}

// The side bar's picture (at its top) and caption (turned along it) run over the whole popup:
// each item draws the part that falls in it, placed by the item's offset in the popup.
void ucMenu::drawSideCaption(HDC dc, const cMenuItem& entry, const RECT& side,
                             const DRAWITEMSTRUCT& dis) {
    const HWND popup = WindowFromDC(dis.hDC);
    RECT client{};
    if (!popup || !GetClientRect(popup, &client)) return;
    const int offset = dis.rcItem.top;  // the item's top in the popup
    const int width = side.right - side.left;
    int pictureBottom = 0;
    if (!entry.SidePictureKey.empty() && m_gc && m_gc->Exists(entry.SidePictureKey)) {
        const SIZE picture = imageSize(entry.SidePictureKey, dpiOf(dc));
        const int pw = picture.cx, ph = picture.cy;
        renderImage(dc, entry.SidePictureKey, side.left + (width - pw) / 2, 4 - offset);
        pictureBottom = 4 + ph;
    }
    if (entry.SideCaption.empty()) return;
    const std::shared_ptr<StdFont> font = entry.SideFont ? entry.SideFont : systemMenuFont();
    LOGFONTW lf = font->logFont(static_cast<int>(GetDpiForSystem()));
    // West270 reads upwards from the bottom; East90 downwards from the top.
    const bool upwards = m_verticalOrientation == 0;
    lf.lfEscapement = lf.lfOrientation = upwards ? 900 : 2700;
    const HFONT turned = CreateFontIndirectW(&lf);
    const HGDIOBJ old = SelectObject(dc, turned);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const std::u16string caption = u" " + entry.SideCaption + u" ";
    SetTextColor(dc, TranslateColor(entry.SideForeColor));
    const int across = (width - tm.tmHeight) / 2;
    if (upwards)
        TextOutW(dc, side.left + across, client.bottom - 4 - offset, caption.c_str(),
                 static_cast<int>(caption.size()));
    else
        TextOutW(dc, side.right - across, std::max(4, pictureBottom + 4) - offset, caption.c_str(),
                 static_cast<int>(caption.size()));
    SelectObject(dc, old);
    DeleteObject(turned);
}

void ucMenu::draw(const DRAWITEMSTRUCT& dis) {
    const std::shared_ptr<cMenuItem> item = itemFor(dis.itemID);
    const int w = dis.rcItem.right - dis.rcItem.left, h = dis.rcItem.bottom - dis.rcItem.top;
    if (w <= 0 || h <= 0) return;
    const bool rtl = m_rightToLeft;
    const bool bar = m_session && item->hMenu == static_cast<std::int32_t>(m_session->top.value);
    const HMENU menu(static_cast<std::uint32_t>(item->hMenu));
    // Drawn off-screen at the item's size, then copied.
    const HDC dc = CreateCompatibleDC(dis.hDC);
    const HBITMAP bitmap = CreateCompatibleBitmap(dis.hDC, w, h);
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const HFONT font = itemFont();
    const HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    RECT rc{0, 0, w, h};
    // The popup's side bar, from its entry's record.
    const std::shared_ptr<cMenuItem> entry = bar ? nullptr : entryOf(menu.value);
    if (entry && entry->SidePosition != 0 && entry->SideWidth > 0) {
        const bool left = entry->SidePosition == 1;
        const RECT side =
            left ? RECT{0, 0, entry->SideWidth, h} : RECT{w - entry->SideWidth, 0, w, h};
        if (!entry->SideBackgroundKey.empty() && m_gc && m_gc->Exists(entry->SideBackgroundKey))
            tileImage(dc, entry->SideBackgroundKey, side.left, 0, side.right - side.left, h);
        else
            DrawGradient(dc, side, entry->SideBackColorStart, entry->SideBackColorEnd, false);
        drawSideCaption(dc, *entry, side, dis);
        if (left)
            rc.left += entry->SideWidth;
        else
            rc.right -= entry->SideWidth + 1;
    }
    // Background.
    if (!item->BackPictureKey.empty() && m_gc && m_gc->Exists(item->BackPictureKey))
        tileImage(dc, item->BackPictureKey, rc.left, rc.top, rc.right - rc.left, h);
    else if (entry && !entry->BackPictureKey.empty() && m_gc && m_gc->Exists(entry->BackPictureKey))
        tileImage(dc, entry->BackPictureKey, rc.left, rc.top, rc.right - rc.left, h);
    else
        FillSolid(dc, bar ? OLE_COLOR{0x80000004} : m_backColor, rc);
    const bool separator =
        (item->wFlags & static_cast<std::int32_t>(MF_SEPARATOR)) && item->Caption.empty();
    if (separator) {
        const int y = rc.top + h / 2;
        DrawLineColor(dc, rc.left + 2, y, rc.right - 2, y, 0xC0C0C0);
        DrawLineColor(dc, rc.left + 2, y + 1, rc.right - 2, y + 1, 0xFFFFFF);
    } else {
        // Highlight.
        if (dis.itemState & ODS_SELECTED) {
            const HTHEME theme = OpenThemeData(HWND(), u"Button");
            if (theme) {
                const RECT face{rc.left, rc.top, rc.right - 2, rc.bottom};
                DrawThemeBackground(theme, dc, BP_PUSHBUTTON, PBS_HOT, &face, nullptr);
                CloseThemeData(theme);
            } else {
                DrawGradient(dc, rc, kSelectionStart, kSelectionEnd, false);
            }
        }
        if (!bar) {
            // Check and radio marks.
            MENUITEMINFOW mii;
            mii.fMask = MIIM_FTYPE | MIIM_STATE;
            GetMenuItemInfoW(menu, static_cast<UINT>(item->ID), FALSE, &mii);
            const bool systemRadio = (mii.fState & MFS_CHECKED) && (mii.fType & MFT_RADIOCHECK);
            const bool grouped = m_showRadioOff && inRadioGroup(menu, item->Position);
            const bool checked = (item->wFlags & static_cast<std::int32_t>(MF_CHECKED)) ||
                                 (mii.fState & MFS_CHECKED);
            if (checked || grouped) drawMark(dc, rc, systemRadio || grouped, checked);
        }
        // Image.
        int textLeft = rc.left + (bar ? 3 : 22), textRight = rc.right - 2;
        const SIZE image = bar ? SIZE{0, 0} : itemImageSize(*item, dpiOf(dc));
        if (image.cx > 0) {
            const int x = rtl ? rc.right - 22 - image.cx : rc.left + 20;
            const int y = rc.top + (h - image.cy) / 2;
            if (!item->ImgKey.empty() && m_gc && m_gc->Exists(item->ImgKey))
                renderImage(dc, item->ImgKey, x, y);
            else
                ImageList_Draw(HIMAGELIST(static_cast<std::uint32_t>(item->himl)), item->IconIndex,
                               dc, x, y, ILD_TRANSPARENT);
            if (rtl)
                textRight -= image.cx + 4;
            else
                textLeft = rc.left + 20 + image.cx + 4;
        }
        const bool greyed =
            (item->wFlags & kGreyed) || (dis.itemState & (ODS_GRAYED | ODS_DISABLED));
        SetTextColor(dc, TranslateColor(greyed ? OLE_COLOR{0x80000011}
                                               : static_cast<OLE_COLOR>(item->ForeColor)));
        RECT text{textLeft, rc.top, textRight, rc.bottom};
        const UINT near = DT_SINGLELINE | DT_VCENTER | (rtl ? DT_RIGHT : DT_LEFT);
        const UINT far = DT_SINGLELINE | DT_VCENTER | (rtl ? DT_LEFT : DT_RIGHT);
        DrawTextW(dc, item->Caption.c_str(), static_cast<int>(item->Caption.size()), &text,
                  bar ? (DT_SINGLELINE | DT_VCENTER | DT_CENTER) : near);
        if (!bar && !item->ShortcutText.empty()) {
            const std::u16string shortcut = item->ShortcutText + u" ";
            DrawTextW(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &text, far);
        }
    }
    BitBlt(dis.hDC, dis.rcItem.left, dis.rcItem.top, w, h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    // Translucent popups: their window is layered with the control's alpha.
    if (!bar && m_transparency < 255) {
        if (const HWND popup = WindowFromDC(dis.hDC)) {
            const auto ex = static_cast<DWORD>(GetWindowLongW(popup, GWL_EXSTYLE));
            if (!(ex & WS_EX_LAYERED))
                SetWindowLongW(popup, GWL_EXSTYLE, static_cast<LONG>(ex | WS_EX_LAYERED));
            SetLayeredWindowAttributes(popup, 0, m_transparency, LWA_ALPHA);
        }
    }
}

// --- Lifecycle ---

void ucMenu::Initialize() {
    ScaleMode(orvane::ScaleMode::Pixels);
    m_gc = std::make_shared<cGDIPCache>();
}

void ucMenu::InitProperties() {
    table().init(*this);
}

void ucMenu::ReadProperties(const PropertyBag& bag) {
    table().read(*this, bag);
}

void ucMenu::WriteProperties(PropertyBag& bag) {
    table().write(*this, bag);
}

void ucMenu::Terminate() {
    if (m_itemFont) DeleteObject(m_itemFont);
    m_itemFont = HFONT();
    if (m_session) HideControlTooltip(m_session->form);
    Clear();
    m_gc.reset();
}

void ucMenu::HitTest(double, double, HitResult& result) {
    // Only the designer's icon takes the mouse.
    result = Ambient().UserMode() ? HitResult::Outside : HitResult::Hit;
}

void ucMenu::Paint() {
    // While the form runs the control shows nothing; the designer shows a little menu.
    if (Ambient().UserMode()) return;
    const HDC dc = hDC();
    RECT rc{0, 0, static_cast<int>(ScaleWidth()), static_cast<int>(ScaleHeight())};
    FillSolid(dc, OLE_COLOR{0x8000000F}, rc);
    DrawEdge(dc, &rc, EDGE_RAISED, BF_RECT);
    const int cx = rc.right / 2, cy = rc.bottom / 2;
    const RECT popup{cx - 8, cy - 6, cx + 8, cy + 8};
    FillSolid(dc, OLE_COLOR{0xFFFFFF}, popup);
    DrawFrame(dc, popup.left, popup.top, popup.right, popup.bottom, 0x404040, 1);
    for (int k = 0; k < 3; ++k)
        DrawLineColor(dc, popup.left + 3, popup.top + 3 + 3 * k, popup.right - 3,
                      popup.top + 3 + 3 * k, 0x404040);
}

// --- Publishing ---

void ucMenu::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucMenu;
    using Args = std::vector<Variant>;
    cMenuItem::registerClass(library);
    clsSubMenu::registerClass(library);
    library.registerEnum({u"enumMenuFlags",
                          {{u"MF_APPEND", 256},
                           {u"MF_BITMAP", 4},
                           {u"MF_BYCOMMAND", 0},
                           {u"MF_BYPOSITION", 1024},
                           {u"MF_CHANGE", 128},
                           {u"MF_CHECKED", 8},
                           {u"MF_DEFAULT", 4096},
                           {u"MF_DELETE", 512},
                           {u"MF_DISABLED", 2},
                           {u"MF_ENABLED", 0},
                           {u"MF_END", 128},
                           {u"MF_GRAYED", 1},
                           {u"MF_HIDDEN", 2048},
                           {u"MF_HILITE", 128},
                           {u"MF_INSERT", 0},
                           {u"MF_MASK", static_cast<std::int32_t>(0xFF000000u)},
                           {u"MF_MENUBARBREAK", 32},
                           {u"MF_MENUBREAK", 64},
                           {u"MF_MOUSESELECT", 32768},
                           {u"MF_OWNERDRAW", 256},
                           {u"MF_POPUP", 16},
                           {u"MF_HELP", 16384},
                           {u"MF_RIGHTJUSTIFY", 16384},
                           {u"MF_SEPARATOR", 2048},
                           {u"MF_STRING", 0},
                           {u"MF_SYSMENU", 8192},
                           {u"MF_UNCHECKED", 0},
                           {u"MF_UNHILITE", 0}}});
    library.registerEnum(
        {u"enumMethod", {{u"RecursiveDump", 0}, {u"RecursiveTrack", 1}, {u"MenuItemStorage", 2}}});
    library.registerEnum({u"Escapement", {{u"West270", 0}, {u"East90", 1}}});
    library.registerEnum({u"eSidePosition", {{u"pNone", 0}, {u"pLeft", 1}, {u"pRight", 2}}});
    const auto text = [](const Variant& v) { return v.isMissing() ? std::u16string() : CStr(v); };
    const auto number = [](const Variant& v, std::int32_t def = 0) {
        return v.isMissing() ? def : CLng(v);
    };
    const auto object = [](const std::shared_ptr<Object>& o) { return Variant(o); };
    ClassBuilder<T> b(u"ucMenu");
    b.creatable();
    table().publish(b);
    b.computed(u"GC", [object](T& c) { return object(c.m_gc); })
        .computed(u"hTopMenu",
                  [](T& c) { return Variant(static_cast<std::int32_t>(c.hTopMenu().value)); })
        .method(u"Create", {{u"hWnd", false}},
                [](T& c, Args& a) {
                    c.Create(HWND(static_cast<std::uint32_t>(CLng(a[0]))));
                    return Variant();
                })
        .method(
            u"AddMenu",
            {{u"Caption", false},
             {u"key", true},
             {u"KeyIndex", true},
             {u"wFlags", true},
             {u"BackPictureKey", true},
             {u"SidePosition", true},
             {u"SideWidth", true},
             {u"SideCaption", true},
             {u"SideFont", true},
             {u"SideForeColor", true, ValueType::Color},
             {u"SideBackColorStart", true, ValueType::Color},
             {u"SideBackColorEnd", true, ValueType::Color},
             {u"SideBackgroundKey", true},
             {u"SidePictureKey", true},
             {u"ToolTipText", true},
             {u"ToolTipTitle", true},
             {u"ToolTipIcon", true}},
            [text, number, object](T& c, Args& a) {
                cMenuItem side;
                side.BackPictureKey = text(a[4]);
                side.SidePosition = number(a[5]);
                side.SideWidth = number(a[6]);
                side.SideCaption = text(a[7]);
                if (!a[8].isMissing())
                    side.SideFont = std::dynamic_pointer_cast<StdFont>(a[8].object());
                side.SideForeColor = static_cast<OLE_COLOR>(number(a[9]));
                side.SideBackColorStart = static_cast<OLE_COLOR>(number(a[10]));
                side.SideBackColorEnd = static_cast<OLE_COLOR>(number(a[11]));
                side.SideBackgroundKey = text(a[12]);
                side.SidePictureKey = text(a[13]);
                side.ToolTipText = text(a[14]);
                side.ToolTipTitle = text(a[15]);
                side.ToolTipIcon = number(a[16]);
                return object(c.AddMenu(CStr(a[0]), text(a[1]), number(a[2]), number(a[3]), side));
            })
        .method(u"SubMenu", {{u"vIndex", false}},
                [object](T& c, Args& a) { return object(c.SubMenu(a[0])); })
        .method(u"ShowMenu", {},
                [](T& c, Args&) {
                    c.ShowMenu();
                    return Variant();
                })
        .method(u"Clear", {},
                [](T& c, Args&) {
                    c.Clear();
                    return Variant();
                })
        .method(u"PopUp", {{u"SubMenu", false}},
                [object](T& c, Args& a) {
                    const auto entry = std::dynamic_pointer_cast<clsSubMenu>(a[0].object());
                    if (!entry) throw Error::standard(errors::TypeMismatch, u"ucMenu.PopUp");
                    return object(c.PopUp(*entry));
                })
        .method(u"GetMenuItemInfo", {{u"ID", false}},
                [object](T& c, Args& a) { return object(c.GetMenuItemInfo(CLng(a[0]))); })
        .method(u"pvSetState", {{u"ID", false}, {u"lFlag", false}, {u"b", false}},
                [](T& c, Args& a) {
                    c.pvSetState(CLng(a[0]), CLng(a[1]), CBool(a[2]));
                    return Variant();
                })
        .method(u"RadioGroupAdd",
                {{u"TopMenuPosition", false},
                 {u"ItemPosition", false},
                 {u"FromItem", false},
                 {u"ToItem", false}},
                [](T& c, Args& a) {
                    c.RadioGroupAdd(CLng(a[0]), CLng(a[1]), CLng(a[2]), CLng(a[3]));
                    return Variant();
                })
        .method(u"RadioGroupClear", {},
                [](T& c, Args&) {
                    c.RadioGroupClear();
                    return Variant();
                })
        .method(u"RadioGroupRemove",
                {{u"TopMenuPosition", false}, {u"FromItem", false}, {u"ToItem", false}},
                [](T&, Args&) { return Variant(); })
        .method(u"EnumMenu", {{u"hMenu", false}, {u"eMethod", true}},
                [](T& c, Args& a) {
                    c.EnumMenu(HMENU(static_cast<std::uint32_t>(CLng(a[0]))));
                    return Variant();
                })
        .method(u"UpdateWindowList", {{u"ChildImageSize", true}, {u"imgPrefix", true}},
                [text](T& c, Args& a) {
                    c.UpdateWindowList(text(a[1]));
                    return Variant();
                })
        .method(u"CaptionW", {{u"hWnd", false}},
                [](T&, Args& a) {
                    return Variant(CaptionW(HWND(static_cast<std::uint32_t>(CLng(a[0])))));
                })
        .event(u"ItemHover", evItemHover, {u"MenuItem"})
        .event(u"ItemClick", evItemClick, {u"MenuItem"})
        .event(u"ItemEnum", evItemEnum, {u"MenuItem"})
        .event(u"MDIEnumChildWindow", evMDIEnumChildWindow,
               {u"hWnd", u"Caption", u"ChildIndex", u"ImgKey"})
        .event(u"MDIWindowPosChanged", evMDIWindowPosChanged, {})
        .event(u"MDISetMenu", evMDISetMenu, {});
    library.registerClass(b.build());
    classes.add(u"ucMenu", [] { return std::make_unique<T>(); });
}

}  // namespace orvane
