// Records the messages that windows of the recording class receive, and compares them with a
// table of expected messages in which entries may be optional.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace orvane::test {

using namespace orvane::platform;

struct Expected {
    enum Flags : unsigned {
        None = 0,
        Optional = 1,  // may be missing
        Parent = 2,    // sent to the parent window rather than the window under test
        WParam = 4,    // wParam must match
        LParam = 8,    // lParam must match
    };
    UINT msg;
    unsigned flags = None;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

struct Logged {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    UINT swpFlags;  // the WINDOWPOS flags of WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED
};

class MessageLog {
public:
    static MessageLog& instance();

    void add(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void clear() { m_entries.clear(); }
    const std::vector<Logged>& entries() const { return m_entries; }
    // Messages of one window, in order.
    std::vector<UINT> messagesOf(HWND hwnd) const;
    bool contains(HWND hwnd, UINT msg) const;
    int count(HWND hwnd, UINT msg) const;
    // The WINDOWPOS flags of each WM_WINDOWPOSCHANGING or WM_WINDOWPOSCHANGED (`msg`) the
    // window received, in order.
    std::vector<UINT> positionFlags(HWND hwnd, UINT msg) const;

    // Compares the log of `window` (and of `parent` for Parent entries) with the table; messages
    // listed in `ignore` are left out of the log first. Returns "" when they match, else a
    // readable account of both sequences.
    std::string compare(HWND window, HWND parent, const std::vector<Expected>& expected,
                        const std::vector<UINT>& ignore = {}) const;

    // Registers the recording class "OrvaneTestWindow" (CS_DBLCLKS, white background): its
    // procedure logs every message and then calls DefWindowProcW.
    static void registerClass();
    static HWND create(DWORD style, int x, int y, int w, int h, HWND parent = HWND(),
                       DWORD exStyle = 0);

private:
    std::vector<Logged> m_entries;
};

const char* messageName(UINT msg);

}  // namespace orvane::test
