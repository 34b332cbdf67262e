#include "GalleryLists.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "controls/edit/ucListView.h"
#include "host/Error.h"
#include "host/Form.h"
#include "platform/base/CodePages.h"

namespace orvane {

namespace {

struct FileRow {
    std::u16string name, folder, modified;
    std::uintmax_t size = 0;
    int percent = 0;  // of the largest file in its folder
    int stars = 0;    // from the size's order of magnitude
};

constexpr std::size_t kMaxRows = 4000;
const char* const kRoots[] = {"/usr/include", "/usr/share/doc"};

// The files under the first root that has any, read once: up to kMaxRows of them.
const std::vector<FileRow>& fileRows() {
    static const std::vector<FileRow> rows = [] {
        namespace fs = std::filesystem;
        std::vector<FileRow> out;
        for (const char* root : kRoots) {
            std::error_code ec;
            fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied,
                                                ec),
                end;
            for (; !ec && it != end && out.size() < kMaxRows; it.increment(ec)) {
                std::error_code fileError;
                if (!it->is_regular_file(fileError) || fileError) continue;
                FileRow row;
                const fs::path relative = it->path().lexically_relative(root);
                row.name = platform::FromUtf8(it->path().filename().string());
                const auto first = relative.begin();
                row.folder = std::next(first) == relative.end()
                                 ? u"(top)"
                                 : platform::FromUtf8(first->string());
                row.size = it->file_size(fileError);
                const auto written = fs::last_write_time(it->path(), fileError);
                if (!fileError) {
                    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                        written - fs::file_time_type::clock::now() +
                        std::chrono::system_clock::now().time_since_epoch());
                    const std::time_t t = static_cast<std::time_t>(seconds.count());
                    char text[16] = {};
                    std::tm tm{};
                    if (gmtime_r(&t, &tm)) std::strftime(text, sizeof(text), "%Y-%m-%d", &tm);
                    row.modified = platform::FromUtf8(text);
                }
                out.push_back(std::move(row));
            }
            if (!out.empty()) break;
        }
        std::map<std::u16string, std::uintmax_t> largest;
        for (const FileRow& r : out)
            largest[r.folder] = std::max(largest[r.folder], r.size);
        for (FileRow& r : out) {
            const std::uintmax_t top = std::max<std::uintmax_t>(1, largest[r.folder]);
            r.percent = static_cast<int>(r.size * 100 / top);
            r.stars =
                std::clamp(static_cast<int>(std::log10(static_cast<double>(r.size) + 1)) - 1, 0, 5);
        }
        return out;
    }();
    return rows;
}

// The folders with the most files, in that order; the rest share "Other".
std::vector<std::u16string> groupsOf(const std::vector<FileRow>& rows) {
    std::map<std::u16string, int> counts;
    for (const FileRow& r : rows)
        ++counts[r.folder];
    std::vector<std::pair<int, std::u16string>> order;
    for (const auto& [folder, n] : counts)
        order.emplace_back(-n, folder);
    std::sort(order.begin(), order.end());
    std::vector<std::u16string> out;
    for (std::size_t i = 0; i < order.size() && i < 7; ++i)
        out.push_back(order[i].second);
    return out;
}

bool contains(const std::u16string& text, const std::u16string& part) {
    if (part.empty()) return true;
    auto fold = [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    };
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [&](char16_t a, char16_t b) { return fold(a) == fold(b); }) != text.end();
}

// Puts the rows that pass the name and folder filters in the list, in their groups.
void showFiles(ucListView& lv) {
    const std::vector<FileRow>& rows = fileRows();
    const std::vector<std::u16string> groups = groupsOf(rows);
    const std::u16string byName = lv.ColumnFilterText(0), byFolder = lv.ColumnFilterText(1);
    lv.NoRedraw(true);
    lv.Clear();
    std::int32_t at = 0;
    for (const FileRow& r : rows) {
        if (!contains(r.name, byName) || !contains(r.folder, byFolder)) continue;
        const std::int32_t item = lv.ItemAdd(at++, r.name, 0, -1);
        lv.SubItemText(item, 1, r.folder);
        lv.SubItemText(item, 2, CStr(Variant(static_cast<double>(r.size))));
        lv.SubItemText(item, 3, r.modified);
        lv.SubItemText(item, 4, CStr(Variant(static_cast<std::int32_t>(r.percent))));
        lv.SubItemText(item, 5, CStr(Variant(static_cast<std::int32_t>(r.stars))));
        const auto g = std::find(groups.begin(), groups.end(), r.folder);
        lv.ItemGroup(item,
                     g == groups.end() ? 0 : static_cast<std::int32_t>(g - groups.begin()) + 1);
    }
    lv.NoRedraw(false);
}

