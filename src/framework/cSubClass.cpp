#include "framework/cSubClass.h"

#include <vector>

#include "host/Arguments.h"
#include "host/ClassBuilder.h"
#include "host/Error.h"
#include "platform/base/CodePages.h"

namespace orvane {

using namespace platform;

cSubClass::~cSubClass() {
    UnHook();
}

void cSubClass::Hook(HWND hWnd) {
    UnHook();
    if (!IsWindow(hWnd)) return;
    if (!SetWindowSubclass(hWnd, &cSubClass::proc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this)))
        throw Error(HookFailed, u"cSubClass",
                    u"Cannot initialize subclassing on: " + FromUtf8(std::to_string(hWnd.value)));
    m_hwnd = hWnd;
}

void cSubClass::UnHook() {
    if (!m_hwnd) return;
    RemoveWindowSubclass(m_hwnd, &cSubClass::proc, reinterpret_cast<UINT_PTR>(this));
    m_hwnd = HWND();
}

Variant cSubClass::CallWindowProc(std::int32_t Msg, std::int32_t wParam, std::int32_t lParam) {
    if (!m_hwnd || !IsWindow(m_hwnd)) return Variant();
    return Variant(static_cast<std::int32_t>(DefSubclassProc(
        m_hwnd, static_cast<UINT>(Msg), static_cast<WPARAM>(static_cast<std::uint32_t>(wParam)),
        static_cast<LPARAM>(lParam))));
}

LRESULT cSubClass::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                        DWORD_PTR data) {
    auto* self = reinterpret_cast<cSubClass*>(data);
    if (hwnd != self->m_hwnd) return DefSubclassProc(hwnd, msg, wParam, lParam);
    // Messages carry 32-bit values to the event, as the published interface has them.
    std::vector<Variant> args{Variant(std::int32_t{0}), Variant(static_cast<std::int32_t>(msg)),
                              Variant(static_cast<std::int32_t>(wParam)),
                              Variant(static_cast<std::int32_t>(lParam))};
    if (!self->raiseEvent(WindowProcEvent, args)) return CLng(args[0]);  // destroyed meanwhile
    const std::int32_t result = CLng(args[0]);
    // The window is going (WM_NCDESTROY): let go of it.
    if (msg == WM_NCDESTROY) self->UnHook();
    return result;
}

void cSubClass::registerClass(TypeLibrary& library) {
    using T = cSubClass;
    using Args = std::vector<Variant>;
    ClassBuilder<T> b(u"cSubClass");
    b.creatable()
        .method(u"Hook", {{u"hWnd", false}},
                [](T& s, Args& a) {
                    s.Hook(handleArg<HWND>(a[0]));
                    return Variant();
                })
        .method(u"UnHook", {},
                [](T& s, Args&) {
                    s.UnHook();
                    return Variant();
                })
        .computed(u"hWnd", [](T& s) { return Variant(static_cast<std::int32_t>(s.hWnd().value)); })
        .method(u"CallWindowProc", {{u"Msg", false}, {u"wParam", false}, {u"lParam", false}},
                [](T& s, Args& a) { return s.CallWindowProc(CLng(a[0]), CLng(a[1]), CLng(a[2])); })
        .event(u"WindowProc", WindowProcEvent, {u"Result", u"Msg", u"wParam", u"lParam"});
    library.registerClass(b.build());
}

}  // namespace orvane
