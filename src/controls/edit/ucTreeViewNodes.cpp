// The tree view's nodes: adding and deleting them with their records (key, tag, column
// texts), reading and writing their parts, finding their relatives, and the actions on them.
#include <algorithm>

#include "controls/edit/ucTreeView.h"
#include "host/TypeLibrary.h"

namespace orvane {

using namespace platform;

// --- Records ---

std::u16string ucTreeView::foldKey(const std::u16string& key) {
    return foldName(key);
}

std::size_t ucTreeView::newRecord() {
    if (!m_freeRecords.empty()) {
        const std::size_t index = m_freeRecords.back();
        m_freeRecords.pop_back();
        return index;
    }
    // The array grows by at least a step at a time (and by half again when larger, so that
    // filling it stays linear).
    if (m_records.size() == m_records.capacity())
        m_records.reserve(m_records.size() + std::max(kRecordStep, m_records.size() / 2));
    m_records.emplace_back();
    return m_records.size() - 1;
}

ucTreeView::NodeRecord* ucTreeView::record(std::int32_t hNode) {
    return const_cast<NodeRecord*>(std::as_const(*this).record(hNode));
}

const ucTreeView::NodeRecord* ucTreeView::record(std::int32_t hNode) const {
    TVITEMW it;
    it.mask = TVIF_PARAM;
    if (!hNode || !getItem(item(hNode), it)) return nullptr;
    if (it.lParam < 0 || static_cast<std::size_t>(it.lParam) >= m_records.size()) return nullptr;
    const NodeRecord& r = m_records[static_cast<std::size_t>(it.lParam)];
    return r.node == item(hNode) ? &r : nullptr;
}

void ucTreeView::forgetRecord(HTREEITEM node, LPARAM lParam) {
    if (lParam < 0 || static_cast<std::size_t>(lParam) >= m_records.size()) return;
    const auto index = static_cast<std::size_t>(lParam);
    NodeRecord& r = m_records[index];
    if (r.node != node) return;
    dropRecord(index);
}

void ucTreeView::dropRecord(std::size_t index) {
    NodeRecord& r = m_records[index];
    if (!m_recordKeys.empty()) {
        if (const auto key = m_recordKeys.find(index); key != m_recordKeys.end()) {
            const auto found = m_keys.find(foldKey(key->second));
            if (found != m_keys.end() && found->second == r.node) m_keys.erase(found);
            m_recordKeys.erase(key);
        }
    }
    if (!m_recordTags.empty()) m_recordTags.erase(index);
    m_staleColumns += r.columnsLength;
    r = NodeRecord();
    m_freeRecords.push_back(index);
}

std::u16string_view ucTreeView::subItem(const NodeRecord& r, std::size_t column) const {
    if (column < 1 || column > r.columnCount) return {};
    std::u16string_view rest(m_columnPool.data() + r.columnsAt, r.columnsLength);
    for (std::size_t c = 1; c < column; ++c)
        rest.remove_prefix(rest.find(u'\0') + 1);
    return rest.substr(0, rest.find(u'\0'));
}

void ucTreeView::setSubItems(NodeRecord& r, const std::vector<std::u16string_view>& columns) {
    m_staleColumns += r.columnsLength;
    // Past half stale, the live texts move to a new pool.
    if (m_staleColumns > 4096 && m_staleColumns * 2 > m_columnPool.size()) {
        std::u16string pool;
        pool.reserve(m_columnPool.size() - m_staleColumns + 64);
        for (NodeRecord& live : m_records) {
            if (!live.node || &live == &r || !live.columnsLength) continue;
            const auto at = static_cast<std::uint32_t>(pool.size());
            pool.append(m_columnPool, live.columnsAt, live.columnsLength);
            live.columnsAt = at;
        }
        m_columnPool = std::move(pool);
        m_staleColumns = 0;
    }
    r.columnsAt = static_cast<std::uint32_t>(m_columnPool.size());
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c) m_columnPool.push_back(u'\0');
        const std::u16string_view text = columns[c];
        m_columnPool.append(text.substr(0, text.find(u'\0')));
    }
    r.columnsLength = static_cast<std::uint32_t>(m_columnPool.size() - r.columnsAt);
    r.columnCount = static_cast<std::uint32_t>(columns.size());
}

