// Icons and cursors made from pictures: from bitmaps (CreateIconIndirect), from the image data
// of an icon resource (CreateIconFromResourceEx), from files (LoadImageW); drawn with their
// alpha, scaled, by DrawIconEx.
#include <cstring>

#include "platform/base/CodePages.h"
#include "platform/base/ReadWholeFile.h"
#include "platform/gdi/BitmapObject.h"
#include "platform/gdi/DibFromPixels.h"
#include "platform/gdi/Gdi.h"
#include "platform/imaging/BmpReader.h"
#include "platform/imaging/IcoReader.h"
#include "platform/imaging/ImageGraphics.h"
#include "platform/imaging/PremultipliedAlpha.h"
#include "platform/user/CursorObject.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

CursorObject* iconObject(HICON icon) {
    return HandleTable::current().get<CursorObject>(icon.value);
}

bool isSet(std::uint32_t pixel) {
    return (pixel & 0xFFFFFF) != 0;
}

// An icon's hot spot is its centre, whatever it was given.
HICON addIcon(PixelSurface image, bool icon, int hotX, int hotY) {
    if (icon) {
        hotX = image.width() / 2;
        hotY = image.height() / 2;
    }
    auto object = std::make_unique<CursorObject>();
    object->image = std::move(image);
    object->isIcon = icon;
    object->hotSpotX = hotX;
    object->hotSpotY = hotY;
    return HICON(HandleTable::current().add(std::move(object), false));
}

int defaultSide(bool icon, bool width) {
    return GetSystemMetrics(icon ? (width ? SM_CXICON : SM_CYICON)
                                 : (width ? SM_CXCURSOR : SM_CYCURSOR));
}

}  // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
    auto* mask = info ? HandleTable::current().get<BitmapObject>(info->hbmMask.value) : nullptr;
    auto* colour = info && info->hbmColor
                       ? HandleTable::current().get<BitmapObject>(info->hbmColor.value)
                       : nullptr;
    if (!mask || (info->hbmColor && !colour)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HICON();
    }
    // Without a colour bitmap the mask holds the AND rows above the XOR rows.
    const int width = mask->width();
    const int height = colour ? colour->height() : mask->height() / 2;
    if (width <= 0 || height <= 0 || (colour && colour->width() != width)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HICON();
    }
    PixelSurface image(width, height);
    bool anyAlpha = false;
    if (colour && colour->bitsPerPixel() == 32)
        for (int y = 0; y < height && !anyAlpha; ++y)
            for (int x = 0; x < width; ++x)
                anyAlpha = anyAlpha || (colour->surface().at(x, y) >> 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool transparent = y < mask->height() && isSet(mask->surface().at(x, y));
            std::uint32_t pixel;
            if (!colour)
                pixel = isSet(mask->surface().at(x, y + height)) ? 0xFFFFFFFF : 0xFF000000;
            else if (anyAlpha)
                pixel = colour->surface().at(x, y);  // straight alpha, as icon images store it
            else
                pixel = 0xFF000000u | (colour->surface().at(x, y) & 0xFFFFFF);
            if (!anyAlpha && transparent) pixel = 0;
            image.at(x, y) = PremultipliedAlpha::premultiply(pixel);
        }
    return addIcon(std::move(image), info->fIcon != 0, static_cast<int>(info->xHotspot),
                   static_cast<int>(info->yHotspot));
}

