#include "host/Form.h"

#include <algorithm>
#include <cmath>

#include "host/Error.h"
#include "host/FormKeyHook.h"
#include "host/TypeLibrary.h"
#include "platform/text/CharCase.h"

namespace orvane {

using namespace platform;

namespace {

constexpr const char16_t* kFormClass = u"OrvaneForm";

char16_t upper(char16_t c) {
    platform::CharUpperBuffW(&c, 1);
    return c;
}

}  // namespace

Form::Form(std::u16string name, bool userMode, int widthTwips, int heightTwips)
    : m_name(std::move(name)) {
    if (m_name.empty() || widthTwips < 0 || heightTwips < 0)
        throw Error::standard(errors::InvalidProcedureCall, u"Form");
    m_base.UserMode(userMode);
    m_base.DisplayName(m_name);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    if (!GetClassInfoExW(instance, kFormClass, &existing)) {
        WNDCLASSEXW wc{};
        // Double clicks reach the windowless controls drawn on the form.
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Form::windowProc;
        wc.hInstance = instance;
        wc.hIcon = HICON();
        wc.hCursor = LoadCursorW(HINSTANCE(), IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kFormClass;
        wc.hIconSm = HICON();
        if (!RegisterClassExW(&wc))
            throw Error(errors::OutOfMemory, u"Form",
                        u"The form window class could not be registered");
    }
    RECT rc{0, 0, TwipsToPixels(widthTwips, static_cast<int>(GetDpiForSystem())),
            TwipsToPixels(heightTwips, static_cast<int>(GetDpiForSystem()))};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&rc, style, FALSE, 0);
    m_hwnd = CreateWindowExW(0, kFormClass, m_name.c_str(), style, 0, 0, rc.right - rc.left,
                             rc.bottom - rc.top, HWND(), HMENU(), instance, nullptr);
    if (!m_hwnd) throw Error(errors::OutOfMemory, u"Form", u"The form window could not be created");
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    FormKeyHook::attach(*this);
}

Form::~Form() {
    // The form stops answering first: destroying the focused control moves the focus to it.
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    FormKeyHook::detach(*this);
    m_tabOrder.clear();
    m_default = m_cancel = m_keyHook = nullptr;
    // Controls go in reverse creation order, so a container outlives what it holds.
    while (!m_entries.empty()) {
        Entry entry = std::move(m_entries.back());
        m_entries.pop_back();
        m_entryOf.erase(entry.control.get());
        m_byName.erase(NameKey{foldName(entry.name), entry.index});
        entry.control->unsite();
    }
    DestroyWindow(m_hwnd);
}

int Form::ScaleWidth() const {
    RECT rc{};
    GetClientRect(m_hwnd, &rc);
    return static_cast<int>(std::lround(ScaleConvert(rc.right, ScaleMode::Pixels, ScaleMode::Twips,
                                                     true, static_cast<int>(GetDpiForSystem()))));
}

int Form::ScaleHeight() const {
    RECT rc{};
    GetClientRect(m_hwnd, &rc);
    return static_cast<int>(std::lround(ScaleConvert(rc.bottom, ScaleMode::Pixels, ScaleMode::Twips,
                                                     false, static_cast<int>(GetDpiForSystem()))));
}

void Form::Show() {
    ShowWindow(m_hwnd, SW_SHOW);
    UpdateWindow(m_hwnd);
    if (UserMode() && !ActiveControl()) focusNext(false);
}

std::shared_ptr<Ambient> Form::ambientFor(const std::u16string& name,
                                          const UserControl* control) const {
    auto ambient = std::make_shared<Ambient>(m_base);
    ambient->DisplayName(name);
    ambient->DisplayAsDefault(control && control == m_default);
    return ambient;
}

UserControl& Form::add(std::unique_ptr<UserControl> control, const std::u16string& name, int index,
                       Extender extender, UserControl* container, const PropertyBag* stored) {
    if (!control || name.empty()) throw Error::standard(errors::InvalidProcedureCall, u"Form");
    NameKey key{foldName(name), index};
    if (m_byName.count(key)) throw Error::standard(errors::ObjectAlreadyLoaded, u"Form");
    // A windowless control has no window to hold others.
    if (container && (!entryOf(*container) || container->Windowless()))
        throw Error::standard(errors::InvalidProcedureCall, u"Form");
    extender.Name(name);
    extender.Index(index);
    extender.Container(container);
    UserControl& c = *control;
    // Sited before it joins the lists: a control that fails to load leaves nothing behind.
    c.site(container ? container->hWnd() : m_hwnd, ambientFor(name, nullptr), std::move(extender),
           stored, this);
    // A control added later lies in front of those before it.
    if (c.Windowless()) {
        m_windowless.push_back(&c);
    } else {
        SetWindowPos(c.hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    m_entries.push_back(Entry{std::move(control), name, index, container, true, m_tabOrder.size()});
    m_entryOf.emplace(&c, m_entries.size() - 1);
    m_byName.emplace(std::move(key), &c);
    m_tabOrder.push_back(&c);
    return c;
}

void Form::moveToContainer(UserControl& control, UserControl* container) {
    Entry* e = entryOf(control);
    if (!e) throw Error::standard(errors::InvalidProcedureCall, u"Form");
    if (container == e->container) return;
    if (container) {
        if (!entryOf(*container) || container->Windowless())
            throw Error::standard(errors::InvalidProcedureCall, u"Form");
        for (UserControl* c = container; c; c = containerOf(*c))
            if (c == &control) throw Error::standard(errors::InvalidProcedureCall, u"Form");
    }
    e->container = container;
    control.Extender().Container(container);
    control.reparent(windowOf(container));
}

void Form::remove(UserControl& control) {
    // What the control holds goes first.
    std::vector<UserControl*> held;
    for (const Entry& e : m_entries)
        if (e.container == &control) held.push_back(e.control.get());
    for (UserControl* h : held)
        remove(*h);
    auto found = m_entryOf.find(&control);
    if (found == m_entryOf.end()) throw Error::standard(errors::InvalidProcedureCall, u"Form");
    const std::size_t at = found->second;
    Entry& e = m_entries[at];
    // A control that goes with the focus hands it on to the next one in tab order.
    const HWND focus = GetFocus();
    const bool hadFocus =
        control.hWnd() && focus && (focus == control.hWnd() || IsChild(control.hWnd(), focus));
    const std::size_t tabPlace = e.tab;
    if (m_default == &control) m_default = nullptr;
    if (m_cancel == &control) m_cancel = nullptr;
    if (m_keyHook == &control) m_keyHook = nullptr;
    m_tabOrder.erase(m_tabOrder.begin() + static_cast<std::ptrdiff_t>(e.tab));
    renumberTabs(e.tab, m_tabOrder.size());
    std::erase(m_windowless, &control);
    if (m_mouseOwner == &control) m_mouseOwner = nullptr;
    std::unique_ptr<UserControl> owned = std::move(e.control);
    m_byName.erase(NameKey{foldName(e.name), e.index});
    m_entryOf.erase(found);
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(at));
    for (std::size_t k = at; k < m_entries.size(); ++k)
        m_entryOf[m_entries[k].control.get()] = k;
    owned->unsite();
    if (hadFocus && m_hwnd) focusFrom(m_tabOrder.empty() ? 0 : tabPlace % m_tabOrder.size());
}

std::vector<UserControl*> Form::Controls() const {
    std::vector<UserControl*> out;
    out.reserve(m_entries.size());
    for (const Entry& e : m_entries)
        out.push_back(e.control.get());
    return out;
}

UserControl& Form::control(std::u16string_view name, int index) const {
    auto it = m_byName.find(NameKey{foldName(name), index});
    if (it == m_byName.end()) throw Error::standard(errors::ControlArrayElementMissing, u"Form");
    return *it->second;
}

std::size_t Form::NameKeyHash::operator()(const NameKey& k) const {
    return std::hash<std::u16string>{}(k.folded) ^
           (std::hash<int>{}(k.index) * std::size_t{0x9E3779B97F4A7C15u});
}

const Form::Entry* Form::entryOf(const UserControl& control) const {
    auto it = m_entryOf.find(&control);
    return it == m_entryOf.end() ? nullptr : &m_entries[it->second];
}

Form::Entry* Form::entryOf(const UserControl& control) {
    auto it = m_entryOf.find(&control);
    return it == m_entryOf.end() ? nullptr : &m_entries[it->second];
}

void Form::renumberTabs(std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k)
        entryOf(*m_tabOrder[k])->tab = k;
}

int Form::TabIndex(const UserControl& control) const {
    const Entry* e = entryOf(control);
    if (!e || e->tab >= m_tabOrder.size() || m_tabOrder[e->tab] != &control)
        throw Error::standard(errors::InvalidProcedureCall, u"Form");
    return static_cast<int>(e->tab);
}

void Form::TabIndex(UserControl& control, int index) {
    if (index < 0) throw Error::standard(errors::InvalidPropertyValue, u"Form");
    const auto from = static_cast<std::size_t>(TabIndex(control));
    // An index past the end puts the control last, as the host does. Only the controls
    // between the old and the new place move, so setting every control's index in order,
    // as a form file does, costs nothing when the order is already right.
    const std::size_t to =
        std::min<std::size_t>(static_cast<std::size_t>(index), m_tabOrder.size() - 1);
    const auto at = [&](std::size_t k) {
        return m_tabOrder.begin() + static_cast<std::ptrdiff_t>(k);
    };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else if (to < from)
        std::rotate(at(to), at(from), at(from + 1));
    renumberTabs(std::min(from, to), std::max(from, to) + 1);
}

bool Form::TabStop(const UserControl& control) const {
    const Entry* e = entryOf(control);
    if (!e) throw Error::standard(errors::InvalidProcedureCall, u"Form");
    return e->tabStop;
}

void Form::TabStop(UserControl& control, bool stop) {
    Entry* e = entryOf(control);
    if (!e) throw Error::standard(errors::InvalidProcedureCall, u"Form");
    e->tabStop = stop;
}

bool Form::canFocus(const UserControl& control) const {
    return control.CanGetFocus() && reachable(control);
}

void Form::focusFrom(std::size_t from) {
    const std::size_t n = m_tabOrder.size();
    for (std::size_t step = 0; step < n; ++step) {
        UserControl* c = m_tabOrder[(from + step) % n];
        if (entryOf(*c)->tabStop && canFocus(*c)) {
            SetFocus(c->hWnd());
            return;
        }
    }
    SetFocus(m_hwnd);
}

void Form::focusNextAfter(UserControl& control) {
    const Entry* e = entryOf(control);
    if (e && !m_tabOrder.empty()) focusFrom(e->tab + 1);
}

bool Form::reachable(const UserControl& control) const {
    const HWND hwnd = control.hWnd();
    if (!hwnd || !IsWindowVisible(hwnd)) return false;
    // Disabled itself or inside a disabled container.
    for (HWND w = hwnd; w && w != m_hwnd; w = GetParent(w))
        if (!IsWindowEnabled(w)) return false;
    return true;
}

UserControl* Form::ActiveControl() const {
    // The control whose window has the focus, or holds the window that has it.
    const HWND focus = GetFocus();
    return focus ? controlHolding(focus) : nullptr;
}

void Form::focusNext(bool backward) {
    const std::size_t n = m_tabOrder.size();
    if (n == 0) return;
    UserControl* current = ActiveControl();
    std::size_t start = backward ? 0 : n - 1;
    if (current) start = static_cast<std::size_t>(TabIndex(*current));
    for (std::size_t step = 1; step <= n; ++step) {
        const std::size_t i = backward ? (start + n - step) % n : (start + step) % n;
        UserControl* c = m_tabOrder[i];
        if (entryOf(*c)->tabStop && canFocus(*c)) {
            SetFocus(c->hWnd());
            return;
        }
    }
}

void Form::Default(UserControl* control) {
    if (control && !entryOf(*control)) throw Error::standard(errors::InvalidProcedureCall, u"Form");
    UserControl* old = m_default;
    m_default = control;
    // The controls whose DisplayAsDefault changed are told so.
    for (UserControl* c : {old, control}) {
        if (!c || (c == old && c == control)) continue;
        const Entry* e = entryOf(*c);
        c->ambient(ambientFor(e->name, c));
        c->ambientChanged(u"DisplayAsDefault");
    }
}

bool Form::pressAccessKey(char16_t key) {
    const char16_t k = upper(key);
    for (UserControl* c : m_tabOrder) {
        if (!reachable(*c)) continue;
        for (char16_t a : c->AccessKeys()) {
            if (upper(a) != k) continue;
            if (entryOf(*c)->tabStop && c->CanGetFocus()) SetFocus(c->hWnd());
            c->raiseAccessKeyPress(static_cast<int>(key));
            return true;
        }
    }
    return false;
}

void Form::setKeyHook(UserControl& control, bool on) {
    if (on)
        m_keyHook = &control;
    else if (m_keyHook == &control)
        m_keyHook = nullptr;
}

UserControl* Form::controlHolding(HWND hwnd) const {
    for (HWND w = hwnd; w && w != m_hwnd; w = GetParent(w))
        for (const Entry& e : m_entries)
            if (e.control->hWnd() == w) return e.control.get();
    return nullptr;
}

bool Form::preTranslateKey(const MSG& msg) {
    if (!UserMode() || !m_hwnd || (msg.hwnd != m_hwnd && !IsChild(m_hwnd, msg.hwnd))) return false;
    UserControl* holder = controlHolding(msg.hwnd);
    if (m_keyHook && m_keyHook == holder) {
        try {
            if (m_keyHook->TranslateAccel(msg)) return true;
        } catch (const Error&) {
            // A failing hook has not used the key.
        }
    }
    // The form's own window and a control's own window get the form's keys as they handle
    // the message; a window inside a control (an edit field) gets them here.
    if (!holder || msg.hwnd == holder->hWnd() || !IsWindow(msg.hwnd)) return false;
    if (!handleKey(msg.message, msg.wParam)) return false;
    // The key-down is used up before it is translated: no character follows to swallow.
    if (msg.message == WM_KEYDOWN) m_swallowChar = 0;
    return true;
}

bool Form::siteKey(UserControl&, UINT msg, WPARAM key) {
    return handleKey(msg, key);
}

bool Form::handleKey(UINT msg, WPARAM key) {
    if (!UserMode()) return false;
    if (msg == WM_CHAR || msg == WM_SYSCHAR) {
        if (m_swallowChar && key == m_swallowChar) {
            m_swallowChar = 0;
            return true;
        }
        // Alt with a character presses the control whose access key it is.
        return msg == WM_SYSCHAR && pressAccessKey(static_cast<char16_t>(key));
    }
    if (msg != WM_KEYDOWN) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_TAB && !ctrl) {
        m_swallowChar = u'\t';
        focusNext(shift);
        return true;
    }
    UserControl* target = nullptr;
    if (key == VK_RETURN && !shift && !ctrl) target = m_default;
    if (key == VK_ESCAPE) target = m_cancel;
    if (!target || !canFocus(*target)) return false;
    m_swallowChar = key == VK_RETURN ? u'\r' : u'\x1b';
    target->raiseAccessKeyPress(static_cast<int>(key));
    return true;
}

