// The rich-text box lays a document out alike on both backends: the same blocks (paragraphs and
// table rows), and about the same lines and height. Only the fonts differ: headless text is the
// built-in monospaced face, the desktop's the metric faces fontconfig gives (Liberation), so a
// monospaced document agrees closely and a proportional one (about a quarter narrower on the
// desktop) more loosely.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "hostkit/richtextbox/RichTextBox.h"
#include "platform/Form.h"
#include "qt/Backend.h"

namespace quindel::test {
namespace {

struct Laid {
    std::size_t blocks = 0, lines = 0;
    std::int32_t height = 0;
};

Laid LayOut(Backend& b, const std::string& content, std::int32_t width) {
    auto form = b.P().NewForm();
    form->Move(600, 600, width + 1200, 6000);
    auto box = b.P().NewChild<hostkit::RichTextBox>(*form);
    box->Move(0, 0, width + 600, 4500);
    box->setDocWidth(width);
    box->setFText(content);
    const std::int32_t height = box->DocHeight();  // lays out every line
    const richtext::Layout& layout = box->engine().layout();
    const Laid laid{layout.Blocks().size(), layout.Lines().size(), height};
    form->Unload();
    return laid;
}

std::string SampleArticle() {
    std::ifstream in(std::string(QUINDEL_SAMPLE_DIR) + "/Haslo.rtf", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(RichTextConformance, TheSameDocumentTakesAboutTheSameLinesOnBothBackends) {
    std::string prose;
    for (int i = 0; i < 40; ++i) prose += "The river carries sand and timber to the sea. ";
    const std::string mono =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\\f0\\fs20 " + prose + "}";
    struct Case {
        const char* what;
        std::string content;
        std::int32_t width;
        // Tolerances, as parts of the headless values: the number of lines, an average line's
        // height.
        double lines, lineHeight;
    } cases[] = {
        {"monospaced prose", mono, 3000, 0.05, 0.1},
        {"the sample article, wide", SampleArticle(), 9000, 0.3, 0.15},
        {"the sample article, narrow", SampleArticle(), 4000, 0.3, 0.15},
        {"serif prose", prose, 3000, 0.3, 0.15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_FALSE(c.content.empty());
        const Laid headless = LayOut(*MakeHeadlessBackend(), c.content, c.width);
        const Laid qt = LayOut(*MakeQtBackend(), c.content, c.width);
        ASSERT_GT(headless.lines, 5u);
        ASSERT_GT(qt.lines, 0u);
        EXPECT_EQ(qt.blocks, headless.blocks);
        EXPECT_NEAR(double(qt.lines), double(headless.lines), c.lines * double(headless.lines));
        const double line = double(headless.height) / double(headless.lines);
        EXPECT_NEAR(double(qt.height) / double(qt.lines), line, c.lineHeight * line);
    }
}

}  // namespace
}  // namespace quindel::test
