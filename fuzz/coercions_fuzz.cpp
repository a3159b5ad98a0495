// Random text and numbers through the classic conversions: only run-time errors may come out.
#include <cstdint>
#include <cstring>
#include <string>

#include "runtime/Coercions.h"
#include "runtime/ErrorHandling.h"

namespace {

void Tutte(const quindel::Variant& v) {
    using namespace quindel;
    IgnoraErrori([&] { (void)CInt(v); });
    IgnoraErrori([&] { (void)CLng(v); });
    IgnoraErrori([&] { (void)CByte(v); });
    IgnoraErrori([&] { (void)CBool(v); });
    IgnoraErrori([&] { (void)CSng(v); });
    IgnoraErrori([&] { (void)CDbl(v); });
    IgnoraErrori([&] { (void)CStr(v); });
    IgnoraErrori([&] { (void)IsNumeric(v); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Tutte(quindel::Variant(text));
    (void)quindel::Val(text);
    if (size >= 8) {
        double d;
        std::memcpy(&d, data, 8);
        Tutte(quindel::Variant(d));
        Tutte(quindel::Variant(float(d)));
        quindel::IgnoraErrori([&] { (void)quindel::Round(d, int(data[0] % 20) - 2); });
        std::int32_t l;
        std::memcpy(&l, data, 4);
        Tutte(quindel::Variant(l));
        Tutte(quindel::Variant(std::int16_t(l)));
    }
    return 0;
}
