// Message routing for controls that wrap platform windows or need messages the form does not
// pass on: a control puts itself in front of a window's procedure, with a table of the
// messages it wants before the previous procedure runs and a table of those it wants after.
//
// For a message in the before-table the callback runs first and may handle it (the previous
// procedure then never sees it) or change the message and its parameters; the previous
// procedure runs unless handled; for a message in the after-table the callback then runs again
// and may change the result. A callback may send messages that come back through the same
// route, remove its own route, destroy the window, or destroy the control. Routes go when the
// window is destroyed or the Subclasser is. Built on SetWindowSubclass.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/MessageTable.h"
#include "platform/platform.h"

namespace orvane {

// Which table a message goes to.
enum class MsgWhen : std::int32_t { MSG_BEFORE = 1, MSG_AFTER = 2, MSG_BEFORE_AFTER = 3 };

// One message as the callback sees it; everything but `before` may be changed.
struct SubclassMessage {
    bool before = true;            // called before the previous procedure (else after it)
    bool handled = false;          // before: set to keep the message from the previous procedure
    platform::LRESULT result = 0;  // what the message returns
    // The window.
    platform::HWND hWnd;
    // The message, as the previous procedure will see it.
    platform::UINT uMsg = 0;
    // Its first parameter.
    platform::WPARAM wParam = 0;
    // Its second parameter.
    platform::LPARAM lParam = 0;
};

class Subclasser {
public:
    // What the control is called with, for each message in its tables.
    using Callback = std::function<void(SubclassMessage&)>;

    // `typeName` names the control in error reports ("Error in ucText.ssc_Subclass").
    Subclasser(std::u16string typeName, Callback callback);
    ~Subclasser();
    Subclasser(const Subclasser&) = delete;
    Subclasser& operator=(const Subclasser&) = delete;

    // Routes the window's messages through the callback (with empty tables). Failures are
    // reported and leave the window untouched: returns whether the route is in place.
    bool ssc_Subclass(platform::HWND hwnd);
    // Takes the route away from the window (nothing happens for a window without one).
    void ssc_UnSubclass(platform::HWND hwnd);
    // Takes every route of this control away.
    void ssc_Terminate();
    // Adds a message (or ALL_MESSAGES) to the window's before- or after-table, or both.
    // Failures are reported; returns whether it worked.
    bool zAddMsg(platform::HWND hwnd, std::int32_t message, MsgWhen when);
    // Removes a message (ALL_MESSAGES: all of them) from the window's tables.
    bool zDelMsg(platform::HWND hwnd, std::int32_t message, MsgWhen when);

    // Whether the window's messages come through this control.
    bool isSubclassed(platform::HWND hwnd) const;
    // The window's table for one phase (nullptr without a route).
    const MessageTable* table(platform::HWND hwnd, MsgWhen when) const;

    // The window's previous procedure, from inside a callback (DefSubclassProc).
    static platform::LRESULT callPrevious(platform::HWND hwnd, platform::UINT msg,
                                          platform::WPARAM wParam, platform::LPARAM lParam);

    struct Route;
    struct Core;

private:
    static platform::LRESULT routeProc(platform::HWND hwnd, platform::UINT msg,
                                       platform::WPARAM wParam, platform::LPARAM lParam,
                                       platform::UINT_PTR id, platform::DWORD_PTR data);
    Route* find(platform::HWND hwnd) const;
    void forget(Route* route);
    void report(const std::u16string& routine, const std::u16string& message) const;
    // Applies `change` to the window's before- and/or after-table, reporting a failure.
    bool changeTables(platform::HWND hwnd, MsgWhen when, const std::u16string& routine,
                      void (MessageTable::*change)(std::int32_t), std::int32_t message);

    std::u16string m_typeName;
    Core* m_core;
    std::vector<std::unique_ptr<Route>> m_routes;
};

}  // namespace orvane
