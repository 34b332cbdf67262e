#include "controls/text/ucLabelHTML.h"

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

const char16_t* const kSource = u"ucLabelHTML";

[[noreturn]] void invalidValue() {
    throw Error::standard(errors::InvalidPropertyValue, kSource);
}

// Readers for stored values; a value of the wrong kind reads as the default.
bool readBool(const PropertyBag& bag, std::u16string_view key, bool def) {
    return bag.read<bool>(key, def, [](const Variant& v) { return CBool(v); });
}
std::int32_t readLong(const PropertyBag& bag, std::u16string_view key, std::int32_t def) {
    return bag.read<std::int32_t>(
        key, def, [](const Variant& v) { return static_cast<std::int32_t>(CLng(v)); });
}
std::u16string readString(const PropertyBag& bag, std::u16string_view key, std::u16string def) {
    return bag.read<std::u16string>(key, std::move(def), [](const Variant& v) { return CStr(v); });
}
template <class T>
std::shared_ptr<T> readObject(const PropertyBag& bag, std::u16string_view key,
                              std::shared_ptr<T> def) {
    return bag.read<std::shared_ptr<T>>(key, def, [&](const Variant& v) {
        if (v.kind() != Variant::Kind::Object) throw Error::standard(errors::TypeMismatch, kSource);
        std::shared_ptr<Object> object = v.object();
        if (!object) return std::shared_ptr<T>();
        auto typed = std::dynamic_pointer_cast<T>(object);
        if (!typed) throw Error::standard(errors::TypeMismatch, kSource);
        return typed;
    });
}

std::u16string trimSpaces(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    return std::u16string(text.substr(first, text.find_last_not_of(u' ') - first + 1));
}

}  // namespace

ucLabelHTML::ucLabelHTML() = default;

ucLabelHTML::~ucLabelHTML() {
    if (m_watchedFont) m_watchedFont->removeListener(m_fontListener);
}

// --- Lifecycle ---

void ucLabelHTML::Initialize() {
    ScaleMode(orvane::ScaleMode::Pixels);
    UserControl::ForeColor(SystemColor(8));
}

void ucLabelHTML::InitProperties() {
    UserControl::Appearance(AppearanceEnum::Flat);
    UserControl::BorderStyle(BorderStyleEnum::FixedSingle);
    UserControl::BackColor(0xFFFFFF);
    m_translatedBackColor = TranslateColor(0xFFFFFF);
    m_caption = trimSpaces(Ambient().DisplayName());
    m_wordWrap = true;
    m_backStyle = BackStyleEnum::bsTransparent;
    m_containerName.clear();
    m_rightToLeft = false;
    m_characterSpacing = 0;
    m_fontTransparent = true;
    m_captionAlignment = AlignEnumEx::AlignTopLeft;
    watchFont();
    m_loaded = true;
}

void ucLabelHTML::ReadProperties(const PropertyBag& bag) {
    // Stored values that are out of range fall back to the defaults too.
    const std::int32_t appearance = readLong(bag, u"Appearance", 1);
    UserControl::Appearance(appearance == 0 ? AppearanceEnum::Flat : AppearanceEnum::ThreeD);
    const std::int32_t border = readLong(bag, u"BorderStyle", 0);
    UserControl::BorderStyle(border == 1 ? BorderStyleEnum::FixedSingle : BorderStyleEnum::None);
    const auto colour = [&](std::u16string_view key, OLE_COLOR def) {
        const auto value =
            static_cast<OLE_COLOR>(readLong(bag, key, static_cast<std::int32_t>(def)));
        return TranslateColor(value) == -1 ? def : value;
    };
    UserControl::ForeColor(colour(u"ForeColor", SystemColor(8)));
    UserControl::BackColor(colour(u"BackColor", SystemColor(15)));
    m_translatedBackColor = TranslateColor(UserControl::BackColor());
    std::shared_ptr<StdFont> font = readObject<StdFont>(bag, u"Font", nullptr);
    if (font) UserControl::Font(font->clone());
    m_caption = trimSpaces(readString(bag, u"Caption", u""));
    m_autosize = readBool(bag, u"Autosize", false);
    m_wordWrap = readBool(bag, u"WordWrap", false);
    m_backStyle = readLong(bag, u"BackStyle", 0) == 1 ? BackStyleEnum::bsOpaque
                                                      : BackStyleEnum::bsTransparent;
    m_containerName = readString(bag, u"ContainerName", u"");
    m_rightToLeft = readBool(bag, u"RightToLeft", false);
    UserControl::Picture(readObject<StdPicture>(bag, u"Picture", nullptr));
    StdFont& f = *UserControl::Font();
    f.Bold(readBool(bag, u"FontBold", false));
    f.Italic(readBool(bag, u"FontItalic", false));
    const auto ambient = Ambient().Font() ? Ambient().Font() : std::make_shared<StdFont>();
    try {
        f.Name(readString(bag, u"FontName", ambient->Name()));
    } catch (const Error&) {
    }
    try {
        f.Size(bag.read<double>(u"FontSize", ambient->Size(),
                                [](const Variant& v) { return CDbl(v); }));
    } catch (const Error&) {
    }
    f.Strikethrough(readBool(bag, u"FontStrikethru", false));
    f.Underline(readBool(bag, u"FontUnderline", false));
    m_characterSpacing = readLong(bag, u"CharacterSpacing", 0);
    watchFont();
    m_loaded = true;
    m_fontTransparent = readBool(bag, u"FontTransparent", true);
    const std::int32_t alignment = readLong(bag, u"CaptionAlignment", 0);
    m_captionAlignment = alignment >= 0 && alignment <= 8 ? static_cast<AlignEnumEx>(alignment)
                                                          : AlignEnumEx::AlignTopLeft;
    UserControl::MouseIcon(readObject<StdPicture>(bag, u"MouseIcon", nullptr));
    const std::int32_t pointer = readLong(bag, u"MousePointer", 0);
    try {
        UserControl::MousePointer(static_cast<MousePointerConstants>(pointer));
    } catch (const Error&) {
    }
    UserControl::Enabled(readBool(bag, u"Enabled", true));
}

