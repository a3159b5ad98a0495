#pragma once
// What a list controller needs of the control that owns it. The control implements it; tests use
// a small fake. The controller holds a plain pointer, cleared by the owner's terminate step.
#include <cstdint>
#include <memory>
#include <string>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
}

namespace quindel {

class ProprietarioLista {
  public:
    virtual ~ProprietarioLista() = default;
    virtual platform::Platform& Piattaforma() = 0;
    // The button-state layer of the control (button numbers of the panel's button set).
    virtual bool IsPulsanteAbilitato(std::int16_t Indice) const = 0;
    virtual void setIsPulsanteAbilitato(std::int16_t Indice, bool v) = 0;
    virtual std::int16_t ValorePulsante(std::int16_t Indice) const = 0;
    virtual void setValorePulsante(std::int16_t Indice, std::int16_t v) = 0;
    // Shows the current object of the multimedia list.
    virtual void MostraOggetto() = 0;
    // Reports the current row of list IndiceLista (0 linked entries, 1 objects) to the host.
    virtual void CLickLista(std::int16_t IndiceLista) = 0;
    // Asks the host for a chunk of a long list (raises GetChunk).
    virtual void ChiediNuovoChunk(std::uint8_t iTipoLista, const std::string& sNomeFileLista,
                                  std::int32_t lPosizione) = 0;
    // Hides the toolbar's tooltip window.
    virtual void SpegniToolTip() = 0;
    // Closes and destroys the volume window if it is open.
    virtual void ScaricaVolume() = 0;
    // A reference that keeps the owner alive while a list event runs: the host may let the
    // control go from inside the events the list raises.
    virtual std::shared_ptr<void> TieniInVita() = 0;
};

}  // namespace quindel

QUINDEL_API_END