void ucTreeView::purgeRecords() {
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        NodeRecord& r = m_records[i];
        if (!r.node || exists(r.node)) continue;
        dropRecord(i);
    }
}

// --- Adding and deleting ---

std::int32_t ucTreeView::AddNode(std::int32_t hRelative, std::int32_t relation,
                                 const std::u16string& key, const std::u16string& text,
                                 std::int32_t image, std::int32_t selectedImage, bool plusButton,
                                 const std::u16string& tag) {
    if (!m_tree) return 0;
    if (image == -1) image = I_IMAGENONE;
    if (selectedImage == -1) selectedImage = I_IMAGENONE;
    TVINSERTSTRUCTW ins;
    // A stale parent fails the insertion itself.
    const HTREEITEM relative = item(hRelative);
    if (!hRelative) {
        ins.hParent = TVI_ROOT;
        ins.hInsertAfter = relation == rFirst ? TVI_FIRST : relation == rSort ? TVI_SORT : TVI_LAST;
    } else {
        switch (relation) {
            case rLast:
            case rFirst:
            case rSort:
                ins.hParent = relative;
                ins.hInsertAfter = relation == rFirst  ? TVI_FIRST
                                   : relation == rSort ? TVI_SORT
                                                       : TVI_LAST;
                break;
            case rNext: {
                if (!exists(relative)) return 0;
                const HTREEITEM parent = item(next(relative, TVGN_PARENT));
                ins.hParent = parent ? parent : TVI_ROOT;
                ins.hInsertAfter = relative;
                break;
            }
            case rPrevious: {
                if (!exists(relative)) return 0;
                const HTREEITEM parent = item(next(relative, TVGN_PARENT));
                const HTREEITEM before = item(next(relative, TVGN_PREVIOUS));
                ins.hParent = parent ? parent : TVI_ROOT;
                ins.hInsertAfter = before ? before : TVI_FIRST;
                break;
            }
            default:
                return 0;
        }
    }
    // The text before the first "|" is the node's; the parts after it are its column texts.
    // The node's own text goes through a buffer kept between calls (the window copies it).
    static thread_local std::u16string nodeText;
    const std::u16string_view all(text);
    const std::size_t bar = all.find(u'|');
    nodeText.assign(all.substr(0, bar));
    const std::size_t index = newRecord();
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_SELECTEDIMAGE;
    ins.item.pszText = nodeText.data();
    ins.item.iImage = image;
    ins.item.iSelectedImage = selectedImage;
    ins.item.lParam = static_cast<LPARAM>(index);
    if (plusButton) {
        ins.item.mask |= TVIF_CHILDREN;
        ins.item.cChildren = 1;
    }
    const HTREEITEM node(
        static_cast<std::uint32_t>(send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins))));
    if (!node) {
        m_freeRecords.push_back(index);
        return 0;
    }
    NodeRecord& r = m_records[index];
    r.node = node;
    if (!tag.empty()) m_recordTags[index] = tag;
    // The column texts are split only now: a handler run by the insertion may have added
    // nodes of its own through the same scratch list.
    if (bar != std::u16string_view::npos) {
        static thread_local std::vector<std::u16string_view> columns;
        columns.clear();
        std::size_t from = bar + 1;
        for (;;) {
            const std::size_t end = all.find(u'|', from);
            columns.push_back(all.substr(from, end == all.npos ? end : end - from));
            if (end == all.npos) break;
            from = end + 1;
        }
        setSubItems(r, columns);
    }
    // A key in use stays with its first node; the new node then has none.
    if (!key.empty() && m_keys.emplace(foldKey(key), node).second) m_recordKeys[index] = key;
    if (m_checkBoxes) setCheck(node, etvwUnChecked);
    return handle(node);
}

bool ucTreeView::DeleteNode(std::int32_t hNode) {
    if (!hNode || !exists(item(hNode))) return false;
    return send(TVM_DELETEITEM, 0, static_cast<LPARAM>(hNode)) != 0;
}

