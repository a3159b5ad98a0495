// A hostile host and a careless user: every member called after the panel is closed or its form
// is gone, host errors raised from inside events, and empty answers to GetChunk.
#include <gtest/gtest.h>

#include <fstream>

#include "ControlFixture.h"
#include "hostkit/lists/PaginatoreLista.h"
#include "platform/Screen.h"
#include "platform/VScrollBar.h"
#include "runtime/VbError.h"

using namespace quindel;
using quindel::test::ControlFixture;
using quindel::test::Voci;

namespace {

// A plausible value of a declared type, for calls made without knowing the member.
Variant Campione(ParamType t) {
    switch (t) {
        case ParamType::Boolean:
            return true;
        case ParamType::Byte:
            return std::uint8_t(1);
        case ParamType::Integer:
            return std::int16_t(1);
        case ParamType::Long:
            return std::int32_t(1);
        case ParamType::Single:
            return 1.0f;
        case ParamType::Double:
            return 1.0;
        case ParamType::String:
            return "x";
        case ParamType::Object:
        case ParamType::Form:
            return Object();
        default:
            return std::int16_t(1);
    }
}

// Calls every member of the control in every kind it declares, by late binding; a member with
// a button index is called for a button (1) and for the slider (99). Returns, per "Name kind",
// the run-time error the last call raised (0 for none); anything else escaping is a failure.
std::map<std::string, int> ChiamaTutto(Quindel& q) {
    std::map<std::string, int> esiti;
    const CallKind kinds[] = {CallKind::Get, CallKind::Let, CallKind::Set, CallKind::Method};
    const char* nomi[] = {"Get", "Let", "Set", "Method"};
    for (const MemberSpec& m : q.dispatchTable().members()) {
        if (m.name == "Termina") continue;  // ends the panel: the table goes on without it
        const bool indicizzato = !m.params.empty() && m.params[0].name == "Indice";
        for (int k = 0; k < 4; ++k) {
            if (!HasKind(m.kinds, kinds[k])) continue;
            for (std::int16_t indice : {1, 99}) {
                if (indice == 99 && !indicizzato) continue;
                Args args;
                for (const ParamSpec& p : m.params) args.push_back(Campione(p.type));
                if (indicizzato) args[0] = indice;
                if (kinds[k] == CallKind::Let || kinds[k] == CallKind::Set)
                    args.push_back(Campione(m.valueType));
                int numero = 0;
                try {
                    q.Invoke(m.id, kinds[k], args);
                } catch (const VbError& e) {
                    numero = e.number();
                }
                esiti[m.name + " " + nomi[k]] = numero;
            }
        }
    }
    return esiti;
}

// The members that work on the panel's buttons or run commands: with no panel they fail with 91.
const char* const kMembriDelPannello[] = {"ValorePulsante Get",
                                          "ValorePulsante Let",
                                          "IsPulsanteAbilitato Get",
                                          "IsPulsanteAbilitato Let",
                                          "IsPulsanteVisibile Get",
                                          "IsPulsanteVisibile Let",
                                          "ToolTipPulsante Get",
                                          "ToolTipPulsante Let",
                                          "SalvaSituazionePrecedentePulsanti Method",
                                          "Chiudi Method",
                                          "ChiudiTutteLeformAperte Method"};

void VerificaSenzaPannello(ControlFixture& fx) {
    const auto esiti = ChiamaTutto(*fx.q);
    for (const char* membro : kMembriDelPannello) EXPECT_EQ(esiti.at(membro), 91) << membro;
    for (const auto& [membro, numero] : esiti)
        EXPECT_TRUE(numero == 0 || numero == 91 || numero == 9) << membro << " raised " << numero;
    // No command ran: only the events a host asks for by name (CLickLista, ChiediNuovoChunk).
    for (const std::string& e : fx.Eventi())
        EXPECT_TRUE(e.starts_with("ClickLista") || e.starts_with("GetChunk")) << e;
    EXPECT_EQ(fx.p.screen().MousePointer(), platform::pointer::Default);
}

}  // namespace

TEST(QuindelRobustezza, EveryMemberAfterCloseFailsCleanly) {
    ControlFixture fx("robust_closed");
    fx.q->Chiudi();
    fx.Eventi();
    VerificaSenzaPannello(fx);
}

TEST(QuindelRobustezza, EveryMemberAfterTheHostFormIsGoneFailsCleanly) {
    ControlFixture fx("robust_formless");
    fx.host->Unload();
    VerificaSenzaPannello(fx);
    EXPECT_THROW(fx.q->setValorePulsante(13, 0), VbError);
    EXPECT_TRUE(fx.Eventi().empty());
}

