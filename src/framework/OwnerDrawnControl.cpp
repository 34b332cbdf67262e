#include "framework/OwnerDrawnControl.h"

#include <cmath>

#include "framework/ErrorLog.h"
#include "framework/GdiDrawing.h"
#include "framework/KeysAndText.h"
#include "framework/PaintParentBackground.h"
#include "framework/StringsAndFiles.h"
#include "framework/TextDrawing.h"
#include "framework/drawing/ControlTooltip.h"
#include "host/App.h"
#include "host/AsyncProperty.h"
#include "host/ConstituentTimer.h"

namespace orvane {

using namespace platform;

namespace {

constexpr std::int32_t kHoverPollMs = 10;
constexpr const char16_t* kRemotePicture = u"remotePic";
constexpr std::int32_t kFileNotFound = 404;

}  // namespace

void InvalidPropertyValue(const std::u16string& property) {
    throw Error(errors::InvalidPropertyValue, property, u"Invalid property value");
}

OwnerDrawnControl::OwnerDrawnControl(const StandardEvents& events) : m_events(events) {}

OwnerDrawnControl::~OwnerDrawnControl() {
    if (m_watchedFont) m_watchedFont->removeListener(m_fontListener);
    if (m_state.hot()) HideControlTooltip(hWnd());
}

// --- Properties ---

void OwnerDrawnControl::applyChange(const PropertyRow& row) {
    if (m_loaded) {
        if (row.effect() == Effect::Relayout) invalidateLayout();
        if (row.effect() != Effect::None) Refresh();
    }
    PropertyChanged(row.key().empty() ? row.name() : row.key());
}

void OwnerDrawnControl::Font(std::shared_ptr<StdFont> font) {
    if (!font) font = ambientFontCopy();
    setProperty(m_font, std::move(font));
}

std::shared_ptr<StdFont> OwnerDrawnControl::ambientFontCopy() const {
    return Ambient().Font() ? Ambient().Font()->clone() : std::make_shared<StdFont>();
}

// The font object may also change in place (lbl.Font.Bold = True): that redraws too.
void OwnerDrawnControl::watchFont() {
    if (m_watchedFont == m_font) return;
    if (m_watchedFont) m_watchedFont->removeListener(m_fontListener);
    m_watchedFont = m_font;
    if (!m_font) return;
    m_fontListener = m_font->addListener([this](const std::u16string&) {
        if (m_fontQuiet) return;
        if (const PropertyRow* row = properties().find(u"Font")) applyChange(*row);
    });
}

void OwnerDrawnControl::changeFont(const std::function<void(StdFont&)>& change) {
    m_fontQuiet = true;
    try {
        change(*m_font);
    } catch (...) {
        m_fontQuiet = false;
        throw;
    }
    m_fontQuiet = false;
}

void OwnerDrawnControl::fontChanged() {
    UserControl::Font(m_font);
    watchFont();
}

void OwnerDrawnControl::EnabledChanged() {
    if (m_enabled != Extender().Enabled()) setProperty(m_enabled, Extender().Enabled());
}

void OwnerDrawnControl::enabledChanged() {
    UserControl::Enabled(m_enabled);
    if (!m_enabled && m_state.hot()) leave();
    m_state.reset();
}

void OwnerDrawnControl::imageChanged() {
    setAnimation(false);
}

void OwnerDrawnControl::InitTooltip(const std::u16string& text, const std::u16string& title,
                                    ToolTipIcon icon, ToolTipStyle style, OLE_COLOR backColor,
                                    OLE_COLOR foreColor, std::int32_t maxWidth) {
    m_tooltip = std::make_unique<Tooltip>(
        Tooltip{text, title, icon, style, backColor, foreColor, maxWidth});
}

int OwnerDrawnControl::borderWidth() const {
    if (m_borderStyle == BorderStyleEnum::None) return 0;
    if (m_appearance == AppearanceEnum::ThreeD) return 2;
    return m_borderWidth;
}

int OwnerDrawnControl::dpi() const {
    return static_cast<int>(GetDpiForSystem());
}

double OwnerDrawnControl::twipsX(double px) const {
    return ScaleX(px, ScaleMode::Pixels, ScaleMode::Twips);
}

double OwnerDrawnControl::twipsY(double px) const {
    return ScaleY(px, ScaleMode::Pixels, ScaleMode::Twips);
}

// --- Layout and painting ---

void OwnerDrawnControl::ensureLayout() {
    if (m_layoutValid || m_inLayout || !m_loaded) return;
    m_inLayout = true;
    try {
        layout();
    } catch (...) {
        m_inLayout = false;
        throw;
    }
    m_inLayout = false;
    m_layoutValid = true;
    m_layoutSize = clientSize();
}

SIZE OwnerDrawnControl::clientSize() const {
    return SIZE{static_cast<LONG>(ScaleWidth()), static_cast<LONG>(ScaleHeight())};
}

void OwnerDrawnControl::Refresh() {
    ensureLayout();
    UserControl::Refresh();
}

HFONT OwnerDrawnControl::createFont() const {
    LOGFONTW lf = m_font ? m_font->logFont(dpi()) : StdFont().logFont(dpi());
    if (hyperLink() && m_state.hot()) lf.lfUnderline = TRUE;
    lf.lfEscapement = lf.lfOrientation = 0;
    return CreateFontIndirectW(&lf);
}

SIZE OwnerDrawnControl::measureText(const std::u16string& text, UINT flags, int width) const {
    return measureTexts({text}, flags, width).front();
}

std::vector<SIZE> OwnerDrawnControl::measureTexts(const std::vector<std::u16string>& texts,
                                                  UINT flags, int width) const {
    const HDC dc = CreateCompatibleDC(HDC());
    const HFONT font = createFont();
    const HGDIOBJ old = SelectObject(dc, font);
    std::vector<SIZE> sizes;
    sizes.reserve(texts.size());
    for (const std::u16string& text : texts) {
        RECT rc{0, 0, width, static_cast<int>(ScaleHeight())};
        int height = 0;
        const int textWidth = MeasureText(HTHEME(), dc, text, flags, rc, height);
        sizes.push_back(SIZE{textWidth, height});
    }
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return sizes;
}

void OwnerDrawnControl::sizeToPixels(SIZE size) {
    if (size.cx != static_cast<int>(ScaleWidth())) Width(size.cx * TwipsPerPixelX());
    if (size.cy != static_cast<int>(ScaleHeight())) Height(size.cy * TwipsPerPixelY());
}

void OwnerDrawnControl::paintStateFill(HDC dc, const RECT& rc, bool opaque) {
    OLE_COLOR fill = palette::kNoColor;
    if (!m_enabled) {
        fill = palette::kDisabledFill;
    } else if (!opaque) {
        fill = palette::kNoColor;
    } else if (state().pressed()) {
        fill = m_backColorPressed;
    } else if (!state().hot()) {
        fill = m_backColor;
    } else {
        fill = m_backColorHot;
    }
    fillOrShowContainer(dc, rc, fill);
}

void OwnerDrawnControl::fillOrShowContainer(HDC dc, const RECT& rc, OLE_COLOR color) {
    if (!IsTranslatableColor(color)) {
        PaintParentBackground(GetParent(hWnd()), hWnd(), dc);
        return;
    }
    FillSolid(dc, color, rc);
}

void OwnerDrawnControl::drawCaption(HDC dc, const std::u16string& text, OLE_COLOR color, UINT flags,
                                    const RECT& rect) const {
    if (text.empty()) return;
    const HFONT font = createFont();
    const HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    DrawTextInColor(dc, text, color, flags, rect);
    SelectObject(dc, old);
    DeleteObject(font);
}

void OwnerDrawnControl::paintPushFace(HDC dc, const RECT& rc,
                                      UxThemePushButtonStates stateId) const {
    const int state = static_cast<int>(stateId);
    if (const HTHEME theme = OpenThemeData(HWND(), u"Button")) {
        if (IsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, state))
            PaintParentBackground(GetParent(hWnd()), hWnd(), dc);
        DrawThemeBackground(theme, dc, BP_PUSHBUTTON, state, &rc, &rc);
        CloseThemeData(theme);
        return;
    }
    RECT face = rc;
    UINT flags = DFCS_BUTTONPUSH;
    if (stateId == UxThemePushButtonStates::PBS_PRESSED) flags |= DFCS_PUSHED;
    if (stateId == UxThemePushButtonStates::PBS_HOT) flags |= DFCS_HOT;
    DrawFrameControl(dc, &face, DFC_BUTTON, flags);
}

