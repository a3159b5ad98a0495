#pragma once
// The printer. Contract (what a backend must do, what a caller may rely on):
// - Units are twips (1440 an inch). The page is the sheet; the printable area is the part the
//   device can mark, its corner MarginLeft and MarginTop from the sheet's. Every position a
//   caller gives is measured from the printable area's top-left corner, as on a device context;
//   what falls outside the printable area may be clipped.
// - A document holds pages in order. StartDoc opens one with its first page; drawing while none
//   is open opens one too (untitled unless SetTitle named it). NewPage ends the current page and
//   opens the next; EndDoc ends the last page and sends the document off (to the printer's queue
//   or into a file). A document that nothing was drawn on still has its one page.
// - hDC names the open document, or the one the next document will be when none is open: a
//   non-zero 32-bit number, different for every document of this printer, so a device context
//   held from one document is told apart from the next.
// - Text runs: code point k of the UTF-8 text stands at x plus the sum of the advances before it
//   that the platform's text service gives for the run's font (pixels of font.twipsPerPixel
//   twips each), on the baseline y. So text laid out through the same text service prints
//   exactly where it was measured. Control characters print nothing; underline and strike are
//   lines across the run.
// - Pictures are scaled into their rectangle; fills are solid rectangles. Colours are opaque.
// - Failures are results, never silence: StartDoc, NewPage and EndDoc return a PrintResult; a
//   failure met while drawing is kept (Status), later drawing is dropped, and the next NewPage
//   or EndDoc returns it. EndDoc always ends the document, failed or not, so the printer is
//   ready for another. A successful EndDoc says where the output went.
// - Output, chosen when a document opens: the PDF file SetOutputFile names (for the documents
//   opened after it), else the one the environment variable QUINDEL_PRINT_PDF names for a whole
//   run, else the system's printer. Destination tells where the open (or next) document goes: a
//   file's path or a printer's name; empty when there is neither a file named nor a printer.
//   A caller that can ask the user (the file chooser) names a file then; a document opened anyway
//   goes into a new PDF file of the printer's own choosing in the temporary folder, and EndDoc's
//   result says so (temporary), so the caller can tell the user where it is.
// - Calls come from the user-interface thread only.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Image.h"
#include "platform/TextService.h"

namespace quindel::platform {

struct RectTwips {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const RectTwips&) const = default;
};

// The sheet and the part of it the device marks, in twips.
struct PageMetrics {
    std::int32_t pageWidth = 11906;  // A4
    std::int32_t pageHeight = 16838;
    std::int32_t marginLeft = 0;
    std::int32_t marginTop = 0;
    std::int32_t marginRight = 0;
    std::int32_t marginBottom = 0;
    // The device's dot, twips per dot across and down (a 600-dpi printer: 2.4).
    double twipsPerDotX = 2.4;
    double twipsPerDotY = 2.4;

    std::int32_t PrintableWidth() const { return pageWidth - marginLeft - marginRight; }
    std::int32_t PrintableHeight() const { return pageHeight - marginTop - marginBottom; }
    bool operator==(const PageMetrics&) const = default;
};

struct PrintText {
    std::string text;  // UTF-8
    FontSpec font;
    Rgba colour = MakeRgb(0, 0, 0);
    std::int32_t x = 0;  // the first code point's left edge
    std::int32_t y = 0;  // the baseline
    bool operator==(const PrintText&) const = default;
};

struct PrintFill {
    RectTwips area;
    Rgba colour = MakeRgb(0, 0, 0);
    bool operator==(const PrintFill&) const = default;
};

struct PrintResult {
    bool ok = true;
    std::string error;        // what went wrong, in words a user can be shown
    std::string destination;  // a printer's name, or the path of the file written
    bool toFile = false;
    bool temporary = false;  // a file the printer chose itself: nothing else was there to print to
    int pages = 0;           // pages the ended document had (EndDoc only)

    explicit operator bool() const { return ok; }
    static PrintResult Failure(std::string what) {
        PrintResult r;
        r.ok = false;
        r.error = std::move(what);
        return r;
    }
};

class Printer {
  public:
    virtual ~Printer() = default;

    virtual PageMetrics Metrics() const = 0;
    std::int32_t hDC() const { return hdc_; }
    bool DocumentOpen() const { return open_; }
    // The page now being drawn, from 1; 0 with no document open.
    int PageNumber() const { return open_ ? page_ : 0; }
    const std::string& Title() const { return title_; }
    // The failure kept since the document opened; ok when there is none.
    const PrintResult& Status() const { return status_; }

    PrintResult StartDoc(std::string_view title);
    // Names the open document, or the next one.
    void SetTitle(std::string_view title);
    PrintResult NewPage();
    void DrawText(const PrintText& run);
    void Fill(const PrintFill& fill);
    // The picture scaled into area.
    void DrawPicture(const Image& picture, const RectTwips& area);
    PrintResult EndDoc();

    // Sends the documents opened from now on into this PDF file; empty: back to the default.
    virtual void SetOutputFile(std::string path) = 0;
    virtual std::string Destination() const = 0;

  protected:
    // The backend's side of a document. Begin opens it with its first page; Page ends a page and
    // opens the next; Finish ends it and says where it went (pages filled in here). Draw calls
    // come only between a successful Begin and Finish; Abandon replaces Finish after a failure.
    virtual PrintResult Begin(const std::string& title) = 0;
    virtual void Retitle(const std::string& /*title*/) {}
    virtual PrintResult Page() = 0;
    virtual void Text(const PrintText& run) = 0;
    virtual void Rectangle(const PrintFill& fill) = 0;
    virtual void Picture(const Image& picture, const RectTwips& area) = 0;
    virtual PrintResult Finish() = 0;
    virtual void Abandon() = 0;
    // A backend that meets a failure while drawing reports it here.
    void Fail(std::string what);

  private:
    bool Ready();

    static constexpr std::int32_t kFirstHdc = 0x0DC00001;
    std::int32_t hdc_ = kFirstHdc;
    bool open_ = false;
    bool begun_ = false;  // Begin succeeded: the backend holds a document
    int page_ = 0;
    std::string title_;
    PrintResult status_;
};

}  // namespace quindel::platform
