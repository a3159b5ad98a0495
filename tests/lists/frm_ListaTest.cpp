// The list window: layout with whole rows, user input to the controller, unloading.
#include <gtest/gtest.h>

#include "ListeTestSupport.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/VScrollBar.h"

using namespace quindel;
using namespace quindel::test;

namespace {

platform::PointPx CentroRiga(const platform::ListBox& l, int riga) {
    const platform::RectPx r = l.ScreenRectPx();
    const int rigaPx = l.RowHeight() / 15;
    return {r.left + 10, r.top + 1 + riga * rigaPx + rigaPx / 2};
}

}  // namespace

TEST(frm_Lista, LayoutAlwaysEndsWithWholeRowsCoveringTheWindow) {
    for (int tpp : {15, 12}) {
        for (int testo : {14, 7, 12, 16, 22, 30}) {
            PiattaformaRighe p(testo, tpp);
            frm_Lista f(p);
            for (const char* tag : {"I", "V"}) {
                f.VScroll1()->setTag(tag);
                for (std::int32_t altezza = 200; altezza < 7000; altezza += 97) {
                    f.Form()->Move(0, 0, 3000, altezza);
                    const auto& l = *f.TList1();
                    const auto& form = *f.Form();
                    SCOPED_TRACE(std::to_string(tpp) + " tpp, row " + std::to_string(testo + 1) +
                                 " px, tag " + tag + ", height " + std::to_string(altezza));
                    EXPECT_GE(l.Height(), form.ScaleHeight());
                    EXPECT_LE(form.Height() - altezza, l.RowHeight());
                    const std::int32_t larghezzaLista = form.ScaleWidth() - (*tag == 'V' ? 255 : 0);
                    EXPECT_EQ(l.Width(), larghezzaLista);
                }
            }
        }
    }
}

TEST(frm_Lista, MouseReleaseAndEnterChooseTheEntry) {
    Banco b;
    for (int i = 1; i <= 4; ++i) b.Aggiungi(VoceNumero(i));
    b.finestra->Form()->Show();
    const platform::PointPx riga2 = CentroRiga(*b.finestra->TList1(), 2);
    b.p.Input().Click(riga2.x, riga2.y);
    b.p.Pump();
    EXPECT_EQ(b.lista->ListIndex(), 2);
    EXPECT_EQ(b.lista->CodiceCorrente(), "L3");
    const std::vector<std::string> scelta{"MostraOggetto", "CLickLista 1"};
    EXPECT_EQ(b.pilonda.chiamate,
              (std::vector<std::string>{"SpegniToolTip", "MostraOggetto", "CLickLista 1"}));
    EXPECT_TRUE(b.finestra->TList1()->HasFocus());
    b.pilonda.chiamate.clear();
    b.p.Input().Key(40).Key(13);  // down, then Enter
    b.p.Pump();
    EXPECT_EQ(b.lista->ListIndex(), 3);
    EXPECT_EQ(b.pilonda.chiamate, scelta);
}

TEST(frm_Lista, AfterAClickOnThePagingBarEnterStillChoosesTheRow) {
    Banco b(ClasseTLista::kOggettiMultimediali, 5);
    b.Chunk(1, 5);
    b.lista->setNumRecordEffettiviInLista(50);
    b.lista->AggiornaFormTLista();
    b.finestra->Form()->Show();
    b.lista->setListIndex(1);
    b.finestra->TList1()->SetFocus();
    const platform::RectPx barra = b.finestra->VScroll1()->ScreenRectPx();
    ASSERT_TRUE(b.finestra->VScroll1()->IsShown());
    b.p.Input().Click(barra.left + 3, barra.bottom - 3);  // its down arrow
    b.p.Pump();
    EXPECT_EQ(b.finestra->VScroll1()->Value(), 2);
    EXPECT_TRUE(b.finestra->TList1()->HasFocus());
    b.pilonda.chiamate.clear();
    b.p.Input().Key(13);
    b.p.Pump();
    EXPECT_EQ(b.pilonda.chiamate, (std::vector<std::string>{"MostraOggetto", "CLickLista 1"}));
}

TEST(frm_Lista, MouseMovesHideTheToolTip) {
    Banco b;
    b.finestra->Form()->Show();
    const platform::RectPx form = b.finestra->Form()->ScreenRectPx();
    const platform::RectPx lista = b.finestra->TList1()->ScreenRectPx();
    b.p.Input().MoveTo(form.left + 20, form.top + 5).MoveTo(lista.left + 5, lista.top + 5);
    b.p.Pump();
    EXPECT_EQ(b.pilonda.chiamate, (std::vector<std::string>{"SpegniToolTip", "SpegniToolTip"}));
}

TEST(frm_Lista, ScrollChangesAreIgnoredWhileDisabled) {
    Banco b(ClasseTLista::kOggettiMultimediali, 5);
    b.Chunk(1, 10);
    b.lista->setNumRecordEffettiviInLista(50);
    b.lista->setListIndex(0);
    b.finestra->ScrollbarDisattivata = true;
    b.finestra->VScroll1()->setValue(30);
    EXPECT_TRUE(b.pilonda.chiamate.empty());
    b.finestra->ScrollbarDisattivata = false;
    b.finestra->VScroll1()->setValue(31);
    EXPECT_EQ(b.pilonda.chiamate, std::vector<std::string>{"Chunk 1  27"});
}

TEST(frm_Lista, UnloadDetachesTheWindowAndDestroysTheController) {
    Banco b;
    b.Chunk(1, 3);
    platform::Form& form = *b.finestra->Form();
    form.Show();
    b.p.api().SetWindowWord(form.hWnd(), platform::GWW_HWNDPARENT, 0x1234);
    form.Unload();
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(form.Owner(), 0);
    EXPECT_EQ(b.finestra->ClasseListaCorrente, nullptr);
    EXPECT_EQ(b.lista->NumeroRecord(), 0);
    EXPECT_EQ(b.lista->ObjTList(), nullptr);
    EXPECT_TRUE(b.p.Boxes().Shown().empty());
}

TEST(frm_Lista, AWindowDestroyedFirstIsForgottenByItsController) {
    Banco b;
    b.Chunk(1, 3);
    b.finestra.reset();
    EXPECT_EQ(b.lista->frm(), nullptr);
    EXPECT_EQ(b.lista->ObjTList(), nullptr);
    b.lista->Ridimensiona();  // no window: nothing to do
    b.lista->AggiornaFormTLista();
}
