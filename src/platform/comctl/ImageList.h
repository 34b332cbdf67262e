// Image lists: pictures of one size kept together and drawn by index, with masks, overlays,
// blending for selection and drag images, as the common controls draw them.
#pragma once

#include "platform/base/IStream.h"
#include "platform/base/Types.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/user/UserTypes.h"

namespace orvane::platform {

using HIMAGELIST = Handle<struct HIMAGELISTTag>;

// ImageList_Create flags: a colour depth, optionally with a mask.
inline constexpr UINT ILC_MASK = 0x00000001;
inline constexpr UINT ILC_COLOR = 0x00000000;     // the default depth: 4 bits
inline constexpr UINT ILC_COLORDDB = 0x000000FE;  // the screen's depth
inline constexpr UINT ILC_COLOR4 = 0x00000004;
inline constexpr UINT ILC_COLOR8 = 0x00000008;
inline constexpr UINT ILC_COLOR16 = 0x00000010;
inline constexpr UINT ILC_COLOR24 = 0x00000018;
inline constexpr UINT ILC_COLOR32 = 0x00000020;

// Drawing styles (fStyle) and states (fState).
inline constexpr UINT ILD_NORMAL = 0x00000000;
inline constexpr UINT ILD_TRANSPARENT = 0x00000001;
inline constexpr UINT ILD_BLEND25 = 0x00000002;
inline constexpr UINT ILD_FOCUS = ILD_BLEND25;
inline constexpr UINT ILD_BLEND50 = 0x00000004;
inline constexpr UINT ILD_SELECTED = ILD_BLEND50;
inline constexpr UINT ILD_BLEND = ILD_BLEND50;
inline constexpr UINT ILD_MASK = 0x00000010;
inline constexpr UINT ILD_IMAGE = 0x00000020;
inline constexpr UINT ILD_ROP = 0x00000040;
inline constexpr UINT ILD_OVERLAYMASK = 0x00000F00;
inline constexpr UINT ILD_PRESERVEALPHA = 0x00001000;
inline constexpr UINT ILD_SCALE = 0x00002000;
inline constexpr UINT ILS_NORMAL = 0x00000000;
inline constexpr UINT ILS_SATURATE = 0x00000004;
inline constexpr UINT ILS_ALPHA = 0x00000008;
constexpr UINT INDEXTOOVERLAYMASK(UINT i) {
    return i << 8;
}

// Colours with a meaning of their own in image-list calls.
inline constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000;

// ImageList_Copy flags.
inline constexpr UINT ILCF_MOVE = 0x00000000;
inline constexpr UINT ILCF_SWAP = 0x00000001;

struct IMAGEINFO {
    HBITMAP hbmImage;  // the list's own bitmaps: valid until the list next changes
    HBITMAP hbmMask;
    int Unused1 = 0;
    int Unused2 = 0;
    RECT rcImage{};  // where the image lies in those bitmaps
};

struct IMAGELISTDRAWPARAMS {
    DWORD cbSize = sizeof(IMAGELISTDRAWPARAMS);
    HIMAGELIST himl;
    int i = 0;
    HDC hdcDst;
    int x = 0;
    int y = 0;
    int cx = 0;  // 0: the image's width (or, with ILD_SCALE, the size to scale to)
    int cy = 0;
    int xBitmap = 0;  // where in the image to start
    int yBitmap = 0;
    COLORREF rgbBk = CLR_DEFAULT;
    COLORREF rgbFg = CLR_DEFAULT;
    UINT fStyle = ILD_NORMAL;
    DWORD dwRop = 0;
    DWORD fState = ILS_NORMAL;
    DWORD Frame = 0;  // the opacity with ILS_ALPHA
    COLORREF crEffect = 0;
};

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST himl);
int ImageList_GetImageCount(HIMAGELIST himl);
// Grows the list with blank images or cuts it short.
BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT count);
// Adds every image-sized piece of the bitmap, left to right; the mask (1 = transparent) may
// be null. Returns the index of the first image added, or -1.
int ImageList_Add(HIMAGELIST himl, HBITMAP image, HBITMAP mask);
// Adds the bitmap with a mask made of the pixels of one colour.
int ImageList_AddMasked(HIMAGELIST himl, HBITMAP image, COLORREF maskColor);
// Replaces image i with an icon, or appends it when i is -1.
int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST himl, HICON icon) {
    return ImageList_ReplaceIcon(himl, -1, icon);
}
BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP image, HBITMAP mask);
// Removes image i (later images move down one), or every image when i is -1.
BOOL ImageList_Remove(HIMAGELIST himl, int i);
inline BOOL ImageList_RemoveAll(HIMAGELIST himl) {
    return ImageList_Remove(himl, -1);
}
BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
// Changes the image size; removes every image.
BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy);
BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* info);
// A new icon of image i (the caller destroys it); flags are drawing styles.
HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT flags);
inline HICON ImageList_ExtractIcon(HINSTANCE, HIMAGELIST himl, int i) {
    return ImageList_GetIcon(himl, i, ILD_NORMAL);
}
// The colour under masked pixels in ILD_NORMAL drawing; CLR_NONE draws them transparent.
COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF color);
COLORREF ImageList_GetBkColor(HIMAGELIST himl);
// Makes image `image` the overlay drawn for INDEXTOOVERLAYMASK(overlay), overlay 1 to 15.
BOOL ImageList_SetOverlayImage(HIMAGELIST himl, int image, int overlay);

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdc, int x, int y, UINT style);
BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdc, int x, int y, int dx, int dy,
                      COLORREF background, COLORREF foreground, UINT style);
BOOL ImageList_DrawIndirect(IMAGELISTDRAWPARAMS* params);

// Copies or swaps image iSrc onto iDst; both in the same list, as on Windows.
BOOL ImageList_Copy(HIMAGELIST dst, int iDst, HIMAGELIST src, int iSrc, UINT flags);
HIMAGELIST ImageList_Duplicate(HIMAGELIST himl);
// A new list of one image: image i2 of the second list drawn over i1 of the first, moved by
// (dx, dy); as large as both together.
HIMAGELIST ImageList_Merge(HIMAGELIST himl1, int i1, HIMAGELIST himl2, int i2, int dx, int dy);

// Reads a list written by ImageList_Write; null (nothing allocated) for data that is not one.
HIMAGELIST ImageList_Read(IStream* stream);
BOOL ImageList_Write(HIMAGELIST himl, IStream* stream);

// Drag images: one image follows the mouse over the screen while a drag lasts, in a layered
// window above every other. Positions are relative to the lock window's top-left corner.
BOOL ImageList_BeginDrag(HIMAGELIST himl, int i, int dxHotspot, int dyHotspot);
BOOL ImageList_DragEnter(HWND lock, int x, int y);
BOOL ImageList_DragMove(int x, int y);
BOOL ImageList_DragShowNolock(BOOL show);
BOOL ImageList_DragLeave(HWND lock);
void ImageList_EndDrag();
// The list holding the drag image, its position and hot spot.
HIMAGELIST ImageList_GetDragImage(POINT* position, POINT* hotspot);

}  // namespace orvane::platform
