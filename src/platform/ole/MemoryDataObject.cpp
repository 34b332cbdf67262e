#include "platform/ole/MemoryDataObject.h"

#include <cstring>

#include "platform/base/LastError.h"

namespace orvane::platform {

MemoryDataObject::~MemoryDataObject() {
    for (auto& [format, block] : m_blocks)
        GlobalFree(block);
}

HGLOBAL MemoryDataObject::copyBlock(HGLOBAL block) {
    const SIZE_T size = GlobalSize(block);
    const void* from = GlobalLock(block);
    if (!from) return HGLOBAL();
    const HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (copy) {
        if (size) std::memcpy(GlobalLock(copy), from, size);
        GlobalUnlock(copy);
    }
    GlobalUnlock(block);
    return copy;
}

HRESULT MemoryDataObject::checkFormat(const FORMATETC* format) {
    if (!format) return E_INVALIDARG;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (format->lindex != -1) return DV_E_LINDEX;
    if (!(format->tymed & TYMED_HGLOBAL)) {
        ReportUnsupported("IDataObject", "media other than memory blocks (TYMED_HGLOBAL)",
                          ERROR_NOT_SUPPORTED);
        return DV_E_TYMED;
    }
    return S_OK;
}

HRESULT MemoryDataObject::GetData(const FORMATETC* format, STGMEDIUM* medium) {
    if (!medium) return E_INVALIDARG;
    if (const HRESULT hr = QueryGetData(format); hr != S_OK) return hr;
    for (auto& [cf, block] : m_blocks)
        if (cf == format->cfFormat) {
            const HGLOBAL copy = copyBlock(block);
            if (!copy) return E_OUTOFMEMORY;
            medium->tymed = TYMED_HGLOBAL;
            medium->hGlobal = copy;
            return S_OK;
        }
    return DV_E_FORMATETC;
}

HRESULT MemoryDataObject::QueryGetData(const FORMATETC* format) {
    if (const HRESULT hr = checkFormat(format); hr != S_OK) return hr;
    for (auto& [cf, block] : m_blocks)
        if (cf == format->cfFormat) return S_OK;
    return DV_E_FORMATETC;
}

HRESULT MemoryDataObject::SetData(const FORMATETC* format, STGMEDIUM* medium, BOOL release) {
    if (!medium) return E_INVALIDARG;
    if (const HRESULT hr = checkFormat(format); hr != S_OK) return hr;
    if (medium->tymed != TYMED_HGLOBAL || !medium->hGlobal) return DV_E_TYMED;
    const HGLOBAL block = release ? medium->hGlobal : copyBlock(medium->hGlobal);
    if (!block) return E_OUTOFMEMORY;
    for (auto& [cf, held] : m_blocks)
        if (cf == format->cfFormat) {
            GlobalFree(held);
            held = block;
            return S_OK;
        }
    m_blocks.emplace_back(format->cfFormat, block);
    return S_OK;
}

HRESULT MemoryDataObject::EnumFormatEtc(DWORD direction, std::vector<FORMATETC>* formats) {
    if (!formats || (direction != DATADIR_GET && direction != DATADIR_SET)) return E_INVALIDARG;
    formats->clear();
    if (direction == DATADIR_SET) return S_OK;  // takes any format: nothing to list
    for (auto& [cf, block] : m_blocks) {
        FORMATETC f;
        f.cfFormat = cf;
        formats->push_back(f);
    }
    return S_OK;
}

bool MemoryDataObject::setBytes(CLIPFORMAT format, const void* bytes, SIZE_T size) {
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return false;
    if (size) std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    FORMATETC f;
    f.cfFormat = format;
    STGMEDIUM m;
    m.tymed = TYMED_HGLOBAL;
    m.hGlobal = block;
    if (SetData(&f, &m, TRUE) != S_OK) {
        GlobalFree(block);
        return false;
    }
    return true;
}

}  // namespace orvane::platform
