#include "platform/qt/QtImage.h"

#include <QGuiApplication>
#include <QPixmap>
#include <array>
#include <utility>

#include "platform/Bmp.h"
#include "platform/Raster.h"
#include "platform/Window.h"

namespace quindel::qt {

namespace {

constexpr std::array<std::pair<std::int16_t, Qt::CursorShape>, 15> kShapes{{
    {1, Qt::ArrowCursor},
    {2, Qt::CrossCursor},
    {3, Qt::IBeamCursor},
    {4, Qt::ArrowCursor},
    {5, Qt::SizeAllCursor},
    {6, Qt::SizeBDiagCursor},
    {7, Qt::SizeVerCursor},
    {8, Qt::SizeFDiagCursor},
    {9, Qt::SizeHorCursor},
    {10, Qt::UpArrowCursor},
    {11, Qt::WaitCursor},
    {12, Qt::ForbiddenCursor},
    {13, Qt::BusyCursor},
    {14, Qt::WhatsThisCursor},
    {15, Qt::SizeAllCursor},
}};

}  // namespace

QImage Wrap(const platform::Image& img) {
    return Wrap(img.view());
}

QImage Wrap(const platform::PixelsView& pixels) {
    return QImage(pixels.data, pixels.width, pixels.height, qsizetype(pixels.stride),
                  QImage::Format_RGB32);
}

platform::Image FromQImage(const QImage& q) {
    const QImage argb = q.convertToFormat(QImage::Format_RGB32);
    platform::Image out(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) out.setPixel(x, y, row[x]);
    }
    return out;
}

namespace {

// The pointers' artwork marks what is not the pointer with one key colour.
constexpr platform::Rgba kPointerKey = platform::MakeRgb(255, 0, 255);

// The custom pointer at the screen's pixel ratio: from the icon's denser drawing above a ratio
// of 1, resized to the pointer's size on the device when the ratios differ, so a pointer keeps
// its size in logical pixels and its edges stay sharp.
QPixmap PointerPixmap(const platform::Image& icon, qreal ratio) {
    const bool denser = ratio > 1.0 && icon.denser();
    platform::Image art = platform::WithTransparentKey(denser ? *icon.denser() : icon, kPointerKey);
    const int w = platform::ToDevice(icon.width(), ratio),
              h = platform::ToDevice(icon.height(), ratio);
    if (denser && (art.width() != w || art.height() != h)) art = platform::Resample(art, w, h);
    const QImage view(reinterpret_cast<const uchar*>(art.pixels().data()), art.width(),
                      art.height(), qsizetype(art.width()) * 4, QImage::Format_ARGB32);
    QPixmap pixmap = QPixmap::fromImage(view);
    if (denser) pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

}  // namespace

QCursor CursorFor(std::int16_t pointer, const platform::Image& icon) {
    if (pointer == platform::pointer::Custom && !icon.empty()) {
        const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
        const QPixmap pixmap = PointerPixmap(icon, ratio);
        // The hot spot is the centre. Qt's X11 backend hands it to the X server as it is, in the
        // pixmap's own pixels (Qt 6.4); the other platforms take it in logical pixels.
        const bool inPixmapPixels = QGuiApplication::platformName() == QLatin1String("xcb");
        const QSize half =
            (inPixmapPixels ? pixmap.size() : QSize(icon.width(), icon.height())) / 2;
        return QCursor(pixmap, half.width(), half.height());
    }
    for (const auto& [code, shape] : kShapes)
        if (code == pointer) return QCursor(shape);
    return QCursor(Qt::ArrowCursor);
}

}  // namespace quindel::qt
