// The host's keyed collection: items in order, counted from 1, optionally under a key that is
// compared without regard to case.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/Variant.h"

namespace orvane {

class Collection : public Object {
public:
    std::u16string typeName() const override { return u"Collection"; }

    // Adds an item at the end, or before or after the item a position or key names.
    void Add(const Variant& item, const Variant& key = Variant::missing(),
             const Variant& before = Variant::missing(), const Variant& after = Variant::missing());
    // The item at a 1-based position, or under a key.
    const Variant& Item(const Variant& indexOrKey) const;
    // Removes the item at a 1-based position, or under a key.
    void Remove(const Variant& indexOrKey);
    // How many items there are.
    std::int32_t Count() const { return static_cast<std::int32_t>(m_items.size()); }

private:
    std::size_t position(const Variant& indexOrKey) const;
    struct Entry {
        Variant item;
        std::optional<std::u16string> key;
    };
    std::vector<Entry> m_items;
};

// A string-keyed dictionary with a compare mode: binary (case matters) or text.
class Dictionary : public Object {
public:
    // How keys compare: Binary exactly, Text without regard to case.
    enum class CompareMode { Binary = 0, Text = 1 };
    std::u16string typeName() const override { return u"Dictionary"; }

    // How keys compare (Binary unless set).
    CompareMode compareMode() const { return m_mode; }
    // The mode can change only while the dictionary is empty.
    void compareMode(CompareMode mode);
    // Adds an item under a key; a key already there raises error 457.
    void Add(const std::u16string& key, const Variant& item);
    // Whether a key is there.
    bool Exists(const std::u16string& key) const;
    // Reading a missing key adds it with an empty value, as the host's dictionary does.
    Variant& Item(const std::u16string& key);
    // Removes a key and its item; a key that is not there raises error 32811.
    void Remove(const std::u16string& key);
    // Removes every key.
    void RemoveAll() { m_entries.clear(); }
    // How many keys there are.
    std::int32_t Count() const { return static_cast<std::int32_t>(m_entries.size()); }
    // The keys, in the order added.
    std::vector<std::u16string> Keys() const;
    // The items, in the order of their keys.
    std::vector<Variant> Items() const;

private:
    bool same(const std::u16string& a, const std::u16string& b) const;
    std::vector<std::pair<std::u16string, Variant>> m_entries;
    CompareMode m_mode = CompareMode::Binary;
};

}  // namespace orvane
