#pragma once
// Quindel: the control panel a host places on one of its forms. One class split over several
// source files by concern: Quindel.cpp (creation, lifecycle, shutdown), QuindelInterfaccia.cpp
// (the late-bound member table and type library), QuindelProprieta.cpp (stored settings),
// QuindelPulsanti.cpp (button set, button-state layer, toolbar surface events),
// QuindelDispatcher.cpp (the commands), QuindelFormCollegate.cpp (linked windows and caption
// layout), QuindelListe.cpp (list files, chunk paging, list events).
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "control/QuindelEvents.h"
#include "copyprint/ProprietarioDialoghi.h"
#include "display/ProprietarioVisualizzazione.h"
#include "display/ProprietarioVolume.h"
#include "display/StatoPulsanti.h"
#include "display/Visualizzatore.h"
#include "lists/ProprietarioLista.h"
#include "platform/Image.h"
#include "runtime/ConnectionPoint.h"
#include "runtime/DispatchTable.h"
#include "runtime/MemberBuilders.h"
#include "runtime/Variant.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
class Form;
class PictureBox;
class Slider;
class CommandButton;
class Timer;
class PictureStrip;
class Window;
struct MouseArgs;
}  // namespace quindel::platform

namespace quindel {

class ClasseToolbar;
class ClassePulsante;
class ClasseTLista;
class frm_Lista;
class frm_NomeDeiPulsanti;
class Frm_volume;
class fcopia;
class fstampa;

class Quindel : public TableDispatch,
                public ProprietarioLista,
                public ProprietarioVisualizzazione,
                public StatoPulsanti,
                public ProprietarioVolume,
                public ProprietarioDialoghi,
                public std::enable_shared_from_this<Quindel> {
  public:
    // Creates the control on the host's form (the platform's initialise notification).
    static std::shared_ptr<Quindel> Crea(platform::Platform& p, platform::Form& host);
    ~Quindel() override;  // the terminate notification

    // ---- Public interface (late-bound members; see QuindelInterfaccia.cpp for the ids) ----
    // The display members forward to the object display (display/Visualizzatore.h).
    Object Controllo3DFoto360() const { return display_->Controlli.Foto360; }
    void setControllo3DFoto360(Object o) { display_->Controlli.Foto360 = std::move(o); }
    Object ControlloShockwave() const { return display_->Controlli.Shockwave; }
    void setControlloShockwave(Object o) { display_->Controlli.Shockwave = std::move(o); }
    void setDontUnload(bool v) { DontUnload_ = v; }
    bool DontUnload() const { return DontUnload_; }
    void CLickLista(std::int16_t IndiceLista) override;
    void setControlloBlob(Object o) { display_->Controlli.Blob = std::move(o); }
    Object FrmParent() const override { return FrmParent_; }
    void setFrmParent(Object o) { FrmParent_ = std::move(o); }
    std::int32_t HeightAI() const { return display_->Controlli.HeightAI; }
    void setHeightAI(std::int32_t v) { display_->Controlli.HeightAI = v; }
    std::int32_t LenghtAI() const { return display_->Controlli.LenghtAI; }
    void setLenghtAI(std::int32_t v) { display_->Controlli.LenghtAI = v; }
    std::int32_t WidthAI() const { return display_->Controlli.WidthAI; }
    void setWidthAI(std::int32_t v) { display_->Controlli.WidthAI = v; }
    std::shared_ptr<ClasseTLista> ListaLemmi() const { return liste_[0]; }
    std::shared_ptr<ClasseTLista> ListaMM() const { return liste_[1]; }
    void MostraOggetto() override;
    Object SliderAvanzamento() const { return sliderObject_; }
    void SpegniTutteLeVisualizzazioni() { display_->SpegniTutteLeVisualizzazioni(); }
    std::uint8_t NumBitmapVerticali() const { return NumBitmapVerticali_; }
    void setNumBitmapVerticali(std::uint8_t v) { NumBitmapVerticali_ = v; }
    std::uint8_t NumBitmapOrizzontali() const { return NumBitmapOrizzontali_; }
    void setNumBitmapOrizzontali(std::uint8_t v) { NumBitmapOrizzontali_ = v; }
    std::int32_t VolumeAudio() const override { return display_->VolumeAudio(); }
    void setVolumeAudio(std::int32_t v) override { display_->setVolumeAudio(v); }
    void ChiudiVolume() override { setValorePulsante(8, 0); }
    Object ControlloDidascalia() const override { return display_->Controlli.Didascalia; }
    void setControlloDidascalia(Object o);
    Object ControlloImmagine() const override { return display_->Controlli.Immagine; }
    void setControlloImmagine(Object o) { display_->Controlli.Immagine = std::move(o); }
    Object ControlloAudio() const { return display_->Controlli.Audio; }
    void setControlloAudio(Object o) { display_->setControlloAudio(std::move(o)); }
    Object ControlloVideo() const { return display_->Controlli.Video; }
    void setControlloVideo(Object o) { display_->setControlloVideo(std::move(o)); }
    void setFrmControlloAnimazione(Object form) { display_->setFrmControlloAnimazione(form); }
    std::int32_t HwndControlloAnimazion() const { return display_->Controlli.HwndAnimazione; }
    void setHwndControlloAnimazion(std::int32_t v) { display_->Controlli.HwndAnimazione = v; }
    Object ControlloTesto() const override { return display_->Controlli.Testo; }
    void setControlloTesto(Object o) { display_->Controlli.Testo = std::move(o); }
    bool IsFloating() const { return IsFloating_; }
    void setIsFloating(bool v);
    const std::string& NomeFileListaMM() const { return NomeFileListaMM_; }
    void setNomeFileListaMM(const std::string& nome);
    const std::string& NomeFileListaLemmiCollegati() const { return NomeFileListaLemmiCollegati_; }
    void setNomeFileListaLemmiCollegati(const std::string& nome);
    std::uint8_t MassimoRecordListaVisibili() const;
    void setMassimoRecordListaVisibili(std::uint8_t v);
    void copia(const std::string& TipoOggetto);
    void Chiudi(const Variant& NonScaricareLaForm = Variant::Missing());
    std::string ToolTipPulsante(std::int16_t Indice) const;
    void setToolTipPulsante(std::int16_t Indice, const std::string& s);
    bool IsPulsanteAbilitato(std::int16_t Indice) const override;
    void setIsPulsanteAbilitato(std::int16_t Indice, bool v) override;
    bool IsPulsanteVisibile(std::int16_t Indice) const override;
    void setIsPulsanteVisibile(std::int16_t Indice, bool v) override;
    std::int16_t ValorePulsante(std::int16_t Indice) const override;
    void setValorePulsante(std::int16_t Indice, std::int16_t v) override;
    void SpegniToolTip() override;
    void SpostaFormCollegate();
    void InitChunk(bool bNuovaLista, std::int16_t iTipoLista, const std::string& sNomeFile,
                   std::int32_t lNumeroTotaleElementi, std::int32_t lPosizioneInizioChunk);
    void ChiediNuovoChunk(std::uint8_t iTipoLista, const std::string& sNomeFileLista,
                          std::int32_t lPosizione) override;
    void VisualizzaStatoPilondaInPlay(bool bStato) {
        display_->VisualizzaStatoPilondaInPlay(bStato);
    }
    void SalvaSituazionePrecedentePulsanti();
    const std::string& FilePerCopia() const override { return FilePerCopia_; }
    void setFilePerCopia(std::string v) { FilePerCopia_ = std::move(v); }
    void Stampa();
    void ChiudiTutteLeformAperte(const Variant& UsaIPulsantiDelPilonda = Variant::Missing());
    void Termina();
    void ControlloImmagine_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) {
        display_->ControlloImmagine_MouseMove(Button, Shift, X, Y);
    }
    void ControlloImmagine_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) {
        display_->ControlloImmagine_MouseDown(Button, Shift, X, Y);
    }
    void AggiornaDimensioneControllo() override;
    void setBlobPacked(bool v) { display_->Controlli.BlobPacked = v; }
    std::int32_t AttesaAutoplay() const { return display_->AttesaAutoplay(); }
    void setAttesaAutoplay(std::int32_t secondi) { display_->setAttesaAutoplay(secondi); }
    void ChiudiTutteLeVisualizzazioni() { display_->ChiudiTutteLeVisualizzazioni(); }

    // ---- Events ----
    std::uint32_t Advise(std::shared_ptr<QuindelEvents> sink);
    std::uint32_t Advise(Object dispatchSink);
    void Unadvise(std::uint32_t cookie);

    // ---- For the host and for tests ----
    platform::Platform& Piattaforma() override { return platform_; }
    // The control's own window on the host form; the host places and sizes it.
    platform::PictureBox& Finestra() const { return *userControl_; }
    platform::PictureBox& pic_ToolbarMain() const { return *pic_ToolbarMain_; }
    platform::Slider& Sld_SliderAvanzamento() const { return *Sld_SliderAvanzamento_; }
    ClasseToolbar& Toolbar() const { return *toolbar_; }
    // The volume window while it is open, else null.
    Frm_volume* FinestraVolume() const { return volume_.get(); }
    frm_NomeDeiPulsanti& ToolTip() const { return *tooltip_; }
    frm_Lista& FinestraLista(int i) const { return *finestreLista_.at(std::size_t(i)); }
    bool InChiusura() const override { return InChiusura_; }
    bool MouseFuoriImmagine() const { return display_->Zoom.MouseFuoriImmagine; }
    Visualizzatore& Display() const { return *display_; }
    // The interface listing of the control's dispatch and event interfaces.
    std::string TypeLibrary() const;
    // The event interface as a member table (for the type library).
    static const DispatchTable& TabellaEventi();

    // Notifications of the control's own window.
    void UserControl_Show();
    void UserControl_Resize();
    void UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);

  private:
    Quindel(platform::Platform& p, platform::Form& host);
    void Inizializza(platform::Form& host);
    void DichiaraMembri();
    void DichiaraImpostazioni(Members<Quindel>& m);
    void DichiaraPulsantiEMetodi(Members<Quindel>& m);
    void CaricaRisorse();
    void CostruisciPulsanti();
    std::array<std::int16_t, 6> CelleDaColonna(std::int16_t colonna) const;
    void CreaListe();
    void PosizionaSlider();
    void CollegaSuperficie();
    // The panel's keys on the strip (ScorciatoiePannello.h) and the progress slider's part in
    // the keyboard: named for assistive technology, never on the way of Tab.
    void CollegaTastiera();
    void ScaricaVolume() override;
    std::shared_ptr<void> TieniInVita() override { return shared_from_this(); }
    ClasseToolbar& Tb() const;

    // Events of the toolbar surface.
    void pic_ToolbarMain_MouseDown(const platform::MouseArgs& a);
    void pic_ToolbarMain_MouseMove(const platform::MouseArgs& a);
    void pic_ToolbarMain_MouseUp(const platform::MouseArgs& a);
    void pic_ToolbarMain_Resize();

    // Commands.
    void EseguiComando(std::int16_t n);
    void Cmd_GestioneMenu_Click();
    bool Comando(std::int16_t n);  // false when the command ends early
    void ComandoRipristina();
    void ComandoCompatta();
    bool ComandoLista(std::int16_t n);
    void ComandoVolume();
    // Unlinks, closes and releases the print and copy dialogs.
    void ChiudiDialoghi();
    void ComandoPrecedenteSuccessivo(std::int16_t n);
    void ComandoChiudi();
    void BloccaAnimazione();
    platform::Form* FormPadre() const;

    // Linked windows and caption.
    void PosizionaFinestra(platform::Window& w, std::int16_t pulsante, bool sotto);
    void DisponiDidascalia() override;

    // The owner's side for the lists and the display.
    ClasseTLista& ListaOggetti() override { return *liste_[1]; }
    frm_Lista& FinestraListaOggetti() override { return *finestreLista_[1]; }
    platform::Slider& Avanzamento() override { return *Sld_SliderAvanzamento_; }
    platform::PictureBox& SuperficiePulsanti() override { return *pic_ToolbarMain_; }
    void CambiaPulsante(std::int16_t Indice, const std::string& tooltip,
                        std::int16_t colonna) override;
    platform::Timer& TimerFilmato() override { return *Timer1_; }
    platform::Timer& TimerAvanzamento() override { return *tmr_Timer_; }
    void ImpostaPulsanteGiu(std::int16_t Indice, bool giu) override;
    // For the copy and print dialogs (QuindelDialoghi.cpp).
    std::string TipoOggettoCorrente() const override;
    platform::Image PuntatoreDialoghi() const override;
    // The dialogs, opened on first use; released by Termina.
    fcopia* DialogoCopia() const { return copia_.get(); }
    fstampa* DialogoStampa() const { return stampa_.get(); }
    bool ListaVisibile(int i) override;
    void NascondiLista(int i) override;
    platform::Image IconaZoom() const override { return Pic_IconaZoom_; }
    platform::Image IconaZoomOut() const override { return Pic_IconaZoomOut_; }
    platform::Image PuntatoreDirezione(int zona) const override;

    // Events.
    void RaisePulsantePremuto(std::int16_t indice, std::int16_t value);
    void RaiseClickLista(DispId evento, std::int32_t indice);

    platform::Platform& platform_;
    ConnectionPoint eventi_;

    // Child windows and companions.
    std::shared_ptr<platform::PictureBox> userControl_;
    std::shared_ptr<platform::PictureBox> pic_ToolbarMain_;
    std::shared_ptr<platform::Slider> Sld_SliderAvanzamento_;
    std::shared_ptr<platform::CommandButton> Cmd_GestioneMenu_;
    std::shared_ptr<platform::PictureBox> PicPerHelpW95_;
    std::shared_ptr<platform::Timer> Timer1_;
    std::shared_ptr<platform::Timer> tmr_Timer_;
    std::shared_ptr<platform::PictureStrip> clp_Toolbar_;
    std::shared_ptr<platform::PictureStrip> Mouse_;
    platform::Image Pic_IconaZoom_, Pic_IconaZoomOut_;
    Object sliderObject_;

    // Owned objects.
    std::shared_ptr<ClasseToolbar> toolbar_;
    std::unique_ptr<frm_NomeDeiPulsanti> tooltip_;
    std::unique_ptr<Frm_volume> volume_;
    std::unique_ptr<fcopia> copia_;
    std::unique_ptr<fstampa> stampa_;
    std::array<std::shared_ptr<ClasseTLista>, 2> liste_;
    std::array<std::shared_ptr<frm_Lista>, 2> finestreLista_;

    // The object display: the host's display controls and the playback state.
    std::unique_ptr<Visualizzatore> display_;

    // Stored settings.
    bool DontUnload_ = false;
    Object FrmParent_;
    bool IsFloating_ = false;
    std::string FilePerCopia_;
    std::string NomeFileListaMM_;
    std::string NomeFileListaLemmiCollegati_;
    std::uint8_t NumBitmapVerticali_ = 6;
    std::uint8_t NumBitmapOrizzontali_ = 18;

    // The close command has run; it stays set for the life of the control.
    bool InChiusura_ = false;

    // Compact-mode memory.
    std::int32_t LarghezzaSalvata_ = 0, AltezzaSalvata_ = 0;
    std::array<std::int16_t, 100> PulsantiVisibiliSalvati_{};
    bool compattato_ = false;  // a compact command has saved the sizes above

    // Where the host form was when the linked windows were last placed.
    std::int32_t LeftPrecedente_ = 0, TopPrecedente_ = 0;
};

}  // namespace quindel

QUINDEL_API_END