void OwnerDrawnControl::drawStateBorder(HDC dc, const RECT& rc, bool tracksState,
                                        bool isDefault) const {
    if (m_borderStyle == BorderStyleEnum::None) return;
    const bool hot = m_state.hot();
    const bool pressed = m_state.pressed();
    if (m_appearance == AppearanceEnum::ThreeD) {
        RECT edge = rc;
        DrawEdge(dc, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        return;
    }
    // A focused control at rest shows a two-pixel ring whatever its border width.
    const int width = tracksState && m_state.focused() && !hot && !pressed ? 2 : m_borderWidth;
    OLE_COLOR color = m_borderColor;
    if (!m_enabled) {
        color = vbGrayText;
    } else if (tracksState) {
        color = pressed                                 ? m_borderColorPressed
                : hot || m_state.focused() || isDefault ? m_borderColorHot
                                                        : m_borderColor;
    }
    DrawFrame(dc, rc.left, rc.top, rc.right, rc.bottom, color, std::max(width, 1));
}

ControlImage::Look OwnerDrawnControl::imageLook() const {
    if (!m_enabled) return ControlImage::Look::Disabled;
    if (m_state.pressed()) return ControlImage::Look::Pressed;
    if (m_state.hot()) return ControlImage::Look::Hot;
    return ControlImage::Look::Normal;
}

void OwnerDrawnControl::drawImage(HDC dc, int x, int y, int height, bool brightnessStep) {
    ControlImage* img = image();
    if (!img) return;
    const bool running = img->draw(dc, x, y, height, imageLook(), brightnessStep, userMode());
    setAnimation(running);
}

void OwnerDrawnControl::drawBackgroundImage(HDC dc, const RECT& dest, bool advance) {
    ControlImage* img = image();
    if (!img) return;
    const ControlImage::Look look =
        m_enabled ? ControlImage::Look::Normal : ControlImage::Look::Disabled;
    setAnimation(img->drawFrame(dc, dest, look, userMode(), advance));
}

void OwnerDrawnControl::setAnimation(bool run) {
    if (!run) {
        if (m_animationTimer) m_animationTimer->Enabled(false);
        return;
    }
    ConstituentTimer& t =
        timer(m_animationTimer, image()->FrameInterval, &OwnerDrawnControl::animationTick);
    t.Interval(image()->FrameInterval);
    t.Enabled(true);
}

bool OwnerDrawnControl::animationRunning() const {
    return m_animationTimer && m_animationTimer->Enabled();
}

// Timers are made when first needed: most controls never animate, and a label only polls the
// pointer while it is over it.
ConstituentTimer& OwnerDrawnControl::timer(ConstituentTimer*& slot, std::int32_t interval,
                                           void (OwnerDrawnControl::*tick)()) {
    if (!slot) {
        slot = &addTimer();
        slot->Enabled(false);
        slot->Interval(interval);
        slot->onTick = [this, tick] { (this->*tick)(); };
    }
    return *slot;
}

// --- Lifecycle ---

void OwnerDrawnControl::Initialize() {
    ScaleMode(orvane::ScaleMode::Pixels);
}

void OwnerDrawnControl::InitProperties() {
    properties().init(*this);
    finishLoading();
}

void OwnerDrawnControl::ReadProperties(const PropertyBag& bag) {
    properties().read(*this, bag);
    finishLoading();
}

// Every value is in: what the values drive is applied once, then the first layout.
void OwnerDrawnControl::finishLoading() {
    fontChanged();
    // Enabled is kept twice, by the control and by its container: disabled in either is
    // disabled.
    m_enabled = m_enabled && Extender().Enabled();
    UserControl::Enabled(m_enabled);
    if (ControlImage* img = image()) img->load();
    m_loaded = true;
    loaded();
    invalidateLayout();
    ensureLayout();
}

void OwnerDrawnControl::WriteProperties(PropertyBag& bag) {
    properties().write(*this, bag);
}

// A new size lays the control out again; the window class repaints all of it. The host also
// raises Resize when a control is first shown, at the size it was just laid out for.
void OwnerDrawnControl::Resize() {
    if (m_inLayout) return;  // the control's own autosize
    const SIZE now = clientSize();
    if (m_layoutValid && now.cx == m_layoutSize.cx && now.cy == m_layoutSize.cy) return;
    invalidateLayout();
    ensureLayout();
}

void OwnerDrawnControl::Terminate() {
    if (m_state.hot()) HideControlTooltip(hWnd());
    m_state.reset();
    if (m_watchedFont) m_watchedFont->removeListener(m_fontListener);
    m_watchedFont.reset();
    if (ControlImage* img = image()) img->release();
}

// --- Input ---

int OwnerDrawnControl::scaledForDpi(std::int32_t pixelsAt96) const {
    return static_cast<int>(std::lround(pixelsAt96 * dpi() / 96.0));
}

bool OwnerDrawnControl::raise(int number, std::vector<Variant>& args) {
    if (number == 0) return true;
    return raiseEvent(number, args);
}

bool OwnerDrawnControl::raise(int number) {
    std::vector<Variant> none;
    return raise(number, none);
}

namespace {

std::vector<Variant> mouseArgs(MouseButtons button, ShiftState shift, double x, double y) {
    return {Variant(static_cast<std::int16_t>(button)), Variant(static_cast<std::int16_t>(shift)),
            Variant(static_cast<float>(x)), Variant(static_cast<float>(y))};
}

}  // namespace

// A press or release: the state changes, and with events the control redraws and raises the
// event with the position in its units.
bool OwnerDrawnControl::pressOrRelease(bool press, int event, MouseButtons button, ShiftState shift,
                                       double x, double y) {
    // Only the buttons that press the control change its look; every button raises its event.
    const bool changed = pressesWith(button) && (press ? m_state.press() : m_state.release());
    if (!eventsEnabled()) return true;
    if (changed && drawsStates()) stateChanged(StateChange::Press);
    std::vector<Variant> args = m_events.mouseInTwips
                                    ? mouseArgs(button, shift, twipsX(x), twipsY(y))
                                    : mouseArgs(button, shift, x, y);
    return raise(event, args);
}

bool OwnerDrawnControl::releaseAndRaise(MouseButtons button, ShiftState shift, double x, double y) {
    return pressOrRelease(false, m_events.MouseUp, button, shift, x, y);
}

void OwnerDrawnControl::MouseDown(MouseButtons button, ShiftState shift, double x, double y) {
    pressOrRelease(true, m_events.MouseDown, button, shift, x, y);
}

void OwnerDrawnControl::MouseUp(MouseButtons button, ShiftState shift, double x, double y) {
    pressOrRelease(false, m_events.MouseUp, button, shift, x, y);
}

void OwnerDrawnControl::MouseMove(MouseButtons button, ShiftState shift, double x, double y) {
    if (!trackPointer(x, y) || !eventsEnabled()) return;
    std::vector<Variant> args = mouseArgs(button, shift, x, y);
    raise(m_events.MouseMove, args);
}

bool OwnerDrawnControl::trackPointer(double x, double y) {
    if (!userMode() || !m_enabled || !drawsStates() || !m_state.pointerOver()) return true;
    POINT cursor{};
    GetCursorPos(&cursor);
    m_origin = POINT{cursor.x - static_cast<int>(x), cursor.y - static_cast<int>(y)};
    if (hyperLink()) MousePointer(MousePointerConstants::Custom);
    stateChanged(StateChange::Hover);
    if (eventsEnabled() && !raise(m_events.MouseEnter)) return false;
    showHoverTip();
    timer(m_hoverTimer, kHoverPollMs, &OwnerDrawnControl::pollHover).Enabled(true);
    return true;
}

void OwnerDrawnControl::showHoverTip() {
    if (m_tooltip) showTooltip(m_tooltip->text);
}

void OwnerDrawnControl::showTooltip(const std::u16string& text) {
    if (text.empty()) {
        HideControlTooltip(hWnd());
        return;
    }
    const Tooltip settings = m_tooltip ? *m_tooltip : Tooltip{};
    ShowControlTooltip(hWnd(), GetParent(hWnd()), text, settings.title, settings.icon,
                       settings.style == ToolTipStyle::ttsBalloon, settings.backColor,
                       settings.foreColor, settings.maxWidth);
}

const std::u16string& OwnerDrawnControl::tooltipText() const {
    static const std::u16string none;
    return m_tooltip ? m_tooltip->text : none;
}

// The pointer is polled rather than tracked: a control learns it has been left even when the
// pointer jumps straight to another window.
void OwnerDrawnControl::pollHover() {
    if (!m_enabled || m_state.pressed()) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    HitResult hit = HitResult::Outside;
    HitTest(cursor.x - m_origin.x, cursor.y - m_origin.y, hit);
    if (hit == HitResult::Hit) return;
    leave();
}

void OwnerDrawnControl::leave() {
    if (m_hoverTimer) m_hoverTimer->Enabled(false);
    HideControlTooltip(hWnd());
    if (!m_state.pointerOutside()) return;
    if (!pointerLeft()) return;
    if (hyperLink()) MousePointer(MousePointerConstants::Default);
    if (m_enabled) stateChanged(StateChange::Hover);
    if (eventsEnabled()) raise(m_events.MouseLeave);
}

void OwnerDrawnControl::Click() {
    if (eventsEnabled()) raise(m_events.Click);
}

void OwnerDrawnControl::DblClick() {
    if (eventsEnabled()) raise(m_events.DblClick);
}

bool OwnerDrawnControl::raiseKey(int event, int& keyCode, ShiftState shift) {
    if (!event) return true;
    std::vector<Variant> args{Variant(static_cast<std::int16_t>(keyCode)),
                              Variant(static_cast<std::int16_t>(shift))};
    if (!raise(event, args)) return false;
    keyCode = CInt(args[0]);
    return true;
}

void OwnerDrawnControl::KeyDown(int& keyCode, ShiftState shift) {
    raiseKey(m_events.KeyDown, keyCode, shift);
}

void OwnerDrawnControl::KeyUp(int& keyCode, ShiftState shift) {
    raiseKey(m_events.KeyUp, keyCode, shift);
}

void OwnerDrawnControl::KeyPress(int& keyAscii) {
    std::vector<Variant> args{Variant(static_cast<std::int16_t>(keyAscii))};
    if (m_events.KeyPress && raise(m_events.KeyPress, args)) keyAscii = CInt(args[0]);
}

void OwnerDrawnControl::GotFocus() {
    m_state.focus();
    if (eventsEnabled() && drawsStates()) stateChanged(StateChange::Focus);
}

void OwnerDrawnControl::LostFocus() {
    m_state.blur();
    if (eventsEnabled() && drawsStates()) stateChanged(StateChange::Focus);
}

void OwnerDrawnControl::HitTest(double x, double y, HitResult& result) {
    if (x >= 0 && y >= 0 && x < ScaleWidth() && y < ScaleHeight()) result = HitResult::Hit;
}

bool OwnerDrawnControl::handleMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_ERASEBKGND:
            // Paint draws every pixel (a transparent control its container's first).
            result = 1;
            return true;
        case WM_SETCURSOR:
            if (hyperLink() && m_state.hot() &&
                LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT) {
                SetCursor(LoadCursorW(HINSTANCE(), IDC_HAND));
                result = TRUE;
                return true;
            }
            return false;
        default:
            return false;
    }
}

