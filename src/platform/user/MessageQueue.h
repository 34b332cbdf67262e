// The thread's message queue: posted messages, the quit flag, timers and the hooks a display
// backend uses to wait for real input. Input events live in InputQueue.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/user/UserTypes.h"

namespace orvane::platform {

struct Timer {
    HWND hwnd;
    UINT_PTR id = 0;
    UINT elapse = 0;
    TIMERPROC proc = nullptr;
    std::uint64_t due = 0;
    std::uint64_t seq = 0;  // creation order breaks ties between timers due at once
    bool system = false;    // posts WM_SYSTIMER (the caret's blink), not WM_TIMER
};

class MessageQueue {
public:
    static MessageQueue& current();

    std::deque<MSG> posted;
    bool quit = false;
    int quitCode = 0;
    std::vector<Timer> timers;
    std::uint64_t timerSeq = 0;
    UINT_PTR nextThreadTimerId = 1;
    DWORD lastMessagePos = 0;
    DWORD lastMessageTime = 0;

    // The earliest time at which a timer or a hover check wants to run, if any.
    // When the next timer or hover falls due; without `withSystemTimers` the caret's blink does
    // not count (it never brings anything that could end a wait).
    std::optional<std::uint64_t> nextWakeTime(bool withSystemTimers = true) const;

    // Set by a real display: waits for input or until the deadline (milliseconds on the
    // platform clock); returns when something may have arrived.
    std::function<void(std::uint64_t deadline)> waitForEvents;
    // Set by a real display: moves pending real input into the platform's input queue.
    std::function<void()> pollEvents;

    void reset();
};

}  // namespace orvane::platform
