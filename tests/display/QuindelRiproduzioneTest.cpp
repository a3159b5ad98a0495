// Playback: play and pause, stop and rewind, the progress slider and the two timers, autoplay
// through the list with every way it ends, and the volume with its window.
#include <gtest/gtest.h>

#include <fstream>

#include "contract/FakeControl.h"
#include "contract/Rows.h"
#include "control/ControlFixture.h"
#include "display/Frm_volume.h"
#include "display/Visualizzatore.h"
#include "platform/Slider.h"
#include "platform/Timer.h"
#include "runtime/Text.h"
#include "support/Catalogo.h"

using namespace quindel;
using quindel::test::ControlFixture;
using quindel::test::FakeControl;
using Righe = std::vector<std::string>;

namespace {

struct Riproduci : ControlFixture {
    std::shared_ptr<FakeControl> form = std::make_shared<FakeControl>(contract::window::kForm);

    Riproduci() : ControlFixture("playback") {
        form->props["scalewidth"] = std::int32_t(9000);
        form->props["scaleheight"] = std::int32_t(6000);
    }
    std::shared_ptr<FakeControl> Controllo(const contract::Row& riga) {
        auto c = std::make_shared<FakeControl>(riga);
        c->props["parent"] = Object(form);
        return c;
    }
    // n records of the given types (cycled), files present, row 0 current.
    void Lista(const std::vector<std::string>& tipi, int n) {
        std::vector<hostkit::VoceLista> voci;
        for (int i = 0; i < n; ++i) {
            const std::string nome = "o" + std::to_string(i);
            std::ofstream(dir / nome) << "x";
            voci.push_back({"C", dir.string() + "\\", "", nome, tipi[std::size_t(i) % tipi.size()],
                            "Opis " + std::to_string(i), "Podpis"});
        }
        q->setNomeFileListaMM(ControlFixture::Lista("mm.lst", voci));
        q->ListaMM()->setListIndex(0);
    }
    StatoRiproduzione& r() { return q->Display().Riproduzione; }
    // Runs f once, ms of virtual time from now, as a user or host acting meanwhile would.
    std::shared_ptr<platform::Timer> Dopo(int ms, std::function<void()> f) {
        auto t = p.NewTimer();
        t->setInterval(ms);
        t->OnTimer = [t = t.get(), f] {
            t->setEnabled(false);
            f();
        };
        t->setEnabled(true);
        return t;
    }
    std::int32_t Slider() { return q->Sld_SliderAvanzamento().Value(); }
    Righe Comandi(const FakeControl& c) {
        Righe out;
        for (const auto& l : c.log)
            if (l.starts_with("let command")) out.push_back(l.substr(12));
        return out;
    }
};

}  // namespace

TEST(QuindelRiproduzione, PlayPauseAndStopFollowTheStateTable) {
    Riproduci fx;
    auto video = fx.Controllo(contract::media::kFilm);
    video->props["length"] = std::int32_t(1000);
    video->props["position"] = std::int32_t(0);
    fx.q->setControlloVideo(video);
    fx.Lista({"VI"}, 2);
    fx.q->MostraOggetto();
    ASSERT_FALSE(fx.r().InPausa);
    EXPECT_EQ(fx.q->ToolTipPulsante(6), LeggiMessaggio(fx.p.files(), 694));
    struct Passo {
        std::int16_t comando;
        Righe comandi;
        bool inPausa;
        const char* tip;
    } passi[] = {
        {6, {"6"}, true, "Play"},
        {6, {"7"}, false, nullptr},
        {7, {"6", "13", "6"}, true, "Play"},
    };
    for (const Passo& s : passi) {
        video->log.clear();
        fx.q->setValorePulsante(s.comando, 0);
        EXPECT_EQ(fx.Comandi(*video), s.comandi) << s.comando;
        EXPECT_EQ(fx.r().InPausa, s.inPausa) << s.comando;
        if (s.tip) {
            EXPECT_EQ(fx.q->ToolTipPulsante(6), s.tip);
        }
        EXPECT_TRUE(fx.q->IsPulsanteAbilitato(6));
    }
    EXPECT_EQ(fx.B(6).IndexPictureUp(), 3 * 18 + 5);  // the play picture again
}

