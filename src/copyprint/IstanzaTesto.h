#pragma once
// A hidden rich-text engine instance as the dialogs use it: its members reached by the engine's
// dispatch ids, named here once. Errors of the instance (a null one: 91) reach the caller.
#include <cstdint>
#include <string>

#include "runtime/Dispatch.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

class IstanzaTesto {
  public:
    // The engine's dispatch ids.
    static constexpr DispId kFormatiCopia = 2, kVista = 33, kTesto = 42, kNomeSalvataggio = 44,
                            kSalva = 45, kIntervalloPagina = 49, kLunghezzaSelezione = 89,
                            kInizioSelezione = 90, kProtezione = 103, kIntervalloRegione = 112,
                            kCopiaAppunti = 118, kLunghezza = 144, kHandle = 146;

    explicit IstanzaTesto(Object istanza) : istanza_(std::move(istanza)) {}
    const Object& Oggetto() const { return istanza_; }

    Variant Leggi(DispId id) const;
    void Imposta(DispId id, Variant valore) const;

    std::string Testo() const;
    void setTesto(const std::string& rtf) const { Imposta(kTesto, Variant(rtf)); }
    std::int32_t Lunghezza() const;
    void Seleziona(std::int32_t inizio, std::int32_t lunghezza) const;
    // Selects the whole text by its length (144).
    void SelezionaTutto() const;
    std::int32_t Handle() const;

  private:
    Object istanza_;
};

}  // namespace quindel

QUINDEL_API_END
