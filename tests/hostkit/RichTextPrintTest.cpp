// The engine's print functions on the headless printer: long texts over pages with nothing lost or
// repeated, regions that print the selection and say where they ended, jobs named and checked;
// and the picture control printing into the same document.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "TestFolder.h"
#include "hostkit/DisplayKitSupport.h"
#include "hostkit/picture/PicturePrint.h"
#include "hostkit/richtextbox/RichTextBox.h"
#include "hostkit/richtextbox/RichTextPrint.h"
#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"
#include "richtext/Layout.h"
#include "runtime/Dispatch.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {
namespace {

using namespace quindel::platform;
using headless::PrintedDocument;

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// "Line 1" to "Line n", one paragraph each.
std::string Lines(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += "Line " + std::to_string(i) + (i < n ? "\n" : "");
    return text;
}

// Justified paragraphs of numbered words, long enough to wrap.
std::string Wrapped(int paragraphs, int words) {
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}";
    for (int p = 1; p <= paragraphs; ++p) {
        rtf += "\\pard\\qj ";
        for (int w = 1; w <= words; ++w)
            rtf += "p" + std::to_string(p) + "w" + std::to_string(w) + " ";
        rtf += "\\par ";
    }
    return rtf + "}";
}

struct PrintStage : ::testing::Test {
    test::TestFolder folder{"richtextprint"};
    headless::HeadlessPlatform p;
    headless::HeadlessPrinter& printer = *p.printer();
    std::shared_ptr<Form> form = p.NewForm();
    std::shared_ptr<RichTextBox> box = p.NewChild<RichTextBox>(*form);
    Object obj = box;
    const PageMetrics page = printer.Metrics();

    PrintStage() {
        printer.SetOutputFile((folder.path() / "print.pdf").string());
        box->Move(0, 0, 6000, 3000);
    }
    std::int32_t Handle() const { return box->EngineHandle(); }
    // The text laid out for print (one twip a pixel) at width: its height and its line height.
    std::int64_t PrintHeight(std::int32_t width) {
        richtext::Layout layout(box->engine().document(), p.Text(), 1);
        layout.SetWidth(width);
        return layout.Height();
    }
    const PrintedDocument& Last() { return printer.Documents().back(); }
    // The printed words of a document in reading order: page by page, line by line.
    static std::vector<std::string> PrintedWords(const PrintedDocument& doc) {
        std::vector<std::string> out;
        for (const auto& pg : doc.pages) {
            std::vector<const PrintText*> runs;
            for (const auto& item : pg.items)
                if (const auto* t = std::get_if<PrintText>(&item)) runs.push_back(t);
            std::stable_sort(runs.begin(), runs.end(), [](const PrintText* a, const PrintText* b) {
                return a->y != b->y ? a->y < b->y : a->x < b->x;
            });
            for (const PrintText* t : runs)
                for (std::string& w : Words(t->text)) out.push_back(std::move(w));
        }
        return out;
    }
};

