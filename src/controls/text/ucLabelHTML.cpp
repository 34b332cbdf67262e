#include "controls/text/ucLabelHTML.h"

#include "framework/ColorsAndFonts.h"
#include "framework/PaintParentBackground.h"
#include "host/App.h"
#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"
#include "host/Error.h"
#include "host/OleColor.h"

namespace orvane {

using namespace platform;

namespace {

constexpr int kMinimumPixels = 10;  // a smaller label grows to kMinimumTwips
constexpr int kMinimumTwips = 150;

std::u16string trimSpaces(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    return std::u16string(text.substr(first, text.find_last_not_of(u' ') - first + 1));
}

// Mouse positions come in pixels.
StandardEvents htmlLabelEvents() {
    StandardEvents e = StandardEvents::of<ucLabelHTML>();
    e.mouseInTwips = false;
    return e;
}

}  // namespace

ucLabelHTML::ucLabelHTML() : OwnerDrawnControl(htmlLabelEvents()) {}

ucLabelHTML::~ucLabelHTML() = default;

// New labels and stored ones differ: a new label is flat with a border on white, wrapped; a
// stored one without values is 3D without a border on the button face, one line per <BR>.
PropertyTable ucLabelHTML::declare() {
    using T = ucLabelHTML;
    PropertyTable t;
    const auto twoValues = [](auto v) {
        return static_cast<int>(v) == 0 || static_cast<int>(v) == 1;
    };
    const auto ambientFont = [](T& c) {
        return c.Ambient().Font() ? c.Ambient().Font() : std::make_shared<StdFont>();
    };
    t.add<T>(u"Appearance", &T::m_appearance, AppearanceEnum::Flat, AppearanceEnum::ThreeD)
        .check([twoValues](const AppearanceEnum& v) { return twoValues(v); })
        .then([](T& c) { c.UserControl::Appearance(c.m_appearance); });
    t.add<T>(u"BorderStyle", &T::m_borderStyle, BorderStyleEnum::FixedSingle, BorderStyleEnum::None)
        .check([twoValues](const BorderStyleEnum& v) { return twoValues(v); })
        .then([](T& c) { c.UserControl::BorderStyle(c.m_borderStyle); });
    t.add<T>(u"ForeColor", &T::m_foreColor, vbWindowText, vbWindowText)
        .check(IsTranslatableColor)
        .then([](T& c) { c.UserControl::ForeColor(c.m_foreColor); });
    t.add<T>(u"BackColor", &T::m_backColor, OLE_COLOR{0xFFFFFF}, vbButtonFace)
        .check(IsTranslatableColor)
        .then([](T& c) { c.UserControl::BackColor(c.m_backColor); });
    t.add<T>(u"Font", &T::m_font, std::shared_ptr<StdFont>(), std::shared_ptr<StdFont>())
        .newFrom([](T& c) { return c.ambientFontCopy(); })
        .then([](T& c) { c.fontChanged(); })
        .persistWith(
            [](T& c, const PropertyBag& bag) {
                auto font = persist::readObject<StdFont>(bag, u"Font");
                c.m_font = font ? font->clone() : c.ambientFontCopy();
            },
            [](T& c, PropertyBag& bag) {
                bag.WriteProperty(u"Font", Variant(std::static_pointer_cast<Object>(c.m_font)));
            });
    // The caption is kept as plain text, trimmed of spaces at both ends.
    t.add<T>(u"Caption", &T::m_caption, std::u16string(), std::u16string())
        .newFrom([](T& c) { return trimSpaces(c.Ambient().DisplayName()); })
        .then([](T& c) { c.m_caption = trimSpaces(c.m_caption); })
        .persistWith(
            [](T& c, const PropertyBag& bag) {
                c.m_caption = trimSpaces(bag.read<std::u16string>(
                    u"Caption", u"", [](const Variant& v) { return CStr(v); }));
            },
            [](T& c, PropertyBag& bag) {
                bag.WriteProperty(u"Caption", Variant(c.m_caption), Variant(u""));
            })
        .relayout();
    t.add<T>(u"Autosize", &T::m_autosize, false, false).relayout();
    t.add<T>(u"WordWrap", &T::m_wordWrap, true, false).relayout();
    t.add<T>(u"BackStyle", &T::m_backStyle, BackStyleEnum::bsTransparent,
             BackStyleEnum::bsTransparent)
        .check([twoValues](const BackStyleEnum& v) { return twoValues(v); });
    t.add<T>(u"ContainerName", &T::m_containerName, std::u16string(), std::u16string())
        .persistWith(
            [](T& c, const PropertyBag& bag) {
                c.m_containerName = bag.read<std::u16string>(
                    u"ContainerName", u"", [](const Variant& v) { return CStr(v); });
            },
            [](T& c, PropertyBag& bag) {
                bag.WriteProperty(u"ContainerName", Variant(c.m_containerName), Variant(u""));
            });
    t.add<T>(u"RightToLeft", &T::m_rightToLeft, false, false);
    t.addAccessor<T, std::shared_ptr<StdPicture>>(
         u"Picture", [](T& c) { return c.UserControl::Picture(); },
         [](T& c, std::shared_ptr<StdPicture> p) { c.UserControl::Picture(std::move(p)); }, nullptr,
         nullptr)
        .persistWith(
            [](T& c, const PropertyBag& bag) {
                c.UserControl::Picture(persist::readObject<StdPicture>(bag, u"Picture"));
            },
            [](T& c, PropertyBag& bag) {
                if (c.Picture())
                    bag.WriteProperty(u"Picture",
                                      Variant(std::static_pointer_cast<Object>(c.Picture())));
            });
    // Parts of the font, stored after the font itself, with the container's font as default.
    const auto fontPart = [&t](const char16_t* name, auto get, auto set) {
        using V = decltype(get(std::declval<StdFont&>()));
        return &t.addAccessor<T, V>(
                     name, [get](T& c) { return get(*c.m_font); },
                     [set](T& c, V v) { c.changeFont([&](StdFont& f) { set(f, std::move(v)); }); },
                     V{}, V{})
                    .newFrom([get](T& c) { return get(*c.m_font); })  // a new label's font as it is
                    .relayout();
    };
    fontPart(
        u"FontBold", [](StdFont& f) { return f.Bold(); }, [](StdFont& f, bool v) { f.Bold(v); });
    fontPart(
        u"FontItalic", [](StdFont& f) { return f.Italic(); },
        [](StdFont& f, bool v) { f.Italic(v); });
    fontPart(
        u"FontName", [](StdFont& f) { return f.Name(); },
        [](StdFont& f, std::u16string v) { f.Name(std::move(v)); })
        ->storedFrom([ambientFont](T& c) { return ambientFont(c)->Name(); })
        .persistWith(
            [ambientFont](T& c, const PropertyBag& bag) {
                try {
                    c.m_font->Name(
                        bag.read<std::u16string>(u"FontName", ambientFont(c)->Name(),
                                                 [](const Variant& v) { return CStr(v); }));
                } catch (const Error&) {
                }
            },
            [ambientFont](T& c, PropertyBag& bag) {
                bag.WriteProperty(u"FontName", Variant(c.m_font->Name()),
                                  Variant(ambientFont(c)->Name()));
            });
    fontPart(
        u"FontSize", [](StdFont& f) { return static_cast<float>(f.Size()); },
        [](StdFont& f, float v) { f.Size(v); })
        ->persistWith(
            [ambientFont](T& c, const PropertyBag& bag) {
                try {
                    c.m_font->Size(bag.read<double>(u"FontSize", ambientFont(c)->Size(),
                                                    [](const Variant& v) { return CDbl(v); }));
                } catch (const Error&) {
                }
            },
            [ambientFont](T& c, PropertyBag& bag) {
                bag.WriteProperty(u"FontSize", Variant(static_cast<float>(c.m_font->Size())),
                                  Variant(static_cast<float>(ambientFont(c)->Size())));
            });
    fontPart(
        u"FontStrikethru", [](StdFont& f) { return f.Strikethrough(); },
        [](StdFont& f, bool v) { f.Strikethrough(v); });
    fontPart(
        u"FontUnderline", [](StdFont& f) { return f.Underline(); },
        [](StdFont& f, bool v) { f.Underline(v); });
    t.add<T>(u"CharacterSpacing", &T::m_characterSpacing, std::int32_t{0}, std::int32_t{0});
    t.add<T>(u"FontTransparent", &T::m_fontTransparent, true, true);
    t.add<T>(u"CaptionAlignment", &T::m_captionAlignment, AlignEnumEx::AlignTopLeft,
             AlignEnumEx::AlignTopLeft)
        .check([](const AlignEnumEx& v) {
            return static_cast<int>(v) >= 0 && static_cast<int>(v) <= 8;
        })
        .relayout();
    declarePointer<T>(t);
    t.add<T>(u"Enabled", &T::m_enabled, true, true)
        .then([](T& c) { c.enabledChanged(); })
        .noRedraw();
    return t;
}

const PropertyTable& ucLabelHTML::table() {
    static const PropertyTable table = declare();
    return table;
}

// --- Lifecycle ---

void ucLabelHTML::loaded() {
    UserControl::Appearance(m_appearance);
    UserControl::BorderStyle(m_borderStyle);
    UserControl::ForeColor(m_foreColor);
    UserControl::BackColor(m_backColor);
}

void ucLabelHTML::Resize() {
    if (inLayout()) return;  // its own autosize
    // A label too small to see grows back to a minimum in that direction.
    if (Width() / TwipsPerPixelX() < kMinimumPixels) Width(kMinimumTwips);
    if (Height() / TwipsPerPixelY() < kMinimumPixels) Height(kMinimumTwips);
    OwnerDrawnControl::Resize();
}

HtmlLabelRenderer::Settings ucLabelHTML::settings() const {
    const StdFont& font = *Font();
    HtmlLabelRenderer::Settings s;
    s.caption = m_caption;
    s.dpi = dpi();
    s.baseFont = font.logFont(s.dpi);
    s.base.Bold = font.Bold();
    s.base.Italic = font.Italic();
    s.base.Underline = font.Underline();
    s.base.Strikethru = font.Strikethrough();
    s.base.FontName = font.Name();
    s.base.FontSize = static_cast<float>(font.Size());
    s.base.ForeColor = TranslateColor(ForeColor());
    s.wordWrap = m_wordWrap;
    s.autosize = m_autosize;
    s.fontTransparent = m_fontTransparent;
    s.backColor = static_cast<COLORREF>(TranslateColor(BackColor())) & 0xFFFFFF;
    s.alignment = static_cast<int>(m_captionAlignment);
    s.width = static_cast<int>(ScaleWidth());
    s.height = static_cast<int>(ScaleHeight());
    return s;
}

// Only the one-line-per-<BR> renderer sizes the label: to its widest line and its lines.
void ucLabelHTML::layout() {
    if (!m_autosize || m_wordWrap || m_caption.empty()) return;
    const HDC dc = CreateCompatibleDC(HDC());
    SetTextCharacterExtra(dc, m_characterSpacing);
    const SIZE text = m_renderer.measureLines(dc, settings());
    DeleteDC(dc);
    // The border adds its width on both sides: two pixels each for 3D, one when flat.
    const int border = BorderStyle() == BorderStyleEnum::None   ? 0
                       : Appearance() == AppearanceEnum::ThreeD ? 4
                                                                : 2;
    Height((text.cy + 6) * TwipsPerPixelY());
    Width((text.cx + 6 + border) * TwipsPerPixelX());
}

void ucLabelHTML::Paint() {
    ensureLayout();
    if (m_caption.empty()) return;
    const HDC dc = hDC();
    const int saved = SaveDC(dc);
    SetTextCharacterExtra(dc, m_characterSpacing);
    if (BackStyle() == BackStyleEnum::bsTransparent)
        PaintParentBackground(GetParent(hWnd()), hWnd(), dc);
    m_renderer.draw(dc, settings(), m_runs);
    RestoreDC(dc, saved);
}

void ucLabelHTML::Terminate() {
    OwnerDrawnControl::Terminate();
    m_renderer.releaseFonts();
}

// The window's own background (the back colour and Picture) is erased as usual.
bool ucLabelHTML::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_ERASEBKGND) return false;
    return OwnerDrawnControl::handleMessage(msg, wParam, lParam, result);
}

