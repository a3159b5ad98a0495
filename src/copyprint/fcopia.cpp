#include "copyprint/fcopia.h"

#include "contract/Picture.h"
#include "contract/Text.h"
#include "copyprint/IstanzaTesto.h"
#include "copyprint/Mod_CopiaeStampa.h"
#include "copyprint/ProprietarioDialoghi.h"
#include "copyprint/ScriviBmp.h"
#include "platform/Clipboard.h"
#include "platform/FileDialog.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/PictureObject.h"
#include "platform/Platform.h"
#include "platform/Timer.h"
#include "richtext/EngineServices.h"
#include "runtime/Coercions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/ScopeGuard.h"
#include "runtime/Text.h"
#include "support/Gestore.h"

namespace quindel {

namespace {

using IT = IstanzaTesto;
namespace picture = contract::picture;
namespace text = contract::text;
constexpr std::int32_t kPx = 15;  // twips of a pixel on the screen the dialog is drawn for
constexpr std::int32_t kIntervalloAggiorna = 100;
constexpr std::int16_t kFrecciaSu = 10;
constexpr std::int16_t kRtfETesto = 2, kSoloTesto = 1;
constexpr std::int16_t kSalvaSelezione = 1, kSalvaTutto = 2;
constexpr std::int16_t kPerStampa = 2, kPerFile = 3;
constexpr std::int32_t kImmagineNonValida = 481, kAppuntiAssenti = 521;

struct Posto {
    int x, y, w, h;
};
// OPZT(0..5): text, other, caption, picture, clipboard, file.
constexpr const char* kTesti[6] = {"Tekst", "Inne:", "Podpis", "Obraz", "Schowek", "Plik"};
constexpr Posto kPostiTesti[6] = {{42, 59, 90, 15},  {42, 83, 90, 15},  {56, 107, 76, 15},
                                  {56, 129, 76, 15}, {184, 59, 90, 15}, {184, 83, 60, 15}};
struct Punto {
    int x, y;
};
constexpr Punto kPostiSegni[6] = {{140, 58}, {140, 82},  {290, 58},
                                  {290, 82}, {140, 106}, {140, 128}};

Object ObjectOf(const Variant& v) {
    const Object* o = v.asObjectPtr();
    return o ? *o : Object();
}

}  // namespace

fcopia::fcopia(platform::Platform& p) : dialogo_(p, "copia.bmp") {
    Costruisci();
    AGGIORNA_ = p.NewTimer();
    AGGIORNA_->setInterval(kIntervalloAggiorna);
    AGGIORNA_->OnTimer = [this] { AGGIORNA_Timer(); };
    if (richtext::EngineServices* s = richtext::EngineServicesOf(p))
        TESTOATX_ = s->NewInstance(*dialogo_.Form());
    dialogo_.OnInvio = [this] { OK_Click(); };
    dialogo_.OnEsc = [this] { ANNULLA_Click(); };
    dialogo_.OnUnload = [this] {
        AGGIORNA_->setEnabled(false);
        PilondaCorrente_ = nullptr;
    };
}

fcopia::~fcopia() {
    AGGIORNA_->OnTimer = nullptr;
    PilondaCorrente_ = nullptr;
}

void fcopia::Costruisci() {
    Dialogo& d = dialogo_;
    d.Titolo("Kopiowanie", 16 * kPx, 9 * kPx, 200 * kPx, 15 * kPx);
    d.Etichetta("Co skopiowa\u0107:", 16 * kPx, 37 * kPx, 120 * kPx, 15 * kPx);
    d.Etichetta("Dok\u0105d:", 180 * kPx, 37 * kPx, 120 * kPx, 15 * kPx);
    const platform::Image opzione = ImmagineDialogo("opzione.bmp");
    const platform::Image spunta = ImmagineDialogo("spunta.bmp");
    for (int i = 0; i < 2; ++i) {
        OPZ_[std::size_t(i)] = d.Immagine(opzione.copy(0, 0, opzione.height(), opzione.height()),
                                          20 * kPx, (58 + 24 * i) * kPx);
        d.Pulsante(*OPZ_[std::size_t(i)], [this, i] { OPZ_Click(i); });
    }
    for (int i = 0; i < 6; ++i) {
        const Posto& t = kPostiTesti[i];
        OPZT_[std::size_t(i)] = d.Etichetta(kTesti[i], t.x * kPx, t.y * kPx, t.w * kPx, t.h * kPx);
        d.Pulsante(*OPZT_[std::size_t(i)], [this, i] { OPZT_Click(i); });
        const Punto& s = kPostiSegni[i];
        EVID_[std::size_t(i)] = d.Immagine(spunta, s.x * kPx, s.y * kPx, false);
    }
    for (auto& o : OPZ_) ImpostaPuntatore(*o, kFrecciaSu);
    for (auto& o : OPZT_) ImpostaPuntatore(*o, kFrecciaSu);
    sceglifile_ = d.Etichetta(" ...", 250 * kPx, 83 * kPx, 28 * kPx, 15 * kPx);
    d.Pulsante(*sceglifile_, [this] { sceglifile_Click(); });
    sceglifile_->setAccessibleName("Wybierz plik");
    sceglifile_->setVisible(d.Piattaforma().fileDialog() != nullptr);
    lbl_File_ = d.Etichetta("", 184 * kPx, 107 * kPx, 132 * kPx, 15 * kPx);
    OK_ = d.Etichetta("     OK", 70 * kPx, 170 * kPx, 80 * kPx, 17 * kPx);
    d.Pulsante(*OK_, [this] { OK_Click(); });
    ANNULLA_ = d.Etichetta("   Anuluj", 180 * kPx, 170 * kPx, 80 * kPx, 17 * kPx);
    d.Pulsante(*ANNULLA_, [this] { ANNULLA_Click(); });
    d.Disponi();
}

bool fcopia::Caricato() const {
    return dialogo_.Caricato();
}

void fcopia::Unload() {
    dialogo_.Unload();
}

void fcopia::setPilondaCorrente(ProprietarioDialoghi* p) {
    PilondaCorrente_ = p;
    if (!p || !Caricato()) return;
    PrendiStato(*p);
    AGGIORNA_Timer();
    AGGIORNA_->setEnabled(true);
    dialogo_.Apri(*p);
}

void fcopia::PrendiStato(ProprietarioDialoghi& p) {
    const Object testo = p.ControlloTesto(), didascalia = p.ControlloDidascalia();
    Immagine_ = Visibile(p.ControlloImmagine()) ? p.ControlloImmagine() : nullptr;
    TestoDidascalia_ = didascalia ? CStr(contract::Get(didascalia, text::FText)) : std::string();
    nomi_ = NomiCopia::Da(p.FilePerCopia());
    lbl_File_->setCaption(nomi_.NomeCopia);
    const bool testoVisibile = Visibile(testo);
    if (testoVisibile) contract::Let(testo, text::SelFType, Variant(text::kAllFormats));
    // Text goes through a hidden engine instance: without one there is no text to offer.
    PuoTesto_ = testoVisibile && TESTOATX_;
    PuoDidascalia_ = didascalia && TESTOATX_ && !(testoVisibile && Immagine_);
    PuoImmagine_ = Immagine_ != nullptr;
    // One choice, the object shown: the picture when there is one, else the text, else the
    // caption.
    Scegli(PuoTesto_ && !PuoImmagine_, !PuoTesto_ && !PuoImmagine_, PuoImmagine_);
    IsTabella_ = p.TipoOggettoCorrente() == "TA";
    Appunti_ = true;
}

void fcopia::Scegli(bool testo, bool didascalia, bool immagine) {
    HaTesto_ = testo && PuoTesto_;
    HaDidascalia_ = didascalia && PuoDidascalia_;
    HaImmagine_ = immagine && PuoImmagine_;
    AGGIORNA_Timer();
}

void fcopia::OPZ_Click(int Index) {
    if (Index == 0) {
        if (PuoTesto_) Scegli(true, false, false);
    } else if (PuoDidascalia_ || PuoImmagine_) {
        Scegli(false, !PuoImmagine_, PuoImmagine_);  // the picture when it is there
    }
}

void fcopia::OPZT_Click(int Index) {
    switch (Index) {
        case 0:
        case 1:
            OPZ_Click(Index);
            return;
        case 2:
            if (PuoDidascalia_) Scegli(false, true, false);
            return;
        case 3:
            if (PuoImmagine_) Scegli(false, false, true);
            return;
        default:
            Appunti_ = Index == 4;
            AGGIORNA_Timer();
    }
}

void fcopia::AGGIORNA_Timer() {
    const bool segni[6] = {
        HaTesto_, HaDidascalia_ || HaImmagine_, Appunti_, !Appunti_, HaDidascalia_, HaImmagine_};
    for (std::size_t i = 0; i < EVID_.size(); ++i) EVID_[i]->setVisible(segni[i]);
    const platform::Image opzione = ImmagineDialogo("opzione.bmp");
    DisegnaOpzione(*OPZ_[0], opzione, segni[0]);
    DisegnaOpzione(*OPZ_[1], opzione, segni[1]);
}

void fcopia::ANNULLA_Click() {
    // The clipboard is left as it was: it may hold what the user copied elsewhere.
    Unload();
}

void fcopia::sceglifile_Click() {
    platform::FileDialog* fd = dialogo_.Piattaforma().fileDialog();
    if (!fd) return;
    platform::FileQuestion q;
    q.mode = platform::FileDialogMode::Save;
    q.title = "Kopiuj do pliku";
    q.filters = platform::FileDialog::ParseFilters(
        "Tekst sformatowany (*.rtf)|*.rtf|Obraz (*.bmp)|*.bmp|Wszystkie pliki|*.*");
    q.folder = nomi_.CartellaCopia;
    q.name = nomi_.NomeCopia;
    const std::optional<std::string> scelto = fd->Ask(q);
    if (!scelto) return;
    nomi_ = NomiCopia::Da(*scelto);
    lbl_File_->setCaption(nomi_.NomeCopia);
    Appunti_ = false;
    AGGIORNA_Timer();
}

void fcopia::OK_Click() {
    if (!Caricato()) return;
    platform::Platform& p = dialogo_.Piattaforma();
    AGGIORNA_Timer();
    {
        p.screen().setMousePointer(platform::pointer::Hourglass);
        ScopeExit puntatore([&p] { p.screen().setMousePointer(platform::pointer::Default); });
        Gestore g(p, "Kopiuj");
        Copia(g);
    }
    Unload();
}

// The content is the first check mark shown: text, caption, picture.
void fcopia::Copia(Gestore& g) {
    if (HaTesto_) {
        if (Appunti_)
            CopiaTestoNegliAppunti(g, TestoDelControllo(), kRtfETesto);
        else
            SalvaTesto(g);
    } else if (HaDidascalia_) {
        if (Appunti_)
            CopiaTestoNegliAppunti(g, TestoDidascalia_, kSoloTesto);
        else
            SalvaDidascalia(g);
    } else if (HaImmagine_) {
        if (Appunti_)
            CopiaImmagineNegliAppunti(g);
        else
            SalvaImmagine(g);
    }
}

platform::Image fcopia::ImmagineMostrata() const {
    const Object figura = ObjectOf(contract::Get(Immagine_, picture::Picture));
    const platform::Image* img = platform::ImageOf(figura);
    if (!img) Raise(kImmagineNonValida);
    return *img;
}

std::string fcopia::TestoDelControllo() const {
    return PilondaCorrente_ ? CStr(contract::Get(PilondaCorrente_->ControlloTesto(), text::FText))
                            : std::string();
}

void fcopia::CopiaTestoNegliAppunti(Gestore& g, const std::string& rtf, std::int16_t modo) {
    platform::Clipboard* appunti = dialogo_.Piattaforma().clipboard();
    const IT t(TESTOATX_);
    g([&] {
        if (!appunti) Raise(kAppuntiAssenti);
        appunti->Clear();
    });
    g([&] { t.setTesto(rtf); });
    g([&] { t.Imposta(text::SelFType, Variant(text::kAllFormats)); });
    g([&] { t.Seleziona(0, Len(t.Testo())); });
    g([&] { t.Imposta(text::ClipCopy, Variant(modo)); });
}

void fcopia::CopiaImmagineNegliAppunti(Gestore& g) {
    platform::Clipboard* appunti = dialogo_.Piattaforma().clipboard();
    g([&] {
        if (!appunti) Raise(kAppuntiAssenti);
        appunti->Clear();
    });
    g([&] { appunti->SetPicture(ImmagineMostrata()); });
}

// The text goes to the file through the engine's save; a table's text carries the credit before
// it. The clipboard is never the carrier.
void fcopia::SalvaTesto(Gestore& g) {
    const IT t(TESTOATX_);
    std::string testo = TestoDelControllo();
    if (IsTabella_) testo = BloccoCrediti("\\par \\par \\par ", "\\par \\par \\par \\par ") + testo;
    Variant protezione, vista;
    g([&] { protezione = t.Leggi(text::WriteProtect); });
    g([&] { vista = t.Leggi(text::ViewMode); });
    g([&] { t.setTesto(testo); });
    g([&] { t.Imposta(text::WriteProtect, Variant(std::int32_t(kPerStampa))); });
    g([&] { t.Seleziona(0, Len(t.Testo())); });
    g([&] { t.Imposta(text::ViewMode, Variant(std::int32_t(kPerFile))); });
    g([&] { t.Imposta(text::SaveName, Variant(nomi_.FileRtf())); });
    g([&] { t.Imposta(text::FileSave, Variant(kSalvaSelezione)); });
    g([&] { t.Imposta(text::WriteProtect, protezione); });
    g([&] { t.Imposta(text::ViewMode, vista); });
}

// The caption goes in at the start of the file's document, whatever was there kept after it (a
// plain text too, even one that begins with "{").
void fcopia::SalvaDidascalia(Gestore& g) {
    const IT t(TESTOATX_);
    const std::string file = nomi_.FileRtf();
    g([&] { t.setTesto(TestoDidascalia_); });
    IgnoraErrori([&] {
        contract::Let(TESTOATX_, text::FileName, Variant(file));
        contract::Let(TESTOATX_, text::DataType, Variant(text::kRtfOrText));
        contract::Let(TESTOATX_, text::FileLoad, Variant(text::kAppend));
    });
    g([&] { t.Imposta(text::SaveName, Variant(file)); });
    g([&] { t.Imposta(text::FileSave, Variant(kSalvaTutto)); });
}

void fcopia::SalvaImmagine(Gestore& g) {
    platform::Platform& p = dialogo_.Piattaforma();
    g([&] { ScriviBmp(p.files().Resolve(nomi_.FileBmp()), ImmagineMostrata()); });
}

}  // namespace quindel
