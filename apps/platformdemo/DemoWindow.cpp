#include "DemoWindow.h"

#include "platform/text/Text.h"

namespace orvane::demo {

using namespace platform;

namespace {

void fill(HDC hdc, RECT rc, COLORREF color) {
    SetDCBrushColor(hdc, color);
    FillRect(hdc, &rc, HBRUSH(GetStockObject(DC_BRUSH)));
}

// A row of frame controls in their states.
void drawControls(HDC hdc, int x, int y) {
    const UINT kinds[] = {DFCS_BUTTONPUSH, DFCS_BUTTONCHECK, DFCS_BUTTONRADIO};
    const UINT states[] = {0, DFCS_CHECKED, DFCS_PUSHED, DFCS_INACTIVE | DFCS_CHECKED};
    for (int k = 0; k < 3; ++k) {
        for (int s = 0; s < 4; ++s) {
            RECT rc{x + s * 34, y + k * 30, x + s * 34 + (k == 0 ? 30 : 16),
                    y + k * 30 + (k == 0 ? 24 : 16)};
            DrawFrameControl(hdc, &rc, DFC_BUTTON, kinds[k] | states[s]);
        }
    }
    const UINT arrows[] = {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT,
                           DFCS_SCROLLCOMBOBOX};
    for (int i = 0; i < 5; ++i) {
        RECT rc{x + i * 22, y + 96, x + i * 22 + 17, y + 96 + 17};
        DrawFrameControl(hdc, &rc, DFC_SCROLL, arrows[i]);
    }
    const UINT captions[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE,
                             DFCS_CAPTIONHELP, DFCS_CAPTIONCLOSE};
    for (int i = 0; i < 5; ++i) {
        RECT rc{x + i * 26, y + 122, x + i * 26 + 22, y + 122 + 20};
        DrawFrameControl(hdc, &rc, DFC_CAPTION, captions[i]);
    }
}

void drawEdges(HDC hdc, int x, int y) {
    const UINT edges[] = {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP};
    for (int i = 0; i < 4; ++i) {
        RECT rc{x + i * 52, y, x + i * 52 + 44, y + 36};
        DrawEdge(hdc, &rc, edges[i], BF_RECT | BF_MIDDLE);
    }
    RECT flat{x, y + 44, x + 44, y + 80};
    DrawEdge(hdc, &flat, EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_MIDDLE);
    RECT focus{x + 52, y + 44, x + 96, y + 80};
    DrawFocusRect(hdc, &focus);
}

void drawShapes(HDC hdc, int x, int y) {
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 90, 160));
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 120, 215));
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    HGDIOBJ oldBrush = SelectObject(hdc, hatch);
    Ellipse(hdc, x, y, x + 70, y + 50);
    SelectObject(hdc, GetStockObject(WHITE_BRUSH));
    RoundRect(hdc, x + 80, y, x + 150, y + 50, 16, 16);
    const POINT star[] = {
        {x + 190, y}, {x + 202, y + 48}, {x + 160, y + 16}, {x + 220, y + 16}, {x + 178, y + 48}};
    SetPolyFillMode(hdc, WINDING);
    SelectObject(hdc, hatch);
    Polygon(hdc, star, 5);
    HPEN dash = CreatePen(PS_DASH, 1, RGB(200, 0, 0));
    SelectObject(hdc, dash);
    MoveToEx(hdc, x, y + 62, nullptr);
    LineTo(hdc, x + 220, y + 62);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldBrush);
    DeleteObject(dash);
    DeleteObject(pen);
    DeleteObject(hatch);
}

void drawGradientsAndBlending(HDC hdc, int x, int y) {
    TRIVERTEX v[2];
    v[0] = TRIVERTEX{x, y, 0x0000, 0x7800, 0xD700, 0};
    v[1] = TRIVERTEX{x + 220, y + 30, 0xFF00, 0xFF00, 0xFF00, 0};
    GRADIENT_RECT gr{0, 1};
    GdiGradientFill(hdc, v, 2, &gr, 1, GRADIENT_FILL_RECT_H);
    // A premultiplied 32-bit bitmap blended over the window: a red square fading out.
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = 64;
    bi.bmiHeader.biHeight = -32;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(hdc, &bi, DIB_RGB_COLORS, &bits, HANDLE(), 0);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int row = 0; row < 32; ++row)
        for (int col = 0; col < 64; ++col) {
            const std::uint32_t a = 255 - col * 4;
            px[row * 64 + col] = (a << 24) | (a << 16);  // premultiplied red
        }
    HDC mem = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(mem, dib);
    BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(hdc, x, y + 40, 128, 32, mem, 0, 0, 64, 32, bf);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(dib);
}

}  // namespace

