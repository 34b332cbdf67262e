// The application event log: sources registered by name, entries reported to them. Entries
// are kept in the process (EventLogRecords) and written to standard error, as this system
// has no event log service of that kind.
#pragma once

#include <string>
#include <vector>

#include "platform/base/Types.h"

namespace orvane::platform {

inline constexpr WORD EVENTLOG_SUCCESS = 0x0000;
inline constexpr WORD EVENTLOG_ERROR_TYPE = 0x0001;
inline constexpr WORD EVENTLOG_WARNING_TYPE = 0x0002;
inline constexpr WORD EVENTLOG_INFORMATION_TYPE = 0x0004;

// `server` must be null (this computer).
HANDLE RegisterEventSourceW(LPCWSTR server, LPCWSTR source);
BOOL DeregisterEventSource(HANDLE source);
BOOL ReportEventW(HANDLE source, WORD type, WORD category, DWORD eventId, const void* userSid,
                  WORD numStrings, DWORD dataSize, LPCWSTR* strings, const void* data);

struct EventLogRecord {
    std::u16string source;
    WORD type = 0;
    WORD category = 0;
    DWORD eventId = 0;
    std::vector<std::u16string> strings;
};
const std::vector<EventLogRecord>& EventLogRecords();
void ClearEventLogRecords();

}  // namespace orvane::platform
