#include <gtest/gtest.h>

#include <random>

#include "SupportFixture.h"
#include "support/Catalogo.h"

using quindel::LeggiMessaggio;
using quindel::test::CatalogueLine;
using quindel::test::SupportFixture;

namespace {
const std::string kMarker = "\" & vbCrLf & \"";
}

TEST(Catalogo, LooksUpCodesAsNumbersAndPreparesTheText) {
    SupportFixture fx("cat_lookup");
    fx.WriteCatalogue({
        ";;;;;; Katalog komunikatów",
        "",
        CatalogueLine(" 620  ", "Procedura: "),
        CatalogueLine("000621", "   wiele  spacji   "),
        CatalogueLine("622", "A" + kMarker + "B"),
        CatalogueLine("623", "A" + kMarker + kMarker + "B"),
        CatalogueLine("624", "50 & 60"),
        CatalogueLine("625", "pierwszy"),
        CatalogueLine("625", "drugi"),
        "   626 za krótka",
        CatalogueLine("626", "nieosiągalny"),
        CatalogueLine("627", std::string(360, 'x')),
        CatalogueLine("abc", "nie kod"),
    });
    struct Case {
        std::int32_t code;
        std::string text;
    } cases[] = {
        {620, "Procedura:"}, {621, "wiele  spacji"},
        {622, "A\r\nB"},     {623, "A\r\n\r\nB"},
        {624, "50  60"},     {625, "pierwszy"},
        {626, ""},           {627, std::string(350, 'x')},
        {999, ""},           {0, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(LeggiMessaggio(fx.p.files(), c.code), c.text) << c.code;
}

TEST(Catalogo, ReadsTheCodePageAndAcceptsLinesEndedByLfOnly) {
    SupportFixture fx("cat_codepage");
    // "Zamknij okno" with Polish letters in Windows-1250: ó = 0xF3, ł = 0xB3, ż = 0xBF.
    fx.WriteRaw(fx.folder, CatalogueLine("692", "Zamkni\xea\x20\xbf\xf3\xb3w") + "\n" +
                               CatalogueLine("693", "bajt \x98 nieznany") + "\n");
    EXPECT_EQ(LeggiMessaggio(fx.p.files(), 692), "Zamknię żółw");
    EXPECT_EQ(LeggiMessaggio(fx.p.files(), 693), "bajt \xEF\xBF\xBD nieznany");
}

TEST(Catalogo, MissingCatalogueGivesEmptyTextsAndTheParentFolderIsTheFallback) {
    SupportFixture fx("cat_places");
    EXPECT_EQ(LeggiMessaggio(fx.p.files(), 620), "");
    fx.WriteRaw(fx.root,
                quindel::ACodePage(CatalogueLine("620", "z folderu nadrzędnego")) + "\r\n");
    EXPECT_EQ(LeggiMessaggio(fx.p.files(), 620), "z folderu nadrzędnego");
    fx.WriteCatalogue({CatalogueLine("620", "z folderu komponentu")});
    EXPECT_EQ(LeggiMessaggio(fx.p.files(), 620), "z folderu komponentu");
}

TEST(Catalogo, GarbageLongLinesAndBadBytesNeverCrash) {
    SupportFixture fx("cat_garbage");
    std::mt19937 rng(42);
    std::string junk;
    for (int i = 0; i < 200000; ++i) junk += char(rng() & 255);
    junk += "\r\n" + std::string(1 << 20, '7') + "\n" +
            quindel::ACodePage(CatalogueLine("694", "po śmieciach")) + "\r\n";
    fx.WriteRaw(fx.folder, junk);
    EXPECT_EQ(LeggiMessaggio(fx.p.files(), 694), "po śmieciach");
    EXPECT_EQ(LeggiMessaggio(fx.p.files(), 123456), "");
}

TEST(Catalogo, AMissingCatalogueOrAFolderInItsPlaceGivesEmptyTexts) {
    SupportFixture fx("cat_missing");
    EXPECT_EQ(LeggiMessaggio(fx.p.files(), 620), "");
    std::filesystem::create_directory(fx.folder / "Quindel.bin");
    std::filesystem::create_directory(fx.root / "Quindel.bin");
    EXPECT_EQ(LeggiMessaggio(fx.p.files(), 620), "");
}
