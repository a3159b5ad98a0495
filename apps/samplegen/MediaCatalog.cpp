#include "MediaCatalog.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace quindel::samplegen {
namespace {

struct TypeLayout {
    std::string_view tipo, cartella, blob, prefix;
    int digits;
    std::string_view ext;
};

// Films sit in a folder written without the trailing backslash and texts in a packed file, so
// the sample exercises both ways a host may describe where an object lives.
constexpr std::array kLayouts{
    TypeLayout{"FO", "media\\foto\\", "", "WISLA", 3, "JPG"},
    TypeLayout{"MA", "media\\mapy\\", "", "MAPA", 2, "BMP"},
    TypeLayout{"DI", "media\\rysunki\\", "", "RYS", 3, "BMP"},
    TypeLayout{"TA", "media\\", "TEKSTY.BLB", "TEKST", 2, "TXT"},
    TypeLayout{"AU", "media\\dzwieki\\", "", "DZWIEK", 2, "WAV"},
    TypeLayout{"VI", "media\\filmy", "", "FILM", 2, "AVI"},
    TypeLayout{"AN", "media\\animacje\\", "", "ANIM", 2, "AVI"},
    TypeLayout{"F3", "media\\panoramy\\", "", "PANO", 2, "JPG"},
    TypeLayout{"AI", "media\\interakt\\", "", "INTER", 2, "MOV"},
    TypeLayout{"IT", "", "", "INDEKS", 2, "TXT"},
};

const TypeLayout& LayoutFor(std::string_view tipo) {
    const auto it = std::find_if(kLayouts.begin(), kLayouts.end(),
                                 [&](const TypeLayout& l) { return l.tipo == tipo; });
    if (it == kLayouts.end()) throw std::logic_error("no layout for type " + std::string(tipo));
    return *it;
}

std::string FileName(const TypeLayout& l, int number) {
    std::string digits = std::to_string(number);
    if (int(digits.size()) < l.digits) digits.insert(0, std::size_t(l.digits) - digits.size(), '0');
    return std::string(l.prefix) + digits + "." + std::string(l.ext);
}

}  // namespace

void MediaCatalog::Add(std::string_view tipo, std::string descrizione, std::string didascalia) {
    const TypeLayout& l = LayoutFor(tipo);
    const int number = ++counters_[std::string(tipo)];
    voci_.push_back(VoceLista{codiceLemma_, std::string(l.cartella), std::string(l.blob),
                              FileName(l, number), std::string(tipo), std::move(descrizione),
                              std::move(didascalia)});
}

}  // namespace quindel::samplegen
