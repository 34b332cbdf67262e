#include "host/ControlClasses.h"

#include "host/TypeLibrary.h"
#include "host/UserControl.h"

namespace orvane {

ControlClasses& ControlClasses::current() {
    static ControlClasses classes;
    return classes;
}

void ControlClasses::add(std::u16string className, Factory factory) {
    for (auto& [name, f] : m_classes) {
        if (!sameName(name, className)) continue;
        f = std::move(factory);
        return;
    }
    m_classes.emplace_back(std::move(className), std::move(factory));
}

const ControlClasses::Factory* ControlClasses::find(std::u16string_view className) const {
    for (const auto& [name, f] : m_classes)
        if (sameName(name, className)) return &f;
    return nullptr;
}

}  // namespace orvane
