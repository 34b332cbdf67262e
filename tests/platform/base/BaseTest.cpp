// Rectangle helpers, handles and the clock.
#include <gtest/gtest.h>

#include "platform/base/Clock.h"
#include "platform/base/Geometry.h"
#include "platform/base/HandleTable.h"
#include "platform/gdi/Gdi.h"
#include "platform/testing.h"

namespace orvane::test {
namespace {

using namespace orvane::platform;

TEST(RectTest, IntersectUnionAndEmptiness) {
    const RECT a{0, 0, 10, 10}, b{5, 5, 15, 15}, far{20, 20, 30, 30}, empty{5, 5, 5, 9};
    RECT r;
    EXPECT_TRUE(IntersectRect(&r, &a, &b));
    EXPECT_EQ(r, (RECT{5, 5, 10, 10}));
    EXPECT_FALSE(IntersectRect(&r, &a, &far));
    EXPECT_EQ(r, (RECT{}));
    // Touching edges do not intersect: right and bottom are outside.
    const RECT touching{10, 0, 20, 10};
    EXPECT_FALSE(IntersectRect(&r, &a, &touching));
    EXPECT_TRUE(UnionRect(&r, &a, &far));
    EXPECT_EQ(r, (RECT{0, 0, 30, 30}));
    EXPECT_TRUE(UnionRect(&r, &empty, &a));  // empty rectangles are left out
    EXPECT_EQ(r, a);
    EXPECT_TRUE(IsRectEmpty(&empty));
    const RECT inverted{10, 10, 0, 0};
    EXPECT_TRUE(IsRectEmpty(&inverted));
    EXPECT_TRUE(PtInRect(&a, POINT{0, 0}));
    EXPECT_FALSE(PtInRect(&a, POINT{10, 5}));
    EXPECT_FALSE(PtInRect(&a, POINT{5, 10}));
    EXPECT_FALSE(IntersectRect(nullptr, &a, &b));
}

TEST(RectTest, SubtractOnlyWhenCoveredAlongAnAxis) {
    const RECT a{0, 0, 10, 10};
    RECT r;
    const RECT top{-5, -5, 15, 4};
    EXPECT_TRUE(SubtractRect(&r, &a, &top));
    EXPECT_EQ(r, (RECT{0, 4, 10, 10}));
    const RECT right{6, -1, 20, 11};
    EXPECT_TRUE(SubtractRect(&r, &a, &right));
    EXPECT_EQ(r, (RECT{0, 0, 6, 10}));
    const RECT middle{3, 3, 6, 6};  // a hole cannot be expressed: the rectangle stays
    EXPECT_TRUE(SubtractRect(&r, &a, &middle));
    EXPECT_EQ(r, a);
    const RECT all{-1, -1, 11, 11};
    EXPECT_FALSE(SubtractRect(&r, &a, &all));
    EXPECT_EQ(r, (RECT{}));
}

TEST(RectTest, OffsetInflateAndCompare) {
    RECT r;
    SetRect(&r, 1, 2, 3, 4);
    OffsetRect(&r, 10, 20);
    EXPECT_EQ(r, (RECT{11, 22, 13, 24}));
    InflateRect(&r, 1, -1);
    EXPECT_EQ(r, (RECT{10, 23, 14, 23}));
    RECT c;
    CopyRect(&c, &r);
    EXPECT_TRUE(EqualRect(&c, &r));
    SetRectEmpty(&c);
    EXPECT_FALSE(EqualRect(&c, &r));
}

TEST(HandleTest, HandlesAreGenerationCheckedAndTyped) {
    platform::testing::TestPlatform scope;
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_TRUE(brush);
    EXPECT_NE(brush.value >> 20, 0u);  // the generation lives in the high bits
    EXPECT_TRUE(DeleteObject(brush));
    // A new object may take the slot; the old handle still fails.
    HBRUSH next = CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_EQ(next.value & 0xFFFFF, brush.value & 0xFFFFF);
    EXPECT_NE(next, brush);
    SetLastError(0);
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    LOGBRUSH lb;
    EXPECT_EQ(GetObjectW(next, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbColor, RGB(4, 5, 6));
    // A brush is not a DC.
    EXPECT_FALSE(DeleteDC(HDC(next.value)));
    // The live counters see it, and stop seeing it once it is gone.
    EXPECT_EQ(GetLiveGdiObjectCount(), 1u);
    EXPECT_EQ(GetGuiResources(HANDLE(), GR_GDIOBJECTS), 1u);
    EXPECT_EQ(GetLiveObjectCount(ObjectKind::Brush), 1u);
    EXPECT_EQ(GetLiveObjectCount(ObjectKind::Pen), 0u);
    // Stock objects are never counted, and deleting one leaves it alive.
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    LOGBRUSH stock;
    EXPECT_EQ(GetObjectW(GetStockObject(BLACK_BRUSH), sizeof stock, &stock),
              static_cast<int>(sizeof stock));
    DeleteObject(next);
    EXPECT_EQ(GetLiveGdiObjectCount(), 0u);
    EXPECT_EQ(GetLiveObjectCount(ObjectKind::Brush), 0u);
}

TEST(ClockTest, VirtualClockMovesOnlyWhenTold) {
    platform::testing::TestPlatform scope({640, 480, 96, 5000});
    EXPECT_EQ(GetTickCount(), 5000u);
    EXPECT_EQ(GetTickCount64(), 5000u);
    Sleep(250);  // a virtual sleep moves time instead of waiting
    EXPECT_EQ(timeGetTime(), 5250u);
    scope.AdvanceTime(750);
    EXPECT_EQ(GetTickCount(), 6000u);
    // The 32-bit tick count wraps while the 64-bit one keeps counting.
    Clock::current().useVirtual(0xFFFFFFF0ull);
    Clock::current().advance(0x20);
    EXPECT_EQ(GetTickCount(), 0x10u);
    EXPECT_EQ(GetTickCount64(), 0x100000010ull);
}

}  // namespace
}  // namespace orvane::test
