#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "hostkit/lists/ScrittoreLista.h"
#include "hostkit/search/ContentFingerprint.h"
#include "hostkit/search/SearchIndex.h"
#include "hostkit/search/SearchIndexWriter.h"
#include "hostkit/search/SearchText.h"

namespace quindel {
namespace {

namespace fs = std::filesystem;
using hostkit::SearchEntry;
using hostkit::SearchHit;
using hostkit::SearchList;

// A small content folder's lists: written with the list writer, indexed from the files, so the
// reader's offsets are checked against the writer's layout.
class SearchIndexTest : public ::testing::Test {
  protected:
    void SetUp() override {
        unsetenv("QUINDEL_CODEPAGE");
        folder_ = std::make_unique<test::TestFolder>("quindel_search");
        dir_ = folder_->path().string();
        std::vector<hostkit::VoceLista> mm = {
            Voce("Bieg Wisły od źródeł do ujścia", "Wisła płynie przez całą Polskę."),
            Voce("Kraków nad Wisłą", "Wawel i bulwary."),
            Voce("Zamek w Malborku", "Nad Nogatem, nie nad Wisłą."),
            Voce("Słowa AND OR NOT \"cudzysłów\" (nawias) *gwiazdka", "Znaki zapytań."),
            Voce("Ujście Wisły", "Zatoka Gdańska i Mierzeja."),
        };
        std::vector<hostkit::VoceLista> lemmi = {Voce("Gdańsk", "Miasto nad Motławą."),
                                                 Voce("Toruń", "Kopernik.")};
        hostkit::ScriviListaFile(dir_ + "/ListaMM.lst", mm);
        hostkit::ScriviListaFile(dir_ + "/ListaLemmi.lst", lemmi);
        ASSERT_EQ(hostkit::WriteSearchIndexForFolder(dir_), "");
        ASSERT_TRUE(index_.Open(IndexPath())) << index_.Error();
    }

    static hostkit::VoceLista Voce(std::string title, std::string caption) {
        hostkit::VoceLista v;
        v.TipoFile = "FO";
        v.Descrizione = std::move(title);
        v.Didascalia = std::move(caption);
        return v;
    }
    std::string IndexPath() const { return dir_ + "/search.sqlite"; }

    // The hits as "list:record" texts, best first.
    std::vector<std::string> Find(const std::string& typed, int limit = 10) const {
        std::vector<std::string> out;
        for (const SearchHit& h : index_.Find(typed, limit))
            out.push_back(std::to_string(int(h.list)) + ":" + std::to_string(h.record));
        return out;
    }

    std::unique_ptr<test::TestFolder> folder_;
    std::string dir_;
    hostkit::SearchIndex index_;
};

using Hits = std::vector<std::string>;

TEST_F(SearchIndexTest, FindsWhatIsTypedAsPrefixesOfWords) {
    struct Case {
        const char* typed;
        Hits expected;  // best first where the order matters, else sorted by the check below
        bool ordered;
    };
    const Case cases[] = {
        {"wisl", {"0:0", "0:1", "0:2", "0:4"}, false},  // ł folded: "wisl" finds "Wisła"
        {"WISŁ", {"0:0", "0:1", "0:2", "0:4"}, false},  // case, and ł typed
        {"krakow", {"0:1"}, false},                     // ó folded by the tokenizer
        {"zrodel", {"0:0"}, false},
        {"ujś wis", {"0:0", "0:4"}, false},    // every word, in any order
        {"wis   ujś", {"0:0", "0:4"}, false},  // blanks between words do not matter
        {"wisła-kraków", {"0:1"}, false},      // punctuation separates words
        {"wis zamek", {"0:2"}, false},         // the second word only in the title
        {"gdan", {"0:4", "1:0"}, false},       // both lists
        {"torun", {"1:1"}, false},             // linked entries
        {"ujsc", {"0:4", "0:0"}, true},        // both in the title: the shorter title ranks first
        {"Ujście Wisły", {"0:4"}, true},
        {"nic", {}, false},
        {"wislax", {}, false},
    };
    for (const Case& c : cases) {
        Hits got = Find(c.typed);
        Hits expected = c.expected;
        if (!c.ordered) {
            std::sort(got.begin(), got.end());
            std::sort(expected.begin(), expected.end());
        }
        EXPECT_EQ(got, expected) << c.typed;
    }
}

TEST_F(SearchIndexTest, TitleMatchesComeBeforeDescriptionMatches) {
    EXPECT_EQ(Find("wisl").back(), "0:2");  // the only one with Wisła in its caption alone
    EXPECT_EQ(Find("nad").front(), "0:1");  // the only one with "nad" in its title
    EXPECT_EQ(Find("nad").size(), 3u);
}

TEST_F(SearchIndexTest, TypedOperatorsAndQuotesAreText) {
    // "słowa NEAR" and "title:słowa" find nothing: NEAR and title are words to find, not an
    // operator and a column filter.
    const char* typed[] = {"AND",       "and or",  "NOT",        "\"cudz",
                           "(nawias)",  "*gwiazd", "słowa NEAR", "title:słowa",
                           "gwiazdka^", "or)",     "\"\"\"\"",   "-"};
    const Hits onlyFourth = {"0:3"};
    const std::vector<Hits> expected = {onlyFourth, onlyFourth, onlyFourth, onlyFourth,
                                        onlyFourth, onlyFourth, {},         {},
                                        onlyFourth, onlyFourth, {},         {}};
    for (std::size_t i = 0; i < std::size(typed); ++i)
        EXPECT_EQ(Find(typed[i]), expected[i]) << typed[i];
}

TEST_F(SearchIndexTest, EmptyInputAndLimits) {
    const struct {
        const char* typed;
        int limit;
        std::size_t count;
    } cases[] = {{"", 10, 0},   {"   ", 10, 0}, {"!?.,", 10, 0},
                 {"wis", 2, 2}, {"wis", 0, 0},  {"wis", -1, 0}};
    for (const auto& c : cases) EXPECT_EQ(Find(c.typed, c.limit).size(), c.count) << c.typed;
}

TEST_F(SearchIndexTest, HitsCarryTheTitleAsWritten) {
    const auto hits = index_.Find("krak", 5);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].title, "Kraków nad Wisłą");
    EXPECT_EQ(hits[0].list, SearchList::Multimedia);
    EXPECT_EQ(index_.Fingerprint(), hostkit::ContentFingerprint(dir_));
}

