#include "MediaCatalog.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace quindel::samplegen {
namespace {

struct TypeLayout {
    std::string_view tipo, layout, cartella, blob, prefix;
    int digits;
    std::string_view ext;
};

// Films sit in a folder written without the trailing backslash, and some pictures and most texts
// in packed files, so the sample exercises every way a host may describe where an object lives.
// The types nothing shows ("IT", "PL" and a code of a later content version) name files that
// are never written.
constexpr std::array kLayouts{
    TypeLayout{"FO", "", "media\\foto\\", "", "WISLA", 3, "JPG"},
    TypeLayout{"FO", "packed", "media\\", "FOTO.BLB", "WISLA", 3, "JPG"},
    TypeLayout{"MA", "", "media\\mapy\\", "", "MAPA", 2, "BMP"},
    TypeLayout{"DI", "", "media\\rysunki\\", "", "RYS", 3, "PNG"},
    TypeLayout{"TA", "packed", "media\\", "TEKSTY.BLB", "TEKST", 2, "RTF"},
    TypeLayout{"TA", "plain", "media\\teksty\\", "", "TEKST", 2, "RTF"},
    TypeLayout{"AU", "", "media\\dzwieki\\", "", "DZWIEK", 2, "OGG"},
    TypeLayout{"VI", "", "media\\filmy", "", "FILM", 2, "WEBM"},
    TypeLayout{"AN", "", "media\\animacje\\", "", "ANIM", 2, "GIF"},
    TypeLayout{"F3", "", "media\\panoramy\\", "", "PANO", 2, "JPG"},
    TypeLayout{"AI", "", "media\\interakt\\", "", "INTER", 2, "GIF"},
    TypeLayout{"IT", "", "", "", "INDEKS", 2, "TXT"},
    TypeLayout{"PL", "", "media\\plansze\\", "", "PLAN", 2, "PDF"},
    TypeLayout{"QZ", "", "media\\quizy\\", "", "QUIZ", 2, "DAT"},
};

const TypeLayout& LayoutFor(std::string_view tipo, std::string_view layout) {
    const auto it = std::find_if(kLayouts.begin(), kLayouts.end(), [&](const TypeLayout& l) {
        return l.tipo == tipo && l.layout == layout;
    });
    if (it == kLayouts.end())
        throw std::logic_error("no layout " + std::string(layout) + " for type " +
                               std::string(tipo));
    return *it;
}

std::string FileName(const TypeLayout& l, int number) {
    std::string digits = std::to_string(number);
    if (int(digits.size()) < l.digits) digits.insert(0, std::size_t(l.digits) - digits.size(), '0');
    return std::string(l.prefix) + digits + "." + std::string(l.ext);
}

}  // namespace

void MediaCatalog::Add(std::string_view tipo, std::string descrizione, std::string didascalia,
                       Scene scene, std::string_view layout) {
    const TypeLayout& l = LayoutFor(tipo, layout);
    const int number = ++counters_[std::string(tipo)];
    objects_.push_back(
        MediaObject{hostkit::VoceLista{codiceLemma_, std::string(l.cartella), std::string(l.blob),
                                       FileName(l, number), std::string(tipo),
                                       std::move(descrizione), std::move(didascalia)},
                    scene});
}

std::vector<hostkit::VoceLista> Records(const std::vector<MediaObject>& objects) {
    std::vector<hostkit::VoceLista> voci;
    voci.reserve(objects.size());
    for (const MediaObject& o : objects) voci.push_back(o.voce);
    return voci;
}

}  // namespace quindel::samplegen
