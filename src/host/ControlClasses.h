// The control classes a form file can name: each published class name with the function that
// makes a new instance. Controls register themselves here as they register in the type
// library.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class UserControl;

class ControlClasses {
public:
    // Makes a new, unsited instance.
    using Factory = std::function<std::unique_ptr<UserControl>()>;

    // The classes form files of this program can name.
    static ControlClasses& current();
    // A class registered again replaces the first.
    void add(std::u16string className, Factory factory);
    // Names compare without regard to case; null for an unknown class.
    const Factory* find(std::u16string_view className) const;

private:
    std::vector<std::pair<std::u16string, Factory>> m_classes;
};

}  // namespace orvane
