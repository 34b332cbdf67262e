#include "platform/gdi/DeviceContext.h"

#include <algorithm>

#include <cmath>

#include "platform/base/HandleTable.h"
#include "platform/gdi/BitmapObject.h"
#include "platform/gdi/GdiInternal.h"

namespace orvane::platform {

DeviceContext::DeviceContext(Type type, std::unique_ptr<DcTarget> target)
    : PlatformObject(kKind), m_type(type), m_target(std::move(target)) {}

DeviceContext::~DeviceContext() {
    if (BitmapObject* bmp = selectedBitmap()) {
        if (bmp->selectedInto == handle()) bmp->selectedInto = 0;
    }
}

BitmapObject* DeviceContext::selectedBitmap() const {
    if (m_type != Type::Memory) return nullptr;
    return HandleTable::current().get<BitmapObject>(m_state.bitmap);
}

PixelSurface* DeviceContext::surface() {
    if (m_type == Type::Memory) {
        BitmapObject* bmp = selectedBitmap();
        return bmp ? &bmp->surface() : nullptr;
    }
    return m_target ? m_target->surface() : nullptr;
}

bool DeviceContext::isMonochrome() const {
    BitmapObject* bmp = selectedBitmap();
    return bmp && bmp->isMonochrome();
}

SIZE DeviceContext::deviceSize() {
    if (m_type == Type::Memory) {
        BitmapObject* bmp = selectedBitmap();
        return bmp ? SIZE{bmp->width(), bmp->height()} : SIZE{};
    }
    return m_target ? m_target->size() : SIZE{};
}

POINT DeviceContext::surfaceOrigin() {
    if (m_type == Type::Memory || !m_target) return POINT{};
    const std::uint64_t version = m_target->version();
    if (!m_originValid || version != m_originVersion) {
        m_origin = m_target->origin();
        m_originVersion = version;
        m_originValid = true;
    }
    return m_origin;
}

bool DeviceContext::hasRotation() const {
    return m_state.xform.eM12 != 0.0f || m_state.xform.eM21 != 0.0f;
}

void DeviceContext::toDevice(double x, double y, double& dx, double& dy) {
    // The world transform maps in either graphics mode (the compatible mode keeps the one the
    // advanced mode set).
    {
        const XFORM& m = m_state.xform;
        const double wx = x * m.eM11 + y * m.eM21 + m.eDx;
        const double wy = x * m.eM12 + y * m.eM22 + m.eDy;
        x = wx;
        y = wy;
    }
    dx = x - m_state.windowOrg.x + m_state.viewportOrg.x;
    dy = y - m_state.windowOrg.y + m_state.viewportOrg.y;
    // A mirrored DC runs x from the right edge; rectangle edges map exactly onto edges.
    if (isMirrored()) dx = deviceSize().cx - dx;
}

POINT DeviceContext::toSurface(LONG x, LONG y) {
    const XFORM& m = m_state.xform;
    if (m.eM11 == 1.0f && m.eM22 == 1.0f && m.eM12 == 0.0f && m.eM21 == 0.0f && m.eDx == 0.0f &&
        m.eDy == 0.0f && !isMirrored()) {
        // The plain mapping: whole-pixel offsets, kept in the same range as rounded ones.
        constexpr std::int64_t kLimit = 1 << 29;
        auto place = [&](std::int64_t v) {
            return static_cast<LONG>(std::clamp(v, -kLimit, kLimit));
        };
        const POINT org = surfaceOrigin();
        return POINT{
            place(static_cast<std::int64_t>(x) - m_state.windowOrg.x + m_state.viewportOrg.x) +
                org.x,
            place(static_cast<std::int64_t>(y) - m_state.windowOrg.y + m_state.viewportOrg.y) +
                org.y};
    }
    double dx, dy;
    toDevice(x, y, dx, dy);
    const POINT org = surfaceOrigin();
    return POINT{gdi::roundCoord(dx) + org.x, gdi::roundCoord(dy) + org.y};
}

RECT DeviceContext::rectToSurface(const RECT& rc) {
    POINT a = toSurface(rc.left, rc.top);
    POINT b = toSurface(rc.right, rc.bottom);
    RECT r{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    return r;
}

Region DeviceContext::deviceToSurface(const Region& device) {
    Region r = device;
    const POINT org = surfaceOrigin();
    r.offset(org.x, org.y);
    return r;
}

const Region& DeviceContext::systemRegion() {
    const std::uint64_t version = m_target ? m_target->version() : 0;
    if (m_systemValid && version == m_systemVersion && m_state.bitmap == m_systemBitmap)
        return m_system;
    const SIZE size = deviceSize();
    m_system = m_type == Type::Memory || !m_target ? Region(RECT{0, 0, size.cx, size.cy})
                                                   : m_target->visibleRegion();
    m_systemValid = true;
    m_systemVersion = version;
    m_systemBitmap = m_state.bitmap;
    m_deviceClipValid = false;
    return m_system;
}

const Region& DeviceContext::deviceClip() {
    const Region& system = systemRegion();  // drops a stale device clip
    if (m_deviceClipValid) return m_deviceClip;
    m_deviceClip = m_state.clip ? Region::combine(system, *m_state.clip, Region::Op::And) : system;
    m_deviceClipValid = true;
    return m_deviceClip;
}

const Region& DeviceContext::clipRegion() {
    const std::uint64_t version = m_target ? m_target->version() : 0;
    if (m_clipValid && version == m_clipVersion && m_state.bitmap == m_clipBitmap) return m_clip;
    m_clip = deviceToSurface(deviceClip());
    if (PixelSurface* s = surface()) {
        m_clip = m_clip.intersected(RECT{0, 0, s->width(), s->height()});
    } else {
        m_clip = Region();
    }
    m_clipValid = true;
    m_clipVersion = version;
    m_clipBitmap = m_state.bitmap;
    return m_clip;
}

std::uint32_t DeviceContext::pixelFor(COLORREF c) {
    if (c & 0xFF000000u) c &= 0x00FFFFFF;  // palette-relative colours are used as plain RGB
    if (isMonochrome()) {
        const int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
        return sum >= 384 ? 0x00FFFFFFu : 0u;
    }
    return PixelSurface::fromColor(c);
}

}  // namespace orvane::platform
