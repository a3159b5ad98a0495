// The copy dialog on the headless backend: every row of the copy table checked on the clipboard
// and in the files written, the choices the shown controls allow, the keys, the owner form, the
// error report, and that nothing the user had on the clipboard is lost by a cancel or by a copy to
// a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "copyprint/CopiaStampaFixture.h"
#include "copyprint/fcopia.h"
#include "hostkit/DisplayKitSupport.h"
#include "platform/Bmp.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/PictureObject.h"
#include "runtime/Text.h"
#include "runtime/VbError.h"

namespace quindel {
namespace {

using headless::ClipOperation;
namespace fs = std::filesystem;

const std::string kTesto = "Ala ma kota.\r\nDrugi akapit.";
const std::string kDidascalia = "Podpis zdj\u0119cia";

struct fcopiaTest : ::testing::Test {
    test::CopiaStampaStage s{"fcopia"};
    headless::HeadlessClipboard& clip = *s.p.clipboard();
    std::unique_ptr<fcopia> d;

    void Apri() {
        d = std::make_unique<fcopia>(s.p);
        d->setPilondaCorrente(&s.owner);
    }
    // What the user had copied elsewhere before opening the dialog.
    void AppuntiDellUtente() {
        clip.SetText("moje");
        clip.ClearOperations();
    }
    void ExpectAppuntiIntatti() {
        EXPECT_EQ(clip.Text(), "moje");
        EXPECT_TRUE(clip.Operations().empty());
    }
    void Clicca(platform::Window& w) {
        const platform::RectPx r = w.ScreenRectPx();
        s.p.Input().Click(r.left + 3, r.top + 3);
        s.p.RunFor(20);
    }
    fs::path File(const char* nome) const { return s.folder.path() / nome; }
};

TEST_F(fcopiaTest, TextToTheClipboardAsRtfAndText) {
    Apri();
    EXPECT_TRUE(d->EVID(0).Visible());
    d->OK_Click();
    ASSERT_FALSE(clip.Operations().empty());
    EXPECT_EQ(clip.Operations().front(), ClipOperation::Clear);
    EXPECT_EQ(clip.Operations().back(), ClipOperation::TextAndRtf);
    EXPECT_EQ(clip.Text(), kTesto);
    ASSERT_TRUE(clip.Rtf());
    EXPECT_EQ(test::TestoRtf(*clip.Rtf()), kTesto);
    EXPECT_FALSE(d->Caricato());
    EXPECT_EQ(s.p.screen().MousePointer(), platform::pointer::Default);
}

TEST_F(fcopiaTest, CaptionToTheClipboardAsTextAlone) {
    Apri();
    d->OPZT_Click(2);
    EXPECT_FALSE(d->EVID(0).Visible());
    EXPECT_TRUE(d->EVID(4).Visible());
    d->OK_Click();
    EXPECT_EQ(clip.Text(), kDidascalia);
    EXPECT_FALSE(clip.Rtf());
}

TEST_F(fcopiaTest, PictureToTheClipboard) {
    s.MostraImmagine(40, 30);
    Apri();
    Clicca(d->OPZT(2));  // the caption, then the picture again
    Clicca(d->OPZT(3));
    ASSERT_TRUE(d->HaImmagine());
    d->OK_Click();
    EXPECT_EQ(clip.Operations(),
              (std::vector<ClipOperation>{ClipOperation::Clear, ClipOperation::Picture}));
    ASSERT_TRUE(clip.Picture());
    EXPECT_EQ(clip.Picture()->width(), 40);
    EXPECT_EQ(clip.Picture()->height(), 30);
    EXPECT_EQ(clip.Picture()->pixel(0, 0), platform::MakeRgb(250, 10, 10));
    EXPECT_EQ(clip.Picture()->pixel(39, 29), platform::MakeRgb(20, 120, 220));
}

// Copies to files: the text (with the credit before a table's text), the caption put at the start
// of the existing document, the picture as a bitmap; the clipboard is never used.
TEST_F(fcopiaTest, TextToAFile) {
    for (const char* tipo : {"FO", "TA"}) {
        SCOPED_TRACE(tipo);
        s.owner.tipo = tipo;
        fs::remove(File("kopia.rtf"));
        AppuntiDellUtente();
        Apri();
        d->OPZT_Click(5);
        EXPECT_TRUE(d->EVID(3).Visible());
        d->OK_Click();
        ExpectAppuntiIntatti();
        const std::string testo = test::TestoRtf(test::LeggiFile(File("kopia.rtf")));
        if (std::string(tipo) == "TA")
            EXPECT_EQ(testo,
                      "\r\n\r\n\r\nQuindel \u2014 przegl\u0105darka multimedi\u00F3w \u00B7 "
                      "\u00A9 Zesp\u00F3\u0142 Quindel\r\n\r\n\r\n\r\n" +
                          kTesto);
        else
            EXPECT_EQ(testo, kTesto);
    }
}

TEST_F(fcopiaTest, CaptionToAFileGoesBeforeWhatWasThere) {
    const struct {
        const char* nome;
        std::string prima;  // the file's content before; empty: no file
        std::string dopo;   // its text after
    } casi[] = {
        {"nessuno", "", kDidascalia},
        {"rtf", "{\\rtf1\\ansi\\ansicpg1250 Stara tre\\'9c\\'e6.}",
         kDidascalia + "\r\nStara tre\u015B\u0107."},
        // Plain text that opens with a brace is still the user's text: it stays.
        {"graffa", "{nie RTF} tekst", kDidascalia + "\r\n{nie RTF} tekst"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        fs::remove(File("kopia.rtf"));
        if (!c.prima.empty()) test::WriteBytes(File("kopia.rtf"), c.prima);
        AppuntiDellUtente();
        Apri();
        d->OPZT_Click(2);
        d->OPZT_Click(5);
        d->OK_Click();
        ExpectAppuntiIntatti();
        EXPECT_EQ(test::TestoRtf(test::LeggiFile(File("kopia.rtf"))), c.dopo);
    }
}

TEST_F(fcopiaTest, PictureToABitmapBesideTheTextFile) {
    s.owner.file = (s.folder.path() / "kopia.txt").string();
    s.MostraImmagine(33, 21);
    AppuntiDellUtente();
    Apri();
    d->OPZT_Click(3);
    d->OPZT_Click(5);
    d->OK_Click();
    ExpectAppuntiIntatti();
    const auto bmp = platform::LoadBmp(File("kopia.bmp").string());
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->width(), 33);
    EXPECT_EQ(bmp->height(), 21);
    EXPECT_EQ(bmp->pixel(0, 0), platform::MakeRgb(250, 10, 10));
    EXPECT_EQ(bmp->pixel(32, 20), platform::MakeRgb(20, 120, 220));
}

TEST_F(fcopiaTest, CancelAndEscapeLeaveTheClipboard) {
    for (bool tasto : {false, true}) {
        AppuntiDellUtente();
        Apri();
        if (tasto) {
            s.p.Input().Key(27);
            s.p.RunFor(10);
        } else {
            Clicca(d->ANNULLA());
        }
        EXPECT_FALSE(d->Caricato());
        ExpectAppuntiIntatti();
    }
}

TEST_F(fcopiaTest, EnterCopies) {
    Apri();
    s.p.Input().Key(13);
    s.p.RunFor(10);
    EXPECT_FALSE(d->Caricato());
    EXPECT_EQ(clip.Text(), kTesto);
}

// Without a mouse: Tab walks the dialog's buttons in their order, Space on one does what a click
// on it does, Enter copies wherever the focus is; assistive technology finds a dialog named by its
// title and its buttons named as they read.
TEST_F(fcopiaTest, TheKeyboardWalksTheButtonsSpaceClicksAndEnterStillCopies) {
    s.MostraImmagine(8, 8);
    s.testo->setVisible(true);  // the picture is chosen first, the text is offered
    Apri();
    const platform::AccessibleDescription dialog = d->Form()->Accessible();
    EXPECT_EQ(dialog.role, platform::Role::Dialog);
    EXPECT_EQ(dialog.name, "Kopiowanie");
    std::vector<std::string> expected{"Tekst", "Inne:", "Podpis", "Obraz", "Schowek",
                                      "Plik",  "OK",    "Anuluj", "Tekst"};
    if (d->sceglifile().Visible()) expected.insert(expected.begin() + 6, "Wybierz plik");
    std::vector<std::string> names;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        s.p.Input().Key(9);
        s.p.RunFor(10);
        const platform::Window* f = s.p.Focused();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->Accessible().role, platform::Role::PushButton);
        names.push_back(f->Accessible().name);
    }
    EXPECT_EQ(names, expected);
    // On "Tekst" again: Space chooses the text, as a click on it does; Enter copies it.
    ASSERT_EQ(s.p.Focused(), &d->OPZT(0));
    EXPECT_FALSE(d->HaTesto());
    s.p.Input().Key(32);
    s.p.RunFor(10);
    EXPECT_TRUE(d->HaTesto());
    EXPECT_TRUE(d->Caricato());
    s.p.Input().Key(13);
    s.p.RunFor(10);
    EXPECT_FALSE(d->Caricato());
    EXPECT_EQ(clip.Text(), kTesto);
}

