// The process-wide table of menu items: an item's command identifier is its index, so the
// first item created is 0 and each new one takes the next number. A popup's entry is created
// before its first child, so its identifier is the child's minus one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/menu/cMenuItem.h"

namespace orvane {

class MenuItemTable {
public:
    // The one table of the process.
    static MenuItemTable& current();
    // Adds an item and gives it its identifier; raises the overflow error (6) past the
    // 65,535 identifiers a menu command can carry.
    std::int32_t add(std::shared_ptr<cMenuItem> item);
    // The item of identifier `id`, or null outside the table.
    std::shared_ptr<cMenuItem> at(std::int32_t id) const;
    // The first item whose key is `key`, or null.
    std::shared_ptr<cMenuItem> withKey(const std::u16string& key) const;
    // How many items there are (the next identifier).
    std::int32_t size() const { return static_cast<std::int32_t>(m_items.size()); }
    // Forgets every item: the next one made is 0 again.
    void clear() { m_items.clear(); }

private:
    std::vector<std::shared_ptr<cMenuItem>> m_items;
};

}  // namespace orvane
