// Dragging text between text boxes: an automatic drag of the selection moving text into a box
// that takes drops by its events (OLEStartDrag, OLEDragOver, OLEDragDrop, OLECompleteDrag in
// that order), a box that takes dropped text by itself, and a press on the selection that
// stays a click.
#include <cstring>
#include <deque>
#include <functional>

#include "controls/text/ucText.h"
#include "host/DataObject.h"
#include "platform/user/Edit.h"
#include "support/ControlTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;

class TextDragTest : public orvane::test::ControlTest {
protected:
    // The screen point of a character of a box.
    static POINT charPoint(ucText& t, int index) {
        const LRESULT r =
            SendMessageW(t.editWindow(), EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
        POINT p{GET_X_LPARAM(r) + 2, GET_Y_LPARAM(r) + 4};
        ClientToScreen(t.editWindow(), &p);
        return p;
    }
    static POINT inside(ucText& t, int x, int y) {
        POINT p{x, y};
        ClientToScreen(t.editWindow(), &p);
        return p;
    }
    // Runs `script` one step per OLEGiveFeedback of `source`, as its drag waits.
    void drive(ucText& source, std::deque<std::function<void()>> steps) {
        script = std::move(steps);
        source.connect(ucText::evOLEGiveFeedback, [this](std::vector<Variant>&) {
            if (script.empty()) return;
            auto step = std::move(script.front());
            script.pop_front();
            step();
        });
    }
    // Presses on character `index` of the selected text and pulls the pointer away.
    void pullSelection(ucText& t, int index) {
        const POINT p = charPoint(t, index);
        platform->MouseMove(p.x, p.y);
        platform->MouseDown();
        platform->MouseMove(p.x + 12, p.y);  // past the drag distance: the drag runs here
        pump();
    }
    static void queueMove(POINT p) { SetCursorPos(p.x, p.y); }
    static void queueRelease() {
        INPUT in;
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(1, &in, sizeof in);
    }
    static std::u16string unicodeText(const Variant& bytes) {
        const auto& b = bytes.bytes();
        std::u16string s(b.size() / 2, u'\0');
        if (!s.empty()) std::memcpy(s.data(), b.data(), s.size() * 2);
        return s;
    }

    std::deque<std::function<void()>> script;
};

}  // namespace

TEST_F(TextDragTest, DraggingTheSelectionMovesItIntoABoxWithManualDrops) {
    Form form(u"Form1");
    auto& src = form.add<ucText>(u"src", -1, box(10, 10, 200, 24));
    auto& dst = form.add<ucText>(u"dst", -1, box(10, 60, 200, 24));
    form.Show();
    pump();
    src.OLEDragMode(1);
    dst.OLEDropMode(1);
    src.Text(u"hello world");
    src.SelStart(6);
    src.SelLength(5);
    std::vector<std::string> events;
    src.connect(ucText::evOLEStartDrag, [&](std::vector<Variant>& a) {
        auto data = std::dynamic_pointer_cast<DataObject>(a[0].object());
        ASSERT_TRUE(data);
        events.push_back("18 OLEStartDrag " + std::to_string(CLng(a[1])) + " " +
                         platform::ToUtf8(unicodeText(data->GetData(13))));
    });
    dst.connect(ucText::evOLEDragOver, [&](std::vector<Variant>& a) {
        events.push_back("15 OLEDragOver " + std::to_string(CInt(a[6])));
    });
    dst.connect(ucText::evOLEDragDrop, [&](std::vector<Variant>& a) {
        auto data = std::dynamic_pointer_cast<DataObject>(a[0].object());
        events.push_back("14 OLEDragDrop " + std::to_string(CLng(a[1])));
        dst.Text(unicodeText(data->GetData(13)));
    });
    src.connect(ucText::evOLECompleteDrag, [&](std::vector<Variant>& a) {
        events.push_back("13 OLECompleteDrag " + std::to_string(CLng(a[0])));
    });
    drive(src, {[&] { queueMove(inside(dst, 20, 8)); }, [&] { queueRelease(); }});
    pullSelection(src, 7);
    const std::vector<std::string> expected = {"18 OLEStartDrag 3 world", "15 OLEDragOver 0",
                                               "14 OLEDragDrop 2", "13 OLECompleteDrag 2"};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(dst.Text(), u"world");
    EXPECT_EQ(src.Text(), u"hello");  // the moved text left (Text drops the trailing space)
    EXPECT_EQ(GetCapture(), HWND());
}

