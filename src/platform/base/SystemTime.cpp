#include "platform/base/SystemTime.h"

namespace orvane::platform {

namespace {

constexpr int kFirstYear = 1601, kLastYear = 30827;

bool leap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysIn(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap(year) ? 29 : kDays[month - 1];
}

bool validDate(int year, int month, int day) {
    return year >= kFirstYear && year <= kLastYear && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysIn(year, month);
}

// Sunday is 0, as wDayOfWeek counts (Zeller's congruence, Gregorian calendar).
int dayOfWeek(int year, int month, int day) {
    if (month < 3) {
        month += 12;
        --year;
    }
    const int k = year % 100, j = year / 100;
    const int h = (day + 13 * (month + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7;  // 0: Saturday
    return (h + 6) % 7;
}

void appendDigits(std::u16string& out, int value, int width) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    while (static_cast<int>(digits.size()) < width)
        digits.insert(digits.begin(), u'0');
    out += digits;
}

// Reads 1 to `most` digits at `pos`; false when there are none.
bool readNumber(std::u16string_view text, std::size_t& pos, int most, int& value) {
    const std::size_t start = pos;
    value = 0;
    while (pos < text.size() && pos - start < static_cast<std::size_t>(most) && text[pos] >= u'0' &&
           text[pos] <= u'9')
        value = value * 10 + (text[pos++] - u'0');
    return pos > start;
}

}  // namespace

std::u16string DateToText(const SYSTEMTIME& st) {
    if (!validDate(st.wYear, st.wMonth, st.wDay)) return {};
    std::u16string out;
    appendDigits(out, st.wYear, 4);
    out += u'-';
    appendDigits(out, st.wMonth, 2);
    out += u'-';
    appendDigits(out, st.wDay, 2);
    return out;
}

bool TextToDate(std::u16string_view text, SYSTEMTIME& st) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == u' ')
        ++pos;
    int year = 0, month = 0, day = 0;
    if (!readNumber(text, pos, 5, year) || pos >= text.size() || text[pos++] != u'-') return false;
    if (!readNumber(text, pos, 2, month) || pos >= text.size() || text[pos++] != u'-') return false;
    if (!readNumber(text, pos, 2, day)) return false;
    while (pos < text.size() && text[pos] == u' ')
        ++pos;
    if (pos != text.size() || !validDate(year, month, day)) return false;
    st = SYSTEMTIME{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wDayOfWeek = static_cast<WORD>(dayOfWeek(year, month, day));
    return true;
}

}  // namespace orvane::platform
