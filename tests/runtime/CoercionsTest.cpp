#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/Coercions.h"
#include "runtime/TestSupport.h"

namespace quindel {
namespace {

using test::ErrorNumberOf;

struct IntCase {
    Variant in;
    std::int64_t expected;  // meaningful when error == 0
    int error;
};

void CheckIntegerTable(const char* name, const std::function<std::int64_t(const Variant&)>& f,
                       const std::vector<IntCase>& cases) {
    for (const IntCase& c : cases) {
        SCOPED_TRACE(std::string(name) + "(" + c.in.TypeName() + " " +
                     (c.in.isString() ? *c.in.asStringPtr() : "") + ")");
        std::int64_t got = 0;
        EXPECT_EQ(ErrorNumberOf([&] { got = f(c.in); }), c.error);
        if (c.error == 0) {
            EXPECT_EQ(got, c.expected);
        }
    }
}

TEST(Coercions, CIntRoundsHalfToEvenAndChecksRange) {
    CheckIntegerTable("CInt", [](const Variant& v) { return CInt(v); },
                      {
                          {2.5, 2, 0},
                          {3.5, 4, 0},
                          {-2.5, -2, 0},
                          {1.5, 2, 0},
                          {0.5, 0, 0},
                          {-0.5, 0, 0},
                          {2.5000001, 3, 0},
                          {2.5f, 2, 0},
                          {32767.49, 32767, 0},
                          {32767.5, 0, 6},
                          {-32768.5, -32768, 0},
                          {-32768.51, 0, 6},
                          {std::int32_t(40000), 0, 6},
                          {std::uint8_t(200), 200, 0},
                          {true, -1, 0},
                          {false, 0, 0},
                          {Variant(), 0, 0},
                          {Variant::Null(), 0, 94},
                          {Variant::Missing(), 0, 13},
                          {nullptr, 0, 13},
                      });
}

TEST(Coercions, StringsParseAsNumbersOrMismatch) {
    CheckIntegerTable(
        "CInt", [](const Variant& v) { return CInt(v); },
        {
            {"12", 12, 0},     {"  -7  ", -7, 0}, {"+3", 3, 0},         {"2.5", 2, 0},
            {".5", 0, 0},      {"1.", 1, 0},      {"1e3", 1000, 0},     {"1D2", 100, 0},
            {"2.5E+1", 25, 0}, {"&HFFFF", -1, 0}, {"&h7fff", 32767, 0}, {"&O17", 15, 0},
            {"32768", 0, 6},   {"abc", 0, 13},    {"", 0, 13},          {"   ", 0, 13},
            {"1,5", 0, 13},    {"1 000", 0, 13},  {"True", 0, 13},      {"12abc", 0, 13},
            {"- 3", 0, 13},    {".", 0, 13},      {"1e", 0, 13},        {"&H", 0, 13},
            {"&HG", 0, 13},
        });
}

TEST(Coercions, CLngAndCByteEdges) {
    CheckIntegerTable("CLng", [](const Variant& v) { return CLng(v); },
                      {
                          {2147483646.5, 2147483646, 0},
                          {2147483647.5, 0, 6},
                          {-2147483648.5, -2147483648LL, 0},
                          {3e9, 0, 6},
                          {"&HFFFFFFFF", -1, 0},
                          {"&H10000", 65536, 0},
                          {"&H80000000", -2147483648LL, 0},
                          {"&H100000000", 0, 6},
                          {"1e400", 0, 6},
                          {"1e-400", 0, 0},
                          {std::int16_t(-5), -5, 0},
                      });
    CheckIntegerTable("CByte", [](const Variant& v) { return CByte(v); },
                      {
                          {254.5, 254, 0},
                          {255.5, 0, 6},
                          {-0.5, 0, 0},
                          {-0.51, 0, 6},
                          {std::int32_t(256), 0, 6},
                          {"255", 255, 0},
                          {true, 255, 0},
                          {"x", 0, 13},
                      });
}

TEST(Coercions, CBool) {
    CheckIntegerTable("CBool", [](const Variant& v) { return CBool(v) ? 1 : 0; },
                      {
                          {"True", 1, 0},
                          {" false ", 0, 0},
                          {"TRUE", 1, 0},
                          {"0", 0, 0},
                          {"-1", 1, 0},
                          {"0.1", 1, 0},
                          {"#TRUE#", 1, 0},  // as Write # writes them
                          {" #false# ", 0, 0},
                          {"#YES#", 0, 13},
                          {"yes", 0, 13},
                          {"", 0, 13},
                          {0.0, 0, 0},
                          {std::int16_t(1), 1, 0},  // any non-zero is True
                          {Variant(), 0, 0},
                          {Variant::Null(), 0, 94},
                      });
}

TEST(Coercions, CSngAndCDbl) {
    EXPECT_EQ(ErrorNumberOf([] { CSng(1e39); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CSng(-1e39); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CDbl("1e400"); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CDbl("1,5"); }), 13);
    EXPECT_FLOAT_EQ(CSng("3e38"), 3e38f);
    EXPECT_DOUBLE_EQ(CDbl(" 1.5 "), 1.5);
    EXPECT_DOUBLE_EQ(CDbl("-1.25d-2"), -0.0125);
    EXPECT_DOUBLE_EQ(CDbl(true), -1);
}

TEST(Coercions, CStrFormatsLikeTheClassicRuntime) {
    struct Case {
        Variant in;
        const char* expected;
    };
    const Case cases[] = {
        {0.1f, "0.1"},
        {1.0f / 3.0f, "0.3333333"},
        {1234567.0f, "1234567"},
        {1e7f, "1E+07"},
        {3.4028235e38f, "3.402823E+38"},
        {1.5e-5f, "1.5E-05"},
        {-0.0f, "0"},
        {0.5, "0.5"},
        {-1.5, "-1.5"},
        {100.0, "100"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},
        {1e20, "1E+20"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {2.5e-300, "2.5E-300"},
        {-0.0, "0"},
        {true, "True"},
        {false, "False"},
        {std::int16_t(-5), "-5"},
        {std::uint8_t(255), "255"},
        {std::int32_t(-2147483647 - 1), "-2147483648"},
        {Variant(), ""},
        {"as is", "as is"},
    };
    for (const Case& c : cases) EXPECT_EQ(CStr(c.in), c.expected) << c.in.TypeName();
    EXPECT_EQ(ErrorNumberOf([] { CStr(Variant::Null()); }), 94);
    EXPECT_EQ(ErrorNumberOf([] { CStr(nullptr); }), 13);
    EXPECT_EQ(ErrorNumberOf([] { CStr(Variant::Missing()); }), 13);
}

TEST(Coercions, ValReadsTheLeadingNumberAndNeverFails) {
    struct Case {
        const char* in;
        double expected;
    };
    const Case cases[] = {
        {" 1 2 3", 123},   {"&HFF", 255},
        {"&HFFFF", -1},    {"&H10000", 65536},
        {"&O17", 15},      {"1e3", 1000},
        {"1d2", 100},      {"-.5", -0.5},
        {"12abc", 12},     {"", 0},
        {"abc", 0},        {".", 0},
        {"1.2.3", 1.2},    {" 12 .5x", 12.5},
        {"\t-\n4", -4},    {"1,5", 1},
        {"1e", 1},         {"1e+", 1},
        {"+-1", 0},        {"&H", 0},
        {"&HZZ", 0},       {"&H1FZ", 31},
        {"1e-400", 0},     {"True", 0},
        {"0001.500", 1.5}, {"2.5E-3xyz", 0.0025},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(Val(c.in), c.expected) << '"' << c.in << '"';
}

TEST(Coercions, RoundIntFix) {
    struct Case {
        double v;
        int digits;
        double expected;
    };
    const Case cases[] = {
        {2.5, 0, 2},      {3.5, 0, 4},     {-2.5, 0, -2},  {-3.5, 0, -4},     {0.125, 2, 0.12},
        {0.375, 2, 0.38}, {1.234, 1, 1.2}, {1.25, 1, 1.2}, {1e300, 2, 1e300}, {2.4999, 0, 2},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(Round(c.v, c.digits), c.expected) << c.v << " @" << c.digits;
    }
    EXPECT_EQ(ErrorNumberOf([] { Round(1.0, -1); }), 5);
    EXPECT_EQ(Int(-2.5), -3);
    EXPECT_EQ(Fix(-2.5), -2);
    EXPECT_EQ(Int(2.7), 2);
}

TEST(Coercions, IsNumeric) {
    struct Case {
        Variant in;
        bool expected;
    };
    const Case cases[] = {
        {Variant(), true}, {true, true},
        {1.5, true},       {" 1 ", true},
        {"1e5", true},     {"&HFF", true},
        {"", false},       {"abc", false},
        {"True", false},   {"1,5", false},
        {"1e400", false},  {Variant::Null(), false},
        {nullptr, false},  {Variant::Missing(), false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(IsNumeric(cases[i].in), cases[i].expected) << "case " << i;
    }
}

}  // namespace
}  // namespace quindel
