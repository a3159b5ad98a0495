#include "hostkit/richtextbox/RichTextPrint.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <string>

#include "hostkit/richtextbox/RichTextBox.h"
#include "hostkit/richtextbox/RichTextFunctions.h"
#include "platform/Platform.h"
#include "platform/Printer.h"
#include "richtext/Layout.h"
#include "richtext/Painter.h"
#include "richtext/PictureDecoder.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

using platform::Image;
using platform::Platform;
using platform::Printer;
using platform::PrintFill;
using platform::PrintResult;
using platform::PrintText;
using platform::RectTwips;
using platform::Rgba;
using richtext::Document;
using richtext::Layout;
using richtext::LayoutBlock;
using richtext::LayoutLine;

namespace {

constexpr const char* kSource = "RichTextPrint";
constexpr std::int32_t kPrinterError = 482, kInvalidCall = 5;
// The print layout's scale: the text service measures in twips.
constexpr int kTwipsPerPixel = 1;
// Table borders and the frame of a picture that cannot be decoded: a screen pixel's width.
constexpr std::int32_t kRule = 15;
constexpr Rgba kPlaceholder = platform::MakeRgb(128, 128, 128);

Printer& PrinterOf(Platform& p) {
    Printer* printer = p.printer();
    if (!printer) throw VbError(kPrinterError, kSource, "There is no printer on this platform");
    return *printer;
}

void Check(const PrintResult& r) {
    if (!r) throw VbError(kPrinterError, kSource, r.error);
}

RichTextBox& BoxOf(Platform& p, const Object& control, std::int32_t handle) {
    if (RichTextBox* box = RichTextBox::FromHandle(p, handle)) return *box;
    if (control) return RichTextBoxOf(control);
    throw VbError(kInvalidCall, kSource,
                  "No rich-text engine has the handle " + std::to_string(handle));
}

struct Area {
    std::int32_t top, height, left, width;
};

Area AreaOf(std::int32_t top, std::int32_t height, std::int32_t left, std::int32_t width) {
    if (height <= 0 || width <= 0)
        throw VbError(kInvalidCall, kSource, "The print area has no width or no height");
    return {top, height, left, width};
}

// The selection as keys paragraph << 32 | byte, [from, to), as the painter keeps it.
struct Span {
    std::uint64_t from = 0, to = 0;
    bool Has(std::uint32_t paragraph, std::uint32_t byte) const {
        const std::uint64_t key = std::uint64_t(paragraph) << 32 | byte;
        return key >= from && key < to;
    }
};

Span SpanOf(const Document& doc, std::int32_t start, std::int32_t length) {
    if (length <= 0) return {};
    const Document::Place a = doc.Locate(start), b = doc.Locate(start + length);
    return {std::uint64_t(a.paragraph) << 32 | a.byte, std::uint64_t(b.paragraph) << 32 | b.byte};
}

// One document laid out to a width and printed page after page into the same area of each: the
// painter's drawing (highlights, the selection, words, pictures, table borders) as printer items.
class PagePrinter {
  public:
    PagePrinter(Printer& printer, const platform::TextService& text, const Document& doc,
                std::int32_t width, Span selection)
        : printer_(printer),
          layout_(doc, text, kTwipsPerPixel),
          selection_(selection),
          dot_(std::max(1, int(printer.Metrics().twipsPerDotY))) {
        layout_.SetWidth(width);
    }

    struct End {
        std::int64_t textY;  // where printing stopped in the laid-out text
        std::int32_t pageY;  // and on the last page
    };
    End Print(std::int64_t from, const Area& area);

  private:
    void PrintLine(const LayoutLine& line, std::int32_t pageTop, std::int32_t left);
    void PrintMarks(const LayoutLine& line, std::int32_t pageTop, std::int32_t left);
    void PrintPicture(std::int32_t picture, std::int32_t x, std::int32_t y, bool selected);
    void Frame(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, Rgba c, bool top,
               bool bottom);
    void PrintBorders(const LayoutBlock& block, std::int64_t from, std::int64_t end,
                      const Area& area);

