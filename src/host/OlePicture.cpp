#include "host/OlePicture.h"

#include "host/Error.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/User.h"

namespace orvane {

using namespace platform;

HRESULT OleCreatePictureIndirect(const PICTDESC* desc, bool own,
                                 std::shared_ptr<StdPicture>& picture) {
    picture.reset();
    if (!desc || desc->cbSizeofstruct != sizeof(PICTDESC)) return E_INVALIDARG;
    const auto ownership = own ? StdPicture::Ownership::Owned : StdPicture::Ownership::Borrowed;
    switch (desc->picType) {
        case PICTYPE_NONE:
            picture = std::make_shared<StdPicture>();
            return S_OK;
        case PICTYPE_BITMAP: {
            BITMAP bm;
            if (!GetObjectW(desc->hbitmap, sizeof bm, &bm)) return E_INVALIDARG;
            picture = StdPicture::fromBitmap(desc->hbitmap, static_cast<int>(GetDpiForSystem()),
                                             ownership);
            return S_OK;
        }
        case PICTYPE_ICON: {
            ICONINFO info;
            if (!GetIconInfo(desc->hicon, &info)) return E_INVALIDARG;
            BITMAP bm;
            GetObjectW(info.hbmColor, sizeof bm, &bm);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            picture = StdPicture::fromIcon(desc->hicon, bm.bmWidth, bm.bmHeight,
                                           static_cast<int>(GetDpiForSystem()), ownership);
            return S_OK;
        }
        case PICTYPE_METAFILE:
        case PICTYPE_ENHMETAFILE:
            return E_NOTIMPL;
        default:
            return E_INVALIDARG;
    }
}

}  // namespace orvane
