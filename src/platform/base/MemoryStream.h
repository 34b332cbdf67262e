// A stream over bytes in memory: writes append, reads go forward from the start.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/IStream.h"

namespace orvane::platform {

class MemoryStream : public IStream {
public:
    MemoryStream() = default;
    // A stream to read `bytes` from.
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}

    HRESULT Read(void* buffer, ULONG count, ULONG* read) override;
    HRESULT Write(const void* buffer, ULONG count, ULONG* written) override;

    // Everything written (or given) so far.
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    // Where the next read starts.
    std::size_t position() const { return m_position; }

private:
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_position = 0;
};

}  // namespace orvane::platform