void ucLabelHTML::WriteProperties(PropertyBag& bag) {
    bag.WriteProperty(u"Appearance", Variant(static_cast<std::int32_t>(Appearance())),
                      Variant(std::int32_t{1}));
    bag.WriteProperty(u"BorderStyle", Variant(static_cast<std::int32_t>(BorderStyle())),
                      Variant(std::int32_t{0}));
    bag.WriteProperty(u"ForeColor", Variant(static_cast<std::int32_t>(ForeColor())),
                      Variant(static_cast<std::int32_t>(SystemColor(8))));
    bag.WriteProperty(u"BackColor", Variant(static_cast<std::int32_t>(BackColor())),
                      Variant(static_cast<std::int32_t>(SystemColor(15))));
    bag.WriteProperty(u"Font", Variant(std::static_pointer_cast<Object>(Font())));
    bag.WriteProperty(u"Caption", Variant(m_caption), Variant(u""));
    bag.WriteProperty(u"Autosize", Variant(m_autosize), Variant(false));
    bag.WriteProperty(u"WordWrap", Variant(m_wordWrap), Variant(false));
    bag.WriteProperty(u"BackStyle", Variant(static_cast<std::int32_t>(m_backStyle)),
                      Variant(std::int32_t{0}));
    bag.WriteProperty(u"ContainerName", Variant(m_containerName), Variant(u""));
    bag.WriteProperty(u"RightToLeft", Variant(m_rightToLeft), Variant(false));
    if (Picture())
        bag.WriteProperty(u"Picture", Variant(std::static_pointer_cast<Object>(Picture())));
    bag.WriteProperty(u"FontBold", Variant(FontBold()), Variant(false));
    bag.WriteProperty(u"FontItalic", Variant(FontItalic()), Variant(false));
    const auto ambient = Ambient().Font() ? Ambient().Font() : std::make_shared<StdFont>();
    bag.WriteProperty(u"FontName", Variant(FontName()), Variant(ambient->Name()));
    bag.WriteProperty(u"FontSize", Variant(FontSize()),
                      Variant(static_cast<float>(ambient->Size())));
    bag.WriteProperty(u"FontStrikethru", Variant(FontStrikethru()), Variant(false));
    bag.WriteProperty(u"FontUnderline", Variant(FontUnderline()), Variant(false));
    bag.WriteProperty(u"CharacterSpacing", Variant(static_cast<std::int32_t>(m_characterSpacing)),
                      Variant(std::int32_t{0}));
    bag.WriteProperty(u"FontTransparent", Variant(m_fontTransparent), Variant(true));
    bag.WriteProperty(u"CaptionAlignment", Variant(static_cast<std::int32_t>(m_captionAlignment)),
                      Variant(std::int32_t{0}));
    if (MouseIcon())
        bag.WriteProperty(u"MouseIcon", Variant(std::static_pointer_cast<Object>(MouseIcon())));
    bag.WriteProperty(u"MousePointer", Variant(static_cast<std::int16_t>(MousePointer())),
                      Variant(std::int16_t{0}));
    bag.WriteProperty(u"Enabled", Variant(Enabled()), Variant(true));
}

