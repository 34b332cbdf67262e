// Helpers shared by the GDI call implementations: handle look-ups that set the last error,
// and turning the DC's selected pen and brush into rasterizer paints.
#pragma once

#include <functional>
#include <memory>

#include "platform/base/HandleTable.h"
#include "platform/base/LastError.h"
#include "platform/gdi/BitmapObject.h"
#include "platform/gdi/BrushObject.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontObject.h"
#include "platform/gdi/PenObject.h"
#include "platform/gdi/Rasterizer.h"
#include "platform/gdi/RegionObject.h"

namespace orvane::platform::gdi {

template <class T, class H>
T* lookup(H handle) {
    T* object = HandleTable::current().get<T>(handle.value);
    if (!object) SetLastError(ERROR_INVALID_HANDLE);
    return object;
}

inline DeviceContext* dcFrom(HDC hdc) {
    return lookup<DeviceContext>(hdc);
}

// The paint for filling with a brush on this DC; false when the brush draws nothing.
bool brushPaint(DeviceContext& dc, BrushObject* brush, Paint& out);
// The paint of the DC's selected brush.
bool selectedBrushPaint(DeviceContext& dc, Paint& out);
// The DC's selected pen; false for a null pen.
bool selectedPen(DeviceContext& dc, LinePen& out);

// The screen DC target, provided by the display backend.
void setDisplayTargetFactory(std::function<std::unique_ptr<DcTarget>()> factory);
std::unique_ptr<DcTarget> makeDisplayTarget();
// Screen size and DPI, provided by the display backend.
struct ScreenInfo {
    int width = 1920;
    int height = 1080;
    int dpi = 96;
};
ScreenInfo& screenInfo();

// Resets DC attribute defaults and stock objects for a new DC.
void initDcState(DeviceContext& dc);
HDC registerDc(std::unique_ptr<DeviceContext> dc);

// Rounds a double coordinate to the nearest pixel.
int roundCoord(double v);

}  // namespace orvane::platform::gdi
