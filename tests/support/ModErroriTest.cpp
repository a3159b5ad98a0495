#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "SupportFixture.h"
#include "platform/MessageBox.h"
#include "runtime/VbError.h"
#include "support/Gestore.h"
#include "support/ModErrori.h"

using namespace quindel;
using quindel::platform::mb::Cancel;
using quindel::platform::mb::OK;
using quindel::platform::mb::Retry;
using quindel::test::CatalogueLine;
using quindel::test::SupportFixture;

namespace {
void WriteFullCatalogue(const SupportFixture& fx) {
    std::vector<std::string> lines = {CatalogueLine("620", "Proc: "), CatalogueLine("621", " nr "),
                                      CatalogueLine("622", "Błąd w: "),
                                      CatalogueLine("623", "Numer: ")};
    for (int code : {624, 625, 627, 629, 671, 672, 673, 674})
        lines.push_back(CatalogueLine(std::to_string(code), "wyjaśnienie " + std::to_string(code)));
    fx.WriteCatalogue(lines);
}
}  // namespace

TEST(GestioneErrore, ExplanationAndStyleFollowTheErrorNumber) {
    SupportFixture fx("err_table");
    WriteFullCatalogue(fx);
    struct Case {
        std::int32_t number;
        std::string line3;
        std::int32_t style;
    } cases[] = {
        {70, "wyjaśnienie 624", 37},
        {71, "wyjaśnienie 624", 37},
        {3051, "wyjaśnienie 625", 21},
        {3196, "wyjaśnienie 625", 21},
        {3006, "wyjaśnienie 625", 21},
        {3061, StandardErrorText(3061), 16},
        {3300, StandardErrorText(3300), 16},
        {3044, "wyjaśnienie 671", 16},
        {3043, "wyjaśnienie 672", 16},
        {57, "wyjaśnienie 627", 21},
        {55, "wyjaśnienie 673", 21},
        {53, "wyjaśnienie 629", 16},
        {61, "wyjaśnienie 674", 16},
        {5, "Invalid procedure call or argument", 16},
        {31999, "Application-defined or object-defined error", 16},
    };
    for (const auto& c : cases) {
        fx.p.Boxes().ClearShown();
        GestioneErrore(fx.p, "Drukuj", c.number);
        ASSERT_EQ(fx.p.Boxes().Shown().size(), 1u);
        const auto& box = fx.p.Boxes().Shown()[0];
        // Catalogue texts are trimmed, so the labels lose their trailing blanks.
        EXPECT_EQ(box.text, "Błąd w:Drukuj\rNumer:" + std::to_string(c.number) + "\r" + c.line3)
            << c.number;
        EXPECT_EQ(box.style, c.style) << c.number;
        EXPECT_EQ(box.title, "");
    }
}

TEST(GestioneErrore, ReturnsTheAnswerAndLogsADatedLinePerReport) {
    SupportFixture fx("err_log");
    WriteFullCatalogue(fx);
    fx.p.Boxes().QueueAnswer(Retry);
    EXPECT_EQ(GestioneErrore(fx.p, "Drukuj", 71), Retry);
    EXPECT_EQ(GestioneErrore(fx.p, "Kopiuj", 53), OK);
    EXPECT_EQ(GestioneErrore(fx.p, "Kopiuj", 55), Cancel);
    // The headless calendar starts at 2026-01-02 10:20:30 and moves with virtual time.
    const std::string line = "\"- 02-01-2026 10:20:30 Proc:Drukujnr71\"\r\n";
    EXPECT_EQ(fx.ReadLog(), ACodePage(line + "\"- 02-01-2026 10:20:30 Proc:Kopiujnr53\"\r\n" +
                                      "\"- 02-01-2026 10:20:30 Proc:Kopiujnr55\"\r\n"));
}

TEST(GestioneErrore, WithoutCatalogueTheBoxHoldsOnlyNameAndNumber) {
    SupportFixture fx("err_nocat");
    GestioneErrore(fx.p, "Kopiuj", 61);
    EXPECT_EQ(fx.p.Boxes().Shown().at(0).text, "Kopiuj\r61\r");
    EXPECT_EQ(fx.ReadLog(), "\"- 02-01-2026 10:20:30 Kopiuj61\"\r\n");
}

