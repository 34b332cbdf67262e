// Arguments of late-bound calls: optional ones with their defaults, and handles passed as
// 32-bit numbers.
#pragma once

#include <string>

#include "host/Variant.h"

namespace orvane {

// A Long argument, or `fallback` when it was left out.
inline std::int32_t optionalLong(const Variant& v, std::int32_t fallback) {
    return v.isMissing() ? fallback : CLng(v);
}
// A Double argument, or `fallback` when it was left out.
inline double optionalDouble(const Variant& v, double fallback) {
    return v.isMissing() ? fallback : CDbl(v);
}
// A Boolean argument, or `fallback` when it was left out.
inline bool optionalBool(const Variant& v, bool fallback) {
    return v.isMissing() ? fallback : CBool(v);
}
// A String argument, or "" when it was left out.
inline std::u16string optionalString(const Variant& v) {
    return v.isMissing() ? std::u16string() : CStr(v);
}
// A window, DC or other handle given as a number.
template <class H>
H handleArg(const Variant& v) {
    return H(static_cast<std::uint32_t>(CLng(v)));
}

}  // namespace orvane
