// The data a drag carries, as the OLE interface of that name offers it, reduced to memory
// blocks: formats are clipboard format numbers, media are HGLOBAL blocks.
#pragma once

#include <vector>

#include "platform/base/GlobalMemory.h"

namespace orvane::platform {

using CLIPFORMAT = WORD;

inline constexpr DWORD DVASPECT_CONTENT = 1;
inline constexpr DWORD TYMED_HGLOBAL = 1;
inline constexpr DWORD DATADIR_GET = 1;
inline constexpr DWORD DATADIR_SET = 2;

inline constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);
inline constexpr HRESULT DV_E_LINDEX = static_cast<HRESULT>(0x80040068u);
inline constexpr HRESULT DV_E_TYMED = static_cast<HRESULT>(0x80040069u);
inline constexpr HRESULT DV_E_DVASPECT = static_cast<HRESULT>(0x8004006Bu);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);

// Which data is meant: a format, the content aspect, the whole (-1) and a memory block. No
// target device: Windows' ptd is left out.
struct FORMATETC {
    CLIPFORMAT cfFormat = 0;
    DWORD dwAspect = DVASPECT_CONTENT;
    LONG lindex = -1;
    DWORD tymed = TYMED_HGLOBAL;
};

// The data itself. The receiver of GetData owns hGlobal and frees it with ReleaseStgMedium
// (there is no pUnkForRelease).
struct STGMEDIUM {
    DWORD tymed = 0;
    HGLOBAL hGlobal;
};

class IDataObject {
public:
    virtual ~IDataObject() = default;
    // A new block holding the data in the format asked for: DV_E_FORMATETC for a format the
    // object does not have, DV_E_TYMED for a medium other than a memory block.
    virtual HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) = 0;
    // S_OK when GetData would succeed, else the error it would give.
    virtual HRESULT QueryGetData(const FORMATETC* format) = 0;
    // Stores data in a format; with `release` the object takes the block, else it copies it.
    virtual HRESULT SetData(const FORMATETC* format, STGMEDIUM* medium, BOOL release) = 0;
    // The formats the object offers (DATADIR_GET) or takes (DATADIR_SET), in its order of
    // preference. Stands for EnumFormatEtc's enumerator.
    virtual HRESULT EnumFormatEtc(DWORD direction, std::vector<FORMATETC>* formats) = 0;
};

}  // namespace orvane::platform
