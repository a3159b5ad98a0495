// Autoplay (command 15): the multimedia list played through by itself. Each object is shown,
// reported to the host, and waited on; the loop ends at the last row, when button 15 is clicked
// up, when a command or the host raises a stop request, or when the panel closes. Ending early
// skips the command's closing event.
#include "contract/Window.h"
#include "display/ProprietarioVisualizzazione.h"
#include "display/StatoPulsanti.h"
#include "display/Visualizzatore.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/Timer.h"
#include "platform/VScrollBar.h"
#include "runtime/Coercions.h"
#include "runtime/Dispatch.h"

namespace quindel {

namespace {
constexpr std::int16_t kPulsanteAutoplay = 15;
constexpr std::int16_t kPulsanteLemmi = 3, kPulsanteOggetti = 9;
}  // namespace

bool Visualizzatore::Autoplay() {
    const auto vivo = owner_.TieniInVita();
    Riproduzione.StopRotazione = Riproduzione.VisualizzazioniChiuse = false;
    Riproduzione.AttesaFilmato = false;
    if (owner_.InChiusura()) {
        Riproduzione.AttesaInCorso = false;
        return true;
    }
    if (pulsanti_.ValorePulsante(kPulsanteAutoplay) == 0) {
        // Clicked up: the autoplay running below sees the requests and ends.
        owner_.TimerFilmato().setEnabled(false);
        Riproduzione.AttesaFilmato = false;
        Riproduzione.StopRotazione = Riproduzione.StopAutoplay = true;
        Riproduzione.AttesaInCorso = false;
        return true;
    }
    Riproduzione.StopAutoplay = false;
    for (const auto& [lista, pulsante] : {std::pair{1, kPulsanteOggetti}, {0, kPulsanteLemmi}}) {
        if (!owner_.ListaVisibile(lista)) continue;
        pulsanti_.ImpostaPulsanteGiu(pulsante, false);
        owner_.NascondiLista(lista);
    }
    bool primo = true;
    for (;;) {
        switch (PassoAutoplay(primo)) {
            case Passo::Continua:
                continue;
            case Passo::Anticipata:
                return false;
            case Passo::Chiusura:
                Riproduzione.AttesaInCorso = false;
                return true;
            case Passo::Fine:
                pulsanti_.ImpostaPulsanteGiu(kPulsanteAutoplay, false);
                Riproduzione.AttesaInCorso = false;
                return true;
        }
    }
}

// One object of autoplay, and how the loop goes on.
Visualizzatore::Passo Visualizzatore::PassoAutoplay(bool& primo) {
    StatoRiproduzione& r = Riproduzione;
    // Closing ended everything, the buttons included: nothing more to release.
    if (owner_.InChiusura()) return Passo::Chiusura;
    if (r.VisualizzazioniChiuse) {
        r.StopAutoplay = true;
        r.AttesaFilmato = false;
        return Passo::Anticipata;
    }
    ClasseTLista& mm = owner_.ListaOggetti();
    platform::VScrollBar& barra = *owner_.FinestraListaOggetti().VScroll1();
    const bool conBarra = barra.Tag() == "V";
    if (!conBarra && (mm.ListCount() == mm.ListIndex() + 1 || r.StopAutoplay)) return Passo::Fine;
    if (conBarra && (barra.Value() == barra.Max() || r.StopAutoplay)) return Passo::Fine;
    if (primo && Controlli.Foto360 &&
        CBool(contract::Get(Controlli.Foto360, contract::window::Visible)))
        AttesaOggetto();  // the photo already on show turns first
    primo = false;
    if (r.VisualizzazioniChiuse) r.StopAutoplay = true;
    if (r.StopAutoplay) return Passo::Anticipata;
    Zoom.MouseFuoriImmagine = true;
    Zoom.ZoomAttivo = 0;
    if (conBarra) {
        barra.setValue(barra.Value() + 1);
    } else if (mm.ListCount() > mm.ListIndex() + 1) {
        mm.setListIndex(mm.ListIndex() + 1);
    } else {
        return Passo::Continua;
    }
    if (r.VisualizzazioniChiuse) r.StopAutoplay = true;
    if (r.StopAutoplay) return Passo::Anticipata;
    MostraOggetto();
    if (r.VisualizzazioniChiuse) r.StopAutoplay = true;
    if (r.StopAutoplay) return Passo::Anticipata;
    owner_.CLickLista(1);
    AttesaOggetto();
    return Passo::Continua;
}

}  // namespace quindel
