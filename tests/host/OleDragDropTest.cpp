// The host's side of drag and drop: DataObject's formats, errors and promised data, and
// UserControl's OLEDropMode, OLEDrag and OLE events between two controls and from the desktop.
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "host/ControlDropTarget.h"
#include "host/DataObject.h"
#include "host/ErrorOf.h"
#include "host/UserControl.h"
#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

std::vector<std::string>& journal() {
    static std::vector<std::string> j;
    return j;
}

std::vector<std::uint8_t> utf16(const std::u16string& s) {
    std::vector<std::uint8_t> b(s.size() * 2);
    std::memcpy(b.data(), s.data(), b.size());
    return b;
}

// A control that records its OLE events as "NAME Event ..." and does what the test asks.
class DragProbe : public UserControl {
public:
    explicit DragProbe(std::string name) : name(std::move(name)) {}
    std::string name;
    std::function<void(const std::shared_ptr<DataObject>&, std::int32_t&)> start;
    std::function<void(const std::shared_ptr<DataObject>&, std::int32_t&)> supply;
    std::function<void(const std::shared_ptr<DataObject>&, std::int32_t&)> dropped;
    std::deque<std::function<void()>> script;  // one step per OLEGiveFeedback
    std::int32_t completed = -1;
    double lastX = 0, lastY = 0;
    ShiftState lastShift = ShiftState::None;

protected:
    void OLEStartDrag(const std::shared_ptr<DataObject>& data, std::int32_t& allowed) override {
        journal().push_back(name + " OLEStartDrag " + std::to_string(allowed));
        if (start) start(data, allowed);
    }
    void OLEGiveFeedback(std::int32_t& effect, bool&) override {
        journal().push_back(name + " OLEGiveFeedback " + std::to_string(effect));
        if (!script.empty()) {
            auto step = std::move(script.front());
            script.pop_front();
            step();
        }
    }
    void OLEDragOver(const std::shared_ptr<DataObject>&, std::int32_t& effect, MouseButtons,
                     ShiftState shift, double x, double y, std::int32_t state) override {
        journal().push_back(name + " OLEDragOver " + std::to_string(state) + " " +
                            std::to_string(effect));
        lastX = x;
        lastY = y;
        lastShift = shift;
    }
    void OLEDragDrop(const std::shared_ptr<DataObject>& data, std::int32_t& effect, MouseButtons,
                     ShiftState, double x, double y) override {
        journal().push_back(name + " OLEDragDrop " + std::to_string(effect));
        lastX = x;
        lastY = y;
        if (dropped) dropped(data, effect);
    }
    void OLECompleteDrag(std::int32_t& effect) override {
        journal().push_back(name + " OLECompleteDrag " + std::to_string(effect));
        completed = effect;
    }
    void OLESetData(const std::shared_ptr<DataObject>& data, std::int32_t& format) override {
        journal().push_back(name + " OLESetData " + std::to_string(format));
        if (supply) supply(data, format);
    }
};

class OleDragDropTest : public test::PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        journal().clear();
        WNDCLASSEXW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = u"TestForm";
        RegisterClassExW(&wc);
        form = CreateWindowExW(0, u"TestForm", u"", WS_POPUP | WS_VISIBLE, 100, 100, 500, 300,
                               HWND(), HMENU(), HINSTANCE(), nullptr);
        ambient = std::make_shared<Ambient>();
    }
    void TearDown() override {
        DestroyWindow(form);
        PlatformTest::TearDown();
    }
    // Sites a probe at (x, y) pixels, 100 by 60.
    void site(DragProbe& p, int x, int y) {
        Extender e;
        e.Name(FromUtf8(p.name));
        e.Move(x * 15, y * 15, 1500, 900);
        p.site(form, ambient, e, nullptr);
        platform->PumpMessages();
    }
    static POINT at(const UserControl& c, int x, int y) {
        return platform::testing::TestPlatform::ClientToScreenPoint(c.hWnd(), x, y);
    }
    static void queueMove(POINT p) { SetCursorPos(p.x, p.y); }
    static void queueRelease() {
        INPUT in;
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(1, &in, sizeof in);
    }
    // Presses on `source` and runs its drag (the script moves and releases).
    void dragFrom(DragProbe& source) {
        const POINT p = at(source, 10, 10);
        platform->MouseMove(p.x, p.y);
        platform->MouseDown();
        source.OLEDrag();
        platform->PumpMessages();
    }

    HWND form;
    std::shared_ptr<Ambient> ambient;
};

}  // namespace