TEST(QuindelRobustezza, AHostErrorWhileOneListReplacesTheOtherLeavesOneListOpen) {
    struct Sink : QuindelEvents {
        bool fail = false;
        void PulsantePremuto(std::int16_t& i, std::int16_t& v) override {
            if (fail && i == 3 && v == -1) throw VbError(5);
        }
    };
    ControlFixture fx("robust_lists");
    auto sink = std::make_shared<Sink>();
    fx.q->Advise(sink);
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(5)));
    fx.q->setNomeFileListaLemmiCollegati(fx.Lista("lemmi.lst", Voci(3)));
    fx.q->setValorePulsante(9, -1);
    ASSERT_TRUE(fx.FinestraLista(1).Visible());
    sink->fail = true;
    EXPECT_THROW(fx.q->setValorePulsante(3, -1), VbError);
    EXPECT_TRUE(fx.FinestraLista(0).Visible());
    EXPECT_FALSE(fx.FinestraLista(1).Visible());
    EXPECT_EQ(fx.q->ValorePulsante(9), 0);
    EXPECT_EQ(fx.p.screen().MousePointer(), platform::pointer::Default);
}

TEST(QuindelRobustezza, AnErrorLeavingAnyCommandRestoresThePointer) {
    struct Sink : QuindelEvents {
        void PulsantePremuto(std::int16_t&, std::int16_t&) override { throw VbError(7); }
    };
    for (std::int16_t comando : {1, 12, 13, 17}) {
        ControlFixture fx("robust_pointer");
        fx.q->Advise(std::make_shared<Sink>());
        EXPECT_THROW(fx.q->setValorePulsante(comando, 0), VbError) << comando;
        EXPECT_EQ(fx.p.screen().MousePointer(), platform::pointer::Default) << comando;
    }
}

TEST(QuindelRobustezza, AnEmptyChunkDoesNotStopPaging) {
    ControlFixture fx("robust_empty_chunk");
    const std::string chunk = (fx.dir / "chunk.lst").string();
    std::ofstream(chunk).close();
    hostkit::PaginatoreLista pager(fx.Lista("all.lst", Voci(100)), 14);
    fx.q->ListaMM()->setNomeFileLista(chunk);
    fx.q->InitChunk(true, 1, chunk, 100, 1);
    ASSERT_EQ(fx.q->ListaMM()->ListCount(), 0);
    fx.reg->onGetChunk = [&](std::uint8_t tipo, const std::string&, std::int32_t pos) {
        pager.ScriviChunk(chunk, pos);
        fx.q->InitChunk(false, tipo, chunk, pager.Totale(), pos);
    };
    fx.q->FinestraLista(1).VScroll1()->setValue(30);
    EXPECT_EQ(fx.Eventi(), std::vector<std::string>{"GetChunk(1,30)"});
    EXPECT_EQ(fx.q->ListaMM()->ListCount(), 14);
    EXPECT_EQ(fx.q->ListaMM()->PuntatoreFileLista(), 30);
}

// Chunk files the host names but that are not (or no longer) what it says: the page already shown
// stays, the scroll bar stays live, and the next scroll asks again.
TEST(QuindelRobustezza, ABrokenChunkFileKeepsThePageShownAndPagingAlive) {
    enum class Guasto { Cartella, Mancante, Vuoto, Ridotto };
    struct Caso {
        const char* nome;
        Guasto guasto;
        std::int32_t righeDopo;  // rows shown after the broken answer
    } casi[] = {
        {"a folder", Guasto::Cartella, 14},
        {"missing", Guasto::Mancante, 14},
        {"empty", Guasto::Vuoto, 0},
        {"shrunk to half a record", Guasto::Ridotto, 1},  // a torn record still shows
    };
    for (const Caso& c : casi) {
        ControlFixture fx("robust_broken_chunk");
        const std::string chunk = (fx.dir / "chunk.lst").string();
        hostkit::PaginatoreLista pager(fx.Lista("all.lst", Voci(100)), 14);
        ASSERT_TRUE(pager.ScriviChunk(chunk, 1));
        fx.q->ListaMM()->setNomeFileLista(chunk);
        fx.q->InitChunk(true, 1, chunk, 100, 1);
        ASSERT_EQ(fx.q->ListaMM()->ListCount(), 14) << c.nome;
        const std::string guasto = (fx.dir / "guasto.lst").string();
        if (c.guasto == Guasto::Cartella) std::filesystem::create_directory(guasto);
        if (c.guasto == Guasto::Vuoto) std::ofstream(guasto).close();
        if (c.guasto == Guasto::Ridotto) {
            ASSERT_TRUE(pager.ScriviChunk(guasto, 30));
            std::filesystem::resize_file(guasto, std::filesystem::file_size(guasto) / 28);
        }
        bool rotto = true;
        fx.reg->onGetChunk = [&](std::uint8_t tipo, const std::string&, std::int32_t pos) {
            const std::string file = rotto ? guasto : chunk;
            if (!rotto) pager.ScriviChunk(chunk, pos);
            fx.q->InitChunk(false, tipo, file, pager.Totale(), pos);
        };
        fx.q->FinestraLista(1).VScroll1()->setValue(30);
        EXPECT_EQ(fx.q->ListaMM()->ListCount(), c.righeDopo) << c.nome;
        rotto = false;
        fx.q->FinestraLista(1).VScroll1()->setValue(31);
        fx.q->FinestraLista(1).VScroll1()->setValue(60);
        EXPECT_EQ(fx.q->ListaMM()->ListCount(), 14) << c.nome;
    }
}
