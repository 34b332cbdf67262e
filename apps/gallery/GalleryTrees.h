// The gallery's tree views, filled by the program (their nodes are never stored in the form): a
// folder tree of the machine's file system, each folder read when it is first opened; and a
// multi-column plan with three-state check boxes. Used by the gallery and by the monkey.
#pragma once

namespace orvane {

class Form;

// Fills the form's "tvFolders" and "tvPlan" tree views that have no window yet; a form
// without them is left alone.
void fillGalleryTrees(Form& form);

}  // namespace orvane
