// The list controller: rows, scroll bar, buttons, paging with the host, clicks, sizing.
#include <gtest/gtest.h>

#include "ListeTestSupport.h"
#include "lists/ClasseTLista.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/VScrollBar.h"
#include "runtime/Dispatch.h"

using namespace quindel;
using namespace quindel::test;

namespace {
constexpr std::uint8_t kOggetti = ClasseTLista::kOggettiMultimediali;
constexpr std::uint8_t kLemmi = ClasseTLista::kLemmiCollegati;
}  // namespace

TEST(ClasseTLista, WithoutSelectionTheCurrentEntryIsEmpty) {
    Banco b;
    for (int i = 1; i <= 3; ++i) b.Aggiungi(VoceNumero(i));
    EXPECT_EQ(b.lista->CodiceCorrente(), "0");
    EXPECT_EQ(b.lista->Descrizione(), "");
    EXPECT_EQ(b.lista->TipoOggetto(), "");
    EXPECT_EQ(b.lista->PuntatoreFileLista(), 0);
    b.lista->setListIndex(1);
    EXPECT_EQ(b.lista->CodiceCorrente(), "L2");
    EXPECT_EQ(b.lista->Directory(), "media\\foto\\");
    EXPECT_EQ(b.lista->NomeFile(), "F2.JPG");
    EXPECT_EQ(b.lista->PuntatoreFileLista(), -1);
}

TEST(ClasseTLista, ListIndexBeyondTheRowsSelectsTheLast) {
    Banco b;
    b.lista->setListIndex(3);  // empty: nothing to select
    EXPECT_EQ(b.lista->ListIndex(), -1);
    for (int i = 1; i <= 12; ++i) b.Aggiungi(VoceNumero(i));
    b.lista->setListIndex(50);
    EXPECT_EQ(b.lista->ListIndex(), 11);
    b.lista->setListIndex(4);
    EXPECT_EQ(b.lista->ListIndex(), 4);
}

TEST(ClasseTLista, ScrollBarShowsOnlyWhileTheWholeListIsLongerThanTheRows) {
    Banco b(kOggetti, 5);
    b.Chunk(1, 5);
    auto& barra = *b.finestra->VScroll1();
    b.lista->setNumRecordEffettiviInLista(5);
    EXPECT_FALSE(barra.Visible());
    b.lista->setNumRecordEffettiviInLista(40);
    EXPECT_TRUE(barra.Visible());
    EXPECT_EQ(barra.Tag(), "V");
    EXPECT_EQ(barra.Min(), 1);
    EXPECT_EQ(barra.Max(), 40);
    // The list box gave way to the bar.
    EXPECT_EQ(b.lista->ObjTList()->Width() + barra.Width(), b.finestra->Form()->ScaleWidth());
    // Already shown: the bar keeps its range.
    b.lista->setNumRecordEffettiviInLista(60);
    EXPECT_EQ(barra.Max(), 40);
    b.lista->Clear();
    EXPECT_FALSE(barra.Visible());
    EXPECT_EQ(barra.Tag(), "I");
    EXPECT_EQ(b.lista->ObjTList()->Width(), b.finestra->Form()->ScaleWidth());
}

