#include <gtest/gtest.h>

#include "richtext/Document.h"
#include "richtext/PlainTextReader.h"
#include "richtext/RichTextTestSupport.h"

namespace quindel::richtext {
namespace {

using test::Describe;
using test::Rtf;

// "Ab\r\nCd" then a row "x\ty\r\n" then "zż".
Document Sample() {
    return Rtf(
        "{\\rtf1\\ansi Ab\\par {\\b Cd}\\par\\trowd\\cellx1000\\cellx2000\\intbl x\\cell "
        "y\\cell\\row"
        "\\pard z\\u380?}");
}

TEST(Document, PlainTextOfRangesCountsMarksAsCharacters) {
    const Document d = Sample();
    ASSERT_EQ(d.PlainText(), "Ab\r\nCd\r\nx\ty\r\nzż");
    EXPECT_EQ(d.Length(), 15);
    struct Case {
        std::int32_t start, length;
        const char* text;
    };
    const Case cases[] = {
        {0, 2, "Ab"},
        {1, 3, "b\r\n"},
        {2, 1, "\r"},
        {3, 2, "\nC"},
        {5, 4, "d\r\nx"},
        {8, 2, "x\t"},
        {9, 4, "\ty\r\n"},
        {10, 5, "y\r\nzż"},
        {14, 5, "ż"},
        {-3, 2, "Ab"},
        {20, 5, ""},
        {4, -1, ""},
        {0, 1000, "Ab\r\nCd\r\nx\ty\r\nzż"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(d.PlainText(c.start, c.length), c.text) << c.start << "+" << c.length;
}

TEST(Document, PositionsAndPlacesAgree) {
    const Document d = Sample();
    for (std::int32_t pos = 0; pos <= d.Length(); ++pos) {
        const Document::Place place = d.Locate(pos);
        const std::int32_t back = d.PositionOf(place.paragraph, place.byte);
        // Inside an end mark the place is the paragraph's end: the mark's first position.
        const Paragraph& p = d.Paragraphs()[place.paragraph];
        EXPECT_EQ(back, std::min<std::int32_t>(pos, std::int32_t(p.position + p.length))) << pos;
    }
}

TEST(Document, SlicesKeepFormatsAndCutRows) {
    const Document d = Sample();
    struct Case {
        std::int32_t start, length;
        const char* model;
    };
    const Case cases[] = {
        {1, 4, "[] {|b} <> PAR\n[] {,b|C} <> END\n"},
        {4, 4, "[] {,b|Cd} <> PAR\n[] <> END\n"},
        {10, 3, "[] {|y} <> ROW (r0:0 edges 2000)\n[] <> END\n"},
        {8, 1, "[] {|x} <> END (r0:0 edges 1000 2000)\n"},
        {13, 2, "[] {|zż} <> END\n"},
        {0, 0, "[] <> END\n"},
    };
    for (const Case& c : cases) {
        const Document s = d.Slice(c.start, c.length);
        EXPECT_EQ(Describe(s), c.model) << c.start << "+" << c.length;
        EXPECT_EQ(s.PlainText(), d.PlainText(c.start, c.length)) << c.start << "+" << c.length;
    }
}

TEST(Document, AppendMergesFontAndColourTables) {
    Document a =
        Rtf("{\\rtf1{\\fonttbl{\\f0 Times;}{\\f1 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
            "\\f1\\cf1 one\\par}");
    const Document b = Rtf(
        "{\\rtf1\\deff1{\\fonttbl{\\f0 Arial;}{\\f1 Courier;}}{\\colortbl;\\red0\\green0\\blue255;"
        "\\red255\\green0\\blue0;}\\f0\\cf1 two {\\cf2 three} {\\f5 four}}");
    a.Append(b);
    EXPECT_EQ(Describe(a),
              "[] {Arial,fg#ff0000|one} <Arial,fg#ff0000> PAR\n"
              "[] {Arial,fg#0000ff|two } {Arial,fg#ff0000|three} {Arial,fg#0000ff| }"
              " {Courier,fg#0000ff|four} <Arial,fg#0000ff> END\n");
    EXPECT_EQ(a.Fonts().Entries().size(), 3u);
    EXPECT_EQ(a.Colours().size(), 3u);
}

TEST(Document, PlainTextLoading) {
    struct Case {
        std::string bytes;
        const char* text;
        std::size_t paragraphs;
    };
    const Case cases[] = {
        {"one\r\ntwo\nthree\rfour", "one\r\ntwo\r\nthree\r\nfour", 4},
        {"\xEF\xBB\xBFzażółć", "zażółć", 1},
        {"Zwyk\xb3y", "Zwykły", 1},  // not UTF-8: the system code page, Windows-1250
        {"tab\there\x01\x07", "tab\there", 1},
        {"", "", 1},
        {"end\r\n", "end\r\n", 2},
    };
    for (const Case& c : cases) {
        const Document d = PlainTextReader::Read(c.bytes);
        EXPECT_EQ(d.PlainText(), c.text) << c.bytes;
        EXPECT_EQ(d.Paragraphs().size(), c.paragraphs) << c.bytes;
    }
}

TEST(Document, ModelOfAMegabyteStaysSmall) {
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}";
    while (rtf.size() < (1u << 20))
        rtf +=
            "\\pard\\qj Tekst akapitu {\\b pogrubiony} i {\\i pochy\\u322?y} z liter\\u261?mi. "
            "Drugie zdanie jest d\\u322?u\\u380?sze od pierwszego.\\par\n";
    rtf += "}";
    const Document d = Rtf(rtf);
    EXPECT_GT(d.Length(), 400000);
    EXPECT_LT(d.MemoryBytes(), 4u << 20);
}

}  // namespace
}  // namespace quindel::richtext
