// The display stage with a panel on it: nothing of an animation stays behind the objects shown
// after it, and the stage says what it has no control for.
#include <gtest/gtest.h>

#include "DisplayKitSupport.h"
#include "TestFolder.h"
#include "control/Quindel.h"
#include "hostkit/animation/AnimationForm.h"
#include "hostkit/animation/Loudspeaker.h"
#include "hostkit/lists/ScrittoreLista.h"
#include "hostkit/panorama/PanoramaControl.h"
#include "hostkit/picture/PictureControl.h"
#include "hostkit/richtextbox/RichTextBox.h"
#include "hostkit/stage/DisplayStage.h"
#include "lists/ClasseTLista.h"
#include "platform/GifWriter.h"
#include "platform/Label.h"

namespace quindel::hostkit {
namespace {

const platform::Rgba kDark = platform::MakeRgb(32, 36, 44);  // the viewer's stage
const platform::Rgba kBlack = platform::MakeRgb(0, 0, 0);

// A panel and a stage covering the screen, the panel's list holding an animation at row 0 and
// one object of each given type after it, described as "Opis" and the type, or not at all for
// "QZ" (their files absent).
struct Palco {
    headless::HeadlessPlatform p;
    test::TestFolder folder{"quindel_stage"};
    std::shared_ptr<platform::Form> panelForm = p.NewForm();
    std::shared_ptr<Quindel> q;
    std::unique_ptr<DisplayStage> stage;

