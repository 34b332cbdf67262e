#include "host/Error.h"

#include <map>

#include "platform/base/CodePages.h"

namespace orvane {

Error::Error(std::int32_t number, std::u16string source, std::u16string description)
    : m_number(number), m_source(std::move(source)), m_description(std::move(description)) {
    m_what = "error " + std::to_string(number);
    if (!m_source.empty()) m_what += " in " + platform::ToUtf8(m_source);
    if (!m_description.empty()) m_what += ": " + platform::ToUtf8(m_description);
}

Error Error::standard(std::int32_t number, std::u16string source) {
    return Error(number, std::move(source), standardDescription(number));
}

std::u16string Error::standardDescription(std::int32_t number) {
    static const std::map<std::int32_t, std::u16string> kDescriptions = {
        {errors::InvalidProcedureCall, u"Invalid procedure call or argument"},
        {errors::Overflow, u"Overflow"},
        {errors::OutOfMemory, u"Out of memory"},
        {errors::SubscriptOutOfRange, u"Subscript out of range"},
        {errors::DivisionByZero, u"Division by zero"},
        {errors::TypeMismatch, u"Type mismatch"},
        {errors::ObjectNotSet, u"Object variable or With block variable not set"},
        {errors::InvalidUseOfNull, u"Invalid use of Null"},
        {errors::FileNotFound, u"File not found"},
        {errors::DiskFull, u"Disk full"},
        {errors::InvalidFileFormat, u"Invalid file format"},
        {errors::ControlArrayElementMissing, u"Control array element doesn't exist"},
        {errors::NotAnArray, u"Object not an array"},
        {errors::ObjectAlreadyLoaded, u"Object already loaded"},
        {errors::InvalidPropertyValue, u"Invalid property value"},
        {errors::InvalidPropertyArrayIndex, u"Invalid property array index"},
        {errors::SetNotSupportedAtRuntime, u"Set not supported at runtime"},
        {errors::SetNotSupportedReadOnly, u"Set not supported (read-only property)"},
        {errors::SetNotPermitted, u"Set not permitted"},
        {errors::GetNotSupportedAtRuntime, u"Get not supported at runtime"},
        {errors::GetNotSupportedWriteOnly, u"Get not supported (write-only property)"},
        {errors::NoSuchMember, u"Object doesn't support this property or method"},
        {errors::InvalidClipboardFormat, u"Invalid Clipboard format"},
        {errors::FormatMismatch, u"Specified format doesn't match format of data"},
        {errors::InvalidPicture, u"Invalid picture"},
        {errors::InvalidClassString, u"Invalid class string"},
        {errors::ArgumentNotOptional, u"Argument not optional"},
        {errors::WrongArgumentCount, u"Wrong number of arguments or invalid property assignment"},
    };
    auto it = kDescriptions.find(number);
    return it == kDescriptions.end() ? std::u16string() : it->second;
}

}  // namespace orvane
