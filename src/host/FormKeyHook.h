// The forms' look at key messages before they are delivered: one WH_GETMESSAGE hook on the
// thread while any form exists, offering each key message to the forms (see
// Form::preTranslateKey). A form that uses a key turns the message into WM_NULL. Menus and the
// move and size loop keep their keys.
#pragma once

#include "platform/platform.h"

namespace orvane {

class Form;

class FormKeyHook {
public:
    // A form is created: the hook is installed with the first.
    static void attach(Form& form);
    // A form is destroyed: the hook is removed with the last.
    static void detach(Form& form);

private:
    static platform::LRESULT hookProc(int code, platform::WPARAM wParam, platform::LPARAM lParam);
};

}  // namespace orvane