HICON CreateIconFromResourceEx(const BYTE* bits, DWORD size, BOOL icon, DWORD version, int cx,
                               int cy, UINT flags) {
    if (flags & ~(LR_DEFAULTCOLOR | LR_DEFAULTSIZE | LR_SHARED)) {
        ReportUnsupported("CreateIconFromResourceEx", "flags other than LR_DEFAULTSIZE");
        return HICON();
    }
    if (!bits || (version != 0x30000 && version != 0x20000) || size < (icon ? 1u : 5u)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HICON();
    }
    // A cursor's data starts with its hot spot.
    int hotX = 0, hotY = 0;
    if (!icon) {
        hotX = bits[0] | bits[1] << 8;
        hotY = bits[2] | bits[3] << 8;
        bits += 4;
        size -= 4;
    }
    std::string why;
    auto decoded = IcoReader::readImage(bits, size, why);
    if (!decoded) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HICON();
    }
    if (cx == 0) cx = (flags & LR_DEFAULTSIZE) ? defaultSide(icon, true) : decoded->width;
    if (cy == 0) cy = (flags & LR_DEFAULTSIZE) ? defaultSide(icon, false) : decoded->height;
    const PixelSurface image = PremultipliedAlpha::fromStraight(*decoded);
    hotX = hotX * cx / decoded->width;
    hotY = hotY * cy / decoded->height;
    return addIcon(ImageGraphics::scaled(image, cx, cy), icon != 0, hotX, hotY);
}

HICON CreateIconFromResource(const BYTE* bits, DWORD size, BOOL icon, DWORD version) {
    return CreateIconFromResourceEx(bits, size, icon, version, 0, 0, LR_DEFAULTSIZE);
}

HICON CopyIcon(HICON icon) {
    CursorObject* source = iconObject(icon);
    if (!source || source->standardId) {
        SetLastError(ERROR_INVALID_ICON_HANDLE);
        return HICON();
    }
    return addIcon(
        ImageGraphics::scaled(source->image, source->image.width(), source->image.height()),
        source->isIcon, source->hotSpotX, source->hotSpotY);
}

