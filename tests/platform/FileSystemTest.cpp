#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestFolder.h"
#include "platform/FileSystem.h"

namespace fs = std::filesystem;
using quindel::platform::FileSystem;
using quindel::platform::MatchWildcard;

namespace {
struct TempTree {
    quindel::test::TestFolder folder{"quindel_fs"};
    fs::path root = folder.path();
    TempTree() {
        fs::create_directories(root / "Media" / "Zdjęcia");
        for (auto rel : {"Media/Zdjęcia/Kot.JPG", "Media/lista.BIN", "Media/.ukryty"})
            std::ofstream(root / rel) << "x";
    }
    std::string win(const std::string& rel) const { return root.string() + "\\" + rel; }
};
}  // namespace

TEST(FileSystem, BackslashesAndAnyCaseResolveToTheRealFile) {
    TempTree t;
    FileSystem files;
    EXPECT_EQ(files.Resolve(t.win("MEDIA\\zdjĘcia\\kot.jpg")),
              (t.root / "Media" / "Zdjęcia" / "Kot.JPG").string());
    EXPECT_EQ(files.Resolve(t.win("media\\nowy.txt")), (t.root / "Media" / "nowy.txt").string());
}

TEST(FileSystem, ExistenceOfNormalFilesWithWildcards) {
    TempTree t;
    FileSystem files;
    struct Case {
        std::string path;
        bool exists;
    } cases[] = {
        {t.win("media\\LISTA.bin"), true},
        {t.win("media\\*.bin"), true},
        {t.win("media\\l?sta.*"), true},
        {t.win("media\\*.txt"), false},
        {t.win("media"), false},
        {t.win("media\\zdjęcia"), false},
        {t.win("media\\.ukryty"), false},
        {t.win("media\\*"), true},
        {"", false},
        {"Q:\\nie\\ma\\dysku.bin", false},
        {t.win("media\\lista.bin\\x"), false},
    };
    for (const auto& c : cases) EXPECT_EQ(files.ExistsNormalFile(c.path), c.exists) << c.path;
}

TEST(FileSystem, WildcardsMatchCodePointsCaseInsensitively) {
    EXPECT_TRUE(MatchWildcard("*.BIN", "lista.bin"));
    EXPECT_TRUE(MatchWildcard("ż?ć", "ŻółĆ") == false);
    EXPECT_TRUE(MatchWildcard("ż??ć", "ŻółĆ"));
    EXPECT_TRUE(MatchWildcard("a*b*c", "aXXbYc"));
    EXPECT_FALSE(MatchWildcard("a*b*c", "aXXbY"));
}

TEST(FileSystem, ComponentFolderAndProgramNameCanBeOverridden) {
    FileSystem files;
    EXPECT_FALSE(files.ComponentFolder().empty());
    EXPECT_EQ(files.ProgramName(), "Quindel2");
    files.setComponentFolder("/opt/q");
    files.setProgramName("Inny");
    EXPECT_EQ(files.ComponentFolder(), "/opt/q");
    EXPECT_EQ(files.ProgramName(), "Inny");
}
