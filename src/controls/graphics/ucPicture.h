// A picture box: the image controls' image, background, OwnerDraw event and border, and a device
// context of its window that the application may draw on at any time.
#pragma once

#include <string>

#include "controls/graphics/ImageViewControl.h"

namespace orvane {

class TypeLibrary;
class ControlClasses;

class ucPicture : public ImageViewControl {
public:
    ucPicture();
    ~ucPicture() override;
    std::u16string className() const override { return u"ucPicture"; }
    // Publishes the class, its properties, methods and events in `library`, and as the form-file
    // class "ucPicture" in `classes`.
    static void registerClass(TypeLibrary& library, ControlClasses& classes);

    // A device context of the control's window, taken when first asked for and kept until the
    // control ends; null before the window exists. Drawing on it shows at once and stays until
    // the control next paints there (a property change, an animation frame, Refresh): drawing
    // that must last belongs in OwnerDraw.
    platform::HDC hdc();

protected:
    const PropertyTable& properties() const override { return table(); }
    void Terminate() override;

private:
    static PropertyTable declare();
    static const PropertyTable& table();

    platform::HDC m_windowDc;
};

}  // namespace orvane
