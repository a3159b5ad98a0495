// List files given by the host, chunk paging through GetChunk and InitChunk, and list events.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "hostkit/lists/PaginatoreLista.h"
#include "platform/ListBox.h"
#include "platform/VScrollBar.h"
#include "runtime/Coercions.h"

using namespace quindel;
using quindel::test::ControlFixture;
using quindel::test::Voci;
using Eventi = std::vector<std::string>;

namespace {

// A host that keeps a whole list and answers every GetChunk by writing the page the control asks
// for and calling InitChunk back before the event returns.
struct ChunkHost {
    ControlFixture& fx;
    std::string file;
    hostkit::PaginatoreLista pager;

    ChunkHost(ControlFixture& f, int totale, std::int16_t page)
        : fx(f),
          file((f.dir / "chunk.lst").string()),
          pager(f.Lista("all.lst", Voci(totale)), page) {
        fx.q->setMassimoRecordListaVisibili(std::uint8_t(page));
        fx.q->ListaMM()->setNomeFileLista(file);
        fx.reg->onGetChunk = [this](std::uint8_t tipo, const std::string&, std::int32_t pos) {
            pager.ScriviChunk(file, pos);
            fx.q->InitChunk(false, tipo, file, pager.Totale(), pos);
        };
    }
    void Inizia(std::int32_t pos) {
        pager.ScriviChunk(file, pos);
        fx.q->InitChunk(true, 1, file, pager.Totale(), pos);
    }
    ClasseTLista& mm() { return *fx.q->ListaMM(); }
    platform::VScrollBar& sb() { return *fx.q->FinestraLista(1).VScroll1(); }
    std::int32_t PrimaPosizione() { return mm().Record(1).PosizioneAssoluta(); }
};

}  // namespace

TEST(QuindelListe, NewChunkPlacesTheScrollBarAndTheSelection) {
    struct Case {
        int totale, page, inizio;
        std::int32_t primo;  // position of the first loaded record, -1 when loaded whole
        std::int32_t riga;
        const char* tag;
    } cases[] = {
        {100, 10, 95, 91, 4, "V"},
        {100, 10, 90, 90, 0, "V"},
        {100, 10, 1, 1, 0, "V"},
        {5, 10, 1, -1, 4, "I"},
    };
    for (const auto& c : cases) {
        ControlFixture fx("chunk_new");
        ChunkHost h(fx, c.totale, std::int16_t(c.page));
        h.Inizia(c.inizio);
        EXPECT_EQ(h.PrimaPosizione(), c.primo) << c.inizio;
        EXPECT_EQ(h.mm().ListIndex(), c.riga) << c.inizio;
        EXPECT_EQ(h.sb().Tag(), c.tag);
        if (std::string(c.tag) == "V") {
            EXPECT_EQ(h.sb().Value(), c.inizio);
        }
        EXPECT_EQ(fx.p.api().LockedWindow(), 0);
        EXPECT_FALSE(fx.q->FinestraLista(1).ScrollbarDisattivata);
        EXPECT_TRUE(fx.Eventi().empty());
    }
}

TEST(QuindelListe, ScrollingOutsideTheChunkAsksTheHost) {
    struct Case {
        int from;
        int to;
        const char* request;
        std::int32_t primo;
        std::int32_t selected;
    } cases[] = {
        {50, 45, "GetChunk(1,45)", 45, 45},
        {50, 70, "GetChunk(1,61)", 61, 70},
        {50, 55, nullptr, 50, 55},
    };
    for (const auto& c : cases) {
        ControlFixture fx("chunk_scroll");
        ChunkHost h(fx, 100, 10);
        h.Inizia(c.from);
        h.sb().setValue(c.to);
        EXPECT_EQ(fx.Eventi(), c.request ? Eventi{c.request} : Eventi{}) << c.to;
        EXPECT_EQ(h.PrimaPosizione(), c.primo) << c.to;
        EXPECT_EQ(h.mm().PuntatoreFileLista(), c.selected) << c.to;
    }
}

TEST(QuindelListe, AHostThatDoesNotAnswerLeavesTheOldChunk) {
    ControlFixture fx("chunk_silent");
    ChunkHost h(fx, 100, 10);
    h.Inizia(50);
    fx.reg->onGetChunk = nullptr;
    h.sb().setValue(20);
    EXPECT_EQ(fx.Eventi(), Eventi{"GetChunk(1,20)"});
    EXPECT_EQ(h.PrimaPosizione(), 50);
}

