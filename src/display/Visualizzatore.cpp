#include "display/Visualizzatore.h"

#include <algorithm>
#include <limits>

#include "display/ProprietarioVisualizzazione.h"
#include "lists/ClasseTLista.h"
#include "platform/Platform.h"
#include "runtime/Coercions.h"
#include "runtime/Dispatch.h"
#include "runtime/VbError.h"

namespace quindel {

namespace {
constexpr std::int32_t kVolumeMassimo = 255;
constexpr std::int32_t kScalaDispositivo = 65535;
constexpr std::int32_t kAttesaPredefinita = 2000;

Object ComeOggetto(const Variant& v) {
    return v.isObject() ? *v.asObjectPtr() : Object();
}
}  // namespace

Visualizzatore::Visualizzatore(ProprietarioVisualizzazione& owner) : owner_(owner) {}

Visualizzatore::~Visualizzatore() = default;

void Visualizzatore::setVolumeAudio(std::int32_t v) {
    VolumeAudio_ = std::min(v, kVolumeMassimo);
    ApplicaVolume(Controlli.Audio);
    ApplicaVolume(Controlli.Video);
}

// The devices take 0..65535; a negative volume would reach them as a negative level, so the
// pushed value never goes below silence.
void Visualizzatore::ApplicaVolume(const Object& controllo) {
    if (!controllo) return;
    const std::int32_t livello = std::max(VolumeAudio_, 0) * kScalaDispositivo / kVolumeMassimo;
    LetProperty(controllo, "WaveVolume", Variant(double(livello)));
}

void Visualizzatore::setControlloAudio(Object o) {
    Controlli.Audio = std::move(o);
    ApplicaVolume(Controlli.Audio);
}

void Visualizzatore::setControlloVideo(Object o) {
    Controlli.Video = std::move(o);
    ApplicaVolume(Controlli.Video);
}

void Visualizzatore::setFrmControlloAnimazione(Object form) {
    Controlli.FormAnimazione = std::move(form);
    // No animation form: no surface whose drawing the panel could freeze.
    if (!Controlli.FormAnimazione) {
        Controlli.HwndAnimazione = 0;
        return;
    }
    const Variant superficie = GetProperty(Controlli.FormAnimazione, "Pic_Animazioni");
    Controlli.HwndAnimazione = CLng(GetProperty(ComeOggetto(superficie), "hWnd"));
}

void Visualizzatore::setAttesaAutoplay(std::int32_t secondi) {
    if (secondi == 0) {
        AttesaAutoplay_ = kAttesaPredefinita;
        return;
    }
    const std::int64_t ms = std::int64_t(secondi) * 1000;
    if (ms > std::numeric_limits<std::int32_t>::max() ||
        ms < std::numeric_limits<std::int32_t>::min())
        Raise(6);
    AttesaAutoplay_ = std::int32_t(ms);
}

// The display branches join with the object-display work; until then the common end runs: the
// caption follows the record and the panel's buttons follow the list.
void Visualizzatore::MostraOggetto() {
    const auto vivo = owner_.TieniInVita();
    platform::Platform& p = owner_.Piattaforma();
    ClasseTLista& mm = owner_.ListaOggetti();
    if (const Object& c = Controlli.Didascalia) {
        LetProperty(c, "FText", Variant(mm.Didascalia()));
        LetProperty(c, "DocWidth", Variant(CDbl(GetProperty(c, "Width")) * 0.95));
        p.DoEvents();
        if (Riproduzione.VisualizzazioniChiuse) {
            p.screen().setMousePointer(platform::pointer::Default);
            return;
        }
        owner_.DisponiDidascalia();
    }
    mm.AggiornaPulsantiPilonda();
    p.screen().setMousePointer(platform::pointer::Default);
}

void Visualizzatore::SpegniTutteLeVisualizzazioni() {}

void Visualizzatore::ChiudiTutteLeVisualizzazioni() {
    Riproduzione.StopAutoplay = true;
    Riproduzione.StopRotazione = true;
    Riproduzione.VisualizzazioniChiuse = true;
    SpegniTutteLeVisualizzazioni();
}

void Visualizzatore::RichiediFermata() {
    Riproduzione.AttesaFilmato = false;
    Riproduzione.StopRotazione = true;
    Riproduzione.StopAutoplay = true;
    if (Controlli.HwndAnimazione != 0) Riproduzione.StopAnimazione = true;
}

void Visualizzatore::Rilascia() {
    Controlli = ControlliVisualizzazione{};
    Riproduzione.PlayerCorrente = nullptr;
}

void Visualizzatore::VisualizzaStatoPilondaInPlay(bool) {}
void Visualizzatore::ControlloImmagine_MouseMove(std::int16_t, std::int16_t, float, float) {}
void Visualizzatore::ControlloImmagine_MouseDown(std::int16_t, std::int16_t, float, float) {}
void Visualizzatore::AggiornaDimensioneControllo() {}

}  // namespace quindel
