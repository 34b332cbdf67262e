#include "platform/base/MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace orvane::platform {

HRESULT MemoryStream::Read(void* buffer, ULONG count, ULONG* read) {
    if (!buffer && count) return E_INVALIDARG;
    const std::size_t n = std::min<std::size_t>(count, m_bytes.size() - m_position);
    if (n) std::memcpy(buffer, m_bytes.data() + m_position, n);
    m_position += n;
    if (read) *read = static_cast<ULONG>(n);
    return n == count ? S_OK : S_FALSE;
}

HRESULT MemoryStream::Write(const void* buffer, ULONG count, ULONG* written) {
    if (!buffer && count) return E_INVALIDARG;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    m_bytes.insert(m_bytes.end(), bytes, bytes + count);
    if (written) *written = count;
    return S_OK;
}

}  // namespace orvane::platform
