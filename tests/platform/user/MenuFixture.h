// A test with an owner window for menus: the owner logs every message, answers the ones a
// test asks it to, and, each time the menu waits (WM_ENTERIDLE), runs the next step of the
// test's script, which queues input or moves the clock. Input is queued, not pumped, so that
// the menu's own loop takes it.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/PlatformTest.h"

namespace orvane::test {

class MenuFixture : public PlatformTest {
protected:
    using Answer = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

    static std::deque<std::function<void()>>& script() {
        static std::deque<std::function<void()>> s;
        return s;
    }
    static Answer& answer() {
        static Answer a;
        return a;
    }

    void SetUp() override {
        PlatformTest::SetUp();
        script().clear();
        answer() = nullptr;
        WNDCLASSEXW wc;
        wc.lpfnWndProc = ownerProc;
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = u"MenuOwner";
        RegisterClassExW(&wc);
    }
    void TearDown() override {
        script().clear();
        answer() = nullptr;
        PlatformTest::TearDown();
    }

    static LRESULT ownerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        MessageLog::instance().add(hwnd, msg, wParam, lParam);
        if (msg == WM_ENTERIDLE && !script().empty()) {
            auto step = std::move(script().front());
            script().pop_front();
            step();
        }
        if (answer()) {
            if (const std::optional<LRESULT> r = answer()(hwnd, msg, wParam, lParam)) return *r;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    HWND createOwner(DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, int x = 100, int y = 100,
                     int w = 400, int h = 300) {
        HWND hwnd = CreateWindowExW(0, u"MenuOwner", u"Owner", style, x, y, w, h, HWND(), HMENU(),
                                    HINSTANCE(), nullptr);
        platform->PumpMessages();
        log().clear();
        return hwnd;
    }

    // Input queued for the menu's loop.
    static void queueKey(int vk) {
        keybd_event(static_cast<BYTE>(vk), 0, 0, 0);
        keybd_event(static_cast<BYTE>(vk), 0, KEYEVENTF_KEYUP, 0);
    }
    static void queueChar(char16_t c) {
        INPUT in[2];
        for (int i = 0; i < 2; ++i) {
            in[i].type = INPUT_KEYBOARD;
            in[i].ki.wScan = c;
            in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, in, sizeof(INPUT));
    }
    static void queueKeys(std::initializer_list<int> vks) {
        for (int vk : vks)
            queueKey(vk);
    }
    // A session's input in words: key names (Up, Down, Left, Right, Return, Escape), quoted
    // characters ('x') and right clicks on items of the open popup (rclick:0); each "|" waits
    // for the menu to be idle again before the words after it are queued.
    static void play(const std::string& input) {
        std::istringstream in(input);
        std::vector<std::string> steps(1);
        for (std::string word; in >> word;)
            if (word == "|")
                steps.emplace_back();
            else
                steps.back() += word + " ";
        for (const std::string& step : steps)
            script().push_back([step] {
                std::istringstream words(step);
                for (std::string word; words >> word;)
                    queueWord(word);
            });
    }
    static void queueWord(const std::string& word) {
        static const std::map<std::string, int> keys = {
            {"Up", VK_UP},       {"Down", VK_DOWN},     {"Left", VK_LEFT},
            {"Right", VK_RIGHT}, {"Return", VK_RETURN}, {"Escape", VK_ESCAPE}};
        if (word.size() == 3 && word.front() == '\'' && word.back() == '\'') {
            queueChar(static_cast<char16_t>(word[1]));
        } else if (word.rfind("rclick:", 0) == 0) {
            const HMENU shown(
                static_cast<std::uint32_t>(SendMessageW(popupWindow(), MN_GETHMENU, 0, 0)));
            queueMove(itemCentre(shown, static_cast<UINT>(std::stoi(word.substr(7)))));
            queueButton(MOUSEEVENTF_RIGHTDOWN);
            queueButton(MOUSEEVENTF_RIGHTUP);
        } else {
            const auto key = keys.find(word);
            ASSERT_NE(key, keys.end()) << "no key named " << word;
            queueKey(key->second);
        }
    }
    static void queueMove(POINT p) { SetCursorPos(p.x, p.y); }
    static void queueButton(DWORD flags) {
        INPUT in;
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flags;
        SendInput(1, &in, sizeof in);
    }
    static void queueClick(POINT p) {
        queueMove(p);
        queueButton(MOUSEEVENTF_LEFTDOWN);
        queueButton(MOUSEEVENTF_LEFTUP);
    }
    // The window of the open popup menu (the first, if a submenu is open too).
    static HWND popupWindow() { return FindWindowW(u"#32768", nullptr); }
    // The centre of an item of a shown menu, on the screen.
    static POINT itemCentre(HMENU menu, UINT item) {
        RECT rc{};
        EXPECT_TRUE(GetMenuItemRect(HWND(), menu, item, &rc)) << "item " << item << " not shown";
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }

    // The menu messages the owner received, one readable line each: name, then wParam and
    // lParam in hexadecimal. WM_ENTERIDLE, which comes whenever the menu waits, is left out.
    std::vector<std::string> menuMessages(HWND owner) const {
        static const UINT kMenu[] = {
            WM_ENTERMENULOOP, WM_EXITMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_UNINITMENUPOPUP,
            WM_MENUSELECT,    WM_MENUCHAR,     WM_COMMAND,  WM_SYSCOMMAND,    WM_MENUCOMMAND};
        std::vector<std::string> out;
        for (const Logged& l : MessageLog::instance().entries()) {
            if (l.hwnd != owner ||
                std::find(std::begin(kMenu), std::end(kMenu), l.msg) == std::end(kMenu))
                continue;
            out.push_back(line(l.msg, l.wParam, l.lParam));
        }
        return out;
    }
    static std::string line(UINT msg, WPARAM w, LPARAM l) {
        std::ostringstream s;
        s << messageName(msg) << " " << std::hex << w << " " << static_cast<std::uintptr_t>(l);
        return s.str();
    }
    static std::string line(UINT msg, WPARAM w, HMENU m) {
        return line(msg, w, static_cast<LPARAM>(m.value));
    }
    static std::string line(UINT msg, HMENU m, LPARAM l) {
        return line(msg, static_cast<WPARAM>(m.value), l);
    }
};

}  // namespace orvane::test
