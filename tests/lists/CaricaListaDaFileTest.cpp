// Reading list files: record count, partial records, field clean-up, chunk positions, bad files.
#include <gtest/gtest.h>

#include <random>

#include "ListeTestSupport.h"
#include "lists/CaricaListaDaFile.h"
#include "platform/ListBox.h"

using namespace quindel;
using namespace quindel::test;
using Campo = ClasseRecordLista::Campo;

namespace {

struct Caricamento : ::testing::Test {
    CartellaTemporanea cartella;
    Banco banco;

    void Carica(const std::string& percorso, const Variant& inizio = Variant::Missing()) {
        CaricaListaDaFile(*banco.lista, banco.p.files(), percorso, inizio);
    }
    const ClasseRecordLista& Rec(int chiave) { return banco.lista->Record(chiave); }
};

std::string Voci(int n) {
    std::string byte;
    for (int i = 1; i <= n; ++i) byte += Record(VoceNumero(i));
    return byte;
}

}  // namespace

TEST_F(Caricamento, RecordCountRoundsTheTrailingPartHalfToEven) {
    struct Caso {
        std::size_t lunghezza;
        int attesi;
    } casi[] = {
        {0, 0},
        {788, 0},
        {789, 1},  // -0.5 rounds to 0: one record
        {3 * kRecord, 3},
        {2 * kRecord + 788, 2},
        {2 * kRecord + 789, 3},  // 1.5 rounds up to 2
        {2 * kRecord + 790, 3},
        {3 * kRecord + 789, 3},  // 2.5 rounds down to 2
    };
    const std::string tutto = Voci(4);
    for (const Caso& c : casi) {
        banco.lista->Clear();
        Carica(cartella.Scrivi("l.lst", tutto.substr(0, c.lunghezza)));
        EXPECT_EQ(banco.lista->NumeroRecord(), c.attesi) << c.lunghezza;
        EXPECT_EQ(banco.lista->ListCount(), c.attesi) << c.lunghezza;
    }
}

TEST_F(Caricamento, PartialLastRecordIsFilledWithBlanks) {
    Voce v = VoceNumero(3);
    v.didascalia = std::string(300, 'x');
    const std::string byte = Voci(2) + Record(v).substr(0, 789);  // cut inside the caption
    Carica(cartella.Scrivi("l.lst", byte));
    ASSERT_EQ(banco.lista->NumeroRecord(), 3);
    EXPECT_EQ(Rec(3).sNomeFile(), "F3.JPG");
    EXPECT_EQ(Rec(3).Didascalia(), std::string(789 - 554, 'x') + std::string(1024 - 235, ' '));
    EXPECT_EQ(Rec(3).sDidascalia(), std::string(235, 'x'));
}

TEST_F(Caricamento, FieldsAreCleanedUp) {
    struct Caso {
        const char* nome;
        Voce voce;
        char riempimento;
        const char* cartella;
        const char* descrizione;
    } casi[] = {
        {"trailing backslash",
         {"A1", "media\\foto\\", "", "", "FO", "Most", ""},
         ' ',
         "media\\foto\\",
         "Most"},
        {"no backslash",
         {"A1", "media\\foto", "", "", "FO", "Most", ""},
         ' ',
         "media\\foto\\",
         "Most"},
        {"empty folder", {"A1", "", "", "", "FO", "Most", ""}, ' ', "\\", "Most"},
        {"only one backslash is taken off", {"A1", "a\\\\", "", "", "", "", ""}, ' ', "a\\\\", ""},
        {"NUL padding", {"A1", "media", "", "", "FO", "Most", ""}, '\0', "media\\", "Most"},
        {"Polish letters",
         {"A1", "Łódź", "", "", "", "Wisła pod Krakowem", ""},
         ' ',
         "Łódź\\",
         "Wisła pod Krakowem"},
    };
    for (const Caso& c : casi) {
        banco.lista->Clear();
        Carica(cartella.Scrivi("l.lst", Record(c.voce, c.riempimento)));
        ASSERT_EQ(banco.lista->NumeroRecord(), 1) << c.nome;
        EXPECT_EQ(Rec(1).sPathName(), c.cartella) << c.nome;
        EXPECT_EQ(Rec(1).sDescrizione(), c.descrizione) << c.nome;
        EXPECT_EQ(Rec(1).sCodiceLemma(), "A1") << c.nome;
        EXPECT_EQ(banco.lista->ObjTList()->List(0), c.descrizione) << c.nome;
    }
}

TEST_F(Caricamento, Windows1250BytesBecomeUtf8) {
    std::string byte = Record(VoceNumero(1));
    byte.replace(299, 4,
                 "\xB3\xF3"
                 "d\x9F");  // "łódź"
    Carica(cartella.Scrivi("l.lst", byte));
    ASSERT_EQ(banco.lista->NumeroRecord(), 1);
    EXPECT_EQ(Rec(1).sDescrizione(), "łódź 1");
}

