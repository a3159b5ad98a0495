#pragma once
// A hidden rich-text engine instance as the dialogs use it: its members reached by the engine's
// dispatch ids, which the contract's rich-text row names (contract/Text.h). A member the row does
// not number is a programming error (std::logic_error). Errors of the instance (a null one: 91)
// reach the caller.
#include <cstdint>
#include <string>

#include "contract/Member.h"
#include "runtime/Dispatch.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

class IstanzaTesto {
  public:
    explicit IstanzaTesto(Object istanza) : istanza_(std::move(istanza)) {}
    const Object& Oggetto() const { return istanza_; }

    Variant Leggi(const contract::Member& membro) const;
    void Imposta(const contract::Member& membro, Variant valore) const;
    // An object member (a font, say) is set by reference, not assigned.
    void ImpostaOggetto(const contract::Member& membro, Object oggetto) const;

    std::string Testo() const;
    void setTesto(const std::string& rtf) const;
    std::int32_t Lunghezza() const;
    void Seleziona(std::int32_t inizio, std::int32_t lunghezza) const;
    // Selects the whole text by its length (TextLength).
    void SelezionaTutto() const;
    std::int32_t Handle() const;

  private:
    void Scrivi(const contract::Member& membro, CallKind kind, Variant valore) const;

    Object istanza_;
};

}  // namespace quindel

QUINDEL_API_END
