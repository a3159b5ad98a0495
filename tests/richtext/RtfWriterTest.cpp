#include <gtest/gtest.h>

#include "richtext/RichTextTestSupport.h"
#include "richtext/RtfWriter.h"

namespace quindel::richtext {
namespace {

using test::Describe;
using test::Rtf;

TEST(RtfWriter, RoundTripsKeepTheModel) {
    const std::string header =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
        "{\\f1\\fswiss\\fcharset238 Arial;}{\\f2\\fnil\\fcharset2 Symbol;}{\\f3\\fmodern Courier "
        "New;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;"
        "\\red255\\green255\\blue0;}";
    const std::string documents[] = {
        "plain text",
        "{\\b bold} {\\i italic} {\\ul under} {\\strike struck} x\\super 2\\nosupersub H\\sub 2",
        "\\f1\\fs32 Arial 16 {\\f3\\fs16 mono} \\cf1 red {\\cf2\\highlight3 green on yellow}",
        "Za\\u380?\\u243?\\u322?\\u263? g\\u281?\\u347?l\\u261? ja\\u378?\\u324? "
        "\\u1046?\\u945?\\u8364? \\u-10179?\\u-8704? {\\f2 a\\'b3}",
        "\\qc centred\\par\\pard\\qr\\li720\\ri360\\fi-180\\sb120\\sa240 right\\par"
        "\\pard\\qj\\sl-300\\tx1440\\tx2880 a\\tab b\\line c\\par\\pard\\sl360\\slmult1 multi",
        "one\\page two\\par\\par{\\b\\par}last",
        "\\\\ \\{ \\} \\~\\-\\_ \\emdash\\bullet\\ldblquote q\\rdblquote",
        "before\\par\\trowd\\trgaph108\\trleft-108\\trrh400\\clbrdrt\\brdrs\\cellx2000\\cellx5000"
        "\\pard\\intbl A\\cell {\\b B1}\\par B2\\cell\\row\\trowd\\cellx3000\\pard\\intbl C\\cell"
        "\\row\\pard after",
        "{\\pict\\pngblip\\picw3\\pich2\\picwgoal450\\pichgoal300 " +
            test::HexOf(test::PngOf(platform::Image(3, 2, platform::MakeRgb(10, 200, 30)))) +
            "} after",
        "{\\pict\\jpegblip\\picwgoal100\\pichgoal200 ffd8ffd9}",
        "\\tqr\\tldot\\tx4000\\tqc\\tx2000\\tb1000\\tlul\\tqdec\\tx6000\\tlmdot\\tx7000 a\\tb\\tc",
        "{\\uld dotted}{\\ulw words only}{\\uldb double}{\\ulwave\\b wave} {\\ulthdashdd x}",
        "{\\striked1 double} {\\strike single} {\\striked1\\ul both}",
        "\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1417\\margb1417\\landscape text",
    };
    for (const std::string& body : documents) {
        const Document first = Rtf(header + body + "}");
        const std::string written = RtfWriter::Write(first);
        const Document second = Rtf(written);
        EXPECT_EQ(Describe(second), Describe(first)) << body << "\n" << written;
        EXPECT_EQ(second.PlainText(), first.PlainText()) << body;
        EXPECT_EQ(second.Pictures(), first.Pictures()) << body;
        // Written again, the text is a fixed point.
        EXPECT_EQ(RtfWriter::Write(second), written) << body;
    }
}

// Formats are groups around their runs, never ended with \\plain or off-switches: readers that
// drop or displace the text after a \\plain inside a paragraph lose nothing.
TEST(RtfWriter, FormatsAreGroupsAroundTheirRuns) {
    struct Case {
        const char* body;
        const char* written;
    };
    const Case cases[] = {
        {"E=mc\\super 2\\nosupersub  and more", "E=mc{\\super 2} and more"},
        {"H\\sub 2\\sub0 O", "H{\\sub 2}O"},
        {"x\\super 2\\plain  y", "x{\\super 2} y"},
        {"{\\b bold}{\\i\\ul both} plain", "{\\b bold}{\\i\\ul both} plain"},
        {"{\\b a\\par}b", "{\\b a}{\\b \\par}"},  // a paragraph mark in a format of its own
        {"a\\par\\b b", "{\\b b}\\b}"},           // the last mark's format ends the document
    };
    for (const Case& c : cases) {
        const Document d = Rtf(std::string("{\\rtf1\\ansi ") + c.body + "}");
        const std::string rtf = RtfWriter::Write(d);
        EXPECT_NE(rtf.find(c.written), std::string::npos) << c.body << "\n" << rtf;
        EXPECT_EQ(rtf.find("\\plain"), std::string::npos) << rtf;
        EXPECT_EQ(rtf.find("\\nosupersub"), std::string::npos) << rtf;
        EXPECT_EQ(Describe(Rtf(rtf)), Describe(d)) << rtf;
    }
}

// Bytes no reader recognises as an image are written as the bare signature of their kind, so
// that readers which refuse a whole document over such a picture open ours; pictures whose
// bytes look like an image are written as they are, whichever kind they are given as.
TEST(RtfWriter, UnrecognisablePictureBytesAreWrittenAsTheirKindsSignature) {
    struct Case {
        const char* pict;
        const char* written;
    };
    const Case cases[] = {
        {"\\jpegblip 7b7d5c5c", "ffd8ffd9"},
        {"\\pngblip 00", "89504e470d0a1a0a"},
        {"\\pngblip 7b7d5c5c0d0a", "89504e470d0a1a0a"},
        {"\\jpegblip ffd8ffe000104a464946", "ffd8ffe000104a464946"},
        {"\\pngblip ffd8ffd9", "ffd8ffd9"},
        {"\\jpegblip 89504e470d0a1a0a0000", "89504e470d0a1a0a0000"},
    };
    for (const Case& c : cases) {
        const Document d =
            Rtf(std::string("{\\rtf1 a{\\pict") + c.pict + "\\picwgoal300\\pichgoal200}b}");
        const std::string rtf = RtfWriter::Write(d);
        EXPECT_NE(rtf.find(std::string("\r\n") + c.written + "}"), std::string::npos)
            << c.pict << "\n"
            << rtf;
        const Document back = Rtf(rtf);
        ASSERT_EQ(back.Pictures().size(), 1u) << rtf;
        EXPECT_EQ(back.Pictures()[0].width, 300);
        EXPECT_EQ(back.Pictures()[0].height, 200);
        EXPECT_EQ(back.PlainText(), d.PlainText());
    }
}

TEST(RtfWriter, WritesUnicodeWithCentralEuropeanFallbacks) {
    struct Case {
        const char* body;
        const char* written;
    };
    const Case cases[] = {
        {"\\u261?\\u380?", "\\u261\\'b9\\u380\\'bf"},    // ą ż in Windows-1250
        {"\\u1046?", "\\u1046?"},                        // Ж has no 1250 byte
        {"\\u8364?", "\\u8364\\'80"},                    // €
        {"\\u-10179?\\u-8704?", "\\u-10179?\\u-8704?"},  // a surrogate pair
        {"\\u40960?", "\\u-24576?"},                     // past 32767: negative
        {"a\\tab b\\line c", "a\\tab b\\line c"},
    };
    for (const Case& c : cases) {
        const std::string rtf = RtfWriter::Write(Rtf(std::string("{\\rtf1\\ansi ") + c.body + "}"));
        EXPECT_NE(rtf.find(c.written), std::string::npos) << c.body << "\n" << rtf;
        EXPECT_NE(rtf.find("\\ansi\\ansicpg1250"), std::string::npos);
    }
}

TEST(RtfWriter, WritesOnlyTheFontsAndColoursUsed) {
    const Document d =
        Rtf("{\\rtf1\\deff0{\\fonttbl{\\f0 Times;}{\\f1 Unused;}{\\f7\\fcharset2 Symbol;}}"
            "{\\colortbl;\\red1\\green1\\blue1;\\red0\\green0\\blue255;}\\f7 x\\f0\\cf2 y}");
    const std::string rtf = RtfWriter::Write(d);
    EXPECT_EQ(rtf.find("Unused"), std::string::npos);
    EXPECT_NE(rtf.find("{\\f1\\fnil\\fcharset2 Symbol;}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("{\\colortbl;\\red0\\green0\\blue255;}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\cf1"), std::string::npos) << rtf;
}

TEST(RtfWriter, SymbolFontTextReadsBackAlike) {
    struct Case {
        const char* rtf;
        const char* text;
    };
    const Case cases[] = {
        // Text in no font reads in the document's code page, also once a symbol font is written.
        {"{\\rtf1\\deff0{\\fonttbl{\\f1\\fcharset2 Symbol;}}p {\\f1 p}}", "p π"},
        // A backslash read before the font table, and the symbol at a backslash's byte.
        {"{\\rtf1\\deff0\\\\{\\fonttbl{\\f0\\fcharset2 Symbol;}}p {\\f0 p\\\\}}", "\\π π∴"},
    };
    for (const Case& c : cases) {
        const Document d = Rtf(c.rtf);
        EXPECT_EQ(d.PlainText(), c.text) << c.rtf;
        EXPECT_EQ(Rtf(RtfWriter::Write(d)).PlainText(), c.text) << c.rtf;
    }
}

TEST(RtfWriter, SelectionsWriteAsDocumentsOfTheirOwn) {
    const Document d = Rtf(
        "{\\rtf1\\ansi First {\\b bold}\\par\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell"
        "\\row\\pard\\qc last}");
    ASSERT_EQ(d.PlainText(), "First bold\r\na\tb\r\nlast");
    struct Case {
        std::int32_t start, length;
    };
    for (const Case c : {Case{6, 6}, Case{0, 12}, Case{14, 6}, Case{3, 100}, Case{13, 4}}) {
        const Document back = Rtf(RtfWriter::Write(d, c.start, c.length));
        EXPECT_EQ(back.PlainText(), d.PlainText(c.start, c.length)) << c.start << "+" << c.length;
    }
    // A selection ending inside a row is written with that row completed.
    EXPECT_EQ(Rtf(RtfWriter::Write(d, 12, 3)).PlainText(), "a\tb\r\n");
    EXPECT_EQ(Describe(Rtf(RtfWriter::Write(d, 6, 4))), "[] {,b|bold} <> END\n");
}

}  // namespace
}  // namespace quindel::richtext
