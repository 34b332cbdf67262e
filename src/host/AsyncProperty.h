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

// A File read: Value is the name of a temporary file holding the bytes.
inline constexpr int vbAsyncTypeFile = 0;
// A ByteArray read: Value is the bytes.
inline constexpr int vbAsyncTypeByteArray = 1;
// A Picture read (not supported yet).
inline constexpr int vbAsyncTypePicture = 2;
// The read finishes before AsyncRead returns.
inline constexpr int vbAsyncReadSynchronousDownload = 0x1;
// Accepted and ignored: reads are never cached.
inline constexpr int vbAsyncReadOfflineOperation = 0x8;
// Accepted and ignored: reads are never cached.
inline constexpr int vbAsyncReadForceUpdate = 0x10;
// Accepted and ignored: reads are never cached.
inline constexpr int vbAsyncReadResynchronize = 0x200;
// Accepted and ignored: reads are never cached.
inline constexpr int vbAsyncReadGetFromCacheIfNetFail = 0x80000;

// StatusCode of a read that failed.
inline constexpr int vbAsyncStatusCodeError = 0;
// StatusCode of a read that finished.
inline constexpr int vbAsyncStatusCodeEndDownloadData = 6;

class AsyncProperty : public Object {
public:
    // A read of `target` (a path or address) for the property `propertyName`, of vbAsyncType
    // `asyncType`, not finished yet.
    AsyncProperty(std::u16string target, std::u16string propertyName, int asyncType);
    ~AsyncProperty() override;
    AsyncProperty(const AsyncProperty&) = delete;
    AsyncProperty& operator=(const AsyncProperty&) = delete;
    std::u16string typeName() const override { return u"AsyncProperty"; }

    // The bytes (ByteArray) or the name of a temporary file holding them (File), deleted with
    // this object.
    Variant Value() const;
    // What was read: the path or address given to AsyncRead.
    const std::u16string& Target() const { return m_target; }
    // The property the read was for ("" for an unnamed read).
    const std::u16string& PropertyName() const { return m_propertyName; }
    // vbAsyncTypeFile or vbAsyncTypeByteArray.
    int AsyncType() const { return m_asyncType; }
    // The target when the read finished, else what went wrong.
    const std::u16string& Status() const { return m_status; }
    // vbAsyncStatusCodeEndDownloadData when the read finished, vbAsyncStatusCodeError when it
    // failed.
    int StatusCode() const { return m_statusCode; }
    // How many bytes were read.
    std::int32_t BytesRead() const { return m_bytesRead; }
    // The size of the whole: the bytes read, as a finished read has them all.
    std::int32_t BytesMax() const { return m_bytesRead; }

    // Used by the control that read it: the read finished with these bytes.
    void complete(std::vector<std::uint8_t> bytes);
    // The read failed with error `number` (errors::DownloadNotFound, ...) saying `message`.
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
