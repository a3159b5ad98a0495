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
    const std::string a200(200, 'a');
    const struct {
        std::string pattern, name;
        bool match;
    } cases[] = {
        {"*.BIN", "lista.bin", true},
        {"ż?ć", "ŻółĆ", false},
        {"ż??ć", "ŻółĆ", true},
        {"a*b*c", "aXXbYc", true},
        {"a*b*c", "aXXbY", false},
        {"*", "", true},
        {"?", "", false},
        {"", "", true},
        {"", "a", false},
        {"**a**", "bab", true},
        {"a*", "a", true},
        {"*a", "ba", true},
        {"*a", "ab", false},
        {"a*?b", "ab", false},
        {"a*?b", "axb", true},
        {"*?*?*?*?*!", "abcdefghij!", true},
        {"*x*y*", "yx", false},
        {"\xFF*", "\xFFz", true},  // bytes kept as written
        // Patterns that made a backtracking matcher run for minutes.
        {"*a*a*a*a*b", a200, false},
        {"*a*a*a*a*a*a*a*a*a*a*b", a200, false},
        {"*?*?*?*?*?*?*?*?*?*?*!", a200, false},
        {"*a*a*a*a*a", a200, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchWildcard(c.pattern, c.name), c.match) << c.pattern << " ~ " << c.name;
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