// One content is chosen at a time, at first the object shown: the picture when a picture is
// shown, else the text, else the caption; both option markers and the check marks say so, and OK
// copies it. A click on a choice that is not offered changes nothing.
TEST_F(fcopiaTest, OneChoiceAtATimeTheShownObjectFirst) {
    enum Cosa { Niente, Testo, Didascalia, Immagine };
    const struct {
        bool testo, didascalia, immagine;        // shown
        Cosa scelta;                             // chosen at first
        bool haTesto, haDidascalia, haImmagine;  // offered
    } casi[] = {
        {true, true, false, Testo, true, true, false},
        {false, true, true, Immagine, false, true, true},
        {true, true, true, Immagine, true, false, true},  // text and picture: no caption
        {false, true, false, Didascalia, false, true, false},
        {true, false, false, Testo, true, false, false},
        {false, false, false, Niente, false, false, false},
    };
    const platform::Image opzione = ImmagineDialogo("opzione.bmp");
    const int lato = opzione.height();
    const platform::Image marcato = opzione.copy(lato, 0, lato, lato);
    for (const auto& c : casi) {
        SCOPED_TRACE(::testing::Message() << c.testo << c.didascalia << c.immagine);
        s.MostraImmagine(8, 8);
        s.testo->setVisible(c.testo);
        s.immagine->setVisible(c.immagine);
        s.owner.didascalia = c.didascalia ? Object(s.didascalia) : nullptr;
        Apri();
        const auto scelta = [&] {
            return d->HaTesto()        ? Testo
                   : d->HaDidascalia() ? Didascalia
                   : d->HaImmagine()   ? Immagine
                                       : Niente;
        };
        const auto segni = [&] {
            return std::vector<bool>{d->EVID(0).Visible(), d->EVID(1).Visible(),
                                     d->EVID(4).Visible(), d->EVID(5).Visible()};
        };
        EXPECT_EQ(scelta(), c.scelta);
        EXPECT_EQ(segni(), (std::vector<bool>{c.scelta == Testo, c.scelta >= Didascalia,
                                              c.scelta == Didascalia, c.scelta == Immagine}));
        EXPECT_EQ(d->OPZ(0).Surface() == marcato, c.scelta == Testo);
        EXPECT_EQ(d->OPZ(1).Surface() == marcato, c.scelta >= Didascalia);
        for (int i : {0, 2, 3, 1}) {
            const Cosa prima = scelta();
            d->OPZT_Click(i);
            const bool offerto = i == 0   ? c.haTesto
                                 : i == 2 ? c.haDidascalia
                                 : i == 3 ? c.haImmagine
                                          : c.haDidascalia || c.haImmagine;
            const Cosa attesa = !offerto       ? prima
                                : i == 0       ? Testo
                                : i == 2       ? Didascalia
                                : i == 3       ? Immagine
                                : c.haImmagine ? Immagine
                                               : Didascalia;
            EXPECT_EQ(scelta(), attesa) << i;
            EXPECT_LE(d->HaTesto() + d->HaDidascalia() + d->HaImmagine(), 1) << i;
            EXPECT_FALSE(d->EVID(0).Visible() && d->EVID(1).Visible()) << i;
        }
        d->Unload();
    }
}