TEST_F(SearchIndexTest, MissingDamagedOrForeignIndexFailsToOpen) {
    const struct {
        const char* name;
        std::string bytes;  // written to the file; "-" for no file at all
    } cases[] = {
        {"missing", "-"},
        {"empty", ""},
        {"garbage", std::string(4096, 'x')},
        {"sqlite header only", std::string("SQLite format 3\0", 16) + std::string(100, '\0')},
    };
    for (const auto& c : cases) {
        const std::string path = dir_ + "/bad.sqlite";
        fs::remove(path);
        if (c.bytes != "-") std::ofstream(path, std::ios::binary) << c.bytes;
        hostkit::SearchIndex bad;
        EXPECT_FALSE(bad.Open(path)) << c.name;
        EXPECT_FALSE(bad.Error().empty()) << c.name;
        EXPECT_TRUE(bad.Find("wis", 10).empty()) << c.name;
        EXPECT_EQ(c.bytes == "-", !fs::exists(path)) << c.name << ": opening made a file";
    }
}

TEST_F(SearchIndexTest, ARewriteReplacesTheIndexWholeAndLeavesNoTemporaryFile) {
    const std::vector<SearchEntry> entries = {{SearchList::Linked, 7, "Łódź", "Manufaktura"}};
    EXPECT_EQ(hostkit::WriteSearchIndex(IndexPath(), entries, "abc"), "");
    hostkit::SearchIndex fresh;
    ASSERT_TRUE(fresh.Open(IndexPath()));
    EXPECT_EQ(fresh.Fingerprint(), "abc");
    const auto hits = fresh.Find("lodz", 10);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].record, 7);
    EXPECT_EQ(hits[0].list, SearchList::Linked);
    EXPECT_TRUE(fresh.Find("wis", 10).empty());
    // The old reader keeps the file it opened.
    EXPECT_EQ(index_.Find("krak", 10).size(), 1u);
    for (const auto& f : fs::directory_iterator(dir_))
        EXPECT_EQ(f.path().filename().string().find(".tmp-"), std::string::npos) << f.path();
}

TEST_F(SearchIndexTest, AnIndexThatCannotBeWrittenLeavesTheOldOne) {
    const std::string error =
        hostkit::WriteSearchIndex(dir_ + "/no/such/folder/search.sqlite", {}, "x");
    EXPECT_NE(error, "");
    EXPECT_EQ(Find("krakow"), Hits{"0:1"});
}

TEST(ContentFingerprint, ChangesWithEitherListAndOnlyWithThem) {
    test::TestFolder folder("quindel_fingerprint");
    const std::string dir = folder.path().string();
    auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
    };
    const std::string none = hostkit::ContentFingerprint(dir);
    EXPECT_EQ(none.size(), 32u);
    write("ListaMM.lst", "ab");
    const std::string mmAb = hostkit::ContentFingerprint(dir);
    write("Haslo.txt", "the article is not part of it");
    EXPECT_EQ(hostkit::ContentFingerprint(dir), mmAb);
    write("ListaMM.lst", "a");
    write("ListaLemmi.lst", "b");
    const std::string split = hostkit::ContentFingerprint(dir);
    write("ListaMM.lst", std::string(3 << 20, 'q'));  // over a read block
    const std::string big = hostkit::ContentFingerprint(dir);
    std::string bigChanged(3 << 20, 'q');
    bigChanged[(3 << 20) - 1] = 'r';
    write("ListaMM.lst", bigChanged);
    const std::string fingerprints[] = {none, mmAb, split, big, hostkit::ContentFingerprint(dir)};
    for (std::size_t i = 0; i < std::size(fingerprints); ++i)
        for (std::size_t j = i + 1; j < std::size(fingerprints); ++j)
            EXPECT_NE(fingerprints[i], fingerprints[j]) << i << " " << j;
}

TEST(SearchText, MatchExpressionQuotesEveryWordAsAPrefix) {
    const struct {
        const char* typed;
        const char* query;
    } cases[] = {
        {"", ""},
        {"wisła kraków", "\"wisla\"* \"kraków\"*"},
        {"a\"b", "\"a\"* \"b\"*"},
        {"NEAR(x y)", "\"NEAR\"* \"x\"* \"y\"*"},
        {"col:umn^*", "\"col\"* \"umn\"*"},
        {"Straße Øre Œuvre", "\"Strasse\"* \"Ore\"* \"OEuvre\"*"},
    };
    for (const auto& c : cases) EXPECT_EQ(hostkit::MatchExpression(c.typed), c.query) << c.typed;
    std::string many;
    for (int i = 0; i < 40; ++i) many += "w ";
    std::string bounded = hostkit::MatchExpression(many);
    EXPECT_EQ(std::count(bounded.begin(), bounded.end(), '*'), hostkit::kMaxQueryWords);
}

}  // namespace
}  // namespace quindel
