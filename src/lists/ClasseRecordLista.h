#pragma once
// One entry of a list window, mirroring one record of a list file. The texts behave as fixed-width
// fields (cut to their width in characters, padded with blanks when read back whole), but a list
// may hold a hundred thousand entries, so they are kept trimmed, one after another in one buffer,
// and padded only when the whole field is asked for.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

class ClasseRecordLista {
  public:
    // The text fields in record order.
    enum class Campo : std::uint8_t {
        CodiceLemma,
        PathName,
        NomeFileBlob,
        NomeFile,
        TipoFile,
        Descrizione,
        Didascalia
    };
    static constexpr std::size_t kNumeroCampi = 7;
    // Width of each field in characters, in record order.
    static constexpr std::array<std::int32_t, kNumeroCampi> kLarghezze{8,  255, 12,  12,
                                                                       12, 255, 1024};
    static constexpr std::int32_t Larghezza(Campo c) { return kLarghezze[std::size_t(c)]; }

    ClasseRecordLista() = default;
    // All seven texts at once, in record order: one allocation instead of seven.
    ClasseRecordLista(const std::array<std::string_view, kNumeroCampi>& testi,
                      std::int32_t PosizioneAssoluta);

    // The whole field, padding included.
    std::string Testo(Campo c) const;
    void setTesto(Campo c, std::string_view v);
    // The field without trailing blanks and NULs.
    std::string sTesto(Campo c) const;
    // The field as kept: cut to its width, trailing blanks dropped (NULs kept).
    std::string_view Conservato(Campo c) const;
    // What sTesto gives, without a copy; valid until the record changes.
    std::string_view sConservato(Campo c) const;

    std::string CodiceLemma() const { return Testo(Campo::CodiceLemma); }
    void setCodiceLemma(std::string_view v) { setTesto(Campo::CodiceLemma, v); }
    std::string sCodiceLemma() const { return sTesto(Campo::CodiceLemma); }
    std::string PathName() const { return Testo(Campo::PathName); }
    void setPathName(std::string_view v) { setTesto(Campo::PathName, v); }
    std::string sPathName() const { return sTesto(Campo::PathName); }
    std::string NomeFileBlob() const { return Testo(Campo::NomeFileBlob); }
    void setNomeFileBlob(std::string_view v) { setTesto(Campo::NomeFileBlob, v); }
    std::string sNomeFileBlob() const { return sTesto(Campo::NomeFileBlob); }
    std::string NomeFile() const { return Testo(Campo::NomeFile); }
    void setNomeFile(std::string_view v) { setTesto(Campo::NomeFile, v); }
    std::string sNomeFile() const { return sTesto(Campo::NomeFile); }
    std::string TipoFile() const { return Testo(Campo::TipoFile); }
    void setTipoFile(std::string_view v) { setTesto(Campo::TipoFile, v); }
    std::string sTipoFile() const { return sTesto(Campo::TipoFile); }
    std::string Descrizione() const { return Testo(Campo::Descrizione); }
    void setDescrizione(std::string_view v) { setTesto(Campo::Descrizione, v); }
    std::string sDescrizione() const { return sTesto(Campo::Descrizione); }
    std::string Didascalia() const { return Testo(Campo::Didascalia); }
    void setDidascalia(std::string_view v) { setTesto(Campo::Didascalia, v); }
    std::string sDidascalia() const { return sTesto(Campo::Didascalia); }

    // 1-based position in the whole list, -1 when the list was loaded without positions.
    std::int32_t PosizioneAssoluta() const { return PosizioneAssoluta_; }
    void setPosizioneAssoluta(std::int32_t v) { PosizioneAssoluta_ = v; }

  private:
    std::size_t Inizio(Campo c) const;

    std::string testi_;  // the kept texts, in record order, back to back
    // Where each text ends in testi_; even a full-width field of 4-byte characters fits.
    std::array<std::uint16_t, kNumeroCampi> fine_{};
    std::int32_t PosizioneAssoluta_ = -1;
};

}  // namespace quindel

QUINDEL_API_END
