// Basic Windows-compatible scalar types, typed 32-bit handles and the small helpers
// (MAKELPARAM, RGB, ...) that message and drawing code uses.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvane::platform {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using INT = std::int32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using BOOL = std::int32_t;
using WCHAR = char16_t;
using LPCWSTR = const char16_t*;
using LPWSTR = char16_t*;
using ATOM = std::uint16_t;
using COLORREF = std::uint32_t;
// COM result codes: negative values are failures.
using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT E_HANDLE = static_cast<HRESULT>(0x80070006u);
inline constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
inline constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using UINT_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using SIZE_T = std::size_t;
using ULONGLONG = std::uint64_t;
using LPVOID = void*;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// The kinds of object a handle may name. Each kind has its own live counter.
enum class ObjectKind : std::uint8_t {
    None = 0,
    // USER objects
    Window,
    Menu,
    Icon,
    Cursor,
    Hook,
    Accelerator,
    // GDI objects
    DC,
    Bitmap,
    Brush,
    Pen,
    Region,
    Font,
    Palette,
    // Common-control objects
    ImageList,
    Count
};

// A 32-bit handle. The tag keeps handle kinds apart at compile time; the value carries an
// index into the handle table and a generation count so that a stale handle is detected.
template <class Tag>
struct Handle {
    std::uint32_t value = 0;

    constexpr Handle() = default;
    constexpr Handle(std::nullptr_t) {}
    constexpr explicit Handle(std::uint32_t v) : value(v) {}
    // Any handle may be built from another explicitly, as C casts between handle types do.
    template <class Other>
    constexpr explicit Handle(Handle<Other> other) : value(other.value) {}

    constexpr explicit operator bool() const { return value != 0; }
    constexpr bool operator!() const { return value == 0; }
    friend constexpr bool operator==(Handle a, Handle b) = default;
    friend constexpr bool operator==(Handle a, std::nullptr_t) { return a.value == 0; }
};

using HWND = Handle<struct HWNDTag>;
using HMENU = Handle<struct HMENUTag>;
using HICON = Handle<struct HICONTag>;
using HCURSOR = HICON;
using HINSTANCE = Handle<struct HINSTANCETag>;
using HMODULE = HINSTANCE;
using HHOOK = Handle<struct HHOOKTag>;
using HACCEL = Handle<struct HACCELTag>;
using HGDIOBJ = Handle<struct HGDIOBJTag>;
using HANDLE = Handle<struct HANDLETag>;

// GDI handle types convert to HGDIOBJ implicitly, as they do in C.
template <class Tag>
struct GdiHandle : Handle<Tag> {
    using Handle<Tag>::Handle;
    constexpr GdiHandle(Handle<Tag> h) : Handle<Tag>(h.value) {}
    constexpr operator HGDIOBJ() const { return HGDIOBJ(this->value); }
    friend constexpr bool operator==(GdiHandle a, GdiHandle b) { return a.value == b.value; }
    friend constexpr bool operator==(GdiHandle a, std::nullptr_t) { return a.value == 0; }
};

using HDC = GdiHandle<struct HDCTag>;
using HBITMAP = GdiHandle<struct HBITMAPTag>;
using HBRUSH = GdiHandle<struct HBRUSHTag>;
using HPEN = GdiHandle<struct HPENTag>;
using HRGN = GdiHandle<struct HRGNTag>;
using HFONT = GdiHandle<struct HFONTTag>;
using HPALETTE = GdiHandle<struct HPALETTETag>;

// Handles to and from the 32-bit integers that controls keep them in.
template <class H>
constexpr LONG HandleToLong(H h) {
    return static_cast<LONG>(h.value);
}
template <class H>
constexpr H LongToHandle(LONG v) {
    return H(static_cast<std::uint32_t>(v));
}

constexpr WORD LOWORD(std::uintptr_t v) {
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t v) {
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr BYTE LOBYTE(std::uintptr_t v) {
    return static_cast<BYTE>(v & 0xFF);
}
constexpr BYTE HIBYTE(std::uintptr_t v) {
    return static_cast<BYTE>((v >> 8) & 0xFF);
}
constexpr LONG MAKELONG(WORD lo, WORD hi) {
    return static_cast<LONG>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}
constexpr LPARAM MAKELPARAM(int lo, int hi) {
    return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(lo), static_cast<WORD>(hi)));
}
constexpr WPARAM MAKEWPARAM(int lo, int hi) {
    return static_cast<WPARAM>(
        static_cast<DWORD>(MAKELONG(static_cast<WORD>(lo), static_cast<WORD>(hi))));
}
constexpr int GET_X_LPARAM(LPARAM lp) {
    return static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lp)));
}
constexpr int GET_Y_LPARAM(LPARAM lp) {
    return static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(lp)));
}
constexpr SHORT GET_WHEEL_DELTA_WPARAM(WPARAM wp) {
    return static_cast<SHORT>(HIWORD(wp));
}
constexpr WORD GET_KEYSTATE_WPARAM(WPARAM wp) {
    return LOWORD(wp);
}

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Integer resource names, as MAKEINTRESOURCEW makes them (an ordinal in the low word).
inline LPCWSTR MAKEINTRESOURCEW(int id) {
    return reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(id)));
}
inline bool IS_INTRESOURCE(LPCWSTR p) {
    return (reinterpret_cast<std::uintptr_t>(p) >> 16) == 0;
}

}  // namespace orvane::platform
