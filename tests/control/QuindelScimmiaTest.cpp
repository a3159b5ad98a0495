// The monkey: seeded random sequences of what a careless user and a hostile host do (clicks,
// presses and releases anywhere, keys and the wheel in the list windows, time passing, every
// public member with random values, message-box answers) against a host whose event handlers
// misbehave (they raise, let the control go, close it, answer GetChunk wrongly or not at all).
// After every step the panel must still hold together; a failing seed prints the steps that
// lead to it, so it can be replayed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "ControlFixture.h"
#include "hostkit/lists/PaginatoreLista.h"
#include "platform/Keys.h"
#include "platform/ListBox.h"
#include "platform/VScrollBar.h"
#include "platform/headless/HarnessError.h"

using namespace quindel;

namespace {

// Seeds run in the suite; QUINDEL_MONKEY_SEEDS runs more (say 10000, for a long trial).
int Semi() {
    const char* n = std::getenv("QUINDEL_MONKEY_SEEDS");
    return n && std::atoi(n) > 0 ? std::atoi(n) : 30;
}
constexpr int kPassi = 150;

// How the host answers, chosen again now and then by the monkey.
enum class Ospite { Corretto, Solleva, Rilascia, Chiude, ChunkSbagliato, ChunkVuoto, Muto };

class Scimmia : public QuindelEvents {
  public:
    explicit Scimmia(unsigned seme) : rng_(seme), fx_("monkey") {
        tutto_ = fx_.Lista("all.lst", test::Voci(120));
        chunk_ = (fx_.dir / "chunk.lst").string();
        pager_ = std::make_unique<hostkit::PaginatoreLista>(tutto_, 14);
        Prepara();
    }

    void Passo(int n) {
        if (!fx_.q) Prepara();
        switch (Tra(0, 9)) {
            case 0:
                Clic();
                break;
            case 1:
                PremiORilascia();
                break;
            case 2:
                Muovi();
                break;
            case 3:
                NellaLista();
                break;
            case 4:
                Tempo();
                break;
            case 5:
            case 6:
                Membro();
                break;
            case 7:
                Risposta();
                break;
            default:
                modo_ = Ospite(Tra(0, 6));
                Annota("host " + std::to_string(int(modo_)));
        }
        Verifica(n);
    }

    std::string Storia() const {
        std::ostringstream s;
        for (std::size_t i = 0; i < storia_.size(); ++i)
            s << "  " << i << ": " << storia_[i] << "\n";
        return s.str();
    }

    // The events, misbehaving as the host's mode says.
    void PulsantePremuto(std::int16_t&, std::int16_t&) override { Capriccio(); }
    void ClickListaOggettiMM(std::int32_t&) override { Capriccio(); }
    void ClickListaLemmi(std::int32_t&) override { Capriccio(); }
    void GetChunk(std::uint8_t& tipo, std::string&, std::int32_t& pos) override {
        if (!fx_.q) return;
        switch (modo_) {
            case Ospite::Muto:
                return;
            case Ospite::ChunkVuoto:
                std::ofstream(chunk_, std::ios::trunc).close();
                fx_.q->InitChunk(false, tipo, chunk_, pager_->Totale(), pos);
                return;
            case Ospite::ChunkSbagliato:
                pager_->ScriviChunk(chunk_, pos + Tra(-30, 30));
                fx_.q->InitChunk(Tra(0, 1), Tra(0, 1), chunk_, Tra(0, 200), pos + Tra(-5, 5));
                return;
            default:
                pager_->ScriviChunk(chunk_, pos);
                fx_.q->InitChunk(false, tipo, chunk_, pager_->Totale(), pos);
                Capriccio();
        }
    }

  private:
    int Tra(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng_); }
    void Annota(std::string s) { storia_.push_back(std::move(s)); }

    // A new control on the host form, with both lists: one short, one long and paged.
    void Prepara() {
        if (!fx_.host->Alive()) {
            fx_.host = fx_.p.NewForm();
            fx_.host->Move(1500, 1500, 9900, 4500);
        }
        fx_.q = Quindel::Crea(fx_.p, *fx_.host);
        fx_.q->Finestra().Move(0, 0, 9600, 600);
        fx_.host->Show();
        const auto self = std::shared_ptr<Scimmia>(std::shared_ptr<Scimmia>{}, this);
        fx_.q->Advise(self);
        fx_.q->setNomeFileListaLemmiCollegati(fx_.Lista("lemmi.lst", test::Voci(Tra(0, 20))));
        fx_.q->ListaMM()->setNomeFileLista(chunk_);
        pager_->ScriviChunk(chunk_, 1);
        fx_.q->InitChunk(true, 1, chunk_, pager_->Totale(), 1);
        Annota("new control");
    }

    void Capriccio() {
        switch (modo_) {
            case Ospite::Solleva:
                throw VbError(5, "Host", "the host's handler failed");
            case Ospite::Rilascia:
                modo_ = Ospite::Corretto;
                fx_.q.reset();
                return;
            case Ospite::Chiude:
                modo_ = Ospite::Corretto;
                if (fx_.q) fx_.q->Chiudi(Variant(bool(Tra(0, 1))));
                return;
            default:
                return;
        }
    }

    // Runs a user or host action; a run-time error reaching the host's call is the host's.
    template <class F>
    void Fai(std::string cosa, F&& f) {
        Annota(std::move(cosa));
        try {
            f();
        } catch (const VbError&) {
        }
    }

    platform::PointPx PuntoSulPannello() {
        const platform::RectPx r = fx_.q->Finestra().ScreenRectPx();
        return {Tra(r.left, r.right), Tra(r.top, r.bottom)};
    }

