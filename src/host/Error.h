// Errors raised by property procedures and methods: a number, a source and a description,
// thrown as exceptions and caught by the caller (or by the host, which reports them).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orvane {

class Error : public std::exception {
public:
    // An error of that number raised by `source`, saying `description`.
    Error(std::int32_t number, std::u16string source, std::u16string description);
    // An error with the host's standard description for its number.
    static Error standard(std::int32_t number, std::u16string source = u"");

    // The error's number (errors::InvalidPropertyValue, ...).
    std::int32_t number() const { return m_number; }
    // Where it was raised: a class, or a class and member ("ucButton", "UserControl.Font").
    const std::u16string& source() const { return m_source; }
    // What went wrong, for people.
    const std::u16string& description() const { return m_description; }
    // "error NUMBER in SOURCE: DESCRIPTION", in UTF-8.
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
// Invalid procedure call or argument.
inline constexpr std::int32_t InvalidProcedureCall = 5;
// Overflow.
inline constexpr std::int32_t Overflow = 6;
// Out of memory.
inline constexpr std::int32_t OutOfMemory = 7;
// Subscript out of range.
inline constexpr std::int32_t SubscriptOutOfRange = 9;
// Division by zero.
inline constexpr std::int32_t DivisionByZero = 11;
// Type mismatch.
inline constexpr std::int32_t TypeMismatch = 13;
// Object variable not set (Nothing where an object is needed).
inline constexpr std::int32_t ObjectNotSet = 91;
// Invalid use of Null.
inline constexpr std::int32_t InvalidUseOfNull = 94;
// File not found.
inline constexpr std::int32_t FileNotFound = 53;
// Disk full.
inline constexpr std::int32_t DiskFull = 61;
// Invalid file format.
inline constexpr std::int32_t InvalidFileFormat = 321;
// Resource not found.
inline constexpr std::int32_t ResourceNotFound = 326;
// Control array element doesn't exist.
inline constexpr std::int32_t ControlArrayElementMissing = 340;
// Object not an array.
inline constexpr std::int32_t NotAnArray = 343;
// Object already loaded (a name already used).
inline constexpr std::int32_t ObjectAlreadyLoaded = 360;
// Invalid property value.
inline constexpr std::int32_t InvalidPropertyValue = 380;
// Invalid property array index.
inline constexpr std::int32_t InvalidPropertyArrayIndex = 381;
// Set not supported at runtime.
inline constexpr std::int32_t SetNotSupportedAtRuntime = 382;
// Set not supported (read-only property).
inline constexpr std::int32_t SetNotSupportedReadOnly = 383;
// Set not permitted.
inline constexpr std::int32_t SetNotPermitted = 387;
// Get not supported at runtime.
inline constexpr std::int32_t GetNotSupportedAtRuntime = 393;
// Get not supported (write-only property).
inline constexpr std::int32_t GetNotSupportedWriteOnly = 394;
// Object doesn't support this property or method.
inline constexpr std::int32_t NoSuchMember = 438;
// Invalid clipboard format (a data object's format number that names none).
inline constexpr std::int32_t InvalidClipboardFormat = 460;
// The format does not match the data (a data object without it, or a value it cannot hold).
inline constexpr std::int32_t FormatMismatch = 461;
// Invalid picture.
inline constexpr std::int32_t InvalidPicture = 481;
// Invalid class string (an unknown class name).
inline constexpr std::int32_t InvalidClassString = 711;
// Argument not optional.
inline constexpr std::int32_t ArgumentNotOptional = 449;
// Wrong number of arguments.
inline constexpr std::int32_t WrongArgumentCount = 450;
// Download failures, as the system's URL reader reports them.

// The server cannot be reached.
inline constexpr std::int32_t DownloadCannotConnect =
    static_cast<std::int32_t>(static_cast<std::int32_t>(0x800C0004u));
// The address names nothing there.
inline constexpr std::int32_t DownloadNotFound =
    static_cast<std::int32_t>(static_cast<std::int32_t>(0x800C0006u));
// The download failed otherwise.
inline constexpr std::int32_t DownloadFailure =
    static_cast<std::int32_t>(static_cast<std::int32_t>(0x800C0008u));
}  // namespace errors

}  // namespace orvane
