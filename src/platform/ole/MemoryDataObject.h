// A data object holding its formats as memory blocks it owns: what a drop from outside the
// process offers, and a plain implementation for sources that have their data ready.
#pragma once

#include <utility>
#include <vector>

#include "platform/ole/IDataObject.h"

namespace orvane::platform {

class MemoryDataObject : public IDataObject {
public:
    MemoryDataObject() = default;
    ~MemoryDataObject() override;
    MemoryDataObject(const MemoryDataObject&) = delete;
    MemoryDataObject& operator=(const MemoryDataObject&) = delete;

    HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT QueryGetData(const FORMATETC* format) override;
    HRESULT SetData(const FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT EnumFormatEtc(DWORD direction, std::vector<FORMATETC>* formats) override;

    // Stores a copy of `size` bytes in a format (replacing what it held); false when the
    // memory cannot be had.
    bool setBytes(CLIPFORMAT format, const void* bytes, SIZE_T size);

    // A copy of a block, or null.
    static HGLOBAL copyBlock(HGLOBAL block);
    // What a FORMATETC asks that no memory-block object gives: the error for it, or S_OK.
    static HRESULT checkFormat(const FORMATETC* format);

private:
    std::vector<std::pair<CLIPFORMAT, HGLOBAL>> m_blocks;  // owned, in the order first set
};

}  // namespace orvane::platform
