#include "copyprint/NomiCopia.h"

#include "runtime/Text.h"

namespace quindel {

namespace {
constexpr std::int32_t kEstensione = 4;  // ".ext"
}

NomiCopia NomiCopia::Da(const std::string& FilePerCopia) {
    NomiCopia n;
    const std::int32_t lunghezza = Len(FilePerCopia);
    n.NomeFileCopia = FilePerCopia;
    if (lunghezza > kEstensione && Mid(FilePerCopia, lunghezza - kEstensione + 1, 1) == ".")
        n.NomeFileCopia = Left(FilePerCopia, lunghezza - kEstensione);
    // Content paths use backslashes; a host on this system may give slashes.
    const std::size_t barra = n.NomeFileCopia.find_last_of("\\/");
    const std::size_t taglio = barra == std::string::npos ? 0 : barra + 1;
    n.CartellaCopia = n.NomeFileCopia.substr(0, taglio);
    n.NomeCopia = n.NomeFileCopia.substr(taglio);
    if (InStr(UCase(n.NomeCopia), ".RTF") > 0)
        n.NomeCopia = Left(n.NomeCopia, Len(n.NomeCopia) - kEstensione);
    return n;
}

std::string NomiCopia::FileRtf() const {
    const bool estensione = NomeFileCopia.find('.', CartellaCopia.size()) != std::string::npos;
    return estensione ? NomeFileCopia : NomeFileCopia + ".rtf";
}

}  // namespace quindel
