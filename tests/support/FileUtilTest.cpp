#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestFolder.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/FileUtil.h"

using namespace quindel;

TEST(FileUtil, TrailingBackslashAndPadding) {
    struct Case {
        std::string in, barra, spazi;
    } cases[] = {
        {"", "", ""},
        {"\\", "", "\\"},
        {"a\\b\\\\", "a\\b\\", "a\\b\\\\"},
        {"Kot.jpg     ", "Kot.jpg     ", "Kot.jpg"},
        {std::string("\0\0\0", 3), std::string("\0\0\0", 3), ""},
        {std::string("  a b \0 \0", 9), std::string("  a b \0 \0", 9), "  a b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TogliBarraFinale(c.in), c.barra);
        EXPECT_EQ(TogliSpaziFinali(c.in), c.spazi);
    }
}

TEST(FileUtil, FileEsisteOnlyForNormalFiles) {
    const quindel::test::TestFolder folder{"quindel_fileesiste"};
    const auto& dir = folder.path();
    std::ofstream(dir / "plik.txt") << "x";
    quindel::platform::FileSystem files;
    EXPECT_FALSE(FileEsiste(files, ""));
    EXPECT_FALSE(FileEsiste(files, dir.string()));
    EXPECT_TRUE(FileEsiste(files, dir.string() + "\\PLIK.TXT"));
    EXPECT_FALSE(FileEsiste(files, "Z:\\brak\\plik.txt"));
}

TEST(FileUtil, FocusOnAControlThatCannotTakeItIsIgnored) {
    headless::HeadlessPlatform p;
    auto f = p.NewForm();
    auto l = p.NewListBox(*f);
    ImpostaFuocoSicuro(l.get());  // the form is hidden: no focus, no error
    EXPECT_EQ(p.Focused(), nullptr);
    f->Show();
    ImpostaFuocoSicuro(l.get());
    EXPECT_EQ(p.Focused(), l.get());
    ImpostaFuocoSicuro(nullptr);
}
