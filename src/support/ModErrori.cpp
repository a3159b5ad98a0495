#include "support/ModErrori.h"

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/SafeFile.h"
#include "runtime/CodePage.h"
#include "runtime/DateTime.h"
#include "runtime/ErrorHandling.h"
#include "runtime/VbError.h"
#include "support/Catalogo.h"
#include "support/FileUtil.h"

namespace quindel {

namespace {

struct Spiegazione {
    std::int32_t codice;  // catalogue code of line 3, 0 for the standard error text
    std::int32_t stile;
};

constexpr std::int32_t kRetryCancelQuestion = platform::mb::RetryCancel | platform::mb::Question;
constexpr std::int32_t kRetryCancelCritical = platform::mb::RetryCancel | platform::mb::Critical;
constexpr std::int32_t kOkCritical = platform::mb::OKOnly | platform::mb::Critical;

Spiegazione Classifica(std::int32_t numero) {
    switch (numero) {
        case 70:
        case 71:
            return {624, kRetryCancelQuestion};
        case 3051:
        case 3196:
        case 3006:
            return {625, kRetryCancelCritical};
        case 3044:
            return {671, kOkCritical};
        case 3043:
            return {672, kOkCritical};
        case 57:
            return {627, kRetryCancelCritical};
        case 55:
            return {673, kRetryCancelCritical};
        case 53:
            return {629, kOkCritical};
        case 61:
            return {674, kOkCritical};
        default:
            return {0, kOkCritical};  // 3061, 3300 and every other number
    }
}

}  // namespace

std::int16_t GestioneErrore(platform::Platform& p, std::string_view NomeProcedura,
                            std::int32_t NumeroErrore) {
    const platform::FileSystem& files = p.files();
    const std::string numero = std::to_string(NumeroErrore);
    const std::string nome(NomeProcedura);
    const std::string testoLog =
        LeggiMessaggio(files, 620) + nome + LeggiMessaggio(files, 621) + numero;
    const Spiegazione s = Classifica(NumeroErrore);
    const std::string riga3 =
        s.codice != 0 ? LeggiMessaggio(files, s.codice) : StandardErrorText(NumeroErrore);
    const std::string testoBox = LeggiMessaggio(files, 622) + nome + "\r" +
                                 LeggiMessaggio(files, 623) + numero + "\r" + riga3;
    ScriviLog(p, testoLog);
    return p.Box().Show(testoBox, s.stile, "");
}

void SegnalaCatalogoMancante(platform::Platform& p) {
    // The mark lives with the platform, so every panel of one host shares it.
    struct CatalogoMancanteSegnalato {};
    if (p.Service<CatalogoMancanteSegnalato>() || CatalogoPresente(p.files())) return;
    p.setService(std::make_shared<CatalogoMancanteSegnalato>());
    const platform::FileSystem& files = p.files();
    // Beside the component its parent folder is looked in too; elsewhere each folder is named.
    std::string cartelle = files.ComponentFolder(), altrove = "\nani w folderze nadrzędnym.";
    if (!files.FilesBesideComponent()) {
        const std::vector<std::string> dati = files.DataFolders();
        cartelle = dati.empty() ? std::string() : dati.front();
        altrove.clear();
        for (std::size_t i = 1; i < dati.size(); ++i) altrove += "\nani w folderze:\n" + dati[i];
    }
    ScriviLog(p, "Brak katalogu komunikatów Quindel.bin w " + cartelle);
    p.Box().Show("Nie znaleziono katalogu komunikatów Quindel.bin w folderze:\n" + cartelle +
                     altrove + "\nPodpowiedzi przycisków i objaśnienia błędów będą puste.",
                 platform::mb::OKOnly | platform::mb::Exclamation, files.ProgramName());
}

std::string PercorsoLog(platform::Platform& p) {
    const std::string cartella = p.files().LogFolder();
    if (cartella.empty()) return {};
    return TogliBarraFinale(cartella) + "\\" + p.files().ProgramName() + ".LOG";
}

void ScriviLog(platform::Platform& p, std::string_view Testo) {
    const std::string riga =
        "\"- " + FormatDataOra(std::time_t(p.CalendarTime())) + " " + std::string(Testo) + "\"\r\n";
    // A log that cannot be written in the code page is not written: reporting goes on. The
    // folder may be shared: a link, a FIFO or a device at the log's name is never written.
    std::string bytes;
    const std::string percorso = PercorsoLog(p);
    if (percorso.empty() || IgnoraErrori([&] { bytes = ACodePage(riga); })) return;
    platform::AppendToFile(p.files().Resolve(percorso), bytes);
}

}  // namespace quindel
