// Each check of an author's content: a clear message naming the file, the object, the field and
// the manifest's line; errors stop the build with nothing written, warnings let it through.
#include <gtest/gtest.h>

#include "BuildFixture.h"
#include "build/ContentChecks.h"
#include "runtime/CodePage.h"
#include "runtime/Text.h"

namespace quindel::build::test {
namespace {

struct Check {
    const char* name;
    std::string find, replace;                     // the change to the base manifest
    std::function<void(const fs::path&)> prepare;  // the change to the files, if any
    Severity severity;
    std::int64_t line;
    const char* field;
    const char* says;
};

class Checks : public ContentFolder, public ::testing::WithParamInterface<Check> {};

TEST_P(Checks, NameFileFieldAndLine) {
    const Check& c = GetParam();
    WriteManifest(Replaced(BaseManifest(), c.find, c.replace));
    if (c.prepare) c.prepare(dir_);
    const BuildReport r = Build();
    const auto& items = r.diagnostics.Items();
    const auto hit = std::find_if(items.begin(), items.end(), [&](const Diagnostic& d) {
        return d.Text().find(c.says) != std::string::npos;
    });
    ASSERT_NE(hit, items.end()) << "no message saying '" << c.says
                                << "'; first: " << (items.empty() ? "none" : items.front().Text());
    EXPECT_EQ(hit->severity, c.severity) << hit->Text();
    EXPECT_EQ(hit->line, c.line) << hit->Text();
    EXPECT_EQ(hit->field, c.field) << hit->Text();
    EXPECT_NE(hit->Text().find("quindel.toml"), std::string::npos) << hit->Text();
    EXPECT_EQ(r.ExitCode(), c.severity == Severity::Error ? 1 : 0) << hit->Text();
    // An error leaves no list behind; a warning does not stop the build.
    EXPECT_EQ(fs::exists(dir_ / "ListaMM.lst"), c.severity == Severity::Warning);
}

const std::string k256(256, 'x');

INSTANTIATE_TEST_SUITE_P(
    Content, Checks,
    ::testing::Values(
        Check{"MissingFile",
              "media/a.png",
              "media/gone.png",
              {},
              Severity::Error,
              4,
              "file",
              "media/gone.png: does not exist"},
        Check{"NotAPicture", "", "",
              [](const fs::path& d) { WriteFile(d / "media/a.png", "hello"); }, Severity::Error, 4,
              "file", "media/a.png: the picture decoders cannot read it"},
        Check{"CutPicture", "", "",
              [](const fs::path& d) { WriteFile(d / "media/a.png", Png(64, 48).substr(0, 60)); },
              Severity::Error, 4, "file", "media/a.png: the picture does not decode"},
        Check{"BeyondDecoderLimits", "", "",
              [](const fs::path& d) { WriteFile(d / "media/a.png", Png(40000, 1)); },
              Severity::Error, 4, "file", "40000 x 1 pixels is beyond"},
        Check{"LargerThanScreen", "", "",
              [](const fs::path& d) { WriteFile(d / "media/a.png", Png(4000, 10)); },
              Severity::Warning, 4, "file", "fitted to its area"},
        Check{"AnimationNotGif",
              "media/anim.gif",
              "media/b.png",
              {},
              Severity::Error,
              16,
              "file",
              "animations must be GIF files"},
        Check{"TitleTooLong",
              "Wisła w Krakowie",
              k256,
              {},
              Severity::Error,
              4,
              "title",
              "256 characters, more than the 255"},
        Check{"CaptionTooLong",
              "Widok z Wawelu",
              std::string(1025, 'c'),
              {},
              Severity::Error,
              4,
              "caption",
              "1025 characters, more than the 1024"},
        Check{"CreditMakesCaptionTooLong",
              "caption = \"Widok z Wawelu\"",
              "caption = \"" + std::string(1020, 'c') + "\"\ncredit = \"Fot.\"",
              {},
              Severity::Error,
              4,
              "caption",
              "more than the 1024"},
        Check{"LetterOutsideCodePage",
              "Widok z Wawelu",
              "Widok ☃ z Wawelu",
              {},
              Severity::Error,
              4,
              "caption",
              "cannot store '☃'"},
        Check{"NameTooLong",
              "RYS001.PNG",
              "RYSUNEK0001.PNG",
              {},
              Severity::Error,
              9,
              "name",
              "15 characters, more than the 12"},
        Check{"EntryCodeTooLong",
              "code = \"WISLA\"",
              "code = \"WISLA12345\"",
              {},
              Severity::Error,
              1,
              "code",
              "10 characters"},
        Check{"LinkTitleOutsideCodePage",
              "title = \"Kraków\"",
              "title = \"Kraków 🏰\"",
              {},
              Severity::Error,
              27,
              "title",
              "cannot store"},
        Check{"FolderNotWhereTheFileIs",
              "file = \"media/a.png\"",
              "file = \"media/a.png\"\nfolder = 'media\\foto\\'",
              {},
              Severity::Error,
              4,
              "folder",
              "is not the folder of media/a.png"},
        Check{"LooseFileRenamed",
              "file = \"media/a.png\"",
              "file = \"media/a.png\"\nname = \"A.PNG\"",
              {},
              Severity::Error,
              4,
              "name",
              "only objects in packed files may be renamed"},
        Check{"MissingArticle",
              "article = \"Haslo.txt\"",
              "article = \"Haslo.rtf\"",
              {},
              Severity::Error,
              1,
              "article",
              "Haslo.rtf: does not exist"},
        Check{"DuplicateTitle",
              "title = \"Rysunek\"",
              "title = \"Wisła w Krakowie\"",
              {},
              Severity::Warning,
              9,
              "title",
              "the same title as object 1 (line 4)"},
        Check{"NoCaption",
              "caption = \"Animacja\"\n",
              "",
              {},
              Severity::Warning,
              16,
              "caption",
              "has no caption"},
        Check{"NoFile",
              "file = \"media/anim.gif\"",
              "name = \"ANIM09.GIF\"",
              {},
              Severity::Warning,
              16,
              "file",
              "the record names ANIM09.GIF, which the content does not hold"},
        Check{"InteractiveWithoutWindow",
              "type = \"AN\"",
              "type = \"AI\"",
              {},
              Severity::Warning,
              16,
              "window",
              "default of 600 x 400"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ContentFolder, FilmThatIsASoundIsRefusedByGStreamerProbe) {
    const fs::path sound = fs::path(QUINDEL_SAMPLE_DIR) / "media/dzwieki/DZWIEK01.OGG";
    ASSERT_TRUE(fs::exists(sound));
    fs::copy_file(sound, dir_ / "media/s.ogg");
    WriteManifest(
        BaseManifest() +
        "[[object]]\ntype = \"film\"\nfile = \"media/s.ogg\"\ntitle = \"F\"\ncaption = \"c\"\n"
        "[[object]]\ntype = \"sound\"\nfile = \"media/s.ogg\"\ntitle = \"S\"\ncaption = \"c\"\n");
    const BuildReport r = Build();
    ASSERT_EQ(r.diagnostics.Count(Severity::Error), 1u);
    EXPECT_EQ(
        r.diagnostics.Items().front().Text(),
        (dir_ / "quindel.toml").string() +
            ":30: error: object 5 'F', file: media/s.ogg: it holds no pictures (a sound file?)");
}

TEST(CharactersOutsideCodePage, ListsEachOnceInOrder) {
    setenv("QUINDEL_CODEPAGE", "CP1250", 1);
    EXPECT_EQ(CharactersOutsideCodePage("Zażółć gęślą jaźń"), "");
    EXPECT_EQ(CharactersOutsideCodePage("ß☃a☃ñ€"), "'☃' 'ñ'");
}

// The check must agree with what a list file keeps: a character is storable exactly when it
// survives the trip into the code page and back, for every single-byte page and character.
TEST(CharactersOutsideCodePage, AgreesWithTheRoundTripOnEveryPage) {
    for (const char* page : {"CP1250", "CP1252", "ISO-8859-2", "KOI8-R", "CP437"}) {
        setenv("QUINDEL_CODEPAGE", page, 1);
        // Latin, Greek, Cyrillic, punctuation, the euro, box drawing, and the replacement
        // character an undefined byte decodes to.
        for (char32_t cp = 1; cp <= 0xFFFD; cp = cp == 0x25FF ? 0xFFFD : cp + 1) {
            std::string c;
            AppendUtf8(c, cp);
            const bool survives = DaCodePage(ACodePage(c)) == c;
            ASSERT_EQ(CharactersOutsideCodePage(c).empty(), survives)
                << page << " U+" << std::hex << unsigned(cp);
        }
    }
    unsetenv("QUINDEL_CODEPAGE");
}

}  // namespace
}  // namespace quindel::build::test
