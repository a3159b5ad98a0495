// The print dialog on the headless printer: the font table, what each choice prints and where
// (read from the recorded page), a second OK while printing, a failing printer answered with
// Retry or Cancel, and where a print goes when the printer has nowhere to send it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <variant>

#include "copyprint/CopiaStampaFixture.h"
#include "copyprint/fstampa.h"
#include "hostkit/richtextbox/RichTextFunctions.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "runtime/Coercions.h"
#include "runtime/Dispatch.h"
#include "runtime/FontObject.h"
#include "support/Catalogo.h"

namespace quindel {
namespace {

using headless::PrintedDocument;
using platform::PrintText;

const std::string kCrediti =
    "Quindel \u2014 przegl\u0105darka multimedi\u00F3w \u00B7 \u00A9 Zesp\u00F3\u0142 Quindel";
const std::string kDidascalia = "Podpis zdj\u0119cia";

struct fstampaTest : ::testing::Test {
    test::CopiaStampaStage s{"fstampa"};
    headless::HeadlessPrinter& printer = *s.p.printer();
    std::unique_ptr<fstampa> d;

    void Apri() {
        d = std::make_unique<fstampa>(s.p);
        d->setPilondaCorrente(&s.owner);
    }
    // The texts of a page, top to bottom as drawn, without the empty opening lines.
    static std::vector<PrintText> Testi(const headless::PrintedPage& page) {
        std::vector<PrintText> out;
        for (const auto& item : page.items)
            if (const auto* t = std::get_if<PrintText>(&item); t && !t->text.empty())
                out.push_back(*t);
        return out;
    }
    // The words of one line, blanks between them where the printer left a gap.
    static std::string Unito(const std::vector<PrintText>& testi) {
        std::string s;
        for (const auto& t : testi) s += (s.empty() || t.text.front() == '.' ? "" : " ") + t.text;
        return s;
    }
    static std::vector<PrintText> Riga(const std::vector<PrintText>& testi, std::int32_t y) {
        std::vector<PrintText> out;
        for (const auto& t : testi)
            if (t.y == y) out.push_back(t);
        return out;
    }
    // Where a line's ink runs across the printable area, by the advances the printer places by.
    struct Estensione {
        std::int32_t da = 0, a = 0;
    };
    Estensione EstensioneDi(const std::vector<PrintText>& riga) const {
        Estensione e{riga.front().x, riga.front().x};
        for (const auto& t : riga) {
            std::vector<int> avanzamenti;
            s.p.Text().Advances(t.font, t.text, avanzamenti);
            std::int32_t w = 0;
            for (int v : avanzamenti) w += v * std::max(t.font.twipsPerPixel, 1);
            e.da = std::min(e.da, t.x);
            e.a = std::max(e.a, t.x + w);
        }
        return e;
    }
    static const headless::PrintedPicture* Immagine(const headless::PrintedPage& page) {
        for (const auto& item : page.items)
            if (const auto* p = std::get_if<headless::PrintedPicture>(&item)) return p;
        return nullptr;
    }
    void SenzaMargini() {
        headless::HeadlessPrinterConfig c = printer.Config();
        c.page.marginLeft = c.page.marginTop = c.page.marginRight = c.page.marginBottom = 0;
        printer.setConfig(c);
    }
};

TEST_F(fstampaTest, FontTableHasItsEightFaces) {
    Apri();
    for (std::int32_t i = 0; i < 8; ++i) {
        const auto f = hostkit::FontTableGet(d->TESTOATX(), i);
        EXPECT_EQ(f.face, fstampa::kFacce[std::size_t(i)]) << i;
        EXPECT_EQ(f.points, 12);
        EXPECT_EQ(f.weight, 0);
    }
    EXPECT_EQ(std::string(fstampa::kFacce[5]), "TNR Special G2");
    // The print document is also told the font its text starts with, as an object.
    Args none;
    const Variant base = d->TESTOATX()->Invoke(113, CallKind::Get, none);
    ASSERT_TRUE(base.isObject());
    const auto* font = dynamic_cast<const FontObject*>(base.asObjectPtr()->get());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->fields().name, fstampa::kFacce[0]);
    EXPECT_EQ(font->fields().size, 12);
    EXPECT_EQ(CStr(GetProperty(*base.asObjectPtr(), "Name")), fstampa::kFacce[0]);
}

// Each choice prints what it promises, the credit line centred on the sheet: the text below the
// credit; the picture with the shown object's caption below it (the caption's control hidden or
// not, the text control hidden). A finished print closes the dialog.
TEST_F(fstampaTest, EachChoicePrintsWhatItPromisesUnderACentredCredit) {
    const struct {
        const char* nome;
        bool immagine, didascaliaVisibile;
        std::string sotto;  // the text expected at the foot, below the picture
    } casi[] = {
        {"text", false, true, ""},
        {"picture", true, true, kDidascalia},
        {"picture, caption hidden", true, false, kDidascalia},
    };
    const platform::PageMetrics pagina = printer.Metrics();
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        printer.ClearDocuments();
        if (c.immagine)
            s.MostraImmagine(800, 600);
        else
            s.MostraTesto();
        s.didascalia->setVisible(c.didascaliaVisibile);
        Apri();
        ASSERT_TRUE(d->EVID(c.immagine ? 1 : 0).Visible());
        d->OK_Click();
        ASSERT_EQ(printer.Documents().size(), 1u);
        const PrintedDocument& doc = printer.Documents()[0];
        ASSERT_TRUE(doc.ended);
        ASSERT_EQ(doc.pages.size(), 1u);
        const auto testi = Testi(doc.pages[0]);
        const auto credito = Riga(testi, testi.front().y);
        EXPECT_EQ(Unito(credito), kCrediti);
        const Estensione e = EstensioneDi(credito);
        EXPECT_NEAR(pagina.marginLeft + (e.da + e.a) / 2.0, pagina.pageWidth / 2.0, 20)
            << "the credit spans " << e.da << " to " << e.a;
        if (!c.immagine) {
            EXPECT_NE(Unito(testi).find("Drugi akapit."), std::string::npos);
        } else {
            const headless::PrintedPicture* pic = Immagine(doc.pages[0]);
            ASSERT_TRUE(pic);
            const auto sotto = Riga(testi, testi.back().y);
            EXPECT_EQ(Unito(sotto), c.sotto);
            EXPECT_GT(sotto.front().y - 200, pic->area.top + pic->area.height)
                << "the caption's line stands below the picture";
            EXPECT_EQ(Unito(testi).find("Drugi akapit."), std::string::npos);
        }
        EXPECT_FALSE(d->Caricato()) << "a finished print closes the dialog";
        EXPECT_TRUE(s.host->Enabled());
        EXPECT_FALSE(d->Occupato());
        EXPECT_EQ(s.p.screen().MousePointer(), platform::pointer::Default);
        EXPECT_TRUE(s.p.Boxes().Shown().empty());
    }
}

