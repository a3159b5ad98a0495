#pragma once
// The classic conversions between Variants and C++ values. Failures raise the classic
// run-time errors: 6 on overflow, 13 on a type mismatch, 94 on Null.
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace quindel {

// CInt/CLng/CByte round half to even before the range check.
std::int16_t CInt(const Variant& v);
std::int32_t CLng(const Variant& v);
std::uint8_t CByte(const Variant& v);
bool CBool(const Variant& v);
float CSng(const Variant& v);
double CDbl(const Variant& v);
std::string CStr(const Variant& v);

// The leading number of a string; never fails, 0 when nothing is readable.
double Val(std::string_view s);

double Int(double v);  // floor
double Fix(double v);  // toward zero
// Half to even ("banker's") at the given number of decimals; digits < 0 raises 5.
double Round(double v, int digits = 0);

bool IsNumeric(const Variant& v);

}  // namespace quindel
