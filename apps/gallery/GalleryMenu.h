// The gallery's menu bar, built by the program as a menu control expects (menus are never
// stored in the form): File, Edit, View (checks and a radio group), Tools (a side bar) and Help,
// with images and shortcuts. Used by the gallery and by the monkey that drives it.
#pragma once

namespace orvane {

class Form;

// Builds the bar on the form's "mnuMain" menu control; a form without one is left alone.
void buildGalleryMenu(Form& form);

}  // namespace orvane
