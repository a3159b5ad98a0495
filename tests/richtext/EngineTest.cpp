#include <gtest/gtest.h>

#include "platform/headless/HeadlessTextService.h"
#include "richtext/Engine.h"

namespace quindel::richtext {
namespace {

const headless::HeadlessTextService& Text() {
    static const headless::HeadlessTextService text;
    return text;
}

TEST(Engine, TextSelectionAndRtfAsAControlUsesThem) {
    Engine e(Text());
    e.Load("{\\rtf1\\ansi\\fs18 Pierwszy {\\b akapit}\\par drugi}");
    EXPECT_EQ(e.Text(), "Pierwszy akapit\r\ndrugi");
    EXPECT_EQ(e.TextLength(), 22);
    struct Case {
        std::int32_t start, length, wantStart, wantLength;
        const char* text;
    };
    const Case cases[] = {
        {0, 8, 0, 8, "Pierwszy"},
        {9, 100, 9, 13, "akapit\r\ndrugi"},  // a length past the end selects to the end
        {-5, 3, 0, 3, "Pie"},
        {30, 3, 22, 0, ""},
        {0, 0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        e.Select(c.start, c.length);
        EXPECT_EQ(e.SelStart(), c.wantStart);
        EXPECT_EQ(e.SelLength(), c.wantLength);
        EXPECT_EQ(e.SelectedText(), c.text);
    }
    e.Select(9, 6);
    Engine copy(Text());
    copy.Load(e.SelectedRtf());
    EXPECT_EQ(copy.Text(), "akapit");
    copy.Load(e.Rtf());
    EXPECT_EQ(copy.Text(), e.Text());
    copy.Load("just text\nlines");
    EXPECT_EQ(copy.Text(), "just text\r\nlines");
    EXPECT_EQ(copy.SelLength(), 0);
}

TEST(Engine, DocHeightFollowsTheWidth) {
    Engine e(Text());
    e.Load("{\\rtf1\\fs18 aaaa bbbb cccc dddd}");
    e.SetWidth(20 * 105);
    EXPECT_EQ(e.DocHeight(), 210);
    e.SetWidth(5 * 105);
    EXPECT_EQ(e.DocHeight(), 4 * 210);
    EXPECT_EQ(e.Width(), 5 * 105);
    e.SetWidth(0);
    EXPECT_EQ(e.Width(), Layout::kDefaultWidth);
}

TEST(Engine, AppendStartsANewParagraphWithItsOwnTables) {
    Engine e(Text());
    e.Load("{\\rtf1{\\fonttbl{\\f4 Times;}}\\f4\\b Credit}");
    e.Append("{\\rtf1{\\fonttbl{\\f4 Arial;}}\\f4 Body}");
    EXPECT_EQ(e.Text(), "Credit\r\nBody");
    const Document& d = e.document();
    EXPECT_EQ(d.FontOf(d.Char(d.Runs().back().format))->face, "Arial");
    EXPECT_EQ(d.FontOf(d.Char(d.Runs().front().format))->face, "Times");
}

}  // namespace
}  // namespace quindel::richtext
