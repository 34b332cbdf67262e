// DoDragDrop's loop between registered targets: registration errors, the order of DragEnter,
// DragOver, DragLeave and Drop within a form and between forms, effects chosen by keys and
// masked by the source's, Escape, the 50 ms repeat on the virtual clock, targets destroyed
// during a drag, the cursors, and files dropped from the desktop.
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

using namespace platform;

std::vector<std::string>& calls() {
    static std::vector<std::string> c;
    return c;
}

// A target that records its calls as "NAME enter", "NAME over", "NAME leave", "NAME drop" and
// answers the effect the keys choose (Ctrl copy, else move), or a fixed one.
class RecordingTarget : public IDropTarget {
public:
    explicit RecordingTarget(std::string name) : name(std::move(name)) {}
    HRESULT DragEnter(IDataObject* d, DWORD keys, POINTL pt, DWORD* effect) override {
        calls().push_back(name + " enter");
        data = d;
        last = pt;
        *effect = answerFor(keys, *effect);
        return S_OK;
    }
    HRESULT DragOver(DWORD keys, POINTL pt, DWORD* effect) override {
        calls().push_back(name + " over");
        overTimes.push_back(GetTickCount());
        last = pt;
        *effect = answerFor(keys, *effect);
        if (onOver) onOver();
        return S_OK;
    }
    HRESULT DragLeave() override {
        calls().push_back(name + " leave");
        return S_OK;
    }
    HRESULT Drop(IDataObject* d, DWORD keys, POINTL pt, DWORD* effect) override {
        calls().push_back(name + " drop");
        data = d;
        last = pt;
        *effect = answerFor(keys, *effect);
        return S_OK;
    }
    DWORD answerFor(DWORD keys, DWORD allowed) const {
        if (fixed) return *fixed;
        return (keys & MK_CONTROL) ? DROPEFFECT_COPY & allowed : DROPEFFECT_MOVE & allowed;
    }

    std::string name;
    std::optional<DWORD> fixed;
    IDataObject* data = nullptr;
    POINTL last{};
    std::vector<DWORD> overTimes;
    std::function<void()> onOver;
};

// The usual source: Escape cancels, releasing the left button drops. Each GiveFeedback (after
// every DragEnter and DragOver, the 50 ms repeats included) runs the next step of the script,
// which queues input for the loop without pumping it.
class ScriptedSource : public IDropSource {
public:
    HRESULT QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT GiveFeedback(DWORD effect) override {
        feedback.push_back(effect);
        cursors.push_back(GetCursor());
        if (!script.empty()) {
            auto step = std::move(script.front());
            script.pop_front();
            step();
        }
        return useDefault ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
    }
    std::deque<std::function<void()>> script;
    std::vector<DWORD> feedback;
    std::vector<HCURSOR> cursors;
    bool useDefault = true;
};

class DragDropTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        calls().clear();
        WNDCLASSEXW wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = u"DropWindow";
        RegisterClassExW(&wc);
    }
    static HWND form(int x, int y, int w = 300, int h = 200) {
        HWND h1 = CreateWindowExW(0, u"DropWindow", u"Form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                                  w, h, HWND(), HMENU(), HINSTANCE(), nullptr);
        TestPlatform::PumpMessages();
        return h1;
    }
    static HWND child(HWND parent, int x, int y, int w, int h) {
        return CreateWindowExW(0, u"DropWindow", u"", WS_CHILD | WS_VISIBLE, x, y, w, h, parent,
                               HMENU(), HINSTANCE(), nullptr);
    }
    // The centre of a window, on the screen.
    static POINT centre(HWND hwnd) {
        RECT rc{};
        GetWindowRect(hwnd, &rc);
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    // Input queued for the drag's loop.
    static void queueMove(POINT p) { SetCursorPos(p.x, p.y); }
    static void queueButton(DWORD flags) {
        INPUT in;
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flags;
        SendInput(1, &in, sizeof in);
    }
    static void queueKey(int vk, bool up) {
        keybd_event(static_cast<BYTE>(vk), 0, up ? KEYEVENTF_KEYUP : 0, 0);
    }
    // Presses the left button at `at`, as the start of a drag.
    static void pressAt(POINT at) {
        TestPlatform::MouseMove(at.x, at.y);
        TestPlatform::MouseDown();
    }
    // Drags some text; the data object stays for the test to look at.
    HRESULT drag(DWORD ok, DWORD* effect) {
        data = std::make_unique<MemoryDataObject>();
        const char16_t text[] = u"dragged";
        data->setBytes(CF_UNICODETEXT, text, sizeof text);
        return DoDragDrop(data.get(), &source, ok, effect);
    }

    using TestPlatform = platform::testing::TestPlatform;
    ScriptedSource source;
    std::unique_ptr<MemoryDataObject> data;
};

using Calls = std::vector<std::string>;

TEST_F(DragDropTest, RegistrationErrorsAndRevokingWithTheWindow) {
    RecordingTarget target("t");
    const HWND w = form(100, 100);
    EXPECT_EQ(RegisterDragDrop(w, nullptr), E_INVALIDARG);
    EXPECT_EQ(RegisterDragDrop(HWND(), &target), DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(RevokeDragDrop(w), DRAGDROP_E_NOTREGISTERED);
    EXPECT_EQ(RegisterDragDrop(w, &target), S_OK);
    EXPECT_EQ(GetRegisteredDropTarget(w), &target);
    EXPECT_EQ(RegisterDragDrop(w, &target), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_EQ(RevokeDragDrop(w), S_OK);
    EXPECT_EQ(RevokeDragDrop(w), DRAGDROP_E_NOTREGISTERED);
    // A window destroyed while registered takes its registration with it.
    EXPECT_EQ(RegisterDragDrop(w, &target), S_OK);
    DestroyWindow(w);
    EXPECT_EQ(GetRegisteredDropTarget(w), nullptr);
    EXPECT_EQ(RevokeDragDrop(w), DRAGDROP_E_INVALIDHWND);
    const HWND next = form(100, 100);
    EXPECT_EQ(GetRegisteredDropTarget(next), nullptr);
    DestroyWindow(next);
    // DoDragDrop's own argument checks.
    DWORD effect = 7;
    MemoryDataObject data;
    EXPECT_EQ(DoDragDrop(nullptr, &source, DROPEFFECT_COPY, &effect), E_INVALIDARG);
    EXPECT_EQ(DoDragDrop(&data, nullptr, DROPEFFECT_COPY, &effect), E_INVALIDARG);
    EXPECT_EQ(DoDragDrop(&data, &source, DROPEFFECT_COPY, nullptr), E_INVALIDARG);
    EXPECT_EQ(DoDragDrop(&data, &source, 0x100, &effect), E_INVALIDARG);
}

TEST_F(DragDropTest, WithinOneFormTheNearestRegisteredAncestorTakesTheDrag) {
    const HWND f = form(100, 100, 400, 300);
    const HWND a = child(f, 10, 10, 100, 100);
    const HWND b = child(f, 150, 10, 100, 100);
    const HWND plain = child(f, 10, 150, 100, 100);  // no target: the form's takes over
    const HWND inner = child(b, 10, 10, 50, 50);     // inside b: b's target
    RecordingTarget tf("F"), ta("A"), tb("B");
    ASSERT_EQ(RegisterDragDrop(f, &tf), S_OK);
    ASSERT_EQ(RegisterDragDrop(a, &ta), S_OK);
    ASSERT_EQ(RegisterDragDrop(b, &tb), S_OK);
    pressAt(centre(a));
    POINT inA = centre(a);
    inA.x += 5;
    source.script = {
        [&] { queueMove(inA); },
        [&] { queueMove(centre(inner)); },
        [&] { queueMove(centre(plain)); },
        [&] { queueButton(MOUSEEVENTF_LEFTUP); },
    };
    DWORD effect = 0;
    EXPECT_EQ(drag(DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(calls(),
              (Calls{"A enter", "A over", "A leave", "B enter", "B leave", "F enter", "F drop"}));
    // Points are on the screen; the data is the source's.
    EXPECT_EQ(tf.last.x, centre(plain).x);
    EXPECT_EQ(tf.last.y, centre(plain).y);
    ASSERT_NE(tf.data, nullptr);
    FORMATETC text;
    text.cfFormat = CF_UNICODETEXT;
    EXPECT_EQ(tf.data->QueryGetData(&text), S_OK);
    // The loop's capture is gone; the form gets the mouse again.
    EXPECT_EQ(GetCapture(), HWND());
    DestroyWindow(f);
}

TEST_F(DragDropTest, BetweenTwoFormsTheKeysChooseTheEffectAndTheCursor) {
    const HWND one = form(100, 100);
    const HWND two = form(600, 100);
    RecordingTarget t1("one"), t2("two");
    ASSERT_EQ(RegisterDragDrop(one, &t1), S_OK);
    ASSERT_EQ(RegisterDragDrop(two, &t2), S_OK);
    pressAt(centre(one));
    const HCURSOR before = GetCursor();
    source.script = {
        [&] { queueKey(VK_CONTROL, false); },  // a change of keys is a DragOver
        [&] { queueMove(centre(two)); },
        [&] { queueButton(MOUSEEVENTF_LEFTUP); },
    };
    DWORD effect = 0;
    EXPECT_EQ(drag(DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(calls(), (Calls{"one enter", "one over", "one leave", "two enter", "two drop"}));
    EXPECT_EQ(source.feedback,
              (std::vector<DWORD>{DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_COPY}));
    // The default cursors: one for a move, another for a copy; the old one comes back.
    ASSERT_EQ(source.cursors.size(), 3u);
    const HCURSOR moving = source.cursors[1], copying = source.cursors[2];
    EXPECT_NE(moving, HCURSOR());
    EXPECT_NE(copying, HCURSOR());
    EXPECT_NE(moving, copying);
    EXPECT_NE(moving, LoadCursorW(HINSTANCE(), IDC_NO));
    EXPECT_EQ(GetCursor(), before);
    TestPlatform::KeyUp(VK_CONTROL);
    DestroyWindow(one);
    DestroyWindow(two);
}

TEST_F(DragDropTest, TheTargetsEffectIsMaskedAndNoDropWithoutOne) {
    const HWND f = form(100, 100);
    RecordingTarget t("t");
    t.fixed = DROPEFFECT_LINK | DROPEFFECT_MOVE;  // answers more than the source allows
    ASSERT_EQ(RegisterDragDrop(f, &t), S_OK);
    pressAt(centre(f));
    source.script = {[&] { queueButton(MOUSEEVENTF_LEFTUP); }};
    DWORD effect = 0;
    EXPECT_EQ(drag(DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(source.feedback, (std::vector<DWORD>{DROPEFFECT_MOVE}));

    // A target that refuses: the release ends the drag without a Drop, with DragLeave.
    calls().clear();
    source.feedback.clear();
    t.fixed = DROPEFFECT_LINK;
    source.cursors.clear();
    pressAt(centre(f));
    source.script = {[] {}, [&] { queueButton(MOUSEEVENTF_LEFTUP); }};
    effect = 99;
    EXPECT_EQ(drag(DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(calls(), (Calls{"t enter", "t over", "t leave"}));
    // The cursor each feedback finds is the one the feedback before it chose.
    ASSERT_EQ(source.cursors.size(), 2u);
    EXPECT_EQ(source.cursors[1], LoadCursorW(HINSTANCE(), IDC_NO));
    DestroyWindow(f);
}

TEST_F(DragDropTest, EscapeCancelsWithDragLeave) {
    const HWND f = form(100, 100);
    RecordingTarget t("t");
    ASSERT_EQ(RegisterDragDrop(f, &t), S_OK);
    pressAt(centre(f));
    source.script = {[&] { queueKey(VK_ESCAPE, false); }};
    DWORD effect = 99;
    EXPECT_EQ(drag(DROPEFFECT_COPY, &effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(calls(), (Calls{"t enter", "t leave"}));
    TestPlatform::KeyUp(VK_ESCAPE);
    TestPlatform::MouseUp();
    DestroyWindow(f);
}

TEST_F(DragDropTest, DragOverRepeatsEvery50msWhileThePointerIsStill) {
    const HWND f = form(100, 100);
    RecordingTarget t("t");
    ASSERT_EQ(RegisterDragDrop(f, &t), S_OK);
    pressAt(centre(f));
    const DWORD start = GetTickCount();
    // Nothing queued for five feedbacks: the clock runs on to each repeat.
    source.script = {[] {}, [] {}, [] {}, [] {}, [] {}, [&] { queueButton(MOUSEEVENTF_LEFTUP); }};
    DWORD effect = 0;
    EXPECT_EQ(drag(DROPEFFECT_MOVE, &effect), DRAGDROP_S_DROP);
    ASSERT_GE(t.overTimes.size(), 5u);
    EXPECT_EQ(t.overTimes[0] - start, 50u);
    for (std::size_t i = 1; i < t.overTimes.size(); ++i)
        EXPECT_EQ(t.overTimes[i] - t.overTimes[i - 1], 50u) << "repeat " << i;
    DestroyWindow(f);
}

TEST_F(DragDropTest, DraggingStopsWhenInputNeverComes) {
    // On a virtual clock a drag with no input for ever is cancelled, not repeated for ever.
    const HWND f = form(100, 100);
    RecordingTarget t("t");
    ASSERT_EQ(RegisterDragDrop(f, &t), S_OK);
    pressAt(centre(f));
    DWORD effect = 0;
    EXPECT_EQ(drag(DROPEFFECT_MOVE, &effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(calls().back(), "t leave");
    TestPlatform::MouseUp();
    DestroyWindow(f);
}

TEST_F(DragDropTest, ATargetDestroyedDuringTheDragIsNotCalledAgain) {
    const HWND f = form(100, 100, 400, 300);
    const HWND a = child(f, 10, 10, 100, 100);
    const HWND b = child(f, 150, 10, 100, 100);
    RecordingTarget ta("A");
    auto tb = std::make_unique<RecordingTarget>("B");
    ASSERT_EQ(RegisterDragDrop(a, &ta), S_OK);
    ASSERT_EQ(RegisterDragDrop(b, tb.get()), S_OK);
    pressAt(centre(a));
    const POINT overB = centre(b);
    source.script = {
        [&] { queueMove(overB); },
        // B's window and its target go while the pointer is over it.
        [&] {
            DestroyWindow(b);
            tb.reset();
        },
        [&] { queueMove(centre(a)); },
        [&] { queueButton(MOUSEEVENTF_LEFTUP); },
    };
    DWORD effect = 0;
    EXPECT_EQ(drag(DROPEFFECT_MOVE, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    // After its window went, B heard nothing, not even DragLeave; A took the drop.
    EXPECT_EQ(calls(), (Calls{"A enter", "A leave", "B enter", "A enter", "A drop"}));
    DestroyWindow(f);
}

TEST_F(DragDropTest, FilesDroppedFromTheDesktopArriveAsAFileList) {
    const HWND f = form(100, 100, 400, 300);
    const HWND inner = child(f, 20, 20, 100, 100);
    RecordingTarget t("F");
    t.fixed = DROPEFFECT_COPY;  // the desktop offers nothing else
    std::vector<std::u16string> seen;
    POINT where{};
    t.onOver = [&] {
        FORMATETC files;
        files.cfFormat = CF_HDROP;
        STGMEDIUM medium;
        ASSERT_EQ(t.data->GetData(&files, &medium), S_OK);
        const UINT n = DragQueryFileW(medium.hGlobal, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < n; ++i) {
            std::u16string name(DragQueryFileW(medium.hGlobal, i, nullptr, 0), u'\0');
            DragQueryFileW(medium.hGlobal, i, name.data(), static_cast<UINT>(name.size() + 1));
            seen.push_back(name);
        }
        EXPECT_TRUE(DragQueryPoint(medium.hGlobal, &where));
        ReleaseStgMedium(&medium);
    };
    ASSERT_EQ(RegisterDragDrop(f, &t), S_OK);
    const POINT at = centre(inner);
    const DWORD effect = TestPlatform::DropFiles(at.x, at.y, {u"a.txt", u"ü b.png"});
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(calls(), (Calls{"F enter", "F over", "F drop"}));
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"a.txt", u"ü b.png"}));
    POINT client = at;
    ScreenToClient(f, &client);
    EXPECT_EQ(where, client);

    // A target that refuses hears DragLeave; a point without a target takes nothing.
    calls().clear();
    t.onOver = nullptr;
    t.fixed = DROPEFFECT_NONE;
    EXPECT_EQ(TestPlatform::DropFiles(at.x, at.y, {u"a.txt"}), DROPEFFECT_NONE);
    EXPECT_EQ(calls(), (Calls{"F enter", "F leave"}));
    EXPECT_EQ(TestPlatform::DropFiles(5, 5, {u"a.txt"}), DROPEFFECT_NONE);
    DestroyWindow(f);
    EXPECT_EQ(GetLiveGlobalCount(), 0u);
}

}  // namespace
}  // namespace orvane::test
