// The application event log keeps what was reported, by source, for the process to read.
#include <gtest/gtest.h>

#include "platform/platform.h"

using namespace orvane::platform;

TEST(EventLogTest, EntriesAreKeptBySourceAndBadCallsFail) {
    ClearEventLogRecords();
    const HANDLE source = RegisterEventSourceW(nullptr, u"Orvane");
    ASSERT_TRUE(source);
    LPCWSTR strings[] = {u"Subclassing failed", u"hwnd 12"};
    EXPECT_TRUE(
        ReportEventW(source, EVENTLOG_ERROR_TYPE, 0, 1001, nullptr, 2, 0, strings, nullptr));
    ASSERT_EQ(EventLogRecords().size(), 1u);
    const EventLogRecord& r = EventLogRecords()[0];
    EXPECT_EQ(r.source, u"Orvane");
    EXPECT_EQ(r.type, EVENTLOG_ERROR_TYPE);
    EXPECT_EQ(r.eventId, 1001u);
    EXPECT_EQ(r.strings, (std::vector<std::u16string>{u"Subclassing failed", u"hwnd 12"}));

    EXPECT_FALSE(ReportEventW(source, EVENTLOG_ERROR_TYPE, 0, 1, nullptr, 1, 0, nullptr, nullptr));
    EXPECT_TRUE(DeregisterEventSource(source));
    EXPECT_FALSE(ReportEventW(source, EVENTLOG_ERROR_TYPE, 0, 1, nullptr, 0, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(RegisterEventSourceW(u"\\\\server", u"Orvane"));
    EXPECT_EQ(EventLogRecords().size(), 1u);
}
