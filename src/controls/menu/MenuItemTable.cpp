#include "controls/menu/MenuItemTable.h"

#include "host/Error.h"

namespace orvane {

MenuItemTable& MenuItemTable::current() {
    static MenuItemTable table;
    return table;
}

std::int32_t MenuItemTable::add(std::shared_ptr<cMenuItem> item) {
    if (m_items.size() >= 0xFFFF) throw Error::standard(errors::Overflow, u"MenuItemTable");
    const auto id = static_cast<std::int32_t>(m_items.size());
    item->ID = id;
    m_items.push_back(std::move(item));
    return id;
}

std::shared_ptr<cMenuItem> MenuItemTable::at(std::int32_t id) const {
    if (id < 0 || id >= size()) return nullptr;
    return m_items[static_cast<std::size_t>(id)];
}

std::shared_ptr<cMenuItem> MenuItemTable::withKey(const std::u16string& key) const {
    for (const auto& item : m_items)
        if (item->key == key) return item;
    return nullptr;
}

}  // namespace orvane