void ucTreeView::Clear() {
    const bool held = m_holdDelete;
    m_holdDelete = true;
    send(TVM_DELETEITEM, 0, static_cast<LPARAM>(TVI_ROOT.value));
    m_holdDelete = held;
    m_records.clear();
    m_freeRecords.clear();
    m_keys.clear();
}

void ucTreeView::HoldDeletePostProcess(bool hold) {
    const bool release = m_holdDelete && !hold;
    m_holdDelete = hold;
    if (release) purgeRecords();
}

bool ucTreeView::IsValidKey(const std::u16string& key) const {
    return m_keys.find(foldKey(key)) == m_keys.end();
}

std::int32_t ucTreeView::GetKeyNode(const std::u16string& key) const {
    const auto found = m_keys.find(foldKey(key));
    return found == m_keys.end() ? 0 : handle(found->second);
}

std::u16string ucTreeView::GetNodeKey(std::int32_t hNode) const {
    const NodeRecord* r = record(hNode);
    if (!r) return {};
    const auto key = m_recordKeys.find(static_cast<std::size_t>(r - m_records.data()));
    return key == m_recordKeys.end() ? std::u16string() : key->second;
}

std::int32_t ucTreeView::GetNodeIndex(std::int32_t hNode) const {
    const NodeRecord* r = record(hNode);
    return r ? static_cast<std::int32_t>(r - m_records.data()) : -1;
}

std::vector<std::u16string> ucTreeView::GetNodeSubItems(std::int32_t hNode) const {
    const NodeRecord* r = record(hNode);
    std::vector<std::u16string> out;
    if (r)
        for (std::size_t c = 1; c <= r->columnCount; ++c)
            out.emplace_back(subItem(*r, c));
    return out;
}

bool ucTreeView::HasSubItems(std::int32_t index) const {
    return index >= 0 && static_cast<std::size_t>(index) < m_records.size() &&
           m_records[static_cast<std::size_t>(index)].node &&
           m_records[static_cast<std::size_t>(index)].columnCount > 0;
}

// --- A node's parts ---

bool ucTreeView::exists(HTREEITEM node) const {
    TVITEMW it;
    it.mask = TVIF_HANDLE;
    return node && getItem(node, it);
}

bool ucTreeView::itemRect(HTREEITEM node, bool textOnly, RECT& rc) const {
    // The message finds the node's handle where the rectangle starts.
    rc.left = static_cast<LONG>(node.value);
    return send(TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&rc)) != 0;
}

bool ucTreeView::getItem(HTREEITEM node, TVITEMW& it) const {
    if (!m_tree || !node) return false;
    it.hItem = node;
    it.mask |= TVIF_HANDLE;
    return send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it)) != 0;
}

UINT ucTreeView::itemState(HTREEITEM node, UINT mask) const {
    TVITEMW it;
    it.mask = TVIF_STATE;
    it.stateMask = mask;
    return getItem(node, it) ? (it.state & mask) : 0;
}

