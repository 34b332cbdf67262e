// Errors raised by property procedures and methods: a number, a source and a description,
// thrown as exceptions and caught by the caller (or by the host, which reports them).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orvane {

class Error : public std::exception {
public:
    Error(long number, std::u16string source, std::u16string description);
    // An error with the host's standard description for its number.
    static Error standard(long number, std::u16string source = u"");

    long number() const { return m_number; }
    const std::u16string& source() const { return m_source; }
    const std::u16string& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.c_str(); }

    // The host's description of a standard error number ("" when it has none).
    static std::u16string standardDescription(long number);

private:
    long m_number;
    std::u16string m_source;
    std::u16string m_description;
    std::string m_what;
};

// The host's standard error numbers.
namespace errors {
inline constexpr long InvalidProcedureCall = 5;
inline constexpr long Overflow = 6;
inline constexpr long OutOfMemory = 7;
inline constexpr long SubscriptOutOfRange = 9;
inline constexpr long DivisionByZero = 11;
inline constexpr long TypeMismatch = 13;
inline constexpr long ObjectNotSet = 91;
inline constexpr long InvalidUseOfNull = 94;
inline constexpr long FileNotFound = 53;
inline constexpr long DiskFull = 61;
inline constexpr long InvalidFileFormat = 321;
inline constexpr long ResourceNotFound = 326;
inline constexpr long ControlArrayElementMissing = 340;
inline constexpr long NotAnArray = 343;
inline constexpr long ObjectAlreadyLoaded = 360;
inline constexpr long InvalidPropertyValue = 380;
inline constexpr long InvalidPropertyArrayIndex = 381;
inline constexpr long SetNotSupportedAtRuntime = 382;
inline constexpr long SetNotSupportedReadOnly = 383;
inline constexpr long SetNotPermitted = 387;
inline constexpr long GetNotSupportedAtRuntime = 393;
inline constexpr long GetNotSupportedWriteOnly = 394;
inline constexpr long NoSuchMember = 438;
inline constexpr long InvalidPicture = 481;
inline constexpr long InvalidClassString = 711;
inline constexpr long ArgumentNotOptional = 449;
inline constexpr long WrongArgumentCount = 450;
// Download failures, as the system's URL reader reports them.
inline constexpr long DownloadCannotConnect =
    static_cast<long>(static_cast<std::int32_t>(0x800C0004u));
inline constexpr long DownloadNotFound = static_cast<long>(static_cast<std::int32_t>(0x800C0006u));
inline constexpr long DownloadFailure = static_cast<long>(static_cast<std::int32_t>(0x800C0008u));
}  // namespace errors

}  // namespace orvane
