#include "display/Visualizzatore.h"

#include <algorithm>
#include <limits>

#include "contract/AnimationForm.h"
#include "contract/Media.h"
#include "contract/Movie.h"
#include "display/MOD_MCI.h"
#include "display/Passi.h"
#include "display/ProprietarioVisualizzazione.h"
#include "display/StatoPulsanti.h"
#include "lists/ClasseTLista.h"
#include "platform/MultimediaCommands.h"
#include "platform/Platform.h"
#include "platform/Slider.h"
#include "platform/Timer.h"
#include "runtime/Coercions.h"
#include "runtime/Dispatch.h"
#include "runtime/ErrorHandling.h"
#include "runtime/VbError.h"

namespace quindel {

namespace {

namespace animationform = contract::animationform;
namespace media = contract::media;
namespace movie = contract::movie;
namespace window = contract::window;
using media::MediaCommand;

constexpr std::int32_t kVolumeMassimo = 255;
constexpr std::int32_t kScalaDispositivo = 65535;
constexpr std::int32_t kAttesaPredefinita = 2000;

}  // namespace

Visualizzatore::Visualizzatore(ProprietarioVisualizzazione& owner, StatoPulsanti& pulsanti)
    : zoom_(owner, pulsanti, Zoom), owner_(owner), pulsanti_(pulsanti) {}

Visualizzatore::~Visualizzatore() = default;

void Visualizzatore::setVolumeAudio(std::int32_t v) {
    // The devices' level is worked out in 32 bits: a volume whose product would not fit is
    // refused before anything changes.
    if (std::int64_t(v) * kScalaDispositivo < std::numeric_limits<std::int32_t>::min()) Raise(6);
    VolumeAudio_ = std::min(v, kVolumeMassimo);
    ApplicaVolume(Controlli.Audio);
    ApplicaVolume(Controlli.Video);
}

// The devices take 0..65535; a negative volume would reach them as a negative level, so the
// pushed value never goes below silence.
void Visualizzatore::ApplicaVolume(const Object& controllo) {
    if (!controllo) return;
    const std::int32_t livello = std::max(VolumeAudio_, 0) * kScalaDispositivo / kVolumeMassimo;
    contract::Let(controllo, media::WaveVolume, Variant(double(livello)));
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
    const Variant superficie =
        contract::Get(Controlli.FormAnimazione, animationform::PicAnimazioni);
    Controlli.HwndAnimazione = CLng(contract::Get(ComeOggetto(superficie), window::hWnd));
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

// Stops and hides whatever is shown, each step only for a control the host assigned. Harmless
// when repeated: a second close of the animation fails, and is ignored.
void Visualizzatore::SpegniTutteLeVisualizzazioni() {
    Zoom.MouseFuoriImmagine = true;
    Zoom.ZoomAttivo = 0;
    const ControlliVisualizzazione& c = Controlli;
    if (c.Immagine) contract::Let(c.Immagine, window::Visible, false);
    for (const Object& player : {c.Video, c.Audio}) {
        if (!player) continue;
        contract::Let(player, media::Notify, false);
        media::Send(player, MediaCommand::Stop);
        media::Send(player, MediaCommand::Close);
        if (player == c.Video) contract::Let(player, window::Visible, false);
    }
    if (c.Testo) contract::Let(c.Testo, window::Visible, false);
    if (c.HwndAnimazione != 0)
        IgnoraErrori([&] {
            InterpreteMultimediale(owner_.Piattaforma()).SendString("close mmmMAT", nullptr, 0);
        });
    if (c.Foto360) contract::Let(c.Foto360, window::Visible, false);
    if (c.Shockwave) {
        owner_.TimerFilmato().setEnabled(false);
        contract::Call(c.Shockwave, movie::Stop);
        owner_.Avanzamento().setValue(0);
        contract::Let(c.Shockwave, window::Visible, false);
    }
    pulsanti_.setIsPulsanteAbilitato(6, false);
    pulsanti_.setIsPulsanteAbilitato(7, false);
    // Nothing plays any more: a pause picture left on the disabled button would say otherwise.
    if (Riproduzione.PausaSulPulsante) PulsantePlay(false);
    owner_.Avanzamento().setValue(0);
    Riproduzione.PlayerCorrente = nullptr;
}

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

void Visualizzatore::ControlloImmagine_MouseMove(std::int16_t, std::int16_t, float X, float Y) {
    if (Controlli.Immagine) zoom_.MouseMove(Controlli.Immagine, X, Y);
}

void Visualizzatore::ControlloImmagine_MouseDown(std::int16_t Button, std::int16_t, float, float) {
    if (Controlli.Immagine) zoom_.MouseDown(Controlli.Immagine, Button);
}

void Visualizzatore::CommutaZoom() {
    if (!Controlli.Immagine) return;
    zoom_.CommutaZoom(Controlli.Immagine);
    zoom_.ImpostaCursoreZoom(Controlli.Immagine);
    if (Zoom.ZoomAttivo != 0) Zoom.PanInCorso = true;
}

}  // namespace quindel
