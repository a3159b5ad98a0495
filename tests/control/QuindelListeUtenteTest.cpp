// The list windows used by a person: the keys people reach for and the mouse wheel, on a short
// list the window holds whole and on a long one paged in chunks from the host.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "hostkit/PaginatoreLista.h"
#include "platform/Keys.h"
#include "platform/ListBox.h"
#include "platform/VScrollBar.h"

using namespace quindel;
using quindel::test::ControlFixture;
using quindel::test::Voci;
using Eventi = std::vector<std::string>;
namespace key = platform::key;

namespace {

// The multimedia list opened with button 9; the focus is then on its list box.
struct ListaAperta : ControlFixture {
    std::string chunk = (dir / "chunk.lst").string();
    std::unique_ptr<PaginatoreLista> pager;

    explicit ListaAperta(int voci, bool lunga) : ControlFixture("lists_user") {
        if (lunga) {
            pager = std::make_unique<PaginatoreLista>(Lista("all.lst", Voci(voci)), 10);
            q->setMassimoRecordListaVisibili(10);
            q->ListaMM()->setNomeFileLista(chunk);
            reg->onGetChunk = [this](std::uint8_t tipo, const std::string&, std::int32_t pos) {
                pager->ScriviChunk(chunk, pos);
                q->InitChunk(false, tipo, chunk, pager->Totale(), pos);
            };
            pager->ScriviChunk(chunk, 1);
            q->InitChunk(true, 1, chunk, pager->Totale(), 1);
        } else {
            q->setNomeFileListaMM(Lista("mm.lst", Voci(voci)));
        }
        q->setValorePulsante(9, -1);
        Eventi();
    }
    platform::ListBox& lb() { return *q->FinestraLista(1).TList1(); }
    platform::VScrollBar& sb() { return *q->FinestraLista(1).VScroll1(); }
    void Tasto(std::int16_t k) {
        p.Input().Key(k);
        p.RunFor(10);
    }
    void Rotella(int tacche) {
        const platform::RectPx r = lb().ScreenRectPx();
        p.Input().MoveTo(r.left + 5, r.top + 5).Wheel(tacche);
        p.RunFor(10);
    }
};

}  // namespace

TEST(QuindelListeUtente, KeysMoveThroughAShortListEnterChoosesEscapeCloses) {
    ListaAperta fx(20, false);
    ASSERT_TRUE(fx.lb().HasFocus());
    fx.q->ListaMM()->setListIndex(0);
    const std::int32_t pagina = fx.lb().VisibleRows() - 1;  // a page keeps one row in sight
    struct Passo {
        std::int16_t tasto;
        std::int32_t riga;
    };
    for (const Passo s : {Passo{key::Down, 1}, Passo{key::PageDown, 1 + pagina},
                          Passo{key::End, 19}, Passo{key::Up, 18}, Passo{key::Home, 0}}) {
        fx.Tasto(s.tasto);
        EXPECT_EQ(fx.q->ListaMM()->ListIndex(), s.riga) << s.tasto;
    }
    EXPECT_TRUE(fx.Eventi().empty());  // moving is not choosing
    fx.Tasto(key::Down);
    fx.Tasto(key::Return);
    EXPECT_EQ(fx.Eventi(), Eventi{"ClickListaOggettiMM(1)"});
    fx.Tasto(key::Escape);
    EXPECT_FALSE(fx.FinestraLista(1).Visible());
    EXPECT_EQ(fx.q->ValorePulsante(9), 0);
    EXPECT_EQ(fx.Eventi(), Eventi{"PulsantePremuto(9,0)"});
}

TEST(QuindelListeUtente, KeysAndTheWheelPageThroughALongListAskingForChunks) {
    ListaAperta fx(100, true);
    ASSERT_EQ(fx.sb().Tag(), "V");
    struct Passo {
        std::int16_t tasto;      // 0: one wheel notch towards the user
        std::int32_t posizione;  // -1: one page on from 5 (a page keeps one row in sight)
        const char* richiesta;
    };
    for (const Passo s :
         {Passo{key::Down, 2, nullptr}, Passo{0, 5, nullptr}, Passo{key::PageDown, -1, nullptr},
          Passo{key::End, 100, "GetChunk(1,91)"}, Passo{key::Home, 1, "GetChunk(1,1)"}}) {
        const std::int32_t attesa = s.posizione >= 0 ? s.posizione : 5 + fx.lb().VisibleRows() - 1;
        const std::string richiesta = s.posizione < 0
                                          ? "GetChunk(1," + std::to_string(attesa - 10 + 1) + ")"
                                          : std::string(s.richiesta ? s.richiesta : "");
        if (s.tasto)
            fx.Tasto(s.tasto);
        else
            fx.Rotella(-1);
        EXPECT_EQ(fx.sb().Value(), attesa) << s.tasto;
        EXPECT_EQ(fx.q->ListaMM()->PuntatoreFileLista(), attesa) << s.tasto;
        EXPECT_EQ(fx.Eventi(), richiesta.empty() ? Eventi{} : Eventi{richiesta}) << s.tasto;
    }
}

TEST(QuindelListeUtente, TheWheelScrollsAShortListWithoutChangingTheChoice) {
    ListaAperta fx(40, false);
    fx.q->ListaMM()->setListIndex(2);
    fx.Rotella(-2);
    EXPECT_EQ(fx.lb().TopIndex(), 6);
    fx.Rotella(5);
    EXPECT_EQ(fx.lb().TopIndex(), 0);
    EXPECT_EQ(fx.q->ListaMM()->ListIndex(), 2);
    EXPECT_TRUE(fx.Eventi().empty());
}
