// The list view window ("SysListView32") in report view with five columns: an owner-data list
// of 1,000,000 rows made and painted, and scrolled by pages (also with one column, as the Qt
// peer's list has), the parent answering LVN_GETDISPINFOW; then a list holding 100,000 items
// of its own, filled and painted, and sorted by a numeric column with LVM_SORTITEMSEX and a
// callback that reads the texts back.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/comctl/CommCtrl.h"
#include "platform/testing.h"
#include "platform/text/TextLayout.h"

namespace {

using namespace orvane::platform;

constexpr int kColumns = 5;
constexpr int kOwnerRows = 1000000;
constexpr int kItems = 100000;

// The parent's view of the list: how many cells it was asked for.
int g_cellsAsked = 0;

// "Row 124" in the first column, "R124 C2" and so on in the others, written into the list's
// buffer.
void writeCell(int item, int subItem, LPWSTR buffer, int size) {
    std::u16string text = subItem == 0 ? u"Row " : u"R";
    for (char c : std::to_string(item + 1))
        text += static_cast<char16_t>(c);
    if (subItem > 0) {
        text += u" C";
        text += static_cast<char16_t>(u'0' + subItem);
    }
    const int n = std::min(static_cast<int>(text.size()), size - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = 0;
}

LRESULT parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == LVN_GETDISPINFOW) {
            auto* di = reinterpret_cast<NMLVDISPINFOW*>(hdr);
            if ((di->item.mask & LVIF_TEXT) && di->item.pszText && di->item.cchTextMax > 0) {
                writeCell(di->item.iItem, di->item.iSubItem, di->item.pszText, di->item.cchTextMax);
                ++g_cellsAsked;
            }
            return 0;
        }
        // One notification for all the items when the list goes, not one per item.
        if (hdr->code == LVN_DELETEALLITEMS) return TRUE;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A shown 800 × 600 window, as Qt's side has, for the lists to live in.
struct Setup {
    testing::TestPlatform platform;
    HWND parent;
    HFONT font;  // DejaVu Sans 9 pt, the peer's font
    Setup() {
        setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
        INITCOMMONCONTROLSEX icc;
        icc.dwICC = ICC_LISTVIEW_CLASSES;
        InitCommonControlsEx(&icc);
        WNDCLASSEXW wc;
        wc.lpfnWndProc = parentProc;
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = u"BenchListParent";
        RegisterClassExW(&wc);
        parent = CreateWindowExW(0, u"BenchListParent", u"", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600,
                                 HWND(), HMENU(), HINSTANCE(), nullptr);
        font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           u"DejaVu Sans");
        platform.PumpMessages();
    }
    ~Setup() {
        DestroyWindow(parent);
        DeleteObject(font);
    }
};

// A 400 × 600 report view of five columns (or of one, as wide as the view allows).
HWND reportView(const Setup& s, DWORD style, int columns = kColumns) {
    const HWND lv =
        CreateWindowExW(0, WC_LISTVIEWW, u"", WS_CHILD | WS_VISIBLE | LVS_REPORT | style, 0, 0, 400,
                        600, s.parent, HMENU(1), HINSTANCE(), nullptr);
    SendMessageW(lv, WM_SETFONT, static_cast<WPARAM>(s.font.value), FALSE);
    const char16_t* names[kColumns] = {u"Name", u"Size", u"Key", u"Other key", u"Note"};
    for (int c = 0; c < columns; ++c) {
        LVCOLUMNW col;
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.pszText = const_cast<LPWSTR>(names[c]);
        col.cx = columns == 1 ? 380 : c == 0 ? 120 : 90;
        col.fmt = c == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        SendMessageW(lv, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    }
    return lv;
}

int topIndex(HWND lv) {
    return static_cast<int>(SendMessageW(lv, LVM_GETTOPINDEX, 0, 0));
}

// The list made, given 1,000,000 rows and painted: the parent is asked for the cells on the
// first screen only. Every iteration starts with no laid-out lines or words kept, as a first
// paint would (the glyphs stay rasterized and what the face has learnt of how its characters
// shape stays, as the peer's glyph cache stays warm).
void ListOwnerDataFirstPaint(benchmark::State& state) {
    Setup s;
    int cells = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TextLayout::clearCache();
        state.ResumeTiming();
        g_cellsAsked = 0;
        const HWND lv = reportView(s, LVS_OWNERDATA);
        SendMessageW(lv, LVM_SETITEMCOUNT, kOwnerRows, 0);
        UpdateWindow(lv);
        state.PauseTiming();
        cells = g_cellsAsked;
        const bool painted = cells > 0 && topIndex(lv) == 0 && !GetUpdateRect(lv, nullptr, FALSE) &&
                             SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0) == kOwnerRows;
        DestroyWindow(lv);
        s.platform.PumpMessages();
        state.ResumeTiming();
        if (!painted) {
            state.SkipWithError("the list was not painted");
            break;
        }
    }
    state.counters["cells_asked"] = cells;
}
BENCHMARK(ListOwnerDataFirstPaint)->Unit(benchmark::kMicrosecond);

