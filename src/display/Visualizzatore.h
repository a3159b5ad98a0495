#pragma once
// The object display of the panel: the host's display controls and the state of what is shown
// and played (the playback flags the commands, the timers and the waits share), and the members
// that show, follow and stop objects. The control forwards its public display members here and
// implements ProprietarioVisualizzazione and StatoPulsanti for it.
//
// The flags are plain public fields: they are the one channel through which nested commands,
// timer ticks and host calls stop a wait running further down the stack, so every piece reads
// and writes them directly, as the waits test them after each pump.
#include <cstdint>
#include <memory>
#include <string>

#include "display/ZoomImmagine.h"
#include "runtime/Variant.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

class ProprietarioVisualizzazione;
class StatoPulsanti;

// The host's display controls and the settings that go with them.
struct ControlliVisualizzazione {
    Object Immagine, Video, Audio, Testo, Didascalia, Foto360, Shockwave, Blob;
    Object FormAnimazione;                   // the form carrying Pic_Animazioni and PicSuono
    std::int32_t HwndAnimazione = 0;         // Pic_Animazioni's handle; 0: no animation surface
    std::int32_t HeightAI = 0, WidthAI = 0;  // interactive-movie window (twips)
    std::int32_t LenghtAI = 0;               // interactive-movie length (frames)
    std::int32_t Altezza3D = 0, Larghezza3D = 0;  // 360-degree photo window (twips)
    bool BlobPacked = false;
};

// What is playing and the requests that end the waits.
struct StatoRiproduzione {
    bool PlayerAnimazione = false;  // PlayerCorrente is the animation surface
    bool Fermato = false;           // stopped and rewound by command 7, until played again
    bool InPausa = false;
    bool AttesaInCorso = false;
    bool AttesaFilmato = false;
    bool StopAutoplay = false;
    bool StopRotazione = false;
    bool StopAnimazione = false;
    bool VisualizzazioniChiuse = false;
    bool PausaSulPulsante = false;  // button 6 shows the pause picture
    std::int32_t FrameCorrente = 0;
    Object PlayerCorrente;
    std::int32_t DurataCorrente = 0;
};

// Zoom and pan of the picture shown.
struct StatoZoom {
    std::int16_t ZoomAttivo = 0;
    bool PanInCorso = false;
    bool MouseFuoriImmagine = false;
};

class Visualizzatore {
  public:
    Visualizzatore(ProprietarioVisualizzazione& owner, StatoPulsanti& pulsanti);
    ~Visualizzatore();
    Visualizzatore(const Visualizzatore&) = delete;
    Visualizzatore& operator=(const Visualizzatore&) = delete;

    ControlliVisualizzazione Controlli;
    StatoRiproduzione Riproduzione;
    StatoZoom Zoom;

    // Volume 0..255 for sound and film; writing it pushes it to both players.
    std::int32_t VolumeAudio() const { return VolumeAudio_; }
    void setVolumeAudio(std::int32_t v);
    void setControlloAudio(Object o);
    void setControlloVideo(Object o);
    void setFrmControlloAnimazione(Object form);
    // The autoplay pause for still objects, in milliseconds; written in seconds.
    std::int32_t AttesaAutoplay() const { return AttesaAutoplay_; }
    void setAttesaAutoplay(std::int32_t secondi);

    void MostraOggetto();
    void SpegniTutteLeVisualizzazioni();
    void ChiudiTutteLeVisualizzazioni();
    void VisualizzaStatoPilondaInPlay(bool bStato);
    void ControlloImmagine_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void ControlloImmagine_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    // The stop requests the close command raises before it stops the displays.
    void RichiediFermata();
    // Drops every host object, as the control does when it ends.
    void Rilascia();
    // Zoom mode on or off for the picture on show (button 16).
    void CommutaZoom();

    // Playback: the timers' ticks, the play/pause and stop commands, the waits of autoplay.
    void tmr_Timer();
    void Timer1();
    void PlayPausa();      // command 6
    void StopRiavvolgi();  // command 7
    // Command 15 with button 15 as the user left it; false when it ends early.
    bool Autoplay();
    // Commands 4 and 5 end a running autoplay before their dialog opens.
    void FermaAutoplay();
    // Lets messages run for ms milliseconds, or less when the panel closes.
    void Attesa(std::int32_t ms);
    void AttesaOggetto();

  private:
    void ApplicaVolume(const Object& controllo);
    // The branches of MostraOggetto, one per kind of object, and the steps they share.
    void Prepara();
    void MostraPerTipo(const std::string& tipo);
    void MostraImmagine();
    void MostraVideo();
    void MostraAnimazione();
    bool DimensionaAnimazione(const Object& superficie);
    void MostraAudio();
    void MostraTesto();
    void CaricaTesto(const Object& testo, bool compresso);
    void MostraShockwave();
    void MostraFoto360();
    bool FineComune();
    void AzzeraAvanzamento();
    bool EsisteOggetto();
    std::string PercorsoOggetto() const;
    void Avviso(const std::string& testo, std::int32_t stile = 0);
    void AvvisoSenzaTitolo(const std::string& testo);
    Object SuperficieAnimazione();
    void PulsantePlay(bool suonando);
    void ImpostaAvanzamento(std::int32_t valore);
    bool AttesaFinita();
    void AttesaMedia(const Object& player);
    void AttesaAnimazione();
    void Rotazione();
    void AttesaShockwave();
    enum class Passo { Continua, Fine, Chiusura, Anticipata };
    Passo PassoAutoplay(bool& primo);

    ZoomImmagine zoom_;

    ProprietarioVisualizzazione& owner_;
    StatoPulsanti& pulsanti_;
    std::int32_t VolumeAudio_ = 255;
    std::int32_t AttesaAutoplay_ = 2000;
};

}  // namespace quindel

QUINDEL_API_END