TEST(ClasseTLista, ButtonsFollowTheListAndTheSelectedType) {
    struct Caso {
        const char* nome;
        std::uint8_t tipoLista;
        int voci;
        const char* tipo;  // of the selected first entry; null: no selection
        bool volumeAperto;
        std::map<std::int16_t, bool> attesi;
        bool scaricaVolume;
    } casi[] = {
        {"one object",
         kOggetti,
         1,
         nullptr,
         false,
         {{9, false}, {10, false}, {11, false}, {15, false}, {4, false}, {5, false}, {8, false}},
         false},
        {"one linked entry", kLemmi, 1, nullptr, false, {{3, true}}, false},
        {"no linked entry", kLemmi, 0, nullptr, false, {{3, false}}, false},
        {"drawing",
         kOggetti,
         3,
         "DI",
         false,
         {{9, true}, {10, false}, {11, true}, {15, true}, {4, true}, {5, true}, {8, true}},
         false},
        {"photo", kOggetti, 3, "FO", false, {{4, true}, {5, true}, {8, false}}, false},
        {"sound", kOggetti, 3, "AU", true, {{4, false}, {5, false}, {8, true}}, false},
        {"not shown, volume open",
         kOggetti,
         3,
         "IT",
         true,
         {{4, false}, {5, false}, {8, false}},
         true},
        {"not shown, volume closed", kOggetti, 3, "IT", false, {{8, false}}, false},
    };
    for (const Caso& c : casi) {
        Banco b(c.tipoLista);
        for (int i = 1; i <= c.voci; ++i) b.Aggiungi(VoceNumero(i, c.tipo ? c.tipo : "FO"));
        if (c.tipo) b.lista->setListIndex(0);
        for (std::int16_t i = 1; i <= 15; ++i) b.pilonda.abilitati[i] = i % 2 == 0;
        b.pilonda.valori[8] = c.volumeAperto ? 1 : 0;
        b.pilonda.chiamate.clear();
        b.lista->AggiornaPulsantiPilonda();
        for (const auto& [pulsante, abilitato] : c.attesi)
            EXPECT_EQ(b.pilonda.abilitati[pulsante], abilitato) << c.nome << " button " << pulsante;
        const std::vector<std::string> scarica{"Valore 8=0", "ScaricaVolume"};
        EXPECT_EQ(b.pilonda.chiamate == scarica, c.scaricaVolume) << c.nome;
        EXPECT_EQ(b.pilonda.valori[8], c.volumeAperto && !c.scaricaVolume ? 1 : 0) << c.nome;
    }
}

TEST(ClasseTLista, PreviousAndNextFollowTheScrollBarWhenItShows) {
    Banco b(kOggetti, 5);
    b.Chunk(1, 5);
    b.lista->setNumRecordEffettiviInLista(40);
    auto& barra = *b.finestra->VScroll1();
    b.finestra->ScrollbarDisattivata = true;
    struct Caso {
        int valore;
        bool precedente, successivo;
    } casi[] = {{1, false, true}, {2, true, true}, {39, true, true}, {40, true, false}};
    for (const Caso& c : casi) {
        barra.setValue(c.valore);
        b.lista->AggiornaPulsantiPilonda();
        EXPECT_EQ(b.pilonda.abilitati[10], c.precedente) << c.valore;
        EXPECT_EQ(b.pilonda.abilitati[11], c.successivo) << c.valore;
    }
}

namespace {

// A long list of 100 entries paged in chunks of 10, of which 5 rows show.
struct Paginazione : ::testing::Test {
    Banco b{kOggetti, 5};
    std::vector<std::int32_t> richieste;

    void SetUp() override {
        b.lista->setNomeFileLista("chunk.lst");
        b.Chunk(21, 10);
        b.lista->setNumRecordEffettiviInLista(100);
        b.finestra->ScrollbarDisattivata = true;
        b.finestra->VScroll1()->setValue(21);
        b.finestra->ScrollbarDisattivata = false;
        b.lista->setListIndex(0);
        b.pilonda.chiamate.clear();
    }
    // The host writes the chunk that starts at the position asked for and reloads the list.
    void HostRisponde() {
        b.pilonda.risposta = [this](std::int32_t inizio) {
            b.finestra->ScrollbarDisattivata = true;
            b.lista->Clear();
            b.lista->setNumRecordEffettiviInLista(100);
            b.Chunk(inizio, 10);
            b.finestra->ScrollbarDisattivata = false;
        };
    }
    void Scorri(std::int32_t valore) { b.finestra->VScroll1()->setValue(valore); }
};

}  // namespace

TEST_F(Paginazione, MovingInsideTheChunkOnlySelects) {
    Scorri(24);
    EXPECT_EQ(b.lista->ListIndex(), 3);
    EXPECT_EQ(b.lista->PuntatoreFileLista(), 24);
    EXPECT_TRUE(b.pilonda.chiamate.empty());
}

TEST_F(Paginazione, BeforeTheChunkAsksForAChunkStartingThere) {
    HostRisponde();
    Scorri(15);
    EXPECT_EQ(b.pilonda.chiamate, std::vector<std::string>{"Chunk 1 chunk.lst 15"});
    EXPECT_EQ(b.lista->Record(1).PosizioneAssoluta(), 15);
    EXPECT_EQ(b.lista->ListIndex(), 0);
    EXPECT_EQ(b.lista->PuntatoreFileLista(), 15);
}

