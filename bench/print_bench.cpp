// Printing a long formatted text into a PDF file the way the print dialog asks the rich-text box
// to (ATX_PRINT_START, one ATX_PRINT that goes over as many pages as the text needs,
// ATX_PRINT_FINISH, the document ended and written), against the floor: the very text runs that
// print lays out, drawn straight into the same PDF writer with none of our printing code between
// (target: within 1.3 times, and 50 pages under half a second). On the headless backend the
// writer is cairo's PDF surface; with the Qt backend built, QPdfWriter with Qt's font metrics.
//
// The floor draws each page's runs as a direct caller would at best: one glyph lookup per run,
// the glyphs of a page shown in one call per font and colour (cairo), or one drawText per run
// (Qt). Times are the thread's processor time (the PDF writers work on the calling thread).
// Counters: ms_50_pages (ours, scaled to 50 pages), print_ms, floor_ms, ratio.
#include <benchmark/benchmark.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <time.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "hostkit/richtextbox/RichTextBox.h"
#include "hostkit/richtextbox/RichTextPrint.h"
#include "platform/Form.h"
#include "platform/Printer.h"
#include "platform/headless/HeadlessPlatform.h"
#ifdef QUINDEL_BENCH_QT
#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtTextService.h"
#endif

namespace {

using namespace quindel;
namespace fs = std::filesystem;
using platform::PrintText;
using Pages = std::vector<std::vector<PrintText>>;

// Justified paragraphs with bold, italic and Polish letters: about 50 pages at the width below.
std::string Document() {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}"
        "{\\f1\\fswiss Arial;}}\\fs24\n";
    for (int p = 1; p <= 435; ++p) {
        rtf += "\\pard\\qj\\sa120 ";
        for (int w = 1; w <= 12; ++w)
            rtf += "Wis\\u322\\'b3a p\\u322\\'b3ynie {\\b przez} {\\i Krak\\u243\\'f3w} " +
                   std::to_string(p) + "." + std::to_string(w) + " ";
        rtf += "\\par\n";
    }
    return rtf + "}";
}

// The thread's processor time: the machine is shared, and waiting for a core is not work.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double Seconds(const std::function<void()>& f) {
    const double t0 = CpuSeconds();
    f();
    return CpuSeconds() - t0;
}

// Catches the text runs our printing lays out, page by page, without drawing them.
class RunRecorder : public platform::Printer {
  public:
    explicit RunRecorder(platform::PageMetrics m) : metrics_(m) {}
    platform::PageMetrics Metrics() const override { return metrics_; }
    void SetOutputFile(std::string) override {}
    std::string Destination() const override { return {}; }
    Pages pages;

  protected:
    platform::PrintResult Begin(const std::string&) override {
        pages.assign(1, {});
        return {};
    }
    platform::PrintResult Page() override {
        pages.emplace_back();
        return {};
    }
    void Text(const PrintText& run) override { pages.back().push_back(run); }
    void Rectangle(const platform::PrintFill&) override {}
    void Picture(const platform::Image&, const platform::RectTwips&) override {}
    platform::PrintResult Finish() override { return {}; }
    void Abandon() override {}

  private:
    platform::PageMetrics metrics_;
};

// The benchmark's rich-text box on a platform, and our print of it into a PDF file.
struct PrintJob {
    platform::Platform& p;
    fs::path pdf = fs::temp_directory_path() / "quindel_print_bench.pdf";
    std::shared_ptr<platform::Form> form;
    hostkit::RichTextBox* box = nullptr;
    Object obj;
    std::int32_t width = 0, height = 0;

    explicit PrintJob(platform::Platform& platform) : p(platform) {
        p.printer()->SetOutputFile(pdf.string());
        form = p.NewForm();
        auto b = p.NewChild<hostkit::RichTextBox>(*form);
        box = b.get();
        box->Move(0, 0, 6000, 3000);
        box->setFText(Document());
        obj = b;
        const platform::PageMetrics page = p.printer()->Metrics();
        width = page.pageWidth - 1440, height = page.PrintableHeight() - 7;
    }
    ~PrintJob() {
        fs::remove(pdf);
        form->Unload();
    }
    void Print() {
        platform::Printer& printer = *p.printer();
        std::int32_t pos = 0;
        hostkit::ATX_PRINT_START(p, 0, printer.hDC());
        hostkit::ATX_PRINT(p, obj, pos, 7, height, 0, width, 0, box->EngineHandle(), 0);
        hostkit::ATX_PRINT_FINISH(p);
        printer.EndDoc();
    }
};

void Report(benchmark::State& state, double print, double floor, std::size_t pages,
            const fs::path& pdf) {
    const double n = double(state.iterations());
    state.counters["pages"] = double(pages);
    state.counters["print_ms"] = 1000 * print / n;
    state.counters["floor_ms"] = 1000 * floor / n;
    state.counters["ms_50_pages"] = 1000 * print / n * 50 / double(pages);
    state.counters["ratio"] = print / floor;
    state.counters["pdf_kb"] = double(fs::file_size(pdf)) / 1024;
}

// --- cairo ---------------------------------------------------------------------------------

struct CairoBatch {
    bool bold, italic;
    int size;
    platform::Rgba colour;
    std::vector<cairo_glyph_t> glyphs;
};