std::vector<std::pair<UserControl*, PropertyBag>> Form::saveChanged() {
    std::vector<std::pair<UserControl*, PropertyBag>> out;
    for (const Entry& e : m_entries) {
        if (!e.control->changed()) continue;
        PropertyBag bag;
        e.control->save(bag);
        out.emplace_back(e.control.get(), std::move(bag));
    }
    return out;
}

const std::u16string& Form::nameOf(const UserControl& control) const {
    const Entry* e = entryOf(control);
    if (!e) throw Error::standard(errors::InvalidProcedureCall, u"Form");
    return e->name;
}

int Form::indexOf(const UserControl& control) const {
    const Entry* e = entryOf(control);
    if (!e) throw Error::standard(errors::InvalidProcedureCall, u"Form");
    return e->index;
}

UserControl* Form::containerOf(const UserControl& control) const {
    const Entry* e = entryOf(control);
    if (!e) throw Error::standard(errors::InvalidProcedureCall, u"Form");
    return e->container;
}

std::vector<UserControl*> Form::Stacking(const UserControl* container) const {
    std::vector<UserControl*> out;
    for (UserControl* c : m_windowless)
        if (const Entry* e = entryOf(*c); e && e->container == container) out.push_back(c);
    const std::size_t windowless = out.size();
    std::unordered_map<std::uint32_t, UserControl*> windowed;
    for (const Entry& e : m_entries)
        if (e.container == container && !e.control->Windowless())
            windowed.emplace(e.control->hWnd().value, e.control.get());
    // The window z-order runs from the front; the list runs from the back.
    const HWND parent = windowOf(container);
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (auto it = windowed.find(w.value); it != windowed.end()) out.push_back(it->second);
    std::reverse(out.begin() + static_cast<std::ptrdiff_t>(windowless), out.end());
    return out;
}

