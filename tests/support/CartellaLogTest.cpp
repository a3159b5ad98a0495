// Where the log goes when the host names no component folder: the user's state folder, or the
// folder the host names for it; never the library's folder, which an installed package cannot
// write and which a build's test runs would otherwise fill.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "SupportFixture.h"
#include "support/ModErrori.h"

using namespace quindel;
namespace fs = std::filesystem;

TEST(CartellaLog, TheLogGoesToTheStateFolderOrTheHostsFolderNotTheLibrarys) {
    test::TestFolder t("cartella_log");
    const fs::path stato = t.path() / "stato", scelta = t.path() / "scelta";
    fs::create_directories(scelta);
    const char* prima = std::getenv("XDG_STATE_HOME");
    const std::string salvato = prima ? prima : "";
    ::setenv("XDG_STATE_HOME", stato.c_str(), 1);
    ::unsetenv("QUINDEL_FOLDER");
    struct Case {
        const char* cosa;
        fs::path cartellaHost;  // empty: the host names none
        fs::path atteso;
    } cases[] = {{"the state folder", {}, stato / "quindel" / "Quindel2.LOG"},
                 {"the host's folder", scelta, scelta / "Quindel2.LOG"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cosa);
        headless::HeadlessPlatform p;
        if (!c.cartellaHost.empty()) p.files().setLogFolder(c.cartellaHost.string());
        const fs::path libreria = fs::path(p.files().ComponentFolder()) / "Quindel2.LOG";
        std::error_code ec;
        const auto dimensione = fs::file_size(libreria, ec);
        ScriviLog(p, "una riga");
        std::ifstream in(c.atteso, std::ios::binary);
        const std::string log{std::istreambuf_iterator<char>(in), {}};
        EXPECT_TRUE(log.ends_with(" una riga\"\r\n")) << log;
        std::error_code ec2;
        EXPECT_EQ(fs::file_size(libreria, ec2), dimensione)
            << "the library's folder is not written";
    }
    if (prima)
        ::setenv("XDG_STATE_HOME", salvato.c_str(), 1);
    else
        ::unsetenv("XDG_STATE_HOME");
}
