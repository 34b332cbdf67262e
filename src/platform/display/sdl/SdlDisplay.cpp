#include "platform/display/sdl/SdlDisplay.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/CodePages.h"
#include "platform/display/headless/HeadlessScreen.h"
#include "platform/ole/Ole.h"
#include "platform/shell/Clipboard.h"
#include "platform/user/Imm.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

// Virtual-key codes for SDL keys (a US layout).
int virtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (key - SDLK_KP_1);
    switch (key) {
        case SDLK_KP_0:
            return VK_NUMPAD0;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_END:
            return VK_END;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_DELETE:
            return VK_DELETE;
        case SDLK_LSHIFT:
            return VK_LSHIFT;
        case SDLK_RSHIFT:
            return VK_RSHIFT;
        case SDLK_LCTRL:
            return VK_LCONTROL;
        case SDLK_RCTRL:
            return VK_RCONTROL;
        case SDLK_LALT:
            return VK_LMENU;
        case SDLK_RALT:
            return VK_RMENU;
        case SDLK_CAPSLOCK:
            return VK_CAPITAL;
        case SDLK_SEMICOLON:
            return VK_OEM_1;
        case SDLK_EQUALS:
            return VK_OEM_PLUS;
        case SDLK_COMMA:
            return VK_OEM_COMMA;
        case SDLK_MINUS:
            return VK_OEM_MINUS;
        case SDLK_PERIOD:
            return VK_OEM_PERIOD;
        case SDLK_SLASH:
            return VK_OEM_2;
        case SDLK_BACKQUOTE:
            return VK_OEM_3;
        case SDLK_LEFTBRACKET:
            return VK_OEM_4;
        case SDLK_BACKSLASH:
            return VK_OEM_5;
        case SDLK_RIGHTBRACKET:
            return VK_OEM_6;
        case SDLK_QUOTE:
            return VK_OEM_7;
        case SDLK_KP_PLUS:
            return VK_ADD;
        case SDLK_KP_MINUS:
            return VK_SUBTRACT;
        case SDLK_KP_MULTIPLY:
            return VK_MULTIPLY;
        case SDLK_KP_DIVIDE:
            return VK_DIVIDE;
        case SDLK_KP_PERIOD:
            return VK_DECIMAL;
    }
    return 0;
}

}  // namespace

struct SdlDisplay::Impl {
    struct Shown {
        SDL_Window* window = nullptr;
        std::uint64_t presentedGeneration = ~0ull;
        // What was last presented, to find the rectangles that changed since.
        std::vector<std::uint32_t> last;
        int lastWidth = 0, lastHeight = 0;
        bool full = true;  // the next present sends the whole window
    };
    std::map<std::uint32_t, Shown> windows;  // by top-level HWND
    HCURSOR shownCursor;
    std::map<int, SDL_Cursor*> systemCursors;       // by SDL system cursor id
    std::map<std::uint32_t, SDL_Cursor*> pictures;  // cursors made from images, by handle

    ~Impl() {
        for (auto& [id, cursor] : systemCursors)
            SDL_FreeCursor(cursor);
        for (auto& [handle, cursor] : pictures)
            SDL_FreeCursor(cursor);
    }

