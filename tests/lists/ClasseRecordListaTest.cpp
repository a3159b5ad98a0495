// The entry's texts behave as fixed-width fields although they are kept trimmed.
#include <gtest/gtest.h>
#include <malloc.h>

#include <vector>

#include "lists/ClasseRecordLista.h"
#include "runtime/Text.h"

using namespace quindel;
using Campo = ClasseRecordLista::Campo;

TEST(ClasseRecordLista, TextsActAsFixedWidthFields) {
    struct Caso {
        Campo campo;
        std::string assegnato;
        std::string s;  // what the "s" reader gives
    } casi[] = {
        {Campo::CodiceLemma, "AB", "AB"},
        {Campo::CodiceLemma, "123456789", "12345678"},
        {Campo::CodiceLemma, "ŁÓDŹ1234XYZ", "ŁÓDŹ1234"},  // cut by characters, not bytes
        {Campo::NomeFile, "  a  ", "  a"},
        {Campo::TipoFile, std::string("FO\0\0", 4), "FO"},
        {Campo::Descrizione, std::string(300, 'd'), std::string(255, 'd')},
        {Campo::Didascalia, "", ""},
    };
    for (const Caso& c : casi) {
        ClasseRecordLista r;
        r.setTesto(c.campo, c.assegnato);
        const std::int32_t w = ClasseRecordLista::Larghezza(c.campo);
        EXPECT_EQ(r.Testo(c.campo), FixedWidth(c.assegnato, w)) << c.assegnato;
        EXPECT_EQ(r.sTesto(c.campo), c.s) << c.assegnato;
    }
}

TEST(ClasseRecordLista, SettingOneFieldLeavesTheOthers) {
    ClasseRecordLista r({"K1", "dir\\", "B.BLB", "N.JPG", "FO", "Opis", "Podpis"}, 7);
    r.setNomeFileBlob("ĄĘ-dłuższa-nazwa");
    r.setCodiceLemma("");
    r.setDidascalia("Nowy podpis");
    EXPECT_EQ(r.sCodiceLemma(), "");
    EXPECT_EQ(r.sPathName(), "dir\\");
    EXPECT_EQ(r.sNomeFileBlob(), "ĄĘ-dłuższa-n");
    EXPECT_EQ(r.sNomeFile(), "N.JPG");
    EXPECT_EQ(r.sTipoFile(), "FO");
    EXPECT_EQ(r.sDescrizione(), "Opis");
    EXPECT_EQ(r.sDidascalia(), "Nowy podpis");
    EXPECT_EQ(r.PosizioneAssoluta(), 7);
    EXPECT_EQ(ClasseRecordLista().PosizioneAssoluta(), -1);
}

TEST(ClasseRecordLista, ManyEntriesStayWellUnderTwoRecordsOfMemoryEach) {
    // Every field filled to its width, with Polish letters taking two bytes.
    auto pieno = [](int w) {
        std::string s;
        for (int i = 0; i < w; ++i) s += i % 10 == 0 ? "ż" : "a";
        return s;
    };
    const std::string testi[] = {pieno(8),  pieno(255), pieno(12),  pieno(12),
                                 pieno(12), pieno(255), pieno(1024)};
    constexpr std::size_t kVoci = 20000;
    const std::size_t prima = mallinfo2().uordblks;
    std::vector<ClasseRecordLista> voci;
    voci.reserve(kVoci);
    for (std::size_t i = 0; i < kVoci; ++i)
        voci.emplace_back(std::array<std::string_view, 7>{testi[0], testi[1], testi[2], testi[3],
                                                          testi[4], testi[5], testi[6]},
                          std::int32_t(i));
    const std::size_t dopo = mallinfo2().uordblks;
    EXPECT_LT((dopo - prima) / kVoci, 2 * 1578u);
    EXPECT_EQ(voci.back().Didascalia(), testi[6]);
}
