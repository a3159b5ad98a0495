#include "platform/headless/HeadlessPrinter.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>
#include <variant>

#include "runtime/Text.h"

namespace quindel::headless {

using platform::Image;
using platform::PageMetrics;
using platform::PrintFill;
using platform::PrintResult;
using platform::PrintText;
using platform::RectTwips;
using platform::Rgba;

// The four styles of the one fixed-pitch face, made on first use.
class PrintFonts {
  public:
    PrintFonts() = default;
    PrintFonts(const PrintFonts&) = delete;
    PrintFonts& operator=(const PrintFonts&) = delete;
    ~PrintFonts() {
        for (cairo_font_face_t* f : faces_)
            if (f) cairo_font_face_destroy(f);
    }
    cairo_font_face_t* Face(bool bold, bool italic) {
        cairo_font_face_t*& f = faces_[(bold ? 1 : 0) | (italic ? 2 : 0)];
        if (!f)
            f = cairo_toy_font_face_create(
                "monospace", italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        return f;
    }
    // The advance of the face's glyphs at a size of one: the face is fixed-pitch.
    double AdvancePerEm(cairo_t* cr, cairo_font_face_t* face) {
        for (const auto& [f, advance] : advances_)
            if (f == face) return advance;
        cairo_save(cr);
        cairo_set_font_face(cr, face);
        cairo_set_font_size(cr, 1);
        cairo_font_extents_t e{};
        cairo_font_extents(cr, &e);
        cairo_restore(cr);
        const double advance = e.max_x_advance > 0 ? e.max_x_advance : 0.6;
        advances_.emplace_back(face, advance);
        return advance;
    }

  private:
    cairo_font_face_t* faces_[4] = {};
    std::vector<std::pair<cairo_font_face_t*, double>> advances_;
};

namespace {

constexpr double kTwipsPerPoint = 20;
constexpr double kTwipsPerInch = 1440;

void SetColour(cairo_t* cr, Rgba c) {
    cairo_set_source_rgb(cr, platform::RedOf(c) / 255.0, platform::GreenOf(c) / 255.0,
                         platform::BlueOf(c) / 255.0);
}

// User space becomes twips from the printable area's corner, clipped to that area; scale is
// device units per twip.
void StartPage(cairo_t* cr, const PageMetrics& m, double scale) {
    cairo_save(cr);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, m.marginLeft, m.marginTop);
    cairo_rectangle(cr, 0, 0, m.PrintableWidth(), m.PrintableHeight());
    cairo_clip(cr);
}

// Glyph lookup wants well-formed UTF-8 and would draw controls as boxes: a bad byte becomes '?',
// a control a blank, each still one code point.
std::string Printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = Utf8SequenceLength(text, i);
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsBadUtf8Byte(text, i, n))
            out += '?';
        else if (c < 0x20 || c == 0x7F)
            out += ' ';
        else
            out.append(text.substr(i, n));
        i += n;
    }
    return out;
}

