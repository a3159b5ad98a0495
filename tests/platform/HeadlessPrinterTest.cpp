// The headless printer: what it records, where its pages put things (by pixels), and how it
// fails.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <variant>

#include "TestFolder.h"
#include "platform/headless/HeadlessPrinter.h"

namespace quindel::headless {
namespace {

using namespace quindel::platform;
namespace fs = std::filesystem;

constexpr Rgba kRed = MakeRgb(220, 20, 20), kGreen = MakeRgb(20, 200, 40),
               kBlue = MakeRgb(30, 40, 230), kYellow = MakeRgb(240, 220, 10),
               kWhite = MakeRgb(255, 255, 255);

// Four quadrants of one colour each, so a scaled copy still shows them.
Image Quadrants(int w, int h) {
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y,
                         y < h / 2 ? (x < w / 2 ? kRed : kGreen) : (x < w / 2 ? kBlue : kYellow));
    return img;
}

std::string Head(const fs::path& file, std::size_t n) {
    std::string bytes(n, '\0');
    std::ifstream in(file, std::ios::binary);
    in.read(bytes.data(), std::streamsize(n));
    bytes.resize(std::size_t(in.gcount()));
    return bytes;
}

struct PrinterTest : ::testing::Test {
    test::TestFolder dir;
    HeadlessPrinter printer;
    PrinterTest() { printer.SetOutputFile((dir.path() / "out.pdf").string()); }
};

TEST_F(PrinterTest, RecordsEveryItemPageByPageAndWritesAPdf) {
    const PrintText hello{"Hello", FontSpec{.sizeTwips = 240, .twipsPerPixel = 1}, kBlue, 720,
                          1000};
    const PrintFill bar{{720, 1500, 4000, 200}, kRed};
    const std::int32_t hdc = printer.hDC();
    ASSERT_TRUE(printer.StartDoc("Report"));
    EXPECT_EQ(printer.hDC(), hdc) << "the handle named the document before it opened";
    printer.DrawText(hello);
    printer.Fill(bar);
    ASSERT_TRUE(printer.NewPage());
    EXPECT_EQ(printer.PageNumber(), 2);
    printer.DrawPicture(Quadrants(8, 6), {1440, 1440, 2880, 2160});
    const PrintResult done = printer.EndDoc();

    ASSERT_TRUE(done) << done.error;
    EXPECT_EQ(done.pages, 2);
    EXPECT_TRUE(done.toFile);
    EXPECT_EQ(done.destination, (dir.path() / "out.pdf").string());
    EXPECT_NE(printer.hDC(), hdc) << "the next document gets a handle of its own";
    EXPECT_FALSE(printer.DocumentOpen());
    EXPECT_EQ(Head(done.destination, 5), "%PDF-");

    ASSERT_EQ(printer.Documents().size(), 1u);
    const PrintedDocument& doc = printer.Documents().front();
    EXPECT_EQ(doc.hdc, hdc);
    EXPECT_EQ(doc.title, "Report");
    EXPECT_TRUE(doc.ended);
    ASSERT_EQ(doc.pages.size(), 2u);
    ASSERT_EQ(doc.pages[0].items.size(), 2u);
    EXPECT_EQ(std::get<PrintText>(doc.pages[0].items[0]), hello);
    EXPECT_EQ(std::get<PrintFill>(doc.pages[0].items[1]), bar);
    ASSERT_EQ(doc.pages[1].items.size(), 1u);
    const auto& pic = std::get<PrintedPicture>(doc.pages[1].items[0]);
    EXPECT_EQ(pic.area, (RectTwips{1440, 1440, 2880, 2160}));
    EXPECT_EQ(pic.picture, Quadrants(8, 6));
}

TEST_F(PrinterTest, ARenderedPageShowsThePictureAndTheFillWhereTheyWerePut) {
    // At 72 dpi a pixel is 20 twips; the printable area starts 360 twips (18 px) in.
    printer.DrawPicture(Quadrants(40, 20), {1440, 2880, 2880, 1440});  // px 90..234, 162..234
    printer.Fill({{5400, 360, 1000, 400}, kGreen});                    // px 288..338, 36..56
    printer.DrawText(
        {"Mmm", FontSpec{.sizeTwips = 480, .twipsPerPixel = 1}, MakeRgb(0, 0, 0), 720, 8000});
    ASSERT_TRUE(printer.EndDoc());
    const PrintedDocument& doc = printer.Documents().back();
    const Image page = printer.RenderPage(doc, 0, 72);
    ASSERT_EQ(page.width(), 595);
    ASSERT_EQ(page.height(), 842);

    struct Probe {
        int x, y;
        Rgba colour;
        const char* where;
    } probes[] = {
        {120, 180, kRed, "top-left quadrant"},
        {200, 180, kGreen, "top-right quadrant"},
        {120, 220, kBlue, "bottom-left quadrant"},
        {200, 220, kYellow, "bottom-right quadrant"},
        {92, 164, kRed, "just inside the corner"},
        {232, 232, kYellow, "just inside the far corner"},
        {87, 200, kWhite, "left of the picture"},
        {236, 200, kWhite, "right of the picture"},
        {160, 159, kWhite, "above the picture"},
        {160, 237, kWhite, "below the picture"},
        {300, 45, kGreen, "inside the fill"},
        {300, 60, kWhite, "below the fill"},
        {10, 10, kWhite, "the margin"},
    };
    for (const Probe& p : probes) EXPECT_EQ(page.pixel(p.x, p.y), p.colour) << p.where;

    // Three 480-twip glyphs of the fixed-pitch font: ink somewhere above the baseline.
    int ink = 0;
    for (int y = (360 + 8000 - 480) / 20; y < (360 + 8000) / 20; ++y)
        for (int x = (360 + 720) / 20; x < (360 + 720 + 3 * 280) / 20; ++x)
            ink += page.pixel(x, y) != kWhite ? 1 : 0;
    EXPECT_GT(ink, 20);
    EXPECT_EQ(printer.RenderPage(doc, 5, 72), Image(595, 842, kWhite)) << "a page it does not have";
}

TEST_F(PrinterTest, PageSizeMarginsAndResolutionAreConfigurable) {
    EXPECT_EQ(printer.Metrics().pageWidth, 11906);
    EXPECT_EQ(printer.Metrics().pageHeight, 16838);
    EXPECT_EQ(printer.Metrics().PrintableWidth(), 11906 - 720);
    EXPECT_EQ(printer.Metrics().PrintableHeight(), 16838 - 720);

    HeadlessPrinterConfig letter = printer.Config();
    letter.page = {12240, 15840, 720, 360, 540, 900, 4.8, 2.4};
    printer.setConfig(letter);
    EXPECT_EQ(printer.Metrics(), letter.page);
    EXPECT_EQ(printer.Metrics().PrintableWidth(), 12240 - 720 - 540);
    EXPECT_EQ(printer.Metrics().PrintableHeight(), 15840 - 360 - 900);

    // The clip is the printable area: a fill over the whole sheet leaves the margins white.
    printer.Fill({{-1000, -1000, 20000, 20000}, kBlue});
    ASSERT_TRUE(printer.EndDoc());
    const Image page = printer.RenderPage(printer.Documents().back(), 0, 72);
    ASSERT_EQ(page.width(), 612);
    ASSERT_EQ(page.height(), 792);
    EXPECT_EQ(page.pixel(30, 10), kWhite);
    EXPECT_EQ(page.pixel(40, 25), kBlue);
    EXPECT_EQ(page.pixel(600, 25), kWhite);
    EXPECT_EQ(page.pixel(300, 750), kWhite);
}

TEST_F(PrinterTest, FailuresAreResultsAndLeaveThePrinterReady) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        bool startFails;  // else drawing opens the document and EndDoc reports
        std::string message;
    } cases[] = {
        {"a printer out of order", [&] { printer.FailNextDocument("Paper jam"); }, true,
         "Paper jam"},
        {"a folder that is not there",
         [&] { printer.SetOutputFile((dir.path() / "no" / "such.pdf").string()); }, true,
         "Cannot write the PDF file " + (dir.path() / "no" / "such.pdf").string()},
        {"failing while drawing opens it", [&] { printer.FailNextDocument("Offline"); }, false,
         "Offline"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        printer.SetOutputFile((dir.path() / "out.pdf").string());
        c.arrange();
        const std::int32_t hdc = printer.hDC();
        if (c.startFails) {
            const PrintResult r = printer.StartDoc("t");
            EXPECT_FALSE(r);
            EXPECT_EQ(r.error.rfind(c.message, 0), 0u) << r.error;
            EXPECT_FALSE(printer.DocumentOpen()) << "nothing is left open";
            EXPECT_EQ(printer.hDC(), hdc);
        } else {
            printer.DrawText({"lost", {}, 0, 0, 300});
            EXPECT_TRUE(printer.DocumentOpen());
            EXPECT_FALSE(printer.Status());
            EXPECT_FALSE(printer.NewPage());
            const PrintResult r = printer.EndDoc();
            EXPECT_FALSE(r);
            EXPECT_EQ(r.error, c.message);
            EXPECT_NE(printer.hDC(), hdc);
        }
        printer.SetOutputFile((dir.path() / "out.pdf").string());
        EXPECT_TRUE(printer.StartDoc("again")) << "ready for the next document";
        EXPECT_TRUE(printer.EndDoc());
    }
    EXPECT_FALSE(printer.StartDoc("one") && printer.StartDoc("two")) << "one document at a time";
    EXPECT_TRUE(printer.EndDoc());
    EXPECT_TRUE(printer.EndDoc()) << "ending with nothing open does nothing";
}

