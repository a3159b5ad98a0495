#include "toolbar/frm_NomeDeiPulsanti.h"

#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/Platform.h"
#include "support/ModErrori.h"

namespace quindel {

namespace {
constexpr platform::Rgba kGialloPallido = platform::MakeRgb(255, 255, 225);
}

frm_NomeDeiPulsanti::frm_NomeDeiPulsanti(platform::Platform& p) : platform_(p) {
    SegnalaCatalogoMancante(p);
}

frm_NomeDeiPulsanti::~frm_NomeDeiPulsanti() {
    Unload();
}

void frm_NomeDeiPulsanti::Load() {
    if (Caricato()) return;
    form_ = platform_.NewForm();
    form_->setBorderStyle(platform::border::None);
    label_ = platform_.NewLabel(*form_);
    label_->setBorderStyle(1);
    label_->setBackColor(kGialloPallido);
    label_->setAutoSize(true);
    label_->OnChange = [this] { AdattaAllaScritta(); };
    label_->OnMouseMove = [this](const platform::MouseArgs&) { Nascondi(); };
    label_->OnClick = [this] { Nascondi(); };
    form_->OnMouseMove = [this](const platform::MouseArgs&) { Nascondi(); };
    AdattaAllaScritta();
}

void frm_NomeDeiPulsanti::Unload() {
    if (form_) form_->Unload();
    label_.reset();
    form_.reset();
}

bool frm_NomeDeiPulsanti::Caricato() const {
    return form_ && form_->Loaded();
}

platform::Form& frm_NomeDeiPulsanti::frm() {
    Load();
    return *form_;
}

platform::Label& frm_NomeDeiPulsanti::lbl_HelpButton() {
    Load();
    return *label_;
}

void frm_NomeDeiPulsanti::AdattaAllaScritta() {
    form_->Move(form_->Left(), form_->Top(), label_->Width(), label_->Height());
}

void frm_NomeDeiPulsanti::Nascondi() {
    if (form_) form_->Hide();
}

}  // namespace quindel
