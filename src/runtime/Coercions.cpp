#include "runtime/Coercions.h"

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>

#include "runtime/Text.h"
#include "runtime/VbError.h"

namespace quindel {

namespace {

constexpr int kErrOverflow = 6;
constexpr int kErrTypeMismatch = 13;
constexpr int kErrInvalidNull = 94;

// The result of reading a number at the start of a string; length 0 means none was there.
struct ScannedNumber {
    double value = 0;
    std::size_t length = 0;
    bool overflow = false;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsExponentMark(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

int RadixDigit(char c, int radix) {
    int d = -1;
    if (IsDigit(c)) d = c - '0';
    if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    return d < radix ? d : -1;
}

// "&H" / "&O" literals: values that fit 16 bits read as Integer and those that fit 32
// bits as Long, so "&HFFFF" is -1 and "&H10000" is 65536.
ScannedNumber ScanRadix(std::string_view s) {
    if (s.size() < 3 || s[0] != '&') return {};
    const char mark = s[1];
    const int radix = (mark == 'h' || mark == 'H') ? 16 : (mark == 'o' || mark == 'O') ? 8 : 0;
    if (radix == 0) return {};
    std::uint64_t v = 0;
    bool overflow = false;
    std::size_t i = 2;
    for (int d; i < s.size() && (d = RadixDigit(s[i], radix)) >= 0; ++i) {
        v = v * std::uint64_t(radix) + std::uint64_t(d);
        if (v > 0xFFFFFFFFu) {
            overflow = true;
            v = 0xFFFFFFFFu;
        }
    }
    if (i == 2) return {};
    if (overflow) return {double(v), i, true};
    if (v <= 0xFFFFu) return {double(std::int16_t(std::uint16_t(v))), i, false};
    return {double(std::int32_t(std::uint32_t(v))), i, false};
}

std::size_t AppendDigits(std::string_view s, std::size_t i, std::string& digits) {
    for (; i < s.size() && IsDigit(s[i]); ++i) digits += s[i];
    return i;
}

// Reads "[+|-]digits" after an exponent mark; returns the end, or 0 when there are no
// digits (then the mark is not part of the number). Saturates far beyond double range.
std::size_t ScanExponent(std::string_view s, std::size_t i, long& exponent) {
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i >= s.size() || !IsDigit(s[i])) return 0;
    long e = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) e = std::min(e * 10 + (s[i] - '0'), 1'000'000L);
    exponent = negative ? -e : e;
    return i;
}

// digits × 10^exponent, without a decimal point so the conversion needs no locale.
ScannedNumber Compose(bool negative, std::string digits, long exponent, std::size_t length) {
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) return {negative ? -0.0 : 0.0, length, false};
    digits.erase(0, first);
    const long magnitude = long(digits.size()) + exponent;
    digits += 'e';
    digits += std::to_string(exponent);
    double v = 0;
    bool overflow = false;
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        overflow = magnitude > 0;
        v = overflow ? HUGE_VAL : 0.0;
    }
    return {negative ? -v : v, length, overflow};
}

ScannedNumber ScanDecimal(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::string digits;
    i = AppendDigits(s, i, digits);
    long exponent = 0;
    if (i < s.size() && s[i] == '.') {
        const std::size_t intDigits = digits.size();
        i = AppendDigits(s, i + 1, digits);
        exponent = -long(digits.size() - intDigits);
    }
    if (digits.empty()) return {};
    if (i < s.size() && IsExponentMark(s[i])) {
        long e = 0;
        if (const std::size_t end = ScanExponent(s, i + 1, e); end != 0) {
            exponent += e;
            i = end;
        }
    }
    return Compose(negative, std::move(digits), exponent, i);
}

ScannedNumber ScanNumber(std::string_view s) {
    return !s.empty() && s[0] == '&' ? ScanRadix(s) : ScanDecimal(s);
}

