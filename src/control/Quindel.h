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
#include "lists/ProprietarioLista.h"
#include "runtime/ConnectionPoint.h"
#include "runtime/DispatchTable.h"
#include "runtime/Variant.h"

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

class Quindel : public TableDispatch,
                public ProprietarioLista,
                public std::enable_shared_from_this<Quindel> {
  public:
    // Creates the control on the host's form (the platform's initialise notification).
    static std::shared_ptr<Quindel> Crea(platform::Platform& p, platform::Form& host);
    ~Quindel() override;  // the terminate notification

    // ---- Public interface (late-bound members; see QuindelInterfaccia.cpp for the ids) ----
    Object Controllo3DFoto360() const { return Controllo3DFoto360_; }
    void setControllo3DFoto360(Object o) { Controllo3DFoto360_ = std::move(o); }
    Object ControlloShockwave() const { return ControlloShockwave_; }
    void setControlloShockwave(Object o) { ControlloShockwave_ = std::move(o); }
    void setDontUnload(bool v) { DontUnload_ = v; }
    bool DontUnload() const { return DontUnload_; }
    void CLickLista(std::int16_t IndiceLista) override;
    void setControlloBlob(Object o) { ControlloBlob_ = std::move(o); }
    Object FrmParent() const { return FrmParent_; }
    void setFrmParent(Object o) { FrmParent_ = std::move(o); }
    std::int32_t HeightAI() const { return HeightAI_; }
    void setHeightAI(std::int32_t v) { HeightAI_ = v; }
    std::int32_t LenghtAI() const { return LenghtAI_; }
    void setLenghtAI(std::int32_t v) { LenghtAI_ = v; }
    std::int32_t WidthAI() const { return WidthAI_; }
    void setWidthAI(std::int32_t v) { WidthAI_ = v; }
    std::shared_ptr<ClasseTLista> ListaLemmi() const { return liste_[0]; }
    std::shared_ptr<ClasseTLista> ListaMM() const { return liste_[1]; }
    void MostraOggetto() override;
    Object SliderAvanzamento() const;
    void SpegniTutteLeVisualizzazioni();
    std::uint8_t NumBitmapVerticali() const { return NumBitmapVerticali_; }
    void setNumBitmapVerticali(std::uint8_t v) { NumBitmapVerticali_ = v; }
    std::uint8_t NumBitmapOrizzontali() const { return NumBitmapOrizzontali_; }
    void setNumBitmapOrizzontali(std::uint8_t v) { NumBitmapOrizzontali_ = v; }
    std::int32_t VolumeAudio() const { return VolumeAudio_; }
    void setVolumeAudio(std::int32_t v);
    std::int16_t VelocitaMoviola() const { return 0; }
    void setVelocitaMoviola(std::int16_t) {}
    Object ControlloDidascalia() const { return ControlloDidascalia_; }
    void setControlloDidascalia(Object o);
    Object ControlloImmagine() const { return ControlloImmagine_; }
    void setControlloImmagine(Object o) { ControlloImmagine_ = std::move(o); }
    Object ControlloAudio() const { return ControlloAudio_; }
    void setControlloAudio(Object o);
    Object ControlloVideo() const { return ControlloVideo_; }
    void setControlloVideo(Object o);
    void setFrmControlloAnimazione(Object form);
    Object ControlloTabella() const { return nullptr; }
    void setControlloTabella(Object) {}
    std::int32_t HwndControlloAnimazion() const { return HwndControlloAnimazion_; }
    void setHwndControlloAnimazion(std::int32_t v) { HwndControlloAnimazion_ = v; }
    Object ControlloMappa() const { return nullptr; }
    void setControlloMappa(Object) {}
    Object ControlloTesto() const { return ControlloTesto_; }
    void setControlloTesto(Object o) { ControlloTesto_ = std::move(o); }
    bool IsFloating() const { return IsFloating_; }
    void setIsFloating(bool v);
    const std::string& NomeFileListaMM() const { return NomeFileListaMM_; }
    void setNomeFileListaMM(const std::string& nome);
    const std::string& NomeFileListaLemmiCollegati() const { return NomeFileListaLemmiCollegati_; }
    void setNomeFileListaLemmiCollegati(const std::string& nome);
    std::string CodiceLemmaCollegatoCorrente() const { return {}; }
    void setCodiceLemmaCollegatoCorrente(const std::string&) {}
    std::string DescrizioneLemmaCollegatoCorrente() const { return {}; }
    void setDescrizioneLemmaCollegatoCorrente(const std::string&) {}
    std::uint8_t MassimoRecordListaVisibili() const;
    void setMassimoRecordListaVisibili(std::uint8_t v);
    std::int32_t NumeroRecordEffettiviMM() const { return 0; }
    void setNumeroRecordEffettiviMM(std::int32_t) {}
    std::int32_t NumeroRecordEffettiviLista() const { return 0; }
    void setNumeroRecordEffettiviLista(std::int32_t) {}
    void copia(const std::string& TipoOggetto);
    void Chiudi(const Variant& NonScaricareLaForm = Variant::Missing());
    std::string ToolTipPulsante(std::int16_t Indice);
    void setToolTipPulsante(std::int16_t Indice, const std::string& s);
    bool IsPulsanteAbilitato(std::int16_t Indice) override;
    void setIsPulsanteAbilitato(std::int16_t Indice, bool v) override;
    bool IsPulsanteVisibile(std::int16_t Indice);
    void setIsPulsanteVisibile(std::int16_t Indice, bool v);
    std::int16_t ValorePulsante(std::int16_t Indice) override;
    void setValorePulsante(std::int16_t Indice, std::int16_t v) override;
    void SpegniToolTip() override;
    void SpostaFormCollegate();
    void InitChunk(bool bNuovaLista, std::int16_t iTipoLista, const std::string& sNomeFile,
                   std::int32_t lNumeroTotaleElementi, std::int32_t lPosizioneInizioChunk);
    void ChiediNuovoChunk(std::uint8_t iTipoLista, const std::string& sNomeFileLista,
                          std::int32_t lPosizione) override;
    void VisualizzaStatoPilondaInPlay(bool bStato);
    void SalvaSituazionePrecedentePulsanti();
    const std::string& FilePerCopia() const { return FilePerCopia_; }
    void setFilePerCopia(std::string v) { FilePerCopia_ = std::move(v); }
    void Stampa();
    void ChiudiTutteLeformAperte(const Variant& UsaIPulsantiDelPilonda = Variant::Missing());
    void Termina();
    void ControlloImmagine_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void ControlloImmagine_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void AggiornaDimensioneControllo();
    std::string ErrorMessage() const { return {}; }
    void setErrorMessage(const std::string&) {}
    void setBlobPacked(bool v) { BlobPacked_ = v; }
    std::int32_t AttesaAutoplay() const { return AttesaAutoplay_; }
    void setAttesaAutoplay(std::int32_t secondi);
    void ChiudiTutteLeVisualizzazioni();

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
    frm_NomeDeiPulsanti& ToolTip() const { return *tooltip_; }
    frm_Lista& FinestraLista(int i) const { return *finestreLista_.at(std::size_t(i)); }
    bool InChiusura() const { return InChiusura_; }
    bool MouseFuoriImmagine() const { return MouseFuoriImmagine_; }
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
    void CaricaRisorse();
    void CostruisciPulsanti();
    std::array<std::int16_t, 6> CelleDaColonna(std::int16_t colonna) const;
    void CreaListe();
    void PosizionaSlider();
    void CollegaSuperficie();
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
    void ComandoPrecedenteSuccessivo(std::int16_t n);
    void ComandoChiudi();
    void BloccaAnimazione();
    platform::Form* FormPadre() const;

    // Linked windows and caption.
    void PosizionaFinestra(platform::Window& w, std::int16_t pulsante, bool sotto);
    void DisponiDidascalia();
    void ApplicaVolume(const Object& controllo);

    // Events.
    void RaisePulsantePremuto(std::int16_t indice, std::int16_t value);
    void RaiseClickLista(DispId evento, std::int32_t indice);
    void CaricaLista(ClasseTLista& lista, const std::string& nome, const Variant& inizio);

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
    Object sliderObject_;

    // Owned objects.
    std::shared_ptr<ClasseToolbar> toolbar_;
    std::unique_ptr<frm_NomeDeiPulsanti> tooltip_;
    std::array<std::shared_ptr<ClasseTLista>, 2> liste_;
    std::array<std::shared_ptr<frm_Lista>, 2> finestreLista_;

    // Stored settings.
    bool DontUnload_ = false;
    Object FrmParent_;
    bool IsFloating_ = false;
    bool BlobPacked_ = false;
    std::string FilePerCopia_;
    std::string NomeFileListaMM_;
    std::string NomeFileListaLemmiCollegati_;
    std::int32_t HeightAI_ = 0, WidthAI_ = 0, LenghtAI_ = 0;
    std::int32_t HwndControlloAnimazion_ = 0;
    std::int32_t VolumeAudio_ = 255;
    std::int32_t AttesaAutoplay_ = 2000;
    std::uint8_t NumBitmapVerticali_ = 6;
    std::uint8_t NumBitmapOrizzontali_ = 18;

    // Host display controls.
    Object Controllo3DFoto360_, ControlloShockwave_, ControlloBlob_, ControlloDidascalia_,
        ControlloImmagine_, ControlloAudio_, ControlloVideo_, FrmControlloAnimazione_,
        ControlloTesto_;

    // Playback and shutdown state, shared by the commands and the timers.
    bool InChiusura_ = false;
    bool InPausa_ = false;
    bool AttesaInCorso_ = false;
    bool AttesaFilmato_ = false;
    bool StopAutoplay_ = false;
    bool StopRotazione_ = false;
    bool StopAnimazione_ = false;
    bool VisualizzazioniChiuse_ = false;
    std::int16_t ZoomAttivo_ = 0;
    bool PanInCorso_ = false;
    bool MouseFuoriImmagine_ = false;
    std::int32_t FrameCorrente_ = 0;
    Object PlayerCorrente_;
    std::int32_t DurataCorrente_ = 0;

    // Compact-mode memory.
    std::int32_t LarghezzaSalvata_ = 0, AltezzaSalvata_ = 0;
    std::array<std::int16_t, 100> PulsantiVisibiliSalvati_{};
    bool compattato_ = false;  // a compact command has saved the sizes above

    // Where the host form was when the linked windows were last placed.
    std::int32_t LeftPrecedente_ = 0, TopPrecedente_ = 0;
};

}  // namespace quindel
