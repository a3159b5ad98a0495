// Bad manifests: each fault is an error naming the line and the field, in words an author can act
// on.
#include <gtest/gtest.h>

#include "build/Manifest.h"

namespace quindel::build {
namespace {

Manifest Parse(const std::string& text, Diagnostics& d) {
    return ParseManifest(text, "content/quindel.toml", d);
}

constexpr const char* kEntry = "[entry]\ncode = \"WISLA\"\n";  // lines 1-2

struct BadManifest {
    const char* name;
    std::string text;
    std::int64_t line;
    const char* field;
    const char* says;
};

class BadManifests : public ::testing::TestWithParam<BadManifest> {};

TEST_P(BadManifests, AreErrorsNamingLineAndField) {
    Diagnostics d;
    Parse(GetParam().text, d);
    ASSERT_TRUE(d.HasErrors());
    const Diagnostic& first = d.Items().front();
    EXPECT_EQ(first.line, GetParam().line) << first.Text();
    EXPECT_EQ(first.field, GetParam().field) << first.Text();
    EXPECT_NE(first.Text().find(GetParam().says), std::string::npos) << first.Text();
    EXPECT_EQ(first.file, "content/quindel.toml");
}

INSTANTIATE_TEST_SUITE_P(
    Manifest, BadManifests,
    ::testing::Values(
        BadManifest{"Syntax", std::string(kEntry) + "[[object]]\ntype = \"FO\ntitle = \"x\"\n", 4,
                    "", "not valid TOML"},
        BadManifest{"NoEntry", "[[object]]\ntype = \"FO\"\n", 1, "entry", "needs an [entry]"},
        BadManifest{"EntryWithoutCode", "[entry]\narticle = \"Haslo.txt\"\n", 1, "code",
                    "is missing"},
        BadManifest{"MissingTitle",
                    std::string(kEntry) + "\n[[object]]\ntype = \"FO\"\nfile = \"a.jpg\"\n", 4,
                    "title", "is missing"},
        BadManifest{"MissingType",
                    std::string(kEntry) + "[[object]]\ntitle = \"x\"\nfile = \"a.jpg\"\n", 3,
                    "type", "is missing"},
        BadManifest{"TitleNotText", std::string(kEntry) + "[[object]]\ntype = \"FO\"\ntitle = 5\n",
                    5, "title", "must be a string"},
        BadManifest{
            "UnknownType",
            std::string(kEntry) + "[[object]]\ntitle = \"x\"\ntype = \"XX\"\nfile = \"a\"\n", 5,
            "type", "'XX' is not a type"},
        BadManifest{"MisspelledField",
                    std::string(kEntry) +
                        "[[object]]\ntype = \"FO\"\ntitle = \"x\"\nfile = \"a\"\ncaptoin = \"y\"\n",
                    7, "captoin", "is not a field here"},
        BadManifest{"UnknownSection", std::string(kEntry) + "[objects]\n", 3, "objects",
                    "is not a section"},
        BadManifest{"ObjectNotArray", std::string(kEntry) + "[object]\ntype = \"FO\"\n", 3,
                    "object", "[[object]]"},
        BadManifest{"NoFileNoName",
                    std::string(kEntry) + "[[object]]\ntype = \"FO\"\ntitle = \"x\"\n", 3, "file",
                    "needs a name"},
        BadManifest{"WindowOnPhoto",
                    std::string(kEntry) + "[[object]]\ntype = \"FO\"\ntitle = \"x\"\nfile = \"a\"\n"
                                          "window = { width = 10, height = 5 }\n",
                    7, "window", "has no window size"},
        BadManifest{"WindowNotNumber",
                    std::string(kEntry) + "[[object]]\ntype = \"F3\"\ntitle = \"x\"\nfile = \"a\"\n"
                                          "window = { width = \"wide\", height = 5 }\n",
                    7, "width", "whole number"},
        BadManifest{"LengthOnPanorama",
                    std::string(kEntry) +
                        "[[object]]\ntype = \"F3\"\ntitle = \"x\"\nfile = \"a\"\nlength = 3\n",
                    7, "length", "only interactive movies"},
        BadManifest{"PackedFilm",
                    std::string(kEntry) +
                        "[[object]]\ntype = \"film\"\ntitle = \"x\"\nfile = \"a\"\n"
                        "packed = \"F.BLB\"\n",
                    7, "packed", "only pictures and texts"},
        BadManifest{"ArticleNotText", "[entry]\ncode = \"W\"\narticle = 3\n", 3, "article",
                    "a file name or a list"},
        BadManifest{"LinkWithoutTitle", std::string(kEntry) + "[[link]]\ncode = \"E1\"\n", 3,
                    "title", "is missing"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Manifest, ReadsEveryFieldOfAGoodManifest) {
    Diagnostics d;
    const Manifest m = Parse(
        "[entry]\ncode = \"WISLA\"\narticle = [\"Haslo.rtf\", \"Haslo.txt\"]\ncodepage = "
        "\"CP1250\"\n"
        "[[object]]\ntype = \"interactive\"\nfile = \"media/i.gif\"\ntitle = \"Rejs\"\n"
        "caption = \"c\"\ncredit = \"Fot. A\"\nwindow = { width = 480, height = 360 }\nlength = "
        "36\n"
        "[[object]]\ntype = \"IT\"\nname = \"INDEKS01.TXT\"\nfolder = ''\ntitle = \"Indeks\"\n"
        "[[link]]\ncode = \"E0083307\"\ntitle = \"Dorzecze\"\ntype = \"D\"\n",
        d);
    ASSERT_FALSE(d.HasErrors()) << d.Items().front().Text();
    EXPECT_EQ(m.articles, (std::vector<std::string>{"Haslo.rtf", "Haslo.txt"}));
    EXPECT_EQ(m.codepage, "CP1250");
    ASSERT_EQ(m.objects.size(), 2u);
    const ManifestObject& ai = m.objects[0];
    EXPECT_EQ(ai.type.code, "AI");
    EXPECT_EQ(ai.line, 5);
    ASSERT_TRUE(ai.window);
    EXPECT_EQ(ai.window->width, 480);
    EXPECT_EQ(ai.window->height, 360);
    EXPECT_EQ(ai.length, 36);
    EXPECT_EQ(ai.credit, "Fot. A");
    EXPECT_EQ(m.objects[1].folder, std::optional<std::string>(""));
    EXPECT_TRUE(m.objects[1].file.empty());
    ASSERT_EQ(m.links.size(), 1u);
    EXPECT_EQ(m.links[0].type, "D");
    EXPECT_EQ(m.links[0].line, 18);
}

// What an author sees of a reading: every message, and every object's and link's facts with
// their lines.
std::string Reading(const std::string& text, std::size_t partsFrom) {
    Diagnostics d;
    const Manifest m = ParseManifest(text, "content/quindel.toml", d, partsFrom);
    std::string out = m.code + "|" + m.codepage + "\n";
    for (const Diagnostic& x : d.Items()) out += x.Text() + "\n";
    for (const ManifestObject& o : m.objects)
        out += std::to_string(o.line) + " " + std::string(o.type.code) + " " + o.title + " " +
               o.file + " " + (o.window ? std::to_string(o.window->width) : "-") + "\n";
    for (const ManifestLink& l : m.links)
        out += std::to_string(l.line) + " " + l.code + " " + l.title + "\n";
    return out;
}

// A large manifest is read in parts on all cores; whatever the text, the reading is the one of
// the whole document, messages and line numbers included.
TEST(Manifest, ReadingInPartsGivesWhatReadingWholeGives) {
    std::string many = kEntry;
    for (int i = 0; i < 40; ++i)
        many += "[[object]]\ntype = \"" + std::string(i % 7 == 3 ? "XX" : "FO") +
                "\"\ntitle = \"t" + std::to_string(i) + "\"\nfile = \"f" + std::to_string(i) +
                ".jpg\"\n" + (i % 9 == 4 ? "window = { width = 3, height = 4 }\n" : "") +
                (i == 25 ? "[[link]]\ncode = \"E1\"\ntitle = \"middle\"\n" : "");
    const std::string object = "[[object]]\ntype = \"F3\"\ntitle = \"p\"\nfile = \"p.jpg\"\n";
    std::vector<std::pair<std::string, std::string>> texts = {
        {"many objects, faults, a link between them", many},
        {"links at the end", many + "[[link]]\ncode = \"E2\"\ntitle = \"end\"\n"},
        {"a sub-table after its object",
         many + object + "[object.window]\nwidth = 5\nheight = 6\n" + object},
        {"an object header inside a multi-line string",
         std::string(kEntry) + object + "caption = \"\"\"\n" + many + "\"\"\"\n" + object},
        {"the entry again at the end", many + "[entry]\ncode = \"AGAIN\"\n"},
        {"an object table after the arrays", many + "[object]\ntitle = \"x\"\n"},
        {"broken in the second half", many + object + "title = \n"},
    };
    for (const auto& [name, text] : texts) {
        ASSERT_NE(text.find("\n[[object]]\n", text.size() / 2), std::string::npos) << name;
        EXPECT_EQ(Reading(text, 0), Reading(text, std::string::npos)) << name;
    }
}

}  // namespace
}  // namespace quindel::build
