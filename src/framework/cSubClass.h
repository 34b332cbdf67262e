// A window's messages raised as an event: Hook puts the object in front of a window's
// procedure, and every message of that window raises WindowProc, whose handler sets the
// result (0 unless it does) and calls CallWindowProc for the window's own processing. The
// object lets go on UnHook, when the window is destroyed, or when it is destroyed itself.
#pragma once

#include <cstdint>

#include "host/EventSource.h"
#include "host/Variant.h"
#include "platform/platform.h"

namespace orvane {

class TypeLibrary;

class cSubClass : public Object, public EventSource {
public:
    // The event's number: WindowProc(Result, Msg, wParam, lParam), Result by reference.
    static constexpr int WindowProcEvent = 1;
    // The error Hook raises when the window cannot be subclassed.
    static constexpr std::int32_t HookFailed = static_cast<std::int32_t>(0x80040000u);

    cSubClass() = default;
    ~cSubClass() override;
    cSubClass(const cSubClass&) = delete;
    cSubClass& operator=(const cSubClass&) = delete;
    std::u16string typeName() const override { return u"cSubClass"; }

    // Lets go of any window first; then subclasses hWnd when it is a window. Raises HookFailed
    // ("Cannot initialize subclassing on: <hWnd>") when the window refuses.
    void Hook(platform::HWND hWnd);
    // Lets go of the window.
    void UnHook();
    // The hooked window (0 without one).
    platform::HWND hWnd() const { return m_hwnd; }
    // The window's own processing of a message: its result (a Long) while the window exists,
    // else Empty.
    Variant CallWindowProc(std::int32_t Msg, std::int32_t wParam, std::int32_t lParam);

    // Publishes the class (creatable) with its event for scripts and late-bound calls.
    static void registerClass(TypeLibrary& library);

private:
    static platform::LRESULT proc(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wParam,
                                  platform::LPARAM lParam, platform::UINT_PTR id,
                                  platform::DWORD_PTR data);
    platform::HWND m_hwnd;
};

}  // namespace orvane
