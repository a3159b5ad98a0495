#pragma once
// What the object display needs of the control that owns it. The control implements it; tests
// use a small fake. The display holds a reference for its whole life: the owner creates it and
// destroys it.
#include <cstdint>
#include <memory>
#include <string>

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
    // The button-state layer of the control (button numbers of the panel's button set).
    virtual bool IsPulsanteAbilitato(std::int16_t Indice) const = 0;
    virtual void setIsPulsanteAbilitato(std::int16_t Indice, bool v) = 0;
    virtual bool IsPulsanteVisibile(std::int16_t Indice) const = 0;
    virtual void setIsPulsanteVisibile(std::int16_t Indice, bool v) = 0;
    virtual std::int16_t ValorePulsante(std::int16_t Indice) const = 0;
    virtual void setValorePulsante(std::int16_t Indice, std::int16_t v) = 0;
    // Gives button Indice a tooltip and the pictures of a strip column, then redraws the strip.
    virtual void CambiaPulsante(std::int16_t Indice, const std::string& tooltip,
                                std::int16_t colonna) = 0;
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
    // Sets a button up or down as the panel's own bookkeeping: no command runs.
    virtual void ImpostaPulsanteGiu(std::int16_t Indice, bool giu) = 0;
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
