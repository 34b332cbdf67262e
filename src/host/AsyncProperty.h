// What AsyncReadComplete hands a control: the finished read of one property. Reading Value of
// a read that failed raises the error the download met.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/Error.h"
#include "host/Variant.h"

namespace orvane {

// AsyncRead types and options, numbered as the host numbers them.
inline constexpr int vbAsyncTypeFile = 0;
inline constexpr int vbAsyncTypeByteArray = 1;
inline constexpr int vbAsyncTypePicture = 2;
inline constexpr int vbAsyncReadSynchronousDownload = 0x1;
inline constexpr int vbAsyncReadOfflineOperation = 0x8;
inline constexpr int vbAsyncReadForceUpdate = 0x10;
inline constexpr int vbAsyncReadResynchronize = 0x200;
inline constexpr int vbAsyncReadGetFromCacheIfNetFail = 0x80000;
// Status codes.
inline constexpr int vbAsyncStatusCodeError = 0;
inline constexpr int vbAsyncStatusCodeEndDownloadData = 6;

class AsyncProperty : public Object {
public:
    AsyncProperty(std::u16string target, std::u16string propertyName, int asyncType);
    ~AsyncProperty() override;
    AsyncProperty(const AsyncProperty&) = delete;
    AsyncProperty& operator=(const AsyncProperty&) = delete;
    std::u16string typeName() const override { return u"AsyncProperty"; }

    // The bytes (ByteArray) or the name of a temporary file holding them (File), deleted with
    // this object.
    Variant Value() const;
    const std::u16string& Target() const { return m_target; }
    const std::u16string& PropertyName() const { return m_propertyName; }
    int AsyncType() const { return m_asyncType; }
    const std::u16string& Status() const { return m_status; }
    int StatusCode() const { return m_statusCode; }
    std::int32_t BytesRead() const { return m_bytesRead; }
    std::int32_t BytesMax() const { return m_bytesRead; }

    // Used by the control that read it.
    void complete(std::vector<std::uint8_t> bytes);
    void fail(std::int32_t number, std::u16string message);

private:
    std::u16string m_target;
    std::u16string m_propertyName;
    int m_asyncType;
    std::u16string m_status;
    int m_statusCode = vbAsyncStatusCodeError;
    std::int32_t m_bytesRead = 0;
    std::vector<std::uint8_t> m_bytes;
    std::string m_file;  // the temporary file of a File read
    std::int32_t m_error = 0;
};

}  // namespace orvane
