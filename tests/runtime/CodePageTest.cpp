#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "runtime/CodePage.h"
#include "runtime/VbError.h"

namespace quindel {
namespace {

using namespace std::string_literals;

constexpr std::string_view kPangram = "Zażółć gęślą jaźń";

// Sets QUINDEL_CODEPAGE for one test and puts the previous value back.
class CodePageEnv {
  public:
    explicit CodePageEnv(const char* value) {
        if (const char* old = std::getenv(kName)) saved_ = old;
        value ? setenv(kName, value, 1) : unsetenv(kName);
    }
    ~CodePageEnv() { saved_ ? setenv(kName, saved_->c_str(), 1) : unsetenv(kName); }

  private:
    static constexpr const char* kName = "QUINDEL_CODEPAGE";
    std::optional<std::string> saved_;
};

TEST(CodePage, Cp1250RoundTrip) {
    const std::string bytes = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";
    EXPECT_EQ(ACodePage(kPangram, "CP1250"), bytes);
    EXPECT_EQ(DaCodePage(bytes, "CP1250"), kPangram);
}

TEST(CodePage, SystemCodePageDefaultsToCp1250AndFollowsTheEnvironment) {
    {
        CodePageEnv env(nullptr);
        EXPECT_EQ(SystemCodePage(), "CP1250");
        EXPECT_EQ(ACodePage("ś"), "\x9C");
    }
    {
        CodePageEnv env("");
        EXPECT_EQ(SystemCodePage(), "CP1250");
    }
    {
        CodePageEnv env("ISO-8859-2");
        EXPECT_EQ(SystemCodePage(), "ISO-8859-2");
        EXPECT_EQ(ACodePage(kPangram), "Za\xBF\xF3\xB3\xE6 g\xEA\xB6l\xB1 ja\xBC\xF1");
        EXPECT_EQ(DaCodePage("\xB1\xB6"), "ąś");
    }
}

TEST(CodePage, UndecodableInputIsReplaced) {
    struct Case {
        std::string got;
        std::string expected;
    };
    const Case cases[] = {
        {DaCodePage("a\x98"
                    "b",
                    "CP1250"),
         "a\uFFFDb"},  // 0x98 is unassigned in CP1250
        {DaCodePage("\x98\x98", "CP1250"), "\uFFFD\uFFFD"},
        {DaCodePage("a\0b"s, "CP1250"), "a\0b"s},
        {ACodePage("€ ż", "CP1250"), "\x80 \xBF"},
        {ACodePage("日本", "CP1250"), "??"},
        {ACodePage("a\xFF"
                   "b",
                   "CP1250"),
         "a?b"},
        {ACodePage("a\xE2\x82", "CP1250"), "a??"},
        {ACodePage("a\0b"s, "CP1250"), "a\0b"s},
        {DaCodePage("", "CP1250"), ""},
        {ACodePage("", "CP1250"), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(CodePage, UnknownCodePageFallsBackToCp1250) {
    EXPECT_EQ(DaCodePage("\xB9", "NO-SUCH-PAGE"), "ą");
    EXPECT_EQ(ACodePage("ą", "NO-SUCH-PAGE"), "\xB9");
}

// List files are fixed-width byte records, so the system code page must be single-byte: anything
// else is refused with a message naming the variable, before any text is garbled.
TEST(CodePage, OnlySingleByteSystemCodePagesAreAccepted) {
    struct Case {
        const char* name;
        bool accepted;
    };
    for (const Case c : {Case{"CP1250", true}, Case{"ISO-8859-2", true}, Case{"KOI8-R", true},
                         Case{"UTF-8", false}, Case{"UTF-16LE", false}, Case{"SHIFT_JIS", false},
                         Case{"GB18030", false}, Case{"NO-SUCH-PAGE", false}}) {
        CodePageEnv env(c.name);
        EXPECT_EQ(CodePageProblem(c.name).empty(), c.accepted) << c.name;
        try {
            EXPECT_EQ(SystemCodePage(), c.name);
            EXPECT_TRUE(c.accepted) << c.name;
        } catch (const VbError& e) {
            EXPECT_FALSE(c.accepted) << c.name;
            EXPECT_EQ(e.number(), 5);
            EXPECT_NE(e.description().find("QUINDEL_CODEPAGE"), std::string::npos);
            EXPECT_NE(e.description().find(c.name), std::string::npos);
        }
    }
}

TEST(CodePage, LongTextWithManyReplacements) {
    // Every input byte grows to three output bytes: the output buffer must grow correctly.
    const std::string bytes(10000, '\x98');
    std::string expected;
    for (int i = 0; i < 10000; ++i) expected += "\uFFFD";
    EXPECT_EQ(DaCodePage(bytes, "CP1250"), expected);
    const std::string chinese = [] {
        std::string s;
        for (int i = 0; i < 5000; ++i) s += "日";
        return s;
    }();
    EXPECT_EQ(ACodePage(chinese, "CP1250"), std::string(5000, '?'));
}

}  // namespace
}  // namespace quindel
