#include "hostkit/PaginatoreLista.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "hostkit/ScrittoreLista.h"

namespace quindel {

PaginatoreLista::PaginatoreLista(const std::string& fileIntero, std::int32_t pagina)
    : pagina_(std::max(pagina, 1)) {
    std::ifstream in(fileIntero, std::ios::binary);
    dati_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    totale_ = std::int32_t(dati_.size() / kLunghezzaRecordLista);
}

std::int32_t PaginatoreLista::PrimoDelChunk(std::int32_t posizione) const {
    if (totale_ <= pagina_) return 1;
    if (totale_ - posizione >= pagina_) return std::max(posizione, 1);
    return totale_ - pagina_ + 1;
}

bool PaginatoreLista::ScriviChunk(const std::string& fileChunk, std::int32_t posizione) const {
    const std::size_t primo = std::size_t(PrimoDelChunk(posizione) - 1);
    const std::size_t quanti = totale_ <= pagina_ ? std::size_t(totale_) : std::size_t(pagina_);
    std::ofstream out(fileChunk, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(
        dati_.data() + std::ptrdiff_t(primo * kLunghezzaRecordLista),
        std::streamsize(std::min(quanti, std::size_t(totale_) - primo) * kLunghezzaRecordLista));
    return bool(out);
}

}  // namespace quindel
