#include "framework/ColorsAndFonts.h"

#include "platform/user/SystemMetrics.h"

namespace orvane {

std::int32_t TranslateColor(OLE_COLOR color, std::int32_t palette) {
    platform::COLORREF rgb = 0;
    const auto hr = platform::OleTranslateColor(
        color, platform::HPALETTE(static_cast<std::uint32_t>(palette)), &rgb);
    return platform::FAILED(hr) ? -1 : static_cast<std::int32_t>(rgb);
}

std::int32_t ThemeColor(platform::HTHEME theme, OLE_COLOR color) {
    if (!theme) return TranslateColor(color, 0);
    if ((color & 0x80000000u) == 0) return TranslateColor(color, 0);
    return static_cast<std::int32_t>(
        platform::GetThemeSysColor(theme, static_cast<int>(color & 0x7FFFFFFFu)));
}

bool FontsEqual(const std::shared_ptr<StdFont>& a, const std::shared_ptr<StdFont>& b) {
    if (!a || !b) return !a && !b;
    return a->Size() == b->Size() && a->Name() == b->Name() &&
           a->Strikethrough() == b->Strikethrough() && a->Underline() == b->Underline() &&
           a->Italic() == b->Italic() && a->Charset() == b->Charset() && a->Weight() == b->Weight();
}

}  // namespace orvane