TEST_F(PrintStage, ALongTextGoesOverPagesWithNoLineLostOrRepeated) {
    const std::int32_t fullHeight = page.PrintableHeight() - 7;  // three dots down, as the panel
    struct Case {
        const char* what;
        std::string content;
        std::int32_t top, height, left, width;
        int firstLine;  // the pagePos given: this many lines' height
    } cases[] = {
        {"lines on whole sheets", Lines(300), 7, fullHeight, 0, page.pageWidth - 1440, 0},
        {"a short area lower down", Lines(300), 2000, 3000, 720, 6000, 0},
        {"from line 51 on", Lines(300), 7, fullHeight, 0, page.pageWidth - 1440, 50},
        {"wrapped justified paragraphs", Wrapped(30, 90), 500, 9000, 360, 8000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        box->setFText(c.content);
        const std::int64_t height = PrintHeight(c.width);
        const std::int32_t lines = std::int32_t(box->engine().document().Paragraphs().size());
        const std::int64_t lineHeight = height / lines;  // one line a paragraph for the Lines cases
        std::int32_t pos = std::int32_t(c.firstLine * lineHeight);

        ATX_PRINT_START(p, 0, printer.hDC());
        ATX_PRINT(p, obj, pos, c.top, c.height, c.left, c.width, 0, Handle(), 0);
        ATX_PRINT_FINISH(p);
        ASSERT_TRUE(printer.EndDoc());

        EXPECT_EQ(pos, height) << "pagePos returns where the text ended: its end";
        const PrintedDocument& doc = Last();
        std::vector<std::string> expected = Words(box->engine().Text());
        expected.erase(expected.begin(), expected.begin() + 2 * c.firstLine);
        EXPECT_EQ(PrintedWords(doc), expected);
        for (std::size_t n = 0; n < doc.pages.size(); ++n)
            for (const auto& item : doc.pages[n].items) {
                const auto* t = std::get_if<PrintText>(&item);
                ASSERT_NE(t, nullptr);
                EXPECT_GT(t->y, c.top) << "page " << n + 1;
                EXPECT_LE(t->y, c.top + c.height) << "page " << n + 1;
                EXPECT_GE(t->x, c.left);
                EXPECT_LT(t->x, c.left + c.width);
                EXPECT_EQ(t->font.twipsPerPixel, 1) << "measured in twips";
            }
        if (c.firstLine == 0 && c.content == Lines(300)) {
            const std::int64_t perPage = c.height / lineHeight;
            EXPECT_EQ(std::int64_t(doc.pages.size()), (300 + perPage - 1) / perPage);
        } else {
            EXPECT_GT(doc.pages.size(), 1u);
        }
    }
    // A page to look at.
    const PrintedDocument& doc = Last();
    EXPECT_TRUE(printer.RenderPage(doc, 0, 96).savePng("hostkit_printed_page.png"));
}

// On paper as on screen: an underline runs on across the blank between words, and a document
// that sets its page prints within its own margins rather than the caller's area.
TEST_F(PrintStage, UnderlinesRunAcrossBlanksAndTheDocumentsMarginsHold) {
    const std::string head = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}";
    struct Case {
        const char* what;
        std::string rtf;
        std::int32_t left;  // where the text must start, twips from the printable area's edge
        bool underlined;
    } cases[] = {
        {"the caller's area", head + "\\pard Example site\\par}", 720, false},
        {"an underline over two words", head + "\\pard\\ul Example site\\ul0\\par}", 720, true},
        {"the document's own margins",
         head + "\\paperw12240\\paperh15840\\margl2880\\margr2880\\pard Example site\\par}",
         2880 - page.marginLeft, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        box->setFText(c.rtf);
        std::int32_t pos = 0;
        ATX_PRINT_START(p, 0, printer.hDC());
        ATX_PRINT(p, obj, pos, 7, 3000, 720, 6000, 0, Handle(), 0);
        ATX_PRINT_FINISH(p);
        ASSERT_TRUE(printer.EndDoc());
        std::int32_t textLeft = INT32_MAX, textRight = 0;
        std::vector<const PrintFill*> fills;
        for (const auto& item : Last().pages.at(0).items) {
            if (const auto* t = std::get_if<PrintText>(&item)) {
                textLeft = std::min(textLeft, t->x);
                textRight = std::max(textRight, t->x);
                EXPECT_FALSE(t->font.underline) << "the line is a mark of its own";
            } else if (const auto* f = std::get_if<PrintFill>(&item)) {
                fills.push_back(f);
            }
        }
        EXPECT_EQ(textLeft, c.left);
        if (!c.underlined) {
            EXPECT_TRUE(fills.empty());
            continue;
        }
        ASSERT_EQ(fills.size(), 1u) << "one line, not one a word";
        EXPECT_LE(fills[0]->area.left, textLeft);
        EXPECT_GT(fills[0]->area.left + fills[0]->area.width, textRight)
            << "it reaches the last word";
    }
}

TEST_F(PrintStage, ARegionPrintsWhatItsRangeSaysAndTellsWhereItEnded) {
    box->setFText(Lines(20));
    const std::int64_t lineHeight = PrintHeight(8000) / 20;
    // "Line 5" starts at 32: each of the lines before it is 6 characters and CR LF.
    struct Case {
        const char* what;
        bool region;  // ATX_PRINT_REGION by 112, else ATX_PRINT by 49
        std::int32_t range, selStart, selLength;
        bool showSelection;
        std::vector<int> lines;
    } cases[] = {
        {"the selection", true, 1, 32, 22, false, {5, 6, 7}},
        {"the whole text", true, 0, 32, 22, false, {}},
        {"an empty selection", true, 1, 32, 0, false, {}},
        {"a page range of the selection", false, 1, 32, 22, false, {5, 6, 7}},
        {"the selection shown", true, 1, 32, 22, true, {5, 6, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        box->Select(c.selStart, c.selLength);
        box->settings().regionRange = c.region ? c.range : 0;
        box->settings().pageRange = c.region ? 0 : c.range;
        box->setShowSelection(c.showSelection);
        std::vector<std::string> expected;
        const bool all = c.range == 0;
        for (int i = 1; i <= 20; ++i)
            if (all || std::find(c.lines.begin(), c.lines.end(), i) != c.lines.end())
                expected.insert(expected.end(), {"Line", std::to_string(i)});
        if (c.range == 1 && c.selLength == 0) expected.clear();

        ATX_PRINT_START(p, 0, printer.hDC());
        std::int32_t top = 2000, pos = 0;
        if (c.region)
            ATX_PRINT_REGION(p, obj, top, 12000, 500, 8000, 0, Handle(), 0);
        else
            ATX_PRINT(p, obj, pos, top, 12000, 500, 8000, 0, Handle(), 0);
        ATX_PRINT_FINISH(p);
        ASSERT_TRUE(printer.EndDoc());

        const PrintedDocument& doc = Last();
        EXPECT_EQ(PrintedWords(doc), expected);
        ASSERT_EQ(doc.pages.size(), 1u);
        if (c.region) {
            EXPECT_EQ(top, 2000 + std::int32_t(expected.size() / 2 * lineHeight));
        }
        int fills = 0, white = 0;
        for (const auto& item : doc.pages[0].items) {
            fills += std::holds_alternative<PrintFill>(item) ? 1 : 0;
            if (const auto* t = std::get_if<PrintText>(&item))
                white += t->colour == MakeRgb(255, 255, 255) ? 1 : 0;
        }
        EXPECT_EQ(fills > 0, c.showSelection) << "the selection inverted only while shown";
        EXPECT_EQ(white > 0, c.showSelection);
    }
}

TEST_F(PrintStage, JobsShareTheDocumentTheTitleNamesAndCheckWhatTheyAreGiven) {
    box->setFText("Credit line");
    const std::int32_t hdc = printer.hDC();
    ATX_PRINT_START(p, 0, hdc);
    ATX_PRINT_TITLE(p, "Wydruk hasła");
    std::int32_t top = 480;
    ATX_PRINT_REGION(p, obj, top, 3000, 0, 9000, 0, Handle(), 0);
    ATX_PRINT_FINISH(p);
    // A second job on the same page, through the control alone.
    box->setFText("Text at the bottom");
    ATX_PRINT_START(p, 0, hdc);
    std::int32_t pos = 0;
    ATX_PRINT(p, obj, pos, page.pageHeight - 2880, 2000, 0, 9000, 0, 0, 0);
    ATX_PRINT_FINISH(p);
    const PrintResult done = printer.EndDoc();
    ASSERT_TRUE(done) << done.error;
    EXPECT_EQ(done.pages, 1);
    ASSERT_EQ(printer.Documents().size(), 1u);
    EXPECT_EQ(Last().title, "Wydruk hasła");
    EXPECT_EQ(PrintedWords(Last()),
              (std::vector<std::string>{"Credit", "line", "Text", "at", "the", "bottom"}));

    struct Case {
        const char* what;
        std::function<void()> call;
        int error;
    } cases[] = {
        {"a device context of another document", [&] { ATX_PRINT_START(p, 0, hdc); }, 482},
        {"a printer out of order",
         [&] {
             printer.FailNextDocument("Paper jam");
             ATX_PRINT_START(p, 0, printer.hDC());
         },
         482},
        {"a handle of nothing and no control",
         [&] { ATX_PRINT(p, Object(), pos, 0, 1000, 0, 1000, 0, 0x7777, 0); }, 5},
        {"an area without height",
         [&] { ATX_PRINT_REGION(p, obj, top, 0, 0, 1000, 0, Handle(), 0); }, 5},
        {"an area without width", [&] { ATX_PRINT(p, obj, pos, 0, 1000, 0, 0, 0, Handle(), 0); },
         5},
    };
    for (const Case& c : cases) EXPECT_EQ(test::ErrorOf(c.call), c.error) << c.what;
    try {
        printer.FailNextDocument("Paper jam");
        ATX_PRINT_START(p, 0, printer.hDC());
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_STREQ(e.what(), "Paper jam") << "the printer's own words";
    }
    EXPECT_FALSE(printer.DocumentOpen());
}

TEST_F(PrintStage, ThePictureControlPrintsIntoTheOpenDocumentAtItsRectangle) {
    auto pic = p.NewChild<PictureControl>(*form);
    Object picObj = pic;
    const std::string file = (folder.path() / "photo.png").string();
    ASSERT_TRUE(test::Addressed(80, 60).savePng(file));
    LetProperty(picObj, "FileName", file);
    ConnectPrinter(*pic, p);
    LetProperty(picObj, "Capture", std::int16_t(3));
    const struct {
        const char* name;
        std::int32_t value;
    } rect[] = {{"PrinterWidth", 6000},
                {"PrinterHeight", 4500},
                {"PrinterLeft", 2593},
                {"PrinterTop", 6169}};
    for (const auto& r : rect) LetProperty(picObj, r.name, r.value);

    box->setFText("Caption");
    ATX_PRINT_START(p, 0, printer.hDC());
    std::int32_t top = 480;
    ATX_PRINT_REGION(p, obj, top, 2000, 0, 9000, 0, Handle(), 0);
    ATX_PRINT_FINISH(p);
    LetProperty(picObj, "PrinterhDC", printer.hDC());
    EXPECT_EQ(test::ErrorOf([&] { LetProperty(picObj, "PrinterhDC", printer.hDC() + 1); }), 482);
    LetProperty(picObj, "PrinterWidth", 0);
    EXPECT_EQ(test::ErrorOf([&] { LetProperty(picObj, "PrinterhDC", printer.hDC()); }), 380);
    ASSERT_TRUE(printer.EndDoc());

    ASSERT_EQ(Last().pages.size(), 1u);
    const auto& items = Last().pages[0].items;
    const auto* printed = std::get_if<headless::PrintedPicture>(&items.back());
    ASSERT_NE(printed, nullptr);
    EXPECT_EQ(printed->area, (RectTwips{2593, 6169, 6000, 4500}));
    EXPECT_EQ(printed->picture, test::Addressed(80, 60));
    EXPECT_TRUE(std::holds_alternative<PrintText>(items.front())) << "the caption came first";
}

// The PDF itself, read back by poppler's pdftotext where it is installed.
TEST_F(PrintStage, ThePdfHoldsThePrintedTextPageByPage) {
    if (std::system("command -v pdftotext > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext is not installed";
    box->setFText(Lines(120));
    ATX_PRINT_START(p, 0, printer.hDC());
    std::int32_t pos = 0;
    ATX_PRINT(p, obj, pos, 0, 8000, 0, 9000, 0, Handle(), 0);
    ATX_PRINT_FINISH(p);
    const PrintResult done = printer.EndDoc();
    ASSERT_TRUE(done) << done.error;
    ASSERT_GT(done.pages, 2);

    const std::string command = "pdftotext -layout '" + done.destination + "' -";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), &::pclose);
    ASSERT_TRUE(pipe);
    std::string text;
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;)
        text.append(buffer.data(), n);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), done.pages) << "a form feed a page";
    EXPECT_EQ(Words(text), Words(box->engine().Text()));
}

}  // namespace
}  // namespace quindel::hostkit
