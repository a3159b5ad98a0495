#pragma once
// Shared by the runtime tests: error numbers in tables (0 stands for "no error") and a
// readable Variant in failure messages.
#include <ostream>
#include <utility>

#include "runtime/Coercions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Variant.h"
#include "runtime/VbError.h"

namespace quindel {

namespace test {

template <class F>
int ErrorNumberOf(F&& step) {
    try {
        std::forward<F>(step)();
    } catch (const VbError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace test

inline void PrintTo(const Variant& v, std::ostream* os) {
    std::string text;
    const bool printable = !IgnoraErrori([&] { text = CStr(v); });
    *os << v.TypeName();
    if (printable) *os << "(" << text << ")";
}

}  // namespace quindel
