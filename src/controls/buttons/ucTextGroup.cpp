#include "controls/buttons/ucTextGroup.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "host/ClassBuilder.h"
#include "host/ControlClasses.h"
#include "platform/user/Edit.h"

namespace orvane {

using namespace platform;

namespace {

// The family's events come after Change, each one number later.
constexpr int kOwnEvents =
    static_cast<int>(ucTextGroup::evClick) - static_cast<int>(ChoiceGroup::evClick);
static_assert(static_cast<int>(ucTextGroup::evMouseLeave) -
                  static_cast<int>(ChoiceGroup::evMouseLeave) ==
              kOwnEvents);

// The field lies inside the face's edge, which is two pixels deep without visual styles.
constexpr int kFaceEdge = 2;

}  // namespace

ucTextGroup::ucTextGroup() : ChoiceGroup(kOwnEvents) {}
ucTextGroup::~ucTextGroup() = default;

PropertyTable ucTextGroup::declare() {
    PropertyTable t;
    declareCommon<ucTextGroup>(t);
    declareGroup<ucTextGroup>(t, Rows{false, false, u"AutoSIze"});
    return t;
}

const PropertyTable& ucTextGroup::table() {
    static const PropertyTable table = declare();
    return table;
}

void ucTextGroup::registerClass(TypeLibrary& library, ControlClasses& classes) {
    using T = ucTextGroup;
    registerGroup<T>(library, classes, u"ucTextGroup", [](ClassBuilder<T>& b) {
        b.computed(u"Count", [](T& t) { return Variant(t.Count()); });
        b.event(u"Change", evChange, {u"SelIndex", u"Text"});
    });
}

// --- Drawing ---

void ucTextGroup::beginItems(HDC) {
    m_themed = IsThemeActive() != FALSE;
}

// With visual styles a flat frame in the state's colour, as the flat button items have; without
// them the sunken edge of a classic text field.
void ucTextGroup::paintItemMark(HDC dc, int index, const ChoiceGroupLayout::Item& item) {
    if (m_themed) {
        paintItemFrame(dc, index, item);
        return;
    }
    RECT face = faceOf(item);
    DrawEdge(dc, &face, EDGE_SUNKEN, BF_RECT);
}

// --- The edit field ---

void ucTextGroup::loaded() {
    ChoiceGroup::loaded();
    createEditor();
}

void ucTextGroup::createEditor() {
    if (!hWnd() || IsWindow(m_editor)) return;
    // Hidden and disabled until an edit starts; the caption it covers is centred, so is it.
    m_editor =
        CreateWindowExW(0, WC_EDITW, u"", WS_CHILD | WS_DISABLED | ES_AUTOHSCROLL | ES_CENTER, 0, 0,
                        0, 0, hWnd(), HMENU(), HINSTANCE(), nullptr);
}

// Over the caption's part of the item, inside its face.
void ucTextGroup::placeEditor() {
    if (m_edited < 0 || static_cast<std::size_t>(m_edited) >= layoutResult().items.size()) return;
    const ChoiceGroupLayout::Item& item = layoutResult().items[m_edited];
    const RECT face = faceOf(item);
    MoveWindow(m_editor, item.text.left, face.top + kFaceEdge, item.text.right - item.text.left,
               face.bottom - face.top - 2 * kFaceEdge, TRUE);
}

void ucTextGroup::beginEdit(int index) {
    if (!userMode() || !m_enabled || !inRange(index)) return;
    if (m_edited >= 0) endEdit(false, false);
    ensureLayout();
    createEditor();
    if (!IsWindow(m_editor)) return;
    // A fresh font each time: the group's font or the screen's DPI may have changed.
    const HFONT font = createFont();
    SendMessageW(m_editor, WM_SETFONT, static_cast<WPARAM>(font.value), FALSE);
    if (m_editorFont) DeleteObject(m_editorFont);
    m_editorFont = font;
    // Placed first: the field scrolls its text to the caret for the width it has.
    m_edited = index;
    placeEditor();
    SetWindowTextW(m_editor, Text(index).c_str());
    SendMessageW(m_editor, EM_SETSEL, 0, -1);
    EnableWindow(m_editor, TRUE);
    ShowWindow(m_editor, SW_SHOW);
    SetFocus(m_editor);
    // Enter and Escape typed into the field are the field's, never the form's default and
    // cancel buttons'.
    acceleratorHook(true);
}

void ucTextGroup::endEdit(bool store, bool refocus) {
    const int index = m_edited;
    if (index < 0) return;
    // Closed before anything else runs: the focus moving off the field reports here again.
    m_edited = -1;
    acceleratorHook(false);
    std::u16string text;
    if (IsWindow(m_editor)) {
        text.resize(static_cast<std::size_t>(GetWindowTextLengthW(m_editor)) + 1);
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(m_editor, text.data(), static_cast<int>(text.size()))));
        if (refocus && GetFocus() == m_editor) SetFocus(hWnd());
        ShowWindow(m_editor, SW_HIDE);
        EnableWindow(m_editor, FALSE);
    }
    // The items may have changed under the field (Caption set from code): a position that is
    // gone stores nothing.
    if (!store || !inRange(index)) return;
    std::erase(text, u'|');
    Text(index, text);
    std::vector<Variant> args{Variant(static_cast<std::int32_t>(index)), Variant(text)};
    raise(evChange, args);
}

bool ucTextGroup::TranslateAccel(const MSG& msg) {
    if (m_edited < 0 || msg.hwnd != m_editor) return false;
    if (msg.message == WM_CHAR) return msg.wParam == u'|';
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam == static_cast<WPARAM>(VK_RETURN)) {
        endEdit(true, true);
        return true;
    }
    if (msg.wParam == static_cast<WPARAM>(VK_ESCAPE)) {
        endEdit(false, true);
        return true;
    }
    return false;
}

bool ucTextGroup::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // The field losing the focus (a click elsewhere, Tab) stores the edit, as Enter does.
    if (msg == WM_COMMAND && m_editor && lParam == static_cast<LPARAM>(m_editor.value)) {
        if (HIWORD(wParam) == EN_KILLFOCUS) endEdit(true, false);
        result = 0;
        return true;
    }
    return ChoiceGroup::handleMessage(msg, wParam, lParam, result);
}

// --- What opens it ---

void ucTextGroup::DblClick() {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hWnd(), &p);
    beginEdit(itemAt(p.x, p.y));
}

void ucTextGroup::KeyDown(int& keyCode, ShiftState shift) {
    const std::weak_ptr<bool> alive = aliveToken();
    ChoiceGroup::KeyDown(keyCode, shift);
    if (alive.expired()) return;
    if (keyCode == VK_F2 && shift == ShiftState::None) beginEdit(SelIndex());
}

void ucTextGroup::layout() {
    ChoiceGroup::layout();
    // A new size, font or set of items moves an open field with its item.
    placeEditor();
}

void ucTextGroup::Terminate() {
    // Nothing is stored as the field goes with the group.
    m_edited = -1;
    acceleratorHook(false);
    if (IsWindow(m_editor)) DestroyWindow(m_editor);
    m_editor = HWND();
    if (m_editorFont) DeleteObject(m_editorFont);
    m_editorFont = HFONT();
    ChoiceGroup::Terminate();
}

}  // namespace orvane