void ucLabelHTML::Resize() {
    if (m_autosizing) return;
    // A label too small to see grows back to a minimum in that direction.
    if (Width() / TwipsPerPixelX() < kMinimumPixels) Width(kMinimumTwips);
    if (Height() / TwipsPerPixelY() < kMinimumPixels) Height(kMinimumTwips);
    if (m_loaded) Refresh();
}

void ucLabelHTML::Paint() {
    if (!m_loaded || m_caption.empty()) return;
    const HDC dc = hDC();
    const int saved = SaveDC(dc);
    SetTextCharacterExtra(dc, static_cast<int>(m_characterSpacing));
    if (m_backStyle == BackStyleEnum::bsTransparent)
        PaintParentBackground(GetParent(hWnd()), hWnd(), dc);

    const StdFont& font = *Font();
    HtmlLabelRenderer::Settings s;
    s.caption = m_caption;
    s.dpi = static_cast<int>(GetDpiForSystem());
    s.baseFont = font.logFont(s.dpi);
    s.base.Bold = font.Bold();
    s.base.Italic = font.Italic();
    s.base.Underline = font.Underline();
    s.base.Strikethru = font.Strikethrough();
    s.base.FontName = font.Name();
    s.base.FontSize = static_cast<float>(font.Size());
    s.base.ForeColor = static_cast<std::int32_t>(TranslateColor(ForeColor()));
    s.wordWrap = m_wordWrap;
    s.autosize = m_autosize;
    s.fontTransparent = m_fontTransparent;
    s.backColor = static_cast<COLORREF>(m_translatedBackColor) & 0xFFFFFF;
    s.alignment = static_cast<int>(m_captionAlignment);
    s.width = static_cast<int>(ScaleWidth());
    s.height = static_cast<int>(ScaleHeight());
    m_renderer.draw(dc, s, m_runs, [this](int maxLineWidth, int bottom) {
        // The border adds its width on both sides: two pixels each for 3D, one when flat.
        const int border = BorderStyle() == BorderStyleEnum::None   ? 0
                           : Appearance() == AppearanceEnum::ThreeD ? 4
                                                                    : 2;
        m_autosizing = true;
        try {
            Height((bottom + 6) * TwipsPerPixelY());
            Width((maxLineWidth + 6 + border) * TwipsPerPixelX());
        } catch (...) {
            m_autosizing = false;
            throw;
        }
        m_autosizing = false;
    });
    RestoreDC(dc, saved);
}

void ucLabelHTML::Terminate() {
    if (m_watchedFont) m_watchedFont->removeListener(m_fontListener);
    m_watchedFont.reset();
    m_renderer.releaseFonts();
}

// --- Events, raised unchanged from the host ---

void ucLabelHTML::Click() {
    std::vector<Variant> args;
    raiseEvent(evClick, args);
}

void ucLabelHTML::DblClick() {
    std::vector<Variant> args;
    raiseEvent(evDblClick, args);
}

void ucLabelHTML::raiseKey(int number, int& keyCode, ShiftState shift) {
    std::vector<Variant> args{Variant(static_cast<std::int16_t>(keyCode)),
                              Variant(static_cast<std::int16_t>(shift))};
    if (!raiseEvent(number, args)) return;
    keyCode = CInt(args[0]);  // handlers may change the key
}

void ucLabelHTML::KeyDown(int& keyCode, ShiftState shift) {
    raiseKey(evKeyDown, keyCode, shift);
}

void ucLabelHTML::KeyUp(int& keyCode, ShiftState shift) {
    raiseKey(evKeyUp, keyCode, shift);
}

void ucLabelHTML::KeyPress(int& keyAscii) {
    std::vector<Variant> args{Variant(static_cast<std::int16_t>(keyAscii))};
    if (!raiseEvent(evKeyPress, args)) return;
    keyAscii = CInt(args[0]);
}

void ucLabelHTML::raiseMouse(int number, MouseButtons button, ShiftState shift, double x,
                             double y) {
    std::vector<Variant> args{Variant(static_cast<std::int16_t>(button)),
                              Variant(static_cast<std::int16_t>(shift)),
                              Variant(static_cast<float>(x)), Variant(static_cast<float>(y))};
    raiseEvent(number, args);
}

