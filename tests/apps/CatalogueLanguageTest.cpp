// The catalogue's language: its reserved entry 0, written by the generator, read by the
// component, which makes the buttons of its message boxes speak it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "TestFolder.h"
#include "catgen/CatalogueFile.h"
#include "catgen/CatalogueSource.h"
#include "control/Quindel.h"
#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/Catalogo.h"
#include "support/ModErrori.h"

using namespace quindel;

// The control's error boxes answer in the catalogue's language: the shipped catalogue's Polish,
// another language's entry, Polish without an entry or without a catalogue at all.
TEST(CatalogueLanguage, TheControlsMessageBoxesSpeakIt) {
    const struct {
        const char* name;
        std::optional<std::string> source;  // nullopt: the shipped one, or none
        bool shipped;
        std::string language;
        std::vector<std::string> buttons;  // of a Retry and Cancel box
        char field[3];                     // columns 7 and 8 of the lines written
    } cases[] = {
        {"shipped", std::nullopt, true, "pl", {"Pon\u00F3w", "Anuluj"}, "PL"},
        {"English",
         "0\tLanguage\ten\n622\tx\tError in: \n",
         false,
         "en",
         {"Retry", "Cancel"},
         "EN"},
        {"no entry", "622\tx\tB\u0142\u0105d w: \n", false, "pl", {"Pon\u00F3w", "Anuluj"}, "PL"},
        {"no catalogue", std::nullopt, false, "pl", {"Pon\u00F3w", "Anuluj"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestFolder folder{"quindel_lingua"};
        headless::HeadlessPlatform p;
        const std::filesystem::path library = p.files().ComponentFolder();
        p.files().setComponentFolder(folder.path().string());
        if (c.shipped)
            std::filesystem::copy_file(library / "Quindel.bin", folder.path() / "Quindel.bin");
        if (c.source) {
            const std::string bytes = catgen::RenderCatalogue(catgen::ParseCatalogue(*c.source));
            std::ofstream(folder.path() / "Quindel.bin", std::ios::binary) << bytes;
            EXPECT_EQ(bytes.substr(6, 2), c.field);
        }
        EXPECT_EQ(LinguaCatalogo(p.files()), c.language);
        auto form = p.NewForm();
        const std::shared_ptr<Quindel> q = Quindel::Crea(p, *form);
        EXPECT_EQ(p.Box().Language(), c.language);
        GestioneErrore(p, "Drukuj", 57);
        EXPECT_EQ(p.Boxes().Shown().back().buttons, c.buttons);
        q->Termina();
    }
}

TEST(CatalogueLanguage, TheGeneratorTakesOnlyALanguageTag) {
    for (const char* tag : {"pl", "EN", "pt_BR", "de-AT", "sr-Latn"})
        EXPECT_NO_THROW(catgen::ParseCatalogue(std::string("0\tx\t") + tag + "\n")) << tag;
    for (const char* tag : {"p", "polski", "pl_", "1l", "pl PL", "pl-x"})
        EXPECT_THROW(catgen::ParseCatalogue(std::string("0\tx\t") + tag + "\n"), std::runtime_error)
            << tag;
}
