// The store controls persist themselves in: keys (compared without regard to case) with
// values, in the order they were written.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/Variant.h"

namespace orvane {

class PropertyBag {
public:
    // The stored value, or the default when the key is absent.
    Variant ReadProperty(std::u16string_view key, const Variant& defaultValue = Variant()) const;
    // Stores a value; one equal to the default is not stored, since it reads back the same.
    void WriteProperty(std::u16string_view key, const Variant& value,
                       const Variant& defaultValue = Variant());

    // A stored value converted by `convert`; a value of the wrong kind reads as the default,
    // as the host reads bags written by other versions of a control.
    template <class T, class Convert>
    T read(std::u16string_view key, T defaultValue, Convert convert) const {
        auto it = find(key);
        if (it == m_entries.end()) return defaultValue;
        try {
            return convert(it->second);
        } catch (const std::exception&) {
            return defaultValue;
        }
    }

    // Stores a value whatever it is, as a loaded file gives it.
    void store(std::u16string_view key, Variant value);
    // Whether a value is stored under `key` (keys ignore case).
    bool contains(std::u16string_view key) const;
    // Every key and value, in the order first written.
    const std::vector<std::pair<std::u16string, Variant>>& entries() const { return m_entries; }
    // Forgets every value.
    void clear() { m_entries.clear(); }

private:
    std::vector<std::pair<std::u16string, Variant>>::const_iterator find(
        std::u16string_view key) const;
    std::vector<std::pair<std::u16string, Variant>> m_entries;
};

}  // namespace orvane
