#include "platform/base/EventLog.h"

#include <cstdio>
#include <map>

#include "platform/base/CodePages.h"
#include "platform/base/LastError.h"

namespace orvane::platform {

namespace {

struct EventLog {
    std::map<std::uint32_t, std::u16string> sources;
    std::uint32_t next = 1;
    std::vector<EventLogRecord> records;
};

EventLog& log() {
    static EventLog l;
    return l;
}

}  // namespace

HANDLE RegisterEventSourceW(LPCWSTR server, LPCWSTR source) {
    if (server || !source || !*source) {
        SetLastError(server ? ERROR_NOT_SUPPORTED : ERROR_INVALID_PARAMETER);
        return HANDLE();
    }
    EventLog& l = log();
    const std::uint32_t id = l.next++;
    l.sources.emplace(id, source);
    return HANDLE(id);
}

BOOL DeregisterEventSource(HANDLE source) {
    if (!log().sources.erase(source.value)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL ReportEventW(HANDLE source, WORD type, WORD category, DWORD eventId, const void*,
                  WORD numStrings, DWORD, LPCWSTR* strings, const void*) {
    EventLog& l = log();
    auto it = l.sources.find(source.value);
    if (it == l.sources.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (numStrings && !strings) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    EventLogRecord record{it->second, type, category, eventId, {}};
    for (WORD i = 0; i < numStrings; ++i)
        record.strings.emplace_back(strings[i] ? strings[i] : u"");
    std::string line = ToUtf8(record.source) + ": event " + std::to_string(eventId);
    for (const auto& s : record.strings)
        line += " " + ToUtf8(s);
    std::fprintf(stderr, "%s\n", line.c_str());
    l.records.push_back(std::move(record));
    return TRUE;
}

const std::vector<EventLogRecord>& EventLogRecords() {
    return log().records;
}

void ClearEventLogRecords() {
    log().records.clear();
}

}  // namespace orvane::platform
