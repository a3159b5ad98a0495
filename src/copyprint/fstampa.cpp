#include "copyprint/fstampa.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "contract/Picture.h"
#include "contract/Text.h"
#include "copyprint/IstanzaTesto.h"
#include "copyprint/Mod_CopiaeStampa.h"
#include "copyprint/ProprietarioDialoghi.h"
#include "platform/FileDialog.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/MessageBox.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "platform/Printer.h"
#include "richtext/EngineServices.h"
#include "runtime/Coercions.h"
#include "runtime/FontObject.h"
#include "runtime/ScopeGuard.h"
#include "runtime/VbError.h"
#include "support/Catalogo.h"
#include "support/Gestore.h"

namespace quindel {

namespace {

using IT = IstanzaTesto;
namespace picture = contract::picture;
namespace text = contract::text;
namespace window = contract::window;
constexpr std::int32_t kPx = 15;  // twips of a pixel on the screen the dialog is drawn for
constexpr std::int32_t kPollice = 1440;
constexpr std::int32_t kErroreStampante = 482, kErroreDispositivo = 57;
constexpr std::int32_t kTitoloStampa = 488;
constexpr std::int32_t kPerStampa = 2;
// The caption's two inches above the bottom edge; as much is kept at the top, where the credit
// line stands, so the picture between them stays centred on the sheet.
constexpr std::int32_t kFasciaTesto = 2 * kPollice;

platform::Printer& Stampante(platform::Platform& p) {
    platform::Printer* s = p.printer();
    if (!s) throw VbError(kErroreStampante, "Drukuj", "There is no printer");
    return *s;
}

richtext::EngineServices& Motore(platform::Platform& p) {
    richtext::EngineServices* s = richtext::EngineServicesOf(p);
    if (!s) throw VbError(kErroreStampante, "Drukuj", "There is no rich-text engine");
    return *s;
}

// A step of the print under the "Drukuj" handler. The printer's own failures (out of paper,
// offline) are reported as the device errors they are, so the user can put it right and retry.
template <class F>
void Passo(Gestore& g, F&& passo) {
    g([&] {
        try {
            passo();
        } catch (const VbError& e) {
            if (e.number() != kErroreStampante) throw;
            throw VbError(kErroreDispositivo, e.source(), e.description());
        }
    });
}

}  // namespace

fstampa::fstampa(platform::Platform& p) : dialogo_(p, "stampa.bmp") {
    Costruisci();
    PreparaTESTOATX();
    dialogo_.OnInvio = [this] { OK_Click(); };
    dialogo_.OnEsc = [this] { ANNULLA_Click(); };
    dialogo_.OnUnload = [this] { PilondaCorrente_ = nullptr; };
}

fstampa::~fstampa() {
    PilondaCorrente_ = nullptr;
}

void fstampa::Costruisci() {
    Dialogo& d = dialogo_;
    d.Titolo("Drukowanie", 16 * kPx, 9 * kPx, 200 * kPx, 15 * kPx);
    d.Etichetta("Co wydrukowa\u0107:", 16 * kPx, 37 * kPx, 200 * kPx, 15 * kPx);
    const platform::Image opzione = ImmagineDialogo("opzione.bmp");
    const platform::Image spunta = ImmagineDialogo("spunta.bmp");
    const char* testi[2] = {"Tekst", "Obraz z podpisem"};
    for (int i = 0; i < 2; ++i) {
        const std::int32_t y = (58 + 24 * i) * kPx;
        const auto k = std::size_t(i);
        OPZ_[k] = d.Immagine(opzione.copy(0, 0, opzione.height(), opzione.height()), 20 * kPx, y);
        OPZT_[k] = d.Etichetta(testi[i], 42 * kPx, y + kPx, 150 * kPx, 15 * kPx);
        EVID_[k] = d.Immagine(spunta, 230 * kPx, y, false);
        d.Pulsante(*OPZ_[k], [this, i] { OPZ_Click(i); });
        d.Pulsante(*OPZT_[k], [this, i] { OPZT_Click(i); });
    }
    OK_ = d.Etichetta("   Drukuj", 50 * kPx, 120 * kPx, 80 * kPx, 17 * kPx);
    d.Pulsante(*OK_, [this] { OK_Click(); });
    ANNULLA_ = d.Etichetta("   Anuluj", 170 * kPx, 120 * kPx, 80 * kPx, 17 * kPx);
    d.Pulsante(*ANNULLA_, [this] { ANNULLA_Click(); });
    d.Disponi();
}

// The print document: laid out for paper, no selection shown, and the eight faces of the font
// table, whatever the host's text uses.
void fstampa::PreparaTESTOATX() {
    richtext::EngineServices* s = richtext::EngineServicesOf(dialogo_.Piattaforma());
    if (!s) return;
    TESTOATX_ = s->NewInstance(*dialogo_.Form());
    atxTestoCop_ = s->NewInstance(*dialogo_.Form());
    const IT t(TESTOATX_);
    t.Imposta(text::ViewMode, Variant(kPerStampa));
    t.Imposta(text::SelFType, Variant(std::int32_t(15)));
    t.Imposta(text::ScrollBars, Variant(std::int16_t(4)));
    t.Imposta(text::WriteProtect, Variant(true));
    t.Imposta(text::ShowSelection, Variant(false));
    contract::Let(TESTOATX_, window::BorderStyle, Variant(std::int16_t(0)));
    richtext::FontFields voce = s->FontTableGet(TESTOATX_, 0);
    voce.points = 12;
    voce.weight = 0;
    for (std::size_t i = 0; i < kFacce.size(); ++i) {
        voce.face = kFacce[i];
        s->FontTablePut(TESTOATX_, std::int16_t(i), voce);
    }
    // The font the printed text starts with: the table's first face, as the engine is told.
    FontObject::Fields base;
    base.name = kFacce[0];
    base.size = 12;
    t.ImpostaOggetto(text::BaseFont, std::make_shared<FontObject>(base));
}

bool fstampa::Caricato() const {
    return dialogo_.Caricato();
}

void fstampa::Unload() {
    dialogo_.Unload();
}

void fstampa::setPilondaCorrente(ProprietarioDialoghi* p) {
    PilondaCorrente_ = p;
    if (!p || !Caricato()) return;
    const Object testo = p->ControlloTesto(), didascalia = p->ControlloDidascalia();
    HaTesto_ = Visibile(testo) && TESTOATX_;
    TestoCompleto_ = HaTesto_ ? CStr(contract::Get(testo, text::FText)) : std::string();
    // The caption is the shown object's, whether its control is shown or hidden just now.
    HaDidascalia_ = didascalia && TESTOATX_;
    TestoDidascalia_ = HaDidascalia_ ? CStr(contract::Get(didascalia, text::FText)) : std::string();
    Immagine_ = Visibile(p->ControlloImmagine()) ? p->ControlloImmagine() : nullptr;
    MostraScelta(HaTesto_);
    dialogo_.Apri(*p);
}

const std::string& fstampa::TestoSottoImmagine() const {
    return HaDidascalia_ ? TestoDidascalia_ : TestoCompleto_;
}

void fstampa::MostraScelta(bool testo) {
    const bool immagine = !testo && Immagine_;
    EVID_[0]->setVisible(testo);
    EVID_[1]->setVisible(immagine);
    const platform::Image opzione = ImmagineDialogo("opzione.bmp");
    DisegnaOpzione(*OPZ_[0], opzione, testo);
    DisegnaOpzione(*OPZ_[1], opzione, immagine);
    OK_->setEnabled(!Occupato_ && (testo || immagine));
}

void fstampa::OPZ_Click(int Index) {
    if (Occupato_) return;
    if (Index == 0 && HaTesto_)
        MostraScelta(!EVID_[0]->Visible());
    else if (Index == 1 && Immagine_)
        MostraScelta(false);
}

void fstampa::ANNULLA_Click() {
    Unload();
}

void fstampa::OK_Click() {
    if (Occupato_ || !Caricato() || (!EVID_[0]->Visible() && !EVID_[1]->Visible())) return;
    platform::Platform& p = dialogo_.Piattaforma();
    const std::shared_ptr<const bool> vivo = dialogo_.Vivo();
    bool fileScelto = false;
    if (!ScegliDestinazione(fileScelto) || !*vivo || !Caricato()) return;
    // The file named for this print is not the next one's: the user is asked again then.
    platform::Printer* stampante = p.printer();
    ScopeExit destinazione([&] {
        if (fileScelto) stampante->SetOutputFile({});
    });
    p.screen().setMousePointer(platform::pointer::Hourglass);
    Occupato_ = true;
    OK_->setEnabled(false);
    p.DoEvents();
    if (!*vivo) return;  // the dialog went while events ran
    platform::PrintResult esito;
    {
        ScopeExit fine([&] {
            Occupato_ = false;
            p.screen().setMousePointer(platform::pointer::Default);
        });
        if (!Caricato()) return;
        esito = Stampa();
    }
    if (!*vivo) return;
    if (!esito) {
        OK_->setEnabled(true);  // given up or failed: the user may try again
        return;
    }
    Unload();
    DiDoveStampato(esito);
}

// A printer with nowhere to send the print gets the PDF file the user names; false when the user
// cancelled. Without a file chooser the printer's own temporary file takes it.
bool fstampa::ScegliDestinazione(bool& fileScelto) {
    platform::Platform& p = dialogo_.Piattaforma();
    platform::Printer* s = p.printer();
    platform::FileDialog* fd = p.fileDialog();
    if (!s || !fd || !s->Destination().empty()) return true;
    platform::FileQuestion q;
    q.mode = platform::FileDialogMode::Save;
    q.title = "Drukuj do pliku PDF";
    q.filters = platform::FileDialog::ParseFilters("Dokument PDF (*.pdf)|*.pdf");
    if (const char* home = std::getenv("HOME")) q.folder = home;
    q.name = "wydruk.pdf";
    const std::optional<std::string> scelto = fd->Ask(q);
    if (!scelto || scelto->empty()) return false;
    std::string file = *scelto;
    if (std::filesystem::path(file).extension().empty()) file += ".pdf";
    s->SetOutputFile(file);
    fileScelto = true;
    return true;
}

platform::PrintResult fstampa::Stampa() {
    platform::Platform& p = dialogo_.Piattaforma();
    EsitoStampa_ = platform::PrintResult::Failure("Nothing was printed");
    Gestore g(p, "Drukuj");
    if (EVID_[0]->Visible())
        StampaIlTesto(g);
    else if (EVID_[1]->Visible())
        StampaLImmagine(g);
    // A print given up half way must not stay open and mix with the next one.
    if (platform::Printer* s = p.printer(); s && s->DocumentOpen()) s->EndDoc();
    return g.Abbandonato() ? platform::PrintResult::Failure("Given up") : EsitoStampa_;
}

// A file the printer chose itself is one the user knows nothing of: say where it is.
void fstampa::DiDoveStampato(const platform::PrintResult& esito) {
    if (!esito.temporary) return;
    dialogo_.Piattaforma().Box().Show("Wydruk zapisano w pliku:\n" + esito.destination,
                                      platform::mb::OKOnly | platform::mb::Information,
                                      "Drukowanie");
}

void fstampa::StampaIlTesto(Gestore& g) {
    platform::Platform& p = dialogo_.Piattaforma();
    const IT t(TESTOATX_), copia(atxTestoCop_);
    Passo(g, [&] { Motore(p).ATX_PRINT_START(0, Stampante(p).hDC()); });
    Passo(g, [&] { copia.setTesto(TestoCompleto_); });
    Passo(g, [&] { copia.Imposta(text::SelFType, Variant(text::kAllFormats)); });
    Passo(g,
          [&] { t.setTesto(BloccoCreditiStampato(Stampante(p).Metrics(), "\\par \\par \\par ")); });
    Passo(g, [&] { t.setTesto(t.Testo() + copia.Testo()); });
    Passo(g, [&] { t.SelezionaTutto(); });
    Passo(g, [&] { t.Imposta(text::RegionRange, Variant(std::int32_t(0))); });
    Passo(g, [&] {
        const double punto = Stampante(p).Metrics().twipsPerDotY;
        StampaTesto(p, TESTOATX_, 0, std::int32_t(3 * punto), true);
    });
    Passo(g, [&] { Motore(p).ATX_PRINT_FINISH(); });
    FineDocumento(g);
}

void fstampa::StampaLImmagine(Gestore& g) {
    platform::Platform& p = dialogo_.Piattaforma();
    platform::PageMetrics pagina;
    Passo(g, [&] { pagina = Stampante(p).Metrics(); });
    if (TESTOATX_) StampaCrediti(g, pagina);
    DisponiImmagine(g, pagina);
    if (TESTOATX_ && !TestoSottoImmagine().empty()) StampaTestoInBasso(g, pagina);
    FineDocumento(g);
}

void fstampa::StampaCrediti(Gestore& g, const platform::PageMetrics& pagina) {
    platform::Platform& p = dialogo_.Piattaforma();
    const IT t(TESTOATX_);
    Passo(g, [&] { Motore(p).ATX_PRINT_START(0, Stampante(p).hDC()); });
    Passo(g, [&] { Motore(p).ATX_PRINT_TITLE(LeggiMessaggio(p.files(), kTitoloStampa)); });
    Passo(g, [&] { t.Imposta(text::ViewMode, Variant(kPerStampa)); });
    Passo(g, [&] { t.setTesto(BloccoCreditiStampato(pagina)); });
    Passo(g, [&] { StampaTesto(p, TESTOATX_, 0, kPollice / 3); });
    Passo(g, [&] { Motore(p).ATX_PRINT_FINISH(); });
    p.screen().setMousePointer(platform::pointer::Hourglass);
}

// The picture at its size on the screen, reduced by the larger ratio when it is larger than the
// page between the credit's and the caption's bands, and centred.
void fstampa::DisponiImmagine(Gestore& g, const platform::PageMetrics& pagina) {
    platform::Platform& p = dialogo_.Piattaforma();
    const Object& img = Immagine_;
    const double larghezza = pagina.PrintableWidth(), pagine = pagina.PrintableHeight();
    const double altezza = std::max(pagine - 2 * kFasciaTesto, pagine / 2);
    double W = 0, H = 0;
    Passo(g, [&] {
        W = double(p.screen().TwipsPerPixelX()) * CDbl(contract::Get(img, picture::IWidth));
        H = double(p.screen().TwipsPerPixelY()) * CDbl(contract::Get(img, picture::IHeight));
    });
    Passo(g, [&] { contract::Let(img, picture::Capture, Variant(picture::kCaptureToPrinter)); });
    double pw = larghezza, ph = altezza;
    if (W > larghezza || H > altezza) {
        const double r1 = W / pw, r2 = H / ph;
        const double k = r1 < r2 ? r2 : r1;
        pw = W / k;
        ph = H / k;
    } else {
        pw = Minimo(W, larghezza);
        ph = Minimo(H, altezza);
    }
    Passo(g, [&] { contract::Let(img, picture::PrinterWidth, Variant(pw)); });
    Passo(g, [&] { contract::Let(img, picture::PrinterHeight, Variant(ph)); });
    Passo(g, [&] { contract::Let(img, picture::PrinterLeft, Variant((larghezza - pw) / 2)); });
    Passo(g, [&] { contract::Let(img, picture::PrinterTop, Variant((pagine - ph) / 2)); });
    Passo(g, [&] { contract::Let(img, picture::PrinterhDC, Variant(Stampante(p).hDC())); });
}

// The caption (or the shown text) two inches above the bottom of the page.
void fstampa::StampaTestoInBasso(Gestore& g, const platform::PageMetrics& pagina) {
    platform::Platform& p = dialogo_.Piattaforma();
    const IT t(TESTOATX_);
    Passo(g, [&] { Motore(p).ATX_PRINT_START(0, Stampante(p).hDC()); });
    Passo(g, [&] { t.Imposta(text::ViewMode, Variant(kPerStampa)); });
    Passo(g, [&] { t.setTesto(TestoSottoImmagine()); });
    Passo(g, [&] { t.SelezionaTutto(); });
    Passo(g, [&] { t.Imposta(text::PageRange, Variant(std::int32_t(0))); });
    Passo(g, [&] { StampaTesto(p, TESTOATX_, 0, pagina.PrintableHeight() - kFasciaTesto); });
    Passo(g, [&] { Motore(p).ATX_PRINT_FINISH(); });
}

void fstampa::FineDocumento(Gestore& g) {
    platform::Platform& p = dialogo_.Piattaforma();
    Passo(g, [&] {
        const platform::PrintResult r = Stampante(p).EndDoc();
        if (!r) throw VbError(kErroreStampante, "Drukuj", r.error);
        EsitoStampa_ = r;
    });
}

}  // namespace quindel
