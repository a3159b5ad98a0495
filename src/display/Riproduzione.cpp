// Playback of the object on show: play and pause, stop and rewind, the progress slider moved by
// the two timers, and the waits autoplay makes on each object. Waits let messages run: clicks,
// ticks and host calls run nested inside them and stop them only through the flags.
#include <algorithm>
#include <cmath>

#include "contract/Media.h"
#include "contract/Movie.h"
#include "contract/Panorama.h"
#include "display/MOD_MCI.h"
#include "display/Passi.h"
#include "display/ProprietarioVisualizzazione.h"
#include "display/StatoPulsanti.h"
#include "display/Visualizzatore.h"
#include "lists/ClasseTLista.h"
#include "platform/Platform.h"
#include "platform/Slider.h"
#include "platform/Timer.h"
#include "platform/Wait.h"
#include "runtime/Coercions.h"
#include "runtime/ErrorHandling.h"
#include "support/Catalogo.h"

namespace quindel {

namespace {

namespace media = contract::media;
namespace movie = contract::movie;
namespace panorama = contract::panorama;
namespace window = contract::window;
using media::MediaCommand;

constexpr std::int16_t kPulsantePlay = 6, kPulsanteStop = 7;
constexpr std::int16_t kColonnaPlay = 5, kColonnaPausa = 14;
constexpr std::int32_t kMessaggioPausa = 694;
constexpr std::int32_t kPassiRotazione = 360;
constexpr std::int32_t kAttesaRotazione = 10;  // ms between two angles

std::int32_t Lungo(const Object& o, const contract::Member& membro) {
    return CLng(contract::Get(o, membro));
}

bool AllaFine(const Object& player) {
    return Lungo(player, media::Position) == Lungo(player, media::Length);
}

}  // namespace

void Visualizzatore::PulsantePlay(bool suonando) {
    const std::string tip =
        suonando ? LeggiMessaggio(owner_.Piattaforma().files(), kMessaggioPausa) : "Play";
    pulsanti_.CambiaPulsante(kPulsantePlay, tip, suonando ? kColonnaPausa : kColonnaPlay);
    Riproduzione.PausaSulPulsante = suonando;
}

void Visualizzatore::ImpostaAvanzamento(std::int32_t valore) {
    platform::Slider& s = owner_.Avanzamento();
    s.setValue(std::clamp(valore, s.Min(), s.Max()));
}

void Visualizzatore::VisualizzaStatoPilondaInPlay(bool bStato) {
    platform::Platform& p = owner_.Piattaforma();
    const std::string t = owner_.ListaOggetti().TipoOggetto();
    const ControlliVisualizzazione& c = Controlli;
    if (bStato) {
        Riproduzione.Fermato = false;
        if (t == "AN") {
            Riproduzione.PlayerCorrente = SuperficieAnimazione();
            Riproduzione.PlayerAnimazione = true;
            CommandMMM(p, "PLAY", false);
            owner_.TimerAvanzamento().setEnabled(true);
        } else if (t == "AU" && c.Audio) {
            if (AllaFine(c.Audio)) media::Send(c.Audio, MediaCommand::Rewind);
            media::Send(c.Audio, MediaCommand::PlayOn);
            Riproduzione.PlayerCorrente = c.Audio;
            Riproduzione.PlayerAnimazione = false;
        } else if (t == "VI" && c.Video) {
            if (!CBool(contract::Get(c.Video, window::Visible)) || AllaFine(c.Video)) {
                contract::Let(c.Video, window::Visible, true);
                media::Send(c.Video, MediaCommand::Rewind);
            }
            media::Send(c.Video, MediaCommand::PlayOn);
            Riproduzione.PlayerCorrente = c.Video;
            Riproduzione.PlayerAnimazione = false;
        }
    } else if (t == "AN") {
        CommandMMM(p, "PAUSE", false);
    } else if (t == "AU" && c.Audio) {
        media::Send(c.Audio, MediaCommand::Pause);
    } else if (t == "VI" && c.Video) {
        media::Send(c.Video, MediaCommand::Pause);
    }
    PulsantePlay(bStato);
    owner_.SpegniToolTip();
}

// Every 100 ms: the slider follows the player; at the end the player is let go and rewound.
void Visualizzatore::tmr_Timer() {
    if (const Object player = Riproduzione.PlayerCorrente) {
        std::int32_t posizione = 0;
        const bool letta = Riproduzione.PlayerAnimazione
                               ? (posizione = PosizioneAnimazione(owner_.Piattaforma()), true)
                               : !IgnoraErrori([&] { posizione = Lungo(player, media::Position); });
        if (letta) {
            const std::int32_t durata = Riproduzione.DurataCorrente;
            const std::int32_t valore =
                durata < 1 ? 0 : std::int32_t(std::floor(double(posizione) / durata * 10));
            ImpostaAvanzamento(valore);
            if (valore >= 10) {
                Riproduzione.PlayerCorrente = nullptr;
                ImpostaAvanzamento(0);
                RicominciaAnimazione(owner_.Piattaforma());
                VisualizzaStatoPilondaInPlay(false);
                Riproduzione.InPausa = true;
            }
        }
    }
}

// Every 100 ms while an interactive movie is followed: its frame moves the slider; a frame
// number that falls back (the movie looped) or reaches the length is its end.
void Visualizzatore::Timer1() {
    const Object film = Controlli.Shockwave;
    if (!film) {
        owner_.TimerFilmato().setEnabled(false);
        return;
    }
    const std::int32_t f = Riproduzione.FrameCorrente;
    const std::int32_t lunghezza = Controlli.LenghtAI;
    const std::int32_t attuale = CLng(contract::Call(film, movie::GetCurrentFrame));
    if (f > attuale || f == lunghezza) {
        if (Riproduzione.AttesaFilmato) {
            contract::Call(film, movie::Stop);
            Riproduzione.AttesaFilmato = false;
        } else {
            contract::Call(film, movie::Rewind);
            contract::Call(film, movie::Stop);
        }
        ImpostaAvanzamento(0);
        owner_.TimerFilmato().setEnabled(false);
        return;
    }
    ImpostaAvanzamento(
        f >= 1 && lunghezza != 0 ? std::int32_t(std::floor(double(f) / lunghezza * 10)) : 0);
    Riproduzione.FrameCorrente = attuale;
}

void Visualizzatore::PlayPausa() {
    const std::string t = owner_.ListaOggetti().TipoOggetto();
    if (t == "AI") {
        ImpostaAvanzamento(0);
        contract::Call(Controlli.Shockwave, movie::Play);
        Riproduzione.FrameCorrente =
            CLng(contract::Call(Controlli.Shockwave, movie::GetCurrentFrame));
        owner_.TimerFilmato().setEnabled(true);
        return;
    }
    if (Riproduzione.InPausa) {
        VisualizzaStatoPilondaInPlay(true);
        Riproduzione.InPausa = false;
        pulsanti_.setIsPulsanteAbilitato(kPulsanteStop, true);
    } else {
        VisualizzaStatoPilondaInPlay(false);
        Riproduzione.InPausa = true;
    }
}

void Visualizzatore::StopRiavvolgi() {
    const std::string t = owner_.ListaOggetti().TipoOggetto();
    const Object player = t == "VI" ? Controlli.Video : t == "AU" ? Controlli.Audio : Object();
    if (player) {
        VisualizzaStatoPilondaInPlay(false);
        media::Send(player, MediaCommand::Rewind);
        media::Send(player, MediaCommand::Pause);
        Riproduzione.InPausa = true;
    } else if (t == "AN") {
        VisualizzaStatoPilondaInPlay(false);
        RicominciaAnimazione(owner_.Piattaforma());
        CommandMMM(owner_.Piattaforma(), "PAUSE", false);
        Riproduzione.InPausa = true;
    } else if (t == "AI" && Controlli.Shockwave) {
        owner_.TimerFilmato().setEnabled(false);
        contract::Call(Controlli.Shockwave, movie::Stop);
        contract::Call(Controlli.Shockwave, movie::Rewind);
        ImpostaAvanzamento(0);
    }
    Riproduzione.Fermato = true;
    pulsanti_.setIsPulsanteAbilitato(kPulsantePlay, true);
}

void Visualizzatore::FermaAutoplay() {
    if (pulsanti_.ValorePulsante(15) == 0) return;
    owner_.TimerFilmato().setEnabled(false);
    Riproduzione.AttesaFilmato = false;
    Riproduzione.StopRotazione = true;
    Riproduzione.StopAutoplay = true;
}

// Whether a wait on the current object must give up: the panel closes, the displays were
// closed, autoplay was stopped. A wait can then never outlive what it waits for.
bool Visualizzatore::AttesaFinita() {
    return owner_.InChiusura() || Riproduzione.VisualizzazioniChiuse || Riproduzione.StopAutoplay;
}

void Visualizzatore::Attesa(std::int32_t ms) {
    platform::WaitFor(owner_.Piattaforma(), owner_.TieniInVita(), ms,
                      [&] { return !owner_.InChiusura(); });
}

void Visualizzatore::AttesaOggetto() {
    Riproduzione.AttesaInCorso = true;
    const std::string t = owner_.ListaOggetti().TipoOggetto();
    if (t == "FO" || t == "MA" || t == "DI" || t == "TA")
        Attesa(AttesaAutoplay_);
    else if (t == "VI" && Controlli.Video)
        AttesaMedia(Controlli.Video);
    else if (t == "AU" && Controlli.Audio)
        AttesaMedia(Controlli.Audio);
    else if (t == "AN")
        AttesaAnimazione();
    else if ((t == "F3" || t == "O3") && Controlli.Foto360)
        Rotazione();
    else if (t == "AI" && Controlli.Shockwave)
        AttesaShockwave();
    Riproduzione.AttesaInCorso = false;
}

// Until the player reaches its end, or is stopped, or the wait is given up.
void Visualizzatore::AttesaMedia(const Object& player) {
    platform::WaitUntil(
        owner_.Piattaforma(), owner_.TieniInVita(),
        [&] { return !AttesaFinita() && !Riproduzione.Fermato; },
        [&] {
            bool fine = false;
            if (IgnoraErrori([&] { fine = AllaFine(player); })) return true;
            return fine;
        });
}

void Visualizzatore::AttesaAnimazione() {
    platform::Platform& p = owner_.Piattaforma();
    const std::int32_t lunghezza = LunghezzaAnimazione(p);
    platform::WaitUntil(
        p, owner_.TieniInVita(), [&] { return !AttesaFinita() && !Riproduzione.Fermato; },
        [&] {
            if (Riproduzione.StopAnimazione) {
                Riproduzione.StopAnimazione = false;
                return true;
            }
            // The progress timer may see the end first and rewind to the start: its letting go
            // of the animation is the end too, or the wait would never see the last frame.
            if (!Riproduzione.PlayerCorrente) return true;
            return PosizioneAnimazione(p) == lunghezza;
        });
}

// One turn of the 360-degree photo, a degree every 10 ms, until a stop request.
void Visualizzatore::Rotazione() {
    const Object foto = Controlli.Foto360;
    contract::Let(foto, window::Enabled, false);
    for (std::int32_t angolo = kPassiRotazione; angolo >= 0; --angolo) {
        if (Riproduzione.StopRotazione) {
            Riproduzione.StopRotazione = false;
            break;
        }
        if (owner_.InChiusura()) break;
        contract::Let(foto, panorama::PanAngle, angolo);
        Attesa(kAttesaRotazione);
    }
    contract::Let(foto, window::Enabled, true);
}

void Visualizzatore::AttesaShockwave() {
    Riproduzione.AttesaFilmato = true;
    owner_.TimerFilmato().setEnabled(true);
    // The movie's own timer clears the flag at its end; closing the displays ends it too, since
    // it stops the timer that would.
    platform::WaitUntil(
        owner_.Piattaforma(), owner_.TieniInVita(),
        [&] { return Riproduzione.AttesaFilmato && !AttesaFinita(); }, [] { return false; });
    owner_.TimerFilmato().setEnabled(false);
    contract::Call(Controlli.Shockwave, movie::Stop);
    ImpostaAvanzamento(0);
}

}  // namespace quindel
