#include "framework/StringsAndFiles.h"

#include <algorithm>

#include "platform/shell/CommDlg.h"
#include "platform/shell/FileSystem.h"
#include "platform/text/CharCase.h"
#include "platform/user/User.h"

namespace orvane {

bool FileExists(const std::u16string& path) {
    return platform::GetFileAttributesW(path.c_str()) != platform::INVALID_FILE_ATTRIBUTES;
}

std::u16string OpenImageFileDialog() {
    static const char16_t kFilter[] =
        u"Image Files\0*gif;*.bmp;*.jpg;*.jpeg;*.ico;*.cur;*.wmf;*.emf;*.png;*.tiff;*.tif;*.tga\0"
        u"Bitmaps\0*.bmp\0GIFs\0*.gif\0Icons and Cursors\0*.ico;*.cur\0JPGs\0*.jpg;*.jpeg\0"
        u"PNGs\0*.png\0All Files\0*.*\0";
    char16_t file[256] = {};
    platform::OPENFILENAMEW ofn;
    ofn.hwndOwner = platform::GetDesktopWindow();
    ofn.hInstance = platform::GetModuleHandleW(nullptr);
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = 256;
    ofn.lpstrTitle = u"Select Image";
    ofn.Flags = 0x2A81000;  // explorer, file must exist, long names, sizing, not in recent files
    if (!platform::GetOpenFileNameW(&ofn)) return u"";
    return StripNulls(std::u16string(file, 256));
}

std::vector<std::u16string> SplitText(const std::u16string& text, char16_t separator) {
    std::vector<std::u16string> fields;
    if (text.empty()) return fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::u16string::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::u16string JoinText(const std::vector<std::u16string>& fields, char16_t separator) {
    std::u16string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) text += separator;
        text += fields[i];
    }
    return text;
}

std::u16string StripNulls(const std::u16string& text) {
    const std::size_t nul = text.find(u'\0');
    if (nul != std::u16string::npos) return text.substr(0, nul);
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) return u"";
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

namespace {

// The host's "<" for two values; false when either is Null (the comparison gives Null).
bool lessThan(const Variant& a, const Variant& b) {
    if (a.isNull() || b.isNull()) return false;
    const bool aText = a.kind() == Variant::Kind::String;
    const bool bText = b.kind() == Variant::Kind::String;
    if (aText && bText) return a.toString() < b.toString();
    if (!aText && !bText) return a.toDouble() < b.toDouble();
    return !aText;  // a number sorts before a text
}

}  // namespace

void SortArray(std::vector<Variant>& values) {
    for (std::size_t i = 1; i < values.size(); ++i) {
        Variant v = std::move(values[i]);
        std::size_t j = i;
        for (; j > 0 && lessThan(v, values[j - 1]); --j)
            values[j] = std::move(values[j - 1]);
        values[j] = std::move(v);
    }
}

bool PathsEqual(const std::u16string& a, const std::u16string& b) {
    auto fold = [](std::u16string s) {
        std::replace(s.begin(), s.end(), u'\\', u'/');
        platform::CharLowerBuffW(s.data(), static_cast<platform::DWORD>(s.size()));
        return s;
    };
    return fold(a) == fold(b);
}

}  // namespace orvane