TEST(GestioneErrore, AnUnwritableLogIsSkippedAndTheBoxStillShows) {
    SupportFixture fx("err_nolog");
    fx.p.files().setComponentFolder((fx.root / "no" / "such" / "folder").string());
    EXPECT_EQ(GestioneErrore(fx.p, "Paint", 53), OK);
    EXPECT_EQ(fx.p.Boxes().Shown().size(), 1u);
    // A folder where the log file should be: opening it for appending fails too.
    fx.p.files().setComponentFolder(fx.folder.string());
    std::filesystem::create_directory(fx.folder / "Quindel2.LOG");
    EXPECT_EQ(GestioneErrore(fx.p, "Paint", 53), OK);
    EXPECT_EQ(fx.p.Boxes().Shown().size(), 2u);
}

// The log's folder may be shared: a link planted at its name is not written through, and a FIFO
// there neither blocks the report nor takes the line.
TEST(GestioneErrore, ALinkOrAFifoAtTheLogsNameIsNeverWritten) {
    SupportFixture fx("err_planted");
    const std::filesystem::path log = fx.folder / "Quindel2.LOG", victim = fx.folder / "victim";
    std::ofstream(victim) << "precious";
    std::filesystem::create_symlink(victim, log);
    EXPECT_EQ(GestioneErrore(fx.p, "Paint", 53), OK);
    std::ifstream in(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "precious");
    std::filesystem::remove(log);
    ASSERT_EQ(::mkfifo(log.c_str(), 0600), 0);
    EXPECT_EQ(GestioneErrore(fx.p, "Paint", 53), OK);
    EXPECT_EQ(fx.p.Boxes().Shown().size(), 2u);
}

TEST(Gestore, RetryRunsTheFailedStepAgainAndOtherAnswersAbandonTheProcedure) {
    SupportFixture fx("err_handler");
    fx.p.Boxes().QueueAnswer(Retry);
    std::vector<std::string> ran;
    int failures = 2;
    Gestore h(fx.p, "Stampa");
    h([&] {
        ran.push_back("step 1");
        if (failures-- > 0) throw VbError(71);
    });
    h([&] { ran.push_back("step 2"); });
    // First failure: Retry. Second: the queue is empty, the box answers Cancel.
    EXPECT_EQ(ran, (std::vector<std::string>{"step 1", "step 1"}));
    EXPECT_TRUE(h.Abbandonato());
    EXPECT_EQ(fx.p.Boxes().Shown().size(), 2u);
}

TEST(Gestore, ProgrammingErrorsAreNotSwallowed) {
    SupportFixture fx("err_logic");
    Gestore h(fx.p, "X");
    EXPECT_THROW(h([] { throw std::logic_error("bug"); }), std::logic_error);
    EXPECT_TRUE(fx.p.Boxes().Shown().empty());
}

// A missing catalogue empties every tooltip and explanation: the person is told once, with the
// folder it was looked for in, and the log keeps a line of it.
TEST(SegnalaCatalogoMancante, AMissingCatalogueIsReportedOnceWithItsFolder) {
    enum class Dove { Accanto, NellaCartellaSopra, Assente };
    for (const Dove dove : {Dove::Accanto, Dove::NellaCartellaSopra, Dove::Assente}) {
        SCOPED_TRACE(int(dove));
        SupportFixture fx("err_catalogue");
        if (dove == Dove::Accanto) fx.WriteCatalogue({CatalogueLine("620", "Proc: ")});
        if (dove == Dove::NellaCartellaSopra) fx.WriteRaw(fx.root, "620\r\n");
        for (int volte = 0; volte < 3; ++volte) SegnalaCatalogoMancante(fx.p);
        const auto& shown = fx.p.Boxes().Shown();
        if (dove != Dove::Assente) {
            EXPECT_TRUE(shown.empty());
            EXPECT_EQ(fx.ReadLog(), "");
            continue;
        }
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_NE(shown[0].text.find("Quindel.bin"), std::string::npos) << shown[0].text;
        EXPECT_NE(shown[0].text.find(fx.folder.string()), std::string::npos) << shown[0].text;
        EXPECT_EQ(shown[0].style, platform::mb::Exclamation);
        EXPECT_EQ(fx.ReadLog(), ACodePage("\"- 02-01-2026 10:20:30 Brak katalogu komunikatów "
                                          "Quindel.bin w " +
                                          fx.folder.string() + "\"\r\n"));
    }
}
