// Errors raised by property procedures and methods: a number, a source and a description,
// thrown as exceptions and caught by the caller (or by the host, which reports them).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orvane {

class Error : public std::exception {
public:
    Error(std::int32_t number, std::u16string source, std::u16string description);
    // An error with the host's standard description for its number.
    static Error standard(std::int32_t number, std::u16string source = u"");

    std::int32_t number() const { return m_number; }
    const std::u16string& source() const { return m_source; }
    const std::u16string& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.c_str(); }

    // The host's description of a standard error number ("" when it has none).
    static std::u16string standardDescription(std::int32_t number);

private:
    std::int32_t m_number;
    std::u16string m_source;
    std::u16string m_description;
    std::string m_what;
};

// The host's standard error numbers.
namespace errors {
inline constexpr std::int32_t InvalidProcedureCall = 5;
inline constexpr std::int32_t Overflow = 6;
inline constexpr std::int32_t OutOfMemory = 7;
inline constexpr std::int32_t SubscriptOutOfRange = 9;
inline constexpr std::int32_t DivisionByZero = 11;
inline constexpr std::int32_t TypeMismatch = 13;
inline constexpr std::int32_t ObjectNotSet = 91;
inline constexpr std::int32_t InvalidUseOfNull = 94;
inline constexpr std::int32_t FileNotFound = 53;
inline constexpr std::int32_t DiskFull = 61;
inline constexpr std::int32_t InvalidFileFormat = 321;
inline constexpr std::int32_t ResourceNotFound = 326;
inline constexpr std::int32_t ControlArrayElementMissing = 340;
inline constexpr std::int32_t NotAnArray = 343;
inline constexpr std::int32_t ObjectAlreadyLoaded = 360;
inline constexpr std::int32_t InvalidPropertyValue = 380;
inline constexpr std::int32_t InvalidPropertyArrayIndex = 381;
inline constexpr std::int32_t SetNotSupportedAtRuntime = 382;
inline constexpr std::int32_t SetNotSupportedReadOnly = 383;
inline constexpr std::int32_t SetNotPermitted = 387;
inline constexpr std::int32_t GetNotSupportedAtRuntime = 393;
inline constexpr std::int32_t GetNotSupportedWriteOnly = 394;
inline constexpr std::int32_t NoSuchMember = 438;
inline constexpr std::int32_t InvalidPicture = 481;
inline constexpr std::int32_t InvalidClassString = 711;
inline constexpr std::int32_t ArgumentNotOptional = 449;
inline constexpr std::int32_t WrongArgumentCount = 450;
// Download failures, as the system's URL reader reports them.
inline constexpr std::int32_t DownloadCannotConnect =
    static_cast<std::int32_t>(static_cast<std::int32_t>(0x800C0004u));
inline constexpr std::int32_t DownloadNotFound =
    static_cast<std::int32_t>(static_cast<std::int32_t>(0x800C0006u));
inline constexpr std::int32_t DownloadFailure =
    static_cast<std::int32_t>(static_cast<std::int32_t>(0x800C0008u));
}  // namespace errors

}  // namespace orvane
