#include "controls/buttons/ucButton.h"

#include <cctype>
#include <cmath>

#include "framework/KeysAndText.h"
#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"

namespace orvane {

using namespace platform;

namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;

}  // namespace

ucButton::ucButton() : ImageControl(StandardEvents::of<ucButton>()) {}
ucButton::~ucButton() = default;

PropertyTable ucButton::declare() {
    using T = ucButton;
    PropertyTable t;
    declareCommon<T>(t);
    // A button has no back style of its own (its Style says how it fills), and a thicker
    // border than the label.
    t.redeclare<T, BackStyleEnum>(u"BackStyle").hidden().notPersisted();
    t.redeclare<T, std::int32_t>(u"Borderwidth").defaults(2, 2);
    t.add<T>(u"Alignment", &T::m_alignment, 0, 0)
        .check([](const std::int32_t& v) { return v >= 0 && v <= 2; })
        .relayout();
    t.add<T>(u"Autosize", &T::m_autosize, false, false).key(u"AutoSize").relayout();
    t.add<T>(u"Caption", &T::m_caption, std::u16string(), std::u16string())
        .newFrom([](T& c) { return c.Ambient().DisplayName(); })
        .then([](T& c) { c.captionChanged(); })
        .relayout();
    const auto pad = [](const std::int32_t& v) { return v >= 0 && v <= 4096; };
    t.add<T>(u"PadBottom", &T::m_padBottom, 4, 4).check(pad).relayout();
    t.add<T>(u"PadLeft", &T::m_padLeft, 4, 4).check(pad).relayout();
    t.add<T>(u"PadRight", &T::m_padRight, 4, 4).check(pad).relayout();
    t.add<T>(u"PadTop", &T::m_padTop, 4, 4).check(pad).relayout();
    t.add<T>(u"RightToLeft", &T::m_rightToLeft, false, false).relayout();
    t.add<T>(u"Style", &T::m_style, ButtonStyleEnum::styStandard, ButtonStyleEnum::styStandard)
        .check([](const ButtonStyleEnum& v) {
            return static_cast<int>(v) >= 0 && static_cast<int>(v) <= 4;
        })
        .relayout();
    t.add<T>(u"WordWrap", &T::m_wordWrap, false, false).relayout();
    ControlImage::declare<T>(t, &T::m_image, Effect::Relayout);
    t.redeclare<T, std::int32_t>(u"Brightness").defaults(10, 10).shown();
    return t;
}

const PropertyTable& ucButton::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucButton::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucButton;
    publishControl<T>(library, classes, u"ucButton", table(), true, [](ClassBuilder<T>& b) {
        b.property(
            PropertyInfo{u"Value", [](Object& o) { return Variant(static_cast<T&>(o).Value()); },
                         [](Object& o, const Variant& v) { static_cast<T&>(o).Value(CBool(v)); }});
    });
}

// --- Properties with more to them than storing ---

void ucButton::RightToLeft(bool value) {
    // Setting it always realigns the caption, even when the value stays.
    const std::int32_t alignment = value ? 1 : 0;
    if (m_rightToLeft == value) return Alignment(alignment);
    m_alignment = alignment;
    setProperty(m_rightToLeft, value);
}

void ucButton::Value(bool value) {
    // Only the step to true clicks; a click raised from inside Click does not nest.
    if (!value || m_value) return;
    m_value = true;
    if (!raise(evClick)) return;
    m_value = false;
}

void ucButton::captionChanged() {
    AccessKeys(GetAccessKey(m_caption));
}

void ucButton::loaded() {
    captionChanged();
}

UxThemePushButtonStates ucButton::themeState() const {
    using S = UxThemePushButtonStates;
    if (!m_enabled) return S::PBS_DISABLED;
    if (!state().hot()) return state().focused() || isDefault() ? S::PBS_DEFAULTED : S::PBS_NORMAL;
    return state().pressed() ? S::PBS_PRESSED : S::PBS_HOT;
}

// --- Input ---

void ucButton::KeyDown(int& keyCode, ShiftState shift) {
    // The space bar clicks on every key-down (auto-repeat clicks again), without a pressed look.
    if (raiseKey(evKeyDown, keyCode, shift) && keyCode == VK_SPACE) raise(evClick);
}

void ucButton::AccessKeyPress(int keyAscii) {
    const int key = keyAscii < 0x80 ? std::tolower(keyAscii) : keyAscii;
    if (key == kEnter || key == kEscape || (key != 0 && key == AccessKeyChar(m_caption)))
        Value(true);
}

void ucButton::AmbientChanged(const std::u16string& name) {
    if (name == u"DisplayAsDefault") {
        Refresh();
    } else {
        UserControl::Refresh();
    }
}

void ucButton::Show() {
    // An opaque button draws its whole face at once when it appears.
    if (m_style == ButtonStyleEnum::styOpaque) Refresh();
}

// --- Layout ---

void ucButton::layout() {
    ButtonLayout::Input in;
    in.width = static_cast<int>(ScaleWidth());
    in.height = static_cast<int>(ScaleHeight());
    in.style = static_cast<int>(m_style);
    in.border = borderWidth();
    in.hasImage = m_image.loaded();
    in.imageShown = m_image.shown();
    in.aspect = m_image.aspect();
    in.imageHeight = imageHeightPixels();
    in.alignment = m_alignment;
    in.wordWrap = m_wordWrap;
    in.rightToLeft = m_rightToLeft;
    in.autosize = m_autosize;
    in.padLeft = m_padLeft;
    in.padTop = m_padTop;
    in.padRight = m_padRight;
    in.padBottom = m_padBottom;
    m_layout = ButtonLayout::compute(
        in, [this](UINT flags, int width) { return measureText(m_caption, flags, width); });
    if (m_layout.autosize) sizeToPixels(*m_layout.autosize);
}

}  // namespace orvane