void ucLabelHTML::MouseDown(MouseButtons button, ShiftState shift, double x, double y) {
    raiseMouse(evMouseDown, button, shift, x, y);
}

void ucLabelHTML::MouseMove(MouseButtons button, ShiftState shift, double x, double y) {
    raiseMouse(evMouseMove, button, shift, x, y);
}

void ucLabelHTML::MouseUp(MouseButtons button, ShiftState shift, double x, double y) {
    raiseMouse(evMouseUp, button, shift, x, y);
}

// --- Properties ---

void ucLabelHTML::update(const std::u16string& key) {
    if (m_loaded) Refresh();
    PropertyChanged(key);
}

// Changes made to the font object directly redraw the label too.
void ucLabelHTML::watchFont() {
    if (m_watchedFont == Font()) return;
    if (m_watchedFont) m_watchedFont->removeListener(m_fontListener);
    m_watchedFont = Font();
    m_fontListener = m_watchedFont->addListener([this](const std::u16string&) {
        if (m_fontQuiet) return;
        update(u"Font");
    });
}

void ucLabelHTML::Appearance(AppearanceEnum value) {
    UserControl::Appearance(value);
    update(u"Appearance");
}

void ucLabelHTML::Autosize(bool value) {
    m_autosize = value;
    update(u"Autosize");
}

void ucLabelHTML::BackColor(OLE_COLOR value) {
    UserControl::BackColor(value);
    m_translatedBackColor = TranslateColor(value);
    update(u"BackColor");
}

void ucLabelHTML::BackStyle(BackStyleEnum value) {
    if (value != BackStyleEnum::bsTransparent && value != BackStyleEnum::bsOpaque) invalidValue();
    m_backStyle = value;
    update(u"BackStyle");
}

void ucLabelHTML::BorderStyle(BorderStyleEnum value) {
    UserControl::BorderStyle(value);
    update(u"BorderStyle");
}

void ucLabelHTML::Caption(std::u16string value) {
    m_caption = trimSpaces(value);
    update(u"Caption");
}

void ucLabelHTML::CaptionAlignment(AlignEnumEx value) {
    if (static_cast<std::int32_t>(value) < 0 || static_cast<std::int32_t>(value) > 8)
        invalidValue();
    m_captionAlignment = value;
    update(u"CaptionAlignment");
}

void ucLabelHTML::CharacterSpacing(std::int32_t value) {
    m_characterSpacing = value;
    update(u"CharacterSpacing");
}

void ucLabelHTML::ContainerName(std::u16string value) {
    m_containerName = std::move(value);
    update(u"ContainerName");
}

void ucLabelHTML::Enabled(bool value) {
    UserControl::Enabled(value);
    PropertyChanged(u"Enabled");
}

void ucLabelHTML::Font(std::shared_ptr<StdFont> font) {
    UserControl::Font(std::move(font));
    watchFont();
    update(u"Font");
}

void ucLabelHTML::setFont(const std::u16string& key, const std::function<void(StdFont&)>& change) {
    m_fontQuiet = true;
    try {
        change(*UserControl::Font());
    } catch (...) {
        m_fontQuiet = false;
        throw;
    }
    m_fontQuiet = false;
    update(key);
}

void ucLabelHTML::FontBold(bool value) {
    setFont(u"FontBold", [&](StdFont& f) { f.Bold(value); });
}

void ucLabelHTML::FontItalic(bool value) {
    setFont(u"FontItalic", [&](StdFont& f) { f.Italic(value); });
}

void ucLabelHTML::FontStrikethru(bool value) {
    setFont(u"FontStrikethru", [&](StdFont& f) { f.Strikethrough(value); });
}

void ucLabelHTML::FontUnderline(bool value) {
    setFont(u"FontUnderline", [&](StdFont& f) { f.Underline(value); });
}

void ucLabelHTML::FontName(std::u16string value) {
    setFont(u"FontName", [&](StdFont& f) { f.Name(std::move(value)); });
}

void ucLabelHTML::FontSize(float value) {
    setFont(u"FontSize", [&](StdFont& f) { f.Size(value); });
}

void ucLabelHTML::FontTransparent(bool value) {
    m_fontTransparent = value;
    update(u"FontTransparent");
}

void ucLabelHTML::ForeColor(OLE_COLOR value) {
    UserControl::ForeColor(value);
    update(u"ForeColor");
}

void ucLabelHTML::MouseIcon(std::shared_ptr<StdPicture> icon) {
    UserControl::MouseIcon(std::move(icon));
    update(u"MouseIcon");
}