HWND Form::windowOf(const UserControl* container) const {
    return container ? container->hWnd() : m_hwnd;
}

void Form::paintWindowless(HWND container, HDC dc) {
    RECT clip{};
    if (m_windowless.empty() || GetClipBox(dc, &clip) == NULLREGION) return;
    for (UserControl* c : m_windowless) {
        const Entry* e = entryOf(*c);
        if (!e || windowOf(e->container) != container || !c->Extender().Visible()) continue;
        const RECT r = c->rectInContainer();
        const RECT painted = c->paintedRectInContainer();
        RECT common{};
        if (!IntersectRect(&common, &painted, &clip)) continue;
        // The control draws from its own corner, and only inside its rectangle and the margin
        // it may overdraw.
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
        IntersectClipRect(dc, painted.left - r.left, painted.top - r.top, painted.right - r.left,
                          painted.bottom - r.top);
        try {
            c->paintWindowless(dc);
        } catch (...) {
            RestoreDC(dc, saved);
            throw;
        }
        RestoreDC(dc, saved);
    }
}

bool Form::siteMouse(HWND container, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_windowless.empty()) return false;
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    UserControl* target = m_mouseOwner;
    // Otherwise the frontmost visible, enabled windowless control whose HitTest takes the point.
    for (auto it = m_windowless.rbegin(); !target && it != m_windowless.rend(); ++it) {
        UserControl* c = *it;
        const Entry* e = entryOf(*c);
        if (!e || windowOf(e->container) != container || !c->Extender().Visible() ||
            !c->Extender().Enabled())
            continue;
        const RECT r = c->rectInContainer();
        if (PtInRect(&r, pt) && c->hitTest(pt.x - r.left, pt.y - r.top) == HitResult::Hit)
            target = c;
    }
    if (!target) return false;
    const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
                      msg == WM_LBUTTONDBLCLK;
    const bool up = msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;
    if (down) {
        m_mouseOwner = target;  // it keeps the mouse until the buttons are up
        if (GetCapture() != container) SetCapture(container);
    }
    const RECT r = target->rectInContainer();
    target->windowlessMouse(msg, wParam, pt.x - r.left, pt.y - r.top);  // may remove it
    if (up && (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
        m_mouseOwner = nullptr;
        if (GetCapture() == container) ReleaseCapture();
    }
    return true;
}

