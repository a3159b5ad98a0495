// Position files: the line of a media file found by its name in columns 1-13, its numbers, the
// lines that never match, and numbers that are not numbers.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "TestFolder.h"
#include "display/FilePosizione.h"
#include "platform/headless/HeadlessPlatform.h"
#include "runtime/VbError.h"

using namespace quindel;

TEST(FilePosizione, LinesAreFoundByNameAndReadByColumn) {
    const std::string file =
        "other.dcr      100  200 5\r\n"
        "\r\n"
        "  movie.dcr      240  320150  \r\n"
        "MOVIE.DCR      999  999 1\r\n"
        "averyverylongname.dcr  10   10 1\n";
    struct Case {
        const char* nome;
        bool trovato;
        std::int32_t h, w, n;
    } cases[] = {
        {"MOVIE.DCR", true, 240, 320, 150},  // the first matching line only, names in any case
        {" movie.dcr ", true, 240, 320, 150},
        {"other.dcr", true, 100, 200, 5},
        {"averyverylongname.dcr", false, 0, 0, 0},  // longer than 13 columns: never matches
        {"", false, 0, 0, 0},                       // an empty line matches nothing
        {"absent.dcr", false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const auto r = CercaPosizione(file, c.nome, true);
        ASSERT_EQ(r.has_value(), c.trovato) << c.nome;
        if (!r) continue;
        EXPECT_EQ(r->AltezzaPx, c.h) << c.nome;
        EXPECT_EQ(r->LarghezzaPx, c.w) << c.nome;
        EXPECT_EQ(r->Lunghezza, c.n) << c.nome;
    }
}

TEST(FilePosizione, AMatchingLineWithoutNumbersIsATypeMismatch) {
    for (const char* riga : {"pano.jpg       abc  320", "pano.jpg            320", "pano.jpg"}) {
        try {
            CercaPosizione(riga, "pano.jpg", false);
            ADD_FAILURE() << riga;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), 13) << riga;
        }
    }
}

// A few bytes of a hostile content folder may ask for any window: it stays within twice the
// screen each way (the headless screen is 1024 x 768 pixels at 15 twips), and a position file
// that is a FIFO is passed over, never waited on.
TEST(FilePosizione, SizesStayWithinTheScreenAndOnlyRegularFilesAreRead) {
    test::TestFolder t("posizione");
    headless::HeadlessPlatform p;
    const std::string cartella = t.path().string() + "\\";  // as content names folders
    std::ofstream(t.path() / "pano.jpg") << "x";
    struct Case {
        const char* riga;
        std::int32_t altezza, larghezza;  // twips
    } cases[] = {
        {"pano.jpg       240  320", 240 * 15, 320 * 15},
        {"pano.jpg     99999 99999", 1536 * 15, 2048 * 15},
        {"pano.jpg     -9999 -9999", 0, 0},
    };
    for (const Case& c : cases) {
        std::ofstream(t.path() / "PosQTVR.bin") << c.riga << "\r\n";
        const PosizioneFinestra f = LeggiPosizione3D(p, cartella + "pano.jpg");
        EXPECT_EQ(f.Altezza, c.altezza) << c.riga;
        EXPECT_EQ(f.Larghezza, c.larghezza) << c.riga;
    }
    std::filesystem::remove(t.path() / "PosQTVR.bin");
    ASSERT_EQ(::mkfifo((t.path() / "PosQTVR.bin").c_str(), 0600), 0);
    const PosizioneFinestra f = LeggiPosizione3D(p, cartella + "pano.jpg");
    EXPECT_EQ(f.Altezza, 6000);
    EXPECT_EQ(f.Larghezza, 9000);
}
