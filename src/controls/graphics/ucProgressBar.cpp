#include "controls/graphics/ucProgressBar.h"

#include <algorithm>

#include "framework/GdiDrawing.h"
#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"
#include "host/TypeLibrary.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/theme/Theme.h"

namespace orvane {

using namespace platform;

namespace {

constexpr std::int32_t kKnownStyles = PBS_SMOOTH | PBS_VERTICAL | PBS_MARQUEE | PBS_SMOOTHREVERSE;

}  // namespace

ucProgressBar::ucProgressBar() : OwnerDrawnControl(StandardEvents::of<ucProgressBar>()) {
    CanGetFocus(false);
}
ucProgressBar::~ucProgressBar() = default;

PropertyTable ucProgressBar::declare() {
    using T = ucProgressBar;
    PropertyTable t;
    // No state colours, no transparency, and borders of its own kind.
    declareStateless<T>(t);
    t.remove(u"Appearance");
    t.remove(u"BorderStyle");
    t.redeclare<T, OLE_COLOR>(u"BackColor").defaults(vbButtonFace, vbButtonFace);
    t.redeclare<T, OLE_COLOR>(u"ForeColor").defaults(vbWindowText, vbWindowText);
    // A hosted window hears of range, position and state changes.
    const auto range = [](T& c) { c.post(PBM_SETRANGE32, static_cast<WPARAM>(c.m_min), c.m_max); };
    t.add<T>(u"Min", &T::m_min, 0, 0).then(range);
    t.add<T>(u"Max", &T::m_max, 100, 100).then(range);
    t.add<T>(u"Value", &T::m_value, 0, 0).then([](T& c) {
        c.post(PBM_SETPOS, static_cast<WPARAM>(c.m_value), 0);
    });
    t.add<T>(u"BarColor", &T::m_barColor, OLE_COLOR{0x800000}, OLE_COLOR{0x800000});
    t.add<T>(u"BarForeColor", &T::m_barForeColor, OLE_COLOR{0xFFFFFF}, OLE_COLOR{0xFFFFFF});
    t.add<T>(u"Appearance", &T::m_appearance3, std::int32_t{epba3DThin}, std::int32_t{epba3DThin})
        .check(within(0, 2));
    t.add<T>(u"BorderStyle", &T::m_borderStyle3, std::int32_t{epbsInset}, std::int32_t{epbsInset})
        .check(within(0, 2));
    t.add<T>(u"Segments", &T::m_segments, false, false);
    t.add<T>(u"ShowText", &T::m_showText, false, false);
    t.add<T>(u"Text", &T::m_text, std::u16string(), std::u16string());
    t.add<T>(u"TextAlignX", &T::m_textAlignX, 1, 1).check(within(0, 2));
    t.add<T>(u"TextAlignY", &T::m_textAlignY, 1, 1).check(within(0, 2));
    t.add<T>(u"uxtheme", &T::m_uxtheme, false, false).key(u"uxTheme");
    t.add<T>(u"Animated", &T::m_animated, false, false);
    t.add<T>(u"State", &T::m_stateValue, 1, 1).check(within(1, 3)).then([](T& c) {
        c.post(PBM_SETSTATE, static_cast<WPARAM>(c.m_stateValue), 0);
    });
    t.add<T>(u"Style", &T::m_style, 0, 0).check([](const std::int32_t& v) {
        return (v & ~kKnownStyles) == 0;
    });
    t.add<T>(u"RightToLeft", &T::m_rightToLeft, false, false);
    return t;
}

const PropertyTable& ucProgressBar::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucProgressBar::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucProgressBar;
    library.registerEnum(
        {u"EVPRGAppearanceConstants", {{u"epbaFlat", 0}, {u"epba3DThin", 1}, {u"epba3D", 2}}});
    library.registerEnum(
        {u"EVPRGBorderStyleConstants", {{u"epbsNone", 0}, {u"epbsInset", 1}, {u"epbsRaised", 2}}});
    library.registerEnum({u"EVPRGHorizontalTextAlignConstants",
                          {{u"epbthLeft", 0}, {u"epbthCenter", 1}, {u"epbthRight", 2}}});
    library.registerEnum({u"EVPRGVerticalTextAlignConstants",
                          {{u"epbtvTop", 0}, {u"epbtvVCenter", 1}, {u"epbtvBottom", 2}}});
    library.registerEnum(
        {u"PROGRESS_STATES", {{u"PBST_NORMAL", 1}, {u"PBST_ERROR", 2}, {u"PBST_PAUSE", 3}}});
    library.registerEnum({u"PROGRESS_STYLES",
                          {{u"PBS_NONE", 0},
                           {u"PBS_SMOOTH", 1},
                           {u"PBS_VERTICAL", 4},
                           {u"PBS_MARQUEE", 8},
                           {u"PBS_SMOOTHREVERSE", 16}}});
    library.registerEnum(
        {u"UxThemePROGRESSParts",
         {{u"PP_BAR", 1}, {u"PP_BARVERT", 2}, {u"PP_CHUNK", 3}, {u"PP_CHUNKVERT", 4}}});
    library.registerEnum({u"PROGRESS_MESSAGES",
                          {{u"PBM_SETRANGE", 1025},
                           {u"PBM_SETPOS", 1026},
                           {u"PBM_DELTAPOS", 1027},
                           {u"PBM_SETSTEP", 1028},
                           {u"PBM_STEPIT", 1029},
                           {u"PBM_SETRANGE32", 1030},
                           {u"PBM_GETRANGE", 1031},
                           {u"PBM_GETPOS", 1032},
                           {u"PBM_SETBARCOLOR", 1033},
                           {u"PBM_SETBKCOLOR", 8193},
                           {u"PBM_SETMARQUEE", 1034},
                           {u"PBM_GETSTEP", 1037},
                           {u"PBM_GETBKCOLOR", 1038},
                           {u"PBM_GETBARCOLOR", 1039},
                           {u"PBM_SETSTATE", 1040},
                           {u"PBM_GETSTATE", 1041}}});
    publishControl<T>(library, classes, u"ucProgressBar", table(), false, [](ClassBuilder<T>& b) {
        b.computed(u"Percent", [](T& c) { return Variant(c.Percent()); });
        b.event(u"Draw", evDraw, {u"hdc", u"lLeft", u"lTop", u"lWidth", u"lHeight", u"bDoDefault"});
    });
}

