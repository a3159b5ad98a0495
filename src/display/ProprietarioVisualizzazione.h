#pragma once
// What the object display needs of the control that owns it, besides the panel's button states
// (StatoPulsanti.h): the platform, the multimedia list and its window, the slider, the toolbar
// surface, the caption's layout, the two timers, the list windows, the zoom pointers and the close
// state. The control implements it; tests use a small fake. The display holds a reference for its
// whole life: the owner creates it and destroys it.
#include <cstdint>
#include <memory>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
class Slider;
class PictureBox;
class Timer;
class Image;
}  // namespace quindel::platform

namespace quindel {

class ClasseTLista;
class frm_Lista;

class ProprietarioVisualizzazione {
  public:
    virtual ~ProprietarioVisualizzazione() = default;
    virtual platform::Platform& Piattaforma() = 0;
    // The multimedia list, whose current record is the object shown, and its window.
    virtual ClasseTLista& ListaOggetti() = 0;
    virtual frm_Lista& FinestraListaOggetti() = 0;
    // The progress slider and the toolbar surface of the panel.
    virtual platform::Slider& Avanzamento() = 0;
    virtual platform::PictureBox& SuperficiePulsanti() = 0;
    // Hides the toolbar's tooltip window.
    virtual void SpegniToolTip() = 0;
    // Lays the caption out again from the state of its button.
    virtual void DisponiDidascalia() = 0;
    // Fits a floating panel's form to its visible buttons.
    virtual void AggiornaDimensioneControllo() = 0;
    // The timer that follows an interactive movie (100 ms, off until a movie starts), and the one
    // that follows sound, film and animation (100 ms, on from creation).
    virtual platform::Timer& TimerFilmato() = 0;
    virtual platform::Timer& TimerAvanzamento() = 0;
    // Whether list window i (0 linked entries, 1 objects) is shown, and hiding it.
    virtual bool ListaVisibile(int i) = 0;
    virtual void NascondiLista(int i) = 0;
    // Reports the current row of a list to the host (raises its click event).
    virtual void CLickLista(std::int16_t IndiceLista) = 0;
    // The pointers of the picture viewer: zoom in, zoom out, and the arrow of pan zone 1..8.
    virtual platform::Image IconaZoom() const = 0;
    virtual platform::Image IconaZoomOut() const = 0;
    virtual platform::Image PuntatoreDirezione(int zona) const = 0;
    // The close command has run.
    virtual bool InChiusura() const = 0;
    // A reference that keeps the owner alive while the display waits or calls the host.
    virtual std::shared_ptr<void> TieniInVita() = 0;
};

}  // namespace quindel

QUINDEL_API_END