// One page down (back to the top from the last page), repainted.
void pageScroll(benchmark::State& state, int columns) {
    Setup s;
    const HWND lv = reportView(s, LVS_OWNERDATA, columns);
    SendMessageW(lv, LVM_SETITEMCOUNT, kOwnerRows, 0);
    s.platform.PumpMessages();
    const int page = static_cast<int>(SendMessageW(lv, LVM_GETCOUNTPERPAGE, 0, 0));
    std::int64_t moved = 0;
    g_cellsAsked = 0;
    for (auto _ : state) {
        const int before = topIndex(lv);
        const bool last = before + page >= kOwnerRows;
        SendMessageW(lv, WM_VSCROLL, last ? SB_TOP : SB_PAGEDOWN, 0);
        UpdateWindow(lv);
        moved += topIndex(lv) != before;
    }
    state.counters["rows_per_page"] = page;
    state.counters["cells_asked_per_scroll"] =
        benchmark::Counter(g_cellsAsked, benchmark::Counter::kAvgIterations);
    if (moved != static_cast<std::int64_t>(state.iterations()) || g_cellsAsked == 0 ||
        GetUpdateRect(lv, nullptr, FALSE))
        state.SkipWithError("the list did not scroll and repaint");
    DestroyWindow(lv);
}
void ListOwnerDataPageScroll(benchmark::State& state) {
    pageScroll(state, kColumns);
}
BENCHMARK(ListOwnerDataPageScroll)->Unit(benchmark::kMicrosecond);
// The same with one column, drawing one text a row as the peer's list does.
void ListOwnerDataPageScrollOneColumn(benchmark::State& state) {
    pageScroll(state, 1);
}
BENCHMARK(ListOwnerDataPageScrollOneColumn)->Unit(benchmark::kMicrosecond);

// A pseudo-random number for item i's numeric columns, the same on every run.
std::uint32_t keyOf(int i, std::uint32_t salt) {
    std::uint32_t x = static_cast<std::uint32_t>(i) * 2654435761u ^ salt;
    x ^= x >> 15;
    x *= 2246822519u;
    x ^= x >> 13;
    return x % 1000000000u;
}

