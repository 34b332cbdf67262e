// Files dragged in from the desktop through SDL, on SDL's dummy video driver (no display
// needed): the names between SDL_DROPBEGIN and SDL_DROPCOMPLETE make one drop on the
// registered target under the pointer, a file without a begin is a drop of its own, and text
// drops are ignored.
#include <SDL.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/display/sdl/SdlDisplay.h"
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

using namespace platform;

// Takes every drop and keeps the names it brought.
class FileTarget : public IDropTarget {
public:
    HRESULT DragEnter(IDataObject* d, DWORD, POINTL, DWORD*) override {
        data = d;
        return S_OK;
    }
    HRESULT DragOver(DWORD, POINTL, DWORD*) override { return S_OK; }
    HRESULT DragLeave() override { return S_OK; }
    HRESULT Drop(IDataObject* d, DWORD, POINTL, DWORD*) override {
        FORMATETC f;
        f.cfFormat = CF_HDROP;
        STGMEDIUM m;
        if (d->GetData(&f, &m) != S_OK) return E_UNEXPECTED;
        drops.push_back(FileDropNames(m.hGlobal));
        ReleaseStgMedium(&m);
        return S_OK;
    }
    IDataObject* data = nullptr;
    std::vector<std::vector<std::u16string>> drops;
};

class SdlDropTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        started = SdlDisplay::start();
    }
    void TearDown() override {
        SdlDisplay::stop();
        PlatformTest::TearDown();
    }
    static void push(Uint32 type, const char* file = nullptr) {
        SDL_Event e{};
        e.type = type;
        e.drop.file = file ? SDL_strdup(file) : nullptr;
        SDL_PushEvent(&e);
    }
    bool started = false;
};

TEST_F(SdlDropTest, DesktopFileDropsReachTheTargetUnderThePointer) {
    if (!started) GTEST_SKIP() << "SDL's dummy video driver is not available";
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    WNDCLASSEXW wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"SdlDropWindow";
    RegisterClassExW(&wc);
    // A window under wherever the desktop's pointer is.
    const HWND w = CreateWindowExW(0, u"SdlDropWindow", u"", WS_POPUP | WS_VISIBLE, x - 50, y - 50,
                                   100, 100, HWND(), HMENU(), HINSTANCE(), nullptr);
    FileTarget target;
    ASSERT_EQ(RegisterDragDrop(w, &target), S_OK);

    push(SDL_DROPBEGIN);
    push(SDL_DROPFILE, "ü/a.txt");
    push(SDL_DROPTEXT, "some text");
    push(SDL_DROPFILE, "b.png");
    push(SDL_DROPCOMPLETE);
    push(SDL_DROPFILE, "alone");  // without a begin: a drop of its own
    platform->PumpMessages();
    ASSERT_EQ(target.drops.size(), 2u);
    EXPECT_EQ(target.drops[0], (std::vector<std::u16string>{u"ü/a.txt", u"b.png"}));
    EXPECT_EQ(target.drops[1], std::vector<std::u16string>{u"alone"});
    DestroyWindow(w);
    // Nothing under the pointer: the names go nowhere, and nothing is left behind.
    push(SDL_DROPFILE, "/nowhere");
    platform->PumpMessages();
    EXPECT_EQ(target.drops.size(), 2u);
    EXPECT_EQ(GetLiveGlobalCount(), 0u);
}

}  // namespace
}  // namespace orvane::test