// However playback stops, button 6 goes back to the play picture it had before anything played,
// so a disabled pause picture never stays behind.
TEST(QuindelRiproduzione, OncePlaybackStopsButtonSixShowsItsPlayPictureAgain) {
    enum class Poi { Foto, NienteDaMostrare, ChiusuraDelloHost, AutoplayAllaFine };
    for (const Poi poi :
         {Poi::Foto, Poi::NienteDaMostrare, Poi::ChiusuraDelloHost, Poi::AutoplayAllaFine}) {
        Riproduci fx;
        const std::int16_t suGiu = fx.B(6).IndexPictureUp(),
                           spento = fx.B(6).IndexPictureDisabled();
        auto video = fx.Controllo(contract::media::kFilm);
        video->props["length"] = std::int32_t(1000);
        video->props["position"] = std::int32_t(0);
        fx.q->setControlloVideo(video);
        fx.q->setControlloImmagine(fx.Controllo(contract::picture::kRow));
        fx.Lista({"VI", poi == Poi::NienteDaMostrare ? "IT" : "FO"}, 2);
        fx.q->MostraOggetto();
        ASSERT_NE(fx.B(6).IndexPictureUp(), suGiu) << "the pause picture while the film plays";
        if (poi == Poi::ChiusuraDelloHost) {
            fx.q->ChiudiTutteLeVisualizzazioni();
        } else if (poi == Poi::AutoplayAllaFine) {
            // The film reaches its end and autoplay goes on before the progress timer sees it.
            video->props["position"] = std::int32_t(1000);
            fx.q->setValorePulsante(15, -1);
            ASSERT_EQ(fx.q->ListaMM()->ListIndex(), 1);
        } else {
            fx.q->setValorePulsante(11, 0);
        }
        const int caso = int(poi);
        EXPECT_EQ(fx.B(6).IndexPictureUp(), suGiu) << caso;
        EXPECT_EQ(fx.B(6).IndexPictureDisabled(), spento) << caso;
        EXPECT_EQ(fx.q->ToolTipPulsante(6), "Play") << caso;
        EXPECT_FALSE(fx.q->IsPulsanteAbilitato(6)) << caso;
    }
}

TEST(QuindelRiproduzione, ASoundAtItsEndIsRewoundBeforeItPlays) {
    Riproduci fx;
    auto audio = fx.Controllo(contract::media::kSound);
    audio->props["length"] = std::int32_t(800);
    audio->props["position"] = std::int32_t(800);
    fx.q->setControlloAudio(audio);
    fx.Lista({"AU"}, 1);
    audio->log.clear();
    fx.q->MostraOggetto();
    EXPECT_EQ(fx.Comandi(*audio), (Righe{"11", "1", "13", "7"}));
}

TEST(QuindelRiproduzione, TheSliderFollowsThePlayerAndTheEndStopsIt) {
    struct Case {
        std::int32_t durata, posizione, slider;
        bool fine;
    } cases[] = {{0, 500, 0, false},
                 {1000, 0, 0, false},
                 {1000, 540, 5, false},
                 {1000, 999, 9, false},
                 {1000, 1000, 0, true}};
    for (const Case& c : cases) {
        Riproduci fx;
        auto audio = fx.Controllo(contract::media::kSound);
        audio->props["length"] = c.durata;
        audio->props["position"] = std::int32_t(0);
        fx.q->setControlloAudio(audio);
        fx.Lista({"AU"}, 1);
        fx.q->MostraOggetto();
        audio->props["position"] = c.posizione;
        fx.p.RunFor(100);
        EXPECT_EQ(fx.Slider(), c.slider) << c.posizione;
        EXPECT_EQ(fx.r().PlayerCorrente == nullptr, c.fine) << c.posizione;
        EXPECT_EQ(fx.r().InPausa, c.fine) << c.posizione;
    }
}

TEST(QuindelRiproduzione, TheMovieTimerEndsWhenTheFrameFallsBackOrReachesTheLength) {
    struct Case {
        std::int32_t lunghezza, prima, dopo;
        std::int32_t slider;
        bool fine;
    } cases[] = {{100, 40, 41, 4, false},
                 {100, 90, 3, 0, true},     // looped
                 {100, 100, 100, 0, true},  // reached the length
                 {0, 7, 8, 0, false}};      // no length: slider stays 0
    for (const Case& c : cases) {
        Riproduci fx;
        auto film = fx.Controllo(contract::movie::kRow);
        film->results["getcurrentframe"] = c.prima;
        fx.q->setControlloShockwave(film);
        fx.Lista({"AI"}, 1);
        std::ofstream(fx.dir / "PosDCR.bin")
            << "o0" << std::string(11, ' ') << "  240  320" << c.lunghezza << "\r\n";
        fx.q->MostraOggetto();
        ASSERT_TRUE(fx.q->Display().Controlli.LenghtAI == c.lunghezza);
        film->results["getcurrentframe"] = c.dopo;
        film->log.clear();
        fx.p.RunFor(100);
        EXPECT_EQ(fx.Slider(), c.slider) << c.prima << "->" << c.dopo;
        const bool fermato =
            std::find(film->log.begin(), film->log.end(), "call stop") != film->log.end();
        EXPECT_EQ(fermato, c.fine) << c.prima << "->" << c.dopo;
    }
}

