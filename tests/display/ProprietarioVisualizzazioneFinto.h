#pragma once
// An owner for the object display in tests: a headless platform with the multimedia list and its
// window wired as the control wires them (lists/ListeTestSupport.h), a slider, a toolbar surface
// and the two timers of its own; it logs every call that is not a plain read.
#include <memory>
#include <string>
#include <vector>

#include "display/ProprietarioVisualizzazione.h"
#include "lists/ListeTestSupport.h"
#include "platform/Image.h"
#include "platform/PictureBox.h"
#include "platform/Slider.h"
#include "platform/Timer.h"

namespace quindel::test {

class ProprietarioVisualizzazioneFinto : public ProprietarioVisualizzazione {
  public:
    Banco banco{ClasseTLista::kOggettiMultimediali};
    std::shared_ptr<platform::Form> form = banco.p.NewForm();
    std::shared_ptr<platform::Slider> avanzamento = banco.p.NewSlider(*form);
    std::shared_ptr<platform::PictureBox> superficie = banco.p.NewPictureBox(*form);
    std::shared_ptr<platform::Timer> timerFilmato = banco.p.NewTimer();
    std::shared_ptr<platform::Timer> timerAvanzamento = banco.p.NewTimer();
    bool listeVisibili[2] = {false, false};
    bool inChiusura = false;
    std::vector<std::string> chiamate;

    platform::Platform& Piattaforma() override { return banco.p; }
    ClasseTLista& ListaOggetti() override { return *banco.lista; }
    frm_Lista& FinestraListaOggetti() override { return *banco.finestra; }
    platform::Slider& Avanzamento() override { return *avanzamento; }
    platform::PictureBox& SuperficiePulsanti() override { return *superficie; }
    void SpegniToolTip() override { chiamate.push_back("SpegniToolTip"); }
    void DisponiDidascalia() override { chiamate.push_back("DisponiDidascalia"); }
    void AggiornaDimensioneControllo() override {
        chiamate.push_back("AggiornaDimensioneControllo");
    }
    platform::Timer& TimerFilmato() override { return *timerFilmato; }
    platform::Timer& TimerAvanzamento() override { return *timerAvanzamento; }
    bool ListaVisibile(int i) override { return listeVisibili[i]; }
    void NascondiLista(int i) override {
        listeVisibili[i] = false;
        chiamate.push_back("NascondiLista " + std::to_string(i));
    }
    void CLickLista(std::int16_t i) override {
        chiamate.push_back("CLickLista " + std::to_string(i));
    }
    platform::Image IconaZoom() const override { return platform::Image(32, 32); }
    platform::Image IconaZoomOut() const override { return platform::Image(32, 32); }
    platform::Image PuntatoreDirezione(int) const override { return platform::Image(32, 32); }
    bool InChiusura() const override { return inChiusura; }
    std::shared_ptr<void> TieniInVita() override { return nullptr; }
};

}  // namespace quindel::test