std::int32_t ucLabelHTML::TranslateColor(OLE_COLOR color, std::int32_t) const {
    try {
        return static_cast<std::int32_t>(orvane::TranslateColor(color));
    } catch (const Error&) {
        return -1;
    }
}

// --- Type library ---

void ucLabelHTML::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucLabelHTML;
    ClassBuilder<T> b(u"ucLabelHTML");
    table().publish(b);
    b.computed(u"hdc", [](T& t) { return Variant(static_cast<std::int32_t>(t.hDC().value)); })
        .computed(u"hWnd", [](T& t) { return Variant(static_cast<std::int32_t>(t.hWnd().value)); })
        .method(u"TranslateColor", {{u"clr", false}, {u"hPal", true}},
                [](T& t, std::vector<Variant>& a) {
                    const std::int32_t palette = a[1].isMissing() ? 0 : CLng(a[1]);
                    return Variant(t.TranslateColor(static_cast<OLE_COLOR>(CLng(a[0])), palette));
                })
        .method(u"Refresh", {}, [](T& t, std::vector<Variant>&) {
            t.Refresh();
            return Variant();
        });
    htmlLabelEvents().publish(b);
    library.registerClass(b.build());
    classes.add(u"ucLabelHTML", [] { return std::make_unique<ucLabelHTML>(); });
}

}  // namespace orvane
