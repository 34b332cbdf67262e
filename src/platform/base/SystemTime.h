// SYSTEMTIME with the Windows layout (eight WORDs), and the one text form the platform gives a
// date: yyyy-mm-dd. The platform has no locales (no GetDateFormatW), so controls that show or
// read a date as text use this fixed form.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Types.h"

namespace orvane::platform {

struct SYSTEMTIME {
    WORD wYear = 0;
    WORD wMonth = 0;
    WORD wDayOfWeek = 0;
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
    bool operator==(const SYSTEMTIME&) const = default;
};

// The date as yyyy-mm-dd (the year with at least four digits); empty when the date is not
// a valid one (year 1601 to 30827, as Windows' SYSTEMTIME).
std::u16string DateToText(const SYSTEMTIME& st);
// Reads yyyy-mm-dd (surrounding spaces allowed, one or two digits for month and day) into a
// date at midnight with its day of the week. False, leaving `st` as it was, for anything else,
// an impossible day (2023-02-29) included.
bool TextToDate(std::u16string_view text, SYSTEMTIME& st);

}  // namespace orvane::platform