void Form::windowlessZOrder(UserControl& control, bool front) {
    auto it = std::find(m_windowless.begin(), m_windowless.end(), &control);
    if (it == m_windowless.end()) return;
    m_windowless.erase(it);
    if (front) {
        m_windowless.push_back(&control);
    } else {
        m_windowless.insert(m_windowless.begin(), &control);
    }
}

void Form::placementChanged(UserControl& control, bool hadFocus) {
    arrange();
    // Hiding or disabling the control with the focus leaves it where it cannot stay (a hidden
    // window hands it to its container, which may be a frame; a disabled one to nothing): it
    // moves on in tab order.
    const Entry* changed = entryOf(control);
    if (!hadFocus || !changed || !m_hwnd) return;
    const HWND focus = GetFocus();
    for (const Entry& e : m_entries)
        if (e.control->hWnd() == focus && canFocus(*e.control)) return;
    focusFrom(changed->tab + 1);
}

void Form::arrange() {
    if (m_arranging) return;
    m_arranging = true;
    int left = 0, top = 0, right = ScaleWidth(), bottom = ScaleHeight();
    try {
        for (const Entry& e : m_entries) {
            Extender& x = e.control->Extender();
            if (e.container || x.Align() == 0 || !x.Visible()) continue;
            const int w = std::max(0, right - left), h = std::max(0, bottom - top);
            switch (x.Align()) {
                case 1:
                    x.Move(left, top, w, std::min(x.Height(), h));
                    top += x.Height();
                    break;
                case 2:
                    x.Move(left, bottom - std::min(x.Height(), h), w, std::min(x.Height(), h));
                    bottom -= x.Height();
                    break;
                case 3:
                    x.Move(left, top, std::min(x.Width(), w), h);
                    left += x.Width();
                    break;
                default:
                    x.Move(right - std::min(x.Width(), w), top, std::min(x.Width(), w), h);
                    right -= x.Width();
                    break;
            }
        }
    } catch (...) {
        m_arranging = false;
        throw;
    }
    m_arranging = false;
}