TEST_F(Paginazione, AfterTheRowsAsksForAChunkEndingThere) {
    HostRisponde();
    Scorri(27);  // rows show 21..25: 27 is loaded but has no row
    EXPECT_EQ(b.pilonda.chiamate, std::vector<std::string>{"Chunk 1 chunk.lst 23"});
    EXPECT_EQ(b.lista->PuntatoreFileLista(), 27);
    EXPECT_EQ(b.lista->ListIndex(), 4);
}

TEST_F(Paginazione, AHostThatDoesNotAnswerLeavesTheSelection) {
    Scorri(80);
    Scorri(3);
    EXPECT_EQ(b.pilonda.chiamate,
              (std::vector<std::string>{"Chunk 1 chunk.lst 76", "Chunk 1 chunk.lst 3"}));
    EXPECT_EQ(b.lista->ListIndex(), 0);
    EXPECT_EQ(b.lista->Record(1).PosizioneAssoluta(), 21);
}

TEST_F(Paginazione, ClickMovesTheScrollBarToTheChosenEntry) {
    b.finestra->Form()->Show();
    b.finestra->ScrollbarDisattivata = true;
    b.lista->setListIndex(2);
    b.pilonda.chiamate.clear();
    b.lista->Click();
    EXPECT_EQ(b.finestra->VScroll1()->Value(), 23);
    EXPECT_EQ(b.pilonda.chiamate, (std::vector<std::string>{"MostraOggetto", "CLickLista 1"}));
    EXPECT_TRUE(b.lista->ObjTList()->Enabled());
    EXPECT_TRUE(b.lista->ObjTList()->HasFocus());
}

TEST(ClasseTLista, ClickOnLinkedEntriesReportsListZero) {
    Banco b(kLemmi);
    b.Aggiungi(VoceNumero(1));
    b.lista->setListIndex(0);
    b.lista->Click();  // the window is hidden: the focus cannot move, which is no error
    EXPECT_EQ(b.pilonda.chiamate, std::vector<std::string>{"CLickLista 0"});
    EXPECT_TRUE(b.lista->ObjTList()->Enabled());
}

TEST(ClasseTLista, RidimensionaFitsTheWidestEntryWithinTheScreen) {
    struct Caso {
        int lunghezza;  // characters of the longest description
        int voci;
        std::int16_t max;
        std::int32_t larghezza;  // expected, twips; -1: computed from the text
        bool altezzaLimitata;
    } casi[] = {
        {20, 3, 5, -1, false},
        {200, 3, 5, 1024 * 15 / 2, false},  // 1400 px of text: half the screen
        {10, 60, 60, -1, true},             // 60 rows of 14 px: two thirds of the screen
    };
    for (const Caso& c : casi) {
        Banco b(kOggetti, c.max);
        for (int i = 0; i < c.voci; ++i) {
            Voce v = VoceNumero(i);
            v.descrizione = std::string(i == 1 ? c.lunghezza : 3, 'w') + "   ";
            b.Aggiungi(v);
        }
        b.lista->Ridimensiona();
        const auto& form = *b.finestra->Form();
        const std::int32_t cornice = form.Width() - form.ScaleWidth();
        const std::int32_t attesa =
            c.larghezza >= 0 ? c.larghezza : cornice + 200 + c.lunghezza * 7 * 15;
        EXPECT_EQ(form.Width(), attesa) << c.lunghezza;
        // The list box shows whole rows and the window covers it.
        EXPECT_GE(b.lista->ObjTList()->Height(), form.ScaleHeight());
        if (c.altezzaLimitata)
            EXPECT_LE(b.lista->ObjTList()->Height(), 768 * 15 * 2 / 3);
        else
            EXPECT_GE(b.lista->ObjTList()->VisibleRows(), std::min(c.voci, int(c.max)));
    }
}

