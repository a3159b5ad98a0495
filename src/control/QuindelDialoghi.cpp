// The copy and print dialogs seen from the control: opening them, the state they take, closing.
#include "control/Quindel.h"
#include "copyprint/fcopia.h"
#include "copyprint/fstampa.h"
#include "lists/ClasseTLista.h"
#include "platform/Form.h"

namespace quindel {

std::string Quindel::TipoOggettoCorrente() const {
    return liste_[1]->TipoOggetto();
}

platform::Image Quindel::PuntatoreDialoghi() const {
    return Pic_IconaZoom_;
}

// One dialog at a time: the other forms close, and so does the other dialog.
void Quindel::copia(const std::string&) {
    ChiudiTutteLeformAperte(Variant(true));
    if (stampa_) stampa_->Unload();
    if (!copia_ || !copia_->Caricato()) copia_ = std::make_unique<fcopia>(platform_);
    SpegniToolTip();
    copia_->setPilondaCorrente(this);
}

void Quindel::Stampa() {
    ChiudiTutteLeformAperte(Variant(true));
    if (copia_) copia_->Unload();
    if (!stampa_ || !stampa_->Caricato()) stampa_ = std::make_unique<fstampa>(platform_);
    SpegniToolTip();
    stampa_->setPilondaCorrente(this);
}

void Quindel::ChiudiDialoghi() {
    if (stampa_) stampa_->setPilondaCorrente(nullptr);
    if (copia_) copia_->setPilondaCorrente(nullptr);
    stampa_.reset();
    copia_.reset();
}

}  // namespace quindel