double ucProgressBar::Percent() const {
    if (m_max == m_min) return 0;
    const double f = (static_cast<double>(m_value) - m_min) / (static_cast<double>(m_max) - m_min);
    return std::clamp(f, 0.0, 1.0);
}

RECT ucProgressBar::barRect(const RECT& track, double fraction, bool vertical, int step) {
    const int length = vertical ? track.bottom - track.top : track.right - track.left;
    if (length <= 0) return RECT{track.left, track.top, track.left, track.top};
    int filled = vertical ? length - static_cast<int>(length * (1 - fraction))
                          : static_cast<int>(length * fraction);
    // A stepped bar ends at its last whole step, never before its start.
    if (step > 0) filled -= filled % step;
    filled = std::clamp(filled, 0, length);
    return vertical ? RECT{track.left, track.bottom - filled, track.right, track.bottom}
                    : RECT{track.left, track.top, track.left + filled, track.bottom};
}

void ucProgressBar::post(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_native) PostMessageW(m_native, msg, wParam, lParam);
}

// The hosted window is made only as the properties are read, never when they change later.
void ucProgressBar::loaded() {
    if (m_uxtheme && m_animated && !m_native) createNative();
}

void ucProgressBar::createNative() {
    INITCOMMONCONTROLSEX icc;
    icc.dwICC = ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&icc);
    const DWORD style = static_cast<DWORD>(m_style) | WS_CHILD | WS_VISIBLE;
    m_native = CreateWindowExW(0, PROGRESS_CLASSW, u"ucProgressBar", style, 0, 0,
                               static_cast<int>(ScaleWidth()), static_cast<int>(ScaleHeight()),
                               hWnd(), HMENU(), HINSTANCE(), nullptr);
    if (!m_native) return;
    SetWindowTheme(m_native, u"explorer", nullptr);
    post(PBM_SETRANGE32, static_cast<WPARAM>(m_min), m_max);
    post(PBM_SETSTATE, static_cast<WPARAM>(m_stateValue), 0);
    post(PBM_SETPOS, static_cast<WPARAM>(m_value), 0);
    // A marquee bar moves from the start.
    if (m_style & PBS_MARQUEE) post(PBM_SETMARQUEE, TRUE, 0);
}

void ucProgressBar::Resize() {
    OwnerDrawnControl::Resize();
    if (m_native)
        MoveWindow(m_native, 0, 0, static_cast<int>(ScaleWidth()), static_cast<int>(ScaleHeight()),
                   TRUE);
}

void ucProgressBar::Terminate() {
    if (m_native) DestroyWindow(m_native);
    m_native = HWND();
    OwnerDrawnControl::Terminate();
}

