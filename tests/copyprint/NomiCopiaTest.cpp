// The names a copy to a file goes under, from FilePerCopia.
#include <gtest/gtest.h>

#include "copyprint/NomiCopia.h"

namespace quindel {
namespace {

TEST(NomiCopiaTest, NamesFromFilePerCopia) {
    const struct {
        const char* file;
        const char *nome, *cartella, *copia, *rtf, *bmp;
    } casi[] = {
        // A three-letter extension goes; the picture then takes ".bmp" beside it.
        {"C:\\Kopie\\haslo.rtf", "C:\\Kopie\\haslo", "C:\\Kopie\\", "haslo", "C:\\Kopie\\haslo.rtf",
         "C:\\Kopie\\haslo.bmp"},
        {"/tmp/k/obraz.BMP", "/tmp/k/obraz", "/tmp/k/", "obraz", "/tmp/k/obraz.rtf",
         "/tmp/k/obraz.bmp"},
        // ".RTF" left inside the name, in any case, is cut from the picture's name.
        {"D:\\a\\x.Rtf.txt", "D:\\a\\x.Rtf", "D:\\a\\", "x", "D:\\a\\x.Rtf", "D:\\a\\x.bmp"},
        // Four characters or fewer: unchanged.
        {"a.rt", "a.rt", "", "a.rt", "a.rt", "a.rt.bmp"},
        {"abcd", "abcd", "", "abcd", "abcd.rtf", "abcd.bmp"},
        // No extension to drop; a dot elsewhere stays.
        {"/tmp/wersja.2/kopia", "/tmp/wersja.2/kopia", "/tmp/wersja.2/", "kopia",
         "/tmp/wersja.2/kopia.rtf", "/tmp/wersja.2/kopia.bmp"},
        // Code points are counted, not bytes.
        {"\u017C\u00F3\u0142w.rtf", "\u017C\u00F3\u0142w", "", "\u017C\u00F3\u0142w",
         "\u017C\u00F3\u0142w.rtf", "\u017C\u00F3\u0142w.bmp"},
        {"", "", "", "", ".rtf", ".bmp"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.file);
        const NomiCopia n = NomiCopia::Da(c.file);
        EXPECT_EQ(n.NomeFileCopia, c.nome);
        EXPECT_EQ(n.CartellaCopia, c.cartella);
        EXPECT_EQ(n.NomeCopia, c.copia);
        EXPECT_EQ(n.FileRtf(), c.rtf);
        EXPECT_EQ(n.FileBmp(), c.bmp);
    }
}

}  // namespace
}  // namespace quindel
