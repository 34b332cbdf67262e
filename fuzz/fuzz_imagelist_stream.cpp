// Image lists read from a stream: any bytes either make a list or nothing; a list that loads
// writes back to the same bytes it was read from, and nothing outlives it.
#include <cstdint>
#include <cstdlib>

#include "platform/base/HandleTable.h"
#include "platform/base/MemoryStream.h"
#include "platform/comctl/ImageList.h"

using namespace orvane::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryStream in(std::vector<std::uint8_t>(data, data + size));
    const HIMAGELIST list = ImageList_Read(&in);
    if (list) {
        MemoryStream out;
        if (!ImageList_Write(list, &out)) std::abort();
        // Pixels brighter than their alpha are cut down on reading; the rest comes back as read.
        MemoryStream again(out.bytes());
        const HIMAGELIST back = ImageList_Read(&again);
        MemoryStream twice;
        if (!back || !ImageList_Write(back, &twice) || twice.bytes() != out.bytes()) std::abort();
        ImageList_Destroy(back);
        ImageList_Destroy(list);
    }
    if (HandleTable::current().liveCount(ObjectKind::ImageList) != 0) std::abort();
    return 0;
}