TEST_F(TextDragTest, AnAutomaticDropTakesTheTextWhereItFallsWithoutEvents) {
    Form form(u"Form1");
    auto& src = form.add<ucText>(u"src", -1, box(10, 10, 200, 24));
    auto& dst = form.add<ucText>(u"dst", -1, box(10, 60, 200, 24));
    form.Show();
    pump();
    src.OLEDragMode(1);
    dst.OLEDropMode(2);
    src.Text(u"one two");
    src.SelStart(0);
    src.SelLength(3);
    dst.Text(u"abc");
    int dstEvents = 0;
    dst.connect(ucText::evOLEDragOver, [&](std::vector<Variant>&) { ++dstEvents; });
    dst.connect(ucText::evOLEDragDrop, [&](std::vector<Variant>&) { ++dstEvents; });
    std::int32_t completed = -1;
    src.connect(ucText::evOLECompleteDrag,
                [&](std::vector<Variant>& a) { completed = CLng(a[0]); });
    // Ctrl held: a copy, so the source keeps its text.
    drive(src, {[&] { queueMove(inside(dst, 150, 8)); }, [&] { keybd_event(VK_CONTROL, 0, 0, 0); },
                [&] { queueRelease(); }});
    pullSelection(src, 1);
    platform->KeyUp(VK_CONTROL);
    ASSERT_GE(GetKeyState(VK_CONTROL), 0);
    EXPECT_EQ(dstEvents, 0);
    EXPECT_EQ(completed, vbDropEffectCopy);
    EXPECT_EQ(dst.Text(), u"abcone");
    EXPECT_EQ(src.Text(), u"one two");
    // A locked box takes nothing.
    dst.Locked(true);
    drive(src, {[&] { queueMove(inside(dst, 150, 8)); }, [&] { queueRelease(); }});
    src.SelStart(0);
    src.SelLength(3);
    platform->AdvanceTime(1000);  // not a double click
    completed = -1;
    pullSelection(src, 1);
    EXPECT_EQ(completed, vbDropEffectNone);
    EXPECT_EQ(dst.Text(), u"abcone");
    EXPECT_EQ(src.Text(), u"one two");
}

TEST_F(TextDragTest, APressOnTheSelectionWithoutMovingIsAClick) {
    Form form(u"Form1");
    auto& t = form.add<ucText>(u"t", -1, box(10, 10, 200, 24));
    form.Show();
    pump();
    t.OLEDragMode(1);
    t.Text(u"hello world");
    t.SelStart(0);
    t.SelLength(5);
    int starts = 0, clicks = 0;
    t.connect(ucText::evOLEStartDrag, [&](std::vector<Variant>&) { ++starts; });
    t.connect(ucText::evClick, [&](std::vector<Variant>&) { ++clicks; });
    const POINT p = charPoint(t, 2);
    POINT client = p;
    ScreenToClient(t.editWindow(), &client);
    platform->Click(p.x, p.y);
    pump();
    EXPECT_EQ(starts, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(t.SelLength(), 0);
    EXPECT_EQ(t.SelStart(), t.CharFromPos(client.x, client.y));
    // With OLEDragMode 0 the press selects as always: no drag.
    t.OLEDragMode(0);
    t.SelStart(0);
    t.SelLength(5);
    platform->MouseMove(p.x, p.y);
    platform->MouseDown();
    platform->MouseMove(p.x + 30, p.y);
    platform->MouseUp();
    pump();
    EXPECT_EQ(starts, 0);
}
