#include "hostkit/lists/ScrittoreLista.h"

#include <algorithm>
#include <fstream>

#include "runtime/CodePage.h"
#include "runtime/Text.h"

namespace quindel::hostkit {
namespace {

constexpr std::size_t SommaLarghezze() {
    std::size_t n = 0;
    for (const CampoLista& c : kCampiLista) n += std::size_t(c.Larghezza);
    return n;
}
static_assert(SommaLarghezze() == kLunghezzaRecordLista);

// Cut and padded by characters first, so a cut never splits a letter; the final resize only
// matters for a multi-byte system code page, where the record must still keep its layout.
std::string Campo(const std::string& testo, std::int32_t larghezza) {
    std::string bytes = ACodePage(FixedWidth(testo, larghezza));
    bytes.resize(std::size_t(larghezza), ' ');
    return bytes;
}

}  // namespace

std::string RecordLista(const VoceLista& v) {
    std::string record;
    record.reserve(kLunghezzaRecordLista);
    for (const CampoLista& c : kCampiLista) record += Campo(v.*c.Testo, c.Larghezza);
    return record;
}

bool ScriviListaFile(const std::string& path, const std::vector<VoceLista>& voci, std::size_t primo,
                     std::size_t quanti) {
    const std::size_t inizio = std::min(primo, voci.size());
    const std::size_t fine = inizio + std::min(quanti, voci.size() - inizio);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t i = inizio; out && i < fine; ++i) out << RecordLista(voci[i]);
    return bool(out.flush());
}

}  // namespace quindel::hostkit
