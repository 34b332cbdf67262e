#include "host/TypeLibrary.h"

#include <algorithm>

namespace orvane {

bool sameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i], y = b[i];
        if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x + 32);
        if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y + 32);
        if (x != y) return false;
    }
    return true;
}

TypeLibrary& TypeLibrary::current() {
    static TypeLibrary library;
    return library;
}

void TypeLibrary::registerEnum(EnumInfo info) {
    auto it = std::find_if(m_enums.begin(), m_enums.end(),
                           [&](const EnumInfo& e) { return sameName(e.name, info.name); });
    if (it != m_enums.end())
        *it = std::move(info);
    else
        m_enums.push_back(std::move(info));
}

const EnumInfo* TypeLibrary::findEnum(std::u16string_view name) const {
    auto it = std::find_if(m_enums.begin(), m_enums.end(),
                           [&](const EnumInfo& e) { return sameName(e.name, name); });
    return it == m_enums.end() ? nullptr : &*it;
}

std::optional<long> TypeLibrary::enumValue(std::u16string_view enumName,
                                           std::u16string_view member) const {
    const EnumInfo* e = findEnum(enumName);
    if (!e) return std::nullopt;
    for (const auto& [name, value] : e->members)
        if (sameName(name, member)) return value;
    return std::nullopt;
}

std::u16string TypeLibrary::enumMemberName(std::u16string_view enumName, long value) const {
    const EnumInfo* e = findEnum(enumName);
    if (!e) return u"";
    for (const auto& [name, v] : e->members)
        if (v == value) return name;
    return u"";
}

}  // namespace orvane