BOOL GetIconInfo(HICON icon, ICONINFO* info) {
    CursorObject* object = iconObject(icon);
    if (!object || !info || object->standardId) {
        SetLastError(object && object->standardId ? ERROR_NOT_SUPPORTED
                                                  : ERROR_INVALID_ICON_HANDLE);
        return FALSE;
    }
    const PixelSurface& image = object->image;
    std::uint32_t* bits = nullptr;
    const HBITMAP colour = TopDownDib(image.width(), image.height(), &bits);
    const HBITMAP mask = CreateBitmap(image.width(), image.height(), 1, 1, nullptr);
    auto* colourObject = HandleTable::current().get<BitmapObject>(colour.value);
    auto* maskObject = HandleTable::current().get<BitmapObject>(mask.value);
    if (!colourObject || !maskObject) {
        DeleteObject(colour);
        DeleteObject(mask);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    // The colour bitmap gets straight alpha as the icon was made from; the mask is set where
    // the icon is fully transparent.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t p = image.at(x, y);
            colourObject->surface().at(x, y) = PremultipliedAlpha::unpremultiply(p);
            maskObject->surface().at(x, y) = (p >> 24) == 0 ? 0xFFFFFF : 0;
        }
    info->fIcon = object->isIcon;
    info->xHotspot = static_cast<DWORD>(object->hotSpotX);
    info->yHotspot = static_cast<DWORD>(object->hotSpotY);
    info->hbmColor = colour;
    info->hbmMask = mask;
    return TRUE;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH background,
                UINT flags) {
    CursorObject* object = iconObject(icon);
    if (!object || object->standardId) {
        SetLastError(ERROR_INVALID_ICON_HANDLE);
        return FALSE;
    }
    if (step != 0 || (flags & DI_COMPAT) || (flags & ~(DI_NORMAL | DI_DEFAULTSIZE | DI_NOMIRROR))) {
        ReportUnsupported("DrawIconEx", "animated-cursor steps and DI_COMPAT");
        return FALSE;
    }
    if ((flags & DI_NORMAL) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (cx == 0) cx = (flags & DI_DEFAULTSIZE) ? defaultSide(true, true) : object->image.width();
    if (cy == 0) cy = (flags & DI_DEFAULTSIZE) ? defaultSide(true, false) : object->image.height();
    if (cx <= 0 || cy <= 0) return TRUE;
    if (background) {
        const RECT area{x, y, x + cx, y + cy};
        FillRect(hdc, &area, background);
    }
    // The picture at the drawn size, in a DIB section that GDI blends from.
    const PixelSurface picture = ImageGraphics::scaled(object->image, cx, cy);
    std::uint32_t* pixels = nullptr;
    const HBITMAP dib = TopDownDib(cx, cy, &pixels);
    if (!dib) return FALSE;
    for (int row = 0; row < cy; ++row)
        for (int col = 0; col < cx; ++col) {
            const std::uint32_t p = picture.at(col, row);
            std::uint32_t& out = pixels[static_cast<std::size_t>(row) * cx + col];
            if ((flags & DI_NORMAL) == DI_NORMAL)
                out = p;
            else if (flags & DI_IMAGE)
                out = 0xFF000000u | PremultipliedAlpha::unpremultiply(p);
            else
                out = (p >> 24) == 0 ? 0xFFFFFFFF : 0xFF000000;  // the mask: white = transparent
        }
    const HDC memory = CreateCompatibleDC(hdc);
    const HGDIOBJ old = SelectObject(memory, dib);
    BOOL ok;
    if ((flags & DI_NORMAL) == DI_NORMAL) {
        BLENDFUNCTION blend;
        blend.AlphaFormat = AC_SRC_ALPHA;
        ok = GdiAlphaBlend(hdc, x, y, cx, cy, memory, 0, 0, cx, cy, blend);
    } else {
        ok = BitBlt(hdc, x, y, cx, cy, memory, 0, 0, (flags & DI_IMAGE) ? SRCCOPY : SRCAND);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    return ok;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, HBRUSH(), DI_NORMAL | DI_DEFAULTSIZE);
}

BOOL DestroyIcon(HICON icon) {
    CursorObject* object = iconObject(icon);
    if (!object) {
        SetLastError(ERROR_INVALID_ICON_HANDLE);
        return FALSE;
    }
    if (object->standardId) return TRUE;  // shared cursors stay
    return HandleTable::current().remove(icon.value) ? TRUE : FALSE;
}

BOOL DestroyCursor(HCURSOR cursor) {
    if (!iconObject(cursor)) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return FALSE;
    }
    return DestroyIcon(cursor);
}

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags) {
    if (instance || !(flags & LR_LOADFROMFILE) || IS_INTRESOURCE(name) ||
        (flags & ~(LR_LOADFROMFILE | LR_DEFAULTSIZE | LR_CREATEDIBSECTION | LR_DEFAULTCOLOR))) {
        ReportUnsupported("LoadImageW",
                          "resources and flags other than LR_LOADFROMFILE, "
                          "LR_DEFAULTSIZE and LR_CREATEDIBSECTION",
                          ERROR_FILE_NOT_FOUND);
        return HANDLE();
    }
    const std::optional<std::vector<std::uint8_t>> read = ReadWholeFile(ToUtf8(name));
    if (!read) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return HANDLE();
    }
    const std::vector<std::uint8_t>& bytes = *read;
    std::string why;
    if (type == IMAGE_BITMAP) {
        auto image = BmpReader::read(bytes.data(), bytes.size(), why);
        if (!image) {
            SetLastError(ERROR_INVALID_DATA);
            return HANDLE();
        }
        return HANDLE(DibFromPixels(image->width, image->height, image->pixels.data()));
    }
    if (type != IMAGE_ICON && type != IMAGE_CURSOR) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HANDLE();
    }
    const bool icon = type == IMAGE_ICON;
    if (cx == 0 && (flags & LR_DEFAULTSIZE)) cx = defaultSide(icon, true);
    if (cy == 0 && (flags & LR_DEFAULTSIZE)) cy = defaultSide(icon, false);
    auto file = IcoReader::read(bytes.data(), bytes.size(), cx, cy, why);
    if (!file) {
        SetLastError(ERROR_INVALID_DATA);
        return HANDLE();
    }
    const int width = cx ? cx : file->image.width, height = cy ? cy : file->image.height;
    const PixelSurface image = PremultipliedAlpha::fromStraight(file->image);
    return HANDLE(addIcon(ImageGraphics::scaled(image, width, height), icon,
                          file->hotSpotX * width / file->image.width,
                          file->hotSpotY * height / file->image.height));
}

}  // namespace orvane::platform
