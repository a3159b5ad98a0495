#include "display/MOD_MCI.h"

#include <optional>

#include "mci/CommandInterpreter.h"
#include "platform/MessageBox.h"
#include "platform/MultimediaCommands.h"
#include "platform/Platform.h"
#include "runtime/Coercions.h"
#include "runtime/ScopeGuard.h"
#include "support/Catalogo.h"
#include "support/FileUtil.h"
#include "support/Gestore.h"

namespace quindel {

namespace {

constexpr std::size_t kRisposta = 80;  // the status queries' reply buffer
constexpr std::size_t kNessunaRisposta = 0;

std::string TestoErrore(platform::Platform& p, std::uint32_t errore) {
    return InterpreteMultimediale(p).ErrorString(errore);
}

void Avviso(platform::Platform& p, const std::string& testo) {
    p.Box().Show(testo, platform::mb::OKOnly, p.files().ProgramName());
}

// A status query: the reply's leading number, or nothing on a device error.
std::optional<double> Stato(platform::Platform& p, const char* comando) {
    std::string risposta;
    const std::uint32_t esito = InterpreteMultimediale(p).SendString(comando, &risposta, kRisposta);
    p.DoEvents();
    if (esito != 0) return std::nullopt;
    return Val(risposta);
}

std::int32_t Numero(platform::Platform& p, const char* nome, const char* comando) {
    std::int32_t valore = 0;
    Gestore(p, nome)([&] {
        const std::optional<double> v = Stato(p, comando);
        valore = v ? CLng(*v) : 0;
    });
    return valore;
}

}  // namespace

platform::MultimediaCommands& InterpreteMultimediale(platform::Platform& p) {
    if (!p.mci()) p.setMci(mci::NewInterpreter(p));
    return *p.mci();
}

bool OpenMMM(platform::Platform& p, std::int32_t hWndParent, const std::string& NomeFile) {
    bool aperta = false;
    Gestore(p, "OpenMMM")([&] {
        platform::Screen& schermo = p.screen();
        const std::int16_t puntatore = schermo.MousePointer();
        schermo.setMousePointer(platform::pointer::Hourglass);
        if (!FileEsiste(p.files(), NomeFile)) {
            Avviso(p, LeggiMessaggio(p.files(), 560) + NomeFile + LeggiMessaggio(p.files(), 669));
            return;
        }
        // Quoted: a name with blanks in it opens too.
        const std::string comando = "open \"" + NomeFile +
                                    "\" type mmmovie alias mmmMAT style child parent " +
                                    std::to_string(hWndParent);
        const std::uint32_t esito =
            InterpreteMultimediale(p).SendString(comando, nullptr, kNessunaRisposta);
        aperta = esito == 0;
        if (!aperta) Avviso(p, LeggiMessaggio(p.files(), 576) + TestoErrore(p, esito));
        schermo.setMousePointer(puntatore);
    });
    return aperta;
}

bool CommandMMM(platform::Platform& p, const std::string& Comando, bool MostraErrore) {
    bool risultato = true;
    Gestore(p, "CommandMMM")([&] {
        platform::Screen& schermo = p.screen();
        const std::int16_t puntatore = schermo.MousePointer();
        schermo.setMousePointer(platform::pointer::Hourglass);
        ScopeExit ripristina([&] { schermo.setMousePointer(puntatore); });
        const std::uint32_t esito =
            InterpreteMultimediale(p).SendString(Comando + " mmmMAT", nullptr, kNessunaRisposta);
        if (MostraErrore && esito != 0) {
            Avviso(p, LeggiMessaggio(p.files(), 670) + TestoErrore(p, esito));
            risultato = false;
        }
    });
    return risultato;
}

bool DimensioniAnimazione(platform::Platform& p, std::int32_t& Larghezza, std::int32_t& Altezza) {
    bool riuscito = false;
    Gestore(p, "DimensioniAnimazione")([&] {
        const std::optional<double> finestra = Stato(p, "status mmmMAT window handle");
        if (!finestra) return;
        platform::RectPx r;
        if (!p.api().GetWindowRect(platform::Handle(CLng(*finestra)), r)) return;
        Larghezza = r.right - r.left;
        Altezza = r.bottom - r.top;
        riuscito = true;
    });
    return riuscito;
}

std::int32_t LunghezzaAnimazione(platform::Platform& p) {
    return Numero(p, "LunghezzaAnimazione", "status mmmMAT length");
}

std::int32_t PosizioneAnimazione(platform::Platform& p) {
    return Numero(p, "PosizioneAnimazione", "status mmmMAT position");
}

void RicominciaAnimazione(platform::Platform& p) {
    Gestore(p, "RicominciaAnimazione")([&] { Stato(p, "seek mmmMAT to start"); });
}

}  // namespace quindel