TEST_F(OleDragDropTest, DataObjectFormatsAndTheirErrors) {
    DataObject d;
    d.SetData(Variant(u"héllo"), Variant::missing());  // a string without a format is text
    EXPECT_TRUE(d.GetFormat(vbCFText));
    EXPECT_EQ(d.GetData(vbCFText), Variant(u"héllo"));
    d.SetData(Variant(std::int32_t{42}), Variant(std::int32_t{vbCFText}));  // numbers as text
    EXPECT_EQ(d.GetData(vbCFText), Variant(u"42"));
    d.SetData(Variant(u"{\\rtf1 x}"), Variant(std::int32_t{vbCFRTF}));
    EXPECT_EQ(d.GetData(vbCFRTF), Variant(u"{\\rtf1 x}"));
    // Other formats are bytes, registered ones included.
    const std::int32_t nodes = static_cast<std::int32_t>(RegisterClipboardFormatW(u"Probe Nodes"));
    d.SetData(Variant(std::vector<std::uint8_t>{1, 2}), Variant(nodes));
    EXPECT_EQ(d.GetData(nodes), Variant(std::vector<std::uint8_t>{1, 2}));
    d.SetData(Variant(utf16(u"wide")), Variant(std::int32_t{13}));
    EXPECT_EQ(d.GetData(13), Variant(utf16(u"wide")));
    EXPECT_EQ(d.text(), std::optional<std::u16string>(u"wide"));  // CF_UNICODETEXT first

    // Bad formats raise 460; values of the wrong kind and formats not held raise 461.
    EXPECT_EQ(test::errorOf([&] { d.GetData(0); }), errors::InvalidClipboardFormat);
    EXPECT_EQ(test::errorOf([&] { d.GetFormat(0x10000); }), errors::InvalidClipboardFormat);
    EXPECT_EQ(test::errorOf([&] { d.SetData(Variant(u"x"), Variant(std::int32_t{-20000})); }),
              errors::InvalidClipboardFormat);
    EXPECT_EQ(test::errorOf([&] { d.SetData(Variant(u"x"), Variant(std::int32_t{13})); }),
              errors::FormatMismatch);
    EXPECT_EQ(test::errorOf([&] { d.SetData(Variant(u"x"), Variant(std::int32_t{vbCFDIB})); }),
              errors::FormatMismatch);
    EXPECT_EQ(test::errorOf([&] { d.SetData(Variant::null(), Variant(std::int32_t{vbCFText})); }),
              errors::FormatMismatch);
    EXPECT_EQ(test::errorOf(
                  [&] { d.SetData(Variant(std::vector<std::uint8_t>{1}), Variant::missing()); }),
              errors::FormatMismatch);
    EXPECT_EQ(test::errorOf([&] { d.GetData(vbCFPalette); }), errors::FormatMismatch);

    // The platform sees the same formats, in the order set.
    std::vector<FORMATETC> formats;
    ASSERT_EQ(d.EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    ASSERT_EQ(formats.size(), 4u);
    EXPECT_EQ(formats[0].cfFormat, CF_TEXT);
    EXPECT_EQ(formats[3].cfFormat, CF_UNICODETEXT);

    // Files make vbCFFiles; Clear takes everything.
    d.Files()->Add(Variant(u"docs/one"));
    EXPECT_TRUE(d.GetFormat(vbCFFiles));
    FORMATETC files;
    files.cfFormat = CF_HDROP;
    STGMEDIUM m;
    ASSERT_EQ(d.GetData(&files, &m), S_OK);
    EXPECT_EQ(FileDropNames(m.hGlobal), std::vector<std::u16string>{u"docs/one"});
    ReleaseStgMedium(&m);
    d.Clear();
    EXPECT_TRUE(d.empty());
    EXPECT_FALSE(d.GetFormat(vbCFText));
    EXPECT_EQ(d.Files()->Count(), 0);
}

TEST_F(OleDragDropTest, DataFromElsewhereIsReadOnly) {
    MemoryDataObject outside;
    const char ansi[] = "plain";
    outside.setBytes(CF_TEXT, ansi, sizeof ansi);
    const HDROP list = CreateFileDropBlock({u"a", u"b"});
    FORMATETC f;
    f.cfFormat = CF_HDROP;
    STGMEDIUM m;
    m.tymed = TYMED_HGLOBAL;
    m.hGlobal = list;
    outside.SetData(&f, &m, TRUE);
    DataObject d(&outside);
    EXPECT_EQ(d.GetData(vbCFText), Variant(u"plain"));
    EXPECT_TRUE(d.GetFormat(vbCFFiles));
    ASSERT_EQ(d.Files()->Count(), 2);
    EXPECT_EQ(d.Files()->Item(Variant(std::int32_t{2})), Variant(u"b"));
    EXPECT_EQ(test::errorOf([&] { d.SetData(Variant(u"x"), Variant::missing()); }),
              errors::InvalidProcedureCall);
    EXPECT_EQ(test::errorOf([&] { d.Clear(); }), errors::InvalidProcedureCall);
    d.release();
    EXPECT_FALSE(d.GetFormat(vbCFText));
}

TEST_F(OleDragDropTest, OLEDropModeRegistersTheWindowWhileRunning) {
    DragProbe p("p");
    site(p, 10, 10);
    EXPECT_EQ(test::errorOf([&] { p.OLEDropMode(3); }), errors::InvalidPropertyValue);
    EXPECT_EQ(GetRegisteredDropTarget(p.hWnd()), nullptr);
    p.OLEDropMode(vbOLEDropManual);
    EXPECT_NE(GetRegisteredDropTarget(p.hWnd()), nullptr);
    p.OLEDropMode(vbOLEDropAutomatic);
    EXPECT_NE(GetRegisteredDropTarget(p.hWnd()), nullptr);
    p.OLEDropMode(vbOLEDropNone);
    EXPECT_EQ(GetRegisteredDropTarget(p.hWnd()), nullptr);
    p.unsite();
    // In design mode nothing is a drop target.
    ambient->UserMode(false);
    DragProbe d("d");
    site(d, 10, 10);
    d.OLEDropMode(vbOLEDropManual);
    EXPECT_EQ(GetRegisteredDropTarget(d.hWnd()), nullptr);
    d.unsite();
}

TEST_F(OleDragDropTest, TheKeysChooseTheDefaultEffect) {
    constexpr DWORD both = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(ControlDropTarget::defaultEffect(0, both), vbDropEffectMove);
    EXPECT_EQ(ControlDropTarget::defaultEffect(0, DROPEFFECT_COPY), vbDropEffectCopy);
    EXPECT_EQ(ControlDropTarget::defaultEffect(MK_CONTROL, both), vbDropEffectCopy);
    EXPECT_EQ(ControlDropTarget::defaultEffect(MK_SHIFT, both), vbDropEffectMove);
    EXPECT_EQ(ControlDropTarget::defaultEffect(MK_SHIFT, DROPEFFECT_COPY), vbDropEffectNone);
    EXPECT_EQ(ControlDropTarget::defaultEffect(MK_CONTROL | MK_SHIFT, both), vbDropEffectNone);
    EXPECT_EQ(ControlDropTarget::defaultEffect(MK_CONTROL | MK_SHIFT, DROPEFFECT_LINK), 4);
}

TEST_F(OleDragDropTest, ADragBetweenControlsWithPromisedData) {
    DragProbe source("src"), target("dst");
    site(source, 10, 10);
    site(target, 200, 10);
    target.OLEDropMode(vbOLEDropManual);
    source.start = [](const std::shared_ptr<DataObject>& d, std::int32_t&) {
        d->SetData(Variant::missing(), Variant(std::int32_t{vbCFText}));  // promised
    };
    source.supply = [](const std::shared_ptr<DataObject>& d, std::int32_t& format) {
        d->SetData(Variant(u"late"), Variant(format));
    };
    std::u16string got;
    std::int32_t lockedError = 0;
    target.dropped = [&](const std::shared_ptr<DataObject>& d, std::int32_t&) {
        got = CStr(d->GetData(vbCFText));
        lockedError = test::errorOf([&] { d->SetData(Variant(u"x"), Variant::missing()); });
    };
    const POINT over = at(target, 30, 20);
    source.script = {[&] { queueMove(over); }, [&] { queueRelease(); }};
    dragFrom(source);
    EXPECT_EQ(got, u"late");
    EXPECT_EQ(lockedError, errors::InvalidProcedureCall);  // only the source changes the data
    const std::vector<std::string> expected = {
        "src OLEStartDrag 3",    "src OLEGiveFeedback 0", "dst OLEDragOver 0 2",
        "src OLEGiveFeedback 2", "dst OLEDragDrop 2",     "src OLESetData 1",
        "src OLECompleteDrag 2",
    };
    EXPECT_EQ(journal(), expected);
    // x and y are ScaleMode units (twips here) from the target's client corner.
    EXPECT_DOUBLE_EQ(target.lastX, 30 * 15);
    EXPECT_DOUBLE_EQ(target.lastY, 20 * 15);
    source.unsite();
    target.unsite();
}

TEST_F(OleDragDropTest, CtrlCopiesAndEscapeCancels) {
    DragProbe source("src"), target("dst");
    site(source, 10, 10);
    site(target, 200, 10);
    target.OLEDropMode(vbOLEDropManual);
    source.start = [](const std::shared_ptr<DataObject>& d, std::int32_t&) {
        d->SetData(Variant(u"text"), Variant::missing());
    };
    source.script = {[&] { queueMove(at(target, 5, 5)); },
                     [&] { keybd_event(VK_CONTROL, 0, 0, 0); }, [&] { queueRelease(); }};
    dragFrom(source);
    platform->KeyUp(VK_CONTROL);
    EXPECT_EQ(source.completed, vbDropEffectCopy);
    EXPECT_TRUE(any(target.lastShift, ShiftState::Ctrl));

    journal().clear();
    source.script = {[&] { queueMove(at(target, 5, 5)); },
                     [&] { keybd_event(VK_ESCAPE, 0, 0, 0); }};
    dragFrom(source);
    platform->KeyUp(VK_ESCAPE);
    platform->MouseUp();
    EXPECT_EQ(source.completed, 0);
    const std::vector<std::string> expected = {
        "src OLEStartDrag 3",    "src OLEGiveFeedback 0", "dst OLEDragOver 0 2",
        "src OLEGiveFeedback 2", "dst OLEDragOver 1 0",   "src OLECompleteDrag 0",
    };
    EXPECT_EQ(journal(), expected);
    source.unsite();
    target.unsite();
}

TEST_F(OleDragDropTest, NoEffectsOrNoDataCancelsBeforeTheDrag) {
    DragProbe source("src");
    site(source, 10, 10);
    source.start = [](const std::shared_ptr<DataObject>& d, std::int32_t& allowed) {
        d->SetData(Variant(u"text"), Variant::missing());
        allowed = 0;
    };
    dragFrom(source);
    platform->MouseUp();
    source.start = nullptr;  // and now no data at all
    dragFrom(source);
    platform->MouseUp();
    EXPECT_EQ(journal(), (std::vector<std::string>{"src OLEStartDrag 3", "src OLEStartDrag 3"}));
    EXPECT_EQ(source.completed, -1);
    source.unsite();
}

TEST_F(OleDragDropTest, FilesFromTheDesktopArriveAsFormat15) {
    DragProbe target("dst");
    site(target, 10, 10);
    target.OLEDropMode(vbOLEDropManual);
    std::vector<std::u16string> names;
    bool hasFiles = false;
    target.dropped = [&](const std::shared_ptr<DataObject>& d, std::int32_t&) {
        hasFiles = d->GetFormat(vbCFFiles);
        for (std::int32_t i = 1; i <= d->Files()->Count(); ++i)
            names.push_back(CStr(d->Files()->Item(Variant(i))));
    };
    const POINT p = at(target, 40, 30);
    EXPECT_EQ(platform::testing::TestPlatform::DropFiles(p.x, p.y, {u"pictures/x.png", u"y"}),
              DROPEFFECT_COPY);
    EXPECT_TRUE(hasFiles);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"pictures/x.png", u"y"}));
    EXPECT_EQ(journal(), (std::vector<std::string>{"dst OLEDragOver 0 1", "dst OLEDragOver 2 1",
                                                   "dst OLEDragDrop 1"}));
    target.unsite();
}