// OK at once copies the object shown: the picture when a picture is shown.
TEST_F(fcopiaTest, TheDefaultCopiesTheShownObject) {
    const struct {
        bool testo, immagine;
        ClipOperation copia;
    } casi[] = {{true, false, ClipOperation::TextAndRtf},
                {false, true, ClipOperation::Picture},
                {false, false, ClipOperation::Text}};  // the caption, as plain text
    for (const auto& c : casi) {
        s.MostraImmagine(6, 4);
        s.testo->setVisible(c.testo);
        s.immagine->setVisible(c.immagine);
        clip.ClearOperations();
        Apri();
        d->OK_Click();
        ASSERT_FALSE(clip.Operations().empty());
        EXPECT_EQ(clip.Operations().back(), c.copia);
    }
}

TEST_F(fcopiaTest, OwnerFormIsDisabledWhileOpen) {
    Apri();
    EXPECT_TRUE(d->Form()->Visible());
    EXPECT_FALSE(s.host->Enabled());
    EXPECT_EQ(d->Form()->Owner(), s.host->hWnd());
    Clicca(d->OK());
    EXPECT_TRUE(s.host->Enabled());
    EXPECT_EQ(s.p.screen().MousePointer(), platform::pointer::Default);
}

TEST_F(fcopiaTest, PressedLookWhileTheButtonIsHeld) {
    Apri();
    const platform::RectPx r = d->OPZT(5).ScreenRectPx();
    s.p.Input().MoveTo(r.left + 2, r.top + 2).Press();
    s.p.RunFor(10);
    EXPECT_EQ(d->OPZT(5).BorderStyle(), 1);
    s.p.Input().Release();
    s.p.RunFor(10);
    EXPECT_EQ(d->OPZT(5).BorderStyle(), 0);
    EXPECT_FALSE(d->Appunti());
}

