// Printing a long formatted text into a PDF file the way the print dialog asks the rich-text box
// to (ATX_PRINT_START, one ATX_PRINT that goes over as many pages as the text needs,
// ATX_PRINT_FINISH, the document ended and written), against laying the same text out alone at
// the same width (target: within 3 times). On the headless backend cairo writes the PDF; with
// the Qt backend built, the same on QPrinter's PDF output with Qt's font metrics.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

#include "hostkit/richtextbox/RichTextBox.h"
#include "hostkit/richtextbox/RichTextPrint.h"
#include "platform/Form.h"
#include "platform/Printer.h"
#include "platform/headless/HeadlessPlatform.h"
#include "richtext/Layout.h"
#ifdef QUINDEL_BENCH_QT
#include <QApplication>

#include "platform/qt/QtPlatform.h"
#endif

namespace {

using namespace quindel;
namespace fs = std::filesystem;

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

double Seconds(const std::function<void()>& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void PrintAgainstLayout(benchmark::State& state, platform::Platform& p) {
    platform::Printer& printer = *p.printer();
    const fs::path pdf = fs::temp_directory_path() / "quindel_print_bench.pdf";
    printer.SetOutputFile(pdf.string());
    auto form = p.NewForm();
    auto box = p.NewChild<hostkit::RichTextBox>(*form);
    box->Move(0, 0, 6000, 3000);
    box->setFText(Document());
    const Object obj = box;
    const platform::PageMetrics page = printer.Metrics();
    const std::int32_t width = page.pageWidth - 1440, height = page.PrintableHeight() - 7;
    double print = 0, layout = 0;
    std::int64_t textHeight = 0;
    for (auto _ : state) {
        layout += Seconds([&] {
            richtext::Layout l(box->engine().document(), p.Text(), 1);
            l.SetWidth(width);
            textHeight = l.Height();
        });
        print += Seconds([&] {
            std::int32_t pos = 0;
            hostkit::ATX_PRINT_START(p, 0, printer.hDC());
            hostkit::ATX_PRINT(p, obj, pos, 7, height, 0, width, 0, box->EngineHandle(), 0);
            hostkit::ATX_PRINT_FINISH(p);
            printer.EndDoc();
        });
    }
    const double n = double(state.iterations());
    state.counters["pages"] = std::ceil(double(textHeight) / height);
    state.counters["print_ms"] = 1000 * print / n;
    state.counters["layout_ms"] = 1000 * layout / n;
    state.counters["ratio"] = print / layout;
    state.counters["pdf_kb"] = double(fs::file_size(pdf)) / 1024;
    fs::remove(pdf);
    form->Unload();
}

void BM_HeadlessPrintToPdfAgainstLayout(benchmark::State& state) {
    headless::HeadlessPlatform p;
    PrintAgainstLayout(state, p);
}
BENCHMARK(BM_HeadlessPrintToPdfAgainstLayout)->Unit(benchmark::kMillisecond)->Iterations(5);

#ifdef QUINDEL_BENCH_QT
void BM_QtPrintToPdfAgainstLayout(benchmark::State& state) {
    qt::QtPlatform p;
    PrintAgainstLayout(state, p);
}
BENCHMARK(BM_QtPrintToPdfAgainstLayout)->Unit(benchmark::kMillisecond)->Iterations(5);
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
