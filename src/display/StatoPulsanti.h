#pragma once
// The panel's button-state layer as the pieces below the control use it, by button number of the
// panel's button set: enabled, visible, value (setting a value runs the button's command, as for
// the host), a button's tooltip and pictures, and the down state set as the panel's own
// bookkeeping, with no command run. The control implements it; tests use a small fake that keeps
// the states. The object display holds a reference for its whole life.
#include <cstdint>
#include <string>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

class StatoPulsanti {
  public:
    virtual ~StatoPulsanti() = default;
    virtual bool IsPulsanteAbilitato(std::int16_t Indice) const = 0;
    virtual void setIsPulsanteAbilitato(std::int16_t Indice, bool v) = 0;
    virtual bool IsPulsanteVisibile(std::int16_t Indice) const = 0;
    virtual void setIsPulsanteVisibile(std::int16_t Indice, bool v) = 0;
    virtual std::int16_t ValorePulsante(std::int16_t Indice) const = 0;
    virtual void setValorePulsante(std::int16_t Indice, std::int16_t v) = 0;
    // Gives button Indice a tooltip and the pictures of a strip column, then redraws the strip.
    virtual void CambiaPulsante(std::int16_t Indice, const std::string& tooltip,
                                std::int16_t colonna) = 0;
    // Sets a button up or down as the panel's own bookkeeping: no command runs.
    virtual void ImpostaPulsanteGiu(std::int16_t Indice, bool giu) = 0;
};

}  // namespace quindel

QUINDEL_API_END
