// A registered window class and the table of classes, looked up by name (case-insensitive)
// or atom.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/user/UserTypes.h"

namespace orvane::platform {

class WindowClass {
public:
    ATOM atom = 0;
    std::u16string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance;
    HICON icon;
    HICON iconSmall;
    HCURSOR cursor;
    HBRUSH background;
    std::u16string menuName;
    std::vector<std::uint8_t> extra;
    int windowCount = 0;
    bool system = false;

    // The registered classes of the process.
    static std::vector<std::unique_ptr<WindowClass>>& all();
    // Finds a class by name or by an atom passed as MAKEINTATOM.
    static WindowClass* find(LPCWSTR nameOrAtom);
    // Registers a class of the platform's own (a control class): once, and kept across platform
    // resets, as Windows keeps its own classes.
    static void registerSystem(const WNDCLASSEXW& wc);
    static void reset();
};

// Case-insensitive comparison of UTF-16 names (ASCII letters fold), as class names compare.
bool namesEqual(std::u16string_view a, std::u16string_view b);

// The process's atom table, shared by class names, registered messages and properties.
ATOM addAtom(std::u16string_view name);
ATOM findAtom(std::u16string_view name);

}  // namespace orvane::platform
