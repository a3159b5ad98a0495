// Packed objects are extracted where the process's temporary files go: its private folder, or the
// component's folder where the host keeps files beside it; never the library's folder, which an
// installed package cannot write.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestFolder.h"
#include "display/Estrazione.h"
#include "hostkit/ZipWriter.h"
#include "hostkit/zip/ZipExtractor.h"
#include "platform/ProcessFolder.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace quindel;
namespace fs = std::filesystem;

TEST(Estrazione, APackedObjectGoesToTheTemporaryFolder) {
    test::TestFolder t("estrazione");
    ASSERT_TRUE(test::WriteZip((t.path() / "pacco.zip").string(),
                               {{"mappa.bmp", "una mappa"}, {"testo.rtf", "{\\rtf1 tekst}"}}));
    const std::string contenuto = t.path().string() + "\\";
    struct Case {
        const char* voce;
        bool testo;
        bool accanto;  // the host named the component's folder
    } cases[] = {{"mappa.bmp", false, false},
                 {"testo.rtf", true, false},
                 {"mappa.bmp", false, true},
                 {"testo.rtf", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.voce) + (c.accanto ? " beside the component" : ""));
        headless::HeadlessPlatform p;
        const fs::path componente = t.path() / "componente";
        fs::create_directories(componente);
        if (c.accanto) p.files().setComponentFolder(componente.string());
        const std::string cartella = c.accanto ? componente.string() : platform::ProcessFolder();
        ASSERT_FALSE(cartella.empty());
        const Object blob = std::make_shared<hostkit::ZipExtractor>(p.files());
        const FileDaMostrare f =
            RisolviFileTemporaneo(p, blob, false, c.testo, contenuto, c.voce, "pacco.zip");
        EXPECT_FALSE(f.EstrazioneFallita);
        EXPECT_EQ(f.FileTemporaneo, cartella + "\\" + kFileTemporaneo);
        std::ifstream in(p.files().Resolve(f.FileTemporaneo));
        const std::string letto{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(letto, c.testo ? "{\\rtf1 tekst}" : "una mappa");
        EXPECT_TRUE(p.Boxes().Shown().empty());
    }
}