// The picture at its screen size in twips, reduced by the larger ratio when it is larger than the
// page between the two-inch bands of the credit and the caption, and centred on the sheet.
TEST_F(fstampaTest, PictureGeometry) {
    SenzaMargini();
    constexpr double kFascia = 16838 - 2 * 2880;
    const struct {
        int w, h;
        double left, top, width, height;
    } casi[] = {
        {800, 600, 0, (16838 - 8929.5) / 2, 11906, 8929.5},
        {100, 100, (11906 - 1500) / 2.0, (16838 - 1500) / 2.0, 1500, 1500},
        {300, 2000, (11906 - kFascia * 4500 / 30000.0) / 2, 2880, kFascia * 4500 / 30000.0,
         kFascia},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.w);
        printer.ClearDocuments();
        s.MostraImmagine(c.w, c.h);
        s.testo->setVisible(true);
        Apri();
        d->OPZT_Click(1);
        ASSERT_TRUE(d->EVID(1).Visible());
        d->OK_Click();
        ASSERT_EQ(printer.Documents().size(), 1u);
        const PrintedDocument& doc = printer.Documents()[0];
        ASSERT_EQ(doc.pages.size(), 1u);
        EXPECT_EQ(doc.title, LeggiMessaggio(s.p.files(), 488));
        const headless::PrintedPicture* pic = Immagine(doc.pages[0]);
        ASSERT_TRUE(pic);
        EXPECT_NEAR(pic->area.left, c.left, 1);
        EXPECT_NEAR(pic->area.top, c.top, 1);
        EXPECT_NEAR(pic->area.width, c.width, 1);
        EXPECT_NEAR(pic->area.height, c.height, 1);
        const auto testi = Testi(doc.pages[0]);
        ASSERT_FALSE(testi.empty());
        EXPECT_EQ(testi.front().text.rfind("Quindel", 0), 0u);
        EXPECT_GE(testi.front().y, 480);
        EXPECT_EQ(Unito(Riga(testi, testi.back().y)), kDidascalia);
        EXPECT_GE(testi.back().y, 16838 - 2880);
    }
}

