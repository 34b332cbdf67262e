// Where a window's device context draws: its part of the top-level window's surface, clipped
// to what of the window is visible (and to an extra region, such as the update region).
#pragma once

#include <cstdint>
#include <optional>

#include "platform/gdi/DcTarget.h"
#include "platform/user/UserTypes.h"

namespace orvane::platform {

class WindowDcTarget : public DcTarget {
public:
    WindowDcTarget(HWND hwnd, bool clientArea, DWORD dcxFlags)
        : m_hwnd(hwnd), m_client(clientArea), m_flags(dcxFlags) {}

    // Limits drawing further: intersect with (or exclude) a region in the DC's coordinates.
    void setExtra(Region region, bool exclude) {
        m_extra = std::move(region);
        m_exclude = exclude;
    }

    PixelSurface* surface() override;
    POINT origin() override;
    SIZE size() override;
    Region visibleRegion() override;
    std::uint64_t version() override;
    std::uint32_t window() override { return m_hwnd.value; }
    bool clientArea() const { return m_client; }

private:
    HWND m_hwnd;
    bool m_client;
    DWORD m_flags;
    std::optional<Region> m_extra;
    bool m_exclude = false;
    // The top-level window found last and the window layout version it was found at: the
    // walk up the tree is skipped while the version stays (both handles are still checked).
    std::uint32_t m_top = 0;
    std::uint64_t m_topVersion = 0;
};

}  // namespace orvane::platform
