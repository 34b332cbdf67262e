// The host's value: one of the kinds property bags, late-bound calls and events carry, with
// the conversions the controls rely on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace orvane {

// Base of every object a Variant can hold (fonts, pictures, controls, collections).
class Object {
public:
    virtual ~Object() = default;
    // The class name TypeName reports.
    virtual std::u16string typeName() const = 0;
};

class Variant {
public:
    // Kinds, numbered as VarType reports them.
    enum class Kind : int {
        Empty = 0,
        Null = 1,
        Integer = 2,  // 16-bit
        Long = 3,     // 32-bit
        Single = 4,
        Double = 5,
        Date = 7,  // days since 1899-12-30, the time as the fraction
        String = 8,
        Object = 9,
        Missing = 10,  // an optional argument left out
        Boolean = 11,
        Byte = 17,
        ByteArray = 8209,  // array of bytes
    };

    // Picks the constructor of Null.
    struct NullTag {};
    // Picks the constructor of Missing, an optional argument left out.
    struct MissingTag {};
    // Picks the constructor of a date.
    struct DateTag {
        double days;  // days since 1899-12-30, the time as the fraction
    };

    // Empty.
    Variant() = default;
    // Null.
    Variant(NullTag) : m_value(NullTag{}) {}
    // Missing: an optional argument left out.
    Variant(MissingTag) : m_value(MissingTag{}) {}
    // An Integer (16 bits).
    Variant(std::int16_t v) : m_value(v) {}
    // A Long (32 bits).
    Variant(std::int32_t v) : m_value(v) {}
    // A Single.
    Variant(float v) : m_value(v) {}
    // A Double.
    Variant(double v) : m_value(v) {}
    // A Date.
    Variant(DateTag d) : m_value(d) {}
    // A Boolean.
    Variant(bool v) : m_value(v) {}
    // A Byte.
    Variant(std::uint8_t v) : m_value(v) {}
    // A String.
    Variant(std::u16string v) : m_value(std::move(v)) {}
    // A String from a null-terminated text (null gives the empty string).
    Variant(const char16_t* v) : m_value(std::u16string(v ? v : u"")) {}
    // A byte array.
    Variant(std::vector<std::uint8_t> v) : m_value(std::move(v)) {}
    // An object; null is Nothing.
    Variant(std::shared_ptr<Object> v) : m_value(std::move(v)) {}

    // Null.
    static Variant null() { return Variant(NullTag{}); }
    // Missing.
    static Variant missing() { return Variant(MissingTag{}); }
    // A Date, `days` since 1899-12-30 with the time as the fraction.
    static Variant date(double days) { return Variant(DateTag{days}); }

    // What the value is.
    Kind kind() const;
    // The kind's number, as VarType reports it.
    int varType() const { return static_cast<int>(kind()); }
    // Whether the value is Empty (never set).
    bool isEmpty() const { return kind() == Kind::Empty; }
    // Whether the value is Null.
    bool isNull() const { return kind() == Kind::Null; }
    // Whether the value is Missing (an optional argument left out).
    bool isMissing() const { return kind() == Kind::Missing; }
    // IsNumeric: true for numbers, booleans, Empty and texts that read as a number.
    bool isNumeric() const;
    // TypeName: "Integer", "String", "Byte()", an object's class name, ...
    std::u16string typeName() const;

    // Conversions; each raises orvane::Error (13 type mismatch, 6 overflow, 94 invalid use of
    // Null) as the host's conversion functions do.
    std::int32_t toLong() const;      // CLng: halves round to even
    std::int16_t toInteger() const;   // CInt
    std::uint8_t toByte() const;      // CByte
    bool toBool() const;              // CBool: numbers are true when not 0; "True"/"False"
    double toDouble() const;          // CDbl
    float toSingle() const;           // CSng
    double toDate() const;            // CDate, as days
    std::u16string toString() const;  // CStr
    const std::vector<std::uint8_t>& bytes() const;  // a byte array, or 13
    std::shared_ptr<Object> object() const;          // an object (null for Nothing), or 13

    // Same kind and same value (strings compared exactly, objects by identity).
    friend bool operator==(const Variant& a, const Variant& b);

private:
    using Value = std::variant<std::monostate, NullTag, std::int16_t, std::int32_t, float, double,
                               DateTag, std::u16string, std::shared_ptr<Object>, MissingTag, bool,
                               std::uint8_t, std::vector<std::uint8_t>>;
    Value m_value;
};

// The host's conversion functions on their own.
std::int32_t CLng(const Variant& v);
// CInt: a 16-bit integer, halves rounded to even; error 6 when it does not fit.
std::int16_t CInt(const Variant& v);
// CByte: 0 to 255, halves rounded to even; error 6 outside.
std::uint8_t CByte(const Variant& v);
// CBool: numbers are true when not 0; "True" and "False" in any case.
bool CBool(const Variant& v);
// CDbl: a double; texts read as numbers.
double CDbl(const Variant& v);
// CStr: the value as text (numbers as the host writes them, True and False for booleans).
std::u16string CStr(const Variant& v);
// Val: the number at the start of a text, blanks ignored, "&H" and "&O" prefixes understood;
// 0 when there is none.
double Val(std::u16string_view text);
// Rounds half to even, as the host's integer conversions do.
double roundHalfEven(double v);

// Dates as days since 1899-12-30 (the fraction is the time of day, also for negative dates).
double DateSerial(int year, int month, int day);
// The time of day as a fraction of a day.
double TimeSerial(int hour, int minute, int second);
// A date split into its calendar parts and time of day.
struct DateParts {
    int year;    // the year
    int month;   // 1 to 12
    int day;     // 1 to 31
    int hour;    // 0 to 23
    int minute;  // 0 to 59
    int second;  // 0 to 59
};
// The calendar date and time of day of `days`.
DateParts SplitDate(double days);

}  // namespace orvane
