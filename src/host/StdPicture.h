// The host's picture object: a bitmap or an icon it owns, with its size in himetric.
#pragma once

#include "host/Variant.h"
#include "platform/base/Types.h"

namespace orvane {

class StdPicture : public Object {
public:
    // What the picture holds, numbered as the host's PICTYPE values.
    enum class Type : short { None = 0, Bitmap = 1, Icon = 3 };

    StdPicture() = default;
    // Whether the picture destroys its handle when it goes (Owned) or leaves it to its owner
    // (Borrowed).
    enum class Ownership { Owned, Borrowed };
    // A picture of a bitmap (deleted with the picture unless borrowed); size from the bitmap.
    static std::shared_ptr<StdPicture> fromBitmap(platform::HBITMAP bitmap, int dpi = 96,
                                                  Ownership ownership = Ownership::Owned);
    // A picture of an icon or cursor of the given pixel size (destroyed with it unless
    // borrowed).
    static std::shared_ptr<StdPicture> fromIcon(platform::HICON icon, int widthPx, int heightPx,
                                                int dpi = 96,
                                                Ownership ownership = Ownership::Owned);
    ~StdPicture() override;
    StdPicture(const StdPicture&) = delete;
    StdPicture& operator=(const StdPicture&) = delete;

    std::u16string typeName() const override { return u"StdPicture"; }
    // What the picture holds.
    Type type() const { return m_type; }
    // The GDI handle as the 32-bit value controls keep.
    platform::LONG Handle() const { return static_cast<platform::LONG>(m_handle); }
    // Himetric: hundredths of a millimetre.
    std::int32_t Width() const { return m_width; }
    // The height in himetric.
    std::int32_t Height() const { return m_height; }

private:
    Type m_type = Type::None;
    bool m_owned = true;
    std::uint32_t m_handle = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
};

}  // namespace orvane
