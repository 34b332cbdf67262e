// A GDI device context: selected objects, drawing attributes, coordinate mapping and
// clipping, with a save stack. Memory DCs draw on their selected bitmap; window and display
// DCs draw through a DcTarget.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/base/PlatformObject.h"
#include "platform/gdi/DcTarget.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/Region.h"

namespace orvane::platform {

class BitmapObject;

class DeviceContext : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::DC;
    enum class Type { Memory, Window, Display };

    struct State {
        std::uint32_t pen = 0;
        std::uint32_t brush = 0;
        std::uint32_t font = 0;
        std::uint32_t bitmap = 0;
        COLORREF bkColor = RGB(255, 255, 255);
        COLORREF textColor = RGB(0, 0, 0);
        COLORREF dcBrushColor = RGB(255, 255, 255);
        COLORREF dcPenColor = RGB(0, 0, 0);
        int bkMode = OPAQUE;
        int rop2 = R2_COPYPEN;
        int polyFillMode = ALTERNATE;
        int stretchMode = BLACKONWHITE;
        int graphicsMode = GM_COMPATIBLE;
        int mapMode = MM_TEXT;
        UINT textAlign = 0;
        int charExtra = 0;
        POINT brushOrg{};
        POINT currentPos{};
        POINT windowOrg{};
        POINT viewportOrg{};
        XFORM xform{};
        DWORD layout = 0;
        std::optional<Region> clip;  // device coordinates
    };

    DeviceContext(Type type, std::unique_ptr<DcTarget> target);
    ~DeviceContext() override;

    Type type() const { return m_type; }
    DcTarget* target() { return m_target.get(); }
    State& state() { return m_state; }
    std::vector<State>& savedStates() { return m_saved; }

    // The pixels this DC draws on, or null (a window that is gone).
    PixelSurface* surface();
    BitmapObject* selectedBitmap() const;
    bool isMonochrome() const;
    // Device area size (bitmap size for memory DCs).
    SIZE deviceSize();
    POINT surfaceOrigin();

    // Logical to device coordinates (with the world transform, origins and mirroring).
    void toDevice(double x, double y, double& dx, double& dy);
    POINT toSurface(LONG x, LONG y);
    // The surface pixel a logical point names. In a mirrored DC logical pixel x covers device
    // [w - x - 1, w - x), one to the left of where the point itself maps.
    POINT toPixel(LONG x, LONG y) {
        POINT p = toSurface(x, y);
        if (isMirrored()) --p.x;
        return p;
    }
    // A logical rectangle in surface coordinates, normalised. Valid only when the mapping has
    // no rotation or shear.
    RECT rectToSurface(const RECT& rc);
    bool hasRotation() const;
    bool isMirrored() const { return (m_state.layout & LAYOUT_RTL) != 0; }
    // A device-coordinate region in surface coordinates.
    Region deviceToSurface(const Region& device);

    // The pixels drawing may touch, in surface coordinates.
    const Region& clipRegion();
    // The visible region of the target in device coordinates (system clipping), kept while
    // the window layout version and the selected bitmap stay the same.
    const Region& systemRegion();
    // The system region with the DC's clip region applied, in device coordinates.
    const Region& deviceClip();
    void invalidateClip() {
        m_clipValid = false;
        m_deviceClipValid = false;
        m_originValid = false;
    }

    // The colour a COLORREF takes on this DC's surface (black or white on a monochrome one).
    std::uint32_t pixelFor(COLORREF c);

private:
    Type m_type;
    std::unique_ptr<DcTarget> m_target;
    State m_state;
    std::vector<State> m_saved;
    Region m_system;
    bool m_systemValid = false;
    std::uint64_t m_systemVersion = 0;
    std::uint32_t m_systemBitmap = 0;
    Region m_deviceClip;
    bool m_deviceClipValid = false;
    Region m_clip;
    bool m_clipValid = false;
    std::uint64_t m_clipVersion = 0;
    std::uint32_t m_clipBitmap = 0;
    // The target's origin, kept while the window layout version stays the same: finding it
    // walks the window tree, and drawing asks for it at every coordinate.
    POINT m_origin{};
    bool m_originValid = false;
    std::uint64_t m_originVersion = 0;
};

}  // namespace orvane::platform