LRESULT Form::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        if (isMouseMessage(msg) && self->siteMouse(hwnd, msg, wParam, lParam)) return 0;
        switch (msg) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
            case WM_CHAR:
            case WM_SYSCHAR:
                // Keys that reach the form itself, when no control has the focus.
                if (self->handleKey(msg, wParam)) return 0;
                break;
            case WM_SIZE:
                self->arrange();
                return 0;
            case WM_PAINT:
                // Drawing into a given device context: a transparent control asks for what
                // lies behind it. The form draws only its background.
                if (wParam != 0) {
                    const HDC dc = HDC(static_cast<std::uint32_t>(wParam));
                    RECT rc{};
                    GetClientRect(hwnd, &rc);
                    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
                    self->paintWindowless(hwnd, dc);
                    return 0;
                }
                if (!self->m_windowless.empty()) {
                    PAINTSTRUCT ps{};
                    const HDC dc = BeginPaint(hwnd, &ps);
                    try {
                        self->paintWindowless(hwnd, dc);
                    } catch (...) {
                        EndPaint(hwnd, &ps);
                        throw;
                    }
                    EndPaint(hwnd, &ps);
                    return 0;
                }
                break;
            case WM_PRINTCLIENT:
                // What WM_PAINT draws, into the given DC: the background comes from
                // WM_ERASEBKGND, sent first by whoever prints (DrawThemeParentBackground).
                self->paintWindowless(hwnd, HDC(static_cast<std::uint32_t>(wParam)));
                return 0;
            case WM_CAPTURECHANGED:
                self->m_mouseOwner = nullptr;
                break;
            case WM_SETFOCUS:
                // The form hands the focus on to its first control.
                if (self->UserMode()) self->focusNext(false);
                return 0;
            default:
                break;
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace orvane