TEST(QuindelRiproduzione, AutoplayShowsEveryStillObjectWithItsPause) {
    Riproduci fx;
    fx.q->setControlloImmagine(fx.Controllo(contract::picture::kRow));
    fx.Lista({"FO"}, 3);
    fx.q->setAttesaAutoplay(2);
    fx.Eventi();
    const std::int64_t inizio = fx.p.NowMs();
    fx.q->setValorePulsante(15, -1);
    EXPECT_EQ(fx.Eventi(),
              (Righe{"ClickListaOggettiMM(1)", "ClickListaOggettiMM(2)", "PulsantePremuto(15,0)"}));
    EXPECT_GE(fx.p.NowMs() - inizio, 4000);
    EXPECT_EQ(fx.q->ValorePulsante(15), 0);
    EXPECT_EQ(fx.q->ListaMM()->ListIndex(), 2);
    EXPECT_FALSE(fx.r().AttesaInCorso);
}

TEST(QuindelRiproduzione, AutoplayOnTheLastRowEndsAtOnceAndClosesAnOpenList) {
    Riproduci fx;
    fx.Lista({"FO"}, 3);
    fx.q->setValorePulsante(9, -1);
    fx.q->ListaMM()->setListIndex(2);
    fx.Eventi();
    fx.q->setValorePulsante(15, -1);
    EXPECT_EQ(fx.Eventi(), Righe{"PulsantePremuto(15,0)"});  // none for the list's button
    EXPECT_FALSE(fx.FinestraLista(1).Visible());
    EXPECT_EQ(fx.q->ValorePulsante(9), 0);
    EXPECT_EQ(fx.q->ValorePulsante(15), 0);
}

TEST(QuindelRiproduzione, ClickingAutoplayUpDuringAPauseEndsAfterThatPause) {
    Riproduci fx;
    fx.q->setControlloImmagine(fx.Controllo(contract::picture::kRow));
    fx.Lista({"FO"}, 4);
    fx.Eventi();
    // The user clicks button 15 up one second into the first pause.
    const auto clic = fx.Dopo(1000, [&] { fx.q->setValorePulsante(15, 0); });
    fx.q->setValorePulsante(15, -1);
    EXPECT_EQ(fx.q->ListaMM()->ListIndex(), 1);  // no further object shown
    const Righe e = fx.Eventi();
    EXPECT_EQ(std::count(e.begin(), e.end(), "ClickListaOggettiMM(1)"), 1);
    EXPECT_EQ(std::count(e.begin(), e.end(), "ClickListaOggettiMM(2)"), 0);
}

TEST(QuindelRiproduzione, ClosingTheDisplaysOrThePanelEndsEveryKindOfWait) {
    struct Case {
        const char* tipo;
        bool chiudiPannello;
    } cases[] = {{"VI", false}, {"AU", false}, {"AI", false}, {"F3", false},
                 {"FO", false}, {"VI", true},  {"AU", true},  {"F3", true}};
    for (const Case& c : cases) {
        Riproduci fx;
        fx.q->setDontUnload(true);
        const struct {
            void (Quindel::*assegna)(Object);
            const contract::Row& riga;
        } ruoli[] = {{&Quindel::setControlloVideo, contract::media::kFilm},
                     {&Quindel::setControlloAudio, contract::media::kSound},
                     {&Quindel::setControlloShockwave, contract::movie::kRow},
                     {&Quindel::setControllo3DFoto360, contract::panorama::kRow},
                     {&Quindel::setControlloImmagine, contract::picture::kRow}};
        for (const auto& r : ruoli) {
            auto ctl = fx.Controllo(r.riga);
            ctl->props["length"] = std::int32_t(1000000);  // never ends by itself
            ctl->props["position"] = std::int32_t(0);
            ctl->props["visible"] = false;
            ctl->results["getcurrentframe"] = std::int32_t(1);
            (fx.q.get()->*r.assegna)(ctl);
        }
        fx.Lista({c.tipo}, 3);
        const auto chiudi = fx.Dopo(3000, [&] {
            c.chiudiPannello ? fx.q->Chiudi() : fx.q->ChiudiTutteLeVisualizzazioni();
        });
        const std::int64_t inizio = fx.p.NowMs();
        fx.q->setValorePulsante(15, -1);
        EXPECT_LT(fx.p.NowMs() - inizio, 10000) << c.tipo;
        EXPECT_FALSE(fx.r().AttesaInCorso && !c.chiudiPannello) << c.tipo;
    }
}

