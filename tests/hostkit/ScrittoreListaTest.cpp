#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "hostkit/lists/ScrittoreLista.h"

namespace quindel {
namespace {

namespace fs = std::filesystem;

// The expectations are Windows-1250 bytes: the default code page, whatever the caller's shell set.
class ScrittoreLista : public ::testing::Test {
  protected:
    void SetUp() override {
        unsetenv("QUINDEL_CODEPAGE");
        folder_ = std::make_unique<test::TestFolder>("quindel_scrittore");
        dir_ = folder_->path();
    }
    void TearDown() override { folder_.reset(); }

    static std::string Leggi(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::unique_ptr<test::TestFolder> folder_;
    fs::path dir_;
};

std::string Blank(std::size_t n) {
    return std::string(n, ' ');
}

TEST_F(ScrittoreLista, FieldsLandAtTheirOffsets) {
    const hostkit::VoceLista v{"E0001", "media\\foto\\", "FOTO.BLB",       "WISLA01.JPG",
                               "FO",    "Most",          "Nocą nad Wisłą."};
    const std::string r = hostkit::RecordLista(v);
    ASSERT_EQ(r.size(), 1578u);
    struct Case {
        std::size_t offset, width;
        std::string expected;
    };
    const Case cases[] = {
        {0, 8, "E0001"},
        {8, 255, "media\\foto\\"},
        {263, 12, "FOTO.BLB"},
        {275, 12, "WISLA01.JPG"},
        {287, 12, "FO"},
        {299, 255, "Most"},
        {554, 1024, "Noc\xB9 nad Wis\xB3\xB9."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(r.substr(c.offset, c.width), c.expected + Blank(c.width - c.expected.size()))
            << "offset " << c.offset;
}

TEST_F(ScrittoreLista, TextsAreCutOrPaddedByCharacters) {
    struct Case {
        std::string in;
        std::string expected;  // the 12-byte NomeFile field
    };
    const Case cases[] = {
        {"", Blank(12)},
        {"ABCDEFGH.JPG", "ABCDEFGH.JPG"},
        {"ABCDEFGHI.JPEG", "ABCDEFGHI.JP"},
        {"łśżąćęńóźŁŚŻŹ",
         "\xB3\x9C\xBF\xB9\xE6\xEA\xF1\xF3\x9F\xA3\x8C\xAF"},  // 2 bytes each in UTF-8
        {"中文", "??" + Blank(10)},   // outside the code page: one '?' per character
        {"a\xFF", "a?" + Blank(10)},  // a bad UTF-8 byte too
    };
    for (const Case& c : cases) {
        hostkit::VoceLista v;
        v.NomeFile = c.in;
        const std::string r = hostkit::RecordLista(v);
        EXPECT_EQ(r.size(), 1578u) << c.in;
        EXPECT_EQ(r.substr(275, 12), c.expected) << c.in;
    }
    hostkit::VoceLista lunga;
    lunga.CodiceLemma = "123456789";
    lunga.Didascalia = std::string(1100, 'x');
    const std::string r = hostkit::RecordLista(lunga);
    EXPECT_EQ(r.substr(0, 8), "12345678");
    EXPECT_EQ(r.substr(554), std::string(1024, 'x'));
}

TEST_F(ScrittoreLista, WritesTheClampedSliceOverAnyPreviousContent) {
    std::vector<hostkit::VoceLista> voci(5);
    for (int i = 0; i < 5; ++i) voci[i].CodiceLemma = "L" + std::to_string(i);
    struct Case {
        std::size_t primo, quanti;
        std::string codici;
    };
    const Case cases[] = {
        {0, SIZE_MAX, "L0L1L2L3L4"},
        {1, 2, "L1L2"},
        {3, 10, "L3L4"},
        {4, SIZE_MAX, "L4"},
        {0, 0, ""},
        {5, 1, ""},
        {9, 3, ""},
    };
    // One file for all cases: each write must replace the longer list before it.
    const fs::path file = dir_ / "ListaMM.lst";
    for (const Case& c : cases) {
        ASSERT_TRUE(hostkit::ScriviListaFile(file.string(), voci, c.primo, c.quanti));
        const std::string bytes = Leggi(file);
        ASSERT_EQ(bytes.size(), c.codici.size() / 2 * 1578) << c.primo << "+" << c.quanti;
        std::string codici;
        for (std::size_t at = 0; at < bytes.size(); at += 1578) codici += bytes.substr(at, 2);
        EXPECT_EQ(codici, c.codici) << c.primo << "+" << c.quanti;
    }
}

TEST_F(ScrittoreLista, UnwritablePathsReturnFalse) {
    const std::vector<hostkit::VoceLista> voci(1);
    for (const fs::path& p : {dir_ / "missing" / "x.lst", dir_, fs::path()})
        EXPECT_FALSE(hostkit::ScriviListaFile(p.string(), voci)) << p;
}

}  // namespace
}  // namespace quindel
