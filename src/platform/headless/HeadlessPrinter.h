#pragma once
// The headless printer: every document is recorded for tests (its pages and their items, in the
// order drawn) and written as a real PDF file through cairo; any recorded page can be rendered
// to an image by the very code that draws the PDF.
//
// Text: each code point is placed at the advance the headless text service gives, so positions
// in the record, the PDF and a rendered page are exact and alike on every machine. The glyphs
// are cairo's toy font API in one fixed-pitch face ("monospace" through fontconfig: DejaVu Sans
// Mono with the fonts the build installs), which fits the built-in font's fixed cells and keeps
// the text searchable in the PDF. Only the glyphs' shapes depend on the installed face: tests
// judge text by the record or by the PDF's extracted text, and pixels by pictures and fills.
//
// Output: the file SetOutputFile names, else QUINDEL_PRINT_PDF, else the machine's printer, which
// the headless backend stands for by a temporary file of this printer's own, removed with it. A
// printer configured as a machine without one (systemPrinter false) has no Destination until a
// file is named, and writes a document opened anyway into that same temporary file, said to be
// temporary. Each document replaces the file's content.
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/Printer.h"
#include "platform/PrivateFolder.h"
#include "platform/headless/HeadlessTextService.h"

namespace quindel::headless {

class PrintFonts;

struct HeadlessPrinterConfig {
    // A4 with quarter-inch margins, 600 dpi.
    platform::PageMetrics page{11906, 16838, 360, 360, 360, 360, 2.4, 2.4};
    std::string pdfPath;        // empty: QUINDEL_PRINT_PDF, else the printer
    bool systemPrinter = true;  // the machine has a printer (its documents: a temporary file)
};

struct PrintedPicture {
    platform::Image picture;
    platform::RectTwips area;
};

using PrintItem = std::variant<platform::PrintText, platform::PrintFill, PrintedPicture>;

struct PrintedPage {
    std::vector<PrintItem> items;
};

struct PrintedDocument {
    std::int32_t hdc = 0;
    std::string title;
    std::string file;        // the PDF written
    bool temporary = false;  // a file the printer chose: no printer, and no file was named
    platform::PageMetrics page;
    std::vector<PrintedPage> pages;
    bool ended = false;  // EndDoc wrote it out
};

class HeadlessPrinter : public platform::Printer {
  public:
    explicit HeadlessPrinter(HeadlessPrinterConfig config = {});
    ~HeadlessPrinter() override;

    platform::PageMetrics Metrics() const override { return config_.page; }
    void SetOutputFile(std::string path) override { config_.pdfPath = std::move(path); }
    std::string Destination() const override;

    // Takes effect with the next document.
    void setConfig(HeadlessPrinterConfig config) { config_ = std::move(config); }
    const HeadlessPrinterConfig& Config() const { return config_; }
    // The next document fails to begin, with this message, as a printer out of order would.
    void FailNextDocument(std::string why) { failNext_ = std::move(why); }

    const std::vector<PrintedDocument>& Documents() const { return documents_; }
    // Forgets the ended documents (an open one stays).
    void ClearDocuments();
    // Page `page` (from 0) of a recorded document as printed: the whole sheet at dotsPerInch, on
    // white paper.
    platform::Image RenderPage(const PrintedDocument& doc, std::size_t page,
                               double dotsPerInch = 72) const;

  protected:
    platform::PrintResult Begin(const std::string& title) override;
    void Retitle(const std::string& title) override;
    platform::PrintResult Page() override;
    void Text(const platform::PrintText& run) override;
    void Rectangle(const platform::PrintFill& fill) override;
    void Picture(const platform::Image& picture, const platform::RectTwips& area) override;
    platform::PrintResult Finish() override;
    void Abandon() override;

  private:
    struct Pdf;
    void Check();
    PrintedPage& CurrentPage() { return documents_.back().pages.back(); }

    HeadlessPrinterConfig config_;
    HeadlessTextService text_;
    std::unique_ptr<PrintFonts> fonts_;
    std::unique_ptr<Pdf> pdf_;
    std::vector<PrintedDocument> documents_;
    std::string failNext_;
    // The default file, in a folder of this printer's own, removed with it.
    platform::PrivateFolder folder_{"quindel-print"};
    std::string Temporary() const { return folder_.File("print.pdf"); }
};

}  // namespace quindel::headless
