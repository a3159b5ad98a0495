// Stored settings, host display controls, and the members whose work belongs to the display,
// playback and copy-and-print parts of the panel.
#include <limits>

#include "control/Quindel.h"
#include "lists/ClasseTLista.h"
#include "platform/Platform.h"
#include "platform/Slider.h"
#include "runtime/Coercions.h"
#include "runtime/ErrorHandling.h"
#include "toolbar/ClasseToolbar.h"

namespace quindel {

namespace {
constexpr std::int32_t kVolumeMassimo = 255;
constexpr std::int32_t kScalaDispositivo = 65535;
}  // namespace

Object Quindel::SliderAvanzamento() const {
    return sliderObject_;
}

void Quindel::setVolumeAudio(std::int32_t v) {
    VolumeAudio_ = std::min(v, kVolumeMassimo);
    ApplicaVolume(ControlloAudio_);
    ApplicaVolume(ControlloVideo_);
}

// The devices take 0..65535; a negative volume would reach them as a negative level, so the
// pushed value never goes below silence.
void Quindel::ApplicaVolume(const Object& controllo) {
    if (!controllo) return;
    const std::int32_t livello = std::max(VolumeAudio_, 0) * kScalaDispositivo / kVolumeMassimo;
    LetProperty(controllo, "WaveVolume", Variant(double(livello)));
}

void Quindel::setControlloAudio(Object o) {
    ControlloAudio_ = std::move(o);
    ApplicaVolume(ControlloAudio_);
}

void Quindel::setControlloVideo(Object o) {
    ControlloVideo_ = std::move(o);
    ApplicaVolume(ControlloVideo_);
}

void Quindel::setFrmControlloAnimazione(Object form) {
    FrmControlloAnimazione_ = std::move(form);
    // No animation form: no surface whose drawing the panel could freeze.
    if (!FrmControlloAnimazione_) {
        HwndControlloAnimazion_ = 0;
        return;
    }
    const Variant superficie = GetProperty(FrmControlloAnimazione_, "Pic_Animazioni");
    HwndControlloAnimazion_ =
        CLng(GetProperty(superficie.isObject() ? *superficie.asObjectPtr() : Object(), "hWnd"));
}

void Quindel::setAttesaAutoplay(std::int32_t secondi) {
    if (secondi == 0) {
        AttesaAutoplay_ = 2000;
        return;
    }
    const std::int64_t ms = std::int64_t(secondi) * 1000;
    if (ms > std::numeric_limits<std::int32_t>::max() ||
        ms < std::numeric_limits<std::int32_t>::min())
        throw VbError(6);
    AttesaAutoplay_ = std::int32_t(ms);
}

void Quindel::Chiudi(const Variant& NonScaricareLaForm) {
    if (!NonScaricareLaForm.isMissing()) DontUnload_ = CBool(NonScaricareLaForm);
    EseguiComando(14);
}

void Quindel::copia(const std::string&) {
    ChiudiTutteLeformAperte(Variant(true));
    // The copy dialog joins the panel with the copy-and-print work.
}

// The display, playback, zoom and print members below are completed by the parts of the panel
// that show objects; until then they do only what does not depend on a display.
void Quindel::MostraOggetto() {
    const auto self = shared_from_this();
    ClasseTLista& mm = *liste_[1];
    if (ControlloDidascalia_) {
        LetProperty(ControlloDidascalia_, "FText", Variant(mm.Didascalia()));
        LetProperty(ControlloDidascalia_, "DocWidth",
                    Variant(CDbl(GetProperty(ControlloDidascalia_, "Width")) * 0.95));
        platform_.DoEvents();
        if (VisualizzazioniChiuse_) {
            platform_.screen().setMousePointer(platform::pointer::Default);
            return;
        }
        DisponiDidascalia();
    }
    mm.AggiornaPulsantiPilonda();
    platform_.screen().setMousePointer(platform::pointer::Default);
}

void Quindel::SpegniTutteLeVisualizzazioni() {}

void Quindel::ChiudiTutteLeVisualizzazioni() {
    StopAutoplay_ = true;
    StopRotazione_ = true;
    VisualizzazioniChiuse_ = true;
    SpegniTutteLeVisualizzazioni();
}

void Quindel::VisualizzaStatoPilondaInPlay(bool) {}
void Quindel::Stampa() {}
void Quindel::ControlloImmagine_MouseMove(std::int16_t, std::int16_t, float, float) {}
void Quindel::ControlloImmagine_MouseDown(std::int16_t, std::int16_t, float, float) {}
void Quindel::AggiornaDimensioneControllo() {}
void Quindel::ScaricaVolume() {}

}  // namespace quindel
