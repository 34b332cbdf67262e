#include "GalleryTrees.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "controls/edit/ucTreeView.h"
#include "host/Error.h"
#include "host/Form.h"
#include "platform/base/CodePages.h"

namespace orvane {

namespace {

constexpr std::size_t kMaxFolders = 400;  // per folder read

// The folders directly inside `path`, sorted, up to kMaxFolders of them.
std::vector<std::string> subfolders(const std::string& path) {
    namespace fs = std::filesystem;
    std::vector<std::string> out;
    std::error_code ec;
    for (fs::directory_iterator it(path, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end && out.size() < kMaxFolders; it.increment(ec)) {
        std::error_code linkError, dirError;
        if (it->is_symlink(linkError) || !it->is_directory(dirError) || dirError) continue;
        out.push_back(it->path().filename().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Adds the folders inside the node's folder (its tag), each with a button until it is opened.
void loadFolder(ucTreeView& tv, std::int32_t node) {
    const std::string path = platform::ToUtf8(tv.NodeTag(node));
    const std::vector<std::string> folders = subfolders(path);
    if (folders.empty()) {
        tv.NodePlusMinusButton(node, false);
        return;
    }
    tv.BeginUpdate();
    for (const std::string& name : folders) {
        const std::string child = path == "/" ? "/" + name : path + "/" + name;
        const std::u16string full = platform::FromUtf8(child);
        tv.AddNode(node, ucTreeView::rLast, full, platform::FromUtf8(name), -1, -1, true, full);
    }
    tv.EndUpdate();
}

void fillFolders(ucTreeView& tv) {
    tv.HasButtons(true);
    tv.HasLines(true);
    tv.HasRootLines(true);
    if (!tv.InitializeTree()) return;
    const std::int32_t root = tv.AddNode(0, ucTreeView::rLast, u"/", u"/", -1, -1, true, u"/");
    // A folder is read the first time it opens.
    tv.connect(ucTreeView::evBeforeExpand, [&tv](std::vector<Variant>& a) {
        const std::int32_t node = CLng(a[0]);
        if (!tv.NodeChild(node)) loadFolder(tv, node);
    });
    tv.Expand(root);
}

void fillPlan(ucTreeView& tv) {
    tv.HasButtons(true);
    tv.HasLines(true);
    tv.HasRootLines(true);
    tv.CheckBoxes(true);
    tv.MultiColumn(true);
    if (!tv.InitializeTree()) return;
    tv.AddColumn(u"Step", 135);
    tv.AddColumn(u"Owner", 60);
    tv.AddColumn(u"Due", 45, 1);
    const struct {
        const char16_t* parent;
        std::vector<const char16_t*> children;
    } plan[] = {{u"Design|Ana|Mon", {u"Sketches|Ana|Mon", u"Review|Ben|Tue"}},
                {u"Build|Ben|Fri", {u"Platform|Ben|Wed", u"Controls|Cho|Thu", u"Gallery|Ana|Fri"}},
                {u"Release|Cho|Sat", {u"Notes|Cho|Sat", u"Packages|Dev|Sat"}}};
    for (const auto& step : plan) {
        const std::int32_t parent = tv.AddNode(0, ucTreeView::rLast, u"", step.parent);
        for (const char16_t* child : step.children)
            tv.AddNode(parent, ucTreeView::rLast, u"", child);
        tv.Expand(parent);
    }
}

ucTreeView* findTree(Form& form, const std::u16string& name) {
    try {
        return dynamic_cast<ucTreeView*>(&form.control(name));
    } catch (const Error&) {
        return nullptr;
    }
}

}  // namespace

void fillGalleryTrees(Form& form) {
    if (ucTreeView* folders = findTree(form, u"tvFolders"); folders && !folders->hWndTreeView())
        fillFolders(*folders);
    if (ucTreeView* plan = findTree(form, u"tvPlan"); plan && !plan->hWndTreeView())
        fillPlan(*plan);
}

}  // namespace orvane