TEST(QuindelListe, AHostErrorInsideGetChunkReachesTheScrollButLeavesTheListAlive) {
    ControlFixture fx("chunk_error");
    ChunkHost h(fx, 100, 10);
    h.Inizia(50);
    fx.reg->onGetChunk = [](std::uint8_t, const std::string&, std::int32_t) { throw VbError(53); };
    EXPECT_THROW(h.sb().setValue(20), VbError);
    EXPECT_FALSE(fx.q->FinestraLista(1).ScrollbarDisattivata);
    EXPECT_EQ(fx.p.api().LockedWindow(), 0);
    fx.reg->onGetChunk = nullptr;
    h.sb().setValue(55);
    EXPECT_EQ(h.mm().PuntatoreFileLista(), 55);
}

TEST(QuindelListe, AMissingChunkFileLeavesTheListEmpty) {
    ControlFixture fx("chunk_missing");
    fx.q->InitChunk(true, 1, (fx.dir / "none.lst").string(), 100, 1);
    EXPECT_EQ(fx.q->ListaMM()->ListCount(), 0);
    EXPECT_EQ(fx.p.api().LockedWindow(), 0);
    EXPECT_THROW(fx.q->InitChunk(true, 2, "x", 1, 1), VbError);
}

TEST(QuindelListe, ListFilePropertiesLoadWholeFilesAndKeepMissingOnesOut) {
    ControlFixture fx("list_props");
    const std::string file = fx.Lista("mm.lst", Voci(20));
    fx.q->setNomeFileListaMM(file);
    fx.q->setNomeFileListaMM(file);
    EXPECT_EQ(fx.q->ListaMM()->ListCount(), 40);  // loaded twice, not cleared
    EXPECT_EQ(fx.q->NomeFileListaMM(), file);
    fx.q->setNomeFileListaMM((fx.dir / "brak.lst").string());
    EXPECT_EQ(fx.q->NomeFileListaMM(), file);
    EXPECT_EQ(fx.q->ListaMM()->ListCount(), 40);
    fx.q->setNomeFileListaLemmiCollegati(fx.dir.string());  // a folder is not a list file
    EXPECT_EQ(fx.q->ListaLemmi()->ListCount(), 0);
    fx.q->setMassimoRecordListaVisibili(12);
    EXPECT_EQ(fx.q->MassimoRecordListaVisibili(), 12);
}

TEST(QuindelListe, ListClicksReachTheHostAsEvents) {
    ControlFixture fx("list_click");
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(5)));
    fx.q->setNomeFileListaLemmiCollegati(fx.Lista("lemmi.lst", Voci(3)));
    fx.q->ListaMM()->setListIndex(2);
    fx.q->CLickLista(1);
    fx.q->CLickLista(0);
    EXPECT_EQ(fx.Eventi(), (Eventi{"ClickListaOggettiMM(2)", "ClickListaLemmi(-1)"}));
    EXPECT_THROW(fx.q->CLickLista(2), VbError);
    EXPECT_TRUE(fx.Eventi().empty());
    // A user's choice in the open window: the control reports it.
    fx.q->setValorePulsante(9, 1);
    fx.Eventi();
    platform::ListBox& lb = *fx.q->FinestraLista(1).TList1();
    const platform::RectPx r = lb.ScreenRectPx();
    fx.p.Input().Click(r.left + 10, r.top + 1 + lb.RowHeight() / 15 + 3);
    fx.p.Pump();
    EXPECT_EQ(fx.Eventi(), Eventi{"ClickListaOggettiMM(1)"});
}

TEST(QuindelListe, AHostThatLetsTheControlGoInsideAListEventDoesNoHarm) {
    ControlFixture fx("list_release");
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(5)));
    fx.q->setValorePulsante(9, 1);
    platform::ListBox& lb = *fx.q->FinestraLista(1).TList1();
    const platform::RectPx r = lb.ScreenRectPx();
    struct Releaser : QuindelEvents {
        std::shared_ptr<Quindel>* held;
        void ClickListaOggettiMM(std::int32_t&) override { held->reset(); }
    };
    auto sink = std::make_shared<Releaser>();
    sink->held = &fx.q;
    fx.q->Advise(sink);
    fx.p.Input().Click(r.left + 10, r.top + 4);
    fx.p.Pump();
    EXPECT_EQ(fx.q, nullptr);
}

TEST(QuindelListe, TheHostReachesAListControllerByLateBinding) {
    ControlFixture fx("list_late");
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(5)));
    const Object mm = *GetProperty(fx.q, "ListaMM").asObjectPtr();
    EXPECT_EQ(CLng(GetProperty(mm, "ListCount")), 5);
    LetProperty(mm, "ListIndex", Variant(std::int32_t(2)));
    EXPECT_EQ(CStr(GetProperty(mm, "Descrizione")), "Opis 3");
    const Object frm = *GetProperty(mm, "frm").asObjectPtr();
    EXPECT_EQ(CLng(GetProperty(frm, "hWnd")), fx.FinestraLista(1).hWnd());
    Args none;
    CallMethod(mm, "Click", none);
    EXPECT_EQ(fx.Eventi(), Eventi{"ClickListaOggettiMM(2)"});
}
