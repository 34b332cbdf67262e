// Dragging list items (OLEDragMode 1): the drag starts from LVN_BEGINDRAG, carries the items'
// texts, and shows the drag image (hWndDrag) following the pointer until the drag ends.
#include <deque>
#include <functional>

#include "controls/edit/ucListView.h"
#include "controls/text/ucText.h"
#include "host/DataObject.h"
#include "support/ControlTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;

class ListViewDragTest : public orvane::test::ControlTest {
protected:
    static void queueMove(POINT p) { SetCursorPos(p.x, p.y); }
    static void queueRelease() {
        INPUT in;
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(1, &in, sizeof in);
    }
    static POINT cursor() {
        POINT p{};
        GetCursorPos(&p);
        return p;
    }
};

}  // namespace

TEST_F(ListViewDragTest, DraggedItemsCarryTheirTextsAndTheDragImageFollows) {
    Form form(u"Form1");
    auto& list = form.add<ucListView>(u"list", -1, box(10, 10, 300, 120));
    auto& text = form.add<ucText>(u"text", -1, box(10, 140, 300, 24));
    form.Show();
    pump();
    list.ViewMode(ucListView::vmDetails);
    list.MultiSelect(true);
    ASSERT_TRUE(list.InitializeList());
    list.ColumnAdd(0, u"Name", 150, 0, -1);
    for (int i = 0; i < 4; ++i)
        list.ItemAdd(i, u"Item " + std::u16string(1, static_cast<char16_t>(u'A' + i)), 0, -1);
    list.ItemSelected(1, true);
    list.ItemSelected(2, true);
    list.OLEDragMode(1);
    text.OLEDropMode(1);
    pump();

    std::u16string dropped;
    std::int32_t completed = -1;
    text.connect(ucText::evOLEDragDrop, [&](std::vector<Variant>& a) {
        dropped = CStr(std::dynamic_pointer_cast<DataObject>(a[0].object())->GetData(vbCFText));
    });
    list.connect(ucListView::evOLECompleteDrag, [&](std::vector<Variant>& a) {
        completed = CLng(a[0]);
        EXPECT_EQ(list.hWndDrag(), HWND()) << "the image is gone before the drag completes";
    });
    RECT shown1{}, shown2{};
    POINT at1{}, at2{};
    bool visible = false;
    HWND dragWindow;
    RECT target{};
    GetWindowRect(text.editWindow(), &target);
    const POINT overText{target.left + 40, target.top + 8};
    // Each feedback places the image at the pointer after the handler runs: the steps look
    // at the image the feedback before placed.
    std::deque<std::function<void()>> script = {
        [&] { queueMove(overText); },
        [&] {
            dragWindow = list.hWndDrag();
            visible = IsWindowVisible(dragWindow);
            GetWindowRect(dragWindow, &shown1);
            at1 = cursor();
            queueMove(POINT{overText.x + 30, overText.y + 3});
        },
        [&] {
            GetWindowRect(list.hWndDrag(), &shown2);
            at2 = cursor();
            queueRelease();
        },
    };
    list.connect(ucListView::evOLEGiveFeedback, [&](std::vector<Variant>&) {
        if (script.empty()) return;
        auto step = std::move(script.front());
        script.pop_front();
        step();
    });
    RECT item{};
    item.left = LVIR_LABEL;
    SendMessageW(list.hWndListView(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const POINT press = platform->ClientToScreenPoint(list.hWndListView(), item.left + 10,
                                                      (item.top + item.bottom) / 2);
    platform->MouseMove(press.x, press.y);
    platform->MouseDown();
    platform->MouseMove(press.x + 15, press.y + 5);  // LVN_BEGINDRAG: the drag runs here
    pump();

    EXPECT_TRUE(script.empty());
    EXPECT_NE(dragWindow, HWND());
    EXPECT_TRUE(visible);
    EXPECT_GT(shown1.right - shown1.left, 0);
    // The image keeps its place under the pointer, and does not hide the text box from the drag.
    EXPECT_EQ(shown2.left - shown1.left, at2.x - at1.x);
    EXPECT_EQ(shown2.top - shown1.top, at2.y - at1.y);
    EXPECT_NE(at2.x, at1.x);
    EXPECT_EQ(dropped, u"Item B\r\nItem C");
    EXPECT_EQ(completed, vbDropEffectMove);
    EXPECT_EQ(list.hWndDrag(), HWND());
    EXPECT_FALSE(IsWindow(dragWindow));
    EXPECT_EQ(FindWindowW(u"ImageListDragWindow", nullptr), HWND());
}
