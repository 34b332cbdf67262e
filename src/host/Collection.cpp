#include "host/Collection.h"

#include <algorithm>

#include "host/TypeLibrary.h"

#include "host/Error.h"

namespace orvane {

namespace {

constexpr std::int32_t kDuplicateKey = 457;
constexpr std::int32_t kElementNotFound = 32811;

Error duplicateKey(const char16_t* source) {
    return Error(kDuplicateKey, source,
                 u"This key is already associated with an element of this collection");
}

}  // namespace

std::size_t Collection::position(const Variant& indexOrKey) const {
    if (indexOrKey.kind() == Variant::Kind::String) {
        const std::u16string& key = indexOrKey.toString();
        for (std::size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i].key && sameName(*m_items[i].key, key)) return i;
        throw Error::standard(errors::InvalidProcedureCall, u"Collection");
    }
    const std::int32_t index = indexOrKey.toLong();
    if (index < 1 || index > Count())
        throw Error::standard(errors::SubscriptOutOfRange, u"Collection");
    return static_cast<std::size_t>(index - 1);
}

void Collection::Add(const Variant& item, const Variant& key, const Variant& before,
                     const Variant& after) {
    Entry entry{item, std::nullopt};
    if (!key.isMissing()) {
        if (key.kind() != Variant::Kind::String)
            throw Error::standard(errors::TypeMismatch, u"Collection.Add");
        const std::u16string k = key.toString();
        for (const Entry& e : m_items)
            if (e.key && sameName(*e.key, k)) throw duplicateKey(u"Collection.Add");
        entry.key = k;
    }
    if (!before.isMissing() && !after.isMissing())
        throw Error::standard(errors::InvalidProcedureCall, u"Collection.Add");
    std::size_t at = m_items.size();
    if (!before.isMissing()) at = position(before);
    if (!after.isMissing()) at = position(after) + 1;
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

const Variant& Collection::Item(const Variant& indexOrKey) const {
    return m_items[position(indexOrKey)].item;
}

void Collection::Remove(const Variant& indexOrKey) {
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(position(indexOrKey)));
}

bool Dictionary::same(const std::u16string& a, const std::u16string& b) const {
    return m_mode == CompareMode::Text ? sameName(a, b) : a == b;
}

void Dictionary::compareMode(CompareMode mode) {
    if (!m_entries.empty())
        throw Error::standard(errors::InvalidProcedureCall, u"Dictionary.CompareMode");
    m_mode = mode;
}

void Dictionary::Add(const std::u16string& key, const Variant& item) {
    if (Exists(key)) throw duplicateKey(u"Dictionary.Add");
    m_entries.emplace_back(key, item);
}

bool Dictionary::Exists(const std::u16string& key) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const auto& e) { return same(e.first, key); });
}

Variant& Dictionary::Item(const std::u16string& key) {
    for (auto& e : m_entries)
        if (same(e.first, key)) return e.second;
    m_entries.emplace_back(key, Variant());
    return m_entries.back().second;
}

void Dictionary::Remove(const std::u16string& key) {
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [&](const auto& e) { return same(e.first, key); });
    if (it == m_entries.end())
        throw Error(kElementNotFound, u"Dictionary.Remove", u"Element not found");
    m_entries.erase(it);
}

std::vector<std::u16string> Dictionary::Keys() const {
    std::vector<std::u16string> keys;
    for (const auto& e : m_entries)
        keys.push_back(e.first);
    return keys;
}

std::vector<Variant> Dictionary::Items() const {
    std::vector<Variant> items;
    for (const auto& e : m_entries)
        items.push_back(e.second);
    return items;
}

}  // namespace orvane
