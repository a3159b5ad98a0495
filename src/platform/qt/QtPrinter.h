#pragma once
// The printer through Qt's print support.
// - Where a document goes is settled when it opens: the PDF file SetOutputFile named, else the
//   one QUINDEL_PRINT_PDF names, else the system's default printer through CUPS. With none of
//   them Destination is empty, and a document opened anyway goes into a new PDF file in the
//   temporary folder, which the results name as temporary.
// - PDF files are written by QPdfWriter: the print system is asked about printers only when a
//   document may go to one (asking can block while CUPS is unreachable), and its answer is kept.
// - Metrics: for a file, A4 with quarter-inch margins at 1200 dpi, as the headless printer has;
//   for a printer, its default paper, printable area and resolution.
// - Text: each code point is drawn where the platform's text service advances put it (the Qt
//   font the FontSpec stands for, kerning off), so a printed page matches its layout.
// - Drawing starts on the device at the first item, page or end, so a title given after the
//   document opened still names the job.
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "platform/Printer.h"

class QPrinter;

namespace quindel::qt {

class QtTextService;

class QtPrinter : public platform::Printer {
  public:
    explicit QtPrinter(const QtTextService& text);
    ~QtPrinter() override;

    platform::PageMetrics Metrics() const override;
    void SetOutputFile(std::string path) override { outputFile_ = std::move(path); }
    std::string Destination() const override;

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
    struct Target {
        std::string file;        // a PDF file, or empty for the system printer
        bool temporary = false;  // the file is ours: there was nothing else to print to
    };
    struct Job;
    Target Resolve() const;
    // The system's default printer, asked once; empty when there is none.
    const QString& SystemPrinter() const;
    QPrinter& SystemDevice() const;
    static std::string MakeFallbackFile();
    // Opens the painter on the device the first time; false once that failed.
    bool Started();

    const QtTextService& text_;
    std::string outputFile_;
    mutable std::optional<QString> systemPrinter_;
    mutable std::unique_ptr<QPrinter> device_;
    std::unique_ptr<Job> job_;
};

}  // namespace quindel::qt
