// Showing the current object: each kind of object in its display control, member by member, with
// every failure's message word for word; the common end; and stopping every display.
#include <gtest/gtest.h>

#include <fstream>

#include "contract/FakeControl.h"
#include "contract/Rows.h"
#include "control/ControlFixture.h"
#include "display/Estrazione.h"
#include "display/Visualizzatore.h"
#include "hostkit/animation/AnimationForm.h"
#include "hostkit/richtextbox/RichTextBox.h"
#include "platform/MessageBox.h"
#include "platform/Slider.h"
#include "runtime/Text.h"

using namespace quindel;
using quindel::test::ControlFixture;
using quindel::test::FakeControl;
using Righe = std::vector<std::string>;

namespace {

// One record of type tipo, file nome in the fixture's folder (or missing), shown at row 0.
struct Mostra : ControlFixture {
    std::shared_ptr<FakeControl> form = std::make_shared<FakeControl>(contract::window::kForm);
    std::string cartella;

    Mostra() : ControlFixture("show") {
        cartella = dir.string() + "\\";  // as content names folders
        form->props["scalewidth"] = std::int32_t(9000);
        form->props["scaleheight"] = std::int32_t(6000);
        form->props["width"] = std::int32_t(9600);
    }
    void Record(const std::string& tipo, const std::string& nome, bool esiste = true,
                const std::string& blob = "") {
        if (esiste) std::ofstream(dir / nome) << "x";
        q->setNomeFileListaMM(Lista("mm.lst", {{"C1", cartella, blob, nome, tipo, "Opis", "Podpis"},
                                               {"C2", cartella, "", "b", "IT", "Opis", "Podpis"}}));
        q->ListaMM()->setListIndex(0);
        p.Boxes().ClearShown();
    }
    std::shared_ptr<FakeControl> Controllo(const contract::Row& riga) {
        auto c = std::make_shared<FakeControl>(riga);
        c->props["parent"] = Object(form);
        return c;
    }
    Righe Messaggi() {
        Righe r;
        for (const auto& b : p.Boxes().Shown())
            r.push_back(b.text + "|" + std::to_string(b.style) + "|" + b.title);
        return r;
    }
    Righe Scritture(const FakeControl& c) {
        Righe r;
        for (const auto& riga : c.log)
            if (riga.starts_with("let ") || riga.starts_with("call ")) r.push_back(riga);
        return r;
    }
};

}  // namespace

TEST(QuindelMostraOggetto, APictureIsLoadedAndFittedToTheScreen) {
    struct Case {
        int w, h;           // picture pixels
        int width, height;  // twips given to the control
    } cases[] = {
        {400, 300, 6000, 4500},      // smaller than the screen: actual size
        {800, 1536, 6000, 11520},    // taller: the screen's height
        {4096, 1024, 15360, 3840},   // wider: the screen's width
        {2048, 2048, 11520, 11520},  // both: height first, still fits the width
    };
    for (const Case& c : cases) {
        Mostra fx;
        auto img = fx.Controllo(contract::picture::kRow);
        img->props["iwidth"] = std::int32_t(c.w);
        img->props["iheight"] = std::int32_t(c.h);
        fx.q->setControlloImmagine(img);
        fx.Record("FO", "foto.jpg");
        fx.q->MostraOggetto();
        EXPECT_EQ(CLng(img->props["width"]), c.width) << c.w << "x" << c.h;
        EXPECT_EQ(CLng(img->props["height"]), c.height) << c.w << "x" << c.h;
        EXPECT_EQ(CInt(img->props["autosize"]), 2);
        EXPECT_EQ(CStr(img->props["filename"]), fx.cartella + "foto.jpg");
        EXPECT_TRUE(fx.Messaggi().empty());
    }
}

TEST(QuindelMostraOggetto, PictureFailuresShowTheirMessage) {
    struct Case {
        const char* nome;
        bool esiste;
        bool fileNameFallisce;
    } cases[] = {{"manca.jpg", false, false}, {"rotta.jpg", true, true}};
    for (const Case& c : cases) {
        Mostra fx;
        auto img = fx.Controllo(contract::picture::kRow);
        if (c.fileNameFallisce) img->failing.insert("filename");
        fx.q->setControlloImmagine(img);
        fx.Record("MA", c.nome, c.esiste);
        fx.q->MostraOggetto();
        const std::string atteso =
            "Nie mozna odczytac ilustracji:\n" + fx.cartella + c.nome + "|0|Quindel2";
        EXPECT_EQ(fx.Messaggi(), Righe{atteso}) << c.nome;
        EXPECT_EQ(fx.p.screen().MousePointer(), platform::pointer::Default);
        EXPECT_TRUE(fx.q->pic_ToolbarMain().Enabled());
    }
}