std::size_t CodePointsIn(std::string_view s) {
    std::size_t n = 0;
    for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

// The glyphs of text runs that share a face, a size and a colour, shown with one cairo call:
// a PDF page costs cairo an analysis per drawing call, and a page of text has hundreds of runs.
struct GlyphBatch {
    cairo_font_face_t* face = nullptr;
    cairo_matrix_t matrix{};
    Rgba colour = 0;
    std::string text;
    std::vector<cairo_glyph_t> glyphs;
    std::vector<cairo_text_cluster_t> clusters;
};

// The one drawing code of the headless printer, for the PDF and for rendered pages alike. Text
// waits in batches until something else is drawn or Flush is called, so what is drawn later
// still covers what was drawn before.
class Canvas {
  public:
    Canvas(cairo_t* cr, PrintFonts& fonts, const platform::TextService& text)
        : cr_(cr), fonts_(fonts), text_(text) {}
    ~Canvas() { Flush(); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Draw(const PrintItem& item) {
        std::visit([this](const auto& i) { DrawOne(i); }, item);
    }
    void DrawOne(const PrintText& run);
    void DrawOne(const PrintFill& fill) {
        Flush();
        cairo_rectangle(cr_, fill.area.left, fill.area.top, fill.area.width, fill.area.height);
        SetColour(cr_, fill.colour);
        cairo_fill(cr_);
    }
    void DrawOne(const PrintedPicture& p) { Picture(p.picture, p.area); }
    // False when cairo cannot hold the picture's pixels.
    bool Picture(const Image& picture, const RectTwips& area);
    void Flush();

  private:
    GlyphBatch& BatchFor(cairo_font_face_t* face, const cairo_matrix_t& matrix, Rgba colour);
    cairo_matrix_t MatrixFor(cairo_font_face_t* face, int size, double pitch);

    cairo_t* cr_;
    PrintFonts& fonts_;
    const platform::TextService& text_;
    std::vector<int> advances_;
    std::vector<double> xs_;
    std::vector<GlyphBatch> batches_;
};

bool SameMatrix(const cairo_matrix_t& a, const cairo_matrix_t& b) {
    return a.xx == b.xx && a.yx == b.yx && a.xy == b.xy && a.yy == b.yy && a.x0 == b.x0 &&
           a.y0 == b.y0;
}

GlyphBatch& Canvas::BatchFor(cairo_font_face_t* face, const cairo_matrix_t& matrix, Rgba colour) {
    for (GlyphBatch& b : batches_)
        if (b.face == face && SameMatrix(b.matrix, matrix) && b.colour == colour) return b;
    GlyphBatch& b = batches_.emplace_back();
    b.face = face, b.matrix = matrix, b.colour = colour;
    return b;
}

// The font at the size asked for, narrowed or widened so its glyphs advance by the text
// service's pitch: the PDF then places whole runs, not every glyph on its own.
cairo_matrix_t Canvas::MatrixFor(cairo_font_face_t* face, int size, double pitch) {
    cairo_matrix_t m;
    const double width = pitch > 0 ? pitch / fonts_.AdvancePerEm(cr_, face) : size;
    cairo_matrix_init_scale(&m, width, size);
    return m;
}

void Canvas::Flush() {
    for (GlyphBatch& b : batches_) {
        if (b.glyphs.empty()) continue;
        cairo_set_font_face(cr_, b.face);
        cairo_set_font_matrix(cr_, &b.matrix);
        SetColour(cr_, b.colour);
        cairo_show_text_glyphs(cr_, b.text.data(), int(b.text.size()), b.glyphs.data(),
                               int(b.glyphs.size()), b.clusters.data(), int(b.clusters.size()),
                               cairo_text_cluster_flags_t{});
    }
    batches_.clear();
}

void Canvas::DrawOne(const PrintText& run) {
    if (run.text.empty()) return;
    const std::string shown = Printable(run.text);
    advances_.clear();
    text_.Advances(run.font, run.text, advances_);
    const double tpp = std::max(run.font.twipsPerPixel, 1);
    xs_.assign(advances_.size() + 1, run.x);
    for (std::size_t k = 0; k < advances_.size(); ++k) xs_[k + 1] = xs_[k] + advances_[k] * tpp;

    cairo_font_face_t* face = fonts_.Face(run.font.bold, run.font.italic);
    const cairo_matrix_t matrix = MatrixFor(face, std::max(run.font.sizeTwips, 1),
                                            advances_.empty() ? 0 : advances_[0] * tpp);
    cairo_set_font_face(cr_, face);
    cairo_set_font_matrix(cr_, &matrix);
    cairo_glyph_t* glyphs = nullptr;
    cairo_text_cluster_t* clusters = nullptr;
    int glyphCount = 0, clusterCount = 0;
    cairo_text_cluster_flags_t flags{};
    if (cairo_scaled_font_text_to_glyphs(cairo_get_scaled_font(cr_), run.x, run.y, shown.data(),
                                         int(shown.size()), &glyphs, &glyphCount, &clusters,
                                         &clusterCount, &flags) == CAIRO_STATUS_SUCCESS) {
        // Each cluster's glyphs move to where the text service put its first code point.
        std::size_t byte = 0, point = 0;
        int g = 0;
        for (int c = 0; c < clusterCount; ++c) {
            const double origin = g < glyphCount ? glyphs[g].x : run.x;
            const double at = xs_[std::min(point, xs_.size() - 1)];
            for (int i = 0; i < clusters[c].num_glyphs && g + i < glyphCount; ++i) {
                glyphs[g + i].x = at + (glyphs[g + i].x - origin);
                glyphs[g + i].y = run.y;
            }
            point += CodePointsIn(std::string_view(shown).substr(byte, clusters[c].num_bytes));
            byte += std::size_t(clusters[c].num_bytes);
            g += clusters[c].num_glyphs;
        }
        if (flags == 0) {
            GlyphBatch& b = BatchFor(face, matrix, run.colour);
            b.text += shown;
            b.glyphs.insert(b.glyphs.end(), glyphs, glyphs + glyphCount);
            b.clusters.insert(b.clusters.end(), clusters, clusters + clusterCount);
        } else {
            SetColour(cr_, run.colour);
            cairo_show_text_glyphs(cr_, shown.data(), int(shown.size()), glyphs, glyphCount,
                                   clusters, clusterCount, flags);
        }
        cairo_glyph_free(glyphs);
        cairo_text_cluster_free(clusters);
    }
    if (run.font.underline || run.font.strike) {
        const double em = std::max(run.font.sizeTwips, 1);
        const double thick = std::max(1.0, em / 20), width = xs_.back() - run.x;
        SetColour(cr_, run.colour);
        if (run.font.underline) cairo_rectangle(cr_, run.x, run.y + em / 10, width, thick);
        if (run.font.strike) cairo_rectangle(cr_, run.x, run.y - em * 3 / 10, width, thick);
        cairo_fill(cr_);
    }
}

bool Canvas::Picture(const Image& picture, const RectTwips& area) {
    Flush();
    const int w = picture.width(), h = picture.height();
    cairo_surface_t* pixels = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    if (cairo_surface_status(pixels) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(pixels);
        return false;
    }
    cairo_surface_flush(pixels);
    unsigned char* data = cairo_image_surface_get_data(pixels);
    const int stride = cairo_image_surface_get_stride(pixels);
    // RGB24 words are 0x??RRGGBB in native order: an Image row as it is, alpha ignored.
    for (int y = 0; y < h; ++y)
        std::memcpy(data + std::ptrdiff_t(y) * stride,
                    picture.pixels().data() + std::size_t(y) * std::size_t(w),
                    std::size_t(w) * sizeof(Rgba));
    cairo_surface_mark_dirty(pixels);
    cairo_save(cr_);
    cairo_translate(cr_, area.left, area.top);
    cairo_scale(cr_, double(area.width) / w, double(area.height) / h);
    cairo_set_source_surface(cr_, pixels, 0, 0);
    // Padding keeps the edges solid where the scaled picture's outer pixels are sampled.
    cairo_pattern_set_extend(cairo_get_source(cr_), CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
    cairo_rectangle(cr_, 0, 0, w, h);
    cairo_fill(cr_);
    cairo_restore(cr_);
    cairo_surface_destroy(pixels);
    return true;
}

std::string Describe(cairo_status_t status) {
    return cairo_status_to_string(status);
}

PrintResult Written(const PrintedDocument& doc) {
    PrintResult r;
    r.destination = doc.file;
    r.toFile = true;
    r.temporary = doc.temporary;
    return r;
}

}  // namespace

struct HeadlessPrinter::Pdf {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    std::unique_ptr<Canvas> canvas;  // the page being drawn
    Pdf() = default;
    Pdf(const Pdf&) = delete;
    Pdf& operator=(const Pdf&) = delete;
    ~Pdf() {
        canvas.reset();
        if (cr) cairo_destroy(cr);
        if (surface) cairo_surface_destroy(surface);
    }
};

HeadlessPrinter::HeadlessPrinter(HeadlessPrinterConfig config)
    : config_(std::move(config)), fonts_(std::make_unique<PrintFonts>()) {}

HeadlessPrinter::~HeadlessPrinter() {
    pdf_.reset();  // finished before its folder goes
}

std::string HeadlessPrinter::Destination() const {
    if (!config_.pdfPath.empty()) return config_.pdfPath;
    if (const char* env = std::getenv("QUINDEL_PRINT_PDF"); env && *env) return env;
    return config_.systemPrinter ? Temporary() : std::string();
}

void HeadlessPrinter::ClearDocuments() {
    const bool keepLast = DocumentOpen() && !documents_.empty();
    documents_.erase(documents_.begin(), documents_.end() - (keepLast ? 1 : 0));
}

PrintResult HeadlessPrinter::Begin(const std::string& title) {
    if (!failNext_.empty()) {
        PrintResult r = PrintResult::Failure(failNext_);
        failNext_.clear();
        return r;
    }
    std::string path = Destination();
    const bool temporary = path.empty();
    if (temporary) path = Temporary();
    const PageMetrics& m = config_.page;
    auto pdf = std::make_unique<Pdf>();
    pdf->surface = cairo_pdf_surface_create(path.c_str(), m.pageWidth / kTwipsPerPoint,
                                            m.pageHeight / kTwipsPerPoint);
    if (const cairo_status_t s = cairo_surface_status(pdf->surface); s != CAIRO_STATUS_SUCCESS)
        return PrintResult::Failure("Cannot write the PDF file " + path + ": " + Describe(s));
    pdf->cr = cairo_create(pdf->surface);
    pdf->canvas = std::make_unique<Canvas>(pdf->cr, *fonts_, text_);
    StartPage(pdf->cr, m, 1 / kTwipsPerPoint);
    pdf_ = std::move(pdf);
    documents_.push_back({hDC(), title, path, temporary, m, {PrintedPage{}}, false});
    return Written(documents_.back());
}

void HeadlessPrinter::Retitle(const std::string& title) {
    documents_.back().title = title;
}

void HeadlessPrinter::Check() {
    if (const cairo_status_t s = cairo_status(pdf_->cr); s != CAIRO_STATUS_SUCCESS)
        Fail("Cannot print into " + documents_.back().file + ": " + Describe(s));
}

PrintResult HeadlessPrinter::Page() {
    pdf_->canvas->Flush();
    cairo_restore(pdf_->cr);
    cairo_show_page(pdf_->cr);
    StartPage(pdf_->cr, documents_.back().page, 1 / kTwipsPerPoint);
    documents_.back().pages.emplace_back();
    Check();
    return Status();
}

void HeadlessPrinter::Text(const PrintText& run) {
    CurrentPage().items.emplace_back(run);
    pdf_->canvas->DrawOne(run);
    Check();
}

void HeadlessPrinter::Rectangle(const PrintFill& fill) {
    CurrentPage().items.emplace_back(fill);
    pdf_->canvas->DrawOne(fill);
    Check();
}

void HeadlessPrinter::Picture(const Image& picture, const RectTwips& area) {
    CurrentPage().items.emplace_back(PrintedPicture{picture, area});
    if (!pdf_->canvas->Picture(picture, area))
        Fail("Cannot print a picture of " + std::to_string(picture.width()) + " x " +
             std::to_string(picture.height()) + " pixels");
    Check();
}

PrintResult HeadlessPrinter::Finish() {
    PrintedDocument& doc = documents_.back();
    pdf_->canvas.reset();  // what waits is drawn
    cairo_restore(pdf_->cr);
    // Shown explicitly, so an empty last page is still a page; finishing adds none after it.
    cairo_show_page(pdf_->cr);
    cairo_pdf_surface_set_metadata(pdf_->surface, CAIRO_PDF_METADATA_TITLE, doc.title.c_str());
    cairo_pdf_surface_set_metadata(pdf_->surface, CAIRO_PDF_METADATA_CREATOR, "Quindel");
    cairo_status_t s = cairo_status(pdf_->cr);
    cairo_destroy(pdf_->cr);
    pdf_->cr = nullptr;
    cairo_surface_finish(pdf_->surface);
    if (s == CAIRO_STATUS_SUCCESS) s = cairo_surface_status(pdf_->surface);
    pdf_.reset();
    if (s != CAIRO_STATUS_SUCCESS)
        return PrintResult::Failure("Cannot write the PDF file " + doc.file + ": " + Describe(s));
    doc.ended = true;
    return Written(doc);
}

void HeadlessPrinter::Abandon() {
    pdf_.reset();
    std::error_code ec;
    std::filesystem::remove(documents_.back().file, ec);
}

Image HeadlessPrinter::RenderPage(const PrintedDocument& doc, std::size_t page,
                                  double dotsPerInch) const {
    const PageMetrics& m = doc.page;
    const double scale = dotsPerInch / kTwipsPerInch;
    const int w = std::max(1, int(std::lround(m.pageWidth * scale)));
    const int h = std::max(1, int(std::lround(m.pageHeight * scale)));
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    if (page < doc.pages.size()) {
        StartPage(cr, m, scale);
        Canvas canvas(cr, *fonts_, text_);
        for (const PrintItem& item : doc.pages[page].items) canvas.Draw(item);
        canvas.Flush();
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    Image out(w, h);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; y < h; ++y) {
            const auto* row =
                reinterpret_cast<const std::uint32_t*>(data + std::ptrdiff_t(y) * stride);
            for (int x = 0; x < w; ++x) out.setPixel(x, y, row[x] | 0xFF000000u);
        }
    }
    cairo_surface_destroy(surface);
    return out;
}

}  // namespace quindel::headless