void ucTreeView::setItemState(HTREEITEM node, UINT mask, UINT value) {
    if (!m_tree || !node) return;
    TVITEMW it;
    it.mask = TVIF_STATE | TVIF_HANDLE;
    it.hItem = node;
    it.stateMask = mask;
    it.state = value;
    send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

std::u16string ucTreeView::NodeText(std::int32_t hNode) const {
    std::u16string buffer(260, u'\0');
    for (;;) {
        TVITEMW it;
        it.mask = TVIF_TEXT;
        it.pszText = buffer.data();
        it.cchTextMax = static_cast<int>(buffer.size());
        if (!getItem(item(hNode), it)) return std::u16string();
        const std::size_t length = std::char_traits<char16_t>::length(buffer.data());
        // A text that filled the buffer may have been cut: read again with room to spare.
        if (length + 1 < buffer.size() || buffer.size() >= (1u << 24)) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(buffer.size() * 4, u'\0');
    }
}

void ucTreeView::NodeText(std::int32_t hNode, std::u16string text) {
    if (!exists(item(hNode))) return;
    std::u16string copy = text;
    TVITEMW it;
    it.mask = TVIF_TEXT | TVIF_HANDLE;
    it.hItem = item(hNode);
    it.pszText = copy.data();
    send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

std::int32_t ucTreeView::NodeImage(std::int32_t hNode) const {
    TVITEMW it;
    it.mask = TVIF_IMAGE;
    if (!getItem(item(hNode), it)) return -1;
    return it.iImage == I_IMAGENONE ? -1 : it.iImage;
}

void ucTreeView::NodeImage(std::int32_t hNode, std::int32_t image) {
    if (!exists(item(hNode))) return;
    TVITEMW it;
    it.mask = TVIF_IMAGE | TVIF_HANDLE;
    it.hItem = item(hNode);
    it.iImage = image == -1 ? I_IMAGENONE : image;
    send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

std::int32_t ucTreeView::NodeSelectedImage(std::int32_t hNode) const {
    TVITEMW it;
    it.mask = TVIF_SELECTEDIMAGE;
    if (!getItem(item(hNode), it)) return -1;
    return it.iSelectedImage == I_IMAGENONE ? -1 : it.iSelectedImage;
}

void ucTreeView::NodeSelectedImage(std::int32_t hNode, std::int32_t image) {
    if (!exists(item(hNode))) return;
    TVITEMW it;
    it.mask = TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    it.hItem = item(hNode);
    it.iSelectedImage = image == -1 ? I_IMAGENONE : image;
    send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

bool ucTreeView::NodeBold(std::int32_t hNode) const {
    return itemState(item(hNode), TVIS_BOLD) != 0;
}

void ucTreeView::NodeBold(std::int32_t hNode, bool value) {
    setItemState(item(hNode), TVIS_BOLD, value ? TVIS_BOLD : 0);
}

bool ucTreeView::NodeGhosted(std::int32_t hNode) const {
    return itemState(item(hNode), TVIS_CUT) != 0;
}

void ucTreeView::NodeGhosted(std::int32_t hNode, bool value) {
    setItemState(item(hNode), TVIS_CUT, value ? TVIS_CUT : 0);
}

bool ucTreeView::NodeHilited(std::int32_t hNode) const {
    return itemState(item(hNode), TVIS_DROPHILITED) != 0;
}

void ucTreeView::NodeHilited(std::int32_t hNode, bool value) {
    setItemState(item(hNode), TVIS_DROPHILITED, value ? TVIS_DROPHILITED : 0);
}

bool ucTreeView::NodePlusMinusButton(std::int32_t hNode) const {
    TVITEMW it;
    it.mask = TVIF_CHILDREN;
    return getItem(item(hNode), it) && it.cChildren != 0;
}

void ucTreeView::NodePlusMinusButton(std::int32_t hNode, bool value) {
    if (!exists(item(hNode))) return;
    TVITEMW it;
    it.mask = TVIF_CHILDREN | TVIF_HANDLE;
    it.hItem = item(hNode);
    it.cChildren = value ? 1 : 0;
    send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

std::int32_t ucTreeView::checkOf(HTREEITEM node) const {
    return static_cast<std::int32_t>(itemState(node, TVIS_STATEIMAGEMASK) >> 12);
}

void ucTreeView::setCheck(HTREEITEM node, std::int32_t state) {
    setItemState(node, TVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(static_cast<UINT>(state)));
}

std::int32_t ucTreeView::NodeChecked(std::int32_t hNode) const {
    return checkOf(item(hNode));
}

void ucTreeView::NodeChecked(std::int32_t hNode, std::int32_t state) {
    if (state < etvwUnChecked || state > etvwGrayed) InvalidPropertyValue(u"NodeChecked");
    if (exists(item(hNode))) setCheck(item(hNode), state);
}

std::u16string ucTreeView::NodeSubItemText(std::int32_t hNode, std::int32_t subItem) const {
    const NodeRecord* r = record(hNode);
    return r ? std::u16string(this->subItem(*r, static_cast<std::size_t>(std::max(0, subItem))))
             : std::u16string();
}

void ucTreeView::NodeSubItemText(std::int32_t hNode, std::int32_t subItem,
                                 const std::u16string& text) {
    NodeRecord* r = record(hNode);
    if (!r || subItem < 1 || subItem > 1024) return;
    std::vector<std::u16string_view> columns(
        std::max<std::size_t>(r->columnCount, static_cast<std::size_t>(subItem)));
    // Copies first: the pool may move while the record is given its new texts.
    std::vector<std::u16string> kept;
    kept.reserve(columns.size());
    for (std::size_t c = 0; c < columns.size(); ++c)
        kept.emplace_back(c + 1 == static_cast<std::size_t>(subItem) ? std::u16string_view(text)
                                                                     : this->subItem(*r, c + 1));
    for (std::size_t c = 0; c < columns.size(); ++c)
        columns[c] = kept[c];
    setSubItems(*r, columns);
    RECT rc{};
    if (itemRect(item(hNode), false, rc)) InvalidateRect(m_tree, &rc, FALSE);
}

std::u16string ucTreeView::NodeTag(std::int32_t hNode) const {
    const NodeRecord* r = record(hNode);
    if (!r) return {};
    const auto tag = m_recordTags.find(static_cast<std::size_t>(r - m_records.data()));
    return tag == m_recordTags.end() ? std::u16string() : tag->second;
}

void ucTreeView::NodeTag(std::int32_t hNode, std::u16string tag) {
    const NodeRecord* r = record(hNode);
    if (!r) return;
    const auto index = static_cast<std::size_t>(r - m_records.data());
    if (tag.empty())
        m_recordTags.erase(index);
    else
        m_recordTags[index] = std::move(tag);
}

// --- Relatives ---

std::int32_t ucTreeView::next(HTREEITEM node, UINT code) const {
    return static_cast<std::int32_t>(send(TVM_GETNEXTITEM, code, static_cast<LPARAM>(node.value)));
}

std::int32_t ucTreeView::NodeRoot() const {
    return next(HTREEITEM(), TVGN_ROOT);
}

std::int32_t ucTreeView::NodeParent(std::int32_t hNode) const {
    return hNode ? next(item(hNode), TVGN_PARENT) : 0;
}

std::int32_t ucTreeView::NodeChild(std::int32_t hNode) const {
    return hNode ? next(item(hNode), TVGN_CHILD) : 0;
}

std::int32_t ucTreeView::NodeFirstVisible() const {
    return next(HTREEITEM(), TVGN_FIRSTVISIBLE);
}

std::int32_t ucTreeView::NodeLastVisible() const {
    return next(HTREEITEM(), TVGN_LASTVISIBLE);
}

std::int32_t ucTreeView::NodePrevious(std::int32_t hNode) const {
    return hNode ? next(item(hNode), TVGN_PREVIOUSVISIBLE) : 0;
}

std::int32_t ucTreeView::NodeNext(std::int32_t hNode) const {
    return hNode ? next(item(hNode), TVGN_NEXTVISIBLE) : 0;
}

std::int32_t ucTreeView::NodeFirstSibling(std::int32_t hNode) const {
    if (!exists(item(hNode))) return 0;
    const std::int32_t parent = NodeParent(hNode);
    return parent ? NodeChild(parent) : NodeRoot();
}

std::int32_t ucTreeView::NodeLastSibling(std::int32_t hNode) const {
    if (!exists(item(hNode))) return 0;
    std::int32_t last = hNode;
    while (const std::int32_t after = next(item(last), TVGN_NEXT))
        last = after;
    return last;
}

std::int32_t ucTreeView::NodePreviousSibling(std::int32_t hNode) const {
    return hNode ? next(item(hNode), TVGN_PREVIOUS) : 0;
}

std::int32_t ucTreeView::NodeNextSibling(std::int32_t hNode) const {
    return hNode ? next(item(hNode), TVGN_NEXT) : 0;
}

bool ucTreeView::NodeVisible(std::int32_t hNode, bool onlyText) const {
    if (!exists(item(hNode))) return false;
    RECT rc{};
    if (!itemRect(item(hNode), onlyText, rc)) return false;
    RECT client{}, inside{};
    GetClientRect(m_tree, &client);
    return IntersectRect(&inside, &rc, &client) != FALSE;
}

bool ucTreeView::NodeExpanded(std::int32_t hNode) const {
    return itemState(item(hNode), TVIS_EXPANDED) != 0;
}

void ucTreeView::NodeExpanded(std::int32_t hNode, bool value) {
    if (value)
        Expand(hNode);
    else
        Collapse(hNode);
}

bool ucTreeView::NodeExpandedOnce(std::int32_t hNode) const {
    return itemState(item(hNode), TVIS_EXPANDEDONCE) != 0;
}

std::int32_t ucTreeView::NodeCount() const {
    return static_cast<std::int32_t>(send(TVM_GETCOUNT));
}

std::int32_t ucTreeView::NodeChildren(std::int32_t hNode) const {
    std::int32_t count = 0;
    for (std::int32_t c = NodeChild(hNode); c; c = next(item(c), TVGN_NEXT))
        ++count;
    return count;
}

std::u16string ucTreeView::NodeFullPath(std::int32_t hNode, const std::u16string& separator) const {
    if (!exists(item(hNode))) return std::u16string();
    std::vector<std::u16string> parts;
    for (std::int32_t n = hNode; n; n = NodeParent(n))
        parts.push_back(NodeText(n));
    std::u16string path;
    for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
        if (!path.empty() || part != parts.rbegin()) path += separator;
        path += *part;
    }
    return path;
}

std::int32_t ucTreeView::NodeLevel(std::int32_t hNode) const {
    if (!exists(item(hNode))) return -1;
    std::int32_t level = 0;
    for (std::int32_t n = NodeParent(hNode); n; n = NodeParent(n))
        ++level;
    return level;
}

std::int32_t ucTreeView::SelectedNode() const {
    return next(HTREEITEM(), TVGN_CARET);
}

void ucTreeView::SelectedNode(std::int32_t hNode) {
    if (hNode && !exists(item(hNode))) return;
    send(TVM_SELECTITEM, TVGN_CARET, static_cast<LPARAM>(hNode));
}

// --- Actions ---

void ucTreeView::expandBelow(HTREEITEM node, UINT action) {
    // Depth first without recursion: deep trees cannot overflow the stack.
    std::vector<HTREEITEM> stack{node};
    while (!stack.empty()) {
        const HTREEITEM n = stack.back();
        stack.pop_back();
        if (!exists(n)) continue;  // a handler may delete nodes as they expand
        send(TVM_EXPAND, action, static_cast<LPARAM>(n.value));
        for (HTREEITEM c = item(next(n, TVGN_CHILD)); c; c = item(next(c, TVGN_NEXT)))
            stack.push_back(c);
    }
}

void ucTreeView::Expand(std::int32_t hNode, bool children) {
    if (!exists(item(hNode))) return;
    if (children)
        expandBelow(item(hNode), TVE_EXPAND);
    else
        send(TVM_EXPAND, TVE_EXPAND, static_cast<LPARAM>(hNode));
}

void ucTreeView::Collapse(std::int32_t hNode, bool children) {
    if (!exists(item(hNode))) return;
    if (children)
        expandBelow(item(hNode), TVE_COLLAPSE);
    else
        send(TVM_EXPAND, TVE_COLLAPSE, static_cast<LPARAM>(hNode));
}

void ucTreeView::EnsureVisible(std::int32_t hNode) {
    if (exists(item(hNode))) send(TVM_ENSUREVISIBLE, 0, static_cast<LPARAM>(hNode));
}

void ucTreeView::SortChildren(std::int32_t hNode, bool allLevels) {
    if (hNode && !exists(item(hNode))) return;
    send(TVM_SORTCHILDREN, allLevels ? TRUE : FALSE,
         static_cast<LPARAM>(hNode ? static_cast<std::uint32_t>(hNode) : TVI_ROOT.value));
}

void ucTreeView::CheckChildren(std::int32_t hNode, std::int32_t state) {
    if (!exists(item(hNode))) return;
    std::vector<HTREEITEM> stack;
    for (HTREEITEM c = item(next(item(hNode), TVGN_CHILD)); c; c = item(next(c, TVGN_NEXT)))
        stack.push_back(c);
    while (!stack.empty()) {
        const HTREEITEM n = stack.back();
        stack.pop_back();
        setCheck(n, state);
        for (HTREEITEM c = item(next(n, TVGN_CHILD)); c; c = item(next(c, TVGN_NEXT)))
            stack.push_back(c);
    }
}

void ucTreeView::recomputeAncestors(HTREEITEM node) {
    for (HTREEITEM parent = item(next(node, TVGN_PARENT)); parent;
         parent = item(next(parent, TVGN_PARENT))) {
        bool all = true, none = true;
        for (HTREEITEM c = item(next(parent, TVGN_CHILD)); c; c = item(next(c, TVGN_NEXT))) {
            const std::int32_t state = checkOf(c);
            if (state != etvwChecked) all = false;
            if (state != etvwUnChecked) none = false;
            if (!all && !none) break;
        }
        setCheck(parent, all ? etvwChecked : none ? etvwUnChecked : etvwGrayed);
    }
}

void ucTreeView::runCheckCascade(std::int32_t hNode) {
    const HTREEITEM node = item(hNode);
    if (!exists(node)) return;
    const HCURSOR before = SetCursor(LoadCursorW(HINSTANCE(), IDC_WAIT));
    const std::int32_t state = checkOf(node);
    BeginUpdate();
    CheckChildren(hNode, state);
    recomputeAncestors(node);
    EndUpdate();
    SetCursor(before);
    std::vector<Variant> args{Variant(hNode)};
    raise(evNodeCheck, args);
}

std::int32_t ucTreeView::HitTest(double x, double y, bool fullRowHit) const {
    if (!m_tree) return 0;
    POINT pt{toPixelsX(x), toPixelsY(y)};
    MapWindowPoints(hWnd(), m_tree, &pt, 1);
    TVHITTESTINFO hit;
    hit.pt = pt;
    const HTREEITEM node(
        static_cast<std::uint32_t>(send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))));
    if (!node) return 0;
    const UINT on = fullRowHit
                        ? (TVHT_ONITEM | TVHT_ONITEMBUTTON | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT)
                        : (TVHT_ONITEM | TVHT_ONITEMBUTTON);
    return (hit.flags & on) ? handle(node) : 0;
}

void ucTreeView::SetInsertionMark(std::int32_t hNode, bool insertAfter) {
    if (hNode && !exists(item(hNode))) return;
    send(TVM_SETINSERTMARK, insertAfter ? TRUE : FALSE, static_cast<LPARAM>(hNode));
}

void ucTreeView::SetHilitedNode(std::int32_t hNode) {
    if (hNode && !exists(item(hNode))) return;
    send(TVM_SELECTITEM, TVGN_DROPHILITE, static_cast<LPARAM>(hNode));
}

void ucTreeView::Scroll(std::int32_t direction) {
    if (!m_tree) return;
    static constexpr struct {
        UINT message;
        WPARAM code;
    } kScrolls[] = {
        {WM_VSCROLL, SB_TOP},       {WM_VSCROLL, SB_PAGEUP},    {WM_VSCROLL, SB_LINEUP},
        {WM_VSCROLL, SB_LINEDOWN},  {WM_VSCROLL, SB_PAGEDOWN},  {WM_VSCROLL, SB_BOTTOM},
        {WM_HSCROLL, SB_LEFT},      {WM_HSCROLL, SB_PAGELEFT},  {WM_HSCROLL, SB_LINELEFT},
        {WM_HSCROLL, SB_LINERIGHT}, {WM_HSCROLL, SB_PAGERIGHT}, {WM_HSCROLL, SB_RIGHT}};
    if (direction < sHome || direction > sRight) return;
    const auto& s = kScrolls[direction];
    send(s.message, s.code);
    send(s.message, SB_ENDSCROLL);
}

bool ucTreeView::StartLabelEdit(std::int32_t hNode) {
    if (!exists(item(hNode))) return false;
    // The tree edits only while it has the focus.
    if (GetFocus() != m_tree) SetFocus(m_tree);
    return send(TVM_EDITLABELW, 0, static_cast<LPARAM>(hNode)) != 0;
}

void ucTreeView::EndLabelEdit(bool cancel) {
    send(TVM_ENDEDITLABELNOW, cancel ? TRUE : FALSE);
}

}  // namespace orvane
