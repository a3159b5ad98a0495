// The list windows used by a person: the keys people reach for and the mouse wheel, on a short
// list the window holds whole and on a long one paged in chunks from the host.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "hostkit/lists/PaginatoreLista.h"
#include "platform/Keys.h"
#include "platform/ListBox.h"
#include "platform/VScrollBar.h"

using namespace quindel;
using quindel::test::ControlFixture;
using quindel::test::Voci;
using Eventi = std::vector<std::string>;
namespace key = platform::key;

namespace {

// Entries whose descriptions differ in width, as real ones do.
std::vector<hostkit::VoceLista> VociVarie(int n) {
    std::vector<hostkit::VoceLista> voci = Voci(n);
    for (std::size_t i = 0; i < voci.size(); ++i)
        voci[i].Descrizione += " " + std::string(i * 7 % 31, 'w');
    return voci;
}

// The multimedia list opened with button 9; the focus is then on its list box. A long list is
// paged to the control `pagina` entries at a time, starting from `inizio`.
struct ListaAperta : ControlFixture {
    std::string chunk = (dir / "chunk.lst").string();
    std::unique_ptr<hostkit::PaginatoreLista> pager;

    explicit ListaAperta(int voci, bool lunga, std::int16_t pagina = 10, std::int32_t inizio = 1)
        : ControlFixture("lists_user") {
        if (lunga) {
            pager = std::make_unique<hostkit::PaginatoreLista>(Lista("all.lst", VociVarie(voci)),
                                                               pagina);
            q->setMassimoRecordListaVisibili(std::uint8_t(pagina));
            q->ListaMM()->setNomeFileLista(chunk);
            reg->onGetChunk = [this](std::uint8_t tipo, const std::string&, std::int32_t pos) {
                pager->ScriviChunk(chunk, pos);
                q->InitChunk(false, tipo, chunk, pager->Totale(), pos);
            };
            pager->ScriviChunk(chunk, inizio);
            q->InitChunk(true, 1, chunk, pager->Totale(), inizio);
        } else {
            q->setNomeFileListaMM(Lista("mm.lst", VociVarie(voci)));
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

// Pages of 14, as the sample is paged: wherever the list stands and however often the window
// opens, it shows a whole page at one height beside the one scroll bar, and the widest entry of
// the page fits.
TEST(QuindelListeUtente, TheListWindowShowsAWholePageAtOneHeightWhereverTheListStands) {
    std::vector<std::int32_t> altezze;
    for (std::int32_t inizio : {1, 47, 120, 132}) {
        ListaAperta fx(145, true, 14, inizio);
        for (int volta = 0; volta < 2; ++volta) {
            SCOPED_TRACE("from " + std::to_string(inizio) + ", opening " + std::to_string(volta));
            if (volta > 0) fx.q->setValorePulsante(9, -1);
            const platform::ListBox& lb = fx.lb();
            EXPECT_GE(lb.VisibleRows(), 14);
            EXPECT_EQ(lb.ListCount(), 14);
            EXPECT_FALSE(lb.StripShown());
            EXPECT_TRUE(fx.sb().Visible());
            int larghissima = 0;
            for (std::int32_t i = 0; i < lb.ListCount(); ++i)
                larghissima = std::max(larghissima, fx.p.MeasureText(lb.List(i)).width);
            EXPECT_GE(lb.TwipsToPxX(lb.Width()), larghissima + 4);
            altezze.push_back(fx.FinestraLista(1).Height());
            fx.q->setValorePulsante(9, 0);
        }
    }
    EXPECT_EQ(std::count(altezze.begin(), altezze.end(), altezze[0]),
              std::ptrdiff_t(altezze.size()));
}

// A short list loaded whole holds more rows than its window: the list box's own strip scrolls
// it, and a press there, released anywhere, chooses nothing.
TEST(QuindelListeUtente, TheListBoxsOwnStripScrollsAndChoosesNothing) {
    struct Caso {
        const char* dove;
        int y;         // from the top (positive) or the bottom (negative) of the strip, pixels
        int trascina;  // then moved with the button held
        bool inFondo;  // the rows scrolled to the end
    } casi[] = {{"down arrow", -4, 0, false}, {"thumb", 16, 400, true}};
    for (const Caso& c : casi) {
        ListaAperta fx(40, false);
        fx.q->setMassimoRecordListaVisibili(10);
        fx.q->setValorePulsante(9, 0);
        fx.q->setValorePulsante(9, -1);
        fx.q->ListaMM()->setListIndex(2);
        fx.Eventi();
        platform::ListBox& lb = fx.lb();
        ASSERT_TRUE(lb.StripShown());
        const platform::RectPx r = lb.ScreenRectPx();
        const int x = r.left + 1 + lb.StripLeftPx() + 6;
        const int y = c.y > 0 ? r.top + 1 + c.y : r.bottom - 1 + c.y;
        fx.p.Input().MoveTo(x, y).Press().MoveTo(x - 100, y + c.trascina).Release();
        fx.p.RunFor(10);
        EXPECT_GT(lb.TopIndex(), 0) << c.dove;
        if (c.inFondo) {
            EXPECT_EQ(lb.TopIndex(), 40 - lb.VisibleRows()) << c.dove;
        }
        EXPECT_EQ(fx.q->ListaMM()->ListIndex(), 2) << c.dove;
        EXPECT_TRUE(fx.Eventi().empty()) << c.dove;
    }
}

// The paging bar's thumb dragged across the whole list: the list waits for the drop and asks the
// host once, for the chunk where the thumb lies; inside the chunk it selects the row it passes.
TEST(QuindelListeUtente, ADraggedThumbAsksForOneChunkAtTheDrop) {
    struct Caso {
        int passi;          // moves of 3 pixels down
        bool oltreIlChunk;  // the thumb ends beyond entries 1..14
    } casi[] = {{30, true}, {200, true}, {3, false}};
    for (const Caso& c : casi) {
        ListaAperta fx(145, true, 14, 1);
        platform::VScrollBar& sb = fx.sb();
        const platform::RectPx r = sb.ScreenRectPx();
        const auto [cima, alto] = sb.ThumbPx();
        const int x = r.left + 8;
        int y = r.top + cima + alto / 2;
        fx.p.Input().MoveTo(x, y).Press();
        for (int i = 0; i < c.passi; ++i) fx.p.Input().MoveTo(x + i % 5 * 30, y += 3);
        fx.p.RunFor(10);
        SCOPED_TRACE(std::to_string(c.passi) + " steps");
        const std::int32_t bersaglio = sb.TrackValue();
        EXPECT_EQ(sb.Value(), 1);
        EXPECT_TRUE(fx.Eventi().empty());
        if (!c.oltreIlChunk) {
            EXPECT_EQ(fx.q->ListaMM()->PuntatoreFileLista(), bersaglio);
        }
        fx.p.Input().Release();
        fx.p.RunFor(10);
        EXPECT_EQ(sb.Value(), bersaglio);
        EXPECT_EQ(fx.q->ListaMM()->PuntatoreFileLista(), bersaglio);
        EXPECT_EQ(fx.Eventi(), c.oltreIlChunk
                                   ? Eventi{"GetChunk(1," + std::to_string(bersaglio - 13) + ")"}
                                   : Eventi{});
        if (c.passi == 200) {
            EXPECT_EQ(bersaglio, 145);
        }
    }
}
