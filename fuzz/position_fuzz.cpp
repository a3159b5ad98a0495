// Random bytes as a position file, searched for a media name cut from the front of the input, with
// and without the length column. A line whose numbers are not numbers may only raise a run-time
// error.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "display/FilePosizione.h"
#include "runtime/VbError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const bool conLunghezza = data[0] & 1;
    const std::size_t lunghezzaNome = std::min<std::size_t>(data[1] % 16, size - 2);
    const std::string_view resto(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::string_view nome = resto.substr(0, lunghezzaNome);
    try {
        (void)quindel::CercaPosizione(resto.substr(lunghezzaNome), nome, conLunghezza);
    } catch (const quindel::VbError&) {
    }
    return 0;
}
