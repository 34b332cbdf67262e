// Picture objects made from GDI handles, as the OLE call makes them.
#pragma once

#include <memory>

#include "host/StdPicture.h"
#include "platform/base/Types.h"

namespace orvane {

// What a picture description holds: nothing.
inline constexpr platform::UINT PICTYPE_NONE = 0;
// A bitmap (hbitmap).
inline constexpr platform::UINT PICTYPE_BITMAP = 1;
// A metafile (not supported).
inline constexpr platform::UINT PICTYPE_METAFILE = 2;
// An icon (hicon).
inline constexpr platform::UINT PICTYPE_ICON = 3;
// An enhanced metafile (not supported).
inline constexpr platform::UINT PICTYPE_ENHMETAFILE = 4;

// The description OleCreatePictureIndirect makes a picture from.
struct PICTDESC {
    platform::UINT cbSizeofstruct = sizeof(PICTDESC);  // the structure's size
    platform::UINT picType = PICTYPE_NONE;             // which handle it holds
    platform::HBITMAP hbitmap;                         // PICTYPE_BITMAP
    platform::HICON hicon;                             // PICTYPE_ICON
};

// A picture of the bitmap or icon the description names; with `own` the picture destroys the
// handle when it ends. E_INVALIDARG for a bad description or handle, E_NOTIMPL for metafiles.
platform::HRESULT OleCreatePictureIndirect(const PICTDESC* desc, bool own,
                                           std::shared_ptr<StdPicture>& picture);

}  // namespace orvane