TEST(QuindelMostraOggetto, APackedPictureThatDoesNotExtractLoadsNothing) {
    Mostra fx;
    auto img = fx.Controllo(contract::picture::kRow);
    auto blob = std::make_shared<FakeControl>(contract::extractor::kRow);
    blob->results["estrai"] = std::int32_t(3);
    fx.q->setControlloImmagine(img);
    fx.q->setControlloBlob(blob);
    const std::string stantio =
        fx.p.files().Resolve(fx.p.files().TemporaryFolder() + "\\" + kFileTemporaneo);
    std::ofstream(stantio) << "an old picture";
    fx.Record("DI", "mappa.bmp", false, "pacco.zip");
    fx.q->MostraOggetto();
    EXPECT_EQ(fx.Messaggi(), (Righe{"Nie mozna otworzyc animacji:\nmappa.bmp z " + fx.cartella +
                                        "pacco.zip|0|Quindel2",
                                    "Nie mozna odczytac ilustracji:\n$$tmp$$.$$$|0|Quindel2"}));
    EXPECT_EQ(img->props.count("filename"), 0u);  // nothing stale is loaded
    EXPECT_FALSE(std::ifstream(stantio).good());
    std::remove(stantio.c_str());
}

// A packed text that cannot be read is reported once, naming its entry and its packed file as
// the other messages name theirs, with the reason after them.
TEST(QuindelMostraOggetto, APackedTextThatCannotBeReadNamesItsFiles) {
    enum class Guasto { PaccoIllegibile, VoceMancante };
    for (const Guasto g : {Guasto::PaccoIllegibile, Guasto::VoceMancante}) {
        SCOPED_TRACE(int(g));
        Mostra fx;
        const auto testo = fx.p.NewChild<hostkit::RichTextBox>(*fx.host);
        auto blob = std::make_shared<FakeControl>(contract::extractor::kRow);
        if (g == Guasto::PaccoIllegibile) blob->failing.insert("blobfile");
        blob->results["packedestrai"] = std::int32_t(2);  // no such entry
        fx.q->setFrmControlloAnimazione(std::make_shared<hostkit::AnimationForm>(fx.host));
        fx.q->setControlloTesto(testo);
        fx.q->setControlloBlob(blob);
        fx.Record("TA", "rozdzial.rtf", false, "teksty.zip");
        fx.q->MostraOggetto();
        const Righe m = fx.Messaggi();
        ASSERT_EQ(m.size(), 1u);
        const std::string inizio =
            "Nie mozna odczytac tekstu:\nrozdzial.rtf z " + fx.cartella + "teksty.zip\nQuindel - ";
        EXPECT_TRUE(m[0].starts_with(inizio)) << m[0];
        EXPECT_TRUE(m[0].ends_with("|0|")) << m[0] << ": no title, as the text's own message";
        EXPECT_GT(m[0].size(), inizio.size() + 3) << "the reason follows";
    }
}

TEST(QuindelMostraOggetto, AVideoStartsOrReportsItsError) {
    for (int errore : {0, 263}) {
        Mostra fx;
        auto video = fx.Controllo(contract::media::kFilm);
        video->props["error"] = std::int32_t(errore);
        video->props["length"] = std::int32_t(5000);
        fx.q->setControlloVideo(video);
        fx.Record("VI", "film.webm");
        video->log.clear();
        fx.q->MostraOggetto();
        Righe comandi;
        for (const auto& r : video->log)
            if (r.starts_with("let command")) comandi.push_back(r);
        if (errore == 0) {
            // The previous object is stopped first (11, 1), then this one opens (4) and plays
            // (5), and the play state follows (7).
            EXPECT_EQ(comandi, (Righe{"let command=11", "let command=1", "let command=4",
                                      "let command=5", "let command=7"}));
            EXPECT_TRUE(fx.q->IsPulsanteAbilitato(6));
            EXPECT_EQ(fx.q->Display().Riproduzione.DurataCorrente, 5000);
            EXPECT_TRUE(fx.Messaggi().empty());
        } else {
            EXPECT_EQ(comandi, (Righe{"let command=11", "let command=1", "let command=4"}));
            EXPECT_EQ(fx.Messaggi(),
                      Righe{"Nie mozna uruchomic filmu:\n" + fx.cartella + "film.webm|0|Quindel2"});
            EXPECT_FALSE(CBool(video->props["visible"]));
        }
    }
}