    // A real cursor of a cursor made from an image (straight alpha, as SDL wants it).
    SDL_Cursor* pictureCursor(HCURSOR handle, const PixelSurface& picture, POINT hot) {
        auto it = pictures.find(handle.value);
        if (it != pictures.end()) return it->second;
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(picture.width()) *
                                          picture.height());
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const std::uint32_t p = picture.at(x, y), a = p >> 24;
                auto channel = [&](int shift) {
                    const std::uint32_t c = (p >> shift) & 0xFF;
                    return (a ? std::min(255u, (c * 255 + a / 2) / a) : 0u) << shift;
                };
                pixels[static_cast<std::size_t>(y) * picture.width() + x] =
                    a << 24 | channel(16) | channel(8) | channel(0);
            }
        SDL_Surface* surface =
            SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), picture.width(), picture.height(), 32,
                                               picture.width() * 4, SDL_PIXELFORMAT_ARGB8888);
        SDL_Cursor* cursor = surface ? SDL_CreateColorCursor(surface, hot.x, hot.y) : nullptr;
        if (surface) SDL_FreeSurface(surface);
        pictures[handle.value] = cursor;
        return cursor;
    }

    // The real pointer takes the shape of the platform's current cursor (the standard shapes,
    // and cursors made from images), and hides when the platform's cursor is none.
    void followCursor() {
        const HCURSOR current = GetCursor();
        if (current == shownCursor) return;
        shownCursor = current;
        if (!current) {
            SDL_ShowCursor(SDL_DISABLE);
            return;
        }
        SDL_ShowCursor(SDL_ENABLE);
        POINT hot{};
        if (const PixelSurface* picture = CursorPicture(current, &hot)) {
            if (SDL_Cursor* cursor = pictureCursor(current, *picture, hot)) {
                SDL_SetCursor(cursor);
                return;
            }
        }
        static const std::pair<LPCWSTR, SDL_SystemCursor> kShapes[] = {
            {IDC_IBEAM, SDL_SYSTEM_CURSOR_IBEAM},
            {IDC_WAIT, SDL_SYSTEM_CURSOR_WAIT},
            {IDC_CROSS, SDL_SYSTEM_CURSOR_CROSSHAIR},
            {IDC_SIZENWSE, SDL_SYSTEM_CURSOR_SIZENWSE},
            {IDC_SIZENESW, SDL_SYSTEM_CURSOR_SIZENESW},
            {IDC_SIZEWE, SDL_SYSTEM_CURSOR_SIZEWE},
            {IDC_SIZENS, SDL_SYSTEM_CURSOR_SIZENS},
            {IDC_SIZEALL, SDL_SYSTEM_CURSOR_SIZEALL},
            {IDC_NO, SDL_SYSTEM_CURSOR_NO},
            {IDC_HAND, SDL_SYSTEM_CURSOR_HAND},
            {IDC_APPSTARTING, SDL_SYSTEM_CURSOR_WAITARROW},
        };
        SDL_SystemCursor shape = SDL_SYSTEM_CURSOR_ARROW;
        for (const auto& [id, sdl] : kShapes)
            if (current == LoadCursorW(HINSTANCE(), id)) shape = sdl;
        SDL_Cursor*& cursor = systemCursors[static_cast<int>(shape)];
        if (!cursor) cursor = SDL_CreateSystemCursor(shape);
        if (cursor) SDL_SetCursor(cursor);
    }

    // Text the keyboard layout or an input method made: what the US layout of the key path
    // cannot type (anything beyond ASCII) arrives as Unicode characters.
    static void text(const char* utf8) {
        const std::u16string typed = FromUtf8(utf8);
        for (char16_t c : typed)
            if (c >= 0x80) user::typeUnicode(c);
    }

    bool composing = false;  // an input method is composing

    HWND windowOf(std::uint32_t sdlId) {
        for (auto& [hwnd, shown] : windows)
            if (SDL_GetWindowID(shown.window) == sdlId) return HWND(hwnd);
        return HWND();
    }

    // The pointer's screen position: the event's window position plus the event's offset.
    // While a window holds the capture (a caption or frame being dragged, for one) the window
    // moves under the pointer and offsets from it would run ahead of the hand, so then the
    // desktop's pointer position counts. (That position is cached by SDL and may lag when
    // the pointer is warped, so it is not used otherwise.)
    void mouseTo(std::uint32_t sdlId, int x, int y) {
        SDL_Window* window = SDL_GetWindowFromID(sdlId);
        if (GetCapture() || !window) {
            int gx = 0, gy = 0;
            SDL_GetGlobalMouseState(&gx, &gy);
            SetCursorPos(gx, gy);
            return;
        }
        int wx = 0, wy = 0;
        SDL_GetWindowPosition(window, &wx, &wy);
        SetCursorPos(wx + x, wy + y);
    }

    void button(Uint8 b, bool down) {
        INPUT in;
        in.type = INPUT_MOUSE;
        switch (b) {
            case SDL_BUTTON_LEFT:
                in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
                break;
            case SDL_BUTTON_RIGHT:
                in.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
                break;
            case SDL_BUTTON_MIDDLE:
                in.mi.dwFlags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
                break;
            default:
                return;
        }
        SendInput(1, &in, sizeof(INPUT));
    }

    void handle(const SDL_Event& e) {
        switch (e.type) {
            case SDL_MOUSEMOTION:
                mouseTo(e.motion.windowID, e.motion.x, e.motion.y);
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                mouseTo(e.button.windowID, e.button.x, e.button.y);
                button(e.button.button, e.type == SDL_MOUSEBUTTONDOWN);
                break;
            case SDL_MOUSEWHEEL: {
                INPUT in;
                in.type = INPUT_MOUSE;
                in.mi.dwFlags = e.wheel.x ? MOUSEEVENTF_HWHEEL : MOUSEEVENTF_WHEEL;
                in.mi.mouseData =
                    static_cast<DWORD>((e.wheel.x ? e.wheel.x : e.wheel.y) * WHEEL_DELTA);
                SendInput(1, &in, sizeof(INPUT));
                break;
            }
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                const int vk = virtualKey(e.key.keysym.sym);
                if (!vk) break;
                keybd_event(static_cast<BYTE>(vk), 0, e.type == SDL_KEYUP ? KEYEVENTF_KEYUP : 0, 0);
                break;
            }
            case SDL_TEXTEDITING:
                // An input method's composition, shown by the focus window until committed.
                composing = e.edit.text[0] != 0;
                ImeCompose(FromUtf8(e.edit.text), e.edit.start);
                break;
            case SDL_TEXTINPUT:
                if (composing) {
                    composing = false;
                    ImeCommit(FromUtf8(e.text.text));
                } else {
                    text(e.text.text);
                }
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                    if (HWND h = windowOf(e.window.windowID))
                        PostMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0);
                } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                    focusLost = false;
                    activateFromDesktop(windowOf(e.window.windowID));
                } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                    focusLost = true;
                } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                    for (auto& [hwnd, shown] : windows) {
                        shown.presentedGeneration = ~0ull;
                        shown.full = true;
                    }
                }
                break;
            case SDL_DROPBEGIN:
                dropping = true;
                dropped.clear();
                break;
            case SDL_DROPFILE:
                if (e.drop.file) {
                    dropped.push_back(FromUtf8(e.drop.file));
                    SDL_free(e.drop.file);
                }
                // Without a begin (older desktops) each file is a drop of its own.
                if (!dropping) dropFiles();
                break;
            case SDL_DROPTEXT:
                if (e.drop.file) SDL_free(e.drop.file);
                break;
            case SDL_DROPCOMPLETE:
                dropping = false;
                dropFiles();
                break;
            case SDL_QUIT:
                PostQuitMessage(0);
                break;
        }
    }

    // Files dragged in from the desktop land on the drop target under the pointer (SDL tells
    // no drop point: the pointer is where the drop happened).
    bool dropping = false;
    std::vector<std::u16string> dropped;
    void dropFiles() {
        std::vector<std::u16string> files;
        files.swap(dropped);
        if (files.empty()) return;
        int gx = 0, gy = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        DropFilesFromDesktop(POINT{gx, gy}, files);
    }

    // A window the desktop gave the keyboard to becomes the active window, unless it is one
    // that never activates (tooltips and other tool popups).
    void activateFromDesktop(HWND h) {
        WindowObject* w = user::windowQuiet(h);
        if (!w || (w->style & WS_DISABLED) || (w->exStyle & (WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW)))
            return;
        if (GetActiveWindow() != h) SetActiveWindow(h);
    }

    // After the events of one pass: when the keyboard went to no window of ours, another
    // program is in front, and ours is deactivated as Windows deactivates a program.
    bool focusLost = false;
    void settleFocus() {
        if (!focusLost) return;
        focusLost = false;
        if (SDL_Window* k = SDL_GetKeyboardFocus(); k && windowOf(SDL_GetWindowID(k))) return;
        if (GetActiveWindow()) SetActiveWindow(HWND());
    }

    void poll() {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            handle(e);
        settleFocus();
        followCursor();
    }

    void wait(std::uint64_t deadline) {
        present();
        const std::uint64_t now = Clock::current().nowMs();
        const int timeout =
            deadline > now ? static_cast<int>(std::min<std::uint64_t>(deadline - now, 100)) : 0;
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, timeout)) handle(e);
        settleFocus();
        followCursor();
    }

    // Sends the rectangles of `src` that differ from what was last presented (all of it after
    // a resize or an exposure): bands of changed rows, each as wide as its changes.
    static void presentChanges(Shown& shown, const PixelSurface& src, SDL_Surface& target) {
        const int rows = std::min(target.h, src.height()), cols = std::min(target.w, src.width());
        if (shown.lastWidth != cols || shown.lastHeight != rows) {
            shown.full = true;
            shown.last.assign(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows), 0);
            shown.lastWidth = cols;
            shown.lastHeight = rows;
        }
        std::vector<SDL_Rect> rects;
        SDL_LockSurface(&target);
        auto copyRows = [&](int y0, int y1, int x0, int x1) {
            for (int y = y0; y < y1; ++y) {
                auto* out = reinterpret_cast<std::uint32_t*>(
                    static_cast<std::uint8_t*>(target.pixels) + y * target.pitch);
                const std::uint32_t* in = src.row(y);
                std::uint32_t* keep = shown.last.data() + static_cast<std::size_t>(y) * cols;
                for (int x = x0; x < x1; ++x) {
                    out[x] = in[x] | 0xFF000000u;
                    keep[x] = in[x];
                }
            }
        };
        if (shown.full) {
            copyRows(0, rows, 0, cols);
        } else {
            for (int y = 0; y < rows;) {
                const std::uint32_t* in = src.row(y);
                const std::uint32_t* keep = shown.last.data() + static_cast<std::size_t>(y) * cols;
                if (std::memcmp(in, keep, static_cast<std::size_t>(cols) * 4) == 0) {
                    ++y;
                    continue;
                }
                // A band of changed rows, and the columns its changes span.
                int y1 = y, x0 = cols, x1 = 0;
                for (; y1 < rows; ++y1) {
                    const std::uint32_t* a = src.row(y1);
                    const std::uint32_t* b =
                        shown.last.data() + static_cast<std::size_t>(y1) * cols;
                    int l = 0, r = cols;
                    while (l < cols && a[l] == b[l])
                        ++l;
                    if (l == cols) break;
                    while (r > l && a[r - 1] == b[r - 1])
                        --r;
                    x0 = std::min(x0, l);
                    x1 = std::max(x1, r);
                }
                copyRows(y, y1, x0, x1);
                rects.push_back(SDL_Rect{x0, y, x1 - x0, y1 - y});
                y = y1;
            }
        }
        SDL_UnlockSurface(&target);
        if (shown.full) {
            SDL_UpdateWindowSurface(shown.window);
            shown.full = false;
        } else if (!rects.empty()) {
            SDL_UpdateWindowSurfaceRects(shown.window, rects.data(),
                                         static_cast<int>(rects.size()));
        }
    }

    void present() {
        WindowObject* desktop = user::desktop();
        // Forget windows that are gone or hidden.
        for (auto it = windows.begin(); it != windows.end();) {
            WindowObject* w = user::windowQuiet(HWND(it->first));
            if (!w || !w->visibleStyle() || user::parentOf(*w) != desktop ||
                (w->style & WS_MINIMIZE)) {
                SDL_DestroyWindow(it->second.window);
                it = windows.erase(it);
            } else {
                ++it;
            }
        }
        for (std::uint32_t h : desktop->children) {
            WindowObject* w = user::windowQuiet(HWND(h));
            if (!w || !w->visibleStyle() || !w->surface || (w->style & WS_MINIMIZE) ||
                w->width() <= 0 || w->height() <= 0)
                continue;
            Shown& shown = windows[h];
            if (!shown.window) {
                const std::string title = ToUtf8(w->text);
                // Tool popups (tooltips, menus) neither take the keyboard nor show in a task bar.
                Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN;
                if ((w->style & WS_POPUP) && (w->exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)))
                    flags |= SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR;
                if (w->exStyle & WS_EX_TOPMOST) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
                shown.window = SDL_CreateWindow(title.c_str(), w->rect.left, w->rect.top,
                                                w->width(), w->height(), flags);
                if (!shown.window) continue;
            }
            int sw, sh, sx, sy;
            SDL_GetWindowSize(shown.window, &sw, &sh);
            SDL_GetWindowPosition(shown.window, &sx, &sy);
            if (sw != w->width() || sh != w->height())
                SDL_SetWindowSize(shown.window, w->width(), w->height());
            if (sx != w->rect.left || sy != w->rect.top)
                SDL_SetWindowPosition(shown.window, w->rect.left, w->rect.top);
            if (shown.presentedGeneration == w->surfaceGeneration) continue;
            SDL_Surface* target = SDL_GetWindowSurface(shown.window);
            if (!target) continue;
            if (w->exStyle & WS_EX_LAYERED) {
                // A layered window (a balloon cut by its colour key, a translucent popup)
                // shows as the virtual screen composes it over our windows below it.
                const PixelSurface& screen = HeadlessScreen::current().compose();
                PixelSurface seen(w->width(), w->height());
                for (int y = 0; y < seen.height(); ++y)
                    for (int x = 0; x < seen.width(); ++x) {
                        const int sx2 = w->rect.left + x, sy2 = w->rect.top + y;
                        seen.at(x, y) = screen.contains(sx2, sy2) ? screen.at(sx2, sy2) : 0;
                    }
                presentChanges(shown, seen, *target);
            } else {
                presentChanges(shown, *w->surface, *target);
            }
            shown.presentedGeneration = w->surfaceGeneration;
        }
    }
};

