// Text and data as controls persist them: any Unicode text as the bytes of its UTF-16LE code
// units (Empty for ""), so unpaired surrogates and NULs survive a property bag.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/Variant.h"

namespace orvane {

// A text as it is persisted: the bytes of its UTF-16LE code units, Empty for "".
Variant StringToPersist(const std::u16string& text);
// Empty gives ""; a byte array its code units (an odd last byte is dropped); anything else is
// converted as text.
std::u16string PersistToString(const Variant& value);
// Bytes as they are persisted: a byte array, Empty when there are none.
Variant BytesToPersist(const std::vector<std::uint8_t>& bytes);
// Whether an array holds more than one element (its lower bound is below its upper bound).
bool HasData(const std::vector<std::uint8_t>& bytes);

}  // namespace orvane
