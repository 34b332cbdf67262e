// The open-file dialog: a self-drawn modal window. Layout (pixels at 96 DPI): the folder at the
// top, folders on the left and matching files on the right, then the filter ("Files of type",
// a click shows the next one), the file name field and the Open and Cancel buttons.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/CodePages.h"
#include "platform/base/LastError.h"
#include "platform/gdi/Gdi.h"
#include "platform/shell/CommDlg.h"
#include "platform/text/CharCase.h"
#include "platform/text/DrawText.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

namespace fs = std::filesystem;

constexpr const char16_t* kClass = u"OrvaneFileDialog";
constexpr int kWidth = 480;
constexpr int kHeight = 330;
constexpr int kRow = 16;
constexpr RECT kFolders{8, 28, 160, 240};
constexpr RECT kFiles{168, 28, 472, 240};
constexpr RECT kFilter{8, 248, 472, 266};
constexpr RECT kName{80, 272, 472, 292};
constexpr RECT kOpen{320, 300, 392, 324};
constexpr RECT kCancel{400, 300, 472, 324};

DWORD& lastError() {
    static DWORD e = 0;
    return e;
}

std::function<void(HWND)>& hook() {
    static std::function<void(HWND)> h;
    return h;
}

std::u16string lower(std::u16string s) {
    CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

// "*" any run, "?" one character, without regard to case.
bool matches(std::u16string_view name, std::u16string_view pattern) {
    std::size_t n = 0, p = 0, star = std::u16string_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            mark = n;
        } else if (star != std::u16string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

struct Dialog {
    OPENFILENAMEW* ofn = nullptr;
    HWND hwnd;
    fs::path folder;
    std::vector<std::pair<std::u16string, std::u16string>> filters;  // description, patterns
    std::size_t filter = 0;
    std::vector<std::u16string> folders;
    std::vector<std::u16string> files;
    int folderSel = -1, fileSel = -1;
    std::u16string name;
    bool done = false;
    bool accepted = false;
    std::u16string result;

    void list() {
        folders.assign(1, u"..");
        files.clear();
        std::error_code ec;
        std::vector<std::u16string> patterns;
        if (filter < filters.size()) {
            std::u16string_view all = filters[filter].second;
            while (!all.empty()) {
                const std::size_t semi = all.find(u';');
                patterns.push_back(lower(std::u16string(all.substr(0, semi))));
                if (semi == std::u16string_view::npos) break;
                all = all.substr(semi + 1);
            }
        }
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::u16string leaf = FromUtf8(it->path().filename().string());
            if (leaf.empty() || leaf[0] == u'.') continue;  // hidden
            std::error_code e2;
            if (it->is_directory(e2)) {
                folders.push_back(leaf);
            } else if (patterns.empty() ||
                       std::any_of(patterns.begin(), patterns.end(),
                                   [&](const auto& p) { return matches(lower(leaf), p); })) {
                files.push_back(leaf);
            }
        }
        auto byName = [](const std::u16string& a, const std::u16string& b) {
            return lower(a) < lower(b);
        };
        std::sort(folders.begin() + 1, folders.end(), byName);
        std::sort(files.begin(), files.end(), byName);
        folderSel = fileSel = -1;
        InvalidateRect(hwnd, nullptr, TRUE);
    }

    void enter(const fs::path& to) {
        std::error_code ec;
        fs::path canonical = fs::weakly_canonical(to, ec);
        if (ec || !fs::is_directory(canonical, ec)) return;
        folder = canonical;
        name.clear();
        list();
    }

    // Open: a folder name goes into the folder; a file ends the dialog when it may.
    void accept() {
        if (name.empty()) return;
        fs::path chosen = fs::path(ToUtf8(name));
        if (chosen.is_relative()) chosen = folder / chosen;
        std::error_code ec;
        if (fs::is_directory(chosen, ec)) {
            enter(chosen);
            return;
        }
        const bool exists = fs::exists(chosen, ec);
        if (!exists && (ofn->Flags & OFN_FILEMUSTEXIST)) {
            const std::u16string text =
                name + u"\r\nFile not found.\r\nCheck the file name and try again.";
            MessageBoxW(hwnd, text.c_str(), ofn->lpstrTitle ? ofn->lpstrTitle : u"Open",
                        MB_ICONWARNING);
            return;
        }
        if (!exists && (ofn->Flags & OFN_PATHMUSTEXIST) &&
            !fs::is_directory(chosen.parent_path(), ec)) {
            const std::u16string text =
                name + u"\r\nPath does not exist.\r\nCheck the path and try again.";
            MessageBoxW(hwnd, text.c_str(), ofn->lpstrTitle ? ofn->lpstrTitle : u"Open",
                        MB_ICONWARNING);
            return;
        }
        result = FromUtf8(fs::weakly_canonical(chosen, ec).string());
        if (ec) result = FromUtf8(chosen.lexically_normal().string());
        accepted = true;
        done = true;
    }

    int rowAt(const RECT& box, int y) const { return (y - box.top - 2) / kRow; }

    void click(int x, int y, bool twice) {
        const POINT pt{x, y};
        if (PtInRect(&kFolders, pt)) {
            const int row = rowAt(kFolders, y);
            if (row < 0 || row >= static_cast<int>(folders.size())) return;
            folderSel = row;
            InvalidateRect(hwnd, &kFolders, TRUE);
            if (twice) enter(folder / ToUtf8(folders[static_cast<std::size_t>(row)]));
        } else if (PtInRect(&kFiles, pt)) {
            const int row = rowAt(kFiles, y);
            if (row < 0 || row >= static_cast<int>(files.size())) return;
            fileSel = row;
            name = files[static_cast<std::size_t>(row)];
            InvalidateRect(hwnd, nullptr, TRUE);
            if (twice) accept();
        } else if (PtInRect(&kFilter, pt) && !filters.empty()) {
            filter = (filter + 1) % filters.size();
            list();
        } else if (PtInRect(&kOpen, pt)) {
            accept();
        } else if (PtInRect(&kCancel, pt)) {
            done = true;
        }
    }

    void key(WPARAM vk) {
        if (vk == static_cast<WPARAM>(VK_RETURN)) {
            accept();
        } else if (vk == static_cast<WPARAM>(VK_ESCAPE)) {
            done = true;
        } else if ((vk == static_cast<WPARAM>(VK_DOWN) || vk == static_cast<WPARAM>(VK_UP)) &&
                   !files.empty()) {
            const int step = vk == static_cast<WPARAM>(VK_DOWN) ? 1 : -1;
            fileSel = std::clamp(fileSel + step, 0, static_cast<int>(files.size()) - 1);
            name = files[static_cast<std::size_t>(fileSel)];
            InvalidateRect(hwnd, nullptr, TRUE);
        }
    }

    void character(char16_t c) {
        if (c == u'\b') {
            if (!name.empty()) name.pop_back();
        } else if (c >= u' ') {
            name += c;
        } else {
            return;
        }
        InvalidateRect(hwnd, &kName, TRUE);
    }

    void drawList(HDC dc, const RECT& box, const std::vector<std::u16string>& items, int sel) {
        RECT frame = box;
        FillRect(dc, &frame, GetSysColorBrush(COLOR_WINDOW));
        DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
        const int visible = (box.bottom - box.top - 4) / kRow;
        const int first = sel >= visible ? sel - visible + 1 : 0;  // the selection stays in view
        for (int i = first; i < static_cast<int>(items.size()) && i < first + visible; ++i) {
            RECT row{box.left + 2, box.top + 2 + (i - first) * kRow, box.right - 2,
                     box.top + 2 + (i - first + 1) * kRow};
            const bool selected = i == sel;
            if (selected) FillRect(dc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            row.left += 3;
            DrawTextW(dc, items[static_cast<std::size_t>(i)].c_str(), -1, &row,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }

    void paint() {
        PAINTSTRUCT ps{};
        const HDC dc = BeginPaint(hwnd, &ps);
        const HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        RECT look{8, 6, kWidth - 8, 24};
        const std::u16string where = u"Look in: " + FromUtf8(folder.string());
        DrawTextW(dc, where.c_str(), -1, &look, DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
        drawList(dc, kFolders, folders, folderSel);
        drawList(dc, kFiles, files, fileSel);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        RECT filterText = kFilter;
        const std::u16string type =
            u"Files of type: " + (filter < filters.size() ? filters[filter].first : u"All");
        DrawTextW(dc, type.c_str(), -1, &filterText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        RECT label{8, kName.top, kName.left - 4, kName.bottom};
        DrawTextW(dc, u"File name:", -1, &label, DT_SINGLELINE | DT_VCENTER);
        RECT field = kName;
        FillRect(dc, &field, GetSysColorBrush(COLOR_WINDOW));
        DrawEdge(dc, &field, EDGE_SUNKEN, BF_RECT);
        RECT text{field.left + 4, field.top, field.right - 4, field.bottom};
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        const std::u16string shown = name + u"|";  // the caret at the end
        DrawTextW(dc, shown.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        for (const auto& [box, caption] :
             {std::pair{kOpen, u"&Open"}, std::pair{kCancel, u"Cancel"}}) {
            RECT b = box;
            DrawFrameControl(dc, &b, DFC_BUTTON, DFCS_BUTTONPUSH);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            DrawTextW(dc, caption, -1, &b, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        }
        SelectObject(dc, oldFont);
        EndPaint(hwnd, &ps);
    }
};

LRESULT dialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* d = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (d) {
        switch (msg) {
            case WM_PAINT:
                d->paint();
                return 0;
            case WM_LBUTTONDOWN:
                d->click(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), false);
                return 0;
            case WM_LBUTTONDBLCLK:
                d->click(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), true);
                return 0;
            case WM_KEYDOWN:
                d->key(wParam);
                return 0;
            case WM_CHAR:
                d->character(static_cast<char16_t>(wParam));
                return 0;
            case WM_CLOSE:
                d->done = true;
                return 0;
            default:
                break;
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The filter pairs of a "description\0patterns\0...\0\0" block.
std::vector<std::pair<std::u16string, std::u16string>> filterPairs(LPCWSTR block) {
    std::vector<std::pair<std::u16string, std::u16string>> pairs;
    if (!block) return pairs;
    for (const char16_t* p = block; *p;) {
        std::u16string description(p);
        p += description.size() + 1;
        if (!*p) break;
        std::u16string patterns(p);
        p += patterns.size() + 1;
        pairs.emplace_back(std::move(description), std::move(patterns));
    }
    return pairs;
}

}  // namespace

void SetFileDialogHook(std::function<void(HWND)> h) {
    hook() = std::move(h);
}

DWORD CommDlgExtendedError() {
    return lastError();
}

BOOL GetOpenFileNameW(OPENFILENAMEW* ofn) {
    lastError() = 0;
    if (!ofn || ofn->lStructSize != sizeof(OPENFILENAMEW)) {
        lastError() = CDERR_STRUCTSIZE;
        return FALSE;
    }
    constexpr DWORD kKnown = OFN_READONLY | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                             OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON | OFN_EXPLORER |
                             OFN_LONGNAMES | OFN_ENABLESIZING | OFN_DONTADDTORECENT;
    if ((ofn->Flags & ~kKnown) || ofn->lpfnHook || ofn->lpTemplateName || !ofn->lpstrFile ||
        ofn->nMaxFile == 0) {
        lastError() = CDERR_INITIALIZATION;
        return FALSE;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    if (!GetClassInfoExW(instance, kClass, &existing)) {
        WNDCLASSEXW wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &dialogProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(HINSTANCE(), IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kClass;
        if (!RegisterClassExW(&wc)) {
            lastError() = CDERR_INITIALIZATION;
            return FALSE;
        }
    }
    Dialog d;
    d.ofn = ofn;
    d.filters = filterPairs(ofn->lpstrFilter);
    d.filter =
        ofn->nFilterIndex > 0 && ofn->nFilterIndex <= d.filters.size() ? ofn->nFilterIndex - 1 : 0;
    std::error_code ec;
    d.folder = ofn->lpstrInitialDir && *ofn->lpstrInitialDir
                   ? fs::path(ToUtf8(ofn->lpstrInitialDir))
                   : fs::current_path(ec);
    d.name = ofn->lpstrFile;  // the initial name
    RECT frame{0, 0, kWidth, kHeight};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    d.hwnd = CreateWindowExW(
        0, kClass, ofn->lpstrTitle ? ofn->lpstrTitle : u"Open", style,
        (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h,
        ofn->hwndOwner == GetDesktopWindow() ? HWND() : ofn->hwndOwner, HMENU(), instance, nullptr);
    if (!d.hwnd) {
        lastError() = CDERR_INITIALIZATION;
        return FALSE;
    }
    SetWindowLongPtrW(d.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&d));
    std::u16string initialName = d.name;
    d.enter(d.folder);
    d.name = initialName;
    // Modal: the owner takes no input while the dialog is up.
    // (The desktop as owner means none: it is never disabled.)
    const HWND owner = ofn->hwndOwner == GetDesktopWindow() ? HWND() : ofn->hwndOwner;
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(d.hwnd, SW_SHOW);
    SetForegroundWindow(d.hwnd);
    SetFocus(d.hwnd);
    UpdateWindow(d.hwnd);
    if (hook()) hook()(d.hwnd);
    MSG msg;
    while (!d.done) {
        // With no display and nothing queued, no one can ever answer: it ends as cancelled.
        if (!MessageQueue::current().waitForEvents &&
            Clock::current().mode() != Clock::Mode::Virtual &&
            !PeekMessageW(&msg, HWND(), 0, 0, PM_NOREMOVE))
            break;
        const BOOL got = GetMessageW(&msg, HWND(), 0, 0);
        if (got == -1) break;
        if (got == FALSE) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    SetWindowLongPtrW(d.hwnd, GWLP_USERDATA, 0);
    DestroyWindow(d.hwnd);
    if (owner) SetFocus(owner);
    if (!d.accepted) return FALSE;
    if (d.result.size() + 1 > ofn->nMaxFile) {
        // As the system does: the size needed goes in the first two characters.
        if (ofn->nMaxFile >= 1) ofn->lpstrFile[0] = static_cast<char16_t>(d.result.size() + 1);
        lastError() = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    std::copy(d.result.begin(), d.result.end(), ofn->lpstrFile);
    ofn->lpstrFile[d.result.size()] = u'\0';
    const std::size_t slash = d.result.find_last_of(u'/');
    const std::size_t offset = slash == std::u16string::npos ? 0 : slash + 1;
    ofn->nFileOffset = static_cast<WORD>(offset);
    const std::size_t dot = d.result.find_last_of(u'.');
    ofn->nFileExtension =
        static_cast<WORD>(dot != std::u16string::npos && dot > offset ? dot + 1 : d.result.size());
    if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0) {
        const std::u16string title = d.result.substr(offset);
        const std::size_t n = std::min<std::size_t>(title.size(), ofn->nMaxFileTitle - 1);
        std::copy_n(title.data(), n, ofn->lpstrFileTitle);
        ofn->lpstrFileTitle[n] = u'\0';
    }
    return TRUE;
}

}  // namespace orvane::platform