void ucProgressBar::Paint() {
    if (m_native) return;
    const int w = static_cast<int>(ScaleWidth()), h = static_cast<int>(ScaleHeight());
    if (w <= 0 || h <= 0) return;
    const HDC dc = m_surface.EnsureDC(w, h);
    if (!dc) return;
    std::vector<Variant> args{Variant(static_cast<std::int32_t>(dc.value)),
                              Variant(std::int32_t{0}),
                              Variant(std::int32_t{0}),
                              Variant(static_cast<std::int32_t>(w)),
                              Variant(static_cast<std::int32_t>(h)),
                              Variant(true)};
    if (!raise(evDraw, args)) return;
    if (CBool(args[5])) paintFrame(dc, w, h);
    BitBlt(hDC(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
}

void ucProgressBar::drawText(HDC dc, const RECT& rc, OLE_COLOR color, UINT flags,
                             const RECT* clip) {
    const std::u16string caption = u" " + m_text + u" ";
    const int saved = SaveDC(dc);
    if (clip) IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
    const HFONT font = createFont();
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TranslateColor(color));
    RECT r = rc;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, flags);
    RestoreDC(dc, saved);
    DeleteObject(font);
}

void ucProgressBar::paintFrame(HDC dc, int width, int height) {
    const RECT rc{0, 0, width, height};
    UINT flags =
        static_cast<UINT>(m_textAlignX) | DT_SINGLELINE | static_cast<UINT>(m_textAlignY) * 4;
    if (m_rightToLeft) flags |= DT_RTLREADING;
    const bool vertical = height > width;
    const double f = Percent();
    if (!m_enabled) {
        FillSolid(dc, 0xFFFFFF, rc);
        FillSolid(dc, 0xE1E1E1, barRect(RECT{1, 1, width - 1, height - 1}, f, vertical, 0));
        DrawFrame(dc, 0, 0, width, height, 0, 1);
        return;
    }
    const HTHEME theme = m_uxtheme ? OpenThemeData(hWnd(), u"Progress") : HTHEME();
    const int barPart = vertical ? PP_BARVERT : PP_BAR;
    if (theme)
        DrawThemeBackground(theme, dc, barPart, 1, &rc, nullptr);
    else
        FillSolid(dc, m_backColor, rc);
    const int step = m_segments ? kBlock + kGap : 0;
    RECT inner = rc;
    if (m_borderStyle3 != epbsNone) {
        const int d = !theme && m_appearance3 == epba3D ? 2 : 1;
        InflateRect(&inner, -d, -d);
    }
    const bool text = m_showText && !m_text.empty();
    if (text && !theme) drawText(dc, inner, m_foreColor, flags, nullptr);
    const RECT bar = barRect(inner, f, vertical, step);
    const bool filled = bar.right > bar.left && bar.bottom > bar.top;
    if (theme) {
        RECT chunk = bar;
        InflateRect(&chunk, -2, -2);
        if (chunk.right > chunk.left && chunk.bottom > chunk.top)
            DrawThemeBackground(theme, dc, vertical ? PP_CHUNKVERT : PP_CHUNK, 1, &chunk, nullptr);
        if (text) {
            RECT content = rc;
            GetThemeBackgroundContentRect(theme, dc, barPart, 1, &rc, &content);
            const std::u16string caption = u" " + m_text + u" ";
            const int saved = SaveDC(dc);
            const HFONT font = createFont();
            SelectObject(dc, font);
            DrawThemeText(theme, dc, barPart, 1, caption.c_str(), static_cast<int>(caption.size()),
                          flags, 0, &content);
            RestoreDC(dc, saved);
            DeleteObject(font);
        }
        CloseThemeData(theme);
        return;
    }
    if (filled) {
        FillSolid(dc, m_barColor, bar);
        // The gaps between blocks, counted from the bar's start.
        if (m_segments) {
            for (int at = kBlock; at < (vertical ? bar.bottom - bar.top : bar.right - bar.left);
                 at += step) {
                const RECT gap =
                    vertical ? RECT{bar.left, bar.bottom - at - kGap, bar.right, bar.bottom - at}
                             : RECT{bar.left + at, bar.top, bar.left + at + kGap, bar.bottom};
                FillSolid(dc, m_backColor, gap);
            }
        }
        if (text) drawText(dc, inner, m_barForeColor, flags, &bar);
    }
    if (m_borderStyle3 == epbsNone) return;
    const bool inset = m_borderStyle3 == epbsInset;
    if (m_appearance3 == epbaFlat) {
        DrawFrame(dc, 0, 0, width, height, 0, 1);
    } else if (m_appearance3 == epba3DThin) {
        const OLE_COLOR dark = SystemColor(COLOR_BTNSHADOW),
                        light = SystemColor(COLOR_BTNHIGHLIGHT);
        const OLE_COLOR topLeft = inset ? dark : light, bottomRight = inset ? light : dark;
        DrawLineColor(dc, 0, 0, width, 0, topLeft);
        DrawLineColor(dc, 0, 0, 0, height, topLeft);
        DrawLineColor(dc, 0, height - 1, width, height - 1, bottomRight);
        DrawLineColor(dc, width - 1, 0, width - 1, height, bottomRight);
    } else {
        RECT edge = rc;
        DrawEdge(dc, &edge, inset ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
}

}  // namespace orvane