    Printer& printer_;
    Layout layout_;
    Span selection_;
    richtext::PaintOptions colours_;
    std::int32_t dot_;  // the printer's dot, twips: the thinnest rule it prints
    richtext::LineGeometry geometry_;
    std::vector<richtext::LineMark> marks_;
    std::map<std::int32_t, Image> pictures_;
};

PagePrinter::End PagePrinter::Print(std::int64_t from, const Area& area) {
    layout_.Height();  // pages are cut at exact positions
    const auto& blocks = layout_.Blocks();
    const auto& lines = layout_.Lines();
    std::size_t first = 0;
    std::int64_t y0 = std::max<std::int64_t>(from, 0);
    for (;;) {
        const std::int64_t end = layout_.PageEnd(y0, area.height);
        bool more = false;
        while (first < layout_.LaidOut() && blocks[first].top + blocks[first].height <= y0) ++first;
        for (std::size_t b = first; b < layout_.LaidOut(); ++b) {
            const LayoutBlock& block = blocks[b];
            if (block.top >= end) {
                more = more || block.endLine > block.firstLine;
                break;
            }
            for (std::uint32_t l = block.firstLine; l < block.endLine; ++l) {
                const std::int64_t top = block.top + lines[l].y;
                if (top < y0) continue;
                if (top + lines[l].height > end) {
                    more = true;
                    continue;
                }
                PrintLine(lines[l], area.top + std::int32_t(top - y0), area.left);
                PrintMarks(lines[l], area.top + std::int32_t(top - y0), area.left);
            }
            if (block.row >= 0 && layout_.document().Rows()[std::size_t(block.row)].borders)
                PrintBorders(block, y0, end, area);
        }
        Check(printer_.Status());
        const std::int32_t pageY = area.top + std::int32_t(end - y0);
        if (!more || end <= y0) return {end, pageY};
        Check(printer_.NewPage());
        y0 = end;
    }
}

void PagePrinter::PrintLine(const LayoutLine& line, std::int32_t pageTop, std::int32_t left) {
    const Document& doc = layout_.document();
    layout_.Geometry(line, geometry_);
    const auto& bytes = geometry_.bytes;
    const auto& xs = geometry_.x;
    const std::string_view text = doc.Text();
    const std::uint32_t p = line.paragraph;
    // Words of a justified line stand apart; elsewhere blanks keep the advances the printer
    // gives them, so a run may span several words.
    const richtext::ParaFormat& pf = doc.Para(doc.Paragraphs()[p].format);
    const bool stretched = pf.align == richtext::Align::Justify && !line.last;
    const auto blank = [&](std::size_t k) {
        return static_cast<unsigned char>(text[bytes[k]]) <= ' ' || xs[k + 1] == xs[k];
    };
    for (std::uint32_t r = doc.RunFrom(p, line.start); r < doc.RunEnd(p); ++r) {
        const richtext::Run& run = doc.Runs()[r];
        if (run.start >= line.end) break;
        const std::uint32_t s = std::max(run.start, line.start);
        const std::uint32_t e = std::min(doc.RunTextEnd(r), line.end);
        const std::size_t k0 =
            std::size_t(std::lower_bound(bytes.begin(), bytes.end(), s) - bytes.begin());
        const std::size_t k1 =
            std::size_t(std::lower_bound(bytes.begin(), bytes.end(), e) - bytes.begin());
        if (run.picture >= 0) {
            const richtext::Picture& pic = doc.Pictures()[std::size_t(run.picture)];
            PrintPicture(run.picture, left + xs[k0], pageTop + line.ascent - pic.height,
                         selection_.Has(p, s));
            continue;
        }
        const richtext::CharFormat& f = doc.Char(run.format);
        const Rgba highlight = f.highlight > 0 ? doc.Colour(f.highlight, 0) : 0;
        const auto paper = [&](std::size_t k) -> Rgba {
            if (selection_.Has(p, bytes[k])) return colours_.selectionPaper;
            return platform::AlphaOf(highlight) ? highlight : 0;
        };
        for (std::size_t k = k0; k < k1;) {
            const Rgba c = paper(k);
            std::size_t j = k + 1;
            while (j < k1 && paper(j) == c) ++j;
            if (c) printer_.Fill({{left + xs[k], pageTop, xs[j] - xs[k], line.height}, c});
            k = j;
        }
        PrintText out;
        out.font = layout_.TextFontFor(run.format);  // lines come with the marks
        out.y = pageTop + line.ascent - layout_.MetricsFor(run.format).shift;
        const Rgba ink = doc.Colour(f.colour, colours_.ink);
        for (std::size_t k = k0; k < k1;) {
            if (blank(k)) {
                ++k;
                continue;
            }
            const bool selected = selection_.Has(p, bytes[k]);
            std::size_t last = k + 1;  // after the run's last non-blank
            for (std::size_t j = last; j < k1 && selection_.Has(p, bytes[j]) == selected; ++j) {
                if (!blank(j)) {
                    last = j + 1;
                    continue;
                }
                if (stretched || text[bytes[j]] != ' ' || xs[j + 1] == xs[j]) break;
            }
            out.text.assign(text.substr(bytes[k], bytes[last] - bytes[k]));
            out.x = left + xs[k];
            out.colour = selected ? colours_.selectionInk : ink;
            printer_.DrawText(out);
            k = last;
        }
    }
}

// Underlines and strike-through continuous across blanks, tab leaders and bar rules.
void PagePrinter::PrintMarks(const LayoutLine& line, std::int32_t pageTop, std::int32_t left) {
    const Document& doc = layout_.document();
    const auto selected =
        richtext::ByteRange::InParagraph(selection_.from, selection_.to, line.paragraph);
    layout_.Marks(line, geometry_, selected, dot_, marks_);
    for (const richtext::LineMark& m : marks_) {
        const Rgba ink = m.selected ? colours_.selectionInk
                                    : doc.Colour(doc.Char(m.format).colour, colours_.ink);
        if (m.kind == richtext::LineMark::Kind::Text)
            printer_.DrawText(
                {m.text, layout_.TextFontFor(m.format), ink, left + m.x, pageTop + m.y});
        else
            printer_.Fill({{left + m.x, pageTop + m.y, m.width, m.height}, ink});
    }
}

void PagePrinter::Frame(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, Rgba c,
                        bool top, bool bottom) {
    if (top) printer_.Fill({{x, y, w, kRule}, c});
    if (bottom) printer_.Fill({{x, y + h - kRule, w, kRule}, c});
    printer_.Fill({{x, y, kRule, h}, c});
    printer_.Fill({{x + w - kRule, y, kRule, h}, c});
}

void PagePrinter::PrintPicture(std::int32_t picture, std::int32_t x, std::int32_t y,
                               bool selected) {
    const richtext::Picture& pic = layout_.document().Pictures()[std::size_t(picture)];
    auto it = pictures_.find(picture);
    if (it == pictures_.end()) {
        // Decoded at the size it was made: the printer scales it to the page.
        int w = std::max(1, pic.width / 15), h = std::max(1, pic.height / 15);
        richtext::PictureDecoder::EncodedSize(pic.data, w, h);
        it = pictures_.emplace(picture, richtext::PictureDecoder::Decode(pic, w, h)).first;
    }
    const std::int32_t w = std::max(pic.width, 1), h = std::max(pic.height, 1);
    if (it->second.empty())
        Frame(x, y, w, h, kPlaceholder, true, true);
    else
        printer_.DrawPicture(it->second, {x, y, w, h});
    if (selected) Frame(x, y, w, h, colours_.selectionPaper, true, true);
}

void PagePrinter::PrintBorders(const LayoutBlock& block, std::int64_t from, std::int64_t end,
                               const Area& area) {
    const Document& doc = layout_.document();
    const richtext::TableRow& row = doc.Rows()[std::size_t(block.row)];
    std::size_t cells = row.rightEdges.size();
    for (std::uint32_t p = block.firstParagraph; p < block.endParagraph; ++p)
        cells = std::max<std::size_t>(cells, doc.Paragraphs()[p].cell + 1u);
    // Only the part of the row on this page; its top and bottom edges where they fall here.
    const std::int64_t top = std::max(block.top, from);
    const std::int64_t bottom = std::min(block.top + block.height, end);
    if (bottom <= top) return;
    const std::int32_t y = area.top + std::int32_t(top - from);
    const std::int32_t h = std::int32_t(bottom - top);
    for (std::size_t c = 0; c < cells; ++c) {
        const std::int32_t x0 = Layout::CellLeft(row, c), x1 = Layout::CellRight(row, c);
        Frame(area.left + x0, y, x1 - x0 + kRule, h, colours_.ink, block.top >= from,
              block.top + block.height <= end);
    }
}

// Prints a box's text, or its selection alone, from text position `from` into area.
PagePrinter::End PrintBox(Platform& p, RichTextBox& box, bool selectionOnly, std::int64_t from,
                          const Area& area) {
    Printer& printer = PrinterOf(p);
    const richtext::Engine& engine = box.engine();
    std::optional<Document> slice;
    const Document* doc = &engine.document();
    std::int32_t selStart = engine.SelStart(), selLength = engine.SelLength();
    if (selectionOnly) {
        slice = doc->Slice(selStart, selLength);
        doc = &*slice;
        selStart = 0;
        selLength = slice->Length();
        if (selLength == 0) return {from, area.top};
    }
    const Span shown = box.ShowSelection() ? SpanOf(*doc, selStart, selLength) : Span{};
    // A document that sets its page prints within its own margins.
    const platform::RectTwips r = doc->Settings().page.PrintArea(
        printer.Metrics(), {area.left, area.top, area.width, area.height});
    const Area inside{r.top, r.height, r.left, r.width};
    PagePrinter pages(printer, p.Text(), *doc, inside.width, shown);
    return pages.Print(from, inside);
}

}  // namespace