// The padding is found many bytes at a time and ASCII converted in runs: texts that end, or
// hold a Polish letter, on either side of those block edges.
TEST_F(Caricamento, TextsEndingAndConvertingAtEveryBlockEdgeReadWhole) {
    const int lunghezze[] = {1,  2,  15,  16,  17,  31,  32,  33,   63,
                             64, 65, 127, 128, 129, 895, 896, 1023, 1024};
    for (const int n : lunghezze) {
        for (const int polacca : {-1, 0, 15, 16, 31, 32, n - 1}) {
            if (polacca >= n) continue;
            std::string attesa;
            for (int i = 0; i < n; ++i)
                attesa += i == polacca          ? "ł"
                          : i == n / 2 && n > 2 ? " "
                                                : std::string(1, char('a' + i % 26));
            Voce v = VoceNumero(1);
            v.didascalia = attesa;
            if (n < 255) v.cartella = attesa + "\\";  // the folder's padding may be NULs too
            for (const char riempimento : {' ', '\0'}) {
                banco.lista->Clear();
                Carica(cartella.Scrivi("l.lst", Record(v, riempimento)));
                ASSERT_EQ(banco.lista->NumeroRecord(), 1);
                EXPECT_EQ(Rec(1).sDidascalia(), attesa) << n << " " << polacca;
                EXPECT_EQ(Rec(1).sPathName(), v.cartella) << n << " " << polacca;
            }
        }
    }
}

TEST_F(Caricamento, ChunkedLoadShortensLongDescriptionsAndNumbersTheRecords) {
    const std::string sessanta(60, 'a');
    struct Caso {
        std::string descrizione;
        std::string attesa;
    } casi[] = {
        {sessanta, sessanta},
        {sessanta + "b", std::string(57, 'a') + "..."},
        {std::string(60, 'z') + "   ", std::string(60, 'z')},  // trailing blanks do not count
        {"Żółw " + std::string(55, 'x'), "Żółw " + std::string(55, 'x')},  // 60 characters
        {std::string(59, 'a') + "ąę", std::string(57, 'a') + "..."},       // 61 characters
    };
    std::vector<Voce> voci;
    for (const Caso& c : casi) {
        Voce v = VoceNumero(int(voci.size()) + 1);
        v.descrizione = c.descrizione;
        voci.push_back(v);
    }
    banco.lista->setMaxRecordInLista(3);
    Carica(cartella.Lista("l.lst", voci), std::int32_t(41));
    ASSERT_EQ(banco.lista->NumeroRecord(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Rec(i + 1).sDescrizione(), casi[i].attesa) << i;
        EXPECT_EQ(Rec(i + 1).PosizioneAssoluta(), 41 + i);
    }
    EXPECT_EQ(banco.lista->ListCount(), 3);  // only the first page gets rows
}

TEST_F(Caricamento, LoadWithoutPositionsKeepsDescriptionsAndShowsEveryRecord) {
    Voce v = VoceNumero(1);
    v.descrizione = std::string(100, 'd');
    std::vector<Voce> voci(12, v);
    banco.lista->setMaxRecordInLista(5);
    const std::string percorso = cartella.Lista("l.lst", voci);
    Carica(percorso);
    EXPECT_EQ(banco.lista->ListCount(), 12);
    EXPECT_EQ(Rec(12).sDescrizione(), v.descrizione);
    EXPECT_EQ(Rec(12).PosizioneAssoluta(), -1);
    Carica(percorso);  // the loader adds, it does not replace
    EXPECT_EQ(banco.lista->NumeroRecord(), 24);
}

TEST_F(Caricamento, UnreadableFilesAddNothing) {
    std::filesystem::create_directories(cartella.Percorso() / "lista.lst");
    for (const std::string& nome : {(cartella.Percorso() / "lista.lst").string(),
                                    (cartella.Percorso() / "nie.lst").string(), std::string()}) {
        Carica(nome);
        EXPECT_EQ(banco.lista->NumeroRecord(), 0) << nome;
    }
}

TEST_F(Caricamento, RandomBytesLoadWithoutHarm) {
    std::mt19937 gen(1578);
    std::string byte(5 * kRecord + 100, '\0');
    for (char& c : byte) c = char(gen());
    Carica(cartella.Scrivi("l.lst", byte), std::int32_t(1));
    ASSERT_EQ(banco.lista->NumeroRecord(), 5);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(Len(Rec(k).PathName()), 255);  // a full folder loses the added backslash
        EXPECT_LE(Len(Rec(k).sDescrizione()), 60);
        EXPECT_EQ(Len(Rec(k).Didascalia()), 1024);
    }
}
