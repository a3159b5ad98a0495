#include "platform/qt/QtPrinter.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/qt/QtImage.h"
#include "platform/qt/QtTextService.h"
#include "runtime/Text.h"

namespace quindel::qt {

using platform::Image;
using platform::PageMetrics;
using platform::PrintFill;
using platform::PrintResult;
using platform::PrintText;
using platform::RectTwips;

namespace {

constexpr double kTwipsPerPoint = 20;
constexpr double kTwipsPerInch = 1440;
constexpr int kFileDpi = 1200;
constexpr double kFileMarginPoints = 18;  // a quarter inch

std::string Utf8(const QString& s) {
    return s.toUtf8().toStdString();
}

QString FromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::int32_t Twips(double points) {
    return std::int32_t(std::lround(points * kTwipsPerPoint));
}

QPageLayout FileLayout() {
    return QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kFileMarginPoints, kFileMarginPoints, kFileMarginPoints, kFileMarginPoints),
        QPageLayout::Point);
}

PageMetrics MetricsOf(const QPageLayout& layout, int dpi) {
    const QRectF full = layout.fullRect(QPageLayout::Point);
    const QRectF paint = layout.paintRect(QPageLayout::Point);
    PageMetrics m;
    m.pageWidth = Twips(full.width());
    m.pageHeight = Twips(full.height());
    m.marginLeft = Twips(paint.left());
    m.marginTop = Twips(paint.top());
    m.marginRight = m.pageWidth - Twips(paint.right());
    m.marginBottom = m.pageHeight - Twips(paint.bottom());
    m.twipsPerDotX = m.twipsPerDotY = kTwipsPerInch / std::max(dpi, 1);
    return m;
}

bool IsControl(char32_t cp) {
    return cp < 0x20 || cp == 0x7F;
}

}  // namespace

struct QtPrinter::Job {
    std::unique_ptr<QPdfWriter> pdf;
    QPagedPaintDevice* device = nullptr;
    QPrinter* printer = nullptr;  // the system printer's device, when not a file
    QPainter painter;
    QString title;
    std::string destination;
    bool toFile = false;
    bool temporary = false;
    bool started = false;
    int dpi = kFileDpi;
    PageMetrics metrics;
    std::vector<std::pair<QFont, QRawFont>> rawFonts;  // the fonts of this job's runs

    PrintResult Result() const {
        PrintResult r;
        r.destination = destination;
        r.toFile = toFile;
        r.temporary = temporary;
        return r;
    }

    const QRawFont& RawFontFor(const QFont& font) {
        for (const auto& [f, raw] : rawFonts)
            if (f == font) return raw;
        return rawFonts.emplace_back(font, QRawFont::fromFont(font)).second;
    }
};

QtPrinter::QtPrinter(const QtTextService& text) : text_(text) {}

QtPrinter::~QtPrinter() {
    if (job_) Abandon();
}

const QString& QtPrinter::SystemPrinter() const {
    if (!systemPrinter_) systemPrinter_ = QPrinterInfo::defaultPrinterName();
    return *systemPrinter_;
}

QPrinter& QtPrinter::SystemDevice() const {
    if (!device_)
        device_ = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(SystemPrinter()),
                                             QPrinter::HighResolution);
    return *device_;
}

// Made here, exclusively and under a name nobody can guess: the temporary folder is shared,
// and a name known in advance could be a link someone planted. The file outlives the viewer, as
// the person was told where it is.
std::string QtPrinter::MakeFallbackFile() {
    std::string pattern = Utf8(QDir(QDir::tempPath()).filePath("quindel-print-XXXXXX.pdf"));
    const int fd = ::mkostemps(pattern.data(), 4, O_CLOEXEC);
    if (fd < 0) return {};
    ::close(fd);
    return pattern;
}

QtPrinter::Target QtPrinter::Resolve() const {
    if (!outputFile_.empty()) return {outputFile_, false};
    if (const char* env = std::getenv("QUINDEL_PRINT_PDF"); env && *env) return {env, false};
    if (!SystemPrinter().isEmpty()) return {};
    return {{}, true};
}

std::string QtPrinter::Destination() const {
    if (job_) return job_->destination;
    const Target t = Resolve();
    if (t.temporary) return {};
    return t.file.empty() ? Utf8(SystemPrinter()) : t.file;
}

PageMetrics QtPrinter::Metrics() const {
    if (job_) return job_->metrics;
    if (const Target t = Resolve(); !t.file.empty() || t.temporary)
        return MetricsOf(FileLayout(), kFileDpi);
    QPrinter& p = SystemDevice();
    return MetricsOf(p.pageLayout(), p.resolution());
}

PrintResult QtPrinter::Begin(const std::string& title) {
    Target t = Resolve();
    if (t.temporary && (t.file = MakeFallbackFile()).empty())
        return PrintResult::Failure("Cannot make a temporary PDF file in " +
                                    Utf8(QDir::tempPath()));
    auto job = std::make_unique<Job>();
    job->title = FromUtf8(title);
    if (!t.file.empty()) {
        const QString path = FromUtf8(t.file);
        // Found out now rather than at the end: the caller can still say so and stop.
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            return PrintResult::Failure("Cannot write the PDF file " + t.file + ": " +
                                        Utf8(probe.errorString()));
        probe.close();
        job->pdf = std::make_unique<QPdfWriter>(path);
        job->pdf->setResolution(kFileDpi);
        job->pdf->setPageLayout(FileLayout());
        job->pdf->setCreator(QStringLiteral("Quindel"));
        job->device = job->pdf.get();
        job->metrics = MetricsOf(FileLayout(), kFileDpi);
        job->toFile = true;
        job->temporary = t.temporary;
        job->destination = t.file;
    } else {
        QPrinter& p = SystemDevice();
        if (!p.isValid())
            return PrintResult::Failure("The printer " + Utf8(SystemPrinter()) +
                                        " is not available");
        job->device = job->printer = &p;
        job->dpi = p.resolution();
        job->metrics = MetricsOf(p.pageLayout(), job->dpi);
        job->destination = Utf8(SystemPrinter());
    }
    job_ = std::move(job);
    return job_->Result();
}

