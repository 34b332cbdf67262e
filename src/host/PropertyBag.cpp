#include "host/PropertyBag.h"

#include <algorithm>

#include "host/TypeLibrary.h"

namespace orvane {

std::vector<std::pair<std::u16string, Variant>>::const_iterator PropertyBag::find(
    std::u16string_view key) const {
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [&](const auto& e) { return sameName(e.first, key); });
}

Variant PropertyBag::ReadProperty(std::u16string_view key, const Variant& defaultValue) const {
    auto it = find(key);
    return it == m_entries.end() ? defaultValue : it->second;
}

void PropertyBag::WriteProperty(std::u16string_view key, const Variant& value,
                                const Variant& defaultValue) {
    auto it = find(key);
    if (value == defaultValue) {
        if (it != m_entries.end()) m_entries.erase(it);
        return;
    }
    if (it != m_entries.end()) {
        m_entries[static_cast<std::size_t>(it - m_entries.begin())].second = value;
        return;
    }
    m_entries.emplace_back(std::u16string(key), value);
}

bool PropertyBag::contains(std::u16string_view key) const {
    return find(key) != m_entries.end();
}

void PropertyBag::store(std::u16string_view key, Variant value) {
    auto it = find(key);
    if (it != m_entries.end()) {
        m_entries[static_cast<std::size_t>(it - m_entries.begin())].second = std::move(value);
        return;
    }
    m_entries.emplace_back(std::u16string(key), std::move(value));
}

}  // namespace orvane