// --- Images read from files and addresses ---

void OwnerDrawnControl::AsyncRead(const std::u16string& url) {
    if (url.empty()) return;
    UserControl::AsyncRead(url, vbAsyncTypeByteArray, kRemotePicture,
                           vbAsyncReadGetFromCacheIfNetFail);
}

void OwnerDrawnControl::AsyncReadComplete(AsyncProperty& property) {
    if (!sameName(property.PropertyName(), kRemotePicture) || !image()) return;
    if (!PathsEqual(property.Status(), property.Target())) {
        try {
            LogError(Error(kFileNotFound, className(), u"File not found. " + property.Target()), 0,
                     u"AsyncReadComplete");
        } catch (const Error&) {
            // Logged; the control keeps its image.
        }
        return;
    }
    setNamed(u"PNG", property.Value().bytes());
}

int OwnerDrawnControl::raiseKeyMessage(SubclassMessage& m, int keyDown, int keyUp, int keyPress) {
    using namespace platform;
    switch (m.uMsg) {
        case WM_KEYDOWN:
        case WM_KEYUP: {
            int keyCode = static_cast<int>(m.wParam);
            const bool down = m.uMsg == WM_KEYDOWN;
            if (!raiseKey(down ? keyDown : keyUp, keyCode,
                          static_cast<ShiftState>(ShiftKeysHeld())) ||
                keyCode == 0) {
                m.handled = true;
                return 0;
            }
            m.wParam = static_cast<WPARAM>(keyCode);
            return down ? keyCode : 0;
        }
        case WM_CHAR: {
            std::vector<Variant> args{
                Variant(static_cast<std::int16_t>(static_cast<std::uint16_t>(m.wParam)))};
            if (!raise(keyPress, args)) {
                m.handled = true;
                return 0;
            }
            const auto c = static_cast<char16_t>(static_cast<std::uint16_t>(CInt(args[0])));
            if (c == 0) m.handled = true;
            m.wParam = c;
            return 0;
        }
        default:
            return 0;
    }
}

bool OwnerDrawnControl::raiseMouseOf(int number, platform::HWND window, platform::UINT msg,
                                     platform::WPARAM keys, platform::LPARAM lParam) {
    using namespace platform;
    std::int16_t button = 0;
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            button = 1;
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            button = 2;
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            button = 4;
            break;
        default:
            if (keys & MK_LBUTTON)
                button = 1;
            else if (keys & MK_RBUTTON)
                button = 2;
            else if (keys & MK_MBUTTON)
                button = 4;
    }
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (window != hWnd()) MapWindowPoints(window, hWnd(), &pt, 1);
    const orvane::ScaleMode units = ScaleMode();
    std::vector<Variant> args{
        Variant(button), Variant(ShiftKeysHeld()),
        Variant(static_cast<float>(ScaleX(pt.x, orvane::ScaleMode::Pixels, units))),
        Variant(static_cast<float>(ScaleY(pt.y, orvane::ScaleMode::Pixels, units)))};
    return raise(number, args);
}

}  // namespace orvane