void QtPrinter::Retitle(const std::string& title) {
    job_->title = FromUtf8(title);
    if (job_->started && job_->pdf) job_->pdf->setTitle(job_->title);
}

bool QtPrinter::Started() {
    Job& j = *job_;
    if (j.started) return j.painter.isActive();
    j.started = true;
    if (j.pdf)
        j.pdf->setTitle(j.title);
    else
        j.printer->setDocName(j.title);
    if (!j.painter.begin(j.device)) {
        Fail("Cannot print to " + j.destination);
        return false;
    }
    j.painter.setRenderHint(QPainter::Antialiasing);
    j.painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Twips from the printable area's corner, where the device puts its origin.
    const double scale = j.dpi / kTwipsPerInch;
    j.painter.scale(scale, scale);
    j.painter.setClipRect(QRectF(0, 0, j.metrics.PrintableWidth(), j.metrics.PrintableHeight()));
    return true;
}

PrintResult QtPrinter::Page() {
    if (!Started()) return Status();
    if (!job_->device->newPage())
        return PrintResult::Failure("Cannot start a new page on " + job_->destination);
    return {};
}

namespace {

// The run's code points, each at its pen position from the advances; controls are left out.
struct Placed {
    QString text;  // without the controls
    QList<QPointF> positions;
    int width = 0;
};

Placed Place(std::string_view text, const std::vector<int>& advances) {
    Placed out;
    std::size_t k = 0;
    for (std::size_t i = 0; i < text.size(); ++k) {
        const std::size_t n = Utf8SequenceLength(text, i);
        const char32_t cp = IsBadUtf8Byte(text, i, n) ? U'\uFFFD' : DecodeUtf8(text, i, n);
        if (!IsControl(cp)) {
            out.text += QString::fromUcs4(&cp, 1);
            out.positions.append(QPointF(out.width, 0));
        }
        out.width += k < advances.size() ? advances[k] : 0;
        i += n;
    }
    return out;
}

// One glyph run for the whole text when the font has a glyph for every code point; false when
// it has not, and the characters must go one by one through the fallback fonts.
bool DrawAsGlyphRun(QPainter& p, const QRawFont& raw, const Placed& placed) {
    if (!raw.isValid()) return false;
    const QList<quint32> glyphs = raw.glyphIndexesForString(placed.text);
    if (glyphs.size() != placed.positions.size() || glyphs.contains(0u)) return false;
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(placed.positions);
    p.drawGlyphRun(QPointF(0, 0), run);
    return true;
}

}  // namespace

void QtPrinter::Text(const PrintText& run) {
    if (!Started() || run.text.empty()) return;
    std::vector<int> advances;
    text_.Advances(run.font, run.text, advances);
    const QFont font = QtTextService::FontFor(run.font);
    QPainter& p = job_->painter;
    p.save();
    p.translate(run.x, run.y);
    // The font and the advances are in pixels of twipsPerPixel twips.
    const double tpp = std::max(run.font.twipsPerPixel, 1);
    p.scale(tpp, tpp);
    p.setFont(font);
    p.setPen(QColor::fromRgb(run.colour));
    const Placed placed = Place(run.text, advances);
    if (!DrawAsGlyphRun(p, job_->RawFontFor(font), placed)) {
        qsizetype at = 0;
        for (const QPointF& pen : placed.positions) {
            const qsizetype n = placed.text.at(at).isHighSurrogate() ? 2 : 1;
            p.drawText(pen, placed.text.mid(at, n));
            at += n;
        }
    }
    if (run.font.underline || run.font.strike) {
        const QFontMetricsF m(font);
        const double thick = std::max(1.0, m.lineWidth());
        const int pen = placed.width;
        if (run.font.underline)
            p.fillRect(QRectF(0, m.underlinePos(), pen, thick), p.pen().color());
        if (run.font.strike) p.fillRect(QRectF(0, -m.strikeOutPos(), pen, thick), p.pen().color());
    }
    p.restore();
}

void QtPrinter::Rectangle(const PrintFill& fill) {
    if (!Started()) return;
    job_->painter.fillRect(QRectF(fill.area.left, fill.area.top, fill.area.width, fill.area.height),
                           QColor::fromRgb(fill.colour));
}

void QtPrinter::Picture(const Image& picture, const RectTwips& area) {
    if (!Started()) return;
    job_->painter.drawImage(QRectF(area.left, area.top, area.width, area.height), Wrap(picture));
}

PrintResult QtPrinter::Finish() {
    // A document that drew nothing still prints its one page.
    const bool started = Started();
    std::unique_ptr<Job> job = std::move(job_);
    bool ok = started && job->painter.end();
    if (job->printer && job->printer->printerState() == QPrinter::Error) ok = false;
    if (!ok) {
        const PrintResult kept = Status();
        return kept.ok ? PrintResult::Failure("Cannot print to " + job->destination) : kept;
    }
    return job->Result();
}

void QtPrinter::Abandon() {
    std::unique_ptr<Job> job = std::move(job_);
    if (job->painter.isActive()) {
        if (job->printer) job->printer->abort();
        job->painter.end();
    }
    if (job->pdf) {
        job->pdf.reset();
        QFile::remove(FromUtf8(job->destination));
    }
}

}  // namespace quindel::qt
