#include <gtest/gtest.h>

#include "runtime/TestSupport.h"
#include "runtime/Text.h"

namespace quindel {
namespace {

using test::ErrorNumberOf;

TEST(Text, LenCountsCodePointsAndBadBytes) {
    struct Case {
        std::string_view s;
        int32_t len;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 3},
        {"Zażółć gęślą jaźń", 17},
        {"€𝄞", 2},
        {"\xFF"
         "ab",
         3},
        {"\xC3", 1},              // truncated two-byte sequence
        {"\xE2\x82", 2},          // truncated three-byte sequence: two bad bytes
        {"\xC0\xAF", 2},          // overlong form
        {"\xED\xA0\x80", 3},      // encoded surrogate
        {"\xF4\x90\x80\x80", 4},  // beyond U+10FFFF
        {"a\xBC"
         "b",
         3},  // stray continuation byte
    };
    for (const Case& c : cases) EXPECT_EQ(Len(c.s), c.len) << c.s;
}

TEST(Text, SlicingByCodePoints) {
    struct Case {
        std::string got;
        std::string expected;
    };
    const Case cases[] = {
        {Left("żółw", 2), "żó"},
        {Left("ab", 5), "ab"},
        {Left("ab", 0), ""},
        {Right("żółw", 2), "łw"},
        {Right("ab", 5), "ab"},
        {Mid("Zażółć gęślą", 3, 4), "żółć"},
        {Mid("Zażółć gęślą", 8), "gęślą"},
        {Mid("abc", 5), ""},
        {Mid("abc", 2, 0), ""},
        {Mid("a\xFF"
             "b",
             2, 1),
         "\xFF"},
        {Mid("\xE2\x82"
             "x",
             2),
         "\x82"
         "x"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);

    EXPECT_EQ(ErrorNumberOf([] { Mid("abc", 0); }), 5);
    EXPECT_EQ(ErrorNumberOf([] { Mid("abc", 1, -2); }), 5);
    EXPECT_EQ(ErrorNumberOf([] { Left("abc", -1); }), 5);
    EXPECT_EQ(ErrorNumberOf([] { Right("abc", -1); }), 5);
}

TEST(Text, TrimRemovesSpacesOnly) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(LTrim("  a "), "a ");
    EXPECT_EQ(RTrim(" a  "), " a");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(Trim("   "), "");
}

TEST(Text, CaseMappingKnowsPolishAndLatin) {
    struct Case {
        std::string_view lower;
        std::string_view upper;
    };
    const Case pairs[] = {
        {"zażółć gęślą jaźń", "ZAŻÓŁĆ GĘŚLĄ JAŹŃ"},
        {"àéîõüýþ", "ÀÉÎÕÜÝÞ"},
        {"ÿ", "Ÿ"},
        {"ĺľŀ", "ĹĽĿ"},
        {"őűžč", "ŐŰŽČ"},
    };
    for (const Case& c : pairs) {
        EXPECT_EQ(UCase(c.lower), c.upper);
        EXPECT_EQ(LCase(c.upper), c.lower);
    }
    // No single-letter partner, or not a letter: left alone.
    for (std::string_view s : {"ß", "×÷", "ĸ", "1-2 ?"}) {
        EXPECT_EQ(UCase(s), s);
        EXPECT_EQ(LCase(s), s);
    }
    EXPECT_EQ(UCase("a\xFFz\xC3"), "A\xFFZ\xC3");
}

TEST(Text, FixedWidthCutsOrPads) {
    EXPECT_EQ(FixedWidth("żółw", 6), "żółw  ");
    EXPECT_EQ(FixedWidth("żółwik", 3), "żół");
    EXPECT_EQ(FixedWidth("abc", 3), "abc");
    EXPECT_EQ(FixedWidth("abc", 0), "");
    EXPECT_EQ(FixedWidth("", 2), "  ");
}

TEST(Text, InStrReturnsCodePointPositions) {
    struct Case {
        std::string_view hay;
        std::string_view needle;
        int32_t start;
        int32_t expected;
    };
    const Case cases[] = {
        {"zażółć", "ół", 1, 4},
        {"abcabc", "c", 4, 6},
        {"abcabc", "c", 7, 0},
        {"abc", "x", 1, 0},
        {"abc", "", 2, 2},
        {"", "a", 1, 0},
        {"\xFF"
         "a",
         "a", 1, 2},
        {"ż", "\xBC", 1, 0},      // a byte inside a code point is no match
        {"ż\xBC", "\xBC", 1, 2},  // ... but the bad byte after it is
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InStr(c.hay, c.needle, c.start), c.expected) << c.hay << " / " << c.needle;
    }
    EXPECT_EQ(ErrorNumberOf([] { InStr("abc", "a", 0); }), 5);
}

TEST(Text, ReplaceAndEqualNoCase) {
    EXPECT_EQ(Replace("aXbXc", "X", "yy"), "ayybyyc");
    EXPECT_EQ(Replace("abc", "", "x"), "abc");
    EXPECT_EQ(Replace("ąąa", "ą", "a"), "aaa");
    EXPECT_EQ(Replace("aaa", "aa", "a"), "aa");

    struct Case {
        std::string_view a;
        std::string_view b;
        bool equal;
    };
    const Case cases[] = {
        {"ŻÓŁW", "żółw", true}, {"Ÿ", "ÿ", true},        {"abc", "ABD", false}, {"a", "ab", false},
        {"\xFF", "\xFF", true}, {"\xFF", "\xFE", false}, {"", "", true},        {"ß", "SS", false},
    };
    for (const Case& c : cases) EXPECT_EQ(EqualNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

}  // namespace
}  // namespace quindel