HWND DemoWindow::create() {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hbrBackground = HBRUSH(static_cast<std::uint32_t>(COLOR_BTNFACE + 1));
    wc.hCursor = LoadCursorW(HINSTANCE(), IDC_ARROW);
    wc.lpszClassName = u"OrvanePlatformDemo";
    RegisterClassExW(&wc);
    wc.lpfnWndProc = panelProc;
    wc.hbrBackground = HBRUSH(static_cast<std::uint32_t>(COLOR_WINDOW + 1));
    wc.lpszClassName = u"OrvaneDemoPanel";
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, u"OrvanePlatformDemo", u"Orvane platform",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 680, 500, HWND(),
                                HMENU(), HINSTANCE(), nullptr);
    CreateWindowExW(WS_EX_CLIENTEDGE, u"OrvaneDemoPanel", u"",
                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 400, 20, 200, 150, hwnd,
                    HMENU(1u), HINSTANCE(), nullptr);
    CreateWindowExW(0, u"OrvaneDemoPanel", u"", WS_CHILD | WS_VISIBLE | WS_BORDER, 400, 190, 200,
                    150, hwnd, HMENU(2u), HINSTANCE(), nullptr);
    ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

void drawText(HDC hdc, int x, int y) {
    struct Line {
        const char16_t* face;
        int height;
        int weight;
        const char16_t* text;
    };
    const Line lines[] = {
        {u"Segoe UI", -12, FW_NORMAL,
         u"Segoe UI 9 pt: The quick brown fox jumps over the lazy dog."},
        {u"Times New Roman", -16, FW_BOLD,
         u"Bold serif, ligatures: office, ﬁ, and kerning: AVATAR"},
        {u"Tahoma", -14, FW_NORMAL, u"中文 日本語 한국어 עברית 123 مرحبا हिन्दी ภาษาไทย 😀🎉"},
    };
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(0, 0, 0));
    for (const Line& line : lines) {
        HFONT font = CreateFontW(line.height, 0, 0, 0, line.weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                 0, 0, line.face);
        HGDIOBJ old = SelectObject(hdc, font);
        int length = 0;
        while (line.text[length])
            ++length;
        TextOutW(hdc, x, y, line.text, length);
        TEXTMETRICW tm;
        GetTextMetricsW(hdc, &tm);
        y += tm.tmHeight + 4;
        SelectObject(hdc, old);
        DeleteObject(font);
    }
}

void DemoWindow::paint(HWND, HDC hdc) {
    drawText(hdc, 20, 380);
    drawControls(hdc, 20, 20);
    drawEdges(hdc, 180, 20);
    drawShapes(hdc, 20, 200);
    drawGradientsAndBlending(hdc, 20, 290);
}

LRESULT DemoWindow::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(hwnd, &ps);
            paint(hwnd, hdc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A panel that paints a checkerboard and follows the mouse with a marker.
LRESULT DemoWindow::panelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(hwnd, &ps);
            RECT rc;
            GetClientRect(hwnd, &rc);
            for (int y = 0; y < rc.bottom; y += 16)
                for (int x = 0; x < rc.right; x += 16)
                    if (((x + y) / 16) % 2)
                        fill(hdc, RECT{x, y, x + 16, y + 16}, RGB(230, 236, 245));
            const LONG_PTR mark = GetWindowLongPtrW(hwnd, GWLP_USERDATA);
            if (mark) {
                const int mx = GET_X_LPARAM(mark), my = GET_Y_LPARAM(mark);
                fill(hdc, RECT{mx - 4, my - 4, mx + 4, my + 4}, RGB(215, 120, 0));
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_VSCROLL:
        case WM_HSCROLL: {
            const int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
            int pos = GetScrollPos(hwnd, bar);
            switch (LOWORD(wParam)) {
                case SB_LINEUP:
                    pos -= 1;
                    break;
                case SB_LINEDOWN:
                    pos += 1;
                    break;
                case SB_PAGEUP:
                    pos -= 10;
                    break;
                case SB_PAGEDOWN:
                    pos += 10;
                    break;
            }
            SetScrollPos(hwnd, bar, pos, TRUE);
            return 0;
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace orvane::demo
