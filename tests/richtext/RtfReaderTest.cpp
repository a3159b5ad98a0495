#include <gtest/gtest.h>

#include "richtext/RichTextTestSupport.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfTokenizer.h"
#include "richtext/RtfWriter.h"

namespace quindel::richtext {
namespace {

using test::Describe;
using test::PlainOf;
using test::Rtf;

TEST(RtfReader, ControlWordsShapeTheModel) {
    struct Case {
        const char* body;
        const char* model;
    };
    const Case cases[] = {
        {"plain", "[] {|plain} <> END\n"},
        {"{\\b bold}\\b0  x", "[] {,b|bold} {| x} <> END\n"},
        {"\\b1 a\\b0 b\\i c\\i0\\ul d\\ulnone e", "[] {,b|a} {|b} {,i|c} {,u|d} {|e} <> END\n"},
        {"\\uldb a\\ul0 b\\strike c\\strike0 d", "[] {,u:uldb|a} {|b} {,s|c} {|d} <> END\n"},
        {"\\fs40 big\\plain  small", "[] {,40|big} {| small} <> END\n"},
        {"x\\super 2\\nosupersub y\\sub i\\super0 z", "[] {|x} {,^|2} {|y} {,_|i} {|z} <> END\n"},
        {"{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\cf1 r\\cf2 b\\cf0 a"
         "\\highlight1 h\\cb0 n",
         "[] {,fg#ff0000|r} {,fg#0000ff|b} {|a} {,bg#ff0000|h} {|n} <> END\n"},
        {"a\\par b", "[] {|a} <> PAR\n[] {|b} <> END\n"},
        {"a\\par", "[] {|a} <> PAR\n[] <> END\n"},
        {"\\qc c\\par\\pard\\qr r\\par\\qj j\\par\\ql l",
         "[qc] {|c} <> PAR\n[qr] {|r} <> PAR\n[qj] {|j} <> PAR\n[] {|l} <> END\n"},
        {"\\li720\\ri360\\fi-180\\sb120\\sa240\\sl-300 p",
         "[ li720 ri360 fi-180 sb120 sa240 sl-300] {|p} <> END\n"},
        {"\\sl360\\slmult1\\tx1440\\tx720\\tx1440 p", "[ sl360 mult tx720 tx1440] {|p} <> END\n"},
        {"\\qc a\\pard b", "[] {|ab} <> END\n"},
        {"a\\page b", "[] {|a} <> PAR\n[ pagebb] {|b} <> END\n"},
        {"a\\tab b\\line c", "[] {|a\tb\vc} <> END\n"},
        {"\\~\\-\\_\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote",
         "[] {|\u00a0\u00ad\u2011\u2014\u2013\u2022\u2018\u2019\u201c\u201d} <> END\n"},
        {"\\\\\\{\\}", "[] {|\\{}} <> END\n"},
        {"a\\unknownword b\\zzz12 c", "[] {|abc} <> END\n"},
        {"a{\\*\\unknowndest hidden}b", "[] {|ab} <> END\n"},
        {"a{\\stylesheet{\\s0 Normal;}}b{\\info{\\title T}}c{\\header H}{\\footer F}d",
         "[] {|abcd} <> END\n"},
        {"a{\\footnote note}b{\\*\\listtable x}{\\listoverridetable y}c", "[] {|abc} <> END\n"},
        {"{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt shown}}", "[] {|shown} <> END\n"},
        {"{\\field{\\fldinst PAGE}{\\fldrslt 7}}", "[] {|7} <> END\n"},
        {"a{\\v hidden}b\\v c\\v0 d", "[] {|abd} <> END\n"},
        {"a\\\nb", "[] {|a} <> PAR\n[] {|b} <> END\n"},
        {"a\r\nb\rc\nd", "[] {|abcd} <> END\n"},
        {"{\\b a\\par}b", "[] {,b|a} <,b> PAR\n[] {|b} <> END\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Describe(Rtf(std::string("{\\rtf1\\ansi ") + c.body + "}")), c.model) << c.body;
}

TEST(RtfReader, TabStopsUnderlinesAndStrikesKeepTheirKinds) {
    struct Case {
        const char* body;
        const char* model;
    };
    const Case cases[] = {
        {"\\tqr\\tx2000\\tldot\\tqc\\tx1000\\tx500\\tb700\\tlhyph\\tqdec\\tx3000 p",
         "[ tx500 tb.700 tldot.tqc.tx1000 tqr.tx2000 tlhyph.tqdec.tx3000] {|p} <> END\n"},
        {"\\tlul\\tx100\\tlth\\tx200\\tleq\\tx300\\tlmdot\\tx400 p",
         "[ tlul.tx100 tlth.tx200 tleq.tx300 tlmdot.tx400] {|p} <> END\n"},
        // A kind belongs to the one stop it precedes; \\pard forgets a kind waiting for its stop.
        {"\\tqr\\tx500\\tx900 p", "[ tqr.tx500 tx900] {|p} <> END\n"},
        {"\\tqr\\pard\\tx500 p", "[ tx500] {|p} <> END\n"},
        {"\\ul a\\uld b\\uldb c\\ulw d\\ulwave e\\ulth f\\ul0 g\\ulnone h",
         "[] {,u|a} {,u:uld|b} {,u:uldb|c} {,u:ulw|d} {,u:ulwave|e} {,u:ulth|f} {|gh} <> END\n"},
        {"\\uldashd a\\ulthldash b\\ululdbwave c\\ulnone\\ul d",
         "[] {,u:uldashd|a} {,u:ulthldash|b} {,u:ululdbwave|c} {,u|d} <,u> END\n"},
        {"\\striked1 a\\striked0 b\\strike c\\striked1 d\\strike e\\plain f",
         "[] {,ss|a} {|b} {,s|c} {,ss|d} {,s|e} {|f} <> END\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Describe(Rtf(std::string("{\\rtf1\\ansi ") + c.body + "}")), c.model) << c.body;
}

// An \\upr group holds an ANSI destination and its Unicode twin in {\\*\\ud ...}; the twin is
// read, the ANSI part only when there is no twin.
TEST(RtfReader, UprGroupsReadTheirUnicodePart) {
    struct Case {
        const char* body;
        const char* text;
    };
    const Case cases[] = {
        {"{\\upr{Zaz?ol}{\\*\\ud{Za\\u380?\\u243?\\u322?}}}", "Zażół"},
        {"a{\\upr{\\b ANSI}{\\*\\ud{\\b U}}}b", "aUb"},
        {"{\\upr{only ansi}}", "only ansi"},
        {"{\\upr{A}{\\ud{B}}} and {\\upr{C}}", "B and C"},
        {"{\\upr{x{\\upr{a}{\\*\\ud{b}}}}{\\*\\ud{y{\\upr{c}{\\*\\ud{d}}}}}}z", "ydz"},
        {"{\\upr{x{\\upr{a}{\\*\\ud{b}}}}}", "xb"},
        {"{\\upr\\upr{a}{\\*\\ud{b}}}c", "bc"},
        {"{\\upr{a}{\\*\\ud{b", "b"},                              // cut short
        {"{\\info{\\upr{\\title a}{\\*\\ud{\\title b}}}}x", "x"},  // inside a skipped group
        {"{\\upr{\\*\\bkmkstart m}{\\*\\ud{\\*\\bkmkstart m}}}x", "x"},
        {"p{\\*\\ud q}", "pq"},  // a Unicode part outside \\upr is read as it stands
    };
    for (const Case& c : cases) EXPECT_EQ(PlainOf(c.body), c.text) << c.body;
}

TEST(RtfReader, FontTableGivesFacesAndCodePages) {
    const Document d = Rtf(
        "{\\rtf1\\ansi\\ansicpg1252\\deff1{\\fonttbl{\\f0\\froman\\fcharset238\\fprq2 Times New "
        "Roman;}{\\f1\\fswiss\\fcharset0 Arial{\\*\\panose 020b0604020202020204}{\\*\\falt "
        "Helv};}\\f2\\fmodern Courier New;\\f3\\fnil\\fcharset2 Symbol;{\\f4 Tail}}"
        "x}");
    const auto& fonts = d.Fonts().Entries();
    ASSERT_EQ(fonts.size(), 5u);
    EXPECT_EQ(fonts[0].face, "Times New Roman");
    EXPECT_EQ(fonts[0].family, FontFamily::Roman);
    EXPECT_EQ(fonts[0].pitch, 2);
    EXPECT_EQ(fonts[1].face, "Arial");
    EXPECT_EQ(fonts[1].family, FontFamily::Swiss);
    EXPECT_EQ(fonts[2].face, "Courier New");
    EXPECT_EQ(fonts[3].charset, 2);
    EXPECT_EQ(fonts[4].face, "Tail");
    EXPECT_EQ(d.Settings().defaultFont, 1);
    EXPECT_EQ(test::DescribeChar(d, d.Char(d.Runs()[0].format)), "Arial");
}

TEST(RtfReader, EightBitTextFollowsTheCurrentFontsCharset) {
    const std::string header =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0 Default;}{\\f1\\fcharset238 EE;}"
        "{\\f2\\fcharset0 West;}{\\f3\\fcharset204 Cyr;}{\\f4\\fcharset161 Greek;}"
        "{\\f5\\fcharset162 Turk;}{\\f6\\fcharset186 Baltic;}{\\f7\\fcharset2 Symbol;}"
        "{\\f8\\cpg1251\\fcharset0 Override;}{\\f9\\fcharset128 Jp;}{\\f10\\cpg1025 Ebcdic;}}";
    struct Case {
        const char* body;
        const char* text;
    };
    const Case cases[] = {
        {"\\f0 \\'b9\\'bf", "ąż"},          // \ansicpg1250 for a font without a charset
        {"\\f1 \\'b3\\'f3d\\'9f", "łódź"},  // 238 -> 1250
        {"\\f2 \\'e9\\'fc\\'df", "éüß"},    // 0 -> 1252
        {"\\f3 \\'c0\\'e1", "Аб"},          // 204 -> 1251
        {"\\f4 \\'e1\\'e2", "αβ"},          // 161 -> 1253
        {"\\f5 \\'fe\\'f0", "şğ"},          // 162 -> 1254
        {"\\f6 \\'e0", "ą"},                // 186 -> 1257
        {"\\f7 a\\'b3p", "α≥π"},            // 2 -> symbol encoding
        {"\\f8 \\'c0", "А"},                // \cpg wins over \fcharset
        {"\\f9 \\'82\\'a0", "あ"},          // 932: a pair of escapes is one character
        {"\\f2 \xe9 raw", "é raw"},         // raw 8-bit bytes decode alike
        {"\\f99 \\'b9", "ą"},               // an unknown font: the document's page
        {"\\f10 \xc1-\x81", "Aa"},          // EBCDIC: a byte decoding to a control is dropped
    };
    for (const Case& c : cases) EXPECT_EQ(Rtf(header + c.body + "}").PlainText(), c.text) << c.body;
}

TEST(RtfReader, UnicodeSkipsItsFallback) {
    struct Case {
        const char* body;
        const char* text;
    };
    const Case cases[] = {
        {"\\u261?b", "ąb"},
        {"\\u261\\'b9b", "ąb"},       // an escape is one fallback character
        {"\\uc0\\u261 b", "ąb"},      // no fallback at all
        {"\\uc2\\u261 ab c", "ą c"},  // two fallback characters
        {"\\uc2\\u261\\'b9\\'b9x", "ąx"},
        {"\\u-3937?", "\uf09f"},                // negative: add 65536
        {"\\u-10179?\\u-8704?", "\U0001F600"},  // a surrogate pair
        {"\\u-10179?x", "\ufffdx"},             // a lone high surrogate
        {"{\\uc3 \\u261 abc}\\u261?d", "ąąd"},  // \uc is scoped by its group
        {"\\u261{\\b x}", "ąx"},                // a brace ends the skipping
        {"\\u261\\par x", "ąx"},                // a control word counts as one
        {"\\u1234567?a", "\ufffda"},            // no such character
    };
    for (const Case& c : cases) EXPECT_EQ(PlainOf(c.body), c.text) << c.body;
}

TEST(RtfReader, TablesBecomeRowsOfCells) {
    const Document d =
        Rtf("{\\rtf1\\ansi before\\par"
            "\\trowd\\trgaph108\\trleft-108\\clbrdrt\\brdrs\\cellx2000\\cellx4000"
            "\\pard\\intbl A\\cell B1\\par B2\\cell\\row"
            "\\pard\\intbl C\\cell D\\cell\\row"
            "\\pard after}");
    EXPECT_EQ(Describe(d),
              "[] {|before} <> PAR\n"
              "[] {|A} <> CELL (r0:0 edges 2000 4000)\n"
              "[] {|B1} <> PAR (r0:1 edges 2000 4000)\n"
              "[] {|B2} <> ROW (r0:1 edges 2000 4000)\n"
              "[] {|C} <> CELL (r1:0 edges 2000 4000)\n"
              "[] {|D} <> ROW (r1:1 edges 2000 4000)\n"
              "[] {|after} <> END\n");
    EXPECT_EQ(d.PlainText(), "before\r\nA\tB1\r\nB2\r\nC\tD\r\nafter");
    EXPECT_TRUE(d.Rows()[0].borders);
    EXPECT_EQ(d.Rows()[0].gap, 108);
    EXPECT_EQ(d.Rows()[0].left, -108);
}

TEST(RtfReader, TableOddities) {
    struct Case {
        const char* body;
        const char* plain;
    };
    const Case cases[] = {
        {"\\intbl a\\cell b\\row c", "a\tb\r\nc"},  // no \trowd at all
        {"\\trowd\\cellx100\\intbl a\\cell b\\cell c\\cell\\row", "a\tb\tc\r\n"},  // more cells
        {"\\trowd\\cellx100\\intbl a\\cell tail\\row", "a\ttail\r\n"},  // text after last \cell
        {"\\trowd\\cellx100\\intbl a\\cell\\pard b", "a\r\nb"},         // a row never ended
        {"\\row\\cell x", "\r\nx"},  // \row with no cells; the row a \cell opened ends
    };
    for (const Case& c : cases) EXPECT_EQ(PlainOf(c.body), c.plain) << c.body;
}

TEST(RtfReader, ARowPastTheCellLimitGoesOnInANewRowThatWritesBackAlike) {
    std::string body;
    for (int i = 0; i < 258; ++i) body += "\\intbl c" + std::to_string(i) + "\\cell ";
    const Document d = Rtf("{\\rtf1\\ansi " + body + "\\row}");
    ASSERT_EQ(d.Rows().size(), 2u);
    const std::string plain = d.PlainText();
    EXPECT_NE(plain.find("c255\r\nc256\tc257\r\n"), std::string::npos) << "256 cells, then 2";
    EXPECT_EQ(Rtf(RtfWriter::Write(d)).PlainText(), plain);
}

TEST(RtfReader, PicturesKeepTheirBytesAndGoalSize) {
    const std::string png = "89504e470d0a1a0a0000000d4948445200000002000000030806000000";
    struct Case {
        std::string body;
        const char* model;
    };
    const Case cases[] = {
        {"{\\pict\\pngblip\\picw2\\pich3\\picwgoal300\\pichgoal450 " + png + "}",
         "[] {|pict 300x450 29B} <> END\n"},
        {"{\\pict\\pngblip\\picwgoal300\\pichgoal450\\picscalex50\\picscaley200 " + png + "}",
         "[] {|pict 150x900 29B} <> END\n"},
        {"{\\pict\\pngblip " + png + "}", "[] {|pict 30x45 29B} <> END\n"},  // from the header
        {"{\\pict\\jpegblip\\picwgoal100\\pichgoal100\\bin4 \xff\xd8}{x}",
         "[] {|pict 100x100 4B} <> END\n"},
        {"{\\pict\\wmetafile8\\picwgoal100 0102}", "[] <> END\n"},
        {"{\\*\\shppict{\\pict\\pngblip\\picwgoal15\\pichgoal15 " + png +
             "}}{\\nonshppict{\\pict\\wmetafile8 00}}",
         "[] {|pict 15x15 29B} <> END\n"},
        {"{\\pict\\pngblip\\picwgoal15\\pichgoal15 }", "[] <> END\n"},  // no data
    };
    for (const Case& c : cases)
        EXPECT_EQ(Describe(Rtf("{\\rtf1\\ansi " + c.body + "}")), c.model) << c.body;
    EXPECT_EQ(PlainOf("a{\\pict\\pngblip " + png + "}b"), "a\uFFFCb");
}

TEST(RtfReader, ConcatenatedDocumentsAreAppended) {
    const Document d =
        Rtf("{\\rtf1\\ansi{\\fonttbl{\\f4\\froman Times New Roman;}}\\f4\\b\\qc Credit}"
            "\\par \\par \\par "
            "{\\rtf1\\ansi{\\fonttbl{\\f4\\fswiss Arial;}}\\f4 Body}");
    EXPECT_EQ(d.PlainText(), "Credit\r\n\r\n\r\nBody");
    EXPECT_EQ(Describe(d),
              "[qc] {Times New Roman,b|Credit} <Times New Roman,b> PAR\n"
              "[qc] <Times New Roman,b> PAR\n"
              "[qc] <Times New Roman,b> PAR\n"
              "[] {Arial|Body} <Arial> END\n");
}

TEST(RtfReader, TokenizerSplitsWordsSymbolsAndBinary) {
    RtfTokenizer t("{\\b-12 x\\'e9\\bin3 {}\\}y\\abcdefghijklmnopqrstuvwxyzabcdefghij99999999999 ");
    using K = RtfToken::Kind;
    RtfToken k = t.Next();
    EXPECT_EQ(k.kind, K::Open);
    k = t.Next();
    EXPECT_EQ(k.kind, K::Word);
    EXPECT_EQ(k.text, "b");
    EXPECT_EQ(k.param, -12);
    k = t.Next();
    EXPECT_EQ(k.kind, K::Text);
    EXPECT_EQ(k.text, "x");
    k = t.Next();
    EXPECT_EQ(k.kind, K::Hex);
    EXPECT_EQ(k.param, 0xe9);
    k = t.Next();
    EXPECT_EQ(k.kind, K::Binary);
    EXPECT_EQ(k.text, "{}\\");
    EXPECT_EQ(t.Next().kind, K::Close);
    k = t.Next();
    EXPECT_EQ(k.text, "y");
    k = t.Next();
    EXPECT_EQ(k.kind, K::Word);
    EXPECT_EQ(k.param, 2147483647);
    EXPECT_EQ(t.Next().kind, K::End);
}

TEST(RtfReader, AnyBytesLoadSafely) {
    std::string deep = "{\\rtf1 ";
    for (int i = 0; i < 100000; ++i) deep += "{\\b ";
    deep += "deep";
    struct Case {
        std::string bytes;
        const char* plain;
    };
    const Case cases[] = {
        {deep, ""},              // past the nesting limit
        {"{\\rtf1 abc", "abc"},  // truncated
        {"{\\rtf1 abc\\", "abc"},
        {"{\\rtf1 a\\'", "a"},
        {"{\\rtf1 a\\'4", "a"},                                 // half an escape
        {"{\\rtf1 {\\pict\\pngblip\\bin999999999 abc}}x", ""},  // \bin past the end
        {"{\\rtf1 a}}}}b", "a"},                                // closes without opens
        {"{\\rtf1 a\\u", "a"},
        {"{\\rtf1 \\fs-5 \\f-3 \\cf99999 \\li-999999999 x}", "x"},
        {std::string("{\\rtf1 a\0b}", 11), "ab"},
    };
    for (const Case& c : cases) {
        const Document d = Rtf(c.bytes);
        EXPECT_EQ(d.PlainText(), c.plain) << c.bytes.substr(0, 40);
    }
    // Random bytes with RTF's own characters mixed in.
    std::uint32_t seed = 12345;
    for (int round = 0; round < 200; ++round) {
        std::string s = "{\\rtf1 ";
        for (int i = 0; i < 400; ++i) {
            seed = seed * 1664525u + 1013904223u;
            static constexpr char kAlphabet[] = "{}\\'*ubinpardcellrow0123456789-; abfx";
            s += (seed >> 24) % 3 ? kAlphabet[(seed >> 8) % (sizeof(kAlphabet) - 1)]
                                  : char(seed >> 16);
        }
        const Document d = Rtf(s);
        EXPECT_LE(d.Length(), std::int32_t(s.size() * 2)) << round;
    }
}

}  // namespace
}  // namespace quindel::richtext
