#include <gtest/gtest.h>

#include "richtext/PageSetup.h"
#include "richtext/RichTextTestSupport.h"
#include "richtext/RtfWriter.h"

namespace quindel::richtext {
namespace {

using test::Rtf;

constexpr std::int32_t U = PageSetup::kUnset;

std::string Fields(const PageSetup& p) {
    return std::to_string(p.paperWidth) + "x" + std::to_string(p.paperHeight) + " l" +
           std::to_string(p.marginLeft) + " r" + std::to_string(p.marginRight) + " t" +
           std::to_string(p.marginTop) + " b" + std::to_string(p.marginBottom) +
           (p.landscape ? " landscape" : "");
}

TEST(PageSetup, ReadWrittenAndReadAgain) {
    struct Case {
        const char* body;
        PageSetup page;
    };
    const Case cases[] = {
        {"\\paperw11906\\paperh16838\\margl1417\\margr1134\\margt851\\margb567 a",
         {11906, 16838, 1417, 1134, 851, 567, false}},
        {"\\paperw16838\\paperh11906\\landscape a", {16838, 11906, U, U, U, U, true}},
        {"\\margl0 a", {U, U, 0, U, U, U, false}},  // a margin of nothing is a margin
        {"\\paperw0\\paperh-5\\margl-100 a", {}},   // no paper, no margin
        {"a", {}},
        // The first section's own words count; a later section's do not.
        {"\\paperw12240\\sectd\\pgwsxn11906\\marglsxn1000\\lndscpsxn a\\sect\\sectd"
         "\\pgwsxn5000\\marglsxn500 b",
         {11906, U, 1000, U, U, U, true}},
    };
    for (const Case& c : cases) {
        const Document first = Rtf(std::string("{\\rtf1\\ansi ") + c.body + "}");
        EXPECT_EQ(Fields(first.Settings().page), Fields(c.page)) << c.body;
        const std::string written = RtfWriter::Write(first);
        EXPECT_EQ(Fields(Rtf(written).Settings().page), Fields(c.page)) << written;
        EXPECT_EQ(written.find("\\paperw") != std::string::npos, c.page.paperWidth != U) << written;
    }
}

TEST(PageSetup, AppendedDocumentsLendTheirsOnlyToADocumentWithoutOne) {
    struct Case {
        const char* rtf;
        std::int32_t marginLeft;
    };
    const Case cases[] = {
        {"{\\rtf1 credit}{\\rtf1\\margl720 text}", 720},
        {"{\\rtf1\\margl1000 credit}{\\rtf1\\margl720 text}", 1000},
        {"{\\rtf1 credit}{\\rtf1 text}", U},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Rtf(c.rtf).Settings().page.marginLeft, c.marginLeft) << c.rtf;
}

TEST(PageSetup, PrintAreaFollowsTheDocumentsMarginsOnTheSheet) {
    platform::PageMetrics a4;  // 11906 x 16838, printable from 300 twips in on every side
    a4.marginLeft = a4.marginTop = a4.marginRight = a4.marginBottom = 300;
    const platform::RectTwips asked{0, 45, 11000, 16000};
    struct Case {
        const char* name;
        PageSetup page;
        platform::RectTwips asked, area;
    };
    const Case cases[] = {
        {"nothing given", {}, asked, asked},
        {"margins", {U, U, 1440, 1440, 1440, 1440, false}, asked, {1140, 1140, 9026, 13958}},
        // Only some given: the others are the usual 1.25 and 1 inch.
        {"left only", {U, U, 720, U, U, U, false}, asked, {420, 1140, 9386, 13958}},
        // Letter paper is wider than A4 but not as tall: the sheet's right edge counts, the
        // paper's bottom; a narrower paper's right edge counts.
        {"letter paper",
         {12240, 15840, 1800, 1800, 1440, 1440, false},
         asked,
         {1500, 1140, 8306, 12960}},
        {"narrow paper",
         {8000, U, 1000, 1000, 1000, 1000, false},
         asked,
         {700, 700, 6000, 15538 - 700}},
        // A caller's lower start is kept; a band wholly in the bottom margin stays as asked.
        {"lower start",
         {U, U, 1440, 1440, 1440, 1440, false},
         {0, 5000, 11000, 1000},
         {1140, 5000, 9026, 1000}},
        {"band in margin",
         {U, U, 1440, 1440, 1440, 1440, false},
         {0, 15900, 11000, 300},
         {1140, 15900, 9026, 300}},
        {"margins past the sheet",
         {U, U, 20000, 20000, U, U, false},
         asked,
         {11305, 1140, 1, 13958}},
    };
    for (const Case& c : cases) {
        const platform::RectTwips got = c.page.PrintArea(a4, c.asked);
        EXPECT_EQ(got, c.area) << c.name << ": " << got.left << "," << got.top << " " << got.width
                               << "x" << got.height;
    }
}

}  // namespace
}  // namespace quindel::richtext
