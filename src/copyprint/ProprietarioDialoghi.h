#pragma once
// What the copy and print dialogs need of the control that opened them. The control implements
// it; tests use a small fake. A dialog holds a plain pointer (its PilondaCorrente), cleared by the
// control's terminate step.
#include <cstdint>
#include <memory>
#include <string>

#include "runtime/Variant.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
class Image;
}  // namespace quindel::platform

namespace quindel {

class ProprietarioDialoghi {
  public:
    virtual ~ProprietarioDialoghi() = default;
    virtual platform::Platform& Piattaforma() = 0;
    // The host's display controls and settings the dialogs read.
    virtual Object ControlloTesto() const = 0;
    virtual Object ControlloDidascalia() const = 0;
    virtual Object ControlloImmagine() const = 0;
    virtual Object FrmParent() const = 0;
    virtual const std::string& FilePerCopia() const = 0;
    // The type code of the current object of the multimedia list ("TA" is a table).
    virtual std::string TipoOggettoCorrente() const = 0;
    // The control's own mouse pointer for the dialogs' labels and pictures.
    virtual platform::Image PuntatoreDialoghi() const = 0;
    // Hides the toolbar's tooltip window.
    virtual void SpegniToolTip() = 0;
    // A reference that keeps the owner alive while a dialog runs something of its.
    virtual std::shared_ptr<void> TieniInVita() = 0;
};

}  // namespace quindel

QUINDEL_API_END
