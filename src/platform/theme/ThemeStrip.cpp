#include "platform/theme/ThemeStrip.h"

#include <stdexcept>

#include "platform/imaging/PremultipliedAlpha.h"
#include "platform/theme/ThemeLook.h"
#include "platform/theme/ThemeRenderer.h"

namespace orvane::platform {

PixelSurface ThemeStrip::render(std::u16string_view themeClass, int part, int states, int cell) {
    const ThemeClassLook* look = ThemeLook::forClass(themeClass);
    const ThemePartLook* partLook = look ? look->find(part) : nullptr;
    if (!partLook || states < 1 || static_cast<std::size_t>(states) > partLook->states.size() ||
        cell < 1)
        throw std::invalid_argument("no such theme part or state count for a strip");
    // The glyph fills its cell, so that a cell drawn at its own size stays crisp.
    ThemePartLook filling = *partLook;
    filling.glyphWidth = filling.glyphHeight = 16;
    PixelSurface strip(cell * states, cell, 0);
    const int dpi = 96 * cell / 16;
    for (int s = 0; s < states; ++s) {
        PixelSurface cellPixels(cell, cell, 0);
        ThemeRenderer::render(filling, partLook->states[s], cell, cell, dpi, cellPixels);
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x)
                strip.at(s * cell + x, y) = PremultipliedAlpha::unpremultiply(cellPixels.at(x, y));
    }
    return strip;
}

}  // namespace orvane::platform