// Without a caption control the shown text stands at the foot, as before; with an empty caption
// nothing does.
TEST_F(fstampaTest, WithoutACaptionTheShownTextIsAtTheFoot) {
    const struct {
        bool controllo;
        std::string testo;
        bool testoInBasso;
    } casi[] = {{false, "", true}, {true, "", false}};
    for (const auto& c : casi) {
        printer.ClearDocuments();
        s.MostraImmagine(100, 100);
        s.testo->setVisible(true);
        s.didascalia->setFText(c.testo);
        s.owner.didascalia = c.controllo ? Object(s.didascalia) : nullptr;
        Apri();
        d->OPZ_Click(0);
        d->OK_Click();
        ASSERT_EQ(printer.Documents().size(), 1u);
        const std::string tutto = Unito(Testi(printer.Documents()[0].pages.at(0)));
        EXPECT_EQ(tutto.find("Drugi akapit.") != std::string::npos, c.testoInBasso) << tutto;
    }
}

// Enter while the print lets events run reaches OK again: it is ignored.
TEST_F(fstampaTest, SecondOkWhilePrintingIsIgnored) {
    Apri();
    s.p.Input().Key(13);
    d->OK_Click();
    s.p.RunFor(50);
    EXPECT_EQ(printer.Documents().size(), 1u);
}

TEST_F(fstampaTest, FailingPrinterRetryOrCancel) {
    const struct {
        std::int16_t risposta;
        bool stampato;
    } casi[] = {{platform::mb::Retry, true}, {platform::mb::Cancel, false}};
    for (const auto& c : casi) {
        printer.ClearDocuments();
        s.p.Boxes().ClearShown();
        printer.FailNextDocument("Brak papieru");
        s.p.Boxes().QueueAnswer(c.risposta);
        Apri();
        d->OK_Click();
        const auto& shown = s.p.Boxes().Shown();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_NE(shown[0].text.find("Drukuj"), std::string::npos);
        EXPECT_EQ(shown[0].style, 21);  // Retry and Cancel, in the catalogue's Polish
        EXPECT_EQ(shown[0].buttons, (std::vector<std::string>{"Pon\u00F3w", "Anuluj"}));
        const auto& docs = printer.Documents();
        const bool stampato =
            !docs.empty() && docs.back().ended &&
            Unito(Testi(docs.back().pages.at(0))).find("Drugi akapit.") != std::string::npos;
        EXPECT_EQ(stampato, c.stampato);
        EXPECT_FALSE(printer.DocumentOpen());
        EXPECT_FALSE(d->Occupato());
        EXPECT_EQ(s.p.screen().MousePointer(), platform::pointer::Default);
        // Printed, the dialog is done; given up, it stays ready for another try.
        EXPECT_EQ(d->Caricato(), !c.stampato);
        EXPECT_EQ(d->Caricato() && d->OK().Enabled(), !c.stampato);
    }
}