// A picture control whose picture cannot be read the first `guasti` times (error 70).
struct ImmagineCapricciosa : Dispatch {
    int guasti = 1;
    platform::Image img{3, 2, platform::MakeRgb(1, 2, 3)};
    DispId GetIDOfName(std::string_view name) const override {
        return EqualNoCase(name, "Visible") ? 1 : EqualNoCase(name, "Picture") ? 2 : 3;
    }
    Variant Invoke(DispId id, CallKind, Args&) override {
        if (id == 1) return Variant(true);
        if (id == 3) throw VbError(438);
        if (guasti-- > 0) throw VbError(70);
        return Variant(platform::MakePictureObject(img));
    }
};

// A failure is reported as "Kopiuj": Retry runs the failed step again, another answer ends the
// copy quietly.
TEST_F(fcopiaTest, FailureIsReportedWithRetry) {
    const struct {
        int guasti;
        std::vector<std::int16_t> risposte;
        std::size_t riquadri;
        bool copiato;
    } casi[] = {{1, {platform::mb::Retry}, 1, true},
                {2, {platform::mb::Retry, platform::mb::Cancel}, 2, false},
                {1, {platform::mb::Cancel}, 1, false}};
    for (const auto& c : casi) {
        auto fake = std::make_shared<ImmagineCapricciosa>();
        fake->guasti = c.guasti;
        s.owner.immagine = fake;
        s.testo->setVisible(false);
        s.owner.didascalia = nullptr;
        clip.Clear();
        s.p.Boxes().ClearShown();
        for (std::int16_t r : c.risposte) s.p.Boxes().QueueAnswer(r);
        Apri();
        d->OK_Click();
        const auto& shown = s.p.Boxes().Shown();
        ASSERT_EQ(shown.size(), c.riquadri);
        EXPECT_NE(shown[0].text.find("Kopiuj"), std::string::npos);
        EXPECT_EQ(shown[0].style, 37);  // question, Retry and Cancel
        EXPECT_EQ(clip.Picture().has_value(), c.copiato);
        EXPECT_FALSE(d->Caricato());
        EXPECT_EQ(s.p.screen().MousePointer(), platform::pointer::Default);
    }
}

TEST_F(fcopiaTest, MissingFolderEndsTheCopyAfterOneReport) {
    s.owner.file = (s.folder.path() / "brak" / "kopia.rtf").string();
    s.MostraImmagine(4, 4);
    Apri();
    d->OPZT_Click(3);
    d->OPZT_Click(5);
    d->OK_Click();
    ASSERT_EQ(s.p.Boxes().Shown().size(), 1u);
    EXPECT_NE(s.p.Boxes().Shown()[0].text.find("76"), std::string::npos);
    EXPECT_FALSE(d->Caricato());
}

TEST_F(fcopiaTest, FileChooserNamesTheTarget) {
    s.MostraImmagine(5, 5);
    s.p.fileDialog()->QueueAnswer((s.folder.path() / "wybrany.bmp").string());
    Apri();
    d->OPZT_Click(3);
    Clicca(d->sceglifile());
    EXPECT_FALSE(d->Appunti());
    EXPECT_EQ(d->Nomi().NomeCopia, "wybrany");
    d->OK_Click();
    EXPECT_TRUE(fs::exists(File("wybrany.bmp")));
    s.p.fileDialog()->QueueCancel();
    Apri();
    d->sceglifile_Click();
    EXPECT_TRUE(d->Appunti());
    EXPECT_EQ(d->Nomi().NomeCopia, "kopia");
}

}  // namespace
}  // namespace quindel