void ucLabelHTML::MousePointer(short value) {
    UserControl::MousePointer(static_cast<MousePointerConstants>(value));
    update(u"MousePointer");
}

void ucLabelHTML::Picture(std::shared_ptr<StdPicture> picture) {
    UserControl::Picture(std::move(picture));
    update(u"Picture");
}

void ucLabelHTML::RightToLeft(bool value) {
    m_rightToLeft = value;
    update(u"RightToLeft");
}

void ucLabelHTML::WordWrap(bool value) {
    m_wordWrap = value;
    update(u"WordWrap");
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
    b.property<AppearanceEnum>(u"Appearance", &T::Appearance, &T::Appearance)
        .property<bool>(u"Autosize", &T::Autosize, &T::Autosize)
        .property<OLE_COLOR>(u"BackColor", &T::BackColor, &T::BackColor)
        .property<BackStyleEnum>(u"BackStyle", &T::BackStyle, &T::BackStyle)
        .property<BorderStyleEnum>(u"BorderStyle", &T::BorderStyle, &T::BorderStyle)
        .property<std::u16string>(u"Caption", &T::Caption, &T::Caption)
        .property<AlignEnumEx>(u"CaptionAlignment", &T::CaptionAlignment, &T::CaptionAlignment)
        .property<std::int32_t>(u"CharacterSpacing", &T::CharacterSpacing, &T::CharacterSpacing)
        .property<std::u16string>(u"ContainerName", &T::ContainerName, &T::ContainerName)
        .property<bool>(u"Enabled", &T::Enabled, &T::Enabled)
        .property<std::shared_ptr<StdFont>>(u"Font", &T::Font, &T::Font)
        .property<bool>(u"FontBold", &T::FontBold, &T::FontBold)
        .property<bool>(u"FontItalic", &T::FontItalic, &T::FontItalic)
        .property<std::u16string>(u"FontName", &T::FontName, &T::FontName)
        .property<float>(u"FontSize", &T::FontSize, &T::FontSize)
        .property<bool>(u"FontStrikethru", &T::FontStrikethru, &T::FontStrikethru)
        .property<bool>(u"FontTransparent", &T::FontTransparent, &T::FontTransparent)
        .property<bool>(u"FontUnderline", &T::FontUnderline, &T::FontUnderline)
        .property<OLE_COLOR>(u"ForeColor", &T::ForeColor, &T::ForeColor)
        .property<std::shared_ptr<StdPicture>>(u"MouseIcon", &T::MouseIcon, &T::MouseIcon)
        .property<short>(u"MousePointer", &T::MousePointer, &T::MousePointer)
        .property<std::shared_ptr<StdPicture>>(u"Picture", &T::Picture, &T::Picture)
        .property<bool>(u"RightToLeft", &T::RightToLeft, &T::RightToLeft)
        .property<bool>(u"WordWrap", &T::WordWrap, &T::WordWrap)
        .computed(u"hdc", [](T& t) { return Variant(static_cast<std::int32_t>(t.hDC().value)); })
        .computed(u"hWnd", [](T& t) { return Variant(static_cast<std::int32_t>(t.hWnd().value)); })
        .method(u"TranslateColor", {{u"clr", false}, {u"hPal", true}},
                [](T& t, std::vector<Variant>& a) {
                    const std::int32_t palette = a[1].isMissing() ? 0 : CLng(a[1]);
                    return Variant(static_cast<std::int32_t>(
                        t.TranslateColor(static_cast<OLE_COLOR>(CLng(a[0])), palette)));
                })
        .method(u"Refresh", {},
                [](T& t, std::vector<Variant>&) {
                    t.Refresh();
                    return Variant();
                })
        .event(u"Click", evClick, {})
        .event(u"DblClick", evDblClick, {})
        .event(u"KeyDown", evKeyDown, {u"KeyCode", u"Shift"})
        .event(u"KeyPress", evKeyPress, {u"KeyAscii"})
        .event(u"KeyUp", evKeyUp, {u"KeyCode", u"Shift"})
        .event(u"MouseDown", evMouseDown, {u"Button", u"Shift", u"X", u"Y"})
        .event(u"MouseMove", evMouseMove, {u"Button", u"Shift", u"X", u"Y"})
        .event(u"MouseUp", evMouseUp, {u"Button", u"Shift", u"X", u"Y"});
    library.registerClass(b.build());
    classes.add(u"ucLabelHTML", [] { return std::make_unique<ucLabelHTML>(); });
}

}  // namespace orvane