    void Clic() {
        const platform::PointPx c = PuntoSulPannello();
        Fai("click " + std::to_string(c.x) + "," + std::to_string(c.y), [&] {
            fx_.p.Input().MoveTo(c.x, c.y).Press().Release();
            Esci();
        });
    }

    void PremiORilascia() {
        const platform::PointPx c = PuntoSulPannello();
        const bool premi = Tra(0, 1);
        Fai(std::string(premi ? "press " : "release ") + std::to_string(c.x), [&] {
            fx_.p.Input().MoveTo(c.x, c.y);
            premi ? fx_.p.Input().Press() : fx_.p.Input().Release();
            Esci();
        });
    }

    // A person's pointer does not rest on the panel for ever: it leaves after a while, which ends
    // the toolbar's hover wait (with the script used up, that wait would be a stall).
    void Esci() {
        fx_.p.Input().MoveTo(1, 1, Tra(0, 1500));
        fx_.p.RunFor(Tra(0, 2000));
    }

    void Muovi() {
        const int x = Tra(0, 1023), y = Tra(0, 767);
        Fai("move " + std::to_string(x) + "," + std::to_string(y), [&] {
            fx_.p.Input().MoveTo(x, y);
            Esci();
        });
    }

    // A click, a key or the wheel in a list window that is open.
    void NellaLista() {
        frm_Lista& f = fx_.q->FinestraLista(Tra(0, 1));
        if (!f.Form()->IsShown()) return;
        const platform::RectPx r = f.TList1()->ScreenRectPx();
        const int x = Tra(r.left, r.right), y = Tra(r.top, r.bottom);
        static constexpr std::int16_t kTasti[] = {platform::key::Up,     platform::key::Down,
                                                  platform::key::PageUp, platform::key::PageDown,
                                                  platform::key::Home,   platform::key::End,
                                                  platform::key::Return, platform::key::Escape};
        const int scelta = Tra(0, 9);
        Fai("list " + std::to_string(scelta) + " at " + std::to_string(x) + "," + std::to_string(y),
            [&] {
                if (scelta == 8)
                    fx_.p.Input().Click(x, y);
                else if (scelta == 9)
                    fx_.p.Input().MoveTo(x, y).Wheel(Tra(-3, 3));
                else
                    fx_.p.Input().Key(kTasti[scelta]);
                Esci();
            });
    }

    void Tempo() {
        const int ms = Tra(0, 3000);
        Fai("time " + std::to_string(ms), [&] { fx_.p.RunFor(ms); });
    }

    Variant Valore() {
        switch (Tra(0, 6)) {
            case 0:
                return Variant::Missing();
            case 1:
                return bool(Tra(0, 1));
            case 2:
                return std::int16_t(Tra(-2, 20));
            case 3:
                return std::int32_t(Tra(-100000, 100000));
            case 4:
                return std::string(std::size_t(Tra(0, 3)), 'x');
            case 5:
                return Object();
            default:
                return std::int16_t(99);
        }
    }

    void Membro() {
        const auto& membri = fx_.q->dispatchTable().members();
        const MemberSpec& m = membri[std::size_t(Tra(0, int(membri.size()) - 1))];
        const CallKind kind = CallKind(1 << Tra(0, 3));
        Args args;
        for (int i = Tra(0, 5); i > 0; --i) args.push_back(Valore());
        Fai("member " + m.name + " kind " + std::to_string(int(kind)) + " args " +
                std::to_string(args.size()),
            [&] {
                const auto tieni = fx_.q;  // as a host's own reference during its call
                tieni->Invoke(m.id, kind, args);
            });
    }

    void Risposta() {
        const std::int16_t risposte[] = {1, 2, 3, 4, 5};  // OK, Cancel, Abort, Retry, Ignore
        const std::int16_t r = risposte[Tra(0, 4)];
        Annota("answer " + std::to_string(r));
        fx_.p.Boxes().QueueAnswer(r);
    }

    // What must hold between steps, whatever happened.
    void Verifica(int passo) {
        if (!fx_.q || !fx_.host->Alive() || fx_.q->InChiusura()) {
            fx_.q.reset();
            return;
        }
        int aperte = 0;
        for (int i = 0; i < 2; ++i) {
            frm_Lista& f = fx_.q->FinestraLista(i);
            if (f.Form()->Alive() && f.Form()->Visible()) ++aperte;
            const ClasseTLista& l = i == 0 ? *fx_.q->ListaLemmi() : *fx_.q->ListaMM();
            ASSERT_LE(l.ListCount(), l.NumeroRecord()) << "step " << passo;
            ASSERT_LT(l.ListIndex(), std::max(l.ListCount(), 1)) << "step " << passo;
        }
        ASSERT_LE(aperte, 1) << "step " << passo;
        ASSERT_EQ(fx_.p.screen().MousePointer(), platform::pointer::Default) << "step " << passo;
    }

    std::mt19937 rng_;
    test::ControlFixture fx_;
    std::string tutto_, chunk_;
    std::unique_ptr<hostkit::PaginatoreLista> pager_;
    Ospite modo_ = Ospite::Corretto;
    std::vector<std::string> storia_;
};

}  // namespace

TEST(QuindelScimmia, RandomUsersAndHostsNeverBreakThePanel) {
    for (unsigned seme = 1; seme <= unsigned(Semi()); ++seme) {
        auto scimmia = std::make_shared<Scimmia>(seme);
        for (int n = 0; n < kPassi && !testing::Test::HasFatalFailure(); ++n) {
            try {
                scimmia->Passo(n);
            } catch (const headless::HarnessError& e) {
                ADD_FAILURE() << "stalled at step " << n << ": " << e.what();
                break;
            }
        }
        if (testing::Test::HasFailure()) {
            ADD_FAILURE() << "seed " << seme << " fails after:\n" << scimmia->Storia();
            return;
        }
    }
}
