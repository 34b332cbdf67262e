#include "host/UserControl.h"

#include <algorithm>
#include <cmath>

#include "host/ControlClasses.h"
#include "host/ControlDropSource.h"
#include "host/ControlDropTarget.h"
#include "host/Error.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"
#include "platform/ole/Ole.h"

namespace orvane {

using namespace platform;

namespace {

constexpr const char16_t* kWindowClass = u"OrvaneUserControl";
// The timer that moves AsyncRead transfers on; constituent timers number from 1.
constexpr UINT_PTR kReadTimer = 0x4F520000;
constexpr UINT kReadPollMs = 10;

// Registers the window class once per platform; the platform forgets classes when it is
// torn down, so the check is by lookup rather than by a static flag.
void ensureWindowClass(WNDPROC proc) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    if (GetClassInfoExW(instance, kWindowClass, &existing)) return;
    WNDCLASSEXW wc{};
    // A control's content is laid out to its size (centred and right-aligned captions move), so
    // a new size repaints all of it, not only the strip it gained.
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = nullptr;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;
    wc.lpszClassName = kWindowClass;
    wc.hIconSm = nullptr;
    if (!RegisterClassExW(&wc))
        throw Error(errors::OutOfMemory, u"UserControl",
                    u"The control window class could not be registered");
}

}  // namespace

UserControl::UserControl() : m_ambient(std::make_shared<orvane::Ambient>()) {}

