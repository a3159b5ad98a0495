#pragma once
// The host's side of chunk paging: it keeps a whole list file and writes the page the control
// asks for into a chunk file, as a host answering GetChunk does.
#include <cstdint>
#include <string>

namespace quindel::hostkit {

class PaginatoreLista {
  public:
    // Reads the whole list file (native path); an unreadable file gives an empty list.
    explicit PaginatoreLista(const std::string& fileIntero, std::int32_t pagina);

    std::int32_t Totale() const { return totale_; }
    std::int32_t Pagina() const { return pagina_; }
    // The position of the first record the control loads for a chunk starting at posizione.
    std::int32_t PrimoDelChunk(std::int32_t posizione) const;
    // Writes the page for a chunk starting at posizione (1-based) into the chunk file.
    bool ScriviChunk(const std::string& fileChunk, std::int32_t posizione) const;

  private:
    std::string dati_;
    std::int32_t totale_ = 0;
    std::int32_t pagina_;
};

}  // namespace quindel::hostkit
