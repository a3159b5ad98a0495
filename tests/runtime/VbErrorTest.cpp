#include <gtest/gtest.h>

#include <stdexcept>

#include "runtime/ErrorHandling.h"
#include "runtime/VbError.h"

namespace quindel {
namespace {

constexpr const char* kDefaultText = "Application-defined or object-defined error";

TEST(VbError, StandardTexts) {
    struct Case {
        int number;
        const char* text;
    };
    const Case cases[] = {
        {5, "Invalid procedure call or argument"},
        {6, "Overflow"},
        {9, "Subscript out of range"},
        {13, "Type mismatch"},
        {53, "File not found"},
        {91, "Object variable or With block variable not set"},
        {94, "Invalid use of Null"},
        {438, "Object doesn't support this property or method"},
        {449, "Argument not optional"},
        {450, "Wrong number of arguments or invalid property assignment"},
        {457, "This key is already associated with an element of this collection"},
        {3061, "Too few parameters. Expected |."},
        {0, kDefaultText},
        {12345, kDefaultText},
        {-1, kDefaultText},
    };
    for (const Case& c : cases) EXPECT_EQ(StandardErrorText(c.number), c.text) << c.number;
}

TEST(VbError, EveryClassicNumberHasItsOwnText) {
    const int numbers[] = {
        3,    5,    6,    7,    9,     10,    11,    13,    14,    16,    17,    18,   20,   28,
        35,   47,   48,   49,   51,    52,    53,    54,    55,    57,    58,    59,   61,   62,
        63,   67,   68,   70,   71,    74,    75,    76,    91,    92,    93,    94,   96,   97,
        98,   321,  322,  325,  380,   381,   382,   383,   387,   393,   394,   400,  402,  419,
        422,  423,  424,  425,  429,   430,   432,   438,   440,   442,   443,   445,  446,  447,
        448,  449,  450,  451,  452,   453,   454,   455,   457,   458,   459,   460,  461,  462,
        463,  480,  481,  482,  483,   484,   485,   486,   735,   744,   746,   3006, 3043, 3044,
        3051, 3061, 3196, 3300, 31001, 31004, 31018, 31027, 31032, 31036, 31037,
    };
    for (int n : numbers) EXPECT_NE(StandardErrorText(n), kDefaultText) << n;
    EXPECT_EQ(StandardErrorText(3051).find("Jet"), std::string::npos);
}

TEST(VbError, CarriesNumberSourceAndDescription) {
    const VbError standard(13, "Quindel");
    EXPECT_EQ(standard.number(), 13);
    EXPECT_EQ(standard.source(), "Quindel");
    EXPECT_EQ(standard.description(), "Type mismatch");
    EXPECT_STREQ(standard.what(), "Type mismatch");

    const VbError custom(380, {}, "Valore non valido");
    EXPECT_EQ(custom.description(), "Valore non valido");
    EXPECT_TRUE(custom.source().empty());

    try {
        Raise(53, "Apri");
        FAIL() << "Raise returned";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 53);
        EXPECT_EQ(e.source(), "Apri");
    }
}

TEST(ErrorHandling, IgnoraErroriSwallowsOnlyRunTimeErrors) {
    int ran = 0;
    EXPECT_FALSE(IgnoraErrori([&] { ++ran; }));
    EXPECT_TRUE(IgnoraErrori([&] {
        ++ran;
        Raise(5);
    }));
    EXPECT_EQ(ran, 2);
    EXPECT_THROW(IgnoraErrori([] { throw std::logic_error("bug"); }), std::logic_error);
}

}  // namespace
}  // namespace quindel
