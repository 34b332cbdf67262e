// The gallery's list views, filled by the program as a list view expects (its rows are never
// stored in the form): a grouped report of the machine's header files with check boxes, a
// filter row, a progress and a ranking column, sorted by a click on a column; and a virtual list
// of a million rows answered as they show. Used by the gallery and by the monkey that drives it.
#pragma once

namespace orvane {

class Form;

// Fills the form's "lvFiles" and "lvRows" list views that have no window yet; a form without
// them is left alone.
void fillGalleryLists(Form& form);

}  // namespace orvane
