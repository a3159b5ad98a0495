// MostraOggetto: the current record of the multimedia list shown in the display control its type
// asks for. Every statement runs through Passi: an unexpected run-time error is shown and the
// next statement runs, so the method always reaches its common end.
#include "contract/AnimationForm.h"
#include "contract/Media.h"
#include "contract/Movie.h"
#include "contract/Panorama.h"
#include "contract/Picture.h"
#include "contract/Text.h"
#include "display/Estrazione.h"
#include "display/FilePosizione.h"
#include "display/MOD_MCI.h"
#include "display/Passi.h"
#include "display/ProprietarioVisualizzazione.h"
#include "display/StatoPulsanti.h"
#include "display/Visualizzatore.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/MultimediaCommands.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "platform/Slider.h"
#include "platform/Timer.h"
#include "platform/WindowObject.h"
#include "runtime/Coercions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/VbError.h"
#include "support/FileUtil.h"

namespace quindel {

namespace {

namespace animationform = contract::animationform;
namespace media = contract::media;
namespace movie = contract::movie;
namespace panorama = contract::panorama;
namespace picture = contract::picture;
namespace text = contract::text;
namespace window = contract::window;
using media::MediaCommand;

constexpr std::int16_t kPulsanteZoom = 16;
constexpr std::int16_t kPlay = 6, kStop = 7;
constexpr std::int16_t kPulsanteLista = 9;
const std::string kA = "\n";  // the line feed of the messages

bool TraTipi(const std::string& t, std::initializer_list<const char*> tipi) {
    for (const char* x : tipi)
        if (t == x) return true;
    return false;
}

}  // namespace

void Visualizzatore::MostraOggetto() {
    const auto vivo = owner_.TieniInVita();
    Prepara();
    ClasseTLista& mm = owner_.ListaOggetti();
    if (mm.ListCount() == 0) {
        owner_.Piattaforma().screen().setMousePointer(platform::pointer::Default);
        owner_.SuperficiePulsanti().setEnabled(true);
        return;
    }
    if (mm.ListIndex() >= 0) {
        Passi passo(owner_.Piattaforma());
        passo([&] { owner_.Piattaforma().screen().setMousePointer(platform::pointer::Hourglass); });
        passo([&] { SpegniTutteLeVisualizzazioni(); });
        passo([&] { pulsanti_.setIsPulsanteVisibile(kPulsanteZoom, false); });
        std::string tipo;
        passo([&] { tipo = mm.TipoOggetto(); });
        MostraPerTipo(tipo);
        // The caption; after ChiudiTutteLeVisualizzazioni the method ends here.
        if (!FineComune()) return;
    }
    Passi(owner_.Piattaforma())([&] { mm.AggiornaPulsantiPilonda(); });
    owner_.Piattaforma().screen().setMousePointer(platform::pointer::Default);
    owner_.SuperficiePulsanti().setEnabled(true);
}

void Visualizzatore::Prepara() {
    owner_.SuperficiePulsanti().setEnabled(false);
    if (Controlli.FormAnimazione) {
        Passi passo(owner_.Piattaforma());
        const Object suono =
            ComeOggetto(passo.Get(Controlli.FormAnimazione, animationform::PicSuono));
        if (suono) passo.Let(suono, window::Visible, false);
    }
}

void Visualizzatore::MostraPerTipo(const std::string& tipo) {
    if (TraTipi(tipo, {"FO", "MA", "DI"})) {
        if (Controlli.Immagine) MostraImmagine();
    } else if (tipo == "VI") {
        if (Controlli.Video) MostraVideo();
    } else if (tipo == "AN") {
        if (Controlli.HwndAnimazione != 0) MostraAnimazione();
    } else if (tipo == "AU") {
        if (Controlli.Audio) MostraAudio();
    } else if (tipo == "TA") {
        if (Controlli.Testo) MostraTesto();
    } else if (tipo == "AI") {
        if (Controlli.Shockwave) MostraShockwave();
    } else if (TraTipi(tipo, {"F3", "O3"})) {
        if (Controlli.Foto360) MostraFoto360();
    }
    // "IT", "D", "PL" and any other code: nothing is shown.
}

// F1 of the common end: the caption follows the record. False when the displays were closed
// for good meanwhile: then the method leaves at once.
bool Visualizzatore::FineComune() {
    platform::Platform& p = owner_.Piattaforma();
    if (const Object c = Controlli.Didascalia) {
        Passi passo(p);
        passo.Let(c, text::FText, owner_.ListaOggetti().Didascalia());
        passo([&] { contract::Let(c, text::DocWidth, Variant(Numero(c, window::Width) * 0.95)); });
        p.DoEvents();
        if (Riproduzione.VisualizzazioniChiuse) {
            p.screen().setMousePointer(platform::pointer::Default);
            return false;
        }
        passo([&] { owner_.DisponiDidascalia(); });
    }
    return true;
}

void Visualizzatore::AzzeraAvanzamento() {
    platform::Slider& slider = owner_.Avanzamento();
    IgnoraErrori([&] {
        slider.Refresh();
        slider.setExtenderBool(platform::kDispidExtenderBool, false);
    });
    IgnoraErrori([&] {
        if (pulsanti_.ValorePulsante(kPulsanteLista) != 0)
            owner_.FinestraListaOggetti().Form()->Refresh();
    });
}

std::string Visualizzatore::PercorsoOggetto() const {
    ClasseTLista& mm = owner_.ListaOggetti();
    return mm.Directory() + mm.NomeFile();
}

bool Visualizzatore::EsisteOggetto() {
    return FileEsiste(owner_.Piattaforma().files(), PercorsoOggetto());
}

// A box with OK only and the component's own title.
void Visualizzatore::Avviso(const std::string& testo, std::int32_t stile) {
    platform::Platform& p = owner_.Piattaforma();
    p.Box().Show(testo, stile, p.files().ProgramName());
}

void Visualizzatore::AvvisoSenzaTitolo(const std::string& testo) {
    owner_.Piattaforma().Box().Show(testo, platform::mb::OKOnly, "");
}

void Visualizzatore::MostraImmagine() {
    platform::Platform& p = owner_.Piattaforma();
    const platform::Screen& s = p.screen();
    const Object img = Controlli.Immagine;
    ClasseTLista& mm = owner_.ListaOggetti();
    Passi passo(p);
    passo.Let(img, picture::FXEnabled, false);
    passo.Let(img, picture::AutoSize, picture::kActualSize);
    for (const contract::Member& crop : {picture::CropX, picture::CropY})
        passo.Let(img, crop, std::int16_t(0));
    FileDaMostrare file{"", false};
    passo([&] {
        file = RisolviFileTemporaneo(p, Controlli.Blob, Controlli.BlobPacked, false, mm.Directory(),
                                     mm.NomeFile(), mm.NomeFileBlob());
    });
    passo.Let(img, window::Visible, true);
    AzzeraAvanzamento();
    // A picture that did not come out of its packed file is not looked for elsewhere.
    const bool caricata =
        !file.EstrazioneFallita && !file.FileTemporaneo.empty() &&
        !IgnoraErrori([&] { contract::Let(img, picture::FileName, file.FileTemporaneo); }) &&
        FileEsiste(p.files(), file.FileTemporaneo);
    if (!caricata) {
        Avviso("Nie mozna odczytac ilustracji:" + kA + file.FileTemporaneo);
    } else {
        passo([&] {
            ZoomImmagine::AdattaAlloSchermo(img, s.WidthTwips(), s.HeightTwips(),
                                            s.TwipsPerPixelX(), s.TwipsPerPixelY());
        });
        passo.Let(img, picture::AutoSize, picture::kStretched);
    }
    passo([&] {
        contract::Call(img, window::Move,
                       Variant((s.WidthTwips() - Numero(img, window::Width)) / 2),
                       Variant((s.HeightTwips() - Numero(img, window::Height)) / 2));
    });
    passo.Let(img, window::Visible, true);
    passo.Call(img, window::Refresh);
    passo([&] { zoom_.PreparaPulsanteZoom(img); });
}

void Visualizzatore::MostraVideo() {
    const Object video = Controlli.Video;
    if (!EsisteOggetto()) {
        AvvisoSenzaTitolo("Nie odnaleziono pliku:" + kA + PercorsoOggetto());
        return;
    }
    platform::Platform& p = owner_.Piattaforma();
    Passi passo(p);
    const Object genitore = ComeOggetto(passo.Get(video, window::Parent));
    passo([&] {
        contract::Let(video, window::Left,
                      Variant(Numero(genitore, window::Width) - p.screen().TwipsPerPixelX()));
    });
    passo.Let(video, window::Visible, true);
    AzzeraAvanzamento();
    passo.Let(video, media::AutoSize, media::kFilmSize);
    passo.Let(video, media::FileName, PercorsoOggetto());
    passo([&] { media::Send(video, MediaCommand::Open); });
    if (CLng(passo.Get(video, media::Error)) != media::kNoError) {
        Avviso("Nie mozna uruchomic filmu:" + kA + PercorsoOggetto());
        passo.Let(video, window::Visible, false);
        return;
    }
    p.DoEvents();
    passo.Call(video, window::Refresh);
    for (const contract::Member& lato : {window::Height, window::Width})
        passo([&] { contract::Let(video, lato, Variant(CLng(contract::Get(video, lato)))); });
    passo([&] { CentraOggettoInForm(video, genitore); });
    passo([&] { Riproduzione.DurataCorrente = CLng(contract::Get(video, media::Length)); });
    Riproduzione.PlayerCorrente = video;
    passo([&] { pulsanti_.setIsPulsanteAbilitato(kPlay, true); });
    passo([&] { pulsanti_.setIsPulsanteAbilitato(kStop, true); });
    passo([&] { media::Send(video, MediaCommand::Play); });
    passo([&] { VisualizzaStatoPilondaInPlay(true); });
}

Object Visualizzatore::SuperficieAnimazione() {
    return ComeOggetto(contract::Get(Controlli.FormAnimazione, animationform::PicAnimazioni));
}

void Visualizzatore::MostraAnimazione() {
    if (!EsisteOggetto()) {
        AvvisoSenzaTitolo("Nie odnaleziono pliku:" + kA + PercorsoOggetto());
        return;
    }
    platform::Platform& p = owner_.Piattaforma();
    const platform::Screen& s = p.screen();
    Passi passo(p);
    Object superficie;
    passo([&] { superficie = SuperficieAnimazione(); });
    passo.Let(superficie, window::Visible, true);
    AzzeraAvanzamento();
    passo([&] {
        contract::Call(superficie, window::Move, std::int32_t(0), std::int32_t(0), s.WidthTwips(),
                       s.HeightTwips());
    });
    const std::int32_t finestra = CLng(passo.Get(superficie, window::hWnd));
    if (!OpenMMM(p, finestra, PercorsoOggetto())) {
        p.Box().Show("Nie mozna otworzyc animacji:" + kA + PercorsoOggetto(), platform::mb::OKOnly,
                     "Otwieranie animacji");
        return;
    }
    if (!DimensionaAnimazione(superficie)) return;
    const std::uint32_t esito = InterpreteMultimediale(p).SendString("play mmmMAT", nullptr, 0);
    if (esito != 0) {
        p.Box().Show(
            "Blad podczas otwierania animacji: " + InterpreteMultimediale(p).ErrorString(esito),
            platform::mb::Critical, "Animacja");
        return;
    }
    Riproduzione.DurataCorrente = LunghezzaAnimazione(p);
    Riproduzione.PlayerCorrente = superficie;
    passo([&] { pulsanti_.setIsPulsanteAbilitato(kPlay, true); });
    passo([&] { pulsanti_.setIsPulsanteAbilitato(kStop, true); });
    passo([&] { VisualizzaStatoPilondaInPlay(true); });
}

// The surface takes the animation's own size, centred on its form; false (reported) when the
// device cannot say it.
bool Visualizzatore::DimensionaAnimazione(const Object& superficie) {
    platform::Platform& p = owner_.Piattaforma();
    Passi passo(p);
    std::int32_t w = 0, h = 0;
    if (!DimensioniAnimazione(p, w, h)) {
        passo.Let(superficie, window::Visible, false);
        p.Box().Show("Nie mozna otworzyc animacji", platform::mb::Critical, "Otwieranie animacji");
        return false;
    }
    const platform::Screen& s = p.screen();
    if (h > 0) passo.Let(superficie, window::Height, std::int32_t(h * s.TwipsPerPixelY()));
    if (w > 0) passo.Let(superficie, window::Width, std::int32_t(w * s.TwipsPerPixelX()));
    passo([&] { CentraOggettoInForm(superficie, Controlli.FormAnimazione); });
    passo.Let(superficie, window::Visible, true);
    return true;
}

void Visualizzatore::MostraAudio() {
    const Object audio = Controlli.Audio;
    Passi passo(owner_.Piattaforma());
    if (Controlli.FormAnimazione) {
        const Object suono =
            ComeOggetto(passo.Get(Controlli.FormAnimazione, animationform::PicSuono));
        if (suono) passo.Let(suono, window::Visible, true);
    }
    const bool errore = IgnoraErrori([&] {
        contract::Let(audio, media::AutoPlay, true);
        contract::Let(audio, media::FileName, PercorsoOggetto());
    });
    if (errore || !EsisteOggetto()) {
        AvvisoSenzaTitolo("Nie mozna odczytac plików audio:" + kA + PercorsoOggetto());
        return;
    }
    passo([&] { Riproduzione.DurataCorrente = CLng(contract::Get(audio, media::Length)); });
    Riproduzione.PlayerCorrente = audio;
    passo([&] { pulsanti_.setIsPulsanteAbilitato(kPlay, true); });
    passo([&] { pulsanti_.setIsPulsanteAbilitato(kStop, true); });
    passo([&] { VisualizzaStatoPilondaInPlay(true); });
}

void Visualizzatore::MostraTesto() {
    const Object testo = Controlli.Testo;
    ClasseTLista& mm = owner_.ListaOggetti();
    const bool compresso = !mm.NomeFileBlob().empty();
    bool errore = IgnoraErrori([&] {
        contract::Let(testo, text::WriteProtect, std::int16_t(1));
        contract::Let(testo, text::ScrollBarH, std::int16_t(1));
        contract::Let(testo, text::FontTableSize, std::int16_t(0));
        contract::Call(testo, text::ClearAll);
        contract::Let(testo, text::DataType, text::kRtfOrText);
    });
    // A packed text is loaded with the usual reporting of errors once it is extracted, and
    // whatever failed before no longer counts.
    if (compresso) {
        CaricaTesto(testo, true);
        errore = false;
    } else {
        errore = IgnoraErrori([&] { CaricaTesto(testo, false); }) || errore;
    }
    if (errore) {
        AvvisoSenzaTitolo("Nie mozna odczytac tekstu:" + kA + PercorsoOggetto());
        return;
    }
    Passi passo(owner_.Piattaforma());
    const Object form = Controlli.FormAnimazione;
    passo.Let(testo, window::Visible, true);
    AzzeraAvanzamento();
    passo([&] {
        contract::Let(testo, window::Width, Variant(Numero(form, window::ScaleWidth) * 0.8));
    });
    passo([&] {
        contract::Let(testo, window::Height, Variant(Numero(form, window::ScaleHeight) * 0.8));
    });
    passo([&] { contract::Let(testo, text::DocWidth, contract::Get(testo, window::Width)); });
    const Object genitore = ComeOggetto(passo.Get(testo, window::Parent));
    passo(
        [&] { contract::Let(testo, window::Width, contract::Get(genitore, window::ScaleWidth)); });
    passo([&] {
        contract::Let(testo, window::Height, contract::Get(genitore, window::ScaleHeight));
    });
    passo([&] { CentraOggettoInForm(testo, form); });
}

// Steps 2 and 3 of a text: its file, loaded and laid out to the control's width. A plain text's
// failures are the caller's to notice; a packed one's are reported here, and the display goes on.
void Visualizzatore::CaricaTesto(const Object& testo, bool compresso) {
    platform::Platform& p = owner_.Piattaforma();
    ClasseTLista& mm = owner_.ListaOggetti();
    FileDaMostrare file{"", false};
    IgnoraErrori([&] {
        file = RisolviFileTemporaneo(p, Controlli.Blob, Controlli.BlobPacked, true, mm.Directory(),
                                     mm.NomeFile(), mm.NomeFileBlob());
    });
    const auto carica = [&] {
        contract::Let(testo, text::FileName, file.FileTemporaneo);
        contract::Let(testo, text::FileLoad, text::kReplace);
        contract::Let(testo, text::DocWidth, Variant(Numero(testo, window::Width) * 0.95));
        contract::Let(testo, text::ScrollHorz, std::int16_t(0));
        contract::Let(testo, text::ScrollVert, std::int16_t(0));
    };
    if (!compresso) {
        carica();
        return;
    }
    // Reported as it happens, naming the entry and its packed file: the error's own words alone
    // ("File not found") would not tell the person which file is broken.
    try {
        carica();
    } catch (const VbError& e) {
        AvvisoSenzaTitolo("Nie mozna odczytac tekstu:" + kA + mm.NomeFile() + " z " +
                          mm.Directory() + mm.NomeFileBlob() + kA + "Quindel - " + e.description());
    }
}

void Visualizzatore::MostraShockwave() {
    const Object film = Controlli.Shockwave;
    if (!EsisteOggetto()) {
        AvvisoSenzaTitolo("Nie odnaleziono pliku:" + kA + PercorsoOggetto());
        return;
    }
    platform::Platform& p = owner_.Piattaforma();
    Passi passo(p);
    passo([&] { owner_.Avanzamento().setValue(0); });
    passo([&] {
        const PosizioneFinestra pos = LeggiPosizioneShockwave(p, PercorsoOggetto());
        Controlli.HeightAI = pos.Altezza;
        Controlli.WidthAI = pos.Larghezza;
        Controlli.LenghtAI = pos.Lunghezza;
    });
    passo.Let(film, window::Height, Controlli.HeightAI);
    passo.Let(film, window::Width, Controlli.WidthAI);
    passo.Let(film, movie::AutoStart, false);
    passo.Let(film, movie::SRC, PercorsoOggetto());
    passo([&] { CentraOggettoInForm(film, ComeOggetto(contract::Get(film, window::Parent))); });
    p.DoEvents();
    passo.Let(film, window::Visible, true);
    passo([&] { pulsanti_.setIsPulsanteAbilitato(kPlay, true); });
    passo([&] { pulsanti_.setIsPulsanteAbilitato(kStop, true); });
    passo.Call(film, movie::Play);
    passo([&] { Riproduzione.FrameCorrente = CLng(contract::Call(film, movie::GetCurrentFrame)); });
    passo([&] { owner_.TimerFilmato().setEnabled(true); });
}

void Visualizzatore::MostraFoto360() {
    const Object foto = Controlli.Foto360;
    if (!EsisteOggetto()) {
        AvvisoSenzaTitolo("Nie odnaleziono pliku:" + kA + PercorsoOggetto());
        return;
    }
    platform::Platform& p = owner_.Piattaforma();
    Passi passo(p);
    passo.Let(foto, panorama::Stretch, true);
    passo([&] {
        const PosizioneFinestra pos = LeggiPosizione3D(p, PercorsoOggetto());
        Controlli.Altezza3D = pos.Altezza;
        Controlli.Larghezza3D = pos.Larghezza;
    });
    passo.Let(foto, window::Height, Controlli.Altezza3D);
    passo.Let(foto, window::Width, Controlli.Larghezza3D);
    // Shown off-screen first, so it has a window before the picture loads.
    if (!CBool(passo.Get(foto, window::Visible))) {
        passo([&] {
            contract::Call(foto, window::Move, std::int32_t(-10000),
                           contract::Get(foto, window::Top));
        });
        passo.Let(foto, window::Visible, true);
    }
    passo.Let(foto, panorama::FileName, PercorsoOggetto());
    p.DoEvents();
    passo.Let(foto, panorama::ZoomEnabled, true);
    passo([&] { CentraOggettoInForm(foto, ComeOggetto(contract::Get(foto, window::Parent))); });
}

}  // namespace quindel