    explicit Palco(const std::vector<std::string>& tipi) {
        auto form = p.NewForm();
        form->setBorderStyle(platform::border::None);
        form->setBackColor(kDark);
        form->Move(0, 0, p.screen().WidthTwips(), p.screen().HeightTwips());
        stage = std::make_unique<DisplayStage>(p, std::move(form),
                                               MediaOptions{.backend = MediaBackend::Virtual});
        stage->Form().Show();
        q = Quindel::Crea(p, *panelForm);
        q->Finestra().Move(0, 0, 9600, 600);
        panelForm->Show();
        stage->HandTo(q);
        test::GifWriter gif(64, 48, {{200, 40, 40}, {40, 200, 40}});
        for (std::uint8_t i = 0; i < 2; ++i) {
            test::GifFrameSpec f;
            f.width = 64, f.height = 48, f.delayCs = 10;
            f.indices.assign(64 * 48, i);
            gif.Add(f);
        }
        test::WriteBytes(folder.path() / "anim.gif", gif.Bytes());
        const std::string dir = folder.path().string() + "\\";
        std::vector<hostkit::VoceLista> voci{
            {"C", dir, "", "anim.gif", "AN", "Animacja", "Podpis"}};
        for (const std::string& t : tipi)
            voci.push_back({"C", dir, "", "brak", t, t == "QZ" ? "" : "Opis " + t, "Podpis"});
        const std::string lista = (folder.path() / "mm.lst").string();
        hostkit::ScriviListaFile(lista, voci);
        q->setNomeFileListaMM(lista);
    }
    void Mostra(std::int32_t riga) {
        q->ListaMM()->setListIndex(riga);
        q->MostraOggetto();
    }
    AnimationSurface& Superficie() const { return stage->Animation().Animazioni(); }
    // Pixels of the stage of one colour inside r (pixels over the stage's client area).
    int Conta(const platform::RectPx& r, platform::Rgba colore) {
        const platform::Image shot = p.Grab(stage->Form());
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += shot.pixel(x, y) == colore;
        return n;
    }
};

platform::RectPx PixelsOf(const platform::Window& w) {
    const int l = w.Left() / test::kTwips, t = w.Top() / test::kTwips;
    return {l, t, l + w.Width() / test::kTwips, t + w.Height() / test::kTwips};
}

// Quizzes, indexes, unknown types and a missing film show nothing; after an animation neither
// its surface nor a black box may stay, whether the host arranges the stage at once or not.
TEST(DisplayStage, NothingOfAnAnimationStaysBehindAnObjectThatShowsNothing) {
    const std::vector<std::string> tipi{"IT", "D", "PL", "QZ", "VI"};
    for (const bool ordina : {true, false}) {
        Palco s(tipi);
        for (std::size_t i = 0; i < tipi.size(); ++i) {
            SCOPED_TRACE(tipi[i] + (ordina ? " arranged by the host" : " left to itself"));
            s.Mostra(0);
            s.stage->Arrange();
            s.p.RunFor(300);
            ASSERT_TRUE(s.Superficie().IsShown() && s.Superficie().Carries());
            const platform::RectPx dove = PixelsOf(s.Superficie());
            ASSERT_EQ(s.Conta(dove, kDark), 0) << "the animation covers its place";
            s.Mostra(std::int32_t(i + 1));
            if (ordina) {
                s.stage->Arrange();
            } else {
                s.p.RunFor(AnimationSurface::kCheckMs + 10);
            }
            EXPECT_FALSE(s.Superficie().Visible());
            EXPECT_EQ(s.Conta(dove, kBlack), 0);
        }
    }
}

// A screen reader names what is shown by its caption, or by its description while no caption
// shows.
TEST(DisplayStage, NamesWhatItShowsByTheCaptionOrTheDescription) {
    Palco s({"FO"});
    s.Mostra(1);
    s.stage->Arrange();
    EXPECT_EQ(s.stage->Picture().Accessible().name, "Opis FO");
    s.stage->Caption().setFText("Wisła pod Krakowem\r\nzimą ");
    s.stage->Caption().setVisible(true);
    s.stage->Arrange();
    for (const platform::Window* w : {static_cast<const platform::Window*>(&s.stage->Picture()),
                                      static_cast<const platform::Window*>(&s.stage->Panorama())})
        EXPECT_EQ(w->Accessible().name, "Wisła pod Krakowem  zimą");
}

TEST(DisplayStage, SaysWhatItCannotShowAndOnlyWhileNothingElseShows) {
    const struct {
        const char* tipo;
        const char* polski;
        const char* angielski;
    } casi[] = {
        {"IT", "Nie można tu pokazać: Opis IT", "Cannot be shown here: Opis IT"},
        {"D", "Nie można tu pokazać: Opis D", "Cannot be shown here: Opis D"},
        {"PL", "Nie można tu pokazać: Opis PL", "Cannot be shown here: Opis PL"},
        {"QZ", "Nie można tu pokazać: obiekt typu QZ",
         "Cannot be shown here: an object of type QZ"},  // no description: named by its type
        {"VI", "", ""},  // a film the stage can show: its missing file is the panel's to report
    };
    Palco s({"IT", "D", "PL", "QZ", "VI"});
    for (const bool inglese : {false, true}) {
        s.stage->SetLanguage(inglese ? "en" : "pl");
        for (std::int32_t i = 0; i < std::int32_t(std::size(casi)); ++i) {
            SCOPED_TRACE(casi[i].tipo);
            s.Mostra(i + 1);
            s.stage->Arrange();
            const std::string atteso = inglese ? casi[i].angielski : casi[i].polski;
            EXPECT_EQ(s.stage->Notice(), atteso);
            if (atteso.empty()) continue;
            // In the middle of the area, light on the dark stage.
            const platform::Label& riga = s.stage->NoticeLabel();
            EXPECT_NEAR(riga.Left() + riga.Width() / 2, s.stage->Form().ScaleWidth() / 2, 30);
            EXPECT_EQ(riga.ForeColor(), InkOn(kDark));
            s.Mostra(0);  // an animation shows: the line goes
            s.stage->Arrange();
            EXPECT_EQ(s.stage->Notice(), "");
        }
    }
}

TEST(DisplayStage, TheArticleOnShowIsNeverCoveredByALine) {
    Palco s({"IT"});
    s.q->ListaMM()->setListIndex(1);  // the current row, but not shown: the article is
    s.stage->Text().setVisible(true);
    s.stage->Arrange();
    EXPECT_EQ(s.stage->Notice(), "");
}

}  // namespace
}  // namespace quindel::hostkit
