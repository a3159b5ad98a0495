// Random bytes as a message catalogue: every code the first bytes name is looked up.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "support/Catalogo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    std::int32_t codice;
    std::memcpy(&codice, data, 4);
    const std::string_view contenuto(reinterpret_cast<const char*>(data) + 4, size - 4);
    for (std::int32_t c : {codice, codice % 1000, 101, 679, 0, -1})
        (void)quindel::CercaMessaggio(contenuto, c);
    return 0;
}
