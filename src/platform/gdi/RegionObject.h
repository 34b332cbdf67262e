// A GDI region object: a Region behind a handle.
#pragma once

#include "platform/base/PlatformObject.h"
#include "platform/gdi/Region.h"

namespace orvane::platform {

class RegionObject : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::Region;
    RegionObject() : PlatformObject(kKind) {}
    explicit RegionObject(Region r) : PlatformObject(kKind), region(std::move(r)) {}

    Region region;
};

}  // namespace orvane::platform
