// Members whose work belongs to the display, playback and copy-and-print parts of the panel.
#include "control/Quindel.h"
#include "display/Frm_volume.h"
#include "runtime/Coercions.h"

namespace quindel {

void Quindel::MostraOggetto() {
    display_->MostraOggetto();
}

void Quindel::Chiudi(const Variant& NonScaricareLaForm) {
    if (!NonScaricareLaForm.isMissing()) DontUnload_ = CBool(NonScaricareLaForm);
    EseguiComando(14);
}

void Quindel::ScaricaVolume() {
    if (!volume_) return;
    volume_->Unload();
    volume_.reset();
}

}  // namespace quindel
