// The object display on its own, with a fake owner, fake button states and strict fake controls:
// each control is asked only what its row of the contract lists.
#include <gtest/gtest.h>

#include <fstream>

#include "ProprietarioVisualizzazioneFinto.h"
#include "StatoPulsantiFinto.h"
#include "TestFolder.h"
#include "contract/FakeControl.h"
#include "contract/Rows.h"
#include "display/Visualizzatore.h"

namespace quindel::test {
namespace {

using Righe = std::vector<std::string>;

struct Schermo {
    TestFolder cartella{"quindel_display"};
    ProprietarioVisualizzazioneFinto owner;
    StatoPulsantiFinto pulsanti;
    Visualizzatore v{owner, pulsanti};

    std::shared_ptr<FakeControl> Controllo(const contract::Row& riga) {
        return std::make_shared<FakeControl>(riga);
    }
    Righe Scritture(const FakeControl& c) {
        Righe r;
        for (const auto& l : c.log)
            if (!l.starts_with("get ")) r.push_back(l);
        return r;
    }
};

TEST(Visualizzatore, StoppingEveryDisplayAsksEachControlInItsOwnRowsTerms) {
    Schermo b;
    const struct {
        Object ControlliVisualizzazione::*posto;
        const contract::Row& riga;
        Righe attese;
    } casi[] = {
        {&ControlliVisualizzazione::Immagine, contract::picture::kRow, {"let visible=False"}},
        {&ControlliVisualizzazione::Video,
         contract::media::kFilm,
         {"let notify=False", "let command=11", "let command=1", "let visible=False"}},
        {&ControlliVisualizzazione::Audio,
         contract::media::kSound,
         {"let notify=False", "let command=11", "let command=1"}},
        {&ControlliVisualizzazione::Testo, contract::text::kRow, {"let visible=False"}},
        {&ControlliVisualizzazione::Foto360, contract::panorama::kRow, {"let visible=False"}},
        {&ControlliVisualizzazione::Shockwave,
         contract::movie::kRow,
         {"call stop", "let visible=False"}},
    };
    std::vector<std::shared_ptr<FakeControl>> controlli;
    for (const auto& c : casi) {
        controlli.push_back(b.Controllo(c.riga));
        b.v.Controlli.*c.posto = controlli.back();
    }
    b.pulsanti.abilitati[6] = b.pulsanti.abilitati[7] = true;
    b.v.SpegniTutteLeVisualizzazioni();
    for (std::size_t i = 0; i < controlli.size(); ++i)
        EXPECT_EQ(b.Scritture(*controlli[i]), casi[i].attese) << casi[i].riga.name;
    EXPECT_FALSE(b.pulsanti.abilitati[6]);
    EXPECT_FALSE(b.pulsanti.abilitati[7]);
    EXPECT_EQ(b.owner.avanzamento->Value(), 0);
    EXPECT_FALSE(b.owner.timerFilmato->Enabled());
}

TEST(Visualizzatore, AFilmShownOpensPlaysAndEnablesPlayAndStop) {
    Schermo b;
    const std::string cartella = b.cartella.path().string() + "/";
    std::ofstream(cartella + "film.webm") << "x";
    b.owner.banco.Aggiungi({"C1", cartella, "", "film.webm", "VI", "Opis", "Podpis"});
    b.owner.banco.lista->setListIndex(0);
    const auto form = b.Controllo(contract::window::kForm);
    form->props["width"] = std::int32_t(9600);
    const auto film = b.Controllo(contract::media::kFilm);
    film->props["parent"] = Object(form);
    film->props["length"] = std::int32_t(5000);
    b.v.setControlloVideo(film);
    film->log.clear();
    b.v.MostraOggetto();
    Righe comandi;
    for (const auto& l : film->log)
        if (l.starts_with("let command")) comandi.push_back(l.substr(12));
    EXPECT_EQ(comandi, (Righe{"11", "1", "4", "5", "7"}));
    EXPECT_TRUE(b.pulsanti.abilitati[6]);
    EXPECT_TRUE(b.pulsanti.abilitati[7]);
    EXPECT_EQ(b.v.Riproduzione.DurataCorrente, 5000);
    EXPECT_TRUE(b.owner.banco.p.Boxes().Shown().empty());
}

}  // namespace
}  // namespace quindel::test