TEST(QuindelRiproduzione, ARotationStoppedMidTurnStaysAtItsAngle) {
    Riproduci fx;
    auto foto = fx.Controllo(contract::panorama::kRow);
    fx.q->setControllo3DFoto360(foto);
    fx.q->setControlloImmagine(fx.Controllo(contract::picture::kRow));
    fx.Lista({"FO", "F3"}, 2);
    const auto ferma = fx.Dopo(1500, [&] { fx.r().StopRotazione = true; });
    fx.q->setValorePulsante(15, -1);
    const std::int32_t angolo = CLng(foto->props["panangle"]);
    EXPECT_GT(angolo, 0);
    EXPECT_LT(angolo, 360);
    EXPECT_TRUE(CBool(foto->props["enabled"]));
    EXPECT_FALSE(fx.r().StopRotazione);  // the turn obeyed and cleared it
}

TEST(QuindelRiproduzione, VolumeArithmeticAndItsLimits) {
    struct Case {
        std::int32_t scritto, memorizzato;
        double onda;
        int errore;
    } cases[] = {{255, 255, 65535, 0}, {128, 128, 32896, 0}, {1, 1, 257, 0},
                 {300, 255, 65535, 0}, {0, 0, 0, 0},         {-40000, 77, 0, 6}};
    for (const Case& c : cases) {
        Riproduci fx;
        auto audio = fx.Controllo(contract::media::kSound);
        auto video = fx.Controllo(contract::media::kFilm);
        fx.q->setControlloAudio(audio);
        fx.q->setControlloVideo(video);
        fx.q->setVolumeAudio(77);
        int errore = 0;
        try {
            fx.q->setVolumeAudio(c.scritto);
        } catch (const VbError& e) {
            errore = e.number();
        }
        EXPECT_EQ(errore, c.errore) << c.scritto;
        EXPECT_EQ(fx.q->VolumeAudio(), c.memorizzato) << c.scritto;
        if (errore == 0) {
            EXPECT_EQ(CDbl(audio->props["wavevolume"]), c.onda) << c.scritto;
            EXPECT_EQ(CDbl(video->props["wavevolume"]), c.onda) << c.scritto;
        }
    }
    Riproduci fx;
    fx.q->setVolumeAudio(100);
    auto video = fx.Controllo(contract::media::kFilm);
    fx.q->setControlloVideo(video);
    EXPECT_EQ(CDbl(video->props["wavevolume"]), 25700);
}

TEST(QuindelRiproduzione, TheVolumeWindowIsInvertedAndDoesNotEcho) {
    Riproduci fx;
    fx.q->setNomeFileListaMM(fx.ControlFixture::Lista("mm.lst", test::Voci(3, "AU")));
    fx.q->ListaMM()->setListIndex(0);
    fx.q->ListaMM()->AggiornaPulsantiPilonda();  // a sound: the volume button is enabled
    fx.q->setVolumeAudio(128);
    fx.q->setValorePulsante(8, -1);
    Frm_volume* v = fx.q->FinestraVolume();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->Form()->Visible());
    EXPECT_EQ(v->Slider1()->Value(), 5);
    EXPECT_EQ(fx.q->VolumeAudio(), 128);  // placing the slider did not write the volume back
    v->Slider1()->setValue(0);
    EXPECT_EQ(fx.q->VolumeAudio(), 255);
    v->Slider1()->setValue(10);
    EXPECT_EQ(fx.q->VolumeAudio(), 0);
    EXPECT_EQ(fx.p.api().Owner(v->Form()->hWnd()), fx.host->hWnd());
    fx.q->setValorePulsante(8, 0);
    EXPECT_EQ(fx.q->FinestraVolume(), nullptr);
}
