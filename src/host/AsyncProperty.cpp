#include "host/AsyncProperty.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/base/CodePages.h"

namespace orvane {

AsyncProperty::AsyncProperty(std::u16string target, std::u16string propertyName, int asyncType)
    : m_target(std::move(target)),
      m_propertyName(std::move(propertyName)),
      m_asyncType(asyncType) {}

AsyncProperty::~AsyncProperty() {
    if (!m_file.empty()) std::remove(m_file.c_str());
}

void AsyncProperty::complete(std::vector<std::uint8_t> bytes) {
    m_bytesRead = static_cast<std::int32_t>(bytes.size());
    m_statusCode = vbAsyncStatusCodeEndDownloadData;
    // A finished read's status names what was read, so a control can check it got its target.
    m_status = m_target;
    if (m_asyncType != vbAsyncTypeFile) {
        m_bytes = std::move(bytes);
        return;
    }
    const char* dir = std::getenv("TMPDIR");
    std::string path = std::string(dir && *dir ? dir : "/tmp") + "/orvane-asyncread-XXXXXX";
    const int fd = mkstemp(path.data());
    bool written = fd >= 0;
    for (std::size_t at = 0; written && at < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + at, bytes.size() - at);
        if (n <= 0)
            written = false;
        else
            at += static_cast<std::size_t>(n);
    }
    if (fd >= 0) close(fd);
    if (!written) {
        if (fd >= 0) std::remove(path.c_str());
        fail(errors::DiskFull, u"The downloaded data could not be written to a temporary file");
        return;
    }
    m_file = path;
}

void AsyncProperty::fail(std::int32_t number, std::u16string message) {
    m_error = number;
    m_statusCode = vbAsyncStatusCodeError;
    m_status = std::move(message);
}

Variant AsyncProperty::Value() const {
    if (m_error) throw Error(m_error, u"AsyncProperty", m_status);
    if (m_asyncType == vbAsyncTypeFile) return Variant(platform::FromUtf8(m_file));
    return Variant(m_bytes);
}

}  // namespace orvane
