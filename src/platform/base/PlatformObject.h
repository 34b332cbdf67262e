// Base of every object that a handle names. The handle table owns these objects.
#pragma once

#include <cstdint>

#include "platform/base/Types.h"

namespace orvane::platform {

class PlatformObject {
public:
    explicit PlatformObject(ObjectKind kind) : m_kind(kind) {}
    virtual ~PlatformObject() = default;
    PlatformObject(const PlatformObject&) = delete;
    PlatformObject& operator=(const PlatformObject&) = delete;

    ObjectKind kind() const { return m_kind; }
    std::uint32_t handle() const { return m_handle; }
    // Stock objects live for the whole run and are not counted as live objects.
    bool isStock() const { return m_stock; }

private:
    friend class HandleTable;
    ObjectKind m_kind;
    std::uint32_t m_handle = 0;
    bool m_stock = false;
};

}  // namespace orvane::platform
