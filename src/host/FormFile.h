// Forms saved as JSON text: the form's name and size, then its controls in creation order,
// each with its class, name, index, container, position in twips and property bag. A file
// that cannot be read loads nothing and raises error 321 saying where it is wrong.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/Form.h"

namespace orvane {

class FormFile {
public:
    // Loads a form in run mode, or in design mode when `userMode` is false.
    static std::unique_ptr<Form> load(std::string_view text, bool userMode = true);
    // The same from a file; error 53 when it cannot be opened.
    static std::unique_ptr<Form> loadFile(const std::string& path, bool userMode = true);
    // Raises WriteProperties on every control and returns the form as JSON text.
    static std::string save(Form& form);
};

}  // namespace orvane