std::unique_ptr<SdlDisplay::Impl>& SdlDisplay::impl() {
    static std::unique_ptr<Impl> i;
    return i;
}

bool SdlDisplay::start() {
    if (impl()) return true;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "orvane: no display: %s\n", SDL_GetError());
        return false;
    }
    // The screen takes the display's size and DPI (rounded to the steps of 24 that Windows
    // scaling uses, 96 at least).
    SDL_Rect bounds;
    float ddpi = 0, hdpi = 0, vdpi = 0;
    int dpi = 96;
    if (SDL_GetDisplayDPI(0, &ddpi, &hdpi, &vdpi) == 0 && hdpi > 0)
        dpi = std::max(96, static_cast<int>((hdpi + 12) / 24) * 24);
    if (SDL_GetDisplayBounds(0, &bounds) == 0)
        HeadlessScreen::current().configure(bounds.w, bounds.h, dpi);
    SDL_StartTextInput();
    // Clipboard text is the desktop's.
    SetClipboardBridge(
        {[](const std::u16string& text) { SDL_SetClipboardText(ToUtf8(text).c_str()); },
         []() -> std::optional<std::u16string> {
             if (!SDL_HasClipboardText()) return std::nullopt;
             char* text = SDL_GetClipboardText();
             if (!text) return std::nullopt;
             std::u16string wide = FromUtf8(text);
             SDL_free(text);
             return wide;
         }});
    // The input method's candidates open under the caret of the focus window.
    SetImeBridge([](const RECT& screen) {
        SDL_Window* focus = SDL_GetKeyboardFocus();
        int wx = 0, wy = 0;
        if (focus) SDL_GetWindowPosition(focus, &wx, &wy);
        SDL_Rect rect{screen.left - wx, screen.top - wy, screen.right - screen.left,
                      screen.bottom - screen.top};
        SDL_SetTextInputRect(&rect);
    });
    impl() = std::make_unique<Impl>();
    MessageQueue& q = MessageQueue::current();
    q.pollEvents = [] { impl()->poll(); };
    q.waitForEvents = [](std::uint64_t deadline) { impl()->wait(deadline); };
    return true;
}

void SdlDisplay::stop() {
    if (!impl()) return;
    MessageQueue& q = MessageQueue::current();
    q.pollEvents = nullptr;
    q.waitForEvents = nullptr;
    SetClipboardBridge({});
    for (auto& [hwnd, shown] : impl()->windows)
        SDL_DestroyWindow(shown.window);
    impl().reset();
    SDL_Quit();
}

bool SdlDisplay::running() {
    return impl() != nullptr;
}

void SdlDisplay::present() {
    if (impl()) impl()->present();
}

}  // namespace orvane::platform
