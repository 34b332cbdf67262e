// What an image-list handle names: images of one size, each kept as premultiplied pixels ready
// to blend (masked pixels have alpha 0, the colour under them black), at the list's depth.
#pragma once

#include <array>
#include <vector>

#include "platform/base/PlatformObject.h"
#include "platform/comctl/ImageList.h"
#include "platform/gdi/PixelSurface.h"

namespace orvane::platform {

class ImageListObject : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::ImageList;
    // Overlays are numbered 1 to 15.
    static constexpr int kOverlays = 15;

    ImageListObject(int cx, int cy, UINT flags, int grow);
    ~ImageListObject() override;

    static ImageListObject* from(HIMAGELIST himl);

    int cx() const { return m_cx; }
    int cy() const { return m_cy; }
    UINT flags() const { return m_flags; }
    int grow() const { return m_grow; }
    // Bits per pixel the images keep: 4, 8, 16, 24 or 32.
    int depth() const { return m_depth; }
    bool masked() const { return m_flags & ILC_MASK; }
    int count() const { return static_cast<int>(m_images.size()); }
    bool valid(int i) const { return i >= 0 && i < count(); }
    const PixelSurface& image(int i) const { return m_images[static_cast<std::size_t>(i)]; }

    COLORREF background = CLR_NONE;
    std::array<int, kOverlays> overlays{};  // image index of each overlay, -1 when unset

    // The image made of straight-alpha pixels `straight` (cx × cy, 0xAARRGGBB), quantised to
    // the list's depth. Alpha counts only in a 32-bit list and only when `useAlpha`; otherwise
    // `transparent` (one flag per pixel, may be empty) makes pixels transparent in a masked list.
    PixelSurface prepare(const std::vector<std::uint32_t>& straight, bool useAlpha,
                         const std::vector<bool>& transparent) const;
    // A blank image: transparent in a masked list, black otherwise.
    PixelSurface blank() const;

    void insert(int at, PixelSurface image);
    void replace(int i, PixelSurface image);
    void remove(int i);
    void clear();
    void resize(int count);
    void setSize(int cx, int cy);

    // An opaque colour (0x00RRGGBB) as a list of `depth` bits keeps it.
    static std::uint32_t quantise(std::uint32_t rgb, int depth);

    // The images laid out in rows (four to a row, more in long lists) in one colour and one
    // mask bitmap, made on demand and owned by the list until it changes; `where` receives
    // image i's place in them.
    bool stripBitmaps(int i, HBITMAP& colour, HBITMAP& mask, RECT& where);

private:
    void changed();

    int m_cx;
    int m_cy;
    UINT m_flags;
    int m_grow;
    int m_depth;
    std::vector<PixelSurface> m_images;
    HBITMAP m_stripColour;
    HBITMAP m_stripMask;
};

}  // namespace orvane::platform
