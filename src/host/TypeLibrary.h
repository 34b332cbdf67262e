// The type library "Orvane": what scripts, form files and late-bound calls find by name. This
// first part holds the enumerations, with member names exactly as published (spaces and
// leading digits included); classes join it as they are built.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct EnumInfo {
    std::u16string name;
    std::vector<std::pair<std::u16string, long>> members;  // in published order
};

class TypeLibrary {
public:
    static TypeLibrary& current();

    // Adds an enumeration; one registered again under the same name replaces the first.
    void registerEnum(EnumInfo info);
    // Look-ups ignore case, as late-bound names do.
    const EnumInfo* findEnum(std::u16string_view name) const;
    std::optional<long> enumValue(std::u16string_view enumName, std::u16string_view member) const;
    // The published name of a value (the first member with it), or empty.
    std::u16string enumMemberName(std::u16string_view enumName, long value) const;
    const std::vector<EnumInfo>& enums() const { return m_enums; }

private:
    std::vector<EnumInfo> m_enums;
};

// Case-insensitive comparison of published names.
bool sameName(std::u16string_view a, std::u16string_view b);

}  // namespace orvane
