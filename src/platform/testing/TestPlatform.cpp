#include "platform/testing/TestPlatform.h"

#include <cstdlib>
#include <stdexcept>

#include "platform/base/Clock.h"
#include "platform/base/HandleTable.h"
#include "platform/display/PngWriter.h"
#include "platform/display/headless/HeadlessScreen.h"
#include "platform/gdi/Gdi.h"
#include "platform/ole/Ole.h"
#include "platform/shell/Clipboard.h"
#include "platform/theme/Theme.h"
#include "platform/user/Imm.h"
#include "platform/user/InputQueue.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/User.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform::testing {

namespace {
constexpr int kRunawayLimit = 1000000;
}

void ResetPlatform() {
    MessageQueue::current().waitForEvents = nullptr;
    MessageQueue::current().pollEvents = nullptr;
    user::reset();
    HandleTable::current().clear();
    resetSystemColors();
    resetThemes();
    resetClipboard();
    resetIme();
    resetGlobalMemory();
    SetMessageBoxHandler(nullptr);
    ClearMessageBoxRecords();
    user::ensureInit();
    user::resetInput();
}

TestPlatform::TestPlatform(TestOptions options) {
    Clock::current().useVirtual(options.startTimeMs);
    HeadlessScreen::current().configure(options.width, options.height, options.dpi);
    ResetPlatform();
    HeadlessScreen::current().configure(options.width, options.height, options.dpi);
    user::resetInput();
}

TestPlatform::~TestPlatform() {
    ResetPlatform();
}

int TestPlatform::PumpMessages() {
    int count = 0;
    MSG msg;
    while (PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The quit stays visible to a later GetMessage loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (++count > kRunawayLimit)
            throw std::runtime_error("PumpMessages: messages never stop arriving");
    }
    return count;
}

DWORD TestPlatform::DropFiles(int x, int y, const std::vector<std::u16string>& paths) {
    return DropFilesFromDesktop(POINT{x, y}, paths);
}

void TestPlatform::AdvanceTime(DWORD ms) {
    Clock& clock = Clock::current();
    const std::uint64_t target = clock.nowMs() + ms;
    PumpMessages();
    for (int guard = 0; guard < kRunawayLimit; ++guard) {
        const auto next = MessageQueue::current().nextWakeTime();
        if (!next || *next > target) break;
        clock.advanceTo(*next);
        PumpMessages();
    }
    clock.advanceTo(target);
    PumpMessages();
}

void TestPlatform::sendMouse(DWORD flags, DWORD data) {
    INPUT in;
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    in.mi.mouseData = data;
    SendInput(1, &in, sizeof(INPUT));
    PumpMessages();
}

void TestPlatform::MouseMove(int x, int y) {
    SetCursorPos(x, y);
    PumpMessages();
}

void TestPlatform::MouseDown(MouseButton b) {
    sendMouse(b == MouseButton::Left    ? MOUSEEVENTF_LEFTDOWN
              : b == MouseButton::Right ? MOUSEEVENTF_RIGHTDOWN
                                        : MOUSEEVENTF_MIDDLEDOWN);
}

void TestPlatform::MouseUp(MouseButton b) {
    sendMouse(b == MouseButton::Left    ? MOUSEEVENTF_LEFTUP
              : b == MouseButton::Right ? MOUSEEVENTF_RIGHTUP
                                        : MOUSEEVENTF_MIDDLEUP);
}

void TestPlatform::Click(int x, int y, MouseButton b) {
    MouseMove(x, y);
    // Pressed and released before either is handled, as a quick hand clicks: a loop that the
    // press starts (a caption button, a scroll arrow) finds the release waiting.
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = b == MouseButton::Left    ? MOUSEEVENTF_LEFTDOWN
                       : b == MouseButton::Right ? MOUSEEVENTF_RIGHTDOWN
                                                 : MOUSEEVENTF_MIDDLEDOWN;
    in[1].mi.dwFlags = b == MouseButton::Left    ? MOUSEEVENTF_LEFTUP
                       : b == MouseButton::Right ? MOUSEEVENTF_RIGHTUP
                                                 : MOUSEEVENTF_MIDDLEUP;
    SendInput(2, in, sizeof(INPUT));
    PumpMessages();
}

void TestPlatform::DoubleClick(int x, int y, MouseButton b) {
    Click(x, y, b);
    Click(x, y, b);
}

void TestPlatform::Wheel(int delta, bool horizontal) {
    sendMouse(horizontal ? MOUSEEVENTF_HWHEEL : MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta));
}

POINT TestPlatform::ClientToScreenPoint(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

void TestPlatform::KeyDown(int vk) {
    keybd_event(static_cast<BYTE>(vk), 0, 0, 0);
    PumpMessages();
}

void TestPlatform::KeyUp(int vk) {
    keybd_event(static_cast<BYTE>(vk), 0, KEYEVENTF_KEYUP, 0);
    PumpMessages();
}

void TestPlatform::KeyPress(int vk) {
    KeyDown(vk);
    KeyUp(vk);
}

void TestPlatform::TypeText(std::u16string_view text) {
    for (char16_t c : text) {
        user::typeUnicode(c);
        PumpMessages();
    }
}

PixelSurface TestPlatform::CaptureScreen() {
    PumpMessages();
    const PixelSurface& s = HeadlessScreen::current().compose();
    PixelSurface copy(s.width(), s.height());
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            copy.at(x, y) = s.at(x, y);
    return copy;
}

PixelSurface TestPlatform::CaptureWindow(HWND hwnd) {
    PumpMessages();
    return HeadlessScreen::current().captureWindow(hwnd);
}

COLORREF TestPlatform::ScreenPixel(int x, int y) {
    PumpMessages();
    return HeadlessScreen::current().pixel(x, y);
}

COLORREF TestPlatform::ClientPixel(HWND hwnd, int x, int y) {
    PumpMessages();
    WindowObject* w = user::windowQuiet(hwnd);
    if (!w) return CLR_INVALID;
    return HeadlessScreen::current().windowPixel(hwnd, x + w->client.left, y + w->client.top);
}

bool TestPlatform::SavePng(const PixelSurface& surface, const std::string& path) {
    return PngWriter::writeFile(surface, path);
}

std::string TestPlatform::SaveScreen(const std::string& name) {
    const char* dir = std::getenv("ORVANE_TEST_ARTIFACTS");
    const std::string path = std::string(dir && *dir ? dir : ".") + "/" + name + ".png";
    return SavePng(CaptureScreen(), path) ? path : std::string();
}

DWORD TestPlatform::LiveGdiObjects() {
    return GetLiveGdiObjectCount();
}
DWORD TestPlatform::LiveUserObjects() {
    return GetLiveUserObjectCount();
}

}  // namespace orvane::platform::testing
