#include "host/Variant.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "host/Error.h"

namespace orvane {

namespace {

[[noreturn]] void mismatch() {
    throw Error::standard(errors::TypeMismatch);
}
[[noreturn]] void overflow() {
    throw Error::standard(errors::Overflow);
}
[[noreturn]] void invalidNull() {
    throw Error::standard(errors::InvalidUseOfNull);
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

std::u16string lowerAscii(std::u16string_view s) {
    std::u16string out(s);
    for (auto& c : out)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    return out;
}

// A whole text as a number, as the conversion functions read it (surrounding blanks allowed);
// false when it is not one.
bool parseNumber(std::u16string_view s, double& out) {
    std::size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    s = s.substr(b, e - b);
    if (s.empty()) return false;
    if (s.size() > 2 && s[0] == u'&' &&
        (s[1] == u'H' || s[1] == u'h' || s[1] == u'O' || s[1] == u'o')) {
        const int base = (s[1] == u'H' || s[1] == u'h') ? 16 : 8;
        std::uint64_t v = 0;
        for (std::size_t i = 2; i < s.size(); ++i) {
            const char16_t c = s[i];
            int d;
            if (c >= u'0' && c <= u'9')
                d = c - u'0';
            else if (base == 16 && c >= u'a' && c <= u'f')
                d = c - u'a' + 10;
            else if (base == 16 && c >= u'A' && c <= u'F')
                d = c - u'A' + 10;
            else
                return false;
            if (d >= base) return false;
            v = v * base + static_cast<std::uint64_t>(d);
            if (v > 0xFFFFFFFFull) return false;
        }
        // Hexadecimal and octal literals are 32-bit values: &HFFFFFFFF is -1.
        out = static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
        return true;
    }
    std::string ascii;
    for (char16_t c : s) {
        if (c > 0x7F) return false;
        ascii += static_cast<char>(c);
    }
    char* end = nullptr;
    const double v = std::strtod(ascii.c_str(), &end);
    if (!end || *end != '\0' || ascii.find_first_of("xXnN") != std::string::npos)
        return false;  // no hex floats, NaN or Inf
    out = v;
    return true;
}

std::u16string widen(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

// Numbers as the host writes them: up to 15 significant digits, no trailing zeros.
std::u16string formatNumber(double v, int digits) {
    if (v == 0) return u"0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, v);
    std::string s = buffer;
    // Exponents as the host shows them: "1E+20", "1E-05".
    const auto e = s.find('E');
    if (e != std::string::npos) {
        std::string mantissa = s.substr(0, e), exponent = s.substr(e + 1);
        const char sign = exponent[0];
        exponent = exponent.substr(1);
        while (exponent.size() > 2 && exponent[0] == '0')
            exponent.erase(0, 1);
        if (exponent.size() < 2) exponent = std::string("0") + exponent;
        s = mantissa + "E" + sign + exponent;
    }
    return widen(s);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days from 1970-01-01 of a civil date, and back (proleptic Gregorian calendar).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = floorDiv(y, 400);
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}

const std::int64_t kEpochOffset = daysFromCivil(1899, 12, 30);

}  // namespace

double roundHalfEven(double v) {
    const double r = std::nearbyint(v);  // the default rounding mode is to nearest, ties to even
    return r;
}

Variant::Kind Variant::kind() const {
    switch (m_value.index()) {
        case 0:
            return Kind::Empty;
        case 1:
            return Kind::Null;
        case 2:
            return Kind::Integer;
        case 3:
            return Kind::Long;
        case 4:
            return Kind::Single;
        case 5:
            return Kind::Double;
        case 6:
            return Kind::Date;
        case 7:
            return Kind::String;
        case 8:
            return Kind::Object;
        case 9:
            return Kind::Missing;
        case 10:
            return Kind::Boolean;
        case 11:
            return Kind::Byte;
        default:
            return Kind::ByteArray;
    }
}

bool Variant::isNumeric() const {
    switch (kind()) {
        case Kind::Integer:
        case Kind::Long:
        case Kind::Single:
        case Kind::Double:
        case Kind::Boolean:
        case Kind::Byte:
        case Kind::Empty:
            return true;
        case Kind::String: {
            double d;
            return parseNumber(std::get<std::u16string>(m_value), d);
        }
        default:
            return false;
    }
}

std::u16string Variant::typeName() const {
    switch (kind()) {
        case Kind::Empty:
            return u"Empty";
        case Kind::Null:
            return u"Null";
        case Kind::Integer:
            return u"Integer";
        case Kind::Long:
            return u"Long";
        case Kind::Single:
            return u"Single";
        case Kind::Double:
            return u"Double";
        case Kind::Date:
            return u"Date";
        case Kind::String:
            return u"String";
        case Kind::Object: {
            const auto& o = std::get<std::shared_ptr<Object>>(m_value);
            return o ? o->typeName() : u"Nothing";
        }
        case Kind::Missing:
            return u"Error";
        case Kind::Boolean:
            return u"Boolean";
        case Kind::Byte:
            return u"Byte";
        case Kind::ByteArray:
            return u"Byte()";
    }
    return u"";
}

double Variant::toDouble() const {
    switch (kind()) {
        case Kind::Empty:
            return 0;
        case Kind::Null:
            invalidNull();
        case Kind::Integer:
            return std::get<std::int16_t>(m_value);
        case Kind::Long:
            return std::get<std::int32_t>(m_value);
        case Kind::Single:
            return std::get<float>(m_value);
        case Kind::Double:
            return std::get<double>(m_value);
        case Kind::Date:
            return std::get<DateTag>(m_value).days;
        case Kind::Boolean:
            return std::get<bool>(m_value) ? -1 : 0;  // True is -1
        case Kind::Byte:
            return std::get<std::uint8_t>(m_value);
        case Kind::String: {
            const auto& s = std::get<std::u16string>(m_value);
            double d;
            if (parseNumber(s, d)) {
                if (std::isinf(d)) overflow();  // digits beyond the range of a Double
                return d;
            }
            const std::u16string l = lowerAscii(s);
            if (l == u"true") return -1;
            if (l == u"false") return 0;
            mismatch();
        }
        default:
            mismatch();
    }
}

float Variant::toSingle() const {
    const double d = toDouble();
    if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) overflow();
    return static_cast<float>(d);
}

std::int32_t Variant::toLong() const {
    const double d = roundHalfEven(toDouble());
    if (!(d >= -2147483648.0 && d <= 2147483647.0)) overflow();
    return static_cast<std::int32_t>(d);
}

std::int16_t Variant::toInteger() const {
    const double d = roundHalfEven(toDouble());
    if (!(d >= -32768.0 && d <= 32767.0)) overflow();
    return static_cast<std::int16_t>(d);
}

std::uint8_t Variant::toByte() const {
    const double d = roundHalfEven(toDouble());
    if (!(d >= 0.0 && d <= 255.0)) overflow();
    return static_cast<std::uint8_t>(d);
}

bool Variant::toBool() const {
    if (kind() == Kind::String) {
        const std::u16string l = lowerAscii(std::get<std::u16string>(m_value));
        std::size_t b = 0, e = l.size();
        while (b < e && isBlank(l[b]))
            ++b;
        while (e > b && isBlank(l[e - 1]))
            --e;
        const std::u16string t = l.substr(b, e - b);
        if (t == u"true") return true;
        if (t == u"false") return false;
    }
    return toDouble() != 0;
}

double Variant::toDate() const {
    if (kind() == Kind::Date) return std::get<DateTag>(m_value).days;
    if (kind() == Kind::Boolean || kind() == Kind::String) {
        // Dates from text are read as yyyy-mm-dd [hh:nn[:ss]] or as a number of days.
        if (kind() == Kind::String) {
            const auto& s = std::get<std::u16string>(m_value);
            int y, mo, d, h = 0, mi = 0, se = 0;
            std::string ascii(s.begin(), s.end());
            if (std::sscanf(ascii.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &se) >= 3 &&
                mo >= 1 && mo <= 12 && d >= 1 && d <= 31) {
                const double day = DateSerial(y, mo, d), time = TimeSerial(h, mi, se);
                return day >= 0 ? day + time : day - time;
            }
        }
    }
    return toDouble();
}

std::u16string Variant::toString() const {
    switch (kind()) {
        case Kind::Empty:
            return u"";
        case Kind::Null:
            invalidNull();
        case Kind::String:
            return std::get<std::u16string>(m_value);
        case Kind::Boolean:
            return std::get<bool>(m_value) ? u"True" : u"False";
        case Kind::Integer:
            return widen(std::to_string(std::get<std::int16_t>(m_value)));
        case Kind::Long:
            return widen(std::to_string(std::get<std::int32_t>(m_value)));
        case Kind::Byte:
            return widen(std::to_string(std::get<std::uint8_t>(m_value)));
        case Kind::Single:
            return formatNumber(std::get<float>(m_value), 7);
        case Kind::Double:
            return formatNumber(std::get<double>(m_value), 15);
        case Kind::Date: {
            const DateParts p = SplitDate(std::get<DateTag>(m_value).days);
            char buffer[48];
            if (p.hour || p.minute || p.second)
                std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.year,
                              p.month, p.day, p.hour, p.minute, p.second);
            else
                std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", p.year, p.month, p.day);
            return widen(buffer);
        }
        default:
            mismatch();
    }
}

const std::vector<std::uint8_t>& Variant::bytes() const {
    if (kind() != Kind::ByteArray) mismatch();
    return std::get<std::vector<std::uint8_t>>(m_value);
}

std::shared_ptr<Object> Variant::object() const {
    if (kind() != Kind::Object) mismatch();
    return std::get<std::shared_ptr<Object>>(m_value);
}

bool operator==(const Variant& a, const Variant& b) {
    if (a.m_value.index() != b.m_value.index()) return false;
    switch (a.kind()) {
        case Variant::Kind::Empty:
        case Variant::Kind::Null:
        case Variant::Kind::Missing:
            return true;
        case Variant::Kind::Date:
            return std::get<Variant::DateTag>(a.m_value).days ==
                   std::get<Variant::DateTag>(b.m_value).days;
        default:
            return a.m_value == b.m_value;
    }
}

std::int32_t CLng(const Variant& v) {
    return v.toLong();
}
std::int16_t CInt(const Variant& v) {
    return v.toInteger();
}
std::uint8_t CByte(const Variant& v) {
    return v.toByte();
}
bool CBool(const Variant& v) {
    return v.toBool();
}
double CDbl(const Variant& v) {
    return v.toDouble();
}
std::u16string CStr(const Variant& v) {
    return v.toString();
}

double Val(std::u16string_view text) {
    // Blanks anywhere are ignored; reading stops at the first character that cannot continue
    // the number.
    std::u16string s;
    for (char16_t c : text)
        if (!isBlank(c)) s += c;
    if (s.size() > 2 && s[0] == u'&' &&
        (s[1] == u'H' || s[1] == u'h' || s[1] == u'O' || s[1] == u'o')) {
        std::size_t e = 2;
        const bool hex = s[1] == u'H' || s[1] == u'h';
        while (e < s.size() &&
               ((s[e] >= u'0' && s[e] <= (hex ? u'9' : u'7')) ||
                (hex && ((s[e] >= u'a' && s[e] <= u'f') || (s[e] >= u'A' && s[e] <= u'F')))))
            ++e;
        double d = 0;
        return e > 2 && parseNumber(s.substr(0, std::min<std::size_t>(e, hex ? 10 : 13)), d) ? d
                                                                                             : 0;
    }
    std::size_t e = 0;
    if (e < s.size() && (s[e] == u'+' || s[e] == u'-')) ++e;
    while (e < s.size() && s[e] >= u'0' && s[e] <= u'9')
        ++e;
    if (e < s.size() && s[e] == u'.') {
        ++e;
        while (e < s.size() && s[e] >= u'0' && s[e] <= u'9')
            ++e;
    }
    if (e < s.size() && (s[e] == u'e' || s[e] == u'E' || s[e] == u'd' || s[e] == u'D')) {
        std::size_t k = e + 1;
        if (k < s.size() && (s[k] == u'+' || s[k] == u'-')) ++k;
        if (k < s.size() && s[k] >= u'0' && s[k] <= u'9') {
            s[e] = u'E';
            e = k;
            while (e < s.size() && s[e] >= u'0' && s[e] <= u'9')
                ++e;
        }
    }
    double d = 0;
    if (!parseNumber(s.substr(0, e), d)) return 0;
    if (std::isinf(d)) overflow();  // digits beyond the range of a Double
    return d;
}

double DateSerial(int year, int month, int day) {
    // Months and days out of range roll over, as the host's DateSerial does.
    // (In 64 bits: any int month or day, as a script may give, rolls over without overflow.)
    std::int64_t y = year, m = std::int64_t{month} - 1;
    y += floorDiv(m, 12);
    m -= floorDiv(m, 12) * 12;
    return static_cast<double>(daysFromCivil(y, static_cast<unsigned>(m + 1), 1) - kEpochOffset +
                               (std::int64_t{day} - 1));
}

double TimeSerial(int hour, int minute, int second) {
    return (static_cast<double>(hour) * 3600 + static_cast<double>(minute) * 60 + second) / 86400.0;
}

DateParts SplitDate(double days) {
    DateParts p{};
    // The fraction is the time of day whatever the sign: -1.25 is 1899-12-29 06:00.
    const double whole = std::trunc(days);
    double fraction = std::fabs(days - whole);
    std::int64_t seconds = std::llround(fraction * 86400.0);
    std::int64_t day = static_cast<std::int64_t>(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        day += days < 0 ? -1 : 1;
    }
    civilFromDays(day + kEpochOffset, p.year, p.month, p.day);
    p.hour = static_cast<int>(seconds / 3600);
    p.minute = static_cast<int>((seconds / 60) % 60);
    p.second = static_cast<int>(seconds % 60);
    return p;
}

}  // namespace orvane