void CairoFloorPage(cairo_t* cr, const std::vector<PrintText>& runs) {
    std::vector<CairoBatch> batches;
    for (const PrintText& run : runs) {
        cairo_select_font_face(cr, "monospace",
                               run.font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                               run.font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, run.font.sizeTwips);
        cairo_glyph_t* glyphs = nullptr;
        int count = 0;
        if (cairo_scaled_font_text_to_glyphs(cairo_get_scaled_font(cr), run.x, run.y,
                                             run.text.data(), int(run.text.size()), &glyphs, &count,
                                             nullptr, nullptr, nullptr) != CAIRO_STATUS_SUCCESS)
            continue;
        CairoBatch* b = nullptr;
        for (CairoBatch& c : batches)
            if (c.bold == run.font.bold && c.italic == run.font.italic &&
                c.size == run.font.sizeTwips && c.colour == run.colour)
                b = &c;
        if (!b)
            b = &batches.emplace_back(
                CairoBatch{run.font.bold, run.font.italic, run.font.sizeTwips, run.colour, {}});
        b->glyphs.insert(b->glyphs.end(), glyphs, glyphs + count);
        cairo_glyph_free(glyphs);
    }
    for (const CairoBatch& b : batches) {
        cairo_select_font_face(cr, "monospace",
                               b.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                               b.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, b.size);
        cairo_set_source_rgb(cr, platform::RedOf(b.colour) / 255.0,
                             platform::GreenOf(b.colour) / 255.0,
                             platform::BlueOf(b.colour) / 255.0);
        cairo_show_glyphs(cr, b.glyphs.data(), int(b.glyphs.size()));
    }
}

void CairoFloor(const Pages& pages, const platform::PageMetrics& m, const fs::path& pdf) {
    cairo_surface_t* surface =
        cairo_pdf_surface_create(pdf.c_str(), m.pageWidth / 20.0, m.pageHeight / 20.0);
    cairo_t* cr = cairo_create(surface);
    for (const auto& runs : pages) {
        cairo_save(cr);
        cairo_scale(cr, 1 / 20.0, 1 / 20.0);
        cairo_translate(cr, m.marginLeft, m.marginTop);
        CairoFloorPage(cr, runs);
        cairo_restore(cr);
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
}

void BM_HeadlessPrintToPdfAgainstCairo(benchmark::State& state) {
    headless::HeadlessPlatform p;
    PrintJob job(p);
    job.Print();
    Pages pages;
    for (const headless::PrintedPage& page : p.printer()->Documents().back().pages) {
        pages.emplace_back();
        for (const headless::PrintItem& item : page.items)
            if (const auto* run = std::get_if<PrintText>(&item)) pages.back().push_back(*run);
    }
    const platform::PageMetrics m = p.printer()->Metrics();
    const fs::path floorPdf = fs::temp_directory_path() / "quindel_print_bench_floor.pdf";
    double print = 0, floor = 0;
    for (auto _ : state) {
        p.printer()->ClearDocuments();
        print += Seconds([&] { job.Print(); });
        floor += Seconds([&] { CairoFloor(pages, m, floorPdf); });
    }
    Report(state, print, floor, pages.size(), job.pdf);
    state.counters["floor_kb"] = double(fs::file_size(floorPdf)) / 1024;
    fs::remove(floorPdf);
}
BENCHMARK(BM_HeadlessPrintToPdfAgainstCairo)->Unit(benchmark::kMillisecond)->Iterations(5);

// --- Qt ------------------------------------------------------------------------------------

#ifdef QUINDEL_BENCH_QT
// Qt's platform whose printer, while recording, only catches the runs.
class RecordingQtPlatform : public qt::QtPlatform {
  public:
    platform::Printer* printer() override {
        if (recorder) return recorder.get();
        return qt::QtPlatform::printer();
    }
    std::unique_ptr<RunRecorder> recorder;
};

void QtFloor(const Pages& pages, const fs::path& pdf) {
    // As QtPrinter sets up a file: A4, quarter-inch margins, 1200 dpi, twips as user units.
    QPdfWriter writer(QString::fromStdString(pdf.string()));
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(18, 18, 18, 18), QPageLayout::Point));
    QPainter painter(&writer);
    painter.scale(1200 / 1440.0, 1200 / 1440.0);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) writer.newPage();
        for (const PrintText& run : pages[i]) {
            painter.setFont(qt::QtTextService::FontFor(run.font));
            painter.setPen(QColor::fromRgb(run.colour));
            painter.drawText(QPointF(run.x, run.y), QString::fromStdString(run.text));
        }
    }
    painter.end();
}

void BM_QtPrintToPdfAgainstQPdfWriter(benchmark::State& state) {
    RecordingQtPlatform p;
    PrintJob job(p);
    p.recorder = std::make_unique<RunRecorder>(p.qt::QtPlatform::printer()->Metrics());
    job.Print();
    const Pages pages = std::move(p.recorder->pages);
    p.recorder.reset();
    const fs::path floorPdf = fs::temp_directory_path() / "quindel_print_bench_floor.pdf";
    double print = 0, floor = 0;
    for (auto _ : state) {
        print += Seconds([&] { job.Print(); });
        floor += Seconds([&] { QtFloor(pages, floorPdf); });
    }
    Report(state, print, floor, pages.size(), job.pdf);
    state.counters["floor_kb"] = double(fs::file_size(floorPdf)) / 1024;
    fs::remove(floorPdf);
}
BENCHMARK(BM_QtPrintToPdfAgainstQPdfWriter)->Unit(benchmark::kMillisecond)->Iterations(5);
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef QUINDEL_BENCH_QT
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