std::string_view TrimSpaces(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The whole string (blanks around it allowed) must be one number.
ScannedNumber ScanWholeNumber(std::string_view s) {
    const std::string_view t = TrimSpaces(s);
    ScannedNumber n = ScanNumber(t);
    if (n.length != t.size()) n.length = 0;
    return n;
}

double StringToDouble(std::string_view s) {
    const ScannedNumber n = ScanWholeNumber(s);
    if (n.length == 0) Raise(kErrTypeMismatch);
    if (n.overflow) Raise(kErrOverflow);
    return n.value;
}

// The numeric value of any Variant that has one.
double ToDouble(const Variant& v) {
    switch (v.type()) {
        case VarType::Empty:
            return 0;
        case VarType::Null:
            Raise(kErrInvalidNull);
        case VarType::Missing:
        case VarType::Object:
            Raise(kErrTypeMismatch);
        case VarType::Boolean:
            return *v.asBoolPtr() ? -1 : 0;
        case VarType::Byte:
            return *v.asBytePtr();
        case VarType::Integer:
            return *v.asIntegerPtr();
        case VarType::Long:
            return *v.asLongPtr();
        case VarType::Single:
            return *v.asSinglePtr();
        case VarType::Double:
            return *v.asDoublePtr();
        case VarType::String:
            return StringToDouble(*v.asStringPtr());
    }
    Raise(kErrTypeMismatch);
}

double RoundHalfEven(double v) {
    const double f = std::floor(v);
    const double diff = v - f;
    if (diff > 0.5) return f + 1;
    if (diff < 0.5) return f;
    return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

double RoundIntoRange(const Variant& v, double lo, double hi) {
    const double r = RoundHalfEven(ToDouble(v));
    if (!(r >= lo && r <= hi)) Raise(kErrOverflow);
    return r;
}

// VB shows infinities and NaN this way; they only arise from Val of huge literals.
std::string NonFiniteText(double v) {
    if (std::isnan(v)) return "-1.#IND";
    return v > 0 ? "1.#INF" : "-1.#INF";
}

// Up to `digits` significant digits, no trailing zeros, exponent form "1E+20"/"1E-05".
std::string FormatFloating(double v, int digits) {
    if (v == 0) return "0";  // also negative zero
    if (!std::isfinite(v)) return NonFiniteText(v);
    std::array<char, 64> buf{};
    const auto r =
        std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::general, digits);
    std::string s(buf.data(), r.ptr);
    if (const auto e = s.find('e'); e != std::string::npos) s[e] = 'E';
    return s;
}

}  // namespace

std::int16_t CInt(const Variant& v) {
    if (const std::int16_t* i = v.asIntegerPtr()) return *i;
    return std::int16_t(RoundIntoRange(v, -32768, 32767));
}

std::int32_t CLng(const Variant& v) {
    // The common case, a Long already, needs no rounding.
    if (const std::int32_t* l = v.asLongPtr()) return *l;
    return std::int32_t(RoundIntoRange(v, -2147483648.0, 2147483647.0));
}

std::uint8_t CByte(const Variant& v) {
    // True is the 16-bit pattern 0xFFFF; its low byte is what a Byte receives.
    if (const bool* b = v.asBoolPtr()) return *b ? 255 : 0;
    return std::uint8_t(RoundIntoRange(v, 0, 255));
}

bool CBool(const Variant& v) {
    if (const std::string* s = v.asStringPtr()) {
        const std::string_view t = TrimSpaces(*s);
        // The classic runtime also writes Booleans as "#TRUE#" and "#FALSE#" (Write #).
        if (EqualNoCase(t, "True") || EqualNoCase(t, "#TRUE#")) return true;
        if (EqualNoCase(t, "False") || EqualNoCase(t, "#FALSE#")) return false;
    }
    return ToDouble(v) != 0;
}

float CSng(const Variant& v) {
    const double d = ToDouble(v);
    if (std::isinf(d) || std::fabs(d) > FLT_MAX) Raise(kErrOverflow);
    return float(d);
}

double CDbl(const Variant& v) {
    return ToDouble(v);
}

std::string CStr(const Variant& v) {
    switch (v.type()) {
        case VarType::Empty:
            return {};
        case VarType::Null:
            Raise(kErrInvalidNull);
        case VarType::Missing:
        case VarType::Object:
            Raise(kErrTypeMismatch);
        case VarType::Boolean:
            return *v.asBoolPtr() ? "True" : "False";
        case VarType::Byte:
            return std::to_string(*v.asBytePtr());
        case VarType::Integer:
            return std::to_string(*v.asIntegerPtr());
        case VarType::Long:
            return std::to_string(*v.asLongPtr());
        case VarType::Single:
            return FormatFloating(*v.asSinglePtr(), 7);
        case VarType::Double:
            return FormatFloating(*v.asDoublePtr(), 15);
        case VarType::String:
            return *v.asStringPtr();
    }
    Raise(kErrTypeMismatch);
}

double Val(std::string_view s) {
    // Blanks anywhere inside the number are ignored, as the classic Val does.
    std::string packed;
    packed.reserve(s.size());
    for (char c : s) {
        if (c != ' ' && c != '\t' && c != '\n') packed += c;
    }
    return ScanNumber(packed).value;
}

double Int(double v) {
    return std::floor(v);
}

double Fix(double v) {
    return std::trunc(v);
}

double Round(double v, int digits) {
    if (digits < 0) Raise(5);
    if (digits == 0) return RoundHalfEven(v);
    const double scale = std::pow(10.0, digits);
    const double scaled = v * scale;
    // Beyond 2^52 a double has no fractional part left to round.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 0x1p52) return v;
    return RoundHalfEven(scaled) / scale;
}

bool IsNumeric(const Variant& v) {
    if (const std::string* s = v.asStringPtr()) {
        const ScannedNumber n = ScanWholeNumber(*s);
        return n.length != 0 && !n.overflow;
    }
    return v.isEmpty() || v.isNumeric();
}

}  // namespace quindel
