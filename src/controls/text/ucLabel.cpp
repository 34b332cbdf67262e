#include "controls/text/ucLabel.h"

#include <cmath>

#include "framework/ErrorLog.h"
#include "framework/KeysAndText.h"
#include "framework/StringsAndFiles.h"
#include "framework/TextDrawing.h"
#include "host/App.h"
#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"

namespace orvane {

using namespace platform;

namespace {

constexpr const char16_t* kRemotePicture = u"remotePic";
constexpr std::int32_t kFileNotFound = 404;

StandardEvents labelEvents() {
    StandardEvents e;
    e.Click = ucLabel::evClick;
    e.DblClick = ucLabel::evDblClick;
    e.MouseDown = ucLabel::evMouseDown;
    e.MouseMove = ucLabel::evMouseMove;
    e.MouseUp = ucLabel::evMouseUp;
    e.MouseEnter = ucLabel::evMouseEnter;
    e.MouseLeave = ucLabel::evMouseLeave;
    return e;
}

}  // namespace

ucLabel::ucLabel() : OwnerDrawnControl(labelEvents()) {}
ucLabel::~ucLabel() = default;

PropertyTable ucLabel::declare() {
    using T = ucLabel;
    PropertyTable t;
    declareCommon<T>(t);
    t.add<T>(u"Alignment", &T::m_alignment, 0, 0)
        .check([](const std::int32_t& v) { return v >= 0 && v <= 2; })
        .relayout();
    t.add<T>(u"Autosize", &T::m_autosize, false, false).key(u"AutoSize").relayout();
    t.add<T>(u"Caption", &T::m_caption, std::u16string(), std::u16string())
        .newFrom([](T& c) { return c.Ambient().DisplayName(); })
        .then([](T& c) { c.captionChanged(); })
        .relayout();
    t.add<T>(u"EnableEvents", &T::m_enableEvents, false, false).noRedraw();
    t.add<T>(u"HyperLink", &T::m_hyperLink, false, false).noRedraw();
    t.add<T>(u"RightToLeft", &T::m_rightToLeft, false, false).relayout();
    t.add<T>(u"WordWrap", &T::m_wordWrap, false, false).relayout();
    ControlImage::declare<T>(t, &T::m_image, Effect::Relayout);
    return t;
}

const PropertyTable& ucLabel::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucLabel::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucLabel;
    ClassBuilder<T> b(u"ucLabel");
    b.creatable();
    table().publish(b);
    b.method(u"AsyncRead", {{u"URL", false}},
             [](T& t, std::vector<Variant>& a) {
                 t.AsyncRead(CStr(a[0]));
                 return Variant();
             })
        .method(u"InitTooltip",
                {{u"Text", false},
                 {u"Title", true},
                 {u"Icon", true},
                 {u"Style", true},
                 {u"BackColor", true},
                 {u"ForeColor", true},
                 {u"MaxWidth", true}},
                [](T& t, std::vector<Variant>& a) {
                    const auto opt = [&a](std::size_t i, std::int32_t def) {
                        return a[i].isMissing() ? def : CLng(a[i]);
                    };
                    t.InitTooltip(
                        CStr(a[0]), a[1].isMissing() ? u"" : CStr(a[1]),
                        static_cast<ToolTipIcon>(opt(2, 0)), static_cast<ToolTipStyle>(opt(3, 1)),
                        static_cast<OLE_COLOR>(opt(4, static_cast<std::int32_t>(vbInfoBackground))),
                        static_cast<OLE_COLOR>(opt(5, static_cast<std::int32_t>(vbInfoText))),
                        opt(6, 260));
                    return Variant();
                })
        .method(u"Refresh", {},
                [](T& t, std::vector<Variant>&) {
                    t.Refresh();
                    return Variant();
                })
        .computed(u"hWnd", [](T& t) { return Variant(static_cast<std::int32_t>(t.hWnd().value)); });
    labelEvents().publish(b);
    library.registerClass(b.build());
    classes.add(u"ucLabel", [] { return std::make_unique<ucLabel>(); });
}

// --- Properties with more to them than storing ---

void ucLabel::RightToLeft(bool value) {
    // Setting it always realigns the caption, even when the value stays.
    const std::int32_t alignment = value ? 1 : 0;
    if (m_rightToLeft == value) return Alignment(alignment);
    m_alignment = alignment;
    setProperty(m_rightToLeft, value);
}

void ucLabel::captionChanged() {
    AccessKeys(GetAccessKey(m_caption));
}

void ucLabel::loaded() {
    captionChanged();
}

void ucLabel::AccessKeyPress(int keyAscii) {
    // The access key moves the focus on to the next control, as a label cannot hold it.
    if (keyAscii == 0 || keyAscii != AccessKeyChar(m_caption)) return;
    keybd_event(VK_TAB, 0, 0, 0);
    keybd_event(VK_TAB, 0, KEYEVENTF_KEYUP, 0);
}

void ucLabel::AsyncRead(const std::u16string& url) {
    if (url.empty()) return;
    UserControl::AsyncRead(url, vbAsyncTypeByteArray, kRemotePicture,
                           vbAsyncReadGetFromCacheIfNetFail);
}

void ucLabel::AsyncReadComplete(AsyncProperty& property) {
    if (!sameName(property.PropertyName(), kRemotePicture)) return;
    if (!PathsEqual(property.Status(), property.Target())) {
        try {
            LogError(Error(kFileNotFound, u"ucLabel", u"File not found. " + property.Target()), 0,
                     u"AsyncReadComplete");
        } catch (const Error&) {
            // Logged; the label keeps its image.
        }
        return;
    }
    PNG(property.Value().bytes());
}

// --- Layout ---

SIZE ucLabel::measure(UINT flags, int width) const {
    const HDC dc = CreateCompatibleDC(HDC());
    const HFONT font = createFont();
    const HGDIOBJ old = SelectObject(dc, font);
    RECT rc{0, 0, width, static_cast<int>(ScaleHeight())};
    int height = 0;
    const int textWidth = MeasureText(HTHEME(), dc, m_caption, flags, rc, height);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return SIZE{textWidth, height};
}

void ucLabel::layout() {
    LabelLayout::Input in;
    in.width = static_cast<int>(ScaleWidth());
    in.height = static_cast<int>(ScaleHeight());
    in.border = borderWidth();
    in.imageShown = m_image.shown();
    in.aspect = m_image.aspect();
    in.imageHeight = static_cast<int>(std::lround(m_image.ImageSize * dpi() / 96.0));
    in.alignment = m_alignment;
    in.wordWrap = m_wordWrap;
    in.rightToLeft = m_rightToLeft;
    in.autosize = m_autosize;
    m_layout =
        LabelLayout::compute(in, [this](UINT flags, int width) { return measure(flags, width); });
    if (!m_layout.autosize) return;
    // The window has no frame of its own, so its outer size is the client size.
    const int w = m_layout.autosize->cx;
    const int h = m_layout.autosize->cy;
    if (w != in.width) Width(w * TwipsPerPixelX());
    if (h != in.height) Height(h * TwipsPerPixelY());
}

}  // namespace orvane