void fillFiles(ucListView& lv) {
    lv.ViewMode(ucListView::vmDetails);
    if (!lv.InitializeList()) return;
    lv.ColumnAdd(0, u"Name", 142, 0, -1);
    lv.ColumnAdd(1, u"Folder", 90, 0, -1);
    lv.ColumnAdd(2, u"Size", 70, 1, -1);
    lv.ColumnAdd(3, u"Modified", 88, 0, -1);
    lv.ColumnAdd(4, u"Share", 80, 0, -1);
    lv.ColumnAdd(5, u"Rating", 84, 0, -1);
    lv.ProgressColumn(4);
    lv.RankingColumn(5);
    lv.ColumnFilters(true);
    for (int c = 0; c < 2; ++c)
        lv.ColumnFilterType(c, ucListView::ftString);
    const std::vector<std::u16string> groups = groupsOf(fileRows());
    for (std::size_t g = 0; g < groups.size(); ++g)
        lv.GroupAdd(static_cast<std::int32_t>(g) + 1, groups[g], 0, u"", 0);
    lv.GroupAdd(0, u"Other", 0, u"", 0);
    for (std::int32_t g = 0; g <= static_cast<std::int32_t>(groups.size()); ++g)
        lv.GroupCollapsible(g, true);
    lv.GroupsEnable(true);
    showFiles(lv);
    // A click on a column sorts by it, the other way on the next click.
    lv.connect(ucListView::evColumnClick, [&lv](std::vector<Variant>& a) {
        const std::int32_t column = CLng(a[0]);
        const std::int32_t order = lv.ColumnOrder(column) == ucListView::soAscending
                                       ? ucListView::soDescending
                                       : ucListView::soAscending;
        const std::int32_t type = column == 3   ? ucListView::stDate
                                  : column >= 2 ? ucListView::stNumeric
                                                : ucListView::stString;
        for (std::int32_t c = 0; c < lv.ColumnCount(); ++c)
            lv.ColumnOrder(c, ucListView::soDefault);
        lv.ColumnOrder(column, order);
        lv.ColumnSetFocus(column);
        lv.Sort(column, order, type);
    });
    // Typing in a filter shows the matching rows once the typing pauses.
    lv.connect(ucListView::evFilterTimeout, [&lv](std::vector<Variant>&) { showFiles(lv); });
}

void fillRows(ucListView& lv) {
    lv.ViewMode(ucListView::vmDetails);
    lv.Virtual(true);
    if (!lv.InitializeList()) return;
    lv.ColumnAdd(0, u"Row", 90, 0, -1);
    lv.ColumnAdd(1, u"Hex", 80, 1, -1);
    lv.ColumnAdd(2, u"Square root", 100, 1, -1);
    lv.ColumnAdd(3, u"Binary digits", 100, 1, -1);
    lv.connect(ucListView::evItemDataRequest, [](std::vector<Variant>& a) {
        const std::int32_t row = CLng(a[0]);
        char text[40] = {};
        switch (CLng(a[1])) {
            case 0:
                std::snprintf(text, sizeof(text), "Row %d", row + 1);
                break;
            case 1:
                std::snprintf(text, sizeof(text), "%X", row + 1);
                break;
            case 2:
                std::snprintf(text, sizeof(text), "%.4f", std::sqrt(static_cast<double>(row + 1)));
                break;
            default: {
                int bits = 0;
                for (unsigned v = static_cast<unsigned>(row + 1); v; v >>= 1)
                    ++bits;
                std::snprintf(text, sizeof(text), "%d", bits);
            }
        }
        a[3] = Variant(platform::FromUtf8(text));
    });
    lv.Items(1000000);
}

ucListView* findList(Form& form, const std::u16string& name) {
    try {
        return dynamic_cast<ucListView*>(&form.control(name));
    } catch (const Error&) {
        return nullptr;
    }
}

}  // namespace

void fillGalleryLists(Form& form) {
    // Lists filled already keep their rows and handlers; a list made again is filled anew.
    if (ucListView* files = findList(form, u"lvFiles"); files && !files->hWndListView())
        fillFiles(*files);
    if (ucListView* rows = findList(form, u"lvRows"); rows && !rows->hWndListView())
        fillRows(*rows);
}

}  // namespace orvane
