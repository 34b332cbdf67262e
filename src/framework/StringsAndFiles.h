// Small routines on strings, arrays and file names.
#pragma once

#include <string>
#include <vector>

#include "host/Variant.h"

namespace orvane {

// Whether a file or folder exists at the path.
bool FileExists(const std::u16string& path);
// Asks for an image file in the open dialog ("Select Image"; image, bitmap, GIF, icon and
// cursor, JPEG, PNG and all files as the filters): its path, or "" when cancelled.
std::u16string OpenImageFileDialog();
// The part before the first NUL ("" when it starts with one); without a NUL, the text with
// its spaces trimmed.
std::u16string StripNulls(const std::u16string& text);
// Sorts ascending in place with the host's "<" on values: numbers by value, texts by code
// unit, numbers before texts; Null never moves.
void SortArray(std::vector<Variant>& values);
// The fields of a text between separators ("a|b|" gives "a", "b", ""); an empty text has
// none.
std::vector<std::u16string> SplitText(const std::u16string& text, char16_t separator);
// The fields joined with the separator between them.
std::u16string JoinText(const std::vector<std::u16string>& fields, char16_t separator);
// Paths compared with "\" as "/" and without regard to case.
bool PathsEqual(const std::u16string& a, const std::u16string& b);

}  // namespace orvane
