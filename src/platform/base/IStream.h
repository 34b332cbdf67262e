// A stream of bytes that data can be written to and read back from (image lists write
// themselves to one).
#pragma once

#include "platform/base/Types.h"

namespace orvane::platform {

class IStream {
public:
    virtual ~IStream() = default;
    // Reads up to `count` bytes; `read` (when given) receives how many came. S_FALSE when
    // fewer than asked were left.
    virtual HRESULT Read(void* buffer, ULONG count, ULONG* read) = 0;
    // Appends `count` bytes; `written` (when given) receives how many went.
    virtual HRESULT Write(const void* buffer, ULONG count, ULONG* written) = 0;
};

}  // namespace orvane::platform
