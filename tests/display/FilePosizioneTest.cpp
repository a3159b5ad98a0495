// Position files: the line of a media file found by its name in columns 1-13, its numbers, the
// lines that never match, and numbers that are not numbers.
#include <gtest/gtest.h>

#include "display/FilePosizione.h"
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
