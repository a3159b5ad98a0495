// The catalogue generator's output read back by the component's own lookup.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestFolder.h"
#include "catgen/CatalogueFile.h"
#include "catgen/CatalogueLine.h"
#include "catgen/CatalogueSource.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/Catalogo.h"

using namespace quindel;

TEST(Catgen, GeneratedLinesReadBackThroughTheLookup) {
    const std::string source =
        "# komentarz\n"
        "620\tEtykieta\tProcedura:\u00a0\n"
        "624\tObjaśnienie\tPierwsze zdanie.\\nDrugie zdanie.\n"
        "7\tKrótki kod\tżółć\n";
    const quindel::test::TestFolder folder{"quindel_catgen"};
    const auto& dir = folder.path();
    std::ofstream(dir / "Quindel.bin", std::ios::binary)
        << catgen::RenderCatalogue(catgen::ParseCatalogue(source));
    headless::HeadlessPlatform p;
    p.files().setComponentFolder(dir.string());
    EXPECT_EQ(LeggiMessaggio(p.files(), 620), "Procedura:\u00a0");
    EXPECT_EQ(LeggiMessaggio(p.files(), 624), "Pierwsze zdanie.\r\nDrugie zdanie.");
    EXPECT_EQ(LeggiMessaggio(p.files(), 7), "żółć");
}

TEST(Catgen, RejectsWhatTheFormatCannotHold) {
    EXPECT_THROW(catgen::FormatMessageLine(1000000, "PL", "", "x"), std::invalid_argument);
    EXPECT_THROW(catgen::FormatMessageLine(1, "PL", "", std::string(351, 'x')),
                 std::invalid_argument);
    EXPECT_EQ(catgen::FormatMessageLine(5, "PL", "", "x").find('x'), catgen::kTextColumn - 1);
}
