// File lists handed over by other programs (CF_HDROP blocks: a DROPFILES header and names) and
// the data objects wrapping them: reading any block must never crash or read past it, and what
// a block lists must read back the same through every way in.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/ControlEnums.h"
#include "host/DataObject.h"
#include "host/Error.h"
#include "platform/ole/MemoryDataObject.h"
#include "platform/ole/Ole.h"

using namespace orvane;
using namespace orvane::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 20)) return 0;
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return 0;
    if (size) std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);

    const std::vector<std::u16string> names = FileDropNames(block);
    const UINT count = DragQueryFileW(block, 0xFFFFFFFF, nullptr, 0);
    if (count != names.size()) std::abort();
    for (UINT i = 0; i <= count; ++i) {
        const UINT length = DragQueryFileW(block, i, nullptr, 0);
        if (i == count ? length != 0 : length != names[i].size()) std::abort();
        char16_t small[4];
        const UINT copied = DragQueryFileW(block, i, small, 4);
        if (copied > 3 || (i < count && small[copied] != u'\0')) std::abort();
    }
    POINT pt{};
    DragQueryPoint(block, &pt);

    // The same block as another program's data object, through the host's DataObject.
    MemoryDataObject outside;
    FORMATETC format;
    format.cfFormat = CF_HDROP;
    STGMEDIUM medium;
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = block;
    if (outside.SetData(&format, &medium, TRUE) != S_OK) {
        GlobalFree(block);
        return 0;
    }
    DataObject wrapped(&outside);
    const auto& files = wrapped.Files();
    if (files->Count() != static_cast<std::int32_t>(names.size())) std::abort();
    for (std::int32_t i = 1; i <= files->Count(); ++i)
        if (CStr(files->Item(Variant(i))) != names[static_cast<std::size_t>(i - 1)]) std::abort();
    try {
        (void)wrapped.GetData(vbCFFiles);
    } catch (const Error&) {
        std::abort();  // the format is there
    }
    wrapped.release();
    return 0;
}
