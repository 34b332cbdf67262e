#include "framework/Persist.h"

namespace orvane {

Variant StringToPersist(const std::u16string& text) {
    if (text.empty()) return Variant();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return Variant(std::move(bytes));
}

std::u16string PersistToString(const Variant& value) {
    if (value.isEmpty()) return u"";
    if (value.kind() != Variant::Kind::ByteArray) return CStr(value);
    const std::vector<std::uint8_t>& bytes = value.bytes();
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return text;
}

bool HasData(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() > 1;
}

Variant BytesToPersist(const std::vector<std::uint8_t>& bytes) {
    return HasData(bytes) ? Variant(bytes) : Variant();
}

}  // namespace orvane
