// The number of the orvane::Error a call raises, or 0 when it raises none.
#pragma once

#include <cstdint>
#include <functional>

#include "host/Error.h"

namespace orvane::test {

inline std::int32_t errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

}  // namespace orvane::test