UserControl::~UserControl() {
    removeConstituents();
    cancelReads();
    attachTimers(false);
    // A control destroyed without unsite still must not leave its window behind; the events
    // are not raised here, as the derived part is already gone.
    if (m_hwnd) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

void UserControl::site(HWND parent, std::shared_ptr<orvane::Ambient> ambient,
                       orvane::Extender extender, const PropertyBag* stored,
                       ControlSite* controlSite) {
    if (m_sited) throw Error::standard(errors::InvalidProcedureCall, u"UserControl");
    m_ambient = ambient ? std::move(ambient) : std::make_shared<orvane::Ambient>();
    m_extender = std::move(extender);
    m_site = controlSite;
    m_container = parent;
    m_font = m_ambient->Font() ? m_ambient->Font()->clone() : std::make_shared<StdFont>();
    m_sited = true;
    Initialize();
    createWindow(parent);
    if (m_borderStyle != BorderStyleEnum::None)
        applyBorder();  // set in Initialize, before there was a window
    if (stored) {
        ReadProperties(*stored);
    } else {
        InitProperties();
    }
    // Reading or initialising properties is not a change the container has to save.
    m_changed = false;
    applyDropTarget();
    m_enabledSeen = m_extender.Enabled();
    m_extender.onChange = [this] {
        // Whether this control (or one it holds) had the focus before the change moved it.
        const HWND focus = GetFocus();
        const bool hadFocus = m_hwnd && focus && (focus == m_hwnd || IsChild(m_hwnd, focus));
        if (m_extender.Enabled() != m_enabledSeen) {
            m_enabledSeen = m_extender.Enabled();
            EnabledChanged();
        }
        placeWindow();
        if (m_site) m_site->placementChanged(*this, hadFocus);
    };
    m_extender.onContainer = [this](UserControl* container) {
        if (m_site) m_site->moveToContainer(*this, container);
    };
    m_extender.onZOrder = [this](bool front) {
        if (m_windowless) {
            if (m_site) m_site->windowlessZOrder(*this, front);
            invalidate();
            return;
        }
        SetWindowPos(m_hwnd, front ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    };
    placeWindow();
    Resize();
    if (m_extender.Visible()) {
        if (m_windowless) {
            m_windowlessVisible = true;
            invalidate();
        } else {
            ShowWindow(m_hwnd, SW_SHOWNA);
        }
        Show();
    }
    m_shown = true;
    attachTimers(true);
}

void UserControl::save(PropertyBag& bag) {
    WriteProperties(bag);
    m_changed = false;
}

void UserControl::unsite() {
    if (!m_sited) return;
    m_sited = false;
    m_shown = false;
    if (m_hwnd && ownVisible()) Hide();
    if (m_windowless && m_windowlessVisible) invalidate();  // what it drew goes with it
    m_windowlessVisible = false;
    attachTimers(false);
    cancelReads();
    Terminate();
    removeConstituents();
    m_extender.onChange = nullptr;
    m_extender.onZOrder = nullptr;
    m_extender.onContainer = nullptr;
    m_site = nullptr;
    if (m_hwnd && m_dropTarget) RevokeDragDrop(m_hwnd);
    if (m_hwnd) {
        const HWND hwnd = m_hwnd;
        m_hwnd = nullptr;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
    }
}

void UserControl::OLEDropMode(std::int32_t mode) {
    if (mode < vbOLEDropNone || mode > vbOLEDropAutomatic)
        throw Error::standard(errors::InvalidPropertyValue, u"UserControl.OLEDropMode");
    m_oleDropMode = mode;
    applyDropTarget();
}

void UserControl::applyDropTarget() {
    const bool wanted = m_sited && m_hwnd && !m_windowless && m_oleDropMode != vbOLEDropNone &&
                        m_ambient && m_ambient->UserMode();
    const bool registered = m_dropTarget && GetRegisteredDropTarget(m_hwnd) == m_dropTarget.get();
    if (wanted == registered) return;
    if (wanted) {
        if (!m_dropTarget) m_dropTarget = std::make_unique<ControlDropTarget>(*this);
        RegisterDragDrop(m_hwnd, m_dropTarget.get());
    } else {
        RevokeDragDrop(m_hwnd);
    }
}

void UserControl::OLEDrag() {
    if (!m_sited) return;
    const std::weak_ptr<bool> alive = aliveToken();
    auto data = std::make_shared<DataObject>();
    std::int32_t allowed = vbDropEffectCopy | vbDropEffectMove;
    OLEStartDrag(data, allowed);
    if (alive.expired()) return;
    allowed &= DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    if (allowed == 0 || data->empty()) return;
    data->locked(true);
    data->supplier([this, alive](DataObject& d, std::int32_t& format) {
        if (alive.expired()) return;
        OLESetData(d.shared_from_this(), format);
    });
    DWORD buttons = 0;
    if (GetKeyState(VK_LBUTTON) < 0) buttons |= MK_LBUTTON;
    if (GetKeyState(VK_RBUTTON) < 0) buttons |= MK_RBUTTON;
    if (GetKeyState(VK_MBUTTON) < 0) buttons |= MK_MBUTTON;
    ControlDropSource source(*this, buttons);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = DoDragDrop(data.get(), &source, static_cast<DWORD>(allowed), &effect);
    data->supplier(nullptr);
    data->locked(false);
    if (alive.expired()) return;
    std::int32_t done = hr == DRAGDROP_S_DROP ? static_cast<std::int32_t>(effect) : 0;
    OLECompleteDrag(done);
}

ConstituentTimer& UserControl::addTimer() {
    m_timers.push_back(std::make_unique<ConstituentTimer>(m_timers.size() + 1));
    ConstituentTimer& timer = *m_timers.back();
    if (m_shown && m_ambient->UserMode()) timer.attach(m_hwnd);
    return timer;
}

void UserControl::attachTimers(bool run) {
    const HWND where = run && m_ambient->UserMode() ? m_hwnd : HWND();
    for (auto& timer : m_timers)
        timer->attach(where);
}

void UserControl::ambientChanged(const std::u16string& name) {
    if (m_sited) AmbientChanged(name);
}

void UserControl::createWindow(HWND parent) {
    ensureWindowClass(&UserControl::windowProc);
    if (m_windowless) {
        // A hidden window of its own carries the control's timers and reads; it is never shown.
        m_hwnd = CreateWindowExW(0, kWindowClass, u"", WS_POPUP | WS_DISABLED, 0, 0, 0, 0, HWND(),
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!m_hwnd)
            throw Error(errors::OutOfMemory, u"UserControl",
                        u"The control window could not be created");
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_lastRect = paintedRectInContainer();
        return;
    }
    const int d = dpi();
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (m_extender.Enabled() ? 0 : WS_DISABLED);
    m_hwnd = CreateWindowExW(
        0, kWindowClass, u"", style, TwipsToPixels(m_extender.Left(), d),
        TwipsToPixels(m_extender.Top(), d), TwipsToPixels(m_extender.Width(), d),
        TwipsToPixels(m_extender.Height(), d), parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!m_hwnd)
        throw Error(errors::OutOfMemory, u"UserControl",
                    u"The control window could not be created");
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void UserControl::FocusNextControl() {
    if (m_site) m_site->focusNextAfter(*this);
}

void UserControl::reparent(HWND parent) {
    if (parent == m_container) return;
    if (m_windowless) {
        const RECT was = paintedRectInContainer();
        InvalidateRect(m_container, &was, TRUE);
        m_container = parent;
        InvalidateRect(m_container, &was, TRUE);
        return;
    }
    m_container = parent;
    if (!m_hwnd) return;
    SetParent(m_hwnd, parent);
    SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    placeWindow();
}

RECT UserControl::paintedRectInContainer() const {
    RECT r = rectInContainer();
    if (m_windowless) InflateRect(&r, m_overdraw, m_overdraw);
    return r;
}

void UserControl::Overdraw(int pixels) {
    pixels = std::max(pixels, 0);
    if (pixels == m_overdraw) return;
    // What the wider margin covered goes; the new one gets drawn.
    if (pixels < m_overdraw) invalidate();
    m_overdraw = pixels;
    invalidate();
    if (m_windowless && m_hwnd) m_lastRect = paintedRectInContainer();
}

RECT UserControl::rectInContainer() const {
    const int d = dpi();
    const int left = TwipsToPixels(m_extender.Left(), d);
    const int top = TwipsToPixels(m_extender.Top(), d);
    return RECT{left, top, left + TwipsToPixels(m_extender.Width(), d),
                top + TwipsToPixels(m_extender.Height(), d)};
}

void UserControl::placeWindow() {
    if (!m_hwnd) return;
    if (m_windowless) {
        const RECT now = paintedRectInContainer();
        const bool sized = now.right - now.left != m_lastRect.right - m_lastRect.left ||
                           now.bottom - now.top != m_lastRect.bottom - m_lastRect.top;
        if (m_windowlessVisible && !EqualRect(&now, &m_lastRect)) {
            InvalidateRect(m_container, &m_lastRect, TRUE);
            InvalidateRect(m_container, &now, TRUE);
        }
        m_lastRect = now;
        if (sized && m_shown) Resize();
        if (m_extender.Visible() != m_windowlessVisible && m_shown) {
            m_windowlessVisible = m_extender.Visible();
            InvalidateRect(m_container, &now, TRUE);
            if (m_windowlessVisible) {
                Show();
            } else {
                Hide();
            }
        }
        return;
    }
    const int d = dpi();
    RECT before{};
    GetClientRect(m_hwnd, &before);
    // WM_SIZE raises Resize when the size really changes.
    SetWindowPos(m_hwnd, nullptr, TwipsToPixels(m_extender.Left(), d),
                 TwipsToPixels(m_extender.Top(), d), TwipsToPixels(m_extender.Width(), d),
                 TwipsToPixels(m_extender.Height(), d), SWP_NOZORDER | SWP_NOACTIVATE);
    const bool visible = ownVisible();
    if (m_extender.Visible() != visible && m_shown) {
        ShowWindow(m_hwnd, m_extender.Visible() ? SW_SHOWNA : SW_HIDE);
        if (m_extender.Visible()) {
            Show();
        } else {
            Hide();
        }
    }
    EnableWindow(m_hwnd, m_extender.Enabled() ? TRUE : FALSE);
}

// The control's own visibility, whatever its container's.
bool UserControl::ownVisible() const {
    if (m_windowless) return m_windowlessVisible;
    return m_hwnd && (GetWindowLongW(m_hwnd, GWL_STYLE) & static_cast<LONG>(WS_VISIBLE)) != 0;
}

int UserControl::dpi() const {
    return static_cast<int>(GetDpiForSystem());
}

// The client area in pixels; a windowless control's is its rectangle.
RECT UserControl::clientRect() const {
    RECT rc{};
    if (m_windowless) {
        const RECT r = rectInContainer();
        rc = RECT{0, 0, r.right - r.left, r.bottom - r.top};
    } else if (m_hwnd) {
        GetClientRect(m_hwnd, &rc);
    }
    return rc;
}

double UserControl::ScaleWidth() const {
    return ScaleConvert(clientRect().right, orvane::ScaleMode::Pixels, m_scaleMode, true, dpi());
}

double UserControl::ScaleHeight() const {
    return ScaleConvert(clientRect().bottom, orvane::ScaleMode::Pixels, m_scaleMode, false, dpi());
}

void UserControl::ScaleMode(orvane::ScaleMode mode) {
    if (mode == orvane::ScaleMode::User || mode == orvane::ScaleMode::ContainerPosition ||
        mode == orvane::ScaleMode::ContainerSize || static_cast<int>(mode) < 0 ||
        static_cast<int>(mode) > 10)
        throw Error::standard(errors::InvalidPropertyValue, u"UserControl");
    m_scaleMode = mode;
}

namespace {

// The container's units are twips; the control's own user scale is its ScaleMode.
orvane::ScaleMode resolve(orvane::ScaleMode mode, orvane::ScaleMode own) {
    if (mode == orvane::ScaleMode::ContainerPosition || mode == orvane::ScaleMode::ContainerSize)
        return orvane::ScaleMode::Twips;
    if (mode == orvane::ScaleMode::User) return own;
    return mode;
}

}  // namespace

double UserControl::ScaleX(double value, orvane::ScaleMode from, orvane::ScaleMode to) const {
    return ScaleConvert(value, resolve(from, m_scaleMode), resolve(to, m_scaleMode), true, dpi());
}

double UserControl::ScaleY(double value, orvane::ScaleMode from, orvane::ScaleMode to) const {
    return ScaleConvert(value, resolve(from, m_scaleMode), resolve(to, m_scaleMode), false, dpi());
}

void UserControl::BackColor(OLE_COLOR color) {
    (void)TranslateColor(color);  // rejects a bad colour before anything changes
    m_backColor = color;
    invalidate();
}

void UserControl::ForeColor(OLE_COLOR color) {
    (void)TranslateColor(color);
    m_foreColor = color;
    invalidate();
}

void UserControl::Font(std::shared_ptr<StdFont> font) {
    if (!font) throw Error::standard(errors::ObjectNotSet, u"UserControl");
    m_font = std::move(font);
    invalidate();
}

void UserControl::BorderStyle(BorderStyleEnum style) {
    if (style != BorderStyleEnum::None && style != BorderStyleEnum::FixedSingle)
        throw Error::standard(errors::InvalidPropertyValue, u"UserControl");
    m_borderStyle = style;
    applyBorder();
}

void UserControl::Appearance(AppearanceEnum appearance) {
    if (appearance != AppearanceEnum::Flat && appearance != AppearanceEnum::ThreeD)
        throw Error::standard(errors::InvalidPropertyValue, u"UserControl");
    m_appearance = appearance;
    applyBorder();
}

// The border is the window's frame: a sunken client edge for 3D, a plain line when flat. The
// outer size stays; the client area shrinks, which raises Resize.
void UserControl::applyBorder() {
    if (!m_hwnd || m_windowless) return;
    LONG style = GetWindowLongW(m_hwnd, GWL_STYLE) & ~static_cast<LONG>(WS_BORDER);
    LONG exStyle = GetWindowLongW(m_hwnd, GWL_EXSTYLE) & ~static_cast<LONG>(WS_EX_CLIENTEDGE);
    if (m_borderStyle == BorderStyleEnum::FixedSingle) {
        if (m_appearance == AppearanceEnum::ThreeD) {
            exStyle |= static_cast<LONG>(WS_EX_CLIENTEDGE);
        } else {
            style |= static_cast<LONG>(WS_BORDER);
        }
    }
    SetWindowLongW(m_hwnd, GWL_STYLE, style);
    SetWindowLongW(m_hwnd, GWL_EXSTYLE, exStyle);
    SetWindowPos(m_hwnd, HWND(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void UserControl::Picture(std::shared_ptr<StdPicture> picture) {
    m_picture = std::move(picture);
    invalidate();
}

void UserControl::invalidate() {
    if (!m_hwnd) return;
    if (!m_windowless) {
        InvalidateRect(m_hwnd, nullptr, TRUE);
    } else if (m_windowlessVisible) {
        const RECT rc = paintedRectInContainer();
        InvalidateRect(m_container, &rc, TRUE);
    }
}

void UserControl::Windowless(bool windowless) {
    if (m_sited) throw Error::standard(errors::SetNotSupportedAtRuntime, u"UserControl");
    m_windowless = windowless;
}

void UserControl::BackStyle(int style) {
    if (style != 0 && style != 1)
        throw Error::standard(errors::InvalidPropertyValue, u"UserControl");
    m_backStyle = style;
    invalidate();
}

HitResult UserControl::hitTest(int x, int y) {
    HitResult result = m_backStyle == 1 ? HitResult::Hit : HitResult::Outside;
    const double sx = ScaleConvert(x, orvane::ScaleMode::Pixels, m_scaleMode, true, dpi());
    const double sy = ScaleConvert(y, orvane::ScaleMode::Pixels, m_scaleMode, false, dpi());
    HitTest(sx, sy, result);
    return result;
}

void UserControl::windowlessMouse(UINT msg, WPARAM wParam, int x, int y) {
    mouseMessage(msg, wParam, MAKELPARAM(x, y));
}

void UserControl::paintWindowless(HDC dc) {
    if (m_backStyle == 1) eraseBackground(dc);
    paintInto(dc);
}

void UserControl::eraseBackground(HDC dc) {
    const RECT rc = clientRect();
    const HBRUSH brush = CreateSolidBrush(TranslateColor(m_backColor));
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    if (m_picture && m_picture->type() == StdPicture::Type::Icon) {
        DrawIconEx(dc, 0, 0, HICON(static_cast<std::uint32_t>(m_picture->Handle())), 0, 0, 0,
                   HBRUSH(), DI_NORMAL);
        return;
    }
    if (!m_picture || m_picture->type() != StdPicture::Type::Bitmap) return;
    const HBITMAP bitmap = HBITMAP(static_cast<std::uint32_t>(m_picture->Handle()));
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info)) return;
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

// Raises Paint with hDC set to `dc`; an enclosing paint's DC is restored afterwards.
void UserControl::paintInto(HDC dc) {
    const HDC outer = m_hdc;
    m_hdc = dc;
    try {
        Paint();
    } catch (...) {
        m_hdc = outer;
        throw;
    }
    m_hdc = outer;
}

void UserControl::MousePointer(MousePointerConstants pointer) {
    const auto value = static_cast<std::int32_t>(pointer);
    if ((value < 0 || value > 15) && pointer != MousePointerConstants::Custom)
        throw Error::standard(errors::InvalidPropertyValue, u"UserControl");
    m_mousePointer = pointer;
}

namespace {

// The system cursor for a standard pointer value; the old icon and size shapes are shown as
// the arrow and the four-way arrow, as current systems show them.
LPCWSTR cursorFor(MousePointerConstants pointer) {
    switch (static_cast<int>(pointer)) {
        case 2:
            return IDC_CROSS;
        case 3:
            return IDC_IBEAM;
        case 5:
            return IDC_SIZEALL;
        case 6:
            return IDC_SIZENESW;
        case 7:
            return IDC_SIZENS;
        case 8:
            return IDC_SIZENWSE;
        case 9:
            return IDC_SIZEWE;
        case 10:
            return IDC_UPARROW;
        case 11:
            return IDC_WAIT;
        case 12:
            return IDC_NO;
        case 13:
            return IDC_APPSTARTING;
        case 14:
            return IDC_HELP;
        case 15:
            return IDC_SIZEALL;
        default:
            return IDC_ARROW;
    }
}

}  // namespace

namespace {

// A file path becomes a file address; characters that mean something in an address are
// escaped.
std::string addressOf(const std::u16string& target) {
    const std::string text = ToUtf8(target);
    if (text.find("://") != std::string::npos) return text;
    std::string url = "file://";
    static const char* const kHex = "0123456789ABCDEF";
    for (unsigned char c : text) {
        if (c <= 0x20 || c == '%' || c == '#' || c == '?' || c >= 0x7F) {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        } else {
            url += static_cast<char>(c);
        }
    }
    return url;
}

}  // namespace

void UserControl::AsyncRead(const std::u16string& target, int asyncType,
                            const std::u16string& propertyName, int options) {
    constexpr int kKnownOptions = vbAsyncReadSynchronousDownload | vbAsyncReadOfflineOperation |
                                  vbAsyncReadForceUpdate | vbAsyncReadResynchronize |
                                  vbAsyncReadGetFromCacheIfNetFail;
    if (asyncType == vbAsyncTypePicture)
        throw Error(errors::InvalidProcedureCall, u"UserControl.AsyncRead",
                    u"Pictures cannot be read asynchronously yet");
    if ((asyncType != vbAsyncTypeFile && asyncType != vbAsyncTypeByteArray) ||
        (options & ~kKnownOptions) || target.empty() || !m_hwnd)
        throw Error::standard(errors::InvalidProcedureCall, u"UserControl.AsyncRead");
    CancelAsyncRead(propertyName);
    auto property = std::make_shared<AsyncProperty>(target, propertyName, asyncType);
    AsyncProperty* key = property.get();
    const int id =
        Downloader::current().start(addressOf(target), [this, key](Downloader::Result& result) {
            for (const Read& r : m_reads)
                if (r.property.get() == key) return finishRead(r.id, result);
        });
    m_reads.push_back({id, std::move(property)});
    if (options & vbAsyncReadSynchronousDownload) {
        while (Downloader::current().pending(id))
            Downloader::current().poll(50);
        return;
    }
    if (m_reads.size() == 1) SetTimer(m_hwnd, kReadTimer, kReadPollMs, nullptr);
}

void UserControl::CancelAsyncRead(const std::u16string& propertyName) {
    for (auto it = m_reads.begin(); it != m_reads.end(); ++it) {
        if (it->property->PropertyName().size() != propertyName.size() ||
            !std::equal(propertyName.begin(), propertyName.end(),
                        it->property->PropertyName().begin(), [](char16_t a, char16_t b) {
                            platform::CharLowerBuffW(&a, 1);
                            platform::CharLowerBuffW(&b, 1);
                            return a == b;
                        }))
            continue;
        Downloader::current().cancel(it->id);
        m_reads.erase(it);
        if (m_reads.empty() && m_hwnd) KillTimer(m_hwnd, kReadTimer);
        return;
    }
}

void UserControl::cancelReads() {
    for (const Read& r : m_reads)
        Downloader::current().cancel(r.id);
    m_reads.clear();
    if (m_hwnd) KillTimer(m_hwnd, kReadTimer);
}

void UserControl::finishRead(int id, Downloader::Result& result) {
    auto it =
        std::find_if(m_reads.begin(), m_reads.end(), [id](const Read& r) { return r.id == id; });
    if (it == m_reads.end()) return;
    std::shared_ptr<AsyncProperty> property = std::move(it->property);
    m_reads.erase(it);
    if (m_reads.empty() && m_hwnd) KillTimer(m_hwnd, kReadTimer);
    if (result.ok) {
        property->complete(std::move(result.bytes));
    } else {
        const std::int32_t number =
            result.failure == Downloader::NotFound        ? errors::DownloadNotFound
            : result.failure == Downloader::CannotConnect ? errors::DownloadCannotConnect
                                                          : errors::DownloadFailure;
        property->fail(number, FromUtf8(result.message));
    }
    AsyncReadComplete(*property);
}

UserControl& UserControl::AddConstituent(const std::u16string& className,
                                         const std::u16string& name, orvane::Extender placement) {
    const ControlClasses::Factory* factory = ControlClasses::current().find(className);
    if (!factory) throw Error::standard(errors::InvalidClassString, u"UserControl.AddConstituent");
    return AddConstituent((*factory)(), name, std::move(placement));
}

UserControl& UserControl::AddConstituent(std::unique_ptr<UserControl> control,
                                         const std::u16string& name, orvane::Extender placement) {
    if (!control || name.empty() || !m_sited || m_windowless)
        throw Error::standard(errors::InvalidProcedureCall, u"UserControl.AddConstituent");
    if (Constituent(name))
        throw Error::standard(errors::ObjectAlreadyLoaded, u"UserControl.AddConstituent");
    auto ambient = std::make_shared<orvane::Ambient>(*m_ambient);
    ambient->DisplayName(name);
    placement.Name(name);
    placement.Index(-1);
    placement.Container(this);
    UserControl& c = *control;
    c.site(m_hwnd, std::move(ambient), std::move(placement), nullptr, m_site);
    m_constituents.emplace_back(name, std::move(control));
    return c;
}

UserControl* UserControl::Constituent(std::u16string_view name) const {
    for (const auto& [n, c] : m_constituents)
        if (sameName(n, name)) return c.get();
    return nullptr;
}

void UserControl::RemoveConstituent(std::u16string_view name) {
    for (auto it = m_constituents.begin(); it != m_constituents.end(); ++it) {
        if (!sameName(it->first, name)) continue;
        std::unique_ptr<UserControl> gone = std::move(it->second);
        m_constituents.erase(it);
        gone->unsite();
        return;
    }
    throw Error::standard(errors::InvalidProcedureCall, u"UserControl.RemoveConstituent");
}

// The last made goes first, as a form unloads its controls.
void UserControl::removeConstituents() {
    while (!m_constituents.empty()) {
        std::unique_ptr<UserControl> gone = std::move(m_constituents.back().second);
        m_constituents.pop_back();
        gone->unsite();
    }
}

void UserControl::Refresh() {
    if (!m_hwnd) return;
    invalidate();
    UpdateWindow(m_windowless ? m_container : m_hwnd);
}

void UserControl::PropertyChanged(const std::u16string&) {
    m_changed = true;
}

ShiftState UserControl::shiftState() const {
    ShiftState shift = ShiftState::None;
    if (GetKeyState(VK_SHIFT) < 0) shift = shift | ShiftState::Shift;
    if (GetKeyState(VK_CONTROL) < 0) shift = shift | ShiftState::Ctrl;
    if (GetKeyState(VK_MENU) < 0) shift = shift | ShiftState::Alt;
    return shift;
}

void UserControl::mouse(MouseKind kind, MouseButtons button, LPARAM lParam) {
    const double x =
        ScaleConvert(GET_X_LPARAM(lParam), orvane::ScaleMode::Pixels, m_scaleMode, true, dpi());
    const double y =
        ScaleConvert(GET_Y_LPARAM(lParam), orvane::ScaleMode::Pixels, m_scaleMode, false, dpi());
    switch (kind) {
        case MouseKind::Down:
            MouseDown(button, shiftState(), x, y);
            break;
        case MouseKind::Move:
            MouseMove(button, shiftState(), x, y);
            break;
        case MouseKind::Up:
            MouseUp(button, shiftState(), x, y);
            break;
    }
}

bool UserControl::mouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // A windowless control's container holds the capture for it and it never takes the focus.
    // Every handler may remove the control: after each one, nothing of it is touched unless it
    // is still alive.
    const HWND hwnd = m_hwnd;
    const std::weak_ptr<bool> alive = aliveToken();
    const auto gone = [&alive] { return alive.expired(); };
    switch (msg) {
        case WM_LBUTTONDOWN:
            // Clicking a control focuses it, as a form's controls do.
            if (!m_windowless && m_canGetFocus && GetFocus() != hwnd) SetFocus(hwnd);
            if (gone()) return true;
            m_pressed = true;
            if (!m_windowless) SetCapture(hwnd);
            mouse(MouseKind::Down, MouseButtons::Left, lParam);
            return true;
        case WM_LBUTTONUP: {
            const bool wasPressed = m_pressed;
            m_pressed = false;
            if (!m_windowless && GetCapture() == hwnd) ReleaseCapture();
            if (gone()) return true;
            mouse(MouseKind::Up, MouseButtons::Left, lParam);
            if (gone()) return true;
            const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            // A click is a press and release inside the control.
            const RECT client = clientRect();
            if (wasPressed && m_hwnd && PtInRect(&client, pt)) Click();
            return true;
        }
        case WM_LBUTTONDBLCLK:
            m_pressed = true;
            if (!m_windowless) SetCapture(hwnd);
            DblClick();
            if (gone()) return true;
            if (m_hwnd) mouse(MouseKind::Down, MouseButtons::Left, lParam);
            return true;
        case WM_RBUTTONDOWN:
            mouse(MouseKind::Down, MouseButtons::Right, lParam);
            return true;
        case WM_RBUTTONUP:
            mouse(MouseKind::Up, MouseButtons::Right, lParam);
            return true;
        case WM_MBUTTONDOWN:
            mouse(MouseKind::Down, MouseButtons::Middle, lParam);
            return true;
        case WM_MBUTTONUP:
            mouse(MouseKind::Up, MouseButtons::Middle, lParam);
            return true;
        case WM_MOUSEMOVE: {
            MouseButtons buttons = MouseButtons::None;
            if (wParam & MK_LBUTTON) buttons = buttons | MouseButtons::Left;
            if (wParam & MK_RBUTTON) buttons = buttons | MouseButtons::Right;
            if (wParam & MK_MBUTTON) buttons = buttons | MouseButtons::Middle;
            mouse(MouseKind::Move, buttons, lParam);
            return true;
        }
        default:
            return false;
    }
}

void UserControl::acceleratorHook(bool on) {
    if (m_site) m_site->setKeyHook(*this, on);
}

LRESULT UserControl::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<UserControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->onMessage(msg, wParam, lParam);
}

LRESULT UserControl::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The container sees keys first: navigation keys never reach the control.
    // The control may be gone once the site or a handler has run: the window's own
    // procedure then finishes the message.
    const HWND hwnd = m_hwnd;
    const std::weak_ptr<bool> alive = aliveToken();
    if (m_site &&
        (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_CHAR || msg == WM_SYSCHAR) &&
        m_site->siteKey(*this, msg, wParam))
        return 0;
    if (alive.expired()) return DefWindowProcW(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    if (handleMessage(msg, wParam, lParam, result)) return result;
    if (isMouseMessage(msg)) {
        // Windowless controls lying on this one take the mouse where they are hit.
        if (!(m_site && m_site->siteMouse(hwnd, msg, wParam, lParam)) && !alive.expired())
            mouseMessage(msg, wParam, lParam);
        return 0;
    }
    switch (msg) {
        case WM_ERASEBKGND:
            eraseBackground(HDC(static_cast<std::uint32_t>(wParam)));
            return 1;
        case WM_PAINT: {
            // A WM_PAINT carrying a device context asks the control to draw itself into it
            // (a transparent child showing what lies behind it); the update region stays.
            if (wParam != 0) {
                const HDC dc = HDC(static_cast<std::uint32_t>(wParam));
                eraseBackground(dc);
                paintInto(dc);
                if (m_site) m_site->paintWindowless(hwnd, dc);
                return 0;
            }
            PAINTSTRUCT ps{};
            const HDC dc = BeginPaint(hwnd, &ps);
            try {
                paintInto(dc);
                if (m_site && !alive.expired()) m_site->paintWindowless(hwnd, dc);
            } catch (...) {
                EndPaint(hwnd, &ps);
                throw;
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            // What WM_PAINT draws, into the given DC; the background comes from WM_ERASEBKGND,
            // sent first by whoever prints (a child's DrawThemeParentBackground).
            const HDC dc = HDC(static_cast<std::uint32_t>(wParam));
            paintInto(dc);
            if (m_site && !alive.expired()) m_site->paintWindowless(hwnd, dc);
            return 0;
        }
        case WM_TIMER:
            if (wParam == kReadTimer) {
                Downloader::current().poll();
                return 0;
            }
            for (std::size_t i = 0; i < m_timers.size(); ++i) {
                if (m_timers[i]->id() != wParam) continue;
                m_timers[i]->tick();  // the tick may remove the control
                break;
            }
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT &&
                m_mousePointer != MousePointerConstants::Default) {
                // A custom pointer is the MouseIcon when that is an icon or cursor; otherwise
                // the arrow.
                const bool custom = m_mousePointer == MousePointerConstants::Custom &&
                                    m_mouseIcon && m_mouseIcon->type() == StdPicture::Type::Icon;
                SetCursor(custom ? HCURSOR(static_cast<std::uint32_t>(m_mouseIcon->Handle()))
                                 : LoadCursorW(HINSTANCE(), cursorFor(m_mousePointer)));
                return TRUE;
            }
            break;
        case WM_SIZE:
            if (m_sited) Resize();
            return 0;
        case WM_CAPTURECHANGED:
            m_pressed = false;
            return 0;
        case WM_KEYDOWN: {
            int key = static_cast<int>(wParam);
            KeyDown(key, shiftState());
            return 0;
        }
        case WM_KEYUP: {
            int key = static_cast<int>(wParam);
            KeyUp(key, shiftState());
            return 0;
        }
        case WM_CHAR: {
            int key = static_cast<int>(wParam);
            KeyPress(key);
            return 0;
        }
        case WM_SETFOCUS:
            GotFocus();
            return 0;
        case WM_KILLFOCUS:
            LostFocus();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace orvane
