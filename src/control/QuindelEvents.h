#pragma once
// The control's events: the typed C++ sink a host implements, and their dispatch ids (a Dispatch
// sink receives them by id). Every argument is by reference: a handler may change it.
// Ownership: the control holds its sinks until Unadvise or Termina; a sink must not own the
// control (hold it weakly or by a plain reference), or the two keep each other alive.
#include <cstdint>
#include <string>

#include "runtime/Dispatch.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

namespace evento {
constexpr DispId PulsantePremuto = 1;
constexpr DispId ClickListaOggettiMM = 2;
constexpr DispId ClickListaLemmi = 3;
constexpr DispId GetChunk = 4;
}  // namespace evento

class QuindelEvents {
  public:
    virtual ~QuindelEvents() = default;
    // A command ran: its number and the down state of its button (-1 or 0).
    virtual void PulsantePremuto(std::int16_t& /*IndicePulsante*/, std::int16_t& /*value*/) {}
    // The current row of the multimedia list changed.
    virtual void ClickListaOggettiMM(std::int32_t& /*Indice*/) {}
    // The current row of the linked-entries list was chosen.
    virtual void ClickListaLemmi(std::int32_t& /*Indice*/) {}
    // The control needs a chunk of a long list: write it and call InitChunk before returning.
    virtual void GetChunk(std::uint8_t& /*TipoLista*/, std::string& /*NomeFile*/,
                          std::int32_t& /*PosizioneDelPrimoElementoNelNuovoChunk*/) {}
};

}  // namespace quindel

QUINDEL_API_END