TEST(QuindelMostraOggetto, MissingFilesAndMissingControls) {
    struct Case {
        const char* tipo;
        const char* messaggio;  // nullptr: nothing is shown
        bool controllo;
    } cases[] = {
        {"VI", "Nie odnaleziono pliku:\n", true},
        {"AI", "Nie odnaleziono pliku:\n", true},
        {"F3", "Nie odnaleziono pliku:\n", true},
        {"AU", "Nie mozna odczytac plików audio:\n", true},
        {"TA", "Nie mozna odczytac tekstu:\n", true},
        {"VI", nullptr, false},
        {"PL", nullptr, true},
        {"XX", nullptr, true},
    };
    for (const Case& c : cases) {
        Mostra fx;
        if (c.controllo) {
            const struct {
                void (Quindel::*assegna)(Object);
                const contract::Row& riga;
            } ruoli[] = {{&Quindel::setControlloVideo, contract::media::kFilm},
                         {&Quindel::setControlloShockwave, contract::movie::kRow},
                         {&Quindel::setControllo3DFoto360, contract::panorama::kRow},
                         {&Quindel::setControlloAudio, contract::media::kSound},
                         {&Quindel::setControlloTesto, contract::text::kRow}};
            for (const auto& r : ruoli) {
                auto ctl = fx.Controllo(r.riga);
                ctl->failing.insert("filename");
                (fx.q.get()->*r.assegna)(ctl);
            }
        }
        fx.Record(c.tipo, "manca.bin", false);
        fx.q->MostraOggetto();
        const Righe attesi =
            c.messaggio ? Righe{std::string(c.messaggio) + fx.cartella + "manca.bin|0|"} : Righe{};
        EXPECT_EQ(fx.Messaggi(), attesi) << c.tipo;
        EXPECT_TRUE(fx.q->pic_ToolbarMain().Enabled()) << c.tipo;
    }
}

TEST(QuindelMostraOggetto, UnexpectedErrorsAreShownAndTheMethodGoesOn) {
    Mostra fx;
    auto audio = fx.Controllo(contract::media::kSound);
    audio->failing.insert("length");
    audio->props["position"] = std::int32_t(0);
    fx.q->setControlloAudio(audio);
    fx.Record("AU", "dzwiek.ogg");
    fx.q->MostraOggetto();
    // Reading the length fails twice: for the progress, and for the play state's end check.
    ASSERT_EQ(fx.Messaggi().size(), 2u);
    for (const std::string& m : fx.Messaggi()) EXPECT_TRUE(m.starts_with("Quindel - ")) << m;
    EXPECT_TRUE(fx.q->IsPulsanteAbilitato(6));  // the statements after the failing one ran
}

TEST(QuindelMostraOggetto, TheCaptionFollowsTheRecordUnlessTheDisplaysWereClosed) {
    Mostra fx;
    auto didascalia = fx.Controllo(contract::text::kRow);
    didascalia->props["width"] = std::int32_t(1000);
    fx.q->setControlloDidascalia(didascalia);
    fx.Record("PL", "x");
    fx.q->MostraOggetto();
    EXPECT_EQ(CStr(didascalia->props["ftext"]), "Podpis");
    EXPECT_DOUBLE_EQ(CDbl(didascalia->props["docwidth"]), 950);
    fx.q->ChiudiTutteLeVisualizzazioni();
    fx.q->MostraOggetto();
    EXPECT_FALSE(fx.q->pic_ToolbarMain().Enabled());  // until the next command clears the flag
    EXPECT_EQ(fx.p.screen().MousePointer(), platform::pointer::Default);
}

TEST(QuindelMostraOggetto, StoppingEveryDisplayTouchesOnlyAssignedControls) {
    Mostra fx;
    fx.q->SpegniTutteLeVisualizzazioni();  // nothing assigned: only the panel's own state
    EXPECT_FALSE(fx.q->IsPulsanteAbilitato(6));
    auto video = fx.Controllo(contract::media::kFilm);
    auto film = fx.Controllo(contract::movie::kRow);
    fx.q->setControlloVideo(video);
    fx.q->setControlloShockwave(film);
    video->log.clear();
    for (int volte = 0; volte < 2; ++volte) fx.q->SpegniTutteLeVisualizzazioni();
    EXPECT_EQ(Righe(video->log.begin(), video->log.begin() + 4),
              (Righe{"let notify=False", "let command=11", "let command=1", "let visible=False"}));
    EXPECT_EQ(fx.Scritture(*film),
              (Righe{"call stop", "let visible=False", "call stop", "let visible=False"}));
    EXPECT_EQ(fx.q->Sld_SliderAvanzamento().Value(), 0);
    EXPECT_EQ(fx.q->Display().Riproduzione.PlayerCorrente, nullptr);
}