// A page of entries fits whole in the list box's own rows, on any font and screen, for a list
// paged beside the scroll bar or loaded whole, and whatever size the window had before (never
// sized at all, as when it first opens); the widest entry fits beside the scroll bar.
TEST(ClasseTLista, RidimensionaShowsAWholePageInTheListBoxsRows) {
    for (int tpp : {15, 12}) {
        for (int testo : {7, 12, 14, 16, 22}) {
            for (std::int16_t pagina : {5, 14}) {
                for (bool paginata : {true, false}) {
                    PiattaformaRighe p(testo, tpp);
                    PilondaFinta pilonda(p);
                    frm_Lista finestra(p);
                    ClasseTLista lista;
                    lista.setPilondaPadre(&pilonda);
                    lista.setTipoLista(kOggetti);
                    lista.setObjTList(finestra.TList1());
                    lista.setMaxRecordInLista(pagina);
                    int larghissima = 0;
                    for (int i = 0; i < pagina; ++i) {
                        const std::string d = "Opis " + std::string(std::size_t(i * 3), 'w');
                        larghissima = std::max(larghissima, p.MeasureText(d).width);
                        lista.AddItem(
                            "L", d, "FO", "", "", "", "",
                            paginata ? Variant(std::int32_t(40 + i)) : Variant::Missing());
                    }
                    if (paginata) lista.setNumRecordEffettiviInLista(145);
                    const platform::Form& form = *finestra.Form();
                    const platform::ListBox& lb = *finestra.TList1();
                    std::vector<std::int32_t> dimensioni;
                    for (std::int32_t prima : {0, 7000, 1000}) {
                        SCOPED_TRACE(std::to_string(tpp) + " tpp, text " + std::to_string(testo) +
                                     " px, page " + std::to_string(pagina) +
                                     (paginata ? " paged" : " whole") + ", window before " +
                                     std::to_string(prima));
                        if (prima > 0) finestra.Form()->Move(0, 0, prima, prima);
                        lista.Ridimensiona();
                        EXPECT_GE(lb.VisibleRows(), pagina);
                        EXPECT_FALSE(lb.StripShown());
                        EXPECT_GE(lb.Height(), form.ScaleHeight());
                        EXPECT_GE(lb.TwipsToPxX(lb.Width()), larghissima + 4);  // text from x 3
                        dimensioni.insert(dimensioni.end(), {form.Width(), form.Height()});
                    }
                    EXPECT_EQ(dimensioni[0], dimensioni[2]);
                    EXPECT_EQ(dimensioni[0], dimensioni[4]);
                    EXPECT_EQ(dimensioni[1], dimensioni[3]);
                    EXPECT_EQ(dimensioni[1], dimensioni[5]);
                }
            }
        }
    }
}

TEST(ClasseTLista, DestroyUnloadsTheWindowAndDropsEverything) {
    Banco b;
    b.Chunk(1, 3);
    b.finestra->Form()->Show();
    b.lista->Destroy();
    EXPECT_FALSE(b.finestra->Form()->Loaded());
    EXPECT_EQ(b.lista->NumeroRecord(), 0);
    EXPECT_EQ(b.lista->ObjTList(), nullptr);
    EXPECT_EQ(b.lista->frm(), nullptr);
    EXPECT_EQ(b.lista->PilondaPadre(), nullptr);
    EXPECT_EQ(b.finestra->ClasseListaCorrente, nullptr);
}

TEST(ClasseTLista, HostReachesTheListByName) {
    Banco b(kOggetti, 2);
    const Object lista = b.lista;
    CallMethod(lista, "AddItem", "K1", "Pierwszy", "FO", "d\\", "", "A.JPG", "Podpis");
    CallMethod(lista, "AddItem", "K2", "Drugi", "VI", "d\\", "", "B.AVI", "Podpis", 8);
    LetProperty(lista, "ListIndex", 1);
    EXPECT_EQ(GetProperty(lista, "ListCount"), Variant(std::int32_t(2)));
    EXPECT_EQ(GetProperty(lista, "TipoOggetto"), Variant("VI"));
    EXPECT_EQ(GetProperty(lista, "PuntatoreFileLista"), Variant(std::int32_t(8)));
    LetProperty(lista, "MaxRecordInLista", 7);
    EXPECT_EQ(GetProperty(lista, "MaxRecordInLista"), Variant(std::int16_t(7)));
    CallMethod(lista, "Clear");
    EXPECT_EQ(GetProperty(lista, "CodiceCorrente"), Variant("0"));
}
