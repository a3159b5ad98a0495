#pragma once
// Collects the multimedia objects of one entry, giving each its folder and an 8.3 file name
// numbered per type, so the content tables only say what an object shows.
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hostkit/ScrittoreLista.h"

namespace quindel::samplegen {

class MediaCatalog {
  public:
    explicit MediaCatalog(std::string codiceLemma) : codiceLemma_(std::move(codiceLemma)) {}

    // Throws std::logic_error for a type code it has no layout for.
    void Add(std::string_view tipo, std::string descrizione, std::string didascalia);
    const std::vector<VoceLista>& Voci() const { return voci_; }

  private:
    std::string codiceLemma_;
    std::vector<VoceLista> voci_;
    std::map<std::string, int, std::less<>> counters_;
};

}  // namespace quindel::samplegen
