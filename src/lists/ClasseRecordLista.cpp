#include "lists/ClasseRecordLista.h"

#include "runtime/Text.h"
#include "support/FileUtil.h"

namespace quindel {

namespace {

// The part of v a field of `larghezza` characters keeps, without the blanks that padding would
// put back anyway.
std::string_view DaConservare(std::string_view v, std::int32_t larghezza) {
    // A text no longer in bytes than the width cannot be longer in characters.
    if (v.size() > std::size_t(larghezza)) {
        std::size_t fine = 0;
        for (std::int32_t n = 0; n < larghezza && fine < v.size(); ++n)
            fine += Utf8SequenceLength(v, fine);
        v = v.substr(0, fine);
    }
    std::size_t n = v.size();
    while (n > 0 && v[n - 1] == ' ') --n;
    return v.substr(0, n);
}

}  // namespace

ClasseRecordLista::ClasseRecordLista(const std::array<std::string_view, kNumeroCampi>& testi,
                                     std::int32_t PosizioneAssoluta)
    : PosizioneAssoluta_(PosizioneAssoluta) {
    std::array<std::string_view, kNumeroCampi> conservati;
    std::size_t totale = 0;
    for (std::size_t i = 0; i < kNumeroCampi; ++i) {
        conservati[i] = DaConservare(testi[i], kLarghezze[i]);
        totale += conservati[i].size();
    }
    testi_.reserve(totale);
    for (std::size_t i = 0; i < kNumeroCampi; ++i) {
        testi_ += conservati[i];
        fine_[i] = std::uint16_t(testi_.size());
    }
}

std::size_t ClasseRecordLista::Inizio(Campo c) const {
    return c == Campo::CodiceLemma ? 0 : fine_[std::size_t(c) - 1];
}

std::string_view ClasseRecordLista::Conservato(Campo c) const {
    const std::size_t inizio = Inizio(c);
    return std::string_view(testi_).substr(inizio, fine_[std::size_t(c)] - inizio);
}

std::string ClasseRecordLista::Testo(Campo c) const {
    return FixedWidth(Conservato(c), Larghezza(c));
}

std::string ClasseRecordLista::sTesto(Campo c) const {
    return std::string(sConservato(c));
}

std::string_view ClasseRecordLista::sConservato(Campo c) const {
    return SenzaSpaziFinali(Conservato(c));
}

void ClasseRecordLista::setTesto(Campo c, std::string_view v) {
    const std::string_view nuovo = DaConservare(v, Larghezza(c));
    const std::size_t inizio = Inizio(c);
    const std::size_t vecchio = fine_[std::size_t(c)] - inizio;
    testi_.replace(inizio, vecchio, nuovo);
    for (std::size_t i = std::size_t(c); i < kNumeroCampi; ++i)
        fine_[i] = std::uint16_t(fine_[i] - vecchio + nuovo.size());
}

}  // namespace quindel