// Where the print goes: where the printer sends it, without a question; with nowhere, into the
// PDF file the user names (".pdf" added to a bare name, and asked again the next time), nothing
// when the user cancels (the dialog stays ready); without a file chooser into the printer's
// temporary file, named in a message.
TEST_F(fstampaTest, WhereThePrintGoes) {
    if (std::getenv("QUINDEL_PRINT_PDF")) GTEST_SKIP() << "QUINDEL_PRINT_PDF names the file";
    const std::string nominato = (s.folder.path() / "wydruk.pdf").string();
    const std::string scelto = (s.folder.path() / "moj").string();
    enum class Scelta { Nessuna, File, Annulla };
    const struct {
        const char* nome;
        bool stampante, fileNominato, sceltaFile;
        Scelta risposta;
        const char* file;  // where it printed: "" nowhere, "*" the printer's temporary file
        bool messaggio;
    } casi[] = {
        {"a file named", false, true, true, Scelta::Nessuna, "wydruk.pdf", false},
        {"a printer", true, false, true, Scelta::Nessuna, "*", false},
        {"a file chosen", false, false, true, Scelta::File, "moj.pdf", false},
        {"the chooser cancelled", false, false, true, Scelta::Annulla, "", false},
        {"no chooser", false, false, false, Scelta::Nessuna, "*", true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        headless::HeadlessPrinterConfig config = printer.Config();
        config.systemPrinter = c.stampante;
        printer.setConfig(config);
        printer.SetOutputFile(c.fileNominato ? nominato : "");
        printer.ClearDocuments();
        s.p.Boxes().ClearShown();
        s.p.SceltaFile().ClearAsked();
        s.p.senzaSceltaFile = !c.sceltaFile;
        if (c.risposta == Scelta::File) s.p.SceltaFile().QueueAnswer(scelto);
        if (c.risposta == Scelta::Annulla) s.p.SceltaFile().QueueCancel();
        Apri();
        d->OK_Click();

        const auto& chiesti = s.p.SceltaFile().Asked();
        ASSERT_EQ(chiesti.size(), c.risposta == Scelta::Nessuna ? 0u : 1u);
        if (!chiesti.empty()) {
            EXPECT_EQ(chiesti[0].question.mode, platform::FileDialogMode::Save);
            ASSERT_EQ(chiesti[0].question.filters.size(), 1u);
            EXPECT_EQ(chiesti[0].question.filters[0].patterns, "*.pdf");
        }
        const auto& docs = printer.Documents();
        ASSERT_EQ(docs.size(), std::string(c.file).empty() ? 0u : 1u);
        if (!docs.empty()) {
            EXPECT_TRUE(docs[0].ended);
            const bool temporaneo = std::string(c.file) == "*";
            EXPECT_EQ(docs[0].file.rfind(s.folder.path().string(), 0) == 0, !temporaneo);
            EXPECT_EQ(docs[0].file,
                      temporaneo ? docs[0].file : (s.folder.path() / c.file).string());
        }
        EXPECT_EQ(d->Caricato(), docs.empty());
        EXPECT_EQ(d->Caricato() && d->OK().Enabled(), docs.empty());
        const auto& riquadri = s.p.Boxes().Shown();
        ASSERT_EQ(riquadri.size(), c.messaggio ? 1u : 0u);
        if (c.messaggio) {
            EXPECT_NE(riquadri[0].text.find(docs.at(0).file), std::string::npos);
            EXPECT_EQ(riquadri[0].buttons, std::vector<std::string>{"OK"});
        }
        // The chosen file was for that print: the next one asks again.
        EXPECT_EQ(printer.Destination().empty(), !c.stampante && !c.fileNominato);
    }
}

TEST_F(fstampaTest, ChoicesAndKeys) {
    s.MostraImmagine(10, 10);
    s.testo->setVisible(true);
    Apri();
    EXPECT_TRUE(d->EVID(0).Visible());
    d->OPZ_Click(0);  // the text off: the picture is the choice
    EXPECT_FALSE(d->EVID(0).Visible());
    EXPECT_TRUE(d->EVID(1).Visible());
    EXPECT_TRUE(d->OK().Enabled());
    s.immagine->setVisible(false);
    Apri();
    d->OPZ_Click(0);  // nothing left to print
    EXPECT_FALSE(d->OK().Enabled());
    EXPECT_FALSE(s.host->Enabled());
    s.p.Input().Key(27);
    s.p.RunFor(10);
    EXPECT_FALSE(d->Caricato());
    EXPECT_TRUE(s.host->Enabled());
    EXPECT_TRUE(printer.Documents().empty());
}

}  // namespace
}  // namespace quindel
