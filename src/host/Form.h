// A top-level window holding controls. It sites them (any control may hold others), keeps
// them in creation order, finds them by name and index, moves focus with Tab and Shift+Tab,
// routes access keys, Enter and Escape, and saves the instances that changed. In design mode
// (UserMode false) controls paint and persist but the form does no keyboard work.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/Ambient.h"
#include "host/ControlSite.h"
#include "host/UserControl.h"

namespace orvane {

class Form : public ControlSite {
public:
    // A form of the given client size in twips, hidden until Show.
    explicit Form(std::u16string name, bool userMode = true, int widthTwips = 4800,
                  int heightTwips = 3600);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The form's top-level window.
    platform::HWND hWnd() const { return m_hwnd; }
    // The form's name.
    const std::u16string& Name() const { return m_name; }
    // True in run mode, false in design mode.
    bool UserMode() const { return m_base.UserMode(); }
    // The container's font and colours, which new controls take.
    orvane::Ambient& ambientDefaults() { return m_base; }
    // Shows and paints the form's window; in run mode the first control that takes the focus
    // gets it (unless one has it already).
    void Show();
    // The client area's width in twips, as it is now (whole pixels at the screen's DPI).
    int ScaleWidth() const;
    // The client area's height in twips.
    int ScaleHeight() const;

    // Sites `control` on the form or on `container`, named `name` (with `index` >= 0 for a
    // member of a control array), placed by `extender`'s position in twips. `stored` is the
    // bag of a saved instance. A duplicate name and index raises error 360.
    UserControl& add(std::unique_ptr<UserControl> control, const std::u16string& name, int index,
                     orvane::Extender extender, UserControl* container = nullptr,
                     const PropertyBag* stored = nullptr);
    template <typename T>
    // The same with a new control of class T, returned as a T.
    T& add(const std::u16string& name, int index, orvane::Extender extender,
           UserControl* container = nullptr, const PropertyBag* stored = nullptr) {
        return static_cast<T&>(
            add(std::make_unique<T>(), name, index, std::move(extender), container, stored));
    }
    // Unsites a control and the controls it holds.
    void remove(UserControl& control);

    // Controls in creation order.
    std::vector<UserControl*> Controls() const;
    // The control named `name` (and `index` in an array): error 340 when there is none.
    UserControl& control(std::u16string_view name, int index = -1) const;

    // Tab order: position in the order, and whether Tab stops at the control.
    int TabIndex(const UserControl& control) const;
    void TabIndex(UserControl& control, int index);
    // Whether Tab stops at the control (true unless set otherwise).
    bool TabStop(const UserControl& control) const;
    void TabStop(UserControl& control, bool stop);
    // Moves the focus to the next (or previous) control that is visible, enabled and a stop.
    void focusNext(bool backward);
    // The control with the focus (its window or a window inside it has it), or null.
    UserControl* ActiveControl() const;

    // The controls Enter and Escape press (through AccessKeyPress with 13 or 27).
    UserControl* Default() const { return m_default; }
    void Default(UserControl* control);
    // The control Escape presses, or null.
    UserControl* Cancel() const { return m_cancel; }
    void Cancel(UserControl* control) { m_cancel = control; }

    // Raises WriteProperties on every control that changed since it was last saved, in
    // creation order, and returns their bags.
    std::vector<std::pair<UserControl*, PropertyBag>> saveChanged();
    // The name, index and container the control was added with.
    const std::u16string& nameOf(const UserControl& control) const;
    // The control's index in its control array, or -1.
    int indexOf(const UserControl& control) const;
    // The control the control sits on, or null for the form itself.
    UserControl* containerOf(const UserControl& control) const;
    // The controls on a container (null: the form itself) from the back to the front:
    // the windowless ones first (they lie below every window), then the windowed ones.
    std::vector<UserControl*> Stacking(const UserControl* container) const;

    bool siteKey(UserControl& control, platform::UINT msg, platform::WPARAM key) override;
    void placementChanged(UserControl& control, bool hadFocus) override;
    void paintWindowless(platform::HWND container, platform::HDC dc) override;
    // A mouse message at a point of `container`'s client area, given to the windowless control
    // there (true when one took it).
    bool siteMouse(platform::HWND container, platform::UINT msg, platform::WPARAM wParam,
                   platform::LPARAM lParam) override;
    void windowlessZOrder(UserControl& control, bool front) override;
    // Moves a control and what it holds onto `container` (null: the form), at the same Left and
    // Top in the new container. A container it holds, a windowless one or a control not on
    // this form raises error 5.
    void moveToContainer(UserControl& control, UserControl* container) override;
    void focusNextAfter(UserControl& control) override;
    void setKeyHook(UserControl& control, bool on) override;
    // Offered each key message for a window of this form before it is delivered: the key-hook
    // control first, then, for a window inside a control (a control's own window gets them as
    // it handles the message), the form's navigation and access keys. True when used up.
    bool preTranslateKey(const platform::MSG& msg);
    // Lays docked controls along the form's edges, in creation order.
    void arrange();

private:
    struct Entry {
        std::unique_ptr<UserControl> control;
        std::u16string name;
        int index = -1;
        UserControl* container = nullptr;
        bool tabStop = true;
        std::size_t tab = 0;  // place in m_tabOrder
    };
    // A control's name (folded as sameName folds it) and index, which identify it.
    struct NameKey {
        std::u16string folded;
        int index;
        friend bool operator==(const NameKey&, const NameKey&) = default;
    };
    struct NameKeyHash {
        std::size_t operator()(const NameKey& k) const;
    };

    static platform::LRESULT windowProc(platform::HWND hwnd, platform::UINT msg,
                                        platform::WPARAM wParam, platform::LPARAM lParam);
    const Entry* entryOf(const UserControl& control) const;
    Entry* entryOf(const UserControl& control);
    // Renumbers the tab places of m_tabOrder[from, to).
    void renumberTabs(std::size_t from, std::size_t to);
    // Visible and enabled, with every container; canFocus also asks the control.
    bool reachable(const UserControl& control) const;
    bool canFocus(const UserControl& control) const;
    // Focuses the first control that can take it, in tab order from place `from` on; the form
    // itself when none can.
    void focusFrom(std::size_t from);
    platform::HWND windowOf(const UserControl* container) const;
    bool pressAccessKey(char16_t key);
    bool handleKey(platform::UINT msg, platform::WPARAM key);
    // The control whose window is `hwnd` or holds it (null for the form's own windows).
    UserControl* controlHolding(platform::HWND hwnd) const;
    std::shared_ptr<orvane::Ambient> ambientFor(const std::u16string& name,
                                                const UserControl* control) const;

    std::u16string m_name;
    orvane::Ambient m_base;
    platform::HWND m_hwnd = nullptr;
    std::vector<Entry> m_entries;  // creation order
    // Look-ups that keep a form of thousands of controls fast to load: the place of each
    // control in m_entries, and each control by name and index.
    std::unordered_map<const UserControl*, std::size_t> m_entryOf;
    std::unordered_map<NameKey, UserControl*, NameKeyHash> m_byName;
    std::vector<UserControl*> m_tabOrder;
    std::vector<UserControl*> m_windowless;  // from the back to the front
    UserControl* m_mouseOwner = nullptr;     // the windowless control a button went down on
    UserControl* m_default = nullptr;
    UserControl* m_cancel = nullptr;
    UserControl* m_keyHook = nullptr;  // the control that sees key messages first
    // A navigation key handled on key-down also swallows the character it makes.
    platform::WPARAM m_swallowChar = 0;
    bool m_arranging = false;
};

}  // namespace orvane