std::u16string utf16(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

// The texts of 100,000 items of five columns: a name, a size, two numeric keys in random order
// and a note. Made once, so that filling a list times the list's work only.
const std::vector<std::u16string>& itemTexts() {
    static const std::vector<std::u16string> texts = [] {
        std::vector<std::u16string> t;
        t.reserve(static_cast<std::size_t>(kItems) * kColumns);
        for (int i = 0; i < kItems; ++i) {
            t.push_back(u"Item " + utf16(std::to_string(i + 1)));
            t.push_back(utf16(std::to_string((i * 37) % 4096)) + u" KB");
            t.push_back(utf16(std::to_string(keyOf(i, 0x9E3779B9u))));
            t.push_back(utf16(std::to_string(keyOf(i, 0x85EBCA6Bu))));
            t.push_back(u"Note " + utf16(std::to_string(i % 97)));
        }
        return t;
    }();
    return texts;
}

// Each item inserted, then its four sub-items set.
void fill(HWND lv, const std::vector<std::u16string>& texts) {
    for (int i = 0; i < kItems; ++i) {
        const std::u16string* cells = &texts[static_cast<std::size_t>(i) * kColumns];
        LVITEMW it;
        it.mask = LVIF_TEXT | LVIF_PARAM;
        it.iItem = i;
        it.pszText = const_cast<LPWSTR>(cells[0].c_str());
        it.lParam = i;
        const int at =
            static_cast<int>(SendMessageW(lv, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
        for (int c = 1; c < kColumns; ++c) {
            LVITEMW sub;
            sub.iSubItem = c;
            sub.pszText = const_cast<LPWSTR>(cells[c].c_str());
            SendMessageW(lv, LVM_SETITEMTEXTW, static_cast<WPARAM>(at),
                         reinterpret_cast<LPARAM>(&sub));
        }
    }
}

std::u16string textOf(HWND lv, int item, int subItem) {
    char16_t buffer[64] = {};
    LVITEMW it;
    it.iSubItem = subItem;
    it.pszText = buffer;
    it.cchTextMax = 64;
    SendMessageW(lv, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
    return buffer;
}

// 100,000 items inserted with their four sub-items each, and the list painted. The lists are
// made before and destroyed after the timed part.
void ListInsert100kAndPaint(benchmark::State& state) {
    Setup s;
    const std::vector<std::u16string>& texts = itemTexts();
    for (auto _ : state) {
        state.PauseTiming();
        const HWND lv = reportView(s, 0);
        s.platform.PumpMessages();
        state.ResumeTiming();
        fill(lv, texts);
        UpdateWindow(lv);
        state.PauseTiming();
        // Painted: nothing of the list waits for a paint any more.
        const bool filled = !GetUpdateRect(lv, nullptr, FALSE) &&
                            SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0) == kItems &&
                            textOf(lv, kItems - 1, 4) == texts.back();
        DestroyWindow(lv);
        s.platform.PumpMessages();
        state.ResumeTiming();
        if (!filled) {
            state.SkipWithError("the list was not filled and painted");
            break;
        }
    }
}
BENCHMARK(ListInsert100kAndPaint)->Unit(benchmark::kMillisecond);

// The sort's callback: each item's key parsed from its text once, on first sight, and kept by
// index; the indices name the same items until the sort ends.
struct NumericSort {
    HWND lv;
    int column;
    std::vector<std::int64_t> keys;  // -1: not read yet
    std::int64_t key(int i) {
        std::int64_t& k = keys[static_cast<std::size_t>(i)];
        if (k < 0) {
            char16_t buffer[32] = {};
            LVITEMW it;
            it.iSubItem = column;
            it.pszText = buffer;
            it.cchTextMax = 32;
            SendMessageW(lv, LVM_GETITEMTEXTW, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&it));
            k = 0;
            for (const char16_t* p = buffer; *p >= u'0' && *p <= u'9'; ++p)
                k = k * 10 + (*p - u'0');
        }
        return k;
    }
    static int compare(LPARAM a, LPARAM b, LPARAM self) {
        auto* s = reinterpret_cast<NumericSort*>(self);
        const std::int64_t x = s->key(static_cast<int>(a)), y = s->key(static_cast<int>(b));
        return x < y ? -1 : x > y ? 1 : 0;
    }
};

// The 100,000 items sorted by a numeric column. The two key columns are independent, so
// sorting by each in turn starts every sort from an order that is random for its key.
void ListSort100kNumeric(benchmark::State& state) {
    Setup s;
    const HWND lv = reportView(s, 0);
    fill(lv, itemTexts());
    s.platform.PumpMessages();
    NumericSort sort{lv, 2, {}};
    for (auto _ : state) {
        sort.column = sort.column == 2 ? 3 : 2;
        sort.keys.assign(kItems, -1);
        SendMessageW(lv, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(&sort),
                     reinterpret_cast<LPARAM>(&NumericSort::compare));
    }
    // The last sort's column is in order.
    sort.keys.assign(kItems, -1);
    for (int i = 1; i < kItems; ++i)
        if (sort.key(i - 1) > sort.key(i)) {
            state.SkipWithError("the items are not in order");
            break;
        }
    s.platform.PumpMessages();
    DestroyWindow(lv);
}
BENCHMARK(ListSort100kNumeric)->Unit(benchmark::kMillisecond);

}  // namespace