void ATX_PRINT_START(Platform& platform, std::int32_t /*reserved*/, std::int32_t hdc) {
    Printer& printer = PrinterOf(platform);
    if (hdc != printer.hDC())
        throw VbError(kPrinterError, kSource,
                      "The device context " + std::to_string(hdc) + " is not the printer's");
    if (!printer.DocumentOpen()) Check(printer.StartDoc(std::string(printer.Title())));
}

void ATX_PRINT_TITLE(Platform& platform, std::string_view title) {
    PrinterOf(platform).SetTitle(title);
}

void ATX_PRINT(Platform& platform, const Object& control, std::int32_t& pagePos, std::int32_t top,
               std::int32_t height, std::int32_t left, std::int32_t width,
               std::int32_t /*reserved1*/, std::int32_t handle, std::int32_t /*reserved2*/) {
    RichTextBox& box = BoxOf(platform, control, handle);
    const Area area = AreaOf(top, height, left, width);
    const auto end = PrintBox(platform, box, box.settings().pageRange == 1, pagePos, area);
    pagePos =
        std::int32_t(std::min<std::int64_t>(end.textY, std::numeric_limits<std::int32_t>::max()));
}

void ATX_PRINT_REGION(Platform& platform, const Object& control, std::int32_t& top,
                      std::int32_t height, std::int32_t left, std::int32_t width,
                      std::int32_t /*reserved1*/, std::int32_t handle, std::int32_t /*reserved2*/) {
    RichTextBox& box = BoxOf(platform, control, handle);
    const Area area = AreaOf(top, height, left, width);
    top = PrintBox(platform, box, box.settings().regionRange == 1, 0, area).pageY;
}

void ATX_PRINT_FINISH(Platform& platform) {
    Check(PrinterOf(platform).Status());
}

}  // namespace quindel::hostkit