TEST(HeadlessPrinter, WithoutAFileNamedItPrintsIntoATemporaryFileItRemoves) {
    if (std::getenv("QUINDEL_PRINT_PDF")) GTEST_SKIP() << "QUINDEL_PRINT_PDF names the file";
    std::string file;
    {
        HeadlessPrinter printer;
        file = printer.Destination();
        ASSERT_FALSE(file.empty());
        printer.DrawText({"x", {}, 0, 0, 300});
        const PrintResult r = printer.EndDoc();
        ASSERT_TRUE(r) << r.error;
        EXPECT_EQ(r.destination, file);
        EXPECT_EQ(Head(file, 4), "%PDF");
    }
    EXPECT_FALSE(fs::exists(file));
}

// A machine without a printer has nowhere to print until a file is named; a document opened
// anyway goes into the temporary file, and the result says so.
TEST(HeadlessPrinter, WithoutAPrinterNothingIsTheDestinationUntilAFileIsNamed) {
    if (std::getenv("QUINDEL_PRINT_PDF")) GTEST_SKIP() << "QUINDEL_PRINT_PDF names the file";
    test::TestFolder dir;
    HeadlessPrinterConfig config;
    config.systemPrinter = false;
    HeadlessPrinter printer(config);
    EXPECT_EQ(printer.Destination(), "");
    printer.DrawText({"x", {}, 0, 0, 300});
    const PrintResult temporary = printer.EndDoc();
    ASSERT_TRUE(temporary) << temporary.error;
    EXPECT_TRUE(temporary.temporary);
    EXPECT_EQ(Head(temporary.destination, 4), "%PDF");
    const std::string named = (dir.path() / "named.pdf").string();
    printer.SetOutputFile(named);
    EXPECT_EQ(printer.Destination(), named);
    printer.DrawText({"x", {}, 0, 0, 300});
    const PrintResult r = printer.EndDoc();
    EXPECT_FALSE(r.temporary);
    EXPECT_EQ(r.destination, named);
}

}  // namespace
}  // namespace quindel::headless
