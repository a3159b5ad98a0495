#include "hostkit/lists/PaginatoreLista.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>

#include "hostkit/lists/ScrittoreLista.h"

namespace quindel::hostkit {

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
    const char* dati = dati_.data() + primo * kLunghezzaRecordLista;
    const std::size_t n = std::min(quanti, std::size_t(totale_) - primo) * kLunghezzaRecordLista;
    // Written over in place and then cut to its length, never truncated to nothing first: ext4
    // flushes a file emptied and written again when it is closed, a disk write per page.
    const int fd = ::open(fileChunk.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    std::size_t scritti = 0;
    while (scritti < n) {
        const ssize_t r = ::pwrite(fd, dati + scritti, n - scritti, off_t(scritti));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        scritti += std::size_t(r);
    }
    const bool ok = scritti == n && ::ftruncate(fd, off_t(n)) == 0;
    return ::close(fd) == 0 && ok;
}

}  // namespace quindel::hostkit
