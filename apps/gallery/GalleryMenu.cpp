#include "GalleryMenu.h"

#include "controls/menu/cMenuItem.h"
#include "controls/menu/ucMenu.h"
#include "framework/drawing/cGDIPCache.h"
#include "host/Error.h"
#include "host/Form.h"
#include "host/StdPicture.h"
#include "services/imagelist/ucImageList.h"

namespace orvane {

using namespace platform;

namespace {

// A 16 x 16 picture: a rounded square of `colour` with a white bar, as a small icon.
std::shared_ptr<StdPicture> icon(COLORREF colour) {
    const HDC screen = GetDC(HWND());
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(HWND(), screen);
    const HGDIOBJ old = SelectObject(dc, bmp);
    const RECT all{0, 0, 16, 16};
    FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
    const HBRUSH fill = CreateSolidBrush(colour);
    const HGDIOBJ oldBrush = SelectObject(dc, fill);
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    RoundRect(dc, 1, 1, 16, 16, 5, 5);
    const RECT bar{4, 7, 12, 9};
    FillRect(dc, &bar, HBRUSH(GetStockObject(WHITE_BRUSH).value));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(fill);
    SelectObject(dc, old);
    DeleteDC(dc);
    return StdPicture::fromBitmap(bmp);
}

// The form's control of that name, or null.
UserControl* findControl(Form& form, const std::u16string& name) {
    try {
        return &form.control(name);
    } catch (const Error&) {
        return nullptr;
    }
}

}  // namespace

void buildGalleryMenu(Form& form) {
    auto* menu = dynamic_cast<ucMenu*>(findControl(form, u"mnuMain"));
    if (!menu) return;
    cGDIPCache& gc = *menu->GC();
    gc.AddImage(u"new", Variant(std::static_pointer_cast<Object>(icon(RGB(60, 140, 60)))));
    gc.AddImage(u"open", Variant(std::static_pointer_cast<Object>(icon(RGB(210, 150, 40)))));
    gc.AddImage(u"save", Variant(std::static_pointer_cast<Object>(icon(RGB(40, 100, 200)))));
    const auto ctrl = [](char16_t key) { return Variant(std::u16string(1, key)); };
    const auto flag = [](UINT f) { return static_cast<std::int32_t>(f); };
    menu->Create(form.hWnd());
    auto file = menu->AddMenu(u"&File");
    file->AddMenu(u"&New", u"new", 0, ctrl(u'n'), 2, 0, 0, u"", u"", 0, u"new");
    file->AddMenu(u"&Open\u2026", u"open", 0, ctrl(u'o'), 2, 0, 0, u"", u"", 0, u"open");
    file->AddMenu(u"&Save", u"save", 0, ctrl(u's'), 2, 0, 0, u"", u"", 0, u"save");
    file->AddMenu(u"", u"", 0, Variant(), 0, flag(MF_SEPARATOR));
    auto recent = file->AddMenu(u"&Recent files");
    recent->AddMenu(u"notes.txt");
    recent->AddMenu(u"\u65E5\u672C\u8A9E.txt");
    file->AddMenu(u"", u"", 0, Variant(), 0, flag(MF_SEPARATOR));
    file->AddMenu(u"E&xit", u"exit");
    auto edit = menu->AddMenu(u"&Edit");
    edit->AddMenu(u"&Undo", u"undo", 0, ctrl(u'z'), 2, flag(MF_GRAYED));
    edit->AddMenu(u"", u"", 0, Variant(), 0, flag(MF_SEPARATOR));
    const auto cut = edit->AddMenu(u"Cu&t", u"cut", 0, ctrl(u'x'), 2);
    const auto copy = edit->AddMenu(u"&Copy", u"copy", 0, ctrl(u'c'), 2);
    const auto paste = edit->AddMenu(u"&Paste", u"paste", 0, ctrl(u'v'), 2);
    // The Edit items draw their pictures from the form's image list.
    if (auto* images = dynamic_cast<ucImageList*>(findControl(form, u"imlMenu"))) {
        const COLORREF colours[] = {RGB(200, 60, 60), RGB(120, 80, 190), RGB(40, 150, 150)};
        const std::shared_ptr<clsSubMenu> items[] = {cut, copy, paste};
        // Made afresh each time the form loads (the list is saved with the form).
        images->Clear();
        for (int i = 0; i < 3; ++i) {
            const std::int32_t index =
                images->AddFromFile(Variant(std::static_pointer_cast<Object>(icon(colours[i]))));
            if (index <= 0) continue;
            const auto record = menu->GetMenuItemInfo(items[i]->ID);
            record->himl = static_cast<std::int32_t>(images->himl().value);
            record->IconIndex = index - 1;
        }
    }
    auto view = menu->AddMenu(u"&View");
    view->AddMenu(u"&Status bar", u"status", 0, Variant(), 0, flag(MF_CHECKED));
    view->AddMenu(u"&Toolbar", u"toolbar");
    view->AddMenu(u"", u"", 0, Variant(), 0, flag(MF_SEPARATOR));
    view->AddMenu(u"&Large icons");
    view->AddMenu(u"S&mall icons");
    view->AddMenu(u"&List");
    menu->RadioGroupAdd(2, 5, 3, 5);
    cMenuItem side;
    side.SidePosition = 1;
    side.SideWidth = 22;
    side.SideBackColorStart = RGB(40, 80, 160);
    side.SideBackColorEnd = RGB(120, 170, 230);
    side.SideCaption = u"Tools";
    side.SideForeColor = RGB(255, 255, 255);
    auto tools = menu->AddMenu(u"&Tools", u"tools", 0, 0, side);
    tools->AddMenu(u"&Options\u2026", u"options");
    tools->AddMenu(u"&Customize\u2026", u"customize");
    tools->AddMenu(u"&Word count", u"words", 0, Variant(std::int32_t{VK_F7}), 0);
    auto help = menu->AddMenu(u"&Help");
    help->AddMenu(u"&About the gallery", u"about", 0, Variant(std::int32_t{VK_F1}), 0);
    menu->ShowMenu();
}

}  // namespace orvane
