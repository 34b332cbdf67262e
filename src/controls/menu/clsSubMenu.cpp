#include "controls/menu/clsSubMenu.h"

#include "controls/menu/MenuItemTable.h"
#include "framework/KeysAndText.h"
#include "host/ClassBuilder.h"
#include "host/Error.h"
#include "host/TypeLibrary.h"

namespace orvane {

using namespace platform;

namespace {

// A shortcut given as a character or as a key code: its virtual-key code.
std::int32_t shortcutCode(const Variant& v) {
    if (v.isMissing() || v.isEmpty()) return 0;
    if (v.kind() == Variant::Kind::String) {
        const std::u16string s = v.toString();
        if (s.empty()) return 0;
        const std::int32_t c = s.front();
        return c > 90 && c >= u'a' && c <= u'z' ? c - 32 : c;
    }
    return CLng(v);
}

}  // namespace

clsSubMenu::clsSubMenu(std::u16string caption, std::int32_t id, std::int32_t position, HMENU menu,
                       std::int32_t menuFlags, std::weak_ptr<MenuSession> session)
    : Caption(std::move(caption)),
      ID(id),
      pos(position),
      hWnd(static_cast<std::int32_t>(menu.value)),
      flags(menuFlags),
      m_session(std::move(session)) {}

std::shared_ptr<clsSubMenu> clsSubMenu::AddMenu(
    const std::u16string& caption, const std::u16string& key, std::int32_t keyIndex,
    const Variant& shortcutKey, std::int32_t shortcutModifier, std::int32_t extraFlags,
    std::int32_t foreColor, const std::u16string& toolTipText, const std::u16string& toolTipTitle,
    std::int32_t toolTipIcon, const std::u16string& imgKey) {
    const std::shared_ptr<MenuSession> session = m_session.lock();
    const HMENU parent(static_cast<std::uint32_t>(hWnd));
    if (!session || !IsMenu(parent) || (m_popup && !IsMenu(m_popup)))
        throw Error(errors::InvalidProcedureCall, u"clsSubMenu.AddMenu",
                    u"The menu of \"" + Caption + u"\" no longer exists");
    MenuItemTable& table = MenuItemTable::current();
    auto item = std::make_shared<cMenuItem>();
    item->Caption = caption;
    item->ShortcutKey = shortcutCode(shortcutKey);
    item->ShortcutModifier = shortcutModifier;
    item->ShortcutText = ShortcutText(item->ShortcutKey, shortcutModifier);
    std::int32_t itemFlags = extraFlags;
    if (session->ownerDrawn) itemFlags |= static_cast<std::int32_t>(MF_OWNERDRAW);
    item->wFlags = itemFlags;
    item->ForeColor = foreColor;
    item->key = key;
    item->KeyIndex = keyIndex;
    item->ToolTipText = toolTipText;
    item->ToolTipTitle = toolTipTitle;
    item->ToolTipIcon = toolTipIcon;
    item->ImgKey = imgKey;
    const std::int32_t id = table.add(item);
    // Drawn by the control, the shortcut shows from the record; drawn by the menu, after a tab.
    const std::u16string shown = session->ownerDrawn || item->ShortcutText.empty()
                                     ? caption
                                     : caption + u"\t" + item->ShortcutText;
    const auto itemMenuFlags = static_cast<UINT>(itemFlags);
    if (!m_popup) {
        m_popup = CreatePopupMenu();
        AppendMenuW(m_popup, itemMenuFlags, static_cast<UINT_PTR>(id), shown.c_str());
        // The entry opens the popup now; a bar entry keeps its place at the right.
        UINT entryFlags = MF_BYPOSITION | MF_POPUP |
                          (static_cast<UINT>(flags) & (MF_RIGHTJUSTIFY | MF_OWNERDRAW));
        ModifyMenuW(parent, static_cast<UINT>(pos), entryFlags, m_popup.value, Caption.c_str());
        session->popupEntry[m_popup.value] = ID;
        if (const std::shared_ptr<cMenuItem> entry = table.at(ID)) {
            entry->ShortcutKey = 0;
            entry->ShortcutModifier = 0;
            entry->ShortcutText.clear();
        }
    } else {
        AppendMenuW(m_popup, itemMenuFlags, static_cast<UINT_PTR>(id), shown.c_str());
    }
    item->hMenu = static_cast<std::int32_t>(m_popup.value);
    item->Position = Count();
    auto child = std::make_shared<clsSubMenu>(caption, id, Count(), m_popup, itemFlags, m_session);
    m_children.push_back(child);
    return child;
}

void clsSubMenu::DeleteSubMenuItem(std::int32_t position) {
    if (m_popup) RemoveMenu(m_popup, static_cast<UINT>(position), MF_BYPOSITION);
}

std::shared_ptr<clsSubMenu> clsSubMenu::SubMenu(std::int32_t index) const {
    if (index < 0 || index >= Count())
        throw Error::standard(errors::SubscriptOutOfRange, u"clsSubMenu.SubMenu");
    return m_children[static_cast<std::size_t>(index)];
}

void clsSubMenu::registerClass(TypeLibrary& library) {
    using T = clsSubMenu;
    using Args = std::vector<Variant>;
    const auto text = [](const Variant& v) { return v.isMissing() ? std::u16string() : CStr(v); };
    const auto number = [](const Variant& v) { return v.isMissing() ? 0 : CLng(v); };
    ClassBuilder<T> b(u"clsSubMenu");
    b.creatable()
        .field(u"Caption", &T::Caption)
        .field(u"ID", &T::ID)
        .field(u"pos", &T::pos)
        .field(u"hWnd", &T::hWnd)
        .field(u"flags", &T::flags)
        .method(u"AddMenu",
                {{u"strCaption", true},
                 {u"key", true},
                 {u"KeyIndex", true},
                 {u"vShortcutKey", true},
                 {u"eShortcutModifier", true},
                 {u"wExtraFlags", true},
                 {u"ForeColor", true, ValueType::Color},
                 {u"ToolTipText", true},
                 {u"ToolTipTitle", true},
                 {u"ToolTipIcon", true},
                 {u"ImgKey", true}},
                [text, number](T& s, Args& a) {
                    return Variant(std::static_pointer_cast<Object>(s.AddMenu(
                        text(a[0]), text(a[1]), number(a[2]), a[3], number(a[4]), number(a[5]),
                        number(a[6]), text(a[7]), text(a[8]), number(a[9]), text(a[10]))));
                })
        .method(u"Count", {}, [](T& s, Args&) { return Variant(s.Count()); })
        .method(u"DeleteSubMenuItem", {{u"nPos", false}},
                [](T& s, Args& a) {
                    s.DeleteSubMenuItem(CLng(a[0]));
                    return Variant();
                })
        .method(u"SubMenu", {{u"Index", false}}, [](T& s, Args& a) {
            return Variant(std::static_pointer_cast<Object>(s.SubMenu(CLng(a[0]))));
        });
    library.registerClass(b.build());
}

}  // namespace orvane
